// Tutorial script. Opening a page sets visor_page (the visor sequencer takes it from
// there) and moves the script one step on; holding at t keeps level_ticks from passing t.
#include "shell/tutorial.h"

#include <algorithm>

#include "persist/profile.h"
#include "player/power_ups.h"
#include "player/robo_fly.h"
#include "state/globals.h"
#include "state/scores.h"
#include "world/fly.h"

namespace
{

void open_page(int page)
{
    visor_page = page;
    tutorial_step += 1;
}

void hold_at(int t)
{
    if (level_ticks > t)
        level_ticks = t;
}

// One-off actions wait for a running world: a help card opened on their exact frame
// holds the clock there, and the action would repeat every frame until it closes.
bool world_running()
{
    return pause_state == 0 && visor_page == 0;
}

// Flies dealt with so far: set free, plus lost from the level's five lives.
int flies_handled()
{
    return flies_released + 5 - flies_left;
}

void update_first_level()
{
    if (level_ticks == 10) { // the welcome and the laser
        open_page(1);
        level_ticks = 11;
    }
    if (tutorial_step == 1 && flies_released >= 1) // six more with the laser
        open_page(3);
    if (tutorial_step == 2 && flies_released >= 6) // heat
        open_page(5);
    if (tutorial_step == 5) // the slice
        open_page(7);
    if (tutorial_step == 8)
        open_page(10);
    if (tutorial_step == 10)
        open_page(11);
    if (level_ticks == 305)
        tutorial_step = 12; // done: pause menu and results are open from now on

    // Overheat the robot and let it be repaired; it does not cool down by itself below 25.
    if (tutorial_step == 3 && level_ticks == 102 && world_running()) {
        temperature = 110;
        tutorial_step += 1;
    }
    if (tutorial_step == 4) {
        temperature = std::max(temperature, 25.0f);
        if (robot_damaged == 0 && level_ticks >= 125)
            tutorial_step += 1;
    }

    // Two flies to slice at once. Step 7 means a slice was fired; freeing them without
    // one rewinds the clock, takes them back and shows the slice page again.
    if (tutorial_step == 7 && flies_handled() >= 8)
        tutorial_step += 1;
    if (tutorial_step == 6 || tutorial_step == 7) {
        if (world_running() && level_ticks == 139 && tick_frames == 2)
            FlyT::Create_New(419, 289, 1);
        if (world_running() && level_ticks == 140 && tick_frames == 5)
            FlyT::Create_New(529, 342, 1);
        if (flies_handled() >= 8) {
            level_ticks = 132;
            flies_released -= 2;
            main_score = std::min(main_score, 90);
            visor_page = 9;
        }
    }

    if (tutorial_step == 1)
        hold_at(20);
    if (tutorial_step == 2)
        hold_at(100);
    if (tutorial_step == 4)
        hold_at(127);
    if (tutorial_step == 6)
        hold_at(150);
    if (tutorial_step < 8)
        hold_at(160);
    if (tutorial_step == 9) {
        hold_at(300);
        if (level_ticks >= 300)
            tutorial_step = 10; // the closing pages open next
    }
}

void update_fourth_level()
{
    if (level_ticks == 56 && tutorial_step == 0) { // fetching specials
        open_page(13);
        level_ticks = 56;
    }
    if (tutorial_step == 1) {
        hold_at(56);
        // Two specials fetched. At most two free slots: a third fetched in the same
        // frame must not strand the hint. Specials fetched early wait for page 13 to
        // close, so it is not replaced before it was read.
        if (free_slots <= 2 && visor_page == 0)
            tutorial_step += 1;
    }
    if (tutorial_step == 2) {
        hold_at(57);
        open_page(15);
    }
}

} // namespace

void update_tutorial()
{
    switch (current_level) {
    case 1:
        update_first_level();
        break;
    case 4:
        update_fourth_level();
        break;
    case 10:
        if (difficulty == 1 && level_ticks == 5 && tutorial_step == 0) {
            open_page(17);
            level_ticks = 6;
        }
        break;
    case 12:
        if (level_ticks == 32 && tutorial_step == 0) {
            open_page(14);
            level_ticks = 34;
        }
        break;
    default:
        break;
    }
}
