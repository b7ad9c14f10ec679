// The in-game HUD. Every element runs the same update; each step acts only on the
// elements its name or script concerns, and the list order is the drawing order.
#include "ui/ingame_gui.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <nlohmann/json.hpp>

#include "entities/helpers.h"
#include "persist/profile.h"
#include "persist/profile_save.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/scores.h"
#include "ui/font.h"
#include "world/spider.h"

int end_fade_timer = 0;

namespace {

inGame_guiT* add_element(const char* name, TImage* picture, float x, float y, float alpha = 1, int script = 1)
{
    inGame_guiT* g = ingame_gui_list.create();
    g->name = name;
    g->entity = picture;
    g->x = x;
    g->y = y;
    g->alpha = alpha;
    g->script = script;
    return g;
}

void animate(inGame_guiT* g, uint8_t mode, uint8_t frames, uint8_t script, float speed)
{
    g->animated = mode;
    g->MaxFrames = frames;
    g->animation_script = script;
    g->AnimationSpeed = speed;
}

// The full-screen washes and dimming: a rectangle over the whole screen in one colour,
// after which the drawing state is back to opaque white alpha blending.
void draw_screen_rect(int r, int g, int b, float alpha, int blend)
{
    if (!(alpha > 0))
        return;
    SetBlend(blend);
    SetColor(r, g, b);
    SetAlpha(alpha);
    DrawRect(0, 0, 1024, 768);
    SetAlpha(1);
    SetBlend(kAlphaBlend);
    SetColor(255, 255, 255);
}

// Pointer inside the box of w x h whose corner is the element's position.
bool pointer_over(const inGame_guiT& g, int w, int h)
{
    return rects_overlap(static_cast<int>(g.x), static_cast<int>(g.y), w, h, MouseX(), MouseY(), 1, 1) == 1;
}

void fade(float& value, float step, float low, float high) { value = std::clamp(value + step, low, high); }

bool is_any(const std::string& name, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (name == n)
            return true;
    }
    return false;
}

bool in_gauge_group1(const std::string& n) { return is_any(n, {"hunger", "hunger_glow", "hunger_norm"}); }
bool in_gauge_group2(const std::string& n) { return is_any(n, {"hunger2", "hunger_glow2", "hunger_norm2"}); }

// The pause menu opens from the button as from Escape: only while the level is undecided,
// and on the first level only once the tutorial has finished.
bool pause_allowed() { return level_outcome == 0 && (current_level != 1 || tutorial_step >= 12); }

void click() { play_sound(click_ogg, sound_volume, 0); }

void apply_sound_rate() { set_all_sounds_rate(sound_rate); }

struct HelpPicture {
    TImage* const* image;
    int x, y;
};

}  // namespace

