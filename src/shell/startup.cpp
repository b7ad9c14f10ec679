// Start-up sequence.
#include "shell/startup.h"

#include "entities/actor.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "shell/assets.h"
#include "shell/globals.h"
#include "shell/story.h"

uint8_t screen_depth = 0;
uint8_t refresh_rate = 60;
int loading_steps = 0;

void loading_step(int units)
{
    FlushKeys();
    FlushMouse();
    Cls();
    loading_steps += units;
    DrawImage(Loading_jpg, 426, 323, 0);
    DrawImage(loading_prgs_jpg, 342, 365, 0);
    draw_image_percent(loading_prgs_prc_jpg, 339, 362, static_cast<float>(loading_steps), "right");
    Flip(-1);
}

void release_loading_screen()
{
    FreeImage(Loading_jpg);
    FreeImage(loading_prgs_jpg);
    FreeImage(loading_prgs_prc_jpg);
    Loading_jpg = loading_prgs_jpg = loading_prgs_prc_jpg = nullptr;
}

void startup(const StartupOverrides& overrides)
{
    SeedRnd(ClockSeed());
    LoadConfig();  // music and sound volume, screen mode
    if (overrides.screen_mode != 0)
        screen_mode = static_cast<uint8_t>(overrides.screen_mode);
    screen_depth = screen_mode == 1 ? 0 : 32;
    HideMouse();
    AppTitle("Wingtron");
    Graphics(1024, 768, screen_depth, refresh_rate, 0);
    play_studio_logo();
    // The asset catalogue is loaded here, group by group, each followed by loading_step.
    release_loading_screen();
    SeedRnd(ClockSeed());
    SetBlend(kAlphaBlend);
    current_level = 1;
    LoadLatestProfile();  // may change current_level
    if (overrides.level >= 1 && overrides.level <= 30) {
        current_level = overrides.level;
        if (overrides.difficulty == 1 || overrides.difficulty == 2)
            difficulty = overrides.difficulty;
        menu_requested = 0;
        show_intro_story = 0;
    }
}
