// Menus, HUD, visor, results, loading screen, help cards, the bitmap font and the studio logo.
// Every label painted on a panel sits exactly under the hover glow drawn at its widget's position.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "art_common.h"
#include "forge.h"

namespace forge {

namespace {

constexpr int kScreenH = 768;

const Rgba kParchment = Hex(0xf6ead0);
const Rgba kParchmentInk = Hex(0x4a2e18);
const Rgba kVisorScreen = Hex(0x123038);
const Rgba kVisorInk = Hex(0xd8fbff);

struct Button {
    const char* glow_file;  // picture of the hover glow, drawn at (x, y)
    const char* text;
    double x, y, w, h;      // screen position and hit box
};

// A panel of a menu screen: drawn at (panel_x, 0), 768 high; its buttons' labels are painted on it.
void PanelButtons(Forge& f, cairo_t* cr, double panel_x, const std::vector<Button>& buttons, bool planks) {
    for (const Button& b : buttons) {
        double size = ButtonTextSize(b.text, b.w, b.h);
        double lx = b.x - panel_x, ly = b.y;
        if (planks) {
            Canvas tmp(4, 4);
            UseFont(tmp.cr(), Font::kDisplay, size);
            double tw = TextWidth(tmp.cr(), b.text);
            double pw = std::max(b.w, tw + 40);
            WoodBoard(cr, lx + b.w / 2 - pw / 2, ly - 4, pw, b.h + 8, 10, HashName(b.text));
        }
        PanelLabel(cr, b.text, lx + b.w / 2, ly + b.h / 2, size);
        if (b.glow_file) f.Picture(b.glow_file, LabelGlow(b.text, static_cast<int>(b.w), static_cast<int>(b.h), size));
    }
}

void Title(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
    LabelStyle st;
    st.size = size;
    st.fill = Hex(0xffe9a8);
    st.outline = Hex(0x3b2414);
    st.outline_w = size * 0.16;
    st.shadow_alpha = 0.6;
    Label(cr, text, cx, cy, st);
}

void BodyText(cairo_t* cr, const std::string& text, double cx, double y, double max_w, double size, Rgba ink,
              Font font = Font::kBody, double line_h = 0) {
    auto lines = Wrap(cr, font, size, text, max_w);
    if (line_h <= 0) line_h = size * 1.3;
    UseFont(cr, font, size);
    SetColor(cr, ink);
    for (size_t i = 0; i < lines.size(); ++i) {
        cairo_new_path(cr);
        TextPath(cr, lines[i], cx, y + i * line_h, Align::kCenter);
        cairo_fill(cr);
    }
}

// A board covering [x0, x1] x [y0, y1] in panel coordinates, with leaf sprigs on two corners.
void Board(cairo_t* cr, double x0, double y0, double x1, double y1, uint64_t seed) {
    WoodBoard(cr, x0, y0, x1 - x0, y1 - y0, 22, seed);
    Sprig(cr, x1 - 20, y0 + 6, 1.0, -150);
    Sprig(cr, x0 + 18, y1 - 4, 0.9, 20);
}


// ---- menu screens ----

void MainMenu(Forge& f) {
    Canvas c(330, kScreenH);
    cairo_t* cr = c.cr();
    // A signpost: a pole with one plank per button.
    Branch(cr, 165, 768, 160, 500, 168, 300, 163, 60, 30, 22, Hex(0x7a5030));
    // The game's name on top of the signpost, with a pair of little wings.
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, 165 + side * 104, 70);
        cairo_scale(cr, side * 1.2, 1.2);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 10, -30, 30, -40, 44, -34);
        cairo_curve_to(cr, 34, -22, 22, -6, 0, 8);
        cairo_close_path(cr);
        FillLinear(cr, 0, 0, 44, -34, Hex(0xd8ecff, 0.95), Hex(0x8ab8e8, 0.8));
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 10, -30, 30, -40, 44, -34);
        cairo_curve_to(cr, 34, -22, 22, -6, 0, 8);
        SetColor(cr, Hex(0x2a4a7a));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    {
        LabelStyle st;
        st.size = 46;
        st.fill = Hex(0xffd95a);
        st.outline = Hex(0x3b2414);
        st.outline_w = 7;
        st.glow = Hex(0xfff1a8, 0.55);
        st.glow_blur = 12;
        Label(cr, "Wingtron", 165, 72, st);
    }
    PanelButtons(f, cr, 360,
                 {{"ResumeGame.png", "Continue", 377, 148, 290, 50},
                  {"NewGame.png", "New game", 412, 246, 230, 50},
                  {"HighScore.png", "High scores", 401, 368, 260, 50},
                  {"options.png", "Options", 425, 465, 225, 50},
                  {"credits_glow.png", "Credits", 444, 597, 140, 40},
                  {"exit_main.png", "Exit", 537, 674, 80, 50}},
                 true);
    f.Picture("Main_menu.png", c.Release());
    // The player's name tag (centred at (945, 25)); the name is written over it.
    Canvas tag(150, 50);
    WoodBoard(tag.cr(), 4, 4, 142, 40, 14, 7);
    Sprig(tag.cr(), 8, 42, 0.45, -40);
    f.Picture("player_profile.png", tag.Release());
}

void EnteringName(Forge& f) {
    Canvas c(644, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 240, 634, 530, 11);
    Title(cr, "What's your name?", 322, 292, 34);
    Inset(cr, 180, 336, 290, 62, 12, Hex(0x2e1c10));
    PanelButtons(f, cr, 190, {{"ok_profile.png", "OK", 310, 460, 70, 40}, {"cancel_profile.png", "Cancel", 595, 450, 170, 50}},
                 false);
    f.Picture("entering_name.png", c.Release());
}

void ConfirmNew(Forge& f) {
    Canvas c(614, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 300, 604, 580, 12);
    Title(cr, "Start a new game?", 307, 360, 34);
    BodyText(cr, "Your saved progress will be lost.", 307, 420, 520, 20, pal::kCream, Font::kBodyBold);
    PanelButtons(f, cr, 205, {{"yes_confirm.png", "Yes", 315, 500, 100, 50}, {"no_confirm.png", "No", 602, 500, 85, 50}},
                 false);
    f.Picture("NewGame_confirm_menu.png", c.Release());
}

void Difficulty(Forge& f) {
    Canvas c(630, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 230, 620, 520, 13);
    Title(cr, "Choose your challenge", 315, 285, 32);
    PanelButtons(f, cr, 198,
                 {{"normal_glow.png", "Normal", 266, 337, 190, 50},
                  {"hard_glow.png", "Hard", 574, 335, 135, 50},
                  {"back_hradity.png", "Back", 447, 444, 90, 50}},
                 false);
    BodyText(cr, "Relaxed spiders, cooling modules", 163, 408, 240, 13, Hex(0xf0e0c0), Font::kBody);
    BodyText(cr, "Hungry spiders, no cooling", 443, 408, 200, 13, Hex(0xf0e0c0), Font::kBody);
    f.Picture("hardity_menu.png", c.Release());
}

