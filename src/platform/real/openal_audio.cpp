// OpenAL Soft driver. A background thread refills the buffer queues of streamed sounds
// every few milliseconds; the loopback variant refills them while rendering instead.
#include "platform/real/openal_audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_set>
#include <vector>

#include "platform/ogg_memory.h"

namespace {

constexpr int kStreamBuffers = 4;
constexpr int kStreamFrames = 8192;  // sample frames per queued buffer (~190 ms at 44.1 kHz)
// A sound cut off mid-wave clicks. OpenAL Soft ramps a gain change over the next period
// it mixes, so a voice stopped while it sounds is set to gain 0 and only stopped once that
// period has surely been mixed: on a device after this long, in the loopback after the
// next slice, which is kept this short while a fade is pending (~6 ms at 44.1 kHz).
constexpr auto kFadeOutTime = std::chrono::milliseconds(100);
constexpr int kFadeOutFrames = 256;


ALenum format_of(int channels)
{
    return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

// A streamed sound being decoded into a voice's buffer queue.
struct Stream {
    OggMemoryReader reader{nullptr, 0};
    OggVorbis_File vf{};
    bool open = false;
    bool looping = false;
    bool at_end = false;  // every sample has been queued
    std::vector<char> scratch;

    bool start(const TSound& sound)
    {
        close();
        reader = OggMemoryReader{sound.compressed.data(), sound.compressed.size()};
        open = ov_open_callbacks(&reader, &vf, nullptr, 0, kOggMemoryCallbacks) == 0;
        looping = sound.looping();
        at_end = !open;
        scratch.resize(static_cast<size_t>(kStreamFrames) * sound.channels * 2);
        return open;
    }
    void close()
    {
        if (open)
            ov_clear(&vf);
        open = false;
    }
    // Decodes up to one buffer's worth; returns the bytes written (0 at the end).
    size_t decode()
    {
        size_t filled = 0;
        bool rewound = false;
        while (open && filled < scratch.size()) {
            int section = 0;
            long n = ov_read(&vf, scratch.data() + filled, static_cast<int>(scratch.size() - filled), 0, 2, 1,
                             &section);
            if (n == OV_HOLE)
                continue;
            if (n <= 0) {
                if (looping && !rewound && ov_pcm_seek(&vf, 0) == 0) {
                    rewound = true;  // a second empty read in a row means the data is broken
                    continue;
                }
                at_end = true;
                break;
            }
            rewound = false;
            filled += static_cast<size_t>(n);
        }
        return filled;
    }
    ~Stream() { close(); }
};

class OpenALDriver final : public AudioDriver {
public:
    OpenALDriver(ALCdevice* device, ALCcontext* context, bool loopback)
        : device_(device), context_(context), loopback_(loopback)
    {
        alcMakeContextCurrent(context_);
        direct_channels_ = alIsExtensionPresent("AL_SOFT_direct_channels");
        alDistanceModel(AL_NONE);  // pan positions must not attenuate
        if (!loopback_)
            streamer_ = std::thread([this] { stream_loop(); });
    }

    ~OpenALDriver() override
    {
        quit_ = true;
        if (streamer_.joinable())
            streamer_.join();
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < voices_.size(); ++i) {
            if (voices_[i].used)
                release_voice(static_cast<int>(i));
        }
        for (Fading& f : fading_)
            delete_source(f.voice);
        for (TSound* s : loaded_) {
            alDeleteBuffers(1, &s->driver_buffer);
            s->driver_buffer = 0;
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        alcCloseDevice(device_);
    }

    std::string name() const override { return loopback_ ? "openal-loopback" : "openal"; }

    void load(TSound& sound) override
    {
        std::lock_guard lock(mutex_);
        if (sound.driver_buffer || sound.pcm.empty())
            return;
        ALuint buffer = 0;
        alGetError();
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR)
            return;
        alBufferData(buffer, format_of(sound.channels), sound.pcm.data(),
                     static_cast<ALsizei>(sound.pcm.size() * sizeof(int16_t)), sound.sample_rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            return;
        }
        sound.driver_buffer = buffer;
        loaded_.insert(&sound);
    }

    void unload(TSound& sound) override
    {
        std::lock_guard lock(mutex_);
        if (!loaded_.erase(&sound))
            return;
        std::erase_if(fading_, [&](Fading& f) {  // a buffer still playing cannot be deleted
            ALint buffer = 0;
            alGetSourcei(f.voice.source, AL_BUFFER, &buffer);
            if (static_cast<ALuint>(buffer) != sound.driver_buffer)
                return false;
            delete_source(f.voice);
            return true;
        });
        alDeleteBuffers(1, &sound.driver_buffer);
        sound.driver_buffer = 0;
    }

    int create_voice() override
    {
        std::lock_guard lock(mutex_);
        const ALuint source = new_source();
        if (!source)
            return -1;  // out of sources: the channel stays silent
        size_t slot = 0;
        while (slot < voices_.size() && voices_[slot].used)
            ++slot;
        if (slot == voices_.size())
            voices_.emplace_back();
        Voice& v = voices_[slot];
        v = Voice{};
        v.used = true;
        v.source = source;
        return static_cast<int>(slot);
    }

    void destroy_voice(int voice) override
    {
        std::lock_guard lock(mutex_);
        if (valid(voice))
            release_voice(voice);
    }

    void cue(int voice, TSound& sound, float gain, float pan, float rate) override
    {
        std::lock_guard lock(mutex_);
        if (!valid(voice))
            return;
        Voice& v = voices_[voice];
        if (!hand_over_to_fade(v, true))
            reset_source(v);
        v.channels = sound.channels;
        v.state = kPaused;
        if (sound.streamed()) {
            v.stream = std::make_unique<Stream>();
            alSourcei(v.source, AL_LOOPING, AL_FALSE);
            if (v.stream->start(sound)) {
                alGenBuffers(kStreamBuffers, v.buffers);
                for (ALuint b : v.buffers)
                    fill_and_queue(v, b);
            }
        } else if (sound.driver_buffer) {
            alSourcei(v.source, AL_BUFFER, static_cast<ALint>(sound.driver_buffer));
            alSourcei(v.source, AL_LOOPING, sound.looping() ? AL_TRUE : AL_FALSE);
        }
        if (direct_channels_)
            alSourcei(v.source, AL_DIRECT_CHANNELS_SOFT, sound.channels == 2 ? AL_TRUE : AL_FALSE);
        alSourcef(v.source, AL_GAIN, gain);
        alSourcef(v.source, AL_PITCH, rate);
        place(v, pan);
    }

    void resume(int voice) override
    {
        std::lock_guard lock(mutex_);
        if (!valid(voice) || voices_[voice].state != kPaused)
            return;
        voices_[voice].state = kPlaying;
        alSourcePlay(voices_[voice].source);
    }

    void pause(int voice) override
    {
        std::lock_guard lock(mutex_);
        if (!valid(voice) || !update_state(voices_[voice]))
            return;
        voices_[voice].state = kPaused;
        alSourcePause(voices_[voice].source);
    }

    void stop(int voice) override
    {
        std::lock_guard lock(mutex_);
        if (!valid(voice))
            return;
        if (!hand_over_to_fade(voices_[voice], true))
            alSourceStop(voices_[voice].source);
        voices_[voice].state = kStopped;
    }

    void set_gain(int voice, float gain) override
    {
        std::lock_guard lock(mutex_);
        if (valid(voice))
            alSourcef(voices_[voice].source, AL_GAIN, gain);
    }

    void set_pan(int voice, float pan) override
    {
        std::lock_guard lock(mutex_);
        if (valid(voice))
            place(voices_[voice], pan);
    }

    void set_rate(int voice, float rate) override
    {
        std::lock_guard lock(mutex_);
        if (valid(voice))
            alSourcef(voices_[voice].source, AL_PITCH, rate);
    }

    bool playing(int voice) override
    {
        std::lock_guard lock(mutex_);
        return valid(voice) && update_state(voices_[voice]);
    }

    void render(float* out, int frames)
    {
        std::lock_guard lock(mutex_);
        // Refill in slices no longer than a queued buffer so streams never starve.
        while (frames > 0) {
            int n = std::min(frames, fading_.empty() ? kStreamFrames / 2 : kFadeOutFrames);
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
    enum State { kStopped, kPaused, kPlaying };
    struct Voice {
        bool used = false;
        ALuint source = 0;
        State state = kStopped;
        int channels = 1;
        std::unique_ptr<Stream> stream;
        ALuint buffers[kStreamBuffers] = {};
    };

    // A voice's source taken off it to fade out; it keeps its stream until it is stopped.
    struct Fading {
        Voice voice;
        std::chrono::steady_clock::time_point due;  // when a device has mixed the ramp
    };

    bool valid(int v) const { return v >= 0 && v < static_cast<int>(voices_.size()) && voices_[v].used; }

    // Mono sources sit on a unit circle in front of the listener: x = pan.
    void place(Voice& v, float pan)
    {
        float z = -std::sqrt(std::max(0.0f, 1.0f - pan * pan));
        alSource3f(v.source, AL_POSITION, pan, 0, z);
    }

    ALuint new_source()
    {
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR)
            return 0;
        alSourcef(source, AL_ROLLOFF_FACTOR, 0);
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        return source;
    }

    // When the voice is sounding, its source fades out on its own and the voice goes on
    // with a fresh one (none when `replace` is false: the voice is being freed). False when
    // there is nothing to fade, or no source to spare: the sound is then cut.
    bool hand_over_to_fade(Voice& v, bool replace)
    {
        if (v.state != kPlaying)
            return false;
        ALint state = 0;
        alGetSourcei(v.source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            return false;
        const ALuint fresh = replace ? new_source() : 0;
        if (replace && !fresh)
            return false;
        alSourcef(v.source, AL_GAIN, 0);
        Fading f;
        f.voice.source = v.source;
        f.voice.stream = std::move(v.stream);
        std::memcpy(f.voice.buffers, v.buffers, sizeof v.buffers);
        f.due = std::chrono::steady_clock::now() + kFadeOutTime;
        fading_.push_back(std::move(f));
        v.source = fresh;
        std::memset(v.buffers, 0, sizeof v.buffers);
        return true;
    }

    // Stops and deletes the faded sources due by `now`.
    void end_fades(std::chrono::steady_clock::time_point now)
    {
        std::erase_if(fading_, [&](Fading& f) {
            if (f.due > now)
                return false;
            delete_source(f.voice);
            return true;
        });
    }

    void delete_source(Voice& v)
    {
        reset_source(v);
        alDeleteSources(1, &v.source);
        v.source = 0;
    }

    void reset_source(Voice& v)
    {
        alSourceStop(v.source);
        alSourcei(v.source, AL_BUFFER, 0);  // also drops any queued stream buffers
        if (v.stream) {
            alDeleteBuffers(kStreamBuffers, v.buffers);
            std::memset(v.buffers, 0, sizeof v.buffers);
            v.stream.reset();
        }
    }

    void release_voice(int voice)
    {
        Voice& v = voices_[voice];
        if (!hand_over_to_fade(v, false))
            delete_source(v);
        v = Voice{};
    }

    void fill_and_queue(Voice& v, ALuint buffer)
    {
        if (v.stream->at_end)
            return;
        size_t bytes = v.stream->decode();
        if (bytes == 0)
            return;
        alBufferData(buffer, format_of(v.channels), v.stream->scratch.data(), static_cast<ALsizei>(bytes),
                     static_cast<ALsizei>(v.stream->vf.vi ? v.stream->vf.vi->rate : 44100));
        alSourceQueueBuffers(v.source, 1, &buffer);
    }

    // Brings our state in line with the source's; true while the voice sounds.
    bool update_state(Voice& v)
    {
        if (v.state != kPlaying)
            return false;
        ALint state = 0;
        alGetSourcei(v.source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING)
            return true;
        if (v.stream) {
            ALint queued = 0, processed = 0;
            alGetSourcei(v.source, AL_BUFFERS_QUEUED, &queued);
            alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
            if (!v.stream->at_end || queued > processed)
                return true;  // starved for a moment; the streamer restarts it
        }
        v.state = kStopped;
        return false;
    }

    void service_streams()
    {
        for (Voice& v : voices_) {
            if (!v.used || !v.stream || v.state != kPlaying)
                continue;
            ALint processed = 0;
            alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
            while (processed-- > 0) {
                ALuint buffer = 0;
                alSourceUnqueueBuffers(v.source, 1, &buffer);
                fill_and_queue(v, buffer);
            }
            ALint state = 0, queued = 0;
            alGetSourcei(v.source, AL_SOURCE_STATE, &state);
            alGetSourcei(v.source, AL_BUFFERS_QUEUED, &queued);
            if (state == AL_STOPPED && queued > 0)
                alSourcePlay(v.source);  // ran dry while the thread was late
        }
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

    ALCdevice* device_;
    ALCcontext* context_;
    bool loopback_;
    bool direct_channels_ = false;
    std::mutex mutex_;
    std::vector<Voice> voices_;
    std::vector<Fading> fading_;
    std::unordered_set<TSound*> loaded_;
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
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        std::fputs("wingtron: no sound output found; playing without sound\n", stderr);
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
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
    ALCcontext* context = alcCreateContext(device, attrs);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    auto driver = std::make_unique<OpenALDriver>(device, context, true);
    driver->alcRenderSamplesSOFT_ = render;
    return driver;
}

void RenderOpenALLoopback(AudioDriver& driver, float* out, int frames)
{
    static_cast<OpenALDriver&>(driver).render(out, frames);
}
