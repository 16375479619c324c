#pragma once

#include <gtest/gtest.h>

#include <cfenv>

// The x87 control word, read and set directly: tests run conversions under the precision,
// rounding and exception masks that a library or a new thread may leave behind.
inline unsigned short X87ControlWord() {
    unsigned short Word;
    asm volatile("fnstcw %0" : "=m"(Word));
    return Word;
}

inline void SetX87ControlWord(unsigned short Word) { asm volatile("fldcw %0" : : "m"(Word)); }

// Runs Compute under each floating-point state a caller may leave behind and expects Expected
// every time: the x87 unit at 53- and 24-bit precision and rounding down or towards zero (a
// thread made by CreateThread under Wine starts at 53 bits), then x87 and SSE together
// rounding down and up. The state goes back before each comparison.
template <class T, class F>
void ExpectTheSameUnderAnyFloatingPointState(const T& Expected, F Compute) {
    const unsigned short Original = X87ControlWord();
    for (const unsigned short Word : {0x027F, 0x007F, 0x0B7F, 0x0F7F}) {
        SetX87ControlWord(Word);
        const T Actual = Compute();
        SetX87ControlWord(Original);
        EXPECT_EQ(Actual, Expected) << "control word " << std::hex << Word;
    }
    for (const int Mode : {FE_DOWNWARD, FE_UPWARD}) {
        ASSERT_EQ(std::fesetround(Mode), 0);
        const T Actual = Compute();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(Actual, Expected) << "fesetround " << Mode;
    }
}
