// Weapon slots played through the main loop: the level's arsenal, choosing slots, help
// cards, firing with heat, the laser slice, reloading and the cooling modules.
#include "player/power_ups.h"

#include "player/robot_fixture.h"

namespace {

using PowerUpsTest = RobotLevelTest;

std::vector<int> weapons()
{
    std::vector<int> out;
    power_ups_list.for_each([&](power_upsT& p) { out.push_back(p.weapon); });
    return out;
}

}  // namespace

TEST_F(PowerUpsTest, ArsenalFillsSlotsInOrderAndToleratesOddFiles)
{
    // The first entry replaces the laser of slot 1; gaps are skipped.
    arsenal(3, "<weapon_1>2</weapon_1><weapon_3>3</weapon_3>"
               "<cool_node><cooling_1>1</cooling_1><cooling_3>1</cooling_3></cool_node>");
    start_level();
    EXPECT_EQ(weapons(), (std::vector<int> {2, 3, 0, 0}));
    EXPECT_EQ(free_slots, 2);
    EXPECT_EQ(active_weapon, 2);
    EXPECT_EQ(slot(1).item_alpha, 1.0f);
    EXPECT_EQ(slot(1).cooling_item, 1);
    EXPECT_EQ(slot(1).cooling_x, 914);
    EXPECT_EQ(slot(2).cooling_item, 0);
    EXPECT_EQ(slot(3).cooling_item, 1);
    EXPECT_EQ(slot(3).cooling_x, 804);

    // More than four entries: the rest is ignored; a fifth cooling entry too.
    arsenal(3, "<weapon_1>1</weapon_1><weapon_2>2</weapon_2><weapon_3>3</weapon_3><weapon_4>4</weapon_4>"
               "<weapon_5>5</weapon_5><cool_node><cooling_4>1</cooling_4><cooling_5>1</cooling_5></cool_node>");
    start_level();
    EXPECT_EQ(weapons(), (std::vector<int> {1, 2, 3, 4}));
    EXPECT_EQ(free_slots, 0);
    EXPECT_EQ(slot(4).cooling_item, 1);
    EXPECT_EQ(slot(4).cooling_x, 746);

    // Hard difficulty: no cooling modules whatever the file says.
    difficulty = 2;
    start_level();
    for (int id = 1; id <= 4; ++id)
        EXPECT_EQ(slot(id).cooling_item, 0);
    difficulty = 1;

    // No element for the level, or no file at all: the laser alone, and slot 1 counts as
    // filled so a fetched special cannot replace it.
    arsenal(4, "<weapon_1>2</weapon_1>");
    start_level();
    EXPECT_EQ(weapons(), (std::vector<int> {1, 0, 0, 0}));
    EXPECT_EQ(free_slots, 3);
    std::filesystem::remove(dir.path() + "/levels/weapon_vars.xml");
    start_level();
    EXPECT_EQ(weapons(), (std::vector<int> {1, 0, 0, 0}));
    EXPECT_EQ(free_slots, 3);
}

TEST_F(PowerUpsTest, AWeaponNumberOutsideTheSixDrawsNoIconAndFiresNothing)
{
    one_fly();
    strip(&weapon_1_png, 1, "weapon_1.png");
    arsenal(3, "<weapon_1>9</weapon_1><weapon_2>1</weapon_2>");
    start_level();
    settle();
    EXPECT_EQ(active_weapon, 9);
    ClearDrawTrace();  // a frame's draws are handed on when it is presented: draw the slots alone
    SetDrawTraceActive(true);
    power_ups_list.for_each([](power_upsT& p) { p.update(); });
    int icons = 0;
    for (const DrawRecord& r : TracedDraws())
        icons += r.image.rfind("weapon_", 0) == 0 ? 1 : 0;
    SetDrawTraceActive(false);
    EXPECT_EQ(icons, 1);  // the laser's in slot 2 only
    const float heat = temperature;
    click_at(kFlyX, kFlyY);
    click_at(kFlyX, kFlyY, 2);
    EXPECT_EQ(bullet_list.count(), 0);
    EXPECT_LE(temperature, heat);
    EXPECT_EQ(slot(1).reloading, 0);
    key('2');
    EXPECT_EQ(active_weapon, 1);
}

