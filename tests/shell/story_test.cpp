// The story screens run as real modal loops on the headless platform; a frame hook plays
// the player's part and watches what each frame shows.
#include "shell/story.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/program_exit.h"
#include "support/draw_helpers.h"
#include "support/temp_dir.h"

namespace
{

class StoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();
        ResetRenderState();
        SetDrawTraceActive(true);
        abduction2_png = MakeTestStrip(18, 37, 78, "abduction2.png");
        for (auto [image, file] : {std::pair{&gold_trophy_png, "gold_trophy.png"},
                                   {&silver_trophy_png, "silver_trophy.png"},
                                   {&bronze_trophy_png, "bronze_trophy.png"},
                                   {&no_png, "no.png"}})
            *image = MakeTestImage(40, 40, file);
        profile_name = "Ann";
        current_profile = 2;
        current_level = 30;
        menu_requested = 0;
        game_completed = 0;
    }
    void TearDown() override
    {
        SetFrameHook(nullptr);
        SetDrawTraceActive(false);
        for (TImage** image :
             {&abduction2_png, &gold_trophy_png, &silver_trophy_png, &bronze_trophy_png, &no_png}) {
            FreeImage(*image);
            *image = nullptr;
        }
    }
    // Runs a screen with a hook that sees each frame's state and draws before it is shown.
    int run(void (*screen)(), std::function<void(int frame)> each_frame)
    {
        int frames = 0;
        SetFrameHook([&](int64_t) { each_frame(frames++); });
        try {
            screen();
        } catch (...) {
            SetFrameHook(nullptr);
            throw;
        }
        SetFrameHook(nullptr);
        return frames;
    }
    static void press(int key)
    {
        PostKeyEvent(key, true);
        PostKeyEvent(key, false);
    }
    // Names of the trophy pictures drawn in this frame.
    static std::vector<std::string> trophies_drawn()
    {
        std::vector<std::string> out;
        for (const DrawRecord& d : TracedDraws()) {
            if (d.image.find("trophy") != std::string::npos || d.image == "no.png")
                out.push_back(d.image);
        }
        return out;
    }
    TempDir dir_;
};

} // namespace

TEST_F(StoryTest, FinalResultsCountUpRateAndAwardTheTrophy)
{
    profile_score = 120000;
    profile_stars = 150;
    int last_phase = 0;
    std::vector<std::string> trophy;
    const int frames = run(play_final_results, [&](int) {
        EXPECT_GE(story_screen.phase, last_phase); // phases only move on
        last_phase = story_screen.phase;
        if (story_screen.phase == 10 && story_screen.opacity >= 1) {
            trophy = trophies_drawn();
            press(kKeyEnter);
        }
    });
    EXPECT_EQ(last_phase, 10);
    // 4 fades of 20 frames, 1200 + 150 + 1275 frames of counting, stand, bar, 200 of fill.
    EXPECT_GT(frames, 2900);
    EXPECT_LT(frames, 3000);
    EXPECT_EQ(trophy, std::vector<std::string>{"gold_trophy.png"});
    EXPECT_EQ(profile_score, 127500);
    EXPECT_EQ(game_completed, 1);
    EXPECT_EQ(current_level, 1);
    EXPECT_EQ(menu_requested, 1);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() + "/profiles/Profile_2.dat"));
    EXPECT_TRUE(story_screen.screen.empty());

    EXPECT_EQ(final_total(15000, 60), 18000);
    EXPECT_EQ(final_rating(18000), 60);
    EXPECT_EQ(final_trophy(60), 1);
    EXPECT_EQ(final_trophy(59.5f), 0);
    EXPECT_EQ(final_trophy(75), 2);
    EXPECT_EQ(final_rating(127500), 100);
    EXPECT_EQ(final_rating(0), 1);
}

TEST_F(StoryTest, FinalResultsSkippedOrClosedEarlyStillBankTheFullTotal)
{
    profile_score = 15000;
    profile_stars = 60;
    run(play_final_results, [&](int frame) {
        if (frame == 0)
            press(kKeyEnter);
    });
    EXPECT_EQ(profile_score, 18000);
    EXPECT_EQ(current_level, 1);

    // The close box during the count ends the program, with the total banked first.
    profile_score = 15000;
    current_level = 30;
    try {
        run(play_final_results, [&](int frame) {
            if (frame == 100)
                PostCloseRequest();
        });
        ADD_FAILURE() << "the close request did not end the program";
    } catch (const ProgramExit& e) {
        EXPECT_EQ(e.code, 0);
    }
    EXPECT_EQ(profile_score, 18000);
    EXPECT_EQ(current_level, 1);
}

TEST_F(StoryTest, BannerFadesInHoldsAndOutAtItsLevelsPlace)
{
    for (auto [level, x] : {std::pair{7, 454.0f}, {12, 450.0f}}) {
        current_level = level;
        show_level_banner = 1;
        float left = 0, peak = 0;
        const int frames = run(play_level_banner, [&](int) {
            if (TracedDraws().empty())
                return;
            const Bounds b = QuadBounds(TracedDraws().front());
            left = b.left;
            EXPECT_EQ(b.top, 330);
            peak = std::max(peak, story_screen.opacity);
        });
        EXPECT_EQ(left, x) << "level " << level;
        EXPECT_EQ(peak, 1);
        // 10 waiting, about 50 fading in, 51 holding, about 100 fading out.
        EXPECT_GE(frames, 205);
        EXPECT_LE(frames, 215);
        EXPECT_EQ(show_level_banner, 0);
    }
}

TEST_F(StoryTest, IntroHoldsEveryPageAndEnterSkipsTheRest)
{
    // Full opacity frames per page: the hold restarts on each page, so page 2 holds as
    // long as page 1.
    std::vector<int> held(12, 0);
    int hint_alpha_frames = 0;
    show_intro_story = 1;
    run(play_intro_story, [&](int) {
        if (story_screen.opacity >= 1)
            held[story_screen.page] += 1;
        if (story_screen.page == 3) {
            press(kKeyEnter);
            for (const DrawRecord& d : TracedDraws())
                hint_alpha_frames += d.quad[0][1] >= 735 && d.alpha == 1;
        }
    });
    EXPECT_GE(held[1], 150);
    EXPECT_EQ(held[2], held[1]);
    EXPECT_GT(hint_alpha_frames, 0); // the hint stays on while the pages fade
    EXPECT_EQ(story_screen.page, 0);
    EXPECT_EQ(show_intro_story, 0);

    // The close box ends the program from the story at once.
    show_intro_story = 1;
    EXPECT_THROW(run(play_intro_story,
                     [&](int frame) {
                         if (frame == 5)
                             PostCloseRequest();
                     }),
                 ProgramExit);
}

TEST_F(StoryTest, SavingAnimationTurnsAndFadesInAboutThreeSeconds)
{
    saving_anim_jpg = MakeTestImage(32, 32, "saving_anim.jpg");
    const int frames = run(play_saving_animation, [&](int) {});
    EXPECT_GE(frames, 175);
    EXPECT_LE(frames, 185);
    // The disc turned about its centre and keeps its own handle afterwards.
    EXPECT_EQ(saving_anim_jpg->handle_x, 0);
    FreeImage(saving_anim_jpg);
    saving_anim_jpg = nullptr;
}
