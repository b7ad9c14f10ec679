// The autoplay bot's eyes and judgement. Each frame it reads what is on the screen, picks
// one thing to do (answer a screen, repair, cool, save a fly a spider is about to eat,
// bomb or slice a cluster, free the most endangered fly, fetch a special) and hands it to
// the hand, which plays it out through posted input events over the next frames.
#include "bot/autoplay.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bot/bot_hand.h"
#include "bot/campaign_player.h"
#include "persist/profile.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "ui/visor.h"
#include "world/fly.h"
#include "world/special.h"
#include "world/spider.h"

namespace {

// What a player learns from the help cards and the first minutes of play.
constexpr double kPlayX = 492, kPlayY = 355, kPlayRadius = 263;  // where the reticle can aim
constexpr double kLaserStartX = 422, kLaserStartY = 637;
constexpr double kShotStartX = 402, kShotStartY = 652;
constexpr double kBombRadius = 90;
constexpr double kFreezeRadius = 100;
constexpr double kShieldRadius = 130;
constexpr double kSliceReach = 230;
constexpr double kWarpFrames = 650;
constexpr double kUsualNotice = 150;  // frames a spider's walk to a fly usually leaves
constexpr double kSliceFrames = 90;  // from the drag's start until its beam has cut through
constexpr float kHeatLaser = 2, kHeatSlice = 15, kHeatBomb = 20, kHeatBombNow = 35, kHeatFreeze = 35,
                kHeatShield = 30, kHeatAlpha = 95, kHeatWarp = 15;

// Screen controls.
constexpr double kResultsContinueX = 695, kResultsContinueY = 582;  // 220 x 65 at (585, 550)
constexpr double kHelpContinueX = 727, kHelpContinueY = 488;        // 190 x 40 at (632, 468)
constexpr double kVisorContinueX = 643, kVisorContinueY = 241;      // 119 x 36 at (584, 223)

enum Weapon { kNone = 0, kLaser = 1, kBomb = 2, kFreeze = 3, kShield = 4, kAlpha = 5, kWarp = 6 };

struct Profile {
    HandStyle hand;
    int reaction;          // frames to take in something new before acting on it
    int repeat;            // frames between shots at the same target
    int read_frames;       // frames spent reading a visor page once it is shown
    float heat_cap;        // shots at flies no spider is after stay at or below this heat
    float emergency_cap;   // to save a fly a spider is walking to
    float cool_above;      // a cooling module is used above this heat
    int cluster_min;       // flies a bomb or a slice must reach
    double horizon;        // frames ahead in which a spider's walk to a fly is noticed
    double slack;          // frames kept in hand when freeing a fly a spider is walking to
    float clear_below;     // flies already worn down are set free only below this heat
    bool fetches_specials;
};

Profile profile_for(BotSkill skill)
{
    Profile p {};
    if (skill == BotSkill::Expert) {
        p.hand = {3, 3.2, 0.07, 0.004, 2};
        p.reaction = 8;
        p.repeat = 2;
        p.read_frames = 25;
        p.heat_cap = 25;  // the rest is kept for the flies the spiders go for
        p.emergency_cap = 98;
        p.cool_above = 55;
        p.cluster_min = 3;  // a group the bomb or slice frees together earns the tactic bonus
        p.horizon = 1e9;
        p.slack = 60;
        p.clear_below = 12;
        p.fetches_specials = true;
    } else {
        p.hand = {5, 5.0, 0.12, 0.015, 3};
        p.reaction = 12;
        p.repeat = 4;
        p.read_frames = 90;
        p.heat_cap = 40;
        p.emergency_cap = 101;  // it keeps little heat in reserve and overheats now and then
        p.cool_above = 70;
        p.cluster_min = 3;
        p.horizon = 1e9;
        p.slack = 90;
        p.clear_below = 20;
        p.fetches_specials = true;
    }
    return p;
}

bool is_real_fly(const FlyT& f) { return f.name == "normal" || f.name == "komar" || f.name == "butterfly"; }

// Average laser damage on a fly of this kind.
double laser_damage(const FlyT& f) { return f.name == "komar" ? 50 : f.name == "butterfly" ? 5 : 15; }
double bomb_damage(const FlyT& f, bool now)
{
    if (f.name == "komar")
        return 100;
    if (f.name == "butterfly")
        return now ? 30 : 40;
    return now ? 55 : 80;
}
// The heat the laser spends to take `damage` off a cocoon of this kind.
double laser_heat(const FlyT& f, double damage) { return damage / laser_damage(f) * kHeatLaser; }
// The slice's beam cuts a cocoon it crosses a little every frame of its 65.
constexpr int kBeamFrames = 65;
double slice_damage(const FlyT& f) { return kBeamFrames * (f.name == "komar" ? 4 : f.name == "butterfly" ? 0.5 : 1); }

struct Point {
    double x = 0, y = 0;
};

Point hull_centre(const Actor& a)
{
    return {a.x + a.HullX + a.HullWidth / 2.0, a.y + a.HullY + a.HullHeight / 2.0};
}

double dist(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

bool in_play(Point p, double margin = 8) { return dist(p, {kPlayX, kPlayY}) < kPlayRadius - margin; }

// A spider on its way to a fly it means to eat, and the frames left before it has.
struct Threat {
    FlyT* fly = nullptr;
    SpiderT* spider = nullptr;
    double frames_left = 0;
};

struct Slot {
    int id = 0;
    int weapon = 0;
    bool ready = false;
};

// Damage the bot has sent on its way (a laser in flight, a bomb on its fuse, a slice's
// beam) and the frame it will have been done by, as a player keeps track of their shots.
struct Pending {
    int fly = 0;
    double damage = 0;
    int64_t done_at = 0;
};

// What a beam does to one cocoon, in steps over its life, counted from the button's release.
void add_beam_effects(std::vector<Pending>& out, const FlyT& f)
{
    constexpr int kStep = 5;
    for (int t = kStep; t <= kBeamFrames; t += kStep)
        out.push_back({f.id, slice_damage(f) * kStep / kBeamFrames, t});
}

// One thing to do, with a key that tells whether it continues the last one.
struct Plan {
    enum Kind { Idle, Key, Click, RightClick, Drag, Hold } kind = Idle;
    int key_code = 0;
    Point at, to;
    double width = 20;
    int target_fly = -1;  // the reach follows this fly while it sways
    Point aim_offset;     // where on that fly, from its hull's centre
    long key = 0;         // what the plan is about, to tell a new decision from a repeat
    bool shot = false;
    std::vector<Pending> effects;  // what the shot will do, frames counted from its click
};

class Bot {
public:
    explicit Bot(const BotOptions& options)
        : skill_(options.skill), profile_(profile_for(options.skill)), random_(options.seed),
          hand_(profile_.hand, random_), on_level_end_(options.on_level_end),
          campaign_(options, hand_, random_)
    {
    }

    void frame(int64_t now);

private:
    void follow_level(int64_t now);
    Plan choose();
    std::optional<Plan> answer_screens();
    std::optional<Plan> handle_robot(roboFlyT& robot);
    std::optional<Plan> save_threatened();
    std::vector<Threat> threat_order() const;
    // The rescue of the first threat it can answer: among the flies in reach only, or any.
    std::optional<Plan> rescue(const std::vector<Threat>& order, const std::vector<char>& in_reach, bool any, bool urgent);
    bool any_urgent(const std::vector<Threat>& order) const;
    // crowded_only: only a bomb that opens four cocoons or more.
    std::optional<Plan> use_area_weapons(bool crowded_only = false);
    std::optional<Plan> free_a_fly();
    std::optional<Plan> fetch_special();
    std::optional<Plan> tutorial_slice();
    std::optional<Plan> slice_through(const FlyT& f);
    // The plan that makes weapon w ready to fire, or none when it already is.
    std::optional<Plan> select(int weapon);
    // A shot with `weapon`: the key that selects it first when another is in hand.
    // A shot that needs its weapon selected first is kept and taken as soon as the weapon
    // is in hand, as a player who pressed the key for it follows through.
    Plan fire(int weapon, Plan::Kind kind, Point at, double width, long key, std::vector<Pending> effects = {}, Point to = {});
    std::optional<Plan> follow_through();
    bool ready(int weapon) const;
    bool heat_allows(float heat, bool emergency) const;
    bool aim_is_clear(Point p) const;
    // Where on a fly's hull the laser can be clicked without touching a caught special.
    std::optional<Point> laser_aim(const FlyT& f) const;
    bool over_other_fly(Point p, const FlyT& f) const;
    std::optional<Point> clear_near(Point c, double radius) const;
    // free_life left once the shots on their way have landed (those landing within `within` frames).
    double remaining(const FlyT& f, double within = 1e9) const;
    std::vector<Pending> bomb_effects(Point at, bool now) const;
    Plan laser_at(const FlyT& f);
    double laser_frames(const FlyT& f, double left) const;
    double bomb_lands_in(Point at) const;
    void execute(const Plan& plan);
    void look();
    double slowed(double frames) const;

    BotSkill skill_;
    Profile profile_;
    BotRandom random_;
    BotHand hand_;
    std::function<void(const BotLevelResult&)> on_level_end_;
    CampaignPlayer campaign_;  // the menus and stories between the levels
    bool outside_level_ = false;

    // What the bot saw this frame.
    std::vector<FlyT*> trapped_;
    std::vector<Threat> threats_;
    std::vector<Slot> slots_;
    bool cooling_left_ = false;  // a cooling module still to be used
    // Where the last freeze shot will burst and when: the flies around it will be frozen.
    Point blast_at_;
    int64_t blast_until_ = 0;

    std::vector<Pending> pending_;
    int64_t now_ = 0;
    int64_t warp_started_ = 0;
    std::optional<Point> guard_;          // where the shot under way will click
    std::vector<Pending> guard_effects_;  // and what it was counted on to do
    std::optional<Plan> follow_up_;
    int follow_up_weapon_ = 0;
    int64_t follow_up_until_ = 0;  // when the screen last slowed down
    bool warp_seen_ = false;
    int delay_ = 0;
    long last_key_ = -1;
    bool noticed_ = false;  // the reaction time before a new decision has been spent
    int tracked_fly_ = -1;
    Point tracked_offset_;
    int last_fly_ = -1;  // the fly the last laser shot went to
    int visor_seen_ = 0;  // frames the current visor page has been waiting for Continue
    bool holding_continue_ = false;

    // The level under way.
    bool in_level_ = false;
    uint8_t last_pending_ = 1;
    uint8_t last_outcome_ = 0;
    int last_damaged_ = 0;
    BotLevelResult result_;
    bool result_pending_ = false;
};

// Frames the spiders need for what takes them `frames` at full pace: the time warp halves
// their pace until it wears off, some eleven seconds after the screen slowed down.
double Bot::slowed(double frames) const
{
    if (time_scale == 1.0f)
        return frames;
    const double warp_left = std::max(0.0, static_cast<double>(warp_started_ + kWarpFrames - now_));
    return frames <= warp_left / 2 ? 2 * frames : warp_left + (frames - warp_left / 2);
}

void Bot::look()
{
    if (time_scale != 1.0f && !warp_seen_)
        warp_started_ = now_;
    warp_seen_ = time_scale != 1.0f;
    trapped_.clear();
    fly_list.for_each([&](FlyT& f) {
        if (is_real_fly(f) && f.fly_avail == 1 && f.life > 0 && f.free_life > 0 && (f.status == 1 || f.status == 5))
            trapped_.push_back(&f);
    });
    threats_.clear();
    spider_list.for_each([&](SpiderT& s) {
        if (s.action != 1 || s.entering == 1)
            return;
        FlyT* f = find_fly(s.Destination_point);
        if (!f || f->status != 1 || !is_real_fly(*f))
            return;
        const double walk = std::max(std::fabs(s.x - f->x), std::fabs(s.y - f->y)) / std::max(0.1f, s.sizeX + s.boost);
        threats_.push_back({f, &s, slowed(walk + f->life / std::max(0.1f, s.sizeX))});
    });
    std::sort(threats_.begin(), threats_.end(), [](const Threat& a, const Threat& b) { return a.frames_left < b.frames_left; });
    slots_.clear();
    cooling_left_ = false;
    power_ups_list.for_each([&](power_upsT& p) {
        slots_.push_back({p.id, p.weapon, p.weapon > 0 && p.reloading != 1});
        cooling_left_ = cooling_left_ || (p.cooling_item == 1 && p.cooling_active == 1);
    });
}

double Bot::remaining(const FlyT& f, double within) const
{
    double left = f.free_life;
    for (const Pending& p : pending_) {
        if (p.fly == f.id && p.done_at <= now_ + within)
            left -= p.damage;
    }
    return left;
}

std::vector<Pending> Bot::bomb_effects(Point at, bool now) const
{
    std::vector<Pending> out;
    double flight = dist(at, {kShotStartX, kShotStartY}) / (now ? 8 : 5);
    for (FlyT* f : trapped_) {
        if (dist(hull_centre(*f), at) <= kBombRadius - 12)
            out.push_back({f->id, bomb_damage(*f, now), static_cast<int64_t>(flight + (now ? 6 : 206))});
    }
    return out;
}

bool Bot::ready(int weapon) const
{
    return std::any_of(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.weapon == weapon && s.ready; });
}

bool Bot::heat_allows(float heat, bool emergency) const
{
    return temperature + heat <= (emergency ? profile_.emergency_cap : profile_.heat_cap);
}

// A click there must not land on a caught special, which would send the robot off.
bool Bot::aim_is_clear(Point p) const
{
    bool clear = in_play(p);
    special_list.for_each([&](FlySpecT& s) {
        // With room for a hand that lands a little off: a stray click there costs a
        // flight of some ten seconds.
        // One folding its wings is about to hang where it is drawn.
        if (s.script != 2 && s.script != 3)
            return;
        const double m = s.script == 3 ? 12 : 25;
        const double x = s.x + (s.script == 2 ? s.TranslateX : 0), y = s.y + (s.script == 2 ? s.TranslateY : 0);
        if (p.x >= x + s.HullX - m && p.x <= x + s.HullX + s.HullWidth + m && p.y >= y + s.HullY - m
            && p.y <= y + s.HullY + s.HullHeight + m)
            clear = false;
    });
    return clear;
}

// The point nearest to c that passes `usable`: c itself, or one of a grid of steps each
// way over +-dx, +-dy.
template <class Usable>
std::optional<Point> nearest_usable(Point c, double dx, double dy, int steps, Usable usable)
{
    if (usable(c))
        return c;
    std::optional<Point> best;
    for (int i = -steps; i <= steps; ++i) {
        for (int j = -steps; j <= steps; ++j) {
            const Point at = {c.x + dx * i / steps, c.y + dy * j / steps};
            if (usable(at) && (!best || dist(at, c) < dist(*best, c)))
                best = at;
        }
    }
    return best;
}

std::optional<Point> Bot::clear_near(Point c, double radius) const
{
    return nearest_usable(c, radius, radius, 4, [&](Point at) { return dist(at, c) <= radius && aim_is_clear(at); });
}

std::optional<Point> Bot::laser_aim(const FlyT& f) const
{
    // The laser takes the first cocoon under the click, in the order they came, so where
    // an earlier one overlaps the target the shot goes on the target's uncovered part: the
    // centre first, then the free spot nearest to it on a grid over the hull. A cocoon an
    // earlier one covers all over cannot be shot at.
    const Point c = hull_centre(f);
    const double dx = f.HullWidth / 2.0 - 3, dy = f.HullHeight / 2.0 - 3;
    return nearest_usable(c, dx, dy, 3, [&](Point at) { return aim_is_clear(at) && !over_other_fly(at, f); });
}

// Whether a click there could land on a fly that comes before `f` (one that can still be
// shot, with a little room for the sway).
bool Bot::over_other_fly(Point p, const FlyT& f) const
{
    bool over = false, reached = false;
    fly_list.for_each([&](FlyT& o) {
        reached = reached || o.id == f.id;
        if (over || reached || o.fly_avail != 1 || o.life <= 0 || o.name == "Enterence" || o.name == "Enterence2")
            return;
        over = p.x >= o.x + o.HullX - 3 && p.x <= o.x + o.HullX + o.HullWidth + 3 && p.y >= o.y + o.HullY - 3
               && p.y <= o.y + o.HullY + o.HullHeight + 3;
    });
    return over;
}

std::optional<Plan> Bot::select(int weapon)
{
    if (active_weapon == weapon) {
        for (const Slot& s : slots_) {
            if (s.id == active_slot && s.weapon == weapon && s.ready)
                return std::nullopt;
        }
    }
    for (const Slot& s : slots_) {
        if (s.weapon == weapon && s.ready) {
            Plan p;
            p.kind = Plan::Key;
            p.key_code = '0' + s.id;
            p.key = 900 + s.id;
            return p;
        }
    }
    Plan idle;
    return idle;  // nothing to select: the caller checked ready() first
}

Plan Bot::fire(int weapon, Plan::Kind kind, Point at, double width, long key, std::vector<Pending> effects, Point to)
{
    Plan p;
    p.kind = kind;
    p.at = at;
    p.to = to;
    p.width = width;
    p.key = key;
    p.shot = true;
    p.effects = std::move(effects);
    if (auto sel = select(weapon)) {
        if (sel->kind == Plan::Key) {
            follow_up_ = p;
            follow_up_weapon_ = weapon;
            follow_up_until_ = now_ + profile_.reaction + 30;
        }
        return *sel;
    }
    return p;
}

std::optional<Plan> Bot::follow_through()
{
    if (!follow_up_)
        return std::nullopt;
    Plan p = *follow_up_;
    const bool timely = now_ <= follow_up_until_ && active_weapon == follow_up_weapon_ && ready(follow_up_weapon_);
    // A rescue is moot once its fly is free or eaten.
    bool wanted = true;
    if (p.key >= 3000 && p.key < 6000) {
        const FlyT* f = find_fly(static_cast<int>(p.key % 1000));
        wanted = f && (f->status == 1 || f->status == 5) && f->free_life > 0;
    }
    if (!timely || !wanted || !aim_is_clear(p.at)) {
        if (!timely && now_ <= follow_up_until_ && active_weapon != follow_up_weapon_)
            return std::nullopt;  // the key is still on its way
        follow_up_.reset();
        return std::nullopt;
    }
    follow_up_.reset();
    return p;
}

std::optional<Plan> Bot::answer_screens()
{
    Plan p;
    // The results screen: Continue is taken by holding the left button over it.
    if (level_outcome == 1 && level_start_pending == 1) {
        if (!holding_continue_) {
            p.kind = Plan::Hold;
            p.at = {kResultsContinueX, kResultsContinueY};
            p.width = 60;
            p.key = 1;
            holding_continue_ = true;
            return p;
        }
        return Plan {};
    }
    if (level_outcome != 0 || level_running != 1 || level_start_pending == 1)
        return Plan {};  // the level is ending or not yet under way
    if (pause_state == 1) {
        p.kind = Plan::Key;
        p.key_code = kKeyEscape;
        p.key = 2;
        return p;
    }
    if (pause_state == 2) {
        p.kind = Plan::Click;
        p.at = {kHelpContinueX, kHelpContinueY};
        p.width = 40;
        p.key = 3;
        return p;
    }
    if (visor_page != 0) {
        // Read the page, then press its Continue once it is lit.
        if (visor_phase == 3 && ++visor_seen_ > profile_.read_frames) {
            visor_seen_ = profile_.read_frames / 2;
            p.kind = Plan::Click;
            p.at = {kVisorContinueX, kVisorContinueY};
            p.width = 36;
            p.key = 4;
            return p;
        }
        if (visor_phase != 3)
            visor_seen_ = 0;
        return Plan {};
    }
    visor_seen_ = 0;
    return std::nullopt;
}

std::optional<Plan> Bot::handle_robot(roboFlyT& robot)
{
    Plan p;
    if (robot.damaged == 1) {
        // Clicking the wandering repair icon is faster than waiting for the robot to cool.
        if (temperature > 6) {
            p.kind = Plan::Click;
            p.at = {robot.Fix_X + 12.5, robot.Fix_Y + 12.5};
            p.width = 25;
            p.key = 10;
            return p;
        }
        return Plan {};
    }
    // In the middle of a rescue the hand stays on the web unless the heat stops the laser.
    const bool rescuing = !threats_.empty() && any_urgent(threat_order());
    if (temperature > (rescuing ? profile_.emergency_cap - 10 : profile_.cool_above)) {
        std::optional<Plan> cool;
        power_ups_list.for_each([&](power_upsT& s) {
            if (!cool && s.cooling_item == 1 && s.cooling_active == 1) {
                Plan c;
                c.kind = Plan::Click;
                c.at = {static_cast<double>(s.cooling_x), static_cast<double>(s.cooling_y)};
                c.width = 44;
                c.key = 20 + s.id;
                cool = c;
            }
        });
        if (cool)
            return cool;
    }
    if (robot.action != 0 || robot.Curr_animation > 1)
        return Plan {};  // away on a flight or climbing back: it cannot aim yet
    return std::nullopt;
}

// A fly a spider is walking to: free it in time with the laser if the hand can, else
// freeze the spider, shield the fly or blow the web open at once.
std::optional<Plan> Bot::save_threatened()
{
    // A fly set free early only sends its spider to the next one sooner: the laser waits
    // until the hand would barely make it in time, counting the work of the threats
    // ahead of it, so that every spider spends its whole walk for nothing.
    // The fly under fire keeps the hand unless another is clearly sooner: switching
    // costs a reach and a moment's thought.
    const std::vector<Threat> order = threat_order();
    const bool urgent = any_urgent(order);
    // The time warp halves the spiders' pace while the robot cools as fast as ever.
    if (urgent && ready(kWarp) && temperature >= 30 && heat_allows(kHeatWarp, true) && aim_is_clear({kPlayX, kPlayY + 60})) {
        return fire(kWarp, Plan::RightClick, {kPlayX, kPlayY + 60}, 80, 2500);
    }
    // Taken in turn, earliest first, which flies the hand can still free in time: when
    // two spiders close in together, the shots go to the fly that can be saved rather
    // than half of each. A fly beyond the hand gets the other weapons, and the laser
    // only when no other fly needs it.
    std::vector<char> in_reach(order.size(), 0);
    std::vector<double> work(order.size());
    double busy_until = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        const double left = remaining(*order[i].fly, order[i].frames_left - 5);
        work[i] = left <= 0 ? 0 : laser_aim(*order[i].fly) ? laser_frames(*order[i].fly, left) : kSliceFrames;
        if (busy_until + work[i] <= order[i].frames_left + 15) {
            in_reach[i] = 1;
            busy_until += work[i];
        }
    }
    // A fly beyond reach is still worth the laser when trying for it until its spider gets
    // there leaves every fly in reach its time: the reckoning errs on the slow side.
    double borrowed = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (in_reach[i] || work[i] <= 0)
            continue;
        const double extra = std::min(work[i], order[i].frames_left);
        double before = 0;
        bool harmless = true;
        for (size_t j = 0; j < order.size(); ++j) {
            if (in_reach[j] != 1)
                continue;
            before += work[j];
            harmless = harmless && before + borrowed + extra <= order[j].frames_left + 15;
        }
        if (harmless) {
            in_reach[i] = 2;
            borrowed += extra;
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        if (auto p = rescue(order, in_reach, pass == 1, urgent))
            return p;
    }
    return std::nullopt;
}

