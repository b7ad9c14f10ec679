// Projectiles: creation, straight flight, the per-kind scripts that land, unfold and
// finish them, the web sway of what rests in the web and the blink pulse of bombs and
// mines.
#include "player/bullet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "player/hits.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "world/fly.h"
#include "world/level_object.h"

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

float atan2_deg(double y, double x) { return static_cast<float>(std::atan2(y, x) * kRadToDeg); }

// Frames of a flight: a flight always lasts at least one frame, so the step
// (launch - target) / speed never divides by zero.
int flight_frames(double frames) { return std::max(1, static_cast<int>(frames)); }

// A thrown object starts from the robot's hand with the pointer as its target.
BulletT* thrown(const char* kind, TImage* picture, float launch_dx, float launch_dy)
{
    auto b = std::make_unique<BulletT>();
    b->w_type = kind;
    b->entity = picture;
    b->x = b->launch_x = static_cast<float>(robot_home_x) + launch_dx;
    b->y = b->launch_y = static_cast<float>(robot_home_y) + launch_dy;
    b->destination_x = MouseX();
    b->destination_y = MouseY();
    b->action_type = 1;
    b->sizeX = 1;
    return bullet_list.add_last(std::move(b));
}

double flight_distance(const BulletT& b)
{
    return point_distance(static_cast<int>(b.launch_x), static_cast<int>(b.launch_y), b.destination_x,
                          b.destination_y);
}

// A mine or module: thrown like a bomb, unfolds near its target and rests in the web.
BulletT* deployable(const char* kind, TImage* picture, int time, uint8_t animated, uint8_t frames,
                    float speed)
{
    BulletT* b = thrown(kind, picture, 70, 35);
    b->speed = flight_frames(flight_distance(*b) / 5);
    b->time = time;
    b->animated = animated;
    b->MaxFrames = frames;
    b->animation_script = 2;
    b->AnimationSpeed = speed;
    return b;
}

// One frame of straight flight: a constant step from the launch point to the target.
void fly_step(BulletT& b)
{
    const auto steps = static_cast<float>(b.speed);
    b.x = step_toward(b.x, b.launch_x, static_cast<float>(b.destination_x), steps, 1);
    b.y = step_toward(b.y, b.launch_y, static_cast<float>(b.destination_y), steps, 1);
}

void turn_to_target(BulletT& b)
{
    b.angel = atan2_deg(static_cast<float>(b.destination_y) - b.y, static_cast<float>(b.destination_x) - b.x);
}

// Where a missile's trail puffs start: 30 pixels further along its heading.
template <typename F>
void trail_point(const BulletT& b, F&& start)
{
    const auto u = direction_vector(static_cast<int>(b.launch_x), static_cast<int>(b.launch_y),
                                    static_cast<int>(b.x), static_cast<int>(b.y));
    start(static_cast<int>(b.x + 30 * u[0]), static_cast<int>(b.y + 30 * u[1]));
}

// The blink overlay over a bomb or an armed mine, following its sway.
void draw_pulse(const BulletT& b, TImage* picture, int r, int g, int bl)
{
    SetColor(r, g, bl);
    SetBlend(kLightBlend);
    SetAlpha(static_cast<float>(b.switch_time) * 0.007f);
    DrawImage(picture, b.x + b.TranslateX + screen_shake_x, b.y + b.TranslateY + screen_shake_y, 0);
    SetColor(255, 255, 255);
    SetBlend(kAlphaBlend);
    SetAlpha(1);
}

}  // namespace

BulletT::BulletT() = default;

BulletT* BulletT::CreateBullet_laser(int fly_id)
{
    BulletT* b = thrown("lazer_l", lazer_bullet_PNG, 90, 20);
    b->fly_id = fly_id;
    b->speed = flight_frames((15 + flight_distance(*b) / 25) / 2);
    b->R = b->G = b->B = 255;
    b->BlendMode = 2;
    b->alpha = 1;
    b->Glow = 1;
    b->GlowEntity = lazer_glow_png;
    b->GlowTwinkle = 1;
    b->GlowG = 0;
    b->GlowB = 0;
    b->angel =
        atan2_deg(b->y - static_cast<float>(b->destination_y), b->x - static_cast<float>(b->destination_x));
    return b;
}

