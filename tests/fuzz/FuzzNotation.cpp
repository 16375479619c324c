// The seven notations of a colour (ColorText::Notation, FormatNotation) for any 32-bit value,
// top byte included, each read back by its own rule.
//
// Input: a little-endian uint32 colour, an int32 index and one byte for a buffer size.

#include "notation/ColorText.h"
#include "FuzzCheck.h"
#include "util/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// "a, b, c" with three decimal numbers 0..255, no leading zeros.
bool ReadTriple(const std::string& Text, int& A, int& B, int& C) {
    int* Out[] = {&A, &B, &C};
    std::size_t At = 0;
    for (int I = 0; I < 3; ++I) {
        if (I > 0) {
            if (Text.compare(At, 2, ", ") != 0) return false;
            At += 2;
        }
        const std::size_t Start = At;
        while (At < Text.size() && IsDecimalDigit(Text[At])) ++At;
        const std::size_t Length = At - Start;
        if (Length == 0 || Length > 3 || (Length > 1 && Text[Start] == '0')) return false;
        *Out[I] = std::atoi(Text.substr(Start, Length).c_str());
    }
    return At == Text.size();
}

bool AllUpperHex(const std::string& Text) {
    for (char C : Text)
        if (!IsDecimalDigit(C) && !(C >= 'A' && C <= 'F')) return false;
    return !Text.empty();
}

// Hex digits of a notation that shows the whole value: at least six, eight at most, and more
// than six only when the top bytes need them.
void CheckValueHex(const std::string& Hex, TColor Color) {
    FUZZ_CHECK(AllUpperHex(Hex));
    FUZZ_CHECK(Hex.size() == (Color > 0xFFFFFF ? TextUtil::IntToHex(Color, 0).size() : 6u));
    std::int32_t Read = 0;
    FUZZ_CHECK(TextUtil::TryStrToInt("$" + Hex, Read) && static_cast<TColor>(Read) == Color);
}

void CheckNotation(TColor Color, int Index) {
    const std::string Text = ColorText::Notation(Color, Index);
    FUZZ_CHECK(!Text.empty() && Text.size() <= 15);

    // The buffer form writes the very same text.
    char Buffer[16];
    std::memset(Buffer, 'Z', sizeof Buffer);
    const int Length = ColorText::FormatNotation(Buffer, sizeof Buffer, Color, Index);
    FUZZ_CHECK(Length == static_cast<int>(Text.size()));
    FUZZ_CHECK(std::string(Buffer) == Text);

    const int R = RedOf(Color), G = GreenOf(Color), B = BlueOf(Color);
    const std::string Channels = TextUtil::IntToHex(R, 2) + TextUtil::IntToHex(G, 2) +
                                 TextUtil::IntToHex(B, 2);
    std::int32_t Read = 0;
    switch (Index) {
    case 1: {
        int A = -1, Bb = -1, C = -1;
        FUZZ_CHECK(ReadTriple(Text, A, Bb, C) && A == R && Bb == G && C == B);
        break;
    }
    case 2:
        FUZZ_CHECK(TextUtil::TryStrToInt(Text, Read) && static_cast<TColor>(Read) == Color);
        FUZZ_CHECK(Text == std::to_string(static_cast<std::int32_t>(Color)));
        break;
    case 3:
        FUZZ_CHECK(Text == Channels);
        break;
    case 4: {
        FUZZ_CHECK(Text == "#" + Channels && Text == ColorText::FromColor(Color));
        TColor Back = 0;
        FUZZ_CHECK(ColorText::TryToColor(Text, Back) && Back == (Color & 0xFFFFFF));
        break;
    }
    case 5:
        FUZZ_CHECK(Text.compare(0, 3, "$00") == 0);
        CheckValueHex(Text.substr(3), Color);
        FUZZ_CHECK(TextUtil::TryStrToInt(Text, Read) && static_cast<TColor>(Read) == Color);
        break;
    case 6:
        FUZZ_CHECK(Text.compare(0, 4, "&H00") == 0 && Text.back() == '&');
        CheckValueHex(Text.substr(4, Text.size() - 5), Color);
        break;
    case 7:
        FUZZ_CHECK(Text.compare(0, 2, "0x") == 0);
        CheckValueHex(Text.substr(2), Color);
        FUZZ_CHECK(TextUtil::TryStrToInt(Text, Read) && static_cast<TColor>(Read) == Color);
        break;
    }
}

// Into a buffer of exactly Size bytes (so the address sanitizer sees any write past it): the
// full length comes back, and what fits is written, cut and terminated.
void CheckSmallBuffer(TColor Color, int Index, std::size_t Size) {
    const std::string Full = ColorText::Notation(Color, Index);
    std::unique_ptr<char[]> Buffer(new char[Size == 0 ? 1 : Size]);
    char* Out = Size == 0 ? nullptr : Buffer.get();
    const int Length = ColorText::FormatNotation(Out, Size, Color, Index);
    FUZZ_CHECK(Length == static_cast<int>(Full.size()));
    if (Size > 0) FUZZ_CHECK(std::string(Out) == Full.substr(0, Size - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TFuzzInput Fields(Data, Size);
    const TColor Color = Fields.U32();
    const int Index = Fields.I32();
    const std::size_t BufferSize = Fields.U8() % 17;

    for (int I = 1; I <= 7; ++I) CheckNotation(Color, I);
    CheckSmallBuffer(Color, 1 + static_cast<int>(static_cast<unsigned>(Index) % 7), BufferSize);

    if (Index < 1 || Index > 7) {
        // Any other index is refused, by both forms, before anything is written.
        bool Threw = false;
        try {
            ColorText::Notation(Color, Index);
        } catch (const std::out_of_range&) {
            Threw = true;
        }
        FUZZ_CHECK(Threw);
        char Buffer[16] = "untouched";
        Threw = false;
        try {
            ColorText::FormatNotation(Buffer, sizeof Buffer, Color, Index);
        } catch (const std::out_of_range&) {
            Threw = true;
        }
        FUZZ_CHECK(Threw && std::string(Buffer) == "untouched");
    }
    return 0;
}
