// OpenAL driver of the browser build. The channel rules are the desktop's: gain as given,
// mono sounds panned by placing the source on a unit circle in front of the listener,
// rate as pitch; the browser's OpenAL has no direct-channel extension, so stereo sounds
// stay unpanned by keeping their sources at the listener.
#include "platform/web/web_audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_set>
#include <vector>

#include "platform/web/stb_vorbis_api.h"

namespace {

constexpr int kStreamBuffers = 4;
constexpr int kStreamFrames = 16384;  // sample frames per queued buffer (~370 ms at 44.1 kHz)

ALenum format_of(int channels) { return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16; }

// A long sound decoded piece by piece into its voice's queue.
class VorbisStream {
public:
    explicit VorbisStream(const TSound& sound) : channels_(sound.channels), looping_(sound.looping())
    {
        int error = 0;
        vorbis_ = stb_vorbis_open_memory(sound.compressed.data(), static_cast<int>(sound.compressed.size()), &error,
                                         nullptr);
        rate_ = vorbis_ ? static_cast<int>(stb_vorbis_get_info(vorbis_).sample_rate) : 44100;
        at_end_ = !vorbis_;
        pcm_.resize(static_cast<size_t>(kStreamFrames) * channels_);
    }
    ~VorbisStream()
    {
        if (vorbis_)
            stb_vorbis_close(vorbis_);
    }
    VorbisStream(const VorbisStream&) = delete;
    VorbisStream& operator=(const VorbisStream&) = delete;

    bool at_end() const { return at_end_; }

    // Decodes the next piece into the buffer; false when nothing was left to decode.
    bool fill(ALuint buffer)
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
        alBufferData(buffer, format_of(channels_), pcm_.data(), static_cast<ALsizei>(frames * channels_ * 2), rate_);
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

class WebAudioDriver;
WebAudioDriver* g_current = nullptr;

class WebAudioDriver final : public AudioDriver {
public:
    WebAudioDriver(ALCdevice* device, ALCcontext* context) : device_(device), context_(context)
    {
        alDistanceModel(AL_NONE);  // pan positions must not attenuate
        g_current = this;
    }

    ~WebAudioDriver() override
    {
        g_current = nullptr;
        for (size_t i = 0; i < voices_.size(); ++i) {
            if (voices_[i].used)
                release(voices_[i]);
        }
        for (TSound* s : loaded_) {
            alDeleteBuffers(1, &s->driver_buffer);
            s->driver_buffer = 0;
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        alcCloseDevice(device_);
    }

    std::string name() const override { return "web-openal"; }

    void load(TSound& sound) override
    {
        if (sound.driver_buffer || sound.pcm.empty())
            return;
        ALuint buffer = 0;
        alGetError();
        alGenBuffers(1, &buffer);
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
        if (!loaded_.erase(&sound))
            return;
        alDeleteBuffers(1, &sound.driver_buffer);
        sound.driver_buffer = 0;
    }

    int create_voice() override
    {
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR)
            return -1;
        alSourcef(source, AL_ROLLOFF_FACTOR, 0);
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        auto slot = std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.used; });
        if (slot == voices_.end())
            slot = voices_.insert(voices_.end(), Voice{});
        *slot = Voice{};
        slot->used = true;
        slot->source = source;
        return static_cast<int>(slot - voices_.begin());
    }

    void destroy_voice(int voice) override
    {
        if (Voice* v = find(voice))
            release(*v);
    }

    void cue(int voice, TSound& sound, float gain, float pan, float rate) override
    {
        Voice* v = find(voice);
        if (!v)
            return;
        drop_queue(*v);
        v->channels = sound.channels;
        v->state = kPaused;
        if (sound.streamed()) {
            v->stream = std::make_unique<VorbisStream>(sound);
            alSourcei(v->source, AL_LOOPING, AL_FALSE);
            alGenBuffers(kStreamBuffers, v->buffers);
            for (ALuint b : v->buffers)
                queue(*v, b);
        } else if (sound.driver_buffer) {
            alSourcei(v->source, AL_BUFFER, static_cast<ALint>(sound.driver_buffer));
            alSourcei(v->source, AL_LOOPING, sound.looping() ? AL_TRUE : AL_FALSE);
        }
        alSourcef(v->source, AL_GAIN, gain);
        alSourcef(v->source, AL_PITCH, rate);
        place(*v, pan);
    }

