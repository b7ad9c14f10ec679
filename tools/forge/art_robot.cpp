// The Wingtron: a small chrome-blue robot fly with glowing eyes, on its branch and in flight; its aim
// line, reticle, cursor, repair icon, smoke and sparks.
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "forge.h"

namespace forge {

namespace {

// Chrome: a bright highlight toward the sun, a clear mid blue and a deep rim.
void Chrome(cairo_t* cr, double hx, double hy, double r) {
    cairo_pattern_t* p = cairo_pattern_create_radial(hx, hy, 0, hx, hy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.95, 0.98, 1, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.25, 0.55, 0.75, 0.97, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.7, 0.25, 0.45, 0.82, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.2, 0.42, 1);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

struct RobotPose {
    double x = 70, y = 50;   // body centre in the cell
    double scale = 1;
    double head_tilt = 0;    // degrees
    double wing = 0.2;       // 0 folded .. 1 spread
    double buzz = 0;         // 0..1 motion blur of the wings
    double eye = 0.8;        // eye glow 0..1
    Rgba eye_color = Hex(0x6af2ff);
    double legs = 1;         // 1 gripping below, 0 tucked
    double reach = 0;        // legs reaching up (climbing)
};

void Robot(cairo_t* cr, const RobotPose& p) {
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_scale(cr, p.scale, p.scale);
    // Wings (behind the body): thin metal blades; buzzing adds ghost copies.
    int ghosts = p.buzz > 0.05 ? 4 : 1;
    for (int g = 0; g < ghosts; ++g) {
        double spread = p.wing * 55 + (ghosts > 1 ? (g - 1.5) * 18 * p.buzz : 0);
        double alpha = ghosts > 1 ? 0.35 : 0.85;
        for (int side : {-1, 1}) {
            cairo_save(cr);
            cairo_translate(cr, -6 + side * 3, -14);
            cairo_rotate(cr, (-70 + side * 8 - spread * (side > 0 ? 0.6 : 1.0)) * M_PI / 180);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, 9, -7, 32, -8, 40, -2);
            cairo_curve_to(cr, 33, 5, 10, 6, 0, 0);
            cairo_close_path(cr);
            cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 48, 0);
            cairo_pattern_add_color_stop_rgba(pat, 0, 0.75, 0.88, 1, alpha);
            cairo_pattern_add_color_stop_rgba(pat, 1, 0.95, 1, 1, alpha * 0.5);
            cairo_set_source(cr, pat);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(pat);
            SetColor(cr, Hex(0x2a4a7a, alpha));
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_move_to(cr, 4, 0);
            cairo_line_to(cr, 35, -2);
            SetColor(cr, Hex(0x2a4a7a, alpha * 0.6));
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    }
    // Legs: three jointed pairs gripping down, or reaching up when climbing.
    SetColor(cr, Hex(0x2a3440));
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < 3; ++k) {
        double hx = -14 + k * 12;
        double up = p.reach * (k == 2 ? 1 : 0.5);
        cairo_move_to(cr, hx, 10);
        cairo_line_to(cr, hx - 6 + k * 3, 22 * p.legs - up * 30 + 4);
        cairo_line_to(cr, hx - 3 + k * 5, 36 * p.legs - up * 50 + 2);
    }
    cairo_stroke(cr);
    // Body: chrome capsule, lit from the upper right.
    auto body = [&](cairo_t* k) { Ellipse(k, -4, 4, 28, 18); };
    SoftShadow(cr, body, 4, -3, 4, Hex(0x000000, 0.35));
    body(cr);
    Chrome(cr, 8, -8, 38);
    body(cr);
    SetColor(cr, Hex(0x142440));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Panel seams and rivets.
    cairo_move_to(cr, -14, -12);
    cairo_curve_to(cr, -18, 0, -18, 10, -12, 20);
    SetColor(cr, Hex(0x1a2e52, 0.7));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        Ellipse(cr, -22 + k * 4, -4 + k * 7, 1.5, 1.5);
        SetColor(cr, Hex(0xe8f4ff, 0.9));
        cairo_fill(cr);
    }
    // Tail light.
    Ellipse(cr, -31, 6, 3, 3);
    SetColor(cr, Hex(0xff5a4a));
    cairo_fill(cr);
    // Head with big glowing eyes and the laser nozzle.
    cairo_save(cr);
    cairo_translate(cr, 20, -6);
    cairo_rotate(cr, p.head_tilt * M_PI / 180);
    auto head = [&](cairo_t* k) { Ellipse(k, 0, 0, 16, 15); };
    head(cr);
    Chrome(cr, 6, -8, 22);
    head(cr);
    SetColor(cr, Hex(0x142440));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Antennae.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, 2 + side * 3, -13);
        cairo_curve_to(cr, 4 + side * 6, -24, 10 + side * 4, -28, 14 + side * 6, -28);
        SetColor(cr, Hex(0x2a3440));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        Ellipse(cr, 14 + side * 6, -28, 2.6, 2.6);
        SetColor(cr, Mix(Hex(0x3a5a7a), p.eye_color, p.eye));
        cairo_fill(cr);
    }
    // Eyes: glow halo, lens, highlight.
    for (int k = 0; k < 2; ++k) {
        double ex = 2 + k * 9, ey = -1 + k * 1;
        SoftGlow(cr, [&](cairo_t* c2) { Ellipse(c2, ex, ey, 7, 7); }, 5, Mix(Hex(0x000000, 0), p.eye_color, p.eye * 0.9), 1);
        Ellipse(cr, ex, ey, 5.5, 6);
        FillRadial(cr, ex + 1, ey - 1, 7, Mix(Hex(0x203040), Hex(0xffffff), p.eye), Mix(Hex(0x101820), p.eye_color, p.eye));
        Ellipse(cr, ex + 1.8, ey - 2.2, 1.6, 1.6);
        SetColor(cr, Hex(0xffffff, 0.9));
        cairo_fill(cr);
    }
    // Nozzle.
    RoundedRect(cr, 12, 6, 9, 5, 2);
    FillLinear(cr, 12, 6, 12, 11, Hex(0xb0c4d8), Hex(0x3a4a5a));
    cairo_restore(cr);
    cairo_restore(cr);
}

