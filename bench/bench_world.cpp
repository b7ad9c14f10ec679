// Frame cost of the level world in a busy level: the scenery and swaying web of the last
// level set, 60 trapped flies with their life bars, 2 hunting spiders that shake the web,
// and 10 specials and 10 containers, walked and drawn by the frame loop's world update.
// With --particles N the first effect layer also holds N long-lived particles (the effects'
// own benchmark measures their real mix). Headless.
//   bench_world [--frames N] [--particles N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "shell/main_loop.h"

#include "bench_level.h"

int main(int argc, char** argv)
{
    int frames = 2000;
    int particles = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--particles") && i + 1 < argc)
            particles = std::atoi(argv[++i]);
    }
    UseHeadlessPlatform();
    Graphics(1024, 768, 0, 0, 0);
    SeedRnd(1);
    load_pictures();
    build_level(particles);
    for (int f = 0; f < 200; ++f) {  // flies settle, spiders pick their first targets
        Cls();
        update_world();
        Flip(0);
    }

    std::vector<double> ms;
    for (int f = 0; f < frames; ++f) {
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
                "%d containers, %d particles\n",
                frames, fly_list.count(), trapped, cocoons, spider_list.count(), special_list.count(),
                container_list.count(),
                emitter_layer_1.count() + emitter_layer_2.count() + emitter_layer_3.count() + emitter_layer_4.count());
    std::printf("frame: mean %.4f ms, median %.4f ms, p95 %.4f ms, max %.4f ms\n", sum / ms.size(), ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
    return 0;
}
