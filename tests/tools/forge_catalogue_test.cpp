// Walks the forged game folder against the asset catalogue: every picture loads through the game's own
// loaders with whole cells of the listed size, is not blank and (for strips) really animates; every
// sound decodes with the right channel count, is audible, and loops without a click where it must.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../tools/forge/catalogue.h"
#include "../../tools/forge/web_geometry.h"
#include "platform/files.h"
#include "platform/graphics.h"

namespace fs = std::filesystem;

namespace {

const std::string kGameDir = WINGTRON_GAME_DIR;

bool Forged() { return fs::exists(fs::path(kGameDir) / ".." / "forge.stamp"); }

struct ImageDeleter {
    void operator()(TImage* i) const { FreeImage(i); }
};
using ImagePtr = std::unique_ptr<TImage, ImageDeleter>;

// A frame is blank when no pixel is visible, or when it is one flat opaque colour throughout.
bool Blank(const Pixmap& p) {
    bool any_visible = false, any_clear = false, varied = false;
    for (size_t i = 0; i + 3 < p.rgba.size(); i += 4) {
        if (p.rgba[i + 3] == 0) {
            any_clear = true;
            continue;
        }
        any_visible = true;
        for (int c = 0; c < 4; ++c) varied = varied || p.rgba[i + c] != p.rgba[c];
    }
    return !any_visible || (!any_clear && !varied);
}

struct Decoded {
    int channels = 0;
    long rate = 0;
    std::vector<float> samples;  // interleaved
};

bool DecodeOgg(const std::string& path, Decoded& out) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return false;
    vorbis_info* vi = ov_info(&vf, -1);
    out.channels = vi->channels;
    out.rate = vi->rate;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n < 0) {
            ov_clear(&vf);
            return false;
        }
        if (n == 0) break;
        for (long i = 0; i < n; ++i) {
            for (int c = 0; c < out.channels; ++c) out.samples.push_back(pcm[c][i]);
        }
    }
    ov_clear(&vf);
    return true;
}

class ForgedCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Forged()) GTEST_SKIP() << "the forge did not run (WINGTRON_FORGE=OFF)";
        SetDataFolder(kGameDir);
    }
};

}  // namespace

TEST_F(ForgedCatalogue, EveryFileExistsUnderItsExactName) {
    for (const forge::CatalogueEntry& e : forge::kCatalogue) {
        fs::path dir = fs::path(kGameDir) / forge::FolderName(e.folder);
        bool found = false;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().filename().string() == e.file) found = true;
        }
        EXPECT_TRUE(found) << e.file;
    }
}

TEST_F(ForgedCatalogue, PicturesLoadWithTheirCellsAndAreNotBlank) {
    int pictures = 0;
    for (const forge::CatalogueEntry& e : forge::kCatalogue) {
        if (e.folder != forge::Folder::kMedia) continue;
        ++pictures;
        std::string game_path = std::string(".\\media\\") + e.file;
        ImagePtr img(e.cell_w > 0 ? LoadAnimImage(game_path, e.cell_w, e.cell_h, 0, e.frames, e.flags)
                                  : LoadImage(game_path, e.flags));
        ASSERT_TRUE(img) << e.file;
        ASSERT_EQ(static_cast<int>(img->pixmaps.size()), e.frames) << e.file;
        if (e.cell_w > 0) {
            EXPECT_EQ(img->width, e.cell_w) << e.file;
            EXPECT_EQ(img->height, e.cell_h) << e.file;
        }
        bool all_blank = true;
        for (const Pixmap& p : img->pixmaps) all_blank = all_blank && Blank(p);
        EXPECT_FALSE(all_blank) << e.file;
        // A strip must really animate: not every frame the same picture.
        if (e.frames > 1) {
            bool differs = false;
            for (size_t k = 1; k < img->pixmaps.size() && !differs; ++k) differs = img->pixmaps[k].rgba != img->pixmaps[0].rgba;
            EXPECT_TRUE(differs) << e.file << " has identical frames";
        }
    }
    EXPECT_GT(pictures, 250);
}

TEST_F(ForgedCatalogue, WebPictureMatchesTheSharedGeometry) {
    namespace wg = web_geometry;
    ImagePtr web(LoadImage(".\\media\\Web_level1.png", 2));
    ASSERT_TRUE(web);
    ASSERT_EQ(web->width, wg::kPictureWidth);
    ASSERT_EQ(web->height, wg::kPictureHeight);
    const Pixmap& p = web->pixmaps[0];
    auto alpha_near = [&](wg::WebPoint screen) {
        wg::WebPoint q = wg::ScreenToPicture(screen);
        int best = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                int x = static_cast<int>(std::lround(q.x)) + dx, y = static_cast<int>(std::lround(q.y)) + dy;
                if (x < 0 || y < 0 || x >= p.width || y >= p.height) continue;
                best = std::max<int>(best, p.rgba[(static_cast<size_t>(y) * p.width + x) * 4 + 3]);
            }
        }
        return best;
    };
    // Threads where the geometry says they are; open air between rings.
    for (int ring : {0, 10, wg::kRingCount - 1}) {
        for (double deg = 10; deg < 360; deg += 37) EXPECT_GT(alpha_near(wg::RingPoint(ring, deg)), 60) << ring << " " << deg;
    }
    int s = 2;
    double mid = (wg::kSpokeAngles[s] + wg::kSpokeAngles[s + 1]) / 2;
    wg::WebPoint gap = wg::RingPoint(5, mid);
    wg::WebPoint inner = wg::RingPoint(4, mid);
    EXPECT_EQ(alpha_near({(gap.x + inner.x) / 2, (gap.y + inner.y) / 2}), 0);
}

