// The in-game HUD on the headless platform: gauges, the warning glow, the pause button and
// menu, help cards, the time warp, the closing fade and the flies-left counter.
#include "ui/ingame_gui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "shell/main_loop.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "support/draw_helpers.h"
#include "support/temp_dir.h"
#include "world/spider.h"

namespace {

class HudTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();
        SetDrawTraceActive(true);
        ResetRenderState();
        SeedRnd(77);
        clear_mouse_latch();
        spider_list.clear();
        pause_state = 0;
        help_card = 0;
        level_outcome = 0;
        level_start_pending = 0;
        menu_requested = 0;
        current_level = 5;
        tutorial_step = 0;
        flies_left = 5;
        temperature = 0;
        cooling_frames = 0;
        robot_damaged = 0;
        time_warp_state = 0;
        time_scale = 1;
        sound_rate = 1;
        spider2_gauge_state = 0;
        overheat_flash = 0;
        screen_shake_x = screen_shake_y = 0;
        ingame_gui_list.clear();
        inGame_guiT::CreateIngameGui();
    }
    void TearDown() override
    {
        ingame_gui_list.clear();
        spider_list.clear();
        SetDrawTraceActive(false);
        time_scale = 1;
    }

    static void hud_frame(int frames = 1)
    {
        for (int i = 0; i < frames; ++i) {
            ClearDrawTrace();
            ingame_gui_list.for_each([](inGame_guiT& g) { g.update(); });
            UpdateOverheatFlash();
        }
    }
    static inGame_guiT* element(const std::string& name)
    {
        for (inGame_guiT* g : ingame_gui_list.snapshot()) {
            if (g->name == name)
                return g;
        }
        return nullptr;
    }
    static inGame_guiT* pause_button()
    {
        for (inGame_guiT* g : ingame_gui_list.snapshot()) {
            if (g->script == 2)
                return g;
        }
        return nullptr;
    }
    static SpiderT* add_spider(float hunger)
    {
        SpiderT* s = spider_list.create();
        s->hunger = hunger;
        return s;
    }
    static int draws_of(const std::string& image)
    {
        const auto& d = TracedDraws();
        return static_cast<int>(std::count_if(d.begin(), d.end(), [&](const DrawRecord& r) { return r.image == image; }));
    }
    static void click_at(int x, int y)
    {
        PostMouseMove(x, y);
        mouse_hit_left = 1;
        hud_frame();
        mouse_hit_left = 0;
    }
};

}  // namespace

TEST_F(HudTest, BuildsThirtySevenElementsInDrawingOrder)
{
    const auto all = ingame_gui_list.snapshot();
    ASSERT_EQ(all.size(), 37u);
    EXPECT_EQ(all[0]->name, "hunger_norm");
    EXPECT_EQ(all[9]->name, "termo");
    EXPECT_EQ(all[27]->name, "black_quad");
    EXPECT_EQ(all[27]->alpha, 1);  // the level fades in from black
    EXPECT_EQ(all[36]->name, "level_failed");
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto* g) { return g->script == 4; }), 4);
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto* g) { return g->script == 5; }), 3);
}

TEST_F(HudTest, HungerGaugesFollowTheSpidersAndHideWithoutThem)
{
    gui_spider_hunger_png = MakeTestImage(30, 400, "gui_spider_hunger.png");
    ingame_gui_list.clear();
    inGame_guiT::CreateIngameGui();
    hud_frame();
    EXPECT_EQ(draws_of("gui_spider_hunger.png"), 0);  // no spider: nothing to show

    add_spider(50);
    hud_frame(300);
    EXPECT_FLOAT_EQ(element("hunger")->y, 530 - 50 * 3.4f);
    EXPECT_FLOAT_EQ(element("hunger_glow")->RectPercent, 18 + 50 * 0.635f);
    // One spider: the second gauge stays out of sight where it started.
    EXPECT_EQ(element("hunger_norm2")->alpha, 0);
    EXPECT_EQ(element("hunger_glow2")->x, -30);
    EXPECT_EQ(element("hunger2")->x, -13);
    EXPECT_EQ(draws_of("gui_spider_hunger.png"), 2);  // gauge 1 and its glow

    // The second spider arrives: its gauge slides in and the first makes room.
    add_spider(20);
    spider2_gauge_state = 1;
    int frames = 0;
    while (spider2_gauge_state == 1 && frames < 500) {
        hud_frame();
        ++frames;
    }
    EXPECT_EQ(spider2_gauge_state, 2);
    EXPECT_EQ(element("hunger_norm2")->x, 7);
    EXPECT_EQ(element("hunger2")->x, 24);
    for (const char* n : {"hunger_norm2", "hunger_glow2", "hunger2"})
        EXPECT_EQ(element(n)->alpha, 1) << n;
    EXPECT_FLOAT_EQ(element("hunger2")->y, 530 - 20 * 3.4f);

    // The second starves: its gauge leaves fully.
    spider_list.snapshot()[1]->hunger = 100;
    hud_frame(300);
    EXPECT_EQ(spider2_gauge_state, 4);
    for (const char* n : {"hunger_norm2", "hunger_glow2", "hunger2"})
        EXPECT_EQ(element(n)->alpha, 0) << n;
    FreeImage(gui_spider_hunger_png);
    gui_spider_hunger_png = nullptr;
}

