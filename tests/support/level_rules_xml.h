// A levels_vars.xml with one level holding all seven rules, for tests that start a level.
#pragma once

#include <string>

inline std::string level_rules_xml(int level, int lives = 5)
{
    const std::string tag = "level_" + std::to_string(level);
    return "<levels><" + tag + "><fly_death_count>" + std::to_string(lives) +
           "</fly_death_count><level_deadline_time>300</level_deadline_time><time_bonus>100</time_bonus>"
           "<max_tactic_bonus>100</max_tactic_bonus><max_main_score>1000</max_main_score>"
           "<one_star_limit>100</one_star_limit><fifve_star_limit>500</fifve_star_limit></" +
           tag + "></levels>";
}
