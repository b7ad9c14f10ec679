// The Wingtron: the player's robot fly on its branch.
#pragma once

#include "entities/actor.h"

extern float temperature;  // robot heat; overheated above 100
extern int robot_damaged;  // 1 while broken

class roboFlyT : public Actor {
public:
    static void initialize_robo_fly();
    void Update();
    const char* type_name() const override { return "roboFlyT"; }
};
