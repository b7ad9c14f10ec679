// Emitters and particles.
#include "fx/emitter.h"

#include <nlohmann/json.hpp>

#include "platform/input.h"
#include "shell/globals.h"

bool emitter_chance(int chance) { return static_cast<int>(Rnd(1, chance)) == 1; }

emitterT* emitterT::Create_New_Emitter(int, int, int, int) { return nullptr; }
emitterT* emitterT::Butterfly_Particle(int, int, int) { return nullptr; }
emitterT* emitterT::Collision_Lazer_r(int, int, float, float) { return nullptr; }
emitterT* emitterT::Bomb_Lighting_Particle(int, int, int) { return nullptr; }
emitterT* emitterT::Create_freezing(int, int, float, int) { return nullptr; }
emitterT* emitterT::Create_AlphaMissle_particle(int, int, float, int) { return nullptr; }
emitterT* emitterT::Create_freezing_exp(int, int, int) { return nullptr; }
emitterT* emitterT::Alpha_Lighting_Particle(int, int, int) { return nullptr; }
emitterT* emitterT::Shield_main_Particle(int, int) { return nullptr; }
emitterT* emitterT::Shield_Lighting_Particle(int, int, int) { return nullptr; }
emitterT* emitterT::Fallin_module(int, int, float) { return nullptr; }
emitterT* emitterT::Bomb_expl_light(int, int) { return nullptr; }
emitterT* emitterT::Dead_Fly_FX(int, int) { return nullptr; }
emitterT* emitterT::Lure_waves(int, int) { return nullptr; }
emitterT* emitterT::Fix_waves(int, int) { return nullptr; }
emitterT* emitterT::SpecUp_waves(int, int, float, int) { return nullptr; }
emitterT* emitterT::SpecGUI_apear(int, int) { return nullptr; }
emitterT* emitterT::Black_smoke_exp(int, int, int) { return nullptr; }

void emitterT::Particles_born() {}
void emitterT::Update_articles_scenarios() {}

void emitterT::Update()
{
    if (pause_state == 0)
        life -= 1;
    MethodDrawEntity();
    if (life <= 0 && layer)
        layer->remove(this);
}

void emitterT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["script"] = script;
    o["life"] = life;
}
