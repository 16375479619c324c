#pragma once

#include "../../base/Color.h"
#include "Extended.h"

// OKLab and OKLCH figures of 8-bit colours, and the CSS gamut mapping that brings an OKLCH
// colour sRGB cannot show back into it (OKLCH chroma reduced by a binary search until the
// clipped colour is within 0.02 deltaEOK), each channel then rounded to 8 bits. The variations'
// swatches and the contrast dialog's suggestions both come from here. The figures are doubles,
// each rounded from an expression on the extended format; like ColorSpace::Unrounded they give
// the same bits in every build only inside a pinned region: call them from a QUILLORA_OPAQUE
// function under a TExtendedPrecision (Extended.h).
namespace GamutMapping {

struct TOklab {
    double L, A, B;
};
struct TOklch {
    double L, C, H;
};

TOklab OklabOf(TColor Color);
TOklch OklchOf(const TOklab& Lab);

// A hue's sine and cosine, worked out once for the many colours of one hue.
struct THue {
    Extended::TExtended Sine, Cosine;
};
THue HueOf(double Degrees);

// The colour of lightness L and chroma C in the hue, mapped into sRGB: white from L >= 1,
// black from L <= 0.
TColor Mapped(double L, double C, const THue& Hue);
TColor Mapped(const TOklch& Origin);

}  // namespace GamutMapping
