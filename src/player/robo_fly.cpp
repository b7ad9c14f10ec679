// The robot fly: animation states, aiming and misses, heat and repair, and the flight that
// fetches a special's weapon into a free slot.
#include "player/robo_fly.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "player/reticle.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/fly.h"
#include "world/special.h"

int robot_home_x = 332;
int robot_home_y = 617;
int robot_launch_x = 380;
int robot_launch_y = 690;

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

float degrees_atan2(float dy, float dx) { return static_cast<float>(std::atan2(dy, dx) * kRadToDeg); }

double distance(float x1, float y1, float x2, float y2)
{
    return point_distance(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
}

bool pointer_over(float left, float top, int width, int height)
{
    return rects_overlap(static_cast<int>(left), static_cast<int>(top), width, height, MouseX(), MouseY(), 1, 1) == 1;
}

// Specials never leave special_list before the level ends, so an index found once
// names the same special for the whole flight.
FlySpecT* special_at(int index)
{
    FlySpecT* found = nullptr;
    int i = 0;
    special_list.for_each([&](FlySpecT& s) {
        if (i++ == index)
            found = &s;
    });
    return found;
}

void raise_tint(Actor& a, int step)
{
    const int v = std::min(255, a.R + step);
    a.R = a.G = a.B = static_cast<uint8_t>(v);
}

void lower_tint(Actor& a, int step)
{
    const int v = std::max(0, a.R - step);
    a.R = a.G = a.B = static_cast<uint8_t>(v);
}

void place_repair_icon(roboFlyT& r)
{
    r.Fix_X = static_cast<int>(robot_home_x + Rnd(20, 130));
    r.Fix_Y = static_cast<int>(robot_home_y + Rnd(-20, 30));
}

}  // namespace

roboFlyT::roboFlyT()
{
    place_repair_icon(*this);
    robot_Curr_animation = Curr_animation;
}

roboFlyT::~roboFlyT() { robot_Curr_animation = 0; }

void roboFlyT::initialize_robo_fly()
{
    roboFlyT* r = robot_list.create();
    r->x = static_cast<float>(robot_home_x);
    r->y = static_cast<float>(robot_home_y);
    r->entity = fly_on_the_tree_png;
    r->MaxFrames = 12;
    r->animation_script = 3;
    r->AnimationSpeed = 0.17f;
    r->TimeManagment = 0;
    // The level opens with the climb onto the branch; it must play to its end before the
    // robot can aim, so the strip starts playing at once.
    r->enter_animation(2);
}

void roboFlyT::enter_animation(int state)
{
    struct Strip {
        TImage* picture;
        int frames;
        float speed;
        int script;
    };
    Strip s {};
    switch (state) {
    case 1: s = {robo_fly_rozminka_png, 12, 0.2f, 3}; break;
    case 2: s = {robo_fly_climbing_png, 12, 0.14f, 1}; break;
    case 3: s = {robo_anim_taking_off_png, 11, 0.17f, 1}; break;
    case 4: s = {robofly_flys_png, 5, 3.0f, 3}; break;
    case 5: s = {fly_landing_png, 7, 0.17f, 1}; break;
    case 6: s = {fly_on_the_tree_png, 11, 0.25f, 3}; break;
    default: return;
    }
    Curr_animation = static_cast<uint8_t>(state);
    robot_Curr_animation = Curr_animation;
    entity = s.picture;
    MaxFrames = static_cast<uint8_t>(s.frames);
    AnimationSpeed = s.speed;
    animation_script = static_cast<uint8_t>(s.script);
    animated = 1;
    frame = 0;
    AnimPongDir = 1;
    if (state <= 2 || state == 6) {  // these play at home on the branch
        x = static_cast<float>(robot_home_x);
        y = static_cast<float>(robot_home_y);
    }
}

void roboFlyT::animation_eneble()
{
    switch (Curr_animation) {
    case 0:
        if (!damaged && static_cast<int>(Rnd(1, 200)) == 1) {
            enter_animation(1);
            if (R < 255)
                raise_tint(*this, 5);
        }
        break;
    case 1:
        if (AnimPongDir == 2 && frame <= 1) {
            animated = 0;
            frame = 0;
            AnimPongDir = 1;
            Curr_animation = 0;
            robot_Curr_animation = 0;
        }
        break;
    case 2:
        raise_tint(*this, 5);
        if (frame + 1 >= MaxFrames) {
            entity = fly_on_the_tree_png;
            MaxFrames = 11;
            animated = 0;
            animation_script = 3;
            AnimationSpeed = 0.2f;
            Curr_animation = 0;
            robot_Curr_animation = 0;
        }
        break;
    case 6:
        if (AnimPongDir == 2 && frame <= 1) {
            x = static_cast<float>(robot_home_x);
            y = static_cast<float>(robot_home_y);
            entity = robo_fly_rozminka_png;
            AnimationSpeed = 0.2f;
            animated = 0;
            frame = 0;
            action = 0;
            Curr_animation = 0;
            robot_Curr_animation = 0;
        }
        break;
    default:  // 3..5: the fetch flight drives them
        break;
    }
}

