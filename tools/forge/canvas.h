// Drawing toolkit of the asset forge: cairo surfaces, fonts loaded by file, blurs for soft shadows and
// glows, animation strips, a seeded random source, and the PNG / JPEG writers.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forge {

// Colour with components 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};
Rgba Hex(uint32_t rgb, double a = 1.0);
Rgba Mix(Rgba x, Rgba y, double t);  // t = 0 gives x
Rgba Shade(Rgba c, double f);        // f < 1 darker, f > 1 lighter (towards white)
void SetColor(cairo_t* cr, Rgba c);
void SetColor(cairo_t* cr, Rgba c, double alpha_scale);

// Deterministic random numbers (xorshift), seeded per picture or sound so results never depend on order.
class Rng {
public:
    explicit Rng(uint64_t seed);
    uint64_t Next();
    double Uniform();                     // [0, 1)
    double Range(double lo, double hi);  // [lo, hi)
    int Int(int lo, int hi);              // [lo, hi] inclusive
private:
    uint64_t s_;
};
uint64_t HashName(const std::string& s);

// An ARGB32 surface with its own context.
class Canvas {
public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surf_; }
    int w() const { return w_; }
    int h() const { return h_; }
    cairo_surface_t* Release();  // hands the surface over; the canvas is then empty
private:
    int w_, h_;
    cairo_surface_t* surf_;
    cairo_t* cr_;
};

// Blurs an ARGB32 or A8 image surface in place (three box passes approximate a gaussian of that radius).
void Blur(cairo_surface_t* s, double radius);

// Draws a soft shadow of the path that `shape` builds: the path is filled into a mask under the current
// transformation, blurred, and painted in `color` offset by (dx, dy) device pixels.
void SoftShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double blur, double dx, double dy,
                Rgba color);
// A soft glow: like SoftShadow without offset, painted `passes` times for strength.
void SoftGlow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double blur, Rgba color, int passes = 1);

// Paths.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void Star(cairo_t* cr, double cx, double cy, double r_out, double r_in, int points, double rot_deg);

// Gradients (caller fills with them; they are released after use by the helpers that take them).
void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgba inner, Rgba outer);
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba c0, Rgba c1);
void FillLinear3(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba c0, Rgba c1, Rgba c2);

// Fonts, each loaded from its file through FreeType so the result never depends on the font setup.
enum class Font { kDisplay, kDisplayRegular, kBody, kBodyBold, kBodyCondensedBold };
void UseFont(cairo_t* cr, Font f, double size);
double TextWidth(cairo_t* cr, const std::string& text);
enum class Align { kLeft, kCenter, kRight };
// Builds the path of `text` with its baseline at y; alignment by advance width.
void TextPath(cairo_t* cr, const std::string& text, double x, double y, Align align);
// Painted label: soft drop shadow, dark outline, gradient-free fill. (cx, cy) is the visual centre.
struct LabelStyle {
    Font font = Font::kDisplay;
    double size = 28;
    Rgba fill = Hex(0xfff4d6);
    Rgba outline = Hex(0x3b2414);
    double outline_w = 4;
    double shadow_alpha = 0.5;
    Rgba glow = Hex(0, 0);  // optional glow behind the text (alpha 0 = none)
    double glow_blur = 8;
};
void Label(cairo_t* cr, const std::string& text, double cx, double cy, const LabelStyle& st);
// Largest size (<= max_size) at which `text` fits in max_w.
double FitSize(cairo_t* cr, Font f, const std::string& text, double max_w, double max_size);
// Greedy word wrap at `size`.
std::vector<std::string> Wrap(cairo_t* cr, Font f, double size, const std::string& text, double max_w);
void CloseFonts();

// Animation strip: `frames` cells of cw x ch in one row; draw(cr, frame) draws a cell at the origin.
cairo_surface_t* MakeStrip(int cw, int ch, int frames, const std::function<void(cairo_t*, int)>& draw);

// Writers. PNG keeps the alpha channel; JPEG flattens over `background`.
void WritePng(cairo_surface_t* s, const std::string& path);
void WriteJpeg(cairo_surface_t* s, const std::string& path, Rgba background, int quality);

}  // namespace forge
