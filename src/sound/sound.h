// Every playback of the game: named looping channels (ambience, music, alarm loops) that
// are cued paused and faded by name, and one-shot effects that remove themselves when
// done. Fades aim at the two configured volumes; the time warp lowers the rate.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

struct TSound;
struct TChannel;

extern float sound_rate;  // playback rate of effects: 1 normally, lower during the time warp

// Re-trigger guards: raised by the sound's owner each time it starts the sound, reset to 0
// by update_sound_throttles after a quiet spell.
extern int fly_sound_count;        // fly arrivals
extern int free_sound_count;       // flies set free
extern int container_break_count;  // containers broken
extern int lazer_hit_count;        // laser hits
// Frames each guard has been above 0: past 14 (fly, free) or 9 (container, laser) the
// guard and its timer drop back to 0.
extern int fly_sound_timer;
extern int free_sound_timer;
extern int container_break_timer;
extern int lazer_hit_timer;

class SoundT {
public:
    TSound* Sound = nullptr;      // kept for reference; the channel plays it
    TChannel* Channel = nullptr;  // owned; cued paused at creation, nullptr without a sound
    std::string Name;             // group name for the by-name operations
    std::string id = "sound";     // volume class: "sound" (effects) or "music"
    int Life = -1;
    float Volume = 1.0f;          // current volume, 0..1
    int Fade_var = 0;             // 0 steady, 1 fading in, 2 fading out
    int Fixed_Rate = 0;           // 1: the rate is never changed
    int Fixed_Volume = 0;         // 1: the volume is never applied
    float Rate = 1.0f;            // playback rate
    int delete_after_played = 0;  // 1: removed once the channel has stopped

    SoundT() = default;
    SoundT(const SoundT&) = delete;
    SoundT& operator=(const SoundT&) = delete;
    virtual ~SoundT();

    // A named effects channel at the sound volume, cued paused, appended to sound_list.
    static SoundT* Create_snd_channel(const std::string& name, TSound* sound);
    // The same in the music class: music volume, rate fixed.
    static SoundT* Create_music_channel(const std::string& name, TSound* sound);

    void Play_Channel();   // resumes the channel unless it is playing
    void Pause_Channel();  // pauses it if it is playing
    void Stop_Channel();   // stops it if it is playing
    void SetVolume();      // applies Volume unless Fixed_Volume is 1
    void SetRate();        // applies Rate unless Fixed_Rate is 1
    // Per frame: fades, pause coupling, removal of finished one-shots, rate.
    void Update();

    void dump_fields(nlohmann::json& out) const;
};

// One-shot effect at the given volume, panned by screen x (0 = centre). Does nothing
// when the sound is missing.
void play_sound(TSound* sound, float volume, float x);
// Stereo position of screen x: 0 for x = 0, else -1 (x <= 237) .. 1 (x >= 730).
float pan_of_x(float x);

// Over the whole of sound_list.
void stop_and_clear_sounds();
void stop_all_sounds();
void pause_all_sounds();
void fade_out_all_sounds();
void fade_in_all_sounds();
void set_all_sounds_rate(float rate);  // entries without a fixed rate; applied by Update

// Over the entries of one name.
void resume_channel_by_name(const std::string& name);
void pause_channel_by_name(const std::string& name);
void stop_channel_by_name(const std::string& name);
// Stops the entries of that name and removes the first of them.
void remove_channel_by_name(const std::string& name);
void fade_out_channel_by_name(const std::string& name);
void fade_in_channel_by_name(const std::string& name);
void set_channel_volume_by_name(const std::string& name, float volume);
void set_channel_rate_by_name(const std::string& name, float rate);

// The named channels of the current mode (menu or level current_level), all cued paused.
void create_sound_channels();
// Menu entry and level start: stops and removes every channel, then creates the named
// channels of the current mode.
void reset_sound_channels();
// Once per frame after the channels' updates: the re-trigger guards.
void update_sound_throttles();
