#pragma once

#include "../base/Color.h"

#include <string_view>

// A colour read from a text a user pastes: every text the program writes, and what style
// sheets write.
namespace ColorParse {

// Blanks (space, tab, CR, LF) at both ends are dropped and case does not matter. Read are:
// - the seven notations of the main window (ColorText): "255, 128, 0" (also with blanks
//   alone or commas alone between the numbers), the decimal 33023 (0..16777215), the hex
//   FF8000, #FF8000, $000080FF, &H000080FF& (the last "&" may be left out) and 0x0080FF; the
//   decimal and the last three hold blue-green-red, with at most 0xFFFFFF in any number of
//   digits;
// - #RGB, each digit doubled; the 148 CSS names;
// - rgb() and rgba(): numbers 0..255 or percentages 0..100%, one kind or mixed;
//   hsl() and hsla(): hue 0..360 with or without "deg", saturation and lightness 0..100;
//   hsv() as hsl(); cmyk(): four values 0..100; lab(): L 0..100 (or 0..100%), a and b any
//   number; oklch(): L 0..100% or 0..1, C from 0, hue as above. A percent sign is optional
//   where the value is a percentage anyway. Lab and OKLCH outside sRGB are clipped channel
//   by channel.
// Inside the parentheses the values are separated by commas, or by blanks alone; a CSS alpha
// may follow for rgb, hsl, lab and oklch, after a comma or after a "/" respectively, and must
// be 0..1 or 0..100%; it is ignored. Numbers are decimals with an optional sign and point,
// without exponent; digits beyond the eighteenth of a number are ignored, and a number with
// more than eighteen digits before its point is refused.
// Where two readings meet, the text the program writes decides: six hex digits are the hex
// notation even when they are all decimal digits (so the decimal notation of 100000..999999
// does not come back), any other run of digits is the decimal notation (so "123" is not
// #RGB, which needs its "#").
// Anything else, a number out of its range included, is no colour: false, and Out is left
// alone. Texts longer than 256 characters after trimming are refused unread.
bool ParseColor(std::string_view Text, TColor& Out);

}  // namespace ColorParse
