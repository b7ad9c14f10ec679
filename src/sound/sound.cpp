// Sound channels.
#include "sound/sound.h"

#include <nlohmann/json.hpp>

float sound_rate = 1;
int fly_sound_count = 0;
int free_sound_count = 0;
int container_break_count = 0;
int lazer_hit_count = 0;

void SoundT::Update() {}

void play_sound(TSound* /*sound*/, float /*volume*/, float /*x*/) {}

void reset_sound_channels() {}

void resume_channel_by_name(const std::string& /*name*/) {}

void update_sound_throttles() {}

void SoundT::dump_fields(nlohmann::json& out) const { out["type"] = "SoundT"; }
