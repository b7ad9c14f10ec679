// Timetables read from level files and events firing on the level clock.
#include "world/events.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_dir.h"
#include "world/level_file.h"
#include "world/world_fixture.h"

namespace {

class EventsTest : public WorldTest {
protected:
    static void events_frame() { event_list.for_each([](EventsT& e) { e.update(); }); }
    static EventsT* add_event(const std::string& type, int time, int x = 100, int item = 1, int fly_time = 50)
    {
        EventsT* e = event_list.create();
        e->type_of_event = type;
        e->time = time;
        e->x = x;
        e->y = 200;
        e->item_type = item;
        e->fly_time = fly_time;
        return e;
    }
};

}  // namespace

TEST_F(EventsTest, TimetableFieldsReadInFileOrderFromTheLow32Bits)
{
    TempDir dir;
    // High bits above the low 32 are ignored: 0x1_0000_0005 reads as 5, and a value whose
    // low word is 0xFFFFFFFE reads as -2. A CR before the LF is dropped.
    dir.write("Levels/Level_7.dat",
              timetable_bytes({{"Fly\r", 12, 300, 250, 3, 0},
                               {"SpecUp", 0x100000005LL, 0, 0, 2, 400},
                               {"meteor", 20, static_cast<int64_t>(0x12345678FFFFFFFEULL), 1, 1, 1}}));
    load_level_events("7");
    auto events = event_list.snapshot();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]->type_of_event, "Fly");
    EXPECT_EQ(events[0]->time, 12);
    EXPECT_EQ(events[0]->x, 300);
    EXPECT_EQ(events[0]->y, 250);
    EXPECT_EQ(events[0]->item_type, 3);
    EXPECT_EQ(events[1]->type_of_event, "SpecUp");
    EXPECT_EQ(events[1]->time, 5);
    EXPECT_EQ(events[1]->fly_time, 400);
    EXPECT_EQ(events[2]->x, -2);
}

TEST_F(EventsTest, MissingEmptyAndDamagedTimetables)
{
    TempDir dir;
    load_level_events("9");  // no file: a level without events
    EXPECT_TRUE(event_list.empty());

    dir.write("Levels/Level_1.dat", timetable_bytes({}));
    load_level_events("1");
    EXPECT_TRUE(event_list.empty());

    // A count far beyond what the file holds is refused before anything is made.
    dir.write("Levels/Level_2.dat", timetable_bytes({{"Fly", 1, 1, 1, 1, 1}}, 0x7fffffff));
    try {
        load_level_events("2");
        FAIL() << "a count larger than the file was accepted";
    } catch (const StreamError& e) {
        EXPECT_NE(std::string(e.what()).find("Level_2.dat"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(event_list.empty());

    // A record cut short raises the read error naming the file.
    std::string cut = timetable_bytes({{"Fly", 1, 1, 1, 1, 1}, {"Fly", 2, 2, 2, 2, 2}});
    dir.write("Levels/Level_3.dat", cut.substr(0, cut.size() - 3));
    EXPECT_THROW(load_level_events("3"), StreamError);

    // A negative count reads as no records.
    event_list.clear();
    dir.write("Levels/Level_4.dat", timetable_bytes({}, 0xFFFFFFFFLL));
    load_level_events("4");
    EXPECT_TRUE(event_list.empty());
}

TEST_F(EventsTest, EventsOfOneTickFireTogetherInListOrder)
{
    add_event("Fly", 3, 100, 1);
    add_event("Fly", 3, 200, 2);
    add_event("Fly", 4, 300, 1);
    level_ticks = 2;
    events_frame();
    EXPECT_EQ(fly_list.count(), 0);
    level_ticks = 3;
    tick_frames = 0;
    events_frame();
    auto flies = fly_list.snapshot();
    ASSERT_EQ(flies.size(), 2u);
    EXPECT_EQ(flies[0]->x, 100);
    EXPECT_EQ(flies[0]->id, 0);
    EXPECT_EQ(flies[0]->name, "normal");
    EXPECT_EQ(flies[1]->x, 200);
    EXPECT_EQ(flies[1]->id, 1);
    EXPECT_EQ(flies[1]->name, "komar");
    EXPECT_EQ(event_list.count(), 1);
    // Later frames of the same tick find nothing more to fire.
    tick_frames = 1;
    events_frame();
    EXPECT_EQ(fly_list.count(), 2);
}

TEST_F(EventsTest, OnlyTheFirstFrameOfARunningLevelCreates)
{
    add_event("Fly", 5);
    add_event("meteor", 5);
    add_event("Fly", -1);
    level_ticks = 5;
    tick_frames = 3;  // the tick began frames ago: removed unfired
    events_frame();
    EXPECT_EQ(fly_list.count(), 0);
    ASSERT_EQ(event_list.count(), 1);
    EXPECT_EQ(event_list.first()->time, -1);

    add_event("Fly", 6);
    level_ticks = 6;
    tick_frames = 0;
    level_running = 0;
    events_frame();
    EXPECT_EQ(fly_list.count(), 0);
    EXPECT_EQ(event_list.count(), 1);

    // A negative time is never reached: the event neither fires nor leaves.
    level_running = 1;
    for (level_ticks = 0; level_ticks < 50; ++level_ticks)
        events_frame();
    EXPECT_EQ(event_list.count(), 1);
    EXPECT_EQ(fly_list.count(), 0);
}

TEST_F(EventsTest, SpecialsAndContainersAreReleasedByTheirEvents)
{
    add_event("SpecUp", 1, 0, 4, 120);
    add_event("container", 1, 640, 9, 80);
    add_event("fly", 1);  // types are compared exactly
    level_ticks = 1;
    events_frame();
    ASSERT_EQ(special_list.count(), 1);
    EXPECT_EQ(special_list.first()->item, 4);
    EXPECT_EQ(special_list.first()->fly_time, 120);
    ASSERT_EQ(container_list.count(), 1);
    EXPECT_EQ(container_list.first()->x, 640);
    EXPECT_EQ(container_list.first()->fly_time, 80);
    EXPECT_EQ(fly_list.count(), 0);
    EXPECT_TRUE(event_list.empty());
}

TEST(LevelFile, TuningTextConvertsLikeThePlatform)
{
    EXPECT_EQ(text_to_int("  -42abc"), -42);
    EXPECT_EQ(text_to_int("+7"), 7);
    EXPECT_EQ(text_to_int("x1"), 0);
    EXPECT_EQ(text_to_int("99999999999"), 2147483647);
    EXPECT_FLOAT_EQ(text_to_float(" 0.75"), 0.75f);
    EXPECT_FLOAT_EQ(text_to_float("-1.5e-2z"), -0.015f);
    EXPECT_FLOAT_EQ(text_to_float("3."), 3.0f);
    EXPECT_EQ(text_to_float("inf"), 0.0f);
    EXPECT_EQ(text_to_float("."), 0.0f);
    EXPECT_EQ(text_to_float("1e999"), 0.0f);
}
