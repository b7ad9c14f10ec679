// Window and 2D drawing: one 1024 x 768 logical screen, a global render state (colour,
// alpha, blend, rotation/scale matrix, origin, handle) and multi-frame images drawn as
// textured quads. The same operations run on the OpenGL backend or the headless one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Image flags.
constexpr int kMaskedImage = 1;
constexpr int kFilteredImage = 2;
constexpr int kMipmappedImage = 4;

// Blend modes of SetBlend.
constexpr int kMaskBlend = 1;   // no blending, alpha test >= 0.5
constexpr int kSolidBlend = 2;  // no blending
constexpr int kAlphaBlend = 3;
constexpr int kLightBlend = 4;  // additive
constexpr int kShadeBlend = 5;  // multiply

// One frame's pixels, RGBA, row-major, width x height.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

struct TImage {
    int width = 0;   // one frame, pixels
    int height = 0;
    int flags = 0;
    int mask_r = 0, mask_g = 0, mask_b = 0;
    float handle_x = 0, handle_y = 0;  // frame pixels placed at the drawing position
    std::string source;                // file name it was loaded from (for traces)
    std::vector<Pixmap> pixmaps;       // one per frame
    // All frames share one backend texture, made when the image is first drawn: frame
    // cells in a grid with a one-pixel border repeating their edges, so that consecutive
    // draws of one strip batch together and filtering never bleeds between frames.
    uint32_t texture = 0;
    int atlas_w = 0, atlas_h = 0;
    std::vector<std::pair<int, int>> cells;  // top-left of each frame in the texture
    ~TImage();
};

// The global render state.
struct RenderState {
    int color_red = 255, color_green = 255, color_blue = 255;
    float color_alpha = 1;
    int blend_mode = kSolidBlend;
    float tform_rot = 0, tform_scale_x = 1, tform_scale_y = 1;
    float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
    float origin_x = 0, origin_y = 0;
    float handle_x = 0, handle_y = 0;
};
const RenderState& CurrentRenderState();

// Graphics.
// Opens the display; called again at the same size while open, it switches between window
// (depth 0) and full screen (depth > 0) in place, keeping every image's texture.
void Graphics(int width, int height, int depth, int hz, int flags);
void EndGraphics();
int GraphicsOpen();
// 1 while the display is full screen (also after Alt+Enter switched it).
int GraphicsFullscreen();
void AppTitle(const std::string& title);
void Cls();
void Flip(int sync);
int AppTerminate();
void HideMouse();
void ShowMouse();

// Render state.
void SetColor(int r, int g, int b);
void SetAlpha(float alpha);
void SetBlend(int mode);
void SetRotation(float degrees);
void SetScale(float sx, float sy);
void SetOrigin(float x, float y);
void SetHandle(float x, float y);
void GetColor(int& r, int& g, int& b);
void GetOrigin(float& x, float& y);
void GetHandle(float& x, float& y);
float GetAlpha();
int GetBlend();

// Images. Loaders return nullptr when the file cannot be read or decoded.
TImage* LoadImage(const std::string& source, int flags);
TImage* LoadAnimImage(const std::string& source, int cell_width, int cell_height, int first, int count,
                      int flags);
// Builds an image from pixels already in memory (tests, generated pictures).
TImage* CreateImageFromPixmap(Pixmap pixels, int flags, const std::string& name);
void FreeImage(TImage* image);
void AutoMidHandle(int enable);
void MidHandleImage(TImage* image);
void SetImageHandle(TImage* image, float x, float y);
int ImageWidth(const TImage* image);
int ImageHeight(const TImage* image);
void AutoImageFlags(int flags);
void SetMaskColor(int r, int g, int b);
// Decodes a PNG or JPEG held in memory; false when it is neither or broken.
bool DecodePicture(const std::vector<uint8_t>& bytes, Pixmap& out, bool& has_alpha);
// Applies the mask colour to a picture without alpha (mask pixels become transparent and
// take the average colour of their non-mask 3 x 3 neighbours).
void ApplyMask(Pixmap& pixels, int mask_r, int mask_g, int mask_b);

// Drawing.
void DrawImage(TImage* image, float x, float y, int frame);
void DrawSubImageRect(TImage* image, float x, float y, float w, float h, float sx, float sy, float sw,
                      float sh, float hx, float hy, int frame);
void DrawRect(float x, float y, float w, float h);
void DrawText(const std::string& text, float x, float y);
// A convex polygon filled with a frame of an image: per corner screen x, y (already placed)
// and texture u, v in texture space.
struct PolyVertex {
    float x, y, u, v;
};
void DrawTexturedPolygon(TImage* image, int frame, const std::vector<PolyVertex>& corners);

// Frames presented since the graphics opened (every Flip counts).
int64_t FrameCount();

// Capture of one presented frame as a 1024 x 768 RGBA picture (real backend only).
bool ReadScreen(Pixmap& out);
bool SavePng(const std::string& host_path, const Pixmap& pixels);
// Shows a message box when a window is open; otherwise does nothing.
void ShowErrorBox(const std::string& title, const std::string& message);
