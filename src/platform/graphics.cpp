// Render state, images and the drawing arithmetic shared by both backends. Draw calls
// are turned into screen-space quads here; backends only rasterise them.
#include "platform/graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "platform/backend.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/frame_pacer.h"
#include "platform/input.h"
#include "platform/preload.h"

namespace {

RenderState g_state;
int g_auto_flags = kMaskedImage | kFilteredImage;
int g_mask_r = 0, g_mask_g = 0, g_mask_b = 0;
bool g_auto_mid_handle = false;
std::unique_ptr<Backend> g_backend;
bool g_graphics_open = false;
int g_open_width = 0, g_open_height = 0;
int64_t g_frame_count = 0;

// Frame pacing of Flip(-1).
FramePacer g_pacer;

int next_pow2_int(int n)
{
    int p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

uint32_t pack_color()
{
    auto a = static_cast<uint32_t>(static_cast<int>(g_state.color_alpha * 255.0f));
    return static_cast<uint32_t>(g_state.color_red) | (static_cast<uint32_t>(g_state.color_green) << 8) |
           (static_cast<uint32_t>(g_state.color_blue) << 16) | (a << 24);
}

// Places a shape point through the matrix at (tx, ty).
inline void place(float px, float py, float tx, float ty, float& ox, float& oy)
{
    ox = px * g_state.tform_ix + py * g_state.tform_iy + tx;
    oy = px * g_state.tform_jx + py * g_state.tform_jy + ty;
}

// Builds and uploads the image's texture: a single frame sits at the top-left of a
// power-of-two texture whose spare area repeats the frame's last row and column; several
// frames sit in a grid of cells, each with a one-pixel border repeating its edges.
uint32_t ensure_texture(TImage* image)
{
    if (image->texture)
        return image->texture;
    const int n = static_cast<int>(image->pixmaps.size());
    const int w = image->width, h = image->height;
    const int border = n > 1 ? 1 : 0;
    const int pitch_x = w + 2 * border, pitch_y = h + 2 * border;
    int cols = 1;
    if (n > 1) {
        cols = static_cast<int>(std::lround(std::sqrt(static_cast<double>(n) * pitch_y / pitch_x)));
        cols = std::clamp(cols, 1, n);
    }
    const int rows = (n + cols - 1) / cols;
    Pixmap atlas;
    atlas.width = next_pow2_int(cols * pitch_x);
    atlas.height = next_pow2_int(rows * pitch_y);
    atlas.rgba.assign(static_cast<size_t>(atlas.width) * atlas.height * 4, 0);
    image->cells.clear();
    for (int f = 0; f < n; ++f) {
        const Pixmap& src = image->pixmaps[static_cast<size_t>(f)];
        const int ox = (f % cols) * pitch_x + border, oy = (f / cols) * pitch_y + border;
        image->cells.push_back({ox, oy});
        // Cell plus its border (or, for a single frame, the whole spare area).
        const int x_end = n > 1 ? ox + w + 1 : atlas.width;
        const int y_end = n > 1 ? oy + h + 1 : atlas.height;
        for (int y = oy - border; y < y_end; ++y) {
            const int sy = std::clamp(y - oy, 0, h - 1);
            for (int x = ox - border; x < x_end; ++x) {
                const int sx = std::clamp(x - ox, 0, w - 1);
                std::memcpy(&atlas.rgba[(static_cast<size_t>(y) * atlas.width + x) * 4],
                            &src.rgba[(static_cast<size_t>(sy) * w + sx) * 4], 4);
            }
        }
    }
    image->atlas_w = atlas.width;
    image->atlas_h = atlas.height;
    image->texture = g_backend ? g_backend->create_texture(atlas, (image->flags & kFilteredImage) != 0) : 0;
    return image->texture;
}

// Texture coordinates of a rectangle of frame pixels.
void frame_uv(TImage* image, int frame, float sx, float sy, float sw, float sh, float& u0, float& v0, float& u1,
              float& v1)
{
    ensure_texture(image);
    auto [cx, cy] = image->cells[static_cast<size_t>(frame)];
    const float aw = static_cast<float>(image->atlas_w), ah = static_cast<float>(image->atlas_h);
    u0 = (cx + sx) / aw;
    v0 = (cy + sy) / ah;
    u1 = (cx + sx + sw) / aw;
    v1 = (cy + sy + sh) / ah;
}

// Emits one quad: corners in shape space (before the matrix) and texture corners.
void emit_quad(TImage* image, int frame, const char* op, float x0, float y0, float x1, float y1, float tx,
               float ty, float u0, float v0, float u1, float v1)
{
    Vertex q[4];
    place(x0, y0, tx, ty, q[0].x, q[0].y);
    place(x1, y0, tx, ty, q[1].x, q[1].y);
    place(x1, y1, tx, ty, q[2].x, q[2].y);
    place(x0, y1, tx, ty, q[3].x, q[3].y);
    q[0].u = u0, q[0].v = v0;
    q[1].u = u1, q[1].v = v0;
    q[2].u = u1, q[2].v = v1;
    q[3].u = u0, q[3].v = v1;
    uint32_t rgba = pack_color();
    for (Vertex& v : q)
        v.rgba = rgba;

    if (DrawTraceActive())
        TraceQuad(op, image ? image->source : std::string(), frame, q, g_state);

    if (!g_backend)
        return;
    uint32_t tex = image ? image->texture : 0;
    Vertex tri[6] = {q[0], q[1], q[2], q[0], q[2], q[3]};
    g_backend->draw_triangles(tex, g_state.blend_mode, tri, 6);
}

void recompute_matrix()
{
    double r = g_state.tform_rot * M_PI / 180.0;
    float c = static_cast<float>(std::cos(r));
    float s = static_cast<float>(std::sin(r));
    g_state.tform_ix = c * g_state.tform_scale_x;
    g_state.tform_iy = -s * g_state.tform_scale_y;
    g_state.tform_jx = s * g_state.tform_scale_x;
    g_state.tform_jy = c * g_state.tform_scale_y;
}

TImage* make_image(const std::string& source, Pixmap pixels, bool has_alpha, int cell_w, int cell_h, int first,
                   int count, int flags)
{
    if (flags == -1)
        flags = g_auto_flags;
    if ((flags & kMaskedImage) && !has_alpha)
        ApplyMask(pixels, g_mask_r, g_mask_g, g_mask_b);

    auto* image = new TImage();
    image->source = source;
    image->flags = flags;
    image->mask_r = g_mask_r, image->mask_g = g_mask_g, image->mask_b = g_mask_b;
    image->width = cell_w;
    image->height = cell_h;
    int across = pixels.width / cell_w;
    for (int i = first; i < first + count; ++i) {
        int cx = (i % across) * cell_w;
        int cy = (i / across) * cell_h;
        Pixmap cell;
        cell.width = cell_w;
        cell.height = cell_h;
        cell.rgba.resize(static_cast<size_t>(cell_w) * cell_h * 4);
        for (int row = 0; row < cell_h; ++row) {
            std::memcpy(&cell.rgba[static_cast<size_t>(row) * cell_w * 4],
                        &pixels.rgba[(static_cast<size_t>(cy + row) * pixels.width + cx) * 4],
                        static_cast<size_t>(cell_w) * 4);
        }
        image->pixmaps.push_back(std::move(cell));
    }
    if (g_auto_mid_handle)
        MidHandleImage(image);
    return image;
}

// The decoded picture, from the preload when it holds the file, else from the file.
bool read_picture(const std::string& source, Pixmap& pixels, bool& has_alpha)
{
    bool ok = false;
    if (TakePreloadedPicture(source, ok, pixels, has_alpha))
        return ok;
    std::vector<uint8_t> bytes;
    return LoadBytes(source, bytes) && DecodePicture(bytes, pixels, has_alpha);
}

std::string base_name(const std::string& path)
{
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

TImage::~TImage()
{
    if (g_backend && texture)
        g_backend->destroy_texture(texture);
}

// A new backend has no display open yet, whatever the one before had.
void SetBackend(std::unique_ptr<Backend> backend)
{
    g_backend = std::move(backend);
    g_graphics_open = g_backend && g_backend->is_open();
}
Backend& GetBackend() { return *g_backend; }
bool HasBackend() { return g_backend != nullptr; }
const RenderState& CurrentRenderState() { return g_state; }
int64_t FrameCount() { return g_frame_count; }

void Graphics(int width, int height, int depth, int hz, int /*flags*/)
{
    g_state = RenderState();
    recompute_matrix();
    bool fullscreen = depth > 0;
    if (g_backend && g_graphics_open && g_backend->is_open() && width == g_open_width && height == g_open_height) {
        // Reopening the display at the same size switches the mode in place: every
        // texture the game holds stays valid.
        g_backend->set_fullscreen(fullscreen);
    } else if (g_backend && !g_backend->open(width, height, fullscreen)) {
        throw std::runtime_error("Unable to open the " + std::to_string(width) + " x " + std::to_string(height) +
                                 " display");
    }
    g_graphics_open = true;
    g_open_width = width, g_open_height = height;
    g_pacer.start(hz, MilliSecs());
    if (fullscreen)
        MoveMouse(width / 2, height / 2);
}

void EndGraphics()
{
    if (g_backend)
        g_backend->close();
    g_graphics_open = false;
}

int GraphicsOpen() { return g_graphics_open ? 1 : 0; }
int GraphicsFullscreen() { return g_graphics_open && g_backend && g_backend->fullscreen() ? 1 : 0; }

void AppTitle(const std::string& title)
{
    if (g_backend)
        g_backend->set_title(title);
}

void Cls()
{
    if (DrawTraceActive())
        TraceClear();
    if (g_backend)
        g_backend->clear();
}

void Flip(int sync)
{
    FrameHook(g_frame_count);  // dumps and traces of this frame, before it is shown
    if (g_backend)
        g_backend->finish();  // the drawing is done before the wait, so only showing it is left
    if (sync == -1) {
        const int64_t due = g_pacer.next_due(MilliSecs());
        // Full screen with the retrace at the game's rate: present() itself waits.
        const bool retrace_paces =
            g_backend && g_backend->vsync() && g_backend->refresh_rate() == g_pacer.hz();
        if (g_backend && g_backend->paced() && !retrace_paces) {
            FramePacer::wait_until(
                due, [] { return static_cast<int64_t>(MilliSecs()); },
                [](int ms) { ms > 0 ? Delay(ms) : std::this_thread::yield(); });
        }
    }
    if (g_backend)
        g_backend->present();
    ++g_frame_count;
    AdvanceVirtualClock(1000.0 / 60.0);
    PresentedHook(g_frame_count);
    PumpInput();
}

int AppTerminate()
{
    // Events enter only once a frame, before its first query, so a recorded run replays
    // with every event at the same point of the same frame.
    if (!InputPumpedThisFrame())
        PumpInput();
    return TakeCloseRequest();
}

void HideMouse()
{
    if (g_backend)
        g_backend->show_cursor(false);
}

void ShowMouse()
{
    if (g_backend)
        g_backend->show_cursor(true);
}

void SetColor(int r, int g, int b)
{
    g_state.color_red = std::clamp(r, 0, 255);
    g_state.color_green = std::clamp(g, 0, 255);
    g_state.color_blue = std::clamp(b, 0, 255);
}

void SetAlpha(float alpha) { g_state.color_alpha = std::clamp(alpha, 0.0f, 1.0f); }

void SetBlend(int mode)
{
    if (mode >= kMaskBlend && mode <= kShadeBlend)
        g_state.blend_mode = mode;
}

void SetRotation(float degrees)
{
    g_state.tform_rot = degrees;
    recompute_matrix();
}

void SetScale(float sx, float sy)
{
    g_state.tform_scale_x = sx;
    g_state.tform_scale_y = sy;
    recompute_matrix();
}

void SetOrigin(float x, float y) { g_state.origin_x = x, g_state.origin_y = y; }
void SetHandle(float x, float y) { g_state.handle_x = x, g_state.handle_y = y; }

void GetColor(int& r, int& g, int& b)
{
    r = g_state.color_red;
    g = g_state.color_green;
    b = g_state.color_blue;
}

void GetOrigin(float& x, float& y) { x = g_state.origin_x, y = g_state.origin_y; }
void GetHandle(float& x, float& y) { x = g_state.handle_x, y = g_state.handle_y; }
float GetAlpha() { return g_state.color_alpha; }
int GetBlend() { return g_state.blend_mode; }

void ApplyMask(Pixmap& px, int mask_r, int mask_g, int mask_b)
{
    const int w = px.width, h = px.height;
    std::vector<uint8_t> is_mask(static_cast<size_t>(w) * h);
    for (int i = 0; i < w * h; ++i) {
        const uint8_t* p = &px.rgba[static_cast<size_t>(i) * 4];
        is_mask[static_cast<size_t>(i)] = p[0] == mask_r && p[1] == mask_g && p[2] == mask_b;
    }
    std::vector<uint8_t> out = px.rgba;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            size_t i = static_cast<size_t>(y) * w + x;
            uint8_t* o = &out[i * 4];
            if (!is_mask[i]) {
                o[3] = 255;
                continue;
            }
            int sr = 0, sg = 0, sb = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    size_t j = static_cast<size_t>(ny) * w + nx;
                    if (is_mask[j])
                        continue;
                    sr += px.rgba[j * 4], sg += px.rgba[j * 4 + 1], sb += px.rgba[j * 4 + 2];
                    ++n;
                }
            }
            o[0] = static_cast<uint8_t>(n ? sr / n : 0);
            o[1] = static_cast<uint8_t>(n ? sg / n : 0);
            o[2] = static_cast<uint8_t>(n ? sb / n : 0);
            o[3] = 0;
        }
    }
    px.rgba = std::move(out);
}

