// Level rules, the time bonus and the results tally.
#include "shell/level_rules.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "entities/helpers.h"
#include "persist/profile.h"
#include "persist/profile_save.h"
#include "persist/xml_document.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "shell/main_loop.h"
#include "shell/story.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "ui/font.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/level_file.h"

namespace {

constexpr const char* kLevelsVarsPath = ".\\levels\\levels_vars.xml";

// Every level needs all seven rules: limits of 0 would give any total five stars while
// the bar shows none, so a missing one is as fatal as a malformed file.
int rule_value(xmlNode* rules, int level, const char* key)
{
    int v = 0;
    if (!find_int_value(rules, key, v))
        throw XmlError("Level " + std::to_string(level) + " lacks \"" + key + "\".", kLevelsVarsPath);
    return v;
}

}  // namespace

void load_level_rules(int level)
{
    auto doc = load_tuning_document(kLevelsVarsPath);
    xmlNode* root = doc ? doc->Root() : nullptr;
    const std::string element = "level_" + std::to_string(level);
    xmlNode* rules = root ? root->FindChild(element, 0, 1) : nullptr;
    if (!rules)
        throw XmlError("No element \"" + element + "\" for level " + std::to_string(level) + ".",
                       kLevelsVarsPath);
    fly_death_count = rule_value(rules, level, "fly_death_count");
    flies_left = fly_death_count;
    level_deadline_time = rule_value(rules, level, "level_deadline_time");
    time_bonus = rule_value(rules, level, "time_bonus");
    time_bonus_left = time_bonus;
    max_tactic_bonus = rule_value(rules, level, "max_tactic_bonus");
    max_main_score = rule_value(rules, level, "max_main_score");
    one_star_limit = rule_value(rules, level, "one_star_limit");
    five_star_limit = rule_value(rules, level, "fifve_star_limit");
    // The middle limits split the range evenly (truncating division).
    const int q = (five_star_limit - one_star_limit) / 4;
    two_star_limit = one_star_limit + q;
    three_star_limit = one_star_limit + 2 * q;
    four_star_limit = one_star_limit + 3 * q;
    if (doc)
        doc->Clear();
}

int star_count(int total)
{
    if (total >= five_star_limit)
        return 5;
    if (total >= four_star_limit)
        return 4;
    if (total >= three_star_limit)
        return 3;
    if (total >= two_star_limit)
        return 2;
    if (total >= one_star_limit)
        return 1;
    return 0;
}

int pending_flies_value()
{
    int value = 0;
    fly_list.for_each([&](FlyT& f) {
        if (f.status == 2 || f.status == 3)
            return;
        if (f.name == "normal")
            value += 15;
        else if (f.name == "komar")
            value += 5;
        else if (f.name == "butterfly")
            value += 30;
    });
    event_list.for_each([&](EventsT& e) {
        if (e.type_of_event != "Fly")
            return;
        if (e.item_type == 1)
            value += 15;
        else if (e.item_type == 2)
            value += 5;
        else if (e.item_type == 3)
            value += 45;
    });
    return value;
}

void decay_time_bonus()
{
    // Two frames of every tick; a visor page holds the clock on one of them, so the
    // bonus waits while the player reads.
    if (level_ticks > level_deadline_time && (tick_frames == 1 || tick_frames == 5) && level_outcome == 0 &&
        pause_state == 0 && visor_page == 0 && time_bonus_left > 0)
        time_bonus_left -= 1;
}

void check_results()
{
    if (level_outcome != 1 || level_start_pending != 1)
        return;
    if (current_level == 1) {
        if (tutorial_step != 12)
            return;
        visor_page = 0;
    }
    results_screen();
}

