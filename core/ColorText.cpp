#include "ColorText.h"

#include "TextUtil.h"

#include <cstdint>
#include <stdexcept>

namespace ColorText {

namespace {

// Characters From..From+Count-1, counted from 1, as far as the text reaches.
std::string Piece(const std::string& Text, std::size_t From, std::size_t Count) {
    return From > Text.size() ? std::string() : Text.substr(From - 1, Count);
}

std::string ChannelsHex(TColor Color) {
    using TextUtil::IntToHex;
    return IntToHex(RedOf(Color), 2) + IntToHex(GreenOf(Color), 2) + IntToHex(BlueOf(Color), 2);
}

}  // namespace

std::string Notation(TColor Color, int Index) {
    using TextUtil::IntToHex;
    switch (Index) {
    case 1:
        return std::to_string(RedOf(Color)) + ", " + std::to_string(GreenOf(Color)) + ", " +
               std::to_string(BlueOf(Color));
    case 2:
        return std::to_string(static_cast<std::int32_t>(Color));
    case 3:
        return ChannelsHex(Color);
    case 4:
        return "#" + ChannelsHex(Color);
    case 5:
        return "$00" + IntToHex(Color, 6);
    case 6:
        return "&H00" + IntToHex(Color, 6) + "&";
    case 7:
        return "0x" + IntToHex(Color, 6);
    default:
        throw std::out_of_range("notation index " + std::to_string(Index));
    }
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
