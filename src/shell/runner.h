// Command-line options and the scripted, deterministic runner built on them: headless
// play, input scripts, frame limits, state dumps, draw traces and screenshots.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/startup.h"

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Frame numbers and ranges, as in "200,400,1000-1200".
class FrameSet {
public:
    static FrameSet Parse(const std::string& text);  // throws UsageError
    bool contains(int64_t frame) const;
    bool empty() const { return ranges_.empty(); }

private:
    std::vector<std::pair<int64_t, int64_t>> ranges_;
};

struct RunOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::string data_dir;      // "" = the executable's folder
    std::string profiles_dir;  // "" = profiles beside the data
    bool seed_given = false;
    int32_t seed = 0;
    std::string input_file;
    int64_t frames = -1;  // stop after this many presented frames
    std::string dump_file;
    FrameSet dump_at;
    std::string trace_file;
    FrameSet trace_at;
    int64_t screenshot_frame = -1;
    std::string screenshot_file;
    std::string record_file;  // every input event of the run, as an input script
    int autoplay = 0;         // 0 a person plays, 1 the casual bot, 2 the expert bot
    std::string bot_name = "BOT";  // typed by the bot on a first start
    StartupOverrides overrides;
};

extern const char* const kUsage;

// Exit code of a bot run started with --level when the bot lost the level.
constexpr int kExitLevelLost = 3;


RunOptions ParseOptions(const std::vector<std::string>& args);  // throws UsageError

// Sets up the platform side of a run (folders, seed, input script, hooks).
void BeginRun(const RunOptions& options);
// Closes the dump and trace files.
void EndRun();
