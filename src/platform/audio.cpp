// Sound loading (decoders in sound_decode.h), the channel front end and the silent driver.
#include "platform/audio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/preload.h"
#include "platform/sound_decode.h"

namespace {

// Held on the heap and never destroyed: channels owned by global lists are freed during
// static destruction, after this file's own statics might already be gone.
struct AudioState {
    std::unique_ptr<AudioDriver> driver;
    std::function<std::unique_ptr<AudioDriver>()> factory;
    std::unordered_set<TChannel*> channels;  // every live channel, for FreeSound and driver changes
};
AudioState& g_audio = *new AudioState;
std::unique_ptr<AudioDriver>& g_driver = g_audio.driver;
std::function<std::unique_ptr<AudioDriver>()>& g_factory = g_audio.factory;
std::unordered_set<TChannel*>& g_channels = g_audio.channels;

AudioDriver& driver()
{
    if (!g_driver) {
        if (g_factory)
            g_driver = g_factory();
        if (!g_driver)
            g_driver = CreateSilentAudioDriver();
    }
    return *g_driver;
}

float gain_of(float volume)
{
    return volume * volume;
}

bool is_ogg(const std::vector<uint8_t>& b)
{
    return b.size() >= 4 && std::memcmp(b.data(), "OggS", 4) == 0;
}

bool is_wav(const std::vector<uint8_t>& b)
{
    return b.size() >= 12 && std::memcmp(b.data(), "RIFF", 4) == 0 &&
           std::memcmp(b.data() + 8, "WAVE", 4) == 0;
}

// ---------------------------------------------------------------------------------------
// Silent driver: each voice keeps its position in sound milliseconds on the clock.

class SilentAudioDriver final : public AudioDriver {
public:
    std::string name() const override { return "silent"; }

    int create_voice() override
    {
        for (size_t i = 0; i < voices_.size(); ++i) {
            if (!voices_[i].used) {
                voices_[i] = Voice{};
                voices_[i].used = true;
                return static_cast<int>(i);
            }
        }
        voices_.push_back(Voice{});
        voices_.back().used = true;
        return static_cast<int>(voices_.size() - 1);
    }
    void destroy_voice(int v) override
    {
        if (valid(v))
            voices_[v].used = false;
    }
    void cue(int v, TSound& sound, float, float, float rate) override
    {
        if (!valid(v))
            return;
        Voice& voice = voices_[v];
        voice.length_ms = sound.length_ms();
        voice.looping = sound.looping();
        voice.position_ms = 0;
        voice.rate = rate;
        voice.state = kPaused;
    }
    void resume(int v) override
    {
        if (!valid(v) || voices_[v].state != kPaused)
            return;
        voices_[v].state = kPlaying;
        voices_[v].since = MilliSecs();
    }
    void pause(int v) override
    {
        if (!valid(v) || !playing(v))
            return;
        voices_[v].state = kPaused;
    }
    void stop(int v) override
    {
        if (valid(v))
            voices_[v].state = kStopped;
    }
    void set_gain(int, float) override {}
    void set_pan(int, float) override {}
    void set_rate(int v, float rate) override
    {
        if (!valid(v))
            return;
        advance(voices_[v]);
        voices_[v].rate = rate;
    }
    bool playing(int v) override
    {
        if (!valid(v))
            return false;
        advance(voices_[v]);
        return voices_[v].state == kPlaying;
    }

private:
    enum State { kStopped, kPaused, kPlaying };
    struct Voice {
        bool used = false;
        State state = kStopped;
        double length_ms = 0;
        bool looping = false;
        double position_ms = 0;  // sound time played so far
        float rate = 1;
        uint32_t since = 0;  // clock reading the position was last brought up to
    };

    bool valid(int v) const { return v >= 0 && v < static_cast<int>(voices_.size()) && voices_[v].used; }

    void advance(Voice& voice)
    {
        if (voice.state != kPlaying)
            return;
        uint32_t now = MilliSecs();
        voice.position_ms += static_cast<uint32_t>(now - voice.since) * static_cast<double>(voice.rate);
        voice.since = now;
        if (voice.looping) {
            if (voice.length_ms > 0)
                voice.position_ms = std::fmod(voice.position_ms, voice.length_ms);
        } else if (voice.position_ms >= voice.length_ms) {
            voice.state = kStopped;
        }
    }

    std::vector<Voice> voices_;
};

void drop_voice(TChannel* c)
{
    if (c->voice >= 0 && g_driver) {
        g_driver->stop(c->voice);
        g_driver->destroy_voice(c->voice);
    }
    c->voice = -1;
}

}  // namespace

