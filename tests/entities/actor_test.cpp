#include "entities/actor.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/globals.h"
#include "support/draw_helpers.h"

namespace {

class ActorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(true);
        ResetRenderState();
        pause_state = 0;
        time_scale = 1;
        screen_shake_x = screen_shake_y = 0;
        strip = MakeTestImage(20, 10, "strip.png");
        // Five frames of the same picture.
        for (int i = 0; i < 4; ++i)
            strip->pixmaps.push_back(strip->pixmaps[0]);
    }
    void TearDown() override
    {
        SetDrawTraceActive(false);
        FreeImage(strip);
        pause_state = 0;
    }

    std::vector<int> drawn_frames(Actor& a, int n)
    {
        std::vector<int> out;
        for (int i = 0; i < n; ++i) {
            ClearDrawTrace();
            out.push_back(static_cast<int>(a.frame));
            a.MethodDrawEntity();
        }
        return out;
    }

    TImage* strip = nullptr;
};

void expect_state_reset()
{
    const RenderState& s = CurrentRenderState();
    EXPECT_EQ(s.color_alpha, 1.0f);
    EXPECT_EQ(s.tform_rot, 0.0f);
    EXPECT_EQ(s.tform_scale_x, 1.0f);
    EXPECT_EQ(s.tform_scale_y, 1.0f);
    EXPECT_EQ(s.color_red + s.color_green + s.color_blue, 3 * 255);
    EXPECT_EQ(s.blend_mode, kAlphaBlend);
}

}  // namespace

TEST(StepAnimationFrame, PingPongHoldsTheTopAndRestartsAtTheSecondFrame)
{
    std::vector<float> seen;
    float f = 0;
    int dir = 1;
    for (int i = 0; i < 12; ++i) {
        seen.push_back(f);
        AnimScriptsT r = step_animation_frame(f, 5, 1, 3, dir);
        f = r.ReturnFrame;
        dir = r.animVar;
    }
    EXPECT_EQ(seen, (std::vector<float> {0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 1, 2}));
}

TEST(StepAnimationFrame, LoopOnceAndFrozenScripts)
{
    std::vector<int> loop;
    float f = 0;
    for (int i = 0; i < 11; ++i) {
        loop.push_back(static_cast<int>(f));
        f = step_animation_frame(f, 5, 0.5f, 2, 1).ReturnFrame;
    }
    // Each frame shows twice; 4.5 wraps to 0.
    EXPECT_EQ(loop, (std::vector<int> {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 0}));

    EXPECT_EQ(step_animation_frame(3.5f, 5, 1, 1, 1).ReturnFrame, 4);  // play once holds the last frame
    EXPECT_EQ(step_animation_frame(4, 5, 1, 1, 1).ReturnFrame, 4);
    EXPECT_EQ(step_animation_frame(2, 5, 1, 7, 1).ReturnFrame, 2);     // unknown script: frozen
    AnimScriptsT stuck = step_animation_frame(2, 5, 1, 3, 0);          // ping-pong without a direction
    EXPECT_EQ(stuck.ReturnFrame, 2);
    EXPECT_EQ(stuck.animVar, 0);
}

TEST_F(ActorTest, InvisibleEntitiesNeitherDrawNorAnimate)
{
    Actor a;
    a.entity = strip;
    a.animated = 1;
    a.MaxFrames = 5;
    a.alpha = 0;
    a.MethodDrawEntity();
    EXPECT_TRUE(TracedDraws().empty());
    EXPECT_EQ(a.frame, 0);
    a.alpha = 1;
    a.show = 2;
    a.MethodDrawEntity();
    EXPECT_TRUE(TracedDraws().empty());
}

TEST_F(ActorTest, PauseHoldsTheFrameButKeepsDrawing)
{
    Actor a;
    a.entity = strip;
    a.animated = 1;
    a.MaxFrames = 5;
    EXPECT_EQ(drawn_frames(a, 3), (std::vector<int> {0, 1, 2}));
    pause_state = 1;
    ClearDrawTrace();
    a.MethodDrawEntity();
    ASSERT_EQ(TracedDraws().size(), 1u);
    EXPECT_EQ(TracedDraws()[0].frame, 3);  // drawn on its current frame
    a.MethodDrawEntity();
    EXPECT_EQ(a.frame, 3);
    pause_state = 0;
    a.MethodDrawEntity();
    EXPECT_EQ(a.frame, 4);
}

TEST_F(ActorTest, TimeScaleSlowsOnlyManagedAnimations)
{
    time_scale = 0.5f;
    Actor managed;
    managed.entity = strip;
    managed.animated = 1;
    managed.MaxFrames = 5;
    Actor unmanaged = managed;
    unmanaged.TimeManagment = 0;
    managed.MethodDrawEntity();
    unmanaged.MethodDrawEntity();
    EXPECT_EQ(managed.frame, 0.5f);
    EXPECT_EQ(unmanaged.frame, 1.0f);
    time_scale = 1;
}

