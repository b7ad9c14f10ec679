// Emitters and particles: the presets that fix each effect's look and layer, the
// emitters' spawning and the particles' per-frame behaviour.
#include "fx/emitter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <nlohmann/json.hpp>

#include "persist/profile.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/play.h"

namespace {

float sin_deg(float degrees)
{
    return static_cast<float>(std::sin(static_cast<double>(degrees) * std::numbers::pi / 180.0));
}

// A new object at (x, y) appended to the given layer.
emitterT* spawn(TList<emitterT>& layer, int x, int y, const char* name, const char* script)
{
    emitterT* e = layer.create();
    e->layer = &layer;
    e->x = static_cast<float>(x);
    e->y = static_cast<float>(y);
    e->name = name;
    e->script = script;
    return e;
}

emitterT* spawn_particle(TList<emitterT>& layer, int x, int y, const char* script)
{
    return spawn(layer, x, y, "particle", script);
}

// An animation strip that plays by the base animation.
void set_strip(emitterT* e, TImage* image, int frames, int animation_script, float speed)
{
    e->entity = image;
    e->MaxFrames = static_cast<uint8_t>(frames);
    e->animated = 1;
    e->animation_script = static_cast<uint8_t>(animation_script);
    e->AnimationSpeed = speed;
}

void set_size(emitterT* e, float size)
{
    e->sizeX = size;
    e->sizeY = size;
}

void set_colour(emitterT* e, int r, int g, int b)
{
    e->R = static_cast<uint8_t>(r);
    e->G = static_cast<uint8_t>(g);
    e->B = static_cast<uint8_t>(b);
}

// Random offset of up to d pixels either way, truncated.
int jitter(int d) { return static_cast<int>(Rnd(-d, d)); }

float random_angle() { return static_cast<float>(static_cast<int>(Rnd(1, 360))); }

void glow_with(emitterT* e, TImage* image, float twinkle)
{
    e->Glow = 1;
    e->GlowEntity = image;
    e->GlowTwinkle = twinkle;
}

void fade_down(float& alpha, float step)
{
    alpha = std::max(0.0f, alpha - step);
}

void grow(emitterT& e, float step)
{
    e.sizeX += step;
    e.sizeY += step;
}

TSound* lazer_hit_sound(int n)
{
    switch (n) {
    case 1: return lazer_hit_1_ogg;
    case 2: return lazer_hit_2_ogg;
    case 3: return lazer_hit_3_ogg;
    case 4: return lazer_hit_4_ogg;
    case 5: return lazer_hit_5_ogg;
    default: return lazer_hit_6_ogg;
    }
}

}  // namespace

bool emitter_chance(int chance) { return static_cast<int>(Rnd(1, chance)) == 1; }

emitterT* emitterT::Create_New_Emitter(int x, int y, int life, int kind)
{
    emitterT* e = nullptr;
    switch (kind) {
    case 1:
        e = spawn_particle(emitter_layer_1, x, y, "smoke_fix");
        set_strip(e, robo_smoke_png, 15, 2, 0.4f);
        set_size(e, 2);
        e->alpha = 0;
        e->fade = 1;
        e->BlendMode = 1;
        break;
    case 2:
        e = spawn_particle(emitter_layer_3, x, y, "elctro_fix");
        e->entity = robo_lighting_png;
        e->animated = 0;
        e->alpha = 0.8f;
        {
            const int r = Rand(133, 186);
            const int g = Rand(242, 245);
            set_colour(e, r, g, 255);
        }
        e->angel = static_cast<float>(Rand(1, 180));
        e->BlendMode = 1;
        e->life = 3;  // a spark is always three frames, whatever was asked
        return e;
    case 3:
        e = spawn_particle(emitter_layer_1, x, y, "lazer_smoke");
        set_strip(e, Lazer_Smoke_png, 11, 2, 0.4f);
        set_size(e, 1);
        e->alpha = 0;
        e->fade = 1;
        e->BlendMode = 1;
        break;
    case 4:
        e = spawn(emitter_layer_1, x, y, "emitter", "bomb_emitter");
        break;
    case 6:
        e = spawn(emitter_layer_1, x, y, "emitter", "freeze_explosion");
        break;
    case 7:
    case 11:
        e = spawn_particle(emitter_layer_1, x, y, "ice_explosion");
        set_strip(e, kind == 7 ? ice_spider_exp_png : ice_fly_exp_png, 7, 1, 0.25f);
        set_size(e, 1);
        e->alpha = 1;
        e->fade = 0;
        e->BlendMode = 2;
        break;
    case 8:
        e = spawn(emitter_layer_1, x, y, "emitter", "alpha_electro_emitter");
        break;
    case 10:
        e = spawn(emitter_layer_1, x, y, "emitter", "toxic_smoke");
        break;
    default:
        // No other kind exists; an unknown one would be an invisible object that lives
        // on its life for nothing, so none is made.
        return nullptr;
    }
    e->life = life;
    return e;
}

