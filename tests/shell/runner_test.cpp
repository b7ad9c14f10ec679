#include "shell/runner.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "shell/bot_player.h"

// The shell starts whichever bot the program entry handed it, with the run's skill and seed,
// and stops it when the run ends; --autoplay with no bot handed in is refused, not ignored.
TEST(RunnerBotSeat, StartsAndStopsTheHandedBotOrRefusesWithoutOne)
{
    RunOptions options;
    options.seed_given = true;
    options.seed = 17;
    options.autoplay = 2;
    EXPECT_THROW(BeginRun(options), std::runtime_error);
    EndRun();

    BotOptions got;
    int starts = 0, stops = 0;
    SetBotPlayer({[&](const BotOptions& o) {
                      got = o;
                      ++starts;
                  },
                  [&] { ++stops; }});
    BeginRun(options);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(got.skill, BotSkill::Expert);
    EXPECT_EQ(got.seed, 17u);
    EXPECT_EQ(got.name, "BOT");
    EXPECT_EQ(got.difficulty, 1);
    EXPECT_EQ(stops, 0);
    EndRun();
    EXPECT_EQ(stops, 1);
    SetBotPlayer({});
}
