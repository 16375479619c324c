// The CSS gamut mapping on ColorSpace's unrounded OKLab steps; the callers pin the control
// word (Extended.h). The search's bounds and distances are doubles, each rounded from an
// expression on the extended format; the vectors handed between ColorSpace's steps stay
// extended, as they do inside ColorSpace.

#include "GamutMapping.h"

#include "ColorSpaceUnrounded.h"

namespace GamutMapping {

namespace {

using ColorSpace::Unrounded::TVector;
using Extended::Stored;
using Extended::TExtended;

// The CSS gamut mapping's just noticeable difference and the width at which its search stops.
constexpr double kJnd = 0.02;
constexpr double kEpsilon = 0.0001;
constexpr TColor kWhite = 0xFFFFFF, kBlack = 0;

void OklabOf(double L, double C, const THue& Hue, TVector& Lab) {
    Lab[0] = L, Lab[1] = C * Hue.Cosine, Lab[2] = C * Hue.Sine;
}

// The transfer curve keeps 0 and 1 where they are, so sRGB's gamut, and clipping to it, can
// be taken on linear light without encoding.
bool InGamut(const TVector& Linear) {
    for (int I = 0; I < 3; ++I)
        if (!(Linear[I] >= 0 && Linear[I] <= 1)) return false;
    return true;
}

// Clips Linear into sRGB as Clipped and gives back how far that moved the colour of Lab.
double ClippedDistance(const TVector& Lab, const TVector& Linear, TVector& Clipped) {
    for (int I = 0; I < 3; ++I)
        Clipped[I] = Linear[I] < 0 ? 0 : Linear[I] > 1 ? 1 : Linear[I];
    TVector Moved;
    ColorSpace::Unrounded::OklabOfLinear(Clipped, Moved);
    TExtended Sum = 0;
    for (int I = 0; I < 3; ++I) Sum += (Moved[I] - Lab[I]) * (Moved[I] - Lab[I]);
    return Stored(Extended::SquareRoot(Sum));
}

}  // namespace

TOklab OklabOf(TColor Color) {
    TVector Lab;
    ColorSpace::Unrounded::OklabOf(Color, Lab);
    return {Stored(Lab[0]), Stored(Lab[1]), Stored(Lab[2])};
}

TOklch OklchOf(const TOklab& Lab) {
    const TExtended A = Lab.A, B = Lab.B;
    return {Lab.L, Stored(Extended::SquareRoot(A * A + B * B)),
            Stored(ColorSpace::Unrounded::HueDegrees(A, B))};
}

THue HueOf(double Degrees) {
    THue Hue;
    ColorSpace::Unrounded::SineCosine(Degrees, Hue.Sine, Hue.Cosine);
    return Hue;
}

// CSS Color 4's gamut mapping into sRGB: lightness at either end is white or black, a colour
// inside passes as it is, one whose clipped self is within the JND takes that; otherwise a
// binary search on chroma for the strongest colour whose clipped self is just within it.
TColor Mapped(double L, double C, const THue& Hue) {
    if (L >= 1) return kWhite;
    if (L <= 0) return kBlack;
    TVector Lab, Linear, Clipped;
    OklabOf(L, C, Hue, Lab);
    ColorSpace::Unrounded::LinearOfOklab(Lab, Linear);
    if (InGamut(Linear)) return ColorSpace::Unrounded::ColorOfLinear(Linear);
    double Distance = ClippedDistance(Lab, Linear, Clipped);
    if (Distance < kJnd) return ColorSpace::Unrounded::ColorOfLinear(Clipped);

    double Low = 0, High = C;
    bool LowInGamut = true;
    while (static_cast<TExtended>(High) - Low > kEpsilon) {
        const double Chroma = Stored((static_cast<TExtended>(Low) + High) / 2);
        OklabOf(L, Chroma, Hue, Lab);
        ColorSpace::Unrounded::LinearOfOklab(Lab, Linear);
        if (LowInGamut && InGamut(Linear)) {
            Low = Chroma;
            continue;
        }
        Distance = ClippedDistance(Lab, Linear, Clipped);
        if (Distance < kJnd) {
            if (static_cast<TExtended>(kJnd) - Distance < kEpsilon) break;
            LowInGamut = false;
            Low = Chroma;
        } else {
            High = Chroma;
        }
    }
    return ColorSpace::Unrounded::ColorOfLinear(Clipped);
}

TColor Mapped(const TOklch& Origin) { return Mapped(Origin.L, Origin.C, HueOf(Origin.H)); }

}  // namespace GamutMapping
