// The level's tally: star limits, the entry scaling and caps, the counting frame by frame,
// the star bar, the two buttons and the time bonus that shrinks after the deadline.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "shell/story.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "support/temp_dir.h"
#include "world/events.h"
#include "world/fly.h"

namespace {

class ResultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();
        SetDrawTraceActive(true);
        ResetRenderState();
        fly_list.clear();
        event_list.clear();
        clear_mouse_latch();
        set_limits(100, 500);
        fly_death_count = flies_left = 5;
        main_score = tactic_bonus = time_bonus_left = 0;
        time_bonus = 100;
        max_main_score = 1000;
        max_tactic_bonus = 100;
        level_outcome = 1;
        pause_state = 0;
        sound_rate = 1;
        current_level = 7;
        current_profile = 0;
        game_completed = 0;
        profile_score = profile_stars = 0;
    }
    void TearDown() override
    {
        SetDrawTraceActive(false);
        fly_list.clear();
        event_list.clear();
    }

    static void set_limits(int one, int five)
    {
        one_star_limit = one;
        five_star_limit = five;
        const int q = (five - one) / 4;
        two_star_limit = one + q;
        three_star_limit = one + 2 * q;
        four_star_limit = one + 3 * q;
    }

    // A player in slot 1 at this level, with a profiles folder to save into.
    static void player_at(const TempDir& dir, int level)
    {
        std::filesystem::create_directories(dir.path() + "/profiles");
        profile_name = "Ida";
        current_profile = 1;
        current_level = level;
    }

    // Runs frames until the phase is reached (or a limit of frames); returns the frames run.
    static int run_until_phase(int phase, int limit = 2000)
    {
        int n = 0;
        while (results_tally.phase < phase && n < limit) {
            ClearDrawTrace();
            step_results();
            ++n;
        }
        return n;
    }
};

}  // namespace

TEST_F(ResultsTest, StarCountMeetsEachLimitExactly)
{
    EXPECT_EQ(two_star_limit, 200);
    EXPECT_EQ(four_star_limit, 400);
    const std::vector<std::pair<int, int>> cases = {{99, 0}, {100, 1}, {199, 1}, {200, 2}, {300, 3},
                                                    {399, 3}, {400, 4}, {499, 4}, {500, 5}, {9000, 5}};
    for (auto [total, stars] : cases)
        EXPECT_EQ(star_count(total), stars) << total;
    set_limits(100, 502);
    EXPECT_EQ(star_count(400), 4);
    EXPECT_EQ(star_count(501), 4);
    EXPECT_EQ(star_count(502), 5);
}

TEST_F(ResultsTest, EntryAddsThePendingFliesScalesByLivesKeptAndCaps)
{
    // Flies in the web count unless eaten or already set free; flies still to come count too.
    const std::vector<std::pair<std::string, int>> flies = {
        {"normal", 1}, {"komar", 4}, {"butterfly", 5}, {"normal", 2}, {"normal", 3}, {"Enterence", 1}};
    for (auto& [name, status] : flies) {
        FlyT* f = fly_list.create();
        f->name = name;
        f->status = status;
    }
    for (int kind : {1, 2, 3, 4}) {
        EventsT* e = event_list.create();
        e->type_of_event = "Fly";
        e->item_type = kind;
    }
    event_list.create()->type_of_event = "SpecUp";
    EXPECT_EQ(pending_flies_value(), 15 + 5 + 30 + 15 + 5 + 45);

    // Two of five lives lost: 60 % of the score, truncated.
    fly_list.clear();
    event_list.clear();
    main_score = 101;
    flies_left = 3;
    time_bonus_left = -20;
    tactic_bonus = 150;
    begin_results();
    EXPECT_EQ(main_score, 60);
    EXPECT_EQ(time_bonus_left, 0);
    EXPECT_EQ(tactic_bonus, 100);
    EXPECT_EQ(results_tally.total, 160);
    EXPECT_EQ(results_tally.stars, 1);
    EXPECT_FLOAT_EQ(results_tally.target, 33);  // 160 of 500 is 32 %, plus 1

    // No lives allowed at all: nothing to scale by.
    fly_death_count = flies_left = 0;
    main_score = 40;
    begin_results();
    EXPECT_EQ(main_score, 40);
    fly_death_count = 4;
    flies_left = 0;
    begin_results();
    EXPECT_EQ(main_score, 0);
}

