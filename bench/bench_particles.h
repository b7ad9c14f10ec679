// Live particles for benchmarks: every preset of the game's effects in turn, topped up
// to a target count each frame so the mix is what the game's effects leave behind.
#pragma once

#include <functional>
#include <vector>

#include "fx/emitter.h"
#include "platform/input.h"
#include "state/lists.h"
#include "world/fly.h"

namespace bench {

inline int live_particles()
{
    return emitter_layer_1.count() + emitter_layer_2.count() + emitter_layer_3.count() + emitter_layer_4.count();
}

inline int trapped()
{
    int n = 0;
    fly_list.for_each([&](FlyT& f) { n += f.status == 1 ? 1 : 0; });
    return n;
}

inline int rnd_x() { return static_cast<int>(Rnd(50, 970)); }
inline int rnd_y() { return static_cast<int>(Rnd(50, 700)); }

// Every preset in turn, so the live mix is what the game's effects leave behind.
inline const std::vector<std::function<void()>>& presets()
{
    static const std::vector<std::function<void()>> all = {
        [] { emitterT::Create_New_Emitter(rnd_x(), rnd_y(), 60, 1); },
        [] { emitterT::Create_New_Emitter(rnd_x(), rnd_y(), 3, 2); },
        [] { emitterT::Create_New_Emitter(rnd_x(), rnd_y(), 40, 3); },
        [] { emitterT::Create_New_Emitter(rnd_x(), rnd_y(), 30, 7); },
        [] { emitterT::Create_New_Emitter(rnd_x(), rnd_y(), 30, 11); },
        [] { emitterT::Butterfly_Particle(rnd_x(), rnd_y(), 1 + Rand(0, 1)); },
        [] { emitterT::Collision_Lazer_r(rnd_x(), rnd_y(), 1, 1); },
        [] { emitterT::Bomb_Lighting_Particle(rnd_x(), rnd_y(), 2); },
        [] { emitterT::Create_freezing(rnd_x(), rnd_y(), 45, 2); },
        [] { emitterT::Create_AlphaMissle_particle(rnd_x(), rnd_y(), 45, 2); },
        [] { emitterT::Create_freezing_exp(rnd_x(), rnd_y(), 2); },
        [] { emitterT::Alpha_Lighting_Particle(rnd_x(), rnd_y(), 2); },
        [] { emitterT::Shield_main_Particle(rnd_x(), rnd_y()); },
        [] { emitterT::Shield_Lighting_Particle(rnd_x(), rnd_y(), 2); },
        [] { emitterT::Fallin_module(rnd_x(), rnd_y(), 30); },
        [] { emitterT::Bomb_expl_light(rnd_x(), rnd_y()); },
        [] { emitterT::Dead_Fly_FX(rnd_x(), rnd_y()); },
        [] { emitterT::Lure_waves(rnd_x(), rnd_y()); },
        [] { emitterT::Fix_waves(rnd_x(), rnd_y()); },
        [] { emitterT::SpecUp_waves(rnd_x(), rnd_y(), 0.2f, 100); },
        [] { emitterT::SpecGUI_apear(rnd_x(), rnd_y()); },
        [] { emitterT::Black_smoke_exp(rnd_x(), rnd_y(), 5); },
    };
    return all;
}

inline void top_up(int target)
{
    static size_t next = 0;
    while (live_particles() < target) {
        presets()[next % presets().size()]();
        ++next;
    }
}

}  // namespace bench
