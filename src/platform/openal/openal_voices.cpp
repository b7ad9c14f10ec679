#include "platform/openal/openal_voices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

// AL_SOFT_direct_channels (AL/alext.h, which the browser's OpenAL lacks): a stereo source
// plays straight to the speakers, unaffected by the listener's layout.
#ifndef AL_DIRECT_CHANNELS_SOFT
#define AL_DIRECT_CHANNELS_SOFT 0x1033
#endif

ALenum OpenALFormat(int channels)
{
    return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

ALCcontext* OpenCurrentContext(ALCdevice* device, const ALCint* attributes)
{
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    return context;
}

bool OpenDefaultOutput(ALCdevice*& device, ALCcontext*& context, const char* no_device_message)
{
    device = alcOpenDevice(nullptr);
    if (!device) {
        std::fputs(no_device_message, stderr);
        return false;
    }
    context = OpenCurrentContext(device, nullptr);
    return context != nullptr;
}

OpenALVoiceDriver::OpenALVoiceDriver(ALCdevice* device, ALCcontext* context)
    : device_(device), context_(context)
{
    alcMakeContextCurrent(context_);
    direct_channels_ = alIsExtensionPresent("AL_SOFT_direct_channels");
    alDistanceModel(AL_NONE);  // pan positions must not attenuate
}

OpenALVoiceDriver::~OpenALVoiceDriver()
{
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

void OpenALVoiceDriver::load(TSound& sound)
{
    std::lock_guard lock(mutex_);
    if (sound.driver_buffer || sound.pcm.empty())
        return;
    ALuint buffer = 0;
    alGetError();
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR)
        return;
    alBufferData(buffer, OpenALFormat(sound.channels), sound.pcm.data(),
                 static_cast<ALsizei>(sound.pcm.size() * sizeof(int16_t)), sound.sample_rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return;
    }
    sound.driver_buffer = buffer;
    loaded_.insert(&sound);
}

void OpenALVoiceDriver::unload(TSound& sound)
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

int OpenALVoiceDriver::create_voice()
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

void OpenALVoiceDriver::destroy_voice(int voice)
{
    std::lock_guard lock(mutex_);
    if (valid(voice))
        release_voice(voice);
}

void OpenALVoiceDriver::cue(int voice, TSound& sound, float gain, float pan, float rate)
{
    std::lock_guard lock(mutex_);
    if (!valid(voice))
        return;
    Voice& v = voices_[voice];
    if (!hand_over_to_fade(v, true))
        reset_source(v);
    v.state = kPaused;
    if (sound.streamed()) {
        v.stream = open_stream(sound);
        alSourcei(v.source, AL_LOOPING, AL_FALSE);
        if (!v.stream->at_end()) {
            alGenBuffers(kStreamBuffers, v.buffers);
            for (ALuint b : v.buffers)
                queue(v, b);
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

void OpenALVoiceDriver::resume(int voice)
{
    std::lock_guard lock(mutex_);
    if (!valid(voice) || voices_[voice].state != kPaused)
        return;
    voices_[voice].state = kPlaying;
    alSourcePlay(voices_[voice].source);
}

void OpenALVoiceDriver::pause(int voice)
{
    std::lock_guard lock(mutex_);
    if (!valid(voice) || !update_state(voices_[voice]))
        return;
    voices_[voice].state = kPaused;
    alSourcePause(voices_[voice].source);
}

void OpenALVoiceDriver::stop(int voice)
{
    std::lock_guard lock(mutex_);
    if (!valid(voice))
        return;
    if (!hand_over_to_fade(voices_[voice], true))
        alSourceStop(voices_[voice].source);
    voices_[voice].state = kStopped;
}

void OpenALVoiceDriver::set_gain(int voice, float gain)
{
    std::lock_guard lock(mutex_);
    if (valid(voice))
        alSourcef(voices_[voice].source, AL_GAIN, gain);
}

void OpenALVoiceDriver::set_pan(int voice, float pan)
{
    std::lock_guard lock(mutex_);
    if (valid(voice))
        place(voices_[voice], pan);
}

void OpenALVoiceDriver::set_rate(int voice, float rate)
{
    std::lock_guard lock(mutex_);
    if (valid(voice))
        alSourcef(voices_[voice].source, AL_PITCH, rate);
}

bool OpenALVoiceDriver::playing(int voice)
{
    std::lock_guard lock(mutex_);
    return valid(voice) && update_state(voices_[voice]);
}

// Stereo sources are placed too: neither OpenAL pans a stereo buffer by its position.
void OpenALVoiceDriver::place(Voice& v, float pan)
{
    float z = -std::sqrt(std::max(0.0f, 1.0f - pan * pan));
    alSource3f(v.source, AL_POSITION, pan, 0, z);
}

ALuint OpenALVoiceDriver::new_source()
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

// When the voice is sounding, its source fades out on its own and the voice goes on with a
// fresh one (none when `replace` is false: the voice is being freed). False when there is
// nothing to fade, or no source to spare: the sound is then cut.
bool OpenALVoiceDriver::hand_over_to_fade(Voice& v, bool replace)
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
    fade_to_silence(v.source);
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

void OpenALVoiceDriver::end_fades(std::chrono::steady_clock::time_point now)
{
    std::erase_if(fading_, [&](Fading& f) {
        if (f.due > now)
            return false;
        delete_source(f.voice);
        return true;
    });
}

void OpenALVoiceDriver::delete_source(Voice& v)
{
    reset_source(v);
    free_source(v.source);
    v.source = 0;
}

void OpenALVoiceDriver::reset_source(Voice& v)
{
    alSourceStop(v.source);
    alSourcei(v.source, AL_BUFFER, 0);  // also drops any queued stream buffers
    if (v.stream) {
        alDeleteBuffers(kStreamBuffers, v.buffers);
        std::memset(v.buffers, 0, sizeof v.buffers);
        v.stream.reset();
    }
}

void OpenALVoiceDriver::release_voice(int voice)
{
    Voice& v = voices_[voice];
    if (!hand_over_to_fade(v, false))
        delete_source(v);
    v = Voice{};
}

void OpenALVoiceDriver::queue(Voice& v, ALuint buffer)
{
    if (v.stream->fill(buffer))
        alSourceQueueBuffers(v.source, 1, &buffer);
}

// Brings our state in line with the source's; true while the voice sounds.
bool OpenALVoiceDriver::update_state(Voice& v)
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
            return true;  // starved for a moment; the next service restarts it
    }
    v.state = kStopped;
    return false;
}

void OpenALVoiceDriver::service_streams()
{
    for (Voice& v : voices_) {
        if (!v.used || !v.stream || v.state != kPlaying)
            continue;
        ALint processed = 0;
        alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
        while (processed-- > 0) {
            ALuint buffer = 0;
            alSourceUnqueueBuffers(v.source, 1, &buffer);
            queue(v, buffer);
        }
        ALint state = 0, queued = 0;
        alGetSourcei(v.source, AL_SOURCE_STATE, &state);
        alGetSourcei(v.source, AL_BUFFERS_QUEUED, &queued);
        if (state == AL_STOPPED && queued > 0)
            alSourcePlay(v.source);  // ran dry while the refills were late
    }
}
