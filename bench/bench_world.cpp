// Frame cost of the level world in a busy level: the scenery and swaying web of the last
// level set, 60 trapped flies with their life bars, 2 hunting spiders that shake the web,
// and 10 specials and 10 containers, walked and drawn by the frame loop's world update.
// With --particles N the first effect layer also holds N long-lived particles (the effects'
// own benchmark measures their real mix). With --projectiles N the same level is measured
// a second time with N live projectiles of every kind kept in the air and in the web, and
// the difference is printed. Headless.
//   bench_world [--frames N] [--particles N] [--projectiles N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/container.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/level_object.h"
#include "world/special.h"
#include "world/spider.h"

#include "bench_support.h"

namespace {

void load_pictures()
{
    back_level_1_jpg = make_strip(1024, 768, 1, "back_level_1.jpg");
    Sun_lv1_png = make_strip(128, 128, 1, "Sun_lv1.png");
    ukraine_back_tree_prt3_png = make_strip(160, 400, 1, "ukraine_back_tree_prt3.png");
    ukraine_back_prt1_png = make_strip(1024, 334, 1, "ukraine_back_prt1.png");
    ukraine_back_prt2_png = make_strip(310, 200, 1, "ukraine_back_prt2.png");
    ukraine_glow_png = make_strip(256, 256, 1, "ukraine_glow.png");
    ukraine_front_grass_png = make_strip(512, 334, 1, "ukraine_front_grass.png");
    Web_level1_png = make_strip(1024, 718, 1, "Web_level1.png");
    ukraine_front_prt1_png = make_strip(300, 636, 1, "ukraine_front_prt1.png");
    ukraine_front_prt2_png = make_strip(843, 166, 1, "ukraine_front_prt2.png");
    fly_png = make_strip(52, 39, 5, "fly.png");
    fly_komar_png = make_strip(53, 40, 5, "fly_komar.png");
    fly_butterfly_png = make_strip(94, 70, 5, "fly_butterfly.png");
    cocon_png = make_strip(30, 40, 1, "cocon.png");
    cocon_komar_png = make_strip(30, 40, 1, "cocon_komar.png");
    cocon_butterfly_png = make_strip(40, 50, 1, "cocon_butterfly.png");
    health_fly_png = make_strip(32, 4, 1, "health_fly.png");
    health_fly_empty_png = make_strip(36, 8, 1, "health_fly_empty.png");
    Caution_png = make_strip(12, 20, 1, "Caution.png");
    spider_png = make_strip(226, 134, 18, "spider.png");
    flying_spec_up_png = make_strip(50, 50, 5, "flying_spec_up.png");
    flying_spec_up2_png = make_strip(50, 50, 5, "flying_spec_up2.png");
    flying_spec_up_ques_png = make_strip(20, 20, 1, "flying_spec_up_ques.png");
    flying_spec_up_ques2_png = make_strip(32, 32, 1, "flying_spec_up_ques2.png");
    toxic_container_png = make_strip(36, 38, 9, "toxic_container.png");
    toxic_container_fx_png = make_strip(48, 48, 1, "toxic_container_fx.png");
    dead_fly_fx_png = make_strip(64, 64, 1, "dead_fly_fx.png");
    butterfly_wing_png = make_strip(66, 39, 7, "butterfly_wing.png");
    lure_effect_png = make_strip(128, 128, 1, "lure_effect.png");
    lazer_bullet_PNG = make_strip(32, 8, 1, "lazer_bullet.PNG");
    lazer_glow_png = make_strip(64, 32, 1, "lazer_glow.png");
    lazer_PNG = make_strip(256, 16, 1, "lazer.PNG");
    bomb_png = make_strip(24, 24, 1, "bomb.png");
    Bomb_eff_png = make_strip(48, 48, 1, "Bomb_eff.png");
    freezing_missle_png = make_strip(40, 16, 1, "freezing_missle.png");
    Freeze_mine_png = make_strip(60, 50, 9, "Freeze_mine.png");
    mine_shine_png = make_strip(64, 64, 1, "mine_shine.png");
    lure_module_png = make_strip(40, 30, 5, "lure_module.png");
}

// Keeps `count` projectiles alive, cycling through the kinds; their targets are random
// points of the web. Lure modules are left out: each would add a fly to the level.
void top_up_projectiles(int count)
{
    static int next = 0;
    while (bullet_list.count() < count) {
        MoveMouse(static_cast<int>(Rnd(260, 720)), static_cast<int>(Rnd(180, 550)));
        switch (next++ % 8) {
        case 0:
            BulletT::CreateBullet_laser(static_cast<int>(Rnd(0, 59)));
            break;
        case 1:
            BulletT::CreateLazer_slice(static_cast<float>(Rnd(300, 680)), static_cast<float>(Rnd(200, 500)), 2,
                                       90);
            break;
        case 2:
            BulletT::CreateBomb_delay();
            break;
        case 3:
            BulletT::CreateBomb_NOW();
            break;
        case 4:
            BulletT::Create_Freezing_shot();
            break;
        case 5:
            BulletT::CreateFreezeMine();
            break;
        case 6:
            BulletT::CreateShieldModule();
            break;
        default:
            BulletT::Create_Alphamissle_shot();
            break;
        }
    }
}

int rnd_x() { return static_cast<int>(Rnd(60, 960)); }
int rnd_y() { return static_cast<int>(Rnd(120, 680)); }

void build_level(int particles)
{
    current_level = 27;
    level_running = 1;
    flies_left = 1000;  // the level stays undecided while it is measured
    levelObT::load_level(current_level);
    // A timetable still to come keeps the spiders out of the endgame.
    for (int i = 0; i < 5; ++i) {
        EventsT* e = event_list.create();
        e->type_of_event = "Fly";
        e->time = 1 << 30;
    }
    for (int i = 0; i < 60; ++i) {
        FlyT::Create_New(rnd_x(), rnd_y(), 1 + i % 3);
        FlyT* f = fly_list.last();
        f->fly_time = 1;  // settles into the web on the first frame
        f->free_life = 1e9f;  // weapons wear the hold but never open it: the web stays as busy
    }
    for (int i = 0; i < 2; ++i) {
        SpiderT* s = spider_list.create();
        s->entity = spider_png;
        s->MaxFrames = 18;
        s->AnimationSpeed = 0.4f;
        s->x = static_cast<float>(rnd_x());
        s->y = static_cast<float>(rnd_y());
        s->sizeX = s->sizeY = 0.8f;
        s->num = i + 1;
        s->entering = 0;
        s->Boost_rnd = 8;
        s->Max_Hunger_speed = 0.001f;  // never starves during the run
        s->Hunger_accelerae = 0.00001f;
    }
    for (int i = 0; i < 10; ++i) {
        FlySpecT::Create_New(1 + i % 6, static_cast<float>(i * 40));
        ContainerT::Create_New(rnd_x(), static_cast<float>(100 + i * 30));
    }
    for (int i = 0; i < particles; ++i) {
        emitterT* p = emitterT::Dead_Fly_FX(rnd_x(), rnd_y());
        if (p)
            p->life = 1 << 30;
    }
}

struct FrameTimes {
    double mean = 0, median = 0, p95 = 0, max = 0;
};

FrameTimes measure(int frames, int particles, int projectiles)
{
    clear_world();
    emitter_layer_4.clear();
    SeedRnd(1);
    build_level(particles);
    for (int f = 0; f < 200; ++f) {  // flies settle, spiders pick their first targets
        Cls();
        top_up_projectiles(projectiles);
        update_world();
        Flip(0);
    }
    std::vector<double> ms;
    for (int f = 0; f < frames; ++f) {
        top_up_projectiles(projectiles);  // new shots are part of a busy frame's cost
        auto t0 = std::chrono::steady_clock::now();
        Cls();
        advance_level_clock();
        update_world();
        Flip(0);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    int trapped = 0, cocoons = 0;
    fly_list.for_each([&](FlyT& f) {
        trapped += f.status == 1;
        cocoons += f.status == 2;
    });
    std::printf("bench_world: %d frames, %d flies (%d trapped, %d cocoons at the end), %d spiders, %d specials, "
                "%d containers, %d particles, %d projectiles\n",
                frames, fly_list.count(), trapped, cocoons, spider_list.count(), special_list.count(),
                container_list.count(),
                emitter_layer_1.count() + emitter_layer_2.count() + emitter_layer_3.count() + emitter_layer_4.count(),
                bullet_list.count());
    FrameTimes t{sum / static_cast<double>(ms.size()), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back()};
    std::printf("frame: mean %.4f ms, median %.4f ms, p95 %.4f ms, max %.4f ms\n", t.mean, t.median, t.p95, t.max);
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 2000;
    int particles = 0;
    int projectiles = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--particles") && i + 1 < argc)
            particles = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--projectiles") && i + 1 < argc)
            projectiles = std::atoi(argv[++i]);
    }
    UseHeadlessPlatform();
    Graphics(1024, 768, 0, 0, 0);
    load_pictures();
    const FrameTimes without = measure(frames, particles, 0);
    if (projectiles > 0) {
        const FrameTimes with = measure(frames, particles, projectiles);
        std::printf("projectiles add: mean %+.4f ms, median %+.4f ms a frame\n", with.mean - without.mean,
                    with.median - without.median);
    }
    return 0;
}