void Trophy(cairo_t* cr, double cx, double top, double s, Rgba metal) {
    auto cup = [&](cairo_t* k) {
        cairo_move_to(k, cx - 18 * s, top);
        cairo_line_to(k, cx + 18 * s, top);
        cairo_curve_to(k, cx + 18 * s, top + 30 * s, cx + 8 * s, top + 36 * s, cx + 4 * s, top + 40 * s);
        cairo_line_to(k, cx + 4 * s, top + 50 * s);
        cairo_line_to(k, cx + 14 * s, top + 58 * s);
        cairo_line_to(k, cx - 14 * s, top + 58 * s);
        cairo_line_to(k, cx - 4 * s, top + 50 * s);
        cairo_line_to(k, cx - 4 * s, top + 40 * s);
        cairo_curve_to(k, cx - 8 * s, top + 36 * s, cx - 18 * s, top + 30 * s, cx - 18 * s, top);
        cairo_close_path(k);
    };
    for (int side : {-1, 1}) {
        cairo_arc(cr, cx + side * 18 * s, top + 12 * s, 8 * s, side > 0 ? -M_PI / 2 : M_PI / 2, side > 0 ? M_PI / 2 : 1.5 * M_PI);
        SetColor(cr, Shade(metal, 0.7));
        cairo_set_line_width(cr, 3.5 * s);
        cairo_stroke(cr);
    }
    SoftShadow(cr, cup, 3, -3, 3, Hex(0x000000, 0.4));
    cup(cr);
    FillLinear3(cr, cx + 18 * s, top, cx - 18 * s, top + 58 * s, Shade(metal, 1.5), metal, Shade(metal, 0.5));
    cup(cr);
    SetColor(cr, Shade(metal, 0.35));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Star(cr, cx, top + 18 * s, 7 * s, 3 * s, 5, 0);
    SetColor(cr, Hex(0xffffff, 0.7));
    cairo_fill(cr);
}

void HighScores(Forge& f) {
    Canvas c(614, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 140, 604, 670, 14);
    Title(cr, "Hall of fame", 230, 192, 36);
    Trophy(cr, 445, 196, 0.85, Hex(0xe8b830));
    for (double y : {236.0, 320.0, 405.0, 486.0}) Inset(cr, 140, y, 290, 54, 12, Hex(0x3a2414, 0.85));
    PanelButtons(f, cr, 205, {{"back_glory.png", "Back", 438, 600, 120, 45}}, false);
    f.Picture("desk_of_glory.png", c.Release());
    // Twinkle over the trophy (drawn light-blended at (620, 193)).
    Canvas g(70, 70);
    SoftGlow(g.cr(), [](cairo_t* k) { Ellipse(k, 35, 35, 22, 26); }, 10, Hex(0xffe8a0, 0.9), 2);
    Star(g.cr(), 35, 30, 16, 3, 4, 0);
    SetColor(g.cr(), Hex(0xffffff));
    cairo_fill(g.cr());
    f.Picture("achivments_glory.png", g.Release());
    Canvas plate(150, 42);
    Inset(plate.cr(), 2, 2, 146, 38, 10, Hex(0x5a3a1a));
    f.Picture("score_text.png", plate.Release());
}

