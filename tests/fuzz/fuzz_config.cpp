// config.dat with arbitrary contents: start-up reads it or falls back to the defaults, and
// the volumes always end up within 0..1.
#include <cstdint>

#include "fuzz_support.h"
#include "persist/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_folder();
    put_file("config.dat", data, size);
    LoadConfig();
    FUZZ_CHECK(music_volume >= 0.0f && music_volume <= 1.0f);
    FUZZ_CHECK(sound_volume >= 0.0f && sound_volume <= 1.0f);
    FUZZ_CHECK(FileSize(".\\profiles\\config.dat") >= 12);
    return 0;
}
