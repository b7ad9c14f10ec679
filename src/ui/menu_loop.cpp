// The menu loop: builds the current screen's widgets, runs them, reacts to clicks by
// widget name and fades to black between screens.
#include "ui/menu_loop.h"

#include "persist/profile.h"
#include "persist/profile_save.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/program_exit.h"
#include "ui/gui.h"

MenuLoopState menu_loop;
bool menu_loop_running = false;

namespace {

void go_to(int screen, float click_position = 0)
{
    menu_loop.next_screen = screen;
    menu_loop.fade_state = 2;
    play_sound(click_ogg, sound_volume, click_position);
}

void refuse() { play_sound(miss_ogg, sound_volume, 1.0f); }

// Reopens the display in the chosen mode. Pictures stay loaded; the new display starts
// from a fresh render state, so the game's own state is set again.
void switch_screen_mode(uint8_t mode)
{
    screen_mode = mode;
    configured_screen_mode = mode;
    screen_depth = mode == 1 ? 0 : 32;
    Graphics(1024, 768, screen_depth, refresh_rate, 0);
    SetBlend(kAlphaBlend);
    HideMouse();
    play_sound(click_ogg, sound_volume, 0);
}

// Alt+Enter switches the display by itself: the options' check mark and the saved
// configuration follow the mode the display is in, as if the player had picked it.
void follow_display_mode()
{
    if (!GraphicsOpen())
        return;
    const uint8_t shown = GraphicsFullscreen() ? 2 : 1;
    if (shown == screen_mode)
        return;
    screen_mode = shown;
    configured_screen_mode = shown;
    screen_depth = shown == 1 ? 0 : 32;
}

// A new campaign on the chosen difficulty.
void start_new_game(int chosen_difficulty)
{
    go_to(kScreenStartLevel);
    difficulty = chosen_difficulty;
    menu_requested = 0;
    level_start_pending = 1;
    show_intro_story = 1;
    current_level = 1;
    game_completed = 0;
    profile_score = 0;
    profile_stars = 0;
}

// The lowest free slot from 1 up to the one asked for: profiles never leave a gap.
int free_slot_up_to(int slot)
{
    for (int n = 1; n < slot; ++n) {
        if (ProfileExists(n) == 0)
            return n;
    }
    return slot;
}

void create_profile()
{
    current_level = 1;
    profile_score = 0;
    profile_stars = 0;
    // A new player has not finished anything, whoever was loaded before.
    game_completed = 0;
    profile_name = menu_loop.working_name;
    current_profile = static_cast<uint8_t>(free_slot_up_to(menu_loop.new_slot));
    ProfileSaveT::Save_High_score();
    SaveProfile(current_profile);
}

void on_name_entry_click(GuiT& w)
{
    if (w.name == "OK") {
        if (w.fade != 1) {
            refuse();  // the name is taken
            return;
        }
        create_profile();
        go_to(kScreenMainMenu, 1.0f);
    } else if (w.name == "CANCEL") {
        go_to(kScreenProfiles, 1.0f);
    }
}

void on_main_menu_click(GuiT& w)
{
    if (w.Pop_up_text == "Change") {
        go_to(kScreenProfiles);
    } else if (w.name == "New Game") {
        // A campaign under way, or a finished one, is not wiped without a question.
        show_intro_story = 1;
        if (current_level != 1 || game_completed == 1) {
            go_to(kScreenConfirmNew);
        } else {
            menu_requested = 0;
            level_start_pending = 1;
            go_to(kScreenDifficulty);
        }
    } else if (w.name == "High score") {
        ProfileSaveT::Save_High_score();
        go_to(kScreenHighScores);
    } else if (w.name == "Credits") {
        go_to(kScreenCredits);
    } else if (w.name == "Resume") {
        if (w.fade == 4)
            return;
        menu_requested = 0;
        level_start_pending = 1;
        show_intro_story = 0;
        go_to(kScreenStartLevel);
    } else if (w.name == "Options") {
        go_to(kScreenOptions);
    } else if (w.name == "Exit") {
        go_to(kScreenExit);
    }
}

void on_options_click(GuiT& w)
{
    if (w.name == "Back") {
        // A mode given on the command line lasts one run: the file keeps the player's.
        const uint8_t shown = screen_mode;
        screen_mode = configured_screen_mode;
        SaveConfig();
        screen_mode = shown;
        go_to(kScreenMainMenu);
    } else if (w.name == "Window") {
        switch_screen_mode(1);
    } else if (w.name == "Fullscreen") {
        switch_screen_mode(2);
    }
}

// The slots show their players' names, so a slot is known by its number, never by its
// text: a player called "Back" or "Cross 1" is chosen like anyone else.
void on_profile_slot_click(GuiT& w)
{
    if (w.name_container == "change_player_profile") {
        // A file that cannot be read leaves the previous player in memory; saving now
        // would write that player over the slot.
        if (LoadProfile(w.profile_num) != 1) {
            refuse();
            return;
        }
        SaveProfile(w.profile_num);
        menu_loop.next_screen = kScreenMainMenu;
        menu_loop.fade_state = 2;
    } else if (w.name_container == "create_player_profile") {
        menu_loop.new_slot = w.profile_num;
        menu_loop.next_screen = kScreenNameEntry;
        menu_loop.fade_state = 2;
    }
}

void on_profiles_click(GuiT& w)
{
    if (w.profile_num != 0) {
        on_profile_slot_click(w);
    } else if (w.name == "Back") {
        if (CountProfiles() == 0) {
            go_to(kScreenNameEntry);  // nobody to go back to: a player must be made first
        } else if (LoadProfile(current_profile) == 1) {
            SaveProfile(current_profile);
            go_to(kScreenMainMenu);
        } else {
            refuse();  // the current player's file is unreadable: choose or create another
        }
    } else if (w.name.rfind("Cross ", 0) == 0 && w.name.size() == 7) {
        const int slot = w.name[6] - '0';
        if (slot < 1 || slot > kProfileSlots || w.name_container.empty())
            return;
        menu_loop.delete_slot = slot;
        menu_loop.delete_name = w.name_container;
        menu_loop.screen_argument = w.name_container;
        go_to(kScreenDeleteProfile);
    }
}

void on_delete_click(GuiT& w)
{
    if (w.name == "YES") {
        DeleteProfile(menu_loop.delete_slot);
        go_to(CountProfiles() == 0 ? kScreenNameEntry : kScreenProfiles);
        menu_loop.new_slot = current_profile;
    } else if (w.name == "NO") {
        go_to(kScreenProfiles);
    }
}

void on_difficulty_click(GuiT& w)
{
    if (w.name == "normal")
        start_new_game(1);
    else if (w.name == "hard")
        start_new_game(2);
    else if (w.name == "back_hardity")
        go_to(kScreenMainMenu);
}

void on_click(GuiT& w)
{
    switch (menu_loop.screen) {
    case kScreenNameEntry: on_name_entry_click(w); break;
    case kScreenMainMenu: on_main_menu_click(w); break;
    case kScreenConfirmNew:
        if (w.name == "Yes")
            go_to(kScreenDifficulty);
        else if (w.name == "No")
            go_to(kScreenMainMenu);
        break;
    case kScreenHighScores:
    case kScreenCredits:
        if (w.name == "Back")
            go_to(kScreenMainMenu);
        break;
    case kScreenOptions: on_options_click(w); break;
    case kScreenProfiles: on_profiles_click(w); break;
    case kScreenDeleteProfile: on_delete_click(w); break;
    case kScreenDifficulty: on_difficulty_click(w); break;
    default: break;
    }
}

// The options screen also tells where profiles, high scores and settings are kept, in
// the small engine font between the mode buttons and "Back".
void draw_profiles_folder()
{
    constexpr size_t kMaxChars = 76;  // the panel's inner width at 8 pixels a character
    std::string text = "PROFILES: " + ProfilesFolder();
    if (text.size() > kMaxChars)
        text = "PROFILES: ..." + ProfilesFolder().substr(ProfilesFolder().size() - (kMaxChars - 13));
    SetColor(255, 233, 168);
    DrawText(text, 512 - 4 * static_cast<float>(text.size()), 572);
    SetColor(255, 255, 255);
}

void draw_fade_cover()
{
    SetColor(0, 0, 0);
    SetAlpha(menu_loop.fade_alpha);
    DrawRect(0, 0, 1024, 768);
    SetAlpha(1);
    SetColor(255, 255, 255);
}

void step_fade()
{
    if (menu_loop.fade_state == 2) {
        menu_loop.fade_alpha += 0.02f;
        draw_fade_cover();
        if (menu_loop.fade_alpha >= 1) {
            menu_loop.rebuild = 1;
            menu_loop.fade_alpha = 1;
            menu_loop.fade_state = 1;
            menu_loop.screen = menu_loop.next_screen;
            if (menu_loop.screen == kScreenStartLevel) {
                menu_loop.done = 1;
                level_start_pending = 1;
            } else if (menu_loop.screen == kScreenExit) {
                end_program(0);
            }
        }
    } else if (menu_loop.fade_state == 1) {
        menu_loop.fade_alpha -= 0.04f;
        draw_fade_cover();
        if (menu_loop.fade_alpha <= 0) {
            menu_loop.fade_alpha = 0;
            menu_loop.fade_state = 0;
        }
    }
}

void build_screen()
{
    GuiT::Menu_Create(menu_loop.screen, menu_loop.screen_argument);
    menu_loop.built = 1;
    if (menu_loop.screen == kScreenNameEntry) {
        // Keys pressed in play or on other screens were never read: they must not turn
        // up in the name.
        FlushKeys();
        menu_loop.cursor_x = 400;
    }
}

}  // namespace

