// Round trip of the campaign: every level source, compiled by the build into the game folder,
// reads back through the game's own readers (the timetable loader, the level rules, the
// spiders' creation, the XML store) exactly as the designer wrote it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "levels/level_check.h"
#include "levels/level_source.h"
#include "persist/profile.h"
#include "persist/xml_document.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "shell/level_rules.h"
#include "state/lists.h"
#include "world/events.h"
#include "world/spider.h"

using namespace levels;

namespace {

const std::string kSources = std::string(WINGTRON_SOURCE_DIR) + "/data/levels";

float Decimal(const std::string& text) { return static_cast<float>(std::strtod(text.c_str(), nullptr)); }
int IntOf(xmlNode* node) { return node ? std::atoi(node->Value.c_str()) : -99999; }

class LevelRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseHeadlessPlatform();
        SetDataFolder(WINGTRON_GAME_DIR);
        if (FileType(".\\levels\\Spiders.xml") != 1) GTEST_SKIP() << "levels not compiled (WINGTRON_FORGE off)";
    }
    void TearDown() override
    {
        event_list.clear();
        spider_list.clear();
        difficulty = 1;
        current_level = 1;
    }
};

}  // namespace

TEST_F(LevelRoundTrip, EveryTimetableLoadsAsWritten)
{
    for (int n = 1; n <= kLevelCount; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        LevelSource source = LoadLevelSource(kSources, n);
        event_list.clear();
        load_level_events(std::to_string(n));
        ASSERT_EQ(event_list.count(), static_cast<int>(source.events.size()));
        size_t i = 0;
        event_list.for_each([&](EventsT& e) {
            const LevelEvent& want = source.events[i++];
            EXPECT_EQ(e.type_of_event, want.type_of_event);
            EXPECT_EQ(e.time, want.time);
            EXPECT_EQ(e.x, want.x);
            EXPECT_EQ(e.y, want.y);
            EXPECT_EQ(e.item_type, want.item_type);
            EXPECT_EQ(e.fly_time, want.fly_time);
        });
    }
}

TEST_F(LevelRoundTrip, EveryLevelsRulesAndSpidersLoadAsWritten)
{
    for (int n = 1; n <= kLevelCount; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        LevelSource source = LoadLevelSource(kSources, n);

        load_level_rules(n);
        const LevelRules& r = source.rules;
        EXPECT_EQ(fly_death_count, r.fly_death_count);
        EXPECT_EQ(flies_left, r.fly_death_count);
        EXPECT_EQ(level_deadline_time, r.level_deadline_time);
        EXPECT_EQ(time_bonus, r.time_bonus);
        EXPECT_EQ(max_tactic_bonus, r.max_tactic_bonus);
        EXPECT_EQ(max_main_score, r.max_main_score);
        EXPECT_EQ(one_star_limit, r.one_star_limit);
        EXPECT_EQ(five_star_limit, r.fifve_star_limit);
        EXPECT_LT(one_star_limit, two_star_limit);
        EXPECT_LT(two_star_limit, three_star_limit);
        EXPECT_LT(three_star_limit, four_star_limit);
        EXPECT_LT(four_star_limit, five_star_limit);

        for (int level_difficulty : {1, 2}) {
            current_level = n;
            difficulty = level_difficulty;
            spider_list.clear();
            SpiderT::Create_New(SpiderCount(n));
            ASSERT_EQ(spider_list.count(), static_cast<int>(source.spiders.size()));
            size_t i = 0;
            spider_list.for_each([&](SpiderT& s) {
                const SpiderSpec& want = source.spiders[i];
                // On hard the first spider is drawn, and walks, at scale 1.
                bool file_sizes = i > 0 || level_difficulty == 1;
                EXPECT_EQ(s.num, static_cast<int>(i) + 1);
                EXPECT_EQ(s.x, want.spider_x);
                EXPECT_EQ(s.y, want.spider_y);
                EXPECT_EQ(s.angel, want.angel);
                EXPECT_FLOAT_EQ(s.sizeX, file_sizes ? Decimal(want.spider_SizeX) : 1.0f);
                EXPECT_FLOAT_EQ(s.sizeY, file_sizes ? Decimal(want.spider_SizeY) : 1.0f);
                EXPECT_EQ(s.Boost_rnd, want.boost_rnd);
                EXPECT_FLOAT_EQ(s.Max_Hunger_speed, Decimal(want.max_hunger));
                EXPECT_FLOAT_EQ(s.Hunger_accelerae, Decimal(want.max_accelerate));
                ++i;
            });
        }
    }
}

// The arsenal file, looked up the way the level's arsenal loader looks it up; and all three
// documents, loaded by the XML store and saved again, come out byte for byte as compiled.
TEST_F(LevelRoundTrip, TuningDocumentsReadBackThroughTheXmlStore)
{
    const char* names[] = {"Spiders.xml", "levels_vars.xml", "weapon_vars.xml"};
    for (const char* name : names) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(LoadBytes(std::string(".\\levels\\") + name, bytes));
        auto doc = xmlDocument::Create(std::string(".\\levels\\") + name);
        EXPECT_EQ(doc->SaveToBytes(1), bytes) << name;
    }

    auto weapons = xmlDocument::Create(".\\levels\\weapon_vars.xml");
    for (int n = 1; n <= kLevelCount; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        LevelSource source = LoadLevelSource(kSources, n);
        // The loader counts every child but "cool_node" as a weapon entry.
        xmlNode* w = weapons->Root()->FindChild("level_" + std::to_string(n), 0, 1);
        ASSERT_NE(w, nullptr);
        ASSERT_EQ(w->ChildCount() - 1, static_cast<int>(source.weapons.size()));
        for (size_t i = 0; i < source.weapons.size(); ++i) {
            EXPECT_EQ(IntOf(w->FindChild("weapon_" + std::to_string(i + 1), 0, 1)), source.weapons[i]);
        }
        xmlNode* cool = w->FindChild("cool_node", 0, 1);
        ASSERT_NE(cool, nullptr);
        ASSERT_EQ(cool->ChildCount(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(IntOf(cool->FindChild("cooling_" + std::to_string(i + 1), 0, 1)), source.cooling[i]);
        }
    }
}