TImage* LoadImage(const std::string& source, int flags)
{
    Pixmap pixels;
    bool has_alpha = false;
    if (!read_picture(source, pixels, has_alpha) || pixels.width <= 0 || pixels.height <= 0)
        return nullptr;
    int w = pixels.width, h = pixels.height;
    return make_image(base_name(source), std::move(pixels), has_alpha, w, h, 0, 1, flags);
}

TImage* LoadAnimImage(const std::string& source, int cell_width, int cell_height, int first, int count, int flags)
{
    if (cell_width <= 0 || cell_height <= 0 || first < 0 || count <= 0)
        return nullptr;
    Pixmap pixels;
    bool has_alpha = false;
    if (!read_picture(source, pixels, has_alpha))
        return nullptr;
    int cells = (pixels.width / cell_width) * (pixels.height / cell_height);
    if (cells < first + count)
        return nullptr;
    return make_image(base_name(source), std::move(pixels), has_alpha, cell_width, cell_height, first, count,
                      flags);
}

TImage* CreateImageFromPixmap(Pixmap pixels, int flags, const std::string& name)
{
    int w = pixels.width, h = pixels.height;
    return make_image(name, std::move(pixels), true, w, h, 0, 1, flags);
}

void FreeImage(TImage* image) { delete image; }
void AutoMidHandle(int enable) { g_auto_mid_handle = enable != 0; }

