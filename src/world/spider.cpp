// Spiders.
#include "world/spider.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "fx/emitter.h"
#include "persist/profile.h"
#include "persist/xml_document.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/play.h"
#include "state/scores.h"
#include "world/fly.h"
#include "world/level_file.h"
#include "world/level_object.h"
#include "world/web_point.h"

int death_tally = 0;

namespace {

int int_value(xmlNode* parent, const char* name, int fallback)
{
    int v = fallback;
    return find_int_value(parent, name, v) ? v : fallback;
}

float float_value(xmlNode* parent, const char* name, float fallback)
{
    float v = fallback;
    return find_float_value(parent, name, v) ? v : fallback;
}

// One spider from its element (nullptr: every value takes its default).
void make_spider(xmlNode* values, int num, bool sizes_from_file)
{
    SpiderT* s = spider_list.create();
    s->entity = spider_png;
    s->MaxFrames = 18;
    s->frame = static_cast<float>(Rnd(0, 18));
    s->animation_script = 2;
    s->AnimationSpeed = 0.4f;
    s->num = num;
    s->x = static_cast<float>(int_value(values, "spider_x", SpiderDefaults::spider_x));
    s->y = static_cast<float>(int_value(values, "spider_y", SpiderDefaults::spider_y));
    s->angel = static_cast<float>(int_value(values, "angel", SpiderDefaults::angel));
    if (sizes_from_file) {
        s->sizeX = float_value(values, "spider_SizeX", SpiderDefaults::spider_SizeX);
        s->sizeY = float_value(values, "spider_SizeY", SpiderDefaults::spider_SizeY);
    } else {
        s->sizeX = s->sizeY = 1.0f;
    }
    s->Boost_rnd = int_value(values, "boost_rnd", SpiderDefaults::boost_rnd);
    s->Max_Hunger_speed = float_value(values, "max_hunger", SpiderDefaults::max_hunger);
    s->Hunger_accelerae = float_value(values, "max_accelerate", SpiderDefaults::max_accelerate);
}

// Moves value toward target by at most step, never past it; true if it changed.
bool approach(float& value, float target, float step)
{
    const float before = value;
    if (value > target)
        value = std::max(target, value - step);
    else if (value < target)
        value = std::min(target, value + step);
    return value != before;
}

bool endgame_reached()
{
    if (!event_list.empty() || !web_point_list.empty() || fly_list.empty())
        return false;
    bool all_final = true;
    fly_list.for_each([&](FlyT& f) {
        if (f.status != 2 && f.status != 3)
            all_final = false;
    });
    return all_final;
}

}  // namespace

void SpiderT::Create_New(int count)
{
    // A missing file is fatal (the reader raises); a level, a "spider2" element or a value
    // missing from it gives the spiders their defaults.
    auto doc = load_tuning_document(".\\levels\\Spiders.xml");
    xmlNode* root = doc ? doc->Root() : nullptr;
    xmlNode* level = root ? root->FindChild("level_" + std::to_string(current_level), 1, 1) : nullptr;
    xmlNode* second = level ? level->FindChild("spider2", 1, 1) : nullptr;
    for (int i = 1; i <= std::min(count, 2); ++i) {
        if (i == 1)
            make_spider(level, 1, difficulty == 1);
        else
            make_spider(second, 2, true);
    }
    if (doc)
        doc->Clear();
}

void SpiderT::release_target()
{
    if (action == 1) {
        if (PointA* p = find_web_point(Destination_point))
            p->busy = 0;
        if (FlyT* f = find_fly(Destination_point))
            f->caution = 0;
    }
    Destination_point = 0;
}

