// The layer's own small bitmap font for DrawText (3 x 5 cells drawn at twice the size);
// the game only uses it for its developer overlay.
#include <cctype>
#include <cstdint>

#include "platform/draw_trace.h"
#include "platform/graphics.h"

namespace {
struct Glyph {
    char c;
    uint16_t bits;  // 5 rows of 3, top row in the highest bits
};
const Glyph kGlyphs[] = {
    {'0', 0b111101101101111},
    {'1', 0b010110010010111},
    {'2', 0b111001111100111},
    {'3', 0b111001111001111},
    {'4', 0b101101111001001},
    {'5', 0b111100111001111},
    {'6', 0b111100111101111},
    {'7', 0b111001001001001},
    {'8', 0b111101111101111},
    {'9', 0b111101111001111},
    {'A', 0b010101111101101},
    {'B', 0b110101110101110},
    {'C', 0b011100100100011},
    {'D', 0b110101101101110},
    {'E', 0b111100110100111},
    {'F', 0b111100110100100},
    {'G', 0b011100101101011},
    {'H', 0b101101111101101},
    {'I', 0b111010010010111},
    {'J', 0b001001001101010},
    {'K', 0b101101110101101},
    {'L', 0b100100100100111},
    {'M', 0b101111111101101},
    {'N', 0b110101101101101},
    {'O', 0b010101101101010},
    {'P', 0b110101110100100},
    {'Q', 0b010101101110011},
    {'R', 0b110101110101101},
    {'S', 0b011100010001110},
    {'T', 0b111010010010010},
    {'U', 0b101101101101111},
    {'V', 0b101101101101010},
    {'W', 0b101101111111101},
    {'X', 0b101101010101101},
    {'Y', 0b101101010010010},
    {'Z', 0b111001010100111},
    {'.', 0b000000000000010},
    {',', 0b000000000010100},
    {':', 0b000010000010000},
    {'-', 0b000000111000000},
    {'+', 0b000010111010000},
    {'/', 0b001001010100100},
    {'(', 0b010100100100010},
    {')', 0b010001001001010},
    {'!', 0b010010010000010},
    {'?', 0b110001010000010},
    {'=', 0b000111000111000},
    {'_', 0b000000000000111},
    {'%', 0b101001010100101},
};
constexpr float kDot = 2;
constexpr float kAdvance = 8;
}  // namespace

void SuspendDrawTrace(bool suspend);

void DrawText(const std::string& text, float x, float y)
{
    if (DrawTraceActive())
        TraceText(text, x, y, CurrentRenderState());
    SuspendDrawTrace(true);
    float pen = x;
    for (char raw : text) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        for (const Glyph& g : kGlyphs) {
            if (g.c != c)
                continue;
            for (int bit = 0; bit < 15; ++bit) {
                if (g.bits & (1u << (14 - bit)))
                    DrawRect(pen + (bit % 3) * kDot, y + (bit / 3) * kDot, kDot, kDot);
            }
            break;
        }
        pen += kAdvance;
    }
    SuspendDrawTrace(false);
}
