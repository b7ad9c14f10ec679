// Flies arriving, struggling, set free, thawing and losing their shield, the lure
// module's pulse and the life bar with its warning sign.
#include "world/fly.h"

#include "state/assets.h"
#include "world/world_fixture.h"

namespace {

class FlyTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        fly_png = MakeTestStrip(52, 39, 5, "fly.png");
        Caution_png = MakeTestImage(12, 20, "Caution.png");
        health_fly_png = MakeTestImage(32, 4, "health_fly.png");
        health_fly_empty_png = MakeTestImage(36, 8, "health_fly_empty.png");
    }
    void TearDown() override
    {
        for (TImage** p : {&fly_png, &Caution_png, &health_fly_png, &health_fly_empty_png}) {
            FreeImage(*p);
            *p = nullptr;
        }
        WorldTest::TearDown();
    }
    static std::vector<const DrawRecord*> draws_of(const std::string& image)
    {
        std::vector<const DrawRecord*> out;
        for (const DrawRecord& r : TracedDraws())
            if (r.image == image)
                out.push_back(&r);
        return out;
    }
};

}  // namespace

TEST_F(FlyTest, ArrivalTakes135FramesWhileZoomingAndFadingIn)
{
    FlyT::Create_New(400, 300, 1);
    FlyT* f = fly_list.first();
    EXPECT_EQ(f->status, 0);
    EXPECT_FLOAT_EQ(f->sizeX, 10);
    EXPECT_EQ(f->alpha, 0);
    EXPECT_FLOAT_EQ(f->life, 75);
    flies_frame(111);
    EXPECT_LT(f->alpha, 1);
    flies_frame(1);
    EXPECT_FLOAT_EQ(f->alpha, 1);  // fully visible after 112 frames
    flies_frame(22);
    EXPECT_EQ(f->status, 0);
    EXPECT_FLOAT_EQ(f->sizeX, 1);
    EXPECT_TRUE(web_point_list.empty());
    flies_frame(1);  // the 135th update
    EXPECT_EQ(f->status, 1);
    EXPECT_EQ(f->animated, 2);
    ASSERT_EQ(web_point_list.count(), 1);
    EXPECT_EQ(web_point_list.first()->value, f->id);
    EXPECT_EQ(web_point_list.first()->enter_spider, 0);

    // Under the time warp arrival runs at half speed; hard flies have less life.
    difficulty = 2;
    time_scale = 0.5f;
    FlyT::Create_New(500, 300, 3);
    FlyT* b = fly_list.last();
    EXPECT_FLOAT_EQ(b->life, 90);
    EXPECT_EQ(b->id, 1);
    for (int i = 0; i < 269; ++i)
        b->Update();
    EXPECT_EQ(b->status, 0);
    b->Update();
    EXPECT_EQ(b->status, 1);
}

TEST_F(FlyTest, EntranceMarkersAreNamedInOrderAndMarkTheirPoints)
{
    for (int i = 0; i < 3; ++i)
        FlyT::Create_New(100 * i, 100, 4);
    auto flies = fly_list.snapshot();
    EXPECT_EQ(flies[0]->name, "Enterence");
    EXPECT_EQ(flies[1]->name, "Enterence2");
    EXPECT_EQ(flies[2]->name, "Enterence2");
    EXPECT_EQ(flies[0]->show, 0);
    EXPECT_FLOAT_EQ(flies[0]->life, 1);
    flies_frame(134);
    EXPECT_TRUE(web_point_list.empty());
    flies_frame(1);
    auto points = web_point_list.snapshot();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0]->enter_spider, 1);
    EXPECT_EQ(points[1]->enter_spider, 2);
    EXPECT_EQ(points[2]->enter_spider, 2);
}

TEST_F(FlyTest, AFrozenFlyIsSetFreeOnlyWhenItThaws)
{
    FlyT* f = trapped_fly(300, 300);
    web_point_list.first()->busy = 1;  // a spider had reserved it
    f->status = 4;
    f->freeze_time = 4;
    f->free_life = 0;
    time_scale = 0.5f;  // the freeze runs down at half rate
    flies_frame(7);
    EXPECT_EQ(f->status, 4);
    EXPECT_EQ(main_score, 0);
    EXPECT_EQ(web_point_list.count(), 1);
    flies_frame(1);
    // Thawed and set free in the same frame: scored once, its point gone, an ice burst.
    EXPECT_EQ(f->status, 3);
    EXPECT_EQ(main_score, 15);
    EXPECT_EQ(flies_released, 1);
    EXPECT_TRUE(web_point_list.empty());
    EXPECT_EQ(emitter_layer_1.count(), 1);
    flies_frame(50);
    EXPECT_EQ(main_score, 15);
    EXPECT_EQ(flies_released, 1);
    EXPECT_EQ(free_sound_count, 1);
    // It fades out over 100 frames (half speed here) and stays in the list.
    EXPECT_GT(f->alpha, 0);
    flies_frame(160);
    EXPECT_EQ(f->alpha, 0);
    EXPECT_EQ(f->animated, 2);
    EXPECT_EQ(fly_list.count(), 1);
}

