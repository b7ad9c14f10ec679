// Input scripts for the headless runner and end-to-end tests.
#include "platform/input_script.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "platform/input.h"

namespace {

std::vector<ScriptedEvent> g_events;
size_t g_next = 0;

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
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
        code = std::stoi(w);
        return code >= 0 && code < 256;
    }
    return false;
}

// The key that types a character and whether shift is held for it; key 0 when no key
// of the game's table gives it (the character is still queued).
std::pair<int, bool> key_of_character(unsigned char c)
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

void type_character(std::vector<ScriptedEvent>& out, long long frame, unsigned char c)
{
    auto [key, shifted] = key_of_character(c);
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
        size_t hash = line.find('#');
        std::string body = line.substr(0, hash);
        std::istringstream in(body);
        std::string action;
        long long frame = 0;
        if (!(in >> frame)) {
            if (body.find_first_not_of(" \t") == std::string::npos)
                continue;
            throw std::runtime_error(name + " line " + std::to_string(line_no) + ": expected a frame number");
        }
        auto fail = [&](const std::string& why) {
            return std::runtime_error(name + " line " + std::to_string(line_no) + ": " + why);
        };
        if (frame < 0 || !(in >> action))
            throw fail("expected FRAME ACTION");
        action = lower(action);
        ScriptedEvent ev;
        ev.frame = frame;
        if (action == "move") {
            ev.kind = ScriptedEvent::Move;
            if (!(in >> ev.a >> ev.b))
                throw fail("move needs X Y");
            out.push_back(ev);
        } else if (action == "down" || action == "up" || action == "click" || action == "key") {
            std::string target;
            if (!(in >> target) || !parse_target(target, ev.mouse, ev.a))
                throw fail("unknown button or key '" + target + "'");
            ev.kind = action == "up" ? ScriptedEvent::Up : ScriptedEvent::Down;
            out.push_back(ev);
            if (action == "click" || action == "key") {
                ev.kind = ScriptedEvent::Up;
                ev.frame = frame + 1;
                out.push_back(ev);
            }
        } else if (action == "wheel") {
            ev.kind = ScriptedEvent::Wheel;
            if (!(in >> ev.a))
                throw fail("wheel needs an amount");
            out.push_back(ev);
        } else if (action == "type") {
            std::string rest;
            std::getline(in, rest);
            if (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
            // Typed as on a keyboard: one character every other frame, each a key stroke
            // (with shift held where the character needs it) and the character itself.
            for (unsigned char c : rest) {
                type_character(out, frame, c);
                frame += 2;
            }
        } else if (action == "close") {
            ev.kind = ScriptedEvent::Close;
            out.push_back(ev);
        } else {
            throw fail("unknown action '" + action + "'");
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
    return out;
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
