// The modal story screens: studio logo, intro, level banner, saving animation, ending
// and final results.
#pragma once

#include <string>

void play_studio_logo();
void play_intro_story();
void play_level_banner();
void play_saving_animation();
void play_ending_story();
void play_final_results();

// What the running story screen shows, for the state dump; screen is "" between screens.
struct StoryScreenState {
    std::string screen; // "logo", "intro", "banner", "saving", "ending" or "final_results"
    int page = 0;       // story page 1.., 0 on screens without pages
    float opacity = 0;  // the fading picture or text, 0..1
    int phase = 0;      // intro/ending: 0 fading in, 1 fading out; banner and results: their phase
};
extern StoryScreenState story_screen;

// The final results' sums: total = score + 50 per star; rating = total / 300 within 1..100.
int final_total(int score, int stars);
int final_rating(int total);
// The trophy a rating bar filled to fill earns: 3 gold, 2 silver, 1 bronze, 0 none.
int final_trophy(float fill);
