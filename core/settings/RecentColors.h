#pragma once

#include "../../base/Color.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The colours the user took most recently, newest first: at most kMaxCount, each once. Kept
// in memory; with "keeprecent" on, section [RECENT] of the settings file holds them as keys
// "1".."20" (newest first), each value "#RRGGBB". Pure code: runs in the Linux and the Windows
// build.
class TRecentColors {
public:
    static constexpr std::size_t kMaxCount = 20;

    // Puts Color at the top. A colour the list holds already moves there from its old place;
    // past kMaxCount the oldest goes. Only the low three bytes count.
    void Add(TColor Color);
    void Clear() { FColors.clear(); }

    const std::vector<TColor>& Colors() const { return FColors; }
    std::size_t Count() const { return FColors.size(); }

    // The lines of [RECENT] for this list: key "1" for the newest colour, and so on, each
    // value as ColorText::FromColor writes it.
    std::vector<std::pair<std::string, std::string>> StoredValues() const;

    // The list the "key=value" lines of [RECENT] hold, in the order of their keys. A line is
    // skipped when its key (trimmed) is not "1".."20" as written above, or its value (trimmed)
    // is not "#" and six hex digits, in either case; of a key that occurs twice only the first
    // line counts, and a colour that occurs twice keeps its newest place.
    static TRecentColors FromLines(const std::vector<std::string>& Lines);

private:
    std::vector<TColor> FColors;
};
