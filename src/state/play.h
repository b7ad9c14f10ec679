// What the robot, its weapon slots, the spiders, the effects and the HUD read of one
// another while a level is played. Each value is set by the one named beside its group.
#pragma once

#include <cstdint>

// The weapon slots (player/power_ups).
extern int active_slot;     // 1..4
extern int active_weapon;   // weapon of the active slot: 0 none, 1 laser .. 6 time warp
extern int free_slots;      // slots not yet filled, 4 at level start (0 or below: all full)
extern int slice_pending;   // 1 while a laser slice anchor waits for the right button's release
extern int cooling_frames;  // frames of extra cooling left, 100 per cooling module used

// The robot (player/robo_fly).
extern float temperature;              // robot heat; 0 cold, overheats above 100 (may dip just below 0)
extern int robot_damaged;              // copy of the robot's `damaged`, for the HUD
extern uint8_t robot_Curr_animation;   // copy of the robot's `Curr_animation`, for the repair smoke; 0 with no robot

// The HUD (ui/ingame_gui).
extern int time_warp_state;      // 0 off, 1 slowing, 2 recovering
extern int time_warp_timer;      // frames spent in the current time-warp phase
extern int spider2_gauge_state;  // slide of the gauges: 1 in, 2 shown, 3 out, 5 first out; 0/4/6 still
extern int overheat_flash;       // frames of flash left
