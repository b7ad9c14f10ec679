// Spiders: creation from Spiders.xml, entering, walking and turning, reserving and eating
// flies, giving up, hunger, starving, freezing and the level's outcome.
#include "world/spider.h"

#include "persist/xml_document.h"
#include "state/assets.h"
#include "support/temp_dir.h"
#include "world/world_fixture.h"

namespace {

class SpiderTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        spider_frozen_png = MakeTestImage(40, 30, "spider_frozen.png");
    }
    void TearDown() override
    {
        FreeImage(spider_frozen_png);
        spider_frozen_png = nullptr;
        WorldTest::TearDown();
    }
    // Points the spider at a trapped fly, reserving it as ChooseAvailfly would.
    static void target(SpiderT* s, FlyT* f)
    {
        s->action = 1;
        s->Destination_point = f->id;
        find_web_point(f->id)->busy = 1;
    }
    static void spiders_frame() { spider_list.for_each([](SpiderT& s) { s.Update(); }); }

    static constexpr const char* kSpiders = R"(<?xml version="1.0"?>
<spiders>
  <level_3>
    <spider_x>700</spider_x><spider_y>-40</spider_y><angel>180</angel>
    <spider_SizeX>0.6</spider_SizeX><spider_SizeY> 0.7</spider_SizeY>
    <boost_rnd>9</boost_rnd><max_hunger>0.03</max_hunger><max_accelerate>0.00002</max_accelerate>
    <spider2>
      <spider_x>-30</spider_x><spider_y>500</spider_y><angel>0</angel>
      <spider_SizeX>1.2</spider_SizeX><spider_SizeY>1.3</spider_SizeY>
      <boost_rnd>4</boost_rnd><max_hunger>0.05</max_hunger><max_accelerate>0.00004</max_accelerate>
    </spider2>
  </level_3>
  <level_4><spider_x>100</spider_x><spider_SizeX>abc</spider_SizeX></level_4>
</spiders>
)";
};

}  // namespace

TEST_F(SpiderTest, CreatedFromTheLevelsEntryWithSizesByDifficulty)
{
    TempDir dir;
    dir.write("levels/Spiders.xml", kSpiders);
    SpiderT::Create_New(3);  // more than two makes two
    auto spiders = spider_list.snapshot();
    ASSERT_EQ(spiders.size(), 2u);
    const SpiderT& a = *spiders[0];
    EXPECT_EQ(a.num, 1);
    EXPECT_EQ(a.x, 700);
    EXPECT_EQ(a.y, -40);
    EXPECT_EQ(a.angel, 180);
    EXPECT_FLOAT_EQ(a.sizeX, 0.6f);
    EXPECT_FLOAT_EQ(a.sizeY, 0.7f);
    EXPECT_EQ(a.Boost_rnd, 9);
    EXPECT_FLOAT_EQ(a.Max_Hunger_speed, 0.03f);
    EXPECT_FLOAT_EQ(a.Hunger_accelerae, 0.00002f);
    EXPECT_EQ(a.entering, 1);
    EXPECT_EQ(a.MaxFrames, 18);
    const SpiderT& b = *spiders[1];
    EXPECT_EQ(b.num, 2);
    EXPECT_EQ(b.x, -30);
    EXPECT_FLOAT_EQ(b.sizeX, 1.2f);
    EXPECT_EQ(b.Boost_rnd, 4);

    // On hard the first spider is full size; the second keeps its file sizes.
    clear_level_world();
    difficulty = 2;
    SpiderT::Create_New(2);
    spiders = spider_list.snapshot();
    EXPECT_FLOAT_EQ(spiders[0]->sizeX, 1.0f);
    EXPECT_FLOAT_EQ(spiders[0]->sizeY, 1.0f);
    EXPECT_FLOAT_EQ(spiders[1]->sizeX, 1.2f);
}

