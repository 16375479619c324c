// The contrast dialog's suggestions, under a pinned control word (Extended.h) for the gamut
// mapping; the ratios are Contrast's integers.
//
// The lightnesses are tried nearest first, as a plain walk outward from the colour's own in
// steps of 0.0005 would try them, but whole runs of steps are passed over when a bound shows
// that none of their colours can pass. The bound: a mapped colour is the clipped and rounded
// colour of its lightness L at some chroma c from 0 to the colour's own C, whichever way the
// mapping went, and each linear channel of that is a cubic in L and c,
//     channel = s L^3 + b L^2 c + d L c^2 + e c^3,
// whose terms each rise or fall with L and with c (both >= 0). Over a run of lightnesses and a
// range of chroma, the ends of each term give each channel's least and greatest value; after
// clipping and rounding, which keep order, they give the least and greatest 8-bit level of
// each channel of every colour of the run. The overlay and the luminance rise with every
// channel, and the ratio with the distance between two luminances, so the bound's colours give
// the greatest ratio any colour of the run can reach.

#include "Contrast.h"

#include "ColorSpaceUnrounded.h"
#include "Extended.h"
#include "GamutMapping.h"

#include <algorithm>
#include <utility>

namespace Contrast {

namespace {

using ColorSpace::Unrounded::TVector;
using Extended::Stored;
using Extended::TExtended;
using GamutMapping::THue;

constexpr double kStep = 0.0005;
constexpr TColor kWhite = 0xFFFFFF, kBlack = 0;

// Added to each side of a bound: far more than the arithmetic's error on a channel, far less
// than the width of a level.
constexpr TExtended kMargin = 1e-10L;
// Twice the width at which the mapping's search stops, 0.0001: room for its rounding.
constexpr TExtended kSearchWidth = 0.0002L;
// How finely the work is cut, chosen by the benchmark (scripts/bench.sh suggestions): the
// range of chroma into up to 2^5 pieces; up to 16 tries to find how far a run stays inside
// sRGB; a box of up to 27 colours judged colour by colour; a run of up to 16 steps left
// unbounded, its colours mapped one by one.
constexpr int kChromaSplits = 5;
constexpr int kInsideSteps = 16;
constexpr int kFewColours = 27;
constexpr int kFewSteps = 16;

// The pair with one side replaced, judged as the dialog judges it.
struct TJudge {
    TColor Foreground, Background;
    int Opacity;
    TSide Side;

    int Ratio(TColor Moved) const {
        const TColor Fore = Side == TSide::Foreground ? Moved : Foreground;
        const TColor Back = Side == TSide::Background ? Moved : Background;
        return RatioHundredths(Overlay(Fore, Back, Opacity), Back);
    }

    // The greatest ratio a colour can give whose channels each lie between those of Low and
    // High. The foreground laid over a fixed background: one of the two ends of the
    // luminances. The background moved: it and the overlay both move; of a few colours each
    // is judged, of more the ratio is at most that of the lightest of one with the darkest of
    // the other.
    int MostRatio(TColor Low, TColor High) const {
        if (Side == TSide::Foreground) return std::max(Ratio(Low), Ratio(High));
        const int R0 = RedOf(Low), G0 = GreenOf(Low), B0 = BlueOf(Low);
        const int R1 = RedOf(High), G1 = GreenOf(High), B1 = BlueOf(High);
        if ((R1 - R0 + 1) * (G1 - G0 + 1) * (B1 - B0 + 1) > kFewColours)
            return std::max(RatioHundredths(Overlay(Foreground, High, Opacity), Low),
                            RatioHundredths(Overlay(Foreground, Low, Opacity), High));
        int Most = 0;
        for (int R = R0; R <= R1; ++R)
            for (int G = G0; G <= G1; ++G)
                for (int B = B0; B <= B1; ++B) Most = std::max(Most, Ratio(MakeColor(R, G, B)));
        return Most;
    }
};

// The colours of one hue and chroma at any lightness: mapped one by one, or bounded a run at a
// time through the cubics of their channels.
class TFamily {
public:
    explicit TFamily(TColor Own) {
        const GamutMapping::TOklch Lch = GamutMapping::OklchOf(GamutMapping::OklabOf(Own));
        FL = Lch.L, FC = Lch.C, FHue = GamutMapping::HueOf(Lch.H);
        // The cubic's factors from its values at (L, c) = (1, 0), (0, 1), (1, 1) and (1, -1).
        TVector S, E, Plus, Minus;
        Linear(1, 0, S), Linear(0, 1, E), Linear(1, 1, Plus), Linear(1, -1, Minus);
        for (int I = 0; I < 3; ++I) {
            FCubic[I][0] = S[I];
            FCubic[I][1] = (Plus[I] - Minus[I]) / 2 - E[I];
            FCubic[I][2] = (Plus[I] + Minus[I]) / 2 - S[I];
            FCubic[I][3] = E[I];
        }
    }

