// Story screens: the studio logo; the intro, banner, saving animation, ending and final
// results follow the same modal shape.
#include "shell/story.h"

#include <algorithm>

#include "persist/profile.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"

void play_studio_logo()
{
    oxbeam_intro_ogg = LoadSound(".\\music\\oxbeam_intro.ogg", 0);
    play_sound(oxbeam_intro_ogg, music_volume, 0);
    Oxbeam_logo_png = LoadImage(".\\media\\Oxbeam_logo.png", 2);
    Oxbeam_logo_part2_png = LoadImage(".\\media\\Oxbeam_logo_part2.png", -1);
    SetBlend(kAlphaBlend);
    FlushKeys();
    FlushMouse();

    // Opacities of the logo and of its second part, 0..1; frame counter from 1. Both are
    // kept within 0..1 so the fade-out from frame 285 shows at once.
    float logo_alpha = 0, part_alpha = 0;
    int n = 0;
    // The close box is left pending for the main loop, which ends the program at once.
    while (true) {
        Cls();
        const bool skip =
            KeyHit(kKeyEscape) || KeyHit(kKeyEnter) || KeyHit(kKeySpace) || MouseHit(1) || MouseHit(2);
        if (skip)
            stop_all_sounds();
        n += 1;
        if (n > 15 && n < 250)
            logo_alpha += 0.015f;
        if (n >= 100 && n < 250)
            part_alpha += 0.015f;
        if (n >= 285) {
            logo_alpha -= 0.01f;
            part_alpha -= 0.01f;
        }
        logo_alpha = std::clamp(logo_alpha, 0.0f, 1.0f);
        part_alpha = std::clamp(part_alpha, 0.0f, 1.0f);
        SetAlpha(logo_alpha);
        DrawImage(Oxbeam_logo_png, 270, 260, 0);
        SetAlpha(part_alpha);
        DrawImage(Oxbeam_logo_part2_png, 365, 425, 0);
        Flip(-1);
        if (skip || n >= 420)
            break;
    }
    SetAlpha(1);
}

void play_intro_story() {}

void play_level_banner()
{
    show_level_banner = 0;
}

void play_saving_animation() {}

void play_ending_story() {}

void play_final_results() {}
