// TVop's HSL conversions with any ints and under any x87 and SSE state the caller may leave:
// never a crash or a trap, channels in range, the same results whatever the state, and the
// caller's state given back.
//
// Input: six little-endian int32 (R, G, B, H, S, L), a uint16 x87 control word and a uint16
// of MXCSR bits.

#include "FuzzCheck.h"
#include "colour/VopClass.h"

#include <cstdint>

namespace {

struct TFpState {
    unsigned short ControlWord;
    unsigned Mxcsr;
};

TFpState GetFpState() {
    TFpState State;
    asm volatile("fnstcw %0" : "=m"(State.ControlWord));
    asm volatile("stmxcsr %0" : "=m"(State.Mxcsr));
    return State;
}

void SetFpState(const TFpState& State) {
    asm volatile("fnclex");
    asm volatile("fldcw %0" : : "m"(State.ControlWord));
    asm volatile("ldmxcsr %0" : : "m"(State.Mxcsr));
}

// Any precision, rounding and exception masks for the x87; any rounding for SSE, its
// exceptions masked, flush-to-zero and denormals-are-zero as given.
TFpState StateFromInput(std::uint16_t X87Bits, std::uint16_t SseBits) {
    unsigned short Word = static_cast<unsigned short>((X87Bits & 0x0F3F) | 0x0040);
    if ((Word & 0x0300) == 0x0100) Word &= ~0x0100;  // precision 01 is reserved
    const unsigned Mxcsr = 0x1F80 | (SseBits & 0x6000u) | (SseBits & 0x8000u) | (SseBits & 0x0040u);
    return {Word, Mxcsr};
}

struct TTriple {
    int A, B, C;
    bool operator==(const TTriple& O) const { return A == O.A && B == O.B && C == O.C; }
};

TTriple ToHsl(int R, int G, int B, int Preset) {
    TTriple Out{Preset, Preset, Preset};
    TVop::RGBToHSL(R, G, B, Out.A, Out.B, Out.C);
    return Out;
}

TTriple ToRgb(int H, int S, int L, int Preset) {
    TTriple Out{Preset, Preset, Preset};
    TVop::HSLToRGB(H, S, L, Out.A, Out.B, Out.C);
    return Out;
}

bool In(int V, int Low, int High) { return V >= Low && V <= High; }

void CheckRgbToHsl(int R, int G, int B, const TFpState& Odd) {
    const TTriple Hsl = ToHsl(R, G, B, -7);
    FUZZ_CHECK(ToHsl(R, G, B, 99999) == Hsl);  // every output is written, whatever it held

    const TFpState Own = GetFpState();
    SetFpState(Odd);
    const TTriple UnderOdd = ToHsl(R, G, B, -7);
    const TFpState After = GetFpState();
    SetFpState(Own);
    FUZZ_CHECK(After.ControlWord == Odd.ControlWord && After.Mxcsr == Odd.Mxcsr);
    FUZZ_CHECK(UnderOdd == Hsl);

    if (In(R, 0, 255) && In(G, 0, 255) && In(B, 0, 255)) {
        FUZZ_CHECK(In(Hsl.A, 0, 240) && In(Hsl.B, 0, 240) && In(Hsl.C, 0, 240));
        if (R == G && G == B) FUZZ_CHECK(Hsl.A == 0 && Hsl.B == 0);
        if (R == 255 && G == 255 && B == 255) FUZZ_CHECK(Hsl.C == 240);
        if (R == 0 && G == 0 && B == 0) FUZZ_CHECK(Hsl.C == 0);
    }
}

void CheckHslToRgb(int H, int S, int L, const TFpState& Odd) {
    const TTriple Rgb = ToRgb(H, S, L, -7);
    FUZZ_CHECK(ToRgb(H, S, L, 99999) == Rgb);

    const TFpState Own = GetFpState();
    SetFpState(Odd);
    const TTriple UnderOdd = ToRgb(H, S, L, -7);
    const TFpState After = GetFpState();
    SetFpState(Own);
    FUZZ_CHECK(After.ControlWord == Odd.ControlWord && After.Mxcsr == Odd.Mxcsr);
    FUZZ_CHECK(UnderOdd == Rgb);

    FUZZ_CHECK(In(Rgb.A, 0, 255) && In(Rgb.B, 0, 255) && In(Rgb.C, 0, 255));
    if (!(In(H, 0, 240) && In(S, 0, 240) && In(L, 0, 240))) {
        FUZZ_CHECK(Rgb == (TTriple{0, 0, 0}));
        return;
    }
    if (S == 0) FUZZ_CHECK(Rgb.A == Rgb.B && Rgb.B == Rgb.C);
    if (L == 240) FUZZ_CHECK(Rgb == (TTriple{255, 255, 255}));
    if (L == 0) FUZZ_CHECK(Rgb == (TTriple{0, 0, 0}));
    if (H == 240) FUZZ_CHECK(ToRgb(0, S, L, -7) == Rgb);  // 0 and 240 are the same red
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TFuzzInput Fields(Data, Size);
    const int R = Fields.I32(), G = Fields.I32(), B = Fields.I32();
    const int H = Fields.I32(), S = Fields.I32(), L = Fields.I32();
    const std::uint16_t X87Bits = static_cast<std::uint16_t>(Fields.U8() | Fields.U8() << 8);
    const std::uint16_t SseBits = static_cast<std::uint16_t>(Fields.U8() | Fields.U8() << 8);
    const TFpState Odd = StateFromInput(X87Bits, SseBits);

    // The values as they come, and folded into the documented ranges so that the in-range
    // properties get inputs too.
    CheckRgbToHsl(R, G, B, Odd);
    CheckRgbToHsl(static_cast<int>(static_cast<unsigned>(R) % 256),
                  static_cast<int>(static_cast<unsigned>(G) % 256),
                  static_cast<int>(static_cast<unsigned>(B) % 256), Odd);
    CheckHslToRgb(H, S, L, Odd);
    CheckHslToRgb(static_cast<int>(static_cast<unsigned>(H) % 241),
                  static_cast<int>(static_cast<unsigned>(S) % 241),
                  static_cast<int>(static_cast<unsigned>(L) % 241), Odd);
    return 0;
}
