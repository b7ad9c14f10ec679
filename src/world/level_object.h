// Scenery of a level: the back and front pictures chosen by the level's range, the
// pulsing sun and glow, the swinging pail, the swaying grass and the web itself, whose
// sway every creature hanging in it copies through web_offset_x/web_offset_y.
#pragma once

#include <string>

#include "entities/actor.h"

extern float web_offset_x, web_offset_y;  // current sway of the web, pixels (about -0.3..0.3)
extern int web_shaking;                   // 1 while a walking spider shakes the web
extern int web_flash;                     // 1 while the web flashes red
extern int web_flash_timer;               // 510 at the start of a flash, counts down by 5

class levelObT : public Actor {
public:
    int script = 0;          // creation tag, not read
    int CustomVar = 1;       // pulse direction: 1 growing or brightening, 2 shrinking or dimming
    std::string name;        // behaviour: "Sun", "web", "anim_tree", "pail", "glow_ukraine"; else a plain picture
    float width_Pl = 1024;   // right edge (absolute x, pixels) of a swaying grass strip
    float height_Pl = 706;   // kept for some grass strips, not read

    // Builds the scenery of a level into level_back_list and level_front_list; levels below
    // 1 have none, 25 and above share the last set.
    static void load_level(int level);
    // Per-name behaviour and drawing of the web and the grass.
    void Web_Update();
    // Per frame: the sun's pulse, Web_Update, then the ordinary drawing.
    void update();
    // Removes the object from level_back_list.
    void free_level();

    const char* type_name() const override { return "levelObT"; }
    void dump_fields(nlohmann::json& out) const override;
};
