// Picture decoding: stored values come back exactly (whatever gamma the file declares),
// BMP and TGA are told apart by content and decode like a PNG of the same picture, and
// broken files are refused.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "support/temp_dir.h"

namespace {

// A 5 x 3 test picture: dark values (where a gamma conversion shows most), a black
// mask pixel and half-transparent ones.
constexpr int kW = 5, kH = 3;
uint8_t sample(int x, int y, int k)
{
    if (x == 2 && y == 1)
        return k == 3 ? 255 : 0;  // black
    if (k == 3)
        return static_cast<uint8_t>(x == 4 ? 128 : 255);
    return static_cast<uint8_t>(1 + x * 40 + y * 7 + k * 3);
}

std::vector<uint8_t> picture(bool alpha)
{
    std::vector<uint8_t> px;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            for (int k = 0; k < (alpha ? 4 : 3); ++k)
                px.push_back(sample(x, y, k));
    return px;
}

// A PNG through libpng's writer; gamma 0 writes no gAMA chunk.
std::string png_file(const std::vector<uint8_t>& px, bool alpha, double gamma)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, kW, kH, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (gamma > 0)
        png_set_gAMA(png, info, gamma);
    png_write_info(png, info);
    const int stride = kW * (alpha ? 4 : 3);
    for (int y = 0; y < kH; ++y)
        png_write_row(png, &px[static_cast<size_t>(y) * stride]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// An uncompressed TGA (BGR(A), rows bottom-up as the format's default).
std::string tga_file(const std::vector<uint8_t>& px, bool alpha)
{
    std::string h(18, '\0');
    h[2] = 2;  // true colour
    h[12] = kW, h[14] = kH;
    h[16] = static_cast<char>(alpha ? 32 : 24);
    h[17] = static_cast<char>(alpha ? 8 : 0);  // alpha bits
    const int n = alpha ? 4 : 3;
    for (int y = kH - 1; y >= 0; --y) {
        for (int x = 0; x < kW; ++x) {
            const uint8_t* p = &px[(static_cast<size_t>(y) * kW + x) * n];
            h += static_cast<char>(p[2]), h += static_cast<char>(p[1]), h += static_cast<char>(p[0]);
            if (alpha)
                h += static_cast<char>(p[3]);
        }
    }
    return h;
}

// A 24-bit BMP written by SDL.
std::string bmp_file(const std::vector<uint8_t>& rgb)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgb.data()), kW, kH, 24, kW * 3,
                                                        SDL_PIXELFORMAT_RGB24);
    std::vector<char> buf(4096);
    SDL_RWops* rw = SDL_RWFromMem(buf.data(), static_cast<int>(buf.size()));
    EXPECT_EQ(SDL_SaveBMP_RW(s, rw, 0), 0);
    const auto size = static_cast<size_t>(SDL_RWtell(rw));
    SDL_RWclose(rw);
    SDL_FreeSurface(s);
    return std::string(buf.data(), size);
}

std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace

TEST(PictureDecode, PngKeepsStoredValuesWhateverItsGamma)
{
    for (bool alpha : {false, true}) {
        for (double gamma : {0.0, 1.0, 1 / 2.2, 0.8}) {
            Pixmap out;
            bool has_alpha = true;
            ASSERT_TRUE(DecodePicture(bytes(png_file(picture(alpha), alpha, gamma)), out, has_alpha));
            EXPECT_EQ(has_alpha, alpha);
            ASSERT_EQ(out.width, kW);
            ASSERT_EQ(out.height, kH);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    for (int k = 0; k < 4; ++k)
                        ASSERT_EQ(out.rgba[(static_cast<size_t>(y) * kW + x) * 4 + k],
                                  k == 3 && !alpha ? 255 : sample(x, y, k))
                            << "gamma " << gamma << " alpha " << alpha << " at " << x << "," << y << "," << k;
        }
    }
}

TEST(PictureDecode, BrokenPngIsRefused)
{
    const std::string good = png_file(picture(false), false, 1.0);
    std::string bad_crc = good;
    bad_crc[good.find("IDAT") + 6] ^= 0x55;  // inside the compressed pixels: CRC and zlib fail
    Pixmap out;
    bool has_alpha = false;
    EXPECT_FALSE(DecodePicture(bytes(bad_crc), out, has_alpha));
    for (size_t cut : {size_t{8}, size_t{33}, good.find("IDAT") + 10, good.size() - 12})
        EXPECT_FALSE(DecodePicture(bytes(good.substr(0, cut)), out, has_alpha)) << cut;
    std::string huge = good;  // a header asking for 2^31 - 1 columns
    huge[16] = 0x7f, huge[17] = huge[18] = huge[19] = static_cast<char>(0xff);
    EXPECT_FALSE(DecodePicture(bytes(huge), out, has_alpha));
}

TEST(PictureDecode, BmpAndTgaLoadLikeThePngOfTheSamePicture)
{
    TempDir dir;
    dir.write("media/rgb.png", png_file(picture(false), false, 0));
    dir.write("media/rgba.png", png_file(picture(true), true, 0));
    dir.write("media/rgb.bmp", bmp_file(picture(false)));
    dir.write("media/rgb.tga", tga_file(picture(false), false));
    dir.write("media/rgba.tga", tga_file(picture(true), true));
    dir.write("media/noise.tga", std::string(40, '\x55'));

    auto load = [](const char* name) { return LoadImage(std::string(".\\media\\") + name, -1); };
    TImage* rgb = load("rgb.png");
    TImage* rgba = load("rgba.png");
    ASSERT_TRUE(rgb && rgba);
    // Masking applies to pictures without alpha: the black pixel turns transparent.
    EXPECT_EQ(rgb->pixmaps[0].rgba[(1 * kW + 2) * 4 + 3], 0);
    for (auto [name, want] : {std::pair{"rgb.bmp", rgb}, {"rgb.tga", rgb}, {"rgba.tga", rgba}}) {
        TImage* img = load(name);
        ASSERT_NE(img, nullptr) << name;
        EXPECT_EQ(img->pixmaps[0].rgba, want->pixmaps[0].rgba) << name;
        FreeImage(img);
    }
    EXPECT_EQ(load("noise.tga"), nullptr);
    FreeImage(rgb);
    FreeImage(rgba);
}
