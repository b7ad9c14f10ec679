// Scenery of the six level ranges and the menu backdrop: skies, the sun, the web, hills, trees, grass,
// the scarecrow, the pail, the windmill, the forest, the plains and the village.
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "forge.h"
#include "web_geometry.h"

namespace forge {

namespace {

constexpr int kW = 1024, kH = 768;

// ---- skies ----

cairo_surface_t* Sky(bool evening) {
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, 0, kW, kH);
    if (!evening) {
        FillLinear3(cr, 0, 0, 0, kH, Hex(0x78bfe6), Hex(0xbfe3ef), Hex(0xfdebc4));
    } else {
        FillLinear3(cr, 0, 0, 0, kH, Hex(0x433f7e), Hex(0xc9708a), Hex(0xffc27a));
    }
    // Sun-side warmth (upper right).
    cairo_rectangle(cr, 0, 0, kW, kH);
    FillRadial(cr, 780, 230, 700, evening ? Hex(0xffd37a, 0.55) : Hex(0xfff6d0, 0.6), Hex(0xffffff, 0));
    Rng rng(evening ? 77 : 33);
    Rgba cloud = evening ? Hex(0xf7a98f) : Hex(0xffffff);
    for (int i = 0; i < 7; ++i) {
        double x = rng.Range(40, 1000), y = rng.Range(60, 360);
        double w = rng.Range(140, 300);
        Cloud(cr, rng, x, y, w, w * rng.Range(0.22, 0.3), Mix(cloud, Hex(0xffffff), 0.2));
    }
    // Distant hazy hills near the horizon.
    for (int layer = 0; layer < 2; ++layer) {
        double base = 560 + layer * 50;
        cairo_move_to(cr, 0, kH);
        for (int x = 0; x <= kW; x += 16) {
            double y = base - 40 * std::sin(x * 0.006 + layer * 2.1) - 25 * std::sin(x * 0.017 + layer);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, kW, kH);
        cairo_close_path(cr);
        Rgba hill = evening ? Mix(Hex(0x6a4f7a), Hex(0x8a5a6a), layer * 0.5) : Mix(Hex(0x9cc7a6), Hex(0x86b88a), layer * 0.6);
        FillLinear(cr, 0, base - 60, 0, kH, hill, Shade(hill, 0.85));
    }
    return c.Release();
}

cairo_surface_t* Sun() {
    Canvas c(300, 300);
    cairo_t* cr = c.cr();
    // Light-blended: the pixels add to the sky, so the glow fades to black-transparent.
    Ellipse(cr, 150, 150, 150, 150);
    cairo_pattern_t* p = cairo_pattern_create_radial(150, 150, 0, 150, 150, 150);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.92, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.18, 1, 0.97, 0.75, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.24, 1, 0.85, 0.45, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.75, 0.35, 0.18);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.7, 0.3, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Soft rays.
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6 + 0.2;
        cairo_move_to(cr, 150, 150);
        cairo_line_to(cr, 150 + std::cos(a - 0.06) * 140, 150 + std::sin(a - 0.06) * 140);
        cairo_line_to(cr, 150 + std::cos(a + 0.06) * 140, 150 + std::sin(a + 0.06) * 140);
        cairo_close_path(cr);
        FillRadial(cr, 150, 150, 140, Hex(0xfff0b0, 0.25), Hex(0xfff0b0, 0));
    }
    return c.Release();
}

// ---- the web ----

cairo_surface_t* Web() {
    namespace wg = web_geometry;
    Canvas c(wg::kPictureWidth, wg::kPictureHeight);
    cairo_t* cr = c.cr();
    cairo_translate(cr, 0, -wg::kPictureTop);  // draw in screen coordinates
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    auto line = [&](wg::WebPoint a, wg::WebPoint b, double width, double alpha) {
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_set_source_rgba(cr, 1, 1, 1, alpha);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    };
    // Mooring threads to the picture's edges.
    for (int i = 0; i < wg::kMooringCount; ++i) {
        int s = wg::kMooringSpokes[i];
        wg::WebPoint a = wg::SpokePoint(s, wg::kSpokeOuter);
        double ang = wg::DegToRad(wg::kSpokeAngles[s]);
        double dx = std::cos(ang), dy = std::sin(ang);
        double t = 2000;
        if (dx > 0) t = std::min(t, (wg::kPictureWidth - a.x) / dx);
        if (dx < 0) t = std::min(t, -a.x / dx);
        if (dy > 0) t = std::min(t, (wg::kPictureTop + wg::kPictureHeight - a.y) / dy);
        if (dy < 0) t = std::min(t, (wg::kPictureTop - a.y) / dy);
        line(a, {a.x + dx * t, a.y + dy * t}, 1.6, 0.7);
    }
    // Frame thread.
    for (int s = 0; s < wg::kSpokeCount; ++s) {
        line(wg::SpokePoint(s, wg::kFrameRadius), wg::SpokePoint(s + 1, wg::kFrameRadius), 1.8, 0.8);
    }
    // Spokes.
    for (int s = 0; s < wg::kSpokeCount; ++s) {
        line(wg::SpokePoint(s, wg::kSpokeInner), wg::SpokePoint(s, wg::kSpokeOuter), 1.4, 0.8);
    }
    // Capture rings, slightly thinner; dew beads here and there.
    Rng rng(4242);
    for (int i = 0; i < wg::kRingCount; ++i) {
        for (int s = 0; s < wg::kSpokeCount; ++s) {
            // Slight variation in strength, like real silk.
            line(wg::RingChordPoint(i, s, 0), wg::RingChordPoint(i, s, 1), 1.0, rng.Range(0.5, 0.7));
        }
    }
    // Hub.
    for (double r : wg::kHubRingRadii) {
        for (int s = 0; s < wg::kSpokeCount; ++s) line(wg::SpokePoint(s, r), wg::SpokePoint(s + 1, r), 1.4, 0.85);
    }
    Ellipse(cr, wg::kCentreX, wg::kCentreY, 5, 5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_fill(cr);
    return c.Release();
}

// ---- building blocks for scenes ----

// Rolling ground band filling below a wavy top edge.
void Ground(cairo_t* cr, double x0, double x1, double top, double amp, double freq, double phase, double bottom,
            Rgba c0, Rgba c1) {
    cairo_move_to(cr, x0, bottom);
    for (double x = x0; x <= x1 + 8; x += 8) {
        cairo_line_to(cr, x, top - amp * std::sin(x * freq + phase) - amp * 0.4 * std::sin(x * freq * 2.7 + phase));
    }
    cairo_line_to(cr, x1, bottom);
    cairo_close_path(cr);
    FillLinear(cr, 0, top - amp, 0, bottom, c0, c1);
}

// A whole tree: trunk plus foliage crown.
void Tree(cairo_t* cr, Rng& rng, double x, double base_y, double h, double crown, Rgba leaf, Rgba bark) {
    Branch(cr, x, base_y, x + h * 0.03, base_y - h * 0.4, x - h * 0.02, base_y - h * 0.6, x + h * 0.02,
           base_y - h * 0.75, h * 0.09, h * 0.05, bark);
    Foliage(cr, rng, x, base_y - h * 0.8, crown, crown * 0.85, 14, leaf);
}

// The robot's perch: a branch with leaves reaching right under (332..477, 707).
void Perch(cairo_t* cr, double ox, double oy, Rgba bark, double sx, double sy) {
    // Coordinates are screen pixels shifted by (ox, oy) (the layer's position); the branch grows from
    // (sx, sy), at the layer's edge, to under the robot's feet.
    cairo_save(cr);
    cairo_translate(cr, -ox, -oy);
    Branch(cr, sx, sy, (sx + 330) / 2, std::min(sy, 730.0), 300, 716, 340, 712, 30, 22, bark);
    Branch(cr, 335, 713, 390, 704, 440, 706, 505, 716, 22, 8, bark);
    Branch(cr, 470, 712, 492, 700, 505, 690, 520, 684, 5, 2, bark);
    Leaf(cr, 505, 716, 26, 12, 20, pal::kLeaf);
    Leaf(cr, 500, 716, 24, 11, 70, Shade(pal::kLeaf, 0.85));
    Leaf(cr, 518, 684, 22, 10, -40, Shade(pal::kLeaf, 1.1));
    Leaf(cr, 300, 722, 28, 12, 110, Shade(pal::kLeaf, 0.8));
    cairo_restore(cr);
}

cairo_surface_t* GrassStrip(int w, int h, uint64_t seed, Rgba dark, Rgba light, int count, bool flowers) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(seed);
    cairo_rectangle(cr, 0, h * 0.55, w, h * 0.45);
    FillLinear(cr, 0, h * 0.55, 0, h, Shade(dark, 0.9), Shade(dark, 0.6));
    GrassBand(cr, rng, -10, w + 10, h + 2, h * 0.35, h * 0.95, count / 2, Shade(dark, 0.8), dark);
    GrassBand(cr, rng, -10, w + 10, h + 4, h * 0.25, h * 0.8, count / 2, dark, light);
    if (flowers) {
        for (int i = 0; i < w / 60; ++i) {
            double x = rng.Range(10, w - 10), y = rng.Range(h * 0.45, h * 0.8);
            Blade(cr, x, h, h - y, 2, rng.Range(-4, 4), dark);
            Rgba petals[] = {Hex(0xfff6f0), Hex(0xffd24a), Hex(0xf2789a), Hex(0xb78ae8)};
            Flower(cr, x, y, rng.Range(5, 8), petals[rng.Int(0, 3)], Hex(0xf5a623));
        }
    }
    return c.Release();
}

