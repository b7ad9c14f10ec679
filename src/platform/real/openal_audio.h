// OpenAL output for the audio layer: decoded sounds become OpenAL buffers, long sounds
// are decoded into a small queue of buffers while they play, mono sounds are panned by
// placing the source around the listener.
#pragma once

#include <memory>

#include "platform/audio.h"

// Opens the default output device; nullptr when there is none (no sound card).
std::unique_ptr<AudioDriver> CreateOpenALAudioDriver();

// A driver that mixes into memory through ALC_SOFT_loopback instead of a device; nullptr
// when the extension is missing. Streams are refilled inside RenderOpenALLoopback.
std::unique_ptr<AudioDriver> CreateOpenALLoopbackDriver(int sample_rate);
// Mixes the next frames of a loopback driver as interleaved stereo floats.
void RenderOpenALLoopback(AudioDriver& driver, float* out, int frames);
