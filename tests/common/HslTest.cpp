// TVop's HSL conversions. Runs in the Linux build and in the Windows build under Wine; both
// must give the same channels for every input.

#include "Digest.h"
#include "colour/VopClass.h"
#include "X87State.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cstdint>
#include <tuple>
#include <vector>

namespace {

struct TRgbHsl {
    int R, G, B, H, S, L;
};

// RGB -> HSL.
const TRgbHsl kRgbToHsl[] = {
    {255, 0, 0, 0, 240, 120},
    {255, 128, 0, 20, 240, 120},
    {255, 255, 0, 40, 240, 120},
    {0, 128, 128, 120, 240, 60},
    {255, 0, 255, 200, 240, 120},
    {255, 0, 1, 240, 240, 120},  // a hue just below 1 rounds up to 240, not 0
    {100, 150, 200, 140, 114, 141},
    {1, 2, 3, 140, 120, 2},
    {128, 128, 128, 0, 0, 120},
    {127, 127, 127, 0, 0, 120},
    {192, 192, 192, 0, 0, 181},
    {255, 255, 255, 0, 0, 240},
    {0, 0, 0, 0, 0, 0},
    // The extended value of S*240 is just above 22.5 and H*240 just below 159.5; exact
    // arithmetic would give 22 and 160.
    {35, 29, 29, 0, 23, 30},
    {0, 1, 80, 159, 240, 38},
};

// HSL -> RGB.
const TRgbHsl kHslToRgb[] = {
    {255, 0, 0, 0, 240, 120},
    {255, 0, 0, 240, 240, 120},
    {255, 128, 0, 20, 240, 120},
    {249, 255, 0, 41, 240, 120},
    {255, 76, 0, 12, 240, 120},
    {128, 128, 128, 0, 0, 120},
    {64, 192, 64, 80, 120, 120},
    {192, 70, 64, 2, 120, 120},  // saturation step gives 70.5: even is 70
    {128, 0, 0, 0, 240, 60},     // 127.5 -> 128
    {255, 128, 128, 0, 240, 180},
    {213, 213, 213, 100, 0, 200},
    {193, 193, 193, 0, 0, 181},  // 192,192,192 went to 0,0,181; it does not come back
    {100, 150, 200, 140, 114, 141},
    {255, 255, 255, 0, 0, 240},
    {0, 0, 0, 0, 240, 0},
    // Hue ramp halves at offsets 4, 12, 20, 28, 36 into a sector, rising and falling.
    {255, 26, 0, 4, 240, 120},
    {255, 178, 0, 28, 240, 120},
    {255, 230, 0, 36, 240, 120},
    {230, 255, 0, 44, 240, 120},
    {0, 255, 76, 92, 240, 120},
    {0, 178, 255, 132, 240, 120},
    {255, 0, 26, 236, 240, 120},
    // The doubles d (first two) and c (third) sit just off the exact fraction, so the result
    // misses the half that exact arithmetic would give (93.5, 110.5, 116.5) and rounds the
    // other way.
    {255, 93, 93, 0, 240, 164},
    {255, 111, 111, 0, 240, 172},
    {141, 117, 115, 2, 24, 120},
};

TEST(HslConversion, RgbToHslExamples) {
    for (const TRgbHsl& c : kRgbToHsl) {
        int h = -1, s = -1, l = -1;
        TVop::RGBToHSL(c.R, c.G, c.B, h, s, l);
        EXPECT_EQ(std::tie(h, s, l), std::tie(c.H, c.S, c.L))
            << "RGB " << c.R << "," << c.G << "," << c.B;
    }
}

TEST(HslConversion, HslToRgbExamples) {
    for (const TRgbHsl& c : kHslToRgb) {
        int r = -1, g = -1, b = -1;
        TVop::HSLToRGB(c.H, c.S, c.L, r, g, b);
        EXPECT_EQ(std::tie(r, g, b), std::tie(c.R, c.G, c.B))
            << "HSL " << c.H << "," << c.S << "," << c.L;
    }
}

TEST(HslConversion, HslOutsideRangeGivesBlack) {
    const int kBad[] = {-1, 241, INT_MIN, INT_MAX};
    for (int bad : kBad) {
        const int kInputs[][3] = {{bad, 120, 120}, {120, bad, 120}, {120, 120, bad}};
        for (const auto& in : kInputs) {
            int r = -1, g = -1, b = -1;
            TVop::HSLToRGB(in[0], in[1], in[2], r, g, b);
            EXPECT_EQ(std::tie(r, g, b), std::make_tuple(0, 0, 0))
                << "HSL " << in[0] << "," << in[1] << "," << in[2];
        }
    }
}

// A fault ends the conversion quietly; outputs keep what was written before it.
TEST(HslConversion, ArithmeticFaultReturnsOutputsWrittenSoFar) {
    struct TCase {
        int R, G, B, H, S, L;
        const char* Why;
    };
    const TCase kCases[] = {
        {510, 0, 0, 0, 0, 0, "saturation divisor (2 - max) - min is zero"},
        {255, -255, 0, 0, 0, 0, "saturation divisor max + min is zero"},
        {INT_MAX, INT_MIN, 0, 220, 0, 0, "saturation does not fit an int; hue already written"},
    };
    for (const TCase& c : kCases) {
        int h = -1, s = -1, l = -1;
        TVop::RGBToHSL(c.R, c.G, c.B, h, s, l);
        EXPECT_EQ(std::tie(h, s, l), std::tie(c.H, c.S, c.L)) << c.Why;
    }
}

// Digests of every output of an exhaustive run. The expected values were taken from this
// implementation after checking it against an exact rational model of the same rounding
// steps; they pin every build (compiler, flags, Linux or Windows) to the very same channels.

TEST(HslConversion, EveryRgbGivesHslInRangeAndGreysHaveNoHue) {
    TDigest digest;
    int failures = 0;
    for (int r = 0; r <= 255; ++r)
        for (int g = 0; g <= 255; ++g)
            for (int b = 0; b <= 255; ++b) {
                int h, s, l;
                TVop::RGBToHSL(r, g, b, h, s, l);
                digest.Add(h), digest.Add(s), digest.Add(l);
                const bool inRange = h >= 0 && h <= 240 && s >= 0 && s <= 240 && l >= 0 && l <= 240;
                const bool greyOk = !(r == g && g == b) || (h == 0 && s == 0);
                if ((!inRange || !greyOk) && ++failures <= 10)
                    ADD_FAILURE() << "RGB " << r << "," << g << "," << b << " gave " << h << ","
                                  << s << "," << l;
            }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(digest.Value, 0x9a2987eca4314190ull)
        << "some RGB input converts differently in this build";
}

TEST(HslConversion, EveryHslGivesRgbInRange) {
    TDigest digest;
    int failures = 0;
    for (int h = 0; h <= 240; ++h)
        for (int s = 0; s <= 240; ++s)
            for (int l = 0; l <= 240; ++l) {
                int r, g, b;
                TVop::HSLToRGB(h, s, l, r, g, b);
                digest.Add(r), digest.Add(g), digest.Add(b);
                int r0 = r, g0 = g, b0 = b;  // hue 0 and 240 are the same red
                if (h == 240) TVop::HSLToRGB(0, s, l, r0, g0, b0);
                const bool ok = r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255 &&
                                (s != 0 || (r == g && g == b)) &&
                                (l != 240 || r + g + b == 3 * 255) && (l != 0 || r + g + b == 0) &&
                                r == r0 && g == g0 && b == b0;
                if (!ok && ++failures <= 10)
                    ADD_FAILURE() << "HSL " << h << "," << s << "," << l << " gave " << r << ","
                                  << g << "," << b;
            }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(digest.Value, 0xf08590a37b4e7d8dull)
        << "some HSL input converts differently in this build";
}

// Every output for a spread of inputs, in a fixed order, to compare runs under different
// floating-point states.
std::vector<int> Sweep() {
    std::vector<int> out;
    auto rgb = [&out](int r, int g, int b) {
        int h, s, l;
        TVop::RGBToHSL(r, g, b, h, s, l);
        out.insert(out.end(), {h, s, l});
    };
    auto hsl = [&out](int h, int s, int l) {
        int r, g, b;
        TVop::HSLToRGB(h, s, l, r, g, b);
        out.insert(out.end(), {r, g, b});
    };
    for (const TRgbHsl& c : kRgbToHsl) rgb(c.R, c.G, c.B);
    for (const TRgbHsl& c : kHslToRgb) hsl(c.H, c.S, c.L);
    rgb(510, 0, 0);
    // Co-prime steps mix the channels; at 53-bit precision about 1 in 250 of these RGB
    // inputs and 1 in 25 of the HSL inputs come out differently.
    for (int r = 0; r <= 255; r += 9)
        for (int g = 0; g <= 255; g += 7)
            for (int b = 0; b <= 255; b += 11) rgb(r, g, b);
    for (int h = 0; h <= 240; h += 5)
        for (int s = 0; s <= 240; s += 7)
            for (int l = 0; l <= 240; l += 11) hsl(h, s, l);
    return out;
}

void ExpectSameSweep(const std::vector<int>& expected, const std::vector<int>& actual,
                     const char* state) {
    ASSERT_EQ(expected.size(), actual.size()) << state;
    int differences = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i] != actual[i] && ++differences <= 5)
            ADD_FAILURE() << state << ": output " << i << " is " << actual[i] << ", expected "
                          << expected[i];
    EXPECT_EQ(differences, 0) << state;
}

