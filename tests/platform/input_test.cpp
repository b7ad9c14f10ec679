#include "platform/input.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"

TEST(Random, ParkMillerMatchesValuesWorkedByHand)
{
    // From state 4660: 48271 * 4660 = 224942860, then 48271 * 224942860 mod (2^31 - 1) = 539475828.
    SeedRnd(4660);
    double f = ((224942860 & 536870908) + (539475828 & 536870904) / 134217728.0) / 536870912.0;
    EXPECT_DOUBLE_EQ(Rnd(0, 1), f);
    EXPECT_EQ(RndSeed(), 539475828);
    // Next pair 650989866, 1951098782 gives f = 0.2125..., so Rand(3, 10) = 3 + trunc(f * 8) = 4.
    EXPECT_EQ(Rand(3, 10), 4);
}

TEST(Random, SeedsRangesAndReversedArguments)
{
    SeedRnd(0);
    double a = Rnd(0, 100);
    SeedRnd(4660);
    EXPECT_EQ(Rnd(0, 100), a);  // 0 is replaced by 4660
    SeedRnd(2147483647);
    EXPECT_EQ(RndSeed(), 4660);
    SeedRnd(-1);  // top bit cleared: 0x7fffffff, replaced too
    EXPECT_EQ(RndSeed(), 4660);

    SeedRnd(99);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(Rand(5, 5), 5);
        int r = Rand(3, 1);
        EXPECT_GE(r, 1);
        EXPECT_LE(r, 3);
        seen.insert(r);
        double x = Rnd(2, -2);  // reversed: from the lower to the higher
        EXPECT_GE(x, -2);
        EXPECT_LT(x, 2);
        double d = Rnd(5);  // one argument: 0 up to 5
        EXPECT_GE(d, 0);
        EXPECT_LT(d, 5);
    }
    EXPECT_EQ(seen, (std::set<int> {1, 2, 3}));
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
    }
    void TearDown() override
    {
        SetInputScript({});
        ResetInput();
    }
};

TEST_F(InputTest, HitsCountPressesAndResetWhenRead)
{
    PostKeyEvent(65, true);
    EXPECT_EQ(KeyHit(65), 1);
    EXPECT_EQ(KeyHit(65), 0);
    EXPECT_EQ(KeyDown(65), 1);
    PostKeyEvent(65, false);
    PostKeyEvent(65, true);
    PostKeyEvent(65, false);
    PostKeyEvent(65, true);
    EXPECT_EQ(KeyHit(65), 2);
    FlushKeys();
    EXPECT_EQ(KeyDown(65), 0);

    PostMouseButton(2, true);
    PostMouseButton(2, true);  // a held button is one press
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_EQ(MouseDown(2), 1);
    PostWheel(3);
    PostWheel(-1);
    EXPECT_EQ(MouseZSpeed(), 2);
    EXPECT_EQ(MouseZSpeed(), 0);
    FlushMouse();
    EXPECT_EQ(MouseDown(2), 0);
    EXPECT_EQ(KeyHit(300), 0);  // out of range codes are ignored
    EXPECT_EQ(MouseHit(9), 0);
}

TEST_F(InputTest, MoveMouseIsReadBackAtOnce)
{
    MoveMouse(120, 340);
    EXPECT_EQ(MouseX(), 120);
    EXPECT_EQ(MouseY(), 340);
}

TEST_F(InputTest, ScriptEventsArriveOnTheirFrame)
{
    auto events = ParseInputScript("# aim and shoot\n"
                                   "2 move 300 200\n"
                                   "2 click left\n"
                                   "0 key escape\n"
                                   "1 type Ab\r\n"
                                   "4 close\n",
                                   "script");
    // "A" is shift, key and character, then both keys up; "b" is key, character, key up.
    ASSERT_EQ(events.size(), 14u);
    EXPECT_EQ(events.front().frame, 0);
    PumpInput();  // this frame's pump is done: only the explicit calls below post events
    SetInputScript(events);

    ApplyScriptedInput(0);
    EXPECT_EQ(KeyHit(kKeyEscape), 1);
    ApplyScriptedInput(1);
    EXPECT_EQ(KeyDown(kKeyEscape), 0);  // released the frame after
    EXPECT_EQ(GetChar(), 'A');
    EXPECT_EQ(KeyHit('A'), 1);
    EXPECT_EQ(KeyDown(160), 1);  // capitals are typed with shift held
    EXPECT_EQ(GetChar(), 0);     // the next character comes two frames later
    EXPECT_EQ(MouseDown(1), 0);
    ApplyScriptedInput(2);
    EXPECT_EQ(KeyDown(160), 0);
    EXPECT_EQ(MouseX(), 300);
    EXPECT_EQ(MouseHit(1), 1);
    ApplyScriptedInput(3);
    EXPECT_EQ(GetChar(), 'b');
    EXPECT_EQ(KeyHit('B'), 1);
    EXPECT_EQ(KeyDown(160), 0);
    EXPECT_EQ(MouseDown(1), 0);
    EXPECT_EQ(TakeCloseRequest(), 0);
    ApplyScriptedInput(4);
    EXPECT_EQ(TakeCloseRequest(), 1);
    EXPECT_EQ(TakeCloseRequest(), 0);
}

TEST_F(InputTest, MalformedScriptLinesNameTheLine)
{
    try {
        ParseInputScript("1 move 3 4\n2 jump\n", "in.txt");
        FAIL() << "expected an error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "in.txt line 2: unknown action 'jump'");
    }
    EXPECT_THROW(ParseInputScript("1 down elbow\n", "x"), std::runtime_error);
    EXPECT_THROW(ParseInputScript("move 1 2\n", "x"), std::runtime_error);
    EXPECT_THROW(ParseInputScript("-3 close\n", "x"), std::runtime_error);
    EXPECT_NO_THROW(ParseInputScript("\n   \n# only comments\n", "x"));
}