void roboFlyT::miss()
{
    miss_times += 1;
    if (miss_times >= 2)
        play_sound(miss_ogg, sound_volume, 0);
    if (miss_times >= 3) {
        // Three clicks at nothing: the robot refuses and sulks back on its branch.
        miss_times = 0;
        enter_animation(6);
        play_sound(wingtron_negative_ogg, sound_volume, 0);
    }
}

int roboFlyT::aim_and_fire()
{
    const int px = static_cast<int>(x + 70);
    const int py = static_cast<int>(y + 35);
    const int mx = MouseX();
    const int my = MouseY();
    power_upsT* slot = active_power_up();
    const bool ready = slot && slot->reloading != 1;

    int t = 0;
    FlySpecT* special = nullptr;
    special_list.for_each([&](FlySpecT& s) {
        if (!special && s.script == 3 && pointer_over(s.x + s.HullX, s.y + s.HullY, s.HullWidth, s.HullHeight))
            special = &s;
    });
    if (special) {
        t = 3;
        if (mouse_hit_left) {
            Destination_point = special->id;
            x_returnP = special->x + 25;
            y_returnP = special->y + 20;
            target_speed = static_cast<float>(15 + distance(x, y, x_returnP, y_returnP) / 3);
            enter_animation(3);
            action = 1;
            play_sound(Wingtron_moves_ogg, sound_volume, 0);
        }
    } else {
        // The last fly visited decides, unless one that can be shot at stops the scan;
        // weapons other than the laser need no fly under the pointer.
        const bool anywhere = active_weapon >= 2 && active_weapon <= 6;
        bool stop = false;
        fly_list.for_each([&](FlyT& f) {
            if (stop)
                return;
            const bool counts = anywhere
                || (f.fly_avail == 1 && f.life > 0 && f.name != "Enterence" && f.name != "Enterence2"
                    && pointer_over(f.x + f.HullX, f.y + f.HullY, f.HullWidth, f.HullHeight));
            if (!counts) {
                t = 0;
            } else if (ready) {
                t = 1;
                Destination_pointFlys = f.id;
                stop = true;
            }
        });
    }
    if (active_weapon == 2 && t != 3)
        t = 1;  // a bomb may be thrown anywhere but at a special

    if (mouse_hit_left && t == 1 && ready) {
        const int fired = fire_main_shot(Destination_pointFlys);
        if (fired == 1 || fired == 2)
            miss_times = 0;
    } else if (mouse_hit_left && t == 0) {
        miss();
    }
    fire_alternative_shot();

    // The aim line: a glow pass, then the line, stretched from the muzzle to the pointer.
    SetRotation(degrees_atan2(static_cast<float>(my - py), static_cast<float>(mx - px - 5)));
    SetScale(static_cast<float>(point_distance(mx, my, px, py) / 249.0), 1);
    SetBlend(kLightBlend);
    if (t == 1)
        SetColor(0, 255, 0);
    else if (t == 3)
        SetColor(0, 155, 240);
    else
        SetColor(255, 0, 0);
    DrawImage(pricel2_PNG, static_cast<float>(px), static_cast<float>(py), 0);
    SetBlend(kAlphaBlend);
    if (t == 1) {
        SetColor(200, 255, 200);
    } else {
        SetColor(255, 255, 255);
        SetAlpha(static_cast<float>(Rnd(0.51111, 1)));
    }
    DrawImage(pricel_PNG, static_cast<float>(px), static_cast<float>(py), 0);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    SetColor(255, 255, 255);
    return t;
}