TEST_F(SpiderTest, MissingEntriesAndValuesGiveTheDefaultSpider)
{
    TempDir dir;
    auto is_default = [](const SpiderT& s, bool with_x) {
        if (with_x) {
            EXPECT_EQ(s.x, SpiderDefaults::spider_x);
        }
        EXPECT_EQ(s.y, SpiderDefaults::spider_y);
        EXPECT_EQ(s.angel, SpiderDefaults::angel);
        EXPECT_EQ(s.Boost_rnd, SpiderDefaults::boost_rnd);
        EXPECT_FLOAT_EQ(s.Max_Hunger_speed, SpiderDefaults::max_hunger);
        EXPECT_FLOAT_EQ(s.Hunger_accelerae, SpiderDefaults::max_accelerate);
        EXPECT_FLOAT_EQ(s.sizeY, SpiderDefaults::spider_SizeY);
    };
    EXPECT_THROW(SpiderT::Create_New(1), XmlError);  // no file at all: fatal
    EXPECT_EQ(spider_list.count(), 0);

    dir.write("levels/Spiders.xml", "<spiders/>");
    SpiderT::Create_New(1);  // an empty file: every value takes its default
    ASSERT_EQ(spider_list.count(), 1);
    is_default(*spider_list.first(), true);
    EXPECT_FLOAT_EQ(spider_list.first()->sizeX, SpiderDefaults::spider_SizeX);

    clear_level_world();
    dir.write("levels/Spiders.xml", kSpiders);
    clear_level_world();
    current_level = 4;  // only x given, no second spider, a size that is not a number
    SpiderT::Create_New(2);
    auto spiders = spider_list.snapshot();
    ASSERT_EQ(spiders.size(), 2u);
    EXPECT_EQ(spiders[0]->x, 100);
    EXPECT_EQ(spiders[0]->sizeX, 0);
    is_default(*spiders[0], false);
    is_default(*spiders[1], true);

    clear_level_world();
    current_level = 17;  // no entry for the level
    SpiderT::Create_New(1);
    is_default(*spider_list.first(), true);

    dir.write("levels/Spiders.xml", "<spiders><level_17></spiders>");
    EXPECT_THROW(SpiderT::Create_New(1), XmlError);
}

TEST_F(SpiderTest, WaitsForItsMarkerThenWalksAtItsSizeAndEntersForFree)
{
    event_list.create();  // the timetable still runs: no endgame
    SpiderT* s = spider_at(100, 100, 1.5f);
    s->entering = 1;
    FlyT::Create_New(400, 100, 4);
    for (int i = 0; i < 134; ++i)
        world_frame();
    EXPECT_EQ(s->x, 100);
    EXPECT_EQ(s->action, 0);
    EXPECT_EQ(s->animated, 2);
    world_frame();  // the marker settles and the spider sets off in the same frame
    EXPECT_FLOAT_EQ(s->x, 101.5f);
    EXPECT_EQ(s->action, 1);
    EXPECT_EQ(web_shaking, 1);
    world_frame();
    EXPECT_FLOAT_EQ(s->x, 103);
    for (int i = 0; i < 250 && s->entering == 1; ++i)
        world_frame();
    EXPECT_EQ(s->entering, 0);
    EXPECT_EQ(s->x, 400);  // never walks past its target
    EXPECT_EQ(fly_list.first()->status, 2);
    EXPECT_TRUE(web_point_list.empty());
    EXPECT_EQ(flies_left, 10);
    EXPECT_LT(s->hunger, 0.001f);  // hungry only from the frame it entered
    EXPECT_EQ(s->action, 0);

    // The second spider's marker lights its gauge.
    SpiderT* second = spider_at(700, 100, 2);
    second->entering = 1;
    second->num = 2;
    FlyT::Create_New(700, 100, 4);
    EXPECT_EQ(fly_list.last()->name, "Enterence2");
    for (int i = 0; i < 136; ++i)
        world_frame();
    EXPECT_EQ(second->entering, 0);
    EXPECT_EQ(spider2_gauge_state, 1);
}

TEST_F(SpiderTest, TurnsTheLongWayWithoutWrappingAndStopsOnTheHeading)
{
    FlyT* f = trapped_fly(300, 50);
    SpiderT* s = spider_at(300, 400, 1);
    s->angel = 1;
    target(s, f);
    for (int i = 0; i < 44; ++i)
        world_frame();
    EXPECT_FLOAT_EQ(s->angel, 89);  // from 1 upward through 90 and 180 to 270
    for (int i = 0; i < 90; ++i)
        world_frame();
    EXPECT_FLOAT_EQ(s->angel, 269);
    world_frame();
    EXPECT_FLOAT_EQ(s->angel, 270);
    world_frame();
    EXPECT_FLOAT_EQ(s->angel, 270);
    // Half speed under the time warp: half a step and a one-degree turn.
    time_scale = 0.5f;
    const float y = s->y;
    s->angel = 265;
    world_frame();
    EXPECT_FLOAT_EQ(s->y, y - 0.5f);
    EXPECT_FLOAT_EQ(s->angel, 266);
}

