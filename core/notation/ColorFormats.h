#pragma once

#include "../../base/Color.h"
#include "Notations.h"

#include <cstddef>
#include <string>

// Eight more texts of a colour, beside the seven notations of the main window (ColorText):
// the rows of Notations::More, which has their rules.
namespace ColorFormats {

// Index 1..8, in the order of Notations::More: kCssRgb ... kColorName.
#define QUILLORA_MORE_NOTATION_NAME(name, ...) k##name,
enum : int { kNoMoreNotation, QUILLORA_MORE_NOTATIONS(QUILLORA_MORE_NOTATION_NAME) };
#undef QUILLORA_MORE_NOTATION_NAME
constexpr int kMoreNotationCount = Notations::kMoreCount;
static_assert(kColorName == kMoreNotationCount);

// Each one's text of #FF8000, from its row of the list: [index - 1].
#define QUILLORA_MORE_NOTATION_EXAMPLE(id, writer, reader, caption, example, name) example,
constexpr const char* kWorkedExamples[] = {QUILLORA_MORE_NOTATIONS(QUILLORA_MORE_NOTATION_EXAMPLE)};
#undef QUILLORA_MORE_NOTATION_EXAMPLE

// Throw std::out_of_range for any other index.
inline std::string MoreNotation(TColor Color, int Index) {
    return Notations::More(Index).Text(Color);
}

// The same text written into a buffer of the caller's, as snprintf does: the full length
// comes back, and what fits is written and terminated. 32 characters always suffice.
inline int FormatMoreNotation(char* Out, std::size_t Size, TColor Color, int Index) {
    return Notations::More(Index).Format(Out, Size, Color);
}

}  // namespace ColorFormats
