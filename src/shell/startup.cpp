// Start-up sequence.
#include "shell/startup.h"

#include "entities/actor.h"
#include "persist/profile.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/preload.h"
#include "shell/catalogue.h"
#include "shell/story.h"
#include "state/assets.h"
#include "state/globals.h"

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

namespace {

void load_entry(const CatalogueEntry& e)
{
    if (e.sound) {
        *e.sound = LoadSound(e.path(), e.flags);
        return;
    }
    AutoMidHandle(e.anchor == kMid ? 1 : 0);
    TImage* image = e.frames > 0 ? LoadAnimImage(e.path(), e.cell_w, e.cell_h, 0, e.frames, e.flags)
                                 : LoadImage(e.path(), e.flags);
    if (image && e.has_handle)
        SetImageHandle(image, e.handle_x, e.handle_y);
    *e.image = image;
}

}  // namespace

void load_catalogue()
{
    // Decoding runs ahead on the other cores; the groups still load and advance the bar
    // one by one, in order.
    std::vector<PreloadFile> files;
    for (const LoadGroup& group : catalogue_groups()) {
        for (const CatalogueEntry& e : group.entries)
            files.push_back({e.path(), e.sound ? PreloadKind::kSound : PreloadKind::kPicture});
    }
    BeginPreload(std::move(files));
    for (const LoadGroup& group : catalogue_groups()) {
        for (const CatalogueEntry& e : group.entries)
            load_entry(e);
        loading_step(group.units);
    }
    AutoMidHandle(0);
    EndPreload();
    // Each step discards what came before it; this catches a click made while the last
    // group was being shown.
    FlushKeys();
    FlushMouse();
}

void free_catalogue()
{
    for (const LoadGroup& group : catalogue_groups()) {
        for (const CatalogueEntry& e : group.entries) {
            if (e.sound) {
                FreeSound(*e.sound);
                *e.sound = nullptr;
            } else {
                FreeImage(*e.image);
                *e.image = nullptr;
            }
        }
    }
}

void startup(const StartupOverrides& overrides)
{
    // The renderer is the platform's OpenGL one (or the headless twin), chosen by main.
    SeedRnd(ClockSeed());
    LoadConfig();  // music and sound volume, screen mode
    if (overrides.screen_mode != 0)
        screen_mode = static_cast<uint8_t>(overrides.screen_mode);
    screen_depth = screen_mode == 1 ? 0 : 32;
    HideMouse();
    AppTitle("Wingtron");
    Graphics(1024, 768, screen_depth, refresh_rate, 0);
    // The entity lists (sound_list among them) live for the whole program already.
    play_studio_logo();
    loading_steps = 0;
    load_catalogue();
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
