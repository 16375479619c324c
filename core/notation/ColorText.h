#pragma once

#include "../../base/Color.h"

#include <cstddef>
#include <string>

// The texts that show a colour: the seven notations of the main window and the colour text
// "#RRGGBB" of a saved colour.
namespace ColorText {

// Notation 1..7 in screen order (the rows of Notations::Main): RGB triple, decimal, hex,
// HTML, Delphi, VB, C/C++. Throws std::out_of_range for any other index.
std::string Notation(TColor Color, int Index);

// The same text written into a buffer of the caller's, as Notations::TNotation::Format does;
// returns its full length. Sixteen characters always suffice.
int FormatNotation(char* Out, std::size_t Size, TColor Color, int Index);

// "#RRGGBB", two upper-case hex digits per channel.
std::string FromColor(TColor Color);

// "$BBGGRR" built from characters 6-7, 4-5 and 2-3 of a colour text; pieces beyond the end
// of the text are empty.
std::string ConversionText(const std::string& Text);

// The colour of a colour text: its conversion text read as a whole number. Lower-case hex
// digits are fine; anything that does not convert fails and leaves Color alone.
bool TryToColor(const std::string& Text, TColor& Color);

}  // namespace ColorText
