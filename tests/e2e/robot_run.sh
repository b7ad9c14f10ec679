#!/usr/bin/env bash
# The robot played headless with a scripted hand on a small level written here: two lasers
# free a komar, three clicks at nothing send the robot back to its branch, a bomb is thrown
# and its slot reloads, an alpha missile overheats the robot and clicks on the repair icon
# mend it. The state dumps must show each step.
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT; echo "work: $work"

# The campaign's pictures and sounds, this test's own level 5.
mkdir -p "$work/data/levels" "$work/data/Levels"
for d in media sounds music ambient; do ln -s "$(cd "$data" && pwd)/$d" "$work/data/$d"; done
echo '<spiders/>' > "$work/data/levels/Spiders.xml"  # no entrance marker: the spider stays out
cat > "$work/data/levels/levels_vars.xml" <<'XML'
<levels><level_5>
  <fly_death_count>5</fly_death_count><level_deadline_time>300</level_deadline_time>
  <time_bonus>100</time_bonus><max_tactic_bonus>100</max_tactic_bonus><max_main_score>1000</max_main_score>
  <one_star_limit>100</one_star_limit><fifve_star_limit>500</fifve_star_limit>
</level_5></levels>
XML
cat > "$work/data/levels/weapon_vars.xml" <<'XML'
<weapons><level_5>
  <weapon_1>1</weapon_1><weapon_2>2</weapon_2><weapon_3>5</weapon_3>
  <cool_node><cooling_1>0</cooling_1></cool_node>
</level_5></weapons>
XML
# A komar in the middle of the web and a normal fly beside it, both arriving at tick 1.
python3 - "$work/data/Levels/Level_5.dat" <<'PY'
import struct, sys
records = [("Fly", 1, 492, 355, 2, 0), ("Fly", 1, 580, 420, 1, 0)]
out = struct.pack("<q", len(records))
for kind, *fields in records:
    out += kind.encode() + b"\n" + b"".join(struct.pack("<q", v) for v in fields)
open(sys.argv[1], "wb").write(out)
PY

run() {  # run NAME FRAMES DUMP_AT
    "$game" --headless --data "$work/data" --profiles "$work/profiles" --seed 11 --level 5 \
        --input "$work/input.txt" --frames "$2" --dump "$work/$1.json" --dump-at "$3"
}

# Where the level starts depends on start-up and the level banner; find it first.
echo "1 key escape" > "$work/input.txt"
run probe 600 0-599
start=$(python3 -c "
import json, sys
d = json.load(open('$work/probe.json'))
print(next(s['f'] for s in d if s['globals']['level_running'] == 1 and s['globals']['story_screen'] is None))")

# The hand, in frames after the level start. The repair icon lands somewhere in the box
# x 352..487, y 597..672 after each click: a sweep over a 25-pixel grid finds it once
# per sweep at least.
python3 - "$start" > "$work/input.txt" <<'PY'
import sys
s = int(sys.argv[1])
ev = ["1 key escape"]
def at(r, what): ev.append(f"{s + r} {what}")
at(180, "move 494 352"); at(182, "click left"); at(200, "click left")          # two lasers
at(260, "move 400 250"); at(262, "click left"); at(266, "click left"); at(270, "click left")  # misses
at(380, "key 2"); at(384, "click left")                                          # bomb
at(480, "key 3"); at(484, "move 450 300"); at(486, "click left")                 # alpha missile
r = 520
for sweep in range(12):
    for y in (609, 634, 659):
        for x in (364, 389, 414, 439, 464, 487):
            at(r, f"move {x} {y}"); at(r + 1, "click left"); r += 3
print("\n".join(ev))
PY
end=$((start + 520 + 12 * 18 * 3 + 10))
run play "$end" "$((start + 176)),$((start + 230)),$((start + 272)),$((start + 390)),$((start + 470)),$((start + 490)),$((end - 1))"

python3 - "$work/play.json" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
laser, misses, bombed, reloaded, hot, mended = d[1:]
robot = lambda s: s["lists"]["robot_list"][0]
slot = lambda s, i: s["lists"]["power_ups_list"][i - 1]
komar = [f for f in laser["lists"]["fly_list"] if f["name"] == "komar"][0]
assert d[0]["lists"]["fly_list"][0]["status"] == 1, "the komar is not trapped yet"
assert komar["status"] == 3 and laser["globals"]["flies_released"] >= 1, komar
assert robot(misses)["Curr_animation"] == 6 and robot(misses)["miss_times"] == 0, robot(misses)
assert slot(bombed, 2)["reloading"] == 1 and bombed["globals"]["active_weapon"] == 2
assert any(b["w_type"] in ("bomb_l",) for b in bombed["lists"]["bullet_list"]), "no bomb in the air"
assert slot(reloaded, 2)["reloading"] == 0, slot(reloaded, 2)
assert robot(hot)["damaged"] == 1 and 95 < hot["globals"]["temperature"] <= 100, hot["globals"]["temperature"]
assert robot(hot)["fix_times"] >= 6
assert robot(mended)["damaged"] == 0 and mended["globals"]["temperature"] > 5, robot(mended)
for s in d:
    assert s["globals"]["level_running"] == 1 and s["globals"]["level_outcome"] == 0
print("laser, misses, bomb and reload, overheat and repair all seen in the dumps")
PY
