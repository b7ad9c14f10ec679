#include "world/special.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fx/emitter.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "world/level_object.h"

namespace {

class SpecialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(true);
        ResetRenderState();
        SeedRnd(5);
        pause_state = 0;
        time_scale = 1;
        web_offset_x = web_offset_y = 0;
        special_list.clear();
        emitter_layer_3.clear();
        flying_spec_up_png = MakeTestStrip(50, 50, 5, "flying_spec_up.png");
        flying_spec_up2_png = MakeTestStrip(50, 50, 5, "flying_spec_up2.png");
    }
    void TearDown() override
    {
        FreeImage(flying_spec_up_png);
        FreeImage(flying_spec_up2_png);
        flying_spec_up_png = flying_spec_up2_png = nullptr;
        special_list.clear();
        emitter_layer_3.clear();
        SetDrawTraceActive(false);
        web_offset_x = web_offset_y = 0;
    }

    static void frame() { special_list.for_each([](FlySpecT& s) { s.Update(); }); }
};

}  // namespace

TEST_F(SpecialTest, FloatsDownSwinging)
{
    FlySpecT* s = FlySpecT::Create_New(3, 500);
    EXPECT_EQ(s->item, 3);
    EXPECT_EQ(s->id, 0);
    EXPECT_EQ(FlySpecT::Create_New(2, 500)->id, 1);
    for (int i = 0; i < 90; ++i)
        frame();
    EXPECT_EQ(s->script, 1);
    EXPECT_FLOAT_EQ(s->y, -50 + 45);
    EXPECT_NEAR(s->TranslateX, 155, 1e-3);  // widest swing at 90 degrees
    EXPECT_NEAR(s->TranslateY, 0, 1e-3);
    for (int i = 0; i < 90; ++i)
        frame();
    EXPECT_NEAR(s->TranslateY, 15, 1e-3);  // the bob is never negative
    EXPECT_EQ(s->fly_time, 500 - 180);
    time_scale = 0.5f;
    frame();
    EXPECT_FLOAT_EQ(s->y, -50 + 90 + 0.25f);
    EXPECT_EQ(s->SinA, 180.5f);
}

TEST_F(SpecialTest, LandsWhereItWasDrawnAndSwaysWithTheWeb)
{
    FlySpecT* s = FlySpecT::Create_New(1, 0);
    s->SinA = 30;  // part way through a swing
    // No flight time and frame 0: the landing strip starts at once.
    frame();
    EXPECT_EQ(s->script, 2);
    EXPECT_EQ(s->animation_script, 1);
    int frames = 1;
    while (s->script == 2 && frames < 100) {
        frame();
        ++frames;
    }
    ASSERT_EQ(s->script, 3);
    const float swing_x = static_cast<float>(std::sin((30 + frames - 1) * 3.14159265358979 / 180) * 155);
    EXPECT_NEAR(s->x, 450 + swing_x, 1e-3);
    EXPECT_EQ(s->TranslateX, 0);
    const float hang_x = s->x;
    const float hang_y = s->y;
    web_offset_x = 4;
    web_offset_y = 2;
    for (int i = 0; i < 20; ++i)
        frame();
    EXPECT_EQ(s->x, hang_x);
    EXPECT_EQ(s->y, hang_y);
    EXPECT_EQ(s->TranslateX, 4);
    EXPECT_EQ(s->TranslateY, 2);
    EXPECT_EQ(s->fly_time, -static_cast<float>(frames - 1));  // the clock stops once caught
}

TEST_F(SpecialTest, WavesEverySeventySixFramesWhileCaught)
{
    FlySpecT* s = FlySpecT::Create_New(4, 0);
    s->script = 3;
    s->x = 100;
    s->y = 200;
    std::vector<int> ring_frames;
    for (int i = 1; i <= 160; ++i) {
        const int before = emitter_layer_3.count();
        frame();
        if (emitter_layer_3.count() > before)
            ring_frames.push_back(i);
    }
    EXPECT_EQ(ring_frames, (std::vector<int> {76, 152}));
    emitterT* ring = emitter_layer_3.first();
    EXPECT_EQ(ring->x, 125);
    EXPECT_EQ(ring->y, 223);
    EXPECT_EQ(ring->sizeX, 0.2f);
    EXPECT_EQ(ring->life, 100);
}

TEST_F(SpecialTest, QuestionMarkGlowsOverACaughtSpecial)
{
    flying_spec_up_ques_png = MakeTestImage(10, 10, "flying_spec_up_ques.png");
    flying_spec_up_ques2_png = MakeTestImage(10, 10, "flying_spec_up_ques2.png");
    FlySpecT s;
    s.x = 100;
    s.y = 100;
    s.draw_question();
    EXPECT_TRUE(TracedDraws().empty());  // only once caught
    s.script = 3;
    s.TranslateX = 2;
    s.draw_question();
    ASSERT_EQ(TracedDraws().size(), 2u);
    EXPECT_EQ(TracedDraws()[0].image, "flying_spec_up_ques.png");
    EXPECT_EQ(TracedDraws()[0].blend, kAlphaBlend);
    EXPECT_EQ(QuadBounds(TracedDraws()[0]).left, 127);
    EXPECT_EQ(QuadBounds(TracedDraws()[0]).top, 123);
    EXPECT_EQ(TracedDraws()[1].blend, kLightBlend);
    EXPECT_GE(TracedDraws()[1].alpha, 0.7f);
    EXPECT_LE(TracedDraws()[1].alpha, 1.0f);
    EXPECT_EQ(CurrentRenderState().blend_mode, kAlphaBlend);
    EXPECT_EQ(CurrentRenderState().color_alpha, 1.0f);
    FreeImage(flying_spec_up_ques_png);
    FreeImage(flying_spec_up_ques2_png);
    flying_spec_up_ques_png = flying_spec_up_ques2_png = nullptr;
}
