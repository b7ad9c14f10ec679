// Rule and score globals with their values at start-up.
#include "state/scores.h"

int main_score = 0;
int tactic_bonus = 0;
int time_bonus_left = 0;
int flies_left = 0;
int flies_released = 0;

int fly_death_count = 0;
int level_deadline_time = 0;
int time_bonus = 0;
int max_tactic_bonus = 0;
int max_main_score = 0;
int one_star_limit = 0;
int two_star_limit = 0;
int three_star_limit = 0;
int four_star_limit = 0;
int five_star_limit = 0;
