// The balance run's figures: one record per game the bot played, the table that sums them
// up by level, difficulty and skill, and the star limits suggested from them.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace balance {

struct GameResult {
    int level = 0;
    int difficulty = 1;    // 1 normal, 2 hard
    std::string skill;     // "casual" or "expert"
    int seed = 0;
    std::string outcome;   // "won", "lost" or "open" (not decided within the frame limit)
    long long frames = 0;  // frames from the level's start to its outcome
    int ticks = 0;
    int main_score = 0, tactic_bonus = 0, time_bonus = 0, total = 0, stars = 0;
    int flies_lost = 0, flies_released = 0, shots = 0, overheats = 0;
    double wall_seconds = 0;  // the whole run, start-up included
    long long run_frames = 0; // frames the run presented in all

    double seconds() const { return frames / 60.0; }
    // Game time over wall time for the whole run.
    double speedup() const { return wall_seconds > 0 ? run_frames / 60.0 / wall_seconds : 0; }
};

// Reads the JSON line the game prints for a level its bot decided; nullopt when the text
// holds none.
std::optional<GameResult> ParseGameLine(const std::string& text);

struct Group {
    int level = 0, difficulty = 1;
    std::string skill;
    int games = 0, wins = 0;
    double main_score = 0, tactic_bonus = 0, time_bonus = 0, total = 0, stars = 0;  // means over won games
    double seconds = 0;      // mean level length over decided games
    double flies_lost = 0;   // mean over all games
    int min_total = 0, median_total = 0;  // over won games; of an even count the upper median
    double win_rate() const { return games ? 100.0 * wins / games : 0; }
};

using GroupKey = std::tuple<int, int, std::string>;  // level, difficulty, skill
std::map<GroupKey, Group> Summarise(const std::vector<GameResult>& games);

// The limits the level's rules should carry: five stars at the expert's lowest winning total
// on normal, one star placed so that the casual player's median total sits on three stars.
struct StarLimits {
    int level = 0;
    int one = 0, five = 0;
};
std::optional<StarLimits> SuggestStarLimits(const std::map<GroupKey, Group>& groups, int level);

void WriteCsv(std::ostream& out, const std::vector<GameResult>& games);
void WriteMarkdown(std::ostream& out, const std::vector<GameResult>& games, const std::map<GroupKey, Group>& groups);

// Rewrites the "one_star" and "five_star" lines of a level source; false when it has none.
bool WriteStarLimits(const std::string& source_path, const StarLimits& limits);

}  // namespace balance
