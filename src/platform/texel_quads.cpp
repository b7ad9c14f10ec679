#include "platform/texel_quads.h"

#include <algorithm>
#include <cmath>

namespace {

bool whole(double v) { return v == std::floor(v) && std::abs(v) < 1 << 24; }

}  // namespace

std::optional<TexelRect> texel_exact_quad(const Vertex* v, int count, int tex_w, int tex_h)
{
    if (count != 6 || tex_w <= 0 || tex_h <= 0)
        return std::nullopt;
    // Two triangles a b c, a c d: the quad's corners a b c d.
    const auto same = [](const Vertex& p, const Vertex& q) {
        return p.x == q.x && p.y == q.y && p.u == q.u && p.v == q.v && p.rgba == q.rgba;
    };
    if (!same(v[0], v[3]) || !same(v[2], v[4]))
        return std::nullopt;
    const Vertex* corner[4] = {&v[0], &v[1], &v[2], &v[5]};
    float x0 = corner[0]->x, x1 = x0, y0 = corner[0]->y, y1 = y0;
    for (const Vertex* c : corner) {
        x0 = std::min(x0, c->x), x1 = std::max(x1, c->x);
        y0 = std::min(y0, c->y), y1 = std::max(y1, c->y);
    }
    if (!(x1 > x0 && y1 > y0) || !whole(x0) || !whole(y0) || !whole(x1) || !whole(y1))
        return std::nullopt;
    // Every corner a corner of the rectangle, each once, with the texel under it at the
    // same distance from the screen pixel (one to one, not mirrored).
    int seen = 0;
    const double du = static_cast<double>(corner[0]->u) * tex_w - corner[0]->x;
    const double dv = static_cast<double>(corner[0]->v) * tex_h - corner[0]->y;
    for (const Vertex* c : corner) {
        if ((c->x != x0 && c->x != x1) || (c->y != y0 && c->y != y1) || c->rgba != corner[0]->rgba)
            return std::nullopt;
        seen |= 1 << ((c->x == x1 ? 1 : 0) + (c->y == y1 ? 2 : 0));
        if (static_cast<double>(c->u) * tex_w - c->x != du || static_cast<double>(c->v) * tex_h - c->y != dv)
            return std::nullopt;
    }
    if (seen != 15 || !whole(du) || !whole(dv))
        return std::nullopt;
    TexelRect r {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1),
                 static_cast<int>(x0 + du), static_cast<int>(y0 + dv)};
    if (r.tx0 < 0 || r.ty0 < 0 || r.tx0 + (r.x1 - r.x0) > tex_w || r.ty0 + (r.y1 - r.y0) > tex_h)
        return std::nullopt;
    return r;
}

TileMap map_tiles(const Pixmap& pixels, int tile)
{
    TileMap map;
    map.tile = std::max(1, tile);
    map.cols = (pixels.width + map.tile - 1) / map.tile;
    map.rows = (pixels.height + map.tile - 1) / map.tile;
    const size_t tiles = static_cast<size_t>(map.cols) * map.rows;
    std::vector<uint8_t> any(tiles, 0), all(tiles, 1);
    for (int y = 0; y < pixels.height; ++y) {
        const uint8_t* row = &pixels.rgba[static_cast<size_t>(y) * pixels.width * 4];
        const size_t first = static_cast<size_t>(y / map.tile) * map.cols;
        for (int x = 0; x < pixels.width; ++x) {
            const uint8_t a = row[x * 4 + 3];
            any[first + x / map.tile] |= a != 0;
            all[first + x / map.tile] &= a == 255;
        }
    }
    map.kind.resize(tiles);
    map.opaque = true;
    for (size_t i = 0; i < tiles; ++i) {
        map.kind[i] = all[i] ? kOpaqueTile : any[i] ? kSeeThroughTile : kEmptyTile;
        map.opaque = map.opaque && all[i];
    }
    return map;
}

void parts_of_kind(const TileMap& map, const TexelRect& quad, TileKind kind, std::vector<TexelRect>& out)
{
    const int t = map.tile;
    const int w = quad.x1 - quad.x0, h = quad.y1 - quad.y0;
    const int tx1 = quad.tx0 + w, ty1 = quad.ty0 + h;
    for (int r = quad.ty0 / t; r * t < ty1 && r < map.rows; ++r) {
        const int band0 = std::max(quad.ty0, r * t), band1 = std::min(ty1, (r + 1) * t);
        const uint8_t* row = &map.kind[static_cast<size_t>(r) * map.cols];
        int c = quad.tx0 / t;
        while (c * t < tx1 && c < map.cols) {
            if (row[c] != kind) {
                ++c;
                continue;
            }
            const int run0 = std::max(quad.tx0, c * t);
            while (c * t < tx1 && c < map.cols && row[c] == kind)
                ++c;
            const int run1 = std::min(tx1, c * t);
            out.push_back({quad.x0 + run0 - quad.tx0, quad.y0 + band0 - quad.ty0, quad.x0 + run1 - quad.tx0,
                           quad.y0 + band1 - quad.ty0, run0, band0});
        }
    }
}
