// The variations dialog's arithmetic, on the OKLab figures and the gamut mapping of
// GamutMapping under a pinned control word (Extended.h). The figures named here (OKLab and
// OKLCH coordinates, the mixes' fractions) are doubles, each rounded from an expression on the
// extended format.

#include "Variations.h"

#include "Extended.h"
#include "GamutMapping.h"

namespace Variations {

namespace {

using Extended::Stored;
using Extended::TExtended;
using Extended::TExtendedPrecision;
using GamutMapping::Mapped;
using GamutMapping::OklabOf;
using GamutMapping::OklchOf;
using GamutMapping::TOklab;
using GamutMapping::TOklch;

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0;

// From From towards To by the fraction T, coordinate by coordinate.
TOklab Mixed(const TOklab& From, const TOklab& To, double T) {
    return {Stored(From.L + (static_cast<TExtended>(To.L) - From.L) * T),
            Stored(From.A + (static_cast<TExtended>(To.A) - From.A) * T),
            Stored(From.B + (static_cast<TExtended>(To.B) - From.B) * T)};
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
