#pragma once

#include "../../base/Color.h"

#include <string_view>

// Readers of a colour text a user pastes, one per form; the rows of Notations hold them.
// Each drops blanks (space, tab, CR, LF) at both ends, ignores case, and refuses a text longer
// than 256 characters after trimming. Anything it does not read, a number out of its range
// included, gives false and leaves Out alone.
//
// No text is read by two of them, so the order they are tried in decides nothing. Where two
// readings meet, the text the program writes decides: six hex digits are the hex notation
// even when they are all decimal digits (so the decimal notation of 100000..999999 does not
// come back), any other run of digits is the decimal notation (so "123" is not #RGB, which
// needs its "#").
namespace NotationRead {

// "255, 128, 0": whole numbers 0..255 in digits alone, between them commas or blanks alone.
bool Triple(std::string_view Text, TColor& Out);
// 33023: 0..16777215 in any number of digits but six; blue-green-red.
bool Decimal(std::string_view Text, TColor& Out);
// FF8000: exactly six digits.
bool Hex(std::string_view Text, TColor& Out);
// #FF8000, and #F80 with each digit doubled.
bool HashHex(std::string_view Text, TColor& Out);
// $000080FF, &H000080FF& (the last "&" may be left out) and 0x0080FF: blue-green-red, at
// most 0xFFFFFF in any number of digits.
bool Delphi(std::string_view Text, TColor& Out);
bool Vb(std::string_view Text, TColor& Out);
bool CHex(std::string_view Text, TColor& Out);

// The functions of style sheets and the more notations. Inside the parentheses the values are
// separated by commas, or by blanks alone; a CSS alpha may follow for rgb, hsl, lab and
// oklch, after a comma or after a "/" respectively, and must be 0..1 or 0..100%; it is
// ignored. Numbers are decimals with an optional sign and point, without exponent; digits
// beyond the eighteenth of a number are ignored, and a number with more than eighteen digits
// before its point is refused. A percent sign is optional where the value is a percentage
// anyway.
// rgb() and rgba(): numbers 0..255 or percentages 0..100%, one kind or mixed.
bool Rgb(std::string_view Text, TColor& Out);
// hsl() and hsla(): hue 0..360 with or without "deg", saturation and lightness 0..100.
bool Hsl(std::string_view Text, TColor& Out);
// hsv(): as hsl(), without alpha.
bool Hsv(std::string_view Text, TColor& Out);
// cmyk(): four values 0..100.
bool Cmyk(std::string_view Text, TColor& Out);
// lab(): L 0..100 (or 0..100%), a and b any number; outside sRGB clipped channel by channel.
bool Lab(std::string_view Text, TColor& Out);
// oklch(): L 0..100% or 0..1, C from 0, hue as hsl's; outside sRGB clipped likewise.
bool Oklch(std::string_view Text, TColor& Out);

// One of the 148 CSS names.
bool Name(std::string_view Text, TColor& Out);

}  // namespace NotationRead