emitterT* emitterT::Butterfly_Particle(int x, int y, int side)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "butterfly_wing");
    set_strip(e, butterfly_wing_png, 7, 2, 0.2f);
    e->life = 900;
    set_size(e, 1);
    e->alpha = 1;
    e->fade = 0;
    e->frame = 1;
    e->BlendMode = 1;
    if (side == 2) {
        e->SinA = 90;
        e->SinB = 0;
        e->frame = 4;
    }
    return e;
}

emitterT* emitterT::Collision_Lazer_r(int x, int y, float size, float alpha)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "lazer_r_particle");
    set_strip(e, expl_eff_png, 24, 1, 2);
    e->life = 6;
    set_size(e, size);
    e->alpha = alpha;
    e->fade = 0;
    e->frame = static_cast<float>(Rand(1, 11));
    e->BlendMode = 2;
    // Bursts of hits play at most three sounds until the sound module resets the count.
    lazer_hit_count += 1;
    if (lazer_hit_count < 4)
        play_sound(lazer_hit_sound(Rand(1, 6)), sound_volume, 0);
    return e;
}

emitterT* emitterT::Bomb_Lighting_Particle(int x, int y, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    const int dx = jitter(20);
    const int dy = jitter(20);
    emitterT* e = spawn_particle(emitter_layer_1, x + dx, y + dy, "0");
    e->entity = Bomb_light_png;
    e->life = 6;
    set_size(e, 1.3f);
    e->alpha = 0.5f;
    e->fade = 1;
    e->angel = random_angle();
    glow_with(e, Bomb_light_png, 1);
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Create_freezing(int x, int y, float angle, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "freeze_trail");
    set_strip(e, freezing_trail_png, 16, 2, 1);
    e->life = 40;
    set_size(e, 0.5f);
    e->alpha = 0.3f;
    e->fade = 1;
    e->angel = angle;
    set_colour(e, 100, 100, 100);
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Create_AlphaMissle_particle(int x, int y, float angle, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "freeze_trail");
    set_strip(e, freezing_trail_png, 16, 2, 2);
    e->life = 40;
    set_size(e, 0.5f);
    e->alpha = 0.65f;
    e->fade = 1;
    e->angel = angle;
    set_colour(e, 255, 64, 64);
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Create_freezing_exp(int x, int y, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    const int dx = jitter(40);
    const int dy = jitter(40);
    emitterT* e = spawn_particle(emitter_layer_1, x + dx, y + dy, "freeze_explosion");
    set_strip(e, freeze_explosion_png, 16, 2, 1);
    e->life = 30;
    set_size(e, 3);
    e->alpha = 0.3f;
    e->fade = 1;
    e->angel = random_angle();
    set_colour(e, 191, 249, 255);
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::Alpha_Lighting_Particle(int x, int y, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    const int dx = jitter(50);
    const int dy = jitter(50);
    emitterT* e = spawn_particle(emitter_layer_1, x + dx, y + dy, "0");
    e->entity = Bomb_light_png;
    e->life = 24;
    set_size(e, 3.3f);
    e->alpha = 0.5f;
    e->fade = 1;
    e->angel = random_angle();
    glow_with(e, Bomb_light_png, 1);
    e->BlendMode = static_cast<uint8_t>(Rand(1, 2));
    return e;
}

emitterT* emitterT::Shield_main_Particle(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "shield_main");
    e->entity = shield_eff_png;
    e->life = 450;
    set_size(e, 0.1f);
    e->alpha = 0;
    e->MaxAlpha = 0.3f;
    e->fade = 1;
    e->FadeStartTime = 100;
    e->angel = 0;
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::Shield_Lighting_Particle(int x, int y, int chance)
{
    if (!emitter_chance(chance))
        return nullptr;
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "0");
    e->entity = shield_light_png;
    e->life = 12;
    set_size(e, 1.85f);
    e->alpha = 0.3f;
    e->MaxAlpha = 0.3f;
    e->fade = 1;
    e->FadeStartTime = 75;
    e->angel = random_angle();
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::Fallin_module(int x, int y, float angle)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "lure_module");
    e->entity = lure_module_png;
    e->MaxFrames = 5;
    e->animated = 2;  // the spent module keeps its last frame
    e->frame = 4;
    e->life = 300;
    set_size(e, 1);
    e->alpha = 1;
    e->MaxAlpha = 1;
    e->fade = 0;
    e->angel = angle;
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Bomb_expl_light(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "bomb_expl");
    set_strip(e, expl_eff_png, 24, 2, 0.25f);
    e->life = 60;
    set_size(e, 1.5f);
    e->alpha = 0;
    e->MaxAlpha = 1;
    e->fade = 0;
    set_colour(e, 255, 0, 0);
    e->Glow = 1;
    e->GlowEntity = expl_eff_png;
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Dead_Fly_FX(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "dead_fly_FX");
    e->entity = dead_fly_fx_png;
    e->life = 100;
    set_size(e, 0.7f);
    e->alpha = 1;
    e->MaxAlpha = 1;
    e->fade = 0;
    e->BlendMode = 1;
    return e;
}

