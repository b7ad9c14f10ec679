// The Wingtron: the player's robot fly on its branch.
#pragma once

#include "entities/actor.h"

extern float temperature;  // robot heat; overheated above 100
extern int robot_damaged;  // 1 while broken
extern int robot_home_x;   // where the robot rests on its branch: (332, 617)
extern int robot_home_y;

class roboFlyT : public Actor {
public:
    uint8_t Curr_animation = 0;  // animation state 0..6 (2..5: away from the branch)
    static void initialize_robo_fly();
    void Update();
    const char* type_name() const override { return "roboFlyT"; }
};
