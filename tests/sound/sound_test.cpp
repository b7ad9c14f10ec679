#include "sound/sound.h"

#include <gtest/gtest.h>

#include "persist/profile.h"
#include "platform/audio.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/sound_files.h"

namespace {

class Sound : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        UseAudioDriver(CreateSilentAudioDriver());
        sound_list.clear();
        effect_ = DecodeSound(bytes_of(make_wav(1, 16, 10000, 5000)), 0, "effect.wav");  // 500 ms
        loop_ = DecodeSound(bytes_of(make_wav(2, 16, 10000, 1000)), kLoopingSound, "loop.wav");
        sound_volume = 0.6f;
        music_volume = 0.8f;
        sound_rate = 1;
        pause_state = 0;
        level_running = 1;
        menu_requested = 0;
        level_start_pending = 0;
    }
    void TearDown() override
    {
        sound_list.clear();
        click_ogg = nullptr;
        for (TSound** g :
             {&forest_lvl_ogg, &near_humans_lvl_ogg, &plane_lv_ogg, &Main_track1_ogg, &Main_track2_ogg,
              &Main_track3_ogg, &Main_track4_ogg, &Menu_theme_ogg, &intro_story_ogg, &end_story_ogg,
              &lazer_l_ogg_loop, &score_count_ogg, &wingtron_overheated_ogg, &wingtron_sparkles_ogg})
            *g = nullptr;
        FreeSound(effect_);
        FreeSound(loop_);
        CloseAudio();
    }

    // One frame of the sound part of the loop.
    static void frame()
    {
        sound_list.for_each([](SoundT& s) { s.Update(); });
        update_sound_throttles();
        AdvanceVirtualClock(1000.0 / 60);
    }
    static SoundT* first() { return sound_list.first(); }
    static SoundT* named(const std::string& name)
    {
        SoundT* found = nullptr;
        sound_list.for_each([&](SoundT& s) {
            if (!found && s.Name == name)
                found = &s;
        });
        return found;
    }

    TSound* effect_ = nullptr;
    TSound* loop_ = nullptr;
};

}  // namespace

TEST_F(Sound, OneShotPanFollowsScreenX)
{
    EXPECT_FLOAT_EQ(pan_of_x(100), -1);
    EXPECT_FLOAT_EQ(pan_of_x(483), 0);
    EXPECT_FLOAT_EQ(pan_of_x(900), 1);
    EXPECT_FLOAT_EQ(pan_of_x(0), 0);
    EXPECT_FLOAT_EQ(pan_of_x(603), 0.5f);
    play_sound(effect_, 0.5f, 100);
    ASSERT_EQ(sound_list.count(), 1);
    EXPECT_FLOAT_EQ(first()->Channel->pan, -1);
    EXPECT_FLOAT_EQ(first()->Channel->volume, 0.5f);
    EXPECT_EQ(first()->delete_after_played, 1);
    EXPECT_EQ(ChannelPlaying(first()->Channel), 1);
}

TEST_F(Sound, MissingSoundPlaysNothing)
{
    play_sound(nullptr, 1, 0);
    EXPECT_EQ(sound_list.count(), 0);
    SoundT* s = SoundT::Create_snd_channel("ambient", nullptr);
    EXPECT_EQ(s->Channel, nullptr);
    resume_channel_by_name("ambient");
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_EQ(sound_list.count(), 1) << "a named channel stays even without a sound";
}

TEST_F(Sound, OneShotIsRemovedWhenItHasPlayed)
{
    play_sound(effect_, 1, 0);
    for (int i = 0; i < 29; ++i)
        frame();
    EXPECT_EQ(sound_list.count(), 1);
    for (int i = 0; i < 3; ++i)
        frame();
    EXPECT_EQ(sound_list.count(), 0) << "500 ms is 30 frames";
}

TEST_F(Sound, FadeInAtVolumeZeroEndsAtOnceAndPlaysSilently)
{
    sound_volume = 0;
    SoundT* s = SoundT::Create_snd_channel("overheat", loop_);
    EXPECT_EQ(ChannelPlaying(s->Channel), 0) << "named channels start paused";
    s->Fade_var = 1;
    s->Update();
    EXPECT_EQ(s->Fade_var, 0);
    EXPECT_EQ(s->Volume, 0);
    EXPECT_EQ(ChannelPlaying(s->Channel), 1);
}

