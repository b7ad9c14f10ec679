#!/usr/bin/env bash
# A game played by the autoplay bot and recorded replays from its record alone with
# byte-identical dumps and draw traces; every pointer position the bot posted lies inside
# the window; a bad skill name is a usage error.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

common=(--headless --data "$data" --seed 11 --level 3 --frames 2400 --dump-at 0,600,1200-1202,2399)
"$game" "${common[@]}" --profiles "$work/pa" --autoplay expert --record "$work/rec.txt" \
    --dump "$work/dump-a.json" --trace-draws "1500:$work/trace-a.jsonl" > /dev/null
"$game" "${common[@]}" --profiles "$work/pb" --input "$work/rec.txt" \
    --dump "$work/dump-b.json" --trace-draws "1500:$work/trace-b.jsonl" > /dev/null
cmp "$work/dump-a.json" "$work/dump-b.json"
cmp "$work/trace-a.jsonl" "$work/trace-b.jsonl"
python3 - "$work/rec.txt" <<'PY'
import sys
moves = clicks = 0
for line in open(sys.argv[1]):
    w = line.split("#")[0].split()
    if len(w) >= 4 and w[1] == "move":
        x, y = int(w[2]), int(w[3])
        assert 0 <= x < 1024 and 0 <= y < 768, line
        moves += 1
    if len(w) >= 3 and w[1] == "down" and w[2] == "left":
        clicks += 1
assert moves > 100 and clicks > 10, (moves, clicks)
PY

set +e
"$game" --headless --autoplay genius >/dev/null 2>&1
[ $? -eq 2 ] || { echo "an unknown skill must be a usage error"; exit 1; }
echo "autoplay replay test passed"
