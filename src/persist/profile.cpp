// Profile and configuration globals.
#include "persist/profile.h"

std::string profile_name = "Player";
int current_level = 1;
int profile_score = 0;
int profile_stars = 0;
int game_completed = 0;
int difficulty = 1;
uint8_t current_profile = 0;

float music_volume = 0.9f;
float sound_volume = 0.65f;
uint8_t screen_mode = 1;
