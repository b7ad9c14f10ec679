// SDL2 + OpenGL backend. Quads are batched: consecutive triangles with the same texture
// and blend mode go out in one draw call.
#include "platform/real/gl_backend.h"

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/backdrop.h"
#include "platform/input.h"
#include "platform/texel_quads.h"

namespace {

constexpr int kLogicalW = 1024;
constexpr int kLogicalH = 768;
constexpr int kTile = 32;  // texels a side of the tiles whose emptiness each texture records
// Scaled or turned pictures this big are drawn only where their visible tiles land, in
// rectangles made of cells this big.
constexpr int64_t kRegionLeastArea = 128 * 128;
constexpr int kRegionCell = 64;
constexpr PixelRect kWholeScreen {0, 0, kLogicalW, kLogicalH};

// The game's key code of a key event. The number row is read by its physical place, so
// the weapon slot keys 1-4 sit on the same keys whatever the layout (on a French layout
// they type & é " '); every other key follows the layout, and typed text always does.
int map_key(const SDL_Keysym& key)
{
    if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9)
        return '1' + (key.scancode - SDL_SCANCODE_1);
    if (key.scancode == SDL_SCANCODE_0)
        return '0';
    const SDL_Keycode k = key.sym;
    if (k >= SDLK_0 && k <= SDLK_9)
        return -1;  // a digit elsewhere than on the number row: not a slot key
    if (k >= SDLK_a && k <= SDLK_z)
        return 'A' + (k - SDLK_a);
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return 112 + (k - SDLK_F1);
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_SPACE: return 32;
    case SDLK_LSHIFT: return 160;
    case SDLK_RSHIFT: return 161;
    case SDLK_LCTRL: return 162;
    case SDLK_RCTRL: return 163;
    case SDLK_LALT: return 164;
    case SDLK_RALT: return 165;
    case SDLK_MINUS: return 189;
    case SDLK_EQUALS: return 187;
    case SDLK_COMMA: return 188;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_DELETE: return 46;
    case SDLK_INSERT: return 45;
    case SDLK_HOME: return 36;
    case SDLK_END: return 35;
    case SDLK_PAGEUP: return 33;
    case SDLK_PAGEDOWN: return 34;
    case SDLK_KP_0: return 96;
    default: break;
    }
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
        return 97 + (k - SDLK_KP_1);
    return -1;
}

class GLBackend final : public Backend, private BackdropCanvas {
public:
    explicit GLBackend(GLShortcuts shortcuts) : shortcuts_(shortcuts) {}
    ~GLBackend() override { close(); }

