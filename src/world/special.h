// Falling specials: a winged box that floats down swinging, gets caught in the web and
// shows a glowing question mark until the robot fetches the weapon it carries.
#pragma once

#include "entities/actor.h"

class FlySpecT : public Actor {
public:
    float SinA = 0;        // swing phase, degrees
    float SinB = 90;       // not used
    float transX = 0;      // current swing offset, pixels (up to 155 either side)
    float transY = 0;      // current bob, pixels (0..15 once folded to its size)
    int script = 1;        // 1 flying, 2 landing, 3 caught in the web, 5 collected by the robot
    float fly_time = 0;    // frames of flight left
    int item = 1;          // weapon carried: 1 laser, 2 bomb, 3 freeze, 4 shield, 5 alpha missile, 6 time warp
    int id = 0;            // index in special_list at creation
    int parti_timer = 0;   // frames since the last wave ring, 0..75

    // A "SpecUp" level event: a special carrying `item` that lands after `fly_time` frames.
    static FlySpecT* Create_New(int item, float fly_time);
    void update_scripts();
    void update_Flying();
    void Update_Web_translate();
    void draw_question();
    // Once per frame: logic unless paused, then draw.
    void Update();

    const char* type_name() const override { return "FlySpecT"; }
    void dump_fields(nlohmann::json& out) const override;
};