void inGame_guiT::CreateIngameGui()
{
    end_fade_timer = 0;
    add_element("hunger_norm", gui_spider_hunger_png, 45, 100);
    inGame_guiT* g = add_element("hunger_glow", gui_spider_hunger_png, 45, 100);
    g->R = 0, g->G = 128, g->B = 255;
    g->BlendMode = 2;
    g->DrawRectMode = 1, g->RectPercent = 0, g->RectDirection = "up";
    add_element("hunger", mesuare_spider_hunger_png, 62, 550);
    add_element("hunger_norm2", gui_spider_hunger_png, -30, 100, 0);
    g = add_element("hunger_glow2", gui_spider_hunger_png, -30, 100, 0);
    g->R = 0, g->G = 128, g->B = 255;
    g->BlendMode = 2;
    g->DrawRectMode = 1, g->RectPercent = 0, g->RectDirection = "up";
    add_element("hunger2", mesuare_spider_hunger_png, -13, 550, 0);
    add_element("", rip_ingame_gui_png, 20, 648);
    g = add_element("rip_glow", rip_ingame_gui_glow_png, 69, 685);
    g->R = 255, g->G = 0, g->B = 0;
    g->BlendMode = 2;
    add_element("", menu_pause_Ingame_png, 896, 3, 0.5f, 2);
    for (int cold = 0; cold <= 1; ++cold) {
        TImage* picture = cold ? Termo_cool_png : Termo_hot_png;
        g = add_element(cold ? "termo_cold" : "termo", picture, 946, 426, cold ? 0 : 0.2f, 1);
        g->BlendMode = 1;
        g->DrawRectMode = 1, g->RectPercent = 50, g->RectDirection = "up";
        g->Glow = 1;
        g->GlowEntity = picture;
        g->GlowTwinkle = 0.44f;
        g->GlowAlpha = cold ? 0 : 1;
    }
    g = add_element("timeWarp", TimeWarp_eff_png, 50, 1, 0, 6);
    animate(g, 1, 24, 3, 0.5f);
    g->BlendMode = 1;
    g = add_element("QUAD_timewarp", nullptr, 0, 0, 0, 6);
    g->R = 90, g->G = 143, g->B = 252;
    add_element("QUAD", nullptr, 0, 0, 0, 6);
    // The tutorial visor waits above the screen until a page slides it down.
    add_element("visor_lTube", visor_pt1_png, 175, -477);
    add_element("visor_RTube", visor_pt2_png, 737, -477);
    animate(add_element("visor_AnimWheel", visor_wheel_anim_png, 546, -173), 1, 9, 2, 0.25f);
    animate(add_element("visor_AnimDoor", visor_door_anim_png, 435, -173), 2, 6, 3, 0.25f);
    add_element("visor_Mbody", visor_body_png, 230, -360);
    animate(add_element("visor_AnimScreen", visor_screen_anim_png, 586, -331), 1, 3, 2, 0.2f);
    add_element("visor_BlueScreen", visor_blue_screen_png, 586, -331, 0.3f);
    add_element("visor_Continue", Visor_continue_png, 583, -171);
    g = add_element("Visor_text", visor_text_1_jpg, 243, -347);
    g->DrawRectMode = 1, g->RectPercent = 0;
    g = add_element("Visor_text_fx", visor_tip_fx_progress_png, 238, -350, 0);
    g->BlendMode = 2;
    add_element("visor_ContinueGlow", Visor_continue_glow_png, 599, -167, 0);
    add_element("help_back", help_back_png, 230, 200, 0);
    add_element("continue_help", help_continue_png, 632, 468, 0);
    add_element("black_quad", nullptr, 0, 0, 1, 3);
    add_element("", pause_game_im_png, 362, 214, 0, 4);
    add_element("", continue_image_png, 516, 337, 0, 4);
    add_element("", Restart_level_png, 236, 340, 0, 4);
    add_element("", quit_game_image_png, 386, 430, 0, 4);
    add_element("continue", continue_glow_pause_png, 540, 350, 0, 5);
    add_element("restart", restart_level_glow_png, 269, 348, 0, 5);
    add_element("quit", exit_glow_pause_png, 408, 443, 0, 5);
    add_element("level_completed", level_completed_png, 380, 310, 0);
    add_element("level_failed", level_failed_png, 360, 310, 0);
}

void inGame_guiT::update_hunger_gui()
{
    const bool group1 = in_gauge_group1(name);
    const bool group2 = in_gauge_group2(name);
    if (!group1 && !group2)
        return;
    // Without a spider there is nothing to read.
    SpiderT* spider1 = spider_list.first();
    if (!spider1)
        return;

    if (name == "hunger") {
        y = 530 - spider1->hunger * 3.4f;
        if (spider1->hunger >= 100 && spider2_gauge_state == 2)
            spider2_gauge_state = 5;
    } else if (name == "hunger_glow") {
        RectPercent = 18 + spider1->hunger * 0.635f;
    } else if (spider_list.count() > 1 && (name == "hunger2" || name == "hunger_glow2")) {
        const SpiderT* spider2 = spider_list.snapshot()[1];
        if (name == "hunger2") {
            y = 530 - spider2->hunger * 3.4f;
            if (spider2->hunger >= 100 && spider2_gauge_state == 2)
                spider2_gauge_state = 3;
        } else {
            RectPercent = 18 + spider2->hunger * 0.635f;
        }
    }

    // The two gauge groups slide as the second spider comes and either spider starves. A
    // slide ends once its leading element has finished moving, so that the whole group
    // reaches the same opacity.
    const bool leader2 = name == "hunger_glow2" || name == "hunger_norm2";
    switch (spider2_gauge_state) {
    case 1:
        if (leader2 && x >= 7 && alpha == 1) {
            spider2_gauge_state = 2;
            break;
        }
        if (group2) {
            fade(alpha, 0.01f, 0, 1);
            x = std::min(x + 0.5f, name == "hunger2" ? 24.0f : 7.0f);
        } else {
            x += 0.525f;
        }
        break;
    case 3:
        if (leader2 && alpha <= 0) {
            spider2_gauge_state = 4;
            break;
        }
        if (group2) {
            fade(alpha, -0.01f, 0, 1);
            x -= 0.5f;
        } else {
            x -= 0.525f;
        }
        break;
    case 5:
        if ((name == "hunger_glow" || name == "hunger_norm") && alpha <= 0) {
            spider2_gauge_state = 6;
            break;
        }
        if (group1) {
            fade(alpha, -0.01f, 0, 1);
            x -= 1;
        } else {
            x += 0.5f;
        }
        break;
    default:
        break;
    }
}

