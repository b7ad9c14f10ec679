// Story screens.
#include "shell/story.h"

#include "shell/globals.h"

void play_studio_logo() {}

void play_intro_story() {}

void play_level_banner() { show_level_banner = 0; }

void play_saving_animation() {}

void play_ending_story() {}

void play_final_results() {}
