// Round trip of the campaign: every level source, compiled by the build into the game folder,
// reads back through the game's own readers (stream reads, XML store) exactly as written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "levels/level_source.h"
#include "persist/xml_document.h"
#include "platform/files.h"

using namespace levels;

namespace {

const std::string kSources = std::string(WINGTRON_SOURCE_DIR) + "/data/levels";

// The timetable's fields carry only their low 32 bits, as the game reads them.
int Low32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v) & 0xFFFFFFFFu)); }

}  // namespace

TEST(LevelRoundTrip, EveryTimetableReadsBackAsWritten)
{
    SetDataFolder(WINGTRON_GAME_DIR);
    if (FileType(".\\Levels\\Level_1.dat") != 1) GTEST_SKIP() << "levels not compiled (WINGTRON_FORGE off)";
    for (int n = 1; n <= kLevelCount; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        LevelSource source = LoadLevelSource(kSources, n);
        TStream* s = ReadStream(".\\Levels\\Level_" + std::to_string(n) + ".dat");
        ASSERT_NE(s, nullptr);
        int count = Low32(ReadLong(s));
        ASSERT_EQ(count, static_cast<int>(source.events.size()));
        for (const LevelEvent& e : source.events) {
            EXPECT_EQ(ReadLine(s), e.type_of_event);
            EXPECT_EQ(Low32(ReadLong(s)), e.time);
            EXPECT_EQ(Low32(ReadLong(s)), e.x);
            EXPECT_EQ(Low32(ReadLong(s)), e.y);
            EXPECT_EQ(Low32(ReadLong(s)), e.item_type);
            EXPECT_EQ(Low32(ReadLong(s)), e.fly_time);
        }
        EXPECT_NE(Eof(s), 0) << "bytes left after the last record";
        CloseStream(s);
    }
}

namespace {

// The game's conversions of element text: integers with leading blanks and a sign, floats as decimals.
int IntOf(xmlNode* node) { return node ? std::atoi(node->Value.c_str()) : -99999; }
double FloatOf(xmlNode* node) { return node ? std::strtod(node->Value.c_str(), nullptr) : -99999.0; }
double Decimal(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::unique_ptr<xmlDocument> LoadTuningFile(const std::string& name, std::vector<uint8_t>& bytes)
{
    SetDataFolder(WINGTRON_GAME_DIR);
    EXPECT_TRUE(LoadBytes(".\\levels\\" + name, bytes));
    return xmlDocument::Create(".\\levels\\" + name);
}

void ExpectSpider(xmlNode* parent, const SpiderSpec& s)
{
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(IntOf(parent->FindChild("spider_x", 1, 1)), s.spider_x);
    EXPECT_EQ(IntOf(parent->FindChild("spider_y", 1, 1)), s.spider_y);
    EXPECT_EQ(IntOf(parent->FindChild("angel", 1, 1)), s.angel);
    EXPECT_DOUBLE_EQ(FloatOf(parent->FindChild("spider_SizeX", 1, 1)), Decimal(s.spider_SizeX));
    EXPECT_DOUBLE_EQ(FloatOf(parent->FindChild("spider_SizeY", 1, 1)), Decimal(s.spider_SizeY));
    EXPECT_EQ(IntOf(parent->FindChild("boost_rnd", 1, 1)), s.boost_rnd);
    EXPECT_DOUBLE_EQ(FloatOf(parent->FindChild("max_hunger", 1, 1)), Decimal(s.max_hunger));
    EXPECT_DOUBLE_EQ(FloatOf(parent->FindChild("max_accelerate", 1, 1)), Decimal(s.max_accelerate));
}

}  // namespace

// The three tuning documents are read by the XML store, looked up the way the game looks them
// up, and written back by the store byte for byte as the compiler wrote them.
TEST(LevelRoundTrip, TuningDocumentsReadBackThroughTheXmlStore)
{
    SetDataFolder(WINGTRON_GAME_DIR);
    if (FileType(".\\levels\\Spiders.xml") != 1) GTEST_SKIP() << "levels not compiled (WINGTRON_FORGE off)";
    std::vector<uint8_t> spiders_bytes, rules_bytes, weapons_bytes;
    auto spiders = LoadTuningFile("Spiders.xml", spiders_bytes);
    auto rules = LoadTuningFile("levels_vars.xml", rules_bytes);
    auto weapons = LoadTuningFile("weapon_vars.xml", weapons_bytes);
    EXPECT_EQ(spiders->SaveToBytes(1), spiders_bytes);
    EXPECT_EQ(rules->SaveToBytes(1), rules_bytes);
    EXPECT_EQ(weapons->SaveToBytes(1), weapons_bytes);

    for (int n = 1; n <= kLevelCount; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        LevelSource source = LoadLevelSource(kSources, n);
        const std::string name = "level_" + std::to_string(n);

        xmlNode* l = spiders->Root()->FindChild(name, 1, 1);
        ExpectSpider(l, source.spiders[0]);
        xmlNode* s2 = l ? l->FindChild("spider2", 1, 1) : nullptr;
        if (source.spiders.size() > 1) {
            ExpectSpider(s2, source.spiders[1]);
        } else {
            EXPECT_EQ(s2, nullptr);
        }

        xmlNode* r = rules->Root()->FindChild(name, 1, 1);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(IntOf(r->FindChild("fly_death_count", 0, 1)), source.rules.fly_death_count);
        EXPECT_EQ(IntOf(r->FindChild("level_deadline_time", 0, 1)), source.rules.level_deadline_time);
        EXPECT_EQ(IntOf(r->FindChild("time_bonus", 0, 1)), source.rules.time_bonus);
        EXPECT_EQ(IntOf(r->FindChild("max_tactic_bonus", 0, 1)), source.rules.max_tactic_bonus);
        EXPECT_EQ(IntOf(r->FindChild("max_main_score", 0, 1)), source.rules.max_main_score);
        EXPECT_EQ(IntOf(r->FindChild("one_star_limit", 0, 1)), source.rules.one_star_limit);
        EXPECT_EQ(IntOf(r->FindChild("fifve_star_limit", 0, 1)), source.rules.fifve_star_limit);

        // The arsenal loader counts every child but "cool_node" as a weapon entry.
        xmlNode* w = weapons->Root()->FindChild(name, 0, 1);
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
