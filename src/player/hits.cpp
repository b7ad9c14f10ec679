// What projectiles do on hit: weakening the web's hold on trapped flies, freezing flies
// and spiders, shielding flies, breaking containers and the tactic bonus for multi-hits.
// Runs once a frame per projectile, before its script; the deployment of mines and modules
// is done here too, since their landing is what arms them.
#include <algorithm>
#include <cmath>
#include <string>

#include "entities/helpers.h"
#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/hits.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "world/container.h"
#include "world/fly.h"
#include "world/spider.h"

namespace {

int ix(float v) { return static_cast<int>(v); }

double distance_to(const Actor& a, float x, float y)
{
    return point_distance(ix(a.x), ix(a.y), ix(x), ix(y));
}

// Flies a weapon may act on: not the lure decoy, not eaten, not already free.
bool eligible(const FlyT& f) { return f.name != "lure_module" && f.status != 2 && f.status != 3; }

bool entrance(const FlyT& f) { return f.name == "Enterence" || f.name == "Enterence2"; }

// Damage by kind: {normal, komar, butterfly}; other names take none.
float damage_by_kind(const FlyT& f, float normal, float komar, float butterfly)
{
    if (f.name == "normal")
        return normal;
    if (f.name == "komar")
        return komar;
    if (f.name == "butterfly")
        return butterfly;
    return 0;
}

// Lowers a fly's hold and reports whether this hit is the one that opened it.
bool weaken(FlyT& f, float amount)
{
    const bool was_held = f.free_life > 0;
    f.free_life -= amount;
    return was_held && f.free_life <= 0;
}

// The hit area weapons test against: the half extents around the centre.
struct Box {
    float left, top, right, bottom;
};

template <typename T>
Box weapon_box(const T& a)
{
    return {a.x - static_cast<float>(a.Half_hull_width), a.y - static_cast<float>(a.Half_hull_height),
            a.x + static_cast<float>(a.Half_hull_width), a.y + static_cast<float>(a.Half_hull_height)};
}

// The beam crosses the box when it enters through a side either way along it, so a beam
// starting inside a hit area still counts.
bool beam_crosses(const BulletT& beam, const Box& r)
{
    const float ex = static_cast<float>(beam.destination_x);
    const float ey = static_cast<float>(beam.destination_y);
    return segment_crosses_rect(beam.x, beam.y, ex, ey, r.left, r.top, r.right, r.bottom) == 1 ||
           segment_crosses_rect(ex, ey, beam.x, beam.y, r.left, r.top, r.right, r.bottom) == 1;
}

float slice_margin(const FlyT& f)
{
    if (f.name == "normal")
        return 50;
    if (f.name == "komar")
        return 37;
    if (f.name == "butterfly")
        return 70;
    return 40;
}

// Freezes every fly a freeze blast at (x, y) reaches.
void freeze_flies_around(float x, float y)
{
    fly_list.for_each([&](FlyT& f) {
        if (eligible(f) && !entrance(f) && f.fly_avail == 1 && distance_to(f, x, y) <= 105)
            freeze_fly(f);
    });
}

// The laser lands in the small box round the point clicked, or, should its path pass
// beside that box, once it has flown its flight's length: it never flies on for ever.
void land_laser(BulletT& b)
{
    const bool at_point =
        rects_overlap(ix(b.x), ix(b.y), 1, 1, b.destination_x - 1, b.destination_y - 1, 2, 2) == 1;
    const double flown = std::hypot(b.x - b.launch_x, b.y - b.launch_y);
    const double flight = std::hypot(static_cast<float>(b.destination_x) - b.launch_x,
                                     static_cast<float>(b.destination_y) - b.launch_y);
    if (!at_point && flown < flight)
        return;
    fly_list.for_each([&](FlyT& f) {
        if (f.id != b.fly_id || !eligible(f))
            return;
        weaken(f, damage_by_kind(f, static_cast<float>(Rnd(10, 20)), 50, 5));
        const float spark = f.name == "butterfly" ? 1.5f : 1.0f;
        emitterT::Collision_Lazer_r(ix(b.x) + Rand(-3, 3), ix(b.y) + Rand(-3, 3), spark, 0.9f);
    });
    b.fired = 1;
}

void cut_with_beam(BulletT& b)
{
    const float ex = static_cast<float>(b.destination_x);
    const float ey = static_cast<float>(b.destination_y);
    const float left = std::min(b.x, ex);
    const float right = std::max(b.x, ex);
    const float top = std::min(b.y, ey);
    const float bottom = std::max(b.y, ey);
    fly_list.for_each([&](FlyT& f) {
        if (!eligible(f) || !(f.free_life > 0) || (f.status != 1 && f.status != 5))
            return;
        const float m = slice_margin(f);
        if (!(f.x > left - m && f.x < right + m && f.y > top - m && f.y < bottom + m))
            return;
        if (!beam_crosses(b, weapon_box(f)))
            return;
        const bool opened = weaken(f, damage_by_kind(f, 1, 4, 0.5f));
        if (f.name == "normal") {
            if (f.life < 12 && Rand(1, 4) == 1)
                emitterT::Collision_Lazer_r(ix(f.x), ix(f.y), 1.0f, 0.6f);
        } else if (f.name == "komar") {
            if (Rand(1, 3) == 1)
                emitterT::Collision_Lazer_r(ix(f.x), ix(f.y), 1.0f, 0.6f);
        } else if (f.name == "butterfly") {
            if (f.life < 6 && Rand(1, 6) == 1)
                emitterT::Collision_Lazer_r(ix(f.x + 3), ix(f.y + 6), 1.5f, 0.6f);
        }
        if (opened)
            b.lazer_r_tactic_cnt_loc += 1;
    });
    container_list.for_each([&](ContainerT& c) {
        if (c.script == 2 && beam_crosses(b, weapon_box(c)))
            c.script = 3;
    });
}

void blast_bomb(BulletT& b)
{
    if (b.time > 0 || b.fired == 1)
        return;
    const bool thrown = b.w_type == "bomb_l";
    // Only the flies this blast opens count: flies opened earlier (frozen ones wait at 0
    // or below until they thaw) would otherwise pay again with every later bomb.
    int opened = 0;
    fly_list.for_each([&](FlyT& f) {
        if (!eligible(f) || f.fly_avail != 1 || distance_to(f, b.x, b.y) > 90)
            return;
        const float damage = thrown ? damage_by_kind(f, 80, 100, 40) : damage_by_kind(f, 55, 100, 30);
        if (weaken(f, damage))
            opened += 1;
    });
    if (point_distance(ix(b.x), ix(b.y), b.destination_x, b.destination_y) <= 15) {
        container_list.for_each([&](ContainerT& c) {
            if (c.script == 2 && distance_to(c, b.x, b.y) <= 90)
                c.script = 3;
        });
    }
    b.fired = 1;
    if (opened > 2)
        tactic_bonus += 10 * (opened - 2);
}

void land_freeze_shot(BulletT& b)
{
    if (b.fired == 1 || point_distance(ix(b.x), ix(b.y), b.destination_x, b.destination_y) > 15)
        return;
    freeze_flies_around(b.x, b.y);
    b.fired = 1;
}

// An armed mine goes off under the first spider that walks onto it and is not yet frozen
// or dead: once, with one bonus.
void watch_mine(BulletT& b)
{
    SpiderT* victim = nullptr;
    spider_list.for_each([&](SpiderT& s) {
        if (victim || (s.action != 0 && s.action != 1))
            return;
        if (rects_overlap(ix(s.x) - 10, ix(s.y) - 10, 20, 25, ix(b.x) - 15, ix(b.y) - 15, 30, 30) == 1)
            victim = &s;
    });
    if (!victim)
        return;
    freeze_spider(*victim, 500);
    tactic_bonus += 10;
    play_sound(freeze_explode_ogg, sound_volume, 0);
    emitterT::Create_New_Emitter(ix(b.x), ix(b.y), 35, 6);
    freeze_flies_around(b.x, b.y);
    bullet_list.remove(&b);
}

void shield_flies(const BulletT& b)
{
    fly_list.for_each([&](FlyT& f) {
        if (!eligible(f) || entrance(f) || f.status != 1 || distance_to(f, b.x, b.y + 5) > 130)
            return;
        f.status = 5;
        f.caution = 0;
        f.shielded_timer = 10;
    });
}

void arm_alpha_missile(BulletT& b)
{
    if (b.fired == 0 && point_distance(ix(b.x), ix(b.y), b.destination_x, b.destination_y) <= 15)
        b.fired = 1;
}

// Unfolding and landing of mines and modules.
void deploy(BulletT& b)
{
    const double d = point_distance(ix(b.x), ix(b.y), b.destination_x, b.destination_y);
    const bool mine = b.w_type == "freeze_mine";
    if (b.action_type == 1 && d < 55) {
        b.action_type = 2;
        b.animation_script = 1;
        if (mine) {
            b.frame = 5;
            b.MaxFrames = 9;
        } else {
            b.animated = 1;
            b.frame = 1;
            b.MaxFrames = 5;
        }
    }
    if (b.action_type == 2 && d < 10) {
        b.action_type = 3;
        // Rests on the strip's last picture.
        b.frame = static_cast<float>(b.MaxFrames - 1);
        b.animated = 2;
    }
    if (b.action_type != 3)
        return;
    if (mine) {
        b.fired = 1;
    } else if (b.w_type == "lure_module") {
        FlyT::create_lure_module(ix(b.x), ix(b.y), b.angel);
        bullet_list.remove(&b);
    } else {
        emitterT::Shield_main_Particle(ix(b.x), ix(b.y + 5));
        BulletT::Create_shield_empty_entity(b.x, b.y);
        play_sound(shield_creation_ogg, sound_volume, 0);
        b.action_type = 4;
        b.fired = 1;
    }
}

}  // namespace

