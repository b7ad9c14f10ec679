// wingtron_levels SOURCE_DIR GAME_DIR [MEDIA_DIR]: reads the thirty level sources, checks every
// rule and, only when all levels pass, writes the timetables and tuning documents into the game
// folder. With MEDIA_DIR the flies are checked against the forged front scenery pictures.
#include <cstdio>
#include <vector>

#include "levels/level_check.h"
#include "levels/level_files.h"
#include "levels/level_source.h"

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR GAME_DIR [MEDIA_DIR]\n", argv[0]);
        return 2;
    }
    levels::SceneryCover cover;
    if (argc == 4 && cover.Load(argv[3]) < levels::kSceneryRanges) {
        std::printf("level compiler: some front scenery pictures are missing in %s; "
                    "checking those ranges against outline estimates\n", argv[3]);
    }
    std::vector<levels::LevelSource> campaign;
    int failures = 0;
    for (int n = 1; n <= levels::kLevelCount; ++n) {
        try {
            levels::LevelSource level = levels::LoadLevelSource(argv[1], n);
            if (level.number != n) {
                std::fprintf(stderr, "%s: says 'level %d' but is the source of level %d\n", level.path.c_str(),
                             level.number, n);
                ++failures;
                continue;
            }
            for (const levels::Problem& p : levels::CheckLevel(level, &cover)) {
                std::fprintf(stderr, "%s\n", p.message.c_str());
                ++failures;
            }
            campaign.push_back(std::move(level));
        } catch (const levels::SourceError& e) {
            std::fprintf(stderr, "%s\n", e.message.c_str());
            ++failures;
        }
    }
    if (failures > 0) {
        std::fprintf(stderr, "level validation failed: %d problem(s); no level files written\n", failures);
        return 1;
    }
    std::string error = levels::WriteCampaign(campaign, argv[2]);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