void SpiderT::ChooseAvailfly()
{
    if (entering == 1) {
        // A frozen or dead spider keeps still; otherwise it heads for its marker as soon as
        // the marker exists. Checking the freeze first is deliberate: a spider frozen while
        // still entering stays frozen for its whole freeze_time, instead of the marker scan
        // setting it walking again on the next frame.
        if (action == 2 || action == 3)
            return;
        const char* marker = num == 1 ? "Enterence" : "Enterence2";
        fly_list.for_each([&](FlyT& f) {
            if (f.name == marker) {
                Destination_point = f.id;
                action = 1;
            }
        });
        return;
    }
    if (action != 0 || web_point_list.empty())
        return;
    // About one frame in 22 (the mean of 1/n for n = 1..120) the spider looks for a fly.
    if (Rand(1, Rand(1, 120)) != 1)
        return;
    action = 1;
    std::vector<PointA*> points = web_point_list.snapshot();
    PointA* p = points[static_cast<size_t>(Rand(1, static_cast<int>(points.size())) - 1)];
    FlyT* f = find_fly(p->value);
    if (p->busy == 1 || !f || f->status != 1) {
        for (PointA* q : points) {
            FlyT* g = find_fly(q->value);
            if (q->busy == 0 && g && g->status == 1) {
                p = q;
                f = g;
                break;
            }
        }
    }
    if (p->busy == 0 && p->enter_spider == 0 && f && f->status == 1) {
        Destination_point = p->value;
        p->busy = 1;
        if (Boost_rnd != 0 && Rand(1, Boost_rnd) == 1) {
            boost = 1;
            AnimationSpeed = 0.8f;
            TSound* sprint[] = {Spider_boost_ogg, Spider_boost2_ogg, Spider_boost3_ogg, Spider_boost4_ogg};
            play_sound(sprint[Rand(1, 4) - 1], sound_volume, x);
        } else {
            boost = 0;
            AnimationSpeed = 0.4f;
        }
    } else {
        action = 0;
        Destination_point = 0;
    }
}

void SpiderT::MoveAndRotateSpider()
{
    const bool normal_speed = time_scale == 1.0f;
    float step;
    if (normal_speed) {
        step = sizeX + boost;
        if (boost == 1)
            AnimationSpeed = 0.8f;
    } else {
        step = (sizeX + boost) / 2;
        if (boost == 1)
            AnimationSpeed = 0.4f;
    }
    Movement = 0;

    if (action == 1) {
        FlyT* f = find_fly(Destination_point);
        if (!f || f->status != 1) {
            // Set free, frozen, shielded, eaten by another spider or not yet arrived: drop
            // it and choose again later.
            release_target();
            action = 0;
        } else {
            const bool moved_x = approach(x, f->x, step);
            const bool moved_y = approach(y, f->y, step);
            if (moved_x || moved_y)
                Movement = 1;

            // Face along the remaining way; the angle is never wrapped, so turning from 0 to
            // 270 goes the long way round through 90 and 180.
            bool has_heading = true;
            float heading = 0;
            if (x > f->x)
                heading = 180;
            else if (x < f->x)
                heading = 0;
            else if (y > f->y)
                heading = 270;
            else if (y < f->y)
                heading = 90;
            else
                has_heading = false;
            if (has_heading) {
                const float turn = 2 * time_scale;
                const float rest = heading - angel;
                if (std::fabs(rest) <= turn)
                    angel = heading;
                else
                    angel += rest > 0 ? turn : -turn;
            }

            if (rects_overlap(static_cast<int>(x), static_cast<int>(y), 1, 1, static_cast<int>(f->x),
                              static_cast<int>(f->y), 2, 2) == 1 &&
                f->life > 0) {
                f->life -= normal_speed ? step - boost : step - boost / 2.0f;
                f->caution = 1;
                Movement = 0;
            }
            if (f->life <= 0)
                eat(*f);
        }
    }

    if (action == 3) {
        // Starved: spins and drops off the screen, shrinking a little.
        if (sizeX > 0.8f)
            sizeX -= 0.01f * time_scale;
        if (sizeY > 0.8f)
            sizeY -= 0.01f * time_scale;
        angel -= 2 * time_scale;
        y += 4 * time_scale;
    } else if (Movement == 1) {
        animated = 1;
        web_shaking = 1;
    } else {
        animated = 2;
        web_shaking = 0;
    }
}

void SpiderT::eat(FlyT& f)
{
    const bool real_fly = f.name != "Enterence" && f.name != "Enterence2" && f.name != "lure_module";
    if (f.name == "normal") {
        f.entity = cocon_png;
    } else if (f.name == "komar") {
        f.entity = cocon_komar_png;
    } else if (f.name == "butterfly") {
        f.entity = cocon_butterfly_png;
        emitterT::Butterfly_Particle(static_cast<int>(x - 20), static_cast<int>(y + 10), 1);
        emitterT::Butterfly_Particle(static_cast<int>(x + 10), static_cast<int>(y + 10), 2);
    } else if (f.name == "lure_module") {
        f.show = 0;
        emitterT::Fallin_module(static_cast<int>(x), static_cast<int>(y), angel);
        tactic_bonus += 15;
    } else if (f.name == "Enterence" || f.name == "Enterence2") {
        entering = 0;
        if (f.name == "Enterence2") {
            spider2_gauge_state = 1;
            play_sound(spider2_enter_ogg, sound_volume, 0);
        }
    }
    f.angel = static_cast<float>(Rnd(0, 180));
    f.life = 0;
    f.animated = 0;
    f.status = 2;
    hunger -= static_cast<float>(f.kalories);

    if (real_fly) {
        flies_left -= f.name == "butterfly" ? 2 : 1;
        if (flies_left <= 0) {
            flies_left = 0;
            level_outcome = 2;
            slice_pending = 0;
        }
        emitterT::Dead_Fly_FX(static_cast<int>(f.x), static_cast<int>(f.y));
        play_sound(fly_dead_ogg, sound_volume, f.x);
        play_sound(Creating_cocon_ogg, sound_volume, f.x);
    }

    action = 0;
    Destination_point = 0;
    hunger_speed = 0;  // hunger growth starts again from nothing
    hunger = std::max(0.0f, hunger);
    remove_web_point(f.id);
}

