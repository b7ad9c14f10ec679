// The scripted runner.
#include "shell/runner.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <utility>

#include "platform/draw_trace.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "shell/bot_player.h"
#include "shell/main_loop.h"
#include "shell/state_dump.h"

const char* const kUsage =
    "usage: wingtron [options]\n"
    "  --headless              no window, no GL, no audio device; draws are recorded\n"
    "  --data DIR              folder holding media, sounds, music, ambient, Levels, levels\n"
    "  --profiles DIR          folder for profiles, high scores and configuration\n"
    "  --seed N                use N wherever the game seeds its random numbers from the clock\n"
    "  --input FILE            replay a frame-stamped input script\n"
    "  --record FILE           write every input event of the run as an input script\n"
    "  --autoplay casual|expert  a bot plays through the pointer, buttons and keys: the\n"
    "                          level given by --level, or else the whole game from the menus\n"
    "  --name NAME             the name the bot types on a first start (default BOT)\n"

    "  --frames N              stop after N presented frames (exit code 0)\n"
    "  --dump FILE             write state snapshots (JSON array) ...\n"
    "  --dump-at LIST          ... at these frames, e.g. 200,400,1000-1200\n"
    "  --trace-draws LIST:FILE write the draw calls of these frames as JSON lines\n"
    "  --screenshot F:FILE     save frame F as a 1024 x 768 PNG (real backend)\n"
    "  --level N               skip the menu and start level N (1..30)\n"
    "  --difficulty 1|2        difficulty for --level, or the bot's new game (1 normal, 2 hard)\n"
    "  --windowed, --fullscreen  override the configured screen mode\n"
    "  --help                  show this text\n"
    "  --version               print the version and exit\n";

namespace {

int64_t parse_int(const std::string& text, const std::string& what)
{
    int64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError("wingtron: " + what + " expects a number, got '" + text + "'");
    return v;
}

// Splits "F:FILE" at the first colon.
std::pair<std::string, std::string> split_spec(const std::string& text, const std::string& flag)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
        throw UsageError("wingtron: " + flag + " expects LIST:FILE, got '" + text + "'");
    return {text.substr(0, colon), text.substr(colon + 1)};
}

struct RunState {
    RunOptions options;
    int32_t seed = 0;  // the seed the run uses (given, or the clock's)
    std::ofstream dump;
    bool dump_started = false;
    std::ofstream trace;
    int levels_lost = 0;  // levels the bot lost and played again
};
std::unique_ptr<RunState> g_run;
BotPlayer g_bot;

void on_frame(int64_t frame)
{
    RunState& r = *g_run;
    if (r.dump.is_open() && r.options.dump_at.contains(frame)) {
        r.dump << (r.dump_started ? ",\n" : "[\n") << dump_text(dump_state(frame));
        r.dump_started = true;
    }
    if (r.trace.is_open() && r.options.trace_at.contains(frame)) {
        for (const DrawRecord& d : TracedDraws()) {
            nlohmann::json j {{"f", frame},           {"op", d.op},       {"image", d.image}, {"frame", d.frame},
                              {"quad", d.quad},       {"color", d.color}, {"alpha", d.alpha}, {"blend", d.blend}};
            r.trace << dump_text(j) << '\n';
        }
    }
    if (frame == r.options.screenshot_frame) {
        Pixmap shot;
        if (!ReadScreen(shot) || !SavePng(r.options.screenshot_file, shot))
            std::fprintf(stderr, "wingtron: could not save the screenshot %s\n", r.options.screenshot_file.c_str());
    }
}

// One line of JSON per level the bot decided; a run started on a level ends with it.
void report_level(const BotLevelResult& r)
{
    const RunOptions& o = g_run->options;
    nlohmann::json j {{"level", r.level},
                      {"difficulty", r.difficulty},
                      {"skill", o.autoplay == 2 ? "expert" : "casual"},
                      {"seed", g_run->seed},
                      {"outcome", r.outcome == 1 ? "won" : "lost"},
                      {"frames", r.frames},
                      {"ticks", r.ticks},
                      {"main_score", r.main_score},
                      {"tactic_bonus", r.tactic_bonus},
                      {"time_bonus", r.time_bonus_left},
                      {"total", r.total},
                      {"stars", r.stars},
                      {"flies_lost", r.flies_lost},
                      {"flies_released", r.flies_released},
                      {"shots", r.shots},
                      {"overheats", r.overheats},
                      {"run_frames", FrameCount()}};
    std::printf("%s\n", j.dump().c_str());
    std::fflush(stdout);
    if (r.outcome != 1)
        ++g_run->levels_lost;
    if (o.overrides.level > 0)
        end_program(r.outcome == 1 ? 0 : kExitLevelLost);
}

