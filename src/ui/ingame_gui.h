// The in-game HUD: gauges, thermometer, pause menu, help cards, level-end fade and the
// overheat flash that shakes the screen.
#pragma once

#include "entities/actor.h"

extern int time_warp_state;      // 0 off, 1 running, 2 ending
extern int time_warp_timer;      // frames
extern int spider2_gauge_state;
extern int overheat_flash;       // frames of flash left

class inGame_guiT : public Actor {
public:
    static void CreateIngameGui();
    void update();
    const char* type_name() const override { return "inGame_guiT"; }
};

// Once per frame: the overheat flash and the screen shake it drives.
void UpdateOverheatFlash();
