// The level's rules and its running scores: read at every level start, changed by the
// flies, spiders and weapons while the level runs, tallied by the results screen.
#pragma once

// Running scores, zeroed at level start.
extern int main_score;
extern int tactic_bonus;
extern int time_bonus_left;
extern int flies_left;      // fly lives the spiders may still eat before the level is lost
extern int flies_released;

// The level's rules, read from ".\levels\levels_vars.xml" at every level start.
extern int fly_death_count;      // fly lives that may be lost in the level
extern int level_deadline_time;  // level_ticks after which the time bonus shrinks
extern int time_bonus;           // the level's full time bonus
extern int max_tactic_bonus;     // cap of the tactic bonus
extern int max_main_score;       // cap of the main score
extern int one_star_limit;       // totals needed for one to five stars
extern int two_star_limit;
extern int three_star_limit;
extern int four_star_limit;
extern int five_star_limit;
