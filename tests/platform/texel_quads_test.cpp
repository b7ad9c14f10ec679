#include "platform/texel_quads.h"

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
