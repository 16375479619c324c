// The two HSL conversions of TVop.
//
// Their results are shown in the editors, so every rounding matters. The rule: each named
// intermediate is a double; each expression is evaluated with a 64-bit significand (the x87
// extended format), rounded to nearest-even after every operation, and rounded once more,
// to double when stored into a named value or to an integer (ties to even) by Round.
//
// That rule is exactly what the x87 unit does when its precision control is 64 bits and its
// rounding is to nearest, so we let the hardware do it: long double arithmetic, with the x87
// control word pinned for the duration of each call (Extended.h). A software emulation would
// also work but would be far slower, and the exhaustive tests run every input under Wine.
//
// What keeps the compiler from bending the rule, whatever its flags:
// - the body runs in a separate function that is neither inlined nor analysed across calls,
//   between two volatile asm statements, so none of its arithmetic moves out of the pinned
//   region and no argument gets folded at compile time;
// - every store to a named double goes through a volatile double, so it really is rounded to
//   53 bits even with x87 excess precision (-mfpmath=387) and without -ffloat-store;
// - all arithmetic is on long double, which is the x87 format on x86 whatever -mfpmath says;
//   SSE only compares doubles, which is exact in every mode;
// - Round is one fistp under the pinned mode, not a library call.
//
// Arithmetic faults never produce infinities or NaNs: a division whose divisor is zero, or a
// rounding whose result does not fit an int, ends the conversion there, and the outputs keep
// what had been written so far. Nothing else can fault with integer inputs.

#include "Extended.h"
#include "VopClass.h"

#include <initializer_list>

namespace {

using Extended::Larger;
using Extended::Round;
using Extended::Smaller;
using Extended::Stored;
using Extended::TExtended;
using Extended::TExtendedPrecision;


QUILLORA_OPAQUE void RgbToHsl(int R, int G, int B, int& H, int& S, int& L) {
    H = 0;
    S = 0;
    L = 0;
    const double Red = Stored(static_cast<TExtended>(R) / 255);
    const double Green = Stored(static_cast<TExtended>(G) / 255);
    const double Blue = Stored(static_cast<TExtended>(B) / 255);
    const double Max = Larger(Red, Larger(Green, Blue));
    const double Min = Smaller(Red, Smaller(Green, Blue));
    const double Lf = Stored((static_cast<TExtended>(Max) + Min) / 2);
    double Hf = 0;
    double Sf = 0;
    if (Max != Min) {
        // Lf exactly 0.5 takes the upper branch.
        const TExtended Divisor =
            Lf < 0.5 ? static_cast<TExtended>(Max) + Min : (2 - static_cast<TExtended>(Max)) - Min;
        if (Divisor == 0) return;
        Sf = Stored((static_cast<TExtended>(Max) - Min) / Divisor);
        const double Delta = Stored(static_cast<TExtended>(Max) - Min);
        if (Delta == 0) return;
        // Where two channels share the maximum, red wins over green and green over blue.
        if (Red == Max)
            Hf = Stored((static_cast<TExtended>(Green) - Blue) / Delta);
        else if (Green == Max)
            Hf = Stored((static_cast<TExtended>(Blue) - Red) / Delta + 2);
        else
            Hf = Stored((static_cast<TExtended>(Red) - Green) / Delta + 4);
        Hf = Stored(Hf / static_cast<TExtended>(6));
        if (Hf < 0) Hf = Stored(Hf + static_cast<TExtended>(1));
    }
    // Outputs are written only here, one after the other.
    if (!Round(static_cast<TExtended>(Hf) * 240, H)) return;
    if (!Round(static_cast<TExtended>(Sf) * 240, S)) return;
    Round(static_cast<TExtended>(Lf) * 240, L);
}

// The hue ramp: a channel rising from 0 to 255 over a sector of 40 hue steps. The products
// with 6.375 are exact; offsets 4, 12, 20, 28 and 36 land on halves, which go to even.
int Rising(int Offset) {
    int X = 0;
    Round(Offset * static_cast<TExtended>(6.375), X);
    return X;
}

int Falling(int Offset) {
    int X = 0;
    Round(255 - Offset * static_cast<TExtended>(6.375), X);
    return X;
}

QUILLORA_OPAQUE void HslToRgb(int H, int S, int L, int& R, int& G, int& B) {
    R = 0;
    G = 0;
    B = 0;
    if (H < 0 || H > 240 || S < 0 || S > 240 || L < 0 || L > 240) return;

    if (H <= 40) {
        R = 255, G = Rising(H), B = 0;
    } else if (H <= 80) {
        R = Falling(H - 40), G = 255, B = 0;
    } else if (H <= 120) {
        R = 0, G = 255, B = Rising(H - 80);
    } else if (H <= 160) {
        R = 0, G = Falling(H - 120), B = 255;
    } else if (H <= 200) {
        R = Rising(H - 160), G = 0, B = 255;
    } else {
        R = 255, G = 0, B = Falling(H - 200);
    }

    // Saturation pulls every channel towards the grey point 128: c is 1 at S 0, 0 at S 240.
    const TExtended Ratio = (static_cast<TExtended>(S) - 240) / 240;
    const double C = Stored(Ratio < 0 ? -Ratio : Ratio);
    for (int* X : {&R, &G, &B})
        if (!Round(*X - static_cast<TExtended>(*X - 128) * C, *X)) return;

    // Luminance moves every channel towards white above 120 and towards black below it.
    const double D = Stored((static_cast<TExtended>(L) - 120) / 120);
    if (D > 0) {
        for (int* X : {&R, &G, &B})
            if (!Round(static_cast<TExtended>(255 - *X) * D + *X, *X)) return;
    } else if (D < 0) {
        for (int* X : {&R, &G, &B})
            if (!Round(static_cast<TExtended>(*X) * D + *X, *X)) return;
    }
}

}  // namespace

void TVop::RGBToHSL(int R, int G, int B, int& H, int& S, int& L) {
    TExtendedPrecision Pinned;
    RgbToHsl(R, G, B, H, S, L);
}

void TVop::HSLToRGB(int H, int S, int L, int& R, int& G, int& B) {
    TExtendedPrecision Pinned;
    HslToRgb(H, S, L, R, G, B);
}
