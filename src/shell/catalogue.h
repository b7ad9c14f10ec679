// The asset catalogue: every picture and sound start-up loads, in loading order, grouped
// as the loading bar advances, with each file's folder, flags, cells and handle.
#pragma once

#include <string>
#include <vector>

struct TImage;
struct TSound;

enum AssetAnchor { kTopLeft = 0, kMid = 1 };

struct CatalogueEntry {
    const char* folder = "media";   // "media", "sounds", "music" or "ambient"
    const char* file = "";          // exact file name, case included
    TImage** image = nullptr;       // the global a picture goes into
    TSound** sound = nullptr;       // the global a sound goes into
    int flags = 2;                  // image flags (-1 default) or sound flags (1 looping)
    int cell_w = 0, cell_h = 0;     // animation strips: cell size in pixels, else 0
    int frames = 0;                 // animation strips: cells cut, else 0
    AssetAnchor anchor = kTopLeft;  // kMid: loaded with automatic mid-handling on
    bool has_handle = false;        // an explicit handle set right after loading
    float handle_x = 0, handle_y = 0;

    CatalogueEntry handle(float x, float y) const
    {
        CatalogueEntry e = *this;
        e.has_handle = true;
        e.handle_x = x;
        e.handle_y = y;
        return e;
    }
    // Game path, e.g. ".\media\fly.png".
    std::string path() const { return std::string(".\\") + folder + "\\" + file; }
};

struct LoadGroup {
    int units;  // loading-bar units (percent) this group adds
    std::vector<CatalogueEntry> entries;
};

// The 87 groups in loading order (102 units in all).
const std::vector<LoadGroup>& catalogue_groups();