// A grass strip that thins out towards its right end (it is stretched only part-way across the screen).
cairo_surface_t* TaperedGrass(int w, int h, uint64_t seed, Rgba dark, Rgba light) {
    cairo_surface_t* s = GrassStrip(w, h, seed, dark, light, 200, true);
    Canvas c(w, h);
    cairo_set_source_surface(c.cr(), s, 0, 0);
    cairo_pattern_t* mask = cairo_pattern_create_linear(w * 0.7, 0, w, 0);
    cairo_pattern_add_color_stop_rgba(mask, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(mask, 1, 0, 0, 0, 0);
    cairo_mask(c.cr(), mask);
    cairo_pattern_destroy(mask);
    cairo_surface_destroy(s);
    return c.Release();
}

// ---- levels 1-4: morning garden with a scarecrow ----

cairo_surface_t* Scarecrow() {
    Canvas c(160, 230);
    cairo_t* cr = c.cr();
    Rgba wood = Hex(0x8b6a3e);
    auto body = [&](cairo_t* k) { cairo_rectangle(k, 74, 40, 12, 190); cairo_rectangle(k, 10, 78, 140, 10); };
    SoftShadow(cr, body, 4, -3, 4, Hex(0x102008, 0.3));
    Branch(cr, 80, 230, 80, 160, 80, 100, 80, 40, 12, 10, wood);
    Branch(cr, 10, 84, 50, 82, 110, 82, 150, 84, 9, 9, wood);
    // Shirt.
    cairo_move_to(cr, 40, 80);
    cairo_curve_to(cr, 55, 74, 105, 74, 120, 80);
    cairo_line_to(cr, 112, 150);
    cairo_line_to(cr, 48, 150);
    cairo_close_path(cr);
    FillLinear(cr, 120, 74, 40, 150, Hex(0xd9684a), Hex(0x8e3a2a));
    // Patches and straw.
    cairo_rectangle(cr, 88, 100, 16, 14);
    SetColor(cr, Hex(0x6c8fd0));
    cairo_fill(cr);
    SetColor(cr, Hex(0xe8c45a));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, 14 + i * 2, 84);
        cairo_line_to(cr, 4 + i * 3, 98 + i);
        cairo_move_to(cr, 146 - i * 2, 84);
        cairo_line_to(cr, 156 - i * 3, 98 + i);
        cairo_move_to(cr, 56 + i * 9, 150);
        cairo_line_to(cr, 54 + i * 10, 164);
    }
    cairo_stroke(cr);
    // Head and hat.
    Ellipse(cr, 80, 52, 20, 22);
    FillRadial(cr, 86, 44, 26, Hex(0xf3dba0), Hex(0xc9a25e));
    Eye(cr, 73, 52, 4, 0.3, 0.2);
    Eye(cr, 88, 52, 4, 0.3, 0.2);
    cairo_move_to(cr, 70, 63);
    cairo_curve_to(cr, 76, 68, 84, 68, 90, 63);
    SetColor(cr, Hex(0x5a3a1a));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Ellipse(cr, 80, 34, 36, 8);
    FillLinear(cr, 80, 26, 80, 42, Hex(0xe0b050), Hex(0x9c7230));
    cairo_move_to(cr, 62, 34);
    cairo_curve_to(cr, 62, 8, 98, 8, 98, 34);
    cairo_close_path(cr);
    FillLinear(cr, 98, 10, 62, 34, Hex(0xeac060), Hex(0xa47a34));
    cairo_rectangle(cr, 63, 27, 34, 5);
    SetColor(cr, Hex(0xb8433a));
    cairo_fill(cr);
    // A little bird on the arm.
    Ellipse(cr, 132, 72, 9, 7);
    FillRadial(cr, 135, 69, 10, Hex(0x8fb6e8), Hex(0x3e66a8));
    Ellipse(cr, 138, 66, 5, 5);
    SetColor(cr, Hex(0x4f76b8));
    cairo_fill(cr);
    Eye(cr, 139, 65, 1.6, 0.5, 0);
    cairo_move_to(cr, 143, 66);
    cairo_line_to(cr, 148, 67);
    cairo_line_to(cr, 143, 69);
    SetColor(cr, Hex(0xf0a030));
    cairo_fill(cr);
    return c.Release();
}

