// Real-backend smoke test: opens the SDL/OpenGL window, draws known quads in each blend
// mode over a grey background and checks the pixels of the read-back frame.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>

#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/real/gl_backend.h"

namespace {

int failures = 0;

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    ++failures;
}

void expect_pixel(const Pixmap& shot, int x, int y, int r, int g, int b, const char* what)
{
    const uint8_t* p = &shot.rgba[(static_cast<size_t>(y) * shot.width + x) * 4];
    if (std::abs(p[0] - r) > 3 || std::abs(p[1] - g) > 3 || std::abs(p[2] - b) > 3) {
        std::fprintf(stderr, "%s at (%d, %d): got (%d, %d, %d), want (%d, %d, %d)\n", what, x, y, p[0], p[1], p[2],
                     r, g, b);
        ++failures;
    }
}

TImage* solid_image(uint8_t r, uint8_t g, uint8_t b, uint8_t a, const char* name)
{
    Pixmap p;
    p.width = p.height = 32;
    p.rgba.resize(32 * 32 * 4);
    for (size_t i = 0; i < p.rgba.size(); i += 4) {
        p.rgba[i] = r, p.rgba[i + 1] = g, p.rgba[i + 2] = b, p.rgba[i + 3] = a;
    }
    return CreateImageFromPixmap(std::move(p), 0, name);
}

// A 256 x 256 picture with every kind of 32-texel tile: empty, see-through (a soft
// gradient), opaque, and empty but for one faint texel at a corner.
TImage* tiled_image(const char* name)
{
    Pixmap p;
    p.width = p.height = 256;
    p.rgba.assign(256 * 256 * 4, 0);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            uint8_t* t = &p.rgba[(static_cast<size_t>(y) * 256 + x) * 4];
            const int tile = (y / 32) * 8 + x / 32;
            const int kind = tile % 4;
            uint8_t a = kind == 1 ? static_cast<uint8_t>((x * 7 + y * 3) % 256) : kind == 2 ? 255 : 0;
            if (kind == 3 && x % 32 == 31 && y % 32 == 31)
                a = 9;
            t[0] = static_cast<uint8_t>(x), t[1] = static_cast<uint8_t>(y), t[2] = static_cast<uint8_t>(x ^ y), t[3] = a;
        }
    }
    return CreateImageFromPixmap(std::move(p), kFilteredImage, name);
}

// Draws a scene with the backend's shortcuts on and then off, and fails unless every
// byte of the two frames agrees. Returns the draw calls each way took.
std::pair<int, int> draw_both_ways(const char* what, void (*scene)())
{
    Pixmap shots[2];
    int calls[2] = {0, 0};
    for (int way = 0; way < 2; ++way) {
        SetBackend(CreateGLBackend({.texel_quads = way == 0, .visible_regions = way == 0, .backdrop = false}));
        Graphics(1024, 768, 0, 60, 0);
        Cls();
        scene();
        if (!ReadScreen(shots[way]))
            fail("could not read the screen back");
        Flip(0);
        calls[way] = GetBackend().draw_calls_last_frame();
        EndGraphics();
    }
    size_t differing = 0;
    for (size_t i = 0; i < shots[0].rgba.size(); ++i)
        differing += shots[0].rgba[i] != shots[1].rgba[i];
    if (differing || shots[0].rgba.empty()) {
        std::fprintf(stderr, "%s: %zu bytes differ from the general way\n", what, differing);
        ++failures;
    }
    return {calls[0], calls[1]};
}

const int kModes[] = {kMaskBlend, kSolidBlend, kAlphaBlend, kLightBlend, kShadeBlend};

// Quads that show texels one to one are drawn by a shorter way; the pixels must be those
// of the general way, in every blend mode, with tints and fades, and next to quads that
// are scaled or placed between pixels.
void one_to_one_scene()
{
    TImage* tiles = tiled_image("tiles");
    TImage* opaque = solid_image(200, 40, 90, 255, "opaque");
    SetBlend(kSolidBlend);
    SetColor(90, 140, 60);
    DrawRect(0, 0, 1024, 768);
    for (int m = 0; m < 5; ++m) {
        SetBlend(kModes[m]);
        SetColor(255, 255, 255);
        SetAlpha(1);
        DrawImage(tiles, 10.0f + m * 200, 10, 0);                   // one to one
        SetColor(255, 180, 40);
        SetAlpha(0.6f);
        DrawImage(tiles, 10.0f + m * 200, 280, 0);                  // tinted, faded
        DrawImage(tiles, 60.5f + m * 200, 300.25f, 0);              // between pixels
        SetAlpha(1);
        SetColor(255, 255, 255);
        DrawSubImageRect(tiles, 10.0f + m * 200, 550, 100, 100, 16, 48, 100, 100, 0, 0, 0);  // part
        DrawImage(opaque, 120.0f + m * 200, 560, 0);
        SetAlpha(0.5f);
        DrawImage(opaque, 130.0f + m * 200, 570, 0);               // opaque picture, faded
        SetAlpha(1);
        SetScale(1.5f, 1.5f);
        DrawImage(tiles, 100.0f + m * 200, 600, 0);                 // scaled
        SetScale(1, 1);
    }
    FreeImage(tiles);
    FreeImage(opaque);
}

