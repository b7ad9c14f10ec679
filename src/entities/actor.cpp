// Actor drawing and animation.
#include "entities/actor.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/graphics.h"
#include "platform/input.h"
#include "state/globals.h"

namespace {

// The entity field counts blend modes 1 alpha, 2 light; the drawing layer has its own numbers.
void apply_blend_mode(uint8_t mode)
{
    if (mode == 1)
        SetBlend(kAlphaBlend);
    else if (mode == 2)
        SetBlend(kLightBlend);
}

}  // namespace

std::string image_name(const TImage* image) { return image ? image->source : std::string(); }

int Actor::MethodDrawEntity()
{
    if (show != 1 || !(alpha > 0))
        return 0;
    const float px = x + TranslateX + screen_shake_x;
    const float py = y + TranslateY + screen_shake_y;

    SetAlpha(alpha);
    SetRotation(angel);
    SetScale(sizeX, sizeY);
    SetColor(R, G, B);
    apply_blend_mode(BlendMode);

    if (Glow == 1 && GlowEntity) {
        SetColor(GlowR, GlowG, GlowB);
        SetBlend(kLightBlend);
        SetAlpha(GlowAlpha);
        if (DrawRectMode == 0)
            DrawImage(GlowEntity, px, py, 0);
        else
            draw_image_percent(GlowEntity, px, py, RectPercent, RectDirection);
        SetAlpha(static_cast<float>(Rnd(GlowTwinkle, alpha)));
        apply_blend_mode(BlendMode);  // other values stay on light blending
        SetColor(R, G, B);
    }

    if (entity && animated <= 2) {
        if (animated == 1 && pause_state == 0)
            MethodAnimateEntity();
        if (DrawRectMode != 0)
            draw_image_percent(entity, px, py, RectPercent, RectDirection);
        else
            DrawImage(entity, px, py, animated == 0 ? 0 : static_cast<int>(std::trunc(frame)));
    }

    if (DebugPrymit == "Rect")
        DrawRect(px, py, 5, 5);

    SetAlpha(1);
    SetRotation(0);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    if (BlendMode != 1)
        SetBlend(kAlphaBlend);
    return 0;
}

int Actor::MethodAnimateEntity()
{
    float step = AnimationSpeed * (TimeManagment == 1 ? time_scale : 1.0f);
    AnimScriptsT r = step_animation_frame(frame, MaxFrames, step, animation_script, AnimPongDir);
    AnimPongDir = static_cast<uint8_t>(r.animVar & 0xff);
    frame = r.ReturnFrame;
    return 0;
}

void Actor::MethodDrawDebugCenter()
{
    SetColor(0, 255, 0);
    DrawRect(x - 2.5f, y - 2.5f, 5, 5);
    SetColor(255, 255, 255);
}

void Actor::MethodDrawDebugHull()
{
    SetColor(125, 125, 255);
    SetAlpha(0.7f);
    SetScale(1, 1);
    DrawRect(x + HullX, y + HullY, static_cast<float>(HullWidth), static_cast<float>(HullHeight));
    SetColor(255, 255, 255);
    SetAlpha(1);
}

void Actor::MethodDrawDebugText(int value, int dx, int dy) { DrawText(std::to_string(value), x + dx, y + dy); }

void Actor::dump_fields(nlohmann::json& o) const
{
    o["type"] = type_name();
    o["x"] = x;
    o["y"] = y;
    o["sizeX"] = sizeX;
    o["sizeY"] = sizeY;
    o["entity"] = image_name(entity);
    o["alpha"] = alpha;
    o["animated"] = animated;
    o["animation_script"] = animation_script;
    o["AnimPongDir"] = AnimPongDir;
    o["AnimationSpeed"] = AnimationSpeed;
    o["TimeManagment"] = TimeManagment;
    o["frame"] = frame;
    o["Sin_var"] = Sin_var;
    o["MaxFrames"] = MaxFrames;
    o["TranslateX"] = TranslateX;
    o["TranslateY"] = TranslateY;
    o["angel"] = angel;
    o["BlendMode"] = BlendMode;
    o["DrawRectMode"] = DrawRectMode;
    o["RectPercent"] = RectPercent;
    o["RectDirection"] = RectDirection;
    o["DebugPrymit"] = DebugPrymit;
    o["show"] = show;
    o["Glow"] = Glow;
    o["GlowEntity"] = image_name(GlowEntity);
    o["GlowR"] = GlowR;
    o["GlowG"] = GlowG;
    o["GlowB"] = GlowB;
    o["GlowTwinkle"] = GlowTwinkle;
    o["GlowAlpha"] = GlowAlpha;
    o["R"] = R;
    o["G"] = G;
    o["B"] = B;
    o["HullX"] = HullX;
    o["HullY"] = HullY;
    o["HullWidth"] = HullWidth;
    o["HullHeight"] = HullHeight;
}

AnimScriptsT step_animation_frame(float f, int n, float s, int script, int dir)
{
    const float last = static_cast<float>(n - 1);
    AnimScriptsT r;
    r.animVar = dir;
    r.ReturnFrame = f;
    switch (script) {
    case 1:
        r.ReturnFrame = f + s;
        if (!(r.ReturnFrame < last))
            r.ReturnFrame = last;
        break;
    case 2:
        r.ReturnFrame = f + s;
        if (std::floor(r.ReturnFrame) > last)
            r.ReturnFrame = 0;
        break;
    case 3:
        if (dir == 1)
            r.ReturnFrame = f + s;
        else if (dir == 2)
            r.ReturnFrame = f - s;
        if (dir == 1 && std::floor(r.ReturnFrame) > last) {
            r.animVar = 2;
            r.ReturnFrame = last;
        } else if (dir == 2 && r.ReturnFrame < 0) {
            r.animVar = 1;
            r.ReturnFrame = 1;  // the bounce restarts at the second frame
        }
        break;
    default: break;
    }
    return r;
}

void draw_image_percent(TImage* image, float x, float y, float percent, const std::string& direction)
{
    if (!image)
        return;
    if (percent >= 100)
        percent = 100;
    if (!(percent > 0))
        percent = 0;
    const float W = static_cast<float>(image->width);
    const float H = static_cast<float>(image->height);
    // The source rectangle is kept inside the picture: a part 0 pixels wide or high draws
    // nothing, and "up"/"left" draw only the rows or columns that exist.
    if (direction == "up") {
        float v = H - H * 0.01f * percent;
        if (H - v > 0)
            DrawSubImageRect(image, x, y, W, H - v, 0, v, W, H - v, 0, -v, 0);
    } else if (direction == "down") {
        float v = H * 0.01f * percent;
        if (v > 0)
            DrawSubImageRect(image, x, y, W, v, 0, 0, W, v, 0, 0, 0);
    } else if (direction == "right") {
        float c = std::trunc(W * 0.01f * percent);
        if (c > 0)
            DrawSubImageRect(image, x, y, c, H, 0, 0, c, H, 0, 0, 0);
    } else if (direction == "left") {
        float v = W - W * 0.01f * percent;
        if (W - v > 0)
            DrawSubImageRect(image, x, y, W - v, H, v, 0, W - v, H, -v, 0, 0);
    }
}