std::optional<Plan> Bot::rescue(const std::vector<Threat>& order, const std::vector<char>& in_reach, bool any, bool urgent)
{
    for (size_t i = 0; i < order.size(); ++i) {
        const Threat& t = order[i];
        FlyT& f = *t.fly;
        if (t.frames_left > profile_.horizon)
            break;
        // On the first pass a fly beyond the hand's reach may still get the other weapons.
        const bool laser_may = any || in_reach[i];
        const double left = remaining(f, t.frames_left - 5);
        if (left <= 0)
            continue;  // what is on its way frees it in time
        Point c = hull_centre(f);
        if (!in_play(c, 4))
            continue;
        if (now_ < blast_until_ && dist(c, blast_at_) <= 110)
            continue;  // the freeze shot on its way will hold it
        const double shots = std::ceil(left / laser_damage(f));
        // Another weapon is worth its switch only while it can still land in time; once
        // it is in hand the switch is paid.
        const bool other_in_hand = active_weapon != kLaser;
        const bool laser_in_time = in_reach[i] == 1 && laser_aim(f)
                                   && (laser_frames(f, left) < t.frames_left || t.frames_left < (other_in_hand ? 45 : 70));
        // A shot that needs no fly under the pointer may land beside a special caught over it.
        const std::optional<Point> near = clear_near(c, 40);
        // A spider walking to its meal is worth freezing whenever the heat allows it: it eats
        // nothing for 425 frames while its hunger grows. A cocoon that costs the laser more
        // heat than a freeze or a shield (a butterfly's) is saved with those instead.
        const bool freeze_anyway = ready(kFreeze) && temperature + kHeatFreeze <= 70 && cooling_left_;
        const bool laser_dear = kHeatLaser * shots > 24 && (ready(kFreeze) || ready(kShield));
        // Short of time, a slice through the cocoon cuts it for 65 frames while the laser
        // keeps firing; it may take the heat kept for emergencies, this being one.
        const bool slice_helps = urgent && laser_frames(f, left) > t.frames_left && left > 2 * laser_damage(f) && ready(kLaser)
                                 && temperature + kHeatSlice <= profile_.emergency_cap - 25 && !(current_level == 1 && tutorial_step <= 5);
        if ((!laser_in_time && t.frames_left < 260) || freeze_anyway || laser_dear) {
            Point s = {t.spider->x, t.spider->y};
            // A freeze shot lands where the spider will be by then.
            if (ready(kFreeze) && heat_allows(kHeatFreeze, true) && in_play(s, 20)) {
                double flight = 5 + dist(s, {kShotStartX, kShotStartY}) / 8 + 15;
                double k = std::min(1.0, flight * (t.spider->sizeX + t.spider->boost) / std::max(1.0, dist(s, c)));
                Point at = {s.x + (c.x - s.x) * k, s.y + (c.y - s.y) * k};
                if (aim_is_clear(at))
                    return fire(kFreeze, Plan::Click, at, 60, 3000 + f.id);
            }
            if (ready(kShield) && heat_allows(kHeatShield, true)
                && t.frames_left > dist(c, {kShotStartX, kShotStartY}) / 5 + 30 && near)
                return fire(kShield, Plan::Click, *near, 60, 4000 + f.id);
            // With the laser in hand, a slice through the cocoon first: it costs no switch
            // and less heat than a bomb, and cuts while the laser keeps firing.
            if (slice_helps && active_weapon == kLaser) {
                if (auto cut = slice_through(f))
                    return cut;
            }
            // A bomb set off at once, while it can still land in time: the laser does the
            // rest.
            if (ready(kBomb) && heat_allows(kHeatBombNow, true) && near && !laser_in_time && (left > laser_damage(f) || !laser_aim(f))
                && bomb_lands_in(*near) < t.frames_left - 5)
                return fire(kBomb, Plan::RightClick, *near, 50, 5000 + f.id, bomb_effects(*near, true));
        }
        if (slice_helps) {
            if (auto cut = slice_through(f))
                return cut;
        }
        // A cocoon under a caught special cannot be clicked: the beam cuts it instead.
        if (urgent && !laser_aim(f) && ready(kLaser) && heat_allows(kHeatSlice, true)
            && t.frames_left > profile_.reaction + 30 + left / slice_damage(f) * kBeamFrames
            && !(current_level == 1 && tutorial_step <= 5)) {
            if (auto cut = slice_through(f))
                return cut;
        }
        // Otherwise the laser, unless even the luckiest hits in the quickest rhythm could
        // not open it in time: that heat is kept for the next one.
        const double shot_frames = profile_.repeat + profile_.hand.press_frames + profile_.hand.reach_base + 2;
        const bool hopeless = std::ceil(left / (1.3 * laser_damage(f))) * shot_frames + 15 > t.frames_left + 5;
        if (laser_may && !hopeless && urgent && ready(kLaser) && heat_allows(kHeatLaser, true) && laser_aim(f)) {
            if (auto sel = select(kLaser))
                return sel;
            return laser_at(f);
        }
    }
    return std::nullopt;
}

