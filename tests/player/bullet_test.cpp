// Projectiles on a small world: flight, the laser's damage by kind, the slice's reach and
// multi-cut bonus, bombs and their count, freezing spiders, mines and the alpha missile.
#include "player/bullet.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "player/hits.h"
#include "state/assets.h"
#include "state/scores.h"
#include "world/world_fixture.h"

namespace {

class BulletTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        bullet_list.clear();
    }
    void TearDown() override
    {
        bullet_list.clear();
        WorldTest::TearDown();
    }
    // Flies, then projectiles, as the main loop walks them; spiders keep still.
    static void bullets_frame(int frames = 1)
    {
        for (int i = 0; i < frames; ++i) {
            flies_frame();
            bullet_list.for_each([](BulletT& b) { b.update(); });
        }
    }
    // Runs frames until no projectile is left; the frames it took.
    static int run_out(int limit = 2000)
    {
        int frames = 0;
        while (!bullet_list.empty() && frames < limit) {
            bullets_frame();
            ++frames;
        }
        return frames;
    }
    static FlyT* fly_with_hold(int x, int y, int kind, float free_life)
    {
        FlyT* f = trapped_fly(x, y, kind);
        f->free_life = free_life;
        return f;
    }
};

}  // namespace

TEST_F(BulletTest, FlightLastsAtLeastOneFrameAndEndsOnTheTarget)
{
    // Pointer 3 pixels from the hand: the thrown bomb's flight would be trunc(3 / 5) = 0
    // frames, a division by zero.
    MoveMouse(405, 652);
    BulletT* near = BulletT::CreateBomb_delay();
    EXPECT_EQ(near->speed, 1);
    bullets_frame();
    EXPECT_TRUE(std::isfinite(near->x) && std::isfinite(near->y));
    EXPECT_EQ(near->script, 2);

    MoveMouse(500, 300);
    BulletT* laser = BulletT::CreateBullet_laser(7);
    EXPECT_FLOAT_EQ(laser->x, 422);
    EXPECT_FLOAT_EQ(laser->y, 637);
    const double d = std::hypot(500 - 422, 300 - 637);
    EXPECT_EQ(laser->speed, static_cast<int>((15 + d / 25) / 2));
    for (int i = 0; i < laser->speed; ++i)
        laser->Bullets_Scripts();
    EXPECT_NEAR(laser->x, 500, 0.01);
    EXPECT_NEAR(laser->y, 300, 0.01);

    // A laser whose path passes beside its point ends all the same after its flight.
    bullet_list.clear();
    BulletT* astray = BulletT::CreateBullet_laser(7);
    astray->launch_x += 6;
    EXPECT_LT(run_out(), 100);
}

TEST_F(BulletTest, LaserDamageDependsOnTheKindAndMissesEatenFlies)
{
    FlyT* komar = fly_with_hold(500, 300, 2, 40);
    FlyT* butterfly = fly_with_hold(600, 300, 3, 40);
    FlyT* eaten = fly_with_hold(400, 300, 1, 40);
    eaten->status = 2;

    MoveMouse(500, 300);
    BulletT::CreateBullet_laser(komar->id);
    MoveMouse(600, 300);
    BulletT::CreateBullet_laser(butterfly->id);
    MoveMouse(400, 300);
    BulletT::CreateBullet_laser(eaten->id);
    EXPECT_LT(run_out(), 100); // every laser ends at its point, hit or not

    EXPECT_FLOAT_EQ(komar->free_life, -10); // one hit opens a komar
    EXPECT_FLOAT_EQ(butterfly->free_life, 35);
    EXPECT_FLOAT_EQ(eaten->free_life, 40);
}

TEST_F(BulletTest, SliceReachIsCappedAndKeptInTheWeb)
{
    MoveMouse(600, 300); // 300 away from the anchor: the beam ends 230 along the drag
    BulletT* longer = BulletT::CreateLazer_slice(300, 300, 2, 100);
    EXPECT_EQ(longer->destination_x, 530);
    EXPECT_EQ(longer->destination_y, 300);

    MoveMouse(549, 300); // 249 away: the beam ends at the pointer
    EXPECT_EQ(BulletT::CreateLazer_slice(300, 300, 2, 99)->destination_x, 549);

    MoveMouse(300, 100); // above the web: pulled down to its box
    BulletT* high = BulletT::CreateLazer_slice(300, 300, 2, 80);
    EXPECT_EQ(high->destination_y, 169);
    EXPECT_FLOAT_EQ(high->sizeX, 0.8f);
}