void OptionsMenu(Forge& f) {
    Canvas c(680, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 130, 670, 700, 15);
    Title(cr, "Options", 340, 175, 38);
    for (auto [label, y] : {std::pair<const char*, double>{"Music", 221}, {"Sound", 326}}) {
        PanelLabel(cr, label, 340, y, 22);
        double ty = y + 58;  // the slider fly's centre runs along this groove
        Inset(cr, 203, ty - 7, 360, 14, 7, Hex(0x2e1c10));
        SetColor(cr, Hex(0xffe9a8, 0.8));
        UseFont(cr, Font::kBodyBold, 14);
        cairo_new_path(cr);
        TextPath(cr, "-", 190, ty + 5, Align::kCenter);
        TextPath(cr, "+", 578, ty + 5, Align::kCenter);
        cairo_fill(cr);
    }
    PanelButtons(f, cr, 172,
                 {{"window_options.png", "Window", 246, 490, 200, 60},
                  {"fullscreen_menu.png", "Full screen", 555, 490, 250, 50},
                  {"back_options_menu.png", "Back", 474, 612, 120, 65}},
                 false);
    f.Picture("options_menu.png", c.Release());
    Canvas check(36, 36);
    cairo_t* k = check.cr();
    cairo_move_to(k, 5, 19);
    cairo_line_to(k, 14, 29);
    cairo_line_to(k, 31, 6);
    SetColor(k, Hex(0x2a1a0a));
    cairo_set_line_width(k, 8);
    cairo_set_line_cap(k, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(k, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(k);
    SetColor(k, Hex(0x9aff6a));
    cairo_set_line_width(k, 4.5);
    cairo_stroke(k);
    f.Picture("check_options.png", check.Release());
}

void Cross(cairo_t* cr, double cx, double cy, double r, Rgba c, double w) {
    cairo_move_to(cr, cx - r, cy - r);
    cairo_line_to(cr, cx + r, cy + r);
    cairo_move_to(cr, cx + r, cy - r);
    cairo_line_to(cr, cx - r, cy + r);
    SetColor(cr, c);
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void ChooseProfile(Forge& f) {
    Canvas c(510, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 130, 500, 670, 16);
    Title(cr, "Choose a player", 255, 185, 34);
    const double rows[4] = {240, 325, 410, 485};
    const double cross_x[4] = {662, 662, 663, 663}, cross_y[4] = {238, 320, 408, 487};
    for (int i = 0; i < 4; ++i) {
        Inset(cr, 425 - 255 - 50, rows[i] - 8, 270, 54, 12, Hex(0x3a2414, 0.85));
        Cross(cr, cross_x[i] - 255 + 20, cross_y[i] + 22, 9, Hex(0x3a1a10), 6);
        Cross(cr, cross_x[i] - 255 + 20, cross_y[i] + 22, 9, Hex(0xe86a5a), 3);
    }
    PanelButtons(f, cr, 255, {{"back_choose_profile.png", "Back", 443, 597, 125, 50}}, false);
    f.Picture("choose_profile_menu.png", c.Release());
    Canvas g(40, 45);
    SoftGlow(g.cr(), [](cairo_t* k) { Ellipse(k, 20, 22, 15, 15); }, 6, Hex(0xff6a4a, 0.8), 2);
    Cross(g.cr(), 20, 22, 9, Hex(0xfff0e0), 4);
    f.Picture("Delete_profile.png", g.Release());
}

void DeleteProfile(Forge& f) {
    Canvas c(510, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 290, 500, 580, 17);
    Title(cr, "Delete this player?", 255, 340, 32);
    Inset(cr, 150, 383, 210, 52, 12, Hex(0x3a2414, 0.85));
    PanelButtons(f, cr, 255,
                 {{"yes_profile_delete.png", "Yes", 327, 502, 120, 50}, {"no_delete_profile.png", "No", 626, 493, 90, 50}},
                 false);
    f.Picture("delete_profile_menu.png", c.Release());
}

void Credits(Forge& f) {
    Canvas c(624, kScreenH);
    cairo_t* cr = c.cr();
    Board(cr, 10, 120, 614, 720, 18);
    Title(cr, "Credits", 312, 175, 40);
    // Headings start with '#'. The libraries are the ones the game and its build tools
    // link; each with the licence it is used under.
    const char* lines[] = {"#Game design and programming",
                           "The Wingtron team",
                           "#Pictures, sounds and music",
                           "Made from scratch by our own asset forge",
                           "#Built with",
                           "SDL2 (zlib licence)",
                           "OpenAL Soft (LGPL)",
                           "libvorbis and libogg (BSD licence)",
                           "libpng (libpng licence) and zlib (zlib licence)",
                           "libjpeg-turbo (IJG and BSD licences)",
                           "nlohmann-json (MIT licence)",
                           "cairo (LGPL / MPL) and FreeType (FreeType licence)",
                           "DejaVu fonts (free licence) and Comfortaa (SIL OFL)",
                           "GoogleTest (BSD licence)",
                           "#Thanks for playing!"};
    double y = 240;
    for (const char* l : lines) {
        const bool head = l[0] == '#';
        if (head && y > 240) y += 10;
        BodyText(cr, head ? l + 1 : l, 312, y, 570, head ? 19 : 15, head ? Hex(0xffe9a8) : pal::kCream,
                 head ? Font::kDisplay : Font::kBody);
        y += head ? 27 : 23;
    }
    PanelButtons(f, cr, 200, {{"back_credits.png", "Back", 559, 652, 90, 50}}, false);
    f.Picture("credits.png", c.Release());
}

// ---- loading and saving ----

void Loading(Forge& f) {
    Canvas t(172, 40);
    PanelLabel(t.cr(), "Loading...", 86, 20, 24);
    f.Picture("Loading.jpg", t.Release());
    Canvas track(340, 30);
    RoundedRect(track.cr(), 1, 1, 338, 28, 14);
    FillLinear(track.cr(), 0, 0, 0, 30, Hex(0x3a2414), Hex(0x5a3a22));
    RoundedRect(track.cr(), 1, 1, 338, 28, 14);
    SetColor(track.cr(), Hex(0xc08a54));
    cairo_set_line_width(track.cr(), 2);
    cairo_stroke(track.cr());
    f.Picture("loading_prgs.jpg", track.Release());
    Canvas fill(346, 36);
    RoundedRect(fill.cr(), 3, 3, 340, 30, 15);
    FillLinear3(fill.cr(), 0, 3, 0, 33, Hex(0xfff2b0), Hex(0xffc94a), Hex(0xd88a1a));
    RoundedRect(fill.cr(), 3, 3, 340, 30, 15);
    SetColor(fill.cr(), Hex(0x7a4a14));
    cairo_set_line_width(fill.cr(), 2);
    cairo_stroke(fill.cr());
    f.Picture("loading_prgs_prc.jpg", fill.Release());

    Canvas spin(40, 40);  // turns around its centre while saving
    for (int k = 0; k < 3; ++k) Leaf(spin.cr(), 20, 20, 17, 9, k * 120 - 90, Mix(pal::kLeafLight, pal::kGold, k / 2.0));
    f.Picture("saving_anim.jpg", spin.Release());
    Canvas sv(120, 24);
    BodyText(sv.cr(), "Saving...", 60, 18, 118, 17, pal::kCream, Font::kDisplay);
    f.Picture("saving_process.jpg", sv.Release());
    Canvas caret(4, 30);
    cairo_rectangle(caret.cr(), 0, 0, 4, 30);
    FillLinear(caret.cr(), 0, 0, 0, 30, Hex(0xfff4d6), Hex(0xffc94a));
    f.Picture("Carret.jpg", caret.Release());
}

// ---- in-game HUD ----

void Hud(Forge& f) {
    // Spider hunger gauge: a glass tube on a wooden back, a spider face on top.
    Canvas g(60, 490);
    cairo_t* cr = g.cr();
    WoodBoard(cr, 6, 40, 48, 446, 20, 21);
    RoundedRect(cr, 18, 64, 24, 410, 12);
    FillLinear3(cr, 18, 0, 42, 0, Hex(0xd0d8e0, 0.85), Hex(0xffffff, 0.95), Hex(0xb0bcc8, 0.85));
    RoundedRect(cr, 18, 64, 24, 410, 12);
    SetColor(cr, Hex(0x3e2412));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int k = 1; k < 10; ++k) {
        cairo_move_to(cr, 18, 64 + k * 41);
        cairo_line_to(cr, 25, 64 + k * 41);
    }
    SetColor(cr, Hex(0x3e2412, 0.7));
    cairo_stroke(cr);
    Ellipse(cr, 30, 26, 22, 20);
    FillRadial(cr, 36, 18, 26, Hex(0x6a4a7a), Hex(0x1a101e));
    Eye(cr, 22, 24, 7, 0.2, 0.3, Hex(0x8a1a2a));
    Eye(cr, 38, 24, 7, -0.2, 0.3, Hex(0x8a1a2a));
    cairo_move_to(cr, 22, 38);
    cairo_curve_to(cr, 26, 34, 34, 34, 38, 38);
    SetColor(cr, Hex(0xe8e0d0));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    f.Picture("gui_spider_hunger.png", g.Release());

    Canvas m(26, 26);  // hunger marker: a glowing bead with a hungry mouth
    Ellipse(m.cr(), 13, 13, 11, 11);
    FillRadial(m.cr(), 16, 9, 14, Hex(0xffe08a), Hex(0xe0501a));
    Ellipse(m.cr(), 13, 13, 11, 11);
    SetColor(m.cr(), Hex(0x5a1a0a));
    cairo_set_line_width(m.cr(), 1.5);
    cairo_stroke(m.cr());
    Ellipse(m.cr(), 13, 16, 4, 3);
    SetColor(m.cr(), Hex(0x5a1a0a));
    cairo_fill(m.cr());
    f.Picture("mesuare_spider_hunger.png", m.Release());

    Canvas rip(150, 60);  // flies that may still be lost: "x N" is written from (70, 12)
    WoodBoard(rip.cr(), 2, 4, 144, 52, 18, 22);
    {
        Canvas tmp(1, 1);
    }
    Ellipse(rip.cr(), 36, 30, 14, 19);
    FillRadial(rip.cr(), 40, 24, 20, Hex(0xffffff), Hex(0xb8b4c0));
    for (int k = 0; k < 4; ++k) {
        cairo_move_to(rip.cr(), 24, 18 + k * 7);
        cairo_line_to(rip.cr(), 48, 22 + k * 6);
    }
    SetColor(rip.cr(), Hex(0x8a8494, 0.6));
    cairo_set_line_width(rip.cr(), 1);
    cairo_stroke(rip.cr());
    f.Picture("rip_ingame_gui.png", rip.Release());
    Canvas rg(140, 90);
    SoftGlow(rg.cr(), [](cairo_t* k) { RoundedRect(k, 20, 18, 100, 54, 24); }, 14, Hex(0xffffff, 0.9), 2);
    f.Picture("rip_ingame_gui_glow.png", rg.Release());

    Canvas pause(128, 40);
    WoodBoard(pause.cr(), 3, 3, 120, 32, 12, 23);
    PanelLabel(pause.cr(), "Menu", 63, 19, 18);
    f.Picture("menu_pause_Ingame.png", pause.Release());

    // Thermometer: a tray under the weapon slots, the glass tube, and its hot and cold columns.
    Canvas tray(314, 98);
    Branch(tray.cr(), 0, 40, 100, 30, 220, 34, 314, 28, 26, 30, Hex(0x7a5030));
    Leaf(tray.cr(), 10, 36, 30, 13, 160, pal::kLeaf);
    Leaf(tray.cr(), 60, 28, 26, 12, -120, Shade(pal::kLeaf, 0.9));
    f.Picture("Termo_norm_pt1.png", tray.Release());
    Canvas tube(40, 232);
    cr = tube.cr();
    WoodBoard(cr, 2, 0, 36, 232, 14, 24);
    RoundedRect(cr, 14, 10, 12, 200, 6);
    SetColor(cr, Hex(0xffffff, 0.35));
    cairo_fill(cr);
    Ellipse(cr, 20, 212, 13, 13);
    SetColor(cr, Hex(0xffffff, 0.35));
    cairo_fill(cr);
    RoundedRect(cr, 14, 10, 12, 200, 6);
    Ellipse(cr, 20, 212, 13, 13);
    SetColor(cr, Hex(0x2a1a0a));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int k = 0; k < 9; ++k) {
        cairo_move_to(cr, 27, 24 + k * 20);
        cairo_line_to(cr, 32, 24 + k * 20);
    }
    SetColor(cr, Hex(0xfff0d0, 0.8));
    cairo_stroke(cr);
    f.Picture("Termo_norm_pt2.png", tube.Release());
    auto column = [](Rgba top, Rgba bottom) {
        Canvas c(46, 240);  // drawn at (946, 426): column inside the tube, bulb at the bottom
        RoundedRect(c.cr(), 18, 20, 10, 200, 5);
        FillLinear(c.cr(), 0, 20, 0, 220, top, bottom);
        Ellipse(c.cr(), 23, 221, 11, 11);
        FillRadial(c.cr(), 26, 217, 13, Shade(bottom, 1.4), bottom);
        return c.Release();
    };
    f.Picture("Termo_hot.png", column(Hex(0xffd04a), Hex(0xe8301a)));
    f.Picture("Termo_cool.png", column(Hex(0xd8fbff), Hex(0x2a9ae8)));

    // Pause menu: a title sign and three plank labels; glows line up with the 190 x 40 button boxes.
    Canvas title(300, 80);
    WoodBoard(title.cr(), 6, 6, 288, 66, 18, 25);
    Sprig(title.cr(), 270, 10, 0.8, -150);
    Title(title.cr(), "Paused", 150, 40, 36);
    f.Picture("pause_game_im.png", title.Release());
    struct PauseLabel {
        const char* label_file;
        const char* glow_file;
        const char* text;
        int w, h;
        double cx, cy;  // glow box centre inside the label picture
    };
    const PauseLabel labels[] = {{"continue_image.png", "continue_glow_pause.png", "Continue", 238, 66, 119, 33},
                                 {"Restart_level.png", "restart_level_glow.png", "Restart", 256, 56, 128, 28},
                                 {"quit_game_image.png", "exit_glow_pause.png", "Quit", 234, 66, 117, 33}};
    for (const PauseLabel& l : labels) {
        double size = ButtonTextSize(l.text, 190, 40);
        Canvas c(l.w, l.h);
        WoodBoard(c.cr(), l.cx - 105, l.cy - 24, 210, 48, 14, HashName(l.text));
        PanelLabel(c.cr(), l.text, l.cx, l.cy, size);
        f.Picture(l.label_file, c.Release());
        f.Picture(l.glow_file, LabelGlow(l.text, 190, 40, size));
    }
    Canvas cont(190, 40);  // a spare "Continue" label, same look as the pause menu's
    PanelLabel(cont.cr(), "Continue", 95, 20, ButtonTextSize("Continue", 190, 40));
    f.Picture("continue_pause.png", cont.Release());
    f.Picture("glowy_sample.png", LabelGlow("Wingtron", 190, 40, ButtonTextSize("Wingtron", 190, 40)));

    auto banner = [](const char* text, int w, Rgba fill) {
        Canvas c(w, 100);
        LabelStyle st;
        st.size = 40;
        st.fill = fill;
        st.outline = Hex(0x2a1408);
        st.outline_w = 6;
        st.glow = Hex(0x000000, 0.6);
        st.glow_blur = 14;
        st.size = FitSize(c.cr(), Font::kDisplay, text, w - 30, 44);
        Label(c.cr(), text, w / 2.0, 50, st);
        return c.Release();
    };
    f.Picture("level_completed.png", banner("Level complete!", 264, Hex(0xb8ff8a)));
    f.Picture("level_failed.png", banner("Level failed", 304, Hex(0xff9a8a)));
}

// ---- the tutorial visor ----

void Visor(Forge& f) {
    for (const char* name : {"visor_pt1.png", "visor_pt2.png"}) {
        Canvas c(120, 190);  // a jointed arm lowering the visor from the top of the screen
        cairo_t* cr = c.cr();
        for (int k = 0; k < 2; ++k) {
            RoundedRect(cr, 48, k * 95, 24, 100, 8);
            FillLinear3(cr, 48, 0, 72, 0, Hex(0x3a5a8a), Hex(0xa8c8f0), Hex(0x2a4070));
            Ellipse(cr, 60, k * 95 + 95, 10, 10);
            FillRadial(cr, 63, k * 95 + 92, 12, Hex(0xe0f0ff), Hex(0x4a6a9a));
        }
        f.Picture(name, c.Release());
    }
    Canvas body(520, 230);
    cairo_t* cr = body.cr();
    auto shape = [](cairo_t* k) { RoundedRect(k, 2, 2, 516, 226, 26); };
    SoftShadow(cr, shape, 10, -6, 9, Hex(0x000000, 0.5));
    shape(cr);
    FillLinear3(cr, 520, 0, 0, 230, Hex(0xc8dcf4), Hex(0x6a8ac0), Hex(0x2e4a7a));
    shape(cr);
    SetColor(cr, Hex(0x14243e));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, 7, 7, 343, 182, 12);
    SetColor(cr, Hex(0x1a2e4a));
    cairo_fill(cr);
    Inset(cr, 13, 13, 330, 170, 8, kVisorScreen);
    Inset(cr, 352, 25, 130, 116, 10, Hex(0x0a1a22));
    for (int k = 0; k < 5; ++k) {
        Ellipse(cr, 500, 40 + k * 30, 4, 4);
        SetColor(cr, Hex(0xe8f4ff, 0.9));
        cairo_fill(cr);
    }
    UseFont(cr, Font::kDisplay, 12);
    SetColor(cr, Hex(0xe0f0ff, 0.8));
    cairo_new_path(cr);
    TextPath(cr, "WINGTRON VISOR", 418, 160, Align::kCenter);
    cairo_fill(cr);
    f.Picture("visor_body.png", body.Release());
    f.Picture("visor_screen_anim.png", MakeStrip(122, 108, 3, [](cairo_t* k, int fr) {
        // The robot on the little monitor: eyes blink on frame 2, the mouth light talks.
        RoundedRect(k, 2, 2, 118, 104, 8);
        FillRadial(k, 61, 54, 80, Hex(0x2a5a7a), Hex(0x0a1a2a));
        Ellipse(k, 61, 56, 40, 34);
        FillRadial(k, 75, 40, 50, Hex(0xdcefff), Hex(0x2a4a80));
        for (int e = 0; e < 2; ++e) {
            double ex = 46 + e * 30;
            if (fr == 2) {
                cairo_move_to(k, ex - 8, 50);
                cairo_line_to(k, ex + 8, 50);
                SetColor(k, Hex(0x6af2ff));
                cairo_set_line_width(k, 3);
                cairo_stroke(k);
            } else {
                SoftGlow(k, [&](cairo_t* c2) { Ellipse(c2, ex, 50, 10, 10); }, 5, Hex(0x6af2ff, 0.8), 1);
                Ellipse(k, ex, 50, 8, 9);
                FillRadial(k, ex + 2, 47, 10, Hex(0xffffff), Hex(0x3ac8e0));
            }
        }
        RoundedRect(k, 48, 70, 26, fr == 1 ? 9 : 4, 2);
        SetColor(k, Hex(0x6af2ff));
        cairo_fill(k);
    }));
    Canvas blue(122, 108);
    for (int y = 0; y < 108; y += 3) {
        cairo_rectangle(blue.cr(), 0, y, 122, 1.2);
        SetColor(blue.cr(), Hex(0x6ac8ff, 0.8));
        cairo_fill(blue.cr());
    }
    f.Picture("visor_blue_screen.png", blue.Release());
    f.Picture("visor_wheel_anim.png", MakeStrip(40, 23, 9, [](cairo_t* k, int fr) {
        // The upper half of a cog turning (one tooth step over the loop).
        double rot = fr * (2 * M_PI / 10) / 9;
        cairo_save(k);
        cairo_translate(k, 20, 23);
        cairo_rotate(k, rot);
        for (int t = 0; t < 10; ++t) {
            double a = t * 2 * M_PI / 10;
            cairo_save(k);
            cairo_rotate(k, a);
            cairo_rectangle(k, -3, -21, 6, 6);
            cairo_restore(k);
        }
        Ellipse(k, 0, 0, 17, 17);
        cairo_restore(k);
        FillRadial(k, 26, 10, 24, Hex(0xe8d8a0), Hex(0x8a6a2a));
        Ellipse(k, 20, 23, 5, 5);
        SetColor(k, Hex(0x3a2a10));
        cairo_fill(k);
    }));
    f.Picture("visor_door_anim.png", MakeStrip(76, 42, 6, [](cairo_t* k, int fr) {
        // A vented hatch sliding open.
        RoundedRect(k, 1, 1, 74, 40, 6);
        SetColor(k, Hex(0x0a1420));
        cairo_fill(k);
        double open = fr / 5.0;
        RoundedRect(k, 1 + open * 50, 1, 74 - open * 50, 40, 6);
        FillLinear(k, 76, 0, 0, 42, Hex(0xa8c0e0), Hex(0x3a5a8a));
        for (int v = 0; v < 4; ++v) {
            cairo_rectangle(k, 10 + open * 50 + v * 14, 12, 8, 18);
        }
        SetColor(k, Hex(0x14243e, 0.7));
        cairo_fill(k);
    }));
    Canvas cont(122, 34);
    RoundedRect(cont.cr(), 4, 2, 114, 30, 12);
    FillLinear(cont.cr(), 0, 2, 0, 32, Hex(0x3a8ac8), Hex(0x1a4a7a));
    RoundedRect(cont.cr(), 4, 2, 114, 30, 12);
    SetColor(cont.cr(), Hex(0x0a1a30));
    cairo_set_line_width(cont.cr(), 2);
    cairo_stroke(cont.cr());
    PanelLabel(cont.cr(), "Continue", 61, 17, 16);
    f.Picture("Visor_continue.png", cont.Release());
    f.Picture("Visor_continue_glow.png", LabelGlow("Continue", 90, 26, 16));
    Canvas fx(340, 24);
    SoftGlow(fx.cr(), [](cairo_t* k) { RoundedRect(k, 10, 9, 320, 6, 3); }, 5, Hex(0x8af4ff, 0.9), 2);
    f.Picture("visor_tip_fx_progress.png", fx.Release());
}

