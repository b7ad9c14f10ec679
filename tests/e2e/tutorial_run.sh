#!/usr/bin/env bash
# The first level played from its first visor page to the results screen: a scripted
# player writes its input, and the runner replays it from the input file alone.
set -euo pipefail
game=$1
player=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

end=$("$player" "$data" "$work/profiles-a" "$work/level1.input" 7)
frames=$(python3 -c "print(','.join(str(f) for f in range(0, $end, 30)) + ',$end')")
"$game" --headless --data "$data" --profiles "$work/profiles-b" --seed 7 --level 1 \
    --input "$work/level1.input" --frames $((end + 1)) --dump "$work/dump.json" --dump-at "$frames"
python3 - "$work/dump.json" <<'PY'
import json, sys
dumps = [d["globals"] for d in json.load(open(sys.argv[1]))]
pages = []
for g in dumps:
    if g["visor_page"] and (not pages or pages[-1] != g["visor_page"]):
        pages.append(g["visor_page"])
assert pages == list(range(1, 13)), pages
steps = {g["tutorial_step"] for g in dumps}
assert {1, 2, 4, 6, 9, 11, 12} <= steps, sorted(steps)
assert any(g["robot_damaged"] == 1 for g in dumps), "the robot never overheated"
assert any(g["flies_released"] >= 8 for g in dumps), "the lesson flies were never freed"
won = [g for g in dumps if g["level_outcome"] == 1]
assert won and won[0]["tutorial_step"] == 12, "level 1 was not won after the tutorial"
assert any(g["results_running"] == 1 for g in dumps), "the results screen never showed"
last = dumps[-1]
assert last["current_level"] == 2 and last["profile_stars"] >= 1, (last["current_level"], last["profile_stars"])
print("level 1 played through %d pages in %d frames, %d stars" % (len(pages), len(dumps) * 30, last["profile_stars"]))
PY
