// Input scripts for the headless runner and end-to-end tests, and the input recorder.
#include "platform/input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/input.h"

std::pair<int, bool> KeyOfCharacter(unsigned char c)
{
    static const std::string kShiftedDigits = ")!@#$%^&*(";  // shift with 0..9
    if (c >= 'a' && c <= 'z') return {c - 'a' + 'A', false};
    if (c >= 'A' && c <= 'Z') return {c, true};
    if (c >= '0' && c <= '9') return {c, false};
    if (c == ' ') return {32, false};
    if (c == '-') return {189, false};
    if (c == '_') return {189, true};
    size_t digit = kShiftedDigits.find(static_cast<char>(c));
    if (digit != std::string::npos) return {static_cast<int>('0' + digit), true};
    return {0, false};
}

namespace {

std::vector<ScriptedEvent> g_events;
size_t g_next = 0;

std::ofstream g_record;

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A whole word as a number within [lo, hi]; false for anything else.
bool parse_number(const std::string& word, long long lo, long long hi, long long& out)
{
    const char* first = word.data();
    const char* last = first + word.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && end == last && first != last && out >= lo && out <= hi;
}

// Mouse button number or key code of a name; false when unknown.
bool parse_target(const std::string& word, bool& mouse, int& code)
{
    std::string w = lower(word);
    mouse = true;
    if (w == "left" || w == "mouse1") return code = 1, true;
    if (w == "right" || w == "mouse2") return code = 2, true;
    if (w == "middle" || w == "mouse3") return code = 3, true;
    mouse = false;
    if (w == "escape" || w == "esc") return code = 27, true;
    if (w == "enter" || w == "return") return code = 13, true;
    if (w == "space") return code = 32, true;
    if (w == "backspace") return code = 8, true;
    if (w == "tab") return code = 9, true;
    if (w == "shift") return code = 160, true;
    if (w == "minus") return code = 189, true;
    if (w.size() == 1 && std::isalnum(static_cast<unsigned char>(w[0])))
        return code = std::toupper(static_cast<unsigned char>(w[0])), true;
    if (!w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        long long v = 0;
        if (!parse_number(w, 0, 255, v))
            return false;
        code = static_cast<int>(v);
        return true;
    }
    return false;
}

std::string target_name(bool mouse, int code)
{
    if (mouse)
        return code == 1 ? "left" : code == 2 ? "right" : "middle";
    switch (code) {
    case 27: return "escape";
    case 13: return "enter";
    case 32: return "space";
    case 8: return "backspace";
    case 9: return "tab";
    case 160: return "shift";
    case 189: return "minus";
    default: break;
    }
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return std::string(1, static_cast<char>(code));
    // A single digit would read back as the digit key.
    return code < 10 ? "0" + std::to_string(code) : std::to_string(code);
}


void type_character(std::vector<ScriptedEvent>& out, long long frame, unsigned char c)
{
    auto [key, shifted] = KeyOfCharacter(c);
    auto push = [&](ScriptedEvent::Kind kind, long long at, int code) {
        ScriptedEvent ev;
        ev.kind = kind;
        ev.frame = at;
        ev.a = code;
        out.push_back(ev);
    };
    if (shifted)
        push(ScriptedEvent::Down, frame, 160);
    if (key)
        push(ScriptedEvent::Down, frame, key);
    push(ScriptedEvent::Char, frame, c);
    if (key)
        push(ScriptedEvent::Up, frame + 1, key);
    if (shifted)
        push(ScriptedEvent::Up, frame + 1, 160);
}

}  // namespace

