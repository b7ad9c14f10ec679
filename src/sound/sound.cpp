// Sound channels.
#include "sound/sound.h"

#include <nlohmann/json.hpp>

float sound_rate = 1;

void SoundT::Update() {}

void play_sound(TSound* /*sound*/, float /*volume*/, float /*x*/) {}

void reset_sound_channels() {}

void resume_channel_by_name(const std::string& /*name*/) {}

void update_sound_throttles() {}

void SoundT::dump_fields(nlohmann::json& out) const { out["type"] = "SoundT"; }