cairo_surface_t* GardenMeadow() {  // static_grass_lv2.png at (0, 491)
    Canvas c(kW, 277);
    cairo_t* cr = c.cr();
    Rng rng(11);
    Ground(cr, 0, kW, 40, 12, 0.008, 0.5, 277, Hex(0x8cc45a), Hex(0x4f8a2b));
    // Hedge along the back.
    for (int i = 0; i < 9; ++i) Foliage(cr, rng, 60 + i * 120 + rng.Range(-20, 20), 40, 70, 34, 8, Hex(0x4f8f34));
    Ground(cr, 0, kW, 80, 8, 0.011, 1.3, 277, Hex(0x93cc5e), Hex(0x4f8a2b));
    GrassBand(cr, rng, 0, kW, 277, 20, 60, 160, Hex(0x4f8a2b), Hex(0x9fd05a));
    for (int i = 0; i < 22; ++i) {
        Rgba petals[] = {Hex(0xfff6f0), Hex(0xffd24a), Hex(0xf2789a)};
        Flower(cr, rng.Range(10, kW - 10), rng.Range(100, 250), rng.Range(4, 7), petals[rng.Int(0, 2)], Hex(0xf5a623));
    }
    return c.Release();
}

cairo_surface_t* BackTreeLeft() {  // back_tree_l_lv2.png at (0, 0)
    Canvas c(230, kH);
    cairo_t* cr = c.cr();
    Rng rng(21);
    Rgba bark = Hex(0x7a5a44);
    Branch(cr, 60, 768, 70, 500, 40, 300, 50, 60, 70, 40, Shade(bark, 0.85));
    Branch(cr, 55, 260, 110, 220, 160, 200, 220, 150, 18, 6, Shade(bark, 0.85));
    Foliage(cr, rng, 70, 90, 150, 110, 22, Hex(0x6f9f58));
    Foliage(cr, rng, 190, 150, 50, 40, 8, Hex(0x78a85e));
    return c.Release();
}

cairo_surface_t* BackTreeRight() {  // back_tree_r_lv2.png at (943, 0)
    Canvas c(81, kH);
    cairo_t* cr = c.cr();
    Rng rng(22);
    Branch(cr, 50, 768, 44, 520, 56, 300, 48, 0, 46, 34, Hex(0x6e5240));
    Foliage(cr, rng, 60, 60, 50, 70, 8, Hex(0x6f9f58));
    return c.Release();
}

cairo_surface_t* TreeFrontLeft() {  // Tree_lv2_prt1.png at (0, 496): stump, roots, the robot's perch
    Canvas c(540, 272);
    cairo_t* cr = c.cr();
    Rng rng(31);
    Rgba bark = Hex(0x7b5230);
    Branch(cr, 40, 272, 50, 180, 70, 90, 95, 20, 110, 60, bark);
    Foliage(cr, rng, 80, 40, 100, 60, 14, Hex(0x4f8f34));
    Perch(cr, 0, 496, bark, 110, 720);
    GrassBand(cr, rng, 0, 300, 274, 30, 90, 70, Hex(0x3f7a25), Hex(0x8ccc4a));
    for (int i = 0; i < 6; ++i) Flower(cr, rng.Range(130, 300), rng.Range(200, 250), 6, Hex(0xfff6f0), Hex(0xf5a623));
    return c.Release();
}

cairo_surface_t* TreeFrontRight() {  // Tree_lv2_prt2.png at (803, 0): leafy bough over the top-right corner
    Canvas c(221, 430);
    cairo_t* cr = c.cr();
    Rng rng(32);
    Branch(cr, 221, 20, 170, 40, 120, 60, 60, 120, 34, 10, Hex(0x6e4a2c));
    Branch(cr, 221, 200, 190, 220, 170, 260, 150, 330, 26, 6, Hex(0x6e4a2c));
    Foliage(cr, rng, 170, 70, 80, 70, 14, Hex(0x4d8a30));
    for (int i = 0; i < 22; ++i) {
        Leaf(cr, rng.Range(90, 221), rng.Range(100, 400), rng.Range(26, 44), rng.Range(11, 17), rng.Range(70, 160),
             Mix(Hex(0x3f7a25), Hex(0x8ccc4a), rng.Uniform()));
    }
    return c.Release();
}

// Background flies circling in the distance (small dark specks with blurred wings), 8 looping frames.
cairo_surface_t* BackFlies() {
    return MakeStrip(50, 50, 8, [](cairo_t* cr, int f) {
        for (int k = 0; k < 3; ++k) {
            double a = (f / 8.0 + k / 3.0) * 2 * M_PI;
            double x = 25 + std::cos(a) * (10 + k * 4), y = 25 + std::sin(a * (k == 1 ? 2 : 1)) * (6 + k * 3);
            Ellipse(cr, x, y, 2.2, 1.7);
            SetColor(cr, Hex(0x2a2320, 0.75));
            cairo_fill(cr);
            double flap = (f + k) % 2 ? 2.5 : 1.2;
            Ellipse(cr, x - 1, y - flap, 1.8, flap);
            Ellipse(cr, x + 1, y - flap, 1.8, flap);
            SetColor(cr, Hex(0xffffff, 0.5));
            cairo_fill(cr);
        }
    });
}

// ---- levels 5-9: evening yard with a swinging pail ----

