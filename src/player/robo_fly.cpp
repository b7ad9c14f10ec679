// The robot fly.
#include "player/robo_fly.h"

float temperature = 0;
int robot_damaged = 0;

void roboFlyT::initialize_robo_fly() {}

void roboFlyT::Update() { MethodDrawEntity(); }
