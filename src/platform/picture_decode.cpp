// Picture decoding for LoadImage: PNG (libpng), JPEG (libjpeg-turbo), BMP and TGA
// (SDL2_image), told apart by content; and PNG writing for screenshots. Pixels come back as the file stores them: no
// gamma or colour-space conversion, so a mask colour or an alpha value stays exact.
#include <SDL.h>
#include <SDL_image.h>
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "platform/graphics.h"

namespace {

// Larger pictures are refused before any pixel memory is taken (a broken or hostile
// header cannot ask for gigabytes).
constexpr uint32_t kMaxPictureSide = 16384;

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void jpeg_fail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

bool decode_jpeg(const std::vector<uint8_t>& bytes, Pixmap& out)
{
    jpeg_decompress_struct info {};
    JpegError err {};
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpeg_fail;
    err.mgr.output_message = [](j_common_ptr) {};
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxPictureSide || info.image_height > kMaxPictureSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgba.assign(static_cast<size_t>(out.width) * out.height * 4, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.rgba[static_cast<size_t>(info.output_scanline) * out.width * 4];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void png_read_memory(png_structp png, png_bytep out, png_size_t n)
{
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (n > src->size - src->pos)
        png_error(png, "truncated");
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
}

// libpng's full API with only lossless transforms: palettes and small greys expand,
// grey becomes RGB, 16-bit samples keep their high byte, a missing alpha is filled with
// 255. No gamma is set, so the gAMA, sRGB, cHRM and iCCP chunks change nothing (the
// simplified API would convert every picture with a gamma other than sRGB's).
bool decode_png(const std::vector<uint8_t>& bytes, Pixmap& out, bool& has_alpha)
{
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr,
        [](png_structp p, png_const_charp) { png_longjmp(p, 1); }, [](png_structp, png_const_charp) {});
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    PngSource src {bytes.data(), bytes.size(), 0};
    // After the jump only what was set before setjmp (png, info) or lives outside this
    // frame (out) is touched.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        out = Pixmap();
        return false;
    }
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_set_read_fn(png, &src, png_read_memory);
    png_read_info(png, info);

    const int color_type = png_get_color_type(png, info);
    has_alpha = (color_type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_strip_16(png);
    if (!(color_type & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    if (!has_alpha)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4)
        png_error(png, "unexpected row layout");
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.rgba.assign(static_cast<size_t>(w) * h * 4, 0);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < h; ++y)
            png_read_row(png, &out.rgba[static_cast<size_t>(y) * w * 4], nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// TGA has no signature: a header whose fields are all in range is taken for one, and
// the decoder then has the last word.
bool looks_like_tga(const std::vector<uint8_t>& b)
{
    if (b.size() < 18)
        return false;
    const int map_type = b[1], type = b[2], map_bits = b[7], bits = b[16];
    const int width = b[12] | (b[13] << 8), height = b[14] | (b[15] << 8);
    if (width == 0 || height == 0 || (b[17] & 0xc0) != 0)
        return false;
    if (bits != 8 && bits != 15 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (type == 1 || type == 9)  // colour-mapped
        return map_type == 1 && (map_bits == 15 || map_bits == 16 || map_bits == 24 || map_bits == 32);
    return (type == 2 || type == 3 || type == 10 || type == 11) && map_type <= 1;
}

// BMP or TGA through SDL2_image.
bool decode_with_sdl_image(const std::vector<uint8_t>& bytes, const char* type, Pixmap& out, bool& has_alpha)
{
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw)
        return false;
    SDL_Surface* loaded = IMG_LoadTyped_RW(rw, 1, type);
    if (!loaded)
        return false;
    bool ok = false;
    if (loaded->w > 0 && loaded->h > 0 && static_cast<uint32_t>(loaded->w) <= kMaxPictureSide &&
        static_cast<uint32_t>(loaded->h) <= kMaxPictureSide) {
        has_alpha = loaded->format->Amask != 0 || (loaded->format->palette && SDL_HasColorKey(loaded));
        if (SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0)) {
            out.width = rgba->w;
            out.height = rgba->h;
            out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
            for (int y = 0; y < out.height; ++y) {
                std::memcpy(&out.rgba[static_cast<size_t>(y) * out.width * 4],
                            static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                            static_cast<size_t>(out.width) * 4);
            }
            SDL_FreeSurface(rgba);
            ok = true;
        }
    }
    SDL_FreeSurface(loaded);
    return ok;
}

}  // namespace

bool DecodePicture(const std::vector<uint8_t>& bytes, Pixmap& out, bool& has_alpha)
{
    has_alpha = false;
    if (bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0)
        return decode_png(bytes, out, has_alpha);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return decode_jpeg(bytes, out);
    if (bytes.size() >= 14 && bytes[0] == 'B' && bytes[1] == 'M')
        return decode_with_sdl_image(bytes, "BMP", out, has_alpha);
    if (looks_like_tga(bytes))
        return decode_with_sdl_image(bytes, "TGA", out, has_alpha);
    return false;
}

bool SavePng(const std::string& host_path, const Pixmap& pixels)
{
    png_image img {};
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(pixels.width);
    img.height = static_cast<png_uint_32>(pixels.height);
    img.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&img, host_path.c_str(), 0, pixels.rgba.data(), 0, nullptr) != 0;
}