namespace {

constexpr float kStarX[5] = {407, 450, 492, 535, 578};

int star_limit(int k)
{
    const int limits[5] = {one_star_limit, two_star_limit, three_star_limit, four_star_limit, five_star_limit};
    return limits[k - 1];
}

// Where star k sits on the bar, in percent of the five-star limit.
float star_position(int k) { return static_cast<float>(star_limit(k) / (five_star_limit * 0.01)); }

// Fades add, then the caller may test for 1, then they are clamped.
void raise(float& fade, float step) { fade = std::min(fade + step, 1.0f); }

void chime_max() { play_sound(max_achive_ogg, sound_volume, 0); }

// Counts one displayed counter up by 5 a frame towards its value; returns true when the
// count is done: the counter landed on the value, or passed it and its line is fully shown.
bool count_up(int& counter, int value, float line_fade)
{
    if (counter < value) {
        counter += 5;
        return counter == value;
    }
    if (line_fade >= 1) {
        counter = value;
        return true;
    }
    return false;
}

// One counter line; a counter at its cap gets the "max" marker beside it, pushed right
// for four digits when wide_x is given.
void draw_line(int value, int y, float fade, int cap, float marker_x, float marker_y, float wide_x = 0)
{
    if (!(fade > 0))
        return;
    SetAlpha(fade);
    GFont::DrawString(abduction2_png, 520, y, std::to_string(value), 0, 0, 15.3f);
    if (marker_x > 0 && value >= cap)
        DrawImage(max_highscore_jpg, wide_x > 0 && value >= 1000 ? wide_x : marker_x, marker_y, 0);
    SetAlpha(1);
}

void draw_picture(TImage* image, float x, float y, float fade)
{
    if (!(fade > 0))
        return;
    SetAlpha(fade);
    DrawImage(image, x, y, 0);
    SetAlpha(1);
}

void count_phase()
{
    ResultsTally& r = results_tally;
    if (r.phase == 4) {
        resume_channel_by_name("score");
        if (count_up(r.main_counter, main_score, r.main_fade)) {
            r.phase = 5;
            if (r.main_counter >= max_main_score)
                chime_max();
        }
    } else if (r.phase == 5) {
        if (count_up(r.time_counter, time_bonus_left, r.time_fade)) {
            r.phase = 6;
            if (r.time_counter >= time_bonus)
                chime_max();
        }
    } else if (r.phase == 6) {
        if (count_up(r.tactic_counter, tactic_bonus, r.tactic_fade)) {
            r.phase = 7;
            r.frame = 0;
            if (r.tactic_counter >= max_tactic_bonus)
                chime_max();
        }
    }
}

void star_panel()
{
    ResultsTally& r = results_tally;
    const bool scaled = five_star_limit > 0;  // without a five-star limit the bar stays empty
    if (r.phase >= 7 && r.bar < r.target)
        r.bar = std::min(r.bar + 0.5f, r.target);
    // Only the stars the total earns light up, each with its chime as the bar reaches it.
    int lit = 0;
    for (int k = 1; scaled && k <= r.stars && r.bar >= star_position(k); ++k) {
        lit = k;
        if (r.phase == 6 + k) {
            play_sound(stars_cnt_ogg, sound_volume, 0);
            r.phase += 1;
        }
    }
    if (r.phase >= 7 && r.phase < 12 && r.bar >= r.target)
        r.phase = 12;

    if (!(r.panel_fade > 0))
        return;
    SetAlpha(r.panel_fade);
    DrawImage(stars_empty_png, 395, 420, 0);
    DrawImage(stars_progress_podlogka_jpg, 399, 474, 0);
    if (scaled)
        draw_image_percent(stars_progress_jpg, 400, 474, r.bar, "right");
    for (int k = 1; k <= lit; ++k) {
        SetBlend(kLightBlend);
        DrawImage(star_gold_png, kStarX[k - 1], 425, 0);
        SetBlend(kAlphaBlend);
        draw_image_percent(stars_progress2_jpg, 400, 474, star_position(k), "right");
    }
    SetBlend(kAlphaBlend);
    for (int k = 1; scaled && k <= 4; ++k)
        DrawImage(stars_progress_seperate_png, 395 + 2.29f * std::min(star_position(k), 100.0f), 474, 0);
    DrawImage(stars_progres_ramka_png, 395, 474, 0);
    SetAlpha(1);
}

bool pointer_in(int x, int y, int w, int h) { return rects_overlap(x, y, w, h, MouseX(), MouseY(), 1, 1) == 1; }

// Set by a Continue that finished the campaign: the ending follows the tally.
bool ending_due = false;

void take_continue()
{
    show_level_banner = 1;
    current_level += 1;
    if (current_level > kLastLevel) {
        current_level = kLastLevel;
        game_completed = 1;
        ending_due = true;
    }
    profile_score += results_tally.total;
    profile_stars += results_tally.stars;
    SavePlayedProfile();
}

}  // namespace

ResultsTally results_tally;

