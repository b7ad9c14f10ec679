// The visor's pieces as the HUD builds them, driven by the sequencer frame by frame; the
// player points at Continue and clicks.
#include "ui/visor.h"

#include <gtest/gtest.h>

#include "persist/profile.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/globals.h"
#include "state/lists.h"
#include "ui/ingame_gui.h"

namespace
{

class VisorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        current_level = 1;
        visor_page = visor_phase = visor_timer = 0;
        ingame_gui_list.clear();
        inGame_guiT::CreateIngameGui();
        point_at(0, 0);
    }
    void TearDown() override { ingame_gui_list.clear(); }

    inGame_guiT& element(const std::string& name)
    {
        inGame_guiT* found = nullptr;
        ingame_gui_list.for_each([&](inGame_guiT& g) {
            if (g.name == name)
                found = &g;
        });
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    static void point_at(int x, int y)
    {
        PostMouseMove(x, y);
        PumpInput();
    }
    void frame(bool click = false)
    {
        mouse_hit_left = click ? 1 : 0;
        UpdateVisorSequence();
        ingame_gui_list.for_each([](inGame_guiT& g) { g.Update_Visor_script(); });
        mouse_hit_left = 0;
    }
    // Frames until the visor waits for Continue (or the limit).
    int until_phase(int phase)
    {
        int n = 0;
        while (visor_phase != phase && n < 1000) {
            frame();
            ++n;
        }
        return n;
    }
    // Points at the Continue glow's box and clicks once the glow has lit up.
    void press_continue()
    {
        const inGame_guiT& glow = element("visor_ContinueGlow");
        point_at(static_cast<int>(glow.x) + 20, static_cast<int>(glow.y) + 5);
        for (int i = 0; i < 30 && visor_phase == 3; ++i)
            frame(true);
    }
};

} // namespace

TEST_F(VisorTest, SlidesDownRevealsAndWaitsForAnArmedContinue)
{
    visor_page = 4;
    EXPECT_EQ(until_phase(2), 2 + 150);
    // 150 frames of 2.7 pixels bring the body down by 405.
    EXPECT_NEAR(element("visor_Mbody").y, -360 + 405, 0.01);
    EXPECT_EQ(until_phase(3), 200);
    // Page 4's glow crawls at 0.2 a frame: 55 + 40; the text is fully uncovered.
    EXPECT_NEAR(element("Visor_text_fx").y, 95, 0.05);
    EXPECT_GE(element("Visor_text").RectPercent, 100);
    EXPECT_EQ(visor_continue_ready, 0);

    // Clicking while the glow still fades does nothing.
    const inGame_guiT& glow = element("visor_ContinueGlow");
    point_at(static_cast<int>(glow.x) + 20, static_cast<int>(glow.y) + 5);
    for (int i = 0; i < 5; ++i)
        frame(true);
    EXPECT_EQ(visor_phase, 3);
    EXPECT_EQ(visor_continue_ready, 0);
    press_continue();
    EXPECT_EQ(visor_continue_ready, 1);
    EXPECT_EQ(visor_phase, 4);
    // Page 4 has no follow-up: 150 frames back up, then idle.
    EXPECT_EQ(until_phase(0), 151);
    EXPECT_EQ(visor_page, 0);
    EXPECT_NEAR(element("visor_Mbody").y, -360, 0.05);
}

TEST_F(VisorTest, FollowUpPagesTurnInsteadOfClosing)
{
    visor_page = 1;
    until_phase(3);
    press_continue();
    EXPECT_EQ(until_phase(2), 36); // the page turn
    EXPECT_EQ(visor_page, 2);
    EXPECT_EQ(element("Visor_text").RectPercent, 0.5f); // hidden during the turn, uncovering again
    until_phase(3);
    press_continue();
    EXPECT_EQ(until_phase(0), 151); // page 2 closes

    // 7 turns to 8 and 8 to 9, which closes.
    visor_page = 7;
    std::vector<int> pages;
    for (int press = 0; press < 3; ++press) {
        until_phase(3);
        pages.push_back(visor_page);
        press_continue();
    }
    EXPECT_EQ(pages, (std::vector<int>{7, 8, 9}));
    until_phase(0);
    EXPECT_EQ(visor_page, 0);
}

TEST_F(VisorTest, StaysPutOnLevelsWithoutPages)
{
    current_level = 3;
    visor_page = 1;
    for (int i = 0; i < 400; ++i)
        frame();
    EXPECT_EQ(element("visor_Mbody").y, -360);
    EXPECT_EQ(visor_phase, 3); // the sequencer runs, nothing moves and Continue never arms
}
