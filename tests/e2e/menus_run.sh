#!/usr/bin/env bash
# A first start on a fresh profiles folder: type a name, confirm it, start a new game on
# hard, skip the intro and play level 1. A second start opens on the main menu with that
# player, "Resume" disabled; the sound slider and "Back" change config.dat.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Escape skips the studio logo; the menu opens at frame 89 and fades in for 26 frames.
cat > "$work/first.txt" <<'IN'
1 key escape
130 key backspace
132 key backspace
134 key backspace
136 key backspace
138 key backspace
140 key backspace
142 key backspace
146 type Ann
# OK, then New Game (a level-1 player goes straight to the difficulty), then hard
160 move 330 475
162 click left
250 move 500 265
252 click left
340 move 620 355
342 click left
IN
for f in $(seq 400 10 560); do echo "$f key enter" >> "$work/first.txt"; done

"$game" --headless --data "$data" --profiles "$work/profiles" --seed 7 --input "$work/first.txt" \
    --frames 1200 --dump "$work/first.json" --dump-at 120,200,1199

cat > "$work/second.txt" <<'IN'
1 key escape
# Options, then drag the sound knob (at 0.65: x 550) to the far left, then Back
130 move 500 485
132 click left
220 move 580 380
222 down left
IN
for i in $(seq 1 12); do echo "$((222 + i)) move $((580 - 20 * i)) 380" >> "$work/second.txt"; done
cat >> "$work/second.txt" <<'IN'
240 up left
250 move 520 640
252 click left
IN

"$game" --headless --data "$data" --profiles "$work/profiles" --seed 7 --input "$work/second.txt" \
    --frames 340 --dump "$work/second.json" --dump-at 120,245

python3 - "$work" <<'PY'
import json, struct, sys
work = sys.argv[1]
first = json.load(open(work + "/first.json"))
g = first[0]["globals"]
assert g["menu_screen"] == 1, g["menu_screen"]
assert any(w["name"] == "PLAYER1" for w in first[0]["lists"]["gui_list"])
assert first[1]["globals"]["menu_working_name"] == "Ann", first[1]["globals"]["menu_working_name"]
end = first[-1]["globals"]
assert "menu_screen" not in end
assert end["level_running"] == 1 and end["current_level"] == 1 and end["difficulty"] == 2, end
assert end["profile_name"] == "Ann" and end["current_profile"] == 1
assert len(first[-1]["lists"]["spider_list"]) == 1

prof = open(work + "/profiles/Profile_1.dat", "rb").read()
assert prof[:5] == b"Ann\r\n", prof[:5]
level, score, stars, completed, difficulty = struct.unpack("<5q", prof[5:])
# written when the name was confirmed; the difficulty is saved once a level ends
assert (level, score, stars, completed, difficulty) == (1, 0, 0, 0, 1), prof

second = json.load(open(work + "/second.json"))
g = second[0]["globals"]
assert g["menu_screen"] == 2, g["menu_screen"]
widgets = second[0]["lists"]["gui_list"]
player = [w for w in widgets if w["Pop_up_text"] == "Change"]
assert player and player[0]["name"] == "Ann", player
resume = [w for w in widgets if w["name"] == "Resume"]
assert resume and resume[0]["fade"] == 4, resume
assert second[1]["globals"]["menu_screen"] == 5
music, sound, mode = struct.unpack("<ffi", open(work + "/profiles/config.dat", "rb").read())
assert abs(music - 0.9) < 1e-6 and sound == 0.0 and mode == 1, (music, sound, mode)
PY
# A run stopped while the loading bar fills (pictures and sounds still decoding on worker
# threads) ends cleanly, as a window closed at that moment must.
for f in 420 450 480 510 540; do
    "$game" --headless --data "$data" --profiles "$work/stopped" --seed 1 --frames "$f" >/dev/null ||
        { echo "menus_run: stopped at frame $f during loading: exit $?"; exit 1; }
done
echo "menus_run: ok"
