// The creatures: round-eyed flies, the mosquito, the butterfly, their cocoons and frozen looks, and the
// big dark spider with its walk, death and ice pictures.
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "forge.h"

namespace forge {

namespace {

struct BugLook {
    Rgba body;
    Rgba belly;
    bool frozen = false;
};

// Frost over whatever was drawn inside `shape`: pale blue wash, rim light and a few crystal glints.
void Frost(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double size) {
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, 0);  // no-op keeps the clip
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    SetColor(cr, Hex(0xbfefff, 0.55));
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_save(cr);
    shape(cr);
    SetColor(cr, Hex(0xe8fbff, 0.9));
    cairo_set_line_width(cr, std::max(1.0, size * 0.05));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Wing: a translucent petal, `deg` from the vertical, `len` long.
void Wing(cairo_t* cr, double x, double y, double len, double width, double deg, Rgba tint) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, deg * M_PI / 180);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -width, -len * 0.3, -width * 0.8, -len, 0, -len);
    cairo_curve_to(cr, width * 0.8, -len, width, -len * 0.3, 0, 0);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, -len);
    cairo_pattern_add_color_stop_rgba(p, 0, tint.r, tint.g, tint.b, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.35);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColor(cr, Hex(0x40505a, 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, -2);
    cairo_line_to(cr, 0, -len * 0.85);
    SetColor(cr, Hex(0x40505a, 0.35));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The common fly, seen from the front, centred at (cx, cy) with body radius r. wing in 0..1 (0 folded up, 1 spread).
void Fly(cairo_t* cr, double cx, double cy, double r, double wing, const BugLook& look) {
    double spread = 15 + wing * 60;
    if (!look.frozen) {
        Wing(cr, cx - r * 0.25, cy - r * 0.5, r * 1.35, r * 0.55, -spread, Hex(0xcfe8ff));
        Wing(cr, cx + r * 0.25, cy - r * 0.5, r * 1.35, r * 0.55, spread, Hex(0xcfe8ff));
    } else {
        Wing(cr, cx - r * 0.25, cy - r * 0.5, r * 1.35, r * 0.55, -40, Hex(0xe0f8ff));
        Wing(cr, cx + r * 0.25, cy - r * 0.5, r * 1.35, r * 0.55, 40, Hex(0xe0f8ff));
    }
    // Legs.
    SetColor(cr, Hex(0x1d1a1a));
    cairo_set_line_width(cr, std::max(1.0, r * 0.09));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int side : {-1, 1}) {
        for (int k = 0; k < 3; ++k) {
            double a = (0.35 + k * 0.35);
            cairo_move_to(cr, cx + side * r * 0.6, cy + r * (0.1 + k * 0.25));
            cairo_line_to(cr, cx + side * r * (0.95 + a * 0.3), cy + r * (0.45 + k * 0.25));
            cairo_line_to(cr, cx + side * r * (1.05 + a * 0.2), cy + r * (0.8 + k * 0.15));
        }
    }
    cairo_stroke(cr);
    auto body = [&](cairo_t* k) { Ellipse(k, cx, cy + r * 0.15, r * 0.82, r * 0.78); };
    body(cr);
    FillRadial(cr, cx + r * 0.35, cy - r * 0.25, r * 1.2, Shade(look.body, 1.6), Shade(look.body, 0.55));
    // Metallic sheen band.
    Ellipse(cr, cx + r * 0.25, cy - r * 0.1, r * 0.35, r * 0.18);
    SetColor(cr, Hex(0xffffff, 0.25));
    cairo_fill(cr);
    // Big round eyes.
    Eye(cr, cx - r * 0.38, cy - r * 0.2, r * 0.42, 0.15, 0.25);
    Eye(cr, cx + r * 0.38, cy - r * 0.2, r * 0.42, 0.15, 0.25);
    // Smile.
    cairo_move_to(cr, cx - r * 0.2, cy + r * 0.42);
    cairo_curve_to(cr, cx - r * 0.08, cy + r * 0.55, cx + r * 0.08, cy + r * 0.55, cx + r * 0.2, cy + r * 0.42);
    SetColor(cr, Hex(0x1a1010));
    cairo_set_line_width(cr, std::max(0.8, r * 0.07));
    cairo_stroke(cr);
    if (look.frozen) {
        Frost(cr, [&](cairo_t* k) { Ellipse(k, cx, cy + r * 0.1, r * 1.05, r * 1.0); }, r);
    }
}

