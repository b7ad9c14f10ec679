#include "platform/texel_quads.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

// A quad as the drawing front end emits it: corners a b c d as triangles a b c, a c d.
std::vector<Vertex> quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                         uint32_t rgba = 0xffffffffu)
{
    const Vertex a {x0, y0, u0, v0, rgba}, b {x1, y0, u1, v0, rgba}, c {x1, y1, u1, v1, rgba}, d {x0, y1, u0, v1, rgba};
    return {a, b, c, a, c, d};
}

TEST(TexelQuads, OnlyUnscaledUnmirroredWholePixelQuadsCount)
{
    // 100 x 50 texels from (28, 64) of a 256 x 128 texture, at (10, 20).
    auto exact = quad(10, 20, 110, 70, 28 / 256.0f, 64 / 128.0f, 128 / 256.0f, 114 / 128.0f);
    auto r = texel_exact_quad(exact.data(), 6, 256, 128);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (TexelRect {10, 20, 110, 70, 28, 64}));

    EXPECT_FALSE(texel_exact_quad(exact.data(), 6, 512, 128)) << "two texels a pixel";
    EXPECT_FALSE(texel_exact_quad(exact.data(), 3, 256, 128));
    auto half = quad(10.5f, 20, 110.5f, 70, 28 / 256.0f, 64 / 128.0f, 128 / 256.0f, 114 / 128.0f);
    EXPECT_FALSE(texel_exact_quad(half.data(), 6, 256, 128)) << "between pixels";
    auto mirrored = quad(10, 20, 110, 70, 128 / 256.0f, 64 / 128.0f, 28 / 256.0f, 114 / 128.0f);
    EXPECT_FALSE(texel_exact_quad(mirrored.data(), 6, 256, 128));
    auto between_texels = quad(10, 20, 110, 70, 28.5f / 256.0f, 64 / 128.0f, 128.5f / 256.0f, 114 / 128.0f);
    EXPECT_FALSE(texel_exact_quad(between_texels.data(), 6, 256, 128));
    auto gradient = exact;
    gradient[1].rgba = 0xff0000ffu;
    EXPECT_FALSE(texel_exact_quad(gradient.data(), 6, 256, 128)) << "colours differ";
    auto rotated = exact;
    rotated[1].y += 1;
    EXPECT_FALSE(texel_exact_quad(rotated.data(), 6, 256, 128));
    auto outside = quad(0, 0, 300, 10, 0, 0, 300 / 256.0f, 10 / 128.0f);
    EXPECT_FALSE(texel_exact_quad(outside.data(), 6, 256, 128)) << "reaches past the texture";
}

TEST(TexelQuads, PartsCoverExactlyTheTilesOfTheirKind)
{
    // 4 x 2 tiles of 8 texels: the top row empty, opaque, see-through, empty; the bottom
    // row see-through but for its last tile, which holds one faint texel in a corner.
    Pixmap p;
    p.width = 32, p.height = 16;
    p.rgba.assign(32 * 16 * 4, 0);
    auto alpha = [&](int x, int y) -> uint8_t& { return p.rgba[(static_cast<size_t>(y) * 32 + x) * 4 + 3]; };
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 24; ++x)
            alpha(x, y) = x < 16 ? 255 : 128;
    for (int y = 8; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            alpha(x, y) = 255;
    alpha(3, 12) = 200;
    alpha(31, 15) = 1;
    const TileMap map = map_tiles(p, 8);
    EXPECT_FALSE(map.opaque);
    EXPECT_EQ(map.kind, (std::vector<uint8_t> {kEmptyTile, kOpaqueTile, kSeeThroughTile, kEmptyTile,
                                               kSeeThroughTile, kOpaqueTile, kOpaqueTile, kSeeThroughTile}));

    // The texture's texels 4..28 x 2..14 drawn at (100, 200).
    const TexelRect r {100, 200, 124, 212, 4, 2};
    std::vector<TexelRect> opaque, see_through;
    parts_of_kind(map, r, kOpaqueTile, opaque);
    parts_of_kind(map, r, kSeeThroughTile, see_through);
    EXPECT_EQ(opaque, (std::vector<TexelRect> {{104, 200, 112, 206, 8, 2}, {104, 206, 120, 212, 8, 8}}));
    EXPECT_EQ(see_through, (std::vector<TexelRect> {{112, 200, 120, 206, 16, 2}, {100, 206, 104, 212, 4, 8},
                                                    {120, 206, 124, 212, 24, 8}}));

    Pixmap solid;
    solid.width = solid.height = 4;
    solid.rgba.assign(4 * 4 * 4, 255);
    EXPECT_TRUE(map_tiles(solid, 8).opaque);
}

}  // namespace

