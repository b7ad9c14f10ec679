// The balance table sums up exactly the games it is given, and its star limits follow them.
#include "balance/balance_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

using namespace balance;

namespace {

GameResult game(int level, const std::string& skill, const std::string& outcome, int total, long long frames)
{
    std::string line = R"({"level":)" + std::to_string(level) + R"(,"difficulty":1,"skill":")" + skill
                       + R"(","seed":4,"outcome":")" + outcome + R"(","frames":)" + std::to_string(frames)
                       + R"(,"ticks":10,"main_score":)" + std::to_string(total - 30)
                       + R"(,"tactic_bonus":10,"time_bonus":20,"total":)" + std::to_string(total)
                       + R"(,"stars":3,"flies_lost":1,"flies_released":9,"shots":40,"overheats":0,"run_frames":900})";
    auto r = ParseGameLine("loading...\n" + line + "\n");
    EXPECT_TRUE(r.has_value()) << line;
    return r.value_or(GameResult {});
}

}  // namespace

TEST(BalanceTable, FiguresAreThoseOfTheGamesPlayed)
{
    EXPECT_FALSE(ParseGameLine("no report\n{\"f\": 3}\n").has_value());
    std::vector<GameResult> games {game(3, "expert", "won", 400, 6000), game(3, "expert", "won", 440, 3000),
                                   game(3, "expert", "lost", 0, 1200), game(3, "casual", "won", 250, 7200)};
    auto groups = Summarise(games);
    ASSERT_EQ(groups.size(), 2u);
    const Group& e = groups.at({3, 1, "expert"});
    EXPECT_EQ(e.games, 3);
    EXPECT_EQ(e.wins, 2);
    EXPECT_DOUBLE_EQ(e.total, 420);       // lost games carry no score
    EXPECT_DOUBLE_EQ(e.main_score, 390);
    EXPECT_NEAR(e.seconds, (100 + 50 + 20) / 3.0, 1e-9);  // lost games count for the length
    EXPECT_EQ(e.min_total, 400);
    EXPECT_DOUBLE_EQ(games[0].speedup(), 0);  // no wall time measured

    // Five stars at the expert's median win (the upper of two); three at the casual median.
    auto limits = SuggestStarLimits(groups, 3);
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(limits->five, 440);
    EXPECT_EQ(limits->one, 130);  // 2 x 250 - 440 = 60 is below 30 % of five stars (132)
    EXPECT_FALSE(SuggestStarLimits(groups, 4).has_value());

    std::ostringstream csv;
    WriteCsv(csv, games);
    EXPECT_NE(csv.str().find("\n3,1,expert,4,won,6000,100.00,10,370,20,10,400,3,1,9,40,0,"), std::string::npos) << csv.str();
    std::ostringstream md;
    WriteMarkdown(md, games, groups);
    EXPECT_NE(md.str().find("- level 3 normal expert won 2 of 3"), std::string::npos) << md.str();
}

TEST(BalanceTable, StarLimitsAreWrittenIntoTheLevelSource)
{
    TempDir dir;
    dir.write("level_03.txt", "level 3\none_star 90   # old\nfive_star 375\nlives 5\n");
    ASSERT_TRUE(WriteStarLimits(dir.path() + "/level_03.txt", {3, 120, 410}));
    std::ifstream in(dir.path() + "/level_03.txt");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "level 3\none_star 120 # old\nfive_star 410\nlives 5\n");
    dir.write("level_04.txt", "level 4\n");
    EXPECT_FALSE(WriteStarLimits(dir.path() + "/level_04.txt", {4, 1, 2}));
}