TEST_F(HudTest, WarningGlowPulsesOnlyWithTwoFliesLeftOrFewer)
{
    flies_left = 3;
    hud_frame(50);
    EXPECT_EQ(element("rip_glow")->alpha, 0);

    flies_left = 2;
    float low = 1, high = 0;
    std::vector<float> seen;
    for (int i = 0; i < 300; ++i) {
        hud_frame();
        seen.push_back(element("rip_glow")->alpha);
        low = std::min(low, seen.back());
        high = std::max(high, seen.back());
    }
    EXPECT_FLOAT_EQ(low, 0);
    EXPECT_FLOAT_EQ(high, 0.5f);
    for (size_t i = 0; i + 100 < seen.size(); ++i)
        ASSERT_FLOAT_EQ(seen[i], seen[i + 100]) << i;  // a period of 100 frames
    level_outcome = 2;
    hud_frame();
    EXPECT_EQ(element("rip_glow")->alpha, 0);
}

TEST_F(HudTest, PauseButtonOpensTheMenuOnlyWhileTheLevelIsUndecided)
{
    const int bx = static_cast<int>(pause_button()->x) + 10, by = 10;
    level_outcome = 1;
    click_at(bx, by);
    EXPECT_EQ(pause_state, 0);
    level_outcome = 0;
    current_level = 1;
    tutorial_step = 11;  // the tutorial is still running
    click_at(bx, by);
    EXPECT_EQ(pause_state, 0);
    tutorial_step = 12;
    click_at(bx, by);
    EXPECT_EQ(pause_state, 1);

    // The world stands still: the time warp does not advance while the menu is open.
    time_warp_state = 1;
    hud_frame(30);
    EXPECT_EQ(time_warp_timer, 0);
    time_warp_state = 0;

    // Continue closes it, back to a pending help card.
    help_card = 3;
    inGame_guiT* cont = element("continue");
    hud_frame(20);
    click_at(static_cast<int>(cont->x) + 5, static_cast<int>(cont->y) + 5);
    EXPECT_EQ(pause_state, 2);

    // Restart starts the level again.
    pause_state = 1;
    inGame_guiT* restart = element("restart");
    click_at(static_cast<int>(restart->x) + 5, static_cast<int>(restart->y) + 5);
    EXPECT_EQ(pause_state, 0);
    EXPECT_EQ(level_start_pending, 1);
    EXPECT_EQ(menu_requested, 0);
}

TEST_F(HudTest, QuitSavesTheProfileAndLeavesForTheMenu)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "/profiles");
    profile_name = "Mara";
    current_profile = 1;
    current_level = 9;
    profile_score = 1234;
    pause_state = 1;
    inGame_guiT* quit = element("quit");
    click_at(static_cast<int>(quit->x) + 100, static_cast<int>(quit->y) + 20);
    EXPECT_EQ(pause_state, 0);
    EXPECT_EQ(level_start_pending, 1);
    EXPECT_EQ(menu_requested, 1);
    EXPECT_EQ(show_level_banner, 1);
    current_level = 1;
    profile_score = 0;
    ASSERT_EQ(LoadProfile(1), 1);
    EXPECT_EQ(profile_name, "Mara");
    EXPECT_EQ(current_level, 9);
    EXPECT_EQ(profile_score, 1234);
}

