// Byte-exact writers of the level files the game reads at level start.
#include "levels/level_files.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace levels {
namespace {

void PutLong(std::string& out, int64_t value)
{
    uint64_t v = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A tiny element tree, written the way the game's XML store writes its text form.
struct Element {
    std::string name;
    std::string value;
    std::vector<Element> children;

    Element& add(const std::string& child_name, const std::string& child_value = "")
    {
        children.push_back({child_name, child_value, {}});
        return children.back();
    }
};

std::string Escape(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "&quot;"; break;
        case '&': out += "&amp;"; break;
        case '\'': out += "&apos;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default:
            if (c < 32 || c > 126) {
                out += "&#" + std::to_string(c) + ";";
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    return out;
}

void WriteElement(const Element& e, int level, std::string& out)
{
    std::string indent(2 * level, ' ');
    if (!e.children.empty()) {
        out += indent + "<" + e.name + ">\r\n";
        if (!e.value.empty()) out += std::string(2 * level + 2, ' ') + Escape(e.value) + "\r\n";
        for (const Element& c : e.children) WriteElement(c, level + 1, out);
        out += indent + "</" + e.name + ">\r\n";
    } else if (!e.value.empty()) {
        out += indent + "<" + e.name + ">" + Escape(e.value) + "</" + e.name + ">\r\n";
    } else {
        out += indent + "<" + e.name + "/>\r\n";
    }
}

std::string Document(const Element& root)
{
    std::string out = "<?xml version=\"1.0\"?>\r\n";
    WriteElement(root, 0, out);
    return out;
}

std::string LevelName(int number) { return "level_" + std::to_string(number); }

void AddSpider(Element& parent, const SpiderSpec& s)
{
    parent.add("spider_x", std::to_string(s.spider_x));
    parent.add("spider_y", std::to_string(s.spider_y));
    parent.add("angel", std::to_string(s.angel));
    parent.add("spider_SizeX", s.spider_SizeX);
    parent.add("spider_SizeY", s.spider_SizeY);
    parent.add("boost_rnd", std::to_string(s.boost_rnd));
    parent.add("max_hunger", s.max_hunger);
    parent.add("max_accelerate", s.max_accelerate);
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    return !ec;
}

}  // namespace

std::string TimetableBytes(const LevelSource& level)
{
    std::string out;
    PutLong(out, static_cast<int64_t>(level.events.size()));
    for (const LevelEvent& e : level.events) {
        out += e.type_of_event + "\r\n";
        for (int v : {e.time, e.x, e.y, e.item_type, e.fly_time}) PutLong(out, v);
    }
    return out;
}

std::string SpidersXml(const std::vector<LevelSource>& campaign)
{
    Element root{"spiders", "", {}};
    for (const LevelSource& level : campaign) {
        Element& l = root.add(LevelName(level.number));
        if (!level.spiders.empty()) AddSpider(l, level.spiders[0]);
        if (level.spiders.size() > 1) AddSpider(l.add("spider2"), level.spiders[1]);
    }
    return Document(root);
}

std::string LevelsVarsXml(const std::vector<LevelSource>& campaign)
{
    Element root{"levels", "", {}};
    for (const LevelSource& level : campaign) {
        const LevelRules& r = level.rules;
        Element& l = root.add(LevelName(level.number));
        l.add("fly_death_count", std::to_string(r.fly_death_count));
        l.add("level_deadline_time", std::to_string(r.level_deadline_time));
        l.add("time_bonus", std::to_string(r.time_bonus));
        l.add("max_tactic_bonus", std::to_string(r.max_tactic_bonus));
        l.add("max_main_score", std::to_string(r.max_main_score));
        l.add("one_star_limit", std::to_string(r.one_star_limit));
        l.add("fifve_star_limit", std::to_string(r.fifve_star_limit));
    }
    return Document(root);
}

std::string WeaponVarsXml(const std::vector<LevelSource>& campaign)
{
    Element root{"weapons", "", {}};
    for (const LevelSource& level : campaign) {
        Element& l = root.add(LevelName(level.number));
        for (size_t i = 0; i < level.weapons.size(); ++i) {
            l.add("weapon_" + std::to_string(i + 1), std::to_string(level.weapons[i]));
        }
        // The loader counts every child but this one as a weapon entry, so it is always written.
        Element& cool = l.add("cool_node");
        for (int i = 0; i < 4; ++i) cool.add("cooling_" + std::to_string(i + 1), std::to_string(level.cooling[i]));
    }
    return Document(root);
}

std::string WriteCampaign(const std::vector<LevelSource>& campaign, const std::string& game_dir)
{
    namespace fs = std::filesystem;
    fs::path base(game_dir);
    std::error_code ec;
    fs::create_directories(base / "Levels", ec);
    fs::create_directories(base / "levels", ec);
    for (const LevelSource& level : campaign) {
        fs::path p = base / "Levels" / ("Level_" + std::to_string(level.number) + ".dat");
        if (!WriteFileAtomically(p, TimetableBytes(level))) return "cannot write " + p.string();
    }
    const std::pair<const char*, std::string> docs[] = {
        {"Spiders.xml", SpidersXml(campaign)},
        {"levels_vars.xml", LevelsVarsXml(campaign)},
        {"weapon_vars.xml", WeaponVarsXml(campaign)},
    };
    for (const auto& [name, text] : docs) {
        fs::path p = base / "levels" / name;
        if (!WriteFileAtomically(p, text)) return "cannot write " + p.string();
    }
    return "";
}

}  // namespace levels
