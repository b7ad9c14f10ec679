// Menu widgets.
#pragma once

#include "entities/actor.h"

class GuiT : public Actor {
public:
    const char* type_name() const override { return "GuiT"; }
};
