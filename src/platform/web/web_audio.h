// Sound output in the browser: emscripten's OpenAL over Web Audio. Short sounds become
// buffers; long ones are decoded with stb_vorbis into a small queue while they play,
// refilled once a frame (ServiceWebAudio) since the page has no second thread. A voice
// stopped while it sounds fades out in 10 ms instead of cutting off.
#pragma once

#include <memory>

#include "platform/audio.h"

// nullptr when the browser offers no audio output (the game then plays silent).
std::unique_ptr<AudioDriver> CreateWebAudioDriver();
// Refills the queues of the streams playing and ends the fades that are done; the backend
// calls it once a frame.
void ServiceWebAudio();
