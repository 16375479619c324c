#pragma once

#include "../../base/Color.h"
#include "SettingsTable.h"

#include <cstddef>
#include <string>
#include <vector>

// The texts of the settings file: the values of section [VOP] and the saved-colour entries
// of section [COLORS]. No file access here; that is the Windows part of TSettings.
namespace SettingsText {

// The values of [VOP], each read and written by its row of SettingsTable: the ...FromValue
// functions give the row's default for a text that does not read, the ...Value ones write the
// value as given.

// "ontop": trimmed "0" exactly means off; anything else, the empty text included, means on.
bool StayOnTopFromValue(const std::string& Value);
std::string StayOnTopValue(bool On);

// "zoom": the trimmed whole number if it lies in kZoomMin..kZoomMax, else kZoomMin.
constexpr int kZoomMin = SettingsTable::Row(SettingsTable::TSettingId::Zoom).Min;
constexpr int kZoomMax = SettingsTable::Row(SettingsTable::TSettingId::Zoom).Max;
int ZoomFromValue(const std::string& Value);
std::string ZoomValue(int Zoom);

// "sample", the side of the square a pick averages: the trimmed whole number if it is 1, 3 or
// 5, else 1.
int SampleFromValue(const std::string& Value);
std::string SampleValue(int Side);

// "autocopy", the notation a finished pick copies: the trimmed whole number if it lies in
// 0..Notations::kMainCount, else 0 (nothing copied).
int AutoCopyFromValue(const std::string& Value);
std::string AutoCopyValue(int Notation);

// "MM/DD/YYYY hh:nn:ss" with these separators whatever the locale says.
std::string TimeText(int Year, int Month, int Day, int Hour, int Minute, int Second);

// The key of a saved colour: the trimmed time text without its "/", " " and ":", so
// "MMDDYYYYhhnnss" for a time the program wrote.
std::string KeyFromTimeText(const std::string& Time);

// The fields of a time in a key, each the characters where that field stands in
// "MMDDYYYYhhnnss"; pieces beyond the key's end are empty, characters past the 14th belong to
// none.
constexpr std::size_t kKeyLength = 14;
struct TKeyFields {
    std::string Month, Day, Year, Hour, Minute, Second;
};
TKeyFields KeyFields(const std::string& Key);

// The time text rebuilt from a key's fields.
std::string TimeTextFromKey(const std::string& Key);

// A comment as it is stored: ";" becomes ",", and every control character becomes a blank,
// so that a comment stays on its own line of the settings file.
std::string PrepareComment(const std::string& Comment);

// The stored value of a saved colour: its colour text directly followed by the comment.
std::string StoredValue(const std::string& ColorText, const std::string& Comment);

struct TColorEntry {
    // The line's own key. Deleting by it removes exactly this line, also one whose
    // hand-edited key is longer than 14 characters, which the time text cannot give back.
    std::string Key;
    TColor Color = 0;
    std::string ColorText;
    std::string TimeText;
    std::string Comment;
};

// The bytes of an 8-bit settings file with Lines (each "key=value") added behind the last
// line of the first section named Section (case does not matter), or in a new section at the
// end, after that section's lines with a key of Removed (trimmed, in any case) are taken out.
// Lines end in CR LF; the file's other bytes stay as they are.
std::string WithLinesAdded(const std::string& File, const std::string& Section,
                           const std::vector<std::string>& Lines,
                           const std::vector<std::string>& Removed = {});

// Takes one "key=value" line of [COLORS] apart. False when the colour does not convert: such
// a line is not listed.
bool ParseColorLine(const std::string& Line, TColorEntry& Entry);

}  // namespace SettingsText
