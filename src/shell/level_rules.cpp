// Level rules and results.
#include "shell/level_rules.h"

int main_score = 0;
int tactic_bonus = 0;
int time_bonus_left = 0;
int flies_left = 0;
int flies_released = 0;

void load_level_rules(int /*level*/) {}

void decay_time_bonus() {}

void check_results() {}
