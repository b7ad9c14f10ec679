// The menus driven as a player would: scripted pointer moves, clicks, drags and typing
// through the headless platform, checked against the files the menus write.
#include "ui/menu_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/draw_trace.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/program_exit.h"
#include "support/profile_files.h"
#include "ui/gui.h"

namespace {

class MenuLoopTest : public ProfileFiles {
protected:
    MenuLoopTest()
    {
        UseHeadlessPlatform();
        ResetInput();
        LoadConfig();
        gui_list.clear();
        menu_requested = 1;
        level_start_pending = 1;
        show_intro_story = 0;
    }
    ~MenuLoopTest() override
    {
        SetPresentedHook(nullptr);
        SetInputScript({});
        gui_list.clear();
        ResetInput();
    }

    // Runs the menu loop on a script whose frames count from the loop's first frame, for
    // at most `frames` frames. True when the loop returned to start a level.
    bool run(const std::string& script, int frames)
    {
        const int64_t base = FrameCount();
        std::vector<ScriptedEvent> events = ParseInputScript(script, "menu script");
        for (ScriptedEvent& e : events)
            e.frame += base;
        SetInputScript(events);
        SetPresentedHook([base, frames](int64_t presented) {
            if (presented - base >= frames)
                end_program(0);
        });
        try {
            run_menu_loop();
            return true;
        } catch (const ProgramExit&) {
            return false;
        }
    }

    GuiT* widget(const std::string& name)
    {
        for (GuiT* w : gui_list.snapshot()) {
            if (w->name == name)
                return w;
        }
        return nullptr;
    }

