// Weapons and effects: shots, bombs, missiles, mines, modules, specials, containers, explosions, ice,
// waves, the weapon slot icons with their reload dial, and the cooling modules.
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "forge.h"

namespace forge {

namespace {

// Soft radial blob in `c`, alpha falling to 0 at r.
void Blob(cairo_t* cr, double x, double y, double r, Rgba c) {
    Ellipse(cr, x, y, r, r);
    Rgba outer = c;
    outer.a = 0;
    FillRadial(cr, x, y, r, c, outer);
}

void Ring(cairo_t* cr, double x, double y, double r, double width, Rgba c) {
    SoftGlow(cr, [&](cairo_t* k) {
        cairo_arc(k, x, y, r + width / 2, 0, 2 * M_PI);
        cairo_arc_negative(k, x, y, std::max(0.0, r - width / 2), 2 * M_PI, 0);
    }, width * 0.5, c, 2);
}

void BombShape(cairo_t* cr, double x, double y, double r) {
    auto body = [&](cairo_t* k) { Ellipse(k, x, y, r, r); };
    SoftShadow(cr, body, 2, -1.5, 2, Hex(0x000000, 0.4));
    body(cr);
    FillRadial(cr, x + r * 0.35, y - r * 0.4, r * 1.3, Hex(0x7a7f8a), Hex(0x14161c));
    RoundedRect(cr, x - r * 0.3, y - r * 1.2, r * 0.6, r * 0.4, 1.5);
    SetColor(cr, Hex(0x5a5f68));
    cairo_fill(cr);
    cairo_move_to(cr, x, y - r * 1.2);
    cairo_curve_to(cr, x + r * 0.2, y - r * 1.6, x + r * 0.6, y - r * 1.5, x + r * 0.7, y - r * 1.7);
    SetColor(cr, Hex(0xc8a060));
    cairo_set_line_width(cr, std::max(1.0, r * 0.12));
    cairo_stroke(cr);
    Blob(cr, x + r * 0.7, y - r * 1.7, r * 0.35, Hex(0xffd84a));
    Ellipse(cr, x + r * 0.35, y - r * 0.35, r * 0.22, r * 0.14);
    SetColor(cr, Hex(0xffffff, 0.6));
    cairo_fill(cr);
}

void Snowflake(cairo_t* cr, double x, double y, double r, Rgba c, double w) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    for (int k = 0; k < 6; ++k) {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, -r);
        cairo_move_to(cr, 0, -r * 0.55);
        cairo_line_to(cr, -r * 0.25, -r * 0.78);
        cairo_move_to(cr, 0, -r * 0.55);
        cairo_line_to(cr, r * 0.25, -r * 0.78);
        cairo_rotate(cr, M_PI / 3);
    }
    SetColor(cr, c);
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A missile pointing right, centred; `body` colour, fins, glowing tail.
void Missile(cairo_t* cr, double x, double y, double len, Rgba body, Rgba tail) {
    Blob(cr, x - len * 0.55, y, len * 0.3, tail);
    auto shape = [&](cairo_t* k) {
        cairo_move_to(k, x + len * 0.5, y);
        cairo_curve_to(k, x + len * 0.35, y - len * 0.16, x + len * 0.2, y - len * 0.16, x - len * 0.35, y - len * 0.14);
        cairo_line_to(k, x - len * 0.35, y + len * 0.14);
        cairo_curve_to(k, x + len * 0.2, y + len * 0.16, x + len * 0.35, y + len * 0.16, x + len * 0.5, y);
        cairo_close_path(k);
    };
    for (int side : {-1, 1}) {
        cairo_move_to(cr, x - len * 0.2, y + side * len * 0.12);
        cairo_line_to(cr, x - len * 0.45, y + side * len * 0.32);
        cairo_line_to(cr, x - len * 0.38, y + side * len * 0.1);
        cairo_close_path(cr);
        SetColor(cr, Shade(body, 0.6));
        cairo_fill(cr);
    }
    shape(cr);
    FillLinear(cr, x, y - len * 0.16, x, y + len * 0.16, Shade(body, 1.4), Shade(body, 0.55));
    shape(cr);
    SetColor(cr, Hex(0x1a2030, 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Weapon icon artwork, centred at (36, 34) in a 72 x 68 picture.
void WeaponArt(cairo_t* cr, int weapon) {
    const double cx = 36, cy = 34;
    switch (weapon) {
        case 1: {  // laser: a red beam burst from a nozzle
            Blob(cr, cx + 8, cy - 6, 26, Hex(0xff4a3a, 0.6));
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, -0.6);
            RoundedRect(cr, -26, -7, 24, 14, 5);
            FillLinear(cr, 0, -7, 0, 7, Hex(0xc8dcf0), Hex(0x3a5a8a));
            RoundedRect(cr, -3, -12, 30, 24, 0);
            cairo_new_path(cr);
            cairo_move_to(cr, -2, -4);
            cairo_line_to(cr, 30, -1.5);
            cairo_line_to(cr, 30, 1.5);
            cairo_line_to(cr, -2, 4);
            cairo_close_path(cr);
            SetColor(cr, Hex(0xffeeee));
            cairo_fill(cr);
            cairo_restore(cr);
            break;
        }
        case 2:
            BombShape(cr, cx - 2, cy + 5, 18);
            break;
        case 3:
            Blob(cr, cx, cy, 28, Hex(0x8ae0ff, 0.55));
            Snowflake(cr, cx, cy, 22, Hex(0xffffff), 3.5);
            Snowflake(cr, cx, cy, 22, Hex(0x2a8ad0), 1.2);
            break;
        case 4: {  // shield: a glassy bubble around a little fly silhouette
            Ellipse(cr, cx, cy, 24, 24);
            FillRadial(cr, cx + 8, cy - 8, 30, Hex(0xe0fff0, 0.9), Hex(0x3ad0a0, 0.5));
            Ellipse(cr, cx, cy, 24, 24);
            SetColor(cr, Hex(0x1a8a6a));
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            Ellipse(cr, cx, cy + 2, 7, 6);
            SetColor(cr, Hex(0x1a4a3a));
            cairo_fill(cr);
            Ellipse(cr, cx + 8, cy - 10, 6, 3);
            SetColor(cr, Hex(0xffffff, 0.8));
            cairo_fill(cr);
            break;
        }
        case 5: {  // alpha missile: a crimson rocket with the alpha sign
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, -0.75);
            Missile(cr, 0, 0, 56, Hex(0xd83a4a), Hex(0xffb04a, 0.8));
            cairo_restore(cr);
            UseFont(cr, Font::kBodyBold, 18);
            cairo_new_path(cr);
            TextPath(cr, "\xce\xb1", cx - 2, cy + 7, Align::kCenter);
            SetColor(cr, Hex(0xffffff));
            cairo_fill(cr);
            break;
        }
        case 6: {  // time warp: a clock face with a swirl
            Ellipse(cr, cx, cy, 24, 24);
            FillRadial(cr, cx + 8, cy - 8, 30, Hex(0xf4eaff), Hex(0x8a6ad8));
            Ellipse(cr, cx, cy, 24, 24);
            SetColor(cr, Hex(0x3a2a6a));
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            for (int k = 0; k < 12; ++k) {
                double a = k * M_PI / 6;
                cairo_move_to(cr, cx + std::cos(a) * 18, cy + std::sin(a) * 18);
                cairo_line_to(cr, cx + std::cos(a) * 21, cy + std::sin(a) * 21);
            }
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx, cy - 15);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + 10, cy + 5);
            cairo_set_line_width(cr, 3);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
            cairo_arc(cr, cx, cy, 28, -0.4, 1.2);
            SetColor(cr, Hex(0xd8c8ff, 0.9));
            cairo_stroke(cr);
            break;
        }
        default: {  // spare slot art: a golden star
            Star(cr, cx, cy, 24, 10, 5, 0);
            FillRadial(cr, cx + 6, cy - 8, 28, Hex(0xfff6c0), Hex(0xe0a020));
            break;
        }
    }
}

