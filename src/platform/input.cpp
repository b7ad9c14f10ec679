// Polled input state, the millisecond clock and the random generator.
#include "platform/input.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <thread>
#include <utility>

#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/input_script.h"

namespace {

struct InputState {
    std::array<uint8_t, 256> key_down {};
    std::array<int, 256> key_hits {};
    std::array<uint8_t, 4> mouse_down {};
    std::array<int, 4> mouse_hits {};
    int mouse_x = 0, mouse_y = 0;
    int mouse_z = 0;
    int last_z = 0;
    int close_requests = 0;
    int pause_requests = 0;
    std::deque<int> chars;
};

InputState g_in;
int64_t g_pumped_frame = -1;
std::function<void(int64_t)> g_input_source;
int64_t g_source_frame = -1;

bool g_virtual_clock = false;
double g_virtual_ms = 0;
const auto g_clock_start = std::chrono::steady_clock::now();

int32_t g_rnd_state = 0x1234;
bool g_fixed_seed = false;
int32_t g_fixed_seed_value = 0;

bool valid_key(int key) { return key >= 0 && key < 256; }
bool valid_button(int b) { return b >= 1 && b <= 3; }

void record(ScriptedEvent::Kind kind, int a, int b = 0, bool mouse = false)
{
    if (!InputRecordActive())
        return;
    ScriptedEvent ev;
    ev.frame = FrameCount();
    ev.kind = kind;
    ev.a = a;
    ev.b = b;
    ev.mouse = mouse;
    RecordInputEvent(ev);
}

void pump_if_needed()
{
    if (g_pumped_frame != FrameCount())
        PumpInput();
}

int32_t next_state(int32_t s)
{
    int32_t next = 48271 * (s % 44488) - 3399 * (s / 44488);
    if (next < 0)
        next += 2147483647;
    return next;
}

double unit_fraction()
{
    int32_t a = g_rnd_state = next_state(g_rnd_state);
    int32_t b = g_rnd_state = next_state(g_rnd_state);
    return ((a & 536870908) + (b & 536870904) / 134217728.0) / 536870912.0;
}

}  // namespace

void PumpInput()
{
    g_pumped_frame = FrameCount();
    if (HasBackend())
        GetBackend().pump_events();
    ApplyScriptedInput(FrameCount());
    // The in-process source runs once a frame, after everything else has arrived, so it
    // sees the frame as the window and the script left it.
    if (g_input_source && g_source_frame != FrameCount()) {
        g_source_frame = FrameCount();
        g_input_source(FrameCount());
    }
}

bool InputPumpedThisFrame() { return g_pumped_frame == FrameCount(); }

void SetInputSource(std::function<void(int64_t)> source)
{
    g_input_source = std::move(source);
    g_source_frame = -1;
}

void ResetInput()
{
    g_in = InputState();
    g_pumped_frame = -1;
}

int KeyDown(int key)
{
    pump_if_needed();
    return valid_key(key) ? g_in.key_down[static_cast<size_t>(key)] : 0;
}

int KeyHit(int key)
{
    pump_if_needed();
    if (!valid_key(key))
        return 0;
    return std::exchange(g_in.key_hits[static_cast<size_t>(key)], 0);
}

int MouseDown(int button)
{
    pump_if_needed();
    return valid_button(button) ? g_in.mouse_down[static_cast<size_t>(button)] : 0;
}

int MouseHit(int button)
{
    pump_if_needed();
    if (!valid_button(button))
        return 0;
    return std::exchange(g_in.mouse_hits[static_cast<size_t>(button)], 0);
}

int MouseX()
{
    pump_if_needed();
    return g_in.mouse_x;
}

int MouseY()
{
    pump_if_needed();
    return g_in.mouse_y;
}

int MouseZ()
{
    pump_if_needed();
    return g_in.mouse_z;
}

int MouseZSpeed()
{
    pump_if_needed();
    int d = g_in.mouse_z - g_in.last_z;
    g_in.last_z = g_in.mouse_z;
    return d;
}

void FlushKeys()
{
    pump_if_needed();
    g_in.key_down.fill(0);
    g_in.key_hits.fill(0);
    g_in.chars.clear();
}

void FlushMouse()
{
    pump_if_needed();
    g_in.mouse_down.fill(0);
    g_in.mouse_hits.fill(0);
    g_in.mouse_z = g_in.last_z = 0;
}

