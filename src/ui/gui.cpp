// Menu widgets: per-frame hover, sliders, animations and drawing, and the screen builders
// with each widget's place and hit box.
#include "ui/gui.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "entities/helpers.h"
#include "persist/profile.h"
#include "persist/profile_save.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "ui/font.h"
#include "ui/menu_loop.h"

namespace {

constexpr int kNameLength = 7;  // longest player name, characters

GuiT* add_widget(TImage* picture, float x, float y, const std::string& name)
{
    GuiT* w = gui_list.create();
    w->entity = picture;
    w->x = x;
    w->y = y;
    w->name = name;
    return w;
}

// Background pieces, panels, labels: drawn, never hovered or clicked.
GuiT* add_inert(TImage* picture, float x, float y, const std::string& name = "")
{
    GuiT* w = add_widget(picture, x, y, name);
    w->pickable = 0;
    return w;
}

// A button's picture is its glow: invisible until the mouse comes over it.
GuiT* add_button(TImage* picture, float x, float y, const std::string& name, int box_w, int box_h)
{
    GuiT* w = add_widget(picture, x, y, name);
    w->alpha = 0;
    w->QuadX = box_w;
    w->QuadY = box_h;
    return w;
}

GuiT* add_slider(float volume, float y, const std::string& name)
{
    GuiT* w = add_widget(fly_anim_menu_png, kSliderLeft + volume * (kSliderRight - kSliderLeft), y, name);
    w->QuadX = 70;
    w->QuadY = 70;
    w->pickable = 2;
    w->alpha = 1;
    w->animated = 2;  // the frame is the slider's state, set below
    w->MaxFrames = 4;
    w->frame = 3;
    w->fade = 3;
    return w;
}

// A player name, a high-score row: text that is never clicked, so that a player called
// "Back" or "Exit" cannot act as the button of that name.
GuiT* add_name_label(float x, float y, const std::string& name)
{
    GuiT* w = add_inert(nullptr, x, y, name);
    w->QuadX = 150;
    w->QuadY = 50;
    w->script = 6;
    w->show_name = 1;
    return w;
}

bool name_taken(const std::string& name)
{
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        if (ProfileNameOf(slot) == name)
            return true;
    }
    return false;
}

// The knob's x on the track gives the volume; the last two percent snap to silence.
float slider_volume(float x)
{
    float v = (x - kSliderLeft) / 3 * 0.01f;
    return v < 0.02f ? 0.0f : std::min(v, 1.0f);
}

// The player's name on the main menu's small plate. The engine's own text font is a
// developer's 3 x 5 pixel font, unreadable there; the picture font at half size fits a
// seven-letter name in the plate, centred on it.
void draw_small_name(const std::string& name, float x, float y)
{
    constexpr float kScale = 0.5f;
    constexpr float kAdvance = 29 * kScale;
    SetScale(kScale, kScale);
    const float left = x - kAdvance * static_cast<float>(name.size()) / 2;
    GFont::DrawString(abduction2_png, static_cast<int>(left), static_cast<int>(y - 9), name, 0, 0,
                      30 - kAdvance);
    SetScale(1, 1);
}

// A high-score row's score on its plate, with a black shadow one pixel left and down, in
// the picture font at a size that fills the 42-pixel plate (the engine font is too small).
void draw_plate_score(int score, int x, int y)
{
    constexpr float kScale = 0.6f;
    constexpr float kSpacing = 30 - 29 * kScale;
    const std::string text = std::to_string(score);
    SetScale(kScale, kScale);
    SetColor(0, 0, 0);
    GFont::DrawString(abduction2_png, x + 3 - 1, y + 8 + 1, text, 0, 0, kSpacing);
    SetColor(255, 255, 255);
    GFont::DrawString(abduction2_png, x + 3, y + 8, text, 0, 0, kSpacing);
    SetScale(1, 1);
}

}  // namespace