void freeze_fly(FlyT& f)
{
    f.freeze_time = std::trunc(static_cast<float>(Rnd(335, 355)));
    f.animated = 2;
    f.frame = 0;
    f.status = 4;
    if (f.name == "normal")
        f.entity = fly_normal_frozen_png;
    else if (f.name == "komar")
        f.entity = fly_komar_frozen_png;
    else if (f.name == "butterfly")
        f.entity = fly_butterfly_frozen_png;
}

bool freeze_spider(SpiderT& s, float frames)
{
    if (s.action == 2 || s.action == 3)
        return false;
    // Drops the claim on the web point and the warning sign when it was walking to a fly;
    // a target freed earlier this frame has neither any more, and is skipped.
    s.release_target();
    s.action = 2;
    s.animated = 2;
    s.frame = 0;
    s.freeze_time = frames;
    return true;
}

void freeze_spiders_around(float x, float y, float frames)
{
    spider_list.for_each([&](SpiderT& s) {
        if (distance_to(s, x, y) <= 100)
            freeze_spider(s, frames);
    });
}

void alpha_blast()
{
    container_list.for_each([](ContainerT& c) {
        if (c.script == 2)
            c.script = 3;
    });
    // Flies still arriving, eaten or free, the entrance markers and the lure are left
    // alone: a marker set free would leave its spider entering for ever.
    int opened = 0;
    fly_list.for_each([&](FlyT& f) {
        if (f.status == 0 || f.status == 2 || f.status == 3 || entrance(f) || f.name == "lure_module")
            return;
        if (weaken(f, 100))
            opened += 1;
    });
    if (opened > 10)
        tactic_bonus += 10 * (opened - 2);
}

void BulletT::Bullet_interaction()
{
    if (w_type == "lazer_l") {
        if (fired == 0)
            land_laser(*this);
    } else if (w_type == "lazer_r") {
        if (script == 2)
            cut_with_beam(*this);
    } else if (w_type == "bomb_l" || w_type == "bomb_r") {
        blast_bomb(*this);
    } else if (w_type == "freeze_l") {
        land_freeze_shot(*this);
    } else if (w_type == "freeze_mine" || w_type == "lure_module" || w_type == "shield_module") {
        if (action_type == 3 && w_type == "freeze_mine")
            watch_mine(*this);
        else
            deploy(*this);
    } else if (w_type == "shield") {
        shield_flies(*this);
    } else if (w_type == "alpha_missle_l") {
        arm_alpha_missile(*this);
    }
}
