// Every playback of the game: named looping channels and one-shot effects with fades,
// volumes, panning and the time-warp rate.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

struct TSound;

extern float sound_rate;  // playback rate, lowered during the time warp

// Re-trigger guards: raised by the sound's owner each time it starts the sound, reset to 0
// by update_sound_throttles after a quiet spell.
extern int fly_sound_count;        // fly arrivals
extern int free_sound_count;       // flies set free
extern int container_break_count;  // containers broken
extern int lazer_hit_count;        // laser hits

class SoundT {
public:
    virtual ~SoundT() = default;
    void Update();
    void dump_fields(nlohmann::json& out) const;
};

// One-shot effect panned by screen x (0 = centre).
void play_sound(TSound* sound, float volume, float x);
// Stops and removes every channel, then creates the named channels of the current mode.
void reset_sound_channels();
void resume_channel_by_name(const std::string& name);
// Once per frame after the channels' updates: the sound re-trigger guards.
void update_sound_throttles();
