// Actor: the base of every drawn object. It carries one picture or animation strip, how
// to draw and animate it, an optional glow drawn under it and a hit rectangle. Each
// sub-type's per-frame update does its logic and then calls MethodDrawEntity.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json_fwd.hpp>

struct TImage;

// Result of one animation step.
struct AnimScriptsT {
    int animVar = 1;         // new ping-pong direction
    float ReturnFrame = 0;   // new frame position
};

class Actor {
public:
    Actor() = default;
    virtual ~Actor() = default;

    float x = 0;  // position on the 1024 x 768 screen, pixels
    float y = 0;
    float sizeX = 1;  // draw scale
    float sizeY = 1;
    TImage* entity = nullptr;  // picture or strip, shared with the asset catalogue
    float alpha = 1;           // 0..1; not drawn at all at 0 or below
    uint8_t animated = 0;      // 0 still (frame 0), 1 stepped here, 2 frame set by the sub-type
    uint8_t animation_script = 2;  // 1 once and hold, 2 loop, 3 ping-pong, other: frozen
    uint8_t AnimPongDir = 1;       // 1 forward, 2 backward
    float AnimationSpeed = 1;      // frames per game frame
    float TimeManagment = 1;       // 1: the step follows time_scale
    float frame = 0;               // fractional frame position
    float Sin_var = 0;             // phase for sub-types' own oscillations
    uint8_t MaxFrames = 1;
    float TranslateX = 0;  // draw offset, pixels
    float TranslateY = 0;
    float angel = 0;           // draw rotation, degrees
    uint8_t BlendMode = 1;     // 1 alpha, 2 light (additive), other: keep current
    uint8_t DrawRectMode = 0;  // 0 whole picture, other: partial by RectPercent/RectDirection
    float RectPercent = 100;
    std::string RectDirection = "down";  // "down", "up", "right" or "left"
    std::string DebugPrymit = "null";    // "Rect" marks the draw position
    uint8_t show = 1;
    uint8_t Glow = 0;
    TImage* GlowEntity = nullptr;
    uint8_t GlowR = 255, GlowG = 255, GlowB = 255;
    float GlowTwinkle = 0.5111f;  // lower bound of the main picture's flicker while glowing
    float GlowAlpha = 1;
    uint8_t R = 255, G = 255, B = 255;
    int HullX = 0, HullY = 0;  // hit rectangle offset from (x, y)
    int HullWidth = 0, HullHeight = 0;

    virtual int MethodDrawEntity();
    virtual int MethodAnimateEntity();
    virtual void MethodDrawDebugCenter();
    virtual void MethodDrawDebugHull();
    virtual void MethodDrawDebugText(int value, int dx, int dy);

    // State dump: the type name and every field under its own name.
    virtual const char* type_name() const { return "Actor"; }
    virtual void dump_fields(nlohmann::json& out) const;
};

// Draws frame 0 of a picture partly: percent 0..100 of it, growing from the given side.
void draw_image_percent(TImage* image, float x, float y, float percent, const std::string& direction);

// One animation step from frame f of an n-frame strip by s frames.
AnimScriptsT step_animation_frame(float f, int n, float s, int script, int dir);

// Name of an image for dumps and traces ("" when none).
std::string image_name(const TImage* image);