// A thread made by CreateThread under Wine starts at 53-bit precision, and any library may
// leave its own control word or rounding mode behind; none of that may change a channel. The
// caller's control word must come back unchanged.
TEST(HslConversion, ResultsIgnoreTheFloatingPointState) {
    const unsigned short original = X87ControlWord();
    const std::vector<int> expected = Sweep();
    const struct {
        unsigned short Word;
        const char* Name;
    } kX87States[] = {
        {0x027F, "53-bit precision"},
        {0x007F, "24-bit precision"},
        {0x077F, "64-bit, round down"},
        {0x0B7F, "64-bit, round up"},
        {0x0F7F, "64-bit, round toward zero"},
        {0x067F, "53-bit, round down"},
        {0x0372, "invalid, zero-divide and overflow unmasked"},
    };
    for (const auto& state : kX87States) {
        SetX87ControlWord(state.Word);
        const std::vector<int> actual = Sweep();
        const unsigned short after = X87ControlWord();
        SetX87ControlWord(original);
        EXPECT_EQ(after, state.Word) << state.Name << ": caller's control word not restored";
        ExpectSameSweep(expected, actual, state.Name);
    }
    // fesetround sets the SSE rounding mode as well as the x87 one.
    const struct {
        int Mode;
        const char* Name;
    } kModes[] = {{FE_DOWNWARD, "fesetround downward"}, {FE_UPWARD, "fesetround upward"}};
    for (const auto& m : kModes) {
        ASSERT_EQ(std::fesetround(m.Mode), 0) << m.Name;
        const std::vector<int> actual = Sweep();
        std::fesetround(FE_TONEAREST);
        ExpectSameSweep(expected, actual, m.Name);
    }
}

}  // namespace
