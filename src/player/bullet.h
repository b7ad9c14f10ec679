// Projectiles of every weapon.
#pragma once

#include "entities/actor.h"

class BulletT : public Actor {
public:
    void update();
    const char* type_name() const override { return "BulletT"; }
};