void SpiderT::Hunger_update()
{
    const bool endgame = endgame_reached();
    if (endgame) {
        // Nothing left to eat or to come: the spiders starve quickly.
        Hunger_accelerae = 0.001f;
        Max_Hunger_speed = 0.1f;
    }
    if (action != 3) {
        if (hunger_speed < Max_Hunger_speed)
            hunger_speed += Hunger_accelerae * time_scale;
        else
            hunger_speed = Max_Hunger_speed;
        hunger += endgame ? hunger_speed : hunger_speed * time_scale;
    }
    if (hunger >= 100 && level_outcome == 0 && action != 3)
        starve();
    hunger = std::max(0.0f, hunger);
}

void SpiderT::starve()
{
    hunger = 100;
    release_target();
    play_sound(spider_death_ogg, sound_volume, x);
    if (action == 2) {
        play_sound(Brake_ice_spider_ogg, sound_volume, x);
        emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 30, 7);
    }
    death_tally += 1;
    boost = 0;
    entity = spider_dead_png;
    frame = 0;
    MaxFrames = 5;
    animation_script = 1;
    action = 3;
    Movement = 0;
    Destination_point = 0;
    animated = 1;
    web_shaking = 0;
    AnimationSpeed = 0.2f;
    bool all_dead = true;
    spider_list.for_each([&](SpiderT& s) {
        if (s.action != 3)
            all_dead = false;
    });
    if (all_dead) {
        level_outcome = 1;
        slice_pending = 0;
    }
}

void SpiderT::Update_Web_translate()
{
    TranslateX = web_offset_x;
    TranslateY = web_offset_y;
}

void SpiderT::Update_Freezing()
{
    if (action != 2)
        return;
    const float px = x + screen_shake_x + web_offset_x;
    const float py = y + screen_shake_y + web_offset_y;
    SetRotation(angel);
    SetScale(sizeX, sizeY);
    SetBlend(kLightBlend);
    DrawImage(spider_frozen_png, px, py, 0);
    SetBlend(kAlphaBlend);
    SetAlpha(0.4f);
    DrawImage(spider_frozen_png, px, py, 0);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
    if (pause_state != 0)
        return;
    freeze_time -= time_scale == 1.0f ? 1.0f : 0.5f;
    if (freeze_time <= 0) {
        freeze_time = 0;
        action = 0;
        play_sound(Brake_ice_spider_ogg, sound_volume, x);
        Destination_point = 0;
        entity = spider_png;
        animated = 1;
        emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 30, 7);
    }
}

void SpiderT::Update()
{
    if (pause_state == 0) {
        ChooseAvailfly();
        Update_Web_translate();
        MoveAndRotateSpider();
        if (entering == 0) {
            // The first level holds hunger back until its lessons are done.
            if (current_level == 1) {
                if (level_ticks > 165)
                    Hunger_update();
            } else if (level_outcome == 0) {
                Hunger_update();
            }
        }
    }
    MethodDrawEntity();
    Update_Freezing();
}

void SpiderT::dump_fields(nlohmann::json& out) const
{
    Actor::dump_fields(out);
    out["Movement"] = Movement;
    out["action"] = action;
    out["Destination_point"] = Destination_point;
    out["hunger"] = hunger;
    out["hunger_speed"] = hunger_speed;
    out["Max_Hunger_speed"] = Max_Hunger_speed;
    out["Hunger_accelerae"] = Hunger_accelerae;
    out["freeze_time"] = freeze_time;
    out["entering"] = entering;
    out["num"] = num;
    out["direction"] = direction;
    out["static_anim_speed"] = static_anim_speed;
    out["boost"] = boost;
    out["Boost_rnd"] = Boost_rnd;
}