TEST_F(SpiderTest, EatingCostsFlyLivesByKindAndLosesTheLevelAtZero)
{
    event_list.create();  // the timetable still runs: no endgame
    SpiderT* s = spider_at(0, 0, 1);
    auto eat = [&](FlyT* f) {
        s->x = f->x;
        s->y = f->y;
        f->life = 0.5f;
        target(s, f);
        world_frame();
    };
    s->hunger = 40;
    s->hunger_speed = 0.03f;
    FlyT* butterfly = trapped_fly(200, 200, 3);
    eat(butterfly);
    EXPECT_EQ(butterfly->status, 2);
    EXPECT_EQ(butterfly->entity, cocon_butterfly_png);
    EXPECT_EQ(flies_left, 8);
    EXPECT_NEAR(s->hunger, 25, 0.01);  // 15 kalories eaten; growth restarts from nothing
    EXPECT_NEAR(s->hunger_speed, 0.00003f, 1e-7);
    EXPECT_EQ(s->action, 0);
    EXPECT_EQ(s->Destination_point, 0);
    EXPECT_EQ(emitter_layer_1.count(), 3);  // two wings and the dead-fly puff
    EXPECT_EQ(find_web_point(butterfly->id), nullptr);

    FlyT::create_lure_module(300, 300, 0);
    FlyT* lure = fly_list.last();
    lure->Update();
    eat(lure);
    EXPECT_EQ(lure->status, 2);
    EXPECT_EQ(lure->show, 0);
    EXPECT_EQ(flies_left, 8);
    EXPECT_EQ(tactic_bonus, 15);

    flies_left = 1;
    slice_pending = 1;
    FlyT* last = trapped_fly(400, 400, 3);
    eat(last);
    EXPECT_EQ(flies_left, 0);  // never below zero
    EXPECT_EQ(level_outcome, 2);
    EXPECT_EQ(slice_pending, 0);
}

TEST_F(SpiderTest, GivingUpOrStarvingReleasesOnlyAReservationItHolds)
{
    FlyT* f0 = trapped_fly(300, 300);
    FlyT* f1 = trapped_fly(500, 300);
    SpiderT* a = spider_at(100, 100);
    SpiderT* b = spider_at(900, 100);
    target(a, f0);
    f0->caution = 1;
    // B idles with Destination_point 0, which is also f0's id: its death must leave A's
    // reservation alone.
    b->hunger = 99.99f;
    b->hunger_speed = b->Max_Hunger_speed;
    b->Update();
    EXPECT_EQ(b->action, 3);
    EXPECT_EQ(find_web_point(f0->id)->busy, 1);
    EXPECT_EQ(f0->caution, 1);
    EXPECT_EQ(level_outcome, 0);  // A still lives

    // A's target is frozen: it gives up, frees the point and clears the warning.
    f0->status = 4;
    f0->freeze_time = 100;
    a->Update();
    EXPECT_EQ(a->action, 0);
    EXPECT_EQ(find_web_point(f0->id)->busy, 0);
    EXPECT_EQ(f0->caution, 0);

    // A target already a cocoon is dropped too, rather than stood on.
    target(a, f1);
    f1->status = 2;
    const float ax = a->x;
    a->Update();
    EXPECT_EQ(a->action, 0);
    EXPECT_EQ(a->x, ax);
}

TEST_F(SpiderTest, StarvingOneThenBothSpidersWinsTheLevel)
{
    SpiderT* a = spider_at(100, 100);
    SpiderT* b = spider_at(900, 100);
    const int tally = death_tally;
    a->hunger = 99.99f;
    a->hunger_speed = 0.04f;
    spiders_frame();
    EXPECT_EQ(a->action, 3);
    EXPECT_EQ(a->hunger, 100);
    EXPECT_EQ(level_outcome, 0);
    EXPECT_EQ(death_tally, tally + 1);
    // The dead spider spins and drops off the screen.
    const float y = a->y;
    spiders_frame();
    EXPECT_FLOAT_EQ(a->y, y + 4);
    EXPECT_LT(a->angel, 0);

    b->hunger = 99.99f;
    b->hunger_speed = 0.04f;
    slice_pending = 1;
    spiders_frame();
    EXPECT_EQ(b->action, 3);
    EXPECT_EQ(level_outcome, 1);
    EXPECT_EQ(slice_pending, 0);
    EXPECT_EQ(death_tally, tally + 2);
}