TEST_F(ResultsTest, CountersRiseByFiveAndLandOnTheValueOnceTheLineIsShown)
{
    main_score = 12;
    time_bonus_left = 15;
    tactic_bonus = 0;
    begin_results();
    // Title from frame 40, label from 90, star panel from 140 until it is fully shown.
    EXPECT_EQ(run_until_phase(1), 40);
    EXPECT_EQ(run_until_phase(3), 100);
    EXPECT_EQ(results_tally.title_fade, 1);

    // The count starts in the frame the panel is complete, as its line starts to show.
    std::vector<int> shown;
    while (results_tally.phase < 5) {
        step_results();
        if (results_tally.main_fade > 0)
            shown.push_back(results_tally.main_counter);
    }
    EXPECT_EQ(results_tally.panel_fade, 1);
    // 5, 10, 15 while the line fades in, then exactly 12.
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], 5);
    EXPECT_EQ(shown[1], 10);
    EXPECT_EQ(shown[2], 15);
    EXPECT_EQ(shown.back(), 12);
    EXPECT_EQ(shown.size(), 10u);  // the line needs 10 frames to show fully
    EXPECT_EQ(results_tally.main_fade, 1);

    // 15 is reached exactly: the phase moves on at once, 3 frames.
    EXPECT_EQ(run_until_phase(6), 3);
    EXPECT_EQ(results_tally.time_counter, 15);
    // A zero tactic bonus waits for its line; then the frame counter restarts.
    run_until_phase(7);
    EXPECT_EQ(results_tally.tactic_counter, 0);
    EXPECT_EQ(results_tally.tactic_fade, 1);
    EXPECT_EQ(results_tally.frame, 0);
}

TEST_F(ResultsTest, AMainScoreAtItsCapShowsTheMarkerPushedRightForFourDigits)
{
    max_highscore_jpg = MakeTestImage(20, 20, "max_highscore.jpg");
    main_score = 1003;
    begin_results();
    EXPECT_EQ(main_score, 1000);
    run_until_phase(5);
    ClearDrawTrace();
    step_results();
    int markers = 0;
    for (const DrawRecord& d : TracedDraws()) {
        if (d.image != "max_highscore.jpg")
            continue;
        ++markers;
        EXPECT_FLOAT_EQ(QuadBounds(d).left, 633);
        EXPECT_FLOAT_EQ(QuadBounds(d).top, 262);
    }
    EXPECT_EQ(markers, 1);  // neither the time nor the tactic line is at its cap
    FreeImage(max_highscore_jpg);
    max_highscore_jpg = nullptr;
}

TEST_F(ResultsTest, OnlyEarnedStarsLightUpAndTheBarStopsAtTheTotal)
{
    star_gold_png = MakeTestImage(10, 10, "star_gold.png");
    // 399 earns three stars; the bar ends at 80.8 %, past where the fourth star sits (80 %).
    main_score = 399;
    begin_results();
    EXPECT_EQ(results_tally.stars, 3);
    run_until_phase(7);
    std::vector<int> chimes_at;  // bar positions at which the phase advanced
    int phase = results_tally.phase;
    int frames = 0;
    while (results_tally.phase < 12 && frames < 1000) {
        ClearDrawTrace();
        step_results();
        ++frames;
        if (results_tally.phase != phase && results_tally.phase != 12)
            chimes_at.push_back(static_cast<int>(results_tally.bar));
        phase = results_tally.phase;
    }
    EXPECT_EQ(chimes_at, (std::vector<int> {20, 40, 60}));
    EXPECT_FLOAT_EQ(results_tally.bar, results_tally.target);
    EXPECT_NEAR(results_tally.target, 80.8f, 1e-3f);
    int gold = 0;
    for (const DrawRecord& d : TracedDraws())
        gold += d.image == "star_gold.png" ? 1 : 0;
    EXPECT_EQ(gold, 3);

    // Without a five-star limit the bar stays empty and the buttons still come.
    set_limits(0, 0);
    main_score = 50;
    begin_results();
    EXPECT_EQ(results_tally.target, 0);
    run_until_phase(12);
    EXPECT_EQ(results_tally.phase, 12);
    EXPECT_EQ(results_tally.bar, 0);
    FreeImage(star_gold_png);
    star_gold_png = nullptr;
}