// The mosquito: slim striped body, long legs, a needle nose. wing 0..1.
void Mosquito(cairo_t* cr, double cx, double cy, double r, double wing, bool frozen) {
    double spread = 20 + wing * 55;
    Wing(cr, cx - r * 0.1, cy - r * 0.2, r * 1.5, r * 0.35, -spread, Hex(0xe0e8f0));
    Wing(cr, cx + r * 0.1, cy - r * 0.2, r * 1.5, r * 0.35, spread, Hex(0xe0e8f0));
    SetColor(cr, Hex(0x3a2a22));
    cairo_set_line_width(cr, std::max(0.8, r * 0.06));
    for (int side : {-1, 1}) {
        for (int k = 0; k < 3; ++k) {
            cairo_move_to(cr, cx + side * r * 0.2, cy + r * (0.2 + k * 0.2));
            cairo_curve_to(cr, cx + side * r * (0.9 + k * 0.2), cy + r * (0.1 + k * 0.25), cx + side * r * (1.1 + k * 0.2),
                           cy + r * (0.7 + k * 0.2), cx + side * r * (1.3 + k * 0.15), cy + r * (1.2 + k * 0.05));
        }
    }
    cairo_stroke(cr);
    // Abdomen with stripes.
    auto abdomen = [&](cairo_t* k) { Ellipse(k, cx, cy + r * 0.55, r * 0.28, r * 0.55); };
    abdomen(cr);
    FillRadial(cr, cx + r * 0.1, cy + r * 0.35, r * 0.7, Hex(0xd8a070), Hex(0x6a3a22));
    cairo_save(cr);
    abdomen(cr);
    cairo_clip(cr);
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, cx - r, cy + r * (0.2 + i * 0.22), r * 2, r * 0.08);
        SetColor(cr, Hex(0x3a2014, 0.7));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Head and nose.
    cairo_move_to(cr, cx, cy - r * 0.1);
    cairo_line_to(cr, cx + r * 0.05, cy + r * 0.75);
    SetColor(cr, Hex(0x2a1a12));
    cairo_set_line_width(cr, std::max(0.8, r * 0.06));
    cairo_stroke(cr);
    Ellipse(cr, cx, cy - r * 0.15, r * 0.42, r * 0.36);
    FillRadial(cr, cx + r * 0.15, cy - r * 0.3, r * 0.5, Hex(0xb88060), Hex(0x5a3020));
    Eye(cr, cx - r * 0.2, cy - r * 0.22, r * 0.22, 0.1, 0.3);
    Eye(cr, cx + r * 0.2, cy - r * 0.22, r * 0.22, 0.1, 0.3);
    if (frozen) Frost(cr, [&](cairo_t* k) { Ellipse(k, cx, cy + r * 0.25, r * 0.55, r * 0.95); }, r);
}

