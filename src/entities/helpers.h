// Geometry, motion and collision helpers shared by the game's objects, and two drawing
// aids. Coordinates are screen pixels; none of these keeps state.
#pragma once

#include <array>
#include <string>
#include <vector>

struct TImage;

double point_distance(int x1, int y1, int x2, int y2);
// Unit vector from point 1 towards point 2; (0, 0) for two equal points.
std::array<float, 2> direction_vector(int x1, int y1, int x2, int y2);
// mode 1: moves value by 1/divisor of (from - to); mode 2: value - divisor; else value.
float step_toward(float value, float from, float to, float divisor, int mode);
// Inclusive rectangle overlap: rectangles that only touch overlap.
int rects_overlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
// 1 when the segment A-B enters the rectangle through a side, A being outside on that side.
int segment_crosses_rect(float ax, float ay, float bx, float by, float left, float top, float right, float bottom);
int is_even(int n);
int next_pow2(int n);
void draw_text_shadowed(const std::string& text, float x, float y);
// A convex polygon filled with a frame of an image: four floats per corner (screen x, y
// and u, v as fractions of the picture), placed through the global handle, origin and matrix.
void draw_textured_poly(const std::vector<float>& vertices, TImage* image, int frame);
