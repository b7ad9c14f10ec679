// Weapon slots and cooling modules.
#pragma once

#include "entities/actor.h"

extern int active_slot;     // 1..4
extern int active_weapon;   // weapon of the active slot
extern int free_slots;      // empty slots, 4 at level start
extern int slice_pending;   // 0/1
extern int cooling_frames;  // frames of cooling left

class power_upsT : public Actor {
public:
    static void CreatePower_Ups();
    void update();
    const char* type_name() const override { return "power_upsT"; }
};

// Reads the level's starting arsenal and cooling modules.
void load_level_arsenal(int level);
