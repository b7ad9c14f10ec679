#include "fx/emitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "sound/sound.h"
#include "state/assets.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"

namespace {

void clear_layers()
{
    emitter_layer_1.clear();
    emitter_layer_2.clear();
    emitter_layer_3.clear();
    emitter_layer_4.clear();
}

// One level frame of the four layers, in their walking order.
void update_layers()
{
    emitter_layer_1.for_each([](emitterT& e) { e.Update(); });
    emitter_layer_2.for_each([](emitterT& e) { e.Update(); });
    emitter_layer_3.for_each([](emitterT& e) { e.Update(); });
    emitter_layer_4.for_each([](emitterT& e) { e.Update(); });
}


class EmitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(true);
        ResetRenderState();
        SeedRnd(1234);
        pause_state = 0;
        time_scale = 1;
        lazer_hit_count = 0;
        clear_layers();
        lure_effect_png = MakeTestImage(16, 16, "lure_effect.png");
    }
    void TearDown() override
    {
        clear_layers();
        SetDrawTraceActive(false);
        FreeImage(lure_effect_png);
        lure_effect_png = nullptr;
    }

    // Frames an object lives from creation until its layer drops it.
    static int frames_lived(emitterT* e, TList<emitterT>& layer)
    {
        int frames = 0;
        while (layer.contains(e) && frames < 5000) {
            e->Update();
            ++frames;
        }
        return frames;
    }
};

}  // namespace

TEST_F(EmitterTest, ChanceRuleIsOneInNMinusOne)
{
    // Int(Rnd(1, 2)) is always 1: chance 2 spawns every call.
    for (int i = 0; i < 500; ++i)
        EXPECT_NE(emitterT::Bomb_Lighting_Particle(100, 100, 2), nullptr);
    EXPECT_EQ(emitter_layer_1.count(), 500);

    auto rate = [](int chance) {
        int hits = 0;
        for (int i = 0; i < 20000; ++i)
            hits += emitter_chance(chance) ? 1 : 0;
        return hits / 20000.0;
    };
    EXPECT_NEAR(rate(3), 1.0 / 2, 0.02);
    EXPECT_NEAR(rate(4), 1.0 / 3, 0.02);
    EXPECT_NEAR(rate(10), 1.0 / 9, 0.01);
    EXPECT_EQ(rate(1), 1.0);
}

