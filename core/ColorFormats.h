#pragma once

#include "../base/Color.h"

#include <cstddef>
#include <string>

// Eight more texts of a colour, beside the seven notations of the main window (ColorText):
// what style sheets, drawing programs and print shops write. Only the low three bytes of a
// colour count.
namespace ColorFormats {

// Index 1..8; the texts of #FF8000 are in the comments.
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
constexpr int kMoreNotationCount = 8;

// HSL, HSV and CMYK come from the exact 8-bit values as whole degrees and percent, rounded
// half up; a grey has hue and saturation 0, hue 360 is written as 0, and black is
// cmyk(0%, 0%, 0%, 100%). Lab (CIE, D50) has two decimals; OKLCH has two decimals of a
// percent for L, four for C and two for the hue, which is 0 when C is. Decimals are rounded
// half up, trailing zeros and a bare point are dropped, and there is never a "-0". The name
// is the nearest CSS colour (ColorNames). Throws std::out_of_range for any other index.
std::string MoreNotation(TColor Color, int Index);

// The same text written into a buffer of the caller's, as snprintf does: the full length
// comes back, and what fits is written and terminated. 32 characters always suffice.
int FormatMoreNotation(char* Out, std::size_t Size, TColor Color, int Index);

}  // namespace ColorFormats
