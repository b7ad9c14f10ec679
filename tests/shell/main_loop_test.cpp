#include "shell/main_loop.h"

#include <gtest/gtest.h>

#include "persist/profile.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "shell/level_rules.h"
#include "sound/sound.h"
#include "state/globals.h"
#include "support/profile_files.h"
#include "support/level_rules_xml.h"
#include "support/temp_dir.h"
#include "ui/ingame_gui.h"
#include "ui/visor.h"
#include "world/level_object.h"

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();  // this frame's pump is done; posted events are seen by the next queries
        pause_state = 0;
        level_outcome = 0;
        help_card = 0;
        tutorial_step = 0;
        current_level = 3;
        visor_page = 0;
        time_scale = 1;
        tick_frames = 0;
        level_ticks = 0;
        free_slots = 4;
        active_slot = 1;
        clear_mouse_latch();
    }
    void press_escape()
    {
        PostKeyEvent(kKeyEscape, true);
        PostKeyEvent(kKeyEscape, false);
        handle_escape();
    }
    void press_key(int key)
    {
        PostKeyEvent(key, true);
        PostKeyEvent(key, false);
    }
};

}  // namespace

TEST_F(MainLoopTest, EscapeOpensAndClosesThePauseMenuOnlyWhileTheLevelIsUndecided)
{
    press_escape();
    EXPECT_EQ(pause_state, 1);
    press_escape();
    EXPECT_EQ(pause_state, 0);

    help_card = 3;  // a help card is pending: closing the menu goes back to it
    pause_state = 2;
    press_escape();
    EXPECT_EQ(pause_state, 1);
    press_escape();
    EXPECT_EQ(pause_state, 2);

    help_card = 0;
    pause_state = 0;
    level_outcome = 1;  // during the fade after a won level
    press_escape();
    EXPECT_EQ(pause_state, 0);
    level_outcome = 2;
    press_escape();
    EXPECT_EQ(pause_state, 0);
    handle_escape();  // without a press nothing happens
    EXPECT_EQ(pause_state, 0);
}

TEST_F(MainLoopTest, EscapeOnTheFirstLevelWaitsForTheTutorial)
{
    current_level = 1;
    tutorial_step = 11;
    press_escape();
    EXPECT_EQ(pause_state, 0);
    tutorial_step = 12;
    press_escape();
    EXPECT_EQ(pause_state, 1);
}

TEST_F(MainLoopTest, LevelClockTicksEveryTenFramesTwentyUnderTimeWarpAndStopsForTheVisor)
{
    for (int i = 0; i < 30; ++i)
        advance_level_clock();
    EXPECT_EQ(level_ticks, 3);

    time_scale = 0.5f;
    for (int i = 0; i < 40; ++i)
        advance_level_clock();
    EXPECT_EQ(level_ticks, 5);

    visor_page = 4;
    for (int i = 0; i < 40; ++i)
        advance_level_clock();
    EXPECT_EQ(level_ticks, 5);
    visor_page = 0;

    // The warp ends with 15 frames counted: the next frame completes the shorter tick.
    for (int i = 0; i < 15; ++i)
        advance_level_clock();
    EXPECT_EQ(tick_frames, 15);
    time_scale = 1;
    advance_level_clock();
    EXPECT_EQ(level_ticks, 6);
    EXPECT_EQ(tick_frames, 0);
}

TEST_F(MainLoopTest, MouseLatchHoldsAClickForOneFrameOnly)
{
    PostMouseButton(1, true);
    latch_mouse();
    EXPECT_EQ(mouse_hit_left, 1);
    EXPECT_EQ(mouse_down_left, 1);
    latch_mouse();  // a second latch in the same frame keeps the flag
    EXPECT_EQ(mouse_hit_left, 1);
    clear_mouse_latch();
    latch_mouse();  // next frame: still held, no new hit
    EXPECT_EQ(mouse_hit_left, 0);
    EXPECT_EQ(mouse_down_left, 1);
    PostMouseButton(1, false);
    PostMouseButton(2, true);
    clear_mouse_latch();
    latch_mouse();
    EXPECT_EQ(mouse_down_left, 0);
    EXPECT_EQ(mouse_hit_right, 1);
    EXPECT_EQ(mouse_hit_middle, 0);
}

TEST_F(MainLoopTest, SlotsAreSelectableOnlyWhenTheyHoldAWeapon)
{
    press_key('2');
    select_slot_by_keys();
    EXPECT_EQ(active_slot, 1);  // four free slots: only slot 1 holds a weapon

    free_slots = 1;  // slots 1..3 filled
    press_key('2');
    press_key('3');
    press_key('4');
    select_slot_by_keys();
    EXPECT_EQ(active_slot, 3);  // all keys tested in order; 4 is still empty

    PostWheel(5);  // clamped to one step
    select_slot_by_wheel();
    EXPECT_EQ(active_slot, 3);  // slot 4 is empty: nothing happens
    PostWheel(-2);
    select_slot_by_wheel();
    EXPECT_EQ(active_slot, 2);
    active_slot = 1;
    PostWheel(-1);
    select_slot_by_wheel();
    EXPECT_EQ(active_slot, 1);  // no wrap-around
}

