// Validator of campaign levels: rejects a level the game could not play as designed
// (events that never fire, flies that cannot be aimed at, broken arsenals, tutorial misfits).
#pragma once

#include <string>
#include <vector>

#include "levels/level_source.h"
#include "levels/scenery_cover.h"

namespace levels {

// One broken rule. `rule` is a short stable name ("play-circle"); `message` names the level,
// the source line where there is one, and what is wrong.
struct Problem {
    std::string rule;
    std::string message;
};

// `cover`, when given and holding the level's scenery mask, checks flies against the forged
// front pictures; otherwise against outline estimates of them.
std::vector<Problem> CheckLevel(const LevelSource& level, const SceneryCover* cover = nullptr);

// Spiders the game creates on a level: 2 on levels 22-24 and 26-30, else 1.
int SpiderCount(int level);

// Frames a spider needs to go from hunger 0 to `hunger` when its hunger growth starts at 0,
// grows by `accel` a frame and is capped at `cap` (both > 0).
double FramesToHunger(double hunger, double accel, double cap);

// Frame (from level start) at which a spider reaches its entrance marker and starts to hunger,
// or -1 when the level has no marker for it. `index` is 0 for the first spider.
double SpiderEntryFrame(const LevelSource& level, int index);

// Sum of the points of the level's flies when all are set free.
int FliesScore(const LevelSource& level);

}  // namespace levels
