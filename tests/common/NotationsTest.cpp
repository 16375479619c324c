// The list of notations: each row writes as snprintf does, its reader takes its text back and
// is the only one that does, and numbers outside the list are refused.

#include "notation/ColorFormats.h"
#include "notation/Notations.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using namespace Notations;
using TReader = bool (*)(std::string_view Text, TColor& Out);

// The one reader of the list that takes Text (rows may share one), or nullptr when none or
// two different ones do.
TReader OnlyReader(const std::string& Text) {
    TReader Found = nullptr;
    for (int n = 1; n <= kMainCount + kMoreCount; ++n) {
        const TNotation& row = n <= kMainCount ? Main(n) : More(n - kMainCount);
        TColor ignored = 0;
        if (!row.Read || row.Read == Found || !row.Read(Text, ignored)) continue;
        if (Found) return nullptr;
        Found = row.Read;
    }
    return Found;
}

TEST(Notations, EveryRowReadsItsOwnTextBack) {
    using namespace ColorFormats;
    for (int n = 1; n <= kMainCount + kMoreCount; ++n) {
        const bool more = n > kMainCount;
        const int number = more ? n - kMainCount : n;
        const TNotation& row = more ? More(number) : Main(number);
        ASSERT_TRUE(row.Format != nullptr) << n;
        for (TColor color = 0; color < 0x1000000; color += 40961) {
            const std::string text = row.Text(color), where = std::to_string(n) + ": " + text;
            char cut[5];
            EXPECT_EQ(row.Format(cut, sizeof cut, color), static_cast<int>(text.size())) << where;
            EXPECT_EQ(cut, text.substr(0, sizeof cut - 1)) << where;
            if (!row.Read) continue;

            TColor back = 0xDEADBEEF;
            if (!more && number == 2 && text.size() == 6) {  // six digits are the hex notation
                EXPECT_FALSE(row.Read(text, back)) << where;
                continue;
            }
            EXPECT_TRUE(row.Read(text, back)) << where;
            EXPECT_EQ(OnlyReader(text), row.Read) << where;
            TColor any = 0xDEADBEEF;
            EXPECT_TRUE(Read(" \t" + text + "\r\n", any) && any == back) << where;
            // Whole degrees and percent are coarser than 8 bits, OKLCH is in places, and a name
            // stands for its named colour, which writes the name again.
            if (more && (number == kCssHsl || number == kHsv || number == kCmyk)) continue;
            if (more && (number == kOklch || number == kColorName) && back != color)
                EXPECT_EQ(row.Text(back), text) << where;
            else
                EXPECT_EQ(back, color) << where;
        }
    }
}

TEST(Notations, NumbersOutsideTheListAreRefused) {
    for (const int number : {0, -1, kMainCount + 1}) EXPECT_THROW(Main(number), std::out_of_range);
    for (const int number : {0, kMoreCount + 1}) EXPECT_THROW(More(number), std::out_of_range);
}

}  // namespace
