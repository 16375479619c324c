#pragma once

#include "../../base/Color.h"

#include <cstdint>
#include <string>

// The figures of the contrast dialog: the contrast ratio of a text colour on a background, the
// five verdicts it earns, and how a colour looks to eyes with each kind of colour blindness.
// The dialog makes the texts of them. Channels come from the low three bytes of a TColor; the top byte is ignored everywhere.
//
// Everything is worked out in integers from one table of linear channel values, so the Linux
// build and the Windows program give the very same ratios, verdicts and colours.
namespace Contrast {

// The relative luminance, 0 for black to 1 for white: each sRGB channel made linear, then
// 0.2126 red + 0.7152 green + 0.0722 blue. The nearest double to the exact sum of the table's
// values.
double RelativeLuminance(TColor Color);

// The contrast ratio (lighter + 0.05) / (darker + 0.05) in hundredths, cut and never rounded
// up: 454 for 4.54:1. 100 (the same colour) to 2100 (black and white); the order of the two
// colours does not matter.
int RatioHundredths(TColor Foreground, TColor Background);

// "4.54:1" for 454: the whole ratio, a point and exactly two decimals.
std::string RatioText(int Hundredths);

// A verdict: the least ratio that passes it, in hundredths.
struct TCriterion {
    int Hundredths;
};

// In the order the dialog and the summary list them: AA normal text, AA large text, AAA
// normal text, AAA large text, graphics and interface elements.
inline constexpr TCriterion kCriteria[] = {{450}, {300}, {700}, {450}, {300}};

// Every threshold is a whole number of hundredths, so a ratio passes exactly when its cut
// value, the one the dialog shows, reaches the threshold: a ratio shown as 4.49:1 never passes
// 4.5, and one shown as 4.50:1 always does.
constexpr bool Passes(int RatioHundredths, const TCriterion& Criterion) {
    return RatioHundredths >= Criterion.Hundredths;
}

// How a colour is seen: normal vision, red-, green- and blue-blindness, no colour vision.
enum class TVision { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

// The colour as it looks with the given vision. The three kinds of dichromacy apply a 3x3
// matrix to the linear channels, clip each result to 0..1 and turn it back into the nearest
// 8-bit sRGB level; achromatopsia gives the grey whose level is nearest the relative
// luminance. Normal vision, and a value outside the enum, give the colour itself. The top
// byte of the result is zero.
TColor Simulate(TColor Color, TVision Vision);

// The integers Simulate works from, for code that turns whole pictures and must give the same
// colours. LinearOf(K) is the linear value of the sRGB value K/510, K = 0..510, in units of
// 10^-12: an even K is the level K/2, an odd K the half-level where the nearest level changes.
// The matrix's rows, in millionths, give linear red, green and blue from the linear channels;
// a row's sum S (units of 10^-18) turns into the highest level L with
// 10^6 * LinearOf(2 * L - 1) <= S, or 0, which also clips it to 0..255. Achromatopsia has the
// luminance weights times 100 in every row; normal vision, and a value outside the enum, the
// identity.
std::int64_t LinearOf(int HalfLevel);
void VisionMatrix(TVision Vision, std::int64_t (&Matrix)[3][3]);

}  // namespace Contrast