RobotPose Perched() {
    RobotPose p;
    p.x = 62;
    p.y = 58;  // feet on the branch at y 90..95
    p.legs = 0.85;
    return p;
}

}  // namespace

void ForgeRobot(Forge& f) {
    // Perched: frame 0 is the resting pose; the strip also plays as the head-shaking refusal.
    f.Picture("fly_on_the_tree.png", MakeStrip(145, 100, 11, [](cairo_t* cr, int fr) {
        RobotPose p = Perched();
        p.head_tilt = std::sin(fr * 2 * M_PI / 10) * 14;
        p.eye = fr == 0 ? 0.8 : 0.55;
        if (fr > 0) p.eye_color = Hex(0xffb04a);
        Robot(cr, p);
    }));
    // Warm-up: wings stretch open, body bobs, eyes brighten (played back and forth).
    f.Picture("robo_fly_rozminka.png", MakeStrip(145, 100, 12, [](cairo_t* cr, int fr) {
        double t = fr / 11.0;
        RobotPose p = Perched();
        p.wing = 0.2 + 0.8 * t;
        p.y = 52 - std::sin(t * M_PI) * 4;
        p.eye = 0.7 + 0.3 * t;
        p.head_tilt = -8 * t;
        Robot(cr, p);
    }));
    // Climbing up from under the branch onto the perch.
    f.Picture("robo_fly_climbing.png", MakeStrip(145, 100, 12, [](cairo_t* cr, int fr) {
        double t = fr / 11.0;
        RobotPose p = Perched();
        p.y = 52 + (1 - t) * 55;
        p.x = 62 - (1 - t) * 10;
        p.reach = (1 - t) * (fr % 2 ? 0.9 : 0.6);
        p.head_tilt = -25 * (1 - t);
        p.eye = 0.5 + 0.3 * t;
        Robot(cr, p);
    }));
    // Taking off: wings buzz, the body lifts and leaves the cell upward.
    f.Picture("robo_anim_taking_off.png", MakeStrip(145, 100, 11, [](cairo_t* cr, int fr) {
        double t = fr / 10.0;
        RobotPose p = Perched();
        p.wing = 0.6;
        p.buzz = std::min(1.0, t * 3);
        p.y = 52 - t * t * 80;
        p.x = 62 + t * 20;
        p.legs = 1 - t;
        p.eye = 1;
        p.head_tilt = -15 * t;
        Robot(cr, p);
    }));
    // In flight (small, side view, facing right), wings buzzing.
    f.Picture("robofly_flys.png", MakeStrip(50, 50, 5, [](cairo_t* cr, int fr) {
        RobotPose p;
        p.x = 24;
        p.y = 28;
        p.scale = 0.55;
        p.wing = 0.3 + fr * 0.15;
        p.buzz = 0.6;
        p.legs = 0.2;
        p.eye = 1;
        Robot(cr, p);
    }));
    f.Picture("fly_landing.png", MakeStrip(50, 50, 7, [](cairo_t* cr, int fr) {
        double t = fr / 6.0;
        RobotPose p;
        p.x = 24;
        p.y = 26;
        p.scale = 0.55;
        p.wing = 0.9 - t * 0.6;
        p.buzz = 0.6 * (1 - t);
        p.legs = 0.2 + t * 0.8;
        p.eye = 1;
        Robot(cr, p);
    }));

    // Reticle: a pulsing ring with four ticks.
    f.Picture("player_pricel.png", MakeStrip(45, 45, 9, [](cairo_t* cr, int fr) {
        double pulse = 0.5 + 0.5 * std::sin(fr * 2 * M_PI / 9);
        double r = 13 + pulse * 3;
        SoftGlow(cr, [&](cairo_t* k) {
            cairo_arc(k, 22.5, 22.5, r + 2, 0, 2 * M_PI);
            cairo_arc_negative(k, 22.5, 22.5, r - 2, 2 * M_PI, 0);
        }, 3, Hex(0x7aff9a, 0.6 + 0.3 * pulse), 1);
        cairo_arc(cr, 22.5, 22.5, r, 0, 2 * M_PI);
        SetColor(cr, Hex(0xeaffef));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int k = 0; k < 4; ++k) {
            double a = k * M_PI / 2 + M_PI / 4;
            cairo_move_to(cr, 22.5 + std::cos(a) * (r - 5), 22.5 + std::sin(a) * (r - 5));
            cairo_line_to(cr, 22.5 + std::cos(a) * (r + 5), 22.5 + std::sin(a) * (r + 5));
        }
        SetColor(cr, Hex(0x1a5a2a));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        Ellipse(cr, 22.5, 22.5, 1.8, 1.8);
        SetColor(cr, Hex(0xffffff));
        cairo_fill(cr);
    }));
    // Aim line (tinted by the game) and its glow; 249 px long at scale 1, drawn from its left end.
    f.Picture("pricel.PNG", [] {
        Canvas c(249, 8);
        cairo_t* cr = c.cr();
        for (int x = 0; x < 249; x += 12) {
            RoundedRect(cr, x, 2.5, 8, 3, 1.5);
            SetColor(cr, Hex(0xffffff, 0.35 + 0.65 * (1 - x / 249.0)));
            cairo_fill(cr);
        }
        return c.Release();
    }());
    f.Picture("pricel2.PNG", [] {
        Canvas c(249, 8);
        cairo_t* cr = c.cr();
        cairo_rectangle(cr, 0, 0, 249, 8);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 8);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.6);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        return c.Release();
    }());
    f.Picture("hit_zone.png", [] {
        Canvas c(260, 260);
        cairo_t* cr = c.cr();
        Ellipse(cr, 130, 130, 128, 128);
        FillRadial(cr, 130, 130, 128, Hex(0xffffff, 0.05), Hex(0xffffff, 0.22));
        double dash[] = {10, 7};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_arc(cr, 130, 130, 126, 0, 2 * M_PI);
        SetColor(cr, Hex(0xffffff, 0.85));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        return c.Release();
    }());
    f.Picture("fix_it_img.png", [] {
        // A wrench in a round badge; the click box is 25 x 25 from its corner.
        Canvas c(26, 26);
        cairo_t* cr = c.cr();
        Ellipse(cr, 13, 13, 12, 12);
        FillRadial(cr, 16, 9, 15, Hex(0xfff2b0), Hex(0xe09a20));
        Ellipse(cr, 13, 13, 12, 12);
        SetColor(cr, Hex(0x5a3a10));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, 13, 13);
        cairo_rotate(cr, -M_PI / 4);
        RoundedRect(cr, -2, -2, 12, 4, 2);
        SetColor(cr, Hex(0x4a5460));
        cairo_fill(cr);
        cairo_arc(cr, -4, 0, 5, 0.7, 2 * M_PI - 0.7);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_restore(cr);
        return c.Release();
    }());
    f.Picture("game_cursor.png", [] {
        // Arrow pointer with its tip (the hotspot) at the top-left corner.
        Canvas c(32, 32);
        cairo_t* cr = c.cr();
        auto arrow = [](cairo_t* k) {
            cairo_move_to(k, 1, 1);
            cairo_line_to(k, 1, 24);
            cairo_line_to(k, 7, 18);
            cairo_line_to(k, 12, 28);
            cairo_line_to(k, 16, 26);
            cairo_line_to(k, 11, 16);
            cairo_line_to(k, 19, 16);
            cairo_close_path(k);
        };
        SoftShadow(cr, arrow, 2, -1, 2, Hex(0x000000, 0.5));
        arrow(cr);
        FillLinear(cr, 19, 1, 1, 28, Hex(0xfffbe8), Hex(0xffd25a));
        arrow(cr);
        SetColor(cr, Hex(0x3b2414));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        return c.Release();
    }());

    // Smoke from the broken robot (drawn at size 2) and from laser hits.
    auto smoke = [](int cw, int ch, int frames, uint64_t seed, Rgba col) {
        return MakeStrip(cw, ch, frames, [=](cairo_t* cr, int fr) {
            Rng rng(seed);
            for (int k = 0; k < 5; ++k) {
                double phase = std::fmod(fr / static_cast<double>(frames) + k / 5.0, 1.0);
                double x = cw / 2.0 + std::sin(phase * 5 + k) * cw * 0.18 + rng.Range(-2, 2);
                double y = ch * (0.88 - phase * 0.72);
                double r = cw * (0.12 + phase * 0.22);
                Ellipse(cr, x, y, r, r);
                Rgba inner = Shade(col, 1.2), outer = col;
                inner.a = col.a * 0.75 * (1 - phase);
                outer.a = 0;
                FillRadial(cr, x + r * 0.2, y - r * 0.2, r, inner, outer);
                (void)rng;
            }
        });
    };
    f.Picture("robo_smoke.png", smoke(32, 64, 15, 5, Hex(0x8a8a90, 0.9)));
    f.Picture("Lazer_Smoke.png", smoke(64, 128, 11, 6, Hex(0xd8d8e0, 0.7)));
    f.Picture("robo_lighting.png", [] {
        // A forked spark (tinted blue-white by the game).
        Canvas c(64, 64);
        cairo_t* cr = c.cr();
        auto bolt = [](cairo_t* k) {
            cairo_move_to(k, 8, 10);
            cairo_line_to(k, 26, 26);
            cairo_line_to(k, 20, 30);
            cairo_line_to(k, 40, 42);
            cairo_line_to(k, 34, 44);
            cairo_line_to(k, 56, 58);
            cairo_move_to(k, 26, 26);
            cairo_line_to(k, 38, 18);
            cairo_move_to(k, 40, 42);
            cairo_line_to(k, 50, 34);
        };
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        bolt(cr);
        SetColor(cr, Hex(0xffffff, 0.35));
        cairo_set_line_width(cr, 8);
        cairo_stroke(cr);
        bolt(cr);
        SetColor(cr, Hex(0xffffff));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        return c.Release();
    }());
}

void ForgeIcon(const std::string& path) {
    // The desktop's launcher icon: the robot perched with its wings half open, 256 x 256.
    constexpr int kSide = 256;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSide, kSide);
    cairo_t* cr = cairo_create(s);
    const double scale = kSide / 145.0;
    cairo_translate(cr, 0, (kSide - 100 * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, 10, 0);  // the perched pose sits left of its cell's centre
    RobotPose p = Perched();
    p.wing = 0.6;
    p.eye = 1;
    Robot(cr, p);
    cairo_destroy(cr);
    WritePng(s, path);
    cairo_surface_destroy(s);
}

}  // namespace forge
