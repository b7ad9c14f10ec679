// Drawing toolkit of the asset forge (see canvas.h).
#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace forge {

Rgba Hex(uint32_t rgb, double a) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, a};
}

Rgba Mix(Rgba x, Rgba y, double t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Rgba Shade(Rgba c, double f) {
    if (f <= 1) return {c.r * f, c.g * f, c.b * f, c.a};
    double t = std::min(1.0, f - 1);
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t, c.a};
}

void SetColor(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }
void SetColor(cairo_t* cr, Rgba c, double alpha_scale) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a * alpha_scale); }

Rng::Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {
    if (s_ == 0) s_ = 1;
    for (int i = 0; i < 4; ++i) Next();
}

uint64_t Rng::Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
}

double Rng::Uniform() { return (Next() >> 11) * (1.0 / 9007199254740992.0); }
double Rng::Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
int Rng::Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }

uint64_t HashName(const std::string& s) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
    surf_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr_ = cairo_create(surf_);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surf_) cairo_surface_destroy(surf_);
}

cairo_surface_t* Canvas::Release() {
    cairo_surface_flush(surf_);
    cairo_surface_t* s = surf_;
    cairo_destroy(cr_);
    cr_ = nullptr;
    surf_ = nullptr;
    return s;
}

namespace {

// One box pass over `n` values spaced by `stride`, radius r, using tmp as scratch.
void BoxLine(uint8_t* p, int n, int stride, int r, std::vector<int>& tmp) {
    tmp.resize(n);
    for (int i = 0; i < n; ++i) tmp[i] = p[i * stride];
    int win = 2 * r + 1;
    int sum = 0;
    for (int i = -r; i <= r; ++i) sum += tmp[std::clamp(i, 0, n - 1)];
    for (int i = 0; i < n; ++i) {
        p[i * stride] = static_cast<uint8_t>((sum + win / 2) / win);
        int add = std::min(i + r + 1, n - 1);
        int sub = std::max(i - r, 0);
        sum += tmp[add] - tmp[sub];
    }
}

}  // namespace

void Blur(cairo_surface_t* s, double radius) {
    if (radius < 0.5) return;
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    uint8_t* data = cairo_image_surface_get_data(s);
    int bpp = cairo_image_surface_get_format(s) == CAIRO_FORMAT_A8 ? 1 : 4;
    // Three box passes of radius r approximate a gaussian with sigma ~ radius / 2.
    int r = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    std::vector<int> tmp;
    for (int pass = 0; pass < 3; ++pass) {
        for (int c = 0; c < bpp; ++c) {
            for (int y = 0; y < h; ++y) BoxLine(data + y * stride + c, w, bpp, r, tmp);
            for (int x = 0; x < w; ++x) BoxLine(data + x * bpp + c, h, stride, r, tmp);
        }
    }
    cairo_surface_mark_dirty(s);
}

static cairo_surface_t* ShapeMask(cairo_t* cr, const std::function<void(cairo_t*)>& shape) {
    cairo_surface_t* target = cairo_get_target(cr);
    int w = cairo_image_surface_get_width(target), h = cairo_image_surface_get_height(target);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* m = cairo_create(mask);
    cairo_matrix_t mat;
    cairo_get_matrix(cr, &mat);
    cairo_set_matrix(m, &mat);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    shape(m);
    cairo_fill(m);
    cairo_destroy(m);
    return mask;
}

void SoftShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double blur, double dx, double dy,
                Rgba color) {
    cairo_surface_t* mask = ShapeMask(cr, shape);
    Blur(mask, blur);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, color);
    cairo_mask_surface(cr, mask, dx, dy);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

void SoftGlow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double blur, Rgba color, int passes) {
    cairo_surface_t* mask = ShapeMask(cr, shape);
    Blur(mask, blur);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, color);
    for (int i = 0; i < passes; ++i) cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void Star(cairo_t* cr, double cx, double cy, double r_out, double r_in, int points, double rot_deg) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        double a = (rot_deg - 90) * M_PI / 180 + i * M_PI / points;
        double r = (i % 2 == 0) ? r_out : r_in;
        double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        if (i == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgba inner, Rgba outer) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, inner.a);
    cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outer.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba c0, Rgba c1) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, c0.r, c0.g, c0.b, c0.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c1.r, c1.g, c1.b, c1.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

