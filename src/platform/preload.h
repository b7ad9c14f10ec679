// Decoding ahead: files that are about to be loaded in a known order are read and decoded
// on worker threads, so start-up uses every core while it shows its progress. The loads
// themselves (LoadImage, LoadAnimImage, LoadSound) still run in order on the caller's
// thread and take the decoded result; whatever depends on call order (image flags, mask
// colour, handles, sound flags, the audio device) happens there as before.
#pragma once

#include <string>
#include <vector>

struct Pixmap;
struct TSound;

enum class PreloadKind { kPicture, kSound };

struct PreloadFile {
    std::string path;  // game path as the load will give it
    PreloadKind kind;
};

// Starts decoding the files, in order. A path may appear more than once (a file loaded
// twice is decoded twice). Replaces any preload still running.
void BeginPreload(std::vector<PreloadFile> files);
// Waits for the workers and drops every result that was not taken.
void EndPreload();

// For the loaders: the result of the first untaken preload of this path, waiting for it
// if need be. False when the path is not (or no longer) preloaded.
bool TakePreloadedPicture(const std::string& path, bool& ok, Pixmap& pixels, bool& has_alpha);
// The sound comes with flags 0 and is not yet known to the audio driver; nullptr when
// the file could not be read or decoded.
bool TakePreloadedSound(const std::string& path, TSound*& sound);
