// Plays the first level headless the way a person would, only through the input queue:
// Continue on every visor page, the laser on trapped flies, the slice through the two
// lesson flies, the repair icon after the overheat, and Continue on the results. What it
// did is written as an input script, so the runner can replay the same game.
//   tutorial_player DATA PROFILES OUT.input SEED
// Prints the frame on which the results screen took Continue.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/robo_fly.h"
#include "shell/level_rules.h"
#include "shell/main_loop.h"
#include "shell/runner.h"
#include "shell/startup.h"
#include "state/globals.h"
#include "state/lists.h"
#include "state/program_exit.h"
#include "state/scores.h"
#include "ui/visor.h"
#include "world/fly.h"

namespace
{

constexpr int64_t kFrameLimit = 40000;

std::vector<std::string> script; // the input script, one event a line
int64_t next_frame = 0;          // the frame the events posted now are seen in
int pointer_x = 0, pointer_y = 0;
std::vector<std::pair<int64_t, int>> releases; // (frame, button) still to release
int64_t last_click = -100;
int64_t finished_at = -1;
bool holding_left = false;
int64_t results_since = -1; // first frame with the pointer on the results' Continue
int slice_stage = 0;        // 0 idle, 1 anchor pressed, 2 dragging
int64_t slice_since = 0;
float slice_to_x = 0, slice_to_y = 0;

const char* button_name(int b)
{
    return b == 1 ? "left" : b == 2 ? "right" : "middle";
}

void move(int x, int y)
{
    if (x == pointer_x && y == pointer_y)
        return;
    pointer_x = x, pointer_y = y;
    PostMouseMove(x, y);
    script.push_back(std::to_string(next_frame) + " move " + std::to_string(x) + " " + std::to_string(y));
}

void press(int button)
{
    PostMouseButton(button, true);
    script.push_back(std::to_string(next_frame) + " down " + button_name(button));
}

void release(int button)
{
    PostMouseButton(button, false);
    script.push_back(std::to_string(next_frame) + " up " + button_name(button));
}

void click(int button, int every)
{
    if (next_frame - last_click < every)
        return;
    last_click = next_frame;
    press(button);
    releases.push_back({next_frame + 1, button});
}

// A trapped fly the laser may work on, the one nearest the web's centre first.
FlyT* target_fly()
{
    FlyT* best = nullptr;
    fly_list.for_each([&](FlyT& f) {
        if (f.status != 1 || f.fly_avail != 1 || f.life <= 0 || (f.name != "normal" && f.name != "komar"))
            return;
        if (!best || std::hypot(f.x - 492, f.y - 355) < std::hypot(best->x - 492, best->y - 355))
            best = &f;
    });
    return best;
}

void aim_at(const FlyT& f)
{
    move(static_cast<int>(f.x + f.HullX + f.HullWidth / 2),
         static_cast<int>(f.y + f.HullY + f.HullHeight / 2));
}

// The two flies the script sends for the slice lesson, once both hang in the web.
bool lesson_flies(FlyT*& a, FlyT*& b)
{
    std::vector<FlyT*> trapped;
    fly_list.for_each([&](FlyT& f) {
        if (f.status == 1 && f.fly_avail == 1 && f.name == "normal")
            trapped.push_back(&f);
    });
    if (trapped.size() < 2)
        return false;
    a = trapped[trapped.size() - 2];
    b = trapped[trapped.size() - 1];
    return true;
}

void play_slice()
{
    if (slice_stage == 0) {
        FlyT *a = nullptr, *b = nullptr;
        if (!lesson_flies(a, b))
            return;
        // From beyond the first fly through both to beyond the second.
        const float dx = b->x - a->x, dy = b->y - a->y, len = std::hypot(dx, dy);
        const float ux = dx / len, uy = dy / len;
        move(static_cast<int>(a->x - 40 * ux), static_cast<int>(a->y - 40 * uy));
        slice_to_x = b->x + 40 * ux;
        slice_to_y = b->y + 40 * uy;
        press(2);
        slice_stage = 1;
        slice_since = next_frame;
    } else if (slice_stage == 1 && next_frame - slice_since >= 10) {
        move(static_cast<int>(slice_to_x), static_cast<int>(slice_to_y));
        slice_stage = 2;
        slice_since = next_frame;
    } else if (slice_stage == 2 && next_frame - slice_since >= 5) {
        release(2);
        slice_stage = 0;
    }
}

void play(int64_t frame)
{
    next_frame = frame + 1;
    for (auto it = releases.begin(); it != releases.end();) {
        if (it->first <= next_frame) {
            release(it->second);
            it = releases.erase(it);
        } else {
            ++it;
        }
    }
    if (frame == 0 || frame == 1) { // skip the studio logo
        PostKeyEvent(kKeyEscape, frame == 0);
        script.push_back(std::to_string(next_frame) + (frame == 0 ? " down escape" : " up escape"));
        return;
    }
    if (current_level == 2 && finished_at < 0) {
        finished_at = frame;
        return;
    }
    if (finished_at >= 0)
        return;

    // The results: point at Continue until its glow is full, then hold the button.
    if (results_tally.running == 1) {
        move(695, 582);
        if (results_since < 0)
            results_since = next_frame;
        if (!holding_left && next_frame - results_since > 15) {
            press(1);
            holding_left = true;
        }
        return;
    }
    if (holding_left) {
        release(1);
        holding_left = false;
    }
    if (visor_page != 0) {
        if (visor_phase == 3 && visor_continue_ready == 1) {
            move(620, 243);
            click(1, 5);
        }
        return;
    }
    roboFlyT* robot = robot_list.first();
    if (!robot)
        return;
    if (robot->damaged) {
        move(robot->Fix_X + 12, robot->Fix_Y + 12);
        click(1, 4);
        return;
    }
    if (tutorial_step == 6 || slice_stage != 0) {
        play_slice();
        return;
    }
    if (temperature > 70 && tutorial_step != 3)
        return; // let it cool down
    if (FlyT* f = target_fly()) {
        aim_at(*f);
        click(1, 6);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: tutorial_player DATA PROFILES OUT.input SEED\n");
        return 2;
    }
    RunOptions options;
    options.headless = true;
    options.data_dir = argv[1];
    options.profiles_dir = argv[2];
    options.seed_given = true;
    options.seed = std::stoi(argv[4]);
    options.overrides.level = 1;
    UseHeadlessPlatform();
    int64_t frames = 0;
    try {
        BeginRun(options);
        SetFrameHook([&](int64_t frame) {
            frames = frame;
            play(frame);
        });
        startup(options.overrides);
        while (finished_at < 0 && frames < kFrameLimit)
            main_loop_frame();
    } catch (const ProgramExit&) {
    }
    EndRun();
    std::ofstream out(argv[3]);
    for (const std::string& line : script)
        out << line << '\n';
    if (finished_at < 0) {
        std::fprintf(stderr, "tutorial_player: level 1 not finished after %lld frames (step %d, page %d)\n",
                     static_cast<long long>(frames), tutorial_step, visor_page);
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(finished_at));
    return 0;
}