std::vector<Threat> Bot::threat_order() const
{
    std::vector<Threat> order = threats_;
    std::stable_sort(order.begin(), order.end(), [&](const Threat& a, const Threat& b) {
        return a.frames_left - (a.fly->id == last_fly_ ? 30 : 0) < b.frames_left - (b.fly->id == last_fly_ ? 30 : 0);
    });
    return order;
}

// Whether the threats, taken in turn, leave the hand only its slack to spare.
bool Bot::any_urgent(const std::vector<Threat>& order) const
{
    double queued = 0;
    for (const Threat& t : order) {
        const double left = remaining(*t.fly, t.frames_left - 5);
        if (left <= 0 || t.frames_left > profile_.horizon)
            continue;
        queued += laser_aim(*t.fly) ? laser_frames(*t.fly, left) : kSliceFrames;
        if (queued + profile_.slack >= t.frames_left)
            return true;
    }
    return false;
}

// Frames from now until a bomb set off at `at` goes off: the switch to it, the reach and
// the flight.
double Bot::bomb_lands_in(Point at) const
{
    const double switch_frames = active_weapon != kBomb ? profile_.reaction + 5 : 0;
    return switch_frames + profile_.hand.reach_base + 2 * profile_.hand.reach_per_bit + dist(at, {kShotStartX, kShotStartY}) / 8 + 6;
}

