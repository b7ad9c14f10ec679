// The picture font: an 18 x 37 strip of 78 glyphs ("abduction2.png") laid out at a fixed
// advance, and the typed text of a frame read from the keyboard through a key table.
#pragma once

#include <string>

struct TImage;

class GFont {
public:
    // Draws text with the current colour, alpha, blend, scale and rotation. Alignment 0
    // starts at x, 1 centres on x, -1 ends at x; each character advances 30 - spacing
    // pixels. reserved is ignored. Returns 0.
    static int DrawString(TImage* image, int x, int y, const std::string& text, int alignment, int reserved,
                          float spacing);
    // Glyph of a character code: space../ 0-15, digits 16-25, A-Z 26-51, a-z 52-77; any
    // other code is the blank glyph 0.
    static int sortchar(int code);
};

// The characters typed since the last frame, in key-table order (letters q..m, then the
// number row, then the keypad, then minus), "" when none. Reads and clears the key hits.
std::string ReadTypedText();