void GuiT::update_hover(bool idle)
{
    const float left = script == 5 ? x - 80 : x;
    const float top = script == 5 ? y - 25 : y;
    const bool over = rects_overlap(static_cast<int>(left), static_cast<int>(top), QuadX, QuadY, MouseX(),
                                    MouseY(), 1, 1) != 0;
    if (over && idle) {
        if (pickable == 1) {
            alpha = std::min(alpha + 0.1f, 1.0f);
            picked_stat = 1;
            if (mouse_hit_left == 1)
                picked_stat = 2;
            if (menu_loop.screen == kScreenNameEntry && name == "OK") {
                // A name already in use cannot be confirmed: the button turns red.
                if (name_taken(menu_loop.working_name)) {
                    R = 255, G = 50, B = 50;
                    fade = 4;
                } else {
                    R = G = B = 255;
                    fade = 1;
                }
            }
        } else if (pickable == 2) {
            picked_stat = 1;
            if (mouse_down_left == 1) {
                x = std::clamp(static_cast<float>(MouseX() - 45), static_cast<float>(kSliderLeft),
                               static_cast<float>(kSliderRight));
                if (name == "Music") {
                    music_volume = slider_volume(x);
                    set_channel_volume_by_name("menu_music", music_volume);
                } else if (name == "Sound") {
                    sound_volume = slider_volume(x);
                    set_channel_volume_by_name("sound_test", sound_volume);
                    set_channel_volume_by_name("ambient", sound_volume);
                    resume_channel_by_name("sound_test");
                }
            } else {
                frame = static_cast<float>(MaxFrames - 2);
                if (name == "Sound")
                    pause_channel_by_name("sound_test");
            }
        }
    } else {
        if (pickable == 2) {
            frame = static_cast<float>(MaxFrames - 3);
            if (picked_stat == 1)
                pause_channel_by_name("sound_test");
        }
        switch (fade) {
        case 1:
            R = G = B = 255;
            alpha = std::max(alpha - 0.1f, 0.0f);
            break;
        case 2:
            R = G = B = 255;
            alpha = static_cast<float>(Rnd(0.2222, 0.3));
            break;
        case 3:
            R = G = B = 255;
            alpha = 1;
            break;
        case 4:
            R = 255, G = 50, B = 50;
            alpha = std::max(alpha - 0.1f, 0.0f);
            break;
        default: break;
        }
        picked_stat = 0;
        SetColor(255, 255, 255);
    }

    if (script == 5) {
        // The player's name pulses while the mouse is over it. Steps of 1 and 0.2 from 0
        // land on exactly 10 in single precision, so the turn is an equality test.
        if (picked_stat == 1) {
            timer += value;
            if (timer == 10)
                value = -0.2f;
            else if (timer <= 0.5f)
                value = 0.2f;
            alpha = timer / 10;
        } else {
            alpha = 1;
        }
    }
}

void GuiT::update_animate_and_draw()
{
    switch (script) {
    case 2:
        if (activated == 1) {
            if (KeyHit(kKeyBackspace) && !name.empty())
                name.pop_back();
            if (name.size() <= kNameLength)
                name += ReadTypedText();
            // Cut at once: a name confirmed in this same frame is never longer.
            if (name.size() > kNameLength)
                name.resize(kNameLength);
            menu_loop.cursor_x = static_cast<int>(x) + 25 * static_cast<int>(name.size());
            menu_loop.working_name = name;
        }
        break;
    case 3:
        timer += value;
        if (timer > 10)
            value = -1;
        else if (timer <= 0)
            value = 1;
        x += value;
        break;
    case 4:
        // Fades in over 10 frames, then blinks.
        timer += value;
        if (timer == 10)
            value = -0.2f;
        else if (timer <= 0.2f)
            value = 0.2f;
        alpha = timer / 10;
        x = static_cast<float>(menu_loop.cursor_x);
        break;
    default: break;
    }
    if (name == "achivements")
        alpha = static_cast<float>(Rnd(0.255, 0.31));

    MethodDrawEntity();

    if (show_name == 1) {
        const float text_x = x - 3 * static_cast<float>(name.size());
        const float text_y = y - 5;
        if (script == 5)
            draw_small_name(name, x, y);
        else if (script == 1 || script == 2 || script == 6) {
            // A profile slot has no glow picture: its name lights up under the mouse instead.
            if (script == 1 && picked_stat != 0)
                SetColor(255, 222, 120);
            GFont::DrawString(abduction2_png, static_cast<int>(text_x), static_cast<int>(text_y), name, 0, 0, 1);
            SetColor(255, 255, 255);
        }
        if (script == 6 && menu_loop.screen == kScreenHighScores) {
            DrawImage(score_text_png, static_cast<float>(High_score_X), static_cast<float>(High_score_Y), 0);
            draw_plate_score(score, High_score_X + 9, High_score_Y + 2);
        }
    }
    SetRotation(0);
    SetScale(1, 1);
}

