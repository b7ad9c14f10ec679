// Sound channels, one-shot effects, fades and the re-trigger guards.
#include "sound/sound.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "persist/profile.h"
#include "platform/audio.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"

float sound_rate = 1;

int fly_sound_count = 0;
int free_sound_count = 0;
int container_break_count = 0;
int lazer_hit_count = 0;
int fly_sound_timer = 0;
int free_sound_timer = 0;
int container_break_timer = 0;
int lazer_hit_timer = 0;

namespace {

constexpr float kFadeInStep = 0.01f;   // per frame: 100 frames from silence to full volume
constexpr float kFadeOutStep = 0.05f;  // per frame: 20 frames from full volume to silence

SoundT* create_channel(const std::string& name, TSound* sound, const std::string& kind, float volume)
{
    auto entry = std::make_unique<SoundT>();
    entry->Sound = sound;
    entry->Channel = CueSound(sound);
    entry->Name = name;
    entry->id = kind;
    SetChannelVolume(entry->Channel, volume);
    entry->Volume = volume;
    return sound_list.add_last(std::move(entry));
}

template <typename F> void for_name(const std::string& name, F f)
{
    sound_list.for_each([&](SoundT& s) {
        if (s.Name == name)
            f(s);
    });
}

// One guard: while raised, its timer counts frames; past the limit both drop to 0.
void step_guard(int& count, int& timer, int limit)
{
    if (count <= 0)
        return;
    timer += 1;
    if (timer > limit) {
        count = 0;
        timer = 0;
    }
}

}  // namespace

SoundT::~SoundT()
{
    FreeChannel(Channel);
}

SoundT* SoundT::Create_snd_channel(const std::string& name, TSound* sound)
{
    return create_channel(name, sound, "sound", sound_volume);
}

SoundT* SoundT::Create_music_channel(const std::string& name, TSound* sound)
{
    SoundT* s = create_channel(name, sound, "music", music_volume);
    s->Fixed_Rate = 1;
    return s;
}

void SoundT::Play_Channel()
{
    if (!ChannelPlaying(Channel))
        ResumeChannel(Channel);
}

void SoundT::Pause_Channel()
{
    if (ChannelPlaying(Channel))
        PauseChannel(Channel);
}

void SoundT::Stop_Channel()
{
    if (ChannelPlaying(Channel))
        StopChannel(Channel);
}

void SoundT::SetVolume()
{
    if (Fixed_Volume != 1)
        SetChannelVolume(Channel, Volume);
}

void SoundT::SetRate()
{
    if (Fixed_Rate != 1)
        SetChannelRate(Channel, Rate);
}

void SoundT::Update()
{
    if (Fade_var == 1 && (id == "sound" || id == "music")) {
        const float target = id == "music" ? music_volume : sound_volume;
        Play_Channel();
        if (Volume < target)
            Volume += kFadeInStep;
        if (Volume >= target - 1e-4f) {
            Volume = target;
            Fade_var = 0;
        }
        SetVolume();
    }
    if (Fade_var == 2) {
        if (Volume > 0) {
            Volume = std::max(0.0f, Volume - kFadeOutStep);
            if (Volume < 1e-4f)
                Volume = 0;  // twenty steps of 0.05 land exactly on silence
            SetVolume();
        }
        if (Volume <= 0) {
            Pause_Channel();
            Fade_var = 0;
        }
    }

    if (pause_state == 1 && level_running == 1) {
        Fade_var = 2;
    } else if (pause_state != 1 && menu_requested == 0 && level_start_pending == 0) {
        if (Name == "ambient" || Name == "music")
            Fade_var = 1;
    }

    if (delete_after_played == 1 && !ChannelPlaying(Channel)) {
        // A one-shot that ended, or one the pause faded out and paused: nothing resumes
        // it, so it is stopped and dropped rather than left in the list.
        StopChannel(Channel);
        sound_list.remove(this);
        return;
    }
    SetRate();
}

void SoundT::dump_fields(nlohmann::json& out) const
{
    out["type"] = "SoundT";
    out["Sound"] = Sound ? Sound->source : "";
    out["Channel"] = Channel ? ChannelPlaying(Channel) : 0;  // 1 while sounding
    out["Name"] = Name;
    out["id"] = id;
    out["Life"] = Life;
    out["Volume"] = Volume;
    out["Fade_var"] = Fade_var;
    out["Fixed_Rate"] = Fixed_Rate;
    out["Fixed_Volume"] = Fixed_Volume;
    out["Rate"] = Rate;
    out["delete_after_played"] = delete_after_played;
}

float pan_of_x(float x)
{
    if (x == 0)
        return 0;
    x = std::clamp(x, 237.0f, 730.0f);
    return std::clamp((x - 483.0f) / 240.0f, -1.0f, 1.0f);
}