// ---- results ----

void Results(Forge& f) {
    Canvas title(154, 64);
    Title(title.cr(), "Results", 77, 32, FitSize(title.cr(), Font::kDisplay, "Results", 150, 38));
    f.Picture("Results.png", title.Release());
    Canvas labels(210, 150);  // right-aligned beside the counters drawn from x 520
    cairo_t* cr = labels.cr();
    const std::pair<const char*, double> rows[] = {{"Flies freed", 13}, {"Time bonus", 43}, {"Tactic bonus", 73}, {"Total", 132}};
    for (auto [text, y] : rows) {
        LabelStyle st;
        st.size = 17;
        st.fill = std::string(text) == "Total" ? Hex(0xffe9a8) : pal::kCream;
        st.outline_w = 3;
        UseFont(cr, st.font, st.size);
        double w = TextWidth(cr, text);
        Label(cr, text, 200 - w / 2, y, st);
    }
    f.Picture("total_score.png", labels.Release());
    Canvas max(50, 24);
    RoundedRect(max.cr(), 2, 2, 46, 20, 8);
    FillLinear(max.cr(), 0, 2, 0, 22, Hex(0xffe88a), Hex(0xe0901a));
    UseFont(max.cr(), Font::kBodyBold, 13);
    SetColor(max.cr(), Hex(0x5a2a0a));
    cairo_new_path(max.cr());
    TextPath(max.cr(), "MAX", 25, 17, Align::kCenter);
    cairo_fill(max.cr());
    f.Picture("max_highscore.jpg", max.Release());

    auto star = [](cairo_t* k, double cx, double cy, bool gold) {
        Star(k, cx, cy, 18, 8, 5, 0);
        if (gold) {
            SoftGlow(k, [&](cairo_t* c2) { Star(c2, cx, cy, 18, 8, 5, 0); }, 4, Hex(0xffd84a, 0.7), 1);
            Star(k, cx, cy, 18, 8, 5, 0);
            FillRadial(k, cx + 5, cy - 6, 22, Hex(0xfff6c0), Hex(0xe09a1a));
        } else {
            SetColor(k, Hex(0x3a2a1a, 0.8));
            cairo_fill(k);
        }
        Star(k, cx, cy, 18, 8, 5, 0);
        SetColor(k, gold ? Hex(0x7a4a0a) : Hex(0xb89a6a));
        cairo_set_line_width(k, 2);
        cairo_stroke(k);
    };
    Canvas empty(240, 50);
    for (int k = 0; k < 5; ++k) star(empty.cr(), 32 + k * 42.75, 25, false);
    f.Picture("stars_empty.png", empty.Release());
    Canvas gold(40, 40);
    star(gold.cr(), 20, 20, true);
    f.Picture("star_gold.png", gold.Release());
    auto bar = [](Rgba a, Rgba b) {
        Canvas c(229, 20);
        cairo_rectangle(c.cr(), 0, 2, 229, 16);
        FillLinear3(c.cr(), 0, 2, 0, 18, Shade(a, 1.3), a, b);
        return c.Release();
    };
    f.Picture("stars_progress.jpg", bar(Hex(0x4ab0f0), Hex(0x1a5aa0)));
    f.Picture("stars_progress2.jpg", bar(Hex(0xffd24a), Hex(0xc07a10)));
    f.Picture("stars_progress_podlogka.jpg", bar(Hex(0x3a2e3a), Hex(0x241a24)));
    Canvas frame(240, 20);
    RoundedRect(frame.cr(), 2, 1, 236, 18, 6);
    SetColor(frame.cr(), Hex(0xffe9a8));
    cairo_set_line_width(frame.cr(), 2.5);
    cairo_stroke(frame.cr());
    f.Picture("stars_progres_ramka.png", frame.Release());
    Canvas sep(10, 20);
    cairo_rectangle(sep.cr(), 4, 0, 2, 20);
    SetColor(sep.cr(), Hex(0xfff4d6));
    cairo_fill(sep.cr());
    f.Picture("stars_progress_seperate.png", sep.Release());

    // Final results of the whole game.
    Canvas gr(404, 90);
    Title(gr.cr(), "Game results", 202, 45, 44);
    f.Picture("Game_results.jpg", gr.Release());
    Canvas band(1024, 270);
    cairo_rectangle(band.cr(), 0, 0, 1024, 270);
    FillLinear3(band.cr(), 0, 0, 0, 270, Hex(0x2e1c10), Hex(0x4a2e18), Hex(0x2e1c10));
    Rng rng(44);
    for (int k = 0; k < 40; ++k) {
        double y = rng.Range(0, 270);
        cairo_move_to(band.cr(), 0, y);
        cairo_curve_to(band.cr(), 300, y + rng.Range(-6, 6), 700, y + rng.Range(-6, 6), 1024, y + rng.Range(-4, 4));
        SetColor(band.cr(), Hex(0x6a4a2a, 0.25));
        cairo_set_line_width(band.cr(), rng.Range(1, 3));
        cairo_stroke(band.cr());
    }
    f.Picture("results_menu.jpg", band.Release());
    Canvas line(824, 6);
    cairo_rectangle(line.cr(), 0, 1, 824, 4);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 824, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.85, 0.4, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.85, 0.4, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.4, 0);
    cairo_set_source(line.cr(), p);
    cairo_fill(line.cr());
    cairo_pattern_destroy(p);
    f.Picture("line_results.png", line.Release());
    Canvas stand(90, 120);
    SoftGlow(stand.cr(), [](cairo_t* k) { Ellipse(k, 45, 60, 40, 50); }, 12, Hex(0xfff0b0, 0.5), 1);
    RoundedRect(stand.cr(), 15, 84, 60, 30, 6);
    FillLinear(stand.cr(), 75, 84, 15, 114, Hex(0xc08a54), Hex(0x5a361b));
    f.Picture("kubok_placement.png", stand.Release());
    for (auto [name, metal] : {std::pair<const char*, Rgba>{"gold_trophy.png", Hex(0xf0c030)},
                               {"silver_trophy.png", Hex(0xc8d0dc)},
                               {"bronze_trophy.png", Hex(0xc8824a)}}) {
        Canvas t(44, 70);
        Trophy(t.cr(), 22, 6, 0.95, metal);
        f.Picture(name, t.Release());
    }
    Canvas no(128, 128);
    Ellipse(no.cr(), 64, 64, 54, 54);
    SetColor(no.cr(), Hex(0xb0a090, 0.85));
    cairo_set_line_width(no.cr(), 10);
    cairo_stroke(no.cr());
    cairo_move_to(no.cr(), 28, 100);
    cairo_line_to(no.cr(), 100, 28);
    cairo_stroke(no.cr());
    f.Picture("no.png", no.Release());
    Canvas cont(330, 30);
    BodyText(cont.cr(), "Press ENTER to continue", 165, 21, 326, 18, pal::kCream, Font::kDisplay);
    f.Picture("results_continue.png", cont.Release());
}

