// The in-game HUD: hunger gauges, thermometer, the flies-left counter and its warning,
// the time warp, the colour washes, pause button and menu, weapon help cards, the
// level-end panels with the closing fade, and the overheat flash that shakes the screen.
#pragma once

#include <string>

#include "entities/actor.h"
#include "state/play.h"  // time_warp_state, time_warp_timer, spider2_gauge_state, overheat_flash

extern int end_fade_timer;       // frames since the level's outcome was decided

class inGame_guiT : public Actor {
public:
    int script = 1;         // 2 pause button, 4 pause-menu label, 5 pause-menu button; others inert
    std::string name;       // selects the element's behaviour
    uint8_t switch_ = 1;    // warning pulse direction: 1 falling, 0 rising (the dump's "switch")
    int switch_time = 100;  // warning pulse level, 0..100

    // Builds the level's 37 elements into ingame_gui_list.
    static void CreateIngameGui();
    void Update_Visor_script();
    void update_hunger_gui();
    void Update_rip_glow();
    void UpdateTimeWarp();
    void update_cooling();
    void update_temperature_gui();
    void Update_pause_menu();
    void Draw_help_info(int alpha);
    void draw_level_completed();
    // Per frame, for every element in list order: its logic, then its drawing.
    void update();

    const char* type_name() const override { return "inGame_guiT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// Once per frame: the overheat flash and the screen shake it drives.
void UpdateOverheatFlash();
