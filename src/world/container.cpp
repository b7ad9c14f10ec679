// Toxic containers: falling, sticking at the angle they land, the pulsing glow, and
// breaking when a weapon has set them to broken.
#include "world/container.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/level_object.h"

ContainerT* ContainerT::Create_New(int x, float fly_time)
{
    auto c = std::make_unique<ContainerT>();
    c->entity = toxic_container_png;
    c->x = static_cast<float>(x);
    c->y = -50;
    c->HullX = 0;
    c->HullY = 0;
    c->HullWidth = 20;
    c->HullHeight = 39;
    c->animated = 1;
    c->MaxFrames = 9;
    c->animation_script = 2;
    c->AnimationSpeed = 0.4f;
    c->fly_time = fly_time;
    c->id = container_list.count();
    return container_list.add_last(std::move(c));
}

void ContainerT::update_scripts()
{
    if (script != 1)
        return;
    fly_time -= time_scale;
    // It sticks only as its tumble passes the first frame, so it always lands showing
    // the same face.
    if (fly_time <= 0 && frame == 0) {
        script = 2;
        animated = 2;
        frame = 0;
    }
}

void ContainerT::UpdateHull_size()
{
    if (script != 2 || Hull_transform != 1)
        return;
    // The spin is never wrapped, so a container that fell for more than a turn (a fall
    // stretched by the time warp) lands at angel 360 or more. The hit area deliberately
    // follows that angle reduced to 0..360, the angle it is drawn at; taken as it is, such
    // a container would keep the upright hull under a tilted picture.
    float a = std::fmod(angel, 360.0f);
    if (a < 0)
        a += 360.0f;
    auto set = [this](int hx, int hy, int w, int h, int half_w, int half_h) {
        HullX = hx;
        HullY = hy;
        HullWidth = w;
        HullHeight = h;
        Half_hull_width = half_w;
        Half_hull_height = half_h;
    };
    // Each narrower range overrides the wider one before it; above 315 the upright
    // creation hull stays.
    if (a <= 315) set(-13, -10, 30, 17, 17, 9);
    if (a <= 265) set(-10, -10, 25, 25, 13, 13);
    if (a <= 235) set(-6, -22, 16, 40, 8, 20);
    if (a <= 168) set(-10, -10, 25, 25, 13, 13);
    if (a <= 141) set(-13, -10, 30, 17, 15, 8);
    Hull_transform = 0;
}

void ContainerT::update_Flying()
{
    if (script != 2) {
        y += 2 * time_scale;
        angel += 1;  // the tumble keeps its pace under time warp
    }
    if (script == 3) {
        emitterT::Create_New_Emitter(static_cast<int>(x), static_cast<int>(y), 1, 10);
        container_break_count += 1;
        if (container_break_count < 3)
            play_sound(container_break_ogg, sound_volume, 0);
        container_list.remove(this);
    }
}

void ContainerT::Update_Web_translate()
{
    if (script != 2)
        return;
    TranslateX = web_offset_x;
    TranslateY = web_offset_y;
}

void ContainerT::Update_Container_eff_timer()
{
    if (script != 2)
        return;
    if (switch_ == 1)
        switch_time -= 2;
    else if (switch_ == 0)
        switch_time += 2;
    if (switch_time >= 100)
        switch_ = 1;
    if (switch_time <= 0)
        switch_ = 0;
}

void ContainerT::Update_Container_eff()
{
    if (script != 2)
        return;
    SetColor(115, 255, 90);
    SetBlend(kLightBlend);
    SetAlpha(static_cast<float>(switch_time) * 0.007f);
    SetRotation(angel);
    DrawImage(toxic_container_fx_png, x, y, 0);
    SetAlpha(1);
    SetRotation(0);
    SetBlend(kAlphaBlend);
    SetColor(255, 255, 255);
}

void ContainerT::Update()
{
    if (pause_state == 0) {
        Update_Web_translate();
        update_scripts();
        UpdateHull_size();
        update_Flying();
        Update_Container_eff_timer();
    }
    MethodDrawEntity();
    Update_Container_eff();
}

void ContainerT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["SinA"] = SinA;
    o["SinB"] = SinB;
    o["transX"] = transX;
    o["transY"] = transY;
    o["script"] = script;
    o["fly_time"] = fly_time;
    o["item"] = item;
    o["id"] = id;
    o["switch"] = switch_;
    o["switch_time"] = switch_time;
    o["Hull_transform"] = Hull_transform;
    o["Half_hull_width"] = Half_hull_width;
    o["Half_hull_height"] = Half_hull_height;
    o["name"] = name;
}
