// The frame loop: once per displayed frame it latches the mouse, clears, handles Escape,
// starts a level or enters the menu when one is pending, advances the level clock, runs
// the tutorial, walks every entity list in drawing order and presents the frame.
#pragma once

// Thrown to end the program from any loop (close request, frame limit); main catches it.
struct ProgramExit {
    int code = 0;
};
[[noreturn]] void end_program(int code = 0);

void latch_mouse();
void clear_mouse_latch();
void handle_escape();
void advance_level_clock();
void update_world();
void clear_world();
void process_level_start();
void select_slot_by_keys();
void select_slot_by_wheel();

// One pass of the main loop.
void main_loop_frame();
// Runs frames until the window is closed.
void run_main_loop();