TEST_F(ResultsTest, AHeldButtonTakesItOnlyOnceItsGlowIsFull)
{
    TempDir dir;
    player_at(dir, 7);
    main_score = 300;
    begin_results();
    run_until_phase(12);

    // Held over Restart before the glow is full: nothing yet.
    PostMouseMove(300, 580);
    mouse_down_left = 1;
    for (int i = 0; i < 9; ++i)
        ASSERT_EQ(step_results(), 0) << i;
    EXPECT_EQ(step_results(), 1);
    EXPECT_EQ(level_outcome, 0);
    EXPECT_EQ(current_level, 7);
    EXPECT_EQ(ProfileExists(1), 0);  // Restart saves nothing

    // Continue: the next level, the score and stars added, the profile written.
    level_outcome = 1;
    begin_results();
    run_until_phase(12);
    PostMouseMove(700, 600);
    int taken = 0;
    for (int i = 0; i < 20 && taken == 0; ++i)
        taken = step_results();
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(current_level, 8);
    EXPECT_EQ(profile_score, 300);
    EXPECT_EQ(profile_stars, 3);
    EXPECT_EQ(show_level_banner, 1);
    current_level = 1;
    profile_score = 0;
    ASSERT_EQ(LoadProfile(1), 1);
    EXPECT_EQ(current_level, 8);
    EXPECT_EQ(profile_score, 300);
    EXPECT_EQ(profile_stars, 3);

    // Continue after the last level keeps it and marks the campaign done.
    current_level = 30;
    level_outcome = 1;
    begin_results();
    run_until_phase(12);
    for (int i = 0; i < 20 && step_results() == 0; ++i) {
    }
    EXPECT_EQ(current_level, 30);
    EXPECT_EQ(game_completed, 1);
    mouse_down_left = 0;
}

TEST_F(ResultsTest, TimeBonusShrinksAfterTheDeadlineOnlyWhileTheLevelRuns)
{
    level_outcome = 0;
    level_deadline_time = 10;
    time_bonus_left = 3;
    visor_page = 0;
    level_ticks = 10;
    tick_frames = 1;
    decay_time_bonus();
    EXPECT_EQ(time_bonus_left, 3);  // not past the deadline yet
    level_ticks = 11;
    for (int f = 0; f < 10; ++f) {
        tick_frames = f;
        decay_time_bonus();
    }
    EXPECT_EQ(time_bonus_left, 1);  // two frames of a tick
    pause_state = 1;
    tick_frames = 1;
    decay_time_bonus();
    pause_state = 0;
    level_outcome = 1;
    decay_time_bonus();
    level_outcome = 0;
    visor_page = 3;
    decay_time_bonus();
    EXPECT_EQ(time_bonus_left, 1);
    visor_page = 0;
    decay_time_bonus();
    tick_frames = 5;
    decay_time_bonus();
    EXPECT_EQ(time_bonus_left, 0);  // never below 0
}

TEST_F(ResultsTest, ACloseRequestDuringTheTallyLeavesTheProfileAsItWas)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "/profiles");
    current_profile = 1;
    main_score = 300;
    int frames = 0;
    SetFrameHook([&](int64_t) {
        if (++frames == 200)
            PostCloseRequest();
    });
    EXPECT_THROW(results_screen(), ProgramExit);
    SetFrameHook(nullptr);
    EXPECT_EQ(frames, 200);
    EXPECT_EQ(current_level, 7);
    EXPECT_EQ(profile_score, 0);
    EXPECT_EQ(ProfileExists(1), 0);
}

// Continue after level 30 leads through the ending story into the final results, which
// bank the whole campaign and send the player back to the menu at level 1.
TEST_F(ResultsTest, ContinueAfterTheLastLevelLeadsThroughTheEndingToTheFinalResults)
{
    TempDir dir;
    player_at(dir, 30);
    profile_score = 1000;
    profile_stars = 10;
    main_score = 300;  // 3 stars
    std::vector<std::string> screens;
    int frame = 0;
    SetFrameHook([&](int64_t) {
        if (screens.empty() || screens.back() != story_screen.screen)
            screens.push_back(story_screen.screen);
        if (story_screen.screen.empty() && results_tally.phase >= 12 && frame == 0) {
            PostMouseMove(700, 600);  // Continue, held until it is taken
            PostMouseButton(1, true);
        }
        if (!story_screen.screen.empty() && ++frame % 30 == 0) {
            PostMouseButton(1, false);
            PostKeyEvent(kKeyEnter, true);
            PostKeyEvent(kKeyEnter, false);
        }
    });
    results_screen();
    SetFrameHook(nullptr);
    EXPECT_EQ(screens, (std::vector<std::string>{"", "ending", "final_results"}));
    EXPECT_EQ(game_completed, 1);
    EXPECT_EQ(current_level, 1);
    EXPECT_EQ(menu_requested, 1);
    EXPECT_EQ(profile_score, 1300 + 50 * 13);
    profile_score = 0;
    ASSERT_EQ(LoadProfile(1), 1);
    EXPECT_EQ(profile_score, 1950);
    EXPECT_EQ(profile_stars, 13);
    EXPECT_EQ(game_completed, 1);
}
