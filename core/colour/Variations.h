#pragma once

#include "../../base/Color.h"


// The rows of swatches of the variations dialog for a colour C: its shades, the colours at
// fixed turns of its hue, and a blend towards a second colour D. Shades and the blend mix in
// OKLab; the turns keep OKLCH lightness and chroma and turn the hue. A colour sRGB cannot show
// is brought in by the CSS gamut mapping (OKLCH chroma reduced by a binary search until the
// clipped colour is within 0.02 deltaEOK), then each channel is rounded to 8 bits. C itself
// comes back unchanged wherever a row shows it, as does D at the blend's end. Every build
// gives the same swatches (Extended.h). Nothing here throws.
namespace Variations {

enum class TRow { Shades, Complement, Analogous, Triad, Split, Square, Blend };
constexpr int kRowCount = 7;
constexpr int kMaxSwatches = 9;

// The swatches of a row, left to right, into Out (room for kMaxSwatches); the count comes
// back, 0 for a row not listed above. D is used by the blend only.
//   Shades      C mixed with black at 80, 60, 40, 20 % (80 % black, 20 % C first), C, then
//               mixed with white at 20, 40, 60, 80 %: dark to light, 9 swatches.
//   Complement  C, hue + 180.
//   Analogous   hue - 30, C, hue + 30.
//   Triad       C, hue + 120, + 240.
//   Split       C, hue + 150, + 210.
//   Square      C, hue + 90, + 180, + 270.
//   Blend       C mixed with D at 0, 12.5, ..., 100 %: C first, D last, 9 swatches.
int Row(TRow Row, TColor C, TColor D, TColor* Out);

}  // namespace Variations
