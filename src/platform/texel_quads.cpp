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
        map.some_empty = map.some_empty || !any[i];
    }
    map.visible_sums.assign(static_cast<size_t>(map.cols + 1) * (map.rows + 1), 0);
    auto sum = [&](int r, int c) -> int& { return map.visible_sums[static_cast<size_t>(r) * (map.cols + 1) + c]; };
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.cols; ++c)
            sum(r + 1, c + 1) = any[static_cast<size_t>(r) * map.cols + c] + sum(r, c + 1) + sum(r + 1, c) - sum(r, c);
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

namespace {

// Screen to texel coordinates over one triangle: t = (ax x + bx y + cx, ay x + by y + cy).
struct TexelMap {
    double ax, bx, cx, ay, by, cy;
};

std::optional<TexelMap> texel_map(const Vertex* t, int tex_w, int tex_h)
{
    const double x1 = t[1].x - t[0].x, y1 = t[1].y - t[0].y;
    const double x2 = t[2].x - t[0].x, y2 = t[2].y - t[0].y;
    const double det = x1 * y2 - x2 * y1;
    if (det == 0 || !std::isfinite(det))
        return std::nullopt;  // covers no pixel
    auto solve = [&](double s0, double s1, double s2, double& a, double& b, double& c) {
        const double d1 = s1 - s0, d2 = s2 - s0;
        a = (d1 * y2 - d2 * y1) / det;
        b = (x1 * d2 - x2 * d1) / det;
        c = s0 - a * t[0].x - b * t[0].y;
    };
    TexelMap m {};
    solve(t[0].u * tex_w, t[1].u * tex_w, t[2].u * tex_w, m.ax, m.bx, m.cx);
    solve(t[0].v * tex_h, t[1].v * tex_h, t[2].v * tex_h, m.ay, m.by, m.cy);
    return m;
}

}  // namespace

std::optional<std::vector<PixelRect>> visible_regions(const TileMap& map, int tex_w, int tex_h, const Vertex* v,
                                                      int count, int width, int height, int cell,
                                                      int64_t least_area)
{
    if (count < 3 || count % 3 || cell <= 0 || map.cols <= 0 || map.rows <= 0 || map.visible_sums.empty())
        return std::nullopt;
    float fx0 = v[0].x, fy0 = v[0].y, fx1 = v[0].x, fy1 = v[0].y;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || !std::isfinite(v[i].u) || !std::isfinite(v[i].v))
            return std::nullopt;
        fx0 = std::min(fx0, v[i].x), fy0 = std::min(fy0, v[i].y);
        fx1 = std::max(fx1, v[i].x), fy1 = std::max(fy1, v[i].y);
    }
    const PixelRect bounds {std::max(0, static_cast<int>(std::floor(std::max(fx0, -1.0f)))),
                            std::max(0, static_cast<int>(std::floor(std::max(fy0, -1.0f)))),
                            std::min(width, static_cast<int>(std::ceil(std::min(fx1, width + 1.0f)))),
                            std::min(height, static_cast<int>(std::ceil(std::min(fy1, height + 1.0f))))};
    if (bounds.area() < std::max<int64_t>(least_area, 1))
        return std::nullopt;

    std::vector<TexelMap> maps;
    for (int i = 0; i < count; i += 3)
        if (auto m = texel_map(v + i, tex_w, tex_h))
            maps.push_back(*m);

    const int cols = map.cols, rows = map.rows;
    auto visible = [&](double t0, double t1, int texels, int tiles) {
        // Texels a filtered sample may reach, clamped to the edge as the sampler does.
        const double last = texels - 1;
        const int a = static_cast<int>(std::clamp(std::floor(t0 - 2), 0.0, last));
        const int b = static_cast<int>(std::clamp(std::ceil(t1 + 2), 0.0, last));
        return std::pair {std::min(a / map.tile, tiles - 1), std::min(b / map.tile, tiles - 1)};
    };

    const int grid_w = (bounds.x1 - bounds.x0 + cell - 1) / cell;
    const int grid_h = (bounds.y1 - bounds.y0 + cell - 1) / cell;
    std::vector<uint8_t> needed(static_cast<size_t>(grid_w) * grid_h, 0);
    for (int gy = 0; gy < grid_h; ++gy) {
        for (int gx = 0; gx < grid_w; ++gx) {
            const double x0 = bounds.x0 + gx * cell, y0 = bounds.y0 + gy * cell;
            const double x1 = x0 + cell, y1 = y0 + cell;
            for (const TexelMap& m : maps) {
                double tx0 = 1e300, tx1 = -1e300, ty0 = 1e300, ty1 = -1e300;
                for (double x : {x0, x1}) {
                    for (double y : {y0, y1}) {
                        const double tx = m.ax * x + m.bx * y + m.cx, ty = m.ay * x + m.by * y + m.cy;
                        tx0 = std::min(tx0, tx), tx1 = std::max(tx1, tx);
                        ty0 = std::min(ty0, ty), ty1 = std::max(ty1, ty);
                    }
                }
                const auto [c0, c1] = visible(tx0, tx1, tex_w, cols);
                const auto [r0, r1] = visible(ty0, ty1, tex_h, rows);
                if (map.visible_in(c0, r0, c1, r1) > 0) {
                    needed[static_cast<size_t>(gy) * grid_w + gx] = 1;
                    break;
                }
            }
        }
    }

    // Runs of needed cells in each row; a run spanning the same columns as one ending
    // just above it grows that one downwards.
    std::vector<PixelRect> rects;
    int64_t area = 0;
    for (int gy = 0; gy < grid_h; ++gy) {
        const int y0 = bounds.y0 + gy * cell, y1 = std::min(bounds.y1, y0 + cell);
        for (int gx = 0; gx < grid_w;) {
            if (!needed[static_cast<size_t>(gy) * grid_w + gx]) {
                ++gx;
                continue;
            }
            const int start = gx;
            while (gx < grid_w && needed[static_cast<size_t>(gy) * grid_w + gx])
                ++gx;
            const int x0 = bounds.x0 + start * cell, x1 = std::min(bounds.x1, bounds.x0 + gx * cell);
            area += int64_t {x1 - x0} * (y1 - y0);
            auto above = std::find_if(rects.begin(), rects.end(), [&](const PixelRect& r) {
                return r.x0 == x0 && r.x1 == x1 && r.y1 == y0;
            });
            if (above != rects.end())
                above->y1 = y1;
            else
                rects.push_back({x0, y0, x1, y1});
        }
    }
    if (area * 4 > bounds.area() * 3)
        return std::nullopt;
    return rects;
}