TEST_F(SpiderTest, HungerGrowsOnlyWhileRunningAndSpeedsUpInTheEndgame)
{
    SpiderT* s = spider_at(100, 100);
    event_list.create();  // something still to come: no endgame
    s->Hunger_accelerae = 0.001f;
    s->Max_Hunger_speed = 0.004f;
    for (int i = 0; i < 10; ++i)
        spiders_frame();
    EXPECT_NEAR(s->hunger_speed, 0.004f, 1e-6);  // capped
    const float h = s->hunger;
    EXPECT_GT(h, 0);
    pause_state = 1;
    spiders_frame();
    EXPECT_EQ(s->hunger, h);
    pause_state = 0;

    // The first level holds hunger until its lessons are over.
    current_level = 1;
    level_ticks = 165;
    spiders_frame();
    EXPECT_EQ(s->hunger, h);
    level_ticks = 166;
    spiders_frame();
    EXPECT_GT(s->hunger, h);
    current_level = 3;

    // Endgame: nothing pending, no points, every fly eaten or free.
    event_list.clear();
    FlyT* f = trapped_fly(500, 500);
    f->status = 3;
    web_point_list.clear();
    time_scale = 0.5f;
    s->hunger = 10;
    s->hunger_speed = 0;
    spiders_frame();
    EXPECT_FLOAT_EQ(s->Hunger_accelerae, 0.001f);
    EXPECT_FLOAT_EQ(s->Max_Hunger_speed, 0.1f);
    EXPECT_FLOAT_EQ(s->hunger_speed, 0.0005f);
    EXPECT_FLOAT_EQ(s->hunger, 10.0005f);  // not slowed by the time warp
}

TEST_F(SpiderTest, SprintRollAndReservationsWhenChoosingFlies)
{
    for (int i = 0; i < 6; ++i)
        trapped_fly(100 + 100 * i, 300);
    FlyT::Create_New(50, 50, 4);  // an entrance point is never chosen
    FlyT* marker = fly_list.last();
    marker->fly_time = 1;
    marker->Update();
    SpiderT* sprinter = spider_at(100, 100);
    sprinter->Boost_rnd = 1;
    SpiderT* walker = spider_at(900, 100);
    walker->Boost_rnd = 0;
    int sprints = 0, walks = 0;
    for (int i = 0; i < 20000 && (sprints < 20 || walks < 20); ++i) {
        for (SpiderT* s : {sprinter, walker}) {
            s->ChooseAvailfly();
            if (s->action == 1) {
                EXPECT_NE(s->Destination_point, marker->id);
                EXPECT_EQ(find_web_point(s->Destination_point)->busy, 1);
                (s == sprinter ? sprints : walks) += 1;
                EXPECT_EQ(s->boost, s == sprinter ? 1 : 0);
                EXPECT_FLOAT_EQ(s->AnimationSpeed, s == sprinter ? 0.8f : 0.4f);
            }
        }
        // Both may hold a fly at once, never the same one.
        if (sprinter->action == 1 && walker->action == 1) {
            EXPECT_NE(sprinter->Destination_point, walker->Destination_point);
            for (SpiderT* s : {sprinter, walker}) {
                find_web_point(s->Destination_point)->busy = 0;
                s->action = 0;
            }
        }
    }
    EXPECT_GE(sprints, 20);
    EXPECT_GE(walks, 20);
}

TEST_F(SpiderTest, FrozenSpiderIsDrawnIcedAndThawsAtHalfRateUnderTheWarp)
{
    SpiderT* s = spider_at(200, 200);
    s->action = 2;
    s->animated = 2;
    s->freeze_time = 2;
    time_scale = 0.5f;
    ClearDrawTrace();
    spiders_frame();
    int iced = 0;
    for (const DrawRecord& r : TracedDraws())
        if (r.image == "spider_frozen.png")
            iced += 1;
    EXPECT_EQ(iced, 2);
    EXPECT_FLOAT_EQ(CurrentRenderState().color_alpha, 1);
    EXPECT_FLOAT_EQ(CurrentRenderState().tform_rot, 0);
    for (int i = 0; i < 2; ++i)
        spiders_frame();
    EXPECT_EQ(s->action, 2);
    spiders_frame();
    EXPECT_EQ(s->action, 0);
    EXPECT_EQ(s->entity, spider_png);
    EXPECT_EQ(emitter_layer_1.count(), 1);  // the ice bursts
}
