#pragma once

#include "../../base/Color.h"
#include "Notations.h"

#include <cstddef>
#include <string>

// Eight more texts of a colour, beside the seven notations of the main window (ColorText):
// the rows of Notations::More, which has their rules.
namespace ColorFormats {

// Index 1..8, in the order of Notations::More; the texts of #FF8000 are in the comments.
enum : int {
    kCssRgb = 1,  // rgb(255, 128, 0)
    kCssHsl,      // hsl(30, 100%, 50%)
    kHsv,         // hsv(30, 100%, 100%)
    kCmyk,        // cmyk(0%, 50%, 100%, 0%)
    kLab,         // lab(67.82 45.49 74.84)
    kOklch,       // oklch(73.19% 0.1858 52.98)
    kLowerHex,    // #ff8000
    kColorName,   // darkorange
};
constexpr int kMoreNotationCount = Notations::kMoreCount;

// Throw std::out_of_range for any other index.
inline std::string MoreNotation(TColor Color, int Index) {
    return Notations::More(Index).Text(Color);
}

// The same text written into a buffer of the caller's, as snprintf does: the full length
// comes back, and what fits is written and terminated. 32 characters always suffice.
inline int FormatMoreNotation(char* Out, std::size_t Size, TColor Color, int Index) {
    return Notations::More(Index).Format(Out, Size, Color);
}

}  // namespace ColorFormats
