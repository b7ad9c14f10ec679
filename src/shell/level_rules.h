// Level rules, score parts and the results tally.
#pragma once

extern int main_score;
extern int tactic_bonus;
extern int time_bonus_left;
extern int flies_left;      // flies the spiders may still eat before the level is lost
extern int flies_released;

void load_level_rules(int level);
void decay_time_bonus();
void check_results();
