#pragma once

#include "Choices.h"
#include "HotKey.h"
#include "../notation/Notations.h"

#include <cstddef>
#include <string>

// The keys of section [VOP] of the settings file, one row each: its name, what its value
// means, which values are read, what anything else reads as, and when it is written. The
// value texts (SettingsText) and the file access (TSettings) both go by these rows, so a new
// setting is one row here plus its use. Pure code: runs in the Linux and the Windows build.
namespace SettingsTable {

// The rows' order in kSettings. A new setting goes last, so that the others keep their numbers.
enum class TSettingId { StayOnTop, Zoom, HotKey, Sample, AutoCopy, ColorSpace, Freeze, Language, KeepRecent, Grid };

// Unscoped, so that the rows read short.
enum TType {
    // On or off, 1 or 0: the trimmed text "0" or "1" reads as that; anything else, the empty
    // text included, as the default.
    Switch,
    // A whole number: the trimmed text as TextUtil::TryStrToInt reads it ("$A" is 10), when it
    // lies in Min..Max and, where the row lists choices, is one of them; anything else reads
    // as the default.
    Number,
    // A hot key's text, read by HotKeyFromValue (HotKey.h): the empty text is no hot key; a
    // missing key and anything unreadable read as kDefaultHotKey, this type's default.
    Shortcut,
    // One of a few names, read trimmed and in any case as its place in the list (0, 1, ...);
    // anything else reads as the default. Written as the name.
    Named,
};

enum TWrite {
    // Written unless the file holds that very text already: set at every start, it does not
    // rewrite the file each time.
    UnlessSame,
    // Written as given, without a range check, whenever the user changes it.
    AsGiven,
};

// The values a Number may take within its range; none listed: all of them.
struct TChoices {
    int Count;
    int Values[8];
};

// The names of a Named setting, in the order of their numbers.
struct TNames {
    int Count;
    const char* Names[8];
};

struct TSetting {
    TSettingId Id;
    const char* Key;   // the name in [VOP]
    TType Type;
    int Min, Max;      // Switch: 0..1; Number: the range read
    TChoices Choices;  // Number: when listed, only these values of the range
    int Default;       // Switch, Number: what a missing or unreadable value reads as (def)
    TWrite Write;
    TNames Names;      // Named: its values
};

inline constexpr char kSection[] = "VOP";

// "autocopy" may also name an own format: "f1".."f20" (any case) read as this plus the number.
inline constexpr int kOwnAutoCopy = 100;

using Notations::kMainCount;

// The choices' values, as Choices.h lists them.
inline constexpr TChoices kSamples = {0 QUILLORA_SAMPLES(QUILLORA_CHOICE_ONE), {QUILLORA_SAMPLES(QUILLORA_CHOICE_VALUE)}};
inline constexpr TNames kSpaces = {0 QUILLORA_COLOR_SPACES(QUILLORA_CHOICE_ONE),
                                   {QUILLORA_COLOR_SPACES(QUILLORA_CHOICE_VALUE)}};
inline constexpr TNames kLanguages = {0 QUILLORA_LANGUAGES(QUILLORA_CHOICE_ONE),
                                      {QUILLORA_LANGUAGES(QUILLORA_CHOICE_VALUE)}};

inline constexpr TSetting kSettings[] = {
    // id                   key         type      min max         choices         def written names
    {TSettingId::StayOnTop, "ontop",    Switch,   0,  1,          {},             1,  UnlessSame, {}},
    {TSettingId::Zoom,      "zoom",     Number,   1,  20,         {},             1,  AsGiven, {}},
    {TSettingId::HotKey,    "hotkey",   Shortcut, 0,  0,          {},             0,  AsGiven, {}},
    {TSettingId::Sample,    "sample",   Number,   kSamples.Values[0], kSamples.Values[kSamples.Count - 1], kSamples, 1, AsGiven, {}},
    // 0 copies nothing, 1..kMainCount the notation of that row of the main window.
    {TSettingId::AutoCopy,  "autocopy", Number,   0,  kMainCount, {},             0,  AsGiven, {}},
    // The colour space picks are converted into: the monitor's own values, sRGB, P3, Adobe RGB.
    {TSettingId::ColorSpace, "colorspace", Named, 0,  kSpaces.Count - 1, {},      0,  AsGiven, kSpaces},
    // Keyboard picks start from a still picture of the screen.
    {TSettingId::Freeze,    "freeze",   Switch,   0,  1,          {},             0,  AsGiven, {}},
    // The language of every text: Chinese or English.
    {TSettingId::Language,  "language", Named,    0,  kLanguages.Count - 1, {},   0,  AsGiven, kLanguages},
    // The recent colours are kept in [RECENT] for the next start, not in memory only.
    {TSettingId::KeepRecent, "keeprecent", Switch, 0, 1,          {},             0,  AsGiven, {}},
    // From 600 % the magnifier shows each pixel as an exact square, with lines between them.
    {TSettingId::Grid,      "grid",     Switch,   0,  1,          {},             0,  AsGiven, {}},
};

inline constexpr std::size_t kSettingCount = sizeof kSettings / sizeof kSettings[0];

constexpr const TSetting& Row(TSettingId Id) { return kSettings[static_cast<std::size_t>(Id)]; }

constexpr bool RowsInIdOrder() {
    for (std::size_t I = 0; I < kSettingCount; ++I)
        if (static_cast<std::size_t>(kSettings[I].Id) != I) return false;
    return true;
}
static_assert(RowsInIdOrder(), "each row of kSettings stands at its TSettingId");

// What the text Value of a Switch or Number row reads as (Switch: 1 on, 0 off).
int NumberFromValue(TSettingId Id, const std::string& Value);

// The text written for Value: a Switch "1" for any value but 0, which is "0"; a Number its
// decimal digits, as given (out of range too).
std::string NumberValue(TSettingId Id, int Value);

// The text a missing key reads as: the empty text, which gives the default, for a Switch or
// a Number; the default hot key's text for a Shortcut, where the empty text is no hot key.
std::string MissingValue(TSettingId Id);

}  // namespace SettingsTable
