// The menu loop: every out-of-level screen until a game starts or the program ends.
#pragma once

// Returns after setting menu_requested 0 and level_start_pending 1.
void run_menu_loop();
