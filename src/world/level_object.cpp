// Level scenery and the swaying web.
#include "world/level_object.h"

#include <cmath>
#include <vector>

#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"

float web_offset_x = 0, web_offset_y = 0;
int web_shaking = 0;
int web_flash = 0;
int web_flash_timer = 0;

namespace {

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;

levelObT* add(TList<levelObT>& list, TImage* picture, float x, float y, const char* name = "")
{
    levelObT* o = list.create();
    o->entity = picture;
    o->x = x;
    o->y = y;
    o->name = name;
    return o;
}

void add_sun(float x, float y)
{
    levelObT* o = add(level_back_list, Sun_lv1_png, x, y, "Sun");
    o->BlendMode = 2;
    o->alpha = 0.85f;
}

void add_web()
{
    levelObT* o = add(level_back_list, Web_level1_png, 0, 0, "web");
    o->show = 0;  // drawn by Web_Update as a stretched polygon
    o->R = o->G = o->B = 0;
}

levelObT* add_grass(TImage* picture, float x, float y, float speed)
{
    levelObT* o = add(level_back_list, picture, x, y, "anim_tree");
    o->show = 0;  // drawn by Web_Update; its frame is a sideways offset in pixels
    o->animated = 0;
    o->frame = 0;
    o->AnimationSpeed = speed;
    return o;
}

levelObT* add_strip(TImage* picture, float x, float y, float size, int frames, float speed)
{
    levelObT* o = add(level_back_list, picture, x, y);
    o->sizeX = o->sizeY = size;
    o->MaxFrames = static_cast<uint8_t>(frames);
    o->animated = 1;
    o->animation_script = 2;
    o->AnimationSpeed = speed;
    return o;
}

// Two-way swing of a value between bounds, the direction kept in animation_script
// (1 rising, 2 falling; a new object starts falling).
void swing(levelObT& o, float& value, float high, float low)
{
    const float step = o.AnimationSpeed * time_scale;
    if (o.animation_script == 1)
        value += step;
    else if (o.animation_script == 2)
        value -= step;
    if (value > high && o.animation_script == 1)
        o.animation_script = 2;
    else if (value < low && o.animation_script == 2)
        o.animation_script = 1;
}

}  // namespace

void levelObT::load_level(int level)
{
    if (level < 1)
        return;
    if (level <= 4) {
        add(level_back_list, back_level_1_jpg, 0, 0);
        add_sun(760, 210);
        add(level_back_list, menlike_lv2_png, 733, 437, "men_like");
        add(level_back_list, static_grass_lv2_png, 0, 491, "static_grass");
        add(level_back_list, back_tree_l_lv2_png, 0, 0);
        add(level_back_list, back_tree_r_lv2_png, 943, 0);
        add_grass(anim_grass_lv2_png, -20, 506, 0.25f);
        add_web();
        add(level_front_list, Tree_lv2_prt1_png, 0, 496);
        add(level_front_list, Tree_lv2_prt2_png, 803, 0);
        add_strip(Back_flys_anim_png, 200, 500, 3.0f, 8, 0.25f);
    } else if (level <= 9) {
        add(level_back_list, back_level_2_jpg, 0, 0);
        add_sun(760, 210);
        add(level_back_list, pail_lv3_png, 865, 351, "pail")->AnimationSpeed = 0.1f;
        add(level_back_list, back1_lv3_png, 0, 146);
        add(level_back_list, back2_lv3_png, 314, 513);
        add(level_back_list, back3_lv3_png, 747, 25);
        add_grass(anim_grass_lv3_png, -20, 630, 0.1f);
        add_web();
        add(level_front_list, frgr1_lv3_png, 0, 318);
        add(level_front_list, frgr2_lv3_png, 349, 650);
        add(level_front_list, frgr3_lv3_png, 836, 520);
    } else if (level <= 14) {
        add(level_back_list, back_level_1_jpg, 0, 0);
        add_strip(mill_anim_elem_png, 875, 250, 2.0f, 17, 0.125f);
        add_sun(780, 225);
        add(level_back_list, mill_lv4_png, 906, 316);
        add(level_back_list, back_planes_lv4_png, 0, 397, "static_back");
        add_grass(anim_grass_lv4_png, -10, 631, 0.25f)->width_Pl = 1035;
        add(level_front_list, foreground_tree_lv4_png, 0, 525);
        add_web();
    } else if (level <= 19) {
        add(level_back_list, back_level_1_jpg, 0, 0);
        add_sun(780, 240);
        add(level_back_list, forest_bck1_png, 0, 302, "back1");
        add(level_back_list, forest_bck2_png, 207, 528, "back2");
        add(level_back_list, forest_bck3_png, 719, 175, "back3");
        add_strip(Back_flys_anim_png, 160, 600, 1.0f, 8, 0.25f);
        levelObT* grass = add_grass(grass_plane_png, -20, 584, 0.1f);
        grass->width_Pl = 1035;
        grass->height_Pl = 184;
        add_web();
        add(level_front_list, forest_frg_png, 0, 0, "static_frg1");
        add(level_front_list, forest_frg2_png, 78, 602, "static_frg2");
    } else if (level <= 24) {
        add(level_back_list, back_level_2_jpg, 0, 0);
        add_sun(780, 240);
        add(level_back_list, background1_plane_png, 0, 540, "back1");
        add(level_back_list, background2_plane_png, 0, 0, "back2");
        add(level_back_list, background3_plane_png, 71, 409, "back3");
        add(level_back_list, background4_plane_png, 694, 460, "back4");
        add(level_back_list, background5_plane_png, 822, 210, "back5");
        levelObT* grass = add_grass(grass_plane_png, 40, 584, 0.25f);
        grass->width_Pl = 1035;
        grass->height_Pl = 184;
        add_web();
        add(level_front_list, foreground1_plane_png, -5, 183, "static_forg1");
        add(level_front_list, foreground2_plane_png, 173, 600, "static_forg2");
        add(level_front_list, foreground3_plane_png, 816, 696, "static_forg3");
    } else {
        add(level_back_list, back_level_1_jpg, 0, 0);
        add_sun(780, 225);
        add(level_back_list, ukraine_back_tree_prt3_png, 864, 55, "static_back_tree");
        add(level_back_list, ukraine_back_prt1_png, 0, 434, "static_back");
        add(level_back_list, ukraine_back_prt2_png, 714, 271, "static_back2");
        add(level_back_list, ukraine_glow_png, 705, 405, "glow_ukraine")->BlendMode = 2;
        levelObT* grass = add_grass(ukraine_front_grass_png, -27, 434, 0.25f);
        grass->width_Pl = 706;
        grass->height_Pl = 434;
        add_web();
        add(level_front_list, ukraine_front_prt1_png, 0, 132);
        add(level_front_list, ukraine_front_prt2_png, 181, 602);
    }
}

