// The contrast dialog's figures. Runs in the Linux and the Windows build; both must agree.
// Expected figures were worked out from the formulas with 40-digit arithmetic; the
// suggestions come from colorjs.io (data/ContrastSuggestionsExpected.mjs).

#include "colour/Contrast.h"
#include "Digest.h"
#include "X87State.h"
#include "data/ContrastSuggestionsExpected.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace Contrast;

// 0xRRGGBB as written on screen, to a TColor.
TColor Rgb(std::uint32_t Hex) { return MakeColor(Hex >> 16, Hex >> 8 & 0xFF, Hex & 0xFF); }

TEST(Contrast, LuminanceAndRatioCutAtTheSecondDecimal) {
    struct TCase { std::uint32_t Color; double Luminance; std::uint32_t Other; const char* Ratio; };
    const TCase kCases[] = {
        {0x767676, 0.18116424424986, 0xFFFFFF, "4.54:1"},   // 4.5422
        {0xFF8000, 0.36698342968146, 0xFFFFFF, "2.51:1"},   // 2.5181: cut, not 2.52
        {0x3366CC, 0.14566183081362, 0xFFFFFF, "5.36:1"},   // 5.3664
        {0x000000, 0, 0xFFFFFF, "21.00:1"},                  // exactly 21, not 20.99
        {0xFFFFFF, 1, 0x000000, "21.00:1"},
        {0x00FF00, 0.7152, 0x000000, "15.30:1"},             // exactly 15.304
        {0x0A0A0A, 0.00303526983549, 0x0B0B0B, "1.00:1"},   // 1.0059; linear and power branch
        {0xFF0000, 0.2126, 0x0000FF, "2.14:1"},              // 2.1489
        {0xABCDEF, 0.58552565210348, 0xABCDEF, "1.00:1"},
    };
    for (const TCase& c : kCases) {
        const TColor Color = Rgb(c.Color), Other = Rgb(c.Other);
        EXPECT_NEAR(RelativeLuminance(Color), c.Luminance, 1e-12) << std::hex << c.Color;
        EXPECT_EQ(RatioText(RatioHundredths(Color, Other)), c.Ratio) << std::hex << c.Color;
        EXPECT_EQ(RatioHundredths(Other, Color), RatioHundredths(Color, Other)) << c.Ratio;
    }
}

// Pairs a hair below and above each threshold: the shown text and the verdicts agree. Passed
// has one letter per criterion in kCriteria's order: AA normal, AA large, AAA normal, AAA
// large, graphics.
TEST(Contrast, VerdictsChangeExactlyAtTheirThresholds) {
    struct TCase { std::uint32_t Fg, Bg; const char* Ratio; const char* Passed; };
    const TCase kCases[] = {
        {0xFFFFFF, 0xB178FF, "2.99:1", "-----"},  // 2.9999954
        {0xFA34FF, 0xFFFFFF, "3.00:1", "-P--P"},  // 3.0000020
        {0xFFFFFF, 0xAB34FF, "4.49:1", "-P--P"},  // 4.4998888
        {0xEC1400, 0xFFFFFF, "4.50:1", "PP-PP"},  // 4.5000298
        {0x000000, 0xFA34FF, "6.99:1", "PP-PP"},  // 6.9999953
        {0xB178FF, 0x000000, "7.00:1", "PPPPP"},  // 7.0000106
    };
    for (const TCase& c : kCases) {
        const int Hundredths = RatioHundredths(Rgb(c.Fg), Rgb(c.Bg));
        EXPECT_EQ(RatioText(Hundredths), c.Ratio) << std::hex << c.Fg << " on " << c.Bg;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Passes(Hundredths, kCriteria[i]), c.Passed[i] == 'P') << c.Ratio << " " << i;
    }
}

TEST(Contrast, SimulatedColoursFollowTheMatrices) {
    struct TCase { std::uint32_t Color; TVision Vision; std::uint32_t Seen; };
    const TCase kCases[] = {
        {0xFF0000, TVision::Protanopia, 0x6D5F00},    // blue -0.0039 clipped to 0
        {0xFF0000, TVision::Deuteranopia, 0xA39000},  {0xFF0000, TVision::Tritanopia, 0xFF000F},
        {0x00FF00, TVision::Protanopia, 0xFFE500},    // red 1.0526 clipped to 1
        {0x3366CC, TVision::Protanopia, 0x2872D0},    {0x3366CC, TVision::Deuteranopia, 0x0064CA},
        {0x3366CC, TVision::Tritanopia, 0x007E8F},    {0x80C040, TVision::Protanopia, 0xC8B22E},
        {0x80C040, TVision::Deuteranopia, 0xBFAD4B},  {0x80C040, TVision::Tritanopia, 0x82B8A6},
        {0xFF0000, TVision::Achromatopsia, 0x7F7F7F}, {0x80C040, TVision::Achromatopsia, 0xAFAFAF},
        {0x3366CC, TVision::Normal, 0x3366CC},
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(Simulate(Rgb(c.Color), c.Vision), Rgb(c.Seen))
            << std::hex << c.Color << " " << static_cast<int>(c.Vision);
}

TEST(Contrast, GreysStayGreyAndTheirLuminanceFollowsTheFormula) {
    for (int Level = 0; Level <= 255; ++Level) {
        const TColor Grey = MakeColor(Level, Level, Level);
        const double C = Level / 255.0;
        EXPECT_NEAR(RelativeLuminance(Grey),
                    C <= 0.04045 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4), 1e-12) << Level;
        for (int Vision = 0; Vision <= 4; ++Vision)
            EXPECT_EQ(Simulate(Grey, static_cast<TVision>(Vision)), Grey) << Level << " " << Vision;
    }
}