TEST_F(BulletTest, OneSliceThroughThreeFliesPaysTwenty)
{
    for (int x : {350, 420, 490})
        fly_with_hold(x, 300, 2, 8); // a komar loses 4 a frame of contact
    FlyT* off_line = fly_with_hold(420, 420, 2, 8);
    MoveMouse(560, 300);
    BulletT* beam = BulletT::CreateLazer_slice(300, 300, 2, 100);
    bullets_frame(5);
    EXPECT_EQ(beam->lazer_r_tactic_cnt_loc, 3); // each fly counts once, when it opens
    EXPECT_EQ(tactic_bonus, 0);                 // paid when the beam ends
    EXPECT_EQ(run_out(), 60);
    EXPECT_EQ(tactic_bonus, 20);
    EXPECT_FLOAT_EQ(off_line->free_life, 8);
}

TEST_F(BulletTest, BombPaysOnlyForTheFliesItOpens)
{
    for (int x : {480, 500, 520})
        fly_with_hold(x, 300, 1, 80);
    FlyT* far = fly_with_hold(700, 300, 1, 80);
    MoveMouse(500, 300);
    BulletT::CreateBomb_NOW();
    run_out();
    EXPECT_EQ(tactic_bonus, 0); // the immediate bomb takes 55: nobody opened

    MoveMouse(500, 300);
    BulletT::CreateBomb_delay();
    const int frames = run_out();
    EXPECT_GT(frames, 200);      // the fuse runs 200 frames after landing
    EXPECT_EQ(tactic_bonus, 10); // three opened: 10 x (3 - 2)
    EXPECT_FLOAT_EQ(far->free_life, 80);

    // Flies opened while frozen (by an alpha missile) wait in the web until they thaw; a
    // bomb must not pay for them.
    for (int x : {480, 500, 520}) {
        FlyT* f = fly_with_hold(x, 330, 1, -20);
        freeze_fly(*f);
    }
    MoveMouse(500, 300);
    BulletT::CreateBomb_NOW();
    run_out();
    EXPECT_EQ(tactic_bonus, 10);
}

TEST_F(BulletTest, FreezeShotFreezesSpidersOnceAndFreesTheirTarget)
{
    FlyT* meal = trapped_fly(540, 300, 1);
    SpiderT* walker = spider_at(500, 300);
    walker->action = 1;
    walker->Destination_point = meal->id;
    find_web_point(meal->id)->busy = 1;
    meal->caution = 1;

    MoveMouse(500, 300);
    BulletT::Create_Freezing_shot();
    run_out();
    EXPECT_EQ(walker->action, 2);
    EXPECT_FLOAT_EQ(walker->freeze_time, 425);
    EXPECT_EQ(walker->Destination_point, 0);
    EXPECT_EQ(find_web_point(meal->id)->busy, 0);
    EXPECT_EQ(meal->caution, 0);
    EXPECT_EQ(meal->status, 4); // the fly in reach is frozen too

    walker->freeze_time = 100;
    MoveMouse(500, 300);
    BulletT::Create_Freezing_shot();
    run_out();
    EXPECT_FLOAT_EQ(walker->freeze_time, 100); // not frozen again
}

TEST_F(BulletTest, MineWaitsForItsSpiderAndGoesOffOnce)
{
    MoveMouse(500, 300);
    BulletT* mine = BulletT::CreateFreezeMine();
    SpiderT* far = spider_at(200, 200);
    bullets_frame(200);
    ASSERT_TRUE(bullet_list.contains(mine)); // nobody reaches it: it stays armed
    EXPECT_EQ(mine->action_type, 3);
    EXPECT_EQ(mine->fired, 1);
    EXPECT_FLOAT_EQ(mine->frame, 8); // resting on the strip's last picture

    SpiderT* frozen = spider_at(500, 300);
    frozen->action = 2;
    bullets_frame();
    EXPECT_TRUE(bullet_list.contains(mine)); // a frozen spider does not set it off

    // Gone on the frame it goes off: neither the mine nor its blink is drawn again.
    TImage* body = MakeTestImage(16, 16, "Freeze_mine.png");
    TImage* shine = MakeTestImage(16, 16, "mine_shine.png");
    mine->entity = body;
    mine_shine_png = shine;
    SpiderT* a = spider_at(505, 300);
    SpiderT* b = spider_at(495, 300);
    ClearDrawTrace();
    bullets_frame();
    EXPECT_FALSE(bullet_list.contains(mine));
    EXPECT_TRUE(TracedDraws().empty());
    mine_shine_png = nullptr;
    FreeImage(shine);
    FreeImage(body);
    EXPECT_EQ(tactic_bonus, 10);
    EXPECT_EQ(a->action, 2);
    EXPECT_FLOAT_EQ(a->freeze_time, 500);
    EXPECT_EQ(b->action, 0);
    EXPECT_EQ(far->action, 0);
}

