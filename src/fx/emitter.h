// Short-lived visual effects: invisible emitters that spawn particles every frame and the
// drawn particles themselves, each living on one of the four effect layers.
#pragma once

#include <string>

#include "entities/actor.h"
#include "state/tlist.h"

// One effect object. `name` "emitter" spawns particles by `script` and draws nothing;
// `name` "particle" is drawn and behaves by `script`. Every object lives `life` frames.
//
// The creation functions fix picture, look, lifetime and layer of each effect, append the
// object to its layer and return it (nullptr when a chance roll spawned nothing). Callers
// may ignore the result. Coordinates are whole screen pixels.
class emitterT : public Actor {
public:
    std::string script;       // behaviour name; "0" means plain
    int life = 100;           // frames left; removed at 0 or less
    int destination_x = 0;    // not used
    int destination_y = 0;    // not used
    int speed = 0;            // not used
    std::string name;         // "emitter" or "particle"
    int fade = 1;             // 1: the generic fade-in applies
    int switcher = 1;         // smoke puff spin: 1 clockwise, 2 counter-clockwise
    float SinA = 0;           // wing flutter phase, degrees
    float SinB = 90;          // second flutter phase, degrees
    float transX = 0;         // last flutter offset, pixels
    float transY = 0;
    float MaxAlpha = 0.7f;    // target opacity of the fade-in, 0..1
    int FadeStartTime = 50;   // `life` at and below which the fade-in stops
    int direction = 0;        // not used

    // The layer list the object was appended to (emitter_layer_1..4); it removes itself
    // from there when its life runs out. nullptr for an object not in any layer.
    TList<emitterT>* layer = nullptr;

    // Emitters and a few fixed-look particles, by kind (1, 2, 3, 4, 6, 7, 8, 10, 11).
    // Kind 2 always lives 3 frames. Unknown kinds create nothing.
    static emitterT* Create_New_Emitter(int x, int y, int life, int kind);
    // A falling butterfly wing; side 2 is the mirrored wing.
    static emitterT* Butterfly_Particle(int x, int y, int side);
    // Laser hit flash; also plays a throttled hit sound.
    static emitterT* Collision_Lazer_r(int x, int y, float size, float alpha);
    // Presets with a chance argument spawn only when Int(Rnd(1, chance)) is 1.
    static emitterT* Bomb_Lighting_Particle(int x, int y, int chance);
    static emitterT* Create_freezing(int x, int y, float angle, int chance);
    static emitterT* Create_AlphaMissle_particle(int x, int y, float angle, int chance);
    static emitterT* Create_freezing_exp(int x, int y, int chance);
    static emitterT* Alpha_Lighting_Particle(int x, int y, int chance);
    static emitterT* Shield_main_Particle(int x, int y);
    static emitterT* Shield_Lighting_Particle(int x, int y, int chance);
    // The spent lure module falling off the web, spinning.
    static emitterT* Fallin_module(int x, int y, float angle);
    static emitterT* Bomb_expl_light(int x, int y);
    static emitterT* Dead_Fly_FX(int x, int y);
    static emitterT* Lure_waves(int x, int y);
    static emitterT* Fix_waves(int x, int y);
    static emitterT* SpecUp_waves(int x, int y, float size, int life);
    static emitterT* SpecGUI_apear(int x, int y);
    // `count` smoke puffs at once; returns the last one (nullptr for count < 1).
    static emitterT* Black_smoke_exp(int x, int y, int count);

    // Emitters only: spawn this frame's particles.
    void Particles_born();
    // Particles only: the generic fade and the per-script behaviour.
    void Update_articles_scenarios();
    // Once per frame: logic unless paused, draw, and leave the layer when life is over.
    void Update();

    const char* type_name() const override { return "emitterT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// The chance rule of the presets: true when Int(Rnd(1, chance)) is 1.
bool emitter_chance(int chance);