TEST_F(PowerUpsTest, SlotsAreChosenByClicksOnlyWhenFilledAndRightClickOpensTheHelpCard)
{
    arsenal(3, "<weapon_1>1</weapon_1><weapon_2>2</weapon_2>");
    start_level();
    frames(100);
    click_at(855 + 30, 685 + 30);  // slot 3 is empty
    EXPECT_EQ(active_slot, 1);
    key('3');
    EXPECT_EQ(active_slot, 1);
    click_at(775 + 30, 685 + 30);
    EXPECT_EQ(active_slot, 2);
    EXPECT_EQ(active_weapon, 2);
    EXPECT_EQ(slot(2).active, 1);
    EXPECT_EQ(slot(1).active, 0);
    PostWheel(1);  // slot 3 is empty: the wheel stays
    frames(1);
    EXPECT_EQ(active_slot, 2);
    PostWheel(-3);
    frames(1);
    EXPECT_EQ(active_slot, 1);

    click_at(775 + 30, 685 + 30, 2);
    EXPECT_EQ(pause_state, 2);
    EXPECT_EQ(help_card, 2);
}

TEST_F(PowerUpsTest, BombsThrowAnywhereHeatAndReloadSlowerUnderTheTimeWarp)
{
    arsenal(3, "<weapon_1>2</weapon_1>");
    start_level();
    frames(100);
    click_at(kEmptyX, kEmptyY);  // no fly anywhere: a bomb needs none
    EXPECT_EQ(bullets("bomb_l"), 1);
    EXPECT_NEAR(temperature, 20, 0.3f);
    EXPECT_EQ(slot(1).reloading, 1);
    EXPECT_EQ(robot().miss_times, 0);
    int reload = 2;  // the shot's frame and the release's already count
    while (slot(1).reloading == 1 && reload < 500) {
        frames(1);
        ++reload;
    }
    EXPECT_EQ(reload, 75);

    time_scale = 0.5f;  // as the running time warp sets it
    click_at(kEmptyX, kEmptyY, 2);  // the immediate bomb: the alternative shot
    EXPECT_EQ(bullets("bomb_r"), 1);
    reload = 2;
    while (slot(1).reloading == 1 && reload < 500) {
        time_scale = 0.5f;
        frames(1);
        ++reload;
    }
    EXPECT_EQ(reload, 150);
}

TEST_F(PowerUpsTest, SliceFiresOnReleaseWithHeatAndAShortDragCancelsWithout)
{
    start_level();
    frames(100);
    move(300, 300);
    PostMouseButton(2, true);
    frames(1);
    EXPECT_EQ(slice_pending, 1);
    EXPECT_EQ(bullets("lazer_r"), 1);
    move(320, 310);  // 22 px
    frames(1);
    PostMouseButton(2, false);
    frames(1);
    EXPECT_EQ(slice_pending, 0);
    EXPECT_EQ(bullets("lazer_r"), 0);
    EXPECT_LE(temperature, 0.1f);

    move(300, 300);
    PostMouseButton(2, true);
    frames(1);
    move(600, 300);
    frames(1);
    PostMouseButton(2, false);
    frames(1);
    EXPECT_EQ(slice_pending, 0);
    ASSERT_EQ(bullets("lazer_r"), 1);
    const BulletT& beam = *bullet_list.first();
    EXPECT_EQ(beam.script, 2);
    EXPECT_NEAR(temperature, 15, 0.3f);

    // An anchor never outlives the laser: switching weapon drops it without heat.
    arsenal(3, "<weapon_1>1</weapon_1><weapon_2>2</weapon_2>");
    start_level();
    frames(100);
    move(300, 300);
    PostMouseButton(2, true);
    frames(1);
    move(600, 300);
    key('2');
    frames(1);
    EXPECT_EQ(slice_pending, 0);
    EXPECT_EQ(bullets("lazer_r"), 0);
    PostMouseButton(2, false);
    frames(2);
    EXPECT_EQ(bullets("lazer_r"), 0);
    EXPECT_LE(temperature, 0.1f);
}

