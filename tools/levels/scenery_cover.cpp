// Front scenery masks from the forged pictures (PNG alpha), for the level validator.
#include "levels/scenery_cover.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace levels {
namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
constexpr int kOpaque = 128;  // alpha from which a pixel hides what lies behind it

bool LoadAlpha(const std::string& path, int& w, int& h, std::vector<unsigned char>& alpha)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    alpha.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = rgba[i * 4 + 3];
    return true;
}

}  // namespace

int SceneryRange(int level)
{
    if (level <= 4) return 0;
    if (level <= 9) return 1;
    if (level <= 14) return 2;
    if (level <= 19) return 3;
    if (level <= 24) return 4;
    return 5;
}

const std::vector<FrontPiece>& FrontPieces(int range)
{
    static const std::vector<FrontPiece> pieces[kSceneryRanges] = {
        {{"Tree_lv2_prt1.png", 0, 496}, {"Tree_lv2_prt2.png", 803, 0}},
        {{"frgr1_lv3.png", 0, 318}, {"frgr2_lv3.png", 349, 650}, {"frgr3_lv3.png", 836, 520}},
        {{"foreground_tree_lv4.png", 0, 525}},
        {{"forest_frg.png", 0, 0}, {"forest_frg2.png", 78, 602}},
        {{"foreground1_plane.png", -5, 183}, {"foreground2_plane.png", 173, 600}, {"foreground3_plane.png", 816, 696}},
        {{"ukraine_front_prt1.png", 0, 132}, {"ukraine_front_prt2.png", 181, 602}},
    };
    return pieces[range];
}

std::vector<Rect> FrontOutlines(int range)
{
    switch (range) {
    case 0: return {{0, 640, 420, 768}, {803, 0, 1024, 200}};
    case 1: return {{0, 318, 200, 768}, {349, 650, 700, 768}, {836, 520, 1024, 768}};
    case 2: return {{0, 525, 200, 768}, {0, 660, 1024, 768}};
    case 3: return {{0, 0, 1024, 60}, {0, 0, 150, 768}, {900, 0, 1024, 768}, {78, 640, 600, 768}};
    case 4: return {{0, 183, 180, 768}, {173, 650, 700, 768}, {816, 696, 1024, 768}};
    default: return {{0, 132, 200, 768}, {181, 650, 700, 768}};
    }
}

int SceneryCover::Load(const std::string& media_dir)
{
    int loaded = 0;
    for (int range = 0; range < kSceneryRanges; ++range) {
        std::vector<unsigned char> mask(static_cast<size_t>(kScreenW) * kScreenH, 0);
        bool complete = true;
        for (const FrontPiece& piece : FrontPieces(range)) {
            int w = 0, h = 0;
            std::vector<unsigned char> alpha;
            if (!LoadAlpha(media_dir + "/" + piece.file, w, h, alpha)) {
                complete = false;
                break;
            }
            for (int y = 0; y < h; ++y) {
                int sy = piece.y + y;
                if (sy < 0 || sy >= kScreenH) continue;
                for (int x = 0; x < w; ++x) {
                    int sx = piece.x + x;
                    if (sx < 0 || sx >= kScreenW) continue;
                    if (alpha[static_cast<size_t>(y) * w + x] >= kOpaque) mask[static_cast<size_t>(sy) * kScreenW + sx] = 1;
                }
            }
        }
        if (!complete) {
            masks_[range].clear();
            continue;
        }
        for (int y = kRobotBox.y0; y < kRobotBox.y1; ++y) {
            for (int x = kRobotBox.x0; x < kRobotBox.x1; ++x) mask[static_cast<size_t>(y) * kScreenW + x] = 1;
        }
        masks_[range] = std::move(mask);
        ++loaded;
    }
    return loaded;
}

double SceneryCover::Hidden(int range, const Rect& r) const
{
    const std::vector<unsigned char>& mask = masks_[range];
    int area = std::max(0, r.x1 - r.x0) * std::max(0, r.y1 - r.y0);
    if (mask.empty() || area == 0) return 0.0;
    int hidden = 0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            // Off the screen counts as hidden too: nobody sees or aims there.
            if (x < 0 || y < 0 || x >= kScreenW || y >= kScreenH || mask[static_cast<size_t>(y) * kScreenW + x]) ++hidden;
        }
    }
    return static_cast<double>(hidden) / area;
}

}  // namespace levels
