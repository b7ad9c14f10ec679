// stb_vorbis's declarations only (its code is compiled once, in stb_vorbis.c).
#pragma once

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>
#undef STB_VORBIS_HEADER_ONLY
