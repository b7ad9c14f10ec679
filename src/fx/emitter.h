// Particle emitters and particles on the four effect layers.
#pragma once

#include "entities/actor.h"

class emitterT : public Actor {
public:
    void Update();
    const char* type_name() const override { return "emitterT"; }
};
