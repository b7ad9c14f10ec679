// The four weapon slots at the bottom right and the cooling modules beside them: which
// weapon is active, firing it from the resting robot, reloading after a shot, the help
// cards and the level's starting arsenal.
#pragma once

#include "entities/actor.h"
#include "state/play.h"  // active_slot, active_weapon, free_slots, slice_pending, cooling_frames

class power_upsT : public Actor {
public:
    TImage* shine_entity = nullptr;  // hover glow
    int script = 1;                  // 1 from creation
    int weapon = 0;                  // weapon number in the slot, 0 empty
    float shine_alpha = 0;           // hover glow, 0..1
    int active = 0;                  // 1 for the active slot
    int id = 0;                      // slot number 1..4
    int reload_progress = 0;         // reload steps done 0..15, also the dial's frame
    int reloading = 0;               // 1 while the slot reloads
    float reloading_timer = 0;       // frames (scaled by time_scale) toward the next step
    float item_alpha = 0;            // fade-in of the weapon icon, 0..1
    int cooling_item = 0;            // 1 if this slot's cooling module is in the level
    int cooling_active = 1;          // 1 until the module is used
    int cooling_x = 0;               // centre of the module's picture, pixels
    int cooling_y = 653;
    float cooling_alpha = 1;         // opacity of the module's picture

    // The four empty slots, slot 1 holding active_weapon; appended to power_ups_list.
    static void CreatePower_Ups();
    // Marks the slot named by active_slot and copies its weapon to active_weapon.
    void update_who_is_active();
    // Pointer over the slot: hover glow, a left click chooses it, a right click opens its help card.
    void power_ups_update();
    void Update_Reloading();
    void Draw_Termo_gui();
    void Draw_weapon_icons();
    void Draw_Reloading();
    void daraw_cooling_items();
    void activate_cooling_item();
    void update();

    const char* type_name() const override { return "power_upsT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// Reads the level's starting weapons and cooling modules from ".\levels\weapon_vars.xml".
void load_level_arsenal(int level);

// The slot at index active_slot - 1, nullptr when there is none.
power_upsT* active_power_up();
// Slot k holds a weapon: 1 always, 2 when free_slots < 3, 3 when < 2, 4 when < 1.
bool slot_selectable(int slot);
// Keys "1".."4" and the mouse wheel choose a filled slot; called once a frame by the level loop.
void select_slot_by_keys();
void select_slot_by_wheel();

// Firing from the resting robot's aiming block. The main shot of the active slot's weapon,
// the laser aimed at the fly `fly_id`; returns the weapon fired, 0 when nothing was.
int fire_main_shot(int fly_id);
// The laser slice's drag and first release path, and the alternative shots on a right hit.
void fire_alternative_shot();
// The slice's second release path: the pointer left the play circle with the right
// button still held.
void release_slice_outside();
// Removes a waiting slice anchor without a shot (the robot can no longer aim with it).
void cancel_slice();
