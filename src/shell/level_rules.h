// Level rules, the time bonus and the results tally. The rule and score globals themselves
// live in state/scores.h, where the world and the weapons change them.
#pragma once

#include "state/scores.h"

// The results tally's own state, kept in a global while it runs so that state dumps can
// follow it frame by frame.
struct ResultsTally {
    int running = 0;         // 1 while the results screen is shown
    int phase = 0;           // 0..12: title, label, panel, three counts, five stars, buttons
    int frame = 0;           // frames since entry; restarts when the counting is done
    int main_counter = 0;    // the displayed counters, counted up by 5 a frame
    int time_counter = 0;
    int tactic_counter = 0;
    int total = 0;           // main score + tactic bonus + time bonus
    int stars = 0;           // 0..5 earned by the total
    float bar = 0;           // star bar position, percent of the five-star limit
    float target = 0;        // where the bar stops
    float title_fade = 0;    // opacities 0..1
    float label_fade = 0;
    float panel_fade = 0;
    float main_fade = 0;
    float time_fade = 0;
    float tactic_fade = 0;
    float total_fade = 0;
    float button_fade = 0;
    float restart_glow = 0;  // hover glows 0..1; a held button at 1 takes it
    float continue_glow = 0;
};
extern ResultsTally results_tally;

// Reads the rules of a level. A missing file raises the XML reader's error, as does a
// malformed one; a missing level element or key gives 0 for that rule.
void load_level_rules(int level);
// Stars earned by a total, 0..5.
int star_count(int total);
// Score of the flies still in the web and of those still to arrive.
int pending_flies_value();
// Once per frame: past the deadline the time bonus shrinks by 2 a tick while the level runs.
void decay_time_bonus();
// Once per frame: a won level whose closing fade has ended goes to the results screen.
void check_results();
// The modal results screen: tallies the level, lights the stars, and returns once Restart
// or Continue was taken; Continue advances and saves the profile.
void results_screen();

// The results screen in steps, for tests: the entry tally, then one frame's logic and
// drawing (between the mouse latch and the present); it returns 0 while the screen goes
// on, 1 once Restart was taken, 2 once Continue was taken.
void begin_results();
int step_results();