bool ClearLeavesAlone(int blend)
{
    return blend == kMaskBlend || blend == kAlphaBlend || blend == kLightBlend;
}

void texel_quad_vertices(const TileMap& map, int tex_w, int tex_h, const TexelRect& quad, uint32_t rgba,
                         int& blend, std::vector<TexelRect>& parts, std::vector<Vertex>& out)
{
    const bool opaque_colour = (rgba >> 24) == 255;  // alpha is the fourth byte in memory
    if (blend == kAlphaBlend && map.opaque && opaque_colour)
        blend = kSolidBlend;
    parts.clear();
    if (ClearLeavesAlone(blend)) {
        parts_of_kind(map, quad, kOpaqueTile, parts);
        parts_of_kind(map, quad, kSeeThroughTile, parts);
    } else {
        parts.push_back(quad);
    }
    out.clear();
    const float w = static_cast<float>(tex_w), h = static_cast<float>(tex_h);
    for (const TexelRect& p : parts) {
        const float x0 = static_cast<float>(p.x0), y0 = static_cast<float>(p.y0);
        const float x1 = static_cast<float>(p.x1), y1 = static_cast<float>(p.y1);
        const float u0 = p.tx0 / w, v0 = p.ty0 / h;
        const float u1 = (p.tx0 + p.x1 - p.x0) / w, v1 = (p.ty0 + p.y1 - p.y0) / h;
        const Vertex a {x0, y0, u0, v0, rgba}, b {x1, y0, u1, v0, rgba};
        const Vertex c {x1, y1, u1, v1, rgba}, d {x0, y1, u0, v1, rgba};
        out.insert(out.end(), {a, b, c, a, c, d});
    }
}

ScreenView LetterboxView(int width, int height)
{
    const float s = std::min(static_cast<float>(width) / 1024, static_cast<float>(height) / 768);
    ScreenView v;
    v.w = std::max(1, static_cast<int>(1024 * s));
    v.h = std::max(1, static_cast<int>(768 * s));
    v.x = (width - v.w) / 2;
    v.y = (height - v.h) / 2;
    return v;
}

void ScreenFromReadBack(const std::vector<uint8_t>& raw, const ScreenView& view, Pixmap& out)
{
    out.width = 1024;
    out.height = 768;
    out.rgba.assign(static_cast<size_t>(1024) * 768 * 4, 0);
    for (int y = 0; y < 768; ++y) {
        const int sy = view.h - 1 - std::min(view.h - 1, y * view.h / 768);
        for (int x = 0; x < 1024; ++x) {
            const int sx = std::min(view.w - 1, x * view.w / 1024);
            const uint8_t* s = &raw[(static_cast<size_t>(sy) * view.w + sx) * 4];
            uint8_t* d = &out.rgba[(static_cast<size_t>(y) * 1024 + x) * 4];
            d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        }
    }
}

bool InvisibleTriangles(int blend, const Vertex* vertices, int count)
{
    if (!ClearLeavesAlone(blend))
        return false;
    for (int i = 0; i < count; ++i)
        if (vertices[i].rgba >> 24)
            return false;
    return true;
}

void WholeScreenQuad(Vertex out[6])
{
    const float w = 1024, h = 768;
    const Vertex a {0, 0, 0, 1, 0xffffffffu}, b {w, 0, 1, 1, 0xffffffffu};
    const Vertex c {w, h, 1, 0, 0xffffffffu}, d {0, h, 0, 0, 0xffffffffu};
    out[0] = a, out[1] = b, out[2] = c, out[3] = a, out[4] = c, out[5] = d;
}