// The butterfly, wings open by `open` 0..1 (1 fully open, seen from the front).
void Butterfly(cairo_t* cr, double cx, double cy, double s, double open, bool frozen) {
    Rgba wing_a = Hex(0xff9a3c), wing_b = Hex(0xffd25a);
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, side * std::max(0.12, open), 1);
        auto upper = [&](cairo_t* k) {
            cairo_move_to(k, 2, -2);
            cairo_curve_to(k, s * 0.3, -s * 0.75, s * 0.95, -s * 0.8, s * 0.9, -s * 0.25);
            cairo_curve_to(k, s * 0.85, -s * 0.05, s * 0.4, s * 0.02, 2, 0);
            cairo_close_path(k);
        };
        auto lower = [&](cairo_t* k) {
            cairo_move_to(k, 2, 0);
            cairo_curve_to(k, s * 0.5, s * 0.05, s * 0.75, s * 0.35, s * 0.55, s * 0.6);
            cairo_curve_to(k, s * 0.35, s * 0.75, s * 0.1, s * 0.45, 2, 2);
            cairo_close_path(k);
        };
        lower(cr);
        FillRadial(cr, s * 0.2, s * 0.2, s * 0.7, wing_b, Hex(0xd8502a));
        lower(cr);
        SetColor(cr, Hex(0x3a1a10));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        upper(cr);
        FillRadial(cr, s * 0.25, -s * 0.3, s * 0.85, wing_b, wing_a);
        upper(cr);
        SetColor(cr, Hex(0x3a1a10));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        // Spots.
        Ellipse(cr, s * 0.62, -s * 0.45, s * 0.1, s * 0.1);
        SetColor(cr, Hex(0xfff6e0));
        cairo_fill(cr);
        Ellipse(cr, s * 0.45, s * 0.35, s * 0.07, s * 0.07);
        SetColor(cr, Hex(0x5a2ad0, 0.8));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    Ellipse(cr, cx, cy + s * 0.1, s * 0.09, s * 0.38);
    FillRadial(cr, cx + 2, cy, s * 0.4, Hex(0x6a4a3a), Hex(0x1a100a));
    Ellipse(cr, cx, cy - s * 0.3, s * 0.14, s * 0.13);
    FillRadial(cr, cx + 2, cy - s * 0.34, s * 0.2, Hex(0x6a4a3a), Hex(0x1a100a));
    Eye(cr, cx - s * 0.07, cy - s * 0.32, s * 0.075, 0.2, 0.3);
    Eye(cr, cx + s * 0.07, cy - s * 0.32, s * 0.075, 0.2, 0.3);
    cairo_move_to(cr, cx - 2, cy - s * 0.42);
    cairo_curve_to(cr, cx - s * 0.1, cy - s * 0.6, cx - s * 0.2, cy - s * 0.62, cx - s * 0.25, cy - s * 0.6);
    cairo_move_to(cr, cx + 2, cy - s * 0.42);
    cairo_curve_to(cr, cx + s * 0.1, cy - s * 0.6, cx + s * 0.2, cy - s * 0.62, cx + s * 0.25, cy - s * 0.6);
    SetColor(cr, Hex(0x1a100a));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    if (frozen) {
        Frost(cr, [&](cairo_t* k) {
            Ellipse(k, cx - s * 0.5 * open, cy - s * 0.3, s * 0.5 * open + 3, s * 0.45);
            Ellipse(k, cx + s * 0.5 * open, cy - s * 0.3, s * 0.5 * open + 3, s * 0.45);
            Ellipse(k, cx, cy + s * 0.2, s * 0.55 * open + 4, s * 0.45);
        }, s);
    }
}