    bool open(int width, int height, bool fullscreen) override
    {
        if (window_)
            close();
        start_video();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
        if (fullscreen)
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                   flags);
        if (!window_)
            return false;
        context_ = SDL_GL_CreateContext(window_);
        if (!context_) {
            SDL_DestroyWindow(window_);
            window_ = nullptr;
            return false;
        }
        fullscreen_ = fullscreen;
        SDL_SetWindowGrab(window_, fullscreen ? SDL_TRUE : SDL_FALSE);
        apply_swap_interval();
        SDL_ShowCursor(cursor_visible_ ? SDL_ENABLE : SDL_DISABLE);
        SDL_StartTextInput();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        applied_ = {};
        keeper_.forget();
        update_viewport();
        return true;
    }

    void close() override
    {
        if (!window_)
            return;
        for (auto& [id, info] : textures_)
            glDeleteTextures(1, &id);
        textures_.clear();
        if (kept_pixels_)
            glDeleteTextures(1, &kept_pixels_);
        kept_pixels_ = 0;
        keeper_.forget();
        SDL_GL_DeleteContext(context_);
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        context_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool is_open() const override { return window_ != nullptr; }

    void set_title(const std::string& title) override
    {
        title_ = title;
        if (window_)
            SDL_SetWindowTitle(window_, title.c_str());
    }

    void clear() override
    {
        if (!window_)
            return;
        keeper_.settle(*this);
        flush();
        update_viewport();
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        clip_to(kWholeScreen);
        keeper_.begin_frame(shortcuts_.backdrop && one_to_one());
    }

    void finish() override
    {
        if (!window_)
            return;
        keeper_.settle(*this);
        flush();
        glFinish();
    }

    void present() override
    {
        if (!window_)
            return;
        keeper_.settle(*this);
        flush();
        SDL_GL_SwapWindow(window_);
        calls_last_frame_ = calls_;
        calls_ = 0;
        keeper_.end_frame();
    }

    bool paced() const override { return true; }

    void set_fullscreen(bool fullscreen) override
    {
        if (!window_)
            return;
        keeper_.settle(*this);
        keeper_.forget();
        fullscreen_ = fullscreen;
        SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        SDL_SetWindowGrab(window_, fullscreen ? SDL_TRUE : SDL_FALSE);
        apply_swap_interval();
        update_viewport();
    }

    bool fullscreen() const override { return fullscreen_; }
    bool vsync() const override { return vsync_; }

    int refresh_rate() const override { return refresh_rate_; }
    int draw_calls_last_frame() const override { return calls_last_frame_; }
    int backdrop_reuses() const override { return keeper_.reuses(); }

    uint32_t create_texture(const Pixmap& pixels, bool filtered) override
    {
        if (!window_)
            return 0;
        flush();
        GLuint tex = 0;
        glGenTextures(1, &tex);
        glBindTexture(GL_TEXTURE_2D, tex);
        GLint filter = filtered ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.width, pixels.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.rgba.data());
        applied_.texture = tex;
        textures_[tex] = {pixels.width, pixels.height, filtered, filtered, map_tiles(pixels, kTile)};
        return tex;
    }

    void destroy_texture(uint32_t texture) override
    {
        if (!window_ || !texture)
            return;
        keeper_.settle(*this);
        flush();
        // A new picture may get the same name: what was logged of the old one must never
        // match it.
        if (keeper_.uses(texture))
            keeper_.forget();
        GLuint t = texture;
        glDeleteTextures(1, &t);
        textures_.erase(t);
        if (applied_.texture == t)
            applied_.texture = 0;
    }

    void draw_triangles(uint32_t texture, int blend, const Vertex* vertices, int count) override
    {
        if (window_)
            keeper_.draw(*this, texture, blend, vertices, count);
    }

    void draw_now(uint32_t texture, int blend, const Vertex* vertices, int count) override
    {
        if (InvisibleTriangles(blend, vertices, count))
            return;
        auto found = textures_.find(texture);
        if (found != textures_.end() && one_to_one()) {
            const TextureInfo& info = found->second;
            if (shortcuts_.texel_quads) {
                if (auto quad = texel_exact_quad(vertices, count, info.width, info.height)) {
                    draw_texel_quad(texture, info, blend, *quad, vertices[0].rgba);
                    return;
                }
            }
            if (shortcuts_.visible_regions && info.tiles.some_empty && ClearLeavesAlone(blend)) {
                if (auto regions = visible_regions(info.tiles, info.width, info.height, vertices, count, kLogicalW,
                                                   kLogicalH, kRegionCell, kRegionLeastArea)) {
                    draw_in_regions(texture, blend, vertices, count, *regions);
                    return;
                }
            }
        }
        add(texture, blend, false, vertices, count);
    }

    void pump_events() override
    {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
            case SDL_QUIT: PostCloseRequest(); break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE)
                    PostCloseRequest();
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT)) {
                    if (!e.key.repeat)
                        toggle_fullscreen();
                    break;
                }
                if (!e.key.repeat) {
                    int vk = map_key(e.key.keysym);
                    PostKeyEvent(vk, true);
                    if (vk == 160 || vk == 161)
                        PostKeyEvent(16, true);
                }
                if (e.key.keysym.sym == SDLK_BACKSPACE || e.key.keysym.sym == SDLK_RETURN)
                    PostChar(e.key.keysym.sym == SDLK_BACKSPACE ? 8 : 13);
                break;
            case SDL_KEYUP: {
                int vk = map_key(e.key.keysym);
                PostKeyEvent(vk, false);
                if (vk == 160 || vk == 161)
                    PostKeyEvent(16, false);
                break;
            }
            case SDL_TEXTINPUT: post_text(e.text.text); break;
            case SDL_MOUSEMOTION: post_pointer(e.motion.x, e.motion.y); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                int b = e.button.button == SDL_BUTTON_LEFT    ? 1
                        : e.button.button == SDL_BUTTON_RIGHT ? 2
                        : e.button.button == SDL_BUTTON_MIDDLE ? 3
                                                               : 0;
                post_pointer(e.button.x, e.button.y);
                PostMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN);
                break;
            }
            case SDL_MOUSEWHEEL: PostWheel(e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y); break;
            default: break;
            }
        }
    }

    void show_cursor(bool visible) override
    {
        cursor_visible_ = visible;
        if (window_)
            SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }

    void warp_mouse(int x, int y) override
    {
        if (!window_ || !(SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS))
            return;
        int wx = static_cast<int>(x * scale_ + offset_x_);
        int wy = static_cast<int>(y * scale_ + offset_y_);
        SDL_WarpMouseInWindow(window_, wx, wy);
    }

    bool read_screen(Pixmap& out) override
    {
        if (!window_)
            return false;
        keeper_.settle(*this);
        flush();
        std::vector<uint8_t> raw(static_cast<size_t>(view_w_) * view_h_ * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(view_x_, view_y_, view_w_, view_h_, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
        ScreenFromReadBack(raw, {view_x_, view_y_, view_w_, view_h_}, out);
        return true;
    }

    void message_box(const std::string& title, const std::string& text) override
    {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), window_);
    }

