// Shared set-up for the level world tests: the headless platform, empty lists, a fixed
// seed and the per-level globals at their level-start values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fx/emitter.h"
#include "persist/profile.h"
#include "platform/draw_trace.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "player/power_ups.h"
#include "shell/level_rules.h"
#include "sound/sound.h"
#include "state/globals.h"
#include "state/lists.h"
#include "support/draw_helpers.h"
#include "ui/ingame_gui.h"
#include "world/container.h"
#include "world/events.h"
#include "world/fly.h"
#include "world/level_object.h"
#include "world/special.h"
#include "world/spider.h"
#include "world/web_point.h"

inline void clear_level_world()
{
    event_list.clear();
    fly_list.clear();
    spider_list.clear();
    web_point_list.clear();
    level_back_list.clear();
    level_front_list.clear();
    special_list.clear();
    container_list.clear();
    emitter_layer_1.clear();
    emitter_layer_2.clear();
    emitter_layer_3.clear();
    emitter_layer_4.clear();
}

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDrawTraceActive(true);
        ResetRenderState();
        SeedRnd(1234);
        clear_level_world();
        pause_state = 0;
        level_outcome = 0;
        level_running = 1;
        level_ticks = 0;
        tick_frames = 0;
        time_scale = 1;
        current_level = 3;
        difficulty = 1;
        web_offset_x = web_offset_y = 0;
        web_shaking = 0;
        screen_shake_x = screen_shake_y = 0;
        main_score = tactic_bonus = flies_released = 0;
        flies_left = 10;
        slice_pending = 0;
        spider2_gauge_state = 0;
        fly_sound_count = free_sound_count = 0;
    }
    void TearDown() override
    {
        clear_level_world();
        SetDrawTraceActive(false);
        time_scale = 1;
    }

    // One frame of the creatures in the main loop's order.
    static void world_frame()
    {
        fly_list.for_each([](FlyT& f) { f.Update(); });
        spider_list.for_each([](SpiderT& s) { s.Update(); });
    }
    static void flies_frame(int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
            fly_list.for_each([](FlyT& f) { f.Update(); });
    }
    // A fly of the kind at (x, y) already hanging in the web with its point.
    static FlyT* trapped_fly(int x, int y, int kind = 1)
    {
        FlyT::Create_New(x, y, kind);
        FlyT* f = fly_list.last();
        f->fly_time = 1;
        f->sizeX = f->sizeY = 1;
        f->alpha = 1;
        f->Update();
        return f;
    }
    static SpiderT* spider_at(float x, float y, float speed = 1)
    {
        SpiderT* s = spider_list.create();
        s->x = x;
        s->y = y;
        s->sizeX = s->sizeY = speed;
        s->entering = 0;
        s->num = spider_list.count();
        s->Max_Hunger_speed = 0.04f;
        s->Hunger_accelerae = 0.00003f;
        return s;
    }
};

// Little-endian bytes of a timetable: the count, then per record a type line and five
// 8-byte fields.
struct TimetableRecord {
    std::string type;
    int64_t time, x, y, item_type, fly_time;
};

inline void append_long(std::string& out, int64_t v)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xff));
}

inline std::string timetable_bytes(const std::vector<TimetableRecord>& records, int64_t count = -1)
{
    std::string out;
    append_long(out, count >= 0 ? count : static_cast<int64_t>(records.size()));
    for (const auto& r : records) {
        out += r.type + "\n";
        append_long(out, r.time);
        append_long(out, r.x);
        append_long(out, r.y);
        append_long(out, r.item_type);
        append_long(out, r.fly_time);
    }
    return out;
}
