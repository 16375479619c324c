// The saved colours kept in one block: each entry as ParseColorLine takes its line apart. Pure
// code: runs in the Linux and the Windows build.

#include "settings/ColorList.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

auto Fields(const SettingsText::TColorEntry& e) { return std::tie(e.Key, e.Color, e.ColorText, e.TimeText, e.Comment); }

TEST(ColorList, HoldsTheLinesThatConvertInOrderEachAsParseColorLineReadsIt) {
    const std::vector<std::string> kLines = {
        "03072026140509=#FF8000sky, warm=yes", "01012020101010=#GG0000x", "01012020101011=#ff8001",
        "k==#FF8000", "=#123456no key", "20240101120000x=#00FF00b", "short=#1234", "12=#12345",
        "01012020101012=X123456first character not looked at", "01012020101013=#", "01012020101014=",
        "01012020101015=#ABCDEF", "01012020101016=#ABCDE", "01012020101017=#-12345", "01012020101018=#$FF",
        "01012020101019=#00000G", "01012020101020=#0000001", "01012020101021=#FFFFFF" + std::string(3000, 'c'),
    };
    std::string block;
    std::vector<SettingsText::TColorEntry> expected;
    for (const std::string& line : kLines) {
        block += line + '\0';
        SettingsText::TColorEntry e;
        if (SettingsText::ParseColorLine(line, e)) expected.push_back(e);
    }
    const TColorList list(block);
    ASSERT_EQ(list.Count(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Fields(list.Entry(i)), Fields(expected[i])) << expected[i].Key;
        EXPECT_EQ(list.Color(i), expected[i].Color) << expected[i].Key;
        EXPECT_EQ(list.Key(i) + "|" + list.ColorText(i) + "|" + list.TimeText(i) + "|" + list.Comment(i),
                  expected[i].Key + "|" + expected[i].ColorText + "|" + expected[i].TimeText + "|" + expected[i].Comment);
    }
    EXPECT_EQ(TColorList().Count(), 0u);
    EXPECT_EQ(TColorList(std::string()).Count(), 0u);
}

}  // namespace
