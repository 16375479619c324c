// Text helpers and colour notations. Pure code: runs in the Linux and the Windows build.

#include "notation/ColorText.h"
#include "util/TextUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using namespace std::string_literals;

TEST(TextUtil, TrimRemovesBlanksAndControlCharactersAtBothEnds) {
    struct TCase {
        std::string Text, Expected;
    };
    const TCase kCases[] = {
        {"", ""}, {" \t\r\n", ""}, {"  abc  ", "abc"}, {"\x01\x1F abc\r\n", "abc"},
        {"\0x\0"s, "x"},
        {" a b ", "a b"},                  // inner blanks stay
        {"\177a\177", "\177a\177"},        // 127 is above 32
        {"\xA0\xB6\xA0", "\xA0\xB6\xA0"},  // bytes above 127 are text, however char is signed
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(TextUtil::Trim(c.Text), c.Expected) << "[" << c.Text << "]";
}

TEST(TextUtil, IntToHexIsUpperCaseAndAtLeastTheGivenDigits) {
    struct TCase {
        std::uint32_t Value;
        int Digits;
        std::string Expected;
    };
    const TCase kCases[] = {
        {0, 0, "0"},           {0, 2, "00"},         {0xA, 1, "A"},
        {0xFF, 2, "FF"},       {0xABC, 2, "ABC"},    {0x80FF, 6, "0080FF"},
        {0xFFFFFF, 6, "FFFFFF"}, {0xFFFFFFFF, 6, "FFFFFFFF"}, {0x1F, 8, "0000001F"},
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(TextUtil::IntToHex(c.Value, c.Digits), c.Expected)
            << std::hex << c.Value << " in " << std::dec << c.Digits << " digits";
}

TEST(TextUtil, TryStrToIntAcceptsSignedDecimalAndMarkedHex) {
    struct TCase {
        const char* Text;
        std::int32_t Expected;
    };
    const TCase kCases[] = {
        {"0", 0}, {"007", 7}, {"+5", 5}, {"-3", -3},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"$A", 10}, {"$ff", 255}, {"xFf", 255}, {"X10", 16}, {"0x14", 20}, {"0X1a", 26},
        {"-$A", -10}, {"+0x10", 16},
        {"$0000000000FF", 255},  // leading zeros do not count towards the 32 bits
        // Hexadecimal is a 32-bit pattern; a minus sign negates the pattern.
        {"$7FFFFFFF", INT_MAX}, {"$80000000", INT_MIN}, {"$FFFFFFFF", -1}, {"-$FFFFFFFF", 1},
    };
    for (const TCase& c : kCases) {
        std::int32_t value = 12345;
        EXPECT_TRUE(TextUtil::TryStrToInt(c.Text, value)) << "[" << c.Text << "]";
        EXPECT_EQ(value, c.Expected) << "[" << c.Text << "]";
    }
}

TEST(TextUtil, TryStrToIntRejectsEverythingElseWithoutWrapping) {
    const char* const kCases[] = {
        "", "+", "-", "$", "x", "0x", "-$", "abc", "12a", "1.5", " 1", "1 ", "--1", "+-1",
        "$-1", "0x$1", "$$1", "$G", "1e3", "0b1",
        "2147483648",   // one above the int32 range must fail, not wrap to INT_MIN
        "-2147483649",  // likewise below
        "4294967296",   // wraps to 0 in 32 bits
        "99999999999999999999999",
        "$100000000",   // 33 bits
        "$FFFFFFFFFFFFFFFFF",
    };
    for (const char* text : kCases) {
        std::int32_t value = 12345;
        EXPECT_FALSE(TextUtil::TryStrToInt(text, value)) << "[" << text << "]";
        EXPECT_EQ(value, 12345) << "[" << text << "] changed the value on failure";
    }
    std::int32_t value = 12345;
    EXPECT_FALSE(TextUtil::TryStrToInt("1\0"s + "2", value)) << "embedded NUL";
}

TEST(ColorText, SevenNotations) {
    struct TCase {
        TColor Color;
        const char* Expected[7];
    };
    const TCase kCases[] = {
        {0x000080FF,
         {"255, 128, 0", "33023", "FF8000", "#FF8000", "$000080FF", "&H000080FF&", "0x0080FF"}},
        {0x000000FF,
         {"255, 0, 0", "255", "FF0000", "#FF0000", "$000000FF", "&H000000FF&", "0x0000FF"}},
        {0x00FFFFFF,
         {"255, 255, 255", "16777215", "FFFFFF", "#FFFFFF", "$00FFFFFF", "&H00FFFFFF&",
          "0xFFFFFF"}},
        {0x00000000, {"0, 0, 0", "0", "000000", "#000000", "$00000000", "&H00000000&", "0x000000"}},
        {0x00030201,
         {"1, 2, 3", "197121", "010203", "#010203", "$00030201", "&H00030201&", "0x030201"}},
        // A failed screen read: channels from the low bytes, the value with its top byte.
        {0xFFFFFFFF,
         {"255, 255, 255", "-1", "FFFFFF", "#FFFFFF", "$00FFFFFFFF", "&H00FFFFFFFF&",
          "0xFFFFFFFF"}},
    };
    for (const TCase& c : kCases) {
        for (int index = 1; index <= 7; ++index)
            EXPECT_EQ(ColorText::Notation(c.Color, index), c.Expected[index - 1])
                << "colour 0x" << std::hex << c.Color << std::dec << ", notation " << index;
        EXPECT_EQ(ColorText::FromColor(c.Color), c.Expected[3]) << "colour text";
    }
    EXPECT_THROW(ColorText::Notation(0, 8), std::out_of_range);
}

TEST(ColorText, ColorTextConvertsBackByItsPairs) {
    struct TCase {
        const char* Text;
        const char* Conversion;
        bool Converts;
        TColor Color;
    };
    const TCase kCases[] = {
        {"#FF8000", "$0080FF", true, 0x000080FF},
        {"#ff8000", "$0080ff", true, 0x000080FF},
        {"#010203", "$030201", true, 0x00030201},
        {"#FFFFFF", "$FFFFFF", true, 0x00FFFFFF},
        {"#FF80001", "$0080FF", true, 0x000080FF},  // characters after the 7th are not used
        {"#12", "$12", true, 0x12},                 // missing pairs are empty
        {"#1", "$1", true, 0x1},
        {"#", "$", false, 0},
        {"", "$", false, 0},
        {"#GG0000", "$0000GG", false, 0},
        {"# 12345", "$4523 1", false, 0},
        {"#-12345", "$4523-1", false, 0},
    };
    for (const TCase& c : kCases) {
        EXPECT_EQ(ColorText::ConversionText(c.Text), c.Conversion) << "[" << c.Text << "]";
        TColor color = 0xDEADBEEF;
        EXPECT_EQ(ColorText::TryToColor(c.Text, color), c.Converts) << "[" << c.Text << "]";
        EXPECT_EQ(color, c.Converts ? c.Color : 0xDEADBEEF) << "[" << c.Text << "]";
    }
}

TEST(ColorText, EveryColorSurvivesItsColorText) {
    for (int red = 0; red < 256; red += 3)
        for (int green = 0; green < 256; green += 5)
            for (int blue = 0; blue < 256; blue += 7) {
                const TColor color = MakeColor(red, green, blue);
                TColor back = 0;
                ASSERT_TRUE(ColorText::TryToColor(ColorText::FromColor(color), back))
                    << ColorText::FromColor(color);
                ASSERT_EQ(back, color) << ColorText::FromColor(color);
            }
}

}  // namespace
