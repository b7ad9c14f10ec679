// The level validator: every rule rejects a campaign level made to break it, and the shipped
// campaign passes them all. Levels come from the real sources and are broken one field at a time.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "levels/level_check.h"
#include "levels/level_source.h"
#include "levels/scenery_cover.h"
#include "support/temp_dir.h"

using namespace levels;

namespace {

const std::string kSources = std::string(WINGTRON_SOURCE_DIR) + "/data/levels";

LevelSource Load(int n) { return LoadLevelSource(kSources, n); }

LevelEvent Fly(int tick, int kind, int x, int y) { return {"Fly", tick, x, y, kind, 0, 0}; }

// True when the level breaks `rule`; prints the other problems to help when it fails.
bool Breaks(const LevelSource& level, const std::string& rule, const SceneryCover* cover = nullptr)
{
    bool found = false;
    for (const Problem& p : CheckLevel(level, cover)) {
        if (p.rule == rule) found = true;
    }
    return found;
}

std::vector<std::string> Rules(const LevelSource& level)
{
    std::vector<std::string> rules;
    for (const Problem& p : CheckLevel(level)) rules.push_back(p.rule + ": " + p.message);
    return rules;
}

// Adds a fly and keeps the main-score cap in step so only the rule under test breaks.
void AddFly(LevelSource& level, const LevelEvent& e)
{
    level.events.push_back(e);
    level.rules.max_main_score += FlyScore(e.item_type);
}

}  // namespace

TEST(LevelCheck, TheShippedCampaignPassesEveryRule)
{
    for (int n = 1; n <= kLevelCount; ++n) {
        LevelSource level = Load(n);
        EXPECT_EQ(level.number, n);
        EXPECT_EQ(Rules(level), std::vector<std::string>{}) << "level " << n;
    }
}

TEST(LevelCheck, EventsThatCanNeverFire)
{
    LevelSource level = Load(6);
    LevelEvent e = Fly(0, kNormalFly, 603, 363);  // s0 r6
    AddFly(level, e);
    EXPECT_TRUE(Breaks(level, "tick"));
    level.events.back().time = -5;
    EXPECT_TRUE(Breaks(level, "tick"));
    level.events.back().time = 1;
    EXPECT_FALSE(Breaks(level, "tick"));

    // Far beyond the moment the spider has starved even after eating every fly.
    level.events.back().time = 100000;
    EXPECT_TRUE(Breaks(level, "never-fires"));

    LevelSource odd = Load(6);
    odd.events.push_back({"fly", 20, 603, 363, 1, 0, 0});  // type names are case-sensitive
    EXPECT_TRUE(Breaks(odd, "event-type"));
}

TEST(LevelCheck, TicksTheTutorialSkipsAreRejected)
{
    struct Case {
        int level, tick;
    };
    for (Case c : {Case{1, 10}, Case{1, 11}, Case{10, 6}, Case{12, 33}, Case{12, 34}, Case{4, 56}}) {
        LevelSource level = Load(c.level);
        level.events.push_back({"container", c.tick, 480, 0, 0, 200, 0});
        EXPECT_TRUE(Breaks(level, "tutorial-tick")) << "level " << c.level << " tick " << c.tick;
    }
    // The same tick is fine on a level without a hint.
    LevelSource plain = Load(13);
    plain.events.push_back({"container", 33, 480, 0, 0, 200, 0});
    EXPECT_FALSE(Breaks(plain, "tutorial-tick"));
}

TEST(LevelCheck, FlyKindsOutsideOneToFour)
{
    LevelSource level = Load(8);
    level.events.push_back(Fly(40, 5, 603, 363));
    EXPECT_TRUE(Breaks(level, "fly-kind"));
    level.events.back().item_type = 0;
    EXPECT_TRUE(Breaks(level, "fly-kind"));
}

