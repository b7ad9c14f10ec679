#include "platform/audio.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace {

class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        UseAudioDriver(CreateSilentAudioDriver());
    }
    void TearDown() override { CloseAudio(); }

    // Runs the virtual clock forward.
    static void wait_ms(double ms) { AdvanceVirtualClock(ms); }
};

// The same WAV with the extensible header: format 0xFFFE, valid bits, a speaker mask
// and the PCM sub-format's GUID.
std::string to_extensible(const std::string& wav)
{
    std::string fmt = wav.substr(20, 16);
    const int channels = static_cast<uint8_t>(fmt[2]);
    const int bits = static_cast<uint8_t>(fmt[14]);
    fmt[0] = static_cast<char>(0xfe), fmt[1] = static_cast<char>(0xff);
    put16(fmt, 22);
    put16(fmt, bits);
    put32(fmt, channels == 2 ? 3 : 4);
    const uint8_t pcm_guid[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xaa, 0, 0x38, 0x9b, 0x71};
    fmt.append(reinterpret_cast<const char*>(pcm_guid), 16);
    const std::string data = wav.substr(36);
    std::string s = "RIFF";
    put32(s, static_cast<uint32_t>(4 + 8 + fmt.size() + data.size()));
    s += "WAVEfmt ";
    put32(s, static_cast<uint32_t>(fmt.size()));
    return s + fmt + data;
}

}  // namespace

TEST_F(Audio, ExtensibleWavDecodesToThePlainWavsSamples)
{
    for (auto [channels, bits] : {std::pair{1, 16}, {2, 16}, {2, 8}}) {
        const std::string plain = make_wav(channels, bits, 22050, 300);
        TSound* a = DecodeSound(bytes_of(plain), 0, "plain.wav");
        TSound* b = DecodeSound(bytes_of(to_extensible(plain)), 0, "ext.wav");
        ASSERT_TRUE(a && b) << channels << " x " << bits;
        EXPECT_EQ(b->channels, channels);
        EXPECT_EQ(b->sample_rate, 22050);
        EXPECT_EQ(b->frames, 300);
        EXPECT_EQ(a->pcm, b->pcm);
        FreeSound(a);
        FreeSound(b);
    }
}

TEST_F(Audio, WavIsRecognisedByContentIn8And16Bits)
{
    TempDir dir;
    dir.write("sounds/a.ogg", make_wav(1, 16, 22050, 2205));  // a WAV under an .ogg name
    dir.write("sounds/b.wav", make_wav(2, 8, 11025, 1000));
    TSound* a = LoadSound(".\\sounds\\a.ogg", kLoopingSound);
    TSound* b = LoadSound(".\\sounds\\b.wav", 0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->channels, 1);
    EXPECT_EQ(a->sample_rate, 22050);
    EXPECT_EQ(a->frames, 2205);
    EXPECT_NEAR(a->length_ms(), 100, 0.01);
    EXPECT_TRUE(a->looping());
    EXPECT_EQ(a->source, "a.ogg");
    EXPECT_EQ(b->channels, 2);
    EXPECT_EQ(b->frames, 1000);
    // 8-bit samples are widened: the silent right channel stays at 0, the left swings.
    int16_t peak = 0;
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(b->pcm[2 * i + 1], 0);
        peak = std::max<int16_t>(peak, b->pcm[2 * i]);
    }
    EXPECT_GT(peak, 15000);
    FreeSound(a);
    FreeSound(b);
}

TEST_F(Audio, OggDecodesShortSoundsAndKeepsLongOnesCompressed)
{
    TSound* s = DecodeSound(bytes_of(make_ogg(1, 44100, 0.5)), 0, "s.ogg");
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->streamed());
    EXPECT_EQ(s->frames, 22050);
    EXPECT_EQ(s->pcm.size(), 22050u);
    std::string long_ogg = make_ogg(2, 44100, 14);
    TSound* l = DecodeSound(bytes_of(long_ogg), kLoopingSound, "l.ogg");
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->streamed());
    EXPECT_TRUE(l->pcm.empty());
    EXPECT_EQ(l->compressed.size(), long_ogg.size());
    EXPECT_EQ(l->frames, 14 * 44100);
    FreeSound(s);
    FreeSound(l);
}

