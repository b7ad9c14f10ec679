#!/usr/bin/env bash
# The whole game as a player meets it: the expert bot starts on an empty profiles folder,
# types its name, starts a new game on normal, skips the intro and plays on through the
# banners and results until the run is stopped part-way; a second run takes Continue from
# the main menu, plays to the last level, watches the ending and the final results, and
# leaves through Exit. Both runs exit 0; every level is won once in order, the campaign line
# adds up, and the profile is completed with the final total.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

common=(--headless --data "$data" --profiles "$work/profiles" --autoplay expert)
start=$(date +%s.%N)
"$game" "${common[@]}" --seed 5 --frames 30000 > "$work/first.txt"
"$game" "${common[@]}" --seed 6 > "$work/second.txt"
end=$(date +%s.%N)
python3 - "$work" "$start" "$end" <<'PY'
import json, struct, sys
work, start, end = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
def lines(name):
    return [json.loads(l) for l in open(work + "/" + name) if l.startswith("{")]
first, second = lines("first.txt"), lines("second.txt")
levels = [l for l in first + second if "level" in l]
won = [l["level"] for l in levels if l["outcome"] == "won"]
assert won == list(range(1, 31)), won
assert 1 < second[0]["level"] < 30, "the second run did not continue the campaign"
final = second[-1]
assert "campaign" in final and all("campaign" not in l for l in first), final
assert final["levels_lost"] == sum(l.get("outcome") == "lost" for l in second), final
assert final["total"] == final["profile_score"] + 50 * final["profile_stars"], final
assert final["trophy"] in ("gold", "silver", "bronze", "none"), final
raw = open(work + "/profiles/Profile_1.dat", "rb").read()
name, rest = raw.split(b"\r\n", 1)
level, score, stars, completed, difficulty = struct.unpack("<5q", rest[:40])
assert (name, completed, score, difficulty) == (b"BOT", 1, final["total"], 1), (name, completed, score)
print("campaign: %d levels (%d lost), total %d, trophy %s, %d frames in %.1f s"
      % (len(levels), sum(l["outcome"] == "lost" for l in levels), final["total"], final["trophy"],
         final["frames"], end - start))
PY
