// The frame loop: once per displayed frame it latches the mouse, clears, handles Escape,
// starts a level or enters the menu when one is pending, advances the level clock, runs
// the tutorial, walks every entity list in drawing order and presents the frame.
#pragma once

#include "state/globals.h"  // latch_mouse, clear_mouse_latch
#include "state/program_exit.h"

void handle_escape();
void advance_level_clock();
void update_world();
void clear_world();
void process_level_start();

// One pass of the main loop.
void main_loop_frame();
// Runs frames until the window is closed.
void run_main_loop();