TEST_F(EmitterTest, PresetsLiveTheirFramesOnTheirLayer)
{
    struct Case {
        const char* what;
        std::function<emitterT*()> make;
        TList<emitterT>* layer;
        int life;
        const char* script;
    };
    const std::vector<Case> cases = {
        {"smoke", [] { return emitterT::Create_New_Emitter(5, 5, 40, 1); }, &emitter_layer_1, 40, "smoke_fix"},
        {"spark", [] { return emitterT::Create_New_Emitter(5, 5, 99, 2); }, &emitter_layer_3, 3, "elctro_fix"},
        {"laser smoke", [] { return emitterT::Create_New_Emitter(5, 5, 20, 3); }, &emitter_layer_1, 20, "lazer_smoke"},
        {"spider ice", [] { return emitterT::Create_New_Emitter(5, 5, 30, 7); }, &emitter_layer_1, 30, "ice_explosion"},
        {"fly ice", [] { return emitterT::Create_New_Emitter(5, 5, 30, 11); }, &emitter_layer_1, 30, "ice_explosion"},
        {"wing", [] { return emitterT::Butterfly_Particle(5, 5, 2); }, &emitter_layer_1, 900, "butterfly_wing"},
        {"laser hit", [] { return emitterT::Collision_Lazer_r(5, 5, 1, 1); }, &emitter_layer_1, 6, "lazer_r_particle"},
        {"trail", [] { return emitterT::Create_freezing(5, 5, 30, 2); }, &emitter_layer_1, 40, "freeze_trail"},
        {"missile", [] { return emitterT::Create_AlphaMissle_particle(5, 5, 30, 2); }, &emitter_layer_1, 40, "freeze_trail"},
        {"ice burst", [] { return emitterT::Create_freezing_exp(5, 5, 2); }, &emitter_layer_1, 30, "freeze_explosion"},
        {"alpha light", [] { return emitterT::Alpha_Lighting_Particle(5, 5, 2); }, &emitter_layer_1, 24, "0"},
        {"shield", [] { return emitterT::Shield_main_Particle(5, 5); }, &emitter_layer_1, 450, "shield_main"},
        {"shield light", [] { return emitterT::Shield_Lighting_Particle(5, 5, 2); }, &emitter_layer_1, 12, "0"},
        {"module", [] { return emitterT::Fallin_module(5, 5, 10); }, &emitter_layer_1, 300, "lure_module"},
        {"bomb light", [] { return emitterT::Bomb_expl_light(5, 5); }, &emitter_layer_1, 60, "bomb_expl"},
        {"dead fly", [] { return emitterT::Dead_Fly_FX(5, 5); }, &emitter_layer_1, 100, "dead_fly_FX"},
        {"lure", [] { return emitterT::Lure_waves(5, 5); }, &emitter_layer_1, 150, "lure_waves"},
        {"fix", [] { return emitterT::Fix_waves(5, 5); }, &emitter_layer_3, 100, "Fix_waves"},
        {"spec", [] { return emitterT::SpecUp_waves(5, 5, 0.2f, 77); }, &emitter_layer_3, 77, "spec_waves"},
        {"gui", [] { return emitterT::SpecGUI_apear(5, 5); }, &emitter_layer_4, 90, "spec_gui_appear"},
        {"smoke puff", [] { return emitterT::Black_smoke_exp(5, 5, 1); }, &emitter_layer_2, 1200, "black_smoke_explosion"},
    };
    for (const Case& c : cases) {
        clear_layers();
        emitterT* e = c.make();
        ASSERT_NE(e, nullptr) << c.what;
        EXPECT_EQ(e->layer, c.layer) << c.what;
        EXPECT_TRUE(c.layer->contains(e)) << c.what;
        EXPECT_EQ(e->name, "particle") << c.what;
        EXPECT_EQ(e->script, c.script) << c.what;
        EXPECT_EQ(frames_lived(e, *c.layer), c.life) << c.what;
    }
    EXPECT_EQ(emitterT::Create_New_Emitter(5, 5, 10, 5), nullptr);  // no such kind
}

TEST_F(EmitterTest, PauseFreezesEffectsButKeepsDrawingThem)
{
    emitterT* e = emitterT::Dead_Fly_FX(200, 300);
    dead_fly_fx_png = MakeTestImage(8, 8, "dead_fly_fx.png");
    e->entity = dead_fly_fx_png;
    pause_state = 1;
    for (int i = 0; i < 10; ++i)
        update_layers();
    EXPECT_EQ(e->life, 100);
    EXPECT_EQ(e->y, 300);
    EXPECT_EQ(TracedDraws().size(), 10u);
    pause_state = 0;
    update_layers();
    EXPECT_EQ(e->life, 99);
    EXPECT_FLOAT_EQ(e->y, 299.5f);
    FreeImage(dead_fly_fx_png);
    dead_fly_fx_png = nullptr;
}

TEST_F(EmitterTest, FadesByScript)
{
    // A repair ring is already below 100 frames of life in its first frame.
    emitterT* fix = emitterT::Fix_waves(0, 0);
    fix->Update();
    EXPECT_FLOAT_EQ(fix->alpha, 0.985f);
    EXPECT_FLOAT_EQ(fix->sizeX, 0.23f);

    // The lure ring fades in while more than 50 frames are left, but from frame 51 on
    // its own fade-out outweighs it.
    emitterT* lure = emitterT::Lure_waves(0, 0);
    for (int i = 0; i < 50; ++i)
        lure->Update();
    EXPECT_NEAR(lure->alpha, 0.5f, 1e-4);
    lure->Update();
    EXPECT_NEAR(lure->alpha, 0.495f, 1e-4);

    // The generic fade brings a too-bright particle down to its target once the fade-in
    // period is over, and no further.
    emitterT* spark = emitterT::Create_New_Emitter(0, 0, 3, 2);
    spark->Update();
    EXPECT_NEAR(spark->alpha, 0.79f, 1e-5);

    // The bomb flash swells to 3.5 while more than 35 frames are left, then shrinks to 0.2.
    emitterT* bomb = emitterT::Bomb_expl_light(0, 0);
    for (int i = 0; i < 24; ++i)
        bomb->Update();
    EXPECT_EQ(bomb->sizeX, 3.5f);
    EXPECT_EQ(bomb->alpha, 1.0f);
    for (int i = 0; i < 23; ++i)
        bomb->Update();
    EXPECT_NEAR(bomb->sizeX, 1.2f, 1e-4);
    EXPECT_EQ(bomb->alpha, 0.0f);
    for (int i = 0; i < 12; ++i)
        bomb->Update();
    EXPECT_EQ(bomb->sizeX, 0.2f);
}

