#include "Utf8.h"

namespace Utf8 {

std::size_t Decode(std::string_view Text, std::size_t Pos, char32_t& Code) {
    const auto Byte = [&](std::size_t I) { return static_cast<unsigned char>(Text[I]); };
    const unsigned char Lead = Byte(Pos);
    if (Lead < 0x80) {
        Code = Lead;
        return 1;
    }
    std::size_t Length;
    char32_t Value, Least;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2, Value = Lead & 0x1F, Least = 0x80;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3, Value = Lead & 0x0F, Least = 0x800;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4, Value = Lead & 0x07, Least = 0x10000;
    } else {
        return 0;
    }
    if (Text.size() - Pos < Length) return 0;
    for (std::size_t I = 1; I < Length; ++I) {
        if ((Byte(Pos + I) & 0xC0) != 0x80) return 0;
        Value = Value << 6 | (Byte(Pos + I) & 0x3F);
    }
    if (Value < Least || Value > 0x10FFFF || (Value >= 0xD800 && Value <= 0xDFFF)) return 0;
    Code = Value;
    return Length;
}

void Append(std::string& Out, char32_t Code) {
    const auto Add = [&](char32_t Bits) { Out += static_cast<char>(Bits); };
    if (Code < 0x80) {
        Add(Code);
    } else if (Code < 0x800) {
        Add(0xC0 | Code >> 6), Add(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Add(0xE0 | Code >> 12), Add(0x80 | (Code >> 6 & 0x3F)), Add(0x80 | (Code & 0x3F));
    } else {
        Add(0xF0 | Code >> 18), Add(0x80 | (Code >> 12 & 0x3F)), Add(0x80 | (Code >> 6 & 0x3F));
        Add(0x80 | (Code & 0x3F));
    }
}

bool IsValid(std::string_view Text) {
    char32_t Code;
    for (std::size_t Pos = 0, Length; Pos < Text.size(); Pos += Length)
        if ((Length = Decode(Text, Pos, Code)) == 0) return false;
    return true;
}

std::string Repaired(std::string_view Text) {
    if (IsValid(Text)) return std::string(Text);
    std::string Out;
    char32_t Code;
    for (std::size_t Pos = 0; Pos < Text.size();) {
        const std::size_t Length = Decode(Text, Pos, Code);
        Append(Out, Length == 0 ? kReplacement : Code);
        Pos += Length == 0 ? 1 : Length;
    }
    return Out;
}

}  // namespace Utf8
