// The Forge: writes pictures and sounds into the game folder and keeps thumbnails for the contact sheet.
#include "forge.h"

#include <sys/stat.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "catalogue.h"

namespace forge {

namespace {

const CatalogueEntry* Find(const std::string& name) {
    for (const CatalogueEntry& e : kCatalogue) {
        if (name == e.file) return &e;
    }
    return nullptr;
}

size_t FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

Forge::Forge(std::string game_dir) : dir_(std::move(game_dir)) {
    mkdir(dir_.c_str(), 0755);
    for (const char* sub : {"media", "sounds", "music", "ambient"}) mkdir((dir_ + "/" + sub).c_str(), 0755);
}

Forge::~Forge() {
    for (auto& [n, t] : thumbs_) cairo_surface_destroy(t.surf);
}

void Forge::Picture(const std::string& name, cairo_surface_t* s, Rgba jpeg_background) {
    const CatalogueEntry* e = Find(name);
    if (!e || e->folder != Folder::kMedia) throw std::runtime_error("forge: not a catalogue picture: " + name);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    if (e->cell_w > 0 && (w != e->cell_w * e->frames || h != e->cell_h)) {
        throw std::runtime_error("forge: strip " + name + " has the wrong size");
    }
    std::string path = dir_ + "/media/" + name;
    if (EndsWith(name, ".jpg")) WriteJpeg(s, path, jpeg_background, 92);
    else WritePng(s, path);

    // Thumbnail: long strips are shown at a cell height of at most 90, single pictures within 300 x 230.
    double scale = e->cell_w > 0 ? std::min(1.0, 90.0 / h) : std::min({1.0, 300.0 / w, 230.0 / h});
    int tw = std::max(1, static_cast<int>(w * scale)), th = std::max(1, static_cast<int>(h * scale));
    cairo_surface_t* t = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, tw, th);
    cairo_t* cr = cairo_create(t);
    cairo_scale(cr, scale, scale);
    if (EndsWith(name, ".jpg")) {
        // Show what the game shows: masked JPEGs lose their black, others are opaque.
        if (e->flags != -1) {
            SetColor(cr, jpeg_background);
            cairo_paint(cr);
        }
    }
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(s);

