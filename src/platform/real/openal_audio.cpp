// OpenAL Soft driver. A background thread refills the buffer queues of streamed sounds
// and ends fades every few milliseconds; the loopback variant does both while rendering.
#include "platform/real/openal_audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/ogg_memory.h"
#include "platform/openal/openal_voices.h"

namespace {

constexpr int kStreamFrames = 8192;  // sample frames per queued buffer (~190 ms at 44.1 kHz)
// OpenAL Soft ramps a fading voice's gain over the next period it mixes: on a device that
// period has passed long before the voice's kFadeOutTime; the loopback mixes in slices this
// short while a fade is pending and ends the fades after each (~6 ms at 44.1 kHz).
constexpr int kFadeOutFrames = 256;

// A streamed sound decoded by libvorbisfile.
class OggStream final : public VoiceStream {
public:
    explicit OggStream(const TSound& sound)
        : reader_{sound.compressed.data(), sound.compressed.size()}, channels_(sound.channels),
          looping_(sound.looping())
    {
        open_ = ov_open_callbacks(&reader_, &vf_, nullptr, 0, kOggMemoryCallbacks) == 0;
        at_end_ = !open_;
        scratch_.resize(static_cast<size_t>(kStreamFrames) * channels_ * 2);
    }
    ~OggStream() override
    {
        if (open_)
            ov_clear(&vf_);
    }
    OggStream(const OggStream&) = delete;
    OggStream& operator=(const OggStream&) = delete;

    bool at_end() const override { return at_end_; }

    bool fill(ALuint buffer) override
    {
        if (at_end_)
            return false;
        const size_t bytes = decode();
        if (bytes == 0)
            return false;
        alBufferData(buffer, OpenALFormat(channels_), scratch_.data(), static_cast<ALsizei>(bytes),
                     static_cast<ALsizei>(vf_.vi ? vf_.vi->rate : 44100));
        return true;
    }

private:
    // Decodes up to one buffer's worth; returns the bytes written (0 at the end).
    size_t decode()
    {
        size_t filled = 0;
        bool rewound = false;
        while (open_ && filled < scratch_.size()) {
            int section = 0;
            long n = ov_read(&vf_, scratch_.data() + filled, static_cast<int>(scratch_.size() - filled), 0, 2,
                             1, &section);
            if (n == OV_HOLE)
                continue;
            if (n <= 0) {
                if (looping_ && !rewound && ov_pcm_seek(&vf_, 0) == 0) {
                    rewound = true;  // a second empty read in a row means the data is broken
                    continue;
                }
                at_end_ = true;
                break;
            }
            rewound = false;
            filled += static_cast<size_t>(n);
        }
        return filled;
    }

    OggMemoryReader reader_;
    OggVorbis_File vf_{};
    int channels_;
    bool looping_;
    bool open_ = false;
    bool at_end_ = false;
    std::vector<char> scratch_;
};

class OpenALDriver final : public OpenALVoiceDriver {
public:
    OpenALDriver(ALCdevice* device, ALCcontext* context, bool loopback)
        : OpenALVoiceDriver(device, context), loopback_(loopback)
    {
        if (!loopback_)
            streamer_ = std::thread([this] { stream_loop(); });
    }

    ~OpenALDriver() override
    {
        quit_ = true;
        if (streamer_.joinable())
            streamer_.join();
    }

    std::string name() const override { return loopback_ ? "openal-loopback" : "openal"; }

    void render(float* out, int frames)
    {
        std::lock_guard lock(mutex_);
        // Refill in slices no longer than a queued buffer so streams never starve.
        while (frames > 0) {
            int n = std::min(frames, fading() ? kFadeOutFrames : kStreamFrames / 2);
            service_streams();
            alcRenderSamplesSOFT_(device_, out, n);
            out += static_cast<size_t>(n) * 2;
            frames -= n;
            end_fades(std::chrono::steady_clock::time_point::max());  // their ramp is mixed
        }
        service_streams();
    }

    LPALCRENDERSAMPLESSOFT alcRenderSamplesSOFT_ = nullptr;

private:
    std::unique_ptr<VoiceStream> open_stream(const TSound& sound) override
    {
        return std::make_unique<OggStream>(sound);
    }

    void stream_loop()
    {
        while (!quit_) {
            {
                std::lock_guard lock(mutex_);
                service_streams();
                end_fades(std::chrono::steady_clock::now());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
    }

    bool loopback_;
    std::atomic<bool> quit_{false};
    std::thread streamer_;
};

}  // namespace

namespace {

// ALSA's library reports every failed probe of a missing card on stderr; the game falls
// back to silence then, so those lines only alarm the player.
void quiet_alsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<AudioDriver> CreateOpenALAudioDriver()
{
    // A machine without a sound card is expected to fall back to silence; keep the
    // libraries' error lines about it off the console unless asked for (OpenAL Soft
    // loads the same ALSA library, so its handler covers OpenAL's probes too).
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    snd_lib_error_set_handler(quiet_alsa);
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    if (!OpenDefaultOutput(device, context, "wingtron: no sound output found; playing without sound\n"))
        return nullptr;
    return std::make_unique<OpenALDriver>(device, context, false);
}

std::unique_ptr<AudioDriver> CreateOpenALLoopbackDriver(int sample_rate)
{
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"))
        return nullptr;
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto render =
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!open || !render)
        return nullptr;
    ALCdevice* device = open(nullptr);
    if (!device)
        return nullptr;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT,
                            ALC_STEREO_SOFT,
                            ALC_FORMAT_TYPE_SOFT,
                            ALC_FLOAT_SOFT,
                            ALC_FREQUENCY,
                            sample_rate,
                            0};
    ALCcontext* context = OpenCurrentContext(device, attrs);
    if (!context)
        return nullptr;
    auto driver = std::make_unique<OpenALDriver>(device, context, true);
    driver->alcRenderSamplesSOFT_ = render;
    return driver;
}

void RenderOpenALLoopback(AudioDriver& driver, float* out, int frames)
{
    static_cast<OpenALDriver&>(driver).render(out, frames);
}
