// The tutorial script against the level clock and the visor sequencer, frame by frame;
// the player's part (freeing flies, pressing Continue, repairing) is set directly.
#include "shell/tutorial.h"

#include <gtest/gtest.h>

#include "persist/profile.h"
#include "platform/headless/headless_backend.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "shell/main_loop.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "ui/visor.h"
#include "world/events.h"
#include "world/fly.h"

namespace
{

class TutorialTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        current_level = 1;
        difficulty = 1;
        level_running = 1;
        pause_state = 0;
        level_ticks = tick_frames = 0;
        time_scale = 1;
        visor_page = visor_phase = visor_timer = 0;
        tutorial_step = 0;
        flies_released = 0;
        flies_left = 5;
        main_score = 0;
        temperature = 0;
        robot_damaged = 0;
        free_slots = 4;
        pages_seen.clear();
    }
    void TearDown() override
    {
        fly_list.clear();
        event_list.clear();
    }
    // One frame of the main loop's clock, visor and script, with Continue pressed as
    // soon as a page waits for it.
    void frame()
    {
        if (pause_state == 0)
            advance_level_clock();
        UpdateVisorSequence();
        update_tutorial();
        if (with_world)
            update_world();
        if (visor_page != 0 && (pages_seen.empty() || pages_seen.back() != visor_page))
            pages_seen.push_back(visor_page);
        if (visor_phase == 3 && press_continue)
            visor_phase = 4;
    }
    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            frame();
    }
    // Runs frames until the visor is idle and the clock has stood still at its hold.
    void settle() { frames(2000); }
    template <typename F> void run_until(F done)
    {
        for (int i = 0; i < 5000 && !done(); ++i)
            frame();
        ASSERT_TRUE(done());
    }

    bool press_continue = true;
    bool with_world = false; // walk the lists too (only the timetable is filled)
    std::vector<int> pages_seen;
};

} // namespace

TEST_F(TutorialTest, FirstLevelHoldsTheClockUntilEachTaskIsDone)
{
    settle();
    EXPECT_EQ(pages_seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(level_ticks, 20); // one fly to free
    EXPECT_EQ(tutorial_step, 1);

    flies_released = 2; // two in one frame still count
    settle();
    EXPECT_EQ(pages_seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(level_ticks, 100); // six to free
    flies_released = 6;
    frames(1);
    EXPECT_EQ(visor_page, 5);
    // The clock then reaches 102: the robot overheats and must be repaired.
    run_until([] { return tutorial_step == 4; });
    EXPECT_EQ(level_ticks, 102);
    EXPECT_EQ(temperature, 110);
    robot_damaged = 1;
    temperature = 0;
    settle();
    EXPECT_EQ(temperature, 25); // it cannot cool down by itself
    EXPECT_EQ(level_ticks, 127);
    robot_damaged = 0;
    settle();
    // The slice pages: 7, 8 and 9 in a row, then the clock waits at 150 for the slice,
    // having sent the two flies to slice.
    EXPECT_EQ(pages_seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(tutorial_step, 6);
    EXPECT_EQ(level_ticks, 150);
    EXPECT_EQ(fly_list.count(), 2);

    // Freed with the laser: taken back, the clock rewinds and the slice page shows again.
    flies_released = 8;
    main_score = 120;
    frames(1);
    EXPECT_EQ(flies_released, 6);
    EXPECT_EQ(main_score, 90);
    EXPECT_EQ(level_ticks, 132);
    EXPECT_EQ(visor_page, 9);
    settle();
    EXPECT_EQ(fly_list.count(), 4); // sent again

    tutorial_step = 7; // a slice was fired
    flies_released = 8;
    frames(2); // step 8, then its page
    EXPECT_EQ(tutorial_step, 9);
    EXPECT_EQ(visor_page, 10);
    frames(4000);
    // Held at 300 for the rest of the level's flies, then the closing pages; the clock
    // runs on to 305, where the tutorial ends.
    EXPECT_EQ(pages_seen.back(), 12);
    EXPECT_EQ(tutorial_step, 12);
    EXPECT_GE(level_ticks, 305);
}

TEST_F(TutorialTest, EventsWaitWhileThePageIsUpAndContinueIsNeeded)
{
    EventsT* e = event_list.create();
    e->time = 11;
    with_world = true;
    press_continue = false;
    frames(100);
    EXPECT_EQ(level_ticks, 11);
    EXPECT_EQ(visor_page, 1);
    frames(1000);
    EXPECT_EQ(event_list.count(), 1); // due, but the visor is up
    EXPECT_EQ(visor_phase, 3);        // and waits for Continue for ever
    press_continue = true;
    settle();
    EXPECT_EQ(event_list.count(), 0);
}

TEST_F(TutorialTest, OneOffActionsWaitForAHelpCardToClose)
{
    tutorial_step = 6;
    level_ticks = 139;
    tick_frames = 2;
    pause_state = 2; // a help card opened on the fly's frame
    frames(30);
    EXPECT_EQ(fly_list.count(), 0);
    pause_state = 0;
    tick_frames = 1;
    frames(1);
    EXPECT_EQ(fly_list.count(), 1);
}

TEST_F(TutorialTest, HintsOfLevelsFourTenAndTwelve)
{
    current_level = 12;
    level_ticks = 32;
    frames(1);
    EXPECT_EQ(visor_page, 14);
    EXPECT_EQ(level_ticks, 34);

    SetUp();
    current_level = 10;
    difficulty = 2;
    frames(200);
    EXPECT_EQ(visor_page, 0);
    EXPECT_GT(level_ticks, 6);
    SetUp();
    current_level = 10;
    frames(50);
    EXPECT_EQ(visor_page, 17);
    EXPECT_EQ(level_ticks, 6);

    SetUp();
    current_level = 4;
    free_slots = 3; // the level's own weapon
    settle();
    settle();
    EXPECT_EQ(pages_seen, (std::vector<int>{13}));
    EXPECT_EQ(level_ticks, 56);
    free_slots = 1; // two fetched in one frame
    frames(1);
    EXPECT_EQ(visor_page, 15);
    EXPECT_EQ(tutorial_step, 3);

    // Specials fetched before the hint: both pages still show, one after the other.
    SetUp();
    current_level = 4;
    free_slots = 2;
    settle();
    EXPECT_EQ(pages_seen, (std::vector<int>{13, 15}));
    EXPECT_EQ(tutorial_step, 3);
}
