#include "world/container.h"

#include <gtest/gtest.h>

#include <vector>

#include "fx/emitter.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "world/level_object.h"

namespace {

class ContainerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(true);
        ResetRenderState();
        SeedRnd(99);
        pause_state = 0;
        time_scale = 1;
        web_offset_x = web_offset_y = 0;
        container_break_count = 0;
        container_list.clear();
        emitter_layer_1.clear();
        emitter_layer_2.clear();
        toxic_container_png = MakeTestStrip(36, 38, 9, "toxic_container.png");
    }
    void TearDown() override
    {
        FreeImage(toxic_container_png);
        toxic_container_png = nullptr;
        container_list.clear();
        emitter_layer_1.clear();
        emitter_layer_2.clear();
        SetDrawTraceActive(false);
        web_offset_x = web_offset_y = 0;
        time_scale = 1;
    }

    static void frame() { container_list.for_each([](ContainerT& c) { c.Update(); }); }

    struct Hull {
        int x, y, w, h, half_w, half_h;
        bool operator==(const Hull&) const = default;
    };
    static Hull hull_at(float angel)
    {
        ContainerT c;
        c.HullWidth = 20;
        c.HullHeight = 39;
        c.script = 2;
        c.angel = angel;
        c.UpdateHull_size();
        EXPECT_EQ(c.Hull_transform, 0);
        return {c.HullX, c.HullY, c.HullWidth, c.HullHeight, c.Half_hull_width, c.Half_hull_height};
    }
};

}  // namespace

TEST_F(ContainerTest, HullFollowsTheLandingAngle)
{
    const Hull wide {-13, -10, 30, 17, 15, 8};
    const Hull square {-10, -10, 25, 25, 13, 13};
    const Hull tall {-6, -22, 16, 40, 8, 20};
    const Hull wide_late {-13, -10, 30, 17, 17, 9};
    const Hull upright {0, 0, 20, 39, 10, 20};
    EXPECT_EQ(hull_at(0), wide);
    EXPECT_EQ(hull_at(141), wide);
    EXPECT_EQ(hull_at(141.5f), square);
    EXPECT_EQ(hull_at(168), square);
    EXPECT_EQ(hull_at(169), tall);
    EXPECT_EQ(hull_at(235), tall);
    EXPECT_EQ(hull_at(236), square);
    EXPECT_EQ(hull_at(265), square);
    EXPECT_EQ(hull_at(266), wide_late);
    EXPECT_EQ(hull_at(315), wide_late);
    EXPECT_EQ(hull_at(316), upright);
    // A container that tumbled for more than a turn is fitted by the angle it shows.
    EXPECT_EQ(hull_at(400), wide);
    EXPECT_EQ(hull_at(360 + 200), tall);
    EXPECT_EQ(hull_at(720 + 340), upright);

    // The fit happens once: later spin does not refit it.
    ContainerT c;
    c.script = 2;
    c.angel = 200;
    c.UpdateHull_size();
    c.angel = 10;
    c.UpdateHull_size();
    EXPECT_EQ(c.HullHeight, 40);
    // Falling containers are not fitted.
    ContainerT falling;
    falling.angel = 10;
    falling.UpdateHull_size();
    EXPECT_EQ(falling.Hull_transform, 1);
    EXPECT_EQ(falling.HullWidth, 0);
}

