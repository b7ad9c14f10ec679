// A backend that passes every call on to another one, for benchmarks that watch the
// calls (present times, triangle areas) without changing what is drawn.
#pragma once

#include <memory>
#include <string>

#include "platform/backend.h"

class ForwardingBackend : public Backend {
public:
    explicit ForwardingBackend(std::unique_ptr<Backend> real) : real_(std::move(real)) {}

    bool open(int w, int h, bool fs) override { return real_->open(w, h, fs); }
    void close() override { real_->close(); }
    bool is_open() const override { return real_->is_open(); }
    void set_title(const std::string& t) override { real_->set_title(t); }
    void clear() override { real_->clear(); }
    void present() override { real_->present(); }
    bool paced() const override { return real_->paced(); }
#if __has_include("platform/frame_pacer.h")  // the backend contract before the pacing rework lacks these
    void finish() override { real_->finish(); }
    void set_fullscreen(bool fs) override { real_->set_fullscreen(fs); }
    bool fullscreen() const override { return real_->fullscreen(); }
    bool vsync() const override { return real_->vsync(); }
    int refresh_rate() const override { return real_->refresh_rate(); }
#endif
    uint32_t create_texture(const Pixmap& p, bool f) override { return real_->create_texture(p, f); }
    void destroy_texture(uint32_t t) override { real_->destroy_texture(t); }
    void draw_triangles(uint32_t t, int b, const Vertex* v, int n) override { real_->draw_triangles(t, b, v, n); }
    void pump_events() override { real_->pump_events(); }
    void show_cursor(bool v) override { real_->show_cursor(v); }
    void warp_mouse(int x, int y) override { real_->warp_mouse(x, y); }
    bool read_screen(Pixmap& out) override { return real_->read_screen(out); }
    void message_box(const std::string& t, const std::string& m) override { real_->message_box(t, m); }
    int draw_calls_last_frame() const override { return real_->draw_calls_last_frame(); }
    int backdrop_reuses() const override { return real_->backdrop_reuses(); }

private:
    std::unique_ptr<Backend> real_;
};