// Frames the hand needs to wear `left` off a cocoon with the laser: the reach, the shots,
// the last one's flight, and the wait for the robot to cool (0.1 a frame) when the
// heat left before the cap does not cover them all.
double Bot::laser_frames(const FlyT& f, double left) const
{
    const double shots = std::ceil(left / laser_damage(f));
    const double shot_frames = profile_.repeat + profile_.hand.press_frames + profile_.hand.reach_base + 2;
    const double headroom = std::max(0.0, static_cast<double>(profile_.emergency_cap - temperature) / kHeatLaser);
    const double cooling_wait = std::max(0.0, shots - headroom) * kHeatLaser / 0.1;
    // Another weapon in hand costs a key and a moment to take the laser back.
    const double switch_frames = active_weapon != kLaser ? profile_.reaction + 5 : 0;
    // The hand already on this cocoon needs no new look and no reach: only the last flight.
    // Another takes a moment's thought, the reach there and the flight.
    const double reach = dist(hull_centre(f), {static_cast<double>(hand_.x()), static_cast<double>(hand_.y())});
    const double start = f.id == last_fly_ && active_weapon == kLaser
                             ? 7.0 + profile_.reaction
                             : std::min(30.0, profile_.reaction + profile_.hand.reach_base + profile_.hand.reach_per_bit * std::log2(1 + reach / 20) + 15);
    return start + switch_frames + std::max(shots * shot_frames, cooling_wait);
}