TEST(LevelCheck, ArsenalMustHoldOneToFourWeapons)
{
    LevelSource level = Load(9);
    level.weapons.clear();
    EXPECT_TRUE(Breaks(level, "arsenal"));
    level.weapons = {1, 2, 3, 4, 5};
    EXPECT_TRUE(Breaks(level, "arsenal"));
    level.weapons = {1, 7};
    EXPECT_TRUE(Breaks(level, "arsenal"));
    level.weapons = {1, 2};
    level.cooling = {1, 2, 0, 0};
    EXPECT_TRUE(Breaks(level, "arsenal"));
    level.cooling = {1, 1, 1, 1};
    EXPECT_FALSE(Breaks(level, "arsenal"));
}

TEST(LevelCheck, FliesMustHangOnThreadsInsideThePlayCircle)
{
    LevelSource level = Load(11);
    // Ring 21 of spoke 0 lies on a thread but 268 px out: never aimable.
    AddFly(level, Fly(40, kKomar, 760, 374));
    EXPECT_TRUE(Breaks(level, "play-circle"));
    EXPECT_FALSE(Breaks(level, "thread"));

    LevelSource off = Load(11);
    AddFly(off, Fly(40, kKomar, 598, 341));  // between spoke 0 and the rings
    EXPECT_TRUE(Breaks(off, "thread"));
    EXPECT_FALSE(Breaks(off, "play-circle"));
}

TEST(LevelCheck, EntranceMarkersMatchTheSpidersAndSitAtTheEdge)
{
    LevelSource one = Load(7);
    one.events.erase(std::remove_if(one.events.begin(), one.events.end(),
                                    [](const LevelEvent& e) { return e.item_type == kEntrance && e.type_of_event == "Fly"; }),
                     one.events.end());
    EXPECT_TRUE(Breaks(one, "entrances"));

    // Level 23 has two spiders: a third marker is one too many.
    LevelSource two = Load(23);
    two.events.push_back(Fly(90, kEntrance, 760, 374));
    EXPECT_TRUE(Breaks(two, "entrances"));

    LevelSource inner = Load(7);
    for (LevelEvent& e : inner.events) {
        if (e.item_type == kEntrance && e.type_of_event == "Fly") {
            e.x = 603;  // s0 r6: deep inside the web
            e.y = 363;
        }
    }
    EXPECT_TRUE(Breaks(inner, "entrance-edge"));

    LevelSource pair = Load(26);
    pair.spiders.pop_back();
    EXPECT_TRUE(Breaks(pair, "spiders"));
}

TEST(LevelCheck, StarLimitsMustRiseAndBeReachable)
{
    LevelSource level = Load(14);
    level.rules.one_star_limit = level.rules.fifve_star_limit;
    EXPECT_TRUE(Breaks(level, "stars"));
    // Five stars only three above one: the derived limits in between would not rise.
    level.rules.one_star_limit = level.rules.fifve_star_limit - 3;
    EXPECT_TRUE(Breaks(level, "stars"));
    level.rules.one_star_limit = level.rules.fifve_star_limit - 4;
    EXPECT_FALSE(Breaks(level, "stars"));

    LevelSource greedy = Load(14);
    greedy.rules.fifve_star_limit =
        greedy.rules.max_main_score + greedy.rules.max_tactic_bonus + greedy.rules.time_bonus + 1;
    EXPECT_TRUE(Breaks(greedy, "stars"));

    LevelSource stale = Load(14);
    stale.events.push_back(Fly(40, kButterfly, 603, 363));  // cap left unchanged
    EXPECT_TRUE(Breaks(stale, "max-main"));
}

TEST(LevelCheck, FliesMustNotLandUnderTheRobotOrFrontScenery)
{
    LevelSource level = Load(2);
    AddFly(level, Fly(40, kNormalFly, 478, 613));  // s4 r20, just above the robot's branch
    EXPECT_TRUE(Breaks(level, "scenery"));
    EXPECT_FALSE(Breaks(level, "play-circle"));
}

