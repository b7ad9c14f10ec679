// Flies in the web: they arrive zooming in, hang trapped and struggle, can be set free,
// frozen or shielded by weapons and are eaten into cocoons by spiders. The same type
// carries the invisible spider entrance markers and the lure module decoy.
#pragma once

#include <string>

#include "entities/actor.h"

class FlyT : public Actor {
public:
    float fly_time = 135;       // frames of arrival left; arriving while above 0
    float life = 100;           // what a spider must eat away before the fly is a cocoon
    float free_life = 100;      // strength of the web's hold; set free at 0 or below
    int kalories = 6;           // hunger a spider loses by eating this fly
    int Half_hull_width = 0;    // half extents of the hit area used by weapons, pixels
    int Half_hull_height = 0;
    int id = 0;                 // index of this fly in fly_list
    std::string name = "Fly";   // "normal", "komar", "butterfly", "Enterence", "Enterence2", "lure_module"
    float freeze_time = 0;      // frames of freeze left
    int lure_eff_timer = 0;     // frames since the lure module's last pulse, 0..40
    int fly_avail = 1;          // 1 while trapped or shielded: weapons may act on it
    int score = 0;              // points for setting it free
    int caution = 0;            // 1 while a spider is eating it (warning sign shown)
    int caution_delta = 0;      // blink counter of the warning sign, 0..29
    float life_bar_alpha = 1;   // 0..1; fades once the fly is set free
    int status = 0;             // 0 arriving, 1 trapped, 2 eaten, 3 set free, 4 frozen, 5 shielded
    int Fly_point_create = 0;   // 1 once its web point exists
    int shielded_timer = 0;     // frames of shield left (counted down twice a frame)

    // A fly of kind 1 "normal", 2 "komar", 3 "butterfly" or 4 entrance marker at (x, y),
    // appended to fly_list.
    static void Create_New(int x, int y, int kind);
    // The lure module, trapped at once where the lure shot landed.
    static void create_lure_module(int x, int y, float angle);

    void update_lure_effect();
    void Different_status_update();
    void Update_Web_translate();
    void Update_shielded();
    void Update_Avail();
    void Freeing_Fly();
    // The web-hold bar over the fly and the blinking warning sign while it is eaten.
    void Draw_life_bar();
    void Update();

    const char* type_name() const override { return "FlyT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// The fly whose id is given, nullptr if there is none.
FlyT* find_fly(int id);