void play_sound(TSound* sound, float volume, float x)
{
    if (!sound)
        return;
    auto entry = std::make_unique<SoundT>();
    entry->Sound = sound;
    entry->Channel = CueSound(sound);
    entry->Volume = volume;
    entry->Rate = sound_rate;
    entry->delete_after_played = 1;
    if (sound == click_ogg) {
        // Menu and slot clicks keep their pitch through the time warp.
        entry->Fixed_Rate = 1;
        entry->Rate = 1.0f;
    }
    entry->SetVolume();
    SetChannelRate(entry->Channel, entry->Rate);
    SetChannelPan(entry->Channel, pan_of_x(x));
    ResumeChannel(entry->Channel);
    sound_list.add_last(std::move(entry));
}

void stop_and_clear_sounds()
{
    sound_list.for_each([](SoundT& s) { s.Stop_Channel(); });
    sound_list.clear();
}

void stop_all_sounds()
{
    sound_list.for_each([](SoundT& s) { s.Stop_Channel(); });
}

void pause_all_sounds()
{
    sound_list.for_each([](SoundT& s) { s.Pause_Channel(); });
}

void fade_out_all_sounds()
{
    sound_list.for_each([](SoundT& s) { s.Fade_var = 2; });
}

void fade_in_all_sounds()
{
    sound_list.for_each([](SoundT& s) { s.Fade_var = 1; });
}

void set_all_sounds_rate(float rate)
{
    sound_list.for_each([&](SoundT& s) {
        if (s.Fixed_Rate == 0)
            s.Rate = rate;
    });
}

void resume_channel_by_name(const std::string& name)
{
    for_name(name, [](SoundT& s) { s.Play_Channel(); });
}

void pause_channel_by_name(const std::string& name)
{
    for_name(name, [](SoundT& s) { s.Pause_Channel(); });
}

void stop_channel_by_name(const std::string& name)
{
    for_name(name, [](SoundT& s) { s.Stop_Channel(); });
}

void remove_channel_by_name(const std::string& name)
{
    SoundT* first = nullptr;
    for_name(name, [&](SoundT& s) {
        s.Stop_Channel();
        if (!first)
            first = &s;
    });
    if (first)
        sound_list.remove(first);
}

void fade_out_channel_by_name(const std::string& name)
{
    for_name(name, [](SoundT& s) { s.Fade_var = 2; });
}

void fade_in_channel_by_name(const std::string& name)
{
    for_name(name, [](SoundT& s) { s.Fade_var = 1; });
}

void set_channel_volume_by_name(const std::string& name, float volume)
{
    for_name(name, [&](SoundT& s) {
        s.Volume = volume;
        s.SetVolume();
    });
}

void set_channel_rate_by_name(const std::string& name, float rate)
{
    for_name(name, [&](SoundT& s) {
        s.Rate = rate;
        s.SetRate();
    });
}

void create_sound_channels()
{
    const int lv = current_level;
    if ((lv >= 1 && lv <= 4) || (lv >= 15 && lv <= 19))
        SoundT::Create_snd_channel("ambient", forest_lvl_ogg);
    else if ((lv >= 5 && lv <= 9) || lv >= 25)
        SoundT::Create_snd_channel("ambient", near_humans_lvl_ogg);
    else if ((lv >= 10 && lv <= 14) || (lv >= 20 && lv <= 24))
        SoundT::Create_snd_channel("ambient", plane_lv_ogg);

    TSound* const tracks[] = {Main_track1_ogg, Main_track2_ogg, Main_track3_ogg, Main_track4_ogg};
    SoundT::Create_music_channel("music", tracks[Rand(1, 4) - 1]);
    SoundT::Create_music_channel("menu_music", Menu_theme_ogg);
    SoundT::Create_music_channel("intro_music", intro_story_ogg);
    SoundT::Create_music_channel("outro_music", end_story_ogg);

    if (menu_requested == 1)
        SoundT::Create_snd_channel("sound_test", lazer_l_ogg_loop);
    else
        SoundT::Create_snd_channel("score", score_count_ogg);

    if (lv > 0) {
        SoundT::Create_snd_channel("overheat", wingtron_overheated_ogg);
        SoundT::Create_snd_channel("wingtron_sparkles", wingtron_sparkles_ogg);
    }
}

void reset_sound_channels()
{
    stop_and_clear_sounds();
    create_sound_channels();
}

void update_sound_throttles()
{
    step_guard(fly_sound_count, fly_sound_timer, 14);
    step_guard(free_sound_count, free_sound_timer, 14);
    step_guard(container_break_count, container_break_timer, 9);
    step_guard(lazer_hit_count, lazer_hit_timer, 9);
}