void inGame_guiT::Update_rip_glow()
{
    if (name != "rip_glow")
        return;
    if (flies_left < 3 && level_outcome == 0) {
        switch_time += switch_ == 1 ? -2 : 2;
        if (switch_time >= 100)
            switch_ = 1;
        else if (switch_time <= 0)
            switch_ = 0;
        alpha = switch_time * 0.005f;
    } else {
        alpha = 0;
    }
}

void inGame_guiT::UpdateTimeWarp()
{
    if (name != "timeWarp")
        return;
    switch (time_warp_state) {
    case 0:
        alpha = 0;
        sizeX = sizeY = 1;
        time_warp_timer = 0;
        if (sound_rate < 1) {
            sound_rate = std::min(sound_rate + 0.01f, 1.0f);
            apply_sound_rate();
        }
        break;
    case 1:
        time_warp_timer += 1;
        fade(alpha, 0.05f, 0, 1);
        time_scale = 0.5f;
        if (sizeX < 2) {
            sizeX += 0.05f;
            sizeY += 0.05f;
        }
        if (sound_rate > 0.4f) {
            sound_rate = std::max(sound_rate - 0.01f, 0.4f);
            apply_sound_rate();
        }
        if (time_warp_timer > 650) {
            time_warp_state = 2;
            // The spiders leave the slow motion on whole pixels.
            spider_list.for_each([](SpiderT& s) {
                s.x = std::floor(s.x);
                s.y = std::floor(s.y);
            });
            time_warp_timer = 0;
        }
        break;
    case 2:
        time_warp_timer += 1;
        time_scale = 1;
        fade(alpha, -0.05f, 0, 1);
        if (sound_rate < 1) {
            sound_rate = std::min(sound_rate + 0.01f, 1.0f);
            apply_sound_rate();
        }
        if (sizeX > 1) {
            sizeX -= 0.05f;
            sizeY -= 0.05f;
        }
        if (time_warp_timer > 200) {
            time_warp_state = 0;
            time_warp_timer = 0;
            time_scale = 1;
            spider_list.for_each([](SpiderT& s) {
                if (static_cast<int>(s.angel) % 2 != 0)
                    s.angel -= 1;
            });
        }
        break;
    default:
        break;
    }
}

void inGame_guiT::update_cooling()
{
    const bool hot = name == "termo";
    if (!hot && name != "termo_cold")
        return;
    if (cooling_frames > 0) {
        if (hot) {
            cooling_frames -= 1;
            if (temperature > 0)
                temperature -= 0.2f;
            if (alpha > 0)
                alpha -= 0.01f;
            if (GlowAlpha > 0)
                GlowAlpha -= 0.01f;
        } else {
            if (alpha < 0.2f)
                alpha += 0.005f;
            if (GlowAlpha < 1)
                GlowAlpha += 0.01f;
        }
    } else if (hot) {
        if (alpha < 0.2f)
            alpha += 0.01f;
        if (GlowAlpha < 1)
            GlowAlpha += 0.01f;
    } else {
        if (alpha > 0)
            alpha -= 0.01f;
        if (GlowAlpha > 0)
            GlowAlpha -= 0.01f;
    }
}

void inGame_guiT::update_temperature_gui()
{
    if (name == "termo" || name == "termo_cold") {
        RectPercent = temperature;
    } else if (name == "QUAD_timewarp") {
        fade(alpha, time_warp_state == 1 ? 0.005f : -0.005f, 0, 0.2f);
        draw_screen_rect(R, G, B, alpha, kLightBlend);
    } else if (name == "QUAD") {
        if (temperature > kOverheatAlarm && robot_damaged == 0) {
            fade(alpha, 0.002f, 0, 0.2f);
        } else {
            fade_out_channel_by_name("overheat");
            fade(alpha, -0.005f, 0, 0.2f);
        }
        draw_screen_rect(255, 0, 0, alpha, kLightBlend);
    }
}