    double OwnLightness() const { return FL; }
    TColor Mapped(double L) const { return GamutMapping::Mapped(L, FC, FHue); }

    // Whether some colour of lightness La..Lb (0 < La <= Lb < 1) may pass. When every colour
    // of chroma C is inside sRGB the mapping keeps C. Otherwise it ends at a chroma from just
    // below the strongest that is inside for every lightness of the run up to C: below that
    // each step of its search finds the colour inside and raises its lower end, so its upper
    // end stays above it and the two close in to within kSearchWidth. That range is cut
    // into pieces, so that each piece's channels move together.
    bool MayPass(const TJudge& Judge, int Target, double La, double Lb) const {
        TVector Least, Most;
        Range(La, Lb, FC, FC, Least, Most);
        if (Inside(Least, Most)) return MayPass(Judge, Target, Least, Most);
        Range(La, Lb, 0, FC, Least, Most);
        if (!MayPass(Judge, Target, Least, Most)) return false;
        TExtended Low = 0, Width = FC / 8;  // inside up to Low
        for (int I = 0; I < kInsideSteps && Low < FC; ++I) {
            const TExtended Next = Extended::Smaller(Low + Width, static_cast<TExtended>(FC));
            Range(La, Lb, Low, Next, Least, Most);
            if (Inside(Least, Most))
                Low = Next, Width *= 2;
            else
                Width /= 2;
        }
        const TExtended From = Low > kSearchWidth ? Low - kSearchWidth : 0;
        return MayPass(Judge, Target, La, Lb, From, FC, kChromaSplits);
    }

private:
    void Linear(TExtended L, TExtended C, TVector& Out) const {
        const TVector Lab = {L, C * FHue.Cosine, C * FHue.Sine};
        ColorSpace::Unrounded::LinearOfOklab(Lab, Out);
    }

    // Each channel's least and greatest value over lightness La..Lb and chroma Ca..Cb.
    void Range(TExtended La, TExtended Lb, TExtended Ca, TExtended Cb, TVector& Least,
               TVector& Most) const {
        const TExtended AtLow[4] = {La * La * La, La * La * Ca, La * Ca * Ca, Ca * Ca * Ca};
        const TExtended AtHigh[4] = {Lb * Lb * Lb, Lb * Lb * Cb, Lb * Cb * Cb, Cb * Cb * Cb};
        for (int I = 0; I < 3; ++I) {
            Least[I] = -kMargin, Most[I] = kMargin;
            for (int T = 0; T < 4; ++T) {
                const TExtended Factor = FCubic[I][T];
                Least[I] += Factor * (Factor >= 0 ? AtLow[T] : AtHigh[T]);
                Most[I] += Factor * (Factor >= 0 ? AtHigh[T] : AtLow[T]);
            }
        }
    }

    static bool Inside(const TVector& Least, const TVector& Most) {
        for (int I = 0; I < 3; ++I)
            if (!(Least[I] >= 0 && Most[I] <= 1)) return false;
        return true;
    }

    static bool MayPass(const TJudge& Judge, int Target, const TVector& Least, const TVector& Most) {
        return Judge.MostRatio(ColorSpace::Unrounded::ColorOfLinear(Least),
                               ColorSpace::Unrounded::ColorOfLinear(Most)) >= Target;
    }

    bool MayPass(const TJudge& Judge, int Target, double La, double Lb, TExtended Ca,
                 TExtended Cb, int Splits) const {
        TVector Least, Most;
        Range(La, Lb, Ca, Cb, Least, Most);
        if (!MayPass(Judge, Target, Least, Most)) return false;
        if (Splits == 0) return true;
        const TExtended Middle = (Ca + Cb) / 2;
        return MayPass(Judge, Target, La, Lb, Ca, Middle, Splits - 1) ||
               MayPass(Judge, Target, La, Lb, Middle, Cb, Splits - 1);
    }