TEST_F(BulletTest, AlphaMissileBonusNeedsMoreThanTenFlies)
{
    FlyT::Create_New(500, 200, 4); // an entrance marker, never touched
    FlyT* marker = fly_list.last();
    marker->status = 1;
    for (int i = 0; i < 10; ++i)
        trapped_fly(300 + 40 * i, 300, 1);
    MoveMouse(500, 300);
    BulletT::Create_Alphamissle_shot();
    run_out();
    EXPECT_EQ(tactic_bonus, 0);
    EXPECT_FLOAT_EQ(marker->free_life, 100);

    fly_list.for_each([](FlyT& f) {
        f.free_life = 100;
        f.status = 1;
    });
    trapped_fly(300, 400, 2);
    MoveMouse(500, 300);
    BulletT::Create_Alphamissle_shot();
    run_out();
    EXPECT_EQ(tactic_bonus, 90); // 10 x (11 - 2)
}

TEST_F(BulletTest, ShieldModuleShieldsFliesAroundItThenFallsOff)
{
    FlyT* near = trapped_fly(500, 320, 1);
    FlyT* away = trapped_fly(700, 320, 1);
    MoveMouse(500, 300);
    BulletT* module = BulletT::CreateShieldModule();
    bullets_frame(100);
    EXPECT_EQ(module->action_type, 4);
    EXPECT_EQ(near->status, 5);
    EXPECT_EQ(away->status, 1);
    const int frames = run_out();
    EXPECT_GT(frames, 340);
    EXPECT_LT(frames, 450);
}

TEST_F(BulletTest, PauseHoldsProjectilesButBombsKeepBlinking)
{
    TImage* glow = MakeTestImage(16, 16, "Bomb_eff.png");
    Bomb_eff_png = glow;
    MoveMouse(500, 300);
    BulletT* bomb = BulletT::CreateBomb_delay();
    bullets_frame(3);
    const float x = bomb->x;
    const int pulse = bomb->switch_time;
    pause_state = 1;
    ClearDrawTrace();
    bullets_frame(10);
    EXPECT_FLOAT_EQ(bomb->x, x);
    EXPECT_EQ(bomb->switch_time, pulse);
    const auto& draws = TracedDraws();
    const auto overlay = std::find_if(draws.begin(), draws.end(),
                                      [](const DrawRecord& r) { return r.image == "Bomb_eff.png"; });
    ASSERT_NE(overlay, draws.end());
    EXPECT_EQ(overlay->color, (std::array<int, 3>{255, 0, 0}));
    EXPECT_NEAR(overlay->alpha, pulse * 0.007f, 1e-4);
    Bomb_eff_png = nullptr;
    FreeImage(glow);
}