cairo_surface_t* Pail() {  // pail_lv3.png, handle (35, 0): rope from the hook down to the pail
    Canvas c(70, 190);
    cairo_t* cr = c.cr();
    cairo_move_to(cr, 35, 0);
    cairo_curve_to(cr, 34, 40, 36, 80, 35, 112);
    SetColor(cr, Hex(0xb89a6a));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Bail (the handle arc).
    cairo_arc(cr, 35, 140, 26, M_PI * 1.05, M_PI * 1.95);
    SetColor(cr, Hex(0x6b6f74));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    auto pail = [&](cairo_t* k) {
        cairo_move_to(k, 8, 138);
        cairo_line_to(k, 62, 138);
        cairo_line_to(k, 55, 186);
        cairo_line_to(k, 15, 186);
        cairo_close_path(k);
    };
    pail(cr);
    FillLinear3(cr, 8, 0, 62, 0, Hex(0x5d666e), Hex(0x9aa6b0), Hex(0xd8e0e6));
    for (double y : {146.0, 176.0}) {
        cairo_move_to(cr, 8 + (y - 138) * 0.14, y);
        cairo_line_to(cr, 62 - (y - 138) * 0.14, y);
        SetColor(cr, Hex(0x4a5158, 0.8));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    Ellipse(cr, 35, 138, 27, 5);
    FillLinear(cr, 8, 138, 62, 138, Hex(0x3a4046), Hex(0x7a848c));
    return c.Release();
}

cairo_surface_t* YardFence() {  // back1_lv3.png at (0, 146): a picket fence and a shed wall on the left
    Canvas c(kW, 420);
    cairo_t* cr = c.cr();
    Rng rng(51);
    // Shed on the left.
    cairo_rectangle(cr, 0, 60, 190, 360);
    FillLinear(cr, 190, 60, 0, 420, Hex(0xb26a4a), Hex(0x6a3a2e));
    for (int i = 0; i < 8; ++i) {
        cairo_move_to(cr, i * 24, 60);
        cairo_line_to(cr, i * 24, 420);
    }
    SetColor(cr, Hex(0x4a2a20, 0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, -10, 70);
    cairo_line_to(cr, 120, 0);
    cairo_line_to(cr, 220, 70);
    cairo_close_path(cr);
    FillLinear(cr, 220, 0, 0, 70, Hex(0x8a5a4a), Hex(0x4e2e28));
    RoundedRect(cr, 60, 140, 70, 60, 4);
    FillLinear(cr, 130, 140, 60, 200, Hex(0xffd98a), Hex(0xf0a040));
    cairo_move_to(cr, 95, 140);
    cairo_line_to(cr, 95, 200);
    cairo_move_to(cr, 60, 170);
    cairo_line_to(cr, 130, 170);
    SetColor(cr, Hex(0x4a2a20));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Fence.
    for (int x = 190; x < 760; x += 34) {
        double h = 150 + rng.Range(-6, 6);
        cairo_move_to(cr, x, 420);
        cairo_line_to(cr, x, 420 - h);
        cairo_line_to(cr, x + 12, 420 - h - 14);
        cairo_line_to(cr, x + 24, 420 - h);
        cairo_line_to(cr, x + 24, 420);
        cairo_close_path(cr);
        FillLinear(cr, x + 24, 270, x, 420, Hex(0xe8d2b8), Hex(0xa08a78));
    }
    cairo_rectangle(cr, 190, 300, 574, 12);
    cairo_rectangle(cr, 190, 380, 574, 12);
    SetColor(cr, Hex(0xb8a08a));
    cairo_fill(cr);
    return c.Release();
}

cairo_surface_t* YardBushes() {  // back2_lv3.png at (314, 513)
    Canvas c(710, 255);
    cairo_t* cr = c.cr();
    Rng rng(52);
    for (int i = 0; i < 6; ++i) Foliage(cr, rng, 60 + i * 120, 130, 90, 70, 10, Hex(0x5a7f3a));
    Ground(cr, 0, 710, 190, 6, 0.02, 0, 255, Hex(0x6a8f3e), Hex(0x3e5a26));
    return c.Release();
}

cairo_surface_t* YardPost() {  // back3_lv3.png at (747, 25): a crooked tree whose bough holds the pail at (865, 351)
    Canvas c(277, 600);
    cairo_t* cr = c.cr();
    Rng rng(53);
    Rgba bark = Hex(0x5e4334);
    Branch(cr, 220, 600, 230, 420, 200, 260, 215, 120, 56, 34, bark);
    // Bough to the hook at local (118, 326).
    Branch(cr, 210, 320, 170, 318, 140, 322, 112, 326, 18, 8, bark);
    Foliage(cr, rng, 200, 100, 110, 100, 16, Hex(0x5a7a3c));
    return c.Release();
}

cairo_surface_t* YardFrontLeft() {  // frgr1_lv3.png at (0, 318): sunflowers by the shed corner
    Canvas c(230, 450);
    cairo_t* cr = c.cr();
    Rng rng(54);
    for (int i = 0; i < 3; ++i) {
        double x = 30 + i * 50, top = 60 + i * 70;
        Branch(cr, x, 450, x + 5, 300, x - 4, 200, x + 8, top, 8, 5, Hex(0x5f8a2a));
        Leaf(cr, x + 4, top + 120, 50, 24, -20, Hex(0x5f8a2a));
        Leaf(cr, x, top + 180, 46, 22, 200, Hex(0x4f7a22));
        for (int p = 0; p < 14; ++p) {
            double a = p * 2 * M_PI / 14;
            Leaf(cr, x + 8 + std::cos(a) * 10, top + std::sin(a) * 10, 22, 9, a * 180 / M_PI, Hex(0xffc22a), false);
        }
        Ellipse(cr, x + 8, top, 13, 13);
        FillRadial(cr, x + 11, top - 4, 15, Hex(0x8a5a24), Hex(0x3e2410));
    }
    GrassBand(cr, rng, 0, 230, 452, 30, 110, 60, Hex(0x3f6a22), Hex(0x8cbc4a));
    return c.Release();
}

cairo_surface_t* PerchLayer(int w, int h, double ox, double oy, uint64_t seed, Rgba bark, Rgba grass_dark,
                            Rgba grass_light) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(seed);
    Perch(cr, ox, oy, bark, ox + 20, 780);
    GrassBand(cr, rng, 0, w * 0.45, h + 2, h * 0.2, h * 0.5, w / 10, grass_dark, grass_light);
    return c.Release();
}

cairo_surface_t* YardFrontRight() {  // frgr3_lv3.png at (836, 520): watering can and tufts
    Canvas c(188, 248);
    cairo_t* cr = c.cr();
    Rng rng(56);
    auto can = [&](cairo_t* k) { RoundedRect(k, 60, 150, 80, 70, 10); };
    SoftShadow(cr, can, 6, -5, 6, Hex(0x10200a, 0.4));
    can(cr);
    FillLinear(cr, 140, 150, 60, 220, Hex(0x7ab8d8), Hex(0x2e6a8a));
    cairo_move_to(cr, 60, 190);
    cairo_line_to(cr, 18, 150);
    SetColor(cr, Hex(0x3e7a9a));
    cairo_set_line_width(cr, 9);
    cairo_stroke(cr);
    cairo_arc(cr, 100, 150, 26, M_PI, 2 * M_PI);
    SetColor(cr, Hex(0x2e6a8a));
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    GrassBand(cr, rng, 0, 188, 250, 30, 100, 50, Hex(0x3f6a22), Hex(0x8cbc4a));
    return c.Release();
}

// ---- levels 10-14: fields with a windmill ----

cairo_surface_t* MillBlades() {  // 17 frames, 40 x 100 cells: four sails seen from the side, turning
    return MakeStrip(40, 100, 17, [](cairo_t* cr, int f) {
        double base = f * (M_PI / 2) / 17;  // a quarter turn repeats the picture
        const double cx = 20, cy = 50, rx = 16, ry = 47;
        for (int s = 0; s < 4; ++s) {
            double a = base + s * M_PI / 2;
            double ca = std::cos(a), sa = std::sin(a);
            // Sail: a lattice rectangle from radius 8 to 46 along the arm, 9 wide, in the rotor plane.
            auto pt = [&](double r, double w, double* x, double* y) {
                double px = r * ca - w * sa, py = r * sa + w * ca;
                *x = cx + px * (rx / 47.0);
                *y = cy + py * (ry / 47.0);
            };
            double x0, y0, x1, y1, x2, y2, x3, y3;
            pt(8, 0, &x0, &y0);
            pt(46, 0, &x1, &y1);
            pt(46, 10, &x2, &y2);
            pt(12, 10, &x3, &y3);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
            cairo_line_to(cr, x2, y2);
            cairo_line_to(cr, x3, y3);
            cairo_close_path(cr);
            SetColor(cr, Hex(0xf2e6cc, 0.92));
            cairo_fill_preserve(cr);
            SetColor(cr, Hex(0x6a4a2a));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, x1, y1);
            SetColor(cr, Hex(0x5a3a1e));
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
        Ellipse(cr, cx, cy, 3.5, 3.5);
        SetColor(cr, Hex(0x3a2a1a));
        cairo_fill(cr);
    });
}

cairo_surface_t* MillTower() {  // mill_lv4.png at (906, 316)
    Canvas c(118, 300);
    cairo_t* cr = c.cr();
    auto body = [&](cairo_t* k) {
        cairo_move_to(k, 20, 300);
        cairo_line_to(k, 34, 50);
        cairo_line_to(k, 96, 50);
        cairo_line_to(k, 110, 300);
        cairo_close_path(k);
    };
    body(cr);
    FillLinear3(cr, 110, 0, 20, 0, Hex(0xfaf0dc), Hex(0xe0d0b0), Hex(0xa89474));
    // Cap.
    cairo_move_to(cr, 24, 54);
    cairo_curve_to(cr, 30, 10, 100, 10, 106, 54);
    cairo_close_path(cr);
    FillLinear(cr, 106, 10, 24, 54, Hex(0xc86a4a), Hex(0x7a3424));
    // Door and window.
    cairo_move_to(cr, 54, 300);
    cairo_line_to(cr, 54, 262);
    cairo_arc(cr, 66, 262, 12, M_PI, 2 * M_PI);
    cairo_line_to(cr, 78, 300);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x6a4a2e));
    cairo_fill(cr);
    Ellipse(cr, 66, 130, 9, 11);
    SetColor(cr, Hex(0x3a4a5a));
    cairo_fill(cr);
    // Hub box where the sails meet (left side, at the blades' centre (915, 350) -> local (9, 34)).
    Ellipse(cr, 24, 46, 8, 8);
    FillRadial(cr, 26, 44, 9, Hex(0x8a6a4a), Hex(0x3a2a1a));
    return c.Release();
}

