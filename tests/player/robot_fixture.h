// Shared set-up for the robot and weapon tests: a small level the test writes (tuning files
// and timetable in a temporary data folder), started as the shell starts it and played
// frame by frame through the real main loop with the player's input posted in between.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "persist/profile.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/power_ups.h"
#include "player/reticle.h"
#include "player/robo_fly.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "support/level_rules_xml.h"
#include "support/temp_dir.h"
#include "ui/ingame_gui.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/special.h"
#include "world/world_fixture.h"

class RobotLevelTest : public ::testing::Test {
protected:
    // A trapped fly in the middle of the web, well inside the play circle.
    static constexpr int kFlyX = 492;
    static constexpr int kFlyY = 355;
    // A spot of empty web, also inside the circle.
    static constexpr int kEmptyX = 400;
    static constexpr int kEmptyY = 250;

    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();
        SeedRnd(4242);
        clear_mouse_latch();
        // The strips whose end the robot, reticle and specials wait for.
        strip(&fly_on_the_tree_png, 11);
        strip(&robo_fly_rozminka_png, 12);
        strip(&robo_fly_climbing_png, 12);
        strip(&robo_anim_taking_off_png, 11);
        strip(&robofly_flys_png, 5);
        strip(&fly_landing_png, 7);
        strip(&player_pricel_png, 9);
        strip(&game_cursor_png, 1);
        strip(&flying_spec_up_png, 5);
        strip(&flying_spec_up2_png, 5);
        current_level = 3;
        difficulty = 1;
        show_intro_story = 0;
        show_level_banner = 0;
        show_saving_indicator = 0;
        // No entrance marker: the spider never enters, so it neither eats nor starves.
        dir.write("levels/Spiders.xml", "<spiders/>");
        rules(3);
        arsenal(3, "<weapon_1>1</weapon_1><cool_node/>");
    }
    void TearDown() override
    {
        clear_world();
        for (TImage** image : made_) {
            FreeImage(*image);
            *image = nullptr;
        }
        time_scale = 1;
        sound_rate = 1;
        pause_state = 0;
        help_card = 0;
        temperature = 0;
        time_warp_state = 0;
        cooling_frames = 0;
        level_running = 0;
        difficulty = 1;
    }

    void strip(TImage** image, int frames, const std::string& name = "strip")
    {
        *image = MakeTestStrip(4, 4, frames, name);
        made_.push_back(image);
    }
    void rules(int level)
    {
        dir.write("levels/levels_vars.xml", level_rules_xml(level));
    }
    // The level's element of weapon_vars.xml, its children given.
    void arsenal(int level, const std::string& children)
    {
        const std::string tag = "level_" + std::to_string(level);
        dir.write("levels/weapon_vars.xml", "<weapons><" + tag + ">" + children + "</" + tag + "></weapons>");
    }
    void timetable(int level, const std::vector<TimetableRecord>& records)
    {
        dir.write("Levels/Level_" + std::to_string(level) + ".dat", timetable_bytes(records));
    }
    // A normal fly arriving at tick 1 where the tests aim.
    void one_fly(int level = 3, int kind = 1) { timetable(level, {{"Fly", 1, kFlyX, kFlyY, kind, 0}}); }

    void start_level(int level = 3)
    {
        current_level = level;
        level_start_pending = 1;
        menu_requested = 0;
        MoveMouse(kEmptyX, kEmptyY);
        process_level_start();
    }
    static void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            main_loop_frame();
    }
    // Plays until the fly has arrived and the robot has climbed onto its branch.
    void settle() { frames(160); }

    // The player's hand: events posted now are seen by the next frame.
    static void move(int x, int y) { PostMouseMove(x, y); }
    static void click(int button = 1)
    {
        PostMouseButton(button, true);
        frames(1);
        PostMouseButton(button, false);
        frames(1);
    }
    static void click_at(int x, int y, int button = 1)
    {
        move(x, y);
        click(button);
    }
    static void key(int code)
    {
        PostKeyEvent(code, true);
        PostKeyEvent(code, false);
        frames(1);
    }

    static roboFlyT& robot() { return *robot_list.first(); }
    static power_upsT& slot(int id) { return *power_ups_list.snapshot().at(static_cast<size_t>(id - 1)); }
    static FlyT& fly(int id = 0) { return *fly_list.snapshot().at(static_cast<size_t>(id)); }
    static int bullets(const std::string& w_type)
    {
        int n = 0;
        bullet_list.for_each([&](BulletT& b) { n += b.w_type == w_type ? 1 : 0; });
        return n;
    }

    TempDir dir;

private:
    std::vector<TImage**> made_;
};
