// The frame loop's shared state: screen requests, pause, the level clock, the latched
// mouse buttons, the screen shake offset every entity is drawn with and the display mode.
#pragma once

#include <cstdint>

extern uint8_t level_start_pending;  // 1: start a level (or enter the menu) at the next frame
extern uint8_t menu_requested;       // 1: the pending start goes to the menu
extern int level_running;            // 1 while a level is played
extern uint8_t level_outcome;        // 0 playing, 1 won, 2 lost
extern uint8_t pause_state;          // 0 running, 1 pause menu, 2 weapon help card
extern uint8_t help_card;            // weapon help card pending or shown, 0 none, 1..7
extern int tick_frames;              // frames counted towards the next level tick
extern int level_ticks;              // level clock, ticks since level start
extern float time_scale;             // game speed: 1 normally, lower during the time warp
extern int show_intro_story;         // 1: play the intro story before the next level
extern int show_level_banner;        // 1: show the level banner after the next level starts
extern int show_saving_indicator;    // 1: show the saving animation at the next start
extern int mouse_hit_left, mouse_hit_right, mouse_hit_middle;     // pressed since the last frame
extern int mouse_down_left, mouse_down_right, mouse_down_middle;  // held
// Every loop that reads the mouse (the main loop, menus, results) latches the buttons at
// the top of its frame and clears them at the bottom, so a click is seen by every test in
// its frame and by none in the next.
void latch_mouse();
void clear_mouse_latch();
extern float screen_shake_x, screen_shake_y;  // draw offset of every entity, pixels
extern int visor_page;     // tutorial visor page shown, 0 none
extern int tutorial_step;  // progress of the tutorial script
extern uint8_t screen_depth;  // display mode asked of Graphics: 0 window, 32 full screen
extern uint8_t refresh_rate;  // display refresh asked of Graphics, Hz
