// ColorParse::ParseColor on any bytes: never a crash; a refusal leaves the colour alone; case
// and blanks around change nothing; one notation's reader at most takes the text, so the order
// of the list decides nothing; and a colour it reads comes back from every text the program
// writes of it. The first three bytes also give a colour whose texts are checked so.

#include "notation/ColorFormats.h"
#include "notation/ColorParse.h"
#include "notation/ColorText.h"
#include "FuzzCheck.h"
#include "notation/Notations.h"

#include <cstdint>
#include <string>

namespace {

constexpr TColor kUntouched = 0xDEADBEEF;

char OtherCase(char C) {
    if (C >= 'a' && C <= 'z') return static_cast<char>(C - 'a' + 'A');
    if (C >= 'A' && C <= 'Z') return static_cast<char>(C - 'A' + 'a');
    return C;
}

// Every text of Color is read, and the exact ones give Color back.
void CheckTexts(TColor Color) {
    using namespace ColorFormats;
    char Text[48];
    for (int Index = 1; Index <= 7; ++Index) {
        const int Length = ColorText::FormatNotation(Text, sizeof Text, Color, Index);
        TColor Back = kUntouched;
        FUZZ_CHECK(ColorParse::ParseColor(Text, Back));
        if (Index != 2 || Length != 6) FUZZ_CHECK(Back == Color);  // six digits read as hex
    }
    for (int Index = 1; Index <= kMoreNotationCount; ++Index) {
        FormatMoreNotation(Text, sizeof Text, Color, Index);
        TColor Back = kUntouched;
        FUZZ_CHECK(ColorParse::ParseColor(Text, Back));
        if (Index == kCssRgb || Index == kLab || Index == kLowerHex) FUZZ_CHECK(Back == Color);
        // OKLCH is coarser than 8 bits in places; a name reads as the named colour.
        if (Index == kOklch || Index == kColorName)
            FUZZ_CHECK(Back == Color || MoreNotation(Back, Index) == Text);
    }
}

// The reader that reads Text is the only one (rows may share one), and it reads Color.
void CheckOneReader(const std::string& Text, bool Read, TColor Color) {
    using namespace Notations;
    bool (*Taker)(std::string_view, TColor&) = nullptr;
    for (int N = 1; N <= kMainCount + kMoreCount; ++N) {
        const TNotation& Row = N <= kMainCount ? Main(N) : More(N - kMainCount);
        TColor Own = kUntouched;
        if (!Row.Read || !Row.Read(Text, Own)) {
            FUZZ_CHECK(Own == kUntouched);
            continue;
        }
        FUZZ_CHECK(Read && Own == Color && (!Taker || Taker == Row.Read));
        Taker = Row.Read;
    }
    FUZZ_CHECK(Read == (Taker != nullptr));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text = FuzzText(Data, Size);
    TColor Color = kUntouched;
    const bool Read = ColorParse::ParseColor(Text, Color);
    if (!Read) FUZZ_CHECK(Color == kUntouched);
    CheckOneReader(Text, Read, Color);

    std::string Variant = " \t" + Text + "\r\n";
    for (char& C : Variant) C = OtherCase(C);
    TColor Again = kUntouched;
    FUZZ_CHECK(ColorParse::ParseColor(Variant, Again) == Read && Again == Color);

    if (Read) {
        FUZZ_CHECK(Color <= 0xFFFFFF);
        CheckTexts(Color);
    }
    TFuzzInput Fields(Data, Size);
    CheckTexts(Fields.U32() & 0xFFFFFF);
    return 0;
}