// ---- help cards and tutorial confirmation ----

void Mouse(cairo_t* cr, int button) {  // 0 left, 1 right, 2 middle highlighted
    RoundedRect(cr, 6, 4, 28, 42, 13);
    FillLinear(cr, 34, 4, 6, 46, Hex(0xffffff), Hex(0xc8c0b0));
    RoundedRect(cr, 6, 4, 28, 42, 13);
    SetColor(cr, Hex(0x3a2a1a));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 20, 4);
    cairo_line_to(cr, 20, 20);
    cairo_move_to(cr, 6, 20);
    cairo_line_to(cr, 34, 20);
    cairo_stroke(cr);
    if (button == 0) {
        cairo_move_to(cr, 20, 5);
        cairo_line_to(cr, 20, 19);
        cairo_line_to(cr, 7, 19);
        cairo_curve_to(cr, 7, 10, 12, 5, 20, 5);
    } else if (button == 1) {
        cairo_move_to(cr, 20, 5);
        cairo_line_to(cr, 20, 19);
        cairo_line_to(cr, 33, 19);
        cairo_curve_to(cr, 33, 10, 28, 5, 20, 5);
    } else {
        RoundedRect(cr, 17, 8, 6, 10, 3);
    }
    SetColor(cr, Hex(0xe8502a));
    cairo_fill(cr);
}

