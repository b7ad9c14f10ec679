// Shared painting vocabulary of the forge (see art_common.h).
#include "art_common.h"

#include <algorithm>
#include <cmath>

namespace forge {

void Leaf(cairo_t* cr, double x, double y, double len, double width, double deg, Rgba base, bool vein) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, deg * M_PI / 180);
    auto path = [&](cairo_t* c) {
        cairo_move_to(c, 0, 0);
        cairo_curve_to(c, len * 0.3, -width * 0.75, len * 0.7, -width * 0.6, len, 0);
        cairo_curve_to(c, len * 0.7, width * 0.6, len * 0.3, width * 0.75, 0, 0);
        cairo_close_path(c);
    };
    path(cr);
    // Upper side (towards the sun) lighter.
    double s = std::sin(deg * M_PI / 180);
    Rgba top = Shade(base, 1.25), bottom = Shade(base, 0.72);
    if (s > 0) std::swap(top, bottom);
    FillLinear(cr, 0, -width / 2, 0, width / 2, top, bottom);
    path(cr);
    SetColor(cr, Shade(base, 0.5), 0.6);
    cairo_set_line_width(cr, std::max(0.6, width * 0.06));
    cairo_stroke(cr);
    if (vein) {
        cairo_move_to(cr, len * 0.05, 0);
        cairo_curve_to(cr, len * 0.4, -width * 0.05, len * 0.7, 0, len * 0.92, 0);
        SetColor(cr, Shade(base, 1.4), 0.5);
        cairo_set_line_width(cr, std::max(0.5, width * 0.05));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Blade(cairo_t* cr, double x, double y, double h, double w, double bend, Rgba base) {
    cairo_move_to(cr, x - w / 2, y);
    cairo_curve_to(cr, x - w / 2, y - h * 0.5, x + bend * 0.5 - w * 0.2, y - h * 0.8, x + bend, y - h);
    cairo_curve_to(cr, x + bend * 0.5 + w * 0.2, y - h * 0.8, x + w / 2, y - h * 0.5, x + w / 2, y);
    cairo_close_path(cr);
    FillLinear(cr, x, y, x + bend, y - h, Shade(base, 0.7), Shade(base, 1.2));
}

void GrassBand(cairo_t* cr, Rng& rng, double x0, double x1, double y, double hmin, double hmax, int count,
               Rgba dark, Rgba light) {
    for (int i = 0; i < count; ++i) {
        double t = rng.Uniform();
        double x = x0 + (x1 - x0) * rng.Uniform();
        double h = rng.Range(hmin, hmax);
        double w = rng.Range(3, 7) * std::max(0.6, h / 60);
        Blade(cr, x, y + rng.Range(0, 6), h, w, rng.Range(-h * 0.35, h * 0.25), Mix(dark, light, t));
    }
}

void Flower(cairo_t* cr, double x, double y, double r, Rgba petal, Rgba heart) {
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5;
        Ellipse(cr, x + std::cos(a) * r * 0.6, y + std::sin(a) * r * 0.6, r * 0.5, r * 0.5);
        FillRadial(cr, x + r * 0.2, y - r * 0.3, r * 1.2, Shade(petal, 1.3), petal);
    }
    Ellipse(cr, x, y, r * 0.35, r * 0.35);
    FillRadial(cr, x + r * 0.1, y - r * 0.1, r * 0.4, Shade(heart, 1.3), heart);
}

namespace {
struct P {
    double x, y;
};
P Bez(P a, P b, P c, P d, double t) {
    double u = 1 - t;
    return {u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
            u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y};
}
}  // namespace