void MidHandleImage(TImage* image)
{
    if (!image)
        return;
    image->handle_x = image->width * 0.5f;
    image->handle_y = image->height * 0.5f;
}

void SetImageHandle(TImage* image, float x, float y)
{
    if (!image)
        return;
    image->handle_x = x;
    image->handle_y = y;
}

int ImageWidth(const TImage* image) { return image ? image->width : 0; }
int ImageHeight(const TImage* image) { return image ? image->height : 0; }
void AutoImageFlags(int flags) { g_auto_flags = flags; }
void SetMaskColor(int r, int g, int b) { g_mask_r = r, g_mask_g = g, g_mask_b = b; }

void DrawImage(TImage* image, float x, float y, int frame)
{
    if (!image || frame < 0 || frame >= static_cast<int>(image->pixmaps.size()))
        return;
    float x0 = -image->handle_x, y0 = -image->handle_y;
    float u0, v0, u1, v1;
    frame_uv(image, frame, 0, 0, static_cast<float>(image->width), static_cast<float>(image->height), u0, v0, u1, v1);
    emit_quad(image, frame, "image", x0, y0, x0 + image->width, y0 + image->height, x + g_state.origin_x,
              y + g_state.origin_y, u0, v0, u1, v1);
}

void DrawSubImageRect(TImage* image, float x, float y, float w, float h, float sx, float sy, float sw, float sh,
                      float hx, float hy, int frame)
{
    if (!image || frame < 0 || frame >= static_cast<int>(image->pixmaps.size()) || sw == 0 || sh == 0)
        return;
    float x0 = -hx * w / sw, y0 = -hy * h / sh;
    float u0, v0, u1, v1;
    frame_uv(image, frame, sx, sy, sw, sh, u0, v0, u1, v1);
    emit_quad(image, frame, "subimage", x0, y0, x0 + w, y0 + h, x + g_state.origin_x, y + g_state.origin_y, u0, v0,
              u1, v1);
}