void GuiT::Background_Create(int screen)
{
    add_inert(back_level_1_jpg, 0, 0);
    add_inert(menu_prt1_png, 693, 0);
    add_inert(menu_prt2_png, 0, 517);
    add_inert(menu_prt3_png, 0, 0);
    GuiT* flies = add_inert(Back_flys_anim_png, 160, 440);
    flies->sizeX = flies->sizeY = 3;
    flies->animated = 1;
    flies->MaxFrames = 8;
    flies->animation_script = 2;
    flies->AnimationSpeed = 0.19f;

    struct Panel {
        int screen;
        TImage* picture;
        float x;
    };
    const Panel panels[] = {
        {kScreenNameEntry, entering_name_png, 190},     {kScreenMainMenu, Main_menu_png, 360},
        {kScreenConfirmNew, NewGame_confirm_menu_png, 205}, {kScreenHighScores, desk_of_glory_png, 205},
        {kScreenOptions, options_menu_png, 172},        {kScreenProfiles, choose_profile_menu_png, 255},
        {kScreenDeleteProfile, delete_profile_menu_png, 255}, {kScreenCredits, credits_png, 200},
        {kScreenDifficulty, hardity_menu_png, 198},
    };
    for (const Panel& p : panels) {
        if (p.screen == screen)
            add_inert(p.picture, p.x, 0);
    }
}

void GuiT::Init_Entering()
{
    GuiT* text = add_inert(nullptr, 400, 350, "PLAYER1");
    text->script = 2;
    text->activated = 1;
    text->show_name = 1;
    GuiT* cursor = add_widget(Carret_jpg, 400, 363, "");
    cursor->script = 4;
    cursor->activated = 1;
    add_button(ok_profile_png, 310, 460, "OK", 70, 40);
    add_button(cancel_profile_png, 595, 450, "CANCEL", 170, 50)->fade = 1;
}

void GuiT::Init_Main_menu()
{
    GuiT* resume = add_button(ResumeGame_png, 377, 148, "Resume", 290, 50);
    resume->BlendMode = 2;
    resume->Glow = 1;
    resume->GlowEntity = ResumeGame_png;
    if (current_level == 1 || game_completed == 1) {
        resume->fade = 4;  // nothing to resume
        resume->GlowR = 155, resume->GlowG = 0, resume->GlowB = 0;
    } else {
        resume->fade = 1;
        resume->GlowR = 0, resume->GlowG = 155, resume->GlowB = 0;
        resume->GlowTwinkle = 1;
    }
    add_button(NewGame_png, 412, 246, "New Game", 230, 50);
    add_button(HighScore_png, 401, 368, "High score", 260, 50);
    add_button(options_png, 425, 465, "Options", 225, 50);
    add_button(credits_glow_png, 444, 597, "Credits", 140, 40);
    add_button(exit_main_png, 537, 674, "Exit", 80, 50);
    GuiT* player = add_button(player_profile_png, 945, 25, profile_name, 150, 50);
    player->script = 5;
    player->show_name = 1;
    player->Pop_up_text = "Change";
}

void GuiT::Confirm_New()
{
    add_button(yes_confirm_png, 315, 500, "Yes", 100, 50);
    add_button(no_confirm_png, 602, 500, "No", 85, 50);
}

void GuiT::Hardity_Confirm_New()
{
    add_button(normal_glow_png, 266, 337, "normal", 190, 50);
    add_button(hard_glow_png, 574, 335, "hard", 135, 50);
    add_button(back_hradity_png, 447, 444, "back_hardity", 90, 50);
}