namespace {

// The texels a filtered sample at texel coordinate (s, t) blends, clamped to the edge.
bool reaches_visible(const Pixmap& p, double s, double t)
{
    const int x = static_cast<int>(std::floor(s - 0.5)), y = static_cast<int>(std::floor(t - 0.5));
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
            const int cx = std::clamp(x + dx, 0, p.width - 1), cy = std::clamp(y + dy, 0, p.height - 1);
            if (p.rgba[(static_cast<size_t>(cy) * p.width + cx) * 4 + 3])
                return true;
        }
    return false;
}

}  // namespace

TEST(TexelQuads, VisibleRegionsHoldEveryPixelThatCanShowATexel)
{
    // 64 x 64 texels, empty but for a dot in the last texel of a tile near the middle
    // (samples in the next tiles blend it) and one on the right edge.
    Pixmap p;
    p.width = p.height = 64;
    p.rgba.assign(64 * 64 * 4, 0);
    p.rgba[(static_cast<size_t>(31) * 64 + 31) * 4 + 3] = 1;
    p.rgba[(static_cast<size_t>(9) * 64 + 63) * 4 + 3] = 255;
    const TileMap map = map_tiles(p, 8);

    struct Case {
        float angle, scale, x, y;
    };
    for (const Case& c : {Case {0, 4.0f, 100.3f, 80.6f}, Case {33, 3.7f, 250, 200}, Case {-71, 5.2f, 400.5f, 300},
                          Case {180, 3.0f, 200, 200}}) {
        // The quad as the front end draws it: corners turned and scaled about (x, y).
        const double a = c.angle * 3.14159265358979 / 180, s = c.scale;
        auto corner = [&](double px, double py, float u, float v) {
            return Vertex {static_cast<float>(c.x + (px * std::cos(a) - py * std::sin(a)) * s),
                           static_cast<float>(c.y + (px * std::sin(a) + py * std::cos(a)) * s), u, v, 0xffffffffu};
        };
        const Vertex q0 = corner(-32, -32, 0, 0), q1 = corner(32, -32, 1, 0), q2 = corner(32, 32, 1, 1),
                     q3 = corner(-32, 32, 0, 1);
        const Vertex tris[6] = {q0, q1, q2, q0, q2, q3};
        const auto regions = visible_regions(map, 64, 64, tris, 6, 1024, 768, 2, 1);
        ASSERT_TRUE(regions) << "angle " << c.angle;

        int64_t area = 0;
        for (size_t i = 0; i < regions->size(); ++i) {
            area += (*regions)[i].area();
            for (size_t j = i + 1; j < regions->size(); ++j) {
                const PixelRect& r = (*regions)[i];
                const PixelRect& o = (*regions)[j];
                EXPECT_TRUE(r.x1 <= o.x0 || o.x1 <= r.x0 || r.y1 <= o.y0 || o.y1 <= r.y0) << "regions overlap";
            }
        }
        EXPECT_LT(area, 64 * 64 * s * s / 2) << "most of the quad is empty";

        // Every pixel centre inside the quad that samples a visible texel lies in a region.
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                const double px = x + 0.5 - c.x, py = y + 0.5 - c.y;
                const double lx = (px * std::cos(a) + py * std::sin(a)) / s;
                const double ly = (-px * std::sin(a) + py * std::cos(a)) / s;
                if (std::abs(lx) >= 32 || std::abs(ly) >= 32 || !reaches_visible(p, lx + 32, ly + 32))
                    continue;
                const bool inside = std::any_of(regions->begin(), regions->end(), [&](const PixelRect& r) {
                    return x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1;
                });
                ASSERT_TRUE(inside) << "pixel (" << x << ", " << y << ") at angle " << c.angle;
            }
        }
    }
}

TEST(TexelQuads, VisibleRegionsOnlyWhenTheyPay)
{
    Pixmap p;
    p.width = p.height = 64;
    p.rgba.assign(64 * 64 * 4, 0);
    const auto quad = [](float x0, float y0, float x1, float y1) {
        const Vertex a {x0, y0, 0, 0, ~0u}, b {x1, y0, 1, 0, ~0u}, c {x1, y1, 1, 1, ~0u}, d {x0, y1, 0, 1, ~0u};
        return std::vector<Vertex> {a, b, c, a, c, d};
    };
    const auto big = quad(10.5f, 10, 300, 290);
    auto none = visible_regions(map_tiles(p, 8), 64, 64, big.data(), 6, 1024, 768, 32, 128 * 128);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty()) << "a wholly transparent picture draws nothing";

    const auto small = quad(10.5f, 10, 100, 100);
    EXPECT_FALSE(visible_regions(map_tiles(p, 8), 64, 64, small.data(), 6, 1024, 768, 32, 128 * 128));

    for (size_t i = 3; i < p.rgba.size(); i += 4)
        p.rgba[i] = 255;
    EXPECT_FALSE(visible_regions(map_tiles(p, 8), 64, 64, big.data(), 6, 1024, 768, 32, 128 * 128))
        << "an opaque picture is drawn whole";
}
