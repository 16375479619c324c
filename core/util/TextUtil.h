#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// 8-bit text helpers shared by the notations and the settings file.
namespace TextUtil {

// Removes every leading and trailing character with code 0..32 (blanks and control
// characters).
std::string Trim(const std::string& Text);

// Characters From..From+Count-1, counted from 1, as far as the text reaches; the empty text
// when From lies beyond its end.
std::string Piece(const std::string& Text, std::size_t From, std::size_t Count);

// Upper-case hexadecimal, padded with zeros to at least Digits digits.
std::string IntToHex(std::uint32_t Value, int Digits);

// A whole number: an optional sign, then decimal digits, or hexadecimal digits (either case)
// marked by "$", "x", "X", "0x" or "0X". Nothing else is allowed, not even blanks; trim
// first where blanks may occur. A decimal must lie in the int32 range. Hexadecimal gives a
// 32-bit pattern, so "$FFFFFFFF" is -1 and more than 32 bits fail; a minus sign negates that
// pattern. On failure Value is left alone.
bool TryStrToInt(const std::string& Text, std::int32_t& Value);

// The same text but for the case of the letters A..Z.
bool SameText(const std::string& A, const std::string& B);

}  // namespace TextUtil
