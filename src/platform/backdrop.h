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
