// The modal story screens: studio logo, intro, level banner, saving animation, ending
// and final results.
#pragma once

void play_studio_logo();
void play_intro_story();
void play_level_banner();
void play_saving_animation();
void play_ending_story();
void play_final_results();
