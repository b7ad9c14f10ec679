// Level rules and the results tally. The rule and score globals themselves live in
// state/scores.h, where the world and the weapons change them.
#pragma once

#include "state/scores.h"

// Reads the rules of a level. A missing file, level element or key gives 0 for that rule;
// a malformed file raises the XML reader's error.
void load_level_rules(int level);
void decay_time_bonus();
void check_results();
