// The browser build is single-threaded: nothing is decoded ahead, and every load decodes
// its own file when it is made (the loaders find no preloaded result).
#include "platform/preload.h"

void BeginPreload(std::vector<PreloadFile>) {}
void EndPreload() {}
bool TakePreloadedPicture(const std::string&, bool&, Pixmap&, bool&) { return false; }
bool TakePreloadedSound(const std::string&, TSound*&) { return false; }