cairo_surface_t* Fields() {  // back_planes_lv4.png at (0, 397)
    Canvas c(kW, 371);
    cairo_t* cr = c.cr();
    Rng rng(61);
    Ground(cr, 0, kW, 60, 16, 0.006, 0.8, 371, Hex(0xc8d67a), Hex(0x8aa84a));
    // Field stripes.
    for (int i = 0; i < 7; ++i) {
        double y = 90 + i * 40;
        cairo_move_to(cr, 0, y);
        for (int x = 0; x <= kW; x += 16) cairo_line_to(cr, x, y - 10 * std::sin(x * 0.006 + i));
        SetColor(cr, i % 2 ? Hex(0xe8c860, 0.5) : Hex(0x6a9a3a, 0.45));
        cairo_set_line_width(cr, 14 + i * 3);
        cairo_stroke(cr);
    }
    // Hedgerow trees and a far farmhouse.
    for (int i = 0; i < 8; ++i) Tree(cr, rng, 40 + i * 130 + rng.Range(-30, 30), 90, 90, 36, Hex(0x5a8a3a), Hex(0x5a4030));
    cairo_rectangle(cr, 540, 40, 60, 40);
    SetColor(cr, Hex(0xf0e0c8));
    cairo_fill(cr);
    cairo_move_to(cr, 532, 42);
    cairo_line_to(cr, 570, 18);
    cairo_line_to(cr, 608, 42);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xb8523a));
    cairo_fill(cr);
    return c.Release();
}

// ---- levels 15-19: forest ----

cairo_surface_t* ForestBack1() {  // forest_bck1.png at (0, 302): distant treeline
    Canvas c(kW, 466);
    cairo_t* cr = c.cr();
    Rng rng(71);
    for (int layer = 0; layer < 3; ++layer) {
        Rgba col = Mix(Hex(0x8ab4a0), Hex(0x3f6e44), layer / 2.0);
        for (int i = 0; i < 14; ++i) {
            double x = i * 80 + rng.Range(-20, 20), base = 140 + layer * 70;
            double h = rng.Range(90, 160);
            cairo_move_to(cr, x - 40, base + 40);
            cairo_line_to(cr, x, base - h);
            cairo_line_to(cr, x + 40, base + 40);
            cairo_close_path(cr);
            FillLinear(cr, x + 40, base - h, x - 40, base, Shade(col, 1.1), Shade(col, 0.8));
        }
        cairo_rectangle(cr, 0, 170 + layer * 70, kW, 466);
        SetColor(cr, Shade(col, 0.85));
        cairo_fill(cr);
    }
    return c.Release();
}

cairo_surface_t* ForestBack2() {  // forest_bck2.png at (207, 528): ferns and mossy logs
    Canvas c(817, 240);
    cairo_t* cr = c.cr();
    Rng rng(72);
    Branch(cr, 100, 190, 250, 180, 400, 186, 560, 176, 44, 38, Hex(0x6a5040));
    for (int i = 0; i < 10; ++i) {
        double x = rng.Range(20, 800);
        for (int k = 0; k < 7; ++k) {
            Leaf(cr, x, 240, rng.Range(70, 120), 18, -90 + (k - 3) * 20 + rng.Range(-6, 6), Mix(Hex(0x3e7a34), Hex(0x7ab84a), rng.Uniform()));
        }
    }
    return c.Release();
}

cairo_surface_t* ForestBack3() {  // forest_bck3.png at (719, 175): a big mid-distance trunk
    Canvas c(305, 593);
    cairo_t* cr = c.cr();
    Rng rng(73);
    Branch(cr, 200, 593, 190, 400, 215, 200, 205, 0, 90, 70, Hex(0x5a4a3e));
    Branch(cr, 180, 200, 140, 160, 90, 150, 30, 110, 24, 8, Hex(0x5a4a3e));
    Foliage(cr, rng, 60, 100, 60, 45, 8, Hex(0x4f7f3e));
    // Moss.
    for (int i = 0; i < 12; ++i) {
        Ellipse(cr, 165 + rng.Range(0, 70), 593 - rng.Range(0, 160), rng.Range(6, 14), rng.Range(4, 8));
        SetColor(cr, Hex(0x7aa84a, 0.6));
        cairo_fill(cr);
    }
    return c.Release();
}

