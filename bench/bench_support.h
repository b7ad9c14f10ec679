// Pictures for benchmarks, made in memory so a bench needs no game data.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/graphics.h"

// A mid-handled strip of `frames` cells of w x h, each frame a different grey.
inline TImage* make_strip(int w, int h, int frames, const char* name)
{
    auto* strip = new TImage();
    strip->width = w;
    strip->height = h;
    strip->flags = kFilteredImage;
    strip->source = name;
    for (int f = 0; f < frames; ++f) {
        Pixmap cell;
        cell.width = w;
        cell.height = h;
        cell.rgba.assign(static_cast<size_t>(w) * h * 4, static_cast<uint8_t>(100 + f * 7));
        strip->pixmaps.push_back(std::move(cell));
    }
    MidHandleImage(strip);
    return strip;
}