void GuiT::Glory_Main_menu()
{
    LoadHighScores();
    // Four passes, each taking the best row not yet taken; ties go to the earlier row and
    // a score of 0 still counts. Rows are marked themselves, whatever ids the file held.
    std::vector<ProfileSaveT*> ranked;
    for (int pass = 0; pass < 4; ++pass) {
        ProfileSaveT* best = nullptr;
        int best_score = -1;
        for (ProfileSaveT* row : high_score_list.snapshot()) {
            if (row->id < 1 || row->id > kHighScoreRows || row->been_picked == 1)
                continue;
            if (row->score > best_score) {
                best = row;
                best_score = row->score;
            }
        }
        if (!best)
            break;
        best->been_picked = 1;
        ranked.push_back(best);
    }

    struct Place {
        float x, y;
        int plate_y;
    };
    const Place places[4] = {{415, 246, 236}, {420, 325, 323}, {420, 410, 409}, {415, 491, 491}};
    auto add_row = [&](int i, const std::string& player, int player_score, int slot) {
        GuiT* row = add_name_label(places[i].x, places[i].y, player);
        row->profile_num = slot;
        row->name_container = player;
        row->score = player_score;
        row->High_score_Y = places[i].plate_y;
    };
    for (int i = 0; i < 3 && i < static_cast<int>(ranked.size()); ++i)
        add_row(i, ranked[static_cast<size_t>(i)]->name, ranked[static_cast<size_t>(i)]->score,
                ranked[static_cast<size_t>(i)]->id - 3);
    // The fourth row is the player's own when the best three leave them out.
    const bool player_outside = current_profile != 0 && ranked.size() >= 3 && profile_score < ranked[2]->score;
    if (player_outside)
        add_row(3, profile_name, profile_score, current_profile);
    else if (ranked.size() >= 4)
        add_row(3, ranked[3]->name, ranked[3]->score, ranked[3]->id - 3);

    add_button(back_glory_png, 438, 600, "Back", 120, 45);
    GuiT* shine = add_inert(achivments_glory_png, 620, 193, "achivements");
    shine->BlendMode = 2;
    shine->alpha = 0.2f;
    high_score_list.clear();
}

void GuiT::Options_menu()
{
    add_slider(music_volume, 242, "Music");
    add_slider(sound_volume, 347, "Sound");
    add_button(window_options_png, 246, 490, "Window", 200, 60);
    add_button(fullscreen_menu_png, 555, 490, "Fullscreen", 250, 50);
    add_button(back_options_menu_png, 474, 612, "Back", 120, 65);
}

void GuiT::Choose_profile_menu()
{
    const float slot_y[4] = {240, 325, 410, 485};
    for (int n = 1; n <= kProfileSlots; ++n) {
        const bool used = ProfileExists(n) == 1;
        GuiT* slot = add_widget(nullptr, 425, slot_y[n - 1], used ? ProfileNameOf(n) : "Empty");
        slot->QuadX = 170;
        slot->QuadY = 50;
        slot->show_name = 1;
        slot->profile_num = n;
        slot->name_container = used ? "change_player_profile" : "create_player_profile";
    }
    struct Cross {
        float x, y;
        int box_h;
    };
    const Cross crosses[4] = {{662, 238, 45}, {662, 320, 40}, {663, 408, 45}, {663, 487, 45}};
    for (int n = 1; n <= kProfileSlots; ++n) {
        const Cross& c = crosses[n - 1];
        add_button(Delete_profile_png, c.x, c.y, "Cross " + std::to_string(n), 40, c.box_h)->name_container =
            ProfileNameOf(n);
    }
    add_button(back_choose_profile_png, 443, 597, "Back", 125, 50);
}

void GuiT::Delete_profile(const std::string& name)
{
    add_button(yes_profile_delete_png, 327, 502, "YES", 120, 50);
    add_button(no_delete_profile_png, 626, 493, "NO", 90, 50);
    GuiT* label = add_name_label(450, 392, name);
    label->QuadX = 110;
}

void GuiT::Credits() { add_button(back_credits_png, 559, 652, "Back", 90, 50); }

void GuiT::Menu_Create(int screen, const std::string& argument)
{
    Background_Create(screen);
    switch (screen) {
    case kScreenNameEntry: Init_Entering(); break;
    case kScreenMainMenu: Init_Main_menu(); break;
    case kScreenConfirmNew: Confirm_New(); break;
    case kScreenHighScores: Glory_Main_menu(); break;
    case kScreenOptions: Options_menu(); break;
    case kScreenProfiles: Choose_profile_menu(); break;
    case kScreenDeleteProfile: Delete_profile(argument); break;
    case kScreenCredits: Credits(); break;
    case kScreenDifficulty: Hardity_Confirm_New(); break;
    default: break;
    }
}

void GuiT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["activated"] = activated;
    o["pickable"] = pickable;
    o["picked_stat"] = picked_stat;
    o["grabbed"] = grabbed;
    o["profile_num"] = profile_num;
    o["timer"] = timer;
    o["value"] = value;
    o["name"] = name;
    o["name_container"] = name_container;
    o["High_score_X"] = High_score_X;
    o["High_score_Y"] = High_score_Y;
    o["fade"] = fade;
    o["Pop_up_text"] = Pop_up_text;
    o["show_name"] = show_name;
    o["QuadX"] = QuadX;
    o["QuadY"] = QuadY;
    o["score"] = score;
    o["script"] = script;
    o["TextX"] = TextX;
    o["TextY"] = TextY;
}