cairo_surface_t* ForestFront() {  // forest_frg.png at (0, 0): trunk on the left, leaves across the top
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    Rng rng(74);
    Branch(cr, 60, 768, 80, 500, 40, 250, 70, 0, 120, 90, Hex(0x4e3a2c));
    Branch(cr, 90, 150, 150, 120, 200, 80, 280, 30, 28, 10, Hex(0x4e3a2c));
    for (int i = 0; i < 60; ++i) {
        double x = rng.Range(0, kW), y = rng.Range(-10, 40);
        if (x < 260) y = rng.Range(-10, 200 - x * 0.4);
        Leaf(cr, x, y, rng.Range(30, 50), rng.Range(12, 18), rng.Range(40, 140), Mix(Hex(0x2e5a22), Hex(0x6aa844), rng.Uniform()));
    }
    return c.Release();
}

// ---- levels 20-24: plains at sunset ----

cairo_surface_t* PlainsFar() {  // background1_plane.png at (0, 540)
    Canvas c(kW, 228);
    cairo_t* cr = c.cr();
    Ground(cr, 0, kW, 30, 10, 0.005, 0.3, 228, Hex(0xc8905a), Hex(0x7a5a3a));
    Ground(cr, 0, kW, 90, 8, 0.009, 2, 228, Hex(0xb89a4a), Hex(0x6a6a2a));
    return c.Release();
}

cairo_surface_t* SunsetClouds() {  // background2_plane.png at (0, 0): long glowing clouds
    Canvas c(kW, 420);
    cairo_t* cr = c.cr();
    Rng rng(81);
    for (int i = 0; i < 6; ++i) {
        double y = rng.Range(60, 360), x = rng.Range(0, kW), w = rng.Range(260, 480);
        SoftGlow(cr, [&](cairo_t* k) { Ellipse(k, x, y, w / 2, rng.Range(10, 18)); }, 8,
                 Mix(Hex(0xffb07a, 0.7), Hex(0xe87a8a, 0.7), rng.Uniform()), 1);
    }
    return c.Release();
}

cairo_surface_t* Haystacks() {  // background3_plane.png at (71, 409)
    Canvas c(400, 200);
    cairo_t* cr = c.cr();
    for (int i = 0; i < 3; ++i) {
        double x = 70 + i * 120, s = 1 - i * 0.2;
        auto stack = [&](cairo_t* k) {
            cairo_move_to(k, x - 50 * s, 190);
            cairo_curve_to(k, x - 50 * s, 190 - 110 * s, x + 50 * s, 190 - 110 * s, x + 50 * s, 190);
            cairo_close_path(k);
        };
        SoftShadow(cr, stack, 6, -8, 4, Hex(0x3a2010, 0.35));
        stack(cr);
        FillLinear(cr, x + 50 * s, 100, x - 50 * s, 190, Hex(0xf0c060), Hex(0x9a6a2a));
    }
    return c.Release();
}

cairo_surface_t* LoneTree() {  // background4_plane.png at (694, 460)
    Canvas c(330, 250);
    cairo_t* cr = c.cr();
    Rng rng(82);
    Tree(cr, rng, 180, 250, 220, 80, Hex(0x6a7a3a), Hex(0x4a3424));
    return c.Release();
}

cairo_surface_t* Poplar() {  // background5_plane.png at (822, 210) and ukraine_back_tree_prt3.png
    Canvas c(202, 400);
    cairo_t* cr = c.cr();
    Rng rng(83);
    Branch(cr, 100, 400, 102, 300, 98, 200, 100, 120, 18, 10, Hex(0x4a3a2a));
    for (int i = 0; i < 10; ++i) Foliage(cr, rng, 100 + rng.Range(-10, 10), 60 + i * 26, 42, 40, 6, Hex(0x5a7a3a));
    return c.Release();
}

cairo_surface_t* TallStalks(int w, int h, uint64_t seed) {  // foreground1_plane.png
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(seed);
    for (int i = 0; i < 9; ++i) {
        double x = rng.Range(0, w * 0.8), top = rng.Range(0, h * 0.5);
        Branch(cr, x, h, x + 6, h * 0.7, x - 8, top + 60, x + 10, top, 6, 2, Hex(0xb89a4a));
        for (int k = 0; k < 6; ++k) Leaf(cr, x + 9, top + k * 6, 14, 6, -100 + (k % 2 ? 30 : -30), Hex(0xd8b860), false);
    }
    return c.Release();
}

// ---- levels 25-30: village at dusk ----

void House(cairo_t* cr, double x, double base, double w, double h, Rgba wall, bool lit, double roof_h) {
    auto body = [&](cairo_t* k) { cairo_rectangle(k, x, base - h, w, h); };
    SoftShadow(cr, body, 6, -6, 4, Hex(0x100a10, 0.35));
    body(cr);
    FillLinear(cr, x + w, base - h, x, base, Shade(wall, 1.1), Shade(wall, 0.75));
    // Thatched roof.
    cairo_move_to(cr, x - 14, base - h + 6);
    cairo_curve_to(cr, x + w * 0.2, base - h - roof_h, x + w * 0.8, base - h - roof_h, x + w + 14, base - h + 6);
    cairo_close_path(cr);
    FillLinear(cr, x + w, base - h - roof_h, x, base - h, Hex(0xc8a060), Hex(0x6a4a2a));
    double wx = x + w * 0.55, wy = base - h * 0.62, ww = w * 0.22, wh = h * 0.32;
    cairo_rectangle(cr, wx, wy, ww, wh);
    if (lit) FillLinear(cr, wx, wy, wx, wy + wh, Hex(0xfff0a0), Hex(0xffa030));
    else {
        SetColor(cr, Hex(0x3a3a5a));
        cairo_fill(cr);
    }
    cairo_move_to(cr, wx + ww / 2, wy);
    cairo_line_to(cr, wx + ww / 2, wy + wh);
    cairo_move_to(cr, wx, wy + wh / 2);
    cairo_line_to(cr, wx + ww, wy + wh / 2);
    SetColor(cr, Hex(0x4a2a1a));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

cairo_surface_t* VillageRow() {  // ukraine_back_prt1.png at (0, 434)
    Canvas c(kW, 334);
    cairo_t* cr = c.cr();
    Rng rng(91);
    Ground(cr, 0, kW, 120, 10, 0.007, 0.4, 334, Hex(0x6a7a5a), Hex(0x3a4a3a));
    for (int i = 0; i < 5; ++i) {
        double x = 30 + i * 140 + rng.Range(-10, 10);
        House(cr, x, 130 + rng.Range(-4, 8), 100, 62, Mix(Hex(0xd8d0e8), Hex(0xb8b0d8), rng.Uniform()), i % 2 == 0, 40);
    }
    for (int i = 0; i < 6; ++i) Foliage(cr, rng, rng.Range(0, kW), 120, 40, 30, 7, Hex(0x4a6a4a));
    return c.Release();
}

cairo_surface_t* VillageHouse() {  // ukraine_back_prt2.png at (714, 271): the house with the glowing window
    Canvas c(310, 300);
    cairo_t* cr = c.cr();
    // Window centre must fall at local (51, 184) under the glow.
    auto body = [&](cairo_t* k) { cairo_rectangle(k, 10, 120, 240, 180); };
    SoftShadow(cr, body, 8, -8, 6, Hex(0x100a10, 0.35));
    body(cr);
    FillLinear(cr, 250, 120, 10, 300, Hex(0xece4f4), Hex(0xa89cc0));
    cairo_move_to(cr, -6, 128);
    cairo_curve_to(cr, 40, 30, 220, 30, 268, 128);
    cairo_close_path(cr);
    FillLinear(cr, 268, 40, 0, 128, Hex(0xd8b070), Hex(0x7a5430));
    cairo_rectangle(cr, 26, 158, 50, 52);
    FillLinear(cr, 26, 158, 26, 210, Hex(0xfff4b0), Hex(0xffa63a));
    cairo_move_to(cr, 51, 158);
    cairo_line_to(cr, 51, 210);
    cairo_move_to(cr, 26, 184);
    cairo_line_to(cr, 76, 184);
    cairo_rectangle(cr, 26, 158, 50, 52);
    SetColor(cr, Hex(0x5a3a22));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    RoundedRect(cr, 150, 200, 46, 100, 6);
    FillLinear(cr, 196, 200, 150, 300, Hex(0x8a5a3a), Hex(0x4a2a1a));
    // Chimney with a curl of smoke.
    cairo_rectangle(cr, 190, 40, 22, 50);
    SetColor(cr, Hex(0x8a6a6a));
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        Ellipse(cr, 204 + i * 10, 30 - i * 10, 8 + i * 2, 6 + i * 2);
        SetColor(cr, Hex(0xe8e0f0, 0.35 - i * 0.06));
        cairo_fill(cr);
    }
    return c.Release();
}

