// Sound decoding (Ogg Vorbis through vorbisfile, WAV through SDL), the channel front end
// and the silent driver.
#include "platform/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/files.h"
#include "platform/ogg_memory.h"
#include "platform/input.h"
#include "platform/preload.h"

namespace {

// Sounds whose decoded samples would exceed this stay compressed and are decoded while
// they play (about 12 s of 44.1 kHz stereo).
constexpr size_t kStreamAboveBytes = 2u << 20;

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

bool decode_ogg(const std::vector<uint8_t>& bytes, TSound& out)
{
    OggMemoryReader reader{bytes.data(), bytes.size()};
    OggVorbis_File vf;
    if (ov_open_callbacks(&reader, &vf, nullptr, 0, kOggMemoryCallbacks) != 0)
        return false;
    bool ok = false;
    const vorbis_info* info = ov_info(&vf, -1);
    ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (info && info->channels >= 1 && info->channels <= 2 && info->rate > 0 && total > 0) {
        out.channels = info->channels;
        out.sample_rate = static_cast<int>(info->rate);
        out.frames = total;
        size_t bytes_needed = static_cast<size_t>(total) * out.channels * sizeof(int16_t);
        if (bytes_needed > kStreamAboveBytes) {
            // Check the first packet decodes; the rest is decoded while playing.
            char probe[4096];
            int section = 0;
            ok = ov_read(&vf, probe, sizeof probe, 0, 2, 1, &section) > 0;
            if (ok)
                out.compressed = bytes;
        } else {
            out.pcm.resize(static_cast<size_t>(total) * out.channels);
            size_t filled = 0;  // bytes
            char* dst = reinterpret_cast<char*>(out.pcm.data());
            while (filled < bytes_needed) {
                int section = 0;
                long n = ov_read(&vf, dst + filled,
                                 static_cast<int>(std::min<size_t>(bytes_needed - filled, 65536)), 0, 2, 1,
                                 &section);
                if (n == OV_HOLE)
                    continue;
                if (n <= 0)
                    break;
                filled += static_cast<size_t>(n);
            }
            out.pcm.resize(filled / sizeof(int16_t));
            out.frames = static_cast<int64_t>(out.pcm.size() / out.channels);
            ok = out.frames > 0;
        }
    }
    ov_clear(&vf);
    return ok;
}

// ---------------------------------------------------------------------------------------
// WAV through SDL's loader: plain and extensible headers, 8-, 16-, 24- and 32-bit PCM,
// float, and the ADPCM and companded forms it also reads; mono or stereo. A data chunk
// cut short plays the whole frames it holds.

bool is_wav(const std::vector<uint8_t>& b)
{
    return b.size() >= 12 && std::memcmp(b.data(), "RIFF", 4) == 0 &&
           std::memcmp(b.data() + 8, "WAVE", 4) == 0;
}

bool decode_wav(const std::vector<uint8_t>& b, TSound& out)
{
    SDL_RWops* rw = SDL_RWFromConstMem(b.data(), static_cast<int>(b.size()));
    SDL_AudioSpec spec {};
    Uint8* data = nullptr;
    Uint32 len = 0;
    if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &data, &len))
        return false;
    const int bytes_per_sample = SDL_AUDIO_BITSIZE(spec.format) / 8;
    const size_t frame_bytes = static_cast<size_t>(spec.channels) * bytes_per_sample;
    const size_t frames = frame_bytes ? len / frame_bytes : 0;
    const bool ok = spec.channels >= 1 && spec.channels <= 2 && spec.freq > 0 && frames > 0 &&
                    (spec.format == AUDIO_U8 || spec.format == AUDIO_S16LSB || spec.format == AUDIO_S32LSB ||
                     spec.format == AUDIO_F32LSB);
    if (ok) {
        out.channels = spec.channels;
        out.sample_rate = spec.freq;
        out.frames = static_cast<int64_t>(frames);
        out.pcm.resize(frames * spec.channels);
        for (size_t i = 0; i < out.pcm.size(); ++i) {
            const uint8_t* p = data + i * bytes_per_sample;
            int32_t s32 = 0;
            float f = 0;
            switch (spec.format) {
            case AUDIO_U8: out.pcm[i] = static_cast<int16_t>((p[0] - 128) * 256); break;
            case AUDIO_S16LSB: out.pcm[i] = static_cast<int16_t>(p[0] | (p[1] << 8)); break;
            case AUDIO_S32LSB:
                std::memcpy(&s32, p, 4);
                out.pcm[i] = static_cast<int16_t>(s32 >> 16);
                break;
            default:
                std::memcpy(&f, p, 4);
                out.pcm[i] = static_cast<int16_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
                break;
            }
        }
    }
    SDL_FreeWAV(data);
    return ok;
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
    bool ok = is_ogg(bytes) ? decode_ogg(bytes, *sound) : is_wav(bytes) ? decode_wav(bytes, *sound) : false;
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