void Branch(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3,
            double w0, double w1, Rgba bark) {
    P a{x0, y0}, b{x1, y1}, c{x2, y2}, d{x3, y3};
    const int n = 24;
    std::vector<P> left, right;
    for (int i = 0; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        P p = Bez(a, b, c, d, t);
        P q = Bez(a, b, c, d, std::min(1.0, t + 0.01));
        P r = Bez(a, b, c, d, std::max(0.0, t - 0.01));
        double dx = q.x - r.x, dy = q.y - r.y, l = std::hypot(dx, dy);
        if (l == 0) l = 1;
        double nx = -dy / l, ny = dx / l;
        double w = (w0 + (w1 - w0) * t) / 2;
        left.push_back({p.x + nx * w, p.y + ny * w});
        right.push_back({p.x - nx * w, p.y - ny * w});
    }
    auto path = [&](cairo_t* k) {
        cairo_move_to(k, left[0].x, left[0].y);
        for (auto& p : left) cairo_line_to(k, p.x, p.y);
        for (int i = n; i >= 0; --i) cairo_line_to(k, right[i].x, right[i].y);
        cairo_close_path(k);
    };
    path(cr);
    // Lit side: the normal that points up/right gets the light.
    double mx = (x0 + x3) / 2, my = (y0 + y3) / 2;
    double dx = x3 - x0, dy = y3 - y0, l = std::hypot(dx, dy);
    double nx = -dy / l, ny = dx / l;
    if (nx - ny < 0) {
        nx = -nx;
        ny = -ny;
    }
    double span = (w0 + w1) / 2;
    FillLinear3(cr, mx - nx * span, my - ny * span, mx + nx * span, my + ny * span, Shade(bark, 0.55), bark,
                Shade(bark, 1.3));
    // Bark streaks.
    Rng rng(HashName("bark") ^ static_cast<uint64_t>(x0 * 131 + y0 * 7 + x3));
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    SetColor(cr, Shade(bark, 0.6), 0.35);
    for (int i = 0; i < n * 2; ++i) {
        double t = rng.Uniform();
        P p = Bez(a, b, c, d, t);
        double w = (w0 + (w1 - w0) * t) / 2;
        double off = rng.Range(-w, w);
        P q = Bez(a, b, c, d, std::min(1.0, t + rng.Range(0.02, 0.08)));
        cairo_move_to(cr, p.x + nx * off, p.y + ny * off);
        cairo_line_to(cr, q.x + nx * off, q.y + ny * off);
        cairo_set_line_width(cr, std::max(0.8, w * 0.12));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    path(cr);
    SetColor(cr, Shade(bark, 0.4), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void Foliage(cairo_t* cr, Rng& rng, double cx, double cy, double rx, double ry, int clumps, Rgba base) {
    struct C {
        double x, y, r;
    };
    std::vector<C> cs;
    for (int i = 0; i < clumps; ++i) {
        double a = rng.Range(0, 2 * M_PI), d = std::sqrt(rng.Uniform());
        double r = rng.Range(0.28, 0.45) * std::min(rx, ry) * (1.1 - d * 0.4);
        cs.push_back({cx + std::cos(a) * d * (rx - r * 0.6), cy + std::sin(a) * d * (ry - r * 0.6), r});
    }
    // Back to front: lower-left clumps first (they are in shadow), upper-right last.
    std::sort(cs.begin(), cs.end(), [](const C& p, const C& q) { return (p.x - p.y) < (q.x - q.y); });
    auto all = [&](cairo_t* k) {
        for (auto& c : cs) Ellipse(k, c.x, c.y, c.r, c.r);
    };
    SoftShadow(cr, all, std::min(rx, ry) * 0.15, std::min(rx, ry) * kShadowDx * 0.3, std::min(rx, ry) * kShadowDy * 0.3,
               Hex(0x10200a, 0.35));
    for (auto& c : cs) {
        // Scalloped clump outline: a core disc ringed by small bumps (one filled union).
        auto clump = [&](cairo_t* k) {
            Ellipse(k, c.x, c.y, c.r * 0.82, c.r * 0.82);
            int bumps = 9;
            for (int b = 0; b < bumps; ++b) {
                double a = b * 2 * M_PI / bumps + c.x * 0.01;
                Ellipse(k, c.x + std::cos(a) * c.r * 0.72, c.y + std::sin(a) * c.r * 0.72, c.r * 0.3, c.r * 0.3);
            }
        };
        double t = (c.x - cx) / rx * 0.5 - (c.y - cy) / ry * 0.5;  // upper right lighter
        Rgba col = Shade(base, 0.85 + 0.3 * std::clamp(t, -1.0, 1.0));
        clump(cr);
        FillRadial(cr, c.x + c.r * 0.4, c.y - c.r * 0.45, c.r * 1.4, Shade(col, 1.3), Shade(col, 0.62));
        // Leaves catching the light on the upper-right rim, a few darker ones below.
        for (int k = 0; k < 7; ++k) {
            double a = rng.Range(-1.9, 0.5);
            double d = c.r * rng.Range(0.45, 0.85);
            Leaf(cr, c.x + std::cos(a) * d, c.y + std::sin(a) * d, c.r * 0.38, c.r * 0.2, a * 180 / M_PI + rng.Range(-40, 40),
                 Shade(col, 1.2 + rng.Range(0, 0.15)), false);
        }
        for (int k = 0; k < 3; ++k) {
            double a = rng.Range(1.6, 3.4);
            double d = c.r * rng.Range(0.4, 0.8);
            Leaf(cr, c.x + std::cos(a) * d, c.y + std::sin(a) * d, c.r * 0.34, c.r * 0.18, a * 180 / M_PI + rng.Range(-40, 40),
                 Shade(col, 0.8), false);
        }
    }
}

void Cloud(cairo_t* cr, Rng& rng, double cx, double cy, double w, double h, Rgba c) {
    auto shape = [&](cairo_t* k) {
        Rng r2(static_cast<uint64_t>(cx * 13 + cy * 17 + w));
        for (int i = 0; i < 7; ++i) {
            double t = (i + 0.5) / 7.0;
            double x = cx - w / 2 + w * t;
            double bump = std::sin(t * M_PI);
            double r = h * (0.35 + 0.4 * bump) * r2.Range(0.8, 1.1);
            Ellipse(k, x, cy - r * 0.3 + h * 0.2, r, r * 0.8);
        }
        RoundedRect(k, cx - w / 2, cy, w, h * 0.45, h * 0.22);
    };
    (void)rng;
    SoftGlow(cr, shape, h * 0.12, Shade(c, 0.92), 1);
    SoftGlow(cr, [&](cairo_t* k) {
        cairo_save(k);
        cairo_translate(k, w * 0.03, -h * 0.08);
        cairo_translate(k, cx, cy);
        cairo_scale(k, 0.85, 0.8);
        cairo_translate(k, -cx, -cy);
        shape(k);
        cairo_restore(k);
    }, h * 0.15, Shade(c, 1.4), 1);
}

void WoodBoard(cairo_t* cr, double x, double y, double w, double h, double r, uint64_t seed) {
    auto shape = [&](cairo_t* k) { RoundedRect(k, x, y, w, h, r); };
    SoftShadow(cr, shape, 10, -6, 9, Hex(0x1a0d05, 0.55));
    shape(cr);
    FillLinear3(cr, x + w, y, x, y + h, Hex(0xc9935a), Hex(0xa56f3e), Hex(0x7b4d28));
    // Planks and grain.
    Rng rng(seed);
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    int planks = std::max(1, static_cast<int>(h / 46));
    for (int i = 1; i < planks; ++i) {
        double py = y + h * i / planks;
        cairo_move_to(cr, x, py);
        cairo_line_to(cr, x + w, py);
        SetColor(cr, Hex(0x4a2c14, 0.55));
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        cairo_move_to(cr, x, py + 2);
        cairo_line_to(cr, x + w, py + 2);
        SetColor(cr, Hex(0xe8b980, 0.35));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    for (int i = 0; i < static_cast<int>(h / 5); ++i) {
        double gy = y + rng.Range(0, h);
        double gx = x + rng.Range(-w * 0.2, w);
        double len = rng.Range(w * 0.2, w * 0.7);
        cairo_move_to(cr, gx, gy);
        cairo_curve_to(cr, gx + len * 0.3, gy + rng.Range(-3, 3), gx + len * 0.7, gy + rng.Range(-3, 3), gx + len,
                       gy + rng.Range(-2, 2));
        SetColor(cr, rng.Uniform() < 0.5 ? Hex(0x5e3a1e, 0.22) : Hex(0xe0aa70, 0.18));
        cairo_set_line_width(cr, rng.Range(0.8, 2.0));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // Rim: dark outer edge, light inner bevel on the sunny side.
    shape(cr);
    SetColor(cr, Hex(0x3e2412));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    RoundedRect(cr, x + 4, y + 4, w - 8, h - 8, std::max(2.0, r - 4));
    cairo_pattern_t* p = cairo_pattern_create_linear(x + w, y, x, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.9, 0.7, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.9, 0.7, 0.0);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

void Inset(cairo_t* cr, double x, double y, double w, double h, double r, Rgba fill) {
    RoundedRect(cr, x, y, w, h, r);
    SetColor(cr, fill);
    cairo_fill(cr);
    // Inner shadow along the top-left edge.
    cairo_save(cr);
    RoundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    SoftShadow(cr, [&](cairo_t* k) {
        cairo_rectangle(k, x - 40, y - 40, w + 80, h + 80);
        RoundedRect(k, x, y, w, h, r);
        cairo_set_fill_rule(k, CAIRO_FILL_RULE_EVEN_ODD);
    }, 6, 2, 3, Hex(0x000000, 0.5));
    cairo_restore(cr);
    RoundedRect(cr, x, y, w, h, r);
    SetColor(cr, Hex(0x3e2412, 0.8));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Sprig(cairo_t* cr, double x, double y, double scale, double deg) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, deg * M_PI / 180);
    cairo_scale(cr, scale, scale);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 15, -5, 35, -5, 55, 2);
    SetColor(cr, Hex(0x4a3a14));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    Leaf(cr, 18, -2, 30, 13, -55, pal::kLeaf);
    Leaf(cr, 30, -2, 34, 15, 40, Shade(pal::kLeaf, 0.9));
    Leaf(cr, 52, 2, 30, 13, -15, Shade(pal::kLeaf, 1.1));
    Leaf(cr, 8, 0, 24, 11, 60, Shade(pal::kLeaf, 0.8));
    cairo_restore(cr);
}

void Eye(cairo_t* cr, double x, double y, double r, double lx, double ly, Rgba iris) {
    Ellipse(cr, x, y, r, r * 1.08);
    FillRadial(cr, x + r * 0.3, y - r * 0.35, r * 1.3, Hex(0xffffff), Hex(0xd8dde6));
    Ellipse(cr, x, y, r, r * 1.08);
    SetColor(cr, Hex(0x1b120a));
    cairo_set_line_width(cr, std::max(0.7, r * 0.12));
    cairo_stroke(cr);
    double px = x + lx * r * 0.38, py = y + ly * r * 0.38;
    Ellipse(cr, px, py, r * 0.58, r * 0.62);
    SetColor(cr, iris);
    cairo_fill(cr);
    Ellipse(cr, px + r * 0.2, py - r * 0.22, r * 0.2, r * 0.2);
    SetColor(cr, Hex(0xffffff, 0.95));
    cairo_fill(cr);
    Ellipse(cr, px - r * 0.18, py + r * 0.22, r * 0.09, r * 0.09);
    SetColor(cr, Hex(0xffffff, 0.7));
    cairo_fill(cr);
}

double ButtonTextSize(const std::string& text, double w, double h) {
    Canvas tmp(4, 4);
    double size = std::min(h * 0.62, 34.0);
    return FitSize(tmp.cr(), Font::kDisplay, text, w * 0.9, size);
}

void PanelLabel(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
    LabelStyle st;
    st.size = size;
    st.fill = pal::kCream;
    st.outline = pal::kInk;
    st.outline_w = std::max(2.5, size * 0.14);
    st.shadow_alpha = 0.55;
    Label(cr, text, cx, cy, st);
}

cairo_surface_t* LabelGlow(const std::string& text, int w, int h, double size) {
    Canvas c(w, h);
    LabelStyle st;
    st.size = size;
    st.fill = Hex(0xfffbe8);
    st.outline = Hex(0xffd25a);
    st.outline_w = std::max(2.5, size * 0.14);
    st.shadow_alpha = 0;
    st.glow = Hex(0xffd86a, 0.9);
    st.glow_blur = std::max(4.0, std::min(w, h) * 0.18);
    Label(c.cr(), text, w / 2.0, h / 2.0, st);
    return c.Release();
}

}  // namespace forge
