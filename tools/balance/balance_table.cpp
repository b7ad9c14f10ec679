// Sums up the bot's games and writes the balance table.
#include "balance/balance_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <sstream>

#include <nlohmann/json.hpp>

namespace balance {

std::optional<GameResult> ParseGameLine(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    std::optional<GameResult> found;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] != '{')
            continue;
        nlohmann::json j = nlohmann::json::parse(line, nullptr, false);
        if (j.is_discarded() || !j.contains("outcome") || !j.contains("level"))
            continue;
        GameResult r;
        auto get = [&](const char* key, auto& field) {
            if (j.contains(key))
                j.at(key).get_to(field);
        };
        get("level", r.level);
        get("difficulty", r.difficulty);
        get("skill", r.skill);
        get("seed", r.seed);
        get("outcome", r.outcome);
        get("frames", r.frames);
        get("ticks", r.ticks);
        get("main_score", r.main_score);
        get("tactic_bonus", r.tactic_bonus);
        get("time_bonus", r.time_bonus);
        get("total", r.total);
        get("stars", r.stars);
        get("flies_lost", r.flies_lost);
        get("flies_released", r.flies_released);
        get("shots", r.shots);
        get("overheats", r.overheats);
        get("run_frames", r.run_frames);
        found = r;
    }
    return found;
}

std::map<GroupKey, Group> Summarise(const std::vector<GameResult>& games)
{
    std::map<GroupKey, Group> groups;
    std::map<GroupKey, std::vector<int>> totals;
    std::map<GroupKey, int> decided;
    for (const GameResult& g : games) {
        GroupKey key {g.level, g.difficulty, g.skill};
        Group& s = groups[key];
        s.level = g.level;
        s.difficulty = g.difficulty;
        s.skill = g.skill;
        ++s.games;
        s.flies_lost += g.flies_lost;
        if (g.outcome != "open") {
            s.seconds += g.seconds();
            ++decided[key];
        }
        if (g.outcome == "won") {
            ++s.wins;
            s.main_score += g.main_score;
            s.tactic_bonus += g.tactic_bonus;
            s.time_bonus += g.time_bonus;
            s.total += g.total;
            s.stars += g.stars;
            totals[key].push_back(g.total);
        }
    }
    for (auto& [key, s] : groups) {
        if (s.wins > 0) {
            s.main_score /= s.wins;
            s.tactic_bonus /= s.wins;
            s.time_bonus /= s.wins;
            s.total /= s.wins;
            s.stars /= s.wins;
            std::vector<int>& t = totals[key];
            std::sort(t.begin(), t.end());
            s.min_total = t.front();
            s.median_total = t[t.size() / 2];
        }
        if (decided[key] > 0)
            s.seconds /= decided[key];
        s.flies_lost /= s.games;
    }
    return groups;
}

std::optional<StarLimits> SuggestStarLimits(const std::map<GroupKey, Group>& groups, int level)
{
    auto expert = groups.find({level, 1, "expert"});
    auto casual = groups.find({level, 1, "casual"});
    if (expert == groups.end() || expert->second.wins == 0)
        return std::nullopt;
    StarLimits l;
    l.level = level;
    // Round down to 5 so that at least half the expert's wins earn the fifth star: its weakest
    // win may be one in which the spiders got several flies, which an expert seldom allows.
    l.five = std::max(15, expert->second.median_total / 5 * 5);
    int median = casual != groups.end() && casual->second.wins > 0 ? casual->second.median_total : l.five / 2;
    // Three stars start at one + (five - one) / 2: put the casual median there.
    int one = 2 * median - l.five;
    // One star asks for at least 30 % of five, so that a win in which the spiders took
    // most of the lives is not worth one; the casual median then earns two stars. The
    // level compiler wants one star at least 1 and five stars at least 4 above it.
    one = std::clamp(one, std::max(5, l.five * 3 / 10), std::max(5, std::min(median, l.five) - 10));
    l.one = std::max(5, one / 5 * 5);
    return l;
}

void WriteCsv(std::ostream& out, const std::vector<GameResult>& games)
{
    out << "level,difficulty,skill,seed,outcome,frames,seconds,ticks,main_score,time_bonus,tactic_bonus,total,stars,"
           "flies_lost,flies_released,shots,overheats,wall_seconds,speedup\n";
    for (const GameResult& g : games) {
        char line[512];
        std::snprintf(line, sizeof line, "%d,%d,%s,%d,%s,%lld,%.2f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%.3f,%.0f\n", g.level,
                      g.difficulty, g.skill.c_str(), g.seed, g.outcome.c_str(), g.frames, g.seconds(), g.ticks,
                      g.main_score, g.time_bonus, g.tactic_bonus, g.total, g.stars, g.flies_lost, g.flies_released,
                      g.shots, g.overheats, g.wall_seconds, g.speedup());
        out << line;
    }
}