void HelpCards(Forge& f) {
    Canvas back(600, 320);
    cairo_t* cr = back.cr();
    WoodBoard(cr, 4, 4, 592, 312, 22, 31);
    // Parchment, with a tab at the lower left where the "hold" hint sits under the right mouse button.
    auto parchment = [](cairo_t* k) {
        RoundedRect(k, 16, 16, 568, 246, 14);
        RoundedRect(k, 16, 200, 86, 80, 12);
    };
    parchment(cr);
    SetColor(cr, kParchment);
    cairo_fill(cr);
    cairo_save(cr);
    parchment(cr);
    SetColor(cr, Hex(0x8a6a44));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    RoundedRect(cr, 18, 200, 82, 60, 0);  // hide the seam between the two parts
    SetColor(cr, kParchment);
    cairo_fill(cr);
    PanelLabel(cr, "Continue", 497, 288, ButtonTextSize("Continue", 190, 40));
    f.Picture("help_back.png", back.Release());
    f.Picture("help_continue.png", LabelGlow("Continue", 190, 40, ButtonTextSize("Continue", 190, 40)));
    for (auto [name, b] : {std::pair<const char*, int>{"help_mouse_l.png", 0}, {"help_mouse_r.png", 1}, {"help_mouse_m.png", 2}}) {
        Canvas m(40, 50);
        Mouse(m.cr(), b);
        f.Picture(name, m.Release());
    }
    auto word = [&](const char* name, const char* text, int w, int h) {
        Canvas c(w, h);
        BodyText(c.cr(), text, w / 2.0, h * 0.72, w, h * 0.7, kParchmentInk, Font::kBodyBold);
        f.Picture(name, c.Release(), kParchment);
    };
    word("help_or.jpg", "or", 30, 20);
    word("help_hold.jpg", "hold", 60, 18);

    struct Card {
        const char* prefix;
        const char* name;
        const char* what;
        const char* left;
        const char* right;  // null: one line for both buttons
    };
    const Card cards[] = {
        {"laser", "Laser", "A quick beam that wears down the silk holding one trapped fly. It never needs reloading, but every shot warms the robot.",
         "Click a trapped fly to shoot the silk around it.",
         "Hold, drag a line across flies and let go to slice them all free at once."},
        {"bomb", "Bomb", "Blasts the web apart around where it lands and loosens every fly nearby.",
         "Throw a bomb that goes off after a short fuse.",
         "Throw a bomb that explodes at once, a little weaker."},
        {"freeze", "Freeze", "Icy shots that freeze spiders in their tracks and protect the flies close by.",
         "Fire a freezing missile; it bursts where you click.",
         "Drop a freeze mine; the first spider to step on it turns to ice."},
        {"shield", "Shield", "Gadgets that keep hungry spiders away from the flies.",
         "Launch a shield module that guards every fly around it for a while.",
         "Launch a lure: spiders mistake it for a juicy fly."},
        {"alpha", "Alpha missile", "The big one. Its blast loosens every fly in the web at once, but it makes the robot very hot.",
         nullptr, nullptr},
        {"time", "Time warp", "Slows the whole garden down for a while, so you have time to aim and plan.", nullptr, nullptr},
    };
    for (const Card& c : cards) {
        std::string p = c.prefix;
        {
            int h = c.left ? 80 : 100;
            Canvas t(440, h);
            Title(t.cr(), c.name, 220, 18, 24);
            BodyText(t.cr(), c.what, 220, 46, 430, 14, kParchmentInk, Font::kBody, 17);
            f.Picture(p + "_text_1.jpg", t.Release(), kParchment);
        }
        if (c.left) {
            Canvas t2(480, 60);
            BodyText(t2.cr(), std::string("Left button: ") + c.left, 240, 24, 470, 15, kParchmentInk, Font::kBody, 19);
            f.Picture(p + "_text_2.jpg", t2.Release(), kParchment);
            Canvas t3(480, 40);
            BodyText(t3.cr(), std::string("Right button: ") + c.right, 240, 16, 470, 14, kParchmentInk, Font::kBody, 17);
            f.Picture(p + "_text_3.jpg", t3.Release(), kParchment);
        } else {
            Canvas t2(400, 70);
            bool alpha = p == "alpha";
            BodyText(t2.cr(), alpha ? "Click anywhere in the web with either button to launch it." :
                                      "Click either button to start the warp.",
                     200, 24, 390, 15, kParchmentInk, Font::kBody, 19);
            f.Picture(p + "_text_2.jpg", t2.Release(), kParchment);
        }
    }

    Canvas conf(400, 150);
    RoundedRect(conf.cr(), 0, 0, 400, 150, 0);
    SetColor(conf.cr(), kParchment);
    cairo_fill(conf.cr());
    Title(conf.cr(), "Play the tutorial?", 200, 50, 28);
    BodyText(conf.cr(), "The robot will show you how to free the flies.", 200, 100, 380, 15, kParchmentInk);
    f.Picture("tutorial_confirmation.jpg", conf.Release(), kParchment);
    for (auto [name, text] : {std::pair<const char*, const char*>{"yes_confrim.jpg", "Yes"}, {"no_confrim.jpg", "No"}}) {
        Canvas b(100, 50);
        Title(b.cr(), text, 50, 25, 26);
        f.Picture(name, b.Release(), kParchment);
    }
}