void MoveMouse(int x, int y)
{
    g_in.mouse_x = x;
    g_in.mouse_y = y;
    if (HasBackend())
        GetBackend().warp_mouse(x, y);
}

int GetChar()
{
    pump_if_needed();
    if (g_in.chars.empty())
        return 0;
    int c = g_in.chars.front();
    g_in.chars.pop_front();
    return c;
}

void PostKeyEvent(int key, bool down)
{
    if (!valid_key(key))
        return;
    record(down ? ScriptedEvent::Down : ScriptedEvent::Up, key);
    auto k = static_cast<size_t>(key);
    if (down && !g_in.key_down[k])
        ++g_in.key_hits[k];
    g_in.key_down[k] = down ? 1 : 0;
}

void PostMouseButton(int button, bool down)
{
    if (!valid_button(button))
        return;
    record(down ? ScriptedEvent::Down : ScriptedEvent::Up, button, 0, true);
    auto b = static_cast<size_t>(button);
    if (down && !g_in.mouse_down[b])
        ++g_in.mouse_hits[b];
    g_in.mouse_down[b] = down ? 1 : 0;
}

void PostMouseMove(int x, int y)
{
    // Far outside any window; the limits keep every event writable as a script line.
    x = std::clamp(x, -100000, 100000);
    y = std::clamp(y, -100000, 100000);
    record(ScriptedEvent::Move, x, y);
    g_in.mouse_x = x;
    g_in.mouse_y = y;
}

void PostWheel(int dz)
{
    dz = std::clamp(dz, -kMaxWheelStep, kMaxWheelStep);
    record(ScriptedEvent::Wheel, dz);
    // The position saturates instead of overflowing; only differences are read.
    constexpr int64_t kLimit = 1 << 30;
    int64_t z = std::clamp<int64_t>(static_cast<int64_t>(g_in.mouse_z) + dz, -kLimit, kLimit);
    g_in.mouse_z = static_cast<int>(z);
}

void PostChar(int code)
{
    if (code < 0 || code > 255)
        return;  // the game's characters are 8-bit
    record(ScriptedEvent::Char, code);
    g_in.chars.push_back(code);
}

void PostCloseRequest()
{
    record(ScriptedEvent::Close, 0);
    ++g_in.close_requests;
}

int TakeCloseRequest()
{
    if (g_in.close_requests == 0)
        return 0;
    g_in.close_requests = 0;
    return 1;
}

void PostPauseRequest() { ++g_in.pause_requests; }

int TakePauseRequest()
{
    if (g_in.pause_requests == 0)
        return 0;
    g_in.pause_requests = 0;
    return 1;
}

uint32_t MilliSecs()
{
    if (g_virtual_clock)
        return static_cast<uint32_t>(static_cast<int64_t>(g_virtual_ms));
    auto elapsed = std::chrono::steady_clock::now() - g_clock_start;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) + 1000;
}

void Delay(int ms)
{
    if (g_virtual_clock) {
        g_virtual_ms += ms;
        return;
    }
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseVirtualClock(bool enable)
{
    g_virtual_clock = enable;
    g_virtual_ms = 1000;
}

void AdvanceVirtualClock(double ms)
{
    if (g_virtual_clock)
        g_virtual_ms += ms;
}

void SeedRnd(int32_t seed)
{
    int32_t s = seed & 0x7fffffff;
    if (s == 0 || s == 2147483647)
        s = 4660;
    g_rnd_state = s;
}

int32_t RndSeed() { return g_rnd_state; }

double Rnd(double min, double max)
{
    double f = unit_fraction();
    if (max > min)
        return min + f * (max - min);
    return max + f * (min - max);
}

int Rand(int min, int max)
{
    double f = unit_fraction();
    int64_t d = static_cast<int64_t>(max) - min;
    if (d > 0)
        return static_cast<int>(min + static_cast<int64_t>(f * static_cast<double>(d + 1)));
    return static_cast<int>(max + static_cast<int64_t>(f * static_cast<double>(1 - d)));
}

int32_t ClockSeed() { return g_fixed_seed ? g_fixed_seed_value : static_cast<int32_t>(MilliSecs()); }

void SetFixedSeed(bool fixed, int32_t seed)
{
    g_fixed_seed = fixed;
    g_fixed_seed_value = seed;
}
