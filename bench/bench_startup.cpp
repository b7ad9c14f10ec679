// Launch to the first main-loop frame: configuration, screen, the studio logo (skipped
// by an Escape on its second frame), the whole catalogue behind the loading bar and the
// first frame of the menu. Reports wall time per phase, assets missing and memory.
//   bench_startup [--gl] [--data DIR]     (DIR defaults to build/game)
// Under --gl the real backend opens a window (use xvfb-run or SDL_VIDEODRIVER=offscreen)
// and OpenAL is tried before the silent driver, as in the game.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/audio.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/real/gl_backend.h"
#include "platform/real/openal_audio.h"
#include "shell/catalogue.h"
#include "shell/main_loop.h"
#include "shell/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// Resident and peak resident memory in MB.
void memory(double& rss, double& peak)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            rss = std::stod(line.substr(6)) / 1024;
        if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stod(line.substr(6)) / 1024;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const auto launch = Clock::now();
    bool gl = false;
    std::string data = "build/game";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--gl"))
            gl = true;
        else if (!std::strcmp(argv[i], "--data") && i + 1 < argc)
            data = argv[++i];
    }
    if (FileType(data + "/media") != 2) {
        std::fprintf(stderr, "bench_startup: no media folder in %s (build with the forge first)\n", data.c_str());
        return 1;
    }
    SetDataFolder(data);
    char tmpl[] = "/tmp/wingtron-bench-XXXXXX";
    SetProfilesFolder(std::string(mkdtemp(tmpl)) + "/profiles");
    if (gl) {
        SetBackend(CreateGLBackend());
        SetAudioDriverFactory(CreateOpenALAudioDriver);
    } else {
        UseHeadlessPlatform();
    }

    Clock::time_point logo_end, loading_end;
    SetFrameHook([&](int64_t frame) {
        if (frame == 0)
            PostKeyEvent(kKeyEscape, true);  // seen by the logo's second frame
        if (frame == 1)
            logo_end = Clock::now();
        if (frame == 88)
            loading_end = Clock::now();
    });
    startup(StartupOverrides {});
    SetFrameHook(nullptr);
    PostKeyEvent(kKeyEscape, false);
    FlushKeys();
    const double to_startup_end = ms_since(launch);
    // The first frame of the main loop; the menu loop it enters is left by a close request.
    PostCloseRequest();
    try {
        main_loop_frame();
    } catch (const ProgramExit&) {
    }
    const double total = ms_since(launch);

    int missing = 0, assets = 0;
    for (const LoadGroup& g : catalogue_groups()) {
        for (const CatalogueEntry& e : g.entries) {
            ++assets;
            bool loaded = e.sound ? *e.sound != nullptr : *e.image != nullptr;
            // The loading screen is released once loading ends.
            if (!loaded && std::strncmp(e.file, "Loading", 7) != 0 && std::strncmp(e.file, "loading_prgs", 12) != 0) {
                ++missing;
                std::fprintf(stderr, "missing: %s\\%s\n", e.folder, e.file);
            }
        }
    }
    double rss = 0, peak = 0;
    memory(rss, peak);
    std::printf("backend            %s, audio %s\n", gl ? "OpenGL" : "headless", AudioDriverName().c_str());
    std::printf("assets             %d in the catalogue, %d missing\n", assets, missing);
    std::printf("logo (skipped)     %8.1f ms after launch\n", std::chrono::duration<double, std::milli>(logo_end - launch).count());
    std::printf("catalogue loaded   %8.1f ms after launch\n",
                std::chrono::duration<double, std::milli>(loading_end - launch).count());
    std::printf("start-up done      %8.1f ms\n", to_startup_end);
    std::printf("first frame done   %8.1f ms\n", total);
    std::printf("resident memory    %8.1f MB (peak %.1f MB)\n", rss, peak);
    CloseAudio();
    EndGraphics();
    return 0;
}
