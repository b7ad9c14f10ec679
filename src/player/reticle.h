// The aiming reticle that follows the pointer.
#pragma once

#include "entities/actor.h"

class pPricelT : public Actor {
public:
    static void Create_New();
    void Update();
    const char* type_name() const override { return "pPricelT"; }
};