TEST(LevelCheck, SpecialsAndContainersMustStopInsideThePlayCircle)
{
    LevelSource level = Load(16);
    level.events.push_back({"SpecUp", 40, 0, 0, 2, 100, 0});  // stops far above the web
    EXPECT_TRUE(Breaks(level, "special"));
    level.events.back().fly_time = 500;
    level.events.back().item_type = 9;
    EXPECT_TRUE(Breaks(level, "special"));

    LevelSource fall = Load(16);
    fall.events.push_back({"container", 40, 60, 0, 0, 200, 0});  // falls at the screen's left edge
    EXPECT_TRUE(Breaks(fall, "container"));
}

TEST(LevelCheck, DeadlineLivesAndSpiderValues)
{
    LevelSource level = Load(18);
    level.rules.level_deadline_time = 20;
    EXPECT_TRUE(Breaks(level, "deadline"));

    LevelSource lives = Load(18);
    lives.rules.fly_death_count = 0;
    EXPECT_TRUE(Breaks(lives, "lives"));

    LevelSource spider = Load(18);
    spider.spiders[0].max_hunger = "0";
    EXPECT_TRUE(Breaks(spider, "spider-values"));
    spider = Load(18);
    spider.spiders[0].spider_SizeX = "4.5";
    EXPECT_TRUE(Breaks(spider, "spider-values"));
}

TEST(LevelCheck, LevelOneFitsTheTutorialScript)
{
    EXPECT_FALSE(Breaks(Load(1), "tutorial-1"));

    LevelSource lives = Load(1);
    lives.rules.fly_death_count = 6;
    EXPECT_TRUE(Breaks(lives, "tutorial-1"));

    LevelSource seventh = Load(1);
    AddFly(seventh, Fly(80, kKomar, 603, 363));
    EXPECT_TRUE(Breaks(seventh, "tutorial-1"));

    LevelSource during_slice = Load(1);
    AddFly(during_slice, Fly(150, kKomar, 603, 363));
    EXPECT_TRUE(Breaks(during_slice, "tutorial-1"));

    LevelSource late_first = Load(1);
    late_first.events.front().time = 15;
    EXPECT_TRUE(Breaks(late_first, "tutorial-1"));

    LevelSource early_spider = Load(1);
    for (LevelEvent& e : early_spider.events) {
        if (e.item_type == kEntrance) e.time = 140;
    }
    EXPECT_TRUE(Breaks(early_spider, "tutorial-1"));

    LevelSource hungry = Load(1);
    hungry.spiders[0].max_hunger = "0.2";
    hungry.spiders[0].max_accelerate = "0.01";
    EXPECT_TRUE(Breaks(hungry, "tutorial-1"));

    LevelSource no_late_fly = Load(1);
    no_late_fly.events.erase(std::remove_if(no_late_fly.events.begin(), no_late_fly.events.end(),
                                            [](const LevelEvent& e) { return e.time >= 290; }),
                             no_late_fly.events.end());
    no_late_fly.rules.max_main_score = FliesScore(no_late_fly) + 30;
    EXPECT_TRUE(Breaks(no_late_fly, "tutorial-1"));
}

TEST(LevelCheck, HintLevelsCarryWhatTheirHintsShow)
{
    LevelSource four = Load(4);
    four.weapons = {1, 2};
    EXPECT_TRUE(Breaks(four, "tutorial-4"));
    four = Load(4);
    for (LevelEvent& e : four.events) {
        if (e.type_of_event == "SpecUp") e.time += 20;  // they would still be falling at tick 56
    }
    EXPECT_TRUE(Breaks(four, "tutorial-4"));

    LevelSource ten = Load(10);
    ten.cooling = {0, 0, 0, 0};
    EXPECT_TRUE(Breaks(ten, "tutorial-10"));

    LevelSource twelve = Load(12);
    twelve.events.erase(std::remove_if(twelve.events.begin(), twelve.events.end(),
                                       [](const LevelEvent& e) { return e.type_of_event == "container"; }),
                        twelve.events.end());
    EXPECT_TRUE(Breaks(twelve, "tutorial-12"));
}

