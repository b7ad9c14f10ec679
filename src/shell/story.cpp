// Story screens: the studio logo; the intro, banner, saving animation, ending and final
// results follow the same modal shape.
#include "shell/story.h"

#include <algorithm>
#include <span>
#include <string>

#include "entities/actor.h"
#include "persist/profile.h"
#include "persist/profile_save.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/program_exit.h"
#include "ui/font.h"

StoryScreenState story_screen;

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
        story_screen = {"logo", 0, logo_alpha, 0};
        Flip(-1);
        if (skip || n >= 420)
            break;
    }
    SetAlpha(1);
    story_screen = {};
}

namespace
{

// Every story screen but the logo ends the program at once on a close request.
void end_on_close()
{
    if (AppTerminate()) {
        story_screen = {};
        end_program(0);
    }
}

void draw_text(int x, int y, const std::string& text, float spacing)
{
    GFont::DrawString(abduction2_png, x, y, text, 0, 0, spacing);
}

void restore_render_state()
{
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 255, 255);
    SetBlend(kAlphaBlend);
}

struct StoryPage {
    int x; // left edge of the line; y is 340 on every page
    const char* text;
};

constexpr StoryPage kIntroPages[] = {
    {135, "A long time ago, there was a very happy couple of flies..."},
    {180, "...they loved each other and were about to merry."},
    {180, " But something horrible happened to the fly-girl..."},
    {280, " ...she been trapped in spiderweb..."},
    {180, "...from that time, nobody heard about her anymore."},
    {290, " Fly-boy was very upset about this..."},
    {130, "...he was thinking about how to help rest of his friends."},
    {190, " For years he spend all his time in laboratory..."},
    {85, "...and finally he finished the construction of high-tech robot."},
    {205, "Robot had mission to help all trapped flies."},
    {185, "Now take control panel and let's see what it's got!"},
};

constexpr StoryPage kEndingPages[] = {
    {215, "You managed to free a huge number of flies..."},
    {195, "...they will remember what you've done forever."},
    {170, "Fly-boy created more than just a high-tech robot..."},
    {200, " ...he managed to create hope for his friends."},
    {288, "He could not bring his girl back..."},
    {70, " ..but he helped to return many of others flies to their homes."},
    {430, "So in the end..."},
    {365, "...it was worth of it..."},
};

constexpr int kPageHoldFrames = 150; // a page stays fully shown this long
constexpr int kPageGapFrames = 30;   // and the screen stays empty this long between pages

// The pages fade in by 0.01 a frame, hold, fade out and pause; Enter ends the story after
// the frame it was pressed in. The hold counter restarts whenever the fade turns, so
// every page gets its full hold and gap.
void run_story(const char* screen, std::span<const StoryPage> pages, int hint_x)
{
    restore_render_state();
    size_t page = 0;
    float X = 0; // opacity of the page, 0..1
    bool fading_out = false;
    int hold = 0; // frames spent at full or zero opacity
    while (page < pages.size()) {
        end_on_close();
        Cls();
        const bool skip = KeyHit(kKeyEnter) != 0;
        bool next_page = false;
        if (!fading_out) {
            X += 0.01f;
            if (X >= 1) {
                X = 1;
                if (++hold >= kPageHoldFrames) {
                    fading_out = true;
                    hold = 0;
                }
            }
        } else {
            X -= 0.01f;
            if (X <= 0) {
                X = 0;
                if (++hold >= kPageGapFrames)
                    next_page = true;
            }
        }
        const bool last_page = page + 1 == pages.size();
        SetScale(0.8f, 0.8f);
        SetAlpha(X);
        draw_text(pages[page].x, 340, pages[page].text, 17);
        // The hint leaves with the last page.
        SetAlpha(last_page && fading_out ? X : 1.0f);
        draw_text(hint_x, 735, "Press ENTER to skip", 17.3f);
        restore_render_state();
        story_screen = {screen, static_cast<int>(page) + 1, X, fading_out ? 1 : 0};
        Flip(-1);
        if (skip)
            break;
        if (next_page) {
            ++page;
            fading_out = false;
            hold = 0;
        }
    }
    story_screen = {};
}

} // namespace

