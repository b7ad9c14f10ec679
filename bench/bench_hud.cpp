// Frame cost of the in-game HUD, headless: the 37 elements with both hunger gauges, the
// warning glow, the thermometer cooling, the red wash, time warps coming and going and the
// flies-left counter, walked as the frame loop walks them. Prints the HUD's own cost per
// frame and the cost of a small level frame with and without it.
//   bench_hud [--frames N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "shell/main_loop.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "ui/ingame_gui.h"
#include "world/fly.h"
#include "world/spider.h"

#include "bench_support.h"

namespace {

void load_pictures()
{
    gui_spider_hunger_png = make_strip(40, 450, 1, "gui_spider_hunger.png");
    mesuare_spider_hunger_png = make_strip(30, 20, 1, "mesuare_spider_hunger.png");
    rip_ingame_gui_png = make_strip(140, 100, 1, "rip_ingame_gui.png");
    rip_ingame_gui_glow_png = make_strip(60, 60, 1, "rip_ingame_gui_glow.png");
    menu_pause_Ingame_png = make_strip(128, 40, 1, "menu_pause_Ingame.png");
    Termo_hot_png = make_strip(60, 300, 1, "Termo_hot.png");
    Termo_cool_png = make_strip(60, 300, 1, "Termo_cool.png");
    TimeWarp_eff_png = make_strip(256, 256, 24, "TimeWarp_eff.png");
    abduction2_png = make_strip(18, 37, 78, "abduction2.png");
    level_completed_png = make_strip(300, 100, 1, "level_completed.png");
    level_failed_png = make_strip(300, 100, 1, "level_failed.png");
    spider_png = make_strip(226, 134, 18, "spider.png");
    fly_png = make_strip(52, 39, 5, "fly.png");
}

double ms_since(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Stats {
    double mean, median, p95;
};

Stats stats(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {sum / ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

void build_level()
{
    current_level = 27;
    level_running = 1;
    flies_left = 2;  // the warning glow pulses
    temperature = 80;
    for (int i = 0; i < 2; ++i) {
        SpiderT* s = spider_list.create();
        s->entity = spider_png;
        s->MaxFrames = 18;
        s->x = 300.0f + 300 * i;
        s->y = 300;
        s->entering = 0;
        s->num = i + 1;
        s->hunger = 40;
        s->Max_Hunger_speed = 0.0001f;
        s->Hunger_accelerae = 0;
    }
    for (int i = 0; i < 30; ++i) {
        FlyT::Create_New(100 + (i % 10) * 80, 150 + (i / 10) * 120, 1);
        fly_list.last()->fly_time = 1;
    }
    spider2_gauge_state = 1;
    inGame_guiT::CreateIngameGui();
}

// Varies what the HUD has to do over the run: time warps, cooling, the overheat flash.
void script_frame(int f)
{
    if (f % 1000 == 0)
        time_warp_state = 1;
    if (f % 700 == 0)
        cooling_frames = 100;
    if (f % 500 == 0)
        overheat_flash = 30;
    temperature = 80;
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 3000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
    }
    UseHeadlessPlatform();
    Graphics(1024, 768, 0, 0, 0);
    SeedRnd(1);
    load_pictures();
    build_level();

    // The HUD alone, as the frame loop walks it.
    std::vector<double> hud;
    for (int f = 0; f < frames; ++f) {
        script_frame(f);
        Cls();
        auto t0 = std::chrono::steady_clock::now();
        ingame_gui_list.for_each([](inGame_guiT& g) { g.update(); });
        UpdateOverheatFlash();
        hud.push_back(ms_since(t0));
        Flip(0);
    }

    // A small level frame with the HUD, then the same without it.
    auto level_frames = [&]() {
        std::vector<double> ms;
        for (int f = 0; f < frames; ++f) {
            script_frame(f);
            auto t0 = std::chrono::steady_clock::now();
            Cls();
            advance_level_clock();
            update_world();
            Flip(0);
            ms.push_back(ms_since(t0));
        }
        return stats(ms);
    };
    const Stats with_hud = level_frames();
    ingame_gui_list.clear();
    const Stats without_hud = level_frames();

    const Stats h = stats(hud);
    std::printf("bench_hud: %d frames, 37 HUD elements, 2 spiders, %d flies\n", frames, fly_list.count());
    std::printf("HUD alone:          mean %.4f ms, median %.4f ms, p95 %.4f ms\n", h.mean, h.median, h.p95);
    std::printf("level with HUD:     mean %.4f ms, median %.4f ms, p95 %.4f ms\n", with_hud.mean, with_hud.median,
                with_hud.p95);
    std::printf("level without HUD:  mean %.4f ms, median %.4f ms, p95 %.4f ms\n", without_hud.mean,
                without_hud.median, without_hud.p95);
    std::printf("HUD adds:           %.4f ms (median difference)\n", with_hud.median - without_hud.median);
    return 0;
}
