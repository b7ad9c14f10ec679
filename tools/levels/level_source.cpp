// Parser of the designer's level sources: one statement per line, '#' starts a comment.
#include "levels/level_source.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "forge/web_geometry.h"

namespace levels {
namespace {

const char* const kWeaponNames[] = {"none", "laser", "bomb", "freeze", "shield", "missile", "warp"};

class LineReader {
public:
    LineReader(std::vector<std::string> words, std::string where)
        : words_(std::move(words)), where_(std::move(where))
    {
    }

    bool done() const { return pos_ >= words_.size(); }
    const std::string& peek() const { return words_[pos_]; }

    std::string word(const char* what)
    {
        if (done()) fail(std::string("expected ") + what);
        return words_[pos_++];
    }

    int integer(const char* what)
    {
        std::string w = word(what);
        errno = 0;
        char* end = nullptr;
        long v = std::strtol(w.c_str(), &end, 10);
        if (end == w.c_str() || *end != '\0' || errno != 0 || v < INT_MIN || v > INT_MAX) {
            fail(std::string("expected a whole number for ") + what + ", found '" + w + "'");
        }
        return static_cast<int>(v);
    }

    // A plain decimal ("0.85", "-2", "0.00003"): kept as text, so the tuning file holds
    // exactly what the designer wrote. No exponent, no leading '+'.
    std::string decimal(const char* what)
    {
        std::string w = word(what);
        size_t i = (w[0] == '-') ? 1 : 0;
        bool digits = false, dot = false, ok = i < w.size();
        for (; i < w.size() && ok; ++i) {
            if (w[i] >= '0' && w[i] <= '9') {
                digits = true;
            } else if (w[i] == '.' && !dot) {
                dot = true;
            } else {
                ok = false;
            }
        }
        if (!ok || !digits) fail(std::string("expected a decimal number for ") + what + ", found '" + w + "'");
        return w;
    }

    void expect_end()
    {
        if (!done()) fail("unexpected '" + words_[pos_] + "'");
    }

    [[noreturn]] void fail(const std::string& message) const { throw SourceError{where_ + ": " + message}; }

private:
    std::vector<std::string> words_;
    std::string where_;
    size_t pos_ = 0;
};

// "s5 r12": the crossing of spoke 5 with capture ring 12, rounded to whole pixels;
// otherwise two whole numbers "x y".
void ParsePosition(LineReader& in, int& x, int& y)
{
    std::string first = in.word("a position (sN rM, or x y)");
    if (first.size() > 1 && first[0] == 's' && first.find_first_not_of("0123456789", 1) == std::string::npos) {
        int spoke = std::atoi(first.c_str() + 1);
        std::string second = in.word("a ring (rM) after the spoke");
        if (second.size() < 2 || second[0] != 'r' ||
            second.find_first_not_of("0123456789", 1) != std::string::npos) {
            in.fail("expected a ring like r12 after '" + first + "', found '" + second + "'");
        }
        int ring = std::atoi(second.c_str() + 1);
        if (spoke >= web_geometry::kSpokeCount) {
            in.fail("the web has spokes s0..s" + std::to_string(web_geometry::kSpokeCount - 1));
        }
        if (ring >= web_geometry::kRingCount) {
            in.fail("the web has rings r0..r" + std::to_string(web_geometry::kRingCount - 1));
        }
        web_geometry::WebPoint p = web_geometry::SpokePoint(spoke, web_geometry::RingRadius(ring));
        x = static_cast<int>(std::lround(p.x));
        y = static_cast<int>(std::lround(p.y));
        return;
    }
    char* end = nullptr;
    long v = std::strtol(first.c_str(), &end, 10);
    if (end == first.c_str() || *end != '\0') in.fail("expected a position (sN rM, or x y), found '" + first + "'");
    x = static_cast<int>(v);
    y = in.integer("the y of the position");
}

SpiderSpec ParseSpider(LineReader& in, int line)
{
    SpiderSpec s;
    s.line = line;
    std::map<std::string, bool> seen;
    bool size_y_given = false;
    while (!in.done()) {
        std::string key = in.word("a spider value");
        if (seen[key]) in.fail("spider value '" + key + "' given twice");
        seen[key] = true;
        if (key == "x") {
            s.spider_x = in.integer("x");
        } else if (key == "y") {
            s.spider_y = in.integer("y");
        } else if (key == "angle") {
            s.angel = in.integer("angle");
        } else if (key == "speed") {
            s.spider_SizeX = in.decimal("speed");
        } else if (key == "size_y") {
            s.spider_SizeY = in.decimal("size_y");
            size_y_given = true;
        } else if (key == "sprint") {
            s.boost_rnd = in.integer("sprint");
        } else if (key == "hunger") {
            s.max_hunger = in.decimal("hunger");
        } else if (key == "accel") {
            s.max_accelerate = in.decimal("accel");
        } else {
            in.fail("unknown spider value '" + key + "' (x y angle speed size_y sprint hunger accel)");
        }
    }
    for (const char* key : {"x", "y", "angle", "speed", "sprint", "hunger", "accel"}) {
        if (!seen[key]) in.fail(std::string("spider value '") + key + "' missing");
    }
    if (!size_y_given) s.spider_SizeY = s.spider_SizeX;
    return s;
}

std::vector<std::string> SplitWords(const std::string& line)
{
    std::string code = line.substr(0, line.find('#'));
    std::istringstream in(code);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

}  // namespace

std::string SourceFileName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "level_%02d.txt", number);
    return name;
}

