// Toxic containers: canisters that tumble down, stick in the web with a pulsing green
// glow and wait for a weapon to break them into a cloud of smoke.
#pragma once

#include <string>

#include "entities/actor.h"

class ContainerT : public Actor {
public:
    float SinA = 0;             // not used
    float SinB = 90;            // not used
    float transX = 0;           // not used
    float transY = 0;           // not used
    int script = 1;             // 1 falling, 2 stuck in the web, 3 broken (removed at its next update)
    float fly_time = 0;         // frames of fall left before it may stick
    int item = 1;               // not used
    int id = 0;                 // index in container_list at creation
    int switch_ = 1;            // glow direction: 1 dimming, 0 brightening ("switch" in dumps)
    int switch_time = 0;        // glow level, 0..100
    int Hull_transform = 1;     // 1 until the hit area has been fitted to the landing angle
    int Half_hull_width = 10;   // half extents weapons test against, pixels
    int Half_hull_height = 20;
    std::string name;           // not used

    // A "container" level event: a container dropping at x that may stick after
    // `fly_time` frames.
    static ContainerT* Create_New(int x, float fly_time);
    void update_scripts();
    void UpdateHull_size();
    void update_Flying();
    void Update_Web_translate();
    void Update_Container_eff();
    void Update_Container_eff_timer();
    // Once per frame: logic unless paused, then draw.
    void Update();

    const char* type_name() const override { return "ContainerT"; }
    void dump_fields(nlohmann::json& out) const override;
};