TSound::~TSound()
{
    if (driver_buffer && g_driver)
        g_driver->unload(*this);
}

std::unique_ptr<AudioDriver> CreateSilentAudioDriver()
{
    return std::make_unique<SilentAudioDriver>();
}

void SetAudioDriverFactory(std::function<std::unique_ptr<AudioDriver>()> factory)
{
    g_factory = std::move(factory);
}

void UseAudioDriver(std::unique_ptr<AudioDriver> new_driver)
{
    CloseAudio();
    g_driver = std::move(new_driver);
}

std::string AudioDriverName()
{
    return g_driver ? g_driver->name() : std::string();
}

void CloseAudio()
{
    for (TChannel* c : g_channels) {
        drop_voice(c);
        c->paused = true;
    }
    g_driver.reset();
}

TSound* DecodeSound(const std::vector<uint8_t>& bytes, int flags, const std::string& name)
{
    auto sound = std::make_unique<TSound>();
    sound->flags = flags;
    sound->source = name;
    bool ok = is_ogg(bytes) ? DecodeOggSound(bytes, *sound) : is_wav(bytes) ? DecodeWavSound(bytes, *sound) : false;
    if (!ok)
        return nullptr;
    return sound.release();
}

TSound* LoadSound(const std::string& source, int flags)
{
    TSound* sound = nullptr;
    if (TakePreloadedSound(source, sound)) {
        if (sound)
            sound->flags = flags;
    } else {
        std::vector<uint8_t> bytes;
        if (!LoadBytes(source, bytes))
            return nullptr;
        size_t cut = source.find_last_of("\\/");
        sound = DecodeSound(bytes, flags, cut == std::string::npos ? source : source.substr(cut + 1));
    }
    if (sound && !sound->streamed())
        driver().load(*sound);  // hand the samples to the output now, not at the first play
    return sound;
}

void FreeSound(TSound* sound)
{
    if (!sound)
        return;
    for (TChannel* c : g_channels) {
        if (c->sound == sound) {
            drop_voice(c);
            c->sound = nullptr;
            c->paused = true;
        }
    }
    delete sound;
}

TChannel* AllocChannel()
{
    auto* c = new TChannel();
    g_channels.insert(c);
    return c;
}

void FreeChannel(TChannel* channel)
{
    if (!channel)
        return;
    drop_voice(channel);
    g_channels.erase(channel);
    delete channel;
}

TChannel* CueSound(TSound* sound, TChannel* channel)
{
    if (!sound)
        return nullptr;
    AudioDriver& d = driver();
    if (!channel)
        channel = AllocChannel();
    if (channel->voice >= 0)
        d.stop(channel->voice);
    else
        channel->voice = d.create_voice();
    if (!sound->streamed() && !sound->driver_buffer)
        d.load(*sound);
    channel->sound = sound;
    channel->paused = true;
    if (channel->voice >= 0)
        d.cue(channel->voice, *sound, gain_of(channel->volume), channel->pan, channel->rate);
    return channel;
}

void ResumeChannel(TChannel* channel)
{
    if (!channel || !channel->sound)
        return;
    channel->paused = false;
    if (channel->voice >= 0)
        driver().resume(channel->voice);
}

void PauseChannel(TChannel* channel)
{
    if (!channel || !channel->sound)
        return;
    channel->paused = true;
    if (channel->voice >= 0)
        driver().pause(channel->voice);
}

void StopChannel(TChannel* channel)
{
    if (!channel)
        return;
    channel->paused = true;
    if (channel->voice >= 0)
        driver().stop(channel->voice);
}

void SetChannelVolume(TChannel* channel, float volume)
{
    if (!channel)
        return;
    channel->volume = std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f);
    if (channel->voice >= 0)
        driver().set_gain(channel->voice, gain_of(channel->volume));
}

void SetChannelPan(TChannel* channel, float pan)
{
    if (!channel)
        return;
    channel->pan = std::isnan(pan) ? 0.0f : std::clamp(pan, -1.0f, 1.0f);
    if (channel->voice >= 0)
        driver().set_pan(channel->voice, channel->pan);
}

void SetChannelRate(TChannel* channel, float rate)
{
    if (!channel)
        return;
    channel->rate = std::isnan(rate) ? 1.0f : std::clamp(rate, 1.0f / 64, 16.0f);
    if (channel->voice >= 0)
        driver().set_rate(channel->voice, channel->rate);
}

int ChannelPlaying(TChannel* channel)
{
    if (!channel || !channel->sound || channel->voice < 0 || !g_driver)
        return 0;
    return g_driver->playing(channel->voice) ? 1 : 0;
}
