#pragma once

#include "../base/Color.h"

#include <cstddef>
#include <string>
#include <string_view>

// The notations of a colour: the seven rows of the main window (numbered 1..7, their edits'
// and copy buttons' tags) and the eight more texts of "复制为" (numbered 1..8).
namespace Notations {
constexpr int kMainCount = 7;
constexpr int kMoreCount = 8;

struct TNotation {
    const wchar_t* Label;
    const wchar_t* Caption;
    int (*Format)(char* Out, std::size_t Size, TColor Color);
    bool (*Read)(std::string_view Text, TColor& Out);
    std::string Text(TColor Color) const;
};
const TNotation& Main(int Number);
const TNotation& More(int Number);
bool Read(std::string_view Text, TColor& Out);
}  // namespace Notations
