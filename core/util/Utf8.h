#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 taken apart and put together, for the palette files: their names come in as UTF-8
// or UTF-16 and leave as UTF-8.
namespace Utf8 {

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at Text[Pos]: its length in bytes, or 0 when the bytes there are
// no well-formed sequence (overlong, a surrogate, beyond U+10FFFF, cut short).
std::size_t Decode(std::string_view Text, std::size_t Pos, char32_t& Code);

void Append(std::string& Out, char32_t Code);

bool IsValid(std::string_view Text);

// Each byte of a malformed sequence becomes U+FFFD.
std::string Repaired(std::string_view Text);

}  // namespace Utf8
