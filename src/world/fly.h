// Trapped flies, spider entrance markers and lure modules.
#pragma once

#include "entities/actor.h"

class FlyT : public Actor {
public:
    int status = 0;             // 0 arriving, 1 trapped, 2 eaten, 3 set free, 4 frozen, 5 shielded
    float life_bar_alpha = 0;   // 0..1
    void Update();
    void Draw_life_bar();
    const char* type_name() const override { return "FlyT"; }
};
