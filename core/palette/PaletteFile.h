#pragma once

#include "../../base/Color.h"
#include "../settings/SettingsText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The files saved colours go out to and come in from: GIMP palettes (.gpl), Adobe swatch
// exchange (.ase), JSON and CSS. Bytes in, bytes out, no file access: the Windows part picks
// the file and converts texts between the system code page and UTF-8. Every text here is
// UTF-8.
namespace PaletteFile {

enum class TFormat { Gpl, Ase, Json, Css };

// The format a file-name extension (without its dot, any case) names; false for any other.
bool FormatFromExtension(std::string_view Extension, TFormat& Format);
// "gpl", "ase", "json", "css".
const char* ExtensionOf(TFormat Format);

// What a file of unknown extension holds, judged by its first bytes: "ASEF", a
// "GIMP Palette" line, a JSON array, or CSS custom properties. False when it looks like none.
bool Sniff(std::string_view Bytes, TFormat& Format);

// Files larger than this are refused unread.
constexpr std::size_t kMaxFileSize = std::size_t(16) << 20;

// --- Times: a saved colour's key holds its time as "MMDDYYYYhhnnss" ---

struct TTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
bool operator==(const TTime& A, const TTime& B);

// True for a real date and time: year 1..9999, month 1..12, a day the month has (Gregorian
// leap years), hour 0..23, minute and second 0..59.
bool IsValidTime(const TTime& Time);
// Exactly fourteen digits forming a valid time; anything else is false.
bool TimeFromKey(std::string_view Key, TTime& Time);
std::string KeyFromTime(const TTime& Time);
// "2026-07-03T14:05:09" both ways; reading wants exactly this form and a valid time.
std::string IsoTextOf(const TTime& Time);
bool TimeFromIsoText(std::string_view Text, TTime& Time);
// One second later, carrying into minutes, hours, days, months and years (9999-12-31T23:59:59
// stays as it is).
TTime NextSecond(TTime Time);

// --- Writing ---

struct TOutEntry {
    TColor Color = 0;
    std::string Comment;  // UTF-8
    std::string Key;      // the entry's key in the settings file
};

// The whole file, entries in the order given, line ends LF:
// - Gpl: "GIMP Palette", "Name: Quillora", "Columns: 0", "#", then "%3d %3d %3d\t<name>" per
//   colour, the name being the comment, or the key's time text ("MM/DD/YYYY hh:nn:ss") when
//   the comment is empty;
// - Ase: "ASEF", version 1.0, the block count, one colour block per entry (name in UTF-16
//   big-endian with its length in code units including the closing zero, model "RGB ", three
//   big-endian float32 channel/255, colour type 2); all numbers big-endian;
// - Json: "[", one line per colour `  {"color": "#FF8000", "comment": "sky, warm",
//   "saved": "2026-07-03T14:05:09"}` (commas between them), "]"; "saved" is null where the key
//   is no valid time; "[]" alone when there is no entry;
// - Css: ":root {", one line per colour `  --color-N: #ff8000; /* comment */` (N from 1, "*/"
//   in the comment written as "* /", no comment part when it is empty), "}".
std::string Write(TFormat Format, const std::vector<TOutEntry>& Entries);

// --- Reading ---

struct TInEntry {
    TColor Color = 0;
    std::string Name;  // UTF-8, as the file has it (see ImportComment for what is stored)
    bool HasSaved = false;
    TTime Saved;  // valid when HasSaved
};

// Why a file was refused, with the number its text needs: the line for LineNotColor,
// JsonSyntax and CssColorUnreadable, the colour's or item's place (from 1) for ColorDamaged,
// ColorModelUnknown, ItemNotObject, ItemWithoutColor and ColorUnreadable, else 0.
// ROW(problem, the name of its text in the program's table of texts): each problem and what it
// means. None, no problem, has no text.
#define QUILLORA_READ_PROBLEMS(ROW)                                                               \
    ROW(TooLarge, ReadTooLarge)                   /* more than kMaxFileSize bytes */              \
    ROW(NotUtf8, ReadNotUtf8)                     /* a text format whose bytes are no UTF-8 */    \
    ROW(NotGpl, ReadNotGpl)                       /* no "GIMP Palette" line first */              \
    ROW(LineNotColor, ReadLineNotColor)           /* .gpl: a line that is no colour */            \
    ROW(NotAse, ReadNotAse)                       /* no "ASEF" first */                           \
    ROW(Incomplete, ReadIncomplete)               /* .ase: a block or the header cut short */     \
    ROW(ColorDamaged, ReadColorDamaged)           /* .ase: a colour block that cannot be read */  \
    ROW(ColorModelUnknown, ReadColorModelUnknown) /* .ase: a model not RGB, Gray, CMYK, LAB */    \
    ROW(NotList, ReadNotList)                     /* .json: no array */                           \
    ROW(ItemNotObject, ReadItemNotObject)         /* .json: an item that is no object */          \
    ROW(ItemWithoutColor, ReadItemWithoutColor)   /* .json: an object without "color" */          \
    ROW(ColorUnreadable, ReadColorUnreadable)     /* .json: a "color" the paste cannot read */    \
    ROW(JsonSyntax, ReadJsonSyntax)               /* .json: a syntax error */                     \
    ROW(JsonTooDeep, ReadJsonTooDeep)             /* .json: arrays and objects nested too deep */ \
    ROW(CssColorUnreadable, ReadCssColorUnreadable) /* .css: a #hex or rgb() that is no colour */

#define QUILLORA_READ_PROBLEM_VALUE(problem, text) problem,
enum class TReadProblem { None, QUILLORA_READ_PROBLEMS(QUILLORA_READ_PROBLEM_VALUE) };
#undef QUILLORA_READ_PROBLEM_VALUE

struct TReadReason {
    TReadProblem Problem = TReadProblem::None;
    std::size_t Number = 0;
};

// Reads a whole file of the given format. False, with Reason saying why and Entries empty,
// when the bytes are not such a file or are damaged: one bad part refuses the whole file.
// - Gpl: the "GIMP Palette" line first (a UTF-8 byte-order mark and CR LF line ends are
//   fine), then any "Name:" and "Columns:" lines, "#" comment lines and blank lines; a colour
//   line is three whole numbers 0..255 and an optional name after blanks or a tab.
// - Ase: RGB, Gray, CMYK and LAB colours (LAB's L stored as 0..1); groups are flattened, and
//   blocks of other types skipped by their length.
// - Json: an array of objects with "color" (any text the paste reads), and optionally
//   "comment" or "name" (a text or null) and "saved" (a text in IsoText form; any other value
//   counts as not given).
// - Css: custom properties ("--name: value;") whose value is a #hex or rgb() colour; the
//   name is the comment that follows on the same line, else the property's name without its
//   "--". Other properties are left out.
// Text formats must be UTF-8 (a byte-order mark is skipped).
bool Read(TFormat Format, std::string_view Bytes, std::vector<TInEntry>& Entries,
          TReadReason& Reason);

// --- Importing into the saved colours ---

// An imported name made fit to be a comment, still UTF-8: every control character (C0, DEL,
// C1) a blank, ";" a ",", malformed UTF-8 as U+FFFD, and cut after 256 UTF-16 code units as
// the save dialog's comment box cuts (never inside a surrogate pair).
std::string ImportComment(std::string_view Name);

struct TIncoming {
    TColor Color = 0;
    std::string Comment;  // as it will be stored: system code page, made fit
    bool HasSaved = false;
    TTime Saved;
};

struct TImportPlan {
    std::vector<std::pair<std::string, std::string>> Added;  // key and stored value, in order
    int Skipped = 0;
};

// Which entries an import adds. A colour whose colour and trimmed comment equal an entry
// already saved is skipped. Each other one gets its saved time as key where given, valid and
// free, else the first free second from Now on, then the first free second after the last
// one so given; a key is free when no saved entry and no earlier added one has it. Existing
// entries are never touched.
TImportPlan PlanImport(const std::vector<SettingsText::TColorEntry>& Existing,
                       const std::vector<TIncoming>& Incoming, const TTime& Now);

}  // namespace PaletteFile
