// The OpenAL driver rendered into memory: what the channel operations do to real output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/audio.h"
#include "platform/real/openal_audio.h"
#include "support/sound_files.h"

namespace {

constexpr int kRate = 44100;

struct Block {
    double left = 0, right = 0;  // RMS per side
    int crossings = 0;           // zero crossings of the louder side
};

class Loopback : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto d = CreateOpenALLoopbackDriver(kRate);
        if (!d)
            GTEST_SKIP() << "ALC_SOFT_loopback is not available";
        driver_ = d.get();
        UseAudioDriver(std::move(d));
    }
    void TearDown() override
    {
        FreeSound(tone_);
        CloseAudio();
    }

    // Mixes `ms` milliseconds and measures them.
    Block render(int ms)
    {
        const int frames = kRate * ms / 1000;
        std::vector<float> buf(static_cast<size_t>(frames) * 2);
        RenderOpenALLoopback(*driver_, buf.data(), frames);
        Block b;
        for (int i = 0; i < frames; ++i) {
            b.left += buf[2 * i] * buf[2 * i];
            b.right += buf[2 * i + 1] * buf[2 * i + 1];
        }
        b.left = std::sqrt(b.left / frames);
        b.right = std::sqrt(b.right / frames);
        const int side = b.left >= b.right ? 0 : 1;
        for (int i = 1; i < frames; ++i) {
            if ((buf[2 * (i - 1) + side] < 0) != (buf[2 * i + side] < 0))
                ++b.crossings;
        }
        return b;
    }

    // Mixes `frames` sample frames; the left side.
    std::vector<float> left(int frames)
    {
        std::vector<float> buf(static_cast<size_t>(frames) * 2);
        RenderOpenALLoopback(*driver_, buf.data(), frames);
        std::vector<float> out(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i)
            out[static_cast<size_t>(i)] = buf[2 * static_cast<size_t>(i)];
        return out;
    }
    static double largest_step(const std::vector<float>& s)
    {
        double step = 0;
        for (size_t i = 1; i < s.size(); ++i)
            step = std::max(step, static_cast<double>(std::fabs(s[i] - s[i - 1])));
        return step;
    }

    TSound* tone(double seconds, int flags, int channels = 1, double freq = 500)
    {
        FreeSound(tone_);
        tone_ = DecodeSound(bytes_of(make_wav(channels, 16, kRate, static_cast<int>(seconds * kRate), freq)), flags,
                            "tone.wav");
        return tone_;
    }

    AudioDriver* driver_ = nullptr;
    TSound* tone_ = nullptr;
};

}  // namespace

TEST_F(Loopback, CuedChannelIsSilentUntilResumedAndPauseHoldsThePosition)
{
    TChannel* c = CueSound(tone(1.0, 0));
    EXPECT_LT(render(100).left, 1e-4);
    ResumeChannel(c);
    Block on = render(200);
    EXPECT_GT(on.left, 0.05);
    EXPECT_EQ(ChannelPlaying(c), 1);
    PauseChannel(c);
    render(20);  // the mixer may finish its current update
    EXPECT_LT(render(300).left, 1e-4);
    EXPECT_EQ(ChannelPlaying(c), 0);
    ResumeChannel(c);
    render(700);  // 200 + 20 + 700 ms: nearly done, unless the pause lost the position
    EXPECT_EQ(ChannelPlaying(c), 1);
    render(200);
    EXPECT_EQ(ChannelPlaying(c), 0) << "a one-shot ends when its samples run out";
    FreeChannel(c);
}

TEST_F(Loopback, VolumeIsSquaredAndClamped)
{
    TChannel* c = CueSound(tone(2.0, kLoopingSound));
    ResumeChannel(c);
    SetChannelVolume(c, 1);
    render(50);
    const double full = render(200).left;
    SetChannelVolume(c, 2);
    render(50);
    EXPECT_NEAR(render(200).left / full, 1.0, 0.05) << "above 1 plays at full volume";
    SetChannelVolume(c, 0.5f);
    render(50);
    EXPECT_NEAR(render(200).left / full, 0.25, 0.03);
    SetChannelVolume(c, 0);
    render(50);
    EXPECT_LT(render(200).left, 1e-4);
    FreeChannel(c);
}