// The damage table, every entry once: each weapon against each kind of fly, a shielded fly
// included, and the slice's margin round its beam for each kind.
TEST_F(BulletTest, EveryWeaponDamagesEveryKindByItsTable)
{
    struct Row {
        int kind;  // 1 normal, 2 komar, 3 butterfly, 4 an entrance marker (no kind)
        float laser, slice, thrown, immediate, alpha;
        int margin;
    };
    const Row rows[] = {{1, 0, 1, 80, 55, 100, 50},
                        {2, 50, 4, 100, 100, 100, 37},
                        {3, 5, 0.5f, 40, 30, 100, 70},
                        {4, 0, 0, 0, 0, 0, 40}};
    for (const Row& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(row.kind));
        // Loss of hold of a lone fly at (x, 300), shielded or not, to what `fire` starts.
        auto loss = [&](auto fire, float x = 500, bool shielded = false, int frames = -1) {
            clear_level_world();
            bullet_list.clear();
            FlyT* f = fly_with_hold(static_cast<int>(x), 300, row.kind, 1000);
            f->status = shielded ? 5 : 1;
            f->shielded_timer = shielded ? 1000 : 0;
            fire(*f);
            if (frames < 0)
                run_out();
            else
                bullets_frame(frames);
            return 1000 - f->free_life;
        };
        const float laser = loss([](FlyT& f) {
            MoveMouse(500, 300);
            BulletT::CreateBullet_laser(f.id);
        });
        if (row.kind == 1) {
            EXPECT_GE(laser, 10);
            EXPECT_LE(laser, 20);
        } else {
            EXPECT_FLOAT_EQ(laser, row.laser);
        }
        auto slice = [](FlyT&) {
            MoveMouse(500, 300);  // the beam runs from (300, 300) to (500, 300)
            BulletT::CreateLazer_slice(300, 300, 2, 100);
        };
        EXPECT_FLOAT_EQ(loss(slice, 400, false, 1), row.slice);
        EXPECT_FLOAT_EQ(loss(slice, 400, true, 1), row.slice) << "a shielded fly is cut as well";
        // Past the beam's end, a hull wide enough to reach it counts only inside the margin.
        auto wide_slice = [&](FlyT& f) {
            f.Half_hull_width = 200;
            slice(f);
        };
        EXPECT_FLOAT_EQ(loss(wide_slice, 500 + row.margin - 1.0f, false, 1), row.slice);
        EXPECT_FLOAT_EQ(loss(wide_slice, 500 + row.margin + 1.0f, false, 1), 0);
        EXPECT_FLOAT_EQ(loss([](FlyT&) {
                            MoveMouse(500, 300);
                            BulletT::CreateBomb_delay();
                        }),
                        row.thrown);
        EXPECT_FLOAT_EQ(loss([](FlyT&) {
                            MoveMouse(500, 300);
                            BulletT::CreateBomb_NOW();
                        }),
                        row.immediate);
        EXPECT_FLOAT_EQ(loss([](FlyT&) {
                            MoveMouse(500, 300);
                            BulletT::Create_Alphamissle_shot();
                        }),
                        row.alpha);
    }
}

// Hanging containers break under a slice across them, a bomb that landed on its target and
// an alpha missile anywhere; a bomb blown off its target leaves them hanging.
TEST_F(BulletTest, ContainersBreakUnderTheSliceABombOnTargetAndTheAlphaMissile)
{
    auto hanging = [](float x, float y) {
        ContainerT* c = container_list.create();
        c->x = x;
        c->y = y;
        c->script = 2;
        c->Half_hull_width = 10;
        c->Half_hull_height = 20;
        return c;
    };
    ContainerT* crossed = hanging(400, 300);
    ContainerT* beside = hanging(400, 400);
    MoveMouse(500, 300);
    BulletT::CreateLazer_slice(300, 300, 2, 100);
    bullets_frame();
    EXPECT_EQ(crossed->script, 3);
    EXPECT_EQ(beside->script, 2);
    run_out();

    ContainerT* near = hanging(560, 300);  // 60 from where the bombs land
    MoveMouse(500, 300);
    BulletT* astray = BulletT::CreateBomb_NOW();
    while (astray->script == 1)
        bullets_frame();
    astray->destination_x += 40;  // pushed off its target before the blast
    run_out();
    EXPECT_EQ(near->script, 2);
    BulletT::CreateBomb_NOW();
    run_out();
    EXPECT_EQ(near->script, 3);
    EXPECT_EQ(beside->script, 2);  // more than 90 away

    MoveMouse(300, 500);
    BulletT::Create_Alphamissle_shot();
    run_out();
    EXPECT_EQ(beside->script, 3);
}

TEST_F(BulletTest, ALureModuleLandsAsALureFly)
{
    MoveMouse(500, 300);
    BulletT* module = BulletT::CreateLureModule();
    EXPECT_LT(run_out(), 200);
    EXPECT_FALSE(bullet_list.contains(module));
    ASSERT_EQ(fly_list.count(), 1);
    const FlyT& lure = *fly_list.first();
    EXPECT_EQ(lure.name, "lure_module");
    EXPECT_NEAR(lure.x, 500, 10);
    EXPECT_NEAR(lure.y, 300, 10);
}
