#include "ColorText.h"

#include "Notations.h"
#include "../util/TextUtil.h"

#include <cstdint>

namespace ColorText {

namespace {

using TextUtil::Piece;

std::string ChannelsHex(TColor Color) {
    using TextUtil::IntToHex;
    return IntToHex(RedOf(Color), 2) + IntToHex(GreenOf(Color), 2) + IntToHex(BlueOf(Color), 2);
}

}  // namespace

int FormatNotation(char* Out, std::size_t Size, TColor Color, int Index) {
    return Notations::Main(Index).Format(Out, Size, Color);
}

std::string Notation(TColor Color, int Index) { return Notations::Main(Index).Text(Color); }

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
