// Level rules and results.
#include "shell/level_rules.h"

#include <string>

#include "persist/xml_document.h"
#include "world/level_file.h"

namespace {

// A key the file lacks counts as text without a number.
int rule_value(xmlNode* level, const char* key)
{
    int v = 0;
    return find_int_value(level, key, v) ? v : 0;
}

}  // namespace

void load_level_rules(int level)
{
    auto doc = load_tuning_document(".\\levels\\levels_vars.xml");
    xmlNode* root = doc ? doc->Root() : nullptr;
    xmlNode* rules = root ? root->FindChild("level_" + std::to_string(level), 0, 1) : nullptr;
    fly_death_count = rule_value(rules, "fly_death_count");
    flies_left = fly_death_count;
    level_deadline_time = rule_value(rules, "level_deadline_time");
    time_bonus = rule_value(rules, "time_bonus");
    time_bonus_left = time_bonus;
    max_tactic_bonus = rule_value(rules, "max_tactic_bonus");
    max_main_score = rule_value(rules, "max_main_score");
    one_star_limit = rule_value(rules, "one_star_limit");
    five_star_limit = rule_value(rules, "fifve_star_limit");
    // The middle limits split the range evenly (truncating division).
    const int q = (five_star_limit - one_star_limit) / 4;
    two_star_limit = one_star_limit + q;
    three_star_limit = one_star_limit + 2 * q;
    four_star_limit = one_star_limit + 3 * q;
    if (doc)
        doc->Clear();
}

void decay_time_bonus() {}

void check_results() {}