void menu_loop_frame()
{
    if (AppTerminate())
        end_program(0);
    latch_mouse();
    follow_display_mode();
    Cls();
    if (!menu_loop.built) {
        build_screen();
    } else {
        const bool idle = menu_loop.fade_state == 0;
        gui_list.for_each([&](GuiT& w) {
            w.update_hover(idle);
            if (w.picked_stat == 2)
                on_click(w);
            w.update_animate_and_draw();
        });
        if (menu_loop.screen == kScreenOptions) {
            // The mark sits on the mode in use; drawn once, over every widget.
            DrawImage(check_options_png, screen_mode == 1 ? 415.0f : 755.0f, screen_mode == 1 ? 485.0f : 477.0f, 0);
            draw_profiles_folder();
        }
        step_fade();
    }
    if (menu_loop.rebuild) {
        gui_list.clear();
        menu_loop.built = 0;
        menu_loop.rebuild = 0;
    }
    DrawImage(game_cursor_png, static_cast<float>(MouseX()), static_cast<float>(MouseY()), 0);
    sound_list.for_each([](SoundT& s) { s.Update(); });
    Flip(-1);
    clear_mouse_latch();
}

void run_menu_loop()
{
    menu_loop = MenuLoopState();
    gui_list.clear();
    menu_loop.screen = CountProfiles() == 0 ? kScreenNameEntry : kScreenMainMenu;
    menu_loop.next_screen = menu_loop.screen;
    menu_loop.working_name = current_profile != 0 ? profile_name : "Player";
    // A level left during the time warp must not slow the menus.
    time_scale = 1;
    sound_rate = 1;
    menu_loop_running = true;
    struct Running {
        ~Running() { menu_loop_running = false; }
    } running;
    while (!menu_loop.done)
        menu_loop_frame();
    Cls();
}
