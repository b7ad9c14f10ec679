// Frame loop globals with their values at start-up.
#include "state/globals.h"

#include "platform/input.h"

uint8_t level_start_pending = 1;
uint8_t menu_requested = 1;
int level_running = 0;
uint8_t level_outcome = 0;
uint8_t pause_state = 0;
uint8_t help_card = 0;
int tick_frames = 0;
int level_ticks = 0;
float time_scale = 1;
int show_intro_story = 1;
int show_level_banner = 1;
int show_saving_indicator = 0;
int mouse_hit_left = 0, mouse_hit_right = 0, mouse_hit_middle = 0;
int mouse_down_left = 0, mouse_down_right = 0, mouse_down_middle = 0;
float screen_shake_x = 0, screen_shake_y = 0;
int visor_page = 0;
int tutorial_step = 0;
uint8_t screen_depth = 0;
uint8_t refresh_rate = 60;

void latch_mouse()
{
    if (MouseHit(1)) mouse_hit_left = 1;
    if (MouseDown(1)) mouse_down_left = 1;
    if (MouseHit(2)) mouse_hit_right = 1;
    if (MouseDown(2)) mouse_down_right = 1;
    if (MouseHit(3)) mouse_hit_middle = 1;
    if (MouseDown(3)) mouse_down_middle = 1;
}

void clear_mouse_latch()
{
    mouse_hit_left = mouse_hit_right = mouse_hit_middle = 0;
    mouse_down_left = mouse_down_right = mouse_down_middle = 0;
}
