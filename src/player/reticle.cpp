// The aiming reticle and the pointer shake.
#include "player/reticle.h"

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"

int aim_mode = 2;

namespace {

// The web's play circle: aiming works only within this distance of its centre.
constexpr int kPlayCentreX = 492;
constexpr int kPlayCentreY = 355;
constexpr double kPlayRadius = 263;

}  // namespace

void pPricelT::Create_New()
{
    pPricelT* p = reticle_list.create();
    p->x = static_cast<float>(MouseX());
    p->y = static_cast<float>(MouseY());
    p->entity = player_pricel_png;
    p->animated = 1;
    p->MaxFrames = 9;
    p->animation_script = 2;
    p->AnimationSpeed = 0.1f;
}

void pPricelT::Update()
{
    x = static_cast<float>(MouseX());
    y = static_cast<float>(MouseY());
    const bool outside = point_distance(MouseX(), MouseY(), kPlayCentreX, kPlayCentreY) > kPlayRadius;
    const bool forced = pause_state == 1 || pause_state == 2 || visor_page != 0;
    if (outside || forced) {
        entity = game_cursor_png;
        animated = 2;
        frame = 0;
        aim_mode = 2;
    } else {
        entity = player_pricel_png;
        animated = 1;
        aim_mode = 1;
    }
    Update_Shaking();
    MethodDrawEntity();
}

void pPricelT::Update_Shaking()
{
    if (aim_mode == 2)
        shake_timer = 0;
    if (shake_timer <= 0)
        return;
    // Back to where the shake began, then a jump around it: the aim drifts no further
    // than the intensity however long the shake lasts.
    MoveMouse(oldX, oldY);
    const int jx = static_cast<int>(MouseX() + Rnd(-shake_intens, shake_intens));
    const int jy = static_cast<int>(MouseY() + Rnd(-shake_intens, shake_intens));
    MoveMouse(jx, jy);
    shake_timer -= 1;
    if (shake_timer < 0)
        shake_timer = 0;
}

void shake_reticle(int frames, int intensity)
{
    pPricelT* p = reticle_list.first();
    if (!p)
        return;
    p->shake_timer = frames;
    p->shake_intens = intensity;
    p->oldX = MouseX();
    p->oldY = MouseY();
}

void pPricelT::dump_fields(nlohmann::json& o) const
{
    Actor::dump_fields(o);
    o["shake_timer"] = shake_timer;
    o["shake_intens"] = shake_intens;
    o["oldX"] = oldX;
    o["oldY"] = oldY;
}
