#pragma once

#include "../../base/Color.h"

#include <cstdint>
#include <string>

// The figures of the contrast dialog: the contrast ratio of a text colour on a background, the
// five verdicts it earns, and how a colour looks to eyes with each kind of colour blindness.
// The dialog makes the texts of them. Channels come from the low three bytes of a TColor; the top byte is ignored everywhere.
//
// The ratios, verdicts and simulated colours are worked out in integers from one table of
// linear channel values, the suggestions' gamut mapping on the pinned extended format
// (Extended.h), so the Linux build and the Windows program give the very same figures.
namespace Contrast {

// The relative luminance, 0 for black to 1 for white: each sRGB channel made linear, then
// 0.2126 red + 0.7152 green + 0.0722 blue. The nearest double to the exact sum of the table's
// values.
double RelativeLuminance(TColor Color);

// The contrast ratio (lighter + 0.05) / (darker + 0.05) in hundredths, cut and never rounded
// up: 454 for 4.54:1. 100 (the same colour) to 2100 (black and white); the order of the two
// colours does not matter.
int RatioHundredths(TColor Foreground, TColor Background);

// The foreground laid over the background at OpacityPercent (0..100, anything outside counts
// as the nearer end): each channel background * (100 - p) / 100 + foreground * p / 100, the
// half rounded up. 100 gives the foreground, 0 the background; the top byte is zero.
TColor Overlay(TColor Foreground, TColor Background, int OpacityPercent);

// "4.54:1" for 454: the whole ratio, a point and exactly two decimals.
std::string RatioText(int Hundredths);

// A verdict: the least ratio that passes it, in hundredths.
struct TCriterion {
    int Hundredths;
};

// ROW(the least ratio in hundredths, the name of its label in the program's table of texts):
// in the order the dialog and the summary list them. The app turns the names into words; the
// core never needs them.
#define QUILLORA_CRITERIA(ROW)        \
    ROW(450, CriterionAaNormal)       \
    ROW(300, CriterionAaLarge)        \
    ROW(700, CriterionAaaNormal)      \
    ROW(450, CriterionAaaLarge)       \
    ROW(300, CriterionGraphics)

#define QUILLORA_CRITERION_ROW(hundredths, text) {hundredths},
inline constexpr TCriterion kCriteria[] = {QUILLORA_CRITERIA(QUILLORA_CRITERION_ROW)};
#undef QUILLORA_CRITERION_ROW

// Every threshold is a whole number of hundredths, so a ratio passes exactly when its cut
// value, the one the dialog shows, reaches the threshold: a ratio shown as 4.49:1 never passes
// 4.5, and one shown as 4.50:1 always does.
constexpr bool Passes(int RatioHundredths, const TCriterion& Criterion) {
    return RatioHundredths >= Criterion.Hundredths;
}

// The nearest colour for one side that passes a threshold (kCriteria's hundredths): the side's
// own colour with its OKLCH hue and chroma kept and only its lightness moved, brought into
// sRGB by the CSS gamut mapping and rounded to 8 bits (GamutMapping.h). The lightnesses tried
// are the colour's own plus and minus 0.0005, 0.001, 0.0015, ... while inside 0..1, and 0 and 1
// themselves (black and white). A colour passes when the foreground, laid over the background
// at OpacityPercent (as Overlay), has at least the threshold's ratio with the background; of
// the lightnesses whose colour passes, the nearest to the colour's own wins, the lighter on a
// tie. A pair that passes already suggests the side's colour itself. Color is the side's
// colour before the overlay, RatioHundredths the ratio it gives; when no lightness passes,
// Reachable is false and the other two are 0. Every build gives the same suggestions.
enum class TSide { Foreground, Background };
struct TSuggestion {
    bool Reachable;
    TColor Color;
    int RatioHundredths;
};
TSuggestion Suggest(TColor Foreground, TColor Background, int OpacityPercent, TSide Side,
                    int TargetHundredths);

// How a colour is seen: normal vision, red-, green- and blue-blindness, no colour vision.
// ROW(vision, the name of its text, the name of its entry in the colour-blindness view's menu
// (none: no entry), the key that shows it in the view).
#define QUILLORA_VISIONS(ROW)                                              \
    ROW(Normal, VisionNormal, None, '1')                                   \
    ROW(Protanopia, VisionProtanopia, VisionViewProtan, '2')               \
    ROW(Deuteranopia, VisionDeuteranopia, VisionViewDeutan, '3')           \
    ROW(Tritanopia, VisionTritanopia, VisionViewTritan, '4')               \
    ROW(Achromatopsia, VisionAchromatopsia, VisionViewMono, '5')

#define QUILLORA_VISION_VALUE(vision, ...) vision,
enum class TVision { QUILLORA_VISIONS(QUILLORA_VISION_VALUE) };
#undef QUILLORA_VISION_VALUE
#define QUILLORA_VISION_ONE(...) +1
inline constexpr int kVisionCount = 0 QUILLORA_VISIONS(QUILLORA_VISION_ONE);
#undef QUILLORA_VISION_ONE

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