// A 512 x 256 picture that is empty but for a few soft blots, one of them on its edge.
TImage* sparse_image(const char* name)
{
    Pixmap p;
    p.width = 512, p.height = 256;
    p.rgba.assign(512 * 256 * 4, 0);
    const int blots[][2] = {{40, 40}, {300, 130}, {505, 200}, {200, 250}};
    for (const auto& b : blots) {
        for (int y = std::max(0, b[1] - 12); y < std::min(256, b[1] + 12); ++y) {
            for (int x = std::max(0, b[0] - 12); x < std::min(512, b[0] + 12); ++x) {
                uint8_t* t = &p.rgba[(static_cast<size_t>(y) * 512 + x) * 4];
                const int d = std::abs(x - b[0]) + std::abs(y - b[1]);
                t[0] = static_cast<uint8_t>(x), t[1] = 200, t[2] = static_cast<uint8_t>(y);
                t[3] = static_cast<uint8_t>(std::max(0, 255 - d * 11));
            }
        }
    }
    return CreateImageFromPixmap(std::move(p), kFilteredImage, name);
}

// Big pictures drawn scaled, turned or between pixels are drawn only where their visible
// tiles land; the pixels must be those of drawing them whole.
void sparse_scene()
{
    TImage* back = tiled_image("back");
    TImage* sparse = sparse_image("sparse");
    SetBlend(kSolidBlend);
    for (int y = 0; y < 768; y += 256)
        for (int x = 0; x < 1024; x += 256)
            DrawImage(back, static_cast<float>(x), static_cast<float>(y), 0);
    for (int m = 0; m < 5; ++m) {
        SetBlend(kModes[m]);
        SetColor(255, 255 - m * 30, 255);
        SetAlpha(m == 2 ? 0.7f : 1.0f);
        SetRotation(7.0f + m * 31);
        SetScale(1.3f + m * 0.1f, 1.1f);
        DrawImage(sparse, 300.0f + m * 90, 200.0f + m * 70, 0);
        SetRotation(0);
        SetScale(1, 1);
    }
    // Like the web as it sways: corners a fraction of a pixel off, squeezed a little.
    SetBlend(kAlphaBlend);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawTexturedPolygon(sparse, 0, {{0.3f, 50.2f, 0, 0}, {1024, 50.2f, 1, 0}, {1024, 768, 1, 1}, {0.3f, 768, 0, 1}});
    FreeImage(back);
    FreeImage(sparse);
}