// The last line of a whole campaign played by the bot, as its final results showed it.
void report_campaign(const BotCampaignResult& r)
{
    const RunOptions& o = g_run->options;
    nlohmann::json j {{"campaign", "finished"},
                      {"skill", o.autoplay == 2 ? "expert" : "casual"},
                      {"difficulty", r.difficulty},
                      {"seed", g_run->seed},
                      {"profile_score", r.profile_score},
                      {"profile_stars", r.profile_stars},
                      {"total", r.total},
                      {"trophy", r.trophy},
                      {"levels_lost", g_run->levels_lost},
                      {"frames", FrameCount()}};
    std::printf("%s\n", j.dump().c_str());
    std::fflush(stdout);
}

void after_present(int64_t presented)
{
    if (g_run->options.frames >= 0 && presented >= g_run->options.frames)
        end_program(0);
}

}  // namespace

void SetBotPlayer(BotPlayer bot) { g_bot = std::move(bot); }

FrameSet FrameSet::Parse(const std::string& text)
{
    FrameSet set;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.empty())
            throw UsageError("wingtron: empty entry in the frame list '" + text + "'");
        size_t dash = item.find('-', 1);
        int64_t a = parse_int(item.substr(0, dash), "a frame list");
        int64_t b = dash == std::string::npos ? a : parse_int(item.substr(dash + 1), "a frame list");
        if (a < 0 || b < a)
            throw UsageError("wingtron: bad frame range '" + item + "'");
        set.ranges_.push_back({a, b});
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return set;
}

bool FrameSet::contains(int64_t frame) const
{
    for (auto [a, b] : ranges_) {
        if (frame >= a && frame <= b)
            return true;
    }
    return false;
}

RunOptions ParseOptions(const std::vector<std::string>& args)
{
    RunOptions o;
    std::string trace_spec;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError("wingtron: " + a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--headless")
            o.headless = true;
        else if (a == "--data")
            o.data_dir = value();
        else if (a == "--profiles")
            o.profiles_dir = value();
        else if (a == "--seed") {
            o.seed_given = true;
            o.seed = static_cast<int32_t>(parse_int(value(), "--seed"));
        } else if (a == "--input")
            o.input_file = value();
        else if (a == "--record")
            o.record_file = value();
        else if (a == "--autoplay") {
            const std::string& skill = value();
            if (skill == "casual")
                o.autoplay = 1;
            else if (skill == "expert")
                o.autoplay = 2;
            else
                throw UsageError("wingtron: --autoplay expects casual or expert, got '" + skill + "'");
        }

        else if (a == "--frames") {
            o.frames = parse_int(value(), "--frames");
            if (o.frames < 0)
                throw UsageError("wingtron: --frames must not be negative");
        } else if (a == "--dump")
            o.dump_file = value();
        else if (a == "--dump-at")
            o.dump_at = FrameSet::Parse(value());
        else if (a == "--trace-draws") {
            auto [list, file] = split_spec(value(), a);
            o.trace_at = FrameSet::Parse(list);
            o.trace_file = file;
        } else if (a == "--screenshot") {
            auto [frame, file] = split_spec(value(), a);
            o.screenshot_frame = parse_int(frame, "--screenshot");
            o.screenshot_file = file;
        } else if (a == "--level") {
            int64_t level = parse_int(value(), "--level");
            if (level < 1 || level > 30)
                throw UsageError("wingtron: --level must be 1..30");
            o.overrides.level = static_cast<int>(level);
        } else if (a == "--difficulty") {
            const std::string& text = value();
            int64_t d = text == "normal" ? 1 : text == "hard" ? 2 : parse_int(text, "--difficulty");
            if (d != 1 && d != 2)
                throw UsageError("wingtron: --difficulty must be 1 or 2");
            o.overrides.difficulty = static_cast<int>(d);
        } else if (a == "--name") {
            o.bot_name = value();
            if (o.bot_name.empty())
                throw UsageError("wingtron: --name needs a name");
        } else if (a == "--windowed")
            o.overrides.screen_mode = 1;
        else if (a == "--fullscreen")
            o.overrides.screen_mode = 2;
        else
            throw UsageError("wingtron: unknown option '" + a + "'");
    }
    if (o.dump_file.empty() != o.dump_at.empty())
        throw UsageError("wingtron: --dump and --dump-at go together");
    if (o.headless && o.screenshot_frame >= 0)
        throw UsageError("wingtron: --screenshot needs the real backend (drop --headless)");
    return o;
}

