// The bot's hand: reaches take the time a person's would and end on the target, clicks
// press and release in separate frames, and nothing it posts leaves the window.
#include "bot/bot_hand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/input.h"

namespace {

class BotHandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        PumpInput();  // the frame's own pump is done: only the hand posts from here on
    }
    // Runs the hand until it is idle; returns the frames it took.
    int run(BotHand& hand, int limit = 600)
    {
        int frames = 0;
        while (hand.busy() && frames < limit) {
            hand.see_pointer(MouseX(), MouseY());
            hand.step();
            EXPECT_GE(MouseX(), 0);
            EXPECT_LT(MouseX(), BotHand::kScreenW);
            EXPECT_GE(MouseY(), 0);
            EXPECT_LT(MouseY(), BotHand::kScreenH);
            ++frames;
        }
        return frames;
    }
};

}  // namespace

TEST_F(BotHandTest, FarAndSmallTargetsTakeLongerAndAreReached)
{
    BotRandom random(7);
    HandStyle steady {3, 4, 0.0, 0.0, 3};
    BotHand hand(steady, random);
    hand.see_pointer(100, 100);
    PostMouseMove(100, 100);
    hand.reach(140, 100, 40);
    int near = run(hand);
    EXPECT_EQ(MouseX(), 140);
    hand.reach(900, 600, 10);
    int far = run(hand);
    EXPECT_EQ(MouseX(), 900);
    EXPECT_EQ(MouseY(), 600);
    EXPECT_GT(far, 3 * near);
    EXPECT_LT(far, 60);  // well under a second for a practised hand

    // Aimed beyond the screen's edge, the pointer stops at the edge.
    hand.reach(1500, -40, 20);
    run(hand);
    EXPECT_EQ(MouseX(), BotHand::kScreenW - 1);
    EXPECT_EQ(MouseY(), 0);
}

TEST_F(BotHandTest, AClickPressesAfterArrivingAndReleasesLater)
{
    BotRandom random(3);
    BotHand hand(HandStyle {2, 2, 0.0, 0.0, 3}, random);
    hand.click(1, 300, 300, 30);
    int frames = 0;
    bool pressed_away = false, released = false;
    while (hand.busy()) {
        hand.see_pointer(MouseX(), MouseY());
        hand.step();
        ++frames;
        if (MouseDown(1) && (MouseX() != 300 || MouseY() != 300))
            pressed_away = true;
        if (MouseHit(1)) {
            EXPECT_EQ(MouseDown(1), 1);
        }
        released = MouseDown(1) == 0;
    }
    EXPECT_FALSE(pressed_away);
    EXPECT_TRUE(released);
    EXPECT_TRUE(frames > 4);

    // A drag holds the right button from its start to its end.
    hand.drag(2, 350, 300, 450, 320);
    bool down_at_end = false;
    while (hand.busy()) {
        hand.see_pointer(MouseX(), MouseY());
        hand.step();
        if (MouseX() == 450 && MouseY() == 320 && MouseDown(2))
            down_at_end = true;
    }
    EXPECT_TRUE(down_at_end);
    EXPECT_EQ(MouseDown(2), 0);
}

TEST_F(BotHandTest, LandingSpreadsAroundTheTargetAndSlipsNowAndThen)
{
    BotRandom random(11);
    BotHand hand(HandStyle {2, 2, 0.15, 0.1, 2}, random);
    int on_target = 0, slips = 0;
    for (int i = 0; i < 200; ++i) {
        hand.reach(i % 2 ? 300 : 600, 400, 20);
        run(hand);
        double off = std::hypot(MouseX() - (i % 2 ? 300 : 600), MouseY() - 400);
        on_target += off <= 10 ? 1 : 0;
        slips += off > 14 ? 1 : 0;
    }
    EXPECT_GT(on_target, 150);
    EXPECT_GT(slips, 5);
    EXPECT_LT(slips, 45);
}

TEST_F(BotHandTest, TypesCharactersWithTheirKeysAndShift)
{
    BotRandom random(1);
    BotHand hand(HandStyle {}, random);
    hand.type_char('Z');
    hand.type_char('o');
    std::string typed;
    bool shift_with_z = false;
    while (hand.busy()) {
        hand.step();
        for (int c = GetChar(); c != 0; c = GetChar())
            typed += static_cast<char>(c);
        shift_with_z = shift_with_z || (KeyDown('Z') && KeyDown(160));
    }
    EXPECT_EQ(typed, "Zo");
    EXPECT_TRUE(shift_with_z);
    EXPECT_EQ(KeyDown(160), 0);
    EXPECT_EQ(KeyDown('O'), 0);
}