BulletT* BulletT::CreateLazer_slice(float x, float y, int script, int scale)
{
    auto b = std::make_unique<BulletT>();
    b->w_type = "lazer_r";
    b->x = b->launch_x = x;
    b->y = b->launch_y = y;
    b->script = static_cast<uint8_t>(script);
    if (script == 1) {
        b->sizeY = 1.5f;
        return bullet_list.add_last(std::move(b));
    }
    b->entity = lazer_PNG;
    b->time = 65;
    b->alpha = 0;
    b->sizeY = 1;
    b->Glow = 1;
    b->GlowEntity = lazer_PNG;
    b->GlowR = 255;
    b->GlowG = 0;
    b->GlowB = 0;
    b->GlowTwinkle = 0.51111f;
    b->R = b->G = b->B = 255;
    b->sizeX = std::min(1.0f, static_cast<float>(scale) * 0.01f);
    // The beam ends at the pointer, or 230 along its direction when the pointer is 250 or
    // more away, and never leaves the web's box.
    const int mx = MouseX();
    const int my = MouseY();
    float ex = static_cast<float>(mx);
    float ey = static_cast<float>(my);
    const double reach = point_distance(static_cast<int>(x), static_cast<int>(y), mx, my);
    if (reach >= 250) {
        const auto dir = direction_vector(static_cast<int>(x), static_cast<int>(y), mx, my);
        ex = x + dir[0] * 230;
        ey = y + dir[1] * 230;
    }
    b->destination_x = std::clamp(static_cast<int>(ex), 250, 723);
    b->destination_y = std::clamp(static_cast<int>(ey), 169, 560);
    b->angel = atan2_deg(my - y, mx - x);
    return bullet_list.add_last(std::move(b));
}

BulletT* BulletT::CreateBomb_delay()
{
    BulletT* b = thrown("bomb_l", bomb_png, 70, 35);
    b->speed = flight_frames(flight_distance(*b) / 5);
    b->time = 200;
    b->script = 1;
    return b;
}

BulletT* BulletT::CreateBomb_NOW()
{
    BulletT* b = thrown("bomb_r", bomb_png, 70, 35);
    b->speed = flight_frames(flight_distance(*b) / 8);
    b->time = 1;
    b->script = 1;
    return b;
}

BulletT* BulletT::Create_Freezing_shot()
{
    BulletT* b = thrown("freeze_l", freezing_missle_png, 70, 35);
    b->sizeY = 1;
    b->speed = flight_frames(5 + flight_distance(*b) / 8);
    b->time = 200;
    emitterT::Create_freezing(static_cast<int>(b->x), static_cast<int>(b->y), b->angel, 40);
    return b;
}

BulletT* BulletT::CreateFreezeMine() { return deployable("freeze_mine", Freeze_mine_png, 0, 1, 6, 0.3f); }

BulletT* BulletT::CreateLureModule() { return deployable("lure_module", lure_module_png, 0, 0, 5, 0.5f); }

BulletT* BulletT::CreateShieldModule()
{
    return deployable("shield_module", lure_module_png, 450, 0, 5, 0.5f);
}

BulletT* BulletT::Create_shield_empty_entity(float x, float y)
{
    auto b = std::make_unique<BulletT>();
    b->w_type = "shield";
    b->x = b->launch_x = x;
    b->y = b->launch_y = y;
    b->show = 0;
    b->time = 450;
    b->action_type = 1;
    b->sizeX = 1;
    b->sizeY = 1;
    return bullet_list.add_last(std::move(b));
}

BulletT* BulletT::Create_Alphamissle_shot()
{
    BulletT* b = thrown("alpha_missle_l", freezing_missle_png, 70, 35);
    b->sizeY = 1;
    b->speed = flight_frames(50 + flight_distance(*b) / 8);
    b->time = 200;
    emitterT::Create_AlphaMissle_particle(static_cast<int>(b->x), static_cast<int>(b->y), b->angel, 40);
    return b;
}

void BulletT::update()
{
    if (pause_state == 0) {
        Update_Bullet_Translate();
        Bullet_interaction();
        // A mine that went off, a module that became its lure: taken away by what they
        // met, they are neither moved nor drawn again.
        if (!bullet_list.contains(this))
            return;
        Bullets_Scripts();
        Update_Eff_Bomb_timer();
    }
    MethodDrawEntity();
    Update_Bomb_Eff();
    Update_Mine_eff();
}

double distance_to_target(const BulletT& b)
{
    return point_distance(static_cast<int>(b.x), static_cast<int>(b.y), b.destination_x, b.destination_y);
}

void BulletT::Update_Bullet_Translate()
{
    const bool rests = (w_type == "lazer_r" && script == 2) ||
                       ((w_type == "bomb_l" || w_type == "bomb_r") && distance_to_target(*this) <= 15) ||
                       (w_type == "shield_module" && action_type == 4) ||
                       (w_type == "freeze_mine" && action_type == 3);
    if (rests) {
        TranslateX = web_offset_x;
        TranslateY = web_offset_y;
    }
}

