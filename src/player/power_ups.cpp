// Weapon slots.
#include "player/power_ups.h"

int active_slot = 1;
int active_weapon = 1;
int free_slots = 4;
int slice_pending = 0;
int cooling_frames = 0;

void power_upsT::CreatePower_Ups() {}

void power_upsT::update() { MethodDrawEntity(); }

void load_level_arsenal(int /*level*/) {}
