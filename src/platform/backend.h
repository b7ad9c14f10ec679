// The contract between the drawing/input front end (graphics.cpp, input.cpp) and a
// backend: the OpenGL one opens a window, the headless one opens nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"

struct Vertex {
    float x, y;     // screen pixels of the logical 1024 x 768 screen
    float u, v;     // texture coordinates 0..1 of the padded texture
    uint32_t rgba;  // colour bytes r, g, b, a in memory order
};

class Backend {
public:
    virtual ~Backend() = default;

    // Opens the window (or the full screen) with a fresh context. Throws when no display
    // can show it at all, with a one-line message saying how to run the game instead.
    virtual bool open(int width, int height, bool fullscreen) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    virtual void set_title(const std::string& title) = 0;
    virtual void clear() = 0;
    // Completes the frame's drawing (Flip calls it before waiting for the due time, so
    // that present() at the due time only has to show the finished frame).
    virtual void finish() {}
    virtual void present() = 0;
    // Frame pacing sleeps only when the backend shows frames to someone.
    virtual bool paced() const = 0;

    // Display mode. Switching happens in place: the context and every texture survive, so
    // the game can flip between window and full screen at any moment (the options' Window
    // and Fullscreen call Graphics again, which lands here; Alt+Enter too). The switch also
    // sets the swap interval: in full screen present() waits for the retrace (no tearing),
    // in a window it presents at once and the game's own clock paces (no double waiting).
    virtual void set_fullscreen(bool fullscreen) = 0;
    virtual bool fullscreen() const = 0;
    // True while present() waits for the retrace.
    virtual bool vsync() const { return false; }
    // Refresh rate of the display the window is on, in Hz; 0 when unknown.
    virtual int refresh_rate() const { return 0; }

    // pixels are padded to powers of two; returns a non-zero texture id.
    virtual uint32_t create_texture(const Pixmap& pixels, bool filtered) = 0;
    virtual void destroy_texture(uint32_t texture) = 0;
    // Triangles (count a multiple of 3) with one texture (0 = untextured) and blend mode.
    virtual void draw_triangles(uint32_t texture, int blend, const Vertex* vertices, int count) = 0;

    // Feeds pending window events into the input state (input.h).
    virtual void pump_events() = 0;
    virtual void show_cursor(bool visible) = 0;
    virtual void warp_mouse(int x, int y) = 0;
    virtual bool read_screen(Pixmap& out) = 0;
    virtual void message_box(const std::string& title, const std::string& text) = 0;
    // GL draw calls issued for the last presented frame (0 for the headless backend).
    virtual int draw_calls_last_frame() const { return 0; }
    // Frames so far whose first draws were put back from pixels kept from an earlier one.
    virtual int backdrop_reuses() const { return 0; }
};

void SetBackend(std::unique_ptr<Backend> backend);
Backend& GetBackend();
bool HasBackend();
