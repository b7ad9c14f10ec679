#include "platform/backdrop.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kWhite = 0xffffffffu;

void quad(DrawLog& log, uint32_t texture, float x0, float y0, float x1, float y1, int blend = 3)
{
    const Vertex a {x0, y0, 0, 0, kWhite}, b {x1, y0, 1, 0, kWhite}, c {x1, y1, 1, 1, kWhite}, d {x0, y1, 0, 1, kWhite};
    const Vertex v[6] = {a, b, c, a, c, d};
    log.add(texture, blend, v, 6);
}

// A level's frame: sky, a sun that pulses, two scenery planes, then whatever moves.
DrawLog level_frame(float sun, float sprite_x)
{
    DrawLog log;
    quad(log, 1, 0, 0, 1024, 768);
    quad(log, 2, 600 - sun, 100 - sun, 900 + sun, 400 + sun, 4);
    quad(log, 3, 0, 0, 1024, 420);
    quad(log, 4, 0, 300, 1024, 768);
    quad(log, 5, sprite_x, 500, sprite_x + 64, 564);
    return log;
}

}  // namespace

TEST(Backdrop, KeepsTheDrawsThatComeAgainUpToTheLastUnchangedOne)
{
    const BackdropRules rules;
    const DrawLog before = level_frame(0, 100), now = level_frame(3, 140);
    EXPECT_EQ(backdrop_length(before, now, rules), 4) << "the moving sprite is not kept";
    EXPECT_EQ(backdrop_length(before, before, rules), 5);

    // The sky moving (a screen shake) changes too much to draw again inside a rectangle.
    DrawLog shaken;
    quad(shaken, 1, 2, 1, 1026, 769);
    EXPECT_EQ(backdrop_length(level_frame(0, 100), shaken, rules), 0);

    // Too few pixels kept to pay for putting them back.
    DrawLog small_before, small_now;
    quad(small_before, 1, 0, 0, 300, 300);
    quad(small_now, 1, 0, 0, 300, 300);
    EXPECT_EQ(backdrop_length(small_before, small_now, rules), 0);
}

TEST(Backdrop, DamageIsWhereAChangedDrawWasOrIsNow)
{
    const BackdropRules rules;
    DrawLog kept;
    kept.assign_prefix(level_frame(0, 100), 4);
    ASSERT_EQ(kept.size(), 4);

    const auto unchanged = backdrop_damage(kept, level_frame(0, 300), rules);
    ASSERT_TRUE(unchanged);
    EXPECT_EQ(unchanged->area(), 0);

    const auto pulsed = backdrop_damage(kept, level_frame(5, 100), rules);
    ASSERT_TRUE(pulsed);
    EXPECT_EQ(*pulsed, (PixelRect {594, 94, 906, 406})) << "the sun then and now, a pixel around";

    DrawLog shorter;
    quad(shorter, 1, 0, 0, 1024, 768);
    EXPECT_FALSE(backdrop_damage(kept, shorter, rules)) << "fewer draws than were kept";

    DrawLog other;
    quad(other, 1, 0, 0, 1024, 768);
    quad(other, 2, 600, 100, 900, 400, 4);
    quad(other, 3, 0, 10, 1024, 430);  // a plane moved: half the screen to draw again
    quad(other, 4, 0, 300, 1024, 768);
    EXPECT_FALSE(backdrop_damage(kept, other, rules));

    DrawLog lost;
    const Vertex nan_quad[3] = {{0, 0, 0, 0, kWhite}, {std::nanf(""), 5, 0, 0, kWhite}, {5, 5, 0, 0, kWhite}};
    lost.add(1, 3, nan_quad, 3);
    EXPECT_EQ(lost.bounds(0, 1024, 768), (PixelRect {0, 0, 1024, 768})) << "a corner nowhere could be anywhere";
}
