// The recent colours: a colour taken goes to the top, once; the list keeps 20; the lines of
// [RECENT] read back by their keys. Pure code: runs in the Linux and the Windows build.

#include "settings/RecentColors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TColors = std::vector<TColor>;

// The colours From..To, counting up or down; colour N is "#0000NN" (hex) in the file.
TColors Blues(TColor From, TColor To) {
    TColors Colors;
    for (TColor C = From;; C = From < To ? C + 1 : C - 1) {
        Colors.push_back(MakeColor(0, 0, static_cast<int>(C)));
        if (C == To) return Colors;
    }
}

TColors operator+(TColors A, const TColors& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

TEST(RecentColors, TakenColoursGoToTheTopOnceTwentyAtMostAndLinesReadByTheirKeys) {
    struct TCase {
        const char* What;
        std::vector<std::string> Lines;  // of [RECENT], read first
        TColors Taken;                   // then taken, in this order
        TColors Expected;                // newest first
    };
    const TCase kCases[] = {
        {"newest first", {}, Blues(1, 3), Blues(3, 1)},
        {"taken again: to the top", {}, Blues(1, 3) + Blues(2, 2), Blues(2, 2) + Blues(3, 3) + Blues(1, 1)},
        {"the top taken again", {}, Blues(1, 1) + Blues(1, 1), Blues(1, 1)},
        {"only the low three bytes count", {}, {0x00FF8000, 0xFFFF8000}, {0x00FF8000}},
        {"the 21st: the oldest goes", {}, Blues(1, 21), Blues(21, 2)},
        {"the oldest of 20 taken again: none goes", {}, Blues(1, 20) + Blues(1, 1), Blues(1, 1) + Blues(20, 2)},
        {"read, then taken", {"1=#000001", "2=#000002"}, Blues(2, 2) + Blues(3, 3), Blues(3, 1)},
        {"red in the low byte, lower case read", {"1=#FF8000", "2=#0000ff"}, {}, {0x000080FF, 0x00FF0000}},
        {"in the order of the keys", {"3=#000003", "1=#000001", "20=#000020", "2=#000002"}, {},
         Blues(1, 3) + Blues(0x20, 0x20)},
        {"blanks around keys and values", {" 1 = #000001\t", "2=\t#000002 "}, {}, Blues(1, 2)},
        {"keys other than 1..20",
         {"0=#000001", "21=#000001", "01=#000001", "+2=#000001", "2.=#000001", "x=#000001", "=#000001", "3=#000003"},
         {},
         Blues(3, 3)},
        {"values other than # and six hex digits",
         {"1=#12345", "2=#1234567", "3=123456", "4=#GG0000", "5=#00 000", "6=$000006", "7=#-00007", "8=#000008",
          "9=#000009;", "10=", "11=#", "12"},
         {},
         Blues(8, 8)},
        {"a key twice: its first line counts", {"1=#000001", "1=#000002", "2=bad", "2=#000003"}, {}, Blues(1, 1)},
        {"a colour twice: its newest place", {"3=#000001", "2=#000002", "1=#000001"}, {}, Blues(1, 2)},
    };
    for (const TCase& c : kCases) {
        TRecentColors List = TRecentColors::FromLines(c.Lines);
        for (TColor Color : c.Taken) List.Add(Color);
        EXPECT_EQ(List.Colors(), c.Expected) << c.What;

        // What is written reads back as the same list.
        std::vector<std::string> Stored;
        for (const auto& [Key, Value] : List.StoredValues()) Stored.push_back(Key + "=" + Value);
        EXPECT_EQ(TRecentColors::FromLines(Stored).Colors(), c.Expected) << c.What;
    }
}

}  // namespace
