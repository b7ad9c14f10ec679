// Spiders: each enters the web at its entrance marker, then picks trapped flies through
// their web points, walks to them and eats them into cocoons. Hunger grows all the time;
// a spider at 100 starves and drops off. All starved wins the level; too many flies eaten
// loses it.
#pragma once

#include "entities/actor.h"

class FlyT;

extern int death_tally;  // counts starved spiders; nothing reads or resets it

// Values a spider takes when Spiders.xml lacks its level, its "spider2" element or one of
// the value elements (see README).
struct SpiderDefaults {
    static constexpr int spider_x = 512;           // pixels
    static constexpr int spider_y = -40;           // pixels, just above the screen
    static constexpr int angel = 180;              // degrees
    static constexpr float spider_SizeX = 1.0f;    // scale and walking speed, pixels a frame
    static constexpr float spider_SizeY = 1.0f;
    static constexpr int boost_rnd = 0;            // never sprints
    static constexpr float max_hunger = 0.04f;     // hunger points a frame at most
    static constexpr float max_accelerate = 0.00003f;  // growth of the hunger speed a frame
};

class SpiderT : public Actor {
public:
    int Movement = 0;              // 1 if it moved in this frame's update
    int action = 0;                // 0 idle, 1 walking to or eating its target, 2 frozen, 3 dead
    int Destination_point = 0;     // id of the target fly; 0 when idle
    float hunger = 0;              // 0..100
    float hunger_speed = 0;        // hunger growth per frame now
    float Max_Hunger_speed = 0;    // cap of hunger_speed
    float Hunger_accelerae = 0;    // growth of hunger_speed per frame
    float freeze_time = 0;         // frames of freeze left
    int entering = 1;              // 1 until it has reached its entrance marker
    int num = 1;                   // 1 first spider, 2 second
    int direction = 0;             // kept, not used
    float static_anim_speed = 0;   // kept, not used
    int boost = 0;                 // 1 while the current walk is a sprint
    int Boost_rnd = 0;             // 1 in Boost_rnd accepted targets is a sprint; 0 never

    // Creates the level's spiders (1 or 2) from ".\levels\Spiders.xml".
    static void Create_New(int count);
    void ChooseAvailfly();
    void Hunger_update();
    void MoveAndRotateSpider();
    void Update_Web_translate();
    void Update_Freezing();
    void Update();

    // Drops the current target: frees its web point and clears its warning sign, only when
    // the spider has one (action 1); Destination_point becomes 0 in any case. Used when the
    // spider gives up, starves or is frozen.
    void release_target();

    const char* type_name() const override { return "SpiderT"; }
    void dump_fields(nlohmann::json& out) const override;

private:
    // Turns the fly into a cocoon and settles the score of eating it.
    void eat(FlyT& f);
    // Hunger reached 100: the spider dies, and the level is won once every spider has.
    void starve();
};