TEST_F(MainLoopTest, LevelStartResetsThePerLevelState)
{
    TempDir dir;  // empty tuning files and no timetable: the level has no creatures
    dir.write("levels/Spiders.xml", "<spiders/>");
    dir.write("levels/levels_vars.xml", level_rules_xml(current_level));
    dir.write("levels/weapon_vars.xml", "<weapons/>");
    level_start_pending = 1;
    menu_requested = 0;
    show_intro_story = 0;
    show_level_banner = 1;
    show_saving_indicator = 0;
    level_ticks = 99;
    tick_frames = 7;
    time_scale = 0.5f;
    sound_rate = 0.5f;
    temperature = 80;
    main_score = 500;
    tactic_bonus = 40;
    flies_released = 3;
    free_slots = 1;
    active_slot = 3;
    active_weapon = 4;
    overheat_flash = 30;
    screen_shake_x = 5;
    cooling_frames = 12;
    time_warp_state = 1;
    web_flash = 1;
    tutorial_step = 6;
    visor_page = 2;
    pause_state = 1;
    MoveMouse(0, 0);

    process_level_start();

    EXPECT_EQ(level_start_pending, 0);
    EXPECT_EQ(level_running, 1);
    EXPECT_EQ(pause_state, 0);
    EXPECT_EQ(level_ticks, 0);
    EXPECT_EQ(tick_frames, 0);
    EXPECT_EQ(time_scale, 1.0f);
    EXPECT_EQ(sound_rate, 1.0f);
    EXPECT_EQ(temperature, 0.0f);
    EXPECT_EQ(main_score, 0);
    EXPECT_EQ(tactic_bonus, 0);
    EXPECT_EQ(flies_released, 0);
    EXPECT_EQ(free_slots, 3);  // no arsenal for the level: the laser alone fills slot 1
    EXPECT_EQ(active_slot, 1);
    EXPECT_EQ(active_weapon, 1);
    EXPECT_EQ(overheat_flash, 0);
    EXPECT_EQ(screen_shake_x, 0.0f);
    EXPECT_EQ(cooling_frames, 0);
    EXPECT_EQ(time_warp_state, 0);
    EXPECT_EQ(web_flash, 0);
    EXPECT_EQ(tutorial_step, 0);
    EXPECT_EQ(visor_page, 0);
    EXPECT_EQ(MouseX(), 394);
    EXPECT_EQ(MouseY(), 308);
    EXPECT_EQ(show_saving_indicator, 1);  // the first banner only arms the saving animation
    EXPECT_EQ(show_level_banner, 0);

    process_level_start();  // nothing pending: nothing happens
    EXPECT_EQ(level_running, 1);
}

TEST_F(MainLoopTest, MenuEntryStopsTheLevelAndReturnsWithAStartPending)
{
    TempDir dir;
    // A player part-way through the campaign, who picks "Resume" once the menu is idle.
    dir.write("profiles/Profile_1.dat", profile_bytes("Ann", 4, 900, 3, 0, 1));
    LoadLatestProfile();
    const int64_t now = FrameCount();
    std::vector<ScriptedEvent> events = ParseInputScript("40 move 500 165\n42 click left\n", "resume");
    for (ScriptedEvent& e : events)
        e.frame += now;
    SetInputScript(events);
    level_start_pending = 1;
    menu_requested = 1;
    level_running = 1;
    level_outcome = 2;
    temperature = 50;
    show_saving_indicator = 0;
    // Quit in the middle of a time warp and an overheat flash, with cooling left.
    time_scale = 0.5f;
    sound_rate = 0.6f;
    time_warp_state = 1;
    overheat_flash = 20;
    screen_shake_y = -4;
    cooling_frames = 60;
    process_level_start();
    EXPECT_EQ(level_running, 0);
    EXPECT_EQ(level_outcome, 0);
    EXPECT_EQ(temperature, 0.0f);
    EXPECT_EQ(time_scale, 1.0f);
    EXPECT_EQ(sound_rate, 1.0f);
    EXPECT_EQ(time_warp_state, 0);
    EXPECT_EQ(overheat_flash, 0);
    EXPECT_EQ(screen_shake_y, 0.0f);
    EXPECT_EQ(cooling_frames, 0);
    // The menu loop hands back a pending level start.
    EXPECT_EQ(menu_requested, 0);
    EXPECT_EQ(level_start_pending, 1);
    EXPECT_EQ(show_intro_story, 0);
    SetInputScript({});
    reset_profile_globals();
}