void DrawRect(float x, float y, float w, float h)
{
    float x0 = -g_state.handle_x, y0 = -g_state.handle_y;
    emit_quad(nullptr, 0, "rect", x0, y0, x0 + w, y0 + h, x + g_state.origin_x, y + g_state.origin_y, 0, 0, 0, 0);
}

void DrawTexturedPolygon(TImage* image, int frame, const std::vector<PolyVertex>& corners)
{
    if (!image || corners.size() < 3 || frame < 0 || frame >= static_cast<int>(image->pixmaps.size()))
        return;
    uint32_t rgba = pack_color();
    // Corners come in the texture space of a frame padded to powers of two; map them
    // into the frame's cell.
    const float pw = static_cast<float>(next_pow2_int(image->width));
    const float ph = static_cast<float>(next_pow2_int(image->height));
    float u0, v0, u1, v1;
    frame_uv(image, frame, 0, 0, pw, ph, u0, v0, u1, v1);
    std::vector<Vertex> tris;
    tris.reserve((corners.size() - 2) * 3);
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        for (size_t k : {size_t{0}, i, i + 1}) {
            const PolyVertex& c = corners[k];
            tris.push_back({c.x, c.y, u0 + c.u * (u1 - u0), v0 + c.v * (v1 - v0), rgba});
        }
    }
    if (DrawTraceActive())
        TracePoly(image->source, frame, corners, g_state);
    if (g_backend)
        g_backend->draw_triangles(image->texture, g_state.blend_mode, tris.data(),
                                  static_cast<int>(tris.size()));
}

bool ReadScreen(Pixmap& out) { return g_backend && g_backend->read_screen(out); }

void ShowErrorBox(const std::string& title, const std::string& message)
{
    if (g_backend && g_graphics_open)
        g_backend->message_box(title, message);
}
