// Projectiles of every weapon, and the objects a shot leaves in the web (mines, modules,
// the shield marker): how each kind is created, flies, is drawn, hits and disappears.
#pragma once

#include <string>

#include "entities/actor.h"

class BulletT : public Actor
{
public:
    BulletT();

    std::string w_type;    // kind: "lazer_l", "lazer_r", "bomb_l", "bomb_r", "freeze_l",
                           // "freeze_mine", "lure_module", "shield_module", "shield",
                           // "alpha_missle_l"
    int time = 0;          // countdown in frames (fuse, life span)
    int destination_x = 0; // target point: the pointer when fired (the slice's end point)
    int destination_y = 0;
    int MaxX = 0; // not used by the projectiles
    int MaxY = 0;
    int speed = 0;                  // frames of flight from the launch point to the target, >= 1
    uint8_t action_type = 0;        // mines and modules: 1 flying, 2 unfolding, 3 landed, 4 active
    int fly_id = 0;                 // laser: id of the fly aimed at
    uint8_t script = 0;             // slice: 1 anchor, 2 beam; bombs: 1 flying, 2 landed
    uint8_t switch_ = 1;            // blink pulse direction: 1 dimming, 0 brightening ("switch" in dumps)
    int switch_time = 100;          // blink pulse value, 0..100
    float lazer_scale = 0;          // slice anchor: drag length / 2.5
    uint8_t fired = 0;              // 1 once the hit has taken effect; the script then finishes it
    int un_active = 0;              // 0 for a live slice anchor
    int lazer_r_tactic_cnt_loc = 0; // flies cut free by one slice beam

    // Launch point of the thrown kinds: the flight runs from here to the target in `speed`
    // equal steps, so the step never changes.
    float launch_x = 0;
    float launch_y = 0;

    // The laser, aimed at the fly with this id at the pointer.
    static BulletT* CreateBullet_laser(int fly_id);
    // The slice: script 1 places the aiming anchor at (x, y); script 2 fires the beam from
    // (x, y) towards the pointer, scale being the anchor's drag length / 2.5.
    static BulletT* CreateLazer_slice(float x, float y, int script, int scale);
    static BulletT* CreateBomb_delay();
    static BulletT* CreateBomb_NOW();
    static BulletT* Create_Freezing_shot();
    static BulletT* CreateFreezeMine();
    static BulletT* CreateLureModule();
    static BulletT* CreateShieldModule();
    // The invisible marker that keeps shielding the flies around (x, y) for 450 frames.
    static BulletT* Create_shield_empty_entity(float x, float y);
    static BulletT* Create_Alphamissle_shot();

    // Once per frame: logic unless paused, then draw with the blink overlays.
    void update();
    void Update_Bullet_Translate();
    // What the projectile does to flies, spiders and containers this frame.
    void Bullet_interaction();
    void Bullets_Scripts();
    void Update_Eff_Bomb_timer();
    void Update_Bomb_Eff();
    void Update_Mine_eff();

    const char* type_name() const override { return "BulletT"; }
    void dump_fields(nlohmann::json& out) const override;

private:
    // The slice anchor's aiming path from the anchor to the pointer.
    void draw_slice_path();
};
