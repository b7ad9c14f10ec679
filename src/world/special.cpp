// Falling specials: flight, landing, the web's sway and the question mark that invites
// the robot to fetch them.
#include "world/special.h"

#include <cmath>
#include <numbers>

#include <nlohmann/json.hpp>

#include "fx/emitter.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "world/level_object.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

}  // namespace

FlySpecT* FlySpecT::Create_New(int item, float fly_time)
{
    auto s = std::make_unique<FlySpecT>();
    s->entity = flying_spec_up_png;
    s->x = 450;
    s->y = -50;
    s->HullX = 0;
    s->HullY = 5;
    s->HullWidth = 47;
    s->HullHeight = 40;
    s->animated = 1;
    s->MaxFrames = 5;
    s->animation_script = 3;
    s->AnimationSpeed = 0.15f;
    s->item = item;
    s->fly_time = fly_time;
    s->id = special_list.count();
    return special_list.add_last(std::move(s));
}

void FlySpecT::update_scripts()
{
    // The wings fold only near the start of their beat, so the landing strip picks up
    // where the flight strip left off.
    if (script == 1 && fly_time <= 0 && frame <= 1) {
        script = 2;
        entity = flying_spec_up2_png;
        MaxFrames = 5;
        animation_script = 1;
    }
    if (script == 2 && frame >= 4) {
        script = 3;
        // Hang where it was last drawn.
        x += TranslateX;
        y += TranslateY;
        TranslateX = 0;
        TranslateY = 0;
    }
    if (script != 3)
        fly_time -= time_scale;
}

void FlySpecT::update_Flying()
{
    if (script == 3)
        return;
    SinA += time_scale;
    transX = static_cast<float>(std::sin(SinA * kDegToRad) * 155.0);
    transY = static_cast<float>(std::cos(SinA * kDegToRad) * 15.0);
    y += 0.5f * time_scale;
    TranslateX = transX;
    TranslateY = std::fabs(transY);
}

void FlySpecT::Update_Web_translate()
{
    if (script != 3)
        return;
    TranslateX = web_offset_x;
    TranslateY = web_offset_y;
    // One ring of waves every 76 frames.
    if (parti_timer >= 75) {
        parti_timer = 0;
        emitterT::SpecUp_waves(static_cast<int>(x + 25), static_cast<int>(y + 23), 0.2f, 100);
    } else {
        parti_timer += 1;
    }
}

void FlySpecT::draw_question()
{
    if (script != 3)
        return;
    const float qx = x + 25 + TranslateX;
    const float qy = y + 23 + TranslateY;
    DrawImage(flying_spec_up_ques_png, qx, qy, 0);
    SetBlend(kLightBlend);
    SetAlpha(static_cast<float>(Rnd(0.7, 1)));
    DrawImage(flying_spec_up_ques2_png, qx, qy, 0);
    SetAlpha(1);
    SetBlend(kAlphaBlend);
}

void FlySpecT::Update()
{
    if (pause_state == 0) {
        Update_Web_translate();
        update_scripts();
        update_Flying();
    }
    MethodDrawEntity();
    draw_question();
}

void FlySpecT::dump_fields(nlohmann::json& o) const
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
    o["parti_timer"] = parti_timer;
}
