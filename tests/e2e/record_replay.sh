#!/usr/bin/env bash
# --record writes the run's input as a script: replaying it gives the same dumps and draw
# traces, recording the replay gives the same file again, and a malformed script is refused
# with its file and line before anything is played. With a display driver at hand the real
# backend records too, and its record replays headless.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/input.txt" <<'IN'
1 key escape
103 move 500 300
105 click left
109 move 620 410
112 down right
118 move 700 380
121 up right
120 wheel 1
130 key 2
140 type a#b
IN

run() {  # name, input file, extra options...
    local name=$1 input=$2
    shift 2
    "$game" --headless --data "$data" --profiles "$work/profiles-$name" --seed 42 --level 2 \
        --input "$input" --frames 300 --dump "$work/dump-$name.json" --dump-at 0,104-106,299 \
        --trace-draws "106,200:$work/trace-$name.jsonl" "$@"
}
run a "$work/input.txt" --record "$work/rec-a.txt"
run b "$work/rec-a.txt" --record "$work/rec-b.txt"
cmp "$work/dump-a.json" "$work/dump-b.json"
cmp "$work/trace-a.jsonl" "$work/trace-b.jsonl"
# The header names the input file, which differs; the events must not.
cmp <(grep -v '^#' "$work/rec-a.txt") <(grep -v '^#' "$work/rec-b.txt")
grep -q '^# Replay: wingtron --seed 42 --level 2 --input ' "$work/rec-a.txt"
grep -q '^140 char 97$' "$work/rec-a.txt"   # the comment sign cuts the typed text
! grep -q '^142 char' "$work/rec-a.txt"
grep -q '^105 down left$' "$work/rec-a.txt"
grep -q '^106 up left$' "$work/rec-a.txt"

# A malformed line stops the run before its first frame, naming the file and the line.
printf '1 key escape\n5 move 10 20 30\n' > "$work/bad.txt"
set +e
"$game" --headless --data "$data" --profiles "$work/profiles-c" --level 2 --input "$work/bad.txt" \
    --frames 50 --dump "$work/dump-c.json" --dump-at 0 2> "$work/err.txt"
code=$?
set -e
[ $code -eq 1 ] || { echo "a malformed script must end the run with code 1, got $code"; exit 1; }
grep -qx "wingtron: $work/bad.txt line 2: unexpected '30' after move" "$work/err.txt" \
    || { echo "unexpected message:"; cat "$work/err.txt"; exit 1; }
[ ! -s "$work/dump-c.json" ] || { echo "frames were played before the script was refused"; exit 1; }

# The real backend on the off-screen driver: its record replays headless.
if [ "${WINGTRON_E2E_REAL:-1}" = 1 ]; then
    if SDL_VIDEODRIVER=offscreen XDG_RUNTIME_DIR="$work" ALSOFT_DRIVERS=null "$game" --data "$data" \
            --profiles "$work/profiles-r" --seed 7 --level 2 --input "$work/input.txt" --frames 300 \
            --record "$work/rec-r.txt" --dump "$work/dump-r.json" --dump-at 104-106,299 >/dev/null 2>&1; then
        "$game" --headless --data "$data" --profiles "$work/profiles-h" --seed 7 --level 2 \
            --input "$work/rec-r.txt" --frames 300 --dump "$work/dump-h.json" --dump-at 104-106,299
        cmp "$work/dump-r.json" "$work/dump-h.json"
    else
        echo "no off-screen GL here: the real-backend record was not tried"
    fi
fi
echo "record and replay test passed"