void FillLinear3(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba c0, Rgba c1, Rgba c2) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, c0.r, c0.g, c0.b, c0.a);
    cairo_pattern_add_color_stop_rgba(p, 0.5, c1.r, c1.g, c1.b, c1.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c2.r, c2.g, c2.b, c2.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

// ---- fonts ----

namespace {

struct FontSet {
    FT_Library lib = nullptr;
    std::map<Font, std::pair<FT_Face, cairo_font_face_t*>> faces;
};

FontSet& Fonts() {
    static FontSet set;
    return set;
}

const char* FontFile(Font f) {
    switch (f) {
        case Font::kDisplay: return "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
        case Font::kDisplayRegular: return "/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf";
        case Font::kBody: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case Font::kBodyBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case Font::kBodyCondensedBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
    }
    return "";
}

cairo_font_face_t* Face(Font f) {
    FontSet& set = Fonts();
    auto it = set.faces.find(f);
    if (it != set.faces.end()) return it->second.second;
    if (!set.lib && FT_Init_FreeType(&set.lib) != 0) throw std::runtime_error("forge: FreeType did not start");
    FT_Face face = nullptr;
    if (FT_New_Face(set.lib, FontFile(f), 0, &face) != 0) {
        throw std::runtime_error(std::string("forge: cannot open font file ") + FontFile(f) +
                                 " (run scripts/setup.sh)");
    }
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
    set.faces[f] = {face, cf};
    return cf;
}

}  // namespace

void UseFont(cairo_t* cr, Font f, double size) {
    cairo_set_font_face(cr, Face(f));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void TextPath(cairo_t* cr, const std::string& text, double x, double y, Align align) {
    double w = TextWidth(cr, text);
    double sx = align == Align::kLeft ? x : align == Align::kCenter ? x - w / 2 : x - w;
    cairo_move_to(cr, sx, y);
    cairo_text_path(cr, text.c_str());
}

void Label(cairo_t* cr, const std::string& text, double cx, double cy, const LabelStyle& st) {
    UseFont(cr, st.font, st.size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, "Hx", &te);
    // Centre on the cap height so labels of mixed case sit alike.
    double baseline = cy - (te.y_bearing / 2);
    auto path = [&](cairo_t* c) {
        UseFont(c, st.font, st.size);
        TextPath(c, text, cx, baseline, Align::kCenter);
        if (st.outline_w > 0) {
            cairo_set_line_width(c, st.outline_w);
            cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
            // Widen the fill path by its stroke for the shadow: approximate with the fill itself.
        }
    };
    if (st.glow.a > 0) SoftGlow(cr, path, st.glow_blur, st.glow, 2);
    if (st.shadow_alpha > 0) SoftShadow(cr, path, st.size * 0.12 + 2, -st.size * 0.06, st.size * 0.09, Hex(0x1a0d05, st.shadow_alpha));
    cairo_save(cr);
    UseFont(cr, st.font, st.size);
    cairo_new_path(cr);
    TextPath(cr, text, cx, baseline, Align::kCenter);
    if (st.outline_w > 0) {
        cairo_set_line_width(cr, st.outline_w);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColor(cr, st.outline);
        cairo_stroke_preserve(cr);
    }
    SetColor(cr, st.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

double FitSize(cairo_t* cr, Font f, const std::string& text, double max_w, double max_size) {
    double size = max_size;
    while (size > 6) {
        UseFont(cr, f, size);
        if (TextWidth(cr, text) <= max_w) break;
        size -= 0.5;
    }
    return size;
}

std::vector<std::string> Wrap(cairo_t* cr, Font f, double size, const std::string& text, double max_w) {
    UseFont(cr, f, size);
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string word, line;
    while (in >> word) {
        std::string trial = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, trial) > max_w) {
            lines.push_back(line);
            line = word;
        } else {
            line = trial;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void CloseFonts() {
    FontSet& set = Fonts();
    for (auto& [f, pr] : set.faces) {
        cairo_font_face_destroy(pr.second);
        FT_Done_Face(pr.first);
    }
    set.faces.clear();
    if (set.lib) FT_Done_FreeType(set.lib);
    set.lib = nullptr;
}

cairo_surface_t* MakeStrip(int cw, int ch, int frames, const std::function<void(cairo_t*, int)>& draw) {
    Canvas c(cw * frames, ch);
    for (int f = 0; f < frames; ++f) {
        cairo_save(c.cr());
        cairo_rectangle(c.cr(), f * cw, 0, cw, ch);
        cairo_clip(c.cr());
        cairo_translate(c.cr(), f * cw, 0);
        draw(c.cr(), f);
        cairo_restore(c.cr());
    }
    return c.Release();
}

// ---- writers ----

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};

// Unpremultiplied RGBA rows of an ARGB32 surface.
std::vector<uint8_t> ToRgba(cairo_surface_t* s) {
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const uint8_t* data = cairo_image_surface_get_data(s);
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        uint8_t* o = out.data() + static_cast<size_t>(y) * w * 4;
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            uint32_t a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (a > 0 && a < 255) {
                r = std::min(255u, (r * 255 + a / 2) / a);
                g = std::min(255u, (g * 255 + a / 2) / a);
                b = std::min(255u, (b * 255 + a / 2) / a);
            }
            if (a == 0) r = g = b = 0;
            o[x * 4 + 0] = static_cast<uint8_t>(r);
            o[x * 4 + 1] = static_cast<uint8_t>(g);
            o[x * 4 + 2] = static_cast<uint8_t>(b);
            o[x * 4 + 3] = static_cast<uint8_t>(a);
        }
    }
    return out;
}

}  // namespace

void WritePng(cairo_surface_t* s, const std::string& path) {
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    std::vector<uint8_t> rgba = ToRgba(s);
    std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f) throw std::runtime_error("forge: cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("forge: PNG encoding failed for " + path);
    }
    png_init_io(png, f.get());
    png_set_compression_level(png, 5);
    png_set_filter(png, 0, PNG_FILTER_SUB | PNG_FILTER_UP | PNG_FILTER_PAETH);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, rgba.data() + static_cast<size_t>(y) * w * 4);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
}

void WriteJpeg(cairo_surface_t* s, const std::string& path, Rgba background, int quality) {
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    std::vector<uint8_t> rgba = ToRgba(s);
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        double a = rgba[i * 4 + 3] / 255.0;
        double bg[3] = {background.r * 255, background.g * 255, background.b * 255};
        for (int c = 0; c < 3; ++c) {
            rgb[i * 3 + c] = static_cast<uint8_t>(std::lround(rgba[i * 4 + c] * a + bg[c] * (1 - a)));
        }
    }
    std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f) throw std::runtime_error("forge: cannot write " + path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f.get());
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // Full-resolution chroma keeps coloured text edges clean.
    cinfo.comp_info[0].h_samp_factor = 1;
    cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(cinfo.next_scanline) * w * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

}  // namespace forge
