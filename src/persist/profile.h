// The current profile and the configuration: globals shared by the level rules, the
// menus and start-up, and the files that keep them between runs.
#pragma once

#include <cstdint>
#include <string>

// Current profile.
extern std::string profile_name; // "Player" until a profile is loaded or created
extern int current_level;        // level to play next, 1..30
extern int profile_score;
extern int profile_stars;
extern int game_completed;      // 1 once level 30 has been won
extern int difficulty;          // 1 normal, 2 hard
extern uint8_t current_profile; // slot 1..4, 0 when no profile exists

// Configuration.
extern float music_volume;  // 0..1
extern float sound_volume;  // 0..1
extern uint8_t screen_mode; // 1 window, 2 full screen: the mode the display is in
// The mode config.dat keeps. A command-line override changes screen_mode for one run
// only; the options screen saves this one.
extern uint8_t configured_screen_mode;

constexpr int kProfileSlots = 4;
constexpr int kLastLevel = 30;

// ".\profiles\Profile_N.dat" for a slot.
std::string ProfilePath(int slot);

// Reads the configuration at start-up; a missing or truncated file gives the defaults
// (0.9, 0.65, window), which are written anew. Also makes sure the profiles folder exists
// and clears away what interrupted saves left in it.
int LoadConfig();
int SaveConfig();

int ProfileExists(int slot);         // 1 when the slot's file opens
int CountProfiles();                 // slots 1..4 whose file opens
std::string ProfileNameOf(int slot); // first line of the slot's file, or ""
// Makes the slot current and renews its file's time. A slot whose file is missing or
// ends early changes nothing; returns 1 when the profile was loaded.
int LoadProfile(int slot);
// Writes the current profile into the slot, pulled down into the lowest gap; slots
// outside 1..4 are ignored.
int SaveProfile(int slot);
// Deletes a slot, moving the later profiles down one slot; the current profile follows
// its file.
int DeleteProfile(int slot);
// At start-up: makes the most recently written complete profile current.
int LoadLatestProfile();
