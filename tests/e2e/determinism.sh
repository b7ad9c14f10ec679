#!/usr/bin/env bash
# Two headless runs with the same seed and input must produce identical state dumps
# and draw traces; bad options exit with code 2.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Escape skips the studio logo; loading then takes a frame per group before the level.
cat > "$work/input.txt" <<'IN'
1 key escape
# aim around the web and click
103 move 500 300
105 click left
109 move 620 410
112 click right
120 wheel 1
130 key 2
IN

run() {
    "$game" --headless --data "$data" --profiles "$work/profiles-$1" --seed 42 --level 2 \
        --input "$work/input.txt" --frames 400 \
        --dump "$work/dump-$1.json" --dump-at 0,10-12,100,399 \
        --trace-draws "5,300:$work/trace-$1.jsonl"
}
run a
run b
cmp "$work/dump-a.json" "$work/dump-b.json"
cmp "$work/trace-a.jsonl" "$work/trace-b.jsonl"
python3 - "$work/dump-a.json" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
assert [s["f"] for s in d] == [0, 10, 11, 12, 100, 399], [s["f"] for s in d]
assert d[-1]["globals"]["level_running"] == 1
assert d[-1]["globals"]["current_level"] == 2
assert len(d[-1]["lists"]["fly_list"]) > 0 and len(d[-1]["lists"]["spider_list"]) == 1
PY

set +e
"$game" --no-such-flag >/dev/null 2>&1
[ $? -eq 2 ] || { echo "unknown flag must exit with 2"; exit 1; }
"$game" --headless --dump x.json >/dev/null 2>&1
[ $? -eq 2 ] || { echo "--dump without --dump-at must exit with 2"; exit 1; }
# A malformed tuning file ends the run with one line naming the file.
mkdir -p "$work/broken/levels"
printf '<level_1><lives>5</lifes></level_1>' > "$work/broken/levels/levels_vars.xml"
"$game" --headless --data "$work/broken" --profiles "$work/profiles-c" --level 1 --frames 400 \
    --input "$work/input.txt" 2> "$work/err.txt"
[ $? -eq 1 ] || { echo "a malformed tuning file must end the run with code 1"; exit 1; }
grep -q 'levels_vars.xml: XML Parse Error: Closing tag does not match opening tag.' "$work/err.txt" \
    || { echo "unexpected message:"; cat "$work/err.txt"; exit 1; }
[ "$(wc -l < "$work/err.txt")" -eq 1 ] || { echo "expected one line:"; cat "$work/err.txt"; exit 1; }
echo "determinism test passed"
