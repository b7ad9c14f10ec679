// Shared painting vocabulary of the forge: palette, light direction (the sun, upper right) and the
// garden's building blocks (leaves, grass, trunks, wood and leaf panels, bugs' eyes).
#pragma once

#include <functional>
#include <string>

#include "canvas.h"

namespace forge {

namespace pal {
inline const Rgba kCream = Hex(0xfff4d6);
inline const Rgba kInk = Hex(0x3b2414);
inline const Rgba kGold = Hex(0xffc94a);
inline const Rgba kGlow = Hex(0xfff1a8);
inline const Rgba kWood = Hex(0x8a5a32);
inline const Rgba kWoodDark = Hex(0x5a361b);
inline const Rgba kWoodLight = Hex(0xc08a54);
inline const Rgba kLeaf = Hex(0x5f9e3a);
inline const Rgba kLeafDark = Hex(0x2f5e22);
inline const Rgba kLeafLight = Hex(0xa6d45e);
inline const Rgba kShadow = Hex(0x1d1208, 0.45);
}  // namespace pal

// Light comes from the upper right: shadows fall down and to the left by this much per unit of height.
constexpr double kShadowDx = -0.35;
constexpr double kShadowDy = 0.55;

// A pointed leaf from (x, y) along angle `deg`, `len` long and `width` wide, lit from the upper right.
void Leaf(cairo_t* cr, double x, double y, double len, double width, double deg, Rgba base, bool vein = true);
// A grass blade rising from (x, y) to height h, bending by `bend` pixels at the tip.
void Blade(cairo_t* cr, double x, double y, double h, double w, double bend, Rgba base);
// A band of grass blades along [x0, x1] at base y, heights in [hmin, hmax].
void GrassBand(cairo_t* cr, Rng& rng, double x0, double x1, double y, double hmin, double hmax, int count,
               Rgba dark, Rgba light);
// A little flower head.
void Flower(cairo_t* cr, double x, double y, double r, Rgba petal, Rgba heart);
// A tapered trunk or branch along a cubic curve, with bark shading. Widths at start and end.
void Branch(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3,
            double w0, double w1, Rgba bark);
// A cluster of foliage: overlapping round clumps, lit from the upper right, darker underneath.
void Foliage(cairo_t* cr, Rng& rng, double cx, double cy, double rx, double ry, int clumps, Rgba base);
// A soft cloud.
void Cloud(cairo_t* cr, Rng& rng, double cx, double cy, double w, double h, Rgba c);
// Wooden board with grain, rounded corners and a dark rim; soft shadow beneath.
void WoodBoard(cairo_t* cr, double x, double y, double w, double h, double r, uint64_t seed);
// A framed display area (darker inset) inside a board.
void Inset(cairo_t* cr, double x, double y, double w, double h, double r, Rgba fill);
// A decorative leaf sprig on a panel corner.
void Sprig(cairo_t* cr, double x, double y, double scale, double deg);
// Big round cartoon eye looking toward (lx, ly) (unit offsets).
void Eye(cairo_t* cr, double x, double y, double r, double lx, double ly, Rgba iris = Hex(0x2a1a10));
// Hover glow of a button label: the label text in warm light with a halo, centred in (w, h).
cairo_surface_t* LabelGlow(const std::string& text, int w, int h, double size);
// The painted label as it sits on a panel (same font and size as its glow).
void PanelLabel(cairo_t* cr, const std::string& text, double cx, double cy, double size);
// Text size a button label of width w gets.
double ButtonTextSize(const std::string& text, double w, double h);

}  // namespace forge
