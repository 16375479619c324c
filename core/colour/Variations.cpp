// The variations dialog's arithmetic, on the OKLab steps of ColorSpace under a pinned control
// word (Extended.h). The figures named here (OKLab and OKLCH coordinates, the search's bounds
// and distances) are doubles, each rounded from an expression on the extended format; the
// vectors handed between ColorSpace's steps stay extended, as they do inside ColorSpace.

#include "Variations.h"

#include "ColorSpaceUnrounded.h"
#include "Extended.h"

namespace Variations {

namespace {

using ColorSpace::Unrounded::TVector;
using Extended::Stored;
using Extended::TExtended;
using Extended::TExtendedPrecision;

struct TOklab {
    double L, A, B;
};
struct TOklch {
    double L, C, H;
};

// The CSS gamut mapping's just noticeable difference and the width at which its search stops.
constexpr double kJnd = 0.02;
constexpr double kEpsilon = 0.0001;
constexpr TColor kWhite = 0xFFFFFF, kBlack = 0;

TOklab OklabOf(TColor Color) {
    TVector Lab;
    ColorSpace::Unrounded::OklabOf(Color, Lab);
    return {Stored(Lab[0]), Stored(Lab[1]), Stored(Lab[2])};
}

// From From towards To by the fraction T, coordinate by coordinate.
TOklab Mixed(const TOklab& From, const TOklab& To, double T) {
    return {Stored(From.L + (static_cast<TExtended>(To.L) - From.L) * T),
            Stored(From.A + (static_cast<TExtended>(To.A) - From.A) * T),
            Stored(From.B + (static_cast<TExtended>(To.B) - From.B) * T)};
}

TOklch OklchOf(const TOklab& Lab) {
    const TExtended A = Lab.A, B = Lab.B;
    return {Lab.L, Stored(Extended::SquareRoot(A * A + B * B)),
            Stored(ColorSpace::Unrounded::HueDegrees(A, B))};
}

void OklabOf(const TOklch& Lch, TVector& Lab) {
    TExtended Sine, Cosine;
    ColorSpace::Unrounded::SineCosine(Lch.H, Sine, Cosine);
    Lab[0] = Lch.L, Lab[1] = Lch.C * Cosine, Lab[2] = Lch.C * Sine;
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

// CSS Color 4's gamut mapping into sRGB: lightness at either end is white or black, a colour
// inside passes as it is, one whose clipped self is within the JND takes that; otherwise a
// binary search on chroma for the strongest colour whose clipped self is just within it.
TColor Mapped(const TOklch& Origin) {
    if (Origin.L >= 1) return kWhite;
    if (Origin.L <= 0) return kBlack;
    TVector Lab, Linear, Clipped;
    OklabOf(Origin, Lab);
    ColorSpace::Unrounded::LinearOfOklab(Lab, Linear);
    if (InGamut(Linear)) return ColorSpace::Unrounded::ColorOfLinear(Linear);
    double Distance = ClippedDistance(Lab, Linear, Clipped);
    if (Distance < kJnd) return ColorSpace::Unrounded::ColorOfLinear(Clipped);

    double Low = 0, High = Origin.C;
    bool LowInGamut = true;
    while (static_cast<TExtended>(High) - Low > kEpsilon) {
        const double Chroma = Stored((static_cast<TExtended>(Low) + High) / 2);
        OklabOf(TOklch{Origin.L, Chroma, Origin.H}, Lab);
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

TColor MappedMix(const TOklab& From, const TOklab& To, double T) {
    return Mapped(OklchOf(Mixed(From, To, T)));
}

// The turns of each hue row in degrees, left to right; 0 is the colour itself.
struct TTurns {
    int Count;
    int Degrees[4];
};
constexpr TTurns kComplement = {2, {0, 180}};
constexpr TTurns kAnalogous = {3, {-30, 0, 30}};
constexpr TTurns kTriad = {3, {0, 120, 240}};
constexpr TTurns kSplit = {3, {0, 150, 210}};
constexpr TTurns kSquare = {4, {0, 90, 180, 270}};

int Turned(const TTurns& Turns, TColor C, TColor* Out) {
    const TOklch Lch = OklchOf(OklabOf(C));
    for (int I = 0; I < Turns.Count; ++I) {
        if (Turns.Degrees[I] == 0) {
            Out[I] = C;
            continue;
        }
        double Hue = Stored(static_cast<TExtended>(Lch.H) + Turns.Degrees[I]);
        if (Hue >= 360) Hue = Stored(static_cast<TExtended>(Hue) - 360);
        if (Hue < 0) Hue = Stored(static_cast<TExtended>(Hue) + 360);
        Out[I] = Mapped({Lch.L, Lch.C, Hue});
    }
    return Turns.Count;
}

int Shades(TColor C, TColor* Out) {
    const double kShares[4] = {0.8, 0.6, 0.4, 0.2};  // of black, then of white backwards
    const TOklab Lab = OklabOf(C), Black = OklabOf(kBlack), White = OklabOf(kWhite);
    for (int I = 0; I < 4; ++I) {
        Out[I] = MappedMix(Lab, Black, kShares[I]);
        Out[8 - I] = MappedMix(Lab, White, kShares[I]);
    }
    Out[4] = C;
    return 9;
}

int Blend(TColor C, TColor D, TColor* Out) {
    const TOklab From = OklabOf(C), To = OklabOf(D);
    Out[0] = C;
    for (int I = 1; I < 8; ++I)
        Out[I] = MappedMix(From, To, Stored(static_cast<TExtended>(I) / 8));
    Out[8] = D;
    return 9;
}

QUILLORA_OPAQUE int ComputeRow(TRow Row, TColor C, TColor D, TColor* Out) {
    switch (Row) {
        case TRow::Shades: return Shades(C, Out);
        case TRow::Complement: return Turned(kComplement, C, Out);
        case TRow::Analogous: return Turned(kAnalogous, C, Out);
        case TRow::Triad: return Turned(kTriad, C, Out);
        case TRow::Split: return Turned(kSplit, C, Out);
        case TRow::Square: return Turned(kSquare, C, Out);
        case TRow::Blend: return Blend(C, D, Out);
    }
    return 0;
}

}  // namespace

int Row(TRow Row, TColor C, TColor D, TColor* Out) {
    TExtendedPrecision Pinned;
    return ComputeRow(Row, C & 0xFFFFFF, D & 0xFFFFFF, Out);
}

}  // namespace Variations