// A frame whose first draws come again unchanged is put back from the pixels they left
// before. Each frame must equal the one drawn in full: with pictures pulsing among those
// draws (one of them drawn in its visible regions), one moving after them, a picture
// freed and made anew with other texels, and a layer moving a little and back.
void backdrop_frames_match()
{
    constexpr int kFrames = 12;
    std::vector<Pixmap> shots[2];
    int reuses = 0;
    for (int way = 0; way < 2; ++way) {
        SetBackend(CreateGLBackend({.backdrop = way == 0}));
        Graphics(1024, 768, 0, 60, 0);
        TImage* back = tiled_image("back");
        TImage* sparse = sparse_image("sparse");
        TImage* sprite = solid_image(200, 40, 90, 255, "sprite");
        for (int f = 0; f < kFrames; ++f) {
            if (f == 7) {
                FreeImage(sprite);
                sprite = solid_image(30, 200, 90, 160, "sprite_anew");
            }
            Cls();
            SetColor(255, 255, 255);
            SetAlpha(1);
            SetBlend(kSolidBlend);
            for (int y = 0; y < 768; y += 256)
                for (int x = 0; x < 1024; x += 256)
                    DrawImage(back, static_cast<float>(x), static_cast<float>(y), 0);
            SetBlend(kLightBlend);
            SetScale(2 + f * 0.1f, 2 + f * 0.1f);
            DrawImage(sprite, 500, 300, 0);
            SetScale(0.5f + f * 0.01f, 0.5f + f * 0.01f);
            DrawImage(sparse, 300, 100, 0);  // big and sparse: drawn in its visible regions
            SetScale(1, 1);
            SetBlend(kAlphaBlend);
            SetColor(255, 200, 120);
            for (int y = 0; y < 768; y += 256)
                for (int x = 0; x < 1024; x += 256)
                    DrawImage(back, static_cast<float>(x + 128), static_cast<float>(y), 0);
            SetColor(255, 255, 255);
            DrawImage(sparse, f == 10 ? 24.0f : 0.0f, 300, 0);
            DrawImage(sprite, 100.0f + f * 37, 600, 0);
            Pixmap shot;
            if (!ReadScreen(shot))
                fail("could not read the screen back");
            shots[way].push_back(std::move(shot));
            Flip(0);
        }
        if (way == 0)
            reuses = GetBackend().backdrop_reuses();
        FreeImage(back);
        FreeImage(sparse);
        FreeImage(sprite);
        EndGraphics();
    }
    for (int f = 0; f < kFrames; ++f) {
        if (shots[0][f].rgba != shots[1][f].rgba || shots[0][f].rgba.empty()) {
            std::fprintf(stderr, "kept backdrop: frame %d differs from the one drawn in full\n", f);
            ++failures;
        }
    }
    // Kept after frame 2's first draws, put back in frames 3-6; the picture made anew at 7
    // and the layer moved at 10 each start the keeping over.
    if (reuses < 4) {
        std::fprintf(stderr, "kept backdrop: put back in %d frames of %d, expected 4 or more\n", reuses, kFrames);
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    draw_both_ways("one-to-one quads", one_to_one_scene);
    const auto [calls_short, calls_whole] = draw_both_ways("sparse pictures", sparse_scene);
    if (calls_short <= calls_whole)
        fail("sparse pictures: drawn whole, not in their visible regions");
    backdrop_frames_match();

    SetBackend(CreateGLBackend());
    Graphics(1024, 768, 0, 60, 0);

    TImage* red_half = solid_image(255, 0, 0, 128, "red_half");     // alpha 0.5
    TImage* red_faint = solid_image(255, 0, 0, 100, "red_faint");   // alpha below 0.5
    TImage* white = solid_image(255, 255, 255, 255, "white");

    Cls();
    SetBlend(kSolidBlend);
    SetColor(100, 100, 100);
    DrawRect(0, 0, 1024, 768);  // grey background
    SetColor(255, 255, 255);

    SetBlend(kMaskBlend);
    DrawImage(red_half, 100, 100, 0);   // alpha >= 0.5: drawn unblended
    DrawImage(red_faint, 200, 100, 0);  // alpha < 0.5: not drawn
    SetBlend(kSolidBlend);
    DrawImage(red_faint, 300, 100, 0);  // drawn as is
    SetBlend(kAlphaBlend);
    DrawImage(red_half, 400, 100, 0);   // half red over grey
    SetBlend(kLightBlend);
    DrawImage(red_half, 500, 100, 0);   // grey + half red
    SetBlend(kShadeBlend);
    SetColor(128, 255, 0);
    DrawImage(white, 600, 100, 0);      // grey x tint
    SetColor(255, 255, 255);
    SetBlend(kAlphaBlend);
    SetAlpha(-1);
    DrawImage(white, 700, 100, 0);      // fully transparent
    SetAlpha(1);
    SetRotation(90);
    SetColor(0, 0, 255);
    DrawRect(120, 300, 40, 10);         // rotated: spans x 110..120, y 300..340
    SetRotation(0);
    SetColor(255, 255, 255);

    Pixmap shot;
    if (!ReadScreen(shot)) {
        std::fprintf(stderr, "could not read the screen back\n");
        return 1;
    }
    Flip(0);

    expect_pixel(shot, 116, 116, 255, 0, 0, "mask, opaque enough");
    expect_pixel(shot, 216, 116, 100, 100, 100, "mask, too transparent");
    expect_pixel(shot, 316, 116, 255, 0, 0, "solid");
    expect_pixel(shot, 416, 116, 178, 50, 50, "alpha");
    expect_pixel(shot, 516, 116, 228, 100, 100, "light");
    expect_pixel(shot, 616, 116, 50, 100, 0, "shade");
    expect_pixel(shot, 716, 116, 100, 100, 100, "transparent");
    expect_pixel(shot, 115, 320, 0, 0, 255, "rotated rect");
    expect_pixel(shot, 125, 320, 100, 100, 100, "beside the rotated rect");

    if (argc > 1)
        SavePng(argv[1], shot);

    // Switching to full screen and back, as the options do, keeps the images' textures.
    Graphics(1024, 768, 32, 60, 0);
    if (!GraphicsFullscreen())
        fail("Graphics with depth 32 did not switch to full screen");
    Graphics(1024, 768, 0, 60, 0);
    if (GraphicsFullscreen())
        fail("Graphics with depth 0 did not switch back to a window");
    Cls();
    SetBlend(kSolidBlend);
    DrawImage(red_faint, 40, 40, 0);
    if (!ReadScreen(shot))
        fail("could not read the screen back after the mode switch");
    else
        expect_pixel(shot, 50, 50, 255, 0, 0, "texture drawn after the mode switch");
    Flip(0);

    // The slot keys follow the number row's place: on a French layout the key left of 2
    // types "&" and still selects slot 1; typed text keeps the layout's character.
    FlushKeys();
    SDL_Event key {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_1;
    key.key.keysym.sym = SDLK_AMPERSAND;
    SDL_PushEvent(&key);
    key.type = SDL_KEYUP;
    SDL_PushEvent(&key);
    SDL_Event text {};
    text.type = SDL_TEXTINPUT;
    std::snprintf(text.text.text, sizeof text.text.text, "&");
    SDL_PushEvent(&text);
    PumpInput();
    if (KeyHit('1') != 1)
        fail("the number row's first key did not count as key 1");
    if (GetChar() != '&')
        fail("typed text did not follow the layout");
    EndGraphics();
    if (failures == 0)
        std::puts("gl smoke test passed");
    return failures == 0 ? 0 : 1;
}
