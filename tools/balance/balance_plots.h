// PNG charts of the balance table, drawn with cairo: win rate, stars, score parts and level
// length by level, one series per difficulty and skill.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "balance/balance_table.h"

namespace balance {

// Writes balance_win_rate.png, balance_stars.png, balance_score.png and balance_length.png
// into dir; returns the files written.
std::vector<std::string> WritePlots(const std::map<GroupKey, Group>& groups, const std::string& dir);

}  // namespace balance