// A silk cocoon, its wrapped shape and criss-cross threads.
cairo_surface_t* Cocoon(int w, int h, uint64_t seed, Rgba peek) {
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Rng rng(seed);
    double cx = w / 2.0, cy = h / 2.0, rx = w * 0.36, ry = h * 0.44;
    auto shape = [&](cairo_t* k) { Ellipse(k, cx, cy, rx, ry); };
    SoftShadow(cr, shape, 3, -2, 3, Hex(0x000000, 0.35));
    shape(cr);
    FillRadial(cr, cx + rx * 0.4, cy - ry * 0.4, std::max(rx, ry) * 1.3, Hex(0xffffff), Hex(0xb8b4c0));
    // A hint of the prisoner's colour inside.
    Ellipse(cr, cx, cy - ry * 0.1, rx * 0.5, ry * 0.45);
    SetColor(cr, peek, 0.25);
    cairo_fill(cr);
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    for (int i = 0; i < 16; ++i) {
        double y0 = cy - ry + rng.Range(0, 2 * ry), y1 = y0 + rng.Range(-ry * 0.5, ry * 0.5);
        cairo_move_to(cr, cx - rx * 1.1, y0);
        cairo_curve_to(cr, cx - rx * 0.3, y0 + rng.Range(-4, 4), cx + rx * 0.3, y1 + rng.Range(-4, 4), cx + rx * 1.1, y1);
        SetColor(cr, Hex(0x8a8494, 0.45));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    shape(cr);
    SetColor(cr, Hex(0x6a6474, 0.8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return c.Release();
}

// ---- the spider ----

struct SpiderPose {
    double step = 0;    // walk phase 0..1
    double curl = 0;    // 0 alive, 1 legs curled (dead)
    bool dead_eyes = false;
};

// Top-down spider facing right, centred at (cx, cy); s = 1 fills a 226 x 134 cell.
void Spider(cairo_t* cr, double cx, double cy, double s, const SpiderPose& pose) {
    Rgba leg = Hex(0x231a26);
    // Legs: four per side from the cephalothorax; front pair reaches forward, rear pair backward.
    const double kLegDeg[4] = {28, 62, 112, 150};
    for (int side : {-1, 1}) {
        for (int i = 0; i < 4; ++i) {
            double phase = pose.step * 2 * M_PI + (i % 2) * M_PI + (side > 0 ? M_PI : 0);
            double swing = std::sin(phase) * 13 * (1 - pose.curl);
            double lift = std::max(0.0, std::cos(phase)) * (1 - pose.curl);
            double t1 = (kLegDeg[i] + swing) * M_PI / 180;
            // Knees stand out to the side; the lower leg turns back toward the travel axis.
            double bend = (i < 2 ? -35 : 35) + pose.curl * (i < 2 ? 120 : -120);
            double t2 = t1 + bend * M_PI / 180;
            double l1 = 31 * s * (1 - pose.curl * 0.3), l2 = 33 * s * (1 - pose.curl * 0.5);
            double hipx = cx + (22 - i * 5) * s, hipy = cy + side * 8 * s;
            double kx = hipx + std::cos(t1) * l1, ky = hipy + side * std::sin(t1) * l1 * (1 + lift * 0.12);
            double fx = kx + std::cos(t2) * l2, fy = ky + side * std::sin(t2) * l2;
            // Thick upper leg, thinner lower leg; a pale stripe on each segment and a few bristles.
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_move_to(cr, hipx, hipy);
            cairo_curve_to(cr, (hipx + kx) / 2, (hipy + ky) / 2 - side * 3 * s, kx, ky - side * 2 * s, kx, ky);
            SetColor(cr, leg);
            cairo_set_line_width(cr, 8 * s);
            cairo_stroke_preserve(cr);
            SetColor(cr, Hex(0x8a7a9a, 0.5));
            cairo_set_line_width(cr, 2 * s);
            cairo_stroke(cr);
            cairo_move_to(cr, kx, ky);
            cairo_curve_to(cr, kx + (fx - kx) * 0.4, ky + (fy - ky) * 0.2, fx, fy, fx, fy);
            SetColor(cr, leg);
            cairo_set_line_width(cr, 5 * s);
            cairo_stroke_preserve(cr);
            SetColor(cr, Hex(0x8a7a9a, 0.45));
            cairo_set_line_width(cr, 1.4 * s);
            cairo_stroke(cr);
            for (int h = 1; h <= 3; ++h) {
                double u = h / 4.0;
                double bx = kx + (fx - kx) * u, by = ky + (fy - ky) * u;
                double nx = -(fy - ky), ny = fx - kx, nl = std::hypot(nx, ny);
                if (nl > 0) {
                    nx /= nl;
                    ny /= nl;
                }
                cairo_move_to(cr, bx, by);
                cairo_line_to(cr, bx + nx * 4 * s * side, by + ny * 4 * s * side);
            }
            SetColor(cr, leg);
            cairo_set_line_width(cr, 1.2 * s);
            cairo_stroke(cr);
            Ellipse(cr, kx, ky, 4.2 * s, 4.2 * s);
            FillRadial(cr, kx + s, ky - s, 5 * s, Hex(0x6a5a78), Hex(0x2a1e30));
            Ellipse(cr, fx, fy, 2.4 * s, 2.4 * s);
            SetColor(cr, Hex(0x120a14));
            cairo_fill(cr);
        }
    }
    // Abdomen (rear, to the left).
    auto abdomen = [&](cairo_t* k) { Ellipse(k, cx - 28 * s, cy, 36 * s, 28 * s); };
    SoftShadow(cr, abdomen, 5 * s, -4 * s, 6 * s, Hex(0x000000, 0.35));
    abdomen(cr);
    FillRadial(cr, cx - 18 * s, cy - 14 * s, 52 * s, Hex(0x6a4a7a), Hex(0x160e1a));
    // Pattern: a pale heart-shaped mark and hairs.
    cairo_move_to(cr, cx - 50 * s, cy);
    cairo_curve_to(cr, cx - 40 * s, cy - 16 * s, cx - 20 * s, cy - 10 * s, cx - 12 * s, cy);
    cairo_curve_to(cr, cx - 20 * s, cy + 10 * s, cx - 40 * s, cy + 16 * s, cx - 50 * s, cy);
    SetColor(cr, Hex(0xb89ac8, 0.45));
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
        Ellipse(cr, cx - (48 - i * 12) * s, cy, 2.5 * s, 2.5 * s);
        SetColor(cr, Hex(0xe8d0f0, 0.7));
        cairo_fill(cr);
    }
    Ellipse(cr, cx - 20 * s, cy - 18 * s, 12 * s, 5 * s);
    SetColor(cr, Hex(0xffffff, 0.18));
    cairo_fill(cr);
    // Cephalothorax and head (front, to the right).
    Ellipse(cr, cx + 16 * s, cy, 24 * s, 21 * s);
    FillRadial(cr, cx + 24 * s, cy - 10 * s, 30 * s, Hex(0x5a4066), Hex(0x1a101e));
    // Fangs.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, cx + 36 * s, cy + side * 6 * s);
        cairo_curve_to(cr, cx + 46 * s, cy + side * 8 * s, cx + 48 * s, cy + side * 3 * s, cx + 44 * s, cy + side * 1 * s);
        SetColor(cr, Hex(0xe8e0d0));
        cairo_set_line_width(cr, 3 * s);
        cairo_stroke(cr);
    }
    // Eyes: two big comic ones and four little.
    if (!pose.dead_eyes) {
        Eye(cr, cx + 26 * s, cy - 9 * s, 8.5 * s, 0.6, 0.1, Hex(0x8a1a2a));
        Eye(cr, cx + 26 * s, cy + 9 * s, 8.5 * s, 0.6, -0.1, Hex(0x8a1a2a));
        // Heavy brows for a grumpy look.
        for (int side : {-1, 1}) {
            cairo_move_to(cr, cx + 18 * s, cy + side * 17 * s);
            cairo_line_to(cr, cx + 34 * s, cy + side * 6 * s);
            SetColor(cr, Hex(0x0e080f));
            cairo_set_line_width(cr, 3.2 * s);
            cairo_stroke(cr);
        }
    } else {
        for (int side : {-1, 1}) {
            double ex = cx + 26 * s, ey = cy + side * 9 * s, d = 5 * s;
            cairo_move_to(cr, ex - d, ey - d);
            cairo_line_to(cr, ex + d, ey + d);
            cairo_move_to(cr, ex + d, ey - d);
            cairo_line_to(cr, ex - d, ey + d);
            SetColor(cr, Hex(0xf0e8f0));
            cairo_set_line_width(cr, 2.5 * s);
            cairo_stroke(cr);
        }
    }
    for (int k = 0; k < 4; ++k) {
        Ellipse(cr, cx + 14 * s, cy + (k - 1.5) * 6 * s, 2 * s, 2 * s);
        SetColor(cr, Hex(0xc02a3a));
        cairo_fill(cr);
    }
}

}  // namespace

