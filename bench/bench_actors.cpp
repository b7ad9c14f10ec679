// Frame cost of 2,000 animated actors (a third glowing, a third drawn partly, a third
// rotated and scaled), each kind in one run as a list draws them. Headless by default; --gl draws them on the real backend and also
// reports GL draw calls per frame.
//   bench_actors [--gl] [--frames N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "entities/actor.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/real/gl_backend.h"

#include "bench_support.h"

int main(int argc, char** argv)
{
    bool gl = false;
    int frames = 600;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--gl"))
            gl = true;
        else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
    }
    if (gl)
        SetBackend(CreateGLBackend());
    else
        UseHeadlessPlatform();
    Graphics(1024, 768, 0, 0, 0);  // hz 0: no pacing, draw as fast as possible
    SeedRnd(1);

    TImage* fly = make_strip(52, 39, 5, "fly.png");
    TImage* glow = make_strip(64, 64, 1, "glowy_sample.png");
    TImage* bar = make_strip(100, 20, 1, "health_fly.png");

    std::vector<Actor> actors(2000);
    for (size_t i = 0; i < actors.size(); ++i) {
        Actor& a = actors[i];
        a.x = static_cast<float>(Rnd(0, 1024));
        a.y = static_cast<float>(Rnd(0, 768));
        a.entity = fly;
        a.animated = 1;
        a.MaxFrames = 5;
        a.animation_script = static_cast<uint8_t>(2 + i % 2);
        a.AnimationSpeed = 0.5f;
        // Kinds come in runs, as the game's lists draw them.
        switch (i * 3 / actors.size()) {
        case 0:
            a.Glow = 1;
            a.GlowEntity = glow;
            break;
        case 1:
            a.entity = bar;
            a.DrawRectMode = 1;
            a.RectDirection = "right";
            a.RectPercent = static_cast<float>(Rnd(10, 100));
            break;
        default:
            a.angel = static_cast<float>(Rnd(0, 360));
            a.sizeX = a.sizeY = 1.3f;
            break;
        }
    }

    std::vector<double> ms;
    long calls = 0;
    for (int f = 0; f < frames; ++f) {
        auto t0 = std::chrono::steady_clock::now();
        Cls();
        for (Actor& a : actors)
            a.MethodDrawEntity();
        Flip(0);
        auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        calls += GetBackend().draw_calls_last_frame();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: %zu actors, %d frames: median %.3f ms/frame, p90 %.3f ms, min %.3f ms", gl ? "gl" : "headless",
                actors.size(), frames, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.front());
    if (gl)
        std::printf(", %.1f GL draw calls/frame", static_cast<double>(calls) / frames);
    std::printf("\n");
    EndGraphics();
    return 0;
}