Plan Bot::laser_at(const FlyT& f)
{
    Plan p;
    p.kind = Plan::Click;
    const Point c = hull_centre(f);
    p.at = laser_aim(f).value_or(c);
    p.aim_offset = {p.at.x - c.x, p.at.y - c.y};
    p.width = std::min(f.HullWidth, f.HullHeight) * (p.aim_offset.x == 0 && p.aim_offset.y == 0 ? 1.0 : 0.5);
    p.target_fly = f.id;
    p.key = 1000 + f.id;
    p.shot = true;
    double flight = (15 + dist(p.at, {kLaserStartX, kLaserStartY}) / 25) / 2;
    p.effects.push_back({f.id, laser_damage(f), static_cast<int64_t>(flight) - 1});
    return p;
}

// Bombs on clusters, the alpha missile on a crowded web, slices through lines of flies.
std::optional<Plan> Bot::use_area_weapons(bool crowded_only)
{
    std::vector<FlyT*> open;
    for (FlyT* f : trapped_) {
        if (remaining(*f) > 0)
            open.push_back(f);
    }
    if (open.empty())
        return std::nullopt;
    // The alpha missile opens every cocoon on the screen: worth it on a crowded web when
    // cool enough not to break the robot, or when the web is so full that the laser would
    // need twice its heat: then breaking the robot costs only the heat above the limit, and
    // with every cocoon open no spider has a meal to walk to while the hand repairs it.
    auto alpha_pays = [&] {
        double saving = 0;
        for (FlyT* f : open)
            saving += laser_heat(*f, std::min(remaining(*f), 100.0));
        return temperature + kHeatAlpha <= 99 || (saving >= 2 * kHeatAlpha && !any_urgent(threat_order()));
    };
    if (!crowded_only && ready(kAlpha) && open.size() >= 6 && alpha_pays()) {
        Point at = {kPlayX, kPlayY - 60};
        if (aim_is_clear(at)) {
            std::vector<Pending> effects;
            for (FlyT* f : open)
                effects.push_back({f->id, 100, static_cast<int64_t>(50 + dist(at, {kShotStartX, kShotStartY}) / 8)});
            return fire(kAlpha, Plan::Click, at, 80, 6000, std::move(effects));
        }
    }
    // A thrown bomb goes off 200 frames after landing: aim it where it opens the most web.
    // Area weapons open several cocoons for their heat: they may run warmer than the laser.
    const float area_cap = profile_.heat_cap + 20;
    if (ready(kBomb) && temperature + kHeatBomb <= profile_.emergency_cap - 8) {
        double best = 0, best_saving = 0;
        int best_count = 0;
        Point best_at;
        for (size_t i = 0; i < open.size(); ++i) {
            for (size_t j = i; j < open.size(); ++j) {
                Point a = hull_centre(*open[i]), b = hull_centre(*open[j]);
                Point mid = {(a.x + b.x) / 2, (a.y + b.y) / 2};
                double v = 0, saving = 0;
                int count = 0;
                for (FlyT* f : open) {
                    double left = remaining(*f);
                    if (dist(hull_centre(*f), mid) > kBombRadius - 12 || left <= 2 * laser_damage(*f))
                        continue;
                    v += std::min(left, bomb_damage(*f, false));
                    saving += laser_heat(*f, std::min(left, bomb_damage(*f, false)));
                    ++count;
                }
                if (v > best && aim_is_clear(mid)) {
                    best = v;
                    best_count = count;
                    best_saving = saving;
                    best_at = mid;
                }
            }
        }
        // A crowded web is worth the heat the laser would keep for itself, and so is a bomb
        // that spares the laser half as much heat again as it costs: heat is what runs out.
        float cap = best_count >= 4 ? profile_.emergency_cap - 8 : area_cap;
        if (best_saving >= 1.5 * kHeatBomb)
            cap = std::max(cap, profile_.emergency_cap - 20);
        // A group earns the tactic bonus; a pair is worth a bomb when it saves the laser
        // clearly more heat than the bomb costs (two butterflies, say).
        const bool worth = best_count >= profile_.cluster_min || (best_count >= 2 && best_saving >= 1.25 * kHeatBomb);
        if ((crowded_only ? best_count >= 4 : worth) && temperature + kHeatBomb <= cap)
            return fire(kBomb, Plan::Click, best_at, 50, 7000 + static_cast<long>(best_at.x) * 1000 + static_cast<long>(best_at.y),
                        bomb_effects(best_at, false));
    }
    // The slice: a beam dragged across two or more cocoons cuts each for its 65 frames.
    if (!crowded_only && ready(kLaser) && temperature + kHeatSlice <= profile_.emergency_cap - 20 && !(current_level == 1 && tutorial_step <= 5)) {
        double best_value = 0, best_saving = 0;
        int best_count = 0;
        Point best_a, best_b;
        std::vector<FlyT*> best_cut;
        for (size_t i = 0; i < open.size(); ++i) {
            for (size_t j = 0; j < open.size(); ++j) {
                if (i == j)
                    continue;
                Point a = hull_centre(*open[i]), b = hull_centre(*open[j]);
                double d = dist(a, b);
                if (d < 30 || d > kSliceReach - 40)
                    continue;
                Point u = {(b.x - a.x) / d, (b.y - a.y) / d};
                Point from = {a.x - u.x * 18, a.y - u.y * 18}, to = {b.x + u.x * 18, b.y + u.y * 18};
                if (!in_play(from, 20) || !in_play(to, 20) || to.x < 250 || to.x > 723 || to.y < 169 || to.y > 560)
                    continue;
                double value = 0, saving = 0;
                std::vector<FlyT*> cut;
                for (FlyT* f : open) {
                    Point c = hull_centre(*f);
                    // Along the beam and close enough to its line to be crossed.
                    double along = (c.x - from.x) * u.x + (c.y - from.y) * u.y;
                    double off = std::fabs((c.x - from.x) * u.y - (c.y - from.y) * u.x);
                    if (along < 0 || along > dist(from, to) || off > std::min(f->HullWidth, f->HullHeight) / 2.0 - 2)
                        continue;
                    cut.push_back(f);
                    value += std::min(remaining(*f), slice_damage(*f));
                    saving += laser_heat(*f, std::min(remaining(*f), slice_damage(*f)));
                }
                if (value > best_value) {
                    best_value = value;
                    best_count = static_cast<int>(cut.size());
                    best_saving = saving;
                    best_cut = cut;
                    best_a = from;
                    best_b = to;
                }
            }
        }
        const bool worth = (best_count >= profile_.cluster_min && best_value >= 90) || (best_count >= 2 && best_saving >= 1.25 * kHeatSlice);
        if (worth && temperature + kHeatSlice <= (best_saving >= 1.5 * kHeatSlice ? profile_.emergency_cap - 20 : area_cap)) {
            std::vector<Pending> effects;
            for (FlyT* f : best_cut)
                add_beam_effects(effects, *f);
            return fire(kLaser, Plan::Drag, best_a, 20, 8000 + static_cast<long>(best_a.x) * 1000 + static_cast<long>(best_a.y),
                        std::move(effects), best_b);
        }
    }
    return std::nullopt;
}

