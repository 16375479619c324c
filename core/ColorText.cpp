#include "ColorText.h"

#include "TextUtil.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace ColorText {

namespace {

using TextUtil::Piece;

std::string ChannelsHex(TColor Color) {
    using TextUtil::IntToHex;
    return IntToHex(RedOf(Color), 2) + IntToHex(GreenOf(Color), 2) + IntToHex(BlueOf(Color), 2);
}

}  // namespace

// "%06X" is IntToHex(v, 6): upper case, at least six digits, more when the value needs them.
int FormatNotation(char* Out, std::size_t Size, TColor Color, int Index) {
    const int R = RedOf(Color), G = GreenOf(Color), B = BlueOf(Color);
    const unsigned V = Color;
    switch (Index) {
    case 1: return std::snprintf(Out, Size, "%d, %d, %d", R, G, B);
    case 2: return std::snprintf(Out, Size, "%d", static_cast<int>(static_cast<std::int32_t>(Color)));
    case 3: return std::snprintf(Out, Size, "%02X%02X%02X", R, G, B);
    case 4: return std::snprintf(Out, Size, "#%02X%02X%02X", R, G, B);
    case 5: return std::snprintf(Out, Size, "$00%06X", V);
    case 6: return std::snprintf(Out, Size, "&H00%06X&", V);
    case 7: return std::snprintf(Out, Size, "0x%06X", V);
    default: throw std::out_of_range("notation index " + std::to_string(Index));
    }
}

std::string Notation(TColor Color, int Index) {
    char Text[32];
    int Length = FormatNotation(Text, sizeof Text, Color, Index);
    return std::string(Text, static_cast<std::size_t>(Length));
}

std::string FromColor(TColor Color) { return "#" + ChannelsHex(Color); }

std::string ConversionText(const std::string& Text) {
    return "$" + Piece(Text, 6, 2) + Piece(Text, 4, 2) + Piece(Text, 2, 2);
}

bool TryToColor(const std::string& Text, TColor& Color) {
    std::int32_t Value = 0;
    if (!TextUtil::TryStrToInt(ConversionText(Text), Value)) return false;
    Color = static_cast<TColor>(Value);
    return true;
}

}  // namespace ColorText
