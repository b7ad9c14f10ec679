// Quads that lay a texture's texels one to one onto screen pixels: unrotated, unscaled,
// at whole-pixel places. Most of a level frame is drawn that way (the sky, the scenery
// planes, the web while it hangs still, the HUD), and a software rasteriser draws them
// much faster when it knows: a nearest-texel lookup is exact for them, a fully opaque
// picture needs no blending, and texels that are all transparent need not be drawn at
// all. Each shortcut leaves the pixels as they would be.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend.h"

// A screen rectangle [x0, x1) x [y0, y1) showing texels from (tx0, ty0) onwards.
struct TexelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int tx0 = 0, ty0 = 0;
    bool operator==(const TexelRect&) const = default;
};

// The rectangle when the triangles are one such quad (two triangles sharing a diagonal,
// one colour) on a texture of tex_w x tex_h texels; none otherwise.
std::optional<TexelRect> texel_exact_quad(const Vertex* v, int count, int tex_w, int tex_h);

// What the square tiles of a texture hold: nothing visible, some see-through texels, or
// only fully opaque ones; and whether the whole texture is opaque.
enum TileKind : uint8_t { kEmptyTile = 0, kSeeThroughTile = 1, kOpaqueTile = 2 };

struct TileMap {
    int tile = 32;
    int cols = 0, rows = 0;
    std::vector<uint8_t> kind;  // rows x cols, row-major
    bool opaque = false;
    bool some_empty = false;
    // Tiles holding a visible texel above and left of each tile corner, (rows + 1) x
    // (cols + 1), so that any rectangle of tiles is counted in one lookup.
    std::vector<int> visible_sums;

    // Tiles holding a visible texel among columns c0..c1 and rows r0..r1.
    int visible_in(int c0, int r0, int c1, int r1) const
    {
        auto at = [&](int r, int c) { return visible_sums[static_cast<size_t>(r) * (cols + 1) + c]; };
        return at(r1 + 1, c1 + 1) - at(r0, c1 + 1) - at(r1 + 1, c0) + at(r0, c0);
    }
};

TileMap map_tiles(const Pixmap& pixels, int tile);

// The parts of `quad` whose texels fall in tiles of the given kind, as rectangles (such
// tiles side by side in a row merge into one). Appended to `out`.
void parts_of_kind(const TileMap& map, const TexelRect& quad, TileKind kind, std::vector<TexelRect>& out);

// Pixels [x0, x1) x [y0, y1).
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int64_t area() const { return x1 <= x0 || y1 <= y0 ? 0 : int64_t {x1 - x0} * (y1 - y0); }
    bool operator==(const PixelRect&) const = default;
};

// Triangles drawn scaled, rotated or between pixels cannot be cut without moving their
// texels, but a scissor leaves the pixels inside it exactly as they were. This gives
// rectangles (not overlapping) of a width x height screen, made of cells of `cell`
// pixels, outside which the triangles can only sample (filtered, reaching a texel or two
// around each sample) wholly transparent tiles of their tex_w x tex_h texture. Drawing
// them once inside each rectangle then gives the pixels of drawing them whole in the
// modes that leave the screen as it is under a transparent texel. None when the
// rectangles would save less than a quarter of the triangles' bounds, or the bounds are
// smaller than `least_area`.
std::optional<std::vector<PixelRect>> visible_regions(const TileMap& map, int tex_w, int tex_h, const Vertex* v,
                                                      int count, int width, int height, int cell,
                                                      int64_t least_area);

// The modes in which a wholly transparent texel leaves the screen as it is (mask, alpha,
// light).
bool ClearLeavesAlone(int blend);

// The triangles (into `out`, replaced) that draw `quad` of a tex_w x tex_h texture one to
// one in colour rgba, and the blend mode to draw them in: alpha blending an opaque picture
// in an opaque colour becomes solid, and in the modes that leave the screen alone under
// transparent texels only the tiles holding visible ones are drawn. `parts` is scratch.
void texel_quad_vertices(const TileMap& map, int tex_w, int tex_h, const TexelRect& quad, uint32_t rgba,
                         int& blend, std::vector<TexelRect>& parts, std::vector<Vertex>& out);

// Where the 1024 x 768 picture lands in a drawable of width x height pixels: scaled to fit
// and centred (GL's viewport, rows counted from the bottom).
struct ScreenView {
    int x = 0, y = 0, w = 1024, h = 768;
    bool one_to_one() const { return w == 1024 && h == 768; }
};
ScreenView LetterboxView(int width, int height);

// The 1024 x 768 screen from pixels read back from the view (GL's rows bottom up),
// nearest pixel where the view is scaled; alpha made opaque.
void ScreenFromReadBack(const std::vector<uint8_t>& raw, const ScreenView& view, Pixmap& out);

// Triangles of alpha 0 leave the screen as it is in the modes that weigh by alpha:
// faded-out sprites and particles cost nothing.
bool InvisibleTriangles(int blend, const Vertex* vertices, int count);

// The whole screen as two triangles showing a 1024 x 768 texture of a screen read back
// (rows bottom up) one to one, in white.
void WholeScreenQuad(Vertex out[6]);
