// Frame cost of a busy level as the game draws it: start-up with the real pictures,
// level 22 at a fixed seed through the game's own level start, the HUD and what the
// level brings, plus 40 projectiles in flight and 1,500 live particles. Frames are
// unpaced; each is timed from its start to the end of its present.
//   bench_level [--gl] [--data DIR] [--frames N] [--particles N] [--screenshot FILE]
// Under --gl the real backend opens a window (use xvfb-run or SDL_VIDEODRIVER=offscreen);
// the screenshot is the frame after the measured ones, for comparing pixels between builds.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "platform/backend.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/real/gl_backend.h"
#include "shell/main_loop.h"
#include "shell/startup.h"
#include "state/assets.h"

#include "bench_backend.h"
#include "bench_particles.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLevel = 22;
constexpr int kProjectiles = 40;

// Projectiles of the four kinds that fly in numbers, on crossing arcs over the web.
void draw_projectiles(int64_t frame)
{
    TImage* kinds[] = {Lazer_arrow_png, bomb_png, freezing_missle_png, Lazer_arrow_png};
    const int blends[] = {kLightBlend, kAlphaBlend, kAlphaBlend, kLightBlend};
    for (int i = 0; i < kProjectiles; ++i) {
        TImage* img = kinds[i % 4];
        if (!img)
            continue;
        const double t = (frame * 3 + i * 37) % 400 / 400.0;
        const float x = static_cast<float>(100 + t * 820 + 40 * std::sin(i));
        const float y = static_cast<float>(650 - t * 520 + 60 * std::sin(t * 6 + i));
        SetBlend(blends[i % 4]);
        SetRotation(static_cast<float>(-40 + (i * 17) % 80));
        DrawImage(img, x, y, static_cast<int>(frame + i) % std::max<int>(1, static_cast<int>(img->pixmaps.size())));
    }
    SetRotation(0);
    SetBlend(kAlphaBlend);
}

// Counts the screen area of the triangles handed to the backend (overlaps each time).
class AreaBackend final : public ForwardingBackend {
public:
    using ForwardingBackend::ForwardingBackend;
    double area = 0;
    void draw_triangles(uint32_t t, int b, const Vertex* v, int n) override
    {
        for (int i = 0; i + 2 < n; i += 3)
            area += std::abs((v[i + 1].x - v[i].x) * (v[i + 2].y - v[i].y) -
                             (v[i + 2].x - v[i].x) * (v[i + 1].y - v[i].y)) * 0.5;
        ForwardingBackend::draw_triangles(t, b, v, n);
    }
};

// CPU time of the whole process (every thread: the rasteriser's too), in ms.
double cpu_ms()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv)
{
    bool gl = false;
    std::string data = "build/game";
    std::string screenshot;
    int frames = 300;
    int particles = 1500;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--gl"))
            gl = true;
        else if (!std::strcmp(argv[i], "--data") && i + 1 < argc)
            data = argv[++i];
        else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--particles") && i + 1 < argc)
            particles = std::max(0, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc)
            screenshot = argv[++i];
    }
    if (FileType(data + "/media") != 2) {
        std::fprintf(stderr, "bench_level: no media folder in %s (build with the forge first)\n", data.c_str());
        return 1;
    }
    SetDataFolder(data);
    char tmpl[] = "/tmp/wingtron-bench-XXXXXX";
    SetProfilesFolder(std::string(mkdtemp(tmpl)) + "/profiles");
    if (!gl)
        UseHeadlessPlatform();  // its virtual clock
    auto counting = std::make_unique<AreaBackend>(gl ? CreateGLBackend() : CreateHeadlessBackend());
    AreaBackend* backend = counting.get();
    SetBackend(std::move(counting));
    SetFixedSeed(true, 22);

    SetFrameHook([](int64_t frame) {
        if (frame == 0)
            PostKeyEvent(kKeyEscape, true);  // skips the studio logo
        if (frame == 1)
            PostKeyEvent(kKeyEscape, false);
    });
    StartupOverrides overrides;
    overrides.level = kLevel;
    overrides.screen_mode = 1;
    startup(overrides);
    Graphics(1024, 768, 0, 0, 0);  // same window, unpaced
    FlushKeys();

    // Warm up: the level starts, its banner passes, flies arrive and effects settle.
    int64_t frame = 0;
    SetFrameHook([&](int64_t) { draw_projectiles(frame); });
    for (; frame < 400; ++frame) {
        bench::top_up(particles);
        main_loop_frame();
    }

    std::vector<double> ms;
    double calls = 0, pixels = 0;
    const int reuses_before = GetBackend().backdrop_reuses();
    const double cpu_start = cpu_ms();
    for (int f = 0; f < frames; ++f, ++frame) {
        bench::top_up(particles);
        const double area_before = backend->area;
        const auto t0 = Clock::now();
        main_loop_frame();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        calls += GetBackend().draw_calls_last_frame();
        pixels += backend->area - area_before;
        if (f == frames - 1 && !screenshot.empty()) {
            // The same frame again, read back before it is shown.
            SetFrameHook([&](int64_t) {
                draw_projectiles(frame);
                Pixmap shot;
                if (!ReadScreen(shot) || !SavePng(screenshot, shot))
                    std::fprintf(stderr, "bench_level: could not save %s\n", screenshot.c_str());
            });
        }
    }
    const double cpu_per_frame = (cpu_ms() - cpu_start) / frames;
    const int reuses = GetBackend().backdrop_reuses() - reuses_before;
    if (!screenshot.empty()) {
        bench::top_up(particles);
        main_loop_frame();
    }

    std::printf("backend            %s\n", gl ? "OpenGL" : "headless");
    std::printf("level              %d, %d projectiles, %d particles live\n", kLevel, kProjectiles,
                bench::live_particles());
    std::printf("frame time         median %.2f ms, 90th percentile %.2f ms (%d frames)\n", percentile(ms, 0.5),
                percentile(ms, 0.9), frames);
    std::printf("CPU time           %.2f ms a frame (all threads)\n", cpu_per_frame);
    std::printf("GL draw calls      %.0f a frame\n", calls / frames);
    std::printf("pixels covered     %.2f screens a frame\n", pixels / frames / (1024.0 * 768.0));
    std::printf("kept backdrop      %d of %d frames\n", reuses, frames);
    EndGraphics();
    return 0;
}
