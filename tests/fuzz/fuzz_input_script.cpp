// Input scripts and replay records with arbitrary contents: the reader either refuses the
// text with a message naming the file and line, or gives events in frame order that write
// back to the same events and replay with only codes the input layer accepts. The posting
// side of the input layer is replaced here by those checks.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "fuzz_support.h"
#include "platform/input.h"
#include "platform/input_script.h"

namespace {
size_t g_posted = 0;
}

void PostKeyEvent(int key, bool)
{
    FUZZ_CHECK(key >= 0 && key < 256);
    ++g_posted;
}

void PostMouseButton(int button, bool)
{
    FUZZ_CHECK(button >= 1 && button <= 3);
    ++g_posted;
}

void PostMouseMove(int x, int y)
{
    FUZZ_CHECK(std::abs(x) <= 100000 && std::abs(y) <= 100000);
    ++g_posted;
}

void PostWheel(int dz)
{
    FUZZ_CHECK(std::abs(dz) <= kMaxWheelStep);
    ++g_posted;
}

void PostChar(int code)
{
    FUZZ_CHECK(code >= 0 && code <= 255);
    ++g_posted;
}

void PostCloseRequest() { ++g_posted; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptedEvent> events;
    try {
        events = ParseInputScript(text, "in.txt");
    } catch (const std::runtime_error& e) {
        FUZZ_CHECK(std::string(e.what()).rfind("in.txt line ", 0) == 0);
        return 0;
    }
    std::string written;
    for (size_t i = 0; i < events.size(); ++i) {
        FUZZ_CHECK(events[i].frame >= 0 && events[i].frame <= kMaxScriptFrame);
        FUZZ_CHECK(i == 0 || events[i - 1].frame <= events[i].frame);
        written += FormatScriptedEvent(events[i]) + "\n";
    }
    FUZZ_CHECK(ParseInputScript(written, "written") == events);

    g_posted = 0;
    SetInputScript(events);
    ApplyScriptedInput(kMaxScriptFrame);
    FUZZ_CHECK(g_posted == events.size());
    return 0;
}
