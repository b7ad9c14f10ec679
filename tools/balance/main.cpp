// The balance run: the autoplay bot plays every asked-for level on each difficulty with each
// skill and several seeds, each game a headless run of the game itself, two at a time; the
// games' own reports become a CSV table, a Markdown summary and PNG charts.
//
//   wingtron_balance --game build/game/wingtron --out build/balance
//       [--data DIR] [--levels 1-30] [--difficulties 1,2] [--skills casual,expert]
//       [--seeds 3] [--jobs 2] [--max-frames 60000] [--require-expert-wins]
//       [--require-expert-win-per-level] [--write-stars data/levels]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>

#include "balance/balance_plots.h"
#include "balance/balance_table.h"

namespace fs = std::filesystem;
using namespace balance;

namespace {

struct Options {
    std::string game, data, out = "balance";
    std::vector<int> levels, difficulties {1, 2};
    std::vector<std::string> skills {"casual", "expert"};
    int seeds = 3, jobs = 2;
    long long max_frames = 60000;
    bool require_expert_wins = false;
    bool require_win_per_level = false;  // each level and difficulty: one expert win among the seeds
    std::string write_stars;
};

[[noreturn]] void usage(const std::string& why)
{
    std::fprintf(stderr,
                 "wingtron_balance: %s\n"
                 "usage: wingtron_balance --game PATH [--data DIR] [--out DIR] [--levels LIST] [--difficulties 1,2]\n"
                 "       [--skills casual,expert] [--seeds N] [--jobs N] [--max-frames N] [--require-expert-wins]\n"
                 "       [--require-expert-win-per-level] [--write-stars LEVEL_SOURCE_DIR]\n",
                 why.c_str());
    std::exit(2);
}

int to_int(const std::string& s)
{
    try {
        size_t used = 0;
        int v = std::stoi(s, &used);
        if (used != s.size())
            throw std::invalid_argument(s);
        return v;
    } catch (const std::exception&) {
        usage("not a number: '" + s + "'");
    }
}

// "1-5,9" -> 1 2 3 4 5 9
std::vector<int> int_list(const std::string& text)
{
    std::vector<int> out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t dash = item.find('-', 1);
        int a = to_int(item.substr(0, dash));
        int b = dash == std::string::npos ? a : to_int(item.substr(dash + 1));
        for (int v = a; v <= b; ++v)
            out.push_back(v);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

std::vector<std::string> word_list(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        out.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usage(a + " needs a value");
            return argv[++i];
        };
        if (a == "--game")
            o.game = value();
        else if (a == "--data")
            o.data = value();
        else if (a == "--out")
            o.out = value();
        else if (a == "--levels")
            o.levels = int_list(value());
        else if (a == "--difficulties")
            o.difficulties = int_list(value());
        else if (a == "--skills")
            o.skills = word_list(value());
        else if (a == "--seeds")
            o.seeds = to_int(value());
        else if (a == "--jobs")
            o.jobs = to_int(value());
        else if (a == "--max-frames")
            o.max_frames = to_int(value());
        else if (a == "--require-expert-wins")
            o.require_expert_wins = true;
        else if (a == "--require-expert-win-per-level")
            o.require_win_per_level = true;
        else if (a == "--write-stars")
            o.write_stars = value();
        else
            usage("unknown option '" + a + "'");
    }
    if (o.game.empty())
        usage("--game is required");
    if (o.levels.empty())
        o.levels = int_list("1-30");
    for (int l : o.levels)
        if (l < 1 || l > 30)
            usage("levels run 1..30");
    for (int d : o.difficulties)
        if (d != 1 && d != 2)
            usage("difficulties are 1 and 2");
    for (const std::string& s : o.skills)
        if (s != "casual" && s != "expert")
            usage("skills are casual and expert");
    if (o.seeds < 1 || o.jobs < 1)
        usage("--seeds and --jobs must be at least 1");
    return o;
}

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Job {
    int level, difficulty, seed;
    std::string skill;
};