cairo_surface_t* WindowGlow() {  // ukraine_glow.png at (705, 405), light blended
    Canvas c(120, 100);
    cairo_t* cr = c.cr();
    Ellipse(cr, 60, 50, 60, 50);
    FillRadial(cr, 60, 50, 60, Hex(0xffd070, 0.95), Hex(0xff9020, 0));
    return c.Release();
}

cairo_surface_t* VillageFront() {  // ukraine_front_prt1.png at (0, 132): wattle fence post and sunflowers
    Canvas c(210, 636);
    cairo_t* cr = c.cr();
    Rng rng(92);
    for (int i = 0; i < 2; ++i) {
        double x = 40 + i * 90, top = 150 + i * 120;
        Branch(cr, x, 636, x + 8, 500, x - 6, 300, x + 4, top, 9, 6, Hex(0x5f7a2a));
        Leaf(cr, x + 4, top + 100, 56, 26, -10, Hex(0x5f7a2a));
        Leaf(cr, x, top + 170, 50, 24, 190, Hex(0x4f6a22));
        for (int p = 0; p < 16; ++p) {
            double a = p * 2 * M_PI / 16;
            Leaf(cr, x + 4 + std::cos(a) * 12, top + std::sin(a) * 12, 24, 10, a * 180 / M_PI, Hex(0xf0b020), false);
        }
        Ellipse(cr, x + 4, top, 15, 15);
        FillRadial(cr, x + 8, top - 4, 17, Hex(0x7a4a20), Hex(0x2e1a0a));
    }
    // Wattle fence at the bottom: stakes with willow rods woven between them.
    for (int k = 0; k < 5; ++k) {
        double x = 12 + k * 46;
        Branch(cr, x, 640, x + 1, 600, x - 1, 520, x, 455, 11, 8, Hex(0x7a5a3a));
    }
    for (int row = 0; row < 7; ++row) {
        double y = 475 + row * 20;
        cairo_move_to(cr, -4, y);
        for (int k = 0; k < 5; ++k) {
            double x = 12 + k * 46;
            double up = ((row + k) % 2) ? -5 : 5;
            cairo_curve_to(cr, x - 16, y + up, x - 8, y + up, x + 23, y - up * 0.2);
        }
        SetColor(cr, Hex(0x4a3420));
        cairo_set_line_width(cr, 10);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        SetColor(cr, Hex(0xa8845a));
        cairo_set_line_width(cr, 6.5);
        cairo_stroke_preserve(cr);
        SetColor(cr, Hex(0xd8b488, 0.6));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    GrassBand(cr, rng, 0, 210, 640, 30, 100, 40, Hex(0x3a5a2a), Hex(0x7a9a4a));
    return c.Release();
}

// ---- menu backdrop ----

cairo_surface_t* MenuRight() {  // menu_prt1.png at (693, 0)
    Canvas c(331, kH);
    cairo_t* cr = c.cr();
    Rng rng(101);
    Branch(cr, 250, 768, 240, 500, 280, 250, 260, 0, 110, 80, Hex(0x6e4a30));
    Branch(cr, 230, 300, 180, 280, 120, 300, 60, 280, 24, 8, Hex(0x6e4a30));
    Foliage(cr, rng, 250, 90, 120, 110, 18, Hex(0x5a9a3a));
    Foliage(cr, rng, 80, 270, 50, 36, 7, Hex(0x64a442));
    return c.Release();
}

cairo_surface_t* MenuBottom() {  // menu_prt2.png at (0, 517)
    Canvas c(kW, 251);
    cairo_t* cr = c.cr();
    Rng rng(102);
    Ground(cr, 0, kW, 110, 10, 0.01, 0.2, 251, Hex(0x8cc45a), Hex(0x3f7a25));
    GrassBand(cr, rng, 0, kW, 253, 40, 130, 220, Hex(0x3f7a25), Hex(0x9fd05a));
    for (int i = 0; i < 26; ++i) {
        Rgba petals[] = {Hex(0xfff6f0), Hex(0xffd24a), Hex(0xf2789a), Hex(0xb78ae8)};
        double x = rng.Range(10, kW - 10), y = rng.Range(130, 220);
        Blade(cr, x, 251, 251 - y, 2.5, rng.Range(-5, 5), Hex(0x3f7a25));
        Flower(cr, x, y, rng.Range(6, 10), petals[rng.Int(0, 3)], Hex(0xf5a623));
    }
    return c.Release();
}

cairo_surface_t* MenuTopLeft() {  // menu_prt3.png at (0, 0)
    Canvas c(360, 300);
    cairo_t* cr = c.cr();
    Rng rng(103);
    Branch(cr, 0, 40, 80, 50, 180, 40, 300, 70, 30, 8, Hex(0x6e4a30));
    for (int i = 0; i < 26; ++i) {
        double t = rng.Uniform();
        Leaf(cr, t * 300, 40 + t * 25, rng.Range(30, 52), rng.Range(12, 18), rng.Range(40, 150),
             Mix(Hex(0x3f7a25), Hex(0x8ccc4a), rng.Uniform()));
    }
    // A dangling silk thread with a tiny spider (friendly foreshadowing).
    cairo_move_to(cr, 220, 56);
    cairo_line_to(cr, 220, 190);
    SetColor(cr, Hex(0xffffff, 0.7));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Ellipse(cr, 220, 198, 9, 10);
    FillRadial(cr, 223, 194, 11, Hex(0x5a4a5a), Hex(0x1a121a));
    for (int k = 0; k < 4; ++k) {
        for (int side : {-1, 1}) {
            cairo_move_to(cr, 220, 196 + k * 2);
            cairo_curve_to(cr, 220 + side * 10, 186 + k * 5, 220 + side * 16, 192 + k * 5, 220 + side * 17, 204 + k * 4);
        }
    }
    SetColor(cr, Hex(0x1a121a));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Eye(cr, 216, 196, 3, 0.2, 0.4);
    Eye(cr, 224, 196, 3, 0.2, 0.4);
    return c.Release();
}

}  // namespace

