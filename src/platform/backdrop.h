// Most frames of a level begin with the same draws: the sky and the scenery planes in the
// same places, a few screens of texels together. The real backend keeps the pixels those
// draws leave and, while they come again unchanged, puts the kept pixels back with one
// copy instead of drawing them. Where a draw among them did change (the sun pulsing), they
// are all drawn again inside the rectangle it touches, so every pixel comes out as drawing
// them would leave it. This file is the bookkeeping; the backend does the GL.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend.h"
#include "platform/texel_quads.h"

// The draws of one frame as the backend received them.
class DrawLog {
public:
    void clear();
    void add(uint32_t texture, int blend, const Vertex* vertices, int count);
    // Makes this log the first n draws of `from`.
    void assign_prefix(const DrawLog& from, int n);

    int size() const { return static_cast<int>(draws_.size()); }
    uint32_t texture(int i) const { return draws_[i].texture; }
    int blend(int i) const { return draws_[i].blend; }
    const Vertex* vertices(int i) const { return vertices_.data() + draws_[i].first; }
    int count(int i) const { return draws_[i].count; }

    // Draw i here and draw i of `other` give the same pixels: same texture, blend mode
    // and vertices.
    bool same(int i, const DrawLog& other) const;
    // The pixels of a width x height screen that draw i may change: its vertices' bounds
    // and a pixel around them.
    PixelRect bounds(int i, int width, int height) const;
    bool uses(uint32_t texture) const;

private:
    struct Draw {
        uint32_t texture = 0;
        int blend = 0;
        size_t first = 0;
        int count = 0;
    };
    std::vector<Draw> draws_;
    std::vector<Vertex> vertices_;
};

struct BackdropRules {
    int width = 1024, height = 768;
    int64_t most_changed = 1024 * 768 / 5;  // pixels drawn again, at most
    int64_t least_kept = 2 * 1024 * 768;    // pixels the kept draws must cover to pay
};

// How many leading draws of `now` to keep, judged against the frame before: the draws up
// to the last that came again unchanged, as long as those that changed touch at most
// `most_changed` pixels together and the kept ones cover at least `least_kept`. 0 when no
// such run pays.
int backdrop_length(const DrawLog& before, const DrawLog& now, const BackdropRules& rules);

// The rectangle where the first `kept.size()` draws of `now` may leave other pixels than
// `kept` left: empty when they all came again unchanged; none when `now` has fewer draws
// or the changed ones touch more than `most_changed` pixels.
std::optional<PixelRect> backdrop_damage(const DrawLog& kept, const DrawLog& now, const BackdropRules& rules);

// The GL side of keeping a backdrop, done by the backend.
class BackdropCanvas {
public:
    virtual ~BackdropCanvas() = default;
    // Draws now, the backend's usual way.
    virtual void draw_now(uint32_t texture, int blend, const Vertex* vertices, int count) = 0;
    // Keeps the pixels on screen now (after the draws before have gone out).
    virtual void keep_screen() = 0;
    // Puts the kept pixels back over the whole screen, one to one and unblended.
    virtual void restore_screen() = 0;
    // Draws go only inside `r` (screen pixels) from here on, once the draws before are out.
    virtual void clip_to(const PixelRect& r) = 0;
};

// The kept backdrop's bookkeeping over the frames. A frame either defers its first draws
// until it is known whether they match the kept ones, or keeps the pixels after as many
// draws as the two frames before suggested, or only logs its draws.
class BackdropKeeper {
public:
    explicit BackdropKeeper(BackdropRules rules = {}) : rules_(rules) {}

    // A frame starts, its screen cleared; when `enabled` is false (the picture is scaled,
    // or the shortcut is off) nothing is logged and what was kept is forgotten.
    void begin_frame(bool enabled);
    // A draw of the frame: deferred, or drawn on the canvas (and the pixels kept after it).
    void draw(BackdropCanvas& canvas, uint32_t texture, int blend, const Vertex* vertices, int count);
    // Draws what was deferred: the kept pixels and, where a draw changed, the deferred
    // draws again inside that rectangle; or the deferred draws the usual way when they no
    // longer match the kept ones. Called before anything reads or shows the screen.
    void settle(BackdropCanvas& canvas);
    // The frame is shown: how many of its first draws the next frame keeps, from the two
    // last frames.
    void end_frame();
    void forget();
    // Whether anything logged or kept draws with the texture.
    bool uses(uint32_t texture) const { return kept_.uses(texture) || last_frame_.uses(texture) || frame_.uses(texture); }
    // Frames so far whose first draws were put back from kept pixels.
    int reuses() const { return reuses_; }

private:
    enum class State { kLogging, kDeferring, kKeeping };

    const BackdropRules rules_;
    bool logging_ = false;  // this frame's draws are logged
    State state_ = State::kLogging;
    DrawLog frame_, last_frame_, kept_;
    int keep_next_ = 0;
    bool kept_valid_ = false;
    int reuses_ = 0;
};
