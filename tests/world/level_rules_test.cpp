// The level rules read from levels_vars.xml at level start.
#include "shell/level_rules.h"

#include <gtest/gtest.h>

#include "persist/xml_document.h"
#include "support/level_rules_xml.h"
#include "support/temp_dir.h"

TEST(LevelRules, ReadsTheLevelsValuesAndSpreadsTheStarLimits)
{
    TempDir dir;
    dir.write("levels/levels_vars.xml", R"(<levels>
  <level_2><fly_death_count>1</fly_death_count></level_2>
  <level_12>
    <one_star_limit>100</one_star_limit><fifve_star_limit> 502</fifve_star_limit>
    <fly_death_count>5</fly_death_count><level_deadline_time>380</level_deadline_time>
    <time_bonus>150</time_bonus><max_tactic_bonus>40</max_tactic_bonus>
    <max_main_score>235</max_main_score>
  </level_12>
</levels>)");
    load_level_rules(12);
    EXPECT_EQ(fly_death_count, 5);
    EXPECT_EQ(flies_left, 5);
    EXPECT_EQ(level_deadline_time, 380);
    EXPECT_EQ(time_bonus, 150);
    EXPECT_EQ(time_bonus_left, 150);
    EXPECT_EQ(max_tactic_bonus, 40);
    EXPECT_EQ(max_main_score, 235);
    // (502 - 100) / 4 truncates to 100.
    EXPECT_EQ(one_star_limit, 100);
    EXPECT_EQ(two_star_limit, 200);
    EXPECT_EQ(three_star_limit, 300);
    EXPECT_EQ(four_star_limit, 400);
    EXPECT_EQ(five_star_limit, 502);

    dir.write("levels/levels_vars.xml", "<levels><level_1></levels>");
    EXPECT_THROW(load_level_rules(1), XmlError);
}

// Rules of 0 would give every total five stars while the bar shows none: a missing file,
// level or key stops the game, naming the file and the level.
TEST(LevelRules, AMissingFileLevelOrKeyIsFatal)
{
    TempDir dir;
    auto message = [](int level) {
        try {
            load_level_rules(level);
        } catch (const XmlError& e) {
            return e.source + ": " + e.what();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message(3), ": xmlDocument.Load(\".\\levels\\levels_vars.xml\"): Cannot read from file.");
    dir.write("levels/levels_vars.xml", "<levels><level_1><fly_death_count>3</fly_death_count></level_1></levels>");
    EXPECT_EQ(message(3), ".\\levels\\levels_vars.xml: No element \"level_3\" for level 3.");
    EXPECT_EQ(message(1), ".\\levels\\levels_vars.xml: Level 1 lacks \"level_deadline_time\".");
    dir.write("levels/levels_vars.xml", level_rules_xml(2));
    EXPECT_EQ(message(2), "no error");
}
