// A campaign level as the designer writes it (data/levels/level_NN.txt) and its parser.
// Positions are screen pixels of the 1024 x 768 screen; times are level ticks or frames as named.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace levels {

constexpr int kLevelCount = 30;

// Kinds of the "Fly" events (the file's item_type).
constexpr int kNormalFly = 1;
constexpr int kKomar = 2;
constexpr int kButterfly = 3;
constexpr int kEntrance = 4;  // invisible marker where a spider enters the web

// One timed event of the timetable, field for field as it is stored in "Level_n.dat".
struct LevelEvent {
    std::string type_of_event;  // "Fly", "SpecUp" or "container"
    int time = 0;               // level tick (10 frames each) at which it fires
    int x = 0;                  // screen x; for a container where it falls
    int y = 0;                  // screen y (flies only)
    int item_type = 0;          // fly kind 1..4, or the weapon number 1..6 of a special
    int fly_time = 0;           // frames aloft of a special or a container
    int line = 0;               // source line, for messages (0 when made in code)
};

// Start data of one spider. Numbers keep the designer's decimal text so the tuning file
// carries exactly what was written.
struct SpiderSpec {
    int spider_x = 0;             // start position, screen pixels
    int spider_y = 0;
    int angel = 0;                // start rotation, degrees
    std::string spider_SizeX;     // drawing scale, also the walking speed in pixels per frame
    std::string spider_SizeY;     // vertical drawing scale
    int boost_rnd = 0;            // 1 in boost_rnd walks is a sprint; 0 never
    std::string max_hunger;       // cap of the hunger growth, hunger points per frame
    std::string max_accelerate;   // growth of the hunger growth per frame
    int line = 0;
};

// The level rules as stored in "levels_vars.xml".
struct LevelRules {
    int fly_death_count = 0;      // fly lives: flies that may be eaten (a butterfly costs 2)
    int level_deadline_time = 0;  // tick after which the time bonus shrinks by 2 a tick
    int time_bonus = 0;
    int max_tactic_bonus = 0;
    int max_main_score = 0;
    int one_star_limit = 0;
    int fifve_star_limit = 0;
};

struct LevelSource {
    int number = 0;            // 1..30
    std::string path;          // for messages
    LevelRules rules;
    std::vector<int> weapons;  // starting arsenal, weapon numbers in slot order
    std::array<int, 4> cooling{0, 0, 0, 0};  // cooling module of slots 1..4 (0/1)
    std::vector<SpiderSpec> spiders;
    std::vector<LevelEvent> events;  // in timetable order (stable by tick)
};

// Thrown by the parser; the message starts with "path:line: ".
struct SourceError {
    std::string message;
};

// Parses one source text. `path` is used in messages only. Throws SourceError.
LevelSource ParseLevelSource(const std::string& text, const std::string& path);

// Reads data/levels/level_NN.txt for n; throws SourceError when it cannot be read.
LevelSource LoadLevelSource(const std::string& folder, int number);

// File name of a level's source, "level_07.txt".
std::string SourceFileName(int number);

// Weapon numbers by their source names ("laser" 1 .. "warp" 6); 0 when unknown.
int WeaponNumber(const std::string& name);
const char* WeaponName(int number);

// Points for setting a fly of this kind free (0 for the entrance marker).
int FlyScore(int kind);

}  // namespace levels