TEST(LevelSourceParser, ReportsTheLineOfAMistake)
{
    const std::string good =
        "level 3\nlives 5\ndeadline 100\ntime_bonus 100\nmax_tactic_bonus 10\nmax_main_score 15\n"
        "one_star 5\nfive_star 100\narsenal laser\ncooling 0 0 0 0\n"
        "spider x 700 y -40 angle 180 speed 0.7 sprint 0 hunger 0.03 accel 0.00002\n"
        "  20 normal s0 r6   # a comment\n   4 entrance s13 r21\n";
    LevelSource level = ParseLevelSource(good, "mem.txt");
    ASSERT_EQ(level.events.size(), 2u);
    EXPECT_EQ(level.events[0].time, 4);  // sorted by tick
    EXPECT_EQ(level.events[1].x, 603);   // spoke 0 at ring 6, rounded
    EXPECT_EQ(level.events[1].y, 363);
    EXPECT_EQ(level.spiders[0].spider_SizeY, "0.7");  // size_y follows the speed unless given

    auto error_of = [&](const std::string& text) {
        try {
            ParseLevelSource(text, "mem.txt");
        } catch (const SourceError& e) {
            return e.message;
        }
        return std::string("no error");
    };
    EXPECT_EQ(error_of(good + "30 beetle s1 r4\n").rfind("mem.txt:14: unknown arrival 'beetle'", 0), 0u);
    EXPECT_EQ(error_of(good + "30 normal s1 r40\n").rfind("mem.txt:14: the web has rings", 0), 0u);
    EXPECT_EQ(error_of(good + "30 special sword 500\n").rfind("mem.txt:14: unknown weapon", 0), 0u);
    EXPECT_EQ(error_of(good + "lives 4\n").rfind("mem.txt:14: 'lives' already given", 0), 0u);
    EXPECT_EQ(error_of("level 3\n"), "mem.txt: the rule 'deadline' is missing");
    EXPECT_NE(error_of(good + "spider x 1 y 2 angle 0 speed 1e-3 sprint 0 hunger 0.1 accel 0.1\n").find("decimal"),
              std::string::npos);
}

namespace {

// Writes a w x h picture, opaque in its left `opaque_w` columns and clear elsewhere.
void WritePicture(const std::string& path, int w, int h, int opaque_w)
{
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < opaque_w; ++x) rgba[(static_cast<size_t>(y) * w + x) * 4 + 3] = 255;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr));
}

}  // namespace

// Levels 10-14 have one front piece, drawn at (0, 525). A fly on spoke 5, ring 18 (396, 572)
// lies inside the play circle; whether it is hidden depends only on the picture's opaque pixels.
TEST(LevelCheck, FliesAreCheckedAgainstTheForgedFrontPictures)
{
    TempDir dir;
    LevelSource level = Load(11);
    AddFly(level, Fly(40, kNormalFly, 396, 572));

    WritePicture(dir.path() + "/foreground_tree_lv4.png", 400, 100, 0);  // all clear
    SceneryCover clear;
    clear.Load(dir.path());
    ASSERT_TRUE(clear.HasMask(SceneryRange(11)));
    EXPECT_FALSE(clear.HasMask(SceneryRange(2)));  // its pictures are missing
    EXPECT_FALSE(Breaks(level, "scenery", &clear));

    WritePicture(dir.path() + "/foreground_tree_lv4.png", 400, 100, 400);  // opaque up to x 400
    SceneryCover leafy;
    leafy.Load(dir.path());
    EXPECT_TRUE(Breaks(level, "scenery", &leafy));
    EXPECT_NEAR(leafy.Hidden(SceneryRange(11), {386, 557, 411, 582}), 14.0 / 25.0, 1e-9);

    // The robot on its branch hides what is under it whatever the pictures; so does the screen's edge.
    EXPECT_DOUBLE_EQ(clear.Hidden(SceneryRange(11), {340, 620, 360, 640}), 1.0);
    EXPECT_DOUBLE_EQ(clear.Hidden(SceneryRange(11), {1014, 100, 1034, 110}), 0.5);
}