void ForgeScenery(Forge& f) {
    f.Picture("back_level_1.jpg", Sky(false));
    f.Picture("back_level_2.jpg", Sky(true));
    f.Picture("Sun_lv1.png", Sun());
    f.Picture("Web_level1.png", Web());
    f.Picture("empty_field.png", [] {
        Canvas c(64, 64);  // a blank spot of the web (no fly): a faint dew ring
        Ellipse(c.cr(), 32, 32, 20, 20);
        SetColor(c.cr(), Hex(0xffffff, 0.3));
        cairo_set_line_width(c.cr(), 2);
        cairo_stroke(c.cr());
        return c.Release();
    }());

    // Levels 1-4.
    f.Picture("menlike_lv2.png", Scarecrow());
    f.Picture("static_grass_lv2.png", GardenMeadow());
    f.Picture("back_tree_l_lv2.png", BackTreeLeft());
    f.Picture("back_tree_r_lv2.png", BackTreeRight());
    f.Picture("anim_grass_lv2.png", GrassStrip(1044, 262, 12, Hex(0x3f7a25), Hex(0x9fd05a), 220, true));
    f.Picture("anim_tree_lv1.png", GrassStrip(1044, 262, 13, Hex(0x4a7f2a), Hex(0xa6d45e), 200, false));
    f.Picture("Tree_lv2_prt1.png", TreeFrontLeft());
    f.Picture("Tree_lv2_prt2.png", TreeFrontRight());
    f.Picture("Back_flys_anim.png", BackFlies());

    // Levels 5-9.
    f.Picture("pail_lv3.png", Pail());
    f.Picture("back1_lv3.png", YardFence());
    f.Picture("back2_lv3.png", YardBushes());
    f.Picture("back3_lv3.png", YardPost());
    f.Picture("anim_grass_lv3.png", GrassStrip(1044, 138, 14, Hex(0x3e5a26), Hex(0x8aa84a), 180, true));
    f.Picture("frgr1_lv3.png", YardFrontLeft());
    f.Picture("frgr2_lv3.png", PerchLayer(300, 118, 349, 650, 55, Hex(0x6a4a30), Hex(0x3f6a22), Hex(0x8cbc4a)));
    f.Picture("frgr3_lv3.png", YardFrontRight());

    // Levels 10-14.
    f.Picture("mill_anim_elem.png", MillBlades());
    f.Picture("mill_lv4.png", MillTower());
    f.Picture("back_planes_lv4.png", Fields());
    f.Picture("anim_grass_lv4.png", GrassStrip(1045, 137, 15, Hex(0x8a8a3a), Hex(0xe8d070), 200, false));
    f.Picture("foreground_tree_lv4.png", [] {
        Canvas c(540, 243);
        Rng rng(63);
        Branch(c.cr(), 30, 243, 40, 160, 60, 90, 80, 40, 80, 40, Hex(0x6e4a2c));
        Foliage(c.cr(), rng, 70, 50, 80, 50, 12, Hex(0x5a8a34));
        Perch(c.cr(), 0, 525, Hex(0x6e4a2c), 80, 700);
        GrassBand(c.cr(), rng, 0, 300, 245, 30, 80, 70, Hex(0x6a7a2a), Hex(0xd8c860));
        return c.Release();
    }());

    // Levels 15-19.
    f.Picture("forest_bck1.png", ForestBack1());
    f.Picture("forest_bck2.png", ForestBack2());
    f.Picture("forest_bck3.png", ForestBack3());
    f.Picture("grass_plane.png", GrassStrip(1055, 184, 16, Hex(0x35602a), Hex(0x86b84a), 240, true));
    f.Picture("forest_grass.png", GrassStrip(1024, 200, 17, Hex(0x2e5a22), Hex(0x7ab84a), 220, false));
    f.Picture("forest_frg.png", ForestFront());
    f.Picture("forest_frg2.png", PerchLayer(480, 166, 78, 602, 75, Hex(0x4e3a2c), Hex(0x2e5a22), Hex(0x6aa844)));

    // Levels 20-24.
    f.Picture("background1_plane.png", PlainsFar());
    f.Picture("background2_plane.png", SunsetClouds());
    f.Picture("background3_plane.png", Haystacks());
    f.Picture("background4_plane.png", LoneTree());
    f.Picture("background5_plane.png", Poplar());
    f.Picture("foreground1_plane.png", TallStalks(210, 585, 84));
    f.Picture("foreground2_plane.png", PerchLayer(400, 168, 173, 600, 85, Hex(0x5a3e2a), Hex(0x8a7a3a), Hex(0xe0c070)));
    f.Picture("foreground3_plane.png", GrassStrip(208, 72, 86, Hex(0x8a7a3a), Hex(0xe0c070), 40, false));

    // Levels 25-30.
    f.Picture("ukraine_back_tree_prt3.png", Poplar());
    f.Picture("ukraine_back_prt1.png", VillageRow());
    f.Picture("ukraine_back_prt2.png", VillageHouse());
    f.Picture("ukraine_glow.png", WindowGlow());
    f.Picture("ukraine_front_grass.png", TaperedGrass(733, 334, 93, Hex(0x3a5a2a), Hex(0x7a9a4a)));
    f.Picture("ukraine_front_prt1.png", VillageFront());
    f.Picture("ukraine_front_prt2.png", PerchLayer(420, 166, 181, 602, 94, Hex(0x6a5040), Hex(0x3a5a2a), Hex(0x7a9a4a)));

    // Menu backdrop.
    f.Picture("menu_prt1.png", MenuRight());
    f.Picture("menu_prt2.png", MenuBottom());
    f.Picture("menu_prt3.png", MenuTopLeft());
}

}  // namespace forge
