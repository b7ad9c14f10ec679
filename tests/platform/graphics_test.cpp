#include "platform/graphics.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "platform/draw_trace.h"
#include "platform/frame_pacer.h"
#include "platform/headless/headless_backend.h"
#include "support/draw_helpers.h"
#include "support/temp_dir.h"

namespace {

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        Graphics(1024, 768, 0, 60, 0);
        SetDrawTraceActive(true);
        ResetRenderState();
    }
    void TearDown() override { SetDrawTraceActive(false); }
};

// Writes an RGB (no alpha) PNG of w x h filled by a function of the pixel.
template <typename F>
void write_rgb_png(const std::string& path, int w, int h, F color)
{
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            auto c = color(x, y);
            for (int k = 0; k < 3; ++k)
                px[(static_cast<size_t>(y) * w + x) * 3 + k] = c[k];
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    png_image img {};
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(w);
    img.height = static_cast<png_uint_32>(h);
    img.format = PNG_FORMAT_RGB;
    ASSERT_TRUE(png_image_write_to_file(&img, path.c_str(), 0, px.data(), 0, nullptr));
}

}  // namespace

TEST_F(GraphicsTest, RotatedMidHandledFrameCoversTheTurnedRectangle)
{
    TImage* img = MakeTestImage(40, 20, "bar.png");
    MidHandleImage(img);
    SetRotation(90);
    DrawImage(img, 100, 100, 0);
    ASSERT_EQ(TracedDraws().size(), 1u);
    Bounds b = QuadBounds(TracedDraws()[0]);
    EXPECT_NEAR(b.left, 90, 1e-3);
    EXPECT_NEAR(b.right, 110, 1e-3);
    EXPECT_NEAR(b.top, 80, 1e-3);
    EXPECT_NEAR(b.bottom, 120, 1e-3);
    EXPECT_EQ(TracedDraws()[0].image, "bar.png");
    FreeImage(img);
}

TEST_F(GraphicsTest, OriginScaleAndFrameRange)
{
    TImage* img = MakeTestImage(10, 10, "sq.png");
    SetOrigin(5, 7);
    SetScale(2, 3);
    DrawImage(img, 0, 0, 0);
    DrawImage(img, 0, 0, 1);   // outside the image: nothing
    DrawImage(img, 0, 0, -1);  // nothing
    ASSERT_EQ(TracedDraws().size(), 1u);
    Bounds b = QuadBounds(TracedDraws()[0]);
    EXPECT_FLOAT_EQ(b.left, 5);
    EXPECT_FLOAT_EQ(b.top, 7);
    EXPECT_FLOAT_EQ(b.right, 25);
    EXPECT_FLOAT_EQ(b.bottom, 37);
    FreeImage(img);
}

TEST_F(GraphicsTest, RenderStateClampsAndIgnoresUnknownBlendModes)
{
    TImage* img = MakeTestImage(4, 4, "a.png");
    SetAlpha(1.5f);
    SetColor(300, -20, 128);
    SetBlend(kLightBlend);
    SetBlend(9);  // outside 1..5: unchanged
    DrawImage(img, 0, 0, 0);
    SetAlpha(-1);
    DrawImage(img, 0, 0, 0);
    ASSERT_EQ(TracedDraws().size(), 2u);
    EXPECT_EQ(TracedDraws()[0].alpha, 1.0f);
    EXPECT_EQ(TracedDraws()[0].color, (std::array<int, 3> {255, 0, 128}));
    EXPECT_EQ(TracedDraws()[0].blend, kLightBlend);
    EXPECT_EQ(TracedDraws()[1].alpha, 0.0f);
    FreeImage(img);
}

TEST_F(GraphicsTest, SubImageRectPlacesItsHandleInDestinationPixels)
{
    TImage* img = MakeTestImage(64, 32, "strip.png");
    // Source 16 x 8 stretched to 32 x 32: the handle (4, 2) in source pixels is (8, 8) on screen.
    DrawSubImageRect(img, 100, 50, 32, 32, 16, 0, 16, 8, 4, 2, 0);
    ASSERT_EQ(TracedDraws().size(), 1u);
    Bounds b = QuadBounds(TracedDraws()[0]);
    EXPECT_FLOAT_EQ(b.left, 92);
    EXPECT_FLOAT_EQ(b.top, 42);
    EXPECT_FLOAT_EQ(b.right, 124);
    EXPECT_FLOAT_EQ(b.bottom, 74);
    DrawSubImageRect(img, 0, 0, 10, 10, 0, 0, 0, 8, 0, 0, 0);  // zero-wide source: nothing
    EXPECT_EQ(TracedDraws().size(), 1u);
    SetHandle(3, 4);
    DrawRect(10, 10, 5, 5);
    b = QuadBounds(TracedDraws().back());
    EXPECT_FLOAT_EQ(b.left, 7);
    EXPECT_FLOAT_EQ(b.top, 6);
    FreeImage(img);
}

