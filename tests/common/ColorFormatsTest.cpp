// The eight more notations and the colour parser. Pure code: runs in the Linux and the
// Windows build, and both must write the very same texts.

#include "notation/ColorFormats.h"
#include "colour/ColorNames.h"
#include "notation/ColorParse.h"
#include "notation/ColorText.h"
#include "X87State.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr TColor Rgb(std::uint32_t rgb) {
    return MakeColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

std::uint64_t Fnv(const char* text, std::uint64_t hash = 14695981039346656037ull) {
    for (; *text != '\0'; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * 1099511628211ull;
    return hash;
}

// Runs check(color) for every step-th colour, the range split across threads (which under
// Wine start at 53-bit x87 precision, so the conversions' own pinning is tested too). check
// returns what went wrong, or nothing; the result is how many colours failed.
template <class TCheck>
int ForColors(int step, TCheck check) {
    const int threads = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<int> failures{0};
    std::vector<std::string> firstFailures(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int c = t * step; c < 0x1000000; c += threads * step) {
                const std::string failure = check(static_cast<TColor>(c));
                if (!failure.empty() && failures++ < 10) firstFailures[t] += failure + "\n";
            }
        });
    for (std::thread& worker : workers) worker.join();
    for (const std::string& text : firstFailures)
        if (!text.empty()) ADD_FAILURE() << text;
    return failures;
}

TEST(MoreNotations, WorkedExamples) {
    struct TCase {
        TColor Color;
        const char* Texts[ColorFormats::kMoreNotationCount];
    };
    const TCase kCases[] = {
        {Rgb(0xFF8000), {}},  // the list's own worked examples
        {Rgb(0xFF0000),
         {"rgb(255, 0, 0)", "hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "cmyk(0%, 100%, 100%, 0%)",
          "lab(54.29 80.8 69.89)", "oklch(62.8% 0.2577 29.23)", "#ff0000", "red"}},
        {Rgb(0x123456),
         {"rgb(18, 52, 86)", "hsl(210, 65%, 20%)", "hsv(210, 79%, 34%)", "cmyk(79%, 40%, 0%, 66%)",
          "lab(20.68 -2.28 -24.59)", "oklch(31.92% 0.0725 251.17)", "#123456", "midnightblue"}},
        {Rgb(0xFFFFFF),
         {"rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)", "cmyk(0%, 0%, 0%, 0%)",
          "lab(100 0 0)", "oklch(100% 0 0)", "#ffffff", "white"}},
        {Rgb(0x000000),
         {"rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "cmyk(0%, 0%, 0%, 100%)", "lab(0 0 0)",
          "oklch(0% 0 0)", "#000000", "black"}},
        // A grey has no hue; of two names for one colour the first in the alphabet wins.
        {Rgb(0x808080),
         {"rgb(128, 128, 128)", "hsl(0, 0%, 50%)", "hsv(0, 0%, 50%)", "cmyk(0%, 0%, 0%, 50%)",
          "lab(53.59 0 0)", "oklch(59.99% 0 0)", "#808080", "gray"}},
        {Rgb(0x00FFFF),
         {"rgb(0, 255, 255)", "hsl(180, 100%, 50%)", "hsv(180, 100%, 100%)",
          "cmyk(100%, 0%, 0%, 0%)", "lab(90.67 -50.66 -14.96)", "oklch(90.54% 0.1546 194.77)",
          "#00ffff", "aqua"}},
        // Exact halves go up: hue 0.5 and cyan 0.5 %. Hue 359.76 rounds to 360, written as 0.
        {Rgb(0x780100),
         {"rgb(120, 1, 0)", "hsl(1, 100%, 24%)", "hsv(1, 100%, 47%)", "cmyk(0%, 99%, 100%, 53%)",
          "lab(24.32 46.08 36.95)", "oklch(36.01% 0.1471 29.4)", "#780100", "maroon"}},
        {Rgb(0xC7C800),
         {"rgb(199, 200, 0)", "hsl(60, 100%, 39%)", "hsv(60, 100%, 78%)", "cmyk(1%, 0%, 100%, 22%)",
          "lab(78.53 -13.54 77.67)", "oklch(80.53% 0.176 110.14)", "#c7c800", "yellowgreen"}},
        {Rgb(0xFF0001) | 0xAB000000,  // the top byte is not part of the colour
         {"rgb(255, 0, 1)", "hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "cmyk(0%, 100%, 100%, 0%)",
          "lab(54.29 80.81 69.63)", "oklch(62.8% 0.2576 29.18)", "#ff0001", "red"}},
    };
    for (const TCase& c : kCases)
        for (int index = 1; index <= ColorFormats::kMoreNotationCount; ++index) {
            const char* text = c.Texts[0] ? c.Texts[index - 1] : ColorFormats::kWorkedExamples[index - 1];
            ASSERT_NE(text, nullptr) << "no worked example of notation " << index;
            EXPECT_EQ(ColorFormats::MoreNotation(c.Color, index), text)
                << "colour 0x" << std::hex << c.Color << std::dec << ", notation " << index;
        }
    EXPECT_THROW(ColorFormats::MoreNotation(0, 0), std::out_of_range);
    EXPECT_THROW(ColorFormats::MoreNotation(0, ColorFormats::kMoreNotationCount + 1), std::out_of_range);
}

