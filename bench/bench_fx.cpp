// Frame cost of a busy level: its scenery and web, 60 flies (and the two entrance
// markers), 2 spiders, 10 specials and 10 containers (half of each caught in the web),
// three running emitters and 1,500 live particles spread over the four effect layers,
// walked and drawn by the frame loop's own world update.
// Particles that die are replaced each frame by fresh ones of every preset, inside the
// timed frame, so the count stays at 1,500. Headless.
//   bench_fx [--frames N] [--particles N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/container.h"
#include "world/fly.h"
#include "world/level_object.h"
#include "world/special.h"
#include "world/spider.h"

#include "bench_particles.h"
#include "bench_support.h"

using namespace bench;

namespace {

void load_pictures()
{
    robo_smoke_png = make_strip(32, 64, 15, "robo_smoke.png");
    robo_lighting_png = make_strip(64, 64, 1, "robo_lighting.png");
    Lazer_Smoke_png = make_strip(64, 128, 11, "Lazer_Smoke.png");
    ice_spider_exp_png = make_strip(160, 126, 7, "ice_spider_exp.png");
    ice_fly_exp_png = make_strip(80, 63, 7, "ice_fly_exp.png");
    butterfly_wing_png = make_strip(66, 39, 7, "butterfly_wing.png");
    expl_eff_png = make_strip(64, 64, 24, "expl_eff.png");
    Bomb_light_png = make_strip(64, 64, 1, "Bomb_light.png");
    freezing_trail_png = make_strip(44, 25, 16, "freezing_trail.png");
    freeze_explosion_png = make_strip(64, 64, 16, "freeze_explosion.png");
    shield_eff_png = make_strip(128, 128, 1, "shield_eff.png");
    shield_light_png = make_strip(64, 64, 1, "shield_light.png");
    lure_module_png = make_strip(40, 30, 5, "lure_module.png");
    dead_fly_fx_png = make_strip(64, 64, 1, "dead_fly_fx.png");
    lure_effect_png = make_strip(128, 128, 1, "lure_effect.png");
    gui_eff_png = make_strip(128, 128, 1, "gui_eff.png");
    flying_spec_up_png = make_strip(50, 50, 5, "flying_spec_up.png");
    flying_spec_up2_png = make_strip(50, 50, 5, "flying_spec_up2.png");
    flying_spec_up_ques_png = make_strip(20, 20, 1, "flying_spec_up_ques.png");
    flying_spec_up_ques2_png = make_strip(32, 32, 1, "flying_spec_up_ques2.png");
    toxic_container_png = make_strip(36, 38, 9, "toxic_container.png");
    toxic_container_fx_png = make_strip(48, 48, 1, "toxic_container_fx.png");
    fly_png = make_strip(52, 39, 5, "fly.png");
    fly_komar_png = make_strip(40, 40, 5, "fly_komar.png");
    fly_butterfly_png = make_strip(66, 50, 5, "fly_butterfly.png");
    cocon_png = make_strip(40, 50, 1, "cocon.png");
    cocon_komar_png = make_strip(40, 50, 1, "cocon_komar.png");
    cocon_butterfly_png = make_strip(50, 60, 1, "cocon_butterfly.png");
    health_fly_png = make_strip(60, 8, 1, "health_fly.png");
    spider_png = make_strip(90, 90, 8, "spider.png");
    Web_level1_png = make_strip(512, 512, 1, "Web_level1.png");
}

// A level of the second range with its web, 60 flies of the three kinds, the two entrance
// markers and two spiders, made by the world's own creation functions; then ten specials
// and ten containers, half of each already caught in the web.
void build_level()
{
    current_level = 6;
    difficulty = 1;
    flies_left = 100000;  // the spiders may eat all they like without ending the level
    levelObT::load_level(current_level);
    for (int i = 0; i < 60; ++i)
        FlyT::Create_New(static_cast<int>(Rnd(300, 750)), static_cast<int>(Rnd(120, 480)), 1 + i % 3);
    FlyT::Create_New(420, 110, 4);
    FlyT::Create_New(620, 110, 4);
    SpiderT::Create_New(2);
    for (int i = 0; i < 10; ++i) {
        FlySpecT* s = FlySpecT::Create_New(1 + i % 6, i < 5 ? 0.0f : 100000.0f);
        if (i < 5) {
            s->script = 3;
            s->y = static_cast<float>(rnd_y());
        }
        ContainerT* c = ContainerT::Create_New(rnd_x(), i < 5 ? 0.0f : 100000.0f);
        if (i < 5)
            c->y = static_cast<float>(rnd_y());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 600;
    int particles = 1500;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--particles") && i + 1 < argc)
            particles = std::atoi(argv[++i]);
    }
    UseHeadlessPlatform();
    SetDataFolder(WINGTRON_GAME_DIR);  // the spiders come from the campaign's Spiders.xml
    Graphics(1024, 768, 0, 0, 0);
    SeedRnd(1);
    load_pictures();
    build_level();
    // Three emitters that run for the whole measurement.
    emitterT::Create_New_Emitter(300, 300, 1 << 30, 4);
    emitterT::Create_New_Emitter(600, 300, 1 << 30, 6);
    emitterT::Create_New_Emitter(450, 500, 1 << 30, 8);
    top_up(particles);
    // Warm up until the long-lived effects have settled into their steady mix.
    for (int f = 0; f < 300; ++f) {
        Cls();
        update_world();
        top_up(particles);
        Flip(0);
    }

    std::vector<double> ms;
    std::vector<double> fx_ms;
    long live_sum = 0;

    for (int f = 0; f < frames; ++f) {
        auto t0 = std::chrono::steady_clock::now();
        Cls();
        update_world();
        auto t1 = std::chrono::steady_clock::now();
        top_up(particles);
        Flip(0);
        auto t2 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t2 - t0).count());
        fx_ms.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
        live_sum += live_particles();

    }
    // One more frame, untimed, with the draws recorded to count them.
    SetDrawTraceActive(true);
    Cls();
    update_world();
    const size_t draws = TracedDraws().size();
    SetDrawTraceActive(false);
    Flip(0);
    std::sort(ms.begin(), ms.end());
    std::sort(fx_ms.begin(), fx_ms.end());
    std::printf("headless level frame: %d flies, %d spiders, %d specials, %d containers, %.0f live effects, "
                "%d frames: median %.3f ms/frame, p90 %.3f ms, max %.3f ms (of which respawning and present: median %.3f ms); "
                "layers at the end %d/%d/%d/%d; %.0f draws a frame, %d flies trapped\n",
                fly_list.count(), spider_list.count(), special_list.count(), container_list.count(),
                static_cast<double>(live_sum) / frames, frames, ms[ms.size() / 2], ms[ms.size() * 9 / 10],
                ms.back(), fx_ms[fx_ms.size() / 2], emitter_layer_1.count(), emitter_layer_2.count(),
                emitter_layer_3.count(), emitter_layer_4.count(), static_cast<double>(draws), trapped());
    clear_world();
    EndGraphics();
    return 0;
}