TEST_F(ActorTest, DrawsAtItsOffsetPositionWithItsStateAndResetsIt)
{
    Actor a;
    a.entity = strip;
    a.x = 100;
    a.y = 50;
    a.TranslateX = 3;
    a.TranslateY = -2;
    screen_shake_x = 4;
    screen_shake_y = 1;
    a.R = 10;
    a.G = 20;
    a.B = 30;
    a.alpha = 0.5f;
    a.BlendMode = 2;
    a.angel = 30;
    a.sizeX = 2;
    a.MethodDrawEntity();
    ASSERT_EQ(TracedDraws().size(), 1u);
    const DrawRecord& d = TracedDraws()[0];
    EXPECT_EQ(d.color, (std::array<int, 3> {10, 20, 30}));
    EXPECT_EQ(d.alpha, 0.5f);
    EXPECT_EQ(d.blend, kLightBlend);
    EXPECT_FLOAT_EQ(d.quad[0][0], 107);  // handle at the top-left corner: first corner at the position
    EXPECT_FLOAT_EQ(d.quad[0][1], 49);
    expect_state_reset();
    screen_shake_x = screen_shake_y = 0;

    SetBlend(kShadeBlend);
    Actor keep;
    keep.entity = strip;
    keep.BlendMode = 7;  // leaves the current blend mode for drawing, resets to alpha after
    keep.MethodDrawEntity();
    EXPECT_EQ(TracedDraws().back().blend, kShadeBlend);
    expect_state_reset();
}

TEST_F(ActorTest, GlowDrawsUnderneathAndTheMainPictureFlickers)
{
    TImage* glow = MakeTestImage(30, 30, "glow.png");
    Actor a;
    a.entity = strip;
    a.Glow = 1;
    a.GlowEntity = glow;
    a.GlowR = 0;
    a.GlowAlpha = 0.8f;
    SeedRnd(7);
    std::set<float> alphas;
    for (int i = 0; i < 50; ++i) {
        ClearDrawTrace();
        a.MethodDrawEntity();
        ASSERT_EQ(TracedDraws().size(), 2u);
        EXPECT_EQ(TracedDraws()[0].image, "glow.png");
        EXPECT_EQ(TracedDraws()[0].blend, kLightBlend);
        EXPECT_EQ(TracedDraws()[0].alpha, 0.8f);
        EXPECT_EQ(TracedDraws()[0].color[0], 0);
        const DrawRecord& main = TracedDraws()[1];
        EXPECT_EQ(main.blend, kAlphaBlend);
        EXPECT_EQ(main.color[0], 255);
        EXPECT_GE(main.alpha, 0.5111f);
        EXPECT_LE(main.alpha, 1.0f);
        alphas.insert(main.alpha);
    }
    EXPECT_GT(alphas.size(), 20u);  // a new opacity every frame
    expect_state_reset();
    FreeImage(glow);
}

TEST_F(ActorTest, PartialDrawingGrowsFromItsSide)
{
    TImage* bar = MakeTestImage(100, 40, "bar.png");
    MidHandleImage(bar);  // partial drawing anchors at the top-left corner regardless
    Actor a;
    a.entity = bar;
    a.x = 10;
    a.y = 20;
    a.DrawRectMode = 1;

    auto bounds_for = [&](float percent, const char* dir) {
        ClearDrawTrace();
        a.RectPercent = percent;
        a.RectDirection = dir;
        a.MethodDrawEntity();
        return TracedDraws();
    };
    auto d = bounds_for(150, "down");
    ASSERT_EQ(d.size(), 1u);
    Bounds b = QuadBounds(d[0]);
    EXPECT_FLOAT_EQ(b.bottom, 60);  // full picture
    EXPECT_TRUE(bounds_for(-10, "down").empty());
    EXPECT_TRUE(bounds_for(0, "right").empty());
    EXPECT_TRUE(bounds_for(50, "sideways").empty());

    d = bounds_for(25, "up");
    ASSERT_EQ(d.size(), 1u);
    b = QuadBounds(d[0]);
    EXPECT_FLOAT_EQ(b.top, 50);  // bottom quarter at its own place
    EXPECT_FLOAT_EQ(b.bottom, 60);

    d = bounds_for(30, "left");
    ASSERT_EQ(d.size(), 1u);
    b = QuadBounds(d[0]);
    EXPECT_FLOAT_EQ(b.left, 80);
    EXPECT_FLOAT_EQ(b.right, 110);

    d = bounds_for(33.3f, "right");
    ASSERT_EQ(d.size(), 1u);
    b = QuadBounds(d[0]);
    EXPECT_FLOAT_EQ(b.right, 43);  // 33 whole columns
    FreeImage(bar);
}