void inGame_guiT::Update_pause_menu()
{
    if (script == 2) {
        if (pointer_over(*this, 140, 40)) {
            if (alpha < 1)
                alpha += 0.02f;
            if (mouse_hit_left == 1 && pause_allowed()) {
                pause_state = 1;
                click();
            }
        } else if (alpha > 0.5f) {
            alpha -= 0.02f;
        }
    }

    // The weapon help card: its backing and Continue button fade in while it is shown.
    if (pause_state == 2 && help_card != 0) {
        if (name == "help_back") {
            fade(alpha, 0.05f, 0, 1);
        } else if (name == "continue_help") {
            if (pointer_over(*this, 190, 40)) {
                fade(alpha, 0.1f, 0, 1);
                if (mouse_hit_left == 1) {
                    pause_state = 0;
                    help_card = 0;
                    click();
                }
            } else {
                fade(alpha, -0.1f, 0, 1);
            }
        }
    }
    if (pause_state == 0 && help_card == 0 && (name == "help_back" || name == "continue_help"))
        fade(alpha, -0.1f, 0, 1);

    if (pause_state == 1) {
        if (name == "black_quad") {
            if (alpha < 0.6f)
                alpha += 0.02f;
            draw_screen_rect(0, 0, 0, alpha, kAlphaBlend);
        } else if (script == 4) {
            fade(alpha, 0.03f, 0, 1);
        } else if (script == 5) {
            if (pointer_over(*this, 190, 40)) {
                fade(alpha, 0.05f, 0, 1);
                if (mouse_hit_left == 1) {
                    click();
                    if (name == "continue") {
                        pause_state = help_card != 0 ? 2 : 0;
                    } else if (name == "quit") {
                        pause_state = 0;
                        level_start_pending = 1;
                        show_level_banner = 1;
                        menu_requested = 1;
                        SavePlayedProfile();
                    } else if (name == "restart") {
                        pause_state = 0;
                        level_start_pending = 1;
                    }
                }
            } else {
                fade(alpha, -0.05f, 0, 1);
            }
        }
    } else {
        // Once the outcome is decided the closing fade owns the quad.
        if (name == "black_quad" && level_outcome == 0) {
            if (alpha > 0)
                alpha -= 0.02f;
            draw_screen_rect(0, 0, 0, alpha, kAlphaBlend);
        } else if (script == 4 || script == 5) {
            fade(alpha, -0.1f, 0, 1);
        }
    }
}

void inGame_guiT::Draw_help_info(int card_alpha)
{
    if (pause_state == 0 || help_card == 0)
        return;
    static const HelpPicture kLaser[] = {
        {&spec_force_gui_shine_png, 255, 223}, {&weapon_1_png, 266, 236},     {&help_mouse_l_png, 265, 332},
        {&help_mouse_r_png, 265, 405},         {&help_hold_jpg, 253, 455},    {&laser_text_1_jpg, 357, 256},
        {&laser_text_2_jpg, 317, 350},         {&laser_text_3_jpg, 317, 420}};
    // Cards 2 to 4 share one layout, cards 5 and 6 another.
    struct ThreeLines {
        TImage* const* weapon;
        TImage* const* text[3];
    };
    static const ThreeLines kThreeLines[] = {
        {&weapon_2_png, {&bomb_text_1_jpg, &bomb_text_2_jpg, &bomb_text_3_jpg}},
        {&weapon_3_png, {&freeze_text_1_jpg, &freeze_text_2_jpg, &freeze_text_3_jpg}},
        {&weapon_4_png, {&shield_text_1_jpg, &shield_text_2_jpg, &shield_text_3_jpg}}};

    SetAlpha(static_cast<float>(card_alpha));
    auto draw = [](TImage* image, int px, int py) { DrawImage(image, static_cast<float>(px), static_cast<float>(py), 0); };
    if (help_card == 1) {
        for (const HelpPicture& p : kLaser)
            draw(*p.image, p.x, p.y);
    } else if (help_card >= 2 && help_card <= 4) {
        const ThreeLines& card = kThreeLines[help_card - 2];
        draw(spec_force_gui_shine_png, 255, 223);
        draw(*card.weapon, 266, 236);
        draw(help_mouse_l_png, 265, 332);
        draw(help_mouse_r_png, 265, 405);
        draw(*card.text[0], 357, 256);
        draw(*card.text[1], 317, 346);
        draw(*card.text[2], 317, 420);
    } else if (help_card == 5 || help_card == 6) {
        const bool alpha_missile = help_card == 5;
        draw(spec_force_gui_shine_png, 255, 223);
        draw(alpha_missile ? weapon_5_png : weapon_6_png, 266, 236);
        draw(help_mouse_l_png, 265, 362);
        draw(help_or_jpg, 300, 390);
        draw(help_mouse_r_png, 333, 362);
        draw(alpha_missile ? alpha_text_1_jpg : time_text_1_jpg, 357, 256);
        if (alpha_missile)
            draw(alpha_text_2_jpg, 383, 376);
        else
            draw(time_text_2_jpg, 383, 386);
    }
    SetAlpha(1);
}

