// Geometry and drawing helpers.
#include "entities/helpers.h"

#include <cmath>

#include "platform/graphics.h"

double point_distance(int x1, int y1, int x2, int y2)
{
    int dx = x1 - x2;
    int dy = y1 - y2;
    return std::sqrt(std::pow(static_cast<double>(dx), 2.0) + std::pow(static_cast<double>(dy), 2.0));
}

std::array<float, 2> direction_vector(int x1, int y1, int x2, int y2)
{
    double d = point_distance(x1, y1, x2, y2);
    if (d == 0)
        return {0, 0};
    return {static_cast<float>((x2 - x1) / d), static_cast<float>((y2 - y1) / d)};
}

float step_toward(float value, float from, float to, float divisor, int mode)
{
    if (mode == 1)
        return value - (from - to) / divisor;
    if (mode == 2)
        return value - divisor;
    return value;
}

int rects_overlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2)
{
    if (x1 > x2 + w2 || x1 + w1 < x2)
        return 0;
    if (y1 > y2 + h2 || y1 + h1 < y2)
        return 0;
    return 1;
}

int segment_crosses_rect(float ax, float ay, float bx, float by, float left, float top, float right, float bottom)
{
    if (ax < left && bx >= left) {
        float y = ay + (by - ay) * (left - ax) / (bx - ax);
        if (top <= y && y <= bottom)
            return 1;
    } else if (ax > right && bx <= right) {
        float y = ay + (by - ay) * (right - ax) / (bx - ax);
        if (top <= y && y <= bottom)
            return 1;
    }
    if (ay < top && by >= top) {
        float x = ax + (bx - ax) * (top - ay) / (by - ay);
        if (left <= x && x <= right)
            return 1;
    } else if (ay > bottom && by <= bottom) {
        float x = ax + (bx - ax) * (bottom - ay) / (by - ay);
        if (left <= x && x <= right)
            return 1;
    }
    return 0;
}

int is_even(int n) { return (n % 10) % 2 == 0 ? 1 : 0; }

int next_pow2(int n)
{
    int p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

void draw_text_shadowed(const std::string& text, float x, float y)
{
    int r, g, b;
    GetColor(r, g, b);
    SetColor(0, 0, 0);
    DrawText(text, x - 1, y + 1);
    SetColor(r, g, b);
    DrawText(text, x, y);
}

void draw_textured_poly(const std::vector<float>& vertices, TImage* image, int frame)
{
    if (!image)
        return;
    const RenderState& s = CurrentRenderState();
    const float su = static_cast<float>(image->width) / next_pow2(image->width);
    const float sv = static_cast<float>(image->height) / next_pow2(image->height);
    std::vector<PolyVertex> corners;
    corners.reserve(vertices.size() / 4);
    for (size_t i = 0; i + 3 < vertices.size(); i += 4) {
        float x = vertices[i] - s.handle_x;
        float y = vertices[i + 1] - s.handle_y;
        corners.push_back({x * s.tform_ix + y * s.tform_iy + s.origin_x, x * s.tform_jx + y * s.tform_jy + s.origin_y,
                           vertices[i + 2] * su, vertices[i + 3] * sv});
    }
    DrawTexturedPolygon(image, frame, corners);
}