    void resume(int voice) override
    {
        Voice* v = find(voice);
        if (!v || v->state != kPaused)
            return;
        v->state = kPlaying;
        alSourcePlay(v->source);
    }

    void pause(int voice) override
    {
        Voice* v = find(voice);
        if (!v || !sounding(*v))
            return;
        v->state = kPaused;
        alSourcePause(v->source);
    }

    void stop(int voice) override
    {
        if (Voice* v = find(voice)) {
            v->state = kStopped;
            alSourceStop(v->source);
        }
    }

    void set_gain(int voice, float gain) override
    {
        if (Voice* v = find(voice))
            alSourcef(v->source, AL_GAIN, gain);
    }
    void set_pan(int voice, float pan) override
    {
        if (Voice* v = find(voice))
            place(*v, pan);
    }
    void set_rate(int voice, float rate) override
    {
        if (Voice* v = find(voice))
            alSourcef(v->source, AL_PITCH, rate);
    }
    bool playing(int voice) override
    {
        Voice* v = find(voice);
        return v && sounding(*v);
    }

    // Refills what the playing streams used up; restarts a stream that ran dry.
    void service()
    {
        for (Voice& v : voices_) {
            if (!v.used || !v.stream || v.state != kPlaying)
                continue;
            ALint processed = 0;
            alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
            for (; processed > 0; --processed) {
                ALuint buffer = 0;
                alSourceUnqueueBuffers(v.source, 1, &buffer);
                queue(v, buffer);
            }
            ALint state = 0, queued = 0;
            alGetSourcei(v.source, AL_SOURCE_STATE, &state);
            alGetSourcei(v.source, AL_BUFFERS_QUEUED, &queued);
            if (state == AL_STOPPED && queued > 0)
                alSourcePlay(v.source);
        }
    }

private:
    enum State { kStopped, kPaused, kPlaying };
    struct Voice {
        bool used = false;
        ALuint source = 0;
        State state = kStopped;
        int channels = 1;
        std::unique_ptr<VorbisStream> stream;
        ALuint buffers[kStreamBuffers] = {};
    };

    Voice* find(int voice)
    {
        if (voice < 0 || voice >= static_cast<int>(voices_.size()) || !voices_[voice].used)
            return nullptr;
        return &voices_[voice];
    }

    void place(Voice& v, float pan)
    {
        if (v.channels == 2) {
            alSource3f(v.source, AL_POSITION, 0, 0, 0);
            return;
        }
        const float z = -std::sqrt(std::max(0.0f, 1.0f - pan * pan));
        alSource3f(v.source, AL_POSITION, pan, 0, z);
    }

    void queue(Voice& v, ALuint buffer)
    {
        if (v.stream && v.stream->fill(buffer))
            alSourceQueueBuffers(v.source, 1, &buffer);
    }

    void drop_queue(Voice& v)
    {
        alSourceStop(v.source);
        alSourcei(v.source, AL_BUFFER, 0);
        if (v.stream) {
            alDeleteBuffers(kStreamBuffers, v.buffers);
            std::fill(std::begin(v.buffers), std::end(v.buffers), 0u);
            v.stream.reset();
        }
    }

    void release(Voice& v)
    {
        drop_queue(v);
        alDeleteSources(1, &v.source);
        v = Voice{};
    }

    // True while the voice sounds; a stream waiting for its next piece still counts.
    bool sounding(Voice& v)
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
            if (!v.stream->at_end() || queued > processed)
                return true;
        }
        v.state = kStopped;
        return false;
    }

    ALCdevice* device_;
    ALCcontext* context_;
    std::vector<Voice> voices_;
    std::unordered_set<TSound*> loaded_;
};

}  // namespace

std::unique_ptr<AudioDriver> CreateWebAudioDriver()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        std::fputs("wingtron: this browser offers no sound output; playing without sound\n", stderr);
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    return std::make_unique<WebAudioDriver>(device, context);
}

void ServiceWebAudio()
{
    if (g_current)
        g_current->service();
}