// The conversions pin the x87 unit themselves: a caller's precision, rounding or unmasked
// exceptions (a library's leftovers; a new thread under Wine starts at 53 bits) change no text
// and no colour read back, and the caller's control word comes back.
TEST(MoreNotations, TextsIgnoreTheFloatingPointState) {
    const auto sweep = [] {
        std::string all;
        for (TColor color = 0; color < 0x1000000; color += 40961)
            for (int index = 1; index <= ColorFormats::kMoreNotationCount; ++index) {
                const std::string text = ColorFormats::MoreNotation(color, index);
                TColor back = 0;
                ColorParse::ParseColor(text, back);
                all += text + " " + std::to_string(back) + "\n";
            }
        return all;
    };
    const std::string expected = sweep();
    const unsigned short original = X87ControlWord();
    for (const unsigned short word : {0x027F, 0x007F, 0x0B7F, 0x0F7F, 0x0372}) {
        SetX87ControlWord(word);
        const std::string actual = sweep();
        const unsigned short after = X87ControlWord();
        SetX87ControlWord(original);
        EXPECT_EQ(after, word);
        EXPECT_EQ(actual, expected) << "x87 control word " << std::hex << word;
    }
    for (const int mode : {FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        const std::string actual = sweep();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(actual, expected) << "rounding mode " << mode;
    }
}

// The list is in alphabetical order (the parser halves it to find a name); every name reads
// as its colour, whose nearest name is itself or an alias earlier in the alphabet.
TEST(MoreNotations, EveryNameReadsAsItsColour) {
    using ColorNames::kNamedColors;
    for (int i = 0; i < ColorNames::kNamedColorCount; ++i) {
        const char* name = kNamedColors[i].Name;
        if (i > 0) {
            EXPECT_LT(std::string(kNamedColors[i - 1].Name), name);
        }
        TColor color = 0xDEADBEEF, alias = 0xDEADBEEF;
        EXPECT_TRUE(ColorParse::ParseColor(name, color)) << name;
        EXPECT_EQ(color, kNamedColors[i].Color) << name;
        const std::string nearest = ColorNames::NearestName(color);
        EXPECT_TRUE(nearest <= name && ColorParse::ParseColor(nearest, alias) && alias == color)
            << name << " is written " << nearest;
    }
}

TEST(ParseColor, ReadsEveryFormAndRefusesAllElse) {
    constexpr TColor kRefused = 0xDEADBEEF;  // what Out keeps when the text is no colour
    const TColor kOrange = Rgb(0xFF8000);
    struct TCase {
        std::string Text;
        TColor Expected;
    };
    const TCase kCases[] = {
        // The main window's seven, and their variants.
        {"255, 128, 0", kOrange}, {"255 128 0", kOrange}, {" \t255 ,128,  0\r\n", kOrange},
        {"33023", kOrange}, {"FF8000", kOrange}, {"#Ff8000", kOrange}, {"$000080FF", kOrange},
        {"&H000080FF&", kOrange}, {"&h80ff", kOrange}, {"0x0080FF", kOrange}, {"0X80ff", kOrange},
        // Six digits are the hex notation; other runs of digits the decimal one.
        {"123456", Rgb(0x123456)}, {"255", Rgb(0xFF0000)}, {"0016777215", Rgb(0xFFFFFF)},
        {"#f80", Rgb(0xFF8800)},
        // CSS and the program's other texts.
        {"rgb(255, 128, 0)", kOrange}, {"RGBA(255,128,0,.5)", kOrange},
        {"rgb(255 128 0 / 50%)", kOrange}, {"rgb(100%, 50%, 0%)", kOrange},
        {"rgb(254.5 127.5 0.49)", kOrange}, {"hsl(30, 100%, 50%)", kOrange},
        {"hsla(30deg 100 50 / 0)", kOrange}, {"hsv(30, 100%, 100%)", kOrange},
        {"cmyk(0%, 50%, 100%, 0%)", kOrange}, {"lab(67.82 45.49 74.84)", kOrange},
        {"lab(67.82% 45.49 74.84 / 1)", kOrange}, {"oklch(73.19% 0.1858 52.98)", kOrange},
        {"oklch(0.7319 0.1858 52.98deg)", kOrange}, {"DarkOrange", Rgb(0xFF8C00)},
        {"grey", Rgb(0x808080)}, {"hsl(360, 100%, 50%)", Rgb(0xFF0000)},
        {"oklch(0.6279553606145516 0.25768330773615683 29.2338851923426)", Rgb(0xFF0000)},
        {"rgb(000000000000000000000000255, 0, 0)", Rgb(0xFF0000)},
        // Outside sRGB, clipped channel by channel.
        {"lab(100 0 -200)", Rgb(0x00FFFF)}, {"oklch(50% 1 0)", Rgb(0xFF004C)},
        // Not colours.
        {"", kRefused}, {" \r\n", kRefused}, {"#", kRefused}, {"#12", kRefused},
        {"#12345", kRefused}, {"#1234567", kRefused}, {"#ff800", kRefused}, {"ff80000", kRefused},
        {"16777216", kRefused}, {"-1", kRefused}, {"+5", kRefused}, {"$1000000", kRefused},
        {"0x", kRefused}, {"&H&", kRefused}, {"&H80FF&&", kRefused}, {"256, 0, 0", kRefused},
        {"1.5, 2, 3", kRefused}, {"+1, 2, 3", kRefused}, {"1, 2", kRefused},
        {"1, 2 3", kRefused}, {"1, 2, 3, 4", kRefused},
        {"rgb(256, 0, 0)", kRefused}, {"rgb(-1, 0, 0)", kRefused}, {"rgb(101%, 0, 0)", kRefused},
        {"rgb(255, 128)", kRefused}, {"rgb(255 128, 0)", kRefused}, {"rgb(255,,0)", kRefused},
        {"rgb(255, 128, 0 / 1)", kRefused}, {"rgb(255 128 0, 1)", kRefused},
        {"rgb(255, 128, 0, 2)", kRefused}, {"rgb(255, 128, 0, 1, 1)", kRefused},
        {"rgb (255, 128, 0)", kRefused}, {"rgb(255, 128, 0", kRefused},
        {"rgb(1e2, 0, 0)", kRefused}, {"rgb(5., 0, 0)", kRefused}, {"rgb(50 %, 0, 0)", kRefused},
        {"rgb(1234567890123456789, 0, 0)", kRefused}, {"rgb(0deg, 0, 0)", kRefused},
        {"hsl(30, 101%, 50%)", kRefused}, {"hsl(-30, 50%, 50%)", kRefused},
        {"hsl(360.01, 50%, 50%)", kRefused}, {"hsl(30%, 50%, 50%)", kRefused},
        {"hsv(30 50% 50% / 1)", kRefused}, {"cmyk(0%, 50%, 100%)", kRefused},
        {"lab(100.01 0 0)", kRefused}, {"lab(50 1% 0)", kRefused}, {"oklch(50% -0.1 0)", kRefused},
        {"oklch(1.01 0.1 0)", kRefused}, {"rgb(255, 128, 0));", kRefused},
        {"transparent", kRefused}, {"darkorangex", kRefused}, {"dark orange", kRefused},
        {"#ff8000\0"s, kRefused}, {"\0#ff8000"s, kRefused}, {"#ff\0" "8000"s, kRefused},
        {"\xEF\xBC\x83" "ff8000", kRefused},  // a full-width '#'
        {std::string(1000, ' ') + "#ff8000" + std::string(1000, '\n'), kOrange},
        {"rgb(" + std::string(300, '0') + "255, 0, 0)", kRefused},  // over 256 characters
    };
    for (const TCase& c : kCases) {
        TColor color = kRefused;
        EXPECT_EQ(ColorParse::ParseColor(c.Text, color), c.Expected != kRefused) << "[" << c.Text << "]";
        EXPECT_EQ(color, c.Expected) << "[" << c.Text << "]";
    }
}

// A notation of either family: the main window's seven (ColorText) or the eight more.
struct TNotation {
    bool More;
    int Index;
};

int Write(char* Text, std::size_t Size, TColor Color, TNotation Notation) {
    return Notation.More ? ColorFormats::FormatMoreNotation(Text, Size, Color, Notation.Index)
                         : ColorText::FormatNotation(Text, Size, Color, Notation.Index);
}

// Every colour through every text that keeps it exactly: rgb(), lab(), oklch() and the
// lower-case hex, and on every 61st colour the main window's seven too (the decimal one except
// where it has six digits, which read as hex; their texts come from snprintf, which would take
// a minute over every colour). OKLCH's precision is coarser than 8 bits in places: 4387
// colours write the same text as a neighbour and read back as that neighbour, which writes
// the text again. The Linux build takes every colour and the Windows build under Wine every
// fifth, which spares it half a minute or more against its two-minute limit. The counts and
// the digest of the Lab and OKLCH texts over that fifth pin both builds to the same texts; the
// Linux build pins those over every colour too (the Windows build gave the same when they
// were taken).
#ifdef _WIN32
constexpr int kRoundTripStep = 5;
#else
constexpr int kRoundTripStep = 1;
#endif

TEST(ParseColor, EveryColourComesBackFromItsTexts) {
    using namespace ColorFormats;
    const TNotation kExact[] = {{true, kCssRgb}, {true, kLab}, {true, kOklch}, {true, kLowerHex},
                                {false, 1}, {false, 2}, {false, 3}, {false, 4}, {false, 5},
                                {false, 6}, {false, 7}};
    struct TTally {
        std::atomic<int> OklchNeighbours{0};
        std::atomic<std::uint64_t> Digest{0};
    } all, fifth;
    const int failures = ForColors(kRoundTripStep, [&](TColor color) {
        char text[40];
        std::uint64_t hash = 0;
        int neighbours = 0;
        for (const TNotation notation : kExact) {
            if (!notation.More && color % 61 != 0) break;
            const int length = Write(text, sizeof text, color, notation);
            if (!notation.More && notation.Index == 2 && length == 6) continue;
            if (notation.More && (notation.Index == kLab || notation.Index == kOklch))
                hash = Fnv(text, hash);
            TColor back = 0xDEADBEEF;
            if (ColorParse::ParseColor(text, back) && back == color) continue;
            if (notation.More && notation.Index == kOklch && back != 0xDEADBEEF &&
                MoreNotation(back, kOklch) == text) {
                ++neighbours;
                continue;
            }
            return std::string(text) + " read as " + std::to_string(back);
        }
        for (TTally* tally : {&all, color % 5 == 0 ? &fifth : nullptr})
            if (tally) tally->OklchNeighbours += neighbours, tally->Digest += hash;
        return std::string();
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(fifth.OklchNeighbours, 883);
    EXPECT_EQ(fifth.Digest, 13256726486593971749ull) << "some Lab or OKLCH text differs in this build";
    if (kRoundTripStep == 1) {
        EXPECT_EQ(all.OklchNeighbours, 4387);
        EXPECT_EQ(all.Digest, 17346576112120207006ull) << "some Lab or OKLCH text differs";
    }
}

// The rounded texts and the names, over a spread of colours: each reads back as a colour, a
// name as the named colour, which writes the very name again. HSL, HSV and CMYK in whole
// numbers are coarser than 8 bits in places, so a read-back colour writes the same text only
// in most cases; the counts pin that, and the digest pins the names in every build.
TEST(ParseColor, RoundedTextsAndNamesReadBack) {
    using namespace ColorFormats;
    const int kRounded[] = {kCssHsl, kHsv, kCmyk, kColorName};
    std::atomic<int> sameText[kColorName + 1] = {};
    std::atomic<std::uint64_t> names{0};
    const int failures = ForColors(31, [&](TColor color) {
        for (const int index : kRounded) {
            const std::string text = MoreNotation(color, index);
            TColor back = 0xDEADBEEF;
            if (!ColorParse::ParseColor(text, back)) return text + " is not read";
            if (MoreNotation(back, index) == text) ++sameText[index];
        }
        names += Fnv(MoreNotation(color, kColorName).c_str()) * (color + 1);
        return std::string();
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(sameText[kCssHsl], 492970);
    EXPECT_EQ(sameText[kHsv], 512713);
    EXPECT_EQ(sameText[kCmyk], 524258);
    EXPECT_EQ(sameText[kColorName], 541201) << "every name writes itself";
    EXPECT_EQ(names, 2726135154331556275ull) << "some name differs in this build";
}

}  // namespace
