// The browser's sound driver on its own, for run.js: a 433 Hz tone is stopped, cued again and
// freed while it sounds, and the page records the driver's whole mix around each of those.
#include <emscripten.h>

#include <cmath>
#include <numbers>

#include "platform/audio.h"
#include "platform/web/web_audio.h"

// The probe drives the driver without the audio layer, which owns sounds elsewhere.
TSound::~TSound() = default;

namespace {

// Taps the mix of the page's OpenAL before the speakers into window.probe.samples (left side).
EM_JS(void, start_recording, (), {
    const context = AL.currentCtx;
    const tap = context.audioCtx.createScriptProcessor(1024, 2, 2);
    window.probe.rate = context.audioCtx.sampleRate;
    tap.onaudioprocess = (e) => {
        const left = e.inputBuffer.getChannelData(0);
        for (let i = 0; i < left.length; ++i)
            window.probe.samples.push(left[i]);
    };
    context.gain.connect(tap);
    tap.connect(context.audioCtx.destination);
    window.probe.tap = tap;
});
// Where in the recording the next stop is asked for.
EM_JS(void, mark_stop, (), { window.probe.stops.push(window.probe.samples.length); });
EM_JS(void, finish, (), { window.probe.done = true; });
EM_JS(void, count_plugged, (), { window.probe.plugged.push(window.probe.countPlugged()); });

void wait_frames(int frames)
{
    for (int i = 0; i < frames; ++i) {
        emscripten_sleep(16);
        ServiceWebAudio();
    }
}

}  // namespace

int main()
{
    auto driver = CreateWebAudioDriver();
    if (!driver)
        return 1;
    TSound tone;
    tone.flags = kLoopingSound;
    tone.frames = 44100;
    for (int i = 0; i < tone.frames; ++i)
        tone.pcm.push_back(static_cast<int16_t>(20000 * std::sin(2 * std::numbers::pi * 433 * i / 44100.0)));
    driver->load(tone);
    start_recording();
    count_plugged();
    for (int how = 0; how < 3; ++how) {
        const int voice = driver->create_voice();
        driver->cue(voice, tone, 1, 0, 1);
        driver->resume(voice);
        wait_frames(25 + how);
        mark_stop();
        if (how == 0)
            driver->stop(voice);
        else if (how == 1)
            driver->cue(voice, tone, 1, 0, 1);
        driver->destroy_voice(voice);
        wait_frames(20);
    }
    count_plugged();
    finish();
    driver.reset();
    return 0;
}
