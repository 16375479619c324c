#pragma once

#include "../../base/Color.h"

#include <cstdint>

// The arithmetic behind the CSS notations: 8-bit sRGB to CIE Lab and OKLCH, and HSL, HSV,
// CMYK, Lab and OKLCH back to 8-bit sRGB. Results leave as whole numbers, rounded inside, and
// numbers come in as decimals, so no caller ever holds a floating-point value: every build
// gives the same results for the same inputs (Extended.h). Nothing here throws.
namespace ColorSpace {

// A number as a text writes it: Digits / 10^Scale, with |Digits| < 10^18 and Scale 0..18.
struct TDecimal {
    std::int64_t Digits = 0;
    int Scale = 0;
};

// CIE Lab under D50 (the sRGB white adapted by Bradford's transform): L, a and b in
// hundredths, each rounded half up.
struct TLab {
    std::int32_t L, A, B;
};
TLab LabOf(TColor Color);

// OKLCH: lightness in hundredths of a percent, chroma in ten-thousandths and hue in
// hundredths of a degree, each rounded half up. The hue is 0 when the rounded chroma is 0, and
// 0 rather than 360 degrees.
struct TLch {
    std::int32_t L, C, H;
};
TLch OklchOf(TColor Color);

// OKLab L, a and b in units of 2^-30, rounded half up: fine enough to tell colours apart,
// coarse enough that squared distances add up in 64-bit integers.
struct TOklabUnits {
    std::int32_t L, A, B;
};
TOklabUnits OklabUnitsOf(TColor Color);

// The conversions back. Each channel is rounded to the nearest 8-bit value and clipped to
// 0..255 on its own, so a colour outside sRGB keeps what sRGB can show of it. Inputs outside
// the ranges given here are clipped too; the parser refuses them before they get here.

// 0..255, or 0..100 percent of 255, rounded half up.
int ChannelOf(TDecimal Value, bool Percent);

// Hue in degrees 0..360; the others in percent 0..100.
TColor FromHsl(TDecimal Hue, TDecimal Saturation, TDecimal Lightness);
TColor FromHsv(TDecimal Hue, TDecimal Saturation, TDecimal Value);
TColor FromCmyk(TDecimal Cyan, TDecimal Magenta, TDecimal Yellow, TDecimal Black);

// L 0..100, a and b any.
TColor FromLab(TDecimal L, TDecimal A, TDecimal B);

// Lightness in percent 0..100, chroma from 0, hue in degrees 0..360.
TColor FromOklch(TDecimal L, TDecimal C, TDecimal H);

}  // namespace ColorSpace
