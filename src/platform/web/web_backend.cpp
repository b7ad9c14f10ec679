// WebGL 1 backend. Quads are batched as on the desktop: consecutive triangles with the
// same texture, blend mode and sampling go out in one draw call, through one small shader
// pair that does what the desktop's fixed pipeline does (texel times vertex colour, the
// mask's alpha test), so a frame comes out with the desktop's pixels.
#include "platform/web/web_backend.h"

#include <GLES2/gl2.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/audio.h"
#include "platform/backdrop.h"
#include "platform/display_pacer.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/texel_quads.h"
#include "platform/web/web_audio.h"

namespace {

constexpr int kLogicalW = 1024;
constexpr int kLogicalH = 768;
constexpr int kTile = 32;  // texels a side of the tiles whose emptiness each texture records
// Scaled or turned pictures this big are drawn only where their visible tiles land, in
// rectangles made of cells this big (as on the desktop).
constexpr int64_t kRegionLeastArea = 128 * 128;
constexpr int kRegionCell = 64;
constexpr PixelRect kWholeScreen {0, 0, kLogicalW, kLogicalH};
constexpr uint32_t kKeptPixels = 0xffffffffu;  // the texture id of the kept backdrop

// The page's side (site/page.js keeps the state these reach).
// clang-format off
EM_JS(int, web_take_events, (int* out, int max), {
    var queue = Module.wt.events, n = 0;
    while (queue.length && n + 4 <= max) {
        var e = queue.shift();
        for (var i = 0; i < 4; ++i) HEAP32[(out >> 2) + n + i] = e[i] | 0;
        n += 4;
    }
    return n;
});
EM_ASYNC_JS(void, web_wait_animation_frame, (), {
    await Module.wt.nextAnimationFrame();
});
EM_JS(double, web_now, (), { return performance.now(); });
EM_JS(void, web_frame_shown, (double work_ms, int calls, int reuses, int shown), {
    Module.wt.frameShown(work_ms, calls, reuses, !!shown);
});
EM_JS(void, web_set_cursor, (int visible), { Module.wt.setCursor(!!visible); });
EM_JS(void, web_set_fullscreen, (int on), { Module.wt.setFullscreen(!!on); });
EM_JS(int, web_is_fullscreen, (), { return Module.wt.isFullscreen() ? 1 : 0; });
EM_JS(void, web_set_title, (const char* title), { Module.wt.setTitle(UTF8ToString(title)); });
EM_JS(void, web_show_error, (const char* title, const char* text), {
    Module.wt.showError(UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, web_graphics_lost, (int lost), { Module.wt.graphicsLost(!!lost); });
EM_JS(void, web_files_changed, (), { Module.wt.filesChanged(); });
EM_JS(void, web_game_ready, (), { Module.wt.gameReady(); });
EM_JS(void, web_game_ended, (int code, const char* error), { Module.wt.gameEnded(code, UTF8ToString(error)); });
// clang-format on

const char* const kVertexShader = R"(
attribute vec2 a_pos;
attribute vec2 a_uv;
attribute vec4 a_colour;
varying vec2 v_uv;
varying vec4 v_colour;
void main() {
    v_uv = a_uv;
    v_colour = a_colour;
    gl_Position = vec4(a_pos.x / 512.0 - 1.0, 1.0 - a_pos.y / 384.0, 0.0, 1.0);
}
)";

// The fragment shader of each kind of batch, built for it alone: a software rasteriser
// runs every line of a shader for every pixel, branches included, so one shader that
// chose by uniforms would cost all its kinds at once.
std::string FragmentShader(bool textured, bool coloured, bool masked)
{
    std::string s = "precision highp float;\nuniform sampler2D u_texture;\nvarying vec2 v_uv;\n"
                    "varying vec4 v_colour;\nvoid main() {\n    vec4 c = ";
    if (textured && coloured)
        s += "v_colour * texture2D(u_texture, v_uv);\n";
    else if (textured)
        s += "texture2D(u_texture, v_uv);\n";  // under white vertices the texel is the result
    else
        s += "v_colour;\n";
    if (masked)
        s += "    if (c.a < 0.5)\n        discard;\n";  // the mask mode's alpha test
    return s + "    gl_FragColor = c;\n}\n";
}

// Web keys arrive already mapped to the game's key codes (site/page.js), so the slot
// keys follow the physical number row there as on the desktop.
enum EventKind { kKey = 1, kChar = 2, kMove = 3, kButton = 4, kWheel = 5, kPause = 6, kClose = 7 };

class WebBackend final : public Backend, private BackdropCanvas {
public:
    ~WebBackend() override { close(); }

    bool open(int, int, bool fullscreen) override
    {
        if (!context_) {
            EmscriptenWebGLContextAttributes attrs;
            emscripten_webgl_init_context_attributes(&attrs);
            attrs.alpha = false;
            attrs.depth = false;
            attrs.stencil = false;
            attrs.antialias = false;
            attrs.premultipliedAlpha = false;
            attrs.preserveDrawingBuffer = false;
            attrs.majorVersion = 1;
            context_ = emscripten_webgl_create_context("#canvas", &attrs);
            if (context_ <= 0) {
                context_ = 0;
                throw std::runtime_error("this browser cannot draw with WebGL, which the game needs");
            }
            emscripten_set_webglcontextlost_callback("#canvas", this, false, on_context_lost);
            emscripten_set_webglcontextrestored_callback("#canvas", this, false, on_context_restored);
        }
        emscripten_webgl_make_context_current(context_);
        set_up_gl();
        if (fullscreen)
            web_set_fullscreen(1);
        open_ = true;
        return true;
    }

    void close() override
    {
        if (!open_)
            return;
        for (auto& [id, t] : textures_)
            glDeleteTextures(1, &t.name);
        textures_.clear();
        if (kept_pixels_)
            glDeleteTextures(1, &kept_pixels_);
        kept_pixels_ = 0;
        keeper_.forget();
        open_ = false;
    }

    bool is_open() const override { return open_; }
    void set_title(const std::string& title) override { web_set_title(title.c_str()); }

    // A frame that begins a whole frame late will be drawn over before the browser shows
    // it (platform/display_pacer.h): its draws are only logged, and drawn after all should
    // anything read the screen or free a picture they use before the frame ends.
    void clear() override
    {
        if (!open_)
            return;
        if (!frame_begun_) {
            frame_begun_ = true;
            unseen_ = pacer_.begin(web_now());
        }
        if (unseen_) {
            unseen_draws_.clear();
            return;
        }
        begin_drawn_frame();
    }

    void finish() override
    {
        if (unseen_)
            return;
        keeper_.settle(*this);
        submit();
    }

    // Shows the frame on the browser's next animation frame, paced to 60 frames a second.
    void present() override
    {
        if (!open_)
            return;
        if (!unseen_) {
            keeper_.settle(*this);
            submit();
            keeper_.end_frame();
        }
        ServiceWebAudio();
        const double work = web_now() - work_start_;
        const bool waits = pacer_.should_wait(web_now(), unseen_);
        if (waits) {
            do
                web_wait_animation_frame();
            while (!pacer_.due(web_now()));
        }
        pacer_.end();
        web_frame_shown(work, calls_, keeper_.reuses(), waits ? 1 : 0);
        calls_last_frame_ = calls_;
        calls_ = 0;
        frame_begun_ = false;
        unseen_ = false;
        unseen_draws_.clear();
        work_start_ = web_now();
    }

    bool paced() const override { return true; }
    void set_fullscreen(bool fullscreen) override { web_set_fullscreen(fullscreen ? 1 : 0); }
    bool fullscreen() const override { return web_is_fullscreen() != 0; }
    // present() keeps the pace itself, so Flip never sleeps.
    bool vsync() const override { return true; }
    int refresh_rate() const override { return 60; }
    int draw_calls_last_frame() const override { return calls_last_frame_; }

    uint32_t create_texture(const Pixmap& pixels, bool filtered) override
    {
        if (!open_)
            return 0;
        submit();
        const uint32_t id = next_id_++;
        Texture& t = textures_[id];
        t.width = pixels.width;
        t.height = pixels.height;
        t.filtered = filtered;
        t.tiles = map_tiles(pixels, kTile);
        t.pixels = pixels;  // kept to upload again should the browser take the context away
        upload(t);
        return id;
    }

    void destroy_texture(uint32_t texture) override
    {
        auto found = textures_.find(texture);
        if (found == textures_.end())
            return;
        if (unseen_draws_.uses(texture))
            draw_unseen_frame();
        keeper_.settle(*this);
        submit();
        // A new picture may get the same name: what was logged of the old one must never
        // match it.
        if (keeper_.uses(texture))
            keeper_.forget();
        if (found->second.name)
            glDeleteTextures(1, &found->second.name);
        if (bound_ == found->second.name)
            bound_ = 0;
        textures_.erase(found);
    }

    void draw_triangles(uint32_t texture, int blend, const Vertex* vertices, int count) override
    {
        if (!open_ || lost_)
            return;
        if (unseen_)
            unseen_draws_.add(texture, blend, vertices, count);
        else
            keeper_.draw(*this, texture, blend, vertices, count);
    }

    int backdrop_reuses() const override { return keeper_.reuses(); }

    void draw_now(uint32_t texture, int blend, const Vertex* vertices, int count) override
    {
        if (InvisibleTriangles(blend, vertices, count))
            return;
        auto found = textures_.find(texture);
        if (found != textures_.end() && one_to_one()) {
            const Texture& t = found->second;
            if (auto quad = texel_exact_quad(vertices, count, t.width, t.height)) {
                texel_quad_vertices(t.tiles, t.width, t.height, *quad, vertices[0].rgba, blend, parts_,
                                    quad_vertices_);
                if (!quad_vertices_.empty())
                    add(texture, blend, true, quad_vertices_.data(), static_cast<int>(quad_vertices_.size()));
                return;
            }
            if (t.tiles.some_empty && ClearLeavesAlone(blend)) {
                if (auto regions = visible_regions(t.tiles, t.width, t.height, vertices, count, kLogicalW, kLogicalH,
                                                   kRegionCell, kRegionLeastArea)) {
                    draw_in_regions(texture, blend, vertices, count, *regions);
                    return;
                }
            }
        }
        add(texture, blend, false, vertices, count);
    }

    void pump_events() override
    {
        int buf[256];
        int n = 0;
        while ((n = web_take_events(buf, 256)) > 0) {
            for (int i = 0; i < n; i += 4)
                post(buf[i], buf[i + 1], buf[i + 2]);
        }
    }

    void show_cursor(bool visible) override { web_set_cursor(visible ? 1 : 0); }
    // A page cannot move the pointer: the game's position changes, the pointer's does not.
    void warp_mouse(int, int) override {}

    bool read_screen(Pixmap& out) override
    {
        if (!open_ || lost_)
            return false;
        draw_unseen_frame();
        keeper_.settle(*this);
        submit();
        std::vector<uint8_t> raw(static_cast<size_t>(view_w_) * view_h_ * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(view_x_, view_y_, view_w_, view_h_, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
        ScreenFromReadBack(raw, {view_x_, view_y_, view_w_, view_h_}, out);
        return true;
    }

    void message_box(const std::string& title, const std::string& text) override
    {
        web_show_error(title.c_str(), text.c_str());
    }

private:
    void begin_drawn_frame()
    {
        keeper_.settle(*this);
        submit();
        update_viewport();
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        clip_to(kWholeScreen);
        keeper_.begin_frame(one_to_one());
    }

    // The frame was to go unseen, but something needs its pixels after all.
    void draw_unseen_frame()
    {
        if (!unseen_)
            return;
        unseen_ = false;
        begin_drawn_frame();
        for (int i = 0; i < unseen_draws_.size(); ++i)
            keeper_.draw(*this, unseen_draws_.texture(i), unseen_draws_.blend(i), unseen_draws_.vertices(i),
                         unseen_draws_.count(i));
        unseen_draws_.clear();
    }

    struct Texture {
        GLuint name = 0;
        int width = 0, height = 0;
        bool filtered = false;
        bool filtering = false;  // its filter right now (texel-exact quads turn it off)
        TileMap tiles;
        Pixmap pixels;
    };

    static EM_BOOL on_context_lost(int, const void*, void* self)
    {
        auto* b = static_cast<WebBackend*>(self);
        b->lost_ = true;
        b->batch_.clear();
        b->commands_.clear();
        b->frame_vertices_.clear();
        b->keeper_.forget();
        b->kept_pixels_ = 0;
        for (auto& [id, t] : b->textures_)
            t.name = 0;  // gone with the context
        web_graphics_lost(1);
        return EM_TRUE;  // keeps the default from happening: the context may come back
    }

    static EM_BOOL on_context_restored(int, const void*, void* self)
    {
        auto* b = static_cast<WebBackend*>(self);
        emscripten_webgl_make_context_current(b->context_);
        b->set_up_gl();
        for (auto& [id, t] : b->textures_)
            b->upload(t);
        b->lost_ = false;
        web_graphics_lost(0);
        return EM_TRUE;
    }

    void post(int kind, int a, int b)
    {
        switch (kind) {
        case kKey:
            PostKeyEvent(a, b != 0);
            if (a == 160 || a == 161)
                PostKeyEvent(16, b != 0);
            break;
        case kChar: PostChar(a); break;
        case kMove: PostMouseMove(std::clamp(a, 0, kLogicalW - 1), std::clamp(b, 0, kLogicalH - 1)); break;
        case kButton: PostMouseButton(a, b != 0); break;
        case kWheel: PostWheel(a); break;
        case kPause: PostPauseRequest(); break;
        case kClose: PostCloseRequest(); break;
        default: break;
        }
    }

    static GLuint compile(GLenum type, const char* source)
    {
        GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        GLint ok = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (!ok) {
            char log[512] = {};
            glGetShaderInfoLog(shader, sizeof log, nullptr, log);
            throw std::runtime_error(std::string("the browser's WebGL cannot build the game's shaders: ") + log);
        }
        return shader;
    }

    void set_up_gl()
    {
        for (GLuint& p : programs_)
            p = 0;  // made when first needed
        used_program_ = -1;
        glGenBuffers(1, &buffer_);
        glBindBuffer(GL_ARRAY_BUFFER, buffer_);
        glEnableVertexAttribArray(0);
        glEnableVertexAttribArray(1);
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(0));
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(8));
        glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(16));
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glActiveTexture(GL_TEXTURE0);
        applied_blend_ = -1;
        bound_ = 0;
        update_viewport();
    }

    // The program of a kind of batch (see FragmentShader), linked when first used.
    void use_program(bool textured, bool coloured, bool masked)
    {
        const int kind = (textured ? 1 : 0) | (coloured ? 2 : 0) | (masked ? 4 : 0);
        if (kind == used_program_)
            return;
        GLuint& program = programs_[kind];
        if (!program) {
            program = glCreateProgram();
            const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
            const GLuint fragment = compile(GL_FRAGMENT_SHADER, FragmentShader(textured, coloured, masked).c_str());
            glAttachShader(program, vertex);
            glAttachShader(program, fragment);
            glBindAttribLocation(program, 0, "a_pos");
            glBindAttribLocation(program, 1, "a_uv");
            glBindAttribLocation(program, 2, "a_colour");
            glLinkProgram(program);
            glDeleteShader(vertex);  // freed with the program
            glDeleteShader(fragment);
            GLint ok = 0;
            glGetProgramiv(program, GL_LINK_STATUS, &ok);
            if (!ok)
                throw std::runtime_error("the browser's WebGL cannot link the game's shaders");
            glUseProgram(program);
            glUniform1i(glGetUniformLocation(program, "u_texture"), 0);
        } else {
            glUseProgram(program);
        }
        used_program_ = kind;
    }

    // The kept backdrop (platform/backdrop.h): the pixels go to a texture of their own.
    void keep_screen() override
    {
        submit();
        if (!kept_pixels_) {
            glGenTextures(1, &kept_pixels_);
            glBindTexture(GL_TEXTURE_2D, kept_pixels_);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kLogicalW, kLogicalH, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        } else {
            glBindTexture(GL_TEXTURE_2D, kept_pixels_);
        }
        bound_ = kept_pixels_;
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, view_x_, view_y_, kLogicalW, kLogicalH);
    }

