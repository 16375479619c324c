#pragma once

#include "../../base/Color.h"

#include <string>
#include <string_view>
#include <vector>

// The user's own copy formats: a name and a template such as "Color.FromArgb(255, {r}, {g}, {b})".
// Text is copied as written; "{{" and "}}" give braces, and a lone "}" stands for itself.
// Placeholders in braces are replaced by the colour's values:
//   {r} {g} {b}      0..255                     {R} {G} {B}    two upper-case hex digits
//   {rx} {gx} {bx}   two lower-case hex digits  {rf} {gf} {bf} 0..1 with three decimals (0.784)
//   {h} {s} {l}      the editors' HSL, 0..240   {hd} {sp} {lp} hue in degrees, saturation and
//                                                              lightness in percent, as hsl() has them
//   {hex}            RRGGBB, upper case         {name}         the nearest CSS colour name
//   {c} {m} {y} {k}  the percentages of cmyk(), without the percent sign (as {sp} and {lp})
// Anything else in braces is an error at the position of its "{". Every text is UTF-8; positions
// and lengths count characters (code points). Pure code: runs in the Linux and the Windows build.
namespace OwnFormats {

constexpr int kMaxFormats = 20;   // formats in the list, keys 1..20 of [FORMATS]
constexpr int kMaxName = 40;      // characters of a name, at least 1
constexpr int kMaxTemplate = 200; // characters of a template, at least 1

enum class TProblem {
    None,
    UnknownPlaceholder,  // at the "{"; Placeholder holds what stood between the braces
    MissingBrace,        // a "{" without its "}", at the "{"
    ControlCharacter,    // a character below U+0020 other than the tab, or U+007F, at it
    EmptyTemplate,
    LongTemplate,        // more than kMaxTemplate characters
    EmptyName,
    LongName,            // more than kMaxName characters
    NameControl,         // a name with a control character (the tab included), at it
    SameName,            // a name another format of the list has (letters compared in any case)
};

struct TError {
    TProblem Problem = TProblem::None;
    int Position = 0;         // 1-based character where the problem is; 0 where none is meant
    std::string Placeholder;  // UnknownPlaceholder only
    explicit operator bool() const { return Problem != TProblem::None; }
};

struct TFormat {
    std::string Name;
    std::string Template;
};

// The first problem of a template, reading from its start; None for a usable one.
TError CheckTemplate(std::string_view Template);
// The first problem of the name of List[Index] (empty, too long, a control character, or the
// name of another entry of List).
TError CheckName(const std::vector<TFormat>& List, std::size_t Index);

// The template's text for Color (only the low three bytes count). A template with problems
// gives its unusable parts as written.
std::string Expand(std::string_view Template, TColor Color);

// How a format is stored: the value of its key in [FORMATS], the name, a tab and the
// template; in double quotation marks when blanks at either end or quotation marks around it
// would otherwise be lost, since the profile functions drop them when they read a value.
std::string StoredValue(const TFormat& Format);
// A value as the profile functions give it back (blanks around it and one pair of enclosing
// quotation marks dropped): false, and Out left alone, for a value without a tab or whose
// name or template has a problem.
bool FromStoredValue(std::string_view Value, TFormat& Out);
// A key of [FORMATS]: "1".."20", written as such (no sign, blank or leading zero).
bool KeyNumber(std::string_view Key, int& Number);

}  // namespace OwnFormats
