// A colour text to its colour: ColorText::ConversionText and TryToColor on any bytes, held
// to a reading of our own, and every 32-bit value through FromColor and back.

#include "notation/ColorText.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string>

namespace {

// Characters From..From+1 (counted from 1), as far as the text reaches.
std::string Pair(const std::string& Text, std::size_t From) {
    std::string Out;
    for (std::size_t I = From - 1; I < From + 1 && I < Text.size(); ++I) Out += Text[I];
    return Out;
}

char Upper(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

void CheckText(const std::string& Text) {
    // Blue, green and red pairs, in that order, behind a "$"; the first character is never read.
    const std::string Digits = Pair(Text, 6) + Pair(Text, 4) + Pair(Text, 2);
    const std::string Conversion = ColorText::ConversionText(Text);
    FUZZ_CHECK(Conversion == "$" + Digits);
    FUZZ_CHECK(Conversion.size() <= 7);

    const TColor kUntouched = 0xDEADBEEF;
    TColor Color = kUntouched;
    std::uint64_t Expected = 0;
    const bool Ok = ColorText::TryToColor(Text, Color);
    FUZZ_CHECK(Ok == ReferenceUnsigned(Digits, 16, Expected));
    if (!Ok) {
        FUZZ_CHECK(Color == kUntouched);
        return;
    }
    FUZZ_CHECK(Color == Expected);
    FUZZ_CHECK(Color <= 0xFFFFFF);

    // A complete "#RRGGBB" (any first character, either case) is the colour's own text.
    if (Text.size() == 7) {
        std::string Canonical = "#";
        for (std::size_t I = 1; I < 7; ++I) Canonical += Upper(Text[I]);
        FUZZ_CHECK(ColorText::FromColor(Color) == Canonical);
    }
}

void CheckColor(TColor Color) {
    const std::string Text = ColorText::FromColor(Color);
    FUZZ_CHECK(Text.size() == 7 && Text[0] == '#');
    for (std::size_t I = 1; I < Text.size(); ++I)
        FUZZ_CHECK(IsDecimalDigit(Text[I]) || (Text[I] >= 'A' && Text[I] <= 'F'));
    // The top byte has no place in a colour text; the three channels come back.
    TColor Back = 0;
    FUZZ_CHECK(ColorText::TryToColor(Text, Back) && Back == (Color & 0xFFFFFF));
    std::string Lower = Text;
    for (char& C : Lower)
        if (C >= 'A' && C <= 'F') C = static_cast<char>(C - 'A' + 'a');
    Back = 0;
    FUZZ_CHECK(ColorText::TryToColor(Lower, Back) && Back == (Color & 0xFFFFFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text = FuzzText(Data, Size);
    CheckText(Text);
    TFuzzInput Fields(Data, Size);
    CheckColor(Fields.U32());
    return 0;
}
