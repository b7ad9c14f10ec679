// Picture decoding and PNG writing for the browser build, through stb_image and
// stb_image_write: PNG, JPEG, BMP and TGA, told apart by content as on the desktop.
// Pixels come back as stored (stb applies no gamma); 16-bit samples keep their high byte.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstring>

#include "platform/graphics.h"

namespace {

// Larger pictures are refused before any pixel memory is taken.
constexpr int kMaxPictureSide = 16384;

}  // namespace

bool DecodePicture(const std::vector<uint8_t>& bytes, Pixmap& out, bool& has_alpha)
{
    has_alpha = false;
    if (bytes.empty() || bytes.size() > 0x7fffffff)
        return false;
    const auto* data = bytes.data();
    const int size = static_cast<int>(bytes.size());
    int w = 0, h = 0, stored = 0;
    if (!stbi_info_from_memory(data, size, &w, &h, &stored) || w <= 0 || h <= 0 || w > kMaxPictureSide ||
        h > kMaxPictureSide)
        return false;
    unsigned char* pixels = stbi_load_from_memory(data, size, &w, &h, &stored, 4);
    if (!pixels)
        return false;
    // A palette or colour key with transparency counts as alpha, as it does on the desktop.
    has_alpha = stored == 2 || stored == 4;
    out.width = w;
    out.height = h;
    out.rgba.assign(pixels, pixels + static_cast<size_t>(w) * h * 4);
    stbi_image_free(pixels);
    return true;
}

bool SavePng(const std::string& host_path, const Pixmap& pixels)
{
    return stbi_write_png(host_path.c_str(), pixels.width, pixels.height, 4, pixels.rgba.data(),
                          pixels.width * 4) != 0;
}