void ForgeCreatures(Forge& f) {
    BugLook fly_look{Hex(0x2e5a7a), Hex(0x8ab0c8)};
    // Wing beats ping-pong over the five frames.
    f.Picture("fly.png", MakeStrip(52, 39, 5, [&](cairo_t* cr, int fr) { Fly(cr, 26, 22, 13, fr / 4.0, fly_look); }));
    BugLook frozen = fly_look;
    frozen.frozen = true;
    f.Picture("fly_normal_frozen.png", [&] {
        Canvas c(52, 39);
        Fly(c.cr(), 26, 22, 13, 0.3, frozen);
        return c.Release();
    }());
    f.Picture("fly_komar.png", MakeStrip(53, 40, 5, [](cairo_t* cr, int fr) { Mosquito(cr, 26.5, 15, 13, fr / 4.0, false); }));
    f.Picture("fly_komar_frozen.png", [] {
        Canvas c(53, 40);
        Mosquito(c.cr(), 26.5, 15, 13, 0.3, true);
        return c.Release();
    }());
    // The butterfly's cycle loops: open, closing, closed, opening.
    f.Picture("fly_butterfly.png", MakeStrip(94, 70, 5, [](cairo_t* cr, int fr) {
        double open = 0.55 + 0.45 * std::cos(fr * 2 * M_PI / 5);
        Butterfly(cr, 47, 38, 44, open, false);
    }));
    f.Picture("fly_butterfly_frozen.png", [] {
        Canvas c(94, 70);
        Butterfly(c.cr(), 47, 38, 44, 1.0, true);
        return c.Release();
    }());
    f.Picture("butterfly_wing.png", MakeStrip(66, 39, 7, [](cairo_t* cr, int fr) {
        // A lost wing tumbling: it turns edge-on and back.
        double sx = std::cos(fr * 2 * M_PI / 7);
        cairo_translate(cr, 33, 20);
        cairo_rotate(cr, std::sin(fr * 2 * M_PI / 7) * 0.4);
        cairo_scale(cr, std::abs(sx) < 0.15 ? 0.15 : std::abs(sx), 1);
        cairo_move_to(cr, 0, 6);
        cairo_curve_to(cr, -20, -18, -34, -12, -30, 4);
        cairo_curve_to(cr, -26, 16, -8, 16, 0, 6);
        cairo_close_path(cr);
        FillRadial(cr, -12, -2, 30, Hex(0xffd25a), Hex(0xff8a3c));
        cairo_move_to(cr, 0, 6);
        cairo_curve_to(cr, -20, -18, -34, -12, -30, 4);
        cairo_curve_to(cr, -26, 16, -8, 16, 0, 6);
        SetColor(cr, Hex(0x3a1a10));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }));
    f.Picture("cocon.png", Cocoon(40, 50, 1, Hex(0x2e5a7a)));
    f.Picture("cocon_komar.png", Cocoon(36, 48, 2, Hex(0xb07050)));
    f.Picture("cocon_butterfly.png", Cocoon(58, 70, 3, Hex(0xff9a3c)));
    f.Picture("dead_fly_fx.png", [] {
        // The little soul of an eaten fly drifting up: a pale fly with a halo.
        Canvas c(48, 48);
        cairo_t* cr = c.cr();
        Ellipse(cr, 24, 26, 20, 20);
        FillRadial(cr, 24, 26, 20, Hex(0xffffff, 0.5), Hex(0xffffff, 0));
        Wing(cr, 21, 26, 14, 6, -50, Hex(0xffffff));
        Wing(cr, 27, 26, 14, 6, 50, Hex(0xffffff));
        Ellipse(cr, 24, 28, 7, 7);
        SetColor(cr, Hex(0xf4f8ff, 0.9));
        cairo_fill(cr);
        Ellipse(cr, 24, 12, 8, 2.5);
        SetColor(cr, Hex(0xfff0a0));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        return c.Release();
    }());

    // Spider: 18-frame walk loop, 5-frame death, ice.
    f.Picture("spider.png", MakeStrip(226, 134, 18, [](cairo_t* cr, int fr) {
        SpiderPose p;
        p.step = fr / 18.0;
        Spider(cr, 118, 67, 1.0, p);
    }));
    f.Picture("spider_dead.png", MakeStrip(226, 134, 5, [](cairo_t* cr, int fr) {
        SpiderPose p;
        p.curl = fr / 4.0;
        p.dead_eyes = fr >= 2;
        Spider(cr, 118, 67, 1.0 - fr * 0.03, p);
    }));
    f.Picture("spider_frozen.png", [] {
        // Drawn over the spider with its centre at handle (50, 30): an ice crust over body and head.
        Canvas c(100, 60);
        cairo_t* cr = c.cr();
        auto crust = [&](cairo_t* k) {
            cairo_move_to(k, 4, 30);
            cairo_line_to(k, 14, 8);
            cairo_line_to(k, 40, 3);
            cairo_line_to(k, 70, 6);
            cairo_line_to(k, 94, 22);
            cairo_line_to(k, 96, 38);
            cairo_line_to(k, 72, 55);
            cairo_line_to(k, 38, 57);
            cairo_line_to(k, 12, 50);
            cairo_close_path(k);
        };
        crust(cr);
        FillLinear(cr, 96, 0, 4, 60, Hex(0xe8fbff, 0.85), Hex(0x6ab8e0, 0.6));
        crust(cr);
        SetColor(cr, Hex(0xffffff, 0.9));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        SetColor(cr, Hex(0xffffff, 0.7));
        cairo_set_line_width(cr, 1);
        for (int i = 0; i < 6; ++i) {
            cairo_move_to(cr, 20 + i * 12, 12 + (i % 2) * 10);
            cairo_line_to(cr, 30 + i * 11, 40 - (i % 3) * 6);
        }
        cairo_stroke(cr);
        return c.Release();
    }());
    auto ice_burst = [](double cw, double ch, double hx, double hy, double scale, uint64_t seed) {
        return MakeStrip(static_cast<int>(cw), static_cast<int>(ch), 7, [=](cairo_t* cr, int fr) {
            Rng rng(seed);
            double t = fr / 6.0;
            Ellipse(cr, hx, hy, 30 * scale * (0.5 + t), 30 * scale * (0.5 + t));
            FillRadial(cr, hx, hy, 30 * scale * (0.5 + t), Hex(0xe8fbff, 0.7 * (1 - t)), Hex(0x9ad8ff, 0));
            for (int i = 0; i < 14; ++i) {
                double a = rng.Range(-0.3, M_PI + 0.3);  // mostly downward and sideways
                double d = rng.Range(10, 55) * scale * (0.3 + t);
                double x = hx + std::cos(a) * d, y = hy + std::sin(a) * d * 0.9 + t * t * 20 * scale;
                double sz = rng.Range(4, 9) * scale * (1 - t * 0.5);
                cairo_save(cr);
                cairo_translate(cr, x, y);
                cairo_rotate(cr, rng.Range(0, 6.28) + t * 3);
                cairo_move_to(cr, 0, -sz);
                cairo_line_to(cr, sz * 0.5, 0);
                cairo_line_to(cr, 0, sz);
                cairo_line_to(cr, -sz * 0.5, 0);
                cairo_close_path(cr);
                SetColor(cr, Hex(0xd8f6ff, 1 - t * 0.8));
                cairo_fill_preserve(cr);
                SetColor(cr, Hex(0x4aa0d8, 1 - t * 0.8));
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
        });
    };
    f.Picture("ice_spider_exp.png", ice_burst(160, 126, 95, 30, 1.5, 91));
    f.Picture("ice_fly_exp.png", ice_burst(80, 63, 40, 31.5, 0.7, 92));

    // The menu's slider knob: a big friendly fly with four wing positions.
    f.Picture("fly_anim_menu.png", MakeStrip(100, 75, 4, [&](cairo_t* cr, int fr) {
        Fly(cr, 50, 42, 24, fr / 3.0, fly_look);
    }));
}

}  // namespace forge