TEST_F(EmitterTest, ShieldGrowsSparksAndShrinks)
{
    emitterT* shield = emitterT::Shield_main_Particle(100, 100);
    int sparks = 0;
    for (int i = 0; i < 437; ++i) {
        const int before = emitter_layer_1.count();
        shield->Update();
        sparks += emitter_layer_1.count() - before;
    }
    EXPECT_EQ(shield->life, 13);
    EXPECT_EQ(shield->sizeX, 1.0f);
    EXPECT_EQ(shield->sizeY, 1.0f);
    // One chance in nine per frame over 437 frames.
    EXPECT_GT(sparks, 25);
    EXPECT_LT(sparks, 75);
    for (int i = 0; i < 12; ++i)
        shield->Update();
    EXPECT_NEAR(shield->sizeX, 0.4f, 1e-5);
    EXPECT_EQ(shield->alpha, 0.0f);
}

TEST_F(EmitterTest, EmittersSpawnEveryFrameAndDrawNothing)
{
    // A broken container's smoke: five puffs on the second layer, then the emitter is gone.
    emitterT* smoke = emitterT::Create_New_Emitter(300, 200, 1, 10);
    EXPECT_EQ(smoke->name, "emitter");
    update_layers();
    EXPECT_EQ(emitter_layer_1.count(), 0);
    ASSERT_EQ(emitter_layer_2.count(), 5);
    std::vector<int> greens, spins;
    for (emitterT* p : emitter_layer_2.snapshot()) {
        greens.push_back(p->G);
        spins.push_back(p->switcher);
        EXPECT_EQ(p->x, 300);
        EXPECT_EQ(p->R, 75);
    }
    EXPECT_EQ(greens, (std::vector<int> {230, 200, 240, 175, 250}));
    EXPECT_EQ(spins, (std::vector<int> {1, 2, 1, 2, 1}));

    // A freeze burst over 60 frames: one ice cloud in two frames on average, each within
    // 40 pixels of the emitter, and the emitter itself never drawn.
    clear_layers();
    emitterT* burst = emitterT::Create_New_Emitter(500, 400, 60, 6);
    for (int i = 0; i < 60; ++i) {
        ClearDrawTrace();
        burst->Update();  // the last one removes it
        EXPECT_TRUE(TracedDraws().empty());
    }
    const int spawned = emitter_layer_1.count();
    EXPECT_GT(spawned, 15);
    EXPECT_LT(spawned, 45);
    for (emitterT* p : emitter_layer_1.snapshot()) {
        EXPECT_EQ(p->name, "particle");
        EXPECT_LE(std::fabs(p->x - 500), 40);
        EXPECT_LE(std::fabs(p->y - 400), 40);
    }
}

TEST_F(EmitterTest, RingsDrawAdditiveInTheirColour)
{
    emitterT::SpecUp_waves(40, 60, 0.2f, 100);
    update_layers();
    ASSERT_EQ(TracedDraws().size(), 1u);
    const DrawRecord& d = TracedDraws()[0];
    EXPECT_EQ(d.image, "lure_effect.png");
    EXPECT_EQ(d.color, (std::array<int, 3> {0, 140, 255}));
    EXPECT_EQ(d.blend, kLightBlend);
    EXPECT_NEAR(d.alpha, 0.985f, 1e-5);
    EXPECT_EQ(CurrentRenderState().blend_mode, kAlphaBlend);
}