void roboFlyT::pick_up_special(FlySpecT& s)
{
    s.script = 5;
    s.animated = 0;
    s.show = 0;
    play_sound(weapon_pick_up_ogg, sound_volume, 0);
    action = 4;
    delay_timer = 50;
    frame = 0;
    Destination_point = 0;
    // Back the way it came: the flight strip again.
    entity = robofly_flys_png;
    MaxFrames = 5;
    AnimationSpeed = 3.0f;
    animation_script = 3;
    animated = 1;
    if (free_slots < 1)
        free_slots = 1;  // all four full: the last slot is overwritten
    power_upsT* slot = nullptr;
    int i = 0;
    power_ups_list.for_each([&](power_upsT& p) {
        if (i++ == 4 - free_slots)
            slot = &p;
    });
    if (slot) {
        slot->weapon = s.item;
        slot->reload_progress = 0;
        slot->reloading = 0;
        slot->reloading_timer = 0;
        slot->item_alpha = 0;
        emitterT::SpecGUI_apear(static_cast<int>(slot->x + 38), static_cast<int>(slot->y + 38));
    }
    free_slots -= 1;
}

void roboFlyT::fetch_flight()
{
    if (action == 0)
        return;
    // No slowed time for a robot away from its guns.
    if (time_warp_state == 1) {
        time_warp_state = 2;
        time_warp_timer = 0;
    }
    if (action == 1) {
        if (frame + 1 >= MaxFrames) {
            enter_animation(4);
            delay_timer = 50;
            x = static_cast<float>(robot_launch_x);
            y = static_cast<float>(robot_launch_y);
            action = 2;
        }
        return;
    }
    if (action == 2 || action == 3) {
        FlySpecT* s = special_at(Destination_point);
        if (!s) {
            // Nothing to fetch: turn back.
            action = 4;
            x_returnP = x;
            y_returnP = y;
            return;
        }
        const float gx = s->x + 25;
        const float gy = s->y + 20;
        if (action == 2 && distance(x, y, s->x, s->y) < 175) {
            action = 3;
            enter_animation(5);
        }
        angel = degrees_atan2(s->y - y + 20, s->x - x + 25);
        if (delay_timer == 0) {
            x = step_toward(x, static_cast<float>(robot_launch_x), gx, target_speed, 1);
            y = step_toward(y, static_cast<float>(robot_launch_y), gy, target_speed, 1);
            fly_time += 1;
        } else {
            delay_timer -= 1;
        }
        const double to_grab = distance(x, y, gx, gy);
        if (to_grab >= 150) {
            R = G = B = 0;
        } else if (R < 255) {
            raise_tint(*this, 5);
        }
        if (action == 3 && to_grab < 10)
            pick_up_special(*s);
        return;
    }
    if (action == 4) {
        angel = degrees_atan2(static_cast<float>(robot_launch_y) - y, static_cast<float>(robot_launch_x) - x);
        const double to_launch = distance(x, y, static_cast<float>(robot_launch_x), static_cast<float>(robot_launch_y));
        if (to_launch > 5) {
            x = step_toward(x, x_returnP, static_cast<float>(robot_launch_x), target_speed, 1);
            y = step_toward(y, y_returnP, static_cast<float>(robot_launch_y), target_speed, 1);
        } else {
            delay_timer -= 1;
        }
        if (to_launch >= 255 && R > 0)
            lower_tint(*this, 5);
        if (to_launch <= 5 && delay_timer <= 0) {
            enter_animation(2);
            action = 0;
            angel = 0;
            fly_time = 0;
            R = G = B = 0;
            play_sound(Wingtron_climbs_ogg, sound_volume, 0);
        }
    }
}

void roboFlyT::action_script()
{
    robot_damaged = damaged;
    const bool can_aim =
        action == 0 && (Curr_animation == 0 || Curr_animation == 1) && level_outcome == 0 && !damaged;
    // A slice anchor lives only as long as the robot can aim with the laser.
    if (slice_pending == 1 && (!can_aim || active_weapon != 1))
        cancel_slice();
    int t = 0;
    if (can_aim && aim_mode == 1)
        t = aim_and_fire();
    if (action == 0 && level_outcome == 0 && mouse_down_right && weapon == 1 && slice_pending == 1 && aim_mode == 2)
        release_slice_outside();
    fetch_flight();
    Draw_Hit_zone(t);
}

void roboFlyT::Update_miss_times()
{
    if (miss_times == 0)
        return;
    miss_times_timer += 1;
    if (miss_times_timer > 150) {
        miss_times = 0;
        miss_times_timer = 0;
    }
}

