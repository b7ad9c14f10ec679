// Program entry: reads the command line, picks the backend, hands the shell its bot, runs
// start-up and the main loop, and turns the game's fatal errors into a one-line message.
// It stands above every room, as the one place that puts them together.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "bot/autoplay.h"
#include "persist/xml_document.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/preload.h"
#ifdef __EMSCRIPTEN__
#include "platform/web/web_backend.h"
#else
#include "platform/real/gl_backend.h"
#include "platform/real/openal_audio.h"
#endif
#include "shell/main_loop.h"
#include "shell/runner.h"
#include "shell/startup.h"
#include "shell/version.h"

int main(int argc, char** argv)
{
    RunOptions options;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.what(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("wingtron %s\n", kGameVersion);
        return 0;
    }

    const GameFolders folders =
        LocateGameFolders(ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    SetDataFolder(folders.data);
    if (!folders.profiles.empty())
        SetProfilesFolder(folders.profiles);  // --profiles still wins (BeginRun)
    if (options.headless)
        UseHeadlessPlatform();
    else {
#ifdef __EMSCRIPTEN__
        UseWebPlatform();
#else
        SetBackend(CreateGLBackend());
        // Without an output device the silent driver takes over (the default).
        SetAudioDriverFactory(CreateOpenALAudioDriver);
#endif
    }

    SetBotPlayer({StartAutoplay, StopAutoplay});

    int code = 0;
    std::string error;
    try {
        BeginRun(options);
        startup(options.overrides);
#ifdef __EMSCRIPTEN__
        WebGameReady();
#endif
        run_main_loop();
    } catch (const ProgramExit& e) {
        code = e.code;
    } catch (const XmlError& e) {
        std::string message = e.source.empty() ? e.what() : HostPath(e.source) + ": " + e.what();
        std::fprintf(stderr, "wingtron: %s\n", message.c_str());
        ShowErrorBox("Wingtron", message);
        error = message;
        code = 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wingtron: %s\n", e.what());
        ShowErrorBox("Wingtron", e.what());
        error = e.what();
        code = 1;
    }
    // A run can end while start-up still decodes pictures and sounds on worker threads
    // (the window closed during the loading bar): stop them while everything is alive.
    EndPreload();
    EndRun();
    CloseAudio();
    EndGraphics();
#ifdef __EMSCRIPTEN__
    WebGameEnded(code, error);
#endif
    return code;
}
