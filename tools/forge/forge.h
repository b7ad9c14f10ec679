// The asset forge: makes every picture, sound and music file of the catalogue from source.
// Each art or sound module hands its finished files to the Forge, which writes them and checks their shape.
#pragma once

#include <cairo.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "canvas.h"

namespace forge {

class Forge {
public:
    explicit Forge(std::string game_dir);
    ~Forge();

    // Writes a picture into media/ in the format its name says (.png/.PNG or .jpg) and keeps a thumbnail
    // for the contact sheet. Takes ownership of `s`. JPEGs are flattened over `jpeg_background`.
    void Picture(const std::string& name, cairo_surface_t* s, Rgba jpeg_background = Hex(0x000000));
    // Encodes interleaved float samples (-1..1) as Ogg Vorbis into the catalogue's folder for `name`.
    void Sound(const std::string& name, const std::vector<float>& samples, int channels, int rate);

    // Names of catalogue files that were not produced (empty when the forge is complete).
    std::vector<std::string> Missing() const;
    void WriteContactSheet(const std::string& path) const;
    size_t BytesWritten() const { return bytes_; }

private:
    struct Thumb {
        cairo_surface_t* surf;  // scaled copy
        int w, h;               // original size
        double scale;
    };
    std::string dir_;
    mutable std::mutex mu_;
    std::map<std::string, Thumb> thumbs_;
    std::map<std::string, bool> done_;
    size_t bytes_ = 0;
};

// Art modules (each writes its group of pictures).
void ForgeScenery(Forge& f);
void ForgeCreatures(Forge& f);
void ForgeRobot(Forge& f);
void ForgeEffects(Forge& f);
void ForgeHud(Forge& f);
void ForgeMenus(Forge& f);
void ForgeTexts(Forge& f);
void ForgeLogo(Forge& f);
// The launcher icon installed with the game (not a catalogue picture).
void ForgeIcon(const std::string& path);
// Sound modules.
void ForgeSoundEffects(Forge& f);
void ForgeMusic(Forge& f, int part);  // part 0, 1 or 2: the music comes in three parts

}  // namespace forge