void roboFlyT::Draw_Hit_zone(int target)
{
    if (!mouse_down_middle && !KeyDown(kKeySpace))
        return;
    float scale = 0;
    if (pause_state == 0 && target == 1 && active_weapon == 2)
        scale = 0.7f;
    else if (active_weapon == 3)
        scale = 0.8f;
    else if (active_weapon == 4)
        scale = 1.0f;
    else
        return;
    SetScale(scale, scale);
    DrawImage(hit_zone_png, static_cast<float>(MouseX()), static_cast<float>(MouseY() + 5), 0);
    SetScale(1, 1);
}

void roboFlyT::UpdateTemperature()
{
    if (temperature > 100 && !damaged) {
        overheat_flash = 30;
        temperature = 100;
        damaged = 1;
        play_sound(wingtron_broken_ogg, sound_volume, 0);
        emitterT::Create_New_Emitter(408, 608, 1100, 1);
        fix_times = (current_level == 1 || current_level == 2) ? 6 : static_cast<uint8_t>(Rnd(6, 12));
    }
    if (temperature > 0)
        temperature -= damaged ? 0.12f : 0.1f;
}

void roboFlyT::DrawFixImage()
{
    if (!damaged) {
        fade_out_channel_by_name("wingtron_sparkles");
        if (temperature > kOverheatAlarm)
            fade_in_channel_by_name("overheat");
        else
            fade_out_channel_by_name("overheat");
        if (R < 255 && action == 0)
            raise_tint(*this, 15);
        return;
    }
    if (temperature <= 0) {  // cooled down by itself
        damaged = 0;
        play_sound(fixed_ogg, sound_volume, 0);
    }
    if (R > 0)
        lower_tint(*this, 15);
    if (Rand(1, 20) == 1)
        emitterT::Create_New_Emitter(408, 648, 2, 2);
    if (Fix_alpha < 1)
        Fix_alpha += 0.05f;
    const float ix = static_cast<float>(Fix_X) + screen_shake_x;
    const float iy = static_cast<float>(Fix_Y) + screen_shake_y;
    SetAlpha(Fix_alpha);
    DrawImage(fix_it_img_png, ix, iy, 0);
    SetColor(0, 255, 0);
    SetAlpha(fix_green_alpha);
    DrawImage(fix_it_img_png, ix, iy, 0);
    SetColor(255, 255, 255);
    SetAlpha(1);
    fix_timer += 1;
    if (fix_timer >= 60) {
        fix_timer = 0;
        emitterT::Fix_waves(Fix_X + 13, Fix_Y + 13);
    }
    if (pointer_over(static_cast<float>(Fix_X), static_cast<float>(Fix_Y), 25, 25)) {
        if (mouse_hit_left) {
            if (fix_times > 0)  // a count of 0 must not wrap round to 255 clicks
                fix_times -= 1;
            fix_green_alpha = 0;
            place_repair_icon(*this);
            Fix_alpha = 0;
            play_sound(fix_click_ogg, sound_volume, 0);
        } else {
            fix_green_alpha = 1;
        }
    } else {
        fix_green_alpha = std::max(0.0f, fix_green_alpha - 0.05f);
    }
    if (fix_times == 0 && damaged) {
        damaged = 0;
        fix_green_alpha = 0;
        play_sound(fixed_ogg, sound_volume, 0);
    }
    fade_out_channel_by_name("overheat");
    fade_in_channel_by_name("wingtron_sparkles");
}

void roboFlyT::Update()
{
    if (pause_state == 0) {
        animation_eneble();
        action_script();
        if (visor_page == 0)
            UpdateTemperature();
        Update_miss_times();
    }
    MethodDrawEntity();
    if (pause_state == 0)
        DrawFixImage();
}

void roboFlyT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["Curr_animation"] = Curr_animation;
    o["action"] = action;
    o["Destination_point"] = Destination_point;
    o["Destination_pointFlys"] = Destination_pointFlys;
    o["damaged"] = damaged;
    o["delay_timer"] = delay_timer;
    o["target_speed"] = target_speed;
    o["fly_time"] = fly_time;
    o["weapon"] = weapon;
    o["miss_times"] = miss_times;
    o["miss_times_timer"] = miss_times_timer;
    o["fix_times"] = fix_times;
    o["fix_green_alpha"] = fix_green_alpha;
    o["Fix_X"] = Fix_X;
    o["Fix_Y"] = Fix_Y;
    o["fix_timer"] = fix_timer;
    o["Fix_alpha"] = Fix_alpha;
    o["x_returnP"] = x_returnP;
    o["y_returnP"] = y_returnP;
}