emitterT* emitterT::Lure_waves(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_1, x, y, "lure_waves");
    e->entity = lure_effect_png;
    e->life = 150;
    set_size(e, 0.5f);
    e->alpha = 0;
    e->MaxAlpha = 1;
    e->fade = 1;
    set_colour(e, 255, 90, 90);
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::Fix_waves(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_3, x, y, "Fix_waves");
    e->entity = lure_effect_png;
    e->life = 100;
    set_size(e, 0.2f);
    e->alpha = 1;
    e->MaxAlpha = 1;
    e->fade = 1;
    set_colour(e, 50, 255, 50);
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::SpecUp_waves(int x, int y, float size, int life)
{
    emitterT* e = spawn_particle(emitter_layer_3, x, y, "spec_waves");
    e->entity = lure_effect_png;
    e->life = life;
    set_size(e, size);
    e->alpha = 1;
    e->MaxAlpha = 1;
    e->fade = 1;
    set_colour(e, 0, 140, 255);
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::SpecGUI_apear(int x, int y)
{
    emitterT* e = spawn_particle(emitter_layer_4, x, y, "spec_gui_appear");
    e->entity = gui_eff_png;
    e->life = 90;
    set_size(e, 0.1f);
    e->alpha = 0.9f;
    e->MaxAlpha = 0.9f;
    e->fade = 1;
    set_colour(e, 37, 140, 255);
    e->BlendMode = 2;
    return e;
}

emitterT* emitterT::Black_smoke_exp(int x, int y, int count)
{
    emitterT* e = nullptr;
    for (int i = 1; i <= count; ++i) {
        e = spawn_particle(emitter_layer_2, x, y, "black_smoke_explosion");
        set_strip(e, freeze_explosion_png, 16, 2, 0.4f);
        e->life = 1200;
        set_size(e, 1);
        e->alpha = 0;
        e->MaxAlpha = 0.44f;
        e->fade = 0;
        e->angel = static_cast<float>(Rand(1, 360));
        e->BlendMode = 1;
        // The first four puffs alternate their spin and shade so the cloud does not
        // turn as one; any further puffs are the lightest.
        int g = 250;
        e->switcher = 1;
        switch (i) {
        case 1: e->switcher = 1; g = 230; break;
        case 2: e->switcher = 2; g = 200; break;
        case 3: e->switcher = 1; g = 240; break;
        case 4: e->switcher = 2; g = 175; break;
        default: break;
        }
        set_colour(e, 75, g, 75);
    }
    return e;
}

void emitterT::Particles_born()
{
    if (name != "emitter")
        return;
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    if (script == "bomb_emitter")
        Bomb_Lighting_Particle(ix, iy, 4);
    else if (script == "alpha_electro_emitter")
        Alpha_Lighting_Particle(ix, iy, 3);
    else if (script == "freeze_explosion")
        Create_freezing_exp(ix, iy, 3);
    else if (script == "toxic_smoke")
        Black_smoke_exp(ix, iy, 5);
}

void emitterT::Update_articles_scenarios()
{
    if (name != "particle")
        return;

    if (fade == 1) {
        if (life > FadeStartTime) {
            if (alpha < MaxAlpha)
                alpha = std::min(alpha + 0.01f, MaxAlpha);
        } else if (alpha > MaxAlpha) {
            alpha -= 0.01f;
        }
        if (alpha < 0)
            alpha = 0;
    }

    if (script == "freeze_trail") {
        grow(*this, 0.1f);
    } else if (script == "bomb_expl") {
        if (life > 35) {
            sizeX = std::min(sizeX + 0.5f, 3.5f);
            sizeY = std::min(sizeY + 0.5f, 3.5f);
            alpha = std::min(alpha + 0.1f, 1.0f);
        } else {
            sizeX = std::max(sizeX - 0.1f, 0.2f);
            sizeY = std::max(sizeY - 0.1f, 0.2f);
            fade_down(alpha, 0.05f);
        }
    } else if (script == "smoke_fix") {
        if (life < 100)
            fade_down(alpha, 0.01f);
        // The repair smoke clears quickly once the robot has left its branch.
        if (robot_Curr_animation >= 2 && robot_Curr_animation <= 5)
            fade_down(alpha, 0.05f);
    } else if (script == "lure_waves") {
        grow(*this, 0.01f);
        if (life < 100)
            fade_down(alpha, 0.015f);
    } else if (script == "dead_fly_FX") {
        grow(*this, 0.0075f);
        y -= 0.5f;
        if (life < 75)
            fade_down(alpha, 0.02f);
    } else if (script == "lazer_smoke") {
        if (life < 10)
            fade_down(alpha, 0.1f);
    } else if (script == "Fix_waves") {
        grow(*this, 0.03f);
        if (life < 100)
            fade_down(alpha, 0.015f);
    } else if (script == "spec_waves" || script == "spec_gui_appear") {
        grow(*this, 0.02f);
        if (life < 100)
            fade_down(alpha, 0.015f);
    } else if (script == "lure_module") {
        y += 4;
        angel += 2;
    } else if (script == "ice_explosion") {
        y += 0.5f;
    } else if (script == "shield_main") {
        if (life > 12) {
            sizeX = std::min(sizeX + 0.05f, 1.0f);
            sizeY = sizeX;
            Shield_Lighting_Particle(static_cast<int>(x), static_cast<int>(y), 10);
        } else {
            sizeX = std::max(sizeX - 0.05f, 0.0f);
            fade_down(alpha, 0.1f);
            sizeY = sizeX;
        }
    } else if (script == "butterfly_wing") {
        SinA += 1;
        SinB -= 1;
        transX = sin_deg(SinA) * 0.4f;
        transY = sin_deg(SinB) * 0.2f;
        x += transX;
        y += time_scale + std::fabs(transY);
    } else if (script == "black_smoke_explosion") {
        if (sizeX < 5)
            grow(*this, 0.01f);
        if (life > 150) {
            if (alpha < MaxAlpha)
                alpha = std::min(alpha + 0.01f, MaxAlpha);
        } else {
            fade_down(alpha, 0.01f);
        }
        if (switcher == 1)
            angel += 0.5f;
        else if (switcher == 2)
            angel -= 0.5f;
    }
}

void emitterT::Update()
{
    if (pause_state == 0) {
        life -= 1;
        Particles_born();
        Update_articles_scenarios();
    }
    MethodDrawEntity();
    if (life <= 0) {
        if (layer)
            layer->remove(this);
    }
}

void emitterT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["script"] = script;
    o["life"] = life;
    o["destination_x"] = destination_x;
    o["destination_y"] = destination_y;
    o["speed"] = speed;
    o["name"] = name;
    o["fade"] = fade;
    o["switcher"] = switcher;
    o["SinA"] = SinA;
    o["SinB"] = SinB;
    o["transX"] = transX;
    o["transY"] = transY;
    o["MaxAlpha"] = MaxAlpha;
    o["FadeStartTime"] = FadeStartTime;
    o["direction"] = direction;
    const char* layer_name = "";
    if (layer == &emitter_layer_1)
        layer_name = "emitter_layer_1";
    else if (layer == &emitter_layer_2)
        layer_name = "emitter_layer_2";
    else if (layer == &emitter_layer_3)
        layer_name = "emitter_layer_3";
    else if (layer == &emitter_layer_4)
        layer_name = "emitter_layer_4";
    o["layer"] = layer_name;
}
