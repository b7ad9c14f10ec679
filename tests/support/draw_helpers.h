// Helpers for tests that check drawing through the recorded draw calls.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/draw_trace.h"
#include "platform/graphics.h"

// A solid-colour picture of w x h (one frame), made in memory.
inline TImage* MakeTestImage(int w, int h, const std::string& name, uint8_t alpha = 255)
{
    Pixmap p;
    p.width = w;
    p.height = h;
    p.rgba.assign(static_cast<size_t>(w) * h * 4, 200);
    for (size_t i = 3; i < p.rgba.size(); i += 4)
        p.rgba[i] = alpha;
    return CreateImageFromPixmap(std::move(p), kFilteredImage, name);
}

// An animation strip of `frames` equal frames of w x h.
inline TImage* MakeTestStrip(int w, int h, int frames, const std::string& name)
{
    TImage* image = MakeTestImage(w, h, name);
    for (int i = 1; i < frames; ++i)
        image->pixmaps.push_back(image->pixmaps[0]);
    return image;
}

struct Bounds {
    float left, top, right, bottom;
};

inline Bounds QuadBounds(const DrawRecord& r)
{
    Bounds b {1e9f, 1e9f, -1e9f, -1e9f};
    for (auto& c : r.quad) {
        b.left = std::min(b.left, c[0]);
        b.top = std::min(b.top, c[1]);
        b.right = std::max(b.right, c[0]);
        b.bottom = std::max(b.bottom, c[1]);
    }
    return b;
}

// Resets the render state the way the game expects it between entities.
inline void ResetRenderState()
{
    SetAlpha(1);
    SetRotation(0);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetBlend(kAlphaBlend);
    SetOrigin(0, 0);
    SetHandle(0, 0);
    ClearDrawTrace();
}