std::vector<ScriptedEvent> ParseInputScript(const std::string& text, const std::string& name)
{
    std::vector<ScriptedEvent> out;
    std::istringstream lines(text);
    std::string line;
    int line_no = 0;
    while (std::getline(lines, line)) {
        ++line_no;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        auto fail = [&](const std::string& why) {
            return std::runtime_error(name + " line " + std::to_string(line_no) + ": " + why);
        };
        std::string body = line.substr(0, line.find('#'));
        std::istringstream in(body);
        std::string word, action;
        if (!(in >> word))
            continue;  // blank or only a comment
        long long frame = 0;
        if (!parse_number(word, 0, kMaxScriptFrame, frame)) {
            bool digits = std::all_of(word.begin(), word.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
            throw fail(digits ? "frame number out of range" : "expected a frame number");
        }
        if (!(in >> action))
            throw fail("expected FRAME ACTION");
        action = lower(action);
        // A whole number argument; anything else names the action that needed it.
        auto number = [&](long long lo, long long hi, const std::string& why) {
            std::string arg;
            long long v = 0;
            if (!(in >> arg) || !parse_number(arg, lo, hi, v))
                throw fail(why);
            return static_cast<int>(v);
        };
        ScriptedEvent ev;
        ev.frame = frame;
        if (action == "move") {
            ev.kind = ScriptedEvent::Move;
            ev.a = number(-100000, 100000, "move needs X Y");
            ev.b = number(-100000, 100000, "move needs X Y");
            out.push_back(ev);
        } else if (action == "down" || action == "up" || action == "click" || action == "key") {
            std::string target;
            if (!(in >> target) || !parse_target(target, ev.mouse, ev.a))
                throw fail("unknown button or key '" + target + "'");
            ev.kind = action == "up" ? ScriptedEvent::Up : ScriptedEvent::Down;
            if ((action == "click" || action == "key") && frame + 1 > kMaxScriptFrame)
                throw fail("frame number out of range");
            out.push_back(ev);
            if (action == "click" || action == "key") {
                ev.kind = ScriptedEvent::Up;
                ev.frame = frame + 1;
                out.push_back(ev);
            }
        } else if (action == "wheel") {
            ev.kind = ScriptedEvent::Wheel;
            ev.a = number(-kMaxWheelStep, kMaxWheelStep, "wheel needs an amount");
            out.push_back(ev);
        } else if (action == "type") {
            std::string rest;
            std::getline(in, rest);
            if (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
            if (frame + 2 * static_cast<long long>(rest.size()) - 1 > kMaxScriptFrame)
                throw fail("frame number out of range");
            // Typed as on a keyboard: one character every other frame, each a key stroke
            // (with shift held where the character needs it) and the character itself.
            for (unsigned char c : rest) {
                type_character(out, frame, c);
                frame += 2;
            }
            continue;  // the text is the rest of the line
        } else if (action == "char") {
            ev.kind = ScriptedEvent::Char;
            ev.a = number(0, 255, "char needs a code 0-255");
            out.push_back(ev);
        } else if (action == "close") {
            ev.kind = ScriptedEvent::Close;
            out.push_back(ev);
        } else {
            throw fail("unknown action '" + action + "'");
        }
        std::string extra;
        if (in >> extra)
            throw fail("unexpected '" + extra + "' after " + action);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
    return out;
}

std::string FormatScriptedEvent(const ScriptedEvent& ev)
{
    std::string f = std::to_string(ev.frame) + " ";
    switch (ev.kind) {
    case ScriptedEvent::Move: return f + "move " + std::to_string(ev.a) + " " + std::to_string(ev.b);
    case ScriptedEvent::Down: return f + "down " + target_name(ev.mouse, ev.a);
    case ScriptedEvent::Up: return f + "up " + target_name(ev.mouse, ev.a);
    case ScriptedEvent::Wheel: return f + "wheel " + std::to_string(ev.a);
    case ScriptedEvent::Char:
        // Not "type": that strokes the key as well, and its stroke is an event of its own.
        return f + "char " + std::to_string(ev.a);
    case ScriptedEvent::Close: return f + "close";
    }
    return f + "close";
}

void SetInputScript(std::vector<ScriptedEvent> events)
{
    g_events = std::move(events);
    g_next = 0;
}

void ApplyScriptedInput(int64_t frame)
{
    while (g_next < g_events.size() && g_events[g_next].frame <= frame) {
        const ScriptedEvent& ev = g_events[g_next++];
        switch (ev.kind) {
        case ScriptedEvent::Move: PostMouseMove(ev.a, ev.b); break;
        case ScriptedEvent::Down:
        case ScriptedEvent::Up:
            if (ev.mouse)
                PostMouseButton(ev.a, ev.kind == ScriptedEvent::Down);
            else
                PostKeyEvent(ev.a, ev.kind == ScriptedEvent::Down);
            break;
        case ScriptedEvent::Wheel: PostWheel(ev.a); break;
        case ScriptedEvent::Char: PostChar(ev.a); break;
        case ScriptedEvent::Close: PostCloseRequest(); break;
        }
    }
}

void BeginInputRecord(const std::string& path, const std::vector<std::string>& header)
{
    EndInputRecord();
    g_record.open(path, std::ios::binary | std::ios::trunc);
    if (!g_record)
        throw std::runtime_error("Cannot write the input record \"" + path + "\"");
    for (const std::string& line : header)
        g_record << "# " << line << '\n';
}

void EndInputRecord(const std::vector<std::string>& trailer)
{
    if (!g_record.is_open())
        return;
    for (const std::string& line : trailer)
        g_record << "# " << line << '\n';
    g_record.close();
}

bool InputRecordActive() { return g_record.is_open(); }

void RecordInputEvent(const ScriptedEvent& event)
{
    if (g_record.is_open())
        g_record << FormatScriptedEvent(event) << '\n';
}
