#include "RecentColors.h"

#include "../notation/ColorText.h"
#include "../util/TextUtil.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The number of a key as StoredValues writes it ("1".."20"); 0 for any other text, "01" and
// "+1" included.
std::size_t KeyNumber(const std::string& Key) {
    for (std::size_t N = 1; N <= TRecentColors::kMaxCount; ++N)
        if (Key == std::to_string(N)) return N;
    return 0;
}

bool IsHexDigit(char C) { return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F'); }

// "#RRGGBB". The program writes upper case, but a hand-edited file may not: lower case reads.
std::optional<TColor> ReadColor(const std::string& Value) {
    TColor Color = 0;
    if (Value.size() != 7 || Value[0] != '#' || !std::all_of(Value.begin() + 1, Value.end(), IsHexDigit) ||
        !ColorText::TryToColor(Value, Color))
        return std::nullopt;
    return Color;
}

}  // namespace

void TRecentColors::Add(TColor Color) {
    Color &= 0xFFFFFF;
    const auto Old = std::find(FColors.begin(), FColors.end(), Color);
    if (Old != FColors.end())
        FColors.erase(Old);
    else if (FColors.size() == kMaxCount)
        FColors.pop_back();
    FColors.insert(FColors.begin(), Color);
}

std::vector<std::pair<std::string, std::string>> TRecentColors::StoredValues() const {
    std::vector<std::pair<std::string, std::string>> Values;
    for (std::size_t I = 0; I < FColors.size(); ++I)
        Values.emplace_back(std::to_string(I + 1), ColorText::FromColor(FColors[I]));
    return Values;
}

TRecentColors TRecentColors::FromLines(const std::vector<std::string>& Lines) {
    std::array<bool, kMaxCount + 1> Seen{};
    std::array<std::optional<TColor>, kMaxCount + 1> ByKey{};
    for (const std::string& Line : Lines) {
        const std::size_t Equals = Line.find('=');
        if (Equals == std::string::npos) continue;
        const std::size_t Key = KeyNumber(TextUtil::Trim(Line.substr(0, Equals)));
        if (Key == 0 || Seen[Key]) continue;
        Seen[Key] = true;
        ByKey[Key] = ReadColor(TextUtil::Trim(Line.substr(Equals + 1)));
    }
    // Taken oldest first, so that a colour that occurs twice ends at its newer place.
    TRecentColors List;
    for (std::size_t Key = kMaxCount; Key >= 1; --Key)
        if (ByKey[Key]) List.Add(*ByKey[Key]);
    return List;
}
