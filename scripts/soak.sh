#!/usr/bin/env bash
# The whole campaign played by the expert bot from a first start to the final results,
# under AddressSanitizer and UBSan: both difficulties, two seeds each, headless, two at a
# time. Then one campaign in the normal build, whose resident memory at the start of level 5
# and of level 30 may differ by 5 MB at most (the sanitizers' quarantine would hide a leak).
# Every campaign must exit 0 back at the main menu, with its profile marked completed and
# its high-score row holding the final total. Prints the findings, the figures and the
# wall time; exits non-zero on any failure.
#
#   bash scripts/soak.sh [--seeds "1 2"] [--skill expert|casual]
set -euo pipefail
cd "$(dirname "$0")/.."
seeds="1 2"
skill=expert
while [ $# -gt 0 ]; do
    case $1 in
    --seeds) seeds=$2; shift 2 ;;
    --skill) skill=$2; shift 2 ;;
    *) echo "usage: bash scripts/soak.sh [--seeds \"1 2\"] [--skill expert|casual]" >&2; exit 2 ;;
    esac
done
start=$(date +%s)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# The normal build's game and data (configured as the test command does), and a sanitizer
# build of the game alone at -O2, so that four campaigns fit in a few minutes.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DWINGTRON_WERROR=ON \
    -DWINGTRON_SANITIZE=OFF -DWINGTRON_FORGE=ON -DWINGTRON_FUZZ=ON >/dev/null
cmake --build build --target wingtron forge_assets campaign_levels
cmake -S . -B build-soak -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DWINGTRON_WERROR=ON \
    -DWINGTRON_SANITIZE=ON -DWINGTRON_FORGE=OFF >/dev/null
cmake --build build-soak --target wingtron
built=$(date +%s)

work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
data=build/game

# One campaign: bash campaign NAME GAME DIFFICULTY SEED [rss]. Writes NAME.out (the JSON
# lines), NAME.err and NAME.rss (resident KiB at the start of levels 5 and 30).
campaign() {
    local name=$1 game=$2 difficulty=$3 seed=$4
    python3 - "$work/$name" "$game" "$data" "$skill" "$difficulty" "$seed" <<'PY'
import json, subprocess, sys, threading
out, game, data, skill, difficulty, seed = sys.argv[1:]
cmd = [game, "--headless", "--data", data, "--profiles", out + ".profiles", "--autoplay", skill,
       "--difficulty", difficulty, "--seed", seed]
rss = {}
with open(out + ".out", "w") as lines, open(out + ".err", "w") as err:
    p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=err, text=True)
    # A bot stuck somewhere would otherwise hold the soak for ever.
    watchdog = threading.Timer(1500, p.kill)
    watchdog.start()
    for line in p.stdout:
        lines.write(line)
        lines.flush()
        try:
            j = json.loads(line)
        except ValueError:
            continue
        # A won level's line comes as its results are left: the next level starts now.
        if j.get("outcome") == "won" and j.get("level") in (4, 29):
            with open("/proc/%d/status" % p.pid) as status:
                for s in status:
                    if s.startswith("VmRSS:"):
                        rss[j["level"] + 1] = int(s.split()[1])
    code = p.wait()
    watchdog.cancel()
with open(out + ".rss", "w") as f:
    json.dump({"exit": code, "rss_kb": rss}, f)
PY
}

pids=()
names=()
for difficulty in 1 2; do
    for seed in $seeds; do
        name="asan-d$difficulty-s$seed"
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            campaign "$name" build-soak/game/wingtron "$difficulty" "$seed" &
        pids+=($!)
        names+=("$name")
        # Two at a time on two cores.
        if [ ${#pids[@]} -ge 2 ]; then
            wait "${pids[0]}"
            pids=("${pids[@]:1}")
        fi
    done
done
wait
campaign normal-d1-s1 build/game/wingtron 1 "${seeds%% *}"
names+=(normal-d1-s1)

status=0
python3 - "$work" "${names[@]}" <<'PY' || status=$?
import json, re, struct, sys
work, names = sys.argv[1], sys.argv[2:]
failed = []
findings = 0
for name in names:
    base = work + "/" + name
    run = json.load(open(base + ".rss"))
    err = open(base + ".err", errors="replace").read()
    found = len(re.findall(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:", err))
    findings += found
    final = None
    levels = lost = 0
    for line in open(base + ".out"):
        try:
            j = json.loads(line)
        except ValueError:
            continue
        if "campaign" in j:
            final = j
        elif "level" in j:
            levels += 1
            lost += j["outcome"] == "lost"
    problems = []
    if run["exit"] != 0:
        problems.append("exit code %d" % run["exit"])
    if found:
        problems.append("%d sanitizer findings" % found)
    if final is None:
        problems.append("no campaign line")
    else:
        # Profile_1.dat: the name line, then level, score, stars, completed, difficulty.
        raw = open(base + ".profiles/Profile_1.dat", "rb").read()
        level, score, stars, completed, diff = struct.unpack("<5q", raw[raw.index(b"\r\n") + 2:][:40])
        if completed != 1:
            problems.append("profile not completed")
        if score != final["total"]:
            problems.append("profile score %d, final total %d" % (score, final["total"]))
        # High_score.dat: seven rows of a name line, the score and the row id (slot 1 is 4).
        raw = open(base + ".profiles/High_score.dat", "rb").read()
        rows, pos = {}, 0
        while pos < len(raw):
            end = raw.index(b"\r\n", pos)
            s, i = struct.unpack("<2q", raw[end + 2:end + 18])
            rows[i] = s
            pos = end + 18
        if rows.get(4) != final["total"]:
            problems.append("high-score row %s, final total %d" % (rows.get(4), final["total"]))
    summary = "%s: %d levels (%d lost)" % (name, levels, lost)
    if final:
        summary += ", total %d, trophy %s, %d frames" % (final["total"], final["trophy"], final["frames"])
    if name.startswith("normal"):
        rss = run["rss_kb"]
        if "5" in rss and "30" in rss:
            growth = (rss["30"] - rss["5"]) / 1024
            summary += ", resident %.1f MB at level 5, %.1f MB at level 30 (%+.1f MB)" % (
                rss["5"] / 1024, rss["30"] / 1024, growth)
            if growth > 5:
                problems.append("resident memory grew by %.1f MB" % growth)
        else:
            problems.append("no resident memory figures")
    print(summary + ("" if not problems else "  FAILED: " + "; ".join(problems)))
    if problems:
        failed.append(name)
print("sanitizer findings: %d" % findings)
sys.exit(1 if failed else 0)
PY
end=$(date +%s)
echo "built in $((built - start)) s, played in $((end - built)) s, $((end - start)) s in all"
[ $status -eq 0 ] && echo "soak passed" || echo "soak FAILED"
exit $status
