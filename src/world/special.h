// Falling specials that bring new weapons.
#pragma once

#include "entities/actor.h"

class FlySpecT : public Actor {
public:
    void Update();
    const char* type_name() const override { return "FlySpecT"; }
};
