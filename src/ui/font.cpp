// The picture font and typed text.
#include "ui/font.h"

#include "platform/graphics.h"
#include "platform/input.h"

namespace {

constexpr int kAdvance = 30;  // pixels per character before the caller's spacing

// Letter keys in the order the typed text takes them (keyboard rows, left to right).
constexpr const char kLetterOrder[] = "qwertyuiopasdfghjklzxcvbnm";
// Number-row keys 1..9, 0 and what they give with a shift key held.
constexpr int kNumberRow[] = {49, 50, 51, 52, 53, 54, 55, 56, 57, 48};
constexpr const char kShiftedNumberRow[] = "!@#$%^&*()";
// Keypad keys 1..9, 0.
constexpr int kKeypad[] = {97, 98, 99, 100, 101, 102, 103, 104, 105, 96};
constexpr int kKeyMinus = 189;
constexpr int kKeyLeftShift = 160;
constexpr int kKeyRightShift = 161;

}  // namespace

int GFont::DrawString(TImage* image, int x, int y, const std::string& text, int alignment, int /*reserved*/,
                      float spacing)
{
    const int width = static_cast<int>(text.size()) * kAdvance;
    int d = x;
    if (alignment == 1)
        d = x - width / 2;
    else if (alignment == -1)
        d = x - width;
    for (size_t i = 0; i < text.size(); ++i) {
        const float fi = static_cast<float>(i);
        const int code = static_cast<unsigned char>(text[i]);
        DrawImage(image, static_cast<float>(d) + kAdvance * fi - spacing * fi, static_cast<float>(y), sortchar(code));
    }
    return 0;
}

int GFont::sortchar(int code)
{
    if (code >= 32 && code <= 47)
        return code - 32;
    if (code >= 48 && code <= 57)
        return code - 48 + 16;
    if (code >= 65 && code <= 90)
        return code - 65 + 26;
    if (code >= 97 && code <= 122)
        return code - 97 + 52;
    return 0;
}

std::string ReadTypedText()
{
    std::string typed = KeyHit(kKeySpace) ? " " : "";
    const bool shifted = KeyDown(kKeyLeftShift) || KeyDown(kKeyRightShift);
    for (const char* c = kLetterOrder; *c; ++c) {
        const int key = *c - 'a' + 'A';  // letter keys carry the capital's code
        if (KeyHit(key))
            typed += shifted ? static_cast<char>(key) : *c;
    }
    for (int i = 0; i < 10; ++i) {
        if (KeyHit(kNumberRow[i]))
            typed += shifted ? kShiftedNumberRow[i] : static_cast<char>(kNumberRow[i]);
    }
    for (int i = 0; i < 10; ++i) {
        // Read even while shifted, when they give nothing: a stale hit would otherwise
        // turn up as a digit once the shift key is let go.
        if (KeyHit(kKeypad[i]) && !shifted)
            typed += static_cast<char>('0' + (i + 1) % 10);
    }
    if (KeyHit(kKeyMinus))
        typed += shifted ? '_' : '-';
    return typed;
}