    std::lock_guard<std::mutex> lock(mu_);
    bytes_ += FileSize(path);
    auto old = thumbs_.find(name);
    if (old != thumbs_.end()) cairo_surface_destroy(old->second.surf);
    thumbs_[name] = {t, w, h, scale};
    done_[name] = true;
}

void Forge::Sound(const std::string& name, const std::vector<float>& samples, int channels, int rate) {
    const CatalogueEntry* e = Find(name);
    if (!e || e->folder == Folder::kMedia) throw std::runtime_error("forge: not a catalogue sound: " + name);
    if (e->channels != channels) throw std::runtime_error("forge: wrong channel count for " + name);
    std::string path = dir_ + "/" + FolderName(e->folder) + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("forge: cannot write " + path);

    vorbis_info vi;
    vorbis_info_init(&vi);
    float quality = channels == 2 ? 0.25f : 0.3f;
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
        std::fclose(f);
        throw std::runtime_error("forge: vorbis encoder refused " + name);
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", name.c_str());
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, static_cast<int>(HashName(name) & 0x7fffffff));  // fixed serial: same bytes each run
    ogg_packet h0, h1, h2;
    vorbis_analysis_headerout(&vd, &vc, &h0, &h1, &h2);
    ogg_stream_packetin(&os, &h0);
    ogg_stream_packetin(&os, &h1);
    ogg_stream_packetin(&os, &h2);
    ogg_page og;
    while (ogg_stream_flush(&os, &og) != 0) {
        std::fwrite(og.header, 1, og.header_len, f);
        std::fwrite(og.body, 1, og.body_len, f);
    }
    size_t frames = samples.size() / channels;
    size_t pos = 0;
    bool eos = false;
    while (!eos) {
        size_t n = std::min<size_t>(4096, frames - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i) {
                for (int c = 0; c < channels; ++c) {
                    buf[c][i] = std::clamp(samples[(pos + i) * channels + c], -1.0f, 1.0f);
                }
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &og) != 0) {
                    std::fwrite(og.header, 1, og.header_len, f);
                    std::fwrite(og.body, 1, og.body_len, f);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    std::fclose(f);

    std::lock_guard<std::mutex> lock(mu_);
    bytes_ += FileSize(path);
    done_[name] = true;
}

std::vector<std::string> Forge::Missing() const {
    std::lock_guard<std::mutex> lock(mu_);
    std::vector<std::string> out;
    for (const CatalogueEntry& e : kCatalogue) {
        if (!done_.count(e.file)) out.push_back(e.file);
    }
    return out;
}

void Forge::WriteContactSheet(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mu_);
    const int kWidth = 2400, kPad = 14, kLabel = 16;
    // Flow layout in catalogue order.
    struct Place {
        const CatalogueEntry* e;
        const Thumb* t;
        int x, y;
    };
    std::vector<Place> places;
    int x = kPad, y = kPad, row_h = 0;
    for (const CatalogueEntry& e : kCatalogue) {
        auto it = thumbs_.find(e.file);
        if (it == thumbs_.end()) continue;
        const Thumb& t = it->second;
        int tw = std::max(cairo_image_surface_get_width(t.surf), 150);
        int strip_rows = 1;
        int th = cairo_image_surface_get_height(t.surf);
        if (tw > kWidth - 2 * kPad) {  // wrap very long strips onto several rows
            strip_rows = (tw + kWidth - 2 * kPad - 1) / (kWidth - 2 * kPad);
            tw = kWidth - 2 * kPad;
        }
        int bh = th * strip_rows + (strip_rows - 1) * 6 + kLabel;
        if (x + tw > kWidth - kPad) {
            x = kPad;
            y += row_h + kPad;
            row_h = 0;
        }
        places.push_back({&e, &t, x, y});
        x += tw + kPad;
        row_h = std::max(row_h, bh);
    }
    int height = y + row_h + kPad;
    Canvas sheet(kWidth, height);
    cairo_t* cr = sheet.cr();
    SetColor(cr, Hex(0x2b2f36));
    cairo_paint(cr);
    UseFont(cr, Font::kBody, 11);
    for (const Place& p : places) {
        const Thumb& t = *p.t;
        int tw = cairo_image_surface_get_width(t.surf), th = cairo_image_surface_get_height(t.surf);
        int avail = kWidth - 2 * kPad;
        int rows = tw > avail ? (tw + avail - 1) / avail : 1;
        for (int r = 0; r < rows; ++r) {
            int seg_x = r * avail;
            int seg_w = std::min(avail, tw - seg_x);
            int dy = p.y + r * (th + 6);
            // Checkerboard shows transparency.
            for (int cy = 0; cy < th; cy += 8) {
                for (int cx = 0; cx < seg_w; cx += 8) {
                    bool dark = ((cx / 8) + (cy / 8)) % 2;
                    SetColor(cr, dark ? Hex(0x8a8f98) : Hex(0xa8adb5));
                    cairo_rectangle(cr, p.x + cx, dy + cy, std::min(8, seg_w - cx), std::min(8, th - cy));
                    cairo_fill(cr);
                }
            }
            cairo_save(cr);
            cairo_rectangle(cr, p.x, dy, seg_w, th);
            cairo_clip(cr);
            cairo_set_source_surface(cr, t.surf, p.x - seg_x, dy);
            cairo_paint(cr);
            cairo_restore(cr);
            // Cell outlines of strips.
            if (p.e->cell_w > 0) {
                SetColor(cr, Hex(0xff3b6b, 0.9));
                cairo_set_line_width(cr, 1);
                for (int c = 0; c < p.e->frames; ++c) {
                    double cx0 = c * p.e->cell_w * t.scale - seg_x;
                    double cw = p.e->cell_w * t.scale;
                    if (cx0 + cw < 0 || cx0 > seg_w) continue;
                    cairo_rectangle(cr, p.x + cx0 + 0.5, dy + 0.5, cw - 1, th - 1);
                    cairo_stroke(cr);
                }
            }
        }
        char label[200];
        if (p.e->cell_w > 0) {
            std::snprintf(label, sizeof label, "%s  %dx%d x%d", p.e->file, p.e->cell_w, p.e->cell_h, p.e->frames);
        } else {
            std::snprintf(label, sizeof label, "%s  %dx%d", p.e->file, t.w, t.h);
        }
        SetColor(cr, Hex(0xf0f0f0));
        cairo_move_to(cr, p.x, p.y + rows * (th + 6) - 6 + 12);
        cairo_show_text(cr, label);
    }
    WritePng(sheet.surface(), path);
}

}  // namespace forge