TEST(Contrast, OverlayMixesEachChannelWithHalvesUp) {
    struct TCase { std::uint32_t Fore, Back; int Percent; std::uint32_t Seen; };
    const TCase kCases[] = {
        {0xFF8000, 0x0080FF, 100, 0xFF8000}, {0xFF8000, 0x0080FF, 0, 0x0080FF},
        {0xFF8000, 0x0080FF, 150, 0xFF8000}, {0xFF8000, 0x0080FF, -20, 0x0080FF},  // clamped
        {0x010203, 0x000000, 50, 0x010102},  // 0.5 up to 1, 1 stays, 1.5 up to 2
        {0x336699, 0xFFFFFF, 60, 0x85A3C2},  // 133.1, 163.2, 193.8
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(Overlay(Rgb(c.Fore), Rgb(c.Back), c.Percent), Rgb(c.Seen))
            << std::hex << c.Fore << " over " << c.Back << " at " << std::dec << c.Percent;
}

// "fg 450: 767676 4.54:1", or "none" when nothing reaches the threshold.
std::string Written(TSide Side, int Target, const TSuggestion& S) {
    char Text[40] = "none";
    if (S.Reachable)
        std::snprintf(Text, sizeof Text, "%02X%02X%02X %s", RedOf(S.Color), GreenOf(S.Color),
                      BlueOf(S.Color), RatioText(S.RatioHundredths).c_str());
    return (Side == TSide::Foreground ? "fg " : "bg ") + std::to_string(Target) + ": " + Text;
}

std::vector<std::string> SuggestionsOfTheTable() {
    std::vector<std::string> Rows;
    for (const TExpectedSuggestion& E : kExpectedSuggestions)
        Rows.push_back(Written(E.Side, E.Target,
                               Suggest(Rgb(E.Fore), Rgb(E.Back), E.Opacity, E.Side, E.Target)));
    return Rows;
}

// Exact: the library works in doubles, we on the extended format, but no suggestion of these
// pairs lies near enough to a rounding edge or to the mapping's JND for that to show; nor may
// any change under a floating-point state a caller leaves behind.
TEST(Contrast, SuggestionsMatchTheLibraryUnderAnyFloatingPointState) {
    std::vector<std::string> Expected;
    for (const TExpectedSuggestion& E : kExpectedSuggestions)
        Expected.push_back(Written(E.Side, E.Target, {E.Reachable, Rgb(E.Color), E.Ratio}));
    EXPECT_EQ(SuggestionsOfTheTable(), Expected);
    ExpectTheSameUnderAnyFloatingPointState(Expected, SuggestionsOfTheTable);
}

TEST(Contrast, BadInputIsHarmless) {
    EXPECT_EQ(Simulate(0xFFFFFFFF, TVision::Normal), Rgb(0xFFFFFF));  // a failed screen read
    EXPECT_EQ(Simulate(Rgb(0x3366CC), static_cast<TVision>(99)), Rgb(0x3366CC));
    EXPECT_EQ(RatioHundredths(0xFFFFFFFF, 0xFF000000), 2100);
    EXPECT_EQ(Overlay(0xFFFFFFFF, 0xFF000000, 100), Rgb(0xFFFFFF));
    EXPECT_EQ(Suggest(0xFF000000 | Rgb(0x777777), 0xFFFFFFFF, 100, TSide::Foreground, 450).Color,
              Rgb(0x767676));
    EXPECT_EQ(RatioText(-5), "-0.05:1");
    EXPECT_EQ(RatioText(INT_MIN), "-21474836.48:1");
}

// Every figure for a spread of colours (a stride through all 2^24), pinned to a constant that
// was taken after checking each ratio and colour against the 40-digit model: the Linux build
// and the Windows program give the same bits.
TEST(Contrast, EveryBuildGivesTheSameFigures) {
    TDigest Digest;
    for (std::uint32_t i = 0; i < 20000; ++i) {
        const TColor Color = i * 0x9E3779u & 0xFFFFFF, Other = (i + 1) * 0x9E3779u & 0xFFFFFF;
        for (char C : RatioText(RatioHundredths(Color, Other))) Digest.Add(C);
        for (int Vision = 1; Vision <= 4; ++Vision)
            Digest.Add(static_cast<int>(Simulate(Color, static_cast<TVision>(Vision))));
        const double Luminance = RelativeLuminance(Color);
        std::uint64_t Bits;
        std::memcpy(&Bits, &Luminance, sizeof Bits);
        Digest.Add(static_cast<int>(Bits)), Digest.Add(static_cast<int>(Bits >> 32));
    }
    EXPECT_EQ(Digest.Value, 0x069e703f44a6867cull)
        << "some figure comes out differently in this build";
}

}  // namespace