void inGame_guiT::draw_level_completed()
{
    if (level_outcome == 0)
        return;
    if (name == "black_quad") {
        end_fade_timer += 1;
        if (end_fade_timer >= 220) {
            alpha += 0.01f;
            if (alpha >= 1) {
                alpha = 1;
                level_start_pending = 1;
            }
        } else if (alpha < 0.65f) {
            alpha += 0.01f;
        }
        draw_screen_rect(0, 0, 0, alpha, kAlphaBlend);
    } else if ((level_outcome == 1 && name == "level_completed") || (level_outcome == 2 && name == "level_failed")) {
        fade(alpha, end_fade_timer <= 177 ? 0.02f : -0.02f, 0, 1);
    }
}

void inGame_guiT::update()
{
    Update_pause_menu();
    // On the first level a won level waits for the tutorial to finish before it closes.
    if (!(current_level == 1 && tutorial_step != 12 && level_outcome == 1))
        draw_level_completed();
    if (pause_state == 0) {
        update_hunger_gui();
        update_cooling();
        update_temperature_gui();
        UpdateTimeWarp();
        Update_rip_glow();
    }
    Update_Visor_script();
    // The flies-left counter is drawn once, with the element whose glow warns about it.
    if (name == "rip_glow") {
        const std::string text = "x" + std::to_string(flies_left);
        const int sx = static_cast<int>(screen_shake_x);
        const int sy = static_cast<int>(screen_shake_y);
        SetColor(0, 0, 0);
        GFont::DrawString(abduction2_png, 91 + sx, 661 + sy, text, 0, 0, 1);
        SetColor(255, 255, 255);
        GFont::DrawString(abduction2_png, 90 + sx, 660 + sy, text, 0, 0, 1);
    }
    // The hunger gauges stand for spiders: with none they stay away.
    if (spider_list.empty() && (in_gauge_group1(name) || in_gauge_group2(name)))
        return;
    MethodDrawEntity();
    if (name == "help_back")
        Draw_help_info(static_cast<int>(alpha));
}

void inGame_guiT::dump_fields(nlohmann::json& out) const
{
    Actor::dump_fields(out);
    out["script"] = script;
    out["name"] = name;
    out["switch"] = switch_;
    out["switch_time"] = switch_time;
}

void UpdateOverheatFlash()
{
    if (overheat_flash > 0 && pause_state != 1 && pause_state != 2 && level_outcome != 1) {
        overheat_flash = std::max(overheat_flash - 1, 0);
        SetBlend(kLightBlend);
        SetColor(0, 0, 255);
        SetAlpha(static_cast<float>(Rnd(0.1555, 0.3)));
        DrawRect(-10, -10, 1034, 778);
        SetColor(255, 255, 255);
        SetAlpha(static_cast<float>(Rnd(0.2, 0.4)));
        DrawRect(-10, -10, 1034, 778);
        SetAlpha(1);
        SetBlend(kAlphaBlend);
        if (overheat_flash > 10) {
            screen_shake_x = static_cast<float>(Rand(-7, 7));
            screen_shake_y = static_cast<float>(Rand(-7, 7));
        }
    } else {
        screen_shake_x = 0;
        screen_shake_y = 0;
    }
}
