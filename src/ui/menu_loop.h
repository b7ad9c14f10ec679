// The menu loop: every out-of-level screen (name entry, main menu, confirmations,
// difficulty, high scores, options, profiles, credits) until a game starts or the program
// ends. Screens change through a fade to black; input counts only while no fade runs.
#pragma once

#include <string>

// Screen numbers.
constexpr int kScreenNameEntry = 1;
constexpr int kScreenMainMenu = 2;
constexpr int kScreenConfirmNew = 3;
constexpr int kScreenHighScores = 4;
constexpr int kScreenOptions = 5;
constexpr int kScreenProfiles = 6;
constexpr int kScreenDeleteProfile = 7;
constexpr int kScreenStartLevel = 8;  // leave the loop and start a level
constexpr int kScreenExit = 9;        // end the program
constexpr int kScreenCredits = 10;
constexpr int kScreenDifficulty = 11;

// The loop's state: one run of the loop from entry to leaving.
struct MenuLoopState {
    int screen = kScreenNameEntry;
    int next_screen = kScreenNameEntry;  // chosen by the last click
    int built = 0;                       // 1 once the screen's widgets exist
    int rebuild = 0;                     // 1: discard the widgets and build them again
    int fade_state = 1;                  // 0 idle (input accepted), 1 fading in, 2 fading out
    float fade_alpha = 1;                // black cover over the screen, 0..1
    std::string working_name;            // the name being typed or chosen
    int new_slot = 1;                    // slot a created profile will take
    int delete_slot = 0;                 // profile chosen for deletion
    std::string delete_name;
    std::string screen_argument;  // passed to Menu_Create (the delete name for screen 7)
    int cursor_x = 400;           // text cursor on the name entry, pixels
    int done = 0;
};

extern MenuLoopState menu_loop;
extern bool menu_loop_running;  // true while run_menu_loop runs (the state dump shows it)

// Returns after setting menu_requested 0 and level_start_pending 1; "Exit" and a close
// request end the program.
void run_menu_loop();
// One pass of the loop: one frame drawn and presented.
void menu_loop_frame();
