/* stb_vorbis compiled once for the browser build; other files include it header-only. */
#if defined(__clang__)
#pragma clang diagnostic ignored "-Weverything"
#endif
#include <stb/stb_vorbis.h>
