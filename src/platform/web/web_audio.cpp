// OpenAL driver of the browser build: the desktop's voices (platform/openal), long sounds
// decoded by stb_vorbis, and a fade that Web Audio ramps itself. Emscripten's OpenAL leaves
// stereo sources unspatialised, so they stay unpanned as on the desktop.
#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "platform/openal/openal_voices.h"
#include "platform/web/stb_vorbis_api.h"

namespace {

constexpr int kStreamFrames = 16384;  // sample frames per queued buffer (~370 ms at 44.1 kHz)

// A long sound decoded piece by piece into its voice's queue.
class StbStream final : public VoiceStream {
public:
    explicit StbStream(const TSound& sound) : channels_(sound.channels), looping_(sound.looping())
    {
        int error = 0;
        vorbis_ = stb_vorbis_open_memory(sound.compressed.data(), static_cast<int>(sound.compressed.size()), &error,
                                         nullptr);
        rate_ = vorbis_ ? static_cast<int>(stb_vorbis_get_info(vorbis_).sample_rate) : 44100;
        at_end_ = !vorbis_;
        pcm_.resize(static_cast<size_t>(kStreamFrames) * channels_);
    }
    ~StbStream() override
    {
        if (vorbis_)
            stb_vorbis_close(vorbis_);
    }
    StbStream(const StbStream&) = delete;
    StbStream& operator=(const StbStream&) = delete;

    bool at_end() const override { return at_end_; }

    bool fill(ALuint buffer) override
    {
        size_t frames = 0;
        bool rewound = false;
        while (!at_end_ && frames < kStreamFrames) {
            const int n = stb_vorbis_get_samples_short_interleaved(
                vorbis_, channels_, pcm_.data() + frames * channels_,
                static_cast<int>((kStreamFrames - frames) * channels_));
            if (n > 0) {
                frames += static_cast<size_t>(n);
                rewound = false;
            } else if (looping_ && !rewound && stb_vorbis_seek_start(vorbis_)) {
                rewound = true;  // a second empty read in a row means the data is broken
            } else {
                at_end_ = true;
            }
        }
        if (frames == 0)
            return false;
        const auto bytes = static_cast<ALsizei>(frames * channels_ * sizeof(int16_t));
        alBufferData(buffer, OpenALFormat(channels_), pcm_.data(), bytes, rate_);
        return true;
    }

private:
    stb_vorbis* vorbis_ = nullptr;
    int channels_;
    bool looping_;
    int rate_ = 44100;
    bool at_end_ = false;
    std::vector<int16_t> pcm_;
};

// Web Audio applies a gain set through OpenAL at once, which clicks; the source's gain node
// is ramped down instead. False when the source is unknown to the page's OpenAL.
EM_JS(int, ramp_source_to_silence, (int source, double seconds), {
    const context = typeof AL !== 'undefined' ? AL.currentCtx : null;
    const src = context ? context.sources[source] : null;
    if (!src)
        return 0;
    const gain = src.gain.gain;
    const now = context.audioCtx.currentTime;
    gain.cancelScheduledValues(now);
    gain.setValueAtTime(gain.value, now);
    gain.linearRampToValueAtTime(0, now + seconds);
    return 1;
});

// Emscripten's OpenAL deletes a source but leaves its Web Audio nodes plugged into the
// mix, one more for every sound freed or faded out; they are unplugged first.
EM_JS(void, unplug_source, (int source), {
    const context = typeof AL !== 'undefined' ? AL.currentCtx : null;
    const src = context ? context.sources[source] : null;
    if (!src)
        return;
    src.gain.disconnect();
    if (src.panner)
        src.panner.disconnect();
});

constexpr double kFadeSeconds = 0.01;

class WebAudioDriver;
WebAudioDriver* g_current = nullptr;

class WebAudioDriver final : public OpenALVoiceDriver {
public:
    WebAudioDriver(ALCdevice* device, ALCcontext* context) : OpenALVoiceDriver(device, context)
    {
        g_current = this;
    }
    ~WebAudioDriver() override { g_current = nullptr; }

    std::string name() const override { return "web-openal"; }

    // Once a frame: the page has no second thread.
    void service()
    {
        std::lock_guard lock(mutex_);
        service_streams();
        end_fades(std::chrono::steady_clock::now());
    }

private:
    std::unique_ptr<VoiceStream> open_stream(const TSound& sound) override
    {
        return std::make_unique<StbStream>(sound);
    }

    void fade_to_silence(ALuint source) override
    {
        if (!ramp_source_to_silence(static_cast<int>(source), kFadeSeconds))
            OpenALVoiceDriver::fade_to_silence(source);
    }

    void free_source(ALuint source) override
    {
        unplug_source(static_cast<int>(source));
        OpenALVoiceDriver::free_source(source);
    }
};

}  // namespace

std::unique_ptr<AudioDriver> CreateWebAudioDriver()
{
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    const char* no_device = "wingtron: this browser offers no sound output; playing without sound\n";
    if (!OpenDefaultOutput(device, context, no_device))
        return nullptr;
    return std::make_unique<WebAudioDriver>(device, context);
}

void ServiceWebAudio()
{
    if (g_current)
        g_current->service();
}