void BulletT::Bullets_Scripts()
{
    const double to_target = distance_to_target(*this);
    if (w_type == "lazer_l") {
        fly_step(*this);
        if (fired == 1) {
            if (Rand(1, 17) == 1)
                emitterT::Create_New_Emitter(static_cast<int>(x) + Rand(-10, 10),
                                             static_cast<int>(y) - 40 + Rand(-5, 5), 300, 3);
            bullet_list.remove(this);
        }
    } else if (w_type == "shield") {
        time -= 1;
        if (time <= 0)
            bullet_list.remove(this);
    } else if (w_type == "lazer_r" && script == 1) {
        if (slice_pending == 1)
            draw_slice_path();
    } else if (w_type == "lazer_r" && script == 2) {
        time -= 1;
        if (time > 10 && alpha < 1)
            alpha = static_cast<float>(Rnd(0.1, 0.9));
        else if (time <= 10)
            alpha -= 0.1f;
        if (time <= 0) {
            if (lazer_r_tactic_cnt_loc > 1)
                tactic_bonus += 10 * (lazer_r_tactic_cnt_loc - 1);
            bullet_list.remove(this);
        }
    } else if (w_type == "bomb_l" || w_type == "bomb_r") {
        if (script == 1) {
            if (to_target > 15)
                fly_step(*this);
            else
                script = 2;
        }
        if (script == 2) {
            time -= 1;
            // The blast was applied by the hit test on the frame the fuse ran out.
            if (time <= 0 && fired == 1) {
                emitterT::Bomb_expl_light(static_cast<int>(x), static_cast<int>(y));
                emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 50, 4);
                play_sound(bomb_epxl_ogg, sound_volume, 0);
                bullet_list.remove(this);
            }
        }
    } else if (w_type == "freeze_l") {
        if (fired == 0) {
            if (to_target > 15) {
                fly_step(*this);
                turn_to_target(*this);
                trail_point(*this, [this](int px, int py) { emitterT::Create_freezing(px, py, angel, 3); });
            }
        } else {
            freeze_spiders_around(x, y, 425);
            play_sound(freeze_explode_ogg, sound_volume, 0);
            emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 35, 6);
            bullet_list.remove(this);
        }
    } else if (w_type == "freeze_mine" || w_type == "lure_module" || w_type == "shield_module") {
        if ((action_type == 1 || action_type == 2) && to_target > 9) {
            fly_step(*this);
            turn_to_target(*this);
        }
        if (w_type == "shield_module" && (action_type == 4 || fired == 1)) {
            time -= 1;
            if (time <= 0) {
                emitterT::Fallin_module(static_cast<int>(x), static_cast<int>(y), angel);
                bullet_list.remove(this);
            }
        }
    } else if (w_type == "alpha_missle_l") {
        if (fired == 0) {
            if (to_target > 15) {
                fly_step(*this);
                turn_to_target(*this);
                trail_point(*this, [this](int px, int py) {
                    emitterT::Create_AlphaMissle_particle(px, py, angel, 6);
                });
            }
        } else {
            alpha_blast();
            emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 75, 6);
            emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 120, 8);
            web_flash_timer = 510;
            web_flash = 1;
            play_sound(alpha_missle_ogg, sound_volume, 0);
            bullet_list.remove(this);
        }
    }
}

void BulletT::draw_slice_path()
{
    const int mx = MouseX();
    const int my = MouseY();
    const double reach = point_distance(static_cast<int>(x), static_cast<int>(y), mx, my);
    SetRotation(std::trunc(atan2_deg(my - y, mx - x)));
    SetBlend(kAlphaBlend);
    SetColor(255, 255, 255);
    draw_image_percent(lazer_slice_path_png, x, y, static_cast<float>(std::min(100.0, reach / 2.5)), "right");
    DrawImage(lazer_slice_arrow_png, x, y, 0);
    lazer_scale = static_cast<float>(reach / 2.5);
    SetColor(255, 255, 255);
    SetBlend(kAlphaBlend);
    SetRotation(0);
}

void BulletT::Update_Eff_Bomb_timer()
{
    const bool mine = w_type == "freeze_mine";
    if (!mine && w_type != "bomb_l" && w_type != "bomb_r")
        return;
    switch_time += switch_ == 0 ? 3 : -3;
    if (switch_time >= 100) {
        switch_ = 1;
        play_sound(mine ? mine_signal_ogg : bomb_signal_ogg, sound_volume, 0);
    } else if (switch_time <= 0) {
        switch_ = 0;
    }
}

void BulletT::Update_Bomb_Eff()
{
    if (w_type == "bomb_l" || w_type == "bomb_r")
        draw_pulse(*this, Bomb_eff_png, 255, 0, 0);
}

void BulletT::Update_Mine_eff()
{
    if (w_type == "freeze_mine" && action_type == 3)
        draw_pulse(*this, mine_shine_png, 50, 180, 255);
}

void BulletT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["w_type"] = w_type;
    o["time"] = time;
    o["destination_x"] = destination_x;
    o["destination_y"] = destination_y;
    o["MaxX"] = MaxX;
    o["MaxY"] = MaxY;
    o["speed"] = speed;
    o["action_type"] = action_type;
    o["fly_id"] = fly_id;
    o["script"] = script;
    o["switch"] = switch_;
    o["switch_time"] = switch_time;
    o["lazer_scale"] = lazer_scale;
    o["fired"] = fired;
    o["un_active"] = un_active;
    o["lazer_r_tactic_cnt_loc"] = lazer_r_tactic_cnt_loc;
    o["launch_x"] = launch_x;
    o["launch_y"] = launch_y;
}