    // The kept pixels one to one over the whole screen (GL keeps the rows bottom up).
    void restore_screen() override
    {
        Vertex quad[6];
        WholeScreenQuad(quad);
        add(kKeptPixels, kSolidBlend, true, quad, 6);
    }

    void clip_to(const PixelRect& r) override
    {
        clip_ = r;
        scissor(r);
    }

    // The triangles drawn whole once inside each rectangle (within the clip), scissored.
    void draw_in_regions(uint32_t texture, int blend, const Vertex* vertices, int count,
                         const std::vector<PixelRect>& regions)
    {
        for (const PixelRect& r : regions) {
            const PixelRect part {std::max(r.x0, clip_.x0), std::max(r.y0, clip_.y0), std::min(r.x1, clip_.x1),
                                  std::min(r.y1, clip_.y1)};
            if (part.area() == 0)
                continue;
            scissor(part);
            add(texture, blend, false, vertices, count);
        }
        scissor(clip_);
    }

    void scissor(const PixelRect& r)
    {
        submit();
        if (!one_to_one())
            glScissor(view_x_, view_y_, view_w_, view_h_);
        else
            glScissor(view_x_ + r.x0, view_y_ + kLogicalH - r.y1, std::max(0, r.x1 - r.x0), std::max(0, r.y1 - r.y0));
    }