// ---- visor pages ----

void VisorPages(Forge& f) {
    // Each page's text fills about as many lines as its reveal glow travels (200 x speed pixels).
    const std::pair<const char*, double> pages[16] = {
        {"Hello! I am Wingtron, your robot fly. Together we will rescue every fly caught in this web.", 0.8},
        {"Aim at a trapped fly and click the left button to fire the laser. Set one fly free!", 0.6},
        {"See the bar above each fly? It shows how much web still holds it.", 0.65},
        {"Spiders come to eat trapped flies. Free six flies!", 0.2},
        {"Careful: every shot heats me up. Keep an eye on the thermometer at the bottom right.", 0.76},
        {"Too hot! Overheating breaks me. Click the repair icon until I am fixed, or wait until I cool down.", 0.76},
        {"All fixed, thank you! Now let me show you a new trick: the laser slice.", 0.77},
        {"Hold the right button, drag a line across the flies and let go to cut them free.", 0.77},
        {"Now cut both new flies free with a single slice!", 0.74},
        {"Freeing several flies with one slice or one blast earns a tactic bonus.", 0.66},
        {"A spider that catches nothing grows hungry. Its hunger gauge is on the left.", 0.59},
        {"When a spider's gauge fills up, it starves. Starve them all to win!", 0.37},
        {"A special is falling! When it hangs in the web, click it and I will fetch a new weapon.", 0.76},
        {"Toxic containers hang in the web. Breaking one fills the air with smoke that hides the flies.", 0.57},
        {"Choose a weapon with the keys 1 to 4, the mouse wheel or a click on its slot. Right-click a slot to read about it.", 0.77},
        {"The cooling modules beside the weapon slots cool me down. Each one works once per level.", 0.7},
    };
    for (int i = 0; i < 16; ++i) {
        Canvas c(330, 170);
        cairo_t* cr = c.cr();
        double height = std::max(40.0, 200 * pages[i].second);
        // Largest size whose wrapped lines fit the reveal height.
        double size = 19;
        std::vector<std::string> lines;
        for (; size > 11; size -= 0.5) {
            lines = Wrap(cr, Font::kDisplay, size, pages[i].first, 310);
            if (lines.size() * size * 1.25 <= height + 4) break;
        }
        UseFont(cr, Font::kDisplay, size);
        for (size_t l = 0; l < lines.size(); ++l) {
            double y = 8 + size + l * size * 1.25;
            SoftGlow(cr, [&](cairo_t* k) {
                UseFont(k, Font::kDisplay, size);
                TextPath(k, lines[l], 165, y, Align::kCenter);
            }, 3, Hex(0x3ac8ff, 0.5), 1);
            cairo_new_path(cr);
            UseFont(cr, Font::kDisplay, size);
            TextPath(cr, lines[l], 165, y, Align::kCenter);
            SetColor(cr, kVisorInk);
            cairo_fill(cr);
        }
        f.Picture("visor_text_" + std::to_string(i + 1) + ".jpg", c.Release(), kVisorScreen);
    }
}