TEST_F(FlyTest, ThawAndShieldEndReleaseTheReservation)
{
    FlyT* f = trapped_fly(300, 300);
    PointA* p = web_point_list.first();
    p->busy = 1;
    f->status = 5;
    f->shielded_timer = 10;
    time_scale = 0.5f;  // not slowed: counted down twice a frame
    flies_frame(4);
    EXPECT_EQ(f->status, 5);
    EXPECT_EQ(p->busy, 1);
    flies_frame(1);
    EXPECT_EQ(f->status, 1);
    EXPECT_EQ(p->busy, 0);
    EXPECT_EQ(f->fly_avail, 1);

    p->busy = 1;
    f->status = 4;
    f->freeze_time = 2;
    time_scale = 1;
    flies_frame(1);
    EXPECT_EQ(f->fly_avail, 0);
    flies_frame(1);
    EXPECT_EQ(f->status, 1);
    EXPECT_EQ(p->busy, 0);
    EXPECT_EQ(f->entity, fly_png);
}

TEST_F(FlyTest, StruggleNeverMovesTheLureNorChangesAButterflysFrame)
{
    FlyT* butterfly = trapped_fly(200, 200, 3);
    FlyT* normal = trapped_fly(400, 200, 1);
    FlyT::create_lure_module(600, 200, 30);
    FlyT* lure = fly_list.last();
    EXPECT_EQ(lure->status, 1);
    const float bx = butterfly->x, nx = normal->x, ny = normal->y;
    bool normal_moved = false, normal_frame_changed = false, butterfly_moved = false;
    int lure_pulses = 0;
    for (int i = 0; i < 6000; ++i) {
        const int emitters = emitter_layer_1.count();
        flies_frame();
        lure_pulses += emitter_layer_1.count() > emitters;
        EXPECT_EQ(butterfly->frame, 0);
        EXPECT_EQ(lure->x, 600);
        EXPECT_EQ(lure->frame, 4);
        normal_moved |= normal->x != nx || normal->y != ny;
        normal_frame_changed |= normal->frame != 0;
        butterfly_moved |= butterfly->x != bx;
        emitter_layer_1.for_each([](emitterT& e) { e.Update(); });
    }
    EXPECT_TRUE(normal_moved);
    EXPECT_TRUE(normal_frame_changed);
    EXPECT_TRUE(butterfly_moved);  // butterflies do struggle; only their frame is held
    EXPECT_EQ(lure_pulses, 6000 / 41);  // one ring every 41 frames
}

TEST_F(FlyTest, LifeBarFadesOverFiveFramesAndTheWarningSignBlinks)
{
    FlyT* f = trapped_fly(300, 300);
    f->free_life = 51;
    f->Draw_life_bar();
    auto bar = draws_of("health_fly.png");
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_NEAR(QuadBounds(*bar[0]).right - QuadBounds(*bar[0]).left, 16, 0.01);  // 50 % of 32
    EXPECT_TRUE(draws_of("Caution.png").empty());

    // Eaten: the sign shows at full opacity, dims from its 15th frame, and is bright again
    // on the 30th, when the counter starts over.
    f->caution = 1;
    std::vector<float> sign_alpha;
    for (int i = 0; i < 31; ++i) {
        ClearDrawTrace();
        f->Draw_life_bar();
        auto sign = draws_of("Caution.png");
        ASSERT_EQ(sign.size(), 1u);
        sign_alpha.push_back(sign[0]->alpha);
    }
    EXPECT_FLOAT_EQ(sign_alpha[13], 1);
    EXPECT_FLOAT_EQ(sign_alpha[14], 0.54f);
    EXPECT_FLOAT_EQ(sign_alpha[28], 0.54f);
    EXPECT_FLOAT_EQ(sign_alpha[29], 1);
    EXPECT_FLOAT_EQ(sign_alpha[30], 1);
    EXPECT_EQ(f->caution_delta, 1);
    pause_state = 1;
    ClearDrawTrace();
    f->Draw_life_bar();
    EXPECT_TRUE(draws_of("Caution.png").empty());
    pause_state = 0;

    f->caution = 0;
    f->free_life = 0;
    for (int i = 0; i < 5; ++i)
        f->Draw_life_bar();
    EXPECT_LE(f->life_bar_alpha, 0.0001f);
    EXPECT_GT(f->alpha, 0.9f);  // the fly itself fades far slower
    EXPECT_FLOAT_EQ(CurrentRenderState().color_alpha, 1);
}
