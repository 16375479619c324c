#pragma once

#include "../../base/Color.h"

#include <string_view>

// The 148 named colours of CSS, aliases included (aqua and cyan, fuchsia and magenta, gray
// and grey in every spelling), and the name nearest to any colour.
namespace ColorNames {

struct TNamedColor {
    const char* Name;  // lower case
    TColor Color;
};

constexpr int kNamedColorCount = 148;

// In alphabetical order.
extern const TNamedColor kNamedColors[kNamedColorCount];

// The name whose colour lies nearest in OKLab: a named colour gives its own name, and of two
// names at the same distance the alphabetically first wins (aqua before cyan, gray before
// grey). Only the low three bytes count.
const char* NearestName(TColor Color);

// The colour of a name given in lower case; false, leaving Out alone, for anything else.
bool ColorOfName(std::string_view Name, TColor& Out);

}  // namespace ColorNames
