// Level scenery.
#include "world/level_object.h"

float web_offset_x = 0, web_offset_y = 0;
int web_flash = 0;
int web_flash_timer = 0;

void levelObT::load_level(int /*level*/) {}

void levelObT::update() { MethodDrawEntity(); }

void levelObT::free_level() {}