int WeaponNumber(const std::string& name)
{
    for (int i = 1; i <= 6; ++i) {
        if (name == kWeaponNames[i]) return i;
    }
    return 0;
}

const char* WeaponName(int number) { return number >= 0 && number <= 6 ? kWeaponNames[number] : "?"; }

int FlyScore(int kind)
{
    switch (kind) {
    case kNormalFly: return 15;
    case kKomar: return 5;
    case kButterfly: return 30;
    default: return 0;
    }
}

LevelSource ParseLevelSource(const std::string& text, const std::string& path)
{
    LevelSource level;
    level.path = path;
    std::map<std::string, int*> rule_keys = {
        {"lives", &level.rules.fly_death_count},
        {"deadline", &level.rules.level_deadline_time},
        {"time_bonus", &level.rules.time_bonus},
        {"max_tactic_bonus", &level.rules.max_tactic_bonus},
        {"max_main_score", &level.rules.max_main_score},
        {"one_star", &level.rules.one_star_limit},
        {"five_star", &level.rules.fifve_star_limit},
    };
    std::map<std::string, int> seen;

    std::istringstream lines(text);
    std::string line;
    int line_no = 0;
    while (std::getline(lines, line)) {
        ++line_no;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> words = SplitWords(line);
        if (words.empty()) continue;
        LineReader in(words, path + ":" + std::to_string(line_no));
        std::string head = in.word("a statement");
        bool is_tick = head.find_first_not_of("-0123456789") == std::string::npos;

        if (is_tick) {
            LevelEvent e;
            e.line = line_no;
            e.time = LineReader({head}, path + ":" + std::to_string(line_no)).integer("the tick");
            std::string what = in.word("what arrives (normal komar butterfly entrance special container)");
            if (what == "normal" || what == "komar" || what == "butterfly" || what == "entrance") {
                e.type_of_event = "Fly";
                e.item_type = what == "normal" ? kNormalFly : what == "komar" ? kKomar
                            : what == "butterfly" ? kButterfly : kEntrance;
                ParsePosition(in, e.x, e.y);
            } else if (what == "special") {
                e.type_of_event = "SpecUp";
                std::string weapon = in.word("the weapon the special carries");
                e.item_type = WeaponNumber(weapon);
                if (e.item_type == 0) in.fail("unknown weapon '" + weapon + "' (laser bomb freeze shield missile warp)");
                e.fly_time = in.integer("the special's flight time in frames");
            } else if (what == "container") {
                e.type_of_event = "container";
                e.x = in.integer("the x where the container falls");
                e.fly_time = in.integer("the container's flight time in frames");
            } else {
                in.fail("unknown arrival '" + what + "' (normal komar butterfly entrance special container)");
            }
            in.expect_end();
            level.events.push_back(e);
            continue;
        }

        if (seen.count(head) && head != "spider") {
            in.fail("'" + head + "' already given on line " + std::to_string(seen[head]));
        }
        seen[head] = line_no;
        if (head == "level") {
            level.number = in.integer("the level number");
        } else if (rule_keys.count(head)) {
            *rule_keys[head] = in.integer(head.c_str());
        } else if (head == "arsenal") {
            while (!in.done()) {
                std::string w = in.word("a weapon");
                int n = WeaponNumber(w);
                if (n == 0) in.fail("unknown weapon '" + w + "' (laser bomb freeze shield missile warp)");
                level.weapons.push_back(n);
            }
        } else if (head == "cooling") {
            for (int i = 0; i < 4; ++i) level.cooling[i] = in.integer("the cooling module of each slot (four of 0/1)");
        } else if (head == "spider") {
            level.spiders.push_back(ParseSpider(in, line_no));
        } else {
            in.fail("unknown statement '" + head + "'");
        }
        in.expect_end();
    }

    if (!seen.count("level")) throw SourceError{path + ": the 'level' line is missing"};
    for (const auto& [key, field] : rule_keys) {
        (void)field;
        if (!seen.count(key)) throw SourceError{path + ": the rule '" + key + "' is missing"};
    }
    if (!seen.count("cooling")) throw SourceError{path + ": the 'cooling' line is missing"};
    std::stable_sort(level.events.begin(), level.events.end(),
                     [](const LevelEvent& a, const LevelEvent& b) { return a.time < b.time; });
    return level;
}

LevelSource LoadLevelSource(const std::string& folder, int number)
{
    std::string path = folder + "/" + SourceFileName(number);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError{path + ": cannot be read"};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseLevelSource(text.str(), path);
}

}  // namespace levels
