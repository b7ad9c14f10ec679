// Toxic containers that drop into the web and are broken by weapons.
#pragma once

#include "entities/actor.h"

class ContainerT : public Actor {
public:
    void Update();
    const char* type_name() const override { return "ContainerT"; }
};