void BeginRun(const RunOptions& options)
{
    g_run = std::make_unique<RunState>();
    g_run->options = options;
    if (!options.data_dir.empty())
        SetDataFolder(options.data_dir);
    if (!options.profiles_dir.empty())
        SetProfilesFolder(options.profiles_dir);
    // A recorded run must replay with the seed it ran on: without --seed it keeps the one
    // the clock gives now and names it in the record.
    int32_t seed = options.seed_given ? options.seed : ClockSeed();
    g_run->seed = seed;
    SetFixedSeed(options.seed_given || !options.record_file.empty(), seed);
    if (!options.input_file.empty()) {
        std::ifstream in(options.input_file, std::ios::binary);
        if (!in)
            throw std::runtime_error("Cannot read the input script \"" + options.input_file + "\"");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SetInputScript(ParseInputScript(text, options.input_file));
    }
    if (!options.dump_file.empty()) {
        g_run->dump.open(options.dump_file, std::ios::binary);
        if (!g_run->dump)
            throw std::runtime_error("Cannot write the dump file \"" + options.dump_file + "\"");
    }
    if (!options.trace_file.empty()) {
        g_run->trace.open(options.trace_file, std::ios::binary);
        if (!g_run->trace)
            throw std::runtime_error("Cannot write the trace file \"" + options.trace_file + "\"");
        SetDrawTraceActive(true);
    }
    if (!options.record_file.empty()) {
        std::string replay = "wingtron --seed " + std::to_string(seed);
        if (options.overrides.level > 0) {
            replay += " --level " + std::to_string(options.overrides.level);
            if (options.overrides.difficulty > 0)
                replay += " --difficulty " + std::to_string(options.overrides.difficulty);
        }
        BeginInputRecord(options.record_file,
                         {"Wingtron input record: every event of the run, stamped with its frame.",
                          "Replay: " + replay + " --input " + options.record_file});
    }
    if (options.autoplay != 0) {
        if (!g_bot.start)
            throw std::runtime_error("This build of the game has no autoplay bot");
        BotOptions bot;
        bot.skill = options.autoplay == 2 ? BotSkill::Expert : BotSkill::Casual;
        bot.seed = static_cast<uint32_t>(seed);
        bot.name = options.bot_name;
        bot.difficulty = options.overrides.difficulty > 0 ? options.overrides.difficulty : 1;
        bot.on_level_end = report_level;
        bot.on_campaign_end = report_campaign;
        g_bot.start(bot);
    }
    SetFrameHook(on_frame);
    SetPresentedHook(after_present);
}

void EndRun()
{
    if (!g_run)
        return;
    if (g_run->dump.is_open()) {
        g_run->dump << (g_run->dump_started ? "\n]\n" : "[]\n");
        g_run->dump.close();
    }
    if (g_run->trace.is_open())
        g_run->trace.close();
    // A replay given the same frame count stops where the recorded run did.
    EndInputRecord({"The run ended after " + std::to_string(FrameCount()) + " presented frames (--frames "
                    + std::to_string(FrameCount()) + " stops a replay there)."});
    if (g_bot.stop)
        g_bot.stop();
    SetFrameHook(nullptr);
    SetPresentedHook(nullptr);
}