void play_intro_story()
{
    FlushKeys();
    resume_channel_by_name("intro_music");
    run_story("intro", kIntroPages, 760);
    stop_channel_by_name("intro_music");
    show_intro_story = 0;
    FlushKeys();
}

void play_ending_story()
{
    FlushKeys();
    stop_channel_by_name("music");
    stop_channel_by_name("ambient");
    resume_channel_by_name("outro_music");
    run_story("ending", kEndingPages, 755);
    stop_channel_by_name("outro_music");
    show_intro_story = 0;
    FlushKeys();
    play_final_results();
}

void play_level_banner()
{
    restore_render_state();
    float X = 0;   // opacity, 0..1
    int c = 0;     // frames in the state
    int state = 0; // 0 waiting and fading in, 1 holding, 2 fading out
    bool done = false;
    while (!done) {
        end_on_close();
        Cls();
        c += 1;
        if (state == 0 && c > 10) {
            X += 0.02f;
            if (X >= 1) {
                X = 1;
                c = 0;
                state = 1;
            }
        } else if (state == 1 && c > 50) {
            state = 2;
        } else if (state == 2) {
            X -= 0.01f;
            if (X <= 0) {
                X = 0;
                done = true;
            }
        }
        SetAlpha(X);
        draw_text(current_level < 10 ? 454 : 450, 330, "Level:" + std::to_string(current_level), 14);
        restore_render_state();
        story_screen = {"banner", 0, X, state};
        Flip(-1);
    }
    story_screen = {};
    show_level_banner = 0;
}

void play_saving_animation()
{
    restore_render_state();
    // The disc turns about its centre; its own handle is put back afterwards.
    const float handle_x = saving_anim_jpg ? saving_anim_jpg->handle_x : 0;
    const float handle_y = saving_anim_jpg ? saving_anim_jpg->handle_y : 0;
    if (saving_anim_jpg)
        SetImageHandle(saving_anim_jpg, ImageWidth(saving_anim_jpg) / 2.0f,
                       ImageHeight(saving_anim_jpg) / 2.0f);
    int R = 0;   // rotation, degrees
    float V = 1; // opacity, 0..1
    // About 180 frames: the fade starts once the disc has turned 500 degrees.
    while (!(R >= 400 && V <= 0)) {
        end_on_close();
        R += 3;
        const float shown = R >= 500 ? std::max(V - 0.075f, 0.0f) : V;
        Cls();
        SetAlpha(shown);
        SetRotation(static_cast<float>(R));
        DrawImage(saving_anim_jpg, 795, 743, 0);
        SetRotation(0);
        DrawImage(saving_process_jpg, 813, 736, 0);
        restore_render_state();
        story_screen = {"saving", 0, shown, 0};
        Flip(-1);
        V = shown;
    }
    if (saving_anim_jpg)
        SetImageHandle(saving_anim_jpg, handle_x, handle_y);
    story_screen = {};
}

int final_total(int score, int stars)
{
    return score + 50 * stars;
}

int final_rating(int total)
{
    return std::clamp(total / 300, 1, 100);
}

int final_trophy(float fill)
{
    if (fill >= 100)
        return 3;
    if (fill >= 75)
        return 2;
    if (fill >= 60)
        return 1;
    return 0;
}

namespace
{

// Adds a fade step and reports whether the fade has come up to 1 (then clamped).
bool fade_in(float& fade, float step)
{
    fade += step;
    if (fade >= 1) {
        fade = 1;
        return true;
    }
    return false;
}

// The end of the final results, however it is reached: the stars are banked into the
// score at 50 points each and the campaign starts over from the menu.
void close_final_results(int total)
{
    pause_channel_by_name("score");
    profile_score = total;
    menu_requested = 1;
    current_level = 1;
    SavePlayedProfile();
    restore_render_state();
    story_screen = {};
}

} // namespace

