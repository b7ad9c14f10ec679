// The main frame loop and the two ways into play: menu entry and level start.
#include "shell/main_loop.h"

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/power_ups.h"
#include "player/reticle.h"
#include "player/robo_fly.h"
#include "shell/level_rules.h"
#include "shell/story.h"
#include "shell/tutorial.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "ui/gui.h"
#include "ui/ingame_gui.h"
#include "ui/menu_loop.h"
#include "ui/visor.h"
#include "world/container.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/level_object.h"
#include "world/special.h"
#include "world/spider.h"
#include "world/web_point.h"

void handle_escape()
{
    // A page that goes out of sight or loses focus pauses a level as Escape would, but
    // never closes the pause menu.
    const bool page_left = TakePauseRequest() != 0;
    const bool escape = KeyHit(kKeyEscape) != 0;
    if (page_left && !escape && pause_state != 0)
        return;
    if (!page_left && !escape)
        return;
    if (pause_state == 0 || pause_state == 2) {
        // The pause menu opens only while the level is undecided, and on the first level
        // only once the tutorial has finished.
        if (level_outcome == 0 && (current_level != 1 || tutorial_step >= 12))
            pause_state = 1;
    } else if (pause_state == 1) {
        pause_state = help_card != 0 ? 2 : 0;
    }
}

void advance_level_clock()
{
    if (visor_page == 0)
        tick_frames += 1;
    const int tick_length = time_scale == 1.0f ? 10 : 20;
    // At or above: the length drops from 20 to 10 when a time warp ends.
    if (tick_frames >= tick_length) {
        level_ticks += 1;
        tick_frames = 0;
    }
}

void update_world()
{
    if (visor_page == 0)
        event_list.for_each([](EventsT& e) { e.update(); });          // timed events
    level_back_list.for_each([](levelObT& o) { o.update(); });        // back scenery and web
    fly_list.for_each([](FlyT& f) { f.Update(); });                   // trapped flies
    container_list.for_each([](ContainerT& c) { c.Update(); });       // toxic containers
    special_list.for_each([](FlySpecT& s) { s.Update(); });           // falling specials
    bullet_list.for_each([](BulletT& b) { b.update(); });             // projectiles
    spider_list.for_each([](SpiderT& s) { s.Update(); });             // spiders
    emitter_layer_1.for_each([](emitterT& e) { e.Update(); });        // effects behind the robot
    robot_list.for_each([](roboFlyT& r) { r.Update(); });             // the robot
    select_slot_by_keys();                                             // weapon slot keys
    select_slot_by_wheel();                                            // and wheel
    if (level_outcome == 0) {                                          // fly life bars
        fly_list.for_each([](FlyT& f) {
            if ((f.status == 1 || f.status == 3 || f.status == 5) && f.life_bar_alpha > 0)
                f.Draw_life_bar();
        });
    }
    emitter_layer_2.for_each([](emitterT& e) { e.Update(); });        // effects over the bars
    level_front_list.for_each([](levelObT& o) { o.update(); });       // front scenery
    emitter_layer_3.for_each([](emitterT& e) { e.Update(); });        // effects over the scenery
    power_ups_list.for_each([](power_upsT& p) { p.update(); });       // weapon slots
    emitter_layer_4.for_each([](emitterT& e) { e.Update(); });        // effects over the slots
    ingame_gui_list.for_each([](inGame_guiT& g) { g.update(); });     // HUD
    UpdateOverheatFlash();                                             // screen shake
    reticle_list.for_each([](pPricelT& p) { p.Update(); });           // reticle
    sound_list.for_each([](SoundT& s) { s.Update(); });               // sound channels
    update_sound_throttles();
}

void clear_world()
{
    level_back_list.clear();
    level_front_list.clear();
    fly_list.clear();
    event_list.clear();
    bullet_list.clear();
    spider_list.clear();
    web_point_list.clear();
    robot_list.clear();
    container_list.clear();
    special_list.clear();
    emitter_layer_2.clear();
    power_ups_list.clear();
    emitter_layer_1.clear();
    emitter_layer_3.clear();
    emitter_layer_4.clear();
    ingame_gui_list.clear();
    reticle_list.clear();
}

namespace {

// A time warp, an overheat flash and cooling left over must not outlive the level: not
// into the menus (slowed or shaking) nor into the next level (free cooling).
void end_time_warp_and_heat()
{
    cooling_frames = 0;
    overheat_flash = 0;
    screen_shake_x = screen_shake_y = 0;
    time_scale = 1;
    sound_rate = 1;
    time_warp_state = 0;
    time_warp_timer = 0;
}

void enter_menu()
{
    clear_world();
    reset_sound_channels();
    pause_state = 0;
    help_card = 0;
    level_ticks = 0;
    level_running = 0;
    tick_frames = 0;
    level_outcome = 0;
    temperature = 0;
    end_time_warp_and_heat();
    MoveMouse(394, 308);
    resume_channel_by_name("ambient");
    resume_channel_by_name("menu_music");
    if (show_saving_indicator == 1) {
        play_saving_animation();
        show_saving_indicator = 0;
    }
    run_menu_loop();
}

void reset_level_state()
{
    end_time_warp_and_heat();
    level_ticks = 0;
    temperature = 0;
    level_running = 1;
    help_card = 0;
    tick_frames = 0;
    active_slot = 1;
    level_outcome = 0;
    free_slots = 4;
    active_weapon = 1;
    time_bonus_left = 0;
    main_score = 0;
    tactic_bonus = 0;
    flies_released = 0;
    visor_page = 0;
    visor_phase = 0;
    visor_timer = 0;
    visor_continue_ready = 0;
    tutorial_step = 0;
    robot_damaged = 0;
    slice_pending = 0;
    spider2_gauge_state = 0;
    web_flash = 0;
    web_flash_timer = 0;
}

void start_level()
{
    clear_world();
    pause_state = 0;
    reset_sound_channels();
    reset_level_state();
    MoveMouse(394, 308);
    if (show_intro_story != 0)
        play_intro_story();
    levelObT::load_level(current_level);
    load_level_rules(current_level);
    inGame_guiT::CreateIngameGui();
    power_upsT::CreatePower_Ups();
    load_level_arsenal(current_level);
    roboFlyT::initialize_robo_fly();
    pPricelT::Create_New();
    const bool two_spiders = (current_level >= 22 && current_level <= 24) || current_level >= 26;
    SpiderT::Create_New(two_spiders ? 2 : 1);
    load_level_events(std::to_string(current_level));
    resume_channel_by_name("ambient");
    resume_channel_by_name("music");
    level_start_pending = 0;
    if (show_level_banner == 1) {
        if (show_saving_indicator == 1)
            play_saving_animation();
        else
            show_saving_indicator = 1;
        play_level_banner();
    }
}

}  // namespace

void process_level_start()
{
    if (level_start_pending != 1)
        return;
    if (menu_requested == 1)
        enter_menu();
    else
        start_level();
}

void main_loop_frame()
{
    latch_mouse();
    Cls();
    handle_escape();
    process_level_start();
    if (level_running == 1 && pause_state == 0)
        advance_level_clock();
    UpdateVisorSequence();
    update_tutorial();
    update_world();
    decay_time_bonus();
    check_results();
    Flip(-1);
    clear_mouse_latch();
}

void run_main_loop()
{
    while (!AppTerminate())
        main_loop_frame();
}
