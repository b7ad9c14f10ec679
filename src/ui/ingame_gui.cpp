// The in-game HUD.
#include "ui/ingame_gui.h"

int time_warp_state = 0;
int time_warp_timer = 0;
int spider2_gauge_state = 0;
int overheat_flash = 0;

void inGame_guiT::CreateIngameGui() {}

void inGame_guiT::update() { MethodDrawEntity(); }

void UpdateOverheatFlash() {}
