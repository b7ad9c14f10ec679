// Spiders: enter the web, grow hungry, walk to trapped flies and eat them.
#pragma once

#include "entities/actor.h"

class SpiderT : public Actor {
public:
    // Creates the level's spiders (count 1 or 2).
    static void Create_New(int count);
    void Update();
    const char* type_name() const override { return "SpiderT"; }
};
