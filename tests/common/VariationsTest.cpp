// The variations rows against those colorjs.io makes of the same colours
// (data/VariationsExpected.mjs), under any floating-point state a caller may leave behind.

#include "colour/Variations.h"

#include "colour/ColorSpace.h"

#include "X87State.h"
#include "data/VariationsExpected.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace Variations;

std::string Written(const TColor* Colors, int Count) {
    std::string Text;
    char Hex[8];
    for (int I = 0; I < Count; ++I) {
        std::snprintf(Hex, sizeof Hex, "%02x%02x%02x", RedOf(Colors[I]), GreenOf(Colors[I]),
                      BlueOf(Colors[I]));
        Text += (I ? " " : "") + std::string(Hex);
    }
    return Text;
}

// Every row of some colours, blended with #E0115F. The rows of those from #119922 on change
// when the arithmetic is left at 24-bit precision.
std::vector<std::string> SomeRows() {
    std::vector<std::string> Rows;
    for (const unsigned Rgb : {0x00C8FFu, 0x808080u, 0x0A0508u, 0x119922u, 0x552233u, 0x8844AAu,
                               0xAA0033u, 0xEEAA00u, 0xFFBB77u})
        for (int R = 0; R < kRowCount; ++R) {
            const TColor C = MakeColor(Rgb >> 16 & 0xFF, Rgb >> 8 & 0xFF, Rgb & 0xFF);
            TColor Out[kMaxSwatches];
            Rows.push_back(Written(Out, Row(static_cast<TRow>(R), C, MakeColor(224, 17, 95), Out)));
        }
    return Rows;
}

// Exact, channel for channel: the library works in doubles, we on the extended format, but
// no swatch of these rows lies near enough to a rounding edge or to the search's JND for that
// to show.
TEST(Variations, RowsMatchTheLibrary) {
    for (const TExpectedRow& E : kExpectedRows) {
        TColor Out[kMaxSwatches];
        const int Count = Row(E.Row, E.C, E.D, Out);
        EXPECT_EQ(Written(Out, Count), E.Swatches)
            << "row " << static_cast<int>(E.Row) << " of " << Written(&E.C, 1) << ", D "
            << Written(&E.D, 1);
    }
}

// The shades run from dark to light in OKLab lightness, for colours all over the cube.
TEST(Variations, ShadesRunFromDarkToLight) {
    for (int Rgb = 0; Rgb < 0x1000000; Rgb += 0x0F2B35) {
        const TColor C = MakeColor(Rgb >> 16, Rgb >> 8, Rgb);
        TColor Out[kMaxSwatches];
        ASSERT_EQ(Row(TRow::Shades, C, 0, Out), 9);
        EXPECT_EQ(Out[4], C);
        for (int I = 1; I < 9; ++I)
            EXPECT_LE(ColorSpace::OklchOf(Out[I - 1]).L, ColorSpace::OklchOf(Out[I]).L)
                << Written(Out, 9);
    }
}

// No swatch may change under a floating-point state a caller leaves behind.
TEST(Variations, RowsIgnoreTheFloatingPointState) {
    ExpectTheSameUnderAnyFloatingPointState(SomeRows(), SomeRows);
}

}  // namespace
