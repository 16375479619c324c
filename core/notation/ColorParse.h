#pragma once

#include "../../base/Color.h"
#include "Notations.h"

#include <string_view>

namespace ColorParse {

// A colour read from a text a user pastes: Notations::Read, whose readers (NotationRead) hold
// the rules.
inline bool ParseColor(std::string_view Text, TColor& Out) { return Notations::Read(Text, Out); }

}  // namespace ColorParse
