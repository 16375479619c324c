#pragma once

// Arithmetic on the x87 extended format that gives the same bits in every build: the Linux
// build, the Windows program under Wine, any optimisation or -mfpmath flag.
//
// How a conversion uses it: the public function holds a TExtendedPrecision for the length of
// the call and hands the work to a QUILLORA_OPAQUE function. Inside, all arithmetic is on
// long double, which is the x87 format on x86 whatever -mfpmath says; the pinned control word
// makes every operation round to a 64-bit significand, to nearest-even. The opaque call sits
// between the two volatile asm statements of the guard, so none of its arithmetic moves out
// of the pinned region and no argument is folded at compile time. Pinning matters because the
// ambient state cannot be trusted: a new thread under Wine starts at 53-bit precision, and a
// library may leave another rounding mode behind.

#if !defined(__i386__) && !defined(__x86_64__)
#error "The colour conversions rely on the x87 extended format."
#endif

#if defined(__clang__)
#define QUILLORA_OPAQUE __attribute__((noinline))
#else
#define QUILLORA_OPAQUE __attribute__((noipa))
#endif

namespace Extended {

using TExtended = long double;

static_assert(sizeof(TExtended) >= 10, "long double must be the x87 extended format");

// Holds the x87 unit at a 64-bit significand, round to nearest, all exceptions masked, and
// gives the caller back its control word afterwards. With every exception masked (the usual
// state) the flags our arithmetic raises are only a record, as for any arithmetic of the
// caller's own. A caller that unmasked an exception gets its complete environment back,
// sticky flags included, so none of our inexact results reaches it; that costs a hundred
// nanoseconds more, which the usual case does without.
class TExtendedPrecision {
public:
    TExtendedPrecision() {
        asm volatile("fnstcw %0" : "=m"(FControl) : : "memory");
        if (!AllMasked()) asm volatile("fnstenv %0" : "=m"(FSaved) : : "memory");
        const unsigned short Pinned = 0x037F;
        asm volatile("fldcw %0" : : "m"(Pinned) : "memory");
    }
    ~TExtendedPrecision() {
        if (AllMasked())
            asm volatile("fldcw %0" : : "m"(FControl) : "memory");
        else
            asm volatile("fldenv %0" : : "m"(FSaved) : "memory");
    }
    TExtendedPrecision(const TExtendedPrecision&) = delete;
    TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

private:
    bool AllMasked() const { return (FControl & 0x3F) == 0x3F; }

    unsigned short FControl;
    struct TEnvironment {
        unsigned char Bytes[28];
    } FSaved;
};

// Rounds an extended value to double through memory, so it really is rounded to 53 bits even
// with x87 excess precision (-mfpmath=387) and without -ffloat-store.
inline double Stored(TExtended X) {
    volatile double D = static_cast<double>(X);
    return D;
}

// The larger and the smaller of two values of one type (double or TExtended), by one exact
// comparison: no rounding, so the same bits in every build. On a tie, and where either is a
// NaN, the second comes back. Both must have the same type, so no argument is converted
// unnoticed; write a constant as 0.0L where the other is a TExtended.
template <class T>
constexpr T Larger(T A, T B) {
    return A > B ? A : B;
}
template <class T>
constexpr T Smaller(T A, T B) {
    return A < B ? A : B;
}

// Round to the nearest integer, halves to the even one: fistp rounds by the pinned rounding
// mode, which is to nearest-even. False when the result is no int.
inline bool Round(TExtended X, int& Result) {
    if (!(X >= -2147483648.5L && X < 2147483647.5L)) return false;  // NaN fails too
    int Rounded;
    asm("fistpl %0" : "=m"(Rounded) : "t"(X) : "st");
    Result = Rounded;
    return true;
}

// The square root rounded to the pinned 64-bit significand: fsqrt, not a library call, whose
// accuracy would differ from one C library to the next.
inline TExtended SquareRoot(TExtended X) {
    asm("fsqrt" : "+t"(X));
    return X;
}

}  // namespace Extended
