#include "ui/font.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "support/draw_helpers.h"

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        ResetInput();
        SetDrawTraceActive(true);
        ResetRenderState();
        font = MakeTestStrip(18, 37, 78, "abduction2.png");
    }
    void TearDown() override
    {
        SetDrawTraceActive(false);
        FreeImage(font);
        ResetInput();
    }

    // Left edges and glyphs of the characters drawn since the last clear.
    std::vector<std::pair<float, int>> drawn()
    {
        std::vector<std::pair<float, int>> out;
        for (const DrawRecord& r : TracedDraws())
            out.push_back({QuadBounds(r).left, r.frame});
        return out;
    }

    void stroke(int key)
    {
        PostKeyEvent(key, true);
        PostKeyEvent(key, false);
    }

    TImage* font = nullptr;
};

TEST_F(FontTest, GlyphTableCoversPrintableRangesAndBlanksTheRest)
{
    EXPECT_EQ(GFont::sortchar(' '), 0);
    EXPECT_EQ(GFont::sortchar('!'), 1);
    EXPECT_EQ(GFont::sortchar('#'), 3);
    EXPECT_EQ(GFont::sortchar('/'), 15);
    EXPECT_EQ(GFont::sortchar('0'), 16);
    EXPECT_EQ(GFont::sortchar('9'), 25);
    EXPECT_EQ(GFont::sortchar('A'), 26);
    EXPECT_EQ(GFont::sortchar('Z'), 51);
    EXPECT_EQ(GFont::sortchar('a'), 52);
    EXPECT_EQ(GFont::sortchar('z'), 77);
    for (int code : {0, 31, int(':'), int('@'), int('['), int('_'), int('`'), int('{'), 127, 200, -5})
        EXPECT_EQ(GFont::sortchar(code), 0) << code;
}

TEST_F(FontTest, AlignmentAndSpacingPlaceEveryCharacter)
{
    GFont::DrawString(font, 100, 50, "Ab@", 0, 0, 1);
    std::vector<std::pair<float, int>> left {{100, 26}, {129, 53}, {158, 0}};  // '@' is blank but advances
    EXPECT_EQ(drawn(), left);
    EXPECT_EQ(QuadBounds(TracedDraws()[0]).top, 50);

    ClearDrawTrace();
    GFont::DrawString(font, 100, 0, "abc", 1, 0, 15.3f);  // width 90: starts at 55
    ASSERT_EQ(TracedDraws().size(), 3u);
    EXPECT_FLOAT_EQ(QuadBounds(TracedDraws()[2]).left, 55 + 2 * (30 - 15.3f));

    ClearDrawTrace();
    GFont::DrawString(font, 101, 0, "abc", 1, 0, 0);  // odd half widths round towards zero
    EXPECT_EQ(QuadBounds(TracedDraws()[0]).left, 56);

    ClearDrawTrace();
    GFont::DrawString(font, 300, 0, "xy", -1, 0, 0);
    EXPECT_EQ(QuadBounds(TracedDraws()[0]).left, 240);

    ClearDrawTrace();
    GFont::DrawString(font, 300, 0, "", 1, 0, 1);
    EXPECT_TRUE(TracedDraws().empty());
}

TEST_F(FontTest, TypedKeysComeOutInTableOrderOncePerPress)
{
    EXPECT_EQ(ReadTypedText(), "");
    stroke('A');
    stroke('Q');
    stroke(kKeySpace);
    stroke('1');
    stroke(97);   // keypad 1
    stroke(96);   // keypad 0
    stroke(189);  // minus
    EXPECT_EQ(ReadTypedText(), " qa110-");
    EXPECT_EQ(ReadTypedText(), "");  // each press gives one character

    PostKeyEvent(160, true);  // shift held
    stroke('B');
    stroke('2');
    stroke(100);  // keypad 4 gives nothing with shift...
    stroke(189);
    EXPECT_EQ(ReadTypedText(), "B@_");
    PostKeyEvent(160, false);
    EXPECT_EQ(ReadTypedText(), "");  // ...and does not turn up after it
}

}  // namespace
