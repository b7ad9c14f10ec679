#!/usr/bin/env bash
# The balance smoke run CI keeps: a few levels, one seed, both skills, on normal difficulty.
# It fails when the expert bot cannot win one of them. The table's row for a game must carry
# exactly the figures that game reported, and the charts must be written.
set -euo pipefail
game=$1
balance=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$balance" --game "$game" --data "$data" --out "$work/out" --levels 2,7,13 --difficulties 1 --seeds 1 \
    --require-expert-wins
for f in balance.csv balance.md balance_win_rate.png balance_stars.png balance_score.png balance_length.png; do
    [ -s "$work/out/$f" ] || { echo "the balance run wrote no $f"; exit 1; }
done

set +e
"$game" --headless --data "$data" --profiles "$work/p" --level 7 --difficulty 1 --seed 1 --autoplay casual \
    --frames 60000 > "$work/report.txt"
code=$?
set -e
[ $code -eq 0 ] || [ $code -eq 3 ] || { echo "the bot's run failed with $code"; exit 1; }
python3 - "$work/report.txt" "$work/out/balance.csv" <<'PY'
import csv, json, sys
report = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")][-1]
rows = [r for r in csv.DictReader(open(sys.argv[2]))
        if r["level"] == "7" and r["skill"] == "casual" and r["seed"] == "1" and r["difficulty"] == "1"]
assert len(rows) == 1, rows
row = rows[0]
for key in ("outcome", "frames", "ticks", "main_score", "time_bonus", "tactic_bonus", "total", "stars",
            "flies_lost", "flies_released", "shots", "overheats"):
    assert str(report[key]) == row[key], (key, report[key], row[key])
PY
echo "balance smoke run passed"
