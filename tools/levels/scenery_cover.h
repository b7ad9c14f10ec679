// Where the front scenery hides the web: a screen-sized mask per scenery range, built from the
// forged front pictures (opaque pixels) placed as the level loader places them, plus the robot.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace levels {

struct Rect {
    int x0, y0, x1, y1;  // screen pixels, x1/y1 exclusive
};

// One front picture of a scenery range and where the level loader draws it.
struct FrontPiece {
    const char* file;
    int x, y;
};

// Scenery ranges: levels 1-4, 5-9, 10-14, 15-19, 20-24, 25 and above.
constexpr int kSceneryRanges = 6;
int SceneryRange(int level);
const std::vector<FrontPiece>& FrontPieces(int range);

// The robot resting on its branch at (332, 617), 145 x 100, drawn after the flies.
constexpr Rect kRobotBox = {332, 617, 477, 717};

class SceneryCover {
public:
    // Loads the front pictures of every range from `media_dir`. A range whose pictures cannot all
    // be read keeps no mask (callers then fall back to the outline estimates). Returns the
    // number of ranges with a mask.
    int Load(const std::string& media_dir);

    bool HasMask(int range) const { return !masks_[range].empty(); }
    // Share (0..1) of the rectangle's pixels hidden by the range's front pictures or the robot.
    double Hidden(int range, const Rect& r) const;

private:
    std::array<std::vector<unsigned char>, kSceneryRanges> masks_;  // 1024 x 768, 1 = hidden
};

// Outline estimates of the areas the front pieces of a range may cover, used without pictures.
std::vector<Rect> FrontOutlines(int range);

}  // namespace levels
