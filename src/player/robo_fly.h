// The Wingtron: the player's robot fly on its branch. While it rests it aims at the pointer
// and fires the active slot's weapon; every shot heats it, too much heat breaks it until
// the player repairs it, and a click on a caught special sends it to fetch a new weapon.
#pragma once

#include "entities/actor.h"
#include "state/play.h"  // temperature, robot_damaged, robot_Curr_animation

extern int robot_home_x;    // where the robot rests on its branch, pixels
extern int robot_home_y;
extern int robot_launch_x;  // where fetch flights start and end, pixels
extern int robot_launch_y;

// Above this heat the overheat alarm sounds and the HUD washes the screen red.
constexpr float kOverheatAlarm = 75;

class roboFlyT : public Actor {
public:
    uint8_t Curr_animation = 2;     // animation state 0..6 (2..5: climbing or away from the branch)
    uint8_t action = 0;             // 0 resting, 1 taking off, 2 flying out, 3 landing, 4 flying back
    int Destination_point = 0;      // index in special_list of the special being fetched
    int Destination_pointFlys = 0;  // id of the fly the laser is aimed at
    uint8_t damaged = 0;            // 1 while broken by overheating
    int delay_timer = 0;            // frames to wait before moving
    float target_speed = 0;         // frames one leg of the flight takes (a divisor)
    int fly_time = 0;               // frames spent moving on the outward leg
    uint8_t weapon = 1;             // 1 from creation; the slice's second release path needs it
    uint8_t miss_times = 0;         // consecutive left clicks that hit nothing
    int miss_times_timer = 0;       // frames since the miss series began
    uint8_t fix_times = 0;          // clicks on the repair icon still needed
    float fix_green_alpha = 0;      // green hover highlight of the repair icon, 0..1
    int Fix_X = 0, Fix_Y = 0;       // top-left corner of the repair icon, pixels
    int fix_timer = 0;              // 0..60, the icon's wave ring
    float Fix_alpha = 0;            // fade-in of the repair icon, 0..1
    float x_returnP = 0;            // the special's grab point, start of the way back
    float y_returnP = 0;

    roboFlyT();
    ~roboFlyT() override;

    // The level's robot at home, climbing onto its branch; appended to robot_list.
    static void initialize_robo_fly();
    // Picture and play mode of the animation state, and the state changes of resting.
    void animation_eneble();
    // Aiming, firing and misses while resting; the fetch flight otherwise.
    void action_script();
    void UpdateTemperature();
    void Update_miss_times();
    // Broken: darkening, smoke and the repair icon; whole: the alarm and the tint's return.
    void DrawFixImage();
    // The blast preview under the pointer while the middle button or space is held.
    void Draw_Hit_zone(int target);
    void Update();

    const char* type_name() const override { return "roboFlyT"; }
    void dump_fields(nlohmann::json& out) const override;

private:
    // Applies the strip settings of an animation state (1..6) and plays it.
    void enter_animation(int state);
    // The aiming block: the target state of this frame (0 nothing, 1 fly or free aim, 3 special).
    int aim_and_fire();
    void miss();
    void fetch_flight();
    void pick_up_special(class FlySpecT& s);
};
