// The values of the settings file and the saved-colour entries, as texts. Pure code: runs in
// the Linux and the Windows build.

#include "settings/SettingsText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace std::string_literals;

TEST(SettingsText, StayOnTopIsOffOnlyForZero) {
    struct TCase {
        std::string Value;
        bool On;
    };
    const TCase kCases[] = {
        {"0", false}, {" 0 ", false}, {"\t0\r\n", false}, {"00", true},  {"false", true},
        {"no", true}, {"", true},     {"1", true},        {"0 0", true}, {"-0", true},
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(SettingsText::StayOnTopFromValue(c.Value), c.On) << "[" << c.Value << "]";
    for (bool on : {false, true})
        EXPECT_EQ(SettingsText::StayOnTopFromValue(SettingsText::StayOnTopValue(on)), on);
}

// Zoom 1..20 else 1, sample 1, 3 or 5 else 1, autocopy 0..7 or f1..f20 else 0.
TEST(SettingsText, ZoomSampleAndAutoCopyAreTheTrimmedNumberInRangeElseTheirDefault) {
    struct TCase {
        const char* Value;
        int Zoom, Sample, AutoCopy;
    };
    const TCase kCases[] = {
        {"7", 7, 1, 7},     {" 20 ", 20, 1, 0}, {"\t1\r\n", 1, 1, 1}, {"21", 1, 1, 0},
        {"0", 1, 1, 0},     {"-3", 1, 1, 0},    {"abc", 1, 1, 0},     {"", 1, 1, 0},
        {"$A", 10, 1, 0},   {"0x14", 20, 1, 0}, {"+5", 5, 5, 5},      {"5x", 1, 1, 0},
        {"25", 1, 1, 0},    {"4294967303", 1, 1, 0},  // would wrap to 7
        {"$FFFFFFFF", 1, 1, 0}, {" 3", 3, 3, 3}, {"4", 4, 1, 4},      {"8", 8, 1, 0},
        // an own format: "f" and its key 1..20
        {" F20 ", 1, 1, 120},   {"f1", 1, 1, 101}, {"f21", 1, 1, 0},  {"f01", 1, 1, 0},  {"f", 1, 1, 0},
    };
    for (const TCase& c : kCases) {
        EXPECT_EQ(SettingsText::ZoomFromValue(c.Value), c.Zoom) << "[" << c.Value << "]";
        EXPECT_EQ(SettingsText::SampleFromValue(c.Value), c.Sample) << "[" << c.Value << "]";
        EXPECT_EQ(SettingsText::AutoCopyFromValue(c.Value), c.AutoCopy) << "[" << c.Value << "]";
    }
    for (int n = 1; n <= 20; ++n) {
        EXPECT_EQ(SettingsText::ZoomFromValue(SettingsText::ZoomValue(n)), n);
        EXPECT_EQ(SettingsText::SampleFromValue(SettingsText::SampleValue(n)),
                  n == 3 || n == 5 ? n : 1);
        EXPECT_EQ(SettingsText::AutoCopyFromValue(SettingsText::AutoCopyValue(n)), n <= 7 ? n : 0);
    }
    EXPECT_EQ(SettingsText::ZoomValue(25), "25");  // written as given; read back as 1
    EXPECT_EQ(SettingsText::AutoCopyValue(SettingsTable::kOwnAutoCopy + 3), "f3");
}

// Each row of the [VOP] table by its columns: every value it allows reads back as written; a
// missing key, a text that is no number and a number outside the range or the choices read as
// the row's default.
TEST(SettingsText, EveryVopRowReadsBackWhatItWritesAndItsDefaultForAnythingElse) {
    using namespace SettingsTable;
    std::set<std::string> keys;
    for (const TSetting& row : kSettings) {
        const std::string key = row.Key;
        EXPECT_TRUE(keys.insert(key).second) << key << " twice";
        if (row.Type == Shortcut) {
            EXPECT_EQ(HotKeyFromValue(MissingValue(row.Id)), kDefaultHotKey) << key;
            EXPECT_EQ(HotKeyFromValue("").Key, 0u) << key << ": empty is no hot key";
            continue;
        }
        EXPECT_EQ(NumberFromValue(row.Id, MissingValue(row.Id)), row.Default) << key;
        EXPECT_LE(row.Min, row.Default) << key;
        EXPECT_LE(row.Default, row.Max) << key;
        for (int value = row.Min; value <= row.Max; ++value) {
            bool allowed = row.Choices.Count == 0;
            for (int i = 0; i < row.Choices.Count; ++i) allowed |= row.Choices.Values[i] == value;
            EXPECT_EQ(NumberFromValue(row.Id, NumberValue(row.Id, value)),
                      allowed ? value : row.Default)
                << key << " " << value;
        }
        for (const std::string& text :
             {std::to_string(row.Min - 1), std::to_string(row.Max + 1), "x"s, " "s, "1x"s, "-"s})
            EXPECT_EQ(NumberFromValue(row.Id, text), row.Default) << key << " [" << text << "]";
    }
    const std::pair<std::string, int> spaces[] = {{" P3\t", 2}, {"AdobeRGB", 3}, {"SRGB", 1}, {"srgb2", 0}, {"1", 0}};
    for (const auto& [text, space] : spaces) EXPECT_EQ(NumberFromValue(TSettingId::ColorSpace, text), space) << text;
    EXPECT_EQ(NumberValue(TSettingId::ColorSpace, 3), "adobergb");
    EXPECT_EQ(SettingsText::kZoomMin, 1);
    EXPECT_EQ(SettingsText::kZoomMax, 20);
    EXPECT_EQ(Row(TSettingId::AutoCopy).Max, Notations::kMainCount);
}

TEST(SettingsText, TimeTextHasFixedSeparatorsAndZeroPadding) {
    struct TCase {
        int Year, Month, Day, Hour, Minute, Second;
        const char* Expected;
    };
    const TCase kCases[] = {
        {2026, 3, 7, 14, 5, 9, "03/07/2026 14:05:09"},
        {2020, 12, 31, 23, 59, 59, "12/31/2020 23:59:59"},
        {1, 1, 1, 0, 0, 0, "01/01/0001 00:00:00"},
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(SettingsText::TimeText(c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second),
                  c.Expected);
}

TEST(SettingsText, KeyAndTimeTextConvertBothWays) {
    struct TCase {
        const char* Time;
        const char* Key;
    };
    const TCase kFromTime[] = {
        {"03/07/2026 14:05:09", "03072026140509"},
        {"  03/07/2026 14:05:09\r\n", "03072026140509"},
        {"", ""},
        {"a/b c:d", "abcd"},
    };
    for (const TCase& c : kFromTime)
        EXPECT_EQ(SettingsText::KeyFromTimeText(c.Time), c.Key) << "[" << c.Time << "]";

    const TCase kFromKey[] = {
        {"03/07/2026 14:05:09", "03072026140509"},
        {"03/07/2026 14:05:09", "0307202614050999"},  // a longer key uses its first 14
        {"03/07/2026 1::", "030720261"},
        {"03/07/ ::", "0307"},
        {"0// ::", "0"},
        {"// ::", ""},
    };
    for (const TCase& c : kFromKey)
        EXPECT_EQ(SettingsText::TimeTextFromKey(c.Key), c.Time) << "[" << c.Key << "]";

    for (const char* time : {"03/07/2026 14:05:09", "12/31/1999 23:59:59", "01/01/2020 00:00:00"})
        EXPECT_EQ(SettingsText::TimeTextFromKey(SettingsText::KeyFromTimeText(time)), time);
}

TEST(SettingsText, StoredValueIsColorTextAndCommentWithoutSemicolons) {
    struct TCase {
        std::string Comment, Stored;
    };
    const TCase kCases[] = {
        {"sky; warm=yes", "#FF8000sky, warm=yes"},
        {"", "#FF8000"},
        {";;", "#FF8000,,"},
        {" \"quoted\" ", "#FF8000 \"quoted\" "},
        {"\xC0\xB6\xC9\xAB", "#FF8000\xC0\xB6\xC9\xAB"},  // ANSI text above 127 is kept
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(SettingsText::StoredValue("#FF8000", c.Comment), c.Stored)
            << "[" << c.Comment << "]";
}

// A comment is one field of one line. Kept as typed, a line break would end the line in the
// file and make the rest a key of its own: listed as a saved colour, or even a new section
// with settings of its own.
TEST(SettingsText, CommentWithLineBreakCannotInjectKeys) {
    struct TCase {
        std::string Comment, Prepared;
    };
    const TCase kCases[] = {
        {"nice\r\n01012020101010=#000000evil", "nice  01012020101010=#000000evil"},
        {"x\n[VOP]\nontop=0", "x [VOP] ontop=0"},
        {"a\rb", "a b"},
        {"tab\there", "tab here"},
        {"nul\0end"s, "nul end"},
        {"del\x7F"
         "end",
         "del end"},
        {"\x1F\x01", "  "},
    };
    for (const TCase& c : kCases) {
        const std::string stored = SettingsText::StoredValue("#FF8000", c.Comment);
        EXPECT_EQ(stored, "#FF8000" + c.Prepared);
        for (char ch : stored) {
            const unsigned char code = static_cast<unsigned char>(ch);
            EXPECT_TRUE(code >= 32 && code != 127) << "control character " << int(code);
        }
    }
}

TEST(SettingsText, ColorLinesReadBack) {
    struct TCase {
        const char* Line;
        TColor Color;
        const char *ColorText, *Time, *Comment, *Key;
    };
    const TCase kCases[] = {
        {"03072026140509=#FF8000sky, warm=yes", 0x000080FF, "#FF8000", "03/07/2026 14:05:09",
         "sky, warm=yes", "03072026140509"},
        {"01012020101010=#ff8000", 0x000080FF, "#ff8000", "01/01/2020 10:10:10", "",
         "01012020101010"},
        {"01012020101010=#FFFFFF  lead \"q\"", 0x00FFFFFF, "#FFFFFF", "01/01/2020 10:10:10",
         "  lead \"q\"", "01012020101010"},
        {"0101202010101099=#010203", 0x00030201, "#010203", "01/01/2020 10:10:10", "",
         "0101202010101099"},
        {"k=#12", 0x12, "#12", "k// ::", "", "k"},
    };
    for (const TCase& c : kCases) {
        SettingsText::TColorEntry entry;
        ASSERT_TRUE(SettingsText::ParseColorLine(c.Line, entry)) << c.Line;
        EXPECT_EQ(entry.Color, c.Color) << c.Line;
        EXPECT_EQ(entry.ColorText, c.ColorText) << c.Line;
        EXPECT_EQ(entry.TimeText, c.Time) << c.Line;
        EXPECT_EQ(entry.Comment, c.Comment) << c.Line;
        EXPECT_EQ(entry.Key, c.Key) << c.Line;
    }
}

TEST(SettingsText, ColorLinesThatDoNotConvertAreSkipped) {
    const char* const kLines[] = {
        "01012020101010=#GG0000x",
        "01012020101010=#",
        "01012020101010=",
        "no equals sign",
        "k==#FF8000",  // the value starts at the first "="
    };
    for (const char* line : kLines) {
        SettingsText::TColorEntry entry;
        entry.Comment = "untouched";
        EXPECT_FALSE(SettingsText::ParseColorLine(line, entry)) << line;
        EXPECT_EQ(entry.Comment, "untouched") << line;
    }
}

// Removed keys go from that section alone, whatever their case and blanks.
TEST(SettingsText, AddedLinesGoBehindTheFirstMatchingSectionsLastLine) {
    const struct {
        const char* File;
        const char* Result;
        const char* Removed = "";
    } kCases[] = {
        {"", "[COLORS]\r\nk=v\r\n"},
        {"[VOP]\nzoom=2", "[VOP]\nzoom=2\r\n[COLORS]\r\nk=v\r\n"},
        {"[COLORS]\r\na=1\r\n\r\n[VOP]\r\n", "[COLORS]\r\na=1\r\nk=v\r\n\r\n[VOP]\r\n"},
        {" [ colors ] \ra=1\r; note\r[colors]\rb=2\r", " [ colors ] \ra=1\r; note\rk=v\r\n[colors]\rb=2\r"},
        {"[VOP]\n[COLORS]\na=1", "[VOP]\n[COLORS]\na=1\r\nk=v\r\n"},
        {"[COLORSX]\na=1\n", "[COLORSX]\na=1\n[COLORS]\r\nk=v\r\n"},
        {"[COLORS]\r\n a =1\r\nb=2\r\n[VOP]\r\na=3\r\n", "[COLORS]\r\nb=2\r\nk=v\r\n[VOP]\r\na=3\r\n", "A"},
        {"[COLORS]\na=1", "[COLORS]\nk=v\r\n", "a"},
    };
    for (const auto& c : kCases) {
        const std::vector<std::string> removed = *c.Removed ? std::vector<std::string>{c.Removed} : std::vector<std::string>{};
        EXPECT_EQ(SettingsText::WithLinesAdded(c.File, "COLORS", {"k=v"}, removed), c.Result) << c.File;
    }
}

// A section whose 100 000 lines all go, each key named in another case or with blanks, keeps
// its other lines and leaves the other sections byte for byte.
TEST(SettingsText, RemovedKeysGoFromALongSectionInOnePass) {
    std::string Junk[2];
    std::vector<std::string> Removed;
    for (int i = 0; i < 100000; ++i) {
        Junk[i % 2] += "Junk" + std::to_string(i) + " =#000000\r\n";
        Removed.push_back((i % 3 ? " JUNK" : "junk") + std::to_string(i));
    }
    const std::string Vop = "[VOP]\r\njunk1=3\r\n", Colors = "[COLORS]\r\njunk2=#FF8000\r\n";
    EXPECT_EQ(SettingsText::WithLinesAdded(Vop + "[RECENT]\r\n" + Junk[0] + "; note\r\njunk=1\r\n" + Junk[1] + Colors,
                                           "RECENT", {"1=#123456"}, Removed),
              Vop + "[RECENT]\r\n; note\r\njunk=1\r\n1=#123456\r\n" + Colors);
}

}  // namespace