    void make_profile(int slot, const std::string& name, int level, int score)
    {
        write_file("Profile_" + std::to_string(slot) + ".dat", profile_bytes(name, level, score, 3, 0, 1));
    }
};

// Backspace seven times from frame `at` (clearing "PLAYER1"), then type the text.
std::string retype(int at, const std::string& text)
{
    std::string s;
    for (int i = 0; i < 7; ++i)
        s += std::to_string(at + 2 * i) + " key backspace\n";
    return s + std::to_string(at + 16) + " type " + text + "\n";
}

std::string click_at(int frame, int x, int y)
{
    return std::to_string(frame) + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(frame + 2) + " click left\n";
}

TEST_F(MenuLoopTest, FirstStartMakesAPlayerAndStartsAHardGame)
{
    EXPECT_FALSE(run("", 2));
    EXPECT_EQ(menu_loop.screen, kScreenNameEntry);
    ASSERT_NE(widget("PLAYER1"), nullptr);

    // The pointer already rests on "OK" while the screen fades in: that click is lost.
    std::string script = "0 move 330 475\n5 click left\n" + retype(40, "Ann") + click_at(70, 330, 475) +
                         click_at(180, 500, 265) +  // New Game: a level-1 player goes straight on
                         click_at(300, 620, 355);   // hard
    EXPECT_TRUE(run(script, 500));
    EXPECT_EQ(read_file("Profile_1.dat"), profile_bytes("Ann", 1, 0, 0, 0, 1));
    EXPECT_EQ(current_profile, 1);
    EXPECT_NE(read_file("High_score.dat").find(row("Ann", 0, 4)), std::string::npos);
    EXPECT_EQ(difficulty, 2);
    EXPECT_EQ(current_level, 1);
    EXPECT_EQ(menu_requested, 0);
    EXPECT_EQ(level_start_pending, 1);
    EXPECT_EQ(show_intro_story, 1);
}

TEST_F(MenuLoopTest, TypedNamesAreCutToSevenCharactersAsTheyAreTyped)
{
    // "PLAYER1" is full: typing onto it changes nothing; a long name stops at seven.
    run("30 type x\n" + retype(40, "abcdefghij"), 100);
    EXPECT_EQ(menu_loop.working_name, "abcdefg");
    run(retype(40, "") + "80 key backspace\n90 type a\n", 100);  // Backspace on "" does nothing
    EXPECT_EQ(menu_loop.working_name, "a");
}

TEST_F(MenuLoopTest, TakenNamesAreRefusedAndNewPlayersFillTheFirstFreeSlot)
{
    make_profile(1, "Ann", 4, 900);
    LoadLatestProfile();
    // Main menu, the player widget, then the third slot, which reads "Empty".
    std::string script = click_at(30, 940, 25) + click_at(110, 480, 430) + retype(200, "Ann") +
                         click_at(230, 330, 475);
    run(script, 300);
    EXPECT_EQ(menu_loop.screen, kScreenNameEntry);
    EXPECT_EQ(menu_loop.next_screen, kScreenNameEntry);
    EXPECT_EQ(widget("OK")->fade, 4);
    EXPECT_EQ(CountProfiles(), 1);

    // Same way again, a free name this time: it lands in slot 2, not in the slot clicked.
    script = click_at(30, 940, 25) + click_at(110, 480, 430) + retype(200, "Bo") + click_at(230, 330, 475);
    run(script, 320);
    EXPECT_EQ(menu_loop.screen, kScreenMainMenu);
    EXPECT_EQ(read_file("Profile_2.dat"), profile_bytes("Bo", 1, 0, 0, 0, 1));
    EXPECT_FALSE(std::filesystem::exists(profiles() / "Profile_3.dat"));
    EXPECT_NE(read_file("High_score.dat").find(row("Bo", 0, 5)), std::string::npos);
    EXPECT_EQ(current_profile, 2);
}

TEST_F(MenuLoopTest, UnreadableProfilesCannotBeChosen)
{
    make_profile(1, "Ann", 4, 900);
    const std::string damaged = "Cid\r\n" + i64(7);
    write_file("Profile_2.dat", damaged);
    LoadLatestProfile();
    run(click_at(30, 940, 25) + click_at(110, 480, 345), 200);  // the player widget, then slot 2
    EXPECT_EQ(menu_loop.screen, kScreenProfiles);
    EXPECT_EQ(menu_loop.fade_state, 0);
    EXPECT_EQ(read_file("Profile_2.dat"), damaged);
    EXPECT_EQ(profile_name, "Ann");
}

TEST_F(MenuLoopTest, PlayersNamedLikeButtonsAreChosenByTheirSlot)
{
    make_profile(1, "Ann", 4, 900);
    make_profile(2, "Back", 6, 1200);
    make_profile(3, "Cross 1", 8, 1500);
    LoadProfile(1);
    run(click_at(30, 940, 25) + click_at(110, 480, 345), 200);  // the player widget, then slot 2
    EXPECT_EQ(menu_loop.screen, kScreenMainMenu);
    EXPECT_EQ(profile_name, "Back");
    EXPECT_EQ(current_level, 6);

    // Slot 3 chooses its player; it does not open the deletion of slot 1.
    run(click_at(30, 940, 25) + click_at(110, 480, 430), 200);
    EXPECT_EQ(menu_loop.screen, kScreenMainMenu);
    EXPECT_EQ(profile_name, "Cross 1");
    EXPECT_EQ(CountProfiles(), 3);
}

TEST_F(MenuLoopTest, DeletingTheLastPlayerLeadsToANewOne)
{
    make_profile(1, "Ann", 4, 900);
    LoadLatestProfile();
    // Player widget, the first cross, "YES", then a new name.
    std::string script = click_at(30, 940, 25) + click_at(110, 680, 255) + click_at(190, 380, 520) +
                         retype(280, "Eve") + click_at(310, 330, 475);
    run(script, 400);
    EXPECT_EQ(menu_loop.screen, kScreenMainMenu);
    EXPECT_EQ(read_file("Profile_1.dat"), profile_bytes("Eve", 1, 0, 0, 0, 1));
    EXPECT_EQ(CountProfiles(), 1);

    // With nobody left, "Back" on the profile screen returns to the name entry and
    // writes nothing.
    std::filesystem::remove(profiles() / "Profile_1.dat");
    run("", 2);
    EXPECT_EQ(menu_loop.screen, kScreenNameEntry);
    run(click_at(30, 600, 470) + click_at(110, 500, 620), 200);  // CANCEL, then Back
    EXPECT_EQ(menu_loop.screen, kScreenNameEntry);
    EXPECT_EQ(CountProfiles(), 0);
}

TEST_F(MenuLoopTest, NewGameOnACampaignUnderWayAsksFirst)
{
    make_profile(1, "Ann", 4, 900);
    LoadLatestProfile();
    run(click_at(30, 500, 265), 120);
    EXPECT_EQ(menu_loop.screen, kScreenConfirmNew);

    // A finished campaign stands at level 1 again; it asks as well, and cannot be resumed.
    current_level = 1;
    game_completed = 1;
    run("", 30);
    EXPECT_EQ(widget("Resume")->fade, 4);
    run(click_at(30, 500, 265), 120);
    EXPECT_EQ(menu_loop.screen, kScreenConfirmNew);
}

TEST_F(MenuLoopTest, AGreyedOutResumeStartsNothing)
{
    // A player at level 1, then one who has finished the campaign.
    for (int completed : {0, 1}) {
        write_file("Profile_1.dat", profile_bytes("Ann", 1, 900, 3, completed, 1));
        LoadLatestProfile();
        EXPECT_FALSE(run(click_at(30, 500, 165) + click_at(60, 500, 165), 200)) << completed;
        EXPECT_EQ(menu_loop.screen, kScreenMainMenu);
        EXPECT_EQ(menu_loop.next_screen, kScreenMainMenu);
        EXPECT_EQ(menu_loop.fade_state, 0);
        EXPECT_EQ(menu_requested, 1);
    }
}

TEST_F(MenuLoopTest, SliderFarLeftSilencesAndBackSavesTheChosenMode)
{
    make_profile(1, "Ann", 4, 900);
    LoadLatestProfile();
    // --fullscreen for this run only: the file keeps the window.
    screen_mode = 2;
    std::string script = click_at(30, 500, 485);  // Options
    script += "110 move 650 270\n112 down left\n";
    for (int i = 1; i <= 14; ++i)  // drag left, always inside the knob's box
        script += std::to_string(112 + i) + " move " + std::to_string(650 - 20 * i) + " 270\n";
    script += "130 up left\n" + click_at(140, 520, 640);
    run(script, 200);
    EXPECT_EQ(music_volume, 0.0f);
    EXPECT_EQ(menu_loop.next_screen, kScreenMainMenu);
    EXPECT_EQ(read_file("config.dat"), f32(0.0f) + f32(0.65f) + i32(1));
    EXPECT_EQ(screen_mode, 2);
}

TEST_F(MenuLoopTest, AltEnterCountsAsChoosingTheOtherMode)
{
    make_profile(1, "Ann", 4, 900);
    LoadLatestProfile();
    Graphics(1024, 768, 0, 60, 0);
    GetBackend().set_fullscreen(true);  // what Alt+Enter does in the window
    run(click_at(30, 500, 485) + click_at(140, 520, 640), 200);  // Options, Back
    EndGraphics();
    EXPECT_EQ(screen_mode, 2);
    EXPECT_EQ(read_file("config.dat").substr(8), i32(2));  // after the two volumes
}

TEST_F(MenuLoopTest, HighScoresListThePlayerFourthOnlyOutsideTheBestThree)
{
    make_profile(1, "Ann", 4, 900);
    make_profile(2, "Bo", 4, 25000);
    LoadProfile(1);
    CreateDefaultHighScores();
    menu_loop.screen = kScreenHighScores;
    auto rows = [this]() {
        std::vector<std::string> out;
        for (GuiT* w : gui_list.snapshot()) {
            if (w->script == 6)
                out.push_back(w->name + " " + std::to_string(w->score));
        }
        return out;
    };
    GuiT::Menu_Create(kScreenHighScores, "");
    EXPECT_EQ(rows(), (std::vector<std::string> {"Orrin 30000", "Bo 25000", "Tavi 23000", "Ann 900"}));

    gui_list.clear();
    LoadProfile(2);
    GuiT::Menu_Create(kScreenHighScores, "");
    EXPECT_EQ(rows(), (std::vector<std::string> {"Orrin 30000", "Bo 25000", "Tavi 23000", "Belka 18000"}));
    EXPECT_TRUE(high_score_list.empty());
}

}  // namespace
