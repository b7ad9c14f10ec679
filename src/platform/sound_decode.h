// Decoders from a sound file's bytes into a TSound, one pair per build: the desktop's
// (sound_decode.cpp) and the browser's (web/sound_decode_stb.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio.h"

// Sounds whose decoded samples would exceed this stay compressed and are decoded while
// they play (about 12 s of 44.1 kHz stereo).
constexpr size_t kStreamAboveBytes = 2u << 20;

// Ogg Vorbis, mono or stereo: short sounds become 16-bit PCM, long ones keep their bytes
// once their first packet decodes. False when the bytes do not decode.
bool DecodeOggSound(const std::vector<uint8_t>& bytes, TSound& out);
// WAV PCM (8-, 16-, 32-bit or float), mono or stereo, as 16-bit PCM.
bool DecodeWavSound(const std::vector<uint8_t>& bytes, TSound& out);