// ---- bitmap font ----

void BitmapFont(Forge& f) {
    std::string chars;
    for (int c = 32; c <= 47; ++c) chars += static_cast<char>(c);
    for (int c = 48; c <= 57; ++c) chars += static_cast<char>(c);
    for (int c = 65; c <= 90; ++c) chars += static_cast<char>(c);
    for (int c = 97; c <= 122; ++c) chars += static_cast<char>(c);
    f.Picture("abduction2.png", MakeStrip(18, 37, 78, [&](cairo_t* cr, int i) {
        std::string g(1, chars[i]);
        if (g == " ") return;
        double size = 24;
        UseFont(cr, Font::kBodyBold, size);
        cairo_text_extents_t e;
        cairo_text_extents(cr, g.c_str(), &e);
        double sx = std::min(1.0, 14.5 / std::max(1.0, e.width));
        cairo_save(cr);
        cairo_translate(cr, 9, 0);
        cairo_scale(cr, sx, 1);
        cairo_move_to(cr, -(e.x_bearing + e.width / 2), 27);
        cairo_text_path(cr, g.c_str());
        cairo_restore(cr);
        SetColor(cr, Hex(0x2a1a10));
        cairo_set_line_width(cr, 3.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        SetColor(cr, Hex(0xffffff));
        cairo_fill(cr);
    }));
}

// ---- studio logo ----

void Logo(Forge& f) {
    Canvas c(484, 160);
    cairo_t* cr = c.cr();
    // A beam of light falling from the upper right onto the ox head.
    cairo_move_to(cr, 330, 0);
    cairo_line_to(cr, 420, 0);
    cairo_line_to(cr, 290, 150);
    cairo_line_to(cr, 190, 150);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(380, 0, 240, 150);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.95, 0.7, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 0.95, 0.7, 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.95, 0.7, 0.05);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    const double cx = 242, cy = 92;
    // Horns.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, cx + side * 30, cy - 28);
        cairo_curve_to(cr, cx + side * 70, cy - 30, cx + side * 92, cy - 50, cx + side * 88, cy - 84);
        cairo_curve_to(cr, cx + side * 78, cy - 58, cx + side * 62, cy - 44, cx + side * 34, cy - 16);
        cairo_close_path(cr);
        FillLinear(cr, cx + side * 88, cy - 84, cx + side * 30, cy - 20, Hex(0xfff6e0), Hex(0xc8a070));
    }
    // Ears.
    for (int side : {-1, 1}) {
        Ellipse(cr, cx + side * 46, cy - 12, 16, 8);
        FillLinear(cr, cx, cy - 20, cx, cy, Hex(0xd0883e), Hex(0x8a4a1e));
    }
    // Head.
    auto head = [&](cairo_t* k) {
        cairo_move_to(k, cx - 34, cy - 30);
        cairo_curve_to(k, cx - 20, cy - 44, cx + 20, cy - 44, cx + 34, cy - 30);
        cairo_curve_to(k, cx + 40, cy, cx + 28, cy + 30, cx + 24, cy + 50);
        cairo_curve_to(k, cx + 12, cy + 64, cx - 12, cy + 64, cx - 24, cy + 50);
        cairo_curve_to(k, cx - 28, cy + 30, cx - 40, cy, cx - 34, cy - 30);
        cairo_close_path(k);
    };
    SoftShadow(cr, head, 6, -5, 6, Hex(0x000000, 0.5));
    head(cr);
    FillLinear3(cr, cx + 40, cy - 40, cx - 40, cy + 60, Hex(0xf0a85a), Hex(0xc0702e), Hex(0x6a3414));
    Ellipse(cr, cx, cy + 40, 22, 16);
    FillRadial(cr, cx + 6, cy + 34, 26, Hex(0xf8d0b0), Hex(0xc88a6a));
    for (int side : {-1, 1}) {
        Ellipse(cr, cx + side * 8, cy + 42, 4, 5);
        SetColor(cr, Hex(0x5a2a1a));
        cairo_fill(cr);
        Eye(cr, cx + side * 16, cy - 8, 6.5, 0.2, 0.1);
    }
    Ellipse(cr, cx, cy - 30, 10, 5);
    SetColor(cr, Hex(0xfff6e0, 0.7));
    cairo_fill(cr);
    f.Picture("Oxbeam_logo.png", c.Release());

    Canvas w(294, 70);
    LabelStyle st;
    st.size = FitSize(w.cr(), Font::kDisplay, "OXBEAM", 280, 56);
    st.fill = Hex(0xfff2d0);
    st.outline = Hex(0x6a3414);
    st.outline_w = 3;
    st.glow = Hex(0xffd890, 0.45);
    st.glow_blur = 10;
    Label(w.cr(), "OXBEAM", 147, 35, st);
    f.Picture("Oxbeam_logo_part2.png", w.Release());
}

}  // namespace

void ForgeMenus(Forge& f) {
    MainMenu(f);
    EnteringName(f);
    ConfirmNew(f);
    Difficulty(f);
    HighScores(f);
    OptionsMenu(f);
    ChooseProfile(f);
    DeleteProfile(f);
    Credits(f);
}

void ForgeHud(Forge& f) {
    Loading(f);
    Hud(f);
    Visor(f);
    Results(f);
}

void ForgeTexts(Forge& f) {
    HelpCards(f);
    VisorPages(f);
    BitmapFont(f);
}

void ForgeLogo(Forge& f) { Logo(f); }

}  // namespace forge