void levelObT::Web_Update()
{
    if (name == "web") {
        if (pause_state == 0) {
            // Red flash: 51 frames up to full red from 510, then back down over 50.
            if (web_flash == 1) {
                web_flash_timer -= 5;
                if (web_flash_timer > 250)
                    R = static_cast<uint8_t>(std::min(255, R + 5));
                else if (web_flash_timer < 250)
                    R = static_cast<uint8_t>(std::max(0, R - 5));
                if (web_flash_timer <= 0)
                    web_flash = 0;
            } else {
                web_flash_timer = 0;
                R = 0;
            }
            if (web_shaking == 1) {
                Sin_var += static_cast<float>(Rnd(1, 25));
                x = std::sin(Sin_var * kDegToRad) * 0.6f;
                y = std::cos(Sin_var * kDegToRad) * 0.6f;
                web_offset_x = x / 2;
                web_offset_y = y / 2;
            }
        }
        // Only the left edge follows the sway; the right edge is fixed to the screen.
        SetColor(R, G, B);
        const float sx = screen_shake_x, sy = screen_shake_y;
        draw_textured_poly({x + sx, y + 50 + sy, 0, 0,
                            1024 + sx, 50 + sy, 1, 0,
                            1024 + sx, 768 + sy, 1, 1,
                            x + sx, 768 + sy, 0, 1},
                           entity, 0);
        SetColor(255, 255, 255);
    } else if (name == "anim_tree") {
        if (pause_state == 0)
            swing(*this, frame, 10, -5);
        // The top edge slides sideways by `frame` pixels; the bottom stays put.
        const float sx = screen_shake_x, sy = screen_shake_y;
        draw_textured_poly({x + frame + sx, y + sy, 0, 0,
                            width_Pl + frame + sx, y + sy, 1, 0,
                            width_Pl + sx, 768 + sy, 1, 1,
                            x + sx, 768 + sy, 0, 1},
                           entity, 0);
    } else if (name == "pail") {
        if (pause_state == 0)
            swing(*this, angel, 7, 0);
    } else if (name == "glow_ukraine") {
        if (pause_state == 0) {
            if (CustomVar == 1) {
                alpha += 0.0025f;
                if (alpha > 0.82f)
                    CustomVar = 2;
            } else {
                alpha -= 0.0025f;
                if (alpha < 0.3f)
                    CustomVar = 1;
            }
        }
    }
}

void levelObT::update()
{
    if (name == "Sun") {
        // Breathes between 0.85 and 1.0 scale; keeps breathing while the game is paused.
        if (CustomVar == 1) {
            sizeX += 0.0014f;
            sizeY += 0.0014f;
            if (sizeX > 1.0f)
                CustomVar = 2;
        } else {
            sizeX -= 0.0014f;
            sizeY -= 0.0014f;
            if (sizeX < 0.85f)
                CustomVar = 1;
        }
    }
    Web_Update();
    MethodDrawEntity();
}

void levelObT::free_level() { level_back_list.remove(this); }

void levelObT::dump_fields(nlohmann::json& out) const
{
    Actor::dump_fields(out);
    out["script"] = script;
    out["CustomVar"] = CustomVar;
    out["name"] = name;
    out["width_Pl"] = width_Pl;
    out["height_Pl"] = height_Pl;
}