TEST_F(Loopback, PanPlacesMonoSoundsLeftAndRight)
{
    TChannel* c = CueSound(tone(2.0, kLoopingSound));
    SetChannelPan(c, -1);
    ResumeChannel(c);
    render(50);
    Block left = render(200);
    EXPECT_GT(left.left, 0.05);
    EXPECT_LT(left.right, left.left * 0.1);
    SetChannelPan(c, 1);
    render(50);
    Block right = render(200);
    EXPECT_LT(right.left, right.right * 0.1);
    SetChannelPan(c, 0);
    render(50);
    Block centre = render(200);
    EXPECT_NEAR(centre.left / centre.right, 1.0, 0.05);
    FreeChannel(c);
}

TEST_F(Loopback, RateChangesPitchAndLength)
{
    TChannel* c = CueSound(tone(1.0, 0, 1, 1000));
    ResumeChannel(c);
    const int normal = render(200).crossings;
    EXPECT_NEAR(normal, 400, 10);  // 1000 Hz: two crossings per cycle
    SetChannelRate(c, 0.5f);
    render(20);
    EXPECT_NEAR(render(200).crossings, normal / 2, 10);
    // 220 ms played at full rate, the rest at half: 780 ms of sound take 1560 ms.
    render(1200);
    EXPECT_EQ(ChannelPlaying(c), 1);
    render(300);
    EXPECT_EQ(ChannelPlaying(c), 0);
    FreeChannel(c);
}

TEST_F(Loopback, LoopingSoundPlaysUntilStopped)
{
    TChannel* c = CueSound(tone(0.1, kLoopingSound));
    ResumeChannel(c);
    render(1000);
    EXPECT_EQ(ChannelPlaying(c), 1);
    EXPECT_GT(render(100).left, 0.05);
    StopChannel(c);
    EXPECT_EQ(ChannelPlaying(c), 0);
    render(20);
    EXPECT_LT(render(100).left, 1e-4);
    FreeChannel(c);
}

TEST_F(Loopback, LongSoundsStreamWhilePlayingAndLoop)
{
    // 14 s of stereo stays compressed; played looping it must go on past its end.
    TSound* music = DecodeSound(bytes_of(make_ogg(2, kRate, 14)), kLoopingSound, "music.ogg");
    ASSERT_NE(music, nullptr);
    ASSERT_TRUE(music->streamed());
    TChannel* c = CueSound(music);
    ResumeChannel(c);
    double quietest = 1;
    for (int i = 0; i < 16; ++i)
        quietest = std::min(quietest, render(1000).left);
    EXPECT_GT(quietest, 0.05) << "no gap while streaming or at the loop point";
    EXPECT_EQ(ChannelPlaying(c), 1);
    FreeChannel(c);

    TSound* once = DecodeSound(bytes_of(make_ogg(2, kRate, 13)), 0, "once.ogg");
    c = CueSound(once);
    ResumeChannel(c);
    render(12500);
    EXPECT_EQ(ChannelPlaying(c), 1);
    render(1000);
    EXPECT_EQ(ChannelPlaying(c), 0) << "a streamed one-shot ends too";
    FreeChannel(c);
    FreeSound(once);
    FreeSound(music);
}

// A sound stopped, replaced or freed mid-wave fades out in a few milliseconds instead of
// jumping to silence, which is heard as a click.
TEST_F(Loopback, StoppedReplacedAndFreedSoundsFadeOutWithoutAClick)
{
    TSound* sound = tone(2.0, kLoopingSound, 1, 433);
    for (int how = 0; how < 3; ++how) {
        TChannel* c = CueSound(sound);
        ResumeChannel(c);
        std::vector<float> before = left(4410 + 7 * how);  // ends mid-wave
        const double steady = largest_step(before);
        ASSERT_GT(steady, 0.01);
        if (how == 0)
            StopChannel(c);
        else if (how == 1)
            CueSound(sound, c);  // the same channel starts over, paused
        else
            FreeChannel(c);
        if (how != 2) {
            EXPECT_EQ(ChannelPlaying(c), 0);
        }
        std::vector<float> after = left(441);
        after.insert(after.begin(), before.back());
        EXPECT_LT(largest_step(after), 1.5 * steady) << "case " << how;
        EXPECT_LT(std::fabs(after.back()), 1e-4) << "silent within 10 ms, case " << how;
        if (how != 2)
            FreeChannel(c);
    }
}
