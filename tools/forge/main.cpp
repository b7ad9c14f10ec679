// Asset forge entry point: forge GAME_DIR CONTACT_SHEET [STAMP]
// Makes every catalogue file, checks none is missing, and writes the contact sheet.
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <thread>

#include <cstring>
#include <ctime>

#include "forge.h"
#include "preview.h"

namespace {
// CPU seconds used by the calling thread (the forge reports where its time goes).
double ThreadCpu() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--preview") == 0) {  // review aid: forge --preview GAME_DIR OUT_DIR
        forge::WriteScenePreviews(argv[2], argv[3]);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s GAME_DIR CONTACT_SHEET [STAMP]\n", argv[0]);
        return 2;
    }
    auto t0 = std::chrono::steady_clock::now();
    try {
        forge::Forge f(argv[1]);
        // Sounds need no fonts or cairo state, so they run on threads of their own beside the pictures.
        std::exception_ptr errors[3];
        double cpu[4] = {0, 0, 0, 0};
        std::thread workers[3];
        for (int w = 0; w < 3; ++w) {
            workers[w] = std::thread([&, w] {
                try {
                    if (w == 0) {
                        forge::ForgeSoundEffects(f);
                        forge::ForgeMusic(f, 2);
                    } else {
                        forge::ForgeMusic(f, w - 1);
                    }
                    cpu[w + 1] = ThreadCpu();
                } catch (...) {
                    errors[w] = std::current_exception();
                }
            });
        }
        std::exception_ptr picture_error;
        try {
            forge::ForgeLogo(f);
            forge::ForgeScenery(f);
            forge::ForgeCreatures(f);
            forge::ForgeRobot(f);
            forge::ForgeIcon(std::string(argv[1]) + "/wingtron.png");
            forge::ForgeEffects(f);
            forge::ForgeHud(f);
            forge::ForgeMenus(f);
            forge::ForgeTexts(f);
            cpu[0] = ThreadCpu();
        } catch (...) {
            picture_error = std::current_exception();
        }
        for (std::thread& t : workers) t.join();
        if (picture_error) std::rethrow_exception(picture_error);
        for (const std::exception_ptr& e : errors) {
            if (e) std::rethrow_exception(e);
        }

        f.WriteContactSheet(argv[2]);
        auto missing = f.Missing();
        if (!missing.empty()) {
            for (const auto& m : missing) std::fprintf(stderr, "forge: missing %s\n", m.c_str());
            return 1;
        }
        forge::CloseFonts();
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("forge: %zu bytes in %.1f s (cpu: pictures %.1f s, effects %.1f s, music %.1f + %.1f s)\n",
                    f.BytesWritten(), secs, cpu[0], cpu[1], cpu[2], cpu[3]);
        if (argc > 3) std::ofstream(argv[3]) << "forged\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
