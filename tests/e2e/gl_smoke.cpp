// Real-backend smoke test: opens the SDL/OpenGL window, draws known quads in each blend
// mode over a grey background and checks the pixels of the read-back frame.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace

int main(int argc, char** argv)
{
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
