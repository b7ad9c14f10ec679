// Menu widgets: every piece of a menu screen (background, panel, buttons, sliders, the
// name entry and its cursor, profile slots, high-score rows) and the builders of each screen.
#pragma once

#include <string>

#include "entities/actor.h"

class GuiT : public Actor {
public:
    int activated = 0;    // 1: a text entry (script 2) takes typed characters
    int pickable = 1;     // 0 inert, 1 button (hover glow and click), 2 slider (dragged)
    int picked_stat = 0;  // 0 not under the mouse, 1 under it, 2 clicked this frame
    int grabbed = 0;
    int profile_num = 0;  // profile slot 1..4; on a high-score row its id - 3
    float timer = 0;      // counter of the script animations
    float value = 1.0f;   // step of the script animations
    std::string name;     // the widget's key; the shown text of text widgets
    // Second key: "change_player_profile" / "create_player_profile" on profile slots, the
    // slot's player on delete crosses ("" for a free slot), the player on high-score rows.
    std::string name_container;
    int High_score_X = 643;  // score plate of a high-score row, pixels
    int High_score_Y = 0;
    // Glow away from the mouse: 0 keeps its alpha, 1 fades out, 2 flickers, 3 stays fully
    // visible, 4 disabled (red, fades out).
    int fade = 0;
    std::string Pop_up_text;  // "Change" on the main menu's player widget
    int show_name = 0;        // 1 draws name as text
    int QuadX = 10;           // hit box width and height, pixels
    int QuadY = 10;
    int score = 0;  // shown by a high-score row
    // 0 none, 1 button, 2 text entry, 3 sideways drift, 4 blinking cursor, 5 pulsing
    // name, 6 high-score row or profile label.
    int script = 1;
    int TextX = 0, TextY = 0;

    // First half of a frame: hover, click, slider drag and the pulsing name. Input counts
    // only while the menu is idle (not fading).
    void update_hover(bool idle);
    // Second half, after the menu has reacted to clicks: the other animations, typing,
    // and drawing.
    void update_animate_and_draw();

    // Screen builders; each appends its widgets to gui_list.
    static void Init_Entering();
    static void Init_Main_menu();
    static void Confirm_New();
    static void Hardity_Confirm_New();
    static void Glory_Main_menu();
    static void Options_menu();
    static void Choose_profile_menu();
    static void Delete_profile(const std::string& name);
    static void Credits();
    static void Background_Create(int screen);
    static void Menu_Create(int screen, const std::string& argument);

    const char* type_name() const override { return "GuiT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// Where the options screen's sliders lie: the knob's x runs over 355..655 for volumes 0..1.
constexpr int kSliderLeft = 355;
constexpr int kSliderRight = 655;
