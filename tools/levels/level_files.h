// Writers of the game's level files: the binary timetables "Levels/Level_n.dat" and the three
// tuning documents in the XML store's text form (declaration line, CR LF lines, 2-space indents).
#pragma once

#include <string>
#include <vector>

#include "levels/level_source.h"

namespace levels {

// Bytes of "Level_n.dat": an 8-byte little-endian count, then per event its type as a text
// line ended by CR LF and time, x, y, item_type, fly_time as 8-byte little-endian integers.
std::string TimetableBytes(const LevelSource& level);

// The three tuning documents over all levels (index 0 = level 1).
std::string SpidersXml(const std::vector<LevelSource>& campaign);
std::string LevelsVarsXml(const std::vector<LevelSource>& campaign);
std::string WeaponVarsXml(const std::vector<LevelSource>& campaign);

// Writes all thirty timetables and the three documents under `game_dir`
// ("Levels/Level_n.dat", "levels/*.xml"). Returns an empty string or a message on failure.
std::string WriteCampaign(const std::vector<LevelSource>& campaign, const std::string& game_dir);

}  // namespace levels
