// Projectiles.
#include "player/bullet.h"

void BulletT::update() { MethodDrawEntity(); }
