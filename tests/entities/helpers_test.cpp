#include "entities/helpers.h"

#include <gtest/gtest.h>

#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "support/draw_helpers.h"

TEST(Helpers, RectsOverlapIncludesTouchingEdges)
{
    EXPECT_EQ(rects_overlap(0, 0, 10, 10, 10, 10, 1, 1), 1);
    EXPECT_EQ(rects_overlap(0, 0, 10, 10, 11, 0, 1, 1), 0);
    EXPECT_EQ(rects_overlap(0, 0, 10, 10, -1, -1, 1, 1), 1);
    EXPECT_EQ(rects_overlap(0, 0, 10, 10, 5, 11, 1, 1), 0);
    EXPECT_EQ(rects_overlap(0, 0, 10, 10, 2, 2, 1, 1), 1);  // inside
}

TEST(Helpers, SegmentCrossesRectOnlyWhenEnteringThroughASide)
{
    EXPECT_EQ(segment_crosses_rect(0, 5, 20, 5, 10, 0, 15, 10), 1);   // through the left side
    EXPECT_EQ(segment_crosses_rect(20, 5, 0, 5, 10, 0, 15, 10), 1);   // reversed: the right side
    EXPECT_EQ(segment_crosses_rect(12, 5, 20, 5, 10, 0, 15, 10), 0);  // starts inside
    EXPECT_EQ(segment_crosses_rect(11, 1, 14, 9, 10, 0, 15, 10), 0);  // wholly inside
    EXPECT_EQ(segment_crosses_rect(12, -5, 12, 20, 10, 0, 15, 10), 1); // through the top
    EXPECT_EQ(segment_crosses_rect(12, 20, 12, -5, 10, 0, 15, 10), 1); // through the bottom
    EXPECT_EQ(segment_crosses_rect(0, 20, 20, 20, 10, 0, 15, 10), 0);  // passes below
}

TEST(Helpers, SmallArithmetic)
{
    EXPECT_EQ(is_even(7), 0);
    EXPECT_EQ(is_even(12), 1);
    EXPECT_EQ(is_even(-4), 1);
    EXPECT_EQ(is_even(-3), 0);
    EXPECT_EQ(step_toward(100, 100, 0, 10, 1), 90);
    EXPECT_EQ(step_toward(100, 100, 0, 10, 2), 90);
    EXPECT_EQ(step_toward(100, 100, 0, 10, 3), 100);
    EXPECT_EQ(point_distance(0, 0, 3, 4), 5);
    EXPECT_EQ(next_pow2(0), 1);
    EXPECT_EQ(next_pow2(1), 1);
    EXPECT_EQ(next_pow2(5), 8);
    EXPECT_EQ(next_pow2(64), 64);
    auto v = direction_vector(0, 0, 3, 4);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_FLOAT_EQ(v[1], 0.8f);
    auto z = direction_vector(5, 5, 5, 5);  // no direction between equal points
    EXPECT_EQ(z[0], 0);
    EXPECT_EQ(z[1], 0);
}

TEST(Helpers, ShadowedTextRestoresTheColour)
{
    UseHeadlessPlatform();
    SetDrawTraceActive(true);
    ResetRenderState();
    SetColor(10, 200, 30);
    draw_text_shadowed("Hi", 50, 60);
    ASSERT_EQ(TracedDraws().size(), 2u);
    EXPECT_EQ(TracedDraws()[0].color, (std::array<int, 3> {0, 0, 0}));
    EXPECT_EQ(TracedDraws()[0].quad[0][0], 49);
    EXPECT_EQ(TracedDraws()[0].quad[0][1], 61);
    EXPECT_EQ(TracedDraws()[1].color, (std::array<int, 3> {10, 200, 30}));
    SetDrawTraceActive(false);
}

TEST(Helpers, TexturedPolyPlacesCornersThroughTheMatrix)
{
    UseHeadlessPlatform();
    SetDrawTraceActive(true);
    ResetRenderState();
    TImage* web = MakeTestImage(100, 50, "web.png");
    SetOrigin(10, 0);
    SetScale(2, 1);
    draw_textured_poly({0, 0, 0, 0, 100, 0, 1, 0, 100, 50, 1, 1, 0, 50, 0, 1}, web, 0);
    ASSERT_EQ(TracedDraws().size(), 1u);
    const DrawRecord& d = TracedDraws()[0];
    EXPECT_EQ(d.op, "poly");
    ASSERT_EQ(d.quad.size(), 4u);
    EXPECT_FLOAT_EQ(d.quad[1][0], 210);
    EXPECT_FLOAT_EQ(d.quad[2][1], 50);
    ResetRenderState();
    FreeImage(web);
    SetDrawTraceActive(false);
}