// The first level's lesson in slicing waits for a slice.
std::optional<Plan> Bot::tutorial_slice()
{
    if (current_level != 1 || tutorial_step != 6 || trapped_.empty() || !heat_allows(kHeatSlice, true))
        return std::nullopt;
    for (FlyT* f : trapped_) {
        if (auto cut = slice_through(*f))
            return cut;
    }
    return std::nullopt;
}

// A short slice across one cocoon (or the plan that selects the laser for it).
std::optional<Plan> Bot::slice_through(const FlyT& f)
{
    const Point c = hull_centre(f);
    const Point from = {c.x - 45, c.y - 10}, to = {c.x + 45, c.y + 10};
    if (!in_play(from, 20) || !in_play(to, 20))
        return std::nullopt;
    std::vector<Pending> effects;
    add_beam_effects(effects, f);
    return fire(kLaser, Plan::Drag, from, 20, 8500 + f.id, std::move(effects), to);
}

// The laser on the fly that most needs it: the expert frees first what the spiders will
// reach first; the casual player shoots whatever is nearest the pointer.
std::optional<Plan> Bot::free_a_fly()
{
    // A cocoon a spider could reach and eat before the hand could answer is opened while
    // there is time, with some of the heat kept for emergencies while a cooling module
    // can give it back: against such a spider the reserve would come too late.
    const bool cool = heat_allows(kHeatLaser, false);
    if (trapped_.empty() || !ready(kLaser) || (!cool && (!cooling_left_ || temperature + kHeatLaser > profile_.emergency_cap - 30)))
        return std::nullopt;
    FlyT* best = nullptr;
    double best_score = 1e18;
    for (FlyT* f : trapped_) {
        Point c = hull_centre(*f);
        double left = remaining(*f);
        if (left <= 0 || !laser_aim(*f))
            continue;
        double nearest = 1e9, eaten_in = 1e9;
        spider_list.for_each([&](SpiderT& s) {
            if (s.action == 3)
                return;
            const double walk = std::max(std::fabs(s.x - f->x), std::fabs(s.y - f->y)) / std::max(0.1f, s.sizeX);
            nearest = std::min(nearest, walk);
            const double away = s.action == 2 ? s.freeze_time : 0;
            eaten_in = std::min(eaten_in, slowed(away + walk * s.sizeX / (s.sizeX + s.boost) + f->life / std::max(0.1f, s.sizeX)));
        });
        const bool exposed = eaten_in < laser_frames(*f, left) + 20;
        if (!cool && !exposed)
            continue;
        // A cocoon one shot from opening is left hanging as bait: the spider walks to it
        // and the last shot frees it under its nose. It is freed outright only when the
        // robot is cool and there is nothing else to wear down, or when the hand could not
        // answer in time.
        const bool worn = left <= laser_damage(*f) * 0.67;
        double score = worn && !exposed ? 1e9 : 0;
        if (worn && temperature > profile_.clear_below && !exposed)
            continue;
        // Frames a spider needs to get there, plus what the fly costs to free; the casual
        // player also favours what lies near the pointer.
        score += nearest + 6 * std::ceil(left / laser_damage(*f));
        if (skill_ == BotSkill::Expert) {
            if (f->id == last_fly_)
                score -= 40;  // finish what was started
        } else {
            score += 0.5 * dist(c, {static_cast<double>(hand_.x()), static_cast<double>(hand_.y())});
        }
        // A cocoon the hand could not open in the time a spider's walk usually leaves
        // (a fresh butterfly's) is worn down first, while no spider is after it.
        if (laser_frames(*f, left) > kUsualNotice)
            score -= 1000;
        if (score < best_score) {
            best_score = score;
            best = f;
        }
    }
    if (!best)
        return std::nullopt;
    if (auto sel = select(kLaser))
        return sel;
    return laser_at(*best);
}

