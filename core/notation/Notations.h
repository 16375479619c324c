#pragma once

#include "../../base/Color.h"

#include <cstddef>
#include <string>
#include <string_view>

// The notations of a colour: the seven rows of the main window (numbered 1..7, their edits'
// and copy buttons' tags) and the eight more texts of "复制为" (numbered 1..8). Each is one
// row of one list: its writer and its reader. The numbers are what the app names them by: it
// holds their labels and menu entries with its other texts.
namespace Notations {
constexpr int kMainCount = 7;
constexpr int kMoreCount = 8;

struct TNotation {
    // Writes the text into the caller's buffer without allocating, as snprintf does: the full
    // length comes back, and what fits is written and terminated. 32 characters always suffice.
    int (*Format)(char* Out, std::size_t Size, TColor Color);
    // Reads a pasted text of this notation (NotationRead); nullptr where it has no reader of
    // its own.
    bool (*Read)(std::string_view Text, TColor& Out);
    std::string Text(TColor Color) const;
};

// Throw std::out_of_range for any other number.
const TNotation& Main(int Number);  // 1..kMainCount
const TNotation& More(int Number);  // 1..kMoreCount

// A colour read from a pasted text by the first row whose reader takes it, the seven first.
// The readers never overlap (NotationRead has the rules); a text none reads is no colour:
// false, and Out is left alone.
bool Read(std::string_view Text, TColor& Out);

// The numbers the CSS hsl() and the cmyk() notations write (percent signs left out).
struct THslNumbers { int Hue, Saturation, Lightness; };
THslNumbers CssHslNumbers(TColor Color);
struct TCmykNumbers { int C, M, Y, K; };
TCmykNumbers CmykNumbers(TColor Color);

}  // namespace Notations
