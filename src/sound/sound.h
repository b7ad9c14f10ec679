// Every playback of the game: named looping channels and one-shot effects with fades,
// volumes, panning and the time-warp rate.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

struct TSound;

extern float sound_rate;  // playback rate, lowered during the time warp

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