void WriteMarkdown(std::ostream& out, const std::vector<GameResult>& games, const std::map<GroupKey, Group>& groups)
{
    out << "# Balance run\n\n";
    double wall = 0, game_time = 0, slowest = 1e18;
    for (const GameResult& g : games) {
        wall += g.wall_seconds;
        game_time += g.run_frames / 60.0;
        if (g.speedup() > 0)
            slowest = std::min(slowest, g.speedup());
    }
    char line[512];
    std::snprintf(line, sizeof line,
                  "%zu games; %.0f s of game time played in %.1f s of process time: %.0fx real time "
                  "(slowest game %.0fx), start-up included.\n\n",
                  games.size(), game_time, wall, wall > 0 ? game_time / wall : 0, games.empty() ? 0 : slowest);
    out << line;
    out << "Score parts, total and stars are means over won games; length is the mean over decided games.\n";
    out << "\n";
    out << "| level | difficulty | skill | games | won | win rate | main | time | tactic | total | stars | length (s) | lives lost |\n";
    out << "|---:|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& [key, s] : groups) {
        std::snprintf(line, sizeof line, "| %d | %s | %s | %d | %d | %.0f%% | %.0f | %.0f | %.0f | %.0f | %.1f | %.0f | %.1f |\n",
                      s.level, s.difficulty == 2 ? "hard" : "normal", s.skill.c_str(), s.games, s.wins, s.win_rate(),
                      s.main_score, s.time_bonus, s.tactic_bonus, s.total, s.stars, s.seconds, s.flies_lost);
        out << line;
    }
    // What the campaign promises: the casual player wins every level on normal, the expert every level on hard.
    std::vector<std::string> misses;
    for (const auto& [key, s] : groups) {
        bool required = (s.skill == "casual" && s.difficulty == 1) || s.skill == "expert";
        if (required && s.wins < s.games) {
            std::snprintf(line, sizeof line, "level %d %s %s won %d of %d", s.level, s.difficulty == 2 ? "hard" : "normal",
                          s.skill.c_str(), s.wins, s.games);
            misses.push_back(line);
        }
    }
    out << "\n## Winnability\n\n";
    if (misses.empty())
        out << "Every game the expert played and every game the casual player played on normal was won.\n";
    for (const std::string& m : misses)
        out << "- " << m << "\n";
    out << "\n## Star limits suggested by these games\n\n"
           "Five stars at the expert's median winning total on normal (the upper one of an even count); one "
           "star placed so that the casual player's median total on normal earns three, but at least 30 % of "
           "five.\n\n";
    out << "| level | one star | five stars | expert median | casual median |\n|---:|---:|---:|---:|---:|\n";
    std::vector<int> levels;
    for (const auto& [key, s] : groups)
        if (levels.empty() || levels.back() != s.level)
            levels.push_back(s.level);
    for (int level : levels) {
        auto limits = SuggestStarLimits(groups, level);
        if (!limits)
            continue;
        auto e = groups.find({level, 1, "expert"});
        auto c = groups.find({level, 1, "casual"});
        std::snprintf(line, sizeof line, "| %d | %d | %d | %d | %s |\n", level, limits->one, limits->five,
                      e->second.median_total,
                      c != groups.end() && c->second.wins ? std::to_string(c->second.median_total).c_str() : "-");
        out << line;
    }
}

bool WriteStarLimits(const std::string& source_path, const StarLimits& limits)
{
    std::ifstream in(source_path);
    if (!in)
        return false;
    std::ostringstream out;
    std::string line;
    bool one = false, five = false;
    while (std::getline(in, line)) {
        std::string word = line.substr(0, line.find_first_of(" \t"));
        std::string comment;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            comment = " " + line.substr(hash);
        if (word == "one_star") {
            line = "one_star " + std::to_string(limits.one) + comment;
            one = true;
        } else if (word == "five_star") {
            line = "five_star " + std::to_string(limits.five) + comment;
            five = true;
        }
        out << line << '\n';
    }
    in.close();
    if (!one || !five)
        return false;
    std::ofstream rewrite(source_path, std::ios::trunc);
    rewrite << out.str();
    return static_cast<bool>(rewrite);
}

}  // namespace balance