TEST_F(GraphicsTest, AnimImagesNeedWholeCells)
{
    TempDir dir;
    write_rgb_png(dir.path() + "/media/strip.png", 256, 64, [](int x, int) {
        return std::array<uint8_t, 3> {static_cast<uint8_t>(x / 64 * 50 + 10), 0, 0};
    });
    EXPECT_EQ(LoadAnimImage(".\\media\\strip.png", 64, 64, 0, 5, 2), nullptr);
    EXPECT_EQ(LoadAnimImage(".\\media\\strip.png", 64, 64, 1, 4, 2), nullptr);
    TImage* img = LoadAnimImage(".\\media\\strip.png", 64, 64, 1, 3, 2);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->pixmaps.size(), 3u);
    EXPECT_EQ(ImageWidth(img), 64);
    EXPECT_EQ(img->pixmaps[0].rgba[0], 60);  // frame 0 is cell 1
    EXPECT_EQ(img->source, "strip.png");
    FreeImage(img);
    EXPECT_EQ(LoadImage(".\\media\\missing.png", -1), nullptr);
    dir.write("media/junk.png", "not a picture");
    EXPECT_EQ(LoadImage(".\\media\\junk.png", -1), nullptr);
}

TEST_F(GraphicsTest, MaskedPicturesWithoutAlphaLoseTheMaskColourWithoutDarkFringes)
{
    TempDir dir;
    // Black left half, red right half.
    write_rgb_png(dir.path() + "/m.png", 4, 2, [](int x, int) {
        return x < 2 ? std::array<uint8_t, 3> {0, 0, 0} : std::array<uint8_t, 3> {200, 10, 10};
    });
    TImage* img = LoadImage("m.png", -1);  // default flags: masked + filtered
    ASSERT_NE(img, nullptr);
    const auto& px = img->pixmaps[0].rgba;
    EXPECT_EQ(px[3], 0);                    // (0,0) black: transparent, no non-mask neighbours
    EXPECT_EQ(px[0], 0);
    EXPECT_EQ(px[1 * 4 + 3], 0);            // (1,0) black next to red: transparent ...
    EXPECT_EQ(px[1 * 4 + 0], 200);          // ... and takes the red of its neighbours
    EXPECT_EQ(px[2 * 4 + 3], 255);          // red stays opaque
    FreeImage(img);

    TImage* plain = LoadImage("m.png", 2);  // not masked: black stays opaque
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->pixmaps[0].rgba[3], 255);
    FreeImage(plain);
}

TEST(FramePacer, SixtyFramesTakeOneSecondSplitSixteenAndSeventeen)
{
    FramePacer pacer;
    pacer.start(60, 1000);
    int64_t last = 1000;
    int sixteen = 0, seventeen = 0;
    for (int i = 0; i < 60; ++i) {
        int64_t due = pacer.next_due(last);  // an idle machine wakes exactly on time
        (due - last == 16 ? sixteen : seventeen) += 1;
        last = due;
    }
    EXPECT_EQ(last, 2000);
    EXPECT_EQ(sixteen, 20);
    EXPECT_EQ(seventeen, 40);
    // A frame that overran resets the due time to the clock instead of rushing to catch up.
    EXPECT_EQ(pacer.next_due(2500), 2500);
    EXPECT_EQ(pacer.next_due(2500), 2517);  // 16 + the accumulated millisecond

    FramePacer unpaced;  // hz 0: every frame is due at once
    unpaced.start(0, 10);
    EXPECT_EQ(unpaced.next_due(50), 50);
}

TEST(FramePacer, WaitsUntilTheDueTimeAndNeverPresentsEarly)
{
    // A fake clock in milliseconds: a sleep wakes 1 ms late, each look at the clock while
    // spinning moves it on by a quarter of a millisecond.
    double clock = 1000;
    int sleeps = 0, spins = 0;
    auto now = [&] { return static_cast<int64_t>(clock); };
    auto sleep = [&](int ms) {
        ms > 0 ? (clock += ms + 1, ++sleeps) : (clock += 0.25, ++spins);
    };
    FramePacer pacer;
    pacer.start(60, now());
    for (int frame = 0; frame < 60; ++frame) {
        clock += frame % 7 == 0 ? 11.5 : 3;  // the frame's work varies
        const int64_t due = pacer.next_due(now());
        const int64_t presented = FramePacer::wait_until(due, now, sleep);
        ASSERT_EQ(presented, due) << "frame " << frame;  // on the due millisecond, not after
        EXPECT_GE(clock, static_cast<double>(due));
    }
    EXPECT_EQ(now(), 2000);  // 60 frames on the 16/17 ms grid: one second
    EXPECT_GT(sleeps, 0);
    EXPECT_GT(spins, 0);

    // A frame that overran: no wait at all.
    const int before = sleeps + spins;
    EXPECT_EQ(FramePacer::wait_until(1990, now, sleep), 2000);
    EXPECT_EQ(sleeps + spins, before);
}
