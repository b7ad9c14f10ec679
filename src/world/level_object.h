// Scenery of a level (back and front layers) and the swaying web.
#pragma once

#include <cstdint>

#include "entities/actor.h"

extern float web_offset_x, web_offset_y;  // current sway of the web, pixels
extern int web_flash;                     // 1 while the web flashes red
extern int web_flash_timer;               // frames

class levelObT : public Actor {
public:
    static void load_level(int level);
    void update();
    void free_level();
    const char* type_name() const override { return "levelObT"; }
};