TEST_F(ForgedCatalogue, SoundsDecodeAreAudibleAndLoopCleanly) {
    int sounds = 0;
    for (const forge::CatalogueEntry& e : forge::kCatalogue) {
        if (e.folder == forge::Folder::kMedia) continue;
        ++sounds;
        std::string path = kGameDir + "/" + forge::FolderName(e.folder) + "/" + e.file;
        Decoded d;
        ASSERT_TRUE(DecodeOgg(path, d)) << e.file;
        EXPECT_EQ(d.channels, e.channels) << e.file;
        ASSERT_GT(d.samples.size(), static_cast<size_t>(d.channels * d.rate / 20)) << e.file;
        float peak = 0;
        for (float v : d.samples) peak = std::max(peak, std::abs(v));
        EXPECT_GT(peak, 0.1f) << e.file << " is too quiet";
        EXPECT_LE(peak, 1.05f) << e.file << " clips";
        double secs = static_cast<double>(d.samples.size()) / d.channels / d.rate;
        bool long_loop = e.loop && e.folder != forge::Folder::kSounds;
        if (long_loop) {
            EXPECT_GE(secs, 30.0) << e.file;
        }
        if (!e.loop) continue;
        // The seam: the jump from the last sample to the first must look like any other step of the file.
        for (int c = 0; c < d.channels; ++c) {
            size_t frames = d.samples.size() / d.channels;
            double mean_step = 0;
            for (size_t i = 1; i < frames; ++i) mean_step += std::abs(d.samples[i * d.channels + c] - d.samples[(i - 1) * d.channels + c]);
            mean_step /= static_cast<double>(frames - 1);
            double seam = std::abs(d.samples[c] - d.samples[(frames - 1) * d.channels + c]);
            EXPECT_LE(seam, 0.02 + 6 * mean_step) << e.file << " clicks at its loop point (channel " << c << ")";
        }
    }
    EXPECT_GE(sounds, 60);
}

// A looping track joins its end to its start as if the music went on: the step across the
// seam, and its bend (the change of slope), stay within three times the mean of those of the
// 20 ms either side, give or take the codec's own noise (-54 dB) in quiet passages.
TEST_F(ForgedCatalogue, LoopingTracksJoinInValueAndSlope) {
    int tracks = 0;
    for (const forge::CatalogueEntry& e : forge::kCatalogue) {
        if (!e.loop || e.folder == forge::Folder::kMedia || e.folder == forge::Folder::kSounds) continue;
        ++tracks;
        Decoded d;
        ASSERT_TRUE(DecodeOgg(kGameDir + "/" + forge::FolderName(e.folder) + "/" + e.file, d)) << e.file;
        const long frames = static_cast<long>(d.samples.size()) / d.channels;
        const long near = d.rate / 50;
        for (int c = 0; c < d.channels; ++c) {
            // The track as it plays looped: index 0 is its first sample, -1 its last.
            auto at = [&](long i) {
                return static_cast<double>(d.samples[((i + frames) % frames) * d.channels + c]);
            };
            auto step = [&](long i) { return std::abs(at(i) - at(i - 1)); };
            auto bend = [&](long i) { return std::abs(at(i) - 2 * at(i - 1) + at(i - 2)); };
            double mean_step = 0, mean_bend = 0;
            int n = 0;
            for (long i = -near; i < near; ++i) {
                if (i == 0 || i == 1) continue;  // the steps and bends that span the seam
                mean_step += step(i);
                mean_bend += bend(i);
                ++n;
            }
            mean_step /= n;
            mean_bend /= n;
            const double seam_bend = std::max(bend(0), bend(1));
            const double noise = 0.002;
            EXPECT_LE(step(0), 3 * mean_step + noise)
                << e.file << " jumps by " << std::lround(step(0) * 32768) << " of 32768 (ch " << c << ")";
            EXPECT_LE(seam_bend, 3 * mean_bend + noise)
                << e.file << " bends by " << std::lround(seam_bend * 32768) << " of 32768 (ch " << c << ")";
        }
    }
    EXPECT_EQ(tracks, 8);
}
