// Trapped flies, entrance markers and the lure module.
#include "world/fly.h"

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "world/level_object.h"
#include "world/web_point.h"

namespace {

bool slowed() { return time_scale != 1.0f; }

bool fly_named_exists(const std::string& name)
{
    bool found = false;
    fly_list.for_each([&](FlyT& f) {
        if (f.name == name)
            found = true;
    });
    return found;
}

void set_hull(FlyT& f, int hx, int hy, int w, int h, int half_w, int half_h)
{
    f.HullX = hx;
    f.HullY = hy;
    f.HullWidth = w;
    f.HullHeight = h;
    f.Half_hull_width = half_w;
    f.Half_hull_height = half_h;
}

TImage* normal_picture(const std::string& name)
{
    if (name == "normal")
        return fly_png;
    if (name == "komar")
        return fly_komar_png;
    if (name == "butterfly")
        return fly_butterfly_png;
    return nullptr;
}

// Frees the fly's web point so a spider may reserve the fly again.
void release_point(int id)
{
    if (PointA* p = find_web_point(id))
        p->busy = 0;
}

}  // namespace

FlyT* find_fly(int id)
{
    FlyT* found = nullptr;
    fly_list.for_each([&](FlyT& f) {
        if (!found && f.id == id)
            found = &f;
    });
    return found;
}

void FlyT::Create_New(int x, int y, int kind)
{
    auto f = std::make_unique<FlyT>();
    f->x = static_cast<float>(x);
    f->y = static_cast<float>(y);
    f->alpha = 0;
    const bool hard = difficulty == 2;
    if (kind >= 1 && kind <= 3) {
        f->sizeX = f->sizeY = 10;
        f->MaxFrames = 5;
        f->frame = static_cast<float>(Rand(1, 4));
        f->animated = 1;
        if (kind == 1) {
            f->name = "normal";
            f->entity = fly_png;
            f->life = hard ? 60 : 75;
            f->kalories = 6;
            f->score = 15;
            set_hull(*f, -10, -15, 25, 25, 19, 12);
        } else if (kind == 2) {
            f->name = "komar";
            f->entity = fly_komar_png;
            f->life = hard ? 40 : 50;
            f->kalories = 4;
            f->score = 5;
            set_hull(*f, -10, -15, 17, 26, 15, 12);
        } else {
            f->name = "butterfly";
            f->entity = fly_butterfly_png;
            f->life = hard ? 90 : 105;
            f->kalories = 15;
            f->score = 30;
            set_hull(*f, -30, -12, 65, 35, 33, 21);
        }
        if (kind == 3) {
            f->animation_script = 2;
            f->AnimationSpeed = 0.5f;
        } else {
            f->animation_script = 3;
            f->AnimationSpeed = 2.0f;
        }
        fly_sound_count += 1;
        if (kind == 3) {
            if (fly_sound_count < 3)
                play_sound(butterfly_flys_ogg, sound_volume, f->x);
        } else if (fly_sound_count < 2) {
            play_sound(fly_free_ogg, sound_volume, f->x);
        }
    } else if (kind == 4) {
        // The first marker of a level is the first spider's, every later one the second's.
        f->name = fly_named_exists("Enterence") ? "Enterence2" : "Enterence";
        f->entity = fly_komar_png;
        f->life = 1;
        f->kalories = 0;
        f->score = 0;
        set_hull(*f, -10, -15, 25, 25, 0, 0);
        f->show = 0;
        f->animated = 0;
        f->MaxFrames = 1;
        f->sizeX = f->sizeY = 1;
    }
    f->id = fly_list.count();
    fly_list.add_last(std::move(f));
}

void FlyT::create_lure_module(int x, int y, float angle)
{
    auto f = std::make_unique<FlyT>();
    f->x = static_cast<float>(x);
    f->y = static_cast<float>(y);
    f->name = "lure_module";
    f->entity = lure_module_png;
    f->angel = angle;
    f->alpha = 1;
    f->status = 1;
    f->fly_time = 0;
    f->sizeX = f->sizeY = 1;
    f->kalories = 0;
    f->life = 50;
    f->show = 1;
    f->MaxFrames = 5;
    f->frame = 4;
    f->animated = 2;
    f->animation_script = 2;
    f->HullX = -10;
    f->HullY = -15;
    f->HullWidth = 25;
    f->HullHeight = 25;
    f->id = fly_list.count();
    fly_list.add_last(std::move(f));
}

void FlyT::update_lure_effect()
{
    if (name != "lure_module" || status != 1)
        return;
    lure_eff_timer += 1;
    if (lure_eff_timer > 40) {
        lure_eff_timer = 0;
        play_sound(lure_module_ogg, sound_volume, x);
        emitterT::Lure_waves(static_cast<int>(x), static_cast<int>(y));
    }
}

