// A campaign level played to its end through the main loop: the spider starves, the HUD
// fades the level out, the results screen tallies it, a held Continue saves the profile
// and the next level starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/temp_dir.h"
#include "world/spider.h"

TEST(LevelEnd, AStarvedSpiderLeadsThroughTheResultsToTheNextLevel)
{
    TempDir dir;
    UseHeadlessPlatform();
    ResetInput();
    SetDataFolder(WINGTRON_GAME_DIR);
    if (FileType(".\\levels\\Spiders.xml") != 1)
        GTEST_SKIP() << "levels not compiled (WINGTRON_FORGE off)";
    std::filesystem::create_directories(dir.path() + "/profiles");
    SeedRnd(5);
    profile_name = "Tess";
    current_profile = 1;
    current_level = 3;
    profile_score = 100;
    profile_stars = 2;
    difficulty = 1;
    menu_requested = 0;
    show_intro_story = 0;
    show_level_banner = 0;
    level_start_pending = 1;

    main_loop_frame();
    ASSERT_EQ(level_running, 1);
    ASSERT_EQ(spider_list.count(), 1);
    spider_list.first()->entering = 0;  // in the web already
    spider_list.first()->hunger = 100;

    // The pointer rests on Continue and the button is held once the results are up.
    bool results_seen = false, holding = false;
    int max_phase = 0;
    SetFrameHook([&](int64_t) {
        if (results_tally.running == 1) {
            results_seen = true;
            max_phase = std::max(max_phase, results_tally.phase);
            if (!holding) {
                PostMouseMove(700, 590);
                PostMouseButton(1, true);
                holding = true;
            }
        } else if (holding) {
            PostMouseButton(1, false);
            holding = false;
        }
    });

    int frames = 0;
    while (level_outcome == 0 && frames < 10) {
        main_loop_frame();
        ++frames;
    }
    EXPECT_EQ(level_outcome, 1);
    // The closing fade runs in the level; the results screen runs inside the frame that
    // ends it, and Continue leaves the next level pending.
    while (!results_seen && frames < 400) {
        main_loop_frame();
        ++frames;
    }
    EXPECT_TRUE(results_seen);
    EXPECT_GE(frames, 220);  // the panel shows for 220 frames before the fade to black
    EXPECT_EQ(max_phase, 12);
    EXPECT_EQ(results_tally.running, 0);
    EXPECT_EQ(level_start_pending, 1);
    EXPECT_EQ(current_level, 4);
    const int total = results_tally.total;
    EXPECT_GT(total, 0);

    main_loop_frame();
    SetFrameHook(nullptr);
    EXPECT_EQ(level_start_pending, 0);
    EXPECT_EQ(level_running, 1);
    EXPECT_EQ(level_outcome, 0);
    EXPECT_EQ(current_level, 4);

    current_level = 1;
    profile_score = 0;
    ASSERT_EQ(LoadProfile(1), 1);
    EXPECT_EQ(current_level, 4);
    EXPECT_EQ(profile_score, 100 + total);
    EXPECT_EQ(profile_stars, 2 + results_tally.stars);
    PostMouseButton(1, false);
    clear_world();
}
