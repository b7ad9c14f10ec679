// Audio playback: whole sounds loaded into memory (Ogg Vorbis or WAV, told apart by
// content) and played on channels with volume, pan, rate and pause. The output is a
// driver chosen on first use: OpenAL in the real run, or a silent driver that plays
// nothing but keeps time, so one-shots still end when their length has elapsed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Sound flags.
constexpr int kLoopingSound = 1;
constexpr int kHardwareSound = 2;  // asks for a hardware buffer; no effect on behaviour

// A loaded sound. Short sounds are decoded to 16-bit PCM at load; long ones (music,
// ambience) keep their Ogg Vorbis bytes and are decoded while they play.
struct TSound {
    int flags = 0;                    // kLoopingSound, kHardwareSound
    int channels = 1;                 // 1 mono, 2 stereo
    int sample_rate = 44100;          // samples per second per channel
    int64_t frames = 0;               // sample frames in the whole sound
    std::vector<int16_t> pcm;         // interleaved samples of a decoded sound
    std::vector<uint8_t> compressed;  // Ogg Vorbis bytes of a streamed sound
    std::string source;               // file name it was loaded from
    uint32_t driver_buffer = 0;       // the driver's copy of pcm, 0 until first cued
    bool streamed() const { return !compressed.empty(); }
    bool looping() const { return (flags & kLoopingSound) != 0; }
    double length_ms() const { return sample_rate > 0 ? frames * 1000.0 / sample_rate : 0; }
    ~TSound();
};

// One voice: the sound it plays and its settings. Channels are owned by whoever cued
// them and given back with FreeChannel.
struct TChannel {
    TSound* sound = nullptr;
    float volume = 1;  // 0..1
    float pan = 0;     // -1 left .. 1 right
    float rate = 1;    // multiplier of the sound's own sample rate
    bool paused = true;
    int voice = -1;  // the driver's voice, -1 when it has none
};

// Loads and decodes a sound; nullptr when the file cannot be read or decoded.
TSound* LoadSound(const std::string& source, int flags);
// Decodes a sound held in memory (the loader's second half; tests use it directly).
TSound* DecodeSound(const std::vector<uint8_t>& bytes, int flags, const std::string& name);
void FreeSound(TSound* sound);

// Prepares the channel (a new one when channel is nullptr) to play the sound from its
// start, paused. Returns nullptr only when sound is nullptr.
TChannel* CueSound(TSound* sound, TChannel* channel = nullptr);
TChannel* AllocChannel();
void FreeChannel(TChannel* channel);
void ResumeChannel(TChannel* channel);
void PauseChannel(TChannel* channel);
void StopChannel(TChannel* channel);
// Volume is clamped to 0..1 and squared into the output gain: 0.5 plays at 0.25
// (-12 dB), 0 is silence. Perceived loudness then follows the slider almost linearly.
void SetChannelVolume(TChannel* channel, float volume);
// Pan is clamped to -1..1; only mono sounds can be panned.
void SetChannelPan(TChannel* channel, float pan);
// Rate is clamped to 1/64..16; it changes pitch and speed together.
void SetChannelRate(TChannel* channel, float rate);
// 1 while the channel sounds; 0 when paused, stopped, never started or when a
// non-looping sound has reached its end.
int ChannelPlaying(TChannel* channel);

// The output behind the channels. Voices are small integers owned by the driver.
class AudioDriver {
public:
    virtual ~AudioDriver() = default;
    virtual std::string name() const = 0;
    // Makes the driver's copy of a decoded sound (called once per sound, on first cue).
    virtual void load(TSound& /*sound*/) {}
    virtual void unload(TSound& /*sound*/) {}
    virtual int create_voice() = 0;  // -1 when no voice is free
    virtual void destroy_voice(int voice) = 0;
    // Sets the sound at its start, paused, with the given gain, pan and rate.
    virtual void cue(int voice, TSound& sound, float gain, float pan, float rate) = 0;
    virtual void resume(int voice) = 0;
    virtual void pause(int voice) = 0;
    virtual void stop(int voice) = 0;
    virtual void set_gain(int voice, float gain) = 0;
    virtual void set_pan(int voice, float pan) = 0;
    virtual void set_rate(int voice, float rate) = 0;
    virtual bool playing(int voice) = 0;
};

// A driver that plays nothing and keeps each voice's position on the millisecond clock.
std::unique_ptr<AudioDriver> CreateSilentAudioDriver();
// How the device is opened on first use; the default gives the silent driver. A factory
// that returns nullptr (no device) also gives the silent driver.
void SetAudioDriverFactory(std::function<std::unique_ptr<AudioDriver>()> factory);
// Replaces the current driver at once (tests); channels cued before fall silent until
// they are cued again.
void UseAudioDriver(std::unique_ptr<AudioDriver> driver);
// Name of the driver in use ("" before first use).
std::string AudioDriverName();
// Stops every channel and closes the driver; the next use opens it again.
void CloseAudio();