TEST_F(HudTest, HelpCardFadesInWhileShownAndOutOnceDismissed)
{
    help_back_png = MakeTestImage(500, 300, "help_back.png");
    weapon_2_png = MakeTestImage(40, 40, "weapon_2.png");
    ingame_gui_list.clear();
    inGame_guiT::CreateIngameGui();
    help_card = 2;
    pause_state = 2;
    hud_frame(200);  // long enough for an unbounded fade to overshoot
    EXPECT_EQ(element("help_back")->alpha, 1);
    EXPECT_EQ(draws_of("help_back.png"), 1);
    EXPECT_EQ(draws_of("weapon_2.png"), 1);
    inGame_guiT* cont = element("continue_help");
    click_at(static_cast<int>(cont->x) + 5, static_cast<int>(cont->y) + 5);
    EXPECT_EQ(pause_state, 0);
    EXPECT_EQ(help_card, 0);
    hud_frame(11);
    EXPECT_EQ(element("help_back")->alpha, 0);
    EXPECT_EQ(draws_of("help_back.png"), 0);
    FreeImage(help_back_png);
    FreeImage(weapon_2_png);
    help_back_png = weapon_2_png = nullptr;
}

TEST_F(HudTest, TimeWarpRunsSixHundredFiftyOneFramesThenRecoversInTwoHundredOne)
{
    SpiderT* s = add_spider(0);
    s->x = 100.7f;
    s->angel = 91.5f;
    time_warp_state = 1;
    int slow = 0, recovering = 0;
    while (time_warp_state == 1 && slow < 2000) {
        hud_frame();
        ++slow;
        if (time_warp_state == 1) {
            ASSERT_EQ(time_scale, 0.5f);
        }
    }
    EXPECT_LE(sound_rate, 0.41f);
    EXPECT_EQ(s->x, 100);  // whole pixels when the slow motion ends
    while (time_warp_state == 2 && recovering < 2000) {
        hud_frame();
        ++recovering;
    }
    EXPECT_EQ(slow, 651);
    EXPECT_EQ(recovering, 201);
    EXPECT_EQ(time_scale, 1);
    EXPECT_FLOAT_EQ(s->angel, 90.5f);  // an odd angle turns back by a degree
    EXPECT_EQ(element("timeWarp")->alpha, 0);
}

TEST_F(HudTest, ClosingFadeEndsTheLevelButAWonFirstLevelWaitsForTheTutorial)
{
    hud_frame(60);  // the level has faded in
    EXPECT_LE(element("black_quad")->alpha, 0);

    current_level = 1;
    tutorial_step = 4;
    level_outcome = 1;
    hud_frame(400);
    EXPECT_EQ(level_start_pending, 0);
    EXPECT_EQ(end_fade_timer, 0);

    // A lost first level fades and starts again.
    level_outcome = 2;
    int frames = 0;
    while (level_start_pending == 0 && frames < 1000) {
        hud_frame();
        ++frames;
        if (frames == 177) {
            EXPECT_FLOAT_EQ(element("level_failed")->alpha, 1);
        }
    }
    EXPECT_NEAR(frames, 255, 2);  // 219 frames dimming to 0.65, then 0.01 a frame to black
    EXPECT_EQ(element("black_quad")->alpha, 1);
    EXPECT_EQ(element("level_completed")->alpha, 0);
    EXPECT_LT(element("level_failed")->alpha, 1);
}

TEST_F(HudTest, FliesLeftCounterIsDrawnOnceAFrame)
{
    abduction2_png = MakeTestStrip(18, 37, 78, "abduction2.png");
    flies_left = 12;
    hud_frame();
    EXPECT_EQ(draws_of("abduction2.png"), 6);  // "x12" in black, then in white
    pause_state = 1;
    hud_frame();
    EXPECT_EQ(draws_of("abduction2.png"), 6);
    FreeImage(abduction2_png);
    abduction2_png = nullptr;
}

TEST_F(HudTest, OverheatFlashShakesTheScreenUntilItsLastTenFrames)
{
    overheat_flash = 30;
    bool shook = false;
    for (int i = 0; i < 19; ++i) {
        hud_frame();
        shook = shook || screen_shake_x != 0 || screen_shake_y != 0;
        ASSERT_LE(std::abs(screen_shake_x), 7);
    }
    EXPECT_TRUE(shook);
    EXPECT_EQ(overheat_flash, 11);
    hud_frame(11);
    EXPECT_EQ(overheat_flash, 0);
    hud_frame();
    EXPECT_EQ(screen_shake_x, 0);
    overheat_flash = 20;
    pause_state = 1;  // the pause menu holds the flash
    hud_frame(5);
    EXPECT_EQ(overheat_flash, 20);
    EXPECT_EQ(screen_shake_y, 0);
}