    double FL, FC;
    THue FHue;
    TExtended FCubic[3][4];  // each channel's factors of L^3, L^2 c, L c^2 and c^3
};

// The lightnesses tried on one side of the colour's own, up (+1) or down (-1): step K is K
// steps of 0.0005 away, up to the first step that reaches 1 (or 0), where white (or black)
// is tried instead.
class TWalk {
public:
    TWalk(const TFamily& Family, int Direction) : FFamily(Family), FDirection(Direction) {
        const TExtended Room = Direction > 0 ? 1 - static_cast<TExtended>(Family.OwnLightness())
                                             : static_cast<TExtended>(Family.OwnLightness());
        int Estimate = 1;
        Extended::Round(Room / kStep, Estimate);
        FEnd = Estimate < 1 ? 1 : Estimate;
        while (!AtEnd(FEnd)) ++FEnd;
        while (FEnd > 1 && AtEnd(FEnd - 1)) --FEnd;
    }

    int End() const { return FEnd; }

    double Lightness(int K) const {
        if (K >= FEnd) return FDirection > 0 ? 1 : 0;
        return Stored(FFamily.OwnLightness() + FDirection * static_cast<TExtended>(Offset(K)));
    }

    // How far step K is from the colour's own lightness.
    double Distance(int K) const {
        if (K < FEnd) return Offset(K);
        const TExtended Own = FFamily.OwnLightness();
        return Stored(FDirection > 0 ? 1 - Own : Own);
    }

    // The first step of First..Last whose colour passes, or 0; its colour and ratio in Found.
    int FirstPassing(const TJudge& Judge, int Target, int First, int Last, TSuggestion& Found) const {
        if (Last >= FEnd) {
            const int K = FirstPassing(Judge, Target, First, FEnd - 1, Found);
            return K ? K : First <= FEnd && Last >= FEnd && Passes(Judge, Target, FEnd, Found) ? FEnd : 0;
        }
        if (First > Last) return 0;
        double La = Lightness(First), Lb = Lightness(Last);
        if (La > Lb) std::swap(La, Lb);
        if (!FFamily.MayPass(Judge, Target, La, Lb)) return 0;
        if (Last - First < kFewSteps) {
            for (int K = First; K <= Last; ++K)
                if (Passes(Judge, Target, K, Found)) return K;
            return 0;
        }
        const int Middle = First + (Last - First) / 2;
        const int K = FirstPassing(Judge, Target, First, Middle, Found);
        return K ? K : FirstPassing(Judge, Target, Middle + 1, Last, Found);
    }

private:
    static double Offset(int K) { return Stored(K * static_cast<TExtended>(kStep)); }

    bool AtEnd(int K) const {
        const TExtended L = FFamily.OwnLightness() + FDirection * static_cast<TExtended>(Offset(K));
        return FDirection > 0 ? Stored(L) >= 1 : Stored(L) <= 0;
    }

    bool Passes(const TJudge& Judge, int Target, int K, TSuggestion& Found) const {
        const TColor Color = K >= FEnd ? (FDirection > 0 ? kWhite : kBlack) : FFamily.Mapped(Lightness(K));
        const int Ratio = Judge.Ratio(Color);
        Found = {true, Color, Ratio};
        return Ratio >= Target;
    }

    const TFamily& FFamily;
    int FDirection;
    int FEnd;
};

// Windows of steps 1, 2..3, 4..7, ...: the first window where either side passes holds the
// nearest passing lightness. Within one step the lighter goes first, unless the darker is an
// end nearer than the lighter.
QUILLORA_OPAQUE TSuggestion ComputeSuggestion(const TJudge& Judge, int Target) {
    const TColor Own = Judge.Side == TSide::Foreground ? Judge.Foreground : Judge.Background;
    const int OwnRatio = Judge.Ratio(Own);
    if (OwnRatio >= Target) return {true, Own, OwnRatio};
    const TFamily Family(Own);
    const TWalk Up(Family, +1), Down(Family, -1);
    for (int First = 1; First <= Up.End() || First <= Down.End(); First *= 2) {
        TSuggestion Lighter{}, Darker{};
        const int KUp = Up.FirstPassing(Judge, Target, First, 2 * First - 1, Lighter);
        const int KDown = Down.FirstPassing(Judge, Target, First, 2 * First - 1, Darker);
        if (KUp && KDown) {
            if (KUp != KDown) return KUp < KDown ? Lighter : Darker;
            return Down.Distance(KDown) < Up.Distance(KUp) ? Darker : Lighter;
        }
        if (KUp) return Lighter;
        if (KDown) return Darker;
    }
    return {false, 0, 0};
}

}  // namespace

TSuggestion Suggest(TColor Foreground, TColor Background, int OpacityPercent, TSide Side,
                    int TargetHundredths) {
    Extended::TExtendedPrecision Pinned;
    return ComputeSuggestion({Foreground & 0xFFFFFF, Background & 0xFFFFFF,
                              std::clamp(OpacityPercent, 0, 100), Side},
                             TargetHundredths);
}

}  // namespace Contrast
