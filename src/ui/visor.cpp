// Tutorial visor: the page sequencer and the visor elements' animation.
#include "ui/visor.h"

#include <algorithm>

#include "entities/helpers.h"
#include "persist/profile.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "ui/ingame_gui.h"

int visor_phase = 0;
int visor_timer = 0;
int visor_continue_ready = 0;

namespace
{

constexpr int kSlideFrames = 150;  // down or up, 2.7 pixels a frame
constexpr int kRevealFrames = 200; // the text uncovers by 0.5 percent a frame
constexpr int kTurnFrames = 34;    // page turn: the follow-up starts after 35 frames
constexpr float kSlideStep = 2.7f;
constexpr float kGlowFloor = 215; // the reveal glow stops here, pixels

// Pages whose Continue leads to a further page, and that page. Page 7 becomes 8 and
// is carried on to 9 only by the next press.
int follow_up_page(int page)
{
    switch (page) {
    case 1:
        return 2;
    case 3:
        return 4;
    case 5:
        return 6;
    case 8:
        return 9;
    case 7:
        return 8;
    case 11:
        return 12;
    default:
        return 0;
    }
}

bool is_visor_element(const std::string& name)
{
    static const char* const kNames[] = {"visor_lTube",      "visor_RTube",    "visor_AnimWheel",
                                         "visor_AnimDoor",   "visor_Mbody",    "visor_AnimScreen",
                                         "visor_BlueScreen", "visor_Continue", "visor_ContinueGlow",
                                         "Visor_text_fx",    "Visor_text"};
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

} // namespace

TImage* visor_page_picture(int page)
{
    TImage* const* const kPictures[] = {
        &visor_text_1_jpg,  &visor_text_2_jpg,  &visor_text_3_jpg,  &visor_text_4_jpg,  &visor_text_5_jpg,
        &visor_text_6_jpg,  &visor_text_7_jpg,  &visor_text_8_jpg,  &visor_text_9_jpg,  &visor_text_10_jpg,
        &visor_text_11_jpg, &visor_text_12_jpg, &visor_text_13_jpg, &visor_text_14_jpg, &visor_text_15_jpg};
    if (page >= 1 && page <= 15)
        return *kPictures[page - 1];
    if (page == 17)
        return visor_text_16_jpg;
    return nullptr;
}

float visor_reveal_speed(int page)
{
    static const float kSpeeds[] = {0.8f,  0.6f,  0.65f, 0.2f,  0.76f, 0.76f, 0.77f, 0.77f, 0.74f,
                                    0.66f, 0.59f, 0.37f, 0.76f, 0.57f, 0.77f, 0.0f,  0.7f};
    return page >= 1 && page <= 17 ? kSpeeds[page - 1] : 0.0f;
}

bool visor_level(int level)
{
    return level == 1 || level == 4 || level == 10 || level == 12;
}

void UpdateVisorSequence()
{
    if (visor_page == 0)
        return;
    visor_timer += 1;
    if (visor_timer >= 2 && visor_phase == 0) {
        visor_phase = 1;
        visor_timer = 0;
    }
    if (visor_phase == 1 && visor_timer >= kSlideFrames) {
        visor_phase = 2;
        visor_timer = 0;
    }
    if (visor_phase == 2 && visor_timer >= kRevealFrames) {
        visor_phase = 3;
        visor_timer = 0;
    }
    if (visor_phase == 4) {
        visor_phase = follow_up_page(visor_page) != 0 ? 10 : 5;
        visor_timer = 0;
    }
    if (visor_phase == 5 && visor_timer >= kSlideFrames) {
        visor_phase = 6;
        visor_timer = 0;
    }
    if (visor_phase == 6) {
        visor_page = 0;
        visor_phase = 0;
        visor_timer = 0;
    }
    if (visor_phase == 10 && visor_timer > kTurnFrames) {
        visor_phase = 2;
        visor_timer = 0;
        visor_page = follow_up_page(visor_page);
    }
}

void inGame_guiT::Update_Visor_script()
{
    if (!visor_level(current_level))
        return;
    const bool is_text = name == "Visor_text";
    const bool is_fx = name == "Visor_text_fx";
    const bool is_glow = name == "visor_ContinueGlow";
    if (is_text) {
        // Pages without a picture keep the last one (the idle visor asks for page 0).
        if (TImage* picture = visor_page_picture(visor_page))
            entity = picture;
    }
    const float s = visor_reveal_speed(visor_page);
    const bool visor_part = is_visor_element(name);

    if (visor_phase == 1 && visor_part) {
        y += kSlideStep;
        if (is_text)
            RectPercent = 0;
    }
    if (visor_phase == 5 && visor_part && !is_fx) {
        y -= kSlideStep;
        if (is_glow)
            alpha = std::max(alpha - 0.1f, 0.0f);
    }
    if (visor_phase == 2) {
        if (is_fx) {
            alpha = std::min(alpha + 0.1f, 1.0f);
            y = std::min(y + s, kGlowFloor);
        } else if (is_text) {
            RectPercent += 0.5f;
            alpha = std::min(alpha + 0.1f, 1.0f);
        }
    }
    if (is_fx)
        visor_continue_ready = alpha <= 0 ? 1 : 0;
    if (visor_phase == 3) {
        if (is_fx) {
            alpha -= 0.1f;
            if (alpha > 0) {
                visor_continue_ready = 0;
            } else {
                alpha = 0;
                visor_continue_ready = 1;
                y = -350;
            }
        } else if (is_glow && visor_continue_ready == 1) {
            // The button's box reaches 15 pixels left of and above the glow.
            const bool over = rects_overlap(static_cast<int>(x) - 15, static_cast<int>(y) - 15, 119, 36,
                                            MouseX(), MouseY(), 1, 1) == 1;
            if (over) {
                alpha = std::min(alpha + 0.1f, 1.0f);
                if (mouse_hit_left == 1) {
                    visor_phase = 4;
                    play_sound(click_ogg, sound_volume, 0);
                }
            } else {
                alpha = std::max(alpha - 0.1f, 0.0f);
            }
        }
    }
    if (visor_phase == 10) {
        if (is_text) {
            alpha -= 0.1f;
            if (alpha <= 0) {
                alpha = 0;
                RectPercent = 0;
            }
        } else if (is_fx) {
            y = 55;
        } else if (is_glow) {
            alpha = std::max(alpha - 0.1f, 0.0f);
        }
    }
}
