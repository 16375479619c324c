#pragma once

#include "../../base/Color.h"

#include <cstddef>
#include <string>
#include <string_view>

// The notations of a colour: the seven rows of the main window (numbered 1..7, their edits'
// and copy buttons' tags) and the eight more texts of "复制为" (numbered 1..8). Each is one
// row of one list: its writer and its reader. The numbers are what the app names them by: it
// holds their labels and menu entries with its other texts.
namespace Notations {

// The list, one row a notation: ROW(writer, reader, the names of its texts in the program's
// table of texts, ..., its name on the command line). The seven of the main window in screen order, each with its label and its
// caption in "取色后复制" (RGB(&1) ...); then the eight of "复制为", each with its name in the
// code (ColorFormats::kCssRgb ...), its caption and its text of #FF8000, which the tests hold
// it to. Read tries them in this order. The writers and readers are named for Notations.cpp, which makes
// the rows of them; the app makes its texts from the same rows.
#define QUILLORA_MAIN_NOTATIONS(ROW)                                                       \
    ROW(FormatTriple, NotationRead::Triple, NotationLabel1, NotationCaption1, "rgb")       \
    ROW(FormatDecimal, NotationRead::Decimal, NotationLabel2, NotationCaption2, "decimal") \
    ROW(FormatHex, NotationRead::Hex, NotationLabel3, NotationCaption3, "hex")             \
    ROW(FormatHtml, NotationRead::HashHex, NotationLabel4, NotationCaption4, "html")       \
    ROW(FormatDelphi, NotationRead::Delphi, NotationLabel5, NotationCaption5, "delphi")    \
    ROW(FormatVb, NotationRead::Vb, NotationLabel6, NotationCaption6, "vb")                \
    ROW(FormatC, NotationRead::CHex, NotationLabel7, NotationCaption7, "c")
#define QUILLORA_MORE_NOTATIONS(ROW)                                                                             \
    ROW(CssRgb, Buffered<WriteCssRgb>, NotationRead::Rgb, CopyAsCaption1, "rgb(255, 128, 0)", "css-rgb")         \
    ROW(CssHsl, Buffered<WriteCssHsl>, NotationRead::Hsl, CopyAsCaption2, "hsl(30, 100%, 50%)", "css-hsl")       \
    ROW(Hsv, Buffered<WriteHsv>, NotationRead::Hsv, CopyAsCaption3, "hsv(30, 100%, 100%)", "hsv")                \
    ROW(Cmyk, Buffered<WriteCmyk>, NotationRead::Cmyk, CopyAsCaption4, "cmyk(0%, 50%, 100%, 0%)", "cmyk")        \
    ROW(Lab, Buffered<WriteLab>, NotationRead::Lab, CopyAsCaption5, "lab(67.82 45.49 74.84)", "lab")             \
    ROW(Oklch, Buffered<WriteOklch>, NotationRead::Oklch, CopyAsCaption6, "oklch(73.19% 0.1858 52.98)", "oklch") \
    ROW(LowerHex, Buffered<WriteLowerHex>, NotationRead::HashHex, CopyAsCaption7, "#ff8000", "hex-lower")        \
    ROW(ColorName, Buffered<WriteName>, NotationRead::Name, CopyAsCaption8, "darkorange", "name")

#define QUILLORA_NOTATION_ONE(...) +1
constexpr int kMainCount = 0 QUILLORA_MAIN_NOTATIONS(QUILLORA_NOTATION_ONE);
constexpr int kMoreCount = 0 QUILLORA_MORE_NOTATIONS(QUILLORA_NOTATION_ONE);

struct TNotation {
    // Writes the text into the caller's buffer without allocating, as snprintf does: the full
    // length comes back, and what fits is written and terminated. 32 characters always suffice.
    int (*Format)(char* Out, std::size_t Size, TColor Color);
    // Reads a pasted text of this notation (NotationRead); nullptr where it has no reader of
    // its own.
    bool (*Read)(std::string_view Text, TColor& Out);
    const char* Name;  // on the command line: "html", "oklch" ...
    std::string Text(TColor Color) const;
};

// Throw std::out_of_range for any other number.
const TNotation& Main(int Number);  // 1..kMainCount
const TNotation& More(int Number);  // 1..kMoreCount

// The notation of a command-line name, in any case; nullptr for any other name.
const TNotation* Named(std::string_view Name);

// A colour read from a pasted text by the first row whose reader takes it, the seven first.
// The readers never overlap (NotationRead has the rules); a text none reads is no colour:
// false, and Out is left alone.
bool Read(std::string_view Text, TColor& Out);

// The numbers the CSS hsl() and the cmyk() notations write (percent signs left out).
struct THslNumbers { int Hue, Saturation, Lightness; };
THslNumbers CssHslNumbers(TColor Color);
struct TCmykNumbers { int C, M, Y, K; };
TCmykNumbers CmykNumbers(TColor Color);

}  // namespace Notations
