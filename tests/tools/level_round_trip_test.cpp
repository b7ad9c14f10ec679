// Round trip of the campaign: every level source, compiled by the build into the game folder,
// reads back through the game's own stream reads exactly as the designer wrote it.
#include <gtest/gtest.h>

#include <string>

#include "levels/level_source.h"
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