// Plays one game in its own process and reads its report.
GameResult play(const Options& o, const Job& job, const fs::path& scratch)
{
    fs::path profiles = scratch / ("profiles-" + std::to_string(job.level) + "-" + std::to_string(job.difficulty) + "-"
                                   + job.skill + "-" + std::to_string(job.seed));
    std::string cmd = quote(o.game) + " --headless --level " + std::to_string(job.level) + " --difficulty "
                      + std::to_string(job.difficulty) + " --seed " + std::to_string(job.seed) + " --autoplay "
                      + job.skill + " --frames " + std::to_string(o.max_frames) + " --profiles "
                      + quote(profiles.string());
    if (!o.data.empty())
        cmd += " --data " + quote(o.data);
    cmd += " 2>&1";
    auto start = std::chrono::steady_clock::now();
    std::string text;
    int status = -1;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        status = pclose(p);
    }
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fs::remove_all(profiles);

    GameResult r;
    if (auto parsed = ParseGameLine(text)) {
        r = *parsed;
    } else {
        r.outcome = "open";  // the frame limit came first
        r.run_frames = o.max_frames;
    }
    r.level = job.level;
    r.difficulty = job.difficulty;
    r.skill = job.skill;
    r.seed = job.seed;
    r.wall_seconds = wall;
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code != 0 && code != 3)
        std::fprintf(stderr, "level %d difficulty %d %s seed %d: the game failed (status %d):\n%s\n", job.level,
                     job.difficulty, job.skill.c_str(), job.seed, status, text.c_str());
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o = parse(argc, argv);
    fs::create_directories(o.out);
    fs::path scratch = fs::path(o.out) / "scratch";
    fs::create_directories(scratch);

    std::vector<Job> jobs;
    for (int level : o.levels)
        for (int d : o.difficulties)
            for (const std::string& skill : o.skills)
                for (int seed = 1; seed <= o.seeds; ++seed)
                    jobs.push_back({level, d, seed, skill});

    std::vector<GameResult> results(jobs.size());
    std::atomic<size_t> next {0};
    std::mutex print;
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (int w = 0; w < o.jobs; ++w) {
        workers.emplace_back([&] {
            for (size_t i; (i = next++) < jobs.size();) {
                results[i] = play(o, jobs[i], scratch);
                std::lock_guard<std::mutex> lock(print);
                const GameResult& r = results[i];
                std::printf("level %2d %-6s %-6s seed %d: %-4s %6.1f s, total %4d, %d stars (%.0fx real time)\n", r.level,
                            r.difficulty == 2 ? "hard" : "normal", r.skill.c_str(), r.seed, r.outcome.c_str(),
                            r.seconds(), r.total, r.stars, r.speedup());
                std::fflush(stdout);
            }
        });
    }
    for (std::thread& t : workers)
        t.join();
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fs::remove_all(scratch);

    auto groups = Summarise(results);
    {
        std::ofstream csv(fs::path(o.out) / "balance.csv");
        WriteCsv(csv, results);
        std::ofstream md(fs::path(o.out) / "balance.md");
        WriteMarkdown(md, results, groups);
        md << "\nThe whole run took " << static_cast<int>(wall + 0.5) << " s of wall time with " << o.jobs
           << " games at a time.\n";
    }
    std::vector<std::string> plots = WritePlots(groups, o.out);
    std::printf("%zu games in %.0f s; table in %s/balance.csv and balance.md, %zu charts\n", results.size(), wall,
                o.out.c_str(), plots.size());

    if (!o.write_stars.empty()) {
        for (int level : o.levels) {
            auto limits = SuggestStarLimits(groups, level);
            char name[32];
            std::snprintf(name, sizeof name, "level_%02d.txt", level);
            if (limits && WriteStarLimits((fs::path(o.write_stars) / name).string(), *limits))
                std::printf("level %d: one star %d, five stars %d\n", level, limits->one, limits->five);
        }
    }

    int failures = 0;
    for (const GameResult& r : results) {
        if (o.require_expert_wins && r.skill == "expert" && r.outcome != "won") {
            std::fprintf(stderr, "level %d (%s) was not won by the expert bot with seed %d: %s\n", r.level,
                         r.difficulty == 2 ? "hard" : "normal", r.seed, r.outcome.c_str());
            ++failures;
        }
    }
    if (o.require_win_per_level) {
        for (int level : o.levels) {
            for (int d : o.difficulties) {
                auto g = groups.find({level, d, "expert"});
                if (g == groups.end() || g->second.wins == 0) {
                    std::fprintf(stderr, "level %d (%s) was won by the expert bot with none of its %d seeds\n", level,
                                 d == 2 ? "hard" : "normal", o.seeds);
                    ++failures;
                }
            }
        }
    }
    return failures ? 1 : 0;
}