std::optional<Plan> Bot::fetch_special()
{
    if (!profile_.fetches_specials || free_slots <= 0)
        return std::nullopt;
    // The flight takes the robot away for some 570 frames: it goes only when no spider
    // could reach and eat a fly meanwhile (all frozen, or the web nearly empty), counting
    // the flies still flying in.
    constexpr double kTripFrames = 600;
    // While flies keep coming, one may land beside a spider while the robot is away.
    const bool more_to_come = !event_list.empty();
    bool safe = true;
    spider_list.for_each([&](SpiderT& s) {
        if (s.action == 3)
            return;
        const double frozen = s.action == 2 ? s.freeze_time * (time_scale == 1.0f ? 1.0 : 2.0) : 0;
        if (more_to_come && frozen + 100 < kTripFrames)
            safe = false;
        fly_list.for_each([&](FlyT& f) {
            if (!is_real_fly(f) || f.life <= 0 || f.free_life <= 0 || (f.status != 0 && f.status != 1 && f.status != 5))
                return;
            const double arriving = f.status == 0 ? f.fly_time : 0;
            const double walk = std::max(std::fabs(s.x - f.x), std::fabs(s.y - f.y)) / std::max(0.1f, s.sizeX + 1);
            if (std::max(frozen, arriving) + walk + f.life / std::max(0.1f, s.sizeX) < kTripFrames)
                safe = false;
        });
    });
    if (!safe)
        return std::nullopt;
    std::optional<Plan> fetch;
    special_list.for_each([&](FlySpecT& s) {
        Point c = hull_centre(s);
        if (fetch || s.script != 3 || !in_play(c))
            return;
        Plan p;
        p.kind = Plan::Click;
        p.at = c;
        p.width = 36;
        p.key = 9000 + s.id;
        fetch = p;
    });
    return fetch;
}

Plan Bot::choose()
{
    if (auto p = answer_screens())
        return *p;
    roboFlyT* robot = robot_list.first();
    if (!robot)
        return Plan {};
    if (auto p = handle_robot(*robot))
        return *p;
    if (auto p = follow_through())
        return *p;
    if (auto p = tutorial_slice())
        return *p;
    // A bomb into a crowded web first, unless a fly is about to be eaten.
    if (!any_urgent(threat_order()) && (threats_.empty() || threats_.front().frames_left > 150)) {
        if (auto p = use_area_weapons(true))
            return *p;
    }
    if (auto p = save_threatened())
        return *p;
    // With time to spare, a new weapon is worth the trip.
    if (auto p = fetch_special())
        return *p;
    if (auto p = use_area_weapons())
        return *p;
    if (auto p = free_a_fly())
        return *p;
    return Plan {};
}