TEST_F(PowerUpsTest, SliceReleasedByLeavingThePlayCircleWithTheButtonHeld)
{
    start_level();
    frames(100);
    move(450, 350);
    PostMouseButton(2, true);
    frames(1);
    move(1000, 700);  // far outside the circle, button still held
    frames(2);        // the reticle tells the robot a frame later
    EXPECT_EQ(slice_pending, 0);
    ASSERT_EQ(bullets("lazer_r"), 1);
    EXPECT_EQ(bullet_list.first()->script, 2);
    EXPECT_NEAR(temperature, 15, 0.3f);
    PostMouseButton(2, false);
    frames(1);
}

TEST_F(PowerUpsTest, CoolingModulesWorkOncePerLevelAndLevelTenMarksThemOnce)
{
    rules(10);
    timetable(10, {});
    arsenal(10, "<weapon_1>1</weapon_1><cool_node><cooling_1>1</cooling_1><cooling_2>1</cooling_2></cool_node>");
    start_level(10);
    int marks = 0;
    for (int i = 0; i < 60; ++i) {
        if (i == 41)  // paused right after the cue: the clock stands on it
            pause_state = 1;
        if (i == 51)
            pause_state = 0;
        const int before = emitter_layer_1.count() + emitter_layer_2.count() + emitter_layer_3.count()
                           + emitter_layer_4.count();
        frames(1);
        const int after = emitter_layer_1.count() + emitter_layer_2.count() + emitter_layer_3.count()
                          + emitter_layer_4.count();
        if (after > before)
            marks += 1;
    }
    EXPECT_EQ(marks, 1);  // one frame, both modules

    temperature = 50;
    click_at(914, 653);
    EXPECT_EQ(slot(1).cooling_active, 0);
    // A click takes two frames, and the thermometer spends a frame of cooling every frame.
    EXPECT_EQ(cooling_frames, 100 - 2);
    click_at(914, 653);
    EXPECT_EQ(cooling_frames, 100 - 4);  // used up
    click_at(859, 653);
    EXPECT_EQ(cooling_frames, 200 - 6);
}

// Every weapon's row of the arsenal table: the heat and the shot of each button, and the
// reload time at normal speed (15 steps of the weapon's step).
TEST_F(PowerUpsTest, EveryWeaponFiresHeatsAndReloadsByItsTable)
{
    struct Row {
        int weapon;
        float main_heat, alt_heat;
        std::string main_shot, alt_shot;  // "" for the time warp, which fires nothing
        int reload;                       // frames
    };
    const Row rows[] = {{1, 0, 0, "", "", 1},
                        {2, 20, 35, "bomb_l", "bomb_r", 75},
                        {3, 35, 35, "freeze_l", "freeze_mine", 1050},
                        {4, 30, 25, "shield_module", "lure_module", 2025},
                        {5, 95, 95, "alpha_missle_l", "alpha_missle_l", 2625},
                        {6, 15, 15, "", "", 2250}};
    for (const Row& row : rows) {
        SCOPED_TRACE("weapon " + std::to_string(row.weapon));
        arsenal(3, "<weapon_1>" + std::to_string(row.weapon) + "</weapon_1>");
        one_fly();  // a shot needs a fly in the web, if not under the pointer
        start_level();
        settle();
        power_upsT& s = slot(1);
        s.reloading = 1;
        int reload = 0;
        while (s.reloading == 1 && reload < 5000) {
            s.Update_Reloading();
            ++reload;
        }
        EXPECT_EQ(reload, row.reload);
        if (row.weapon == 1)
            continue;  // the laser's shots need a fly: tested with the slice above

        for (int button : {1, 2}) {
            temperature = 0;
            time_warp_state = 0;
            s.reloading = 0;
            bullet_list.clear();
            click_at(kEmptyX, kEmptyY, button);
            EXPECT_NEAR(temperature, button == 1 ? row.main_heat : row.alt_heat, 0.3f) << "button " << button;
            EXPECT_EQ(s.reloading, 1);
            const std::string& shot = button == 1 ? row.main_shot : row.alt_shot;
            if (row.weapon == 6) {
                EXPECT_EQ(time_warp_state, 1);
            } else {
                EXPECT_EQ(bullets(shot), 1) << "button " << button;
            }
        }
    }
    time_warp_state = 0;
}
