// Headless backend: no window, no GL; draws are counted (and recorded by the front end
// when tracing is on), Flip never sleeps.
#pragma once

#include <memory>

#include "platform/backend.h"

class HeadlessBackend : public Backend {
public:
    bool open(int, int, bool fullscreen) override
    {
        fullscreen_ = fullscreen;
        return open_ = true;
    }
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }
    void set_title(const std::string&) override {}
    void clear() override {}
    void present() override {}
    bool paced() const override { return false; }
    void set_fullscreen(bool fullscreen) override { fullscreen_ = fullscreen; }
    bool fullscreen() const override { return fullscreen_; }
    uint32_t create_texture(const Pixmap&, bool) override { return ++next_texture_; }
    void destroy_texture(uint32_t) override {}
    void draw_triangles(uint32_t, int, const Vertex*, int) override {}
    void pump_events() override {}
    void show_cursor(bool) override {}
    void warp_mouse(int, int) override {}
    bool read_screen(Pixmap&) override { return false; }
    void message_box(const std::string&, const std::string&) override {}

private:
    bool open_ = false;
    bool fullscreen_ = false;
    uint32_t next_texture_ = 0;  // ids stay unique so textures can be told apart
};

std::unique_ptr<Backend> CreateHeadlessBackend();
// Installs the headless backend and a virtual clock (tests and benchmarks call this).
void UseHeadlessPlatform();