void Bot::execute(const Plan& p)
{
    tracked_fly_ = p.target_fly;
    tracked_offset_ = p.aim_offset;
    switch (p.kind) {
    case Plan::Idle: break;
    case Plan::Key: hand_.tap_key(p.key_code); break;
    case Plan::Click: hand_.click(1, p.at.x, p.at.y, p.width); break;
    case Plan::RightClick: hand_.click(2, p.at.x, p.at.y, p.width); break;
    case Plan::Drag: hand_.drag(2, p.at.x, p.at.y, p.to.x, p.to.y); break;
    case Plan::Hold: hand_.press_at(1, p.at.x, p.at.y, p.width); break;
    }
    if (p.shot)
        ++result_.shots;
    if (p.target_fly >= 0)
        last_fly_ = p.target_fly;
    // The effects are counted from when the hand will have clicked, reckoned on the quick
    // side: a shot taken for landed too soon costs one more shot, one taken for still in
    // flight after it landed costs a fly.
    // A slice's beam starts when the drag lets go: the reach to its start (a 16 px target)
    // and the drag itself.
    const double reach = dist(p.at, {static_cast<double>(hand_.x()), static_cast<double>(hand_.y())});
    auto reach_frames = [&](double distance, double width) {
        return profile_.hand.reach_base + profile_.hand.reach_per_bit * std::log2(1 + distance / std::max(4.0, width));
    };
    const int64_t click_at = now_
                             + static_cast<int64_t>(p.kind == Plan::Drag ? reach_frames(reach, 16) + 5 + reach_frames(dist(p.at, p.to), 40)
                                                                         : reach_frames(reach, p.width) * 0.85);
    guard_.reset();
    guard_effects_.clear();
    if (p.shot && p.kind == Plan::Click)
        guard_ = p.at;
    if (p.shot && p.key >= 3000 && p.key < 4000) {
        blast_at_ = p.at;
        blast_until_ = click_at + static_cast<int64_t>(dist(p.at, {kShotStartX, kShotStartY}) / 8 + 10);
    }
    for (Pending e : p.effects) {
        e.done_at += click_at;
        pending_.push_back(e);
        guard_effects_.push_back(e);
    }
}

// Notes the level's start and outcome, and reports it once the game has tallied it.
void Bot::follow_level(int64_t now)
{
    if (last_pending_ == 1 && level_start_pending == 0 && level_running == 1) {
        // A new level, or the same one again: nothing seen or planned in the last one
        // carries over (fly numbers start again from 0).
        pending_.clear();
        guard_.reset();
        guard_effects_.clear();
        follow_up_.reset();
        follow_up_weapon_ = 0;
        warp_seen_ = false;
        blast_until_ = 0;
        delay_ = 0;
        last_key_ = -1;
        noticed_ = false;
        tracked_fly_ = -1;
        last_fly_ = -1;
        visor_seen_ = 0;
        in_level_ = true;
        result_ = BotLevelResult {};
        result_.level = current_level;
        result_.difficulty = difficulty;
        result_.frames = -now;
        result_pending_ = false;
        last_damaged_ = 0;
    }
    last_pending_ = level_start_pending;
    if (!in_level_)
        return;
    if (roboFlyT* robot = robot_list.first()) {
        if (robot->damaged == 1 && last_damaged_ == 0)
            ++result_.overheats;
        last_damaged_ = robot->damaged;
    }
    if (level_outcome != 0 && last_outcome_ == 0 && !result_pending_) {
        result_.outcome = level_outcome;
        result_.frames += now;
        result_.ticks = level_ticks;
        result_.flies_lost = fly_death_count - flies_left;
        result_.flies_released = flies_released;
        result_.main_score = main_score;
        result_.tactic_bonus = tactic_bonus;
        result_.time_bonus_left = time_bonus_left;
        result_pending_ = true;
    }
    if (result_pending_ && level_outcome == 1 && level_start_pending == 1) {
        // The results screen: its tally is final from its first frame on.
        result_.main_score = main_score;
        result_.tactic_bonus = tactic_bonus;
        result_.time_bonus_left = time_bonus_left;
    }
    const bool lost = result_pending_ && result_.outcome == 2;
    const bool tallied = result_pending_ && result_.outcome == 1 && last_outcome_ == 1 && level_outcome == 0;
    if (lost || tallied) {
        result_.total = result_.main_score + result_.tactic_bonus + result_.time_bonus_left;
        const int limits[5] = {one_star_limit, two_star_limit, three_star_limit, four_star_limit, five_star_limit};
        result_.stars = lost ? 0 : static_cast<int>(std::count_if(std::begin(limits), std::end(limits), [&](int l) { return result_.total >= l; }));
        result_pending_ = false;
        in_level_ = false;
        if (on_level_end_)
            on_level_end_(result_);
    }
    last_outcome_ = level_outcome;
}

void Bot::frame(int64_t now)
{
    now_ = now;
    std::erase_if(pending_, [&](const Pending& p) { return p.done_at < now; });
    hand_.see_pointer(MouseX(), MouseY());
    follow_level(now);
    // A press that slipped off the results' Continue is let go and tried again.
    const bool off_continue = !hand_.busy() && (std::fabs(hand_.x() - kResultsContinueX) > 105 || std::fabs(hand_.y() - kResultsContinueY) > 30);
    if (holding_continue_ && (!(level_outcome == 1 && level_start_pending == 1) || off_continue)) {
        holding_continue_ = false;
        hand_.cancel();
    }
    // Between the levels the campaign's screens take the hand; what either side had under
    // way when the screen changed is let go.
    const bool outside = campaign_.frame(now);
    if (outside != outside_level_) {
        outside_level_ = outside;
        if (outside)
            hand_.cancel();
    }
    if (outside) {
        hand_.step();
        return;
    }
    look();
    if (hand_.busy()) {
        if (guard_) {
            if (tracked_fly_ >= 0) {
                if (FlyT* f = find_fly(tracked_fly_)) {
                    Point c = hull_centre(*f);
                    guard_ = Point {c.x + tracked_offset_.x, c.y + tracked_offset_.y};
                    hand_.retarget(guard_->x, guard_->y);
                }
            }
            // A special that comes to hang where the shot is going: the hand holds back.
            if (!hand_.holding(1) && !aim_is_clear(*guard_)) {
                hand_.cancel();
                for (const Pending& e : guard_effects_) {
                    auto same = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& q) {
                        return q.fly == e.fly && q.done_at == e.done_at && q.damage == e.damage;
                    });
                    if (same != pending_.end())
                        pending_.erase(same);
                }
                guard_.reset();
                last_key_ = -1;
                return;
            }
        }
        hand_.step();
        return;
    }
    guard_.reset();
    if (delay_ > 0) {
        --delay_;
        return;
    }
    Plan p = choose();
    if (p.kind == Plan::Idle) {
        delay_ = 1;
        return;
    }
    // Something new takes a moment to take in; a repeat of the last action does not.
    if (p.key != last_key_ && !noticed_ && p.kind != Plan::Hold) {
        noticed_ = true;
        delay_ = profile_.reaction;
        return;
    }
    noticed_ = false;
    last_key_ = p.key;
    execute(p);
    delay_ = profile_.repeat;
    hand_.step();
}

std::unique_ptr<Bot> g_bot;

}  // namespace

void StartAutoplay(const BotOptions& options)
{
    g_bot = std::make_unique<Bot>(options);
    SetInputSource([](int64_t frame) {
        if (g_bot)
            g_bot->frame(frame);
    });
}

void StopAutoplay()
{
    SetInputSource(nullptr);
    g_bot.reset();
}