void begin_results()
{
    main_score += pending_flies_value();
    // The score keeps the share of fly lives kept.
    if (flies_left != fly_death_count && fly_death_count != 0)
        main_score = static_cast<int>(static_cast<int64_t>(main_score) * flies_left / fly_death_count);
    set_channel_volume_by_name("score", sound_volume);
    time_bonus_left = std::max(time_bonus_left, 0);
    tactic_bonus = std::min(tactic_bonus, max_tactic_bonus);
    main_score = std::min(main_score, max_main_score);

    ending_due = false;
    results_tally = ResultsTally {};
    ResultsTally& r = results_tally;
    r.running = 1;
    r.total = main_score + tactic_bonus + time_bonus_left;
    r.stars = star_count(r.total);
    r.target = five_star_limit > 0 ? static_cast<float>(r.total / (five_star_limit * 0.01) + 1) : 0.0f;
}

int step_results()
{
    ResultsTally& r = results_tally;
    if (sound_rate < 1) {
        sound_rate = std::min(sound_rate + 0.01f, 1.0f);
        set_all_sounds_rate(sound_rate);
    }
    fade_out_channel_by_name("wingtron_sparkles");
    fade_out_channel_by_name("overheat");

    r.frame += 1;
    if (r.phase == 0 && r.frame >= 40)
        r.phase = 1;
    else if (r.phase == 1 && r.frame >= 90)
        r.phase = 2;
    else if (r.phase == 2 && r.frame >= 140)
        r.phase = 3;

    if (r.phase == 1)
        raise(r.title_fade, 0.05f);
    if (r.phase == 2)
        raise(r.label_fade, 0.05f);
    if (r.phase == 3) {
        r.panel_fade += 0.05f;
        if (r.panel_fade >= 1)
            r.phase = 4;
        r.panel_fade = std::min(r.panel_fade, 1.0f);
    }
    if (r.phase >= 4)
        raise(r.main_fade, 0.1f);
    if (r.phase >= 5)
        raise(r.time_fade, 0.1f);
    if (r.phase >= 6)
        raise(r.tactic_fade, 0.1f);
    if (r.phase >= 7) {
        raise(r.total_fade, 0.1f);
        pause_channel_by_name("score");
    }

    count_phase();

    draw_line(r.main_counter, 252, r.main_fade, max_main_score, 608, 262, 633);
    draw_line(r.time_counter, 283, r.time_fade, time_bonus, 608, 293);
    draw_line(r.tactic_counter, 313, r.tactic_fade, max_tactic_bonus, 608, 323);
    draw_line(r.total, 372, r.total_fade, 0, 0, 0);
    draw_picture(Results_png, 435, 183, r.title_fade);
    draw_picture(total_score_png, 300, 260, r.label_fade);

    star_panel();

    int taken = 0;
    if (r.phase == 12)
        raise(r.button_fade, 0.05f);
    if (r.phase >= 12) {
        r.restart_glow = std::clamp(r.restart_glow + (pointer_in(255, 550, 210, 65) ? 0.1f : -0.1f), 0.0f, 1.0f);
        r.continue_glow = std::clamp(r.continue_glow + (pointer_in(585, 550, 220, 65) ? 0.1f : -0.1f), 0.0f, 1.0f);
        if (mouse_down_left == 1 && (r.restart_glow >= 1 || r.continue_glow >= 1)) {
            play_sound(click_ogg, sound_volume, 0);
            level_outcome = 0;
            taken = r.continue_glow >= 1 ? 2 : 1;
            if (taken == 2)
                take_continue();
        }
    }

    if (r.button_fade > 0) {
        SetScale(0.9f, 0.9f);
        SetAlpha(r.button_fade);
        DrawImage(Restart_level_png, 255, 550, 0);
        DrawImage(continue_image_png, 585, 550, 0);
        SetBlend(kLightBlend);
        SetColor(0, 250, 0);
        SetAlpha(r.restart_glow);
        DrawImage(restart_level_glow_png, 283, 557, 0);
        SetAlpha(r.continue_glow);
        DrawImage(continue_glow_pause_png, 607, 562, 0);
        SetColor(255, 255, 255);
        SetScale(1, 1);
        SetBlend(kAlphaBlend);
        SetAlpha(1);
    }
    DrawImage(game_cursor_png, static_cast<float>(MouseX()), static_cast<float>(MouseY()), 0);
    return taken;
}

void results_screen()
{
    begin_results();
    int taken = 0;
    while (taken == 0) {
        latch_mouse();
        if (AppTerminate())
            end_program(0);
        Cls();
        taken = step_results();
        sound_list.for_each([](SoundT& s) { s.Update(); });
        Flip(-1);
        clear_mouse_latch();
    }
    results_tally.running = 0;
    // The frame the main loop presents next stays black.
    Cls();
    // Only the Continue that finished the campaign runs the ending: a profile that already
    // finished it once plays on without seeing the ending after every level.
    if (ending_due)
        play_ending_story();
}
