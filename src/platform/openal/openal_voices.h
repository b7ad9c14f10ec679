// The voices of an OpenAL output, shared by the desktop driver (OpenAL Soft) and the browser's
// (emscripten's OpenAL over Web Audio); each adds only how its device is opened, how long
// sounds are decoded and when their queues are refilled.
//   - A voice is one OpenAL source. Gain is the source's gain, rate its pitch; a mono sound
//     is panned by placing its source on a unit circle in front of the listener (x = pan),
//     a stereo one is never panned.
//   - Short sounds play from one buffer made on first cue; long ones from a small queue of
//     buffers that service_streams() refills from the driver's VoiceStream.
//   - A voice stopped, cued again or freed while it sounds is not cut, which clicks: its source
//     is handed over to fade to silence and stopped later (end_fades), and the voice goes on
//     with a fresh source at once.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/audio.h"

ALenum OpenALFormat(int channels);

// Makes a context on the device current; on failure closes the device and gives nullptr.
ALCcontext* OpenCurrentContext(ALCdevice* device, const ALCint* attributes);
// Opens the default output device with a current context; false when either fails, with the
// message on stderr when there is no device at all.
bool OpenDefaultOutput(ALCdevice*& device, ALCcontext*& context, const char* no_device_message);

// A long sound decoded piece by piece into its voice's buffer queue.
class VoiceStream {
public:
    virtual ~VoiceStream() = default;
    // Every sample has been queued (at once when the sound cannot be decoded).
    virtual bool at_end() const = 0;
    // Decodes the next piece into the buffer; false when nothing was left.
    virtual bool fill(ALuint buffer) = 0;
};

class OpenALVoiceDriver : public AudioDriver {
public:
    static constexpr int kStreamBuffers = 4;
    // How long a faded source is kept before it is stopped: its gain has surely reached 0.
    static constexpr auto kFadeOutTime = std::chrono::milliseconds(100);

    // Takes over the device and its context, which must be current.
    OpenALVoiceDriver(ALCdevice* device, ALCcontext* context);
    ~OpenALVoiceDriver() override;

    void load(TSound& sound) override;
    void unload(TSound& sound) override;
    int create_voice() override;
    void destroy_voice(int voice) override;
    void cue(int voice, TSound& sound, float gain, float pan, float rate) override;
    void resume(int voice) override;
    void pause(int voice) override;
    void stop(int voice) override;
    void set_gain(int voice, float gain) override;
    void set_pan(int voice, float pan) override;
    void set_rate(int voice, float rate) override;
    bool playing(int voice) override;

protected:
    // A decoder for a streamed sound; never nullptr.
    virtual std::unique_ptr<VoiceStream> open_stream(const TSound& sound) = 0;
    // Takes a sounding source's gain to 0 smoothly. OpenAL Soft ramps any gain change over
    // the next period it mixes, so setting it is enough there.
    virtual void fade_to_silence(ALuint source) { alSourcef(source, AL_GAIN, 0); }
    // Deletes a stopped source.
    virtual void free_source(ALuint source) { alDeleteSources(1, &source); }

    // The rest is called with mutex_ held.
    // Refills what the playing streams used up; restarts a stream that ran dry.
    void service_streams();
    // Stops and deletes the faded sources due by `now`.
    void end_fades(std::chrono::steady_clock::time_point now);
    bool fading() const { return !fading_.empty(); }

    std::mutex mutex_;  // the desktop refills streams from a second thread
    ALCdevice* device_;

private:
    enum State { kStopped, kPaused, kPlaying };
    struct Voice {
        bool used = false;
        ALuint source = 0;
        State state = kStopped;
        std::unique_ptr<VoiceStream> stream;
        ALuint buffers[kStreamBuffers] = {};
    };
    // A voice's source taken off it to fade out; it keeps its stream until it is stopped.
    struct Fading {
        Voice voice;
        std::chrono::steady_clock::time_point due;
    };

    bool valid(int v) const { return v >= 0 && v < static_cast<int>(voices_.size()) && voices_[v].used; }
    void place(Voice& v, float pan);
    ALuint new_source();
    bool hand_over_to_fade(Voice& v, bool replace);
    void delete_source(Voice& v);
    void reset_source(Voice& v);
    void release_voice(int voice);
    void queue(Voice& v, ALuint buffer);
    bool update_state(Voice& v);

    ALCcontext* context_;
    bool direct_channels_ = false;
    std::vector<Voice> voices_;
    std::vector<Fading> fading_;
    std::unordered_set<TSound*> loaded_;
};