TEST_F(Audio, BrokenOrMissingFilesGiveNoSound)
{
    TempDir dir;
    std::string ogg = make_ogg(1, 22050, 0.3);
    std::string wav = make_wav(1, 16, 8000, 100);
    dir.write("sounds/cut.ogg", ogg.substr(0, 40));
    dir.write("sounds/junk.ogg", "this is not a sound at all");
    dir.write("sounds/empty.wav", wav.substr(0, 44));  // header, no samples
    dir.write("sounds/float.wav", [&] {                // not PCM
        std::string w = wav;
        w[20] = 3;
        return w;
    }());
    for (const char* name : {"cut.ogg", "junk.ogg", "empty.wav", "float.wav", "missing.ogg"})
        EXPECT_EQ(LoadSound(std::string(".\\sounds\\") + name, 0), nullptr) << name;
    // A WAV whose data ends early plays what it has.
    dir.write("sounds/short.wav", wav.substr(0, wav.size() - 50));
    TSound* s = LoadSound(".\\sounds\\short.wav", 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->frames, 75);
    FreeSound(s);
    // Nothing to play: every channel operation is harmless.
    TChannel* c = CueSound(nullptr);
    EXPECT_EQ(c, nullptr);
    ResumeChannel(c);
    SetChannelVolume(c, 1);
    EXPECT_EQ(ChannelPlaying(c), 0);
}

TEST_F(Audio, SilentOneShotEndsWhenItsLengthHasElapsed)
{
    TSound* s = DecodeSound(bytes_of(make_wav(1, 16, 10000, 5000)), 0, "half.wav");  // 500 ms
    TChannel* c = CueSound(s);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(ChannelPlaying(c), 0) << "a cued channel waits, paused";
    wait_ms(1000);
    EXPECT_EQ(ChannelPlaying(c), 0);
    ResumeChannel(c);
    EXPECT_EQ(ChannelPlaying(c), 1);
    wait_ms(300);
    PauseChannel(c);
    EXPECT_EQ(ChannelPlaying(c), 0);
    wait_ms(5000);  // the position holds while paused
    ResumeChannel(c);
    wait_ms(150);
    EXPECT_EQ(ChannelPlaying(c), 1);
    wait_ms(60);
    EXPECT_EQ(ChannelPlaying(c), 0) << "300 + 210 ms played";
    ResumeChannel(c);  // a finished channel needs a new cue
    EXPECT_EQ(ChannelPlaying(c), 0);
    CueSound(s, c);
    SetChannelRate(c, 2);
    ResumeChannel(c);
    wait_ms(240);
    EXPECT_EQ(ChannelPlaying(c), 1);
    wait_ms(20);
    EXPECT_EQ(ChannelPlaying(c), 0) << "twice the rate, half the time";
    FreeChannel(c);
    FreeSound(s);
}

TEST_F(Audio, LoopingSoundPlaysUntilStopped)
{
    TSound* s = DecodeSound(bytes_of(make_wav(1, 16, 10000, 1000)), kLoopingSound, "loop.wav");
    TChannel* c = CueSound(s);
    ResumeChannel(c);
    wait_ms(60000);
    EXPECT_EQ(ChannelPlaying(c), 1);
    StopChannel(c);
    EXPECT_EQ(ChannelPlaying(c), 0);
    FreeChannel(c);
    FreeSound(s);
}

TEST_F(Audio, SettingsAreClampedAndFreeingASoundSilencesItsChannels)
{
    TSound* s = DecodeSound(bytes_of(make_wav(1, 16, 10000, 1000)), kLoopingSound, "loop.wav");
    TChannel* c = CueSound(s);
    SetChannelVolume(c, 2);
    EXPECT_EQ(c->volume, 1.0f);
    SetChannelVolume(c, -1);
    EXPECT_EQ(c->volume, 0.0f);
    SetChannelPan(c, -3);
    EXPECT_EQ(c->pan, -1.0f);
    SetChannelRate(c, 0);
    EXPECT_GT(c->rate, 0.0f);
    ResumeChannel(c);
    FreeSound(s);
    EXPECT_EQ(c->sound, nullptr);
    EXPECT_EQ(ChannelPlaying(c), 0);
    ResumeChannel(c);
    FreeChannel(c);
}

TEST_F(Audio, DeviceFactoryWithoutDeviceFallsBackToSilence)
{
    CloseAudio();
    SetAudioDriverFactory([] { return std::unique_ptr<AudioDriver>(); });
    TSound* s = DecodeSound(bytes_of(make_wav(1, 16, 10000, 1000)), 0, "s.wav");
    TChannel* c = CueSound(s);
    EXPECT_EQ(AudioDriverName(), "silent");
    ResumeChannel(c);
    EXPECT_EQ(ChannelPlaying(c), 1);
    FreeChannel(c);
    FreeSound(s);
    SetAudioDriverFactory(nullptr);
}
