#include "platform/input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/headless/headless_backend.h"
#include "platform/graphics.h"
#include "platform/input_script.h"
#include "support/temp_dir.h"

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

TEST_F(InputTest, MalformedValuesAreRefusedNotCutShort)
{
    auto message = [](const std::string& text) {
        try {
            ParseInputScript(text, "rec.txt");
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("# replay\n\n7 wheel 2x\n"), "rec.txt line 3: wheel needs an amount");
    EXPECT_EQ(message("1 move 3 4 5\n"), "rec.txt line 1: unexpected '5' after move");
    EXPECT_EQ(message("1 down 99999999999999999999\n"), "rec.txt line 1: unknown button or key '99999999999999999999'");
    EXPECT_EQ(message("99999999999999999999 close\n"), "rec.txt line 1: frame number out of range");
    EXPECT_EQ(message("2147483647 click left\n"), "rec.txt line 1: frame number out of range");
    EXPECT_EQ(message("3 char 256\n"), "rec.txt line 1: char needs a code 0-255");
    EXPECT_EQ(message("3 wheel 100001\n"), "rec.txt line 1: wheel needs an amount");
}

TEST_F(InputTest, EveryEventWritesBackAsItself)
{
    std::vector<ScriptedEvent> odd;
    for (int key : {0, 5, 9, 13, 27, 48, 65, 90, 160, 189, 255})
        odd.push_back({3, ScriptedEvent::Down, false, key, 0});
    for (int c : {8, 13, 32, 35, 65, 126, 200})
        odd.push_back({4, ScriptedEvent::Char, false, c, 0});
    odd.push_back({5, ScriptedEvent::Up, true, 3, 0});
    odd.push_back({6, ScriptedEvent::Wheel, false, -2, 0});
    odd.push_back({7, ScriptedEvent::Move, false, -4, 767});
    odd.push_back({8, ScriptedEvent::Close, false, 0, 0});
    std::string text;
    for (const ScriptedEvent& ev : odd)
        text += FormatScriptedEvent(ev) + "\n";
    EXPECT_EQ(ParseInputScript(text, "x"), odd) << text;
}

TEST_F(InputTest, ARecordHoldsEveryEventOnTheFrameItEntered)
{
    TempDir dir;
    const std::string script = "0 key escape\n2 move 300 200\n2 click left\n3 type a b\n3 wheel -1\n5 close\n";
    std::vector<ScriptedEvent> events = ParseInputScript(script, "script");
    // The script starts at the headless clock's current frame; the record must carry the
    // frames the events entered.
    const int64_t start = FrameCount();
    std::vector<ScriptedEvent> shifted = events;
    for (ScriptedEvent& ev : shifted)
        ev.frame += start;
    SetInputScript(shifted);
    BeginInputRecord(dir.path() + "/rec.txt", {"a header line"});
    SetInputSource([&](int64_t frame) {
        if (frame - start == 4)
            PostMouseMove(10, 20);  // the bot's events are recorded after the script's
    });
    for (int f = 0; f < 10; ++f) {
        KeyHit(kKeyEscape);
        Flip(0);
    }
    SetInputSource(nullptr);
    EndInputRecord();

    std::ifstream in(dir.path() + "/rec.txt");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("# a header line\n", 0), 0u);
    std::vector<ScriptedEvent> recorded = ParseInputScript(text, "rec.txt");
    for (ScriptedEvent& ev : recorded)
        ev.frame -= start;
    // The source's move comes after the script's events of its frame.
    auto after = std::find_if(events.begin(), events.end(), [](const ScriptedEvent& ev) { return ev.frame > 4; });
    events.insert(after, {4, ScriptedEvent::Move, false, 10, 20});
    EXPECT_EQ(recorded, events);
}
