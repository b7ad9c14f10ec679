// The shared values of the level in play, with their values at start-up.
#include "state/play.h"

int active_slot = 1;
int active_weapon = 1;
int free_slots = 4;
int slice_pending = 0;
int cooling_frames = 0;

float temperature = 0;
int robot_damaged = 0;
uint8_t robot_Curr_animation = 0;

int time_warp_state = 0;
int time_warp_timer = 0;
int spider2_gauge_state = 0;
int overheat_flash = 0;