void FlyT::Different_status_update()
{
    // 1. Arrival clock.
    fly_time = std::max(0.0f, fly_time - (slowed() ? 0.5f : 1.0f));
    if (fly_time > 0) {
        if (status != 3)
            status = 0;
    } else if (status == 0) {
        status = 1;
    }

    // 2. Thawing.
    if (status == 4 && freeze_time > 0) {
        freeze_time -= slowed() ? 0.5f : 1.0f;
        if (freeze_time <= 0) {
            freeze_time = 0;
            status = 1;
            play_sound(Brake_ice_ogg, sound_volume, x);
            entity = normal_picture(name);
            animated = 1;
            emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y + 20), 30, 11);
            release_point(id);
        }
    }

    // 3. Shield running out (not slowed by the time warp).
    if (status == 5 && shielded_timer > 0) {
        shielded_timer -= 1;
        if (shielded_timer <= 0) {
            shielded_timer = 0;
            status = 1;
            animated = 1;
            release_point(id);
        }
    }

    // 4. Arriving: zooms in from ten times its size and fades in.
    if (status == 0) {
        animated = 1;
        if (sizeX > 1) {
            sizeX = std::max(1.0f, sizeX - (slowed() ? 0.03375f : 0.0675f));
            sizeY = sizeX;
        }
        if (alpha < 1)
            alpha = std::min(1.0f, alpha + (slowed() ? 0.0045f : 0.009f));
    }

    // 5. Trapped: holds its frame, gets its web point, now and then struggles.
    if (status == 1 && life > 0) {
        animated = 2;
        if (name == "butterfly")
            frame = 0;
        else if (name == "lure_module")
            frame = 4;
        if (Fly_point_create == 0) {
            const int e = name == "Enterence" ? 1 : name == "Enterence2" ? 2 : 0;
            PointA::Create_New(id, e);
            Fly_point_create = 1;
        }
        if (name != "lure_module" && static_cast<int>(Rnd(1, 750)) == 1) {
            if (name == "normal")
                play_sound(fly_catched_ogg, sound_volume, x);
            if (name != "butterfly")
                frame = static_cast<float>(Rnd(0, MaxFrames - 1));
            x += std::floor(static_cast<float>(Rnd(-2, 2)));
            y += std::floor(static_cast<float>(Rnd(-2, 2)));
        }
    }

    // 6. Set free: shrinks and fades away, staying in the list invisible.
    if (status == 3) {
        animated = 1;
        if (sizeX > 0) {
            sizeX = std::max(0.0f, sizeX - (slowed() ? 0.01f : 0.02f));
            sizeY = sizeX;
        }
        if (alpha > 0)
            alpha = std::max(0.0f, alpha - (slowed() ? 0.005f : 0.01f));
        if (alpha <= 0)
            animated = 2;
    }
}

void FlyT::Update_Web_translate()
{
    TranslateX = web_offset_x;
    TranslateY = web_offset_y;
}

void FlyT::Update_shielded()
{
    if (status != 5)
        return;
    shielded_timer = std::max(0, shielded_timer - 1);
    if (shielded_timer == 0)
        status = 1;
}

void FlyT::Update_Avail() { fly_avail = (status == 1 || status == 5) ? 1 : 0; }

void FlyT::Freeing_Fly()
{
    // A frozen fly waits until it thaws; eaten and freed flies are final.
    if (free_life > 0 || status == 2 || status == 3 || status == 4)
        return;
    remove_web_point(id);
    main_score += score;
    flies_released += 1;
    free_sound_count += 1;
    if (free_sound_count < 4)
        play_sound(free_sound_ogg, sound_volume, x);
    status = 3;
}

void FlyT::Draw_life_bar()
{
    if (name == "Enterence" || name == "Enterence2" || name == "lure_module")
        return;
    if (free_life <= 0)
        life_bar_alpha -= 0.2f;
    SetAlpha(life_bar_alpha);
    DrawImage(health_fly_empty_png, x - 18 + web_offset_x, y - 28 + web_offset_y, 0);
    draw_image_percent(health_fly_png, x - 16 + web_offset_x, y - 26 + web_offset_y, free_life - 1, "right");
    SetAlpha(1);
    if (caution == 1 && pause_state == 0) {
        caution_delta += 1;
        if (caution_delta == 1 || caution_delta == 30)
            play_sound(caution_ogg, sound_volume, x);
        float sign_alpha = caution_delta >= 15 ? 0.54f : 1.0f;
        if (caution_delta >= 30) {
            caution_delta = 0;
            sign_alpha = 1;
        }
        SetAlpha(sign_alpha);
        DrawImage(Caution_png, x - 6 + web_offset_x, y - 54 + web_offset_y, 0);
        SetAlpha(1);
    }
}

void FlyT::Update()
{
    if (pause_state == 0) {
        Update_Avail();
        Update_shielded();
        Different_status_update();
        update_lure_effect();
    }
    if (status == 1 || status == 2 || status == 4 || status == 5)
        Update_Web_translate();
    Freeing_Fly();
    MethodDrawEntity();
}

void FlyT::dump_fields(nlohmann::json& out) const
{
    Actor::dump_fields(out);
    out["fly_time"] = fly_time;
    out["life"] = life;
    out["free_life"] = free_life;
    out["kalories"] = kalories;
    out["Half_hull_width"] = Half_hull_width;
    out["Half_hull_height"] = Half_hull_height;
    out["id"] = id;
    out["name"] = name;
    out["freeze_time"] = freeze_time;
    out["lure_eff_timer"] = lure_eff_timer;
    out["fly_avail"] = fly_avail;
    out["score"] = score;
    out["caution"] = caution;
    out["caution_delta"] = caution_delta;
    out["life_bar_alpha"] = life_bar_alpha;
    out["status"] = status;
    out["Fly_point_create"] = Fly_point_create;
    out["shielded_timer"] = shielded_timer;
}
