#pragma once

#include "../base/Color.h"

#include <string>

// The figures of the contrast dialog: the contrast ratio of a text colour on a background, the
// five verdicts it earns, and how a colour looks to eyes with each kind of colour blindness.
// Channels come from the low three bytes of a TColor; the top byte is ignored everywhere.
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

// A verdict's label and the least ratio that passes it, in hundredths.
struct TCriterion {
    const char* Label;
    int Hundredths;
};

// In the order the dialog and the summary list them.
inline constexpr TCriterion kCriteria[] = {
    {"AA 正常文字", 450},   {"AA 大号文字", 300},    {"AAA 正常文字", 700},
    {"AAA 大号文字", 450},  {"图形与界面元素", 300},
};

// Every threshold is a whole number of hundredths, so a ratio passes exactly when its cut
// value, the one the dialog shows, reaches the threshold: a ratio shown as 4.49:1 never passes
// 4.5, and one shown as 4.50:1 always does.
constexpr bool Passes(int RatioHundredths, const TCriterion& Criterion) {
    return RatioHundredths >= Criterion.Hundredths;
}

// "通过" or "不通过".
const char* VerdictText(bool Passed);

// The text the dialog's copy button puts on the clipboard (UTF-8), lines joined by CRLF with
// no line break after the last:
//   前景 #FFFFFF
//   背景 #767676
//   对比度 4.54:1
//   AA 正常文字 通过
// and one such line for each of the other four criteria, in kCriteria's order.
std::string Summary(TColor Foreground, TColor Background);

// How a colour is seen.
enum class TVision { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

// "正常", "红色盲", "绿色盲", "蓝色盲", "全色盲"; the empty text for a value outside the enum.
const char* VisionName(TVision Vision);

// The colour as it looks with the given vision. The three kinds of dichromacy apply a 3x3
// matrix to the linear channels, clip each result to 0..1 and turn it back into the nearest
// 8-bit sRGB level; achromatopsia gives the grey whose level is nearest the relative
// luminance. Normal vision, and a value outside the enum, give the colour itself. The top
// byte of the result is zero.
TColor Simulate(TColor Color, TVision Vision);

}  // namespace Contrast
