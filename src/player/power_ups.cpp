// Weapon slots: choosing, firing, reloading, the icons and dial, the thermometer frame,
// the cooling modules and the level's starting arsenal.
#include "player/power_ups.h"

#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "fx/emitter.h"
#include "persist/profile.h"
#include "persist/xml_document.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/reticle.h"
#include "player/robo_fly.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/level_file.h"


namespace {

constexpr int kSlotX[4] = {695, 775, 855, 935};
constexpr int kSlotY = 685;
constexpr int kCoolingX[4] = {914, 859, 804, 746};
constexpr int kReloadSteps = 15;  // a reload is 15 steps; the dial has a frame per step

// Slots whose level-10 cooling cue has been shown this level (bit per slot id).
int cooling_cue_shown = 0;

// The number after "weapon_": decimal digits only, else 0. Capped, so that a stray huge
// number cannot make the loader scan for ever.
int entry_number(const std::string& digits)
{
    if (digits.empty() || digits.size() > 3)
        return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool valid_weapon(int weapon) { return weapon >= 1 && weapon <= 6; }

// Frames per reload step of each weapon; the laser never reloads.
float reload_step(int weapon)
{
    switch (weapon) {
    case 2: return 5;
    case 3: return 70;
    case 4: return 135;
    case 5: return 175;
    case 6: return 150;
    default: return 0;
    }
}

TImage* weapon_icon(int weapon, bool reloading)
{
    TImage* const ready[] = {weapon_1_png, weapon_2_png, weapon_3_png, weapon_4_png, weapon_5_png, weapon_6_png};
    TImage* const busy[] = {weapon_1_reload_png, weapon_2_reload_png, weapon_3_reload_png,
                            weapon_4_reload_png, weapon_5_reload_png, weapon_6_reload_png};
    if (!valid_weapon(weapon))
        return nullptr;
    return reloading ? busy[weapon - 1] : ready[weapon - 1];
}

power_upsT* slot_at(int index)
{
    power_upsT* found = nullptr;
    int i = 0;
    power_ups_list.for_each([&](power_upsT& p) {
        if (i++ == index)
            found = &p;
    });
    return found;
}

void choose_slot(int slot)
{
    active_slot = slot;
    play_sound(click_ogg, sound_volume, 0);
}

bool pointer_over(int left, int top, int width, int height)
{
    return rects_overlap(left, top, width, height, MouseX(), MouseY(), 1, 1) == 1;
}

BulletT* live_slice_anchor()
{
    BulletT* found = nullptr;
    bullet_list.for_each([&](BulletT& b) {
        if (!found && b.w_type == "lazer_r" && b.script == 1 && b.un_active == 0)
            found = &b;
    });
    return found;
}

// Turns the anchor into the slice beam it was dragged out for.
void fire_slice(BulletT& anchor)
{
    BulletT::CreateLazer_slice(anchor.x, anchor.y, 2,
                               static_cast<int>(anchor.lazer_scale));
    bullet_list.remove(&anchor);
    play_sound(lazer_r_ogg, sound_volume, 0);
    temperature += 15;
    if (current_level == 1 && tutorial_step == 6)
        tutorial_step = 7;
}

// What one shot of a weapon does besides its projectile: heat, launch sound, pointer shake.
struct Shot {
    BulletT* (*create)();  // nullptr for the laser (aimed at a fly) and the time warp
    float heat;            // degrees added to the robot
    TSound* const* sound;
    int shake_frames;      // 0: the pointer stays still
    int shake_pixels;
};

// By weapon number: the left button's shots and the right button's (the laser's right
// button is the slice, handled apart).
const Shot kMainShots[7] = {
    {},
    {nullptr, 2, &lazer_l_ogg, 0, 0},
    {&BulletT::CreateBomb_delay, 20, &bomb_launch_ogg, 8, 5},
    {&BulletT::Create_Freezing_shot, 35, &missle_launch2_ogg, 8, 5},
    {&BulletT::CreateShieldModule, 30, &bomb_launch_ogg, 8, 5},
    {&BulletT::Create_Alphamissle_shot, 95, &missle_launch2_ogg, 25, 15},
    {nullptr, 15, &activate_time_warp_ogg, 0, 0},
};
const Shot kAlternativeShots[7] = {
    {},
    {},
    {&BulletT::CreateBomb_NOW, 35, &bomb_launch_ogg, 8, 5},
    {&BulletT::CreateFreezeMine, 35, &bomb_launch_ogg, 8, 5},
    {&BulletT::CreateLureModule, 25, &bomb_launch_ogg, 8, 5},
    {&BulletT::Create_Alphamissle_shot, 95, &missle_launch2_ogg, 25, 15},
    {nullptr, 15, &activate_time_warp_ogg, 0, 0},
};

void take_shot(const Shot& shot, int weapon, int fly_id, power_upsT& slot)
{
    if (weapon == 1)
        BulletT::CreateBullet_laser(fly_id);
    else if (weapon == 6)
        time_warp_state = 1;
    else if (shot.create)
        shot.create();
    temperature += shot.heat;
    play_sound(*shot.sound, sound_volume, 0);
    if (shot.shake_frames > 0)
        shake_reticle(shot.shake_frames, shot.shake_pixels);
    slot.reloading = 1;
}

}  // namespace

power_upsT* active_power_up() { return slot_at(active_slot - 1); }

bool slot_selectable(int slot)
{
    switch (slot) {
    case 1: return true;
    case 2: return free_slots < 3;
    case 3: return free_slots < 2;
    case 4: return free_slots < 1;
    default: return false;
    }
}

void select_slot_by_keys()
{
    for (int slot = 1; slot <= 4; ++slot) {
        if (KeyHit('0' + slot) && slot_selectable(slot))
            choose_slot(slot);
    }
}

void select_slot_by_wheel()
{
    int d = MouseZSpeed();
    if (d == 0)
        return;
    d = d < 0 ? -1 : 1;
    const int target = active_slot + d;
    if (target >= 1 && target <= 4 && slot_selectable(target))
        choose_slot(target);
}

void power_upsT::CreatePower_Ups()
{
    for (int i = 0; i < 4; ++i) {
        power_upsT* p = power_ups_list.create();
        p->entity = spec_force_gui_png;
        p->shine_entity = spec_force_gui_shine_png;
        p->x = static_cast<float>(kSlotX[i]);
        p->y = static_cast<float>(kSlotY);
        p->id = i + 1;
        if (i == 0) {
            p->weapon = active_weapon;
            p->active = 1;
        }
    }
    cooling_cue_shown = 0;
}

void load_level_arsenal(int level)
{
    const std::string path = ".\\levels\\weapon_vars.xml";
    // Without the file there is no arsenal to read: the level plays with the laser alone.
    // A file that exists must parse, as every tuning file must.
    std::unique_ptr<xmlDocument> doc;
    if (FileType(path) == 1)
        doc = load_tuning_document(path);
    xmlNode* root = doc ? doc->Root() : nullptr;
    xmlNode* node = root ? root->FindChild("level_" + std::to_string(level), 0, 1) : nullptr;
    if (node) {
        // The entries present, in number order; gaps are skipped and entries past the
        // fourth slot ignored.
        int last = 0;
        for (int i = 1; i <= node->ChildCount(); ++i) {
            const std::string& name = node->GetChild(i)->Name;
            if (name.rfind("weapon_", 0) == 0)
                last = std::max(last, entry_number(name.substr(7)));
        }
        for (int i = 1; i <= last && free_slots > 0; ++i) {
            xmlNode* entry = node->FindChild("weapon_" + std::to_string(i), 0, 1);
            if (!entry)
                continue;
            int weapon = 0;
            find_int_value(node, "weapon_" + std::to_string(i), weapon);
            power_upsT* slot = slot_at(4 - free_slots);
            if (!slot)
                break;
            slot->weapon = weapon;
            slot->reload_progress = 0;
            slot->reloading = 0;
            slot->reloading_timer = 0;
            slot->item_alpha = 1;
            free_slots -= 1;
        }
        if (xmlNode* cool = node->FindChild("cool_node", 0, 1)) {
            for (int i = 1; i <= 4; ++i) {
                if (!cool->FindChild("cooling_" + std::to_string(i), 0, 1))
                    continue;
                int v = 0;
                find_int_value(cool, "cooling_" + std::to_string(i), v);
                power_upsT* slot = slot_at(i - 1);
                if (!slot)
                    break;
                slot->cooling_item = difficulty == 2 ? 0 : v;
                slot->cooling_x = kCoolingX[i - 1];
            }
        }
    }
    // No weapon read: slot 1 keeps the laser it was created with, and counts as filled so
    // that a fetched special goes into slot 2.
    if (free_slots == 4)
        free_slots = 3;
    if (doc)
        doc->Clear();
    power_ups_list.for_each([](power_upsT& p) { p.update_who_is_active(); });
}

void power_upsT::update_who_is_active()
{
    if (id == active_slot) {
        active = 1;
        active_weapon = weapon;
        R = 0;
        G = 165;
        B = 255;
        shine_alpha = 1;
    } else {
        active = 0;
        R = G = B = 255;
    }
}

void power_upsT::power_ups_update()
{
    if (pointer_over(static_cast<int>(x), static_cast<int>(y), 77, 70)) {
        shine_alpha = std::min(1.0f, shine_alpha + 0.05f);
        if (mouse_hit_left && weapon > 0)
            choose_slot(id);
        if ((mouse_hit_right || mouse_down_right) && valid_weapon(weapon)) {
            pause_state = 2;
            help_card = static_cast<uint8_t>(weapon);
            play_sound(click_ogg, sound_volume, 0);
        }
    } else if (active == 0) {
        shine_alpha = std::max(0.0f, shine_alpha - 0.05f);
    }
}

void power_upsT::Update_Reloading()
{
    if (reloading != 1 || visor_page != 0)
        return;
    reloading_timer += 1.0f * time_scale;
    const float step = reload_step(weapon);
    if (step <= 0) {  // the laser (or no weapon): ready at once
        reloading = 0;
        reload_progress = 0;
        reloading_timer = 0;
        return;
    }
    if (reloading_timer >= step) {
        reload_progress += 1;
        reloading_timer = 0;
    }
    if (reload_progress >= kReloadSteps) {
        reloading = 0;
        reload_progress = 0;
        play_sound(reload_weapon_ogg, sound_volume, 0);
    }
}

void power_upsT::Draw_Termo_gui()
{
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(kAlphaBlend);
    DrawImage(Termo_norm_pt1_png, 710 + screen_shake_x, 670 + screen_shake_y, 0);
    DrawImage(Termo_norm_pt2_png, 949 + screen_shake_x, 435 + screen_shake_y, 0);
}

void power_upsT::Draw_weapon_icons()
{
    if (pause_state == 0)
        item_alpha = std::min(1.0f, item_alpha + 0.02f);
    TImage* icon = weapon_icon(weapon, reloading == 1);
    if (!icon)
        return;
    SetBlend(kAlphaBlend);
    SetAlpha(item_alpha);
    DrawImage(icon, x + 2 + screen_shake_x, y + 4 + screen_shake_y, 0);
    SetAlpha(1);
}

void power_upsT::Draw_Reloading()
{
    if (reloading != 1)
        return;
    DrawImage(reload_progress_png, x - 4 + screen_shake_x, y - 3 + screen_shake_y,
              std::clamp(reload_progress, 0, kReloadSteps));
}

void power_upsT::daraw_cooling_items()
{
    if (cooling_item != 1)
        return;
    const float cx = static_cast<float>(cooling_x) + screen_shake_x;
    const float cy = static_cast<float>(cooling_y) + screen_shake_y;
    SetAlpha(cooling_alpha);
    DrawImage(cooling_active == 1 ? colling_module_png : colling_module_empty_png, cx, cy, 0);
    SetAlpha(1);
    // Level 10 introduces the modules: a ring of waves marks each once, shortly after the
    // start. The clock stands still while paused, so the cue waits for the game to run.
    const int bit = 1 << id;
    if (current_level == 10 && difficulty == 1 && level_ticks == 4 && tick_frames == 1 && pause_state == 0
        && !(cooling_cue_shown & bit)) {
        cooling_cue_shown |= bit;
        emitterT::SpecUp_waves(cooling_x, cooling_y, 1.1f, 80);
        if (id == 1)
            play_sound(weapon_pick_up_ogg, sound_volume, 0);
    }
}

void power_upsT::activate_cooling_item()
{
    if (cooling_item != 1 || cooling_active != 1)
        return;
    if (!pointer_over(cooling_x - 22, cooling_y - 22, 44, 44))
        return;
    if (mouse_hit_left) {
        play_sound(cooling_item_ogg, sound_volume, 0);
        cooling_active = 0;
        cooling_frames += 100;
        emitterT::SpecUp_waves(cooling_x, cooling_y, 1.1f, 80);
        return;
    }
    if (MouseX() > 700 && MouseY() > 630) {
        SetBlend(kLightBlend);
        SetAlpha(0.4f);
        DrawImage(colling_module_glow_png, static_cast<float>(cooling_x) + screen_shake_x,
                  static_cast<float>(cooling_y) + screen_shake_y, 0);
        SetAlpha(1);
        SetBlend(kAlphaBlend);
    }
}

void power_upsT::update()
{
    if (pause_state == 0) {
        update_who_is_active();
        power_ups_update();
        Update_Reloading();
    }
    if (id == 1)
        Draw_Termo_gui();
    if (shine_alpha > 0 && shine_entity) {
        SetColor(R, G, B);
        SetAlpha(shine_alpha);
        DrawImage(shine_entity, x - 10 + screen_shake_x, y - 10 + screen_shake_y, 0);
        SetColor(255, 255, 255);
        SetAlpha(1);
    }
    MethodDrawEntity();
    Draw_weapon_icons();
    Draw_Reloading();
    daraw_cooling_items();
    activate_cooling_item();
}

int fire_main_shot(int fly_id)
{
    power_upsT* slot = active_power_up();
    if (!slot || slot->reloading == 1 || !valid_weapon(active_weapon))
        return 0;
    take_shot(kMainShots[active_weapon], active_weapon, fly_id, *slot);
    return active_weapon;
}

void fire_alternative_shot()
{
    if (active_weapon == 1) {
        // The slice: press the right button where it starts, drag, release where it ends.
        if (mouse_down_right && slice_pending == 0 && (current_level != 1 || tutorial_step > 5)) {
            BulletT::CreateLazer_slice(MouseX(), MouseY(), 1, 0);
            slice_pending = 1;
        }
        if (!mouse_down_right && slice_pending == 1) {
            if (BulletT* anchor = live_slice_anchor()) {
                if (point_distance(MouseX(), MouseY(), static_cast<int>(anchor->x), static_cast<int>(anchor->y)) > 25)
                    fire_slice(*anchor);
                else
                    bullet_list.remove(anchor);  // too short a drag: no shot, no heat
            }
            slice_pending = 0;
        }
        return;
    }
    power_upsT* slot = active_power_up();
    if (mouse_hit_right && slot && slot->reloading != 1 && active_weapon >= 2 && active_weapon <= 6)
        take_shot(kAlternativeShots[active_weapon], active_weapon, 0, *slot);
}

void release_slice_outside()
{
    BulletT* off = nullptr;
    BulletT* anchor = nullptr;
    bullet_list.for_each([&](BulletT& b) {
        if (off || anchor)
            return;
        if (b.script == 1 && b.un_active == 1)
            off = &b;
        else if (b.w_type == "lazer_r" && b.script == 1 && b.un_active == 0)
            anchor = &b;
    });
    if (off) {
        bullet_list.remove(off);
        temperature += 6;
    } else if (anchor) {
        fire_slice(*anchor);
    }
    mouse_down_right = 0;
    slice_pending = 0;
}

void cancel_slice()
{
    bullet_list.for_each([](BulletT& b) {
        if (b.w_type == "lazer_r" && b.script == 1)
            bullet_list.remove(&b);
    });
    slice_pending = 0;
}

void power_upsT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["shine_entity"] = image_name(shine_entity);
    o["script"] = script;
    o["weapon"] = weapon;
    o["shine_alpha"] = shine_alpha;
    o["active"] = active;
    o["id"] = id;
    o["reload_progress"] = reload_progress;
    o["reloading"] = reloading;
    o["reloading_timer"] = reloading_timer;
    o["item_alpha"] = item_alpha;
    o["cooling_item"] = cooling_item;
    o["cooling_active"] = cooling_active;
    o["cooling_x"] = cooling_x;
    o["cooling_y"] = cooling_y;
    o["cooling_alpha"] = cooling_alpha;
}
