// The robot fly.
#include "player/robo_fly.h"

float temperature = 0;
int robot_damaged = 0;
int robot_home_x = 332;
int robot_home_y = 617;

void roboFlyT::initialize_robo_fly() {}

void roboFlyT::Update() { MethodDrawEntity(); }
