#pragma once

#include "../../base/Color.h"
#include "Extended.h"

// The steps under ColorSpace's OKLab and OKLCH conversions, before anything is rounded, for
// other colour arithmetic of the core that works on OKLab values in between (Variations).
// They are on the extended format and give the same bits in every build only inside a pinned
// region: call them from a QUILLORA_OPAQUE function under a TExtendedPrecision (Extended.h).
// Linear light is sRGB's, 0..1 for the colours sRGB can show.
namespace ColorSpace::Unrounded {

using TVector = Extended::TExtended[3];

void OklabOf(TColor Color, TVector& Lab);
void OklabOfLinear(const TVector& Linear, TVector& Lab);  // light <= 0 counts as 0
void LinearOfOklab(const TVector& Lab, TVector& Linear);

// Each channel to its nearest 8-bit value once encoded, halves up; below black gives 0, above
// white 255.
TColor ColorOfLinear(const TVector& Linear);

// The hue angle of OKLab's (a, b) in degrees, 0 up to 360; 0 for (0, 0).
Extended::TExtended HueDegrees(Extended::TExtended A, Extended::TExtended B);
// Of 0..360 degrees; an angle outside counts as the nearer end.
void SineCosine(Extended::TExtended Degrees, Extended::TExtended& Sine,
                Extended::TExtended& Cosine);

}  // namespace ColorSpace::Unrounded
