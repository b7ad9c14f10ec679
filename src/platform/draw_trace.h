// Recording of draw calls (for tests, traces and the headless runner) and the hook that
// runs just before each frame is presented.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics.h"

struct Vertex;

struct DrawRecord {
    std::string op;     // "image", "subimage", "rect", "poly" or "text"
    std::string image;  // file name the picture was loaded from, or the text drawn
    int frame = 0;
    std::vector<std::array<float, 2>> quad;  // screen corners after the matrix
    std::array<int, 3> color {255, 255, 255};
    float alpha = 1;
    int blend = 0;
};

// Recording is off unless a test or the runner switches it on.
void SetDrawTraceActive(bool active);
bool DrawTraceActive();
// Draw calls recorded since the last Cls (or ClearDrawTrace).
const std::vector<DrawRecord>& TracedDraws();
void ClearDrawTrace();

void TraceQuad(const char* op, const std::string& image, int frame, const Vertex* quad, const RenderState& state);
void TracePoly(const std::string& image, int frame, const std::vector<PolyVertex>& corners,
               const RenderState& state);
void TraceText(const std::string& text, float x, float y, const RenderState& state);
void TraceClear();

// Called by Flip with the frame number just before the frame is presented.
void SetFrameHook(std::function<void(int64_t)> hook);
void FrameHook(int64_t frame);
// Called by Flip after presenting, with the number of frames presented so far.
void SetPresentedHook(std::function<void(int64_t)> hook);
void PresentedHook(int64_t presented);
