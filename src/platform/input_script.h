// Frame-stamped input read from a plain-text script, replayed as if it came from the
// window, and the recorder that writes a run's input in the same form. One event a line:
// "FRAME ACTION ARGS"; '#' starts a comment.
//   FRAME move X Y        pointer to (X, Y) in screen pixels
//   FRAME down B | up B   press or release B: a mouse button (left, right, middle)
//                         or a key (a code 0-255, a letter, a digit, or escape, enter,
//                         space, backspace, tab, shift, minus); a single digit is the
//                         digit key, so codes below 10 are written with two digits (05)
//   FRAME click B         press B at FRAME and release it at FRAME + 1 ("key B" too)
//   FRAME wheel DZ        wheel movement
//   FRAME type TEXT       typed characters (the rest of the line), one every other
//                         frame from FRAME on, each also a stroke of its key (with
//                         shift held for capitals and shifted symbols)
//   FRAME char CODE       one typed character by its code 0-255, without a key stroke
//   FRAME close           window close request
// Events of frame F are seen by the first input query of frame F (frames count from 0).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct ScriptedEvent {
    int64_t frame = 0;
    enum Kind { Move, Down, Up, Wheel, Char, Close } kind = Move;
    bool mouse = false;  // Down/Up: a mouse button instead of a key
    int a = 0, b = 0;    // coordinates, key/button code, wheel amount or character

    bool operator==(const ScriptedEvent&) const = default;
};

// Frames and wheel steps a script may give; larger values are refused as malformed.
constexpr int64_t kMaxScriptFrame = 2147483647;
constexpr int kMaxWheelStep = 100000;

// Parses a whole script before anything is played; throws std::runtime_error naming the
// file and line of the first malformed line. Events come out in frame order, keeping the
// order of the lines within a frame.
std::vector<ScriptedEvent> ParseInputScript(const std::string& text, const std::string& name);
// The key that types a character on the game's keyboard and whether shift is held for it;
// key 0 when no key gives it (the character is still typed).
std::pair<int, bool> KeyOfCharacter(unsigned char c);
// One event as a script line, without the line break; parsing it gives the event back.
std::string FormatScriptedEvent(const ScriptedEvent& event);
void SetInputScript(std::vector<ScriptedEvent> events);
// Posts every event due at or before this frame that has not been posted yet.
void ApplyScriptedInput(int64_t frame);

// Recording: from BeginInputRecord on, every input event the game receives (from the
// window, a script or the bot) is written to the file, stamped with the frame it entered,
// after the header lines (each written as a comment). Throws std::runtime_error when the
// file cannot be created. EndInputRecord writes the trailer lines (as comments), flushes
// and closes it.
void BeginInputRecord(const std::string& path, const std::vector<std::string>& header);
void EndInputRecord(const std::vector<std::string>& trailer = {});
bool InputRecordActive();
// Called by the input layer for each event it accepts.
void RecordInputEvent(const ScriptedEvent& event);