    void upload(Texture& t)
    {
        glGenTextures(1, &t.name);
        glBindTexture(GL_TEXTURE_2D, t.name);
        bound_ = t.name;
        const GLint filter = t.filtered ? GL_LINEAR : GL_NEAREST;
        t.filtering = t.filtered;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, t.pixels.rgba.data());
    }

    bool one_to_one() const { return view_w_ == kLogicalW && view_h_ == kLogicalH; }

    // The 1024 x 768 picture fills the drawing buffer (the page keeps the canvas at 4:3),
    // centred should rounding leave a pixel over.
    void update_viewport()
    {
        int w = 0, h = 0;
        emscripten_webgl_get_drawing_buffer_size(context_, &w, &h);
        const ScreenView view = LetterboxView(w, h);
        view_x_ = view.x, view_y_ = view.y, view_w_ = view.w, view_h_ = view.h;
        glViewport(view_x_, view_y_, view_w_, view_h_);
    }

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

    void apply_blend(int mode)
    {
        if (mode == applied_blend_)
            return;
        applied_blend_ = mode;
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

    // Binds the batch's texture and sampling; false when it draws untextured.
    bool apply_texture(uint32_t texture, bool exact)
    {
        if (texture == kKeptPixels) {
            if (bound_ != kept_pixels_)
                glBindTexture(GL_TEXTURE_2D, bound_ = kept_pixels_);
            return true;
        }
        auto found = textures_.find(texture);
        if (found == textures_.end())
            return false;
        Texture& t = found->second;
        if (bound_ != t.name) {
            glBindTexture(GL_TEXTURE_2D, t.name);
            bound_ = t.name;
        }
        const bool filtering = t.filtered && !exact;
        if (filtering != t.filtering) {
            const GLint filter = filtering ? GL_LINEAR : GL_NEAREST;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
            t.filtering = filtering;
        }
        return true;
    }

    // Ends the batch: it joins the frame's list of draws, which go to the GPU together
    // (submit), with all their vertices in one upload.
    void flush()
    {
        if (batch_.empty())
            return;
        if (!lost_) {
            const auto first = static_cast<int>(frame_vertices_.size());
            frame_vertices_.insert(frame_vertices_.end(), batch_.begin(), batch_.end());
            commands_.push_back(
                {batch_texture_, batch_blend_, batch_exact_, batch_white_, first, static_cast<int>(batch_.size())});
        }
        batch_.clear();
        batch_white_ = true;
    }

    void submit()
    {
        flush();
        if (commands_.empty())
            return;
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(frame_vertices_.size() * sizeof(Vertex)),
                     frame_vertices_.data(), GL_STREAM_DRAW);
        for (const Command& c : commands_) {
            apply_blend(c.blend);
            const bool textured = apply_texture(c.texture, c.exact);
            use_program(textured, !c.white, c.blend == kMaskBlend);
            glDrawArrays(GL_TRIANGLES, c.first, c.count);
            ++calls_;
        }
        commands_.clear();
        frame_vertices_.clear();
    }

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_ = 0;
    bool open_ = false;
    bool lost_ = false;
    GLuint buffer_ = 0;
    GLuint programs_[8] = {};
    int used_program_ = -1;
    int applied_blend_ = -1;
    GLuint bound_ = 0;
    int view_x_ = 0, view_y_ = 0, view_w_ = kLogicalW, view_h_ = kLogicalH;
    std::unordered_map<uint32_t, Texture> textures_;
    uint32_t next_id_ = 1;
    struct Command {
        uint32_t texture;
        int blend;
        bool exact;
        bool white;  // every vertex opaque white: the texel alone is the colour
        int first, count;
    };
    std::vector<Command> commands_;
    BackdropKeeper keeper_;
    GLuint kept_pixels_ = 0;
    PixelRect clip_ = kWholeScreen;  // where draws may go (screen pixels)
    std::vector<Vertex> frame_vertices_;
    std::vector<Vertex> batch_;
    uint32_t batch_texture_ = 0;
    int batch_blend_ = kSolidBlend;
    bool batch_exact_ = false;
    bool batch_white_ = true;
    std::vector<TexelRect> parts_;
    std::vector<Vertex> quad_vertices_;
    int calls_ = 0, calls_last_frame_ = 0;
    DisplayPacer pacer_;
    bool frame_begun_ = false;  // clear() was called since the last present()
    bool unseen_ = false;       // this frame's draws go to unseen_draws_, not to GL
    DrawLog unseen_draws_;
    double work_start_ = 0;
};

}  // namespace

std::unique_ptr<Backend> CreateWebBackend() { return std::make_unique<WebBackend>(); }

void UseWebPlatform()
{
    SetBackend(CreateWebBackend());
    SetAudioDriverFactory(CreateWebAudioDriver);
    SetFilesChangedHook(web_files_changed);
}

void WebGameReady() { web_game_ready(); }

void WebGameEnded(int code, const std::string& error) { web_game_ended(code, error.c_str()); }