TEST_F(Sound, FadeInRisesToTheClassVolumeAndFollowsALowerSetting)
{
    level_running = 0;
    menu_requested = 1;  // no pause coupling
    SoundT* m = SoundT::Create_music_channel("menu_music", loop_);
    m->Volume = 0;
    m->Fade_var = 1;
    int frames = 0;
    while (m->Fade_var == 1 && frames < 200) {
        frame();
        ++frames;
    }
    EXPECT_NEAR(frames, 80, 1) << "0.01 per frame up to the music volume 0.8";
    EXPECT_FLOAT_EQ(m->Volume, 0.8f);
    EXPECT_FLOAT_EQ(m->Channel->volume, 0.8f);
    music_volume = 0.3f;
    fade_in_channel_by_name("menu_music");
    frame();
    EXPECT_FLOAT_EQ(m->Volume, 0.3f);
    EXPECT_EQ(m->Fade_var, 0);
}

TEST_F(Sound, PauseMenuFadesEverythingOutAndBringsTheLevelBack)
{
    sound_volume = 1;
    music_volume = 1;
    SoundT* ambient = SoundT::Create_snd_channel("ambient", loop_);
    SoundT* music = SoundT::Create_music_channel("music", loop_);
    SoundT* alarm = SoundT::Create_snd_channel("overheat", loop_);
    alarm->Play_Channel();
    for (int i = 0; i < 3; ++i)
        frame();
    EXPECT_EQ(ChannelPlaying(ambient->Channel), 1);
    EXPECT_EQ(ChannelPlaying(music->Channel), 1);
    play_sound(effect_, 1, 0);

    pause_state = 1;
    for (int i = 0; i < 21; ++i)  // the frame that opens the menu only marks the fades
        frame();
    EXPECT_EQ(ChannelPlaying(ambient->Channel), 0);
    EXPECT_EQ(ChannelPlaying(music->Channel), 0);
    EXPECT_EQ(ChannelPlaying(alarm->Channel), 0);
    EXPECT_EQ(ambient->Volume, 0);
    EXPECT_EQ(sound_list.count(), 3) << "the faded one-shot is dropped, not left paused";

    pause_state = 0;
    int frames = 0;
    while ((ambient->Volume < 1 || music->Volume < 1) && frames < 200) {
        frame();
        ++frames;
    }
    EXPECT_LE(frames, 101);
    EXPECT_EQ(ChannelPlaying(ambient->Channel), 1);
    EXPECT_EQ(ChannelPlaying(music->Channel), 1);
    EXPECT_EQ(ChannelPlaying(alarm->Channel), 0) << "other channels are faded back by their owners";
}

TEST_F(Sound, TimeWarpRateLowersEffectsButNotTheClick)
{
    click_ogg = effect_;
    sound_rate = 0.5f;
    TSound* other = DecodeSound(bytes_of(make_wav(1, 16, 10000, 5000)), 0, "other.wav");
    play_sound(click_ogg, 1, 0);
    play_sound(other, 1, 0);
    SoundT* click = first();
    SoundT* effect = sound_list.last();
    EXPECT_EQ(click->Fixed_Rate, 1);
    EXPECT_FLOAT_EQ(click->Channel->rate, 1);
    EXPECT_FLOAT_EQ(effect->Channel->rate, 0.5f);
    sound_rate = 1;  // the warp ends: a started effect keeps its rate
    frame();
    EXPECT_FLOAT_EQ(effect->Channel->rate, 0.5f);
    set_all_sounds_rate(0.25f);
    frame();
    EXPECT_FLOAT_EQ(effect->Channel->rate, 0.25f);
    EXPECT_FLOAT_EQ(click->Channel->rate, 1);
    // The click ends after its 500 ms, the slowed effect after twice (then four times) that.
    for (int i = 0; i < 40; ++i)
        frame();
    EXPECT_EQ(sound_list.count(), 1);
    EXPECT_EQ(sound_list.first()->Sound, other);
    sound_list.clear();
    FreeSound(other);
}

