// The current profile and the configuration: globals shared by the level rules, the
// menus and start-up, and the files that keep them between runs.
#pragma once

#include <cstdint>
#include <string>

// Current profile.
extern std::string profile_name;  // "Player" until a profile is loaded or created
extern int current_level;         // level to play next, 1..30
extern int profile_score;
extern int profile_stars;
extern int game_completed;        // 1 once level 30 has been won
extern int difficulty;            // 1 normal, 2 hard
extern uint8_t current_profile;   // slot 1..4, 0 when no profile exists

// Configuration.
extern float music_volume;  // 0..1
extern float sound_volume;  // 0..1
extern uint8_t screen_mode; // 1 window, 2 full screen
