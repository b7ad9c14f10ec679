// The campaign's specials and containers, dropped by the game's own falling objects: each comes
// to rest inside the play circle, and the hint levels have theirs in the web when the hint opens.
// This also confirms the landing estimates the level validator works with.
#include <gtest/gtest.h>

#include <cmath>

#include "forge/web_geometry.h"
#include "fx/emitter.h"
#include "levels/level_source.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "world/container.h"
#include "world/level_object.h"
#include "world/special.h"

using namespace levels;

namespace {

const std::string kSources = std::string(WINGTRON_SOURCE_DIR) + "/data/levels";
constexpr double kPlayRadius = 263.0;

double FromCentre(double x, double y)
{
    return std::hypot(x - web_geometry::kCentreX, y - web_geometry::kCentreY);
}

class LevelLanding : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(false);
        ResetRenderState();
        SeedRnd(7);
        pause_state = 0;
        time_scale = 1;
        web_offset_x = web_offset_y = 0;
        special_list.clear();
        container_list.clear();
        flying_spec_up_png = MakeTestStrip(50, 50, 5, "flying_spec_up.png");
        flying_spec_up2_png = MakeTestStrip(50, 50, 5, "flying_spec_up2.png");
        toxic_container_png = MakeTestStrip(36, 38, 9, "toxic_container.png");
    }
    void TearDown() override
    {
        special_list.clear();
        container_list.clear();
        emitter_layer_1.clear();
        emitter_layer_2.clear();
        emitter_layer_3.clear();
        FreeImage(flying_spec_up_png);
        FreeImage(flying_spec_up2_png);
        FreeImage(toxic_container_png);
        flying_spec_up_png = flying_spec_up2_png = toxic_container_png = nullptr;
    }

    // Frames from creation until the special hangs in the web, and where the robot grabs it.
    static int DropSpecial(const LevelEvent& e, double& grab_x, double& grab_y)
    {
        special_list.clear();
        FlySpecT* s = FlySpecT::Create_New(e.item_type, static_cast<float>(e.fly_time));
        int frames = 0;
        while (s->script != 3 && frames < 5000) {
            special_list.for_each([](FlySpecT& f) { f.Update(); });
            ++frames;
        }
        grab_x = s->x + 25;
        grab_y = s->y + 20;
        return frames;
    }

    // Frames from creation until the container sticks in the web, and its middle.
    static int DropContainer(const LevelEvent& e, double& mid_x, double& mid_y)
    {
        container_list.clear();
        ContainerT* c = ContainerT::Create_New(e.x, static_cast<float>(e.fly_time));
        int frames = 0;
        while (c->script != 2 && frames < 5000) {
            container_list.for_each([](ContainerT& k) { k.Update(); });
            ++frames;
        }
        mid_x = c->x + 10;
        mid_y = c->y + 20;
        return frames;
    }
};

}  // namespace

TEST_F(LevelLanding, SpecialsAndContainersComeToRestWhereTheyCanBeReached)
{
    int level4_ready = 0;
    bool level12_ready = false;
    for (int n = 1; n <= kLevelCount; ++n) {
        LevelSource level = LoadLevelSource(kSources, n);
        for (const LevelEvent& e : level.events) {
            SCOPED_TRACE("level " + std::to_string(n) + " line " + std::to_string(e.line));
            double x = 0, y = 0;
            if (e.type_of_event == "SpecUp") {
                int frames = DropSpecial(e, x, y);
                ASSERT_LT(frames, 5000);
                EXPECT_LE(FromCentre(x, y), kPlayRadius) << "special hangs at (" << x << ", " << y << ")";
                // The event fires at frame 10 x tick; level 4's hint opens at tick 56.
                if (n == 4 && e.time * 10 + frames <= 560) ++level4_ready;
            } else if (e.type_of_event == "container") {
                int frames = DropContainer(e, x, y);
                ASSERT_LT(frames, 5000);
                EXPECT_LE(FromCentre(x, y), kPlayRadius) << "container sticks at (" << x << ", " << y << ")";
                if (n == 12 && e.time * 10 + frames <= 320) level12_ready = true;
            }
        }
    }
    EXPECT_GE(level4_ready, 2);
    EXPECT_TRUE(level12_ready);
}