TEST_F(ContainerTest, FallsSpinningAndSticksOnlyAtTheFirstFrame)
{
    ContainerT* first = ContainerT::Create_New(300, 10);
    ContainerT* second = ContainerT::Create_New(500, 0);
    EXPECT_EQ(first->id, 0);
    EXPECT_EQ(second->id, 1);
    EXPECT_EQ(first->HullHeight, 39);

    // Frame 0 is shown at the start, so a container without flight time sticks at once.
    frame();
    EXPECT_EQ(second->script, 2);
    EXPECT_EQ(second->animated, 2);
    EXPECT_EQ(second->y, -50);

    // With a 9-frame tumble at 0.4 frames a frame, frame 0 comes back every 23 frames.
    int frames = 1;
    while (first->script == 1 && frames < 100) {
        frame();
        ++frames;
    }
    EXPECT_EQ(frames, 24);
    EXPECT_EQ(first->angel, 23);
    EXPECT_EQ(first->y, -50 + 2 * 23);
    EXPECT_EQ(first->frame, 0);
    // Stuck: it neither falls nor spins, and sways with the web.
    web_offset_x = 3;
    web_offset_y = -2;
    frame();
    EXPECT_EQ(first->angel, 23);
    EXPECT_EQ(first->y, -50 + 2 * 23);
    EXPECT_EQ(first->TranslateX, 3);
    EXPECT_EQ(first->TranslateY, -2);
}

TEST_F(ContainerTest, TimeWarpHalvesTheFallButNotTheSpin)
{
    ContainerT* c = ContainerT::Create_New(100, 1000);
    time_scale = 0.5f;
    for (int i = 0; i < 10; ++i)
        frame();
    EXPECT_EQ(c->y, -40);
    EXPECT_EQ(c->angel, 10);
    EXPECT_EQ(c->fly_time, 995);
    pause_state = 1;
    frame();
    EXPECT_EQ(c->y, -40);
    EXPECT_EQ(c->angel, 10);
}

TEST_F(ContainerTest, BrokenContainersSmokeAndThrottleTheirSound)
{
    std::vector<ContainerT*> cs;
    for (int i = 0; i < 3; ++i) {
        cs.push_back(ContainerT::Create_New(100 * (i + 1), 0));
        cs.back()->script = 3;
    }
    frame();
    EXPECT_EQ(container_list.count(), 0);
    EXPECT_EQ(container_break_count, 3);  // the sound played for the first two only
    ASSERT_EQ(emitter_layer_1.count(), 3);
    for (emitterT* e : emitter_layer_1.snapshot()) {
        EXPECT_EQ(e->script, "toxic_smoke");
        EXPECT_EQ(e->life, 1);
    }
    emitter_layer_1.for_each([](emitterT& e) { e.Update(); });
    EXPECT_EQ(emitter_layer_1.count(), 0);
    EXPECT_EQ(emitter_layer_2.count(), 15);
}

TEST_F(ContainerTest, GlowPulsesWhileStuck)
{
    toxic_container_fx_png = MakeTestImage(40, 40, "toxic_container_fx.png");
    ContainerT* c = ContainerT::Create_New(200, 0);
    c->script = 2;
    c->animated = 2;
    web_offset_x = 5;
    std::vector<int> levels;
    for (int i = 0; i < 103; ++i) {
        frame();
        levels.push_back(c->switch_time);
    }
    EXPECT_EQ(levels[0], -2);  // the first step turns it round
    EXPECT_EQ(levels[1], 0);
    EXPECT_EQ(levels[51], 100);
    EXPECT_EQ(levels[52], 98);
    EXPECT_EQ(levels[101], 0);
    EXPECT_EQ(levels[102], 2);

    ClearDrawTrace();
    c->switch_time = 50;
    c->Update_Container_eff();
    ASSERT_EQ(TracedDraws().size(), 1u);
    const DrawRecord& d = TracedDraws()[0];
    EXPECT_EQ(d.color, (std::array<int, 3> {115, 255, 90}));
    EXPECT_EQ(d.blend, kLightBlend);
    EXPECT_NEAR(d.alpha, 0.35f, 1e-6);
    // Drawn at the container's own place, without the web's sway.
    const Bounds b = QuadBounds(d);
    EXPECT_FLOAT_EQ((b.left + b.right) / 2, 200 + 20);
    const RenderState& s = CurrentRenderState();
    EXPECT_EQ(s.blend_mode, kAlphaBlend);
    EXPECT_EQ(s.color_alpha, 1.0f);
    EXPECT_EQ(s.color_green + s.color_red, 510);
    FreeImage(toxic_container_fx_png);
    toxic_container_fx_png = nullptr;
}