TEST_F(Sound, NamedChannelsFollowTheModeAndLevel)
{
    TSound forest, humans, plane;
    forest_lvl_ogg = &forest;
    near_humans_lvl_ogg = &humans;
    plane_lv_ogg = &plane;
    const std::pair<int, TSound*> cases[] = {{1, &forest}, {4, &forest}, {15, &forest}, {19, &forest},
                                             {5, &humans}, {9, &humans}, {25, &humans}, {30, &humans},
                                             {10, &plane}, {14, &plane}, {20, &plane},  {24, &plane}};
    for (auto [level, expected] : cases) {
        current_level = level;
        menu_requested = 0;
        reset_sound_channels();
        ASSERT_NE(named("ambient"), nullptr) << level;
        EXPECT_EQ(named("ambient")->Sound, expected) << level;
        EXPECT_EQ(named("ambient")->id, "sound");
        EXPECT_NE(named("score"), nullptr);
        EXPECT_EQ(named("sound_test"), nullptr);
        EXPECT_NE(named("overheat"), nullptr);
        EXPECT_NE(named("wingtron_sparkles"), nullptr);
        EXPECT_EQ(named("music")->id, "music");
        EXPECT_EQ(named("music")->Fixed_Rate, 1);
        EXPECT_EQ(sound_list.count(), 8);
    }
    sound_list.clear();
    current_level = 0;
    menu_requested = 1;
    reset_sound_channels();
    EXPECT_EQ(named("ambient"), nullptr);
    EXPECT_EQ(named("overheat"), nullptr);
    EXPECT_EQ(named("wingtron_sparkles"), nullptr);
    EXPECT_NE(named("sound_test"), nullptr);
    EXPECT_NE(named("menu_music"), nullptr);
    EXPECT_EQ(sound_list.count(), 5);
    current_level = 1;
}

TEST_F(Sound, ByNameOperations)
{
    SoundT* a = SoundT::Create_snd_channel("alarm", loop_);
    SoundT* b = SoundT::Create_snd_channel("alarm", loop_);
    SoundT::Create_snd_channel("other", loop_);
    resume_channel_by_name("alarm");
    EXPECT_EQ(ChannelPlaying(a->Channel) + ChannelPlaying(b->Channel), 2);
    set_channel_volume_by_name("alarm", 0.25f);
    EXPECT_FLOAT_EQ(b->Channel->volume, 0.25f);
    b->Fixed_Volume = 1;
    set_channel_volume_by_name("alarm", 0.75f);
    EXPECT_FLOAT_EQ(a->Channel->volume, 0.75f);
    EXPECT_FLOAT_EQ(b->Channel->volume, 0.25f);
    pause_channel_by_name("alarm");
    EXPECT_EQ(ChannelPlaying(a->Channel), 0);
    resume_channel_by_name("alarm");
    remove_channel_by_name("alarm");
    EXPECT_EQ(sound_list.count(), 2);
    EXPECT_EQ(first(), b) << "only the first of the name goes";
    EXPECT_EQ(ChannelPlaying(b->Channel), 0) << "but every one of the name stops";
    stop_and_clear_sounds();
    EXPECT_EQ(sound_list.count(), 0);
}

TEST_F(Sound, ThrottlesResetAfterTheirPeriods)
{
    fly_sound_count = 3;
    free_sound_count = 1;
    container_break_count = 2;
    lazer_hit_count = 5;
    for (int i = 0; i < 10; ++i)
        update_sound_throttles();
    EXPECT_EQ(container_break_count, 0);
    EXPECT_EQ(lazer_hit_count, 0);
    EXPECT_EQ(fly_sound_count, 3);
    for (int i = 0; i < 4; ++i)
        update_sound_throttles();
    EXPECT_EQ(fly_sound_count, 3);
    update_sound_throttles();
    EXPECT_EQ(fly_sound_count, 0) << "reset on the 15th frame";
    EXPECT_EQ(free_sound_count, 0);
    EXPECT_EQ(fly_sound_timer, 0);
    // A guard at 0 does not count.
    for (int i = 0; i < 20; ++i)
        update_sound_throttles();
    EXPECT_EQ(lazer_hit_timer, 0);
}
