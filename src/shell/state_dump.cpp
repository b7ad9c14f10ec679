// State snapshots.
#include "shell/state_dump.h"

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/power_ups.h"
#include "player/reticle.h"
#include "player/robo_fly.h"
#include "shell/level_rules.h"
#include "shell/startup.h"
#include "shell/story.h"
#include "sound/sound.h"
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

namespace {

template <typename T>
nlohmann::json dump_list(TList<T>& list)
{
    nlohmann::json out = nlohmann::json::array();
    list.for_each([&](T& item) {
        nlohmann::json o;
        item.dump_fields(o);
        out.push_back(std::move(o));
    });
    return out;
}

}  // namespace

nlohmann::json dump_globals()
{
    nlohmann::json g;
#define DUMP(name) g[#name] = name
    // Frame loop.
    DUMP(level_start_pending);
    DUMP(menu_requested);
    DUMP(level_running);
    DUMP(level_outcome);
    DUMP(pause_state);
    DUMP(help_card);
    DUMP(tick_frames);
    DUMP(level_ticks);
    DUMP(time_scale);
    DUMP(show_intro_story);
    DUMP(show_level_banner);
    DUMP(show_saving_indicator);
    DUMP(mouse_hit_left);
    DUMP(mouse_hit_right);
    DUMP(mouse_hit_middle);
    DUMP(mouse_down_left);
    DUMP(mouse_down_right);
    DUMP(mouse_down_middle);
    DUMP(screen_shake_x);
    DUMP(screen_shake_y);
    DUMP(visor_page);
    DUMP(tutorial_step);
    // Start-up.
    DUMP(screen_depth);
    DUMP(refresh_rate);
    DUMP(loading_steps);
    // Profile and configuration.
    DUMP(profile_name);
    DUMP(current_level);
    DUMP(profile_score);
    DUMP(profile_stars);
    DUMP(game_completed);
    DUMP(difficulty);
    DUMP(current_profile);
    DUMP(music_volume);
    DUMP(sound_volume);
    DUMP(screen_mode);
    // Level rules and score.
    DUMP(main_score);
    DUMP(tactic_bonus);
    DUMP(time_bonus_left);
    DUMP(flies_left);
    DUMP(flies_released);
    DUMP(fly_death_count);
    DUMP(level_deadline_time);
    DUMP(time_bonus);
    DUMP(max_tactic_bonus);
    DUMP(max_main_score);
    DUMP(one_star_limit);
    DUMP(two_star_limit);
    DUMP(three_star_limit);
    DUMP(four_star_limit);
    DUMP(five_star_limit);
    // Spiders.
    DUMP(death_tally);
    // Robot and weapons.
    DUMP(temperature);
    DUMP(robot_damaged);
    DUMP(robot_home_x);
    DUMP(robot_home_y);
    DUMP(robot_launch_x);
    DUMP(robot_launch_y);
    DUMP(aim_mode);
    DUMP(active_slot);
    DUMP(active_weapon);
    DUMP(free_slots);
    DUMP(slice_pending);
    DUMP(cooling_frames);
    // HUD, visor, web and sound.
    DUMP(time_warp_state);
    DUMP(time_warp_timer);
    DUMP(spider2_gauge_state);
    DUMP(overheat_flash);
    DUMP(end_fade_timer);
    DUMP(visor_phase);
    DUMP(visor_timer);
    DUMP(visor_continue_ready);
    DUMP(web_offset_x);
    DUMP(web_offset_y);
    DUMP(web_shaking);
    DUMP(web_flash);
    DUMP(web_flash_timer);
    DUMP(sound_rate);
    DUMP(fly_sound_count);
    DUMP(fly_sound_timer);
    DUMP(free_sound_count);
    DUMP(free_sound_timer);
    DUMP(container_break_count);
    DUMP(container_break_timer);
    DUMP(lazer_hit_count);
    DUMP(lazer_hit_timer);
#undef DUMP
    // The story screen on show, if any.
    if (story_screen.screen.empty())
        g["story_screen"] = nullptr;
    else
        g["story_screen"] = {{"screen", story_screen.screen},
                             {"page", story_screen.page},
                             {"opacity", story_screen.opacity},
                             {"phase", story_screen.phase}};
    // The results screen, while it runs.
    const ResultsTally& r = results_tally;
#define DUMP_RESULTS(field) g["results_" #field] = r.field
    DUMP_RESULTS(running);
    DUMP_RESULTS(phase);
    DUMP_RESULTS(frame);
    DUMP_RESULTS(main_counter);
    DUMP_RESULTS(time_counter);
    DUMP_RESULTS(tactic_counter);
    DUMP_RESULTS(total);
    DUMP_RESULTS(stars);
    DUMP_RESULTS(bar);
    DUMP_RESULTS(target);
    DUMP_RESULTS(title_fade);
    DUMP_RESULTS(label_fade);
    DUMP_RESULTS(panel_fade);
    DUMP_RESULTS(main_fade);
    DUMP_RESULTS(time_fade);
    DUMP_RESULTS(tactic_fade);
    DUMP_RESULTS(total_fade);
    DUMP_RESULTS(button_fade);
    DUMP_RESULTS(restart_glow);
    DUMP_RESULTS(continue_glow);
#undef DUMP_RESULTS
    if (menu_loop_running) {
        g["menu_screen"] = menu_loop.screen;
        g["menu_next_screen"] = menu_loop.next_screen;
        g["menu_fade_state"] = menu_loop.fade_state;
        g["menu_fade_alpha"] = menu_loop.fade_alpha;
        g["menu_working_name"] = menu_loop.working_name;
        g["menu_new_slot"] = menu_loop.new_slot;
    }
    g["rnd_state"] = RndSeed();
    return g;
}

nlohmann::json dump_lists()
{
    nlohmann::json l;
    l["event_list"] = dump_list(event_list);
    l["level_back_list"] = dump_list(level_back_list);
    l["fly_list"] = dump_list(fly_list);
    l["container_list"] = dump_list(container_list);
    l["special_list"] = dump_list(special_list);
    l["bullet_list"] = dump_list(bullet_list);
    l["spider_list"] = dump_list(spider_list);
    l["emitter_layer_1"] = dump_list(emitter_layer_1);
    l["robot_list"] = dump_list(robot_list);
    l["emitter_layer_2"] = dump_list(emitter_layer_2);
    l["level_front_list"] = dump_list(level_front_list);
    l["emitter_layer_3"] = dump_list(emitter_layer_3);
    l["power_ups_list"] = dump_list(power_ups_list);
    l["emitter_layer_4"] = dump_list(emitter_layer_4);
    l["ingame_gui_list"] = dump_list(ingame_gui_list);
    l["reticle_list"] = dump_list(reticle_list);
    l["web_point_list"] = dump_list(web_point_list);
    l["gui_list"] = dump_list(gui_list);
    l["sound_list"] = dump_list(sound_list);
    return l;
}

nlohmann::json dump_state(int64_t frame)
{
    return nlohmann::json {{"f", frame}, {"globals", dump_globals()}, {"lists", dump_lists()}};
}

std::string dump_text(const nlohmann::json& j)
{
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
