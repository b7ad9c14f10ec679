// Extra frame cost of the projectiles in a busy level: the busy level of bench_world with
// its 60 flies, once without projectiles and once with 40 live ones of every kind that
// leaves the world's population alone (lasers, both bombs, freeze shots, mines, shield
// modules with their markers, slice beams), topped up between frames. The two phases
// alternate in blocks so that both see the same level. Headless.
//   bench_bullets [--frames N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "player/bullet.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "shell/main_loop.h"

#include "bench_level.h"

namespace {

void load_weapon_pictures()
{
    lazer_bullet_PNG = make_strip(32, 8, 1, "lazer_bullet.PNG");
    lazer_glow_png = make_strip(64, 32, 1, "lazer_glow.png");
    lazer_PNG = make_strip(256, 16, 1, "lazer.PNG");
    bomb_png = make_strip(24, 24, 1, "bomb.png");
    Bomb_eff_png = make_strip(48, 48, 1, "Bomb_eff.png");
    freezing_missle_png = make_strip(40, 16, 1, "freezing_missle.png");
    freezing_trail_png = make_strip(32, 32, 1, "freezing_trail.png");
    Freeze_mine_png = make_strip(60, 50, 9, "Freeze_mine.png");
    mine_shine_png = make_strip(64, 64, 1, "mine_shine.png");
    lure_module_png = make_strip(40, 30, 5, "lure_module.png");
    shield_eff_png = make_strip(128, 128, 1, "shield_eff.png");
    shield_light_png = make_strip(64, 64, 1, "shield_light.png");
}

// Live projectiles wanted of each kind: 40 in all (each shield module leaves a marker).
const std::vector<std::pair<std::string, int>> kMix = {
    {"lazer_l", 8}, {"bomb_l", 6}, {"bomb_r", 4}, {"freeze_l", 6},
    {"freeze_mine", 6}, {"shield_module", 2}, {"shield", 2}, {"lazer_r", 6},
};

void aim_somewhere_in_the_web() { MoveMouse(static_cast<int>(Rnd(260, 720)), static_cast<int>(Rnd(180, 550))); }

void top_up_projectiles()
{
    std::map<std::string, int> live;
    bullet_list.for_each([&](BulletT& b) { live[b.w_type] += 1; });
    for (const auto& [kind, wanted] : kMix) {
        for (int i = live[kind]; i < wanted; ++i) {
            aim_somewhere_in_the_web();
            if (kind == "lazer_l")
                BulletT::CreateBullet_laser(static_cast<int>(Rnd(0, 60)));
            else if (kind == "bomb_l")
                BulletT::CreateBomb_delay();
            else if (kind == "bomb_r")
                BulletT::CreateBomb_NOW();
            else if (kind == "freeze_l")
                BulletT::Create_Freezing_shot();
            else if (kind == "freeze_mine")
                BulletT::CreateFreezeMine();
            else if (kind == "shield_module")
                BulletT::CreateShieldModule();
            else if (kind == "shield")
                BulletT::Create_shield_empty_entity(static_cast<float>(Rnd(260, 720)), static_cast<float>(Rnd(180, 550)));
            else if (kind == "lazer_r")
                BulletT::CreateLazer_slice(static_cast<float>(Rnd(260, 720)), static_cast<float>(Rnd(180, 550)), 2,
                                           static_cast<int>(Rnd(40, 100)));
        }
    }
}

// Keeps the level as busy as it started: no fly is cut free by the hits being measured.
void hold_flies()
{
    fly_list.for_each([](FlyT& f) {
        if (f.free_life < 500)
            f.free_life = 1000;
    });
}

double frame_ms()
{
    auto t0 = std::chrono::steady_clock::now();
    Cls();
    advance_level_clock();
    update_world();
    Flip(0);
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
    return {sum / static_cast<double>(ms.size()), ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 4000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::max(200, std::atoi(argv[++i]));
    }
    UseHeadlessPlatform();
    Graphics(1024, 768, 0, 0, 0);
    SeedRnd(1);
    load_pictures();
    load_weapon_pictures();
    build_level(0);
    power_upsT::CreatePower_Ups();
    roboFlyT::initialize_robo_fly();
    for (int f = 0; f < 200; ++f) {  // flies settle, spiders pick their first targets
        hold_flies();
        frame_ms();
    }

    std::vector<double> without, with;
    int live_sum = 0;
    constexpr int kBlock = 100;
    for (int block = 0; block < frames / kBlock; ++block) {
        const bool armed = block % 2 == 1;
        if (!armed)
            bullet_list.clear();
        for (int f = 0; f < kBlock; ++f) {
            hold_flies();
            if (armed) {
                top_up_projectiles();
                live_sum += bullet_list.count();
            }
            (armed ? with : without).push_back(frame_ms());
        }
    }
    const Stats a = stats(without);
    const Stats b = stats(with);
    std::printf("bench_bullets: %d flies, %d spiders, %.1f live projectiles on average in the armed frames\n",
                fly_list.count(), spider_list.count(), static_cast<double>(live_sum) / static_cast<double>(with.size()));
    std::printf("without: mean %.4f ms, median %.4f ms, p95 %.4f ms\n", a.mean, a.median, a.p95);
    std::printf("with:    mean %.4f ms, median %.4f ms, p95 %.4f ms\n", b.mean, b.median, b.p95);
    std::printf("extra:   mean %.4f ms, median %.4f ms (budget 0.3 ms)\n", b.mean - a.mean, b.median - a.median);
    return 0;
}
