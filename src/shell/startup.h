// Start-up: configuration, the 1024 x 768 screen, the studio logo, the asset catalogue
// with its loading bar, and the most recent profile.
#pragma once

#include <cstdint>

extern int loading_steps;  // loading-bar units done

// Settings given on the command line that start-up applies over the saved ones.
struct StartupOverrides {
    int screen_mode = 0;  // 0 keep the configured mode, 1 window, 2 full screen
    int level = 0;        // 1..30: skip the menu and start this level
    int difficulty = 0;   // 1 or 2 with level
};

void startup(const StartupOverrides& overrides);
void loading_step(int units);
// Loads every picture and sound of the catalogue into its global, group by group, each
// group followed by loading_step. A file that cannot be read leaves its global empty.
void load_catalogue();
// Frees every catalogue asset and empties its global (tests that load more than once).
void free_catalogue();
void release_loading_screen();