private:
    void toggle_fullscreen() { set_fullscreen(!fullscreen_); }

    bool one_to_one() const { return view_w_ == kLogicalW && view_h_ == kLogicalH; }

    // Draws go only inside `r` (screen pixels) from here on.
    void clip_to(const PixelRect& r) override
    {
        flush();
        clip_ = r;
        scissor(r);
    }

    void scissor(const PixelRect& r)
    {
        if (!one_to_one()) {
            glScissor(view_x_, view_y_, view_w_, view_h_);
            return;
        }
        glScissor(view_x_ + r.x0, view_y_ + kLogicalH - r.y1, std::max(0, r.x1 - r.x0), std::max(0, r.y1 - r.y0));
    }

    // The kept backdrop (platform/backdrop.h): the pixels go to a texture of their own.
    void keep_screen() override
    {
        flush();
        if (!kept_pixels_) {
            glGenTextures(1, &kept_pixels_);
            glBindTexture(GL_TEXTURE_2D, kept_pixels_);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kLogicalW, kLogicalH, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        } else {
            glBindTexture(GL_TEXTURE_2D, kept_pixels_);
        }
        applied_.texture = kept_pixels_;
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, view_x_, view_y_, kLogicalW, kLogicalH);
    }

    // The kept pixels one to one over the whole screen, unblended (GL stores the rows
    // bottom up).
    void restore_screen() override
    {
        Vertex quad[6];
        WholeScreenQuad(quad);
        add(kept_pixels_, kSolidBlend, true, quad, 6);
        flush();
    }

    // The triangles drawn whole once inside each rectangle (within the clip), scissored.
    void draw_in_regions(uint32_t texture, int blend, const Vertex* vertices, int count,
                         const std::vector<PixelRect>& regions)
    {
        flush();
        for (const PixelRect& r : regions) {
            const PixelRect part {std::max(r.x0, clip_.x0), std::max(r.y0, clip_.y0), std::min(r.x1, clip_.x1),
                                  std::min(r.y1, clip_.y1)};
            if (part.area() == 0)
                continue;
            scissor(part);
            add(texture, blend, false, vertices, count);
            flush();
        }
        scissor(clip_);
    }

    // Starts SDL's video. When the user named no driver and SDL could only find one that
    // shows nothing (no X, no Wayland), the game would run unseen: refuse instead.
    static void start_video()
    {
        const char* asked = SDL_getenv("SDL_VIDEODRIVER");
        const bool chosen = asked && *asked;
        const char* hint = "run it under xvfb-run -a, with SDL_VIDEODRIVER=offscreen, or with --headless";
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            if (!chosen)
                throw std::runtime_error(std::string("no display to show the game on (") + SDL_GetError() + "); " +
                                         hint);
            throw std::runtime_error(std::string("Unable to start the video system: ") + SDL_GetError());
        }
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if (!chosen && (driver == "offscreen" || driver == "dummy" || driver == "evdev")) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            const char* x = SDL_getenv("DISPLAY");
            const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
            std::string why = "DISPLAY and WAYLAND_DISPLAY are unset";
            if (x && *x)
                why = std::string("the X display ") + x + " cannot be opened";
            else if (wayland && *wayland)
                why = std::string("the Wayland display ") + wayland + " cannot be opened";
            throw std::runtime_error("no display to show the game on (" + why + "); " + hint);
        }
    }

    // Full screen presents on the retrace so frames never tear; when the display runs at
    // the game's rate the retrace alone paces the frames and Flip does not sleep as well
    // (see Flip). A window presents at once and the game's clock paces it: the desktop's
    // compositor already syncs what it shows, and waiting for the retrace after sleeping
    // to the due time would wait twice and miss the due time by up to a refresh. A driver
    // that cannot sync (Xvfb) leaves vsync off and the clock paces full screen too.
    void apply_swap_interval()
    {
        vsync_ = fullscreen_ && SDL_GL_SetSwapInterval(1) == 0;
        if (!vsync_)
            SDL_GL_SetSwapInterval(0);
        SDL_DisplayMode mode {};
        const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
        refresh_rate_ = SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
    }

    void post_pointer(int wx, int wy)
    {
        int x = static_cast<int>((wx - offset_x_) / scale_);
        int y = static_cast<int>((wy - offset_y_) / scale_);
        PostMouseMove(std::clamp(x, 0, kLogicalW - 1), std::clamp(y, 0, kLogicalH - 1));
    }

    // Typed text arrives as UTF-8; the game's characters are 8-bit.
    static void post_text(const char* utf8)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8);
        while (*p) {
            unsigned code = *p;
            int len = code < 0x80 ? 1 : (code >> 5) == 6 ? 2 : (code >> 4) == 14 ? 3 : 4;
            if (len == 2 && p[1])
                code = ((code & 0x1f) << 6) | (p[1] & 0x3f);
            if (code < 256 && code >= 32)
                PostChar(static_cast<int>(code));
            for (int i = 0; i < len && *p; ++i)
                ++p;
        }
    }

    void update_viewport()
    {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window_, &w, &h);
        int ww = 0, wh = 0;
        SDL_GetWindowSize(window_, &ww, &wh);
        const ScreenView view = LetterboxView(w, h);
        view_x_ = view.x, view_y_ = view.y, view_w_ = view.w, view_h_ = view.h;
        const float s = std::min(static_cast<float>(w) / kLogicalW, static_cast<float>(h) / kLogicalH);
        // Pointer mapping works in window coordinates (they differ from pixels on high-DPI).
        float ratio = ww > 0 ? static_cast<float>(ww) / w : 1.0f;
        scale_ = s * ratio;
        offset_x_ = view_x_ * ratio;
        offset_y_ = (h - view_y_ - view_h_) * ratio;
        glViewport(view_x_, view_y_, view_w_, view_h_);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kLogicalW, kLogicalH, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    struct TextureInfo {
        int width = 0, height = 0;
        bool filtered = false;
        bool filtering = false;  // its filter right now (texel-exact quads turn it off)
        TileMap tiles;
    };

    // A quad showing texels one to one at whole pixels gives the same pixels with the
    // nearest texel instead of filtering; without blending when picture and colour are
    // opaque; and without its wholly transparent tiles when the blend mode leaves the
    // screen as it is under a transparent texel (mask, alpha, light). A software
    // rasteriser draws such quads several times faster.
    void draw_texel_quad(uint32_t texture, const TextureInfo& info, int blend, const TexelRect& quad, uint32_t rgba)
    {
        texel_quad_vertices(info.tiles, info.width, info.height, quad, rgba, blend, parts_, quad_vertices_);
        if (!quad_vertices_.empty())
            add(texture, blend, true, quad_vertices_.data(), static_cast<int>(quad_vertices_.size()));
    }

    // Consecutive triangles with the same texture, blend mode and sampling go out in one
    // draw call.
    void add(uint32_t texture, int blend, bool exact, const Vertex* vertices, int count)
    {
        if (texture != batch_texture_ || blend != batch_blend_ || exact != batch_exact_)
            flush();
        batch_texture_ = texture;
        batch_blend_ = blend;
        batch_exact_ = exact;
        for (int i = 0; i < count; ++i)
            batch_white_ = batch_white_ && vertices[i].rgba == 0xffffffffu;
        batch_.insert(batch_.end(), vertices, vertices + count);
    }

    // The GL state a batch needs; what is already set is not set again.
    struct Applied {
        int blend = -1;
        int texturing = -1;
        GLuint texture = 0;
        GLint env = GL_MODULATE;
    };

    void apply_blend(int mode)
    {
        if (mode == applied_.blend)
            return;
        applied_.blend = mode;
        if (mode == kMaskBlend) {
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GEQUAL, 0.5f);
        } else {
            glDisable(GL_ALPHA_TEST);
        }
        switch (mode) {
        case kMaskBlend:
        case kSolidBlend: glDisable(GL_BLEND); break;
        case kAlphaBlend:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case kLightBlend:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case kShadeBlend:
            glEnable(GL_BLEND);
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            break;
        default: break;
        }
    }

    void apply_texture(uint32_t texture, bool exact, bool white)
    {
        const int texturing = texture ? 1 : 0;
        if (texturing != applied_.texturing) {
            applied_.texturing = texturing;
            if (texturing) {
                glEnable(GL_TEXTURE_2D);
                glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            } else {
                glDisable(GL_TEXTURE_2D);
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
        }
        if (!texture)
            return;
        if (applied_.texture != texture) {
            glBindTexture(GL_TEXTURE_2D, texture);
            applied_.texture = texture;
        }
        auto found = textures_.find(texture);
        if (found != textures_.end()) {
            TextureInfo& info = found->second;
            const bool filtering = info.filtered && !exact;
            if (filtering != info.filtering) {
                const GLint filter = filtering ? GL_LINEAR : GL_NEAREST;
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
                info.filtering = filtering;
            }
        }
        // Under white, opaque vertices the texel is the result: no product to take.
        const GLint env = white ? GL_REPLACE : GL_MODULATE;
        if (env != applied_.env) {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, env);
            applied_.env = env;
        }
    }

    void flush()
    {
        if (batch_.empty())
            return;
        apply_blend(batch_blend_);
        apply_texture(batch_texture_, batch_exact_, batch_white_);
        if (batch_texture_)
            glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &batch_[0].u);
        glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &batch_[0].x);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &batch_[0].rgba);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch_.size()));
        ++calls_;
        batch_.clear();
        batch_white_ = true;
    }

    const GLShortcuts shortcuts_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    std::string title_ = "Wingtron";
    bool fullscreen_ = false;
    bool vsync_ = false;  // present() waits for the retrace
    int refresh_rate_ = 0;  // Hz of the window's display, 0 unknown
    bool cursor_visible_ = true;
    int view_x_ = 0, view_y_ = 0, view_w_ = kLogicalW, view_h_ = kLogicalH;
    float scale_ = 1, offset_x_ = 0, offset_y_ = 0;
    std::unordered_map<GLuint, TextureInfo> textures_;
    std::vector<Vertex> batch_;
    uint32_t batch_texture_ = 0;
    int batch_blend_ = kSolidBlend;
    bool batch_exact_ = false;
    bool batch_white_ = true;
    Applied applied_;
    std::vector<TexelRect> parts_;
    std::vector<Vertex> quad_vertices_;
    int calls_ = 0;
    int calls_last_frame_ = 0;
    PixelRect clip_ = kWholeScreen;  // where draws may go (screen pixels)
    BackdropKeeper keeper_;
    GLuint kept_pixels_ = 0;
};

}  // namespace

std::unique_ptr<Backend> CreateGLBackend(GLShortcuts shortcuts) { return std::make_unique<GLBackend>(shortcuts); }
