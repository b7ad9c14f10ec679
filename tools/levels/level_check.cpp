// Rules every campaign level must keep. Each rule states the game behaviour it protects.
#include "levels/level_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "forge/web_geometry.h"
#include "levels/scenery_cover.h"

namespace levels {
namespace {

constexpr double kPlayRadius = 263.0;     // the reticle aims only inside this circle
constexpr double kThreadTolerance = 1.5;  // pixels off a thread (positions are whole pixels)
constexpr double kEntranceInner = 200.0;  // entrance markers sit at the web's edge
constexpr int kArrivalFrames = 135;       // a fly zooms in for 135 frames before it is trapped
constexpr int kFramesPerTick = 10;
constexpr double kMostlyHidden = 0.25;    // share of a fly's hit box the scenery may hide

// Specials sink 0.5 px a frame from y -50, swinging up to 155 px around x 450; they stop once
// their flight time is over and the wing animation allows (up to 60 frames later). Inside these
// flight times they always hang within the play circle, where the robot can fetch them.
constexpr int kSpecialFlightMin = 390;
constexpr int kSpecialFlightMax = 1140;
constexpr int kSpecialSettleFrames = 60;
// Containers fall 2 px a frame from y -50 and stick when their tumble passes frame 0 (at most
// 23 frames after their flight time).
constexpr int kContainerSettleFrames = 23;

// Hit area of a fly kind relative to its position (x, y, w, h).
Rect FlyHull(const LevelEvent& e)
{
    switch (e.item_type) {
    case kKomar: return {e.x - 10, e.y - 15, e.x + 7, e.y + 11};
    case kButterfly: return {e.x - 30, e.y - 12, e.x + 35, e.y + 23};
    default: return {e.x - 10, e.y - 15, e.x + 15, e.y + 10};
    }
}

bool Overlaps(const Rect& a, const Rect& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

double FromCentre(double x, double y)
{
    return std::hypot(x - web_geometry::kCentreX, y - web_geometry::kCentreY);
}

bool IsRealFly(const LevelEvent& e) { return e.type_of_event == "Fly" && e.item_type >= 1 && e.item_type <= 3; }
bool IsEntrance(const LevelEvent& e) { return e.type_of_event == "Fly" && e.item_type == kEntrance; }

const char* KindName(int kind)
{
    switch (kind) {
    case kNormalFly: return "normal fly";
    case kKomar: return "komar";
    case kButterfly: return "butterfly";
    case kEntrance: return "entrance marker";
    default: return "fly";
    }
}

int Kalories(int kind)
{
    switch (kind) {
    case kNormalFly: return 6;
    case kKomar: return 4;
    case kButterfly: return 15;
    default: return 0;
    }
}

class Checker {
public:
    explicit Checker(const LevelSource& level) : level_(level) {}

    void add(const std::string& rule, int line, const std::string& what)
    {
        std::string where = level_.path.empty() ? std::string("") : level_.path;
        if (line > 0) where += ":" + std::to_string(line);
        std::string message = "level " + std::to_string(level_.number);
        if (!where.empty()) message += " (" + where + ")";
        message += ": rule '" + rule + "': " + what;
        problems_.push_back({rule, message});
    }

    std::vector<Problem> take() { return std::move(problems_); }

private:
    const LevelSource& level_;
    std::vector<Problem> problems_;
};

std::string Px(double v) { return std::to_string(static_cast<long>(std::lround(v))); }

// Ticks on which events are lost because the tutorial script opens a visor page there
// (events wait while a page is shown) or moves the clock past them.
std::set<int> TutorialTicks(int level)
{
    switch (level) {
    case 1: return {10, 11, 300};
    case 4: return {56};
    case 10: return {5, 6};
    case 12: return {32, 33, 34};
    default: return {};
    }
}

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The latest frame by which every spider has starved, even if it eats every fly of the level:
// each fly lowers hunger by its kalories and restarts the hunger growth from 0.
double LatestStarvation(const LevelSource& level)
{
    int kalories = 0, meals = 0;
    for (const LevelEvent& e : level.events) {
        if (IsRealFly(e)) {
            kalories += Kalories(e.item_type);
            ++meals;
        }
    }
    double latest = 0;
    for (size_t i = 0; i < level.spiders.size(); ++i) {
        double entry = SpiderEntryFrame(level, static_cast<int>(i));
        double cap = Number(level.spiders[i].max_hunger), accel = Number(level.spiders[i].max_accelerate);
        if (entry < 0 || cap <= 0 || accel <= 0) return -1;
        double ramp = cap / accel;  // frames to reach full growth; each ramp loses half of it
        double lifetime = (100.0 + kalories) / cap + (meals + 1) * ramp / 2.0;
        if (level.number == 1) entry = std::max(entry, 1660.0);
        latest = std::max(latest, entry + lifetime);
    }
    return latest;
}

void CheckRules(const LevelSource& level, Checker& out)
{
    const LevelRules& r = level.rules;
    if (r.fly_death_count < 1) {
        out.add("lives", 0, "needs at least 1 fly life (the results scale the score by lives kept / lives)");
    }
    if (r.level_deadline_time < 0 || r.time_bonus < 0 || r.max_tactic_bonus < 0 || r.max_main_score < 0) {
        out.add("rules", 0, "deadline, time bonus and caps must not be negative");
    }
    if (r.one_star_limit < 1 || r.fifve_star_limit - r.one_star_limit < 4) {
        out.add("stars", 0,
                "star limits out of order: one star " + std::to_string(r.one_star_limit) + ", five stars " +
                    std::to_string(r.fifve_star_limit) +
                    " (one star needs at least 1 and five stars at least 4 more, so that the two, three "
                    "and four star limits between them rise)");
    }
    int potential = r.max_main_score + r.max_tactic_bonus + r.time_bonus;
    if (r.fifve_star_limit > potential) {
        out.add("stars", 0,
                "five stars need " + std::to_string(r.fifve_star_limit) + " but the level gives at most " +
                    std::to_string(potential) + " (main score cap + tactic cap + time bonus)");
    }
    // Level 1's tutorial script adds two normal flies of its own for the slice lesson.
    int score = FliesScore(level) + (level.number == 1 ? 2 * FlyScore(kNormalFly) : 0);
    if (r.max_main_score != score) {
        out.add("max-main", 0,
                "max_main_score is " + std::to_string(r.max_main_score) + " but the flies are worth " +
                    std::to_string(score) + " when all are set free");
    }
}

void CheckArsenal(const LevelSource& level, Checker& out)
{
    if (level.weapons.empty()) {
        out.add("arsenal", 0,
                "no weapon entries: the first special fetched would replace the laser in slot 1 "
                "(write 'arsenal laser' at least)");
    }
    if (level.weapons.size() > 4) {
        out.add("arsenal", 0, "more than four starting weapons (" + std::to_string(level.weapons.size()) + ")");
    }
    for (int w : level.weapons) {
        if (w < 1 || w > 6) out.add("arsenal", 0, "weapon number " + std::to_string(w) + " outside 1-6");
    }
    for (int c : level.cooling) {
        if (c != 0 && c != 1) out.add("arsenal", 0, "a cooling module must be 0 or 1, found " + std::to_string(c));
    }
}

void CheckSpiders(const LevelSource& level, Checker& out)
{
    int want = SpiderCount(level.number);
    if (static_cast<int>(level.spiders.size()) != want) {
        out.add("spiders", 0,
                "the game creates " + std::to_string(want) + " spider(s) on this level but the source has " +
                    std::to_string(level.spiders.size()));
    }
    int markers = 0;
    for (const LevelEvent& e : level.events) markers += IsEntrance(e) ? 1 : 0;
    if (markers != want) {
        out.add("entrances", 0,
                std::to_string(markers) + " entrance marker(s) for " + std::to_string(want) +
                    " spider(s): a spider without its marker never enters, a spare marker is never eaten");
    }
    for (const SpiderSpec& s : level.spiders) {
        double speed = Number(s.spider_SizeX), size_y = Number(s.spider_SizeY);
        double cap = Number(s.max_hunger), accel = Number(s.max_accelerate);
        if (speed < 0.3 || speed > 3.0 || size_y < 0.3 || size_y > 3.0) {
            out.add("spider-values", s.line, "speed and size_y must lie in 0.3..3 (speed is pixels per frame)");
        }
        if (cap <= 0 || accel <= 0 || cap > 1 || accel > cap) {
            out.add("spider-values", s.line, "hunger must lie in (0, 1] and accel in (0, hunger]: a spider must starve");
        }
        if (s.boost_rnd < 0) out.add("spider-values", s.line, "sprint must be 0 (never) or more");
        if (s.spider_x < -100 || s.spider_x > 1124 || s.spider_y < -100 || s.spider_y > 868) {
            out.add("spider-values", s.line, "the spider starts too far off the screen");
        }
    }
}

void CheckEvents(const LevelSource& level, const SceneryCover* cover, Checker& out)
{
    std::set<int> tutorial_ticks = TutorialTicks(level.number);
    int range = SceneryRange(level.number);
    bool masked = cover != nullptr && cover->HasMask(range);
    std::vector<Rect> covers = FrontOutlines(range);
    covers.push_back(kRobotBox);
    double latest = LatestStarvation(level);
    int last_fly = 0;

    for (const LevelEvent& e : level.events) {
        std::string at = "event at tick " + std::to_string(e.time);
        if (e.type_of_event != "Fly" && e.type_of_event != "SpecUp" && e.type_of_event != "container") {
            out.add("event-type", e.line, at + " has type '" + e.type_of_event + "', which does nothing");
        }
        if (e.time <= 0) {
            out.add("tick", e.line, at + " can never fire: the clock has left tick 0 before events run");
        }
        if (tutorial_ticks.count(e.time)) {
            out.add("tutorial-tick", e.line,
                    at + " is lost: the tutorial opens its visor page there or moves the clock past it");
        }
        if (latest > 0 && e.time * kFramesPerTick > latest) {
            out.add("never-fires", e.line,
                    at + " can never fire: the spiders have starved by tick " + Px(latest / kFramesPerTick) +
                        " even if they eat every fly");
        }

        if (e.type_of_event == "Fly") {
            if (e.item_type < 1 || e.item_type > 4) {
                out.add("fly-kind", e.line, at + ": fly kind " + std::to_string(e.item_type) +
                                                " outside 1-4 makes an invisible fly that still costs a life");
                continue;
            }
            std::string what = std::string(KindName(e.item_type)) + " at (" + std::to_string(e.x) + ", " +
                               std::to_string(e.y) + ") on tick " + std::to_string(e.time);
            double dist = FromCentre(e.x, e.y);
            if (e.item_type != kEntrance && dist > kPlayRadius) {
                out.add("play-circle", e.line,
                        what + " is " + Px(dist) + " px from the web centre: outside the play circle (263 px) "
                               "it can never be aimed at");
            }
            if (e.item_type == kEntrance && (dist < kEntranceInner || dist > web_geometry::kFrameRadius)) {
                out.add("entrance-edge", e.line,
                        what + " is " + Px(dist) + " px from the centre; spiders enter at the web's edge (200-284 px)");
            }
            web_geometry::WebPoint p = web_geometry::NearestThreadPoint(e.x, e.y);
            double off = std::hypot(p.x - e.x, p.y - e.y);
            if (off > kThreadTolerance) {
                out.add("thread", e.line,
                        what + " hangs " + Px(off) + " px off the web's threads (nearest (" + Px(p.x) + ", " +
                            Px(p.y) + "))");
            }
            if (e.item_type != kEntrance) {
                Rect hull = FlyHull(e);
                if (masked) {
                    double hidden = cover->Hidden(range, hull);
                    if (hidden >= kMostlyHidden) {
                        out.add("scenery", e.line,
                                what + " lands under the robot or the front scenery (" + Px(hidden * 100) +
                                    "% of its hit box hidden)");
                    }
                } else {
                    for (const Rect& c : covers) {
                        if (Overlaps(hull, c)) {
                            out.add("scenery", e.line, what + " lands under the robot or the front scenery");
                            break;
                        }
                    }
                }
                last_fly = std::max(last_fly, e.time);
            }
        } else if (e.type_of_event == "SpecUp") {
            if (e.item_type < 1 || e.item_type > 6) {
                out.add("special", e.line, at + ": a special must carry weapon 1-6, not " + std::to_string(e.item_type));
            }
            if (e.fly_time < kSpecialFlightMin || e.fly_time > kSpecialFlightMax) {
                out.add("special", e.line,
                        at + ": flight time " + std::to_string(e.fly_time) + " frames makes the special hang outside "
                             "the play circle, where the robot cannot fetch it (use 390-1140)");
            }
        } else if (e.type_of_event == "container") {
            for (int frames : {e.fly_time, e.fly_time + kContainerSettleFrames}) {
                double y = -50 + 2.0 * frames + 20, x = e.x + 10;
                if (e.fly_time < 0 || FromCentre(x, y) > kPlayRadius) {
                    out.add("container", e.line,
                            at + ": the container falling at x " + std::to_string(e.x) + " for " +
                                std::to_string(e.fly_time) + " frames sticks outside the play circle");
                    break;
                }
            }
        }
    }
    if (last_fly > 0 && level.rules.level_deadline_time < last_fly + kArrivalFrames / kFramesPerTick) {
        out.add("deadline", 0,
                "the time bonus starts shrinking at tick " + std::to_string(level.rules.level_deadline_time) +
                    ", before the last fly (tick " + std::to_string(last_fly) + ") has even arrived");
    }
}

void CheckTutorial(const LevelSource& level, Checker& out)
{
    if (level.number == 1) {
        if (level.rules.fly_death_count != 5) {
            out.add("tutorial-1", 0, "level 1 needs exactly 5 fly lives: its script counts resolved flies as "
                                     "flies_released + 5 - flies_left");
        }
        int early = 0, first = -1;
        bool wave = false, late = false;
        for (const LevelEvent& e : level.events) {
            if (!IsRealFly(e)) continue;
            if (first < 0) first = e.time;
            if (e.time < 100) {
                ++early;
                if (e.time + kArrivalFrames / kFramesPerTick > 100) {
                    out.add("tutorial-1", e.line, "a fly of the first lesson arrives after tick 100");
                }
            } else if (e.time < 170) {
                out.add("tutorial-1", e.line,
                        "fly at tick " + std::to_string(e.time) + ": no fly may come from tick 100 until the "
                        "slice lesson is over (not before tick 170)");
            } else {
                wave = true;
            }
            if (e.time >= 290 && e.time <= 299) late = true;
        }
        if (early != 6) {
            out.add("tutorial-1", 0, "exactly six flies must arrive before tick 100 (found " + std::to_string(early) + ")");
        }
        if (first < 0 || first > 3) {
            out.add("tutorial-1", 0, "the first fly must come by tick 3 so it can be set free before tick 20");
        }
        if (!wave) out.add("tutorial-1", 0, "a wave of flies must follow the lessons (from tick 170)");
        if (!late) {
            out.add("tutorial-1", 0,
                    "a fly must come at tick 290-299: while events are pending the spider's endgame hunger "
                    "cannot start, so the level cannot be won before the tutorial ends at tick 305");
        }
        for (const LevelEvent& e : level.events) {
            if (IsEntrance(e) && e.time <= 150) {
                out.add("tutorial-1", e.line, "the spider's entrance marker must come after tick 150 "
                                              "so that no fly is eaten during the lessons");
            }
        }
        if (!level.spiders.empty()) {
            double entry = std::max(SpiderEntryFrame(level, 0), 1660.0);
            const SpiderSpec& s = level.spiders[0];
            double cap = Number(s.max_hunger), accel = Number(s.max_accelerate);
            if (entry >= 0 && cap > 0 && accel > 0) {
                double starve = entry + FramesToHunger(100, accel, cap);
                // Tick 305 is frame 3050 at the earliest, plus the last visor page (502 frames) and slack.
                if (starve < 4200) {
                    out.add("tutorial-1", s.line,
                            "the spider, unfed, starves by frame " + Px(starve) +
                                ", before the tutorial can end (frame 4200): the won level would restart");
                }
            }
        }
    }
    if (level.number == 4) {
        if (level.weapons.size() != 1) {
            out.add("tutorial-4", 0,
                    "level 4 must start with exactly one weapon: its hint waits for 2 free slots, which "
                    "a larger arsenal never leaves and an empty one reaches only by losing the laser");
        }
        int hanging = 0;
        for (const LevelEvent& e : level.events) {
            if (e.type_of_event == "SpecUp" && e.time * kFramesPerTick + e.fly_time + kSpecialSettleFrames <= 560) {
                ++hanging;
            }
        }
        if (hanging < 2) {
            out.add("tutorial-4", 0, "level 4's hint (tick 56) asks for two specials; only " +
                                         std::to_string(hanging) + " hang in the web by then");
        }
    }
    if (level.number == 10) {
        bool any = false;
        for (int c : level.cooling) any = any || c == 1;
        if (!any) out.add("tutorial-10", 0, "level 10's hint shows the cooling modules: give it at least one");
    }
    if (level.number == 12) {
        bool stuck = false;
        for (const LevelEvent& e : level.events) {
            if (e.type_of_event == "container" &&
                e.time * kFramesPerTick + e.fly_time + kContainerSettleFrames <= 320) {
                stuck = true;
            }
        }
        if (!stuck) out.add("tutorial-12", 0, "level 12's hint (tick 32) shows a toxic container: one must hang by then");
    }
}

}  // namespace

int SpiderCount(int level) { return ((level >= 22 && level <= 24) || (level >= 26 && level <= 30)) ? 2 : 1; }

double FramesToHunger(double hunger, double accel, double cap)
{
    double ramp = cap / accel;
    double ramp_hunger = cap * ramp / 2.0;
    if (hunger <= ramp_hunger) return std::sqrt(2.0 * hunger / accel);
    return ramp + (hunger - ramp_hunger) / cap;
}

double SpiderEntryFrame(const LevelSource& level, int index)
{
    int seen = 0;
    for (const LevelEvent& e : level.events) {
        if (!IsEntrance(e)) continue;
        // The first marker is "Enterence" (spider 1), the second "Enterence2" (spider 2).
        if (seen == index) {
            if (index >= static_cast<int>(level.spiders.size())) return -1;
            const SpiderSpec& s = level.spiders[index];
            double speed = std::max(0.1, Number(s.spider_SizeX));
            double walk = std::max(std::abs(e.x - s.spider_x), std::abs(e.y - s.spider_y)) / speed;
            return e.time * kFramesPerTick + kArrivalFrames + walk;
        }
        ++seen;
    }
    return -1;
}

int FliesScore(const LevelSource& level)
{
    int sum = 0;
    for (const LevelEvent& e : level.events) {
        if (IsRealFly(e)) sum += FlyScore(e.item_type);
    }
    return sum;
}

std::vector<Problem> CheckLevel(const LevelSource& level, const SceneryCover* cover)
{
    Checker out(level);
    if (level.number < 1 || level.number > kLevelCount) {
        out.add("level", 0, "level number outside 1-30");
        return out.take();
    }
    CheckRules(level, out);
    CheckArsenal(level, out);
    CheckSpiders(level, out);
    CheckEvents(level, cover, out);
    CheckTutorial(level, out);
    return out.take();
}

}  // namespace levels