cairo_surface_t* WeaponIcon(int weapon, bool reloading) {
    Canvas c(72, 68);
    WeaponArt(c.cr(), weapon);
    if (reloading) {
        // Greyed out and dimmed while the slot reloads.
        cairo_t* cr = c.cr();
        cairo_set_operator(cr, CAIRO_OPERATOR_HSL_SATURATION);
        cairo_set_source_rgba(cr, 0.5, 0.5, 0.5, 1);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        SetColor(cr, Hex(0x202830, 0.45));
        cairo_paint(cr);
    }
    return c.Release();
}

}  // namespace

void ForgeEffects(Forge& f) {
    // ---- laser ----
    f.Picture("lazer_bullet.PNG", [] {
        Canvas c(48, 8);  // head at the left (the shot flies head first; the picture trails behind it)
        cairo_t* cr = c.cr();
        cairo_move_to(cr, 0, 4);
        cairo_line_to(cr, 48, 2.5);
        cairo_line_to(cr, 48, 5.5);
        cairo_close_path(cr);
        FillLinear(cr, 0, 0, 48, 0, Hex(0xffffff), Hex(0xffffff, 0));
        Blob(cr, 3, 4, 4, Hex(0xffffff));
        return c.Release();
    }());
    f.Picture("lazer_glow.png", [] {
        Canvas c(48, 8);
        cairo_t* cr = c.cr();
        cairo_rectangle(cr, 0, 0, 48, 8);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 48, 0);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.9);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        Blur(c.surface(), 2);
        return c.Release();
    }());
    f.Picture("lazer.PNG", [] {
        Canvas c(250, 12);  // the slice beam, 250 px at full length
        cairo_t* cr = c.cr();
        RoundedRect(cr, 0, 2, 250, 8, 4);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, 10);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.4, 0.4, 0.2);
        cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.4, 0.4, 0.2);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        return c.Release();
    }());
    f.Picture("Lazer_arrow.png", [] {
        Canvas c(40, 20);
        cairo_t* cr = c.cr();
        cairo_move_to(cr, 40, 10);
        cairo_line_to(cr, 18, 0);
        cairo_line_to(cr, 22, 10);
        cairo_line_to(cr, 18, 20);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xff5a4a));
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 8, 22, 4);
        cairo_fill(cr);
        return c.Release();
    }());
    f.Picture("lazer_slice_path.png", [] {
        Canvas c(250, 6);  // dotted guide from the anchor to the pointer
        cairo_t* cr = c.cr();
        for (int x = 0; x < 250; x += 9) {
            Ellipse(cr, x + 3, 3, 2.4, 2.4);
            SetColor(cr, Hex(0xff6a5a, 0.9));
            cairo_fill(cr);
        }
        return c.Release();
    }());
    f.Picture("lazer_slice_arrow.png", [] {
        Canvas c(68, 21);  // handle (34, 10.5): a double chevron around the anchor
        cairo_t* cr = c.cr();
        for (int side : {-1, 1}) {
            cairo_move_to(cr, 34 + side * 8, 2);
            cairo_line_to(cr, 34 + side * 30, 10.5);
            cairo_line_to(cr, 34 + side * 8, 19);
        }
        SetColor(cr, Hex(0xff4a3a));
        cairo_set_line_width(cr, 3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        Ellipse(cr, 34, 10.5, 5, 5);
        FillRadial(cr, 35, 9, 6, Hex(0xffffff), Hex(0xff4a3a));
        return c.Release();
    }());

    // ---- bombs and explosions ----
    f.Picture("bomb.png", [] {
        Canvas c(30, 36);
        BombShape(c.cr(), 14, 21, 11);
        return c.Release();
    }());
    f.Picture("Bomb_eff.png", [] {
        Canvas c(40, 44);
        Blob(c.cr(), 18, 25, 19, Hex(0xffffff, 0.95));
        return c.Release();
    }());
    f.Picture("Bomb_light.png", [] {
        Canvas c(32, 32);
        cairo_t* cr = c.cr();
        Blob(cr, 16, 16, 15, Hex(0xffe8a0, 0.9));
        Star(cr, 16, 16, 14, 3, 4, 0);
        SetColor(cr, Hex(0xffffff, 0.9));
        cairo_fill(cr);
        return c.Release();
    }());
    // 24 frames: a bright core blooms, a fire ring grows, then everything fades.
    f.Picture("expl_eff.png", MakeStrip(64, 64, 24, [](cairo_t* cr, int fr) {
        double t = fr / 23.0;
        double grow = std::min(1.0, t * 2.2);
        double fade = t < 0.45 ? 1 : std::max(0.0, 1 - (t - 0.45) / 0.55);
        Rng rng(500);
        Blob(cr, 32, 32, 8 + 22 * grow, Hex(0xffd880, 0.9 * fade));
        Blob(cr, 32, 32, 4 + 12 * grow, Hex(0xffffff, fade));
        for (int k = 0; k < 9; ++k) {
            double a = rng.Range(0, 2 * M_PI), d = (6 + 18 * grow) * rng.Range(0.7, 1.1);
            Blob(cr, 32 + std::cos(a) * d, 32 + std::sin(a) * d, 6 + 6 * grow, Hex(0xffb060, 0.7 * fade));
        }
    }));

    // ---- freeze ----
    f.Picture("freezing_missle.png", [] {
        Canvas c(44, 18);
        Missile(c.cr(), 24, 9, 36, Hex(0x8ad0ff), Hex(0xc8f4ff, 0.8));
        Snowflake(c.cr(), 22, 9, 4, Hex(0xffffff), 1);
        return c.Release();
    }());
    f.Picture("freezing_trail.png", MakeStrip(44, 25, 16, [](cairo_t* cr, int fr) {
        // A puff of frosty vapour that swells and thins.
        double t = fr / 15.0;
        Rng rng(600 + fr);
        for (int k = 0; k < 4; ++k) {
            Blob(cr, 22 + (k - 1.5) * 7 + rng.Range(-1, 1), 12.5 + rng.Range(-2, 2), 6 + t * 5, Hex(0xffffff, 0.75 * (1 - t * 0.6)));
        }
    }));
    f.Picture("freeze_explosion.png", MakeStrip(64, 64, 16, [](cairo_t* cr, int fr) {
        // A swirling cloud puff (also tinted green-grey for toxic smoke).
        double t = fr / 16.0;
        for (int k = 0; k < 6; ++k) {
            double a = t * 2 * M_PI + k * M_PI / 3;
            Blob(cr, 32 + std::cos(a) * 12, 32 + std::sin(a) * 12, 16, Hex(0xffffff, 0.55));
        }
        Blob(cr, 32, 32, 20, Hex(0xffffff, 0.6));
    }));
    f.Picture("TimeWarp_eff.png", MakeStrip(64, 64, 24, [](cairo_t* cr, int fr) {
        // A turning spiral of time, centred on its handle.
        double rot = fr * 2 * M_PI / 24;
        for (int arm = 0; arm < 3; ++arm) {
            cairo_new_path(cr);
            for (int i = 0; i <= 40; ++i) {
                double u = i / 40.0;
                double a = rot + arm * 2 * M_PI / 3 + u * 4;
                double r = 4 + u * 26;
                double x = 32 + std::cos(a) * r, y = 32 + std::sin(a) * r;
                if (i == 0) cairo_move_to(cr, x, y);
                else cairo_line_to(cr, x, y);
            }
            SetColor(cr, Hex(0xb8c8ff, 0.8));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
        Blob(cr, 32, 32, 10, Hex(0xffffff, 0.8));
    }));
    f.Picture("Freeze_mine.png", MakeStrip(60, 50, 9, [](cairo_t* cr, int fr) {
        // Frames 0-5 spin in flight; 5-8 unfold the spikes as it lands.
        double spin = fr < 6 ? fr * M_PI / 3 : 0;
        double open = fr < 5 ? 0 : (fr - 5) / 3.0;
        cairo_save(cr);
        cairo_translate(cr, 30, 25);
        cairo_rotate(cr, spin);
        for (int k = 0; k < 6; ++k) {
            double a = k * M_PI / 3;
            double len = 10 + open * 12;
            cairo_move_to(cr, std::cos(a) * 8, std::sin(a) * 8);
            cairo_line_to(cr, std::cos(a) * len, std::sin(a) * len);
        }
        SetColor(cr, Hex(0x8ad0ff));
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        Ellipse(cr, 0, 0, 11, 11);
        FillRadial(cr, 4, -4, 14, Hex(0xe8f8ff), Hex(0x2a6aa8));
        Snowflake(cr, 0, 0, 7, Hex(0xffffff), 1.3);
        cairo_restore(cr);
    }));
    f.Picture("mine_shine.png", [] {
        Canvas c(60, 50);
        Blob(c.cr(), 30, 25, 24, Hex(0xffffff, 0.9));
        return c.Release();
    }());
    auto ice_shards = [](int cw, int ch, int frames) { (void)cw; (void)ch; return frames; };
    (void)ice_shards;

    // ---- shield and lure ----
    f.Picture("shield_eff.png", [] {
        Canvas c(264, 264);  // at full size it covers the 130 px shield reach
        cairo_t* cr = c.cr();
        Ellipse(cr, 132, 132, 130, 130);
        FillRadial(cr, 132, 132, 130, Hex(0x40ffc0, 0.08), Hex(0x80ffe0, 0.7));
        Ellipse(cr, 172, 82, 40, 20);
        SetColor(cr, Hex(0xffffff, 0.35));
        cairo_fill(cr);
        return c.Release();
    }());
    f.Picture("shield_light.png", [] {
        Canvas c(32, 32);
        Blob(c.cr(), 16, 16, 15, Hex(0xa0ffe0, 0.9));
        Star(c.cr(), 16, 16, 13, 2.5, 4, 45);
        SetColor(c.cr(), Hex(0xffffff));
        cairo_fill(c.cr());
        return c.Release();
    }());
    f.Picture("lure_module.png", MakeStrip(40, 30, 5, [](cairo_t* cr, int fr) {
        // A little decoy pod that unfolds fake wings; frame 4 is fully open.
        double open = fr / 4.0;
        for (int side : {-1, 1}) {
            cairo_save(cr);
            cairo_translate(cr, 20, 14);
            cairo_rotate(cr, side * (0.3 + open * 1.0));
            Ellipse(cr, 0, -9 * open - 2, 4 + 3 * open, 8 * open + 2);
            SetColor(cr, Hex(0xffd0e0, 0.7));
            cairo_fill(cr);
            cairo_restore(cr);
        }
        Ellipse(cr, 20, 16, 9, 7);
        FillRadial(cr, 23, 13, 11, Hex(0xffb0b0), Hex(0xa82a3a));
        Ellipse(cr, 20, 16, 9, 7);
        SetColor(cr, Hex(0x4a1018));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Ellipse(cr, 24, 14, 2.5, 2.5);
        SetColor(cr, Hex(0xfff0a0, 0.5 + 0.5 * open));
        cairo_fill(cr);
    }));
    f.Picture("lure_effect.png", [] {
        Canvas c(128, 128);
        Ring(c.cr(), 64, 64, 52, 8, Hex(0xffffff, 0.9));
        return c.Release();
    }());
    f.Picture("gui_eff.png", [] {
        Canvas c(80, 80);
        Ring(c.cr(), 40, 40, 32, 6, Hex(0xffffff, 0.9));
        return c.Release();
    }());

    // ---- specials and containers ----
    auto crate = [](cairo_t* cr, double x, double y) {
        RoundedRect(cr, x - 13, y - 11, 26, 22, 4);
        FillLinear(cr, x + 13, y - 11, x - 13, y + 11, Hex(0xffd86a), Hex(0xc07a20));
        RoundedRect(cr, x - 13, y - 11, 26, 22, 4);
        SetColor(cr, Hex(0x6a3a10));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, x, y - 11);
        cairo_line_to(cr, x, y + 11);
        SetColor(cr, Hex(0xd84a3a));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    };
    f.Picture("flying_spec_up.png", MakeStrip(50, 50, 5, [&](cairo_t* cr, int fr) {
        // A winged gift box flapping down.
        double wing = fr / 4.0;
        for (int side : {-1, 1}) {
            cairo_save(cr);
            cairo_translate(cr, 25 + side * 10, 18);
            cairo_rotate(cr, side * (0.2 + wing * 0.9));
            Ellipse(cr, side * 10, -4, 11, 6);
            SetColor(cr, Hex(0xffffff, 0.85));
            cairo_fill_preserve(cr);
            SetColor(cr, Hex(0x8aa0c0));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
        crate(cr, 25, 28);
    }));
    f.Picture("flying_spec_up2.png", MakeStrip(50, 50, 5, [&](cairo_t* cr, int fr) {
        // Landing: the wings fold away and the box settles into the web.
        double fold = fr / 4.0;
        for (int side : {-1, 1}) {
            cairo_save(cr);
            cairo_translate(cr, 25 + side * 10, 18 + fold * 6);
            cairo_rotate(cr, side * (1.1 - fold * 1.0));
            Ellipse(cr, side * 10 * (1 - fold * 0.6), -4, 11 * (1 - fold * 0.6), 6);
            SetColor(cr, Hex(0xffffff, 0.85 * (1 - fold * 0.5)));
            cairo_fill(cr);
            cairo_restore(cr);
        }
        crate(cr, 25, 28 - fold * 5);
    }));
    f.Picture("flying_spec_up_ques.png", [] {
        Canvas c(30, 30);
        LabelStyle st;
        st.font = Font::kDisplay;
        st.size = 24;
        st.fill = Hex(0xffffff);
        st.outline = Hex(0x1a5aa8);
        st.outline_w = 3;
        st.shadow_alpha = 0.3;
        Label(c.cr(), "?", 15, 15, st);
        return c.Release();
    }());
    f.Picture("flying_spec_up_ques2.png", [] {
        Canvas c(44, 44);
        Blob(c.cr(), 22, 22, 21, Hex(0x5ac0ff, 0.9));
        return c.Release();
    }());
    f.Picture("toxic_container.png", MakeStrip(36, 38, 9, [](cairo_t* cr, int fr) {
        // A green canister tumbling end over end (a full turn over the loop).
        cairo_translate(cr, 18, 19);
        cairo_rotate(cr, fr * 2 * M_PI / 9);
        RoundedRect(cr, -8, -15, 16, 30, 5);
        FillLinear(cr, 8, -15, -8, 15, Hex(0xb8f07a), Hex(0x3a7a2a));
        RoundedRect(cr, -8, -15, 16, 30, 5);
        SetColor(cr, Hex(0x1a3a10));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        cairo_rectangle(cr, -9, -17, 18, 4);
        cairo_rectangle(cr, -9, 13, 18, 4);
        SetColor(cr, Hex(0x5a6068));
        cairo_fill(cr);
        // Hazard trefoil.
        for (int k = 0; k < 3; ++k) {
            double a = k * 2 * M_PI / 3 - M_PI / 2;
            cairo_move_to(cr, 0, 0);
            cairo_arc(cr, 0, 0, 5.5, a - 0.5, a + 0.5);
            cairo_close_path(cr);
        }
        SetColor(cr, Hex(0x1a2a10));
        cairo_fill(cr);
    }));
    f.Picture("toxic_container_fx.png", [] {
        Canvas c(70, 70);
        Blob(c.cr(), 35, 35, 34, Hex(0xffffff, 0.85));
        return c.Release();
    }());

    // ---- weapon slots ----
    f.Picture("spec_force_gui.png", [] {
        Canvas c(77, 77);  // a round wooden socket; the slot's centre is (38, 38)
        cairo_t* cr = c.cr();
        auto disc = [](cairo_t* k) { Ellipse(k, 38, 38, 35, 35); };
        SoftShadow(cr, disc, 4, -3, 4, Hex(0x000000, 0.5));
        disc(cr);
        FillRadial(cr, 50, 24, 48, Hex(0xd8a46a), Hex(0x6a3e1e));
        Ellipse(cr, 38, 38, 28, 28);
        FillRadial(cr, 30, 46, 34, Hex(0x2a3a2a), Hex(0x4a5a44));
        Ellipse(cr, 38, 38, 35, 35);
        SetColor(cr, Hex(0x3e2412));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        return c.Release();
    }());
    f.Picture("spec_force_gui_shine.png", [] {
        Canvas c(96, 96);
        Ring(c.cr(), 48, 48, 37, 8, Hex(0xffffff, 0.95));
        return c.Release();
    }());
    for (int w = 1; w <= 7; ++w) {
        f.Picture("weapon_" + std::to_string(w) + ".png", WeaponIcon(w, false));
        f.Picture("weapon_" + std::to_string(w) + "_reload.png", WeaponIcon(w, true));
    }
    // Reload dial: 16 frames, a bright arc filling clockwise from the top.
    f.Picture("reload_progress.png", MakeStrip(81, 81, 16, [](cairo_t* cr, int fr) {
        double cx = 40.5, cy = 40.5, r = 35;
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        SetColor(cr, Hex(0x000000, 0.35));
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
        double end = -M_PI / 2 + fr * 2 * M_PI / 15;
        if (fr > 0) {
            cairo_arc(cr, cx, cy, r, -M_PI / 2, end);
            SetColor(cr, Hex(0x6ae0ff));
            cairo_set_line_width(cr, 6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
            Ellipse(cr, cx + std::cos(end) * r, cy + std::sin(end) * r, 4.5, 4.5);
            SetColor(cr, Hex(0xffffff));
            cairo_fill(cr);
        }
        // Dim the unfilled part of the icon a little.
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, r - 3, end, 1.5 * M_PI);
        cairo_close_path(cr);
        SetColor(cr, Hex(0x101820, 0.35));
        cairo_fill(cr);
    }));
    auto cooling = [](bool empty) {
        Canvas c(40, 40);
        cairo_t* cr = c.cr();
        RoundedRect(cr, 9, 4, 22, 32, 7);
        if (empty) FillLinear(cr, 31, 4, 9, 36, Hex(0x9aa4ae), Hex(0x4a545e));
        else FillLinear(cr, 31, 4, 9, 36, Hex(0xd8f6ff), Hex(0x3a9ad8));
        RoundedRect(cr, 9, 4, 22, 32, 7);
        SetColor(cr, Hex(0x1a3a5a));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_rectangle(cr, 14, 1, 12, 5);
        SetColor(cr, Hex(0x5a6470));
        cairo_fill(cr);
        if (!empty) Snowflake(cr, 20, 21, 8, Hex(0xffffff), 1.6);
        return c.Release();
    };
    f.Picture("colling_module.png", cooling(false));
    f.Picture("colling_module_empty.png", cooling(true));
    f.Picture("colling_module_glow.png", [] {
        Canvas c(48, 48);
        Blob(c.cr(), 24, 24, 23, Hex(0xc8f0ff, 0.95));
        return c.Release();
    }());

    // ---- fly life bar and warning ----
    f.Picture("health_fly_empty.png", [] {
        Canvas c(36, 9);
        RoundedRect(c.cr(), 0.5, 0.5, 35, 8, 4);
        SetColor(c.cr(), Hex(0x1a1a1a, 0.75));
        cairo_fill_preserve(c.cr());
        SetColor(c.cr(), Hex(0xfff4d6, 0.9));
        cairo_set_line_width(c.cr(), 1);
        cairo_stroke(c.cr());
        return c.Release();
    }());
    f.Picture("health_fly.png", [] {
        Canvas c(32, 5);
        cairo_rectangle(c.cr(), 0, 0, 32, 5);
        FillLinear(c.cr(), 0, 0, 0, 5, Hex(0xb8ffb0), Hex(0x2aa83a));
        return c.Release();
    }());
    f.Picture("Caution.png", [] {
        Canvas c(16, 24);
        cairo_t* cr = c.cr();
        cairo_move_to(cr, 8, 1);
        cairo_line_to(cr, 15, 22);
        cairo_line_to(cr, 1, 22);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xffd02a));
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x5a2a0a));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_rectangle(cr, 7, 8, 2, 8);
        cairo_rectangle(cr, 7, 18, 2, 2);
        cairo_fill(cr);
        return c.Release();
    }());
}

}  // namespace forge
