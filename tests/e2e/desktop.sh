#!/usr/bin/env bash
# The real game where a desktop is missing pieces: with no display at all it says so in
# one line and fails; with no sound card it plays on silently, without the audio
# libraries' console noise.
set -uo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
fail() { echo "FAIL: $*"; cat "$work/err"; exit 1; }

env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$game" --profiles "$work/p1" --frames 5 \
    >"$work/out" 2>"$work/err"
code=$?
[ "$code" -ne 0 ] || fail "no display: exit code 0"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "no display: expected one line"
grep -q "xvfb-run" "$work/err" || fail "no display: the line does not say how to run the game"

# A level plays sounds from its first frames; whatever the machine's sound output, no
# ALSA or OpenAL line may reach the console.
SDL_VIDEODRIVER=offscreen "$game" --profiles "$work/p2" --level 1 --seed 3 --frames 90 \
    >"$work/out" 2>"$work/err" || fail "level run failed"
if grep -E "^ALSA lib|^AL lib|^\[ALSOFT\]" "$work/err"; then
    fail "audio library lines on the console"
fi
[ "$(grep -vc "^$" "$work/err")" -le 1 ] || fail "more than one line of ours"
echo "ok"