void play_final_results()
{
    FlushKeys();
    game_completed = 1;
    resume_channel_by_name("menu_music");
    set_channel_volume_by_name("score", sound_volume);
    restore_render_state();

    // Worked out at once, so that Enter or the close box at any moment still banks it.
    const int total = final_total(profile_score, profile_stars);
    const int rating = final_rating(total);

    int phase = 0;
    // Fades, 0..1: the panel, the title, the three lines, the labels and counters, the
    // trophy stand, the rating bar and the continue hint with the trophy.
    float panel = 0, title = 0, lines = 0, labels = 0, stand = 0, bar = 0, hint = 0;
    int score_shown = 0, stars_shown = 0, total_shown = 0;
    float fill = 0; // rating bar, percent
    int trophy = 0; // 3 gold, 2 silver, 1 bronze, 0 none
    TImage* const trophies[] = {no_png, bronze_trophy_png, silver_trophy_png, gold_trophy_png};

    while (true) {
        if (AppTerminate()) {
            close_final_results(total);
            end_program(0);
        }
        Cls();
        const bool done = KeyHit(kKeyEnter) != 0;
        switch (phase) {
        case 0:
            phase += fade_in(panel, 0.05f);
            break;
        case 1:
            phase += fade_in(title, 0.05f);
            break;
        case 2:
            phase += fade_in(lines, 0.05f);
            break;
        case 3:
            phase += fade_in(labels, 0.05f);
            break;
        case 4:
            resume_channel_by_name("score");
            score_shown += 100;
            if (score_shown >= profile_score) {
                score_shown = profile_score;
                phase = 5;
            }
            break;
        case 5:
            stars_shown += 1;
            if (stars_shown >= profile_stars) {
                stars_shown = profile_stars;
                phase = 6;
            }
            break;
        case 6:
            total_shown += 100;
            if (total_shown >= total) {
                total_shown = total;
                pause_channel_by_name("score");
                phase = 7;
            }
            break;
        case 7:
            phase += fade_in(stand, 0.05f);
            break;
        case 8:
            phase += fade_in(bar, 0.5f);
            break;
        case 9:
            fill += 0.5f;
            if (fill >= static_cast<float>(rating)) {
                fill = static_cast<float>(rating);
                trophy = final_trophy(fill);
                if (trophy != 0)
                    play_sound(stars_cnt_ogg, sound_volume, 0);
                phase = 10;
            }
            break;
        default:
            fade_in(hint, 0.5f);
            break;
        }

        SetAlpha(title);
        DrawImage(Game_results_jpg, 310, 43, 0);
        SetAlpha(panel);
        DrawImage(results_menu_jpg, 0, 178, 0);
        SetAlpha(lines);
        for (int y : {200, 300, 400})
            DrawImage(line_results_png, 100, static_cast<float>(y), 0);
        SetAlpha(labels);
        draw_text(100, 175, "Main score:", 15.3f);
        draw_text(800, 175, std::to_string(score_shown), 15.3f);
        draw_text(100, 275, "Stars achieved:", 15.3f);
        draw_text(800, 275, std::to_string(stars_shown) + "/150", 15.3f);
        draw_text(100, 375, "Total:", 15.3f);
        draw_text(800, 375, std::to_string(total_shown), 15.3f);
        SetAlpha(stand);
        DrawImage(kubok_placement_png, 467, 489, 0);
        if (phase >= 10) {
            SetAlpha(hint);
            if (trophy != 0) {
                DrawImage(trophies[trophy], 490, 496, 0);
            } else {
                SetScale(0.5f, 0.5f);
                DrawImage(no_png, 480, 500, 0);
                SetScale(1, 1);
            }
            DrawImage(results_continue_png, 670, 735, 0);
        }
        SetAlpha(bar);
        SetScale(2, 1);
        DrawImage(stars_progress_podlogka_jpg, 300, 470, 0);
        draw_image_percent(stars_progress_jpg, 300, 470, fill, "right");
        DrawImage(stars_progres_ramka_png, 290, 470, 0);
        SetScale(1, 1);
        DrawImage(stars_progress_seperate_png, 644, 470, 0);
        DrawImage(stars_progress_seperate_png, 571, 470, 0);
        restore_render_state();

        const float fades[] = {panel, title, lines, labels, labels, labels, labels, stand, bar, bar, hint};
        story_screen = {"final_results", 0, fades[std::min(phase, 10)], phase};
        Flip(-1);
        if (done)
            break;
    }
    close_final_results(total);
}
