// Frame-stamped input read from a plain-text script, replayed as if it came from the
// window. One event a line: "FRAME ACTION ARGS"; '#' starts a comment.
//   FRAME move X Y        pointer to (X, Y) in screen pixels
//   FRAME down B | up B   press or release B: a mouse button (left, right, middle)
//                         or a key (a code 0-255, a letter, a digit, or escape, enter,
//                         space, backspace, tab, shift, minus)
//   FRAME click B         press B at FRAME and release it at FRAME + 1 ("key B" too)
//   FRAME wheel DZ        wheel movement
//   FRAME type TEXT       typed characters (the rest of the line), one every other
//                         frame from FRAME on, each also a stroke of its key (with
//                         shift held for capitals and shifted symbols)
//   FRAME close           window close request
// Events of frame F are seen by the first input query of frame F (frames count from 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptedEvent {
    int64_t frame = 0;
    enum Kind { Move, Down, Up, Wheel, Char, Close } kind = Move;
    bool mouse = false;  // Down/Up: a mouse button instead of a key
    int a = 0, b = 0;    // coordinates, key/button code, wheel amount or character
};

// Parses a script; throws std::runtime_error naming the line on a malformed one.
std::vector<ScriptedEvent> ParseInputScript(const std::string& text, const std::string& name);
void SetInputScript(std::vector<ScriptedEvent> events);
// Posts every event due at or before this frame that has not been posted yet.
void ApplyScriptedInput(int64_t frame);
