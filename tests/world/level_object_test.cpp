// Scenery by level range, the swaying grass, and the web's flash and sway.
#include "world/level_object.h"

#include <algorithm>
#include <map>

#include "state/assets.h"
#include "world/world_fixture.h"

namespace {

class LevelObjectTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        Web_level1_png = MakeTestImage(64, 64, "Web_level1.png");
        grass_plane_png = MakeTestImage(32, 32, "grass_plane.png");
    }
    void TearDown() override
    {
        FreeImage(Web_level1_png);
        FreeImage(grass_plane_png);
        Web_level1_png = grass_plane_png = nullptr;
        web_flash = web_flash_timer = 0;
        WorldTest::TearDown();
    }
    static levelObT* named(const std::string& name)
    {
        for (levelObT* o : level_back_list.snapshot())
            if (o->name == name)
                return o;
        return nullptr;
    }
    static const DrawRecord* last_poly()
    {
        const DrawRecord* found = nullptr;
        for (const DrawRecord& r : TracedDraws())
            if (r.op == "poly")
                found = &r;
        return found;
    }
};

}  // namespace

TEST_F(LevelObjectTest, EachLevelRangeBuildsItsSceneryWithOneWeb)
{
    // back, front counts per range; levels beyond 24 share the last set.
    const std::map<int, std::pair<int, int>> expected {
        {1, {9, 2}}, {4, {9, 2}}, {5, {8, 3}}, {9, {8, 3}}, {10, {7, 1}}, {14, {7, 1}},
        {15, {8, 2}}, {19, {8, 2}}, {20, {9, 3}}, {24, {9, 3}}, {25, {8, 2}}, {30, {8, 2}}};
    for (auto [level, counts] : expected) {
        clear_level_world();
        levelObT::load_level(level);
        EXPECT_EQ(level_back_list.count(), counts.first) << "level " << level;
        EXPECT_EQ(level_front_list.count(), counts.second) << "level " << level;
        levelObT* web = named("web");
        ASSERT_NE(web, nullptr) << "level " << level;
        EXPECT_EQ(web->show, 0);
        EXPECT_EQ(web->R + web->G + web->B, 0);
        levelObT* sun = named("Sun");
        ASSERT_NE(sun, nullptr);
        EXPECT_EQ(sun->BlendMode, 2);
        EXPECT_FLOAT_EQ(sun->alpha, 0.85f);
        levelObT* grass = named("anim_tree");
        ASSERT_NE(grass, nullptr);
        EXPECT_EQ(grass->show, 0);
    }
    clear_level_world();
    levelObT::load_level(0);
    EXPECT_TRUE(level_back_list.empty());
    EXPECT_TRUE(level_front_list.empty());

    // The windmill of levels 10-14 is an animated strip drawn second, behind the sun.
    levelObT::load_level(12);
    levelObT* mill = level_back_list.snapshot()[1];
    EXPECT_EQ(mill->MaxFrames, 17);
    EXPECT_EQ(mill->animated, 1);
    EXPECT_FLOAT_EQ(mill->AnimationSpeed, 0.125f);
    EXPECT_FLOAT_EQ(named("anim_tree")->width_Pl, 1035);
}

TEST_F(LevelObjectTest, WebFlashesRedAndRecovers)
{
    levelObT::load_level(3);
    levelObT* web = named("web");
    web_flash = 1;
    web_flash_timer = 510;
    int frames_to_red = 0;
    while (web->R < 255 && frames_to_red < 100) {
        web->update();
        ++frames_to_red;
    }
    EXPECT_EQ(frames_to_red, 51);
    int frames = 0;
    while (web_flash == 1 && frames < 200) {
        web->update();
        ++frames;
    }
    EXPECT_EQ(frames, 51);
    web->update();  // the frame after the flash ends settles the colour
    EXPECT_EQ(web->R, 0);
    EXPECT_EQ(web_flash_timer, 0);
    ASSERT_NE(last_poly(), nullptr);
    EXPECT_EQ(last_poly()->image, "Web_level1.png");
    EXPECT_EQ(CurrentRenderState().color_red, 255);  // colour back to white after the web
}

TEST_F(LevelObjectTest, WebSwaysOnlyAtItsLeftEdgeWhileShaken)
{
    levelObT::load_level(3);
    levelObT* web = named("web");
    web_shaking = 1;
    std::vector<float> left_edges;
    for (int i = 0; i < 5; ++i) {
        ClearDrawTrace();
        web->update();
        EXPECT_FLOAT_EQ(web_offset_x, web->x / 2);
        EXPECT_FLOAT_EQ(web_offset_y, web->y / 2);
        EXPECT_LE(std::abs(web->x), 0.6f);
        const DrawRecord* poly = last_poly();
        ASSERT_NE(poly, nullptr);
        Bounds b = QuadBounds(*poly);
        EXPECT_FLOAT_EQ(b.right, 1024);  // right edge fixed to the screen
        EXPECT_FLOAT_EQ(b.bottom, 768);
        left_edges.push_back(b.left);
    }
    EXPECT_NE(left_edges.front(), left_edges.back());

    // Once the spiders stop, the web and the offsets keep their last sway.
    web_shaking = 0;
    const float ox = web_offset_x, wx = web->x;
    web->update();
    EXPECT_EQ(web_offset_x, ox);
    EXPECT_EQ(web->x, wx);
}

TEST_F(LevelObjectTest, GrassSwaysItsTopEdgeBetweenItsBounds)
{
    levelObT::load_level(17);
    levelObT* grass = named("anim_tree");
    float lo = 99, hi = -99;
    for (int i = 0; i < 1000; ++i) {
        grass->update();
        lo = std::min(lo, grass->frame);
        hi = std::max(hi, grass->frame);
    }
    // Turns once past a bound, so it overshoots by at most one step.
    EXPECT_LT(lo, -5);
    EXPECT_GE(lo, -5.1f - 1e-4f);
    EXPECT_GT(hi, 10);
    EXPECT_LE(hi, 10.1f + 1e-4f);
    // The top edge slides by the offset; the bottom corners stay at x and width_Pl.
    ClearDrawTrace();
    grass->update();
    const DrawRecord* poly = last_poly();
    ASSERT_NE(poly, nullptr);
    ASSERT_EQ(poly->quad.size(), 4u);
    EXPECT_FLOAT_EQ(poly->quad[0][0], grass->x + grass->frame);
    EXPECT_FLOAT_EQ(poly->quad[2][0], grass->width_Pl);
    EXPECT_FLOAT_EQ(poly->quad[3][0], grass->x);
}
