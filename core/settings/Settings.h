#pragma once

#include "ColorList.h"
#include "HotKey.h"
#include "../notation/OwnFormats.h"
#include "RecentColors.h"
#include "SettingsTable.h"
#include "SettingsText.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The settings file: the keys of [VOP], the saved colours of [COLORS], the own formats of
// [FORMATS] and the recent colours of [RECENT]. Class-level operations only, never
// instantiated; defined in the Windows part of core.
class TSettings {
public:
    TSettings() = delete;

    // Every operation works the path out anew and reads or writes the file at once; nothing
    // is kept in memory, so changes made by another running copy are seen.

    // <application data>\Quillora\vop.ini, creating the Quillora folder if needed; "\vop.ini"
    // (root of the current drive) when the application-data folder is missing. Throws
    // EInOutError when the folder cannot be created. A portable copy (a file named "portable"
    // beside the program) keeps vop.ini beside the program instead, and creates nothing.
    static std::string GetIniFileName();

    // --- Settings: section [VOP], each key read and written by its row of SettingsTable ---

    using TSettingId = SettingsTable::TSettingId;

    // A Switch or Number setting: the value its text reads as, the row's default when the key
    // is missing or its value does not read. Set writes Value (a Switch: nonzero is on) as the
    // row's TWrite says: as given, without a range check, or unless the file holds that text
    // already. Set throws EIniFileException when the write fails. The hot key (a Shortcut)
    // goes through GetHotKey and SetHotKey instead.
    static int Get(TSettingId Id);
    static void Set(TSettingId Id, int Value);
    // Every key of [VOP] in one read of the file, as Get and GetHotKey would each read it: for
    // start-up, which needs them all at once.
    struct TValues {
        std::vector<std::string> Texts;  // in the order of SettingsTable's rows
        int Get(TSettingId Id) const;
        THotKey HotKey() const;
    };
    static TValues ReadAll();

    // [VOP] ontop: on unless the value is "0"; on when missing.
    static bool GetStayOnTop();
    // Writes "1" or "0" unless the file holds that value already.
    static void SetStayOnTop(bool Value);

    // [VOP] zoom: SettingsText::kZoomMin..kZoomMax, kZoomMin for anything else. SetZoom writes
    // Value as given, without a range check.
    static int GetZoom();
    static void SetZoom(int Value);

    // [VOP] hotkey: the key that starts a pick; Key 0 when the value is empty (no hot key),
    // Ctrl+Alt+P when it is missing or unreadable. SetHotKey writes its text (HotKeyText).
    static THotKey GetHotKey();
    static void SetHotKey(const THotKey& Value);

    // [VOP] sample: 1, 3 or 5, 1 for anything else. SetSample writes Value as given.
    static int GetSample();
    static void SetSample(int Value);

    // [VOP] autocopy: 0..Notations::kMainCount, or SettingsTable::kOwnAutoCopy + the key of an
    // own format for "f1".."f20"; 0 for anything else. SetAutoCopy writes Value as given.
    static int GetAutoCopy();
    static void SetAutoCopy(int Value);

    // --- Saved colours: section [COLORS], one "key=value" line each ---

    // Stores Value (the colour text) followed by the prepared comment under the key made
    // from the time text. A save within the same second as an earlier one replaces that
    // entry where it stands. Throws EIniFileException when the write fails.
    static void SaveColor(const std::string& Time, const std::string& Value,
                          const std::string& Comment);

    // Every line of [COLORS] as "key=value", in file order, however many there are.
    static std::vector<std::string> ReadColorLines();

    // The lines of ReadColorLines taken apart; lines whose colour does not convert are left
    // out (and stay in the file).
    static std::vector<SettingsText::TColorEntry> ReadColorEntries();

    // The same entries kept in one block, for lists of any length.
    static TColorList ReadColorList();

    // Adds saved colours in one go. Plan gets the entries saved now and gives the key and
    // stored value of each one to add, behind the others; no other running copy writes in
    // between. All are written or none: EIniFileException, and the file as it was.
    using TColorPlan = std::function<std::vector<std::pair<std::string, std::string>>(
        const std::vector<SettingsText::TColorEntry>& Saved)>;
    static void AddColors(const TColorPlan& Plan);

    // Removes the entry with this key. Reports nothing: a missing key changes nothing, and a
    // read-only file keeps the entry. Gives the saved colours as the file holds them afterwards.
    static TColorList DeleteColor(const std::string& Key);

    // --- Own copy formats: section [FORMATS], keys "1".."20", texts in UTF-8 here ---
    struct TFormatList {
        std::vector<int> Keys;  // of each format, ascending
        std::vector<OwnFormats::TFormat> Formats;
        int Room = OwnFormats::kMaxFormats;  // the keys no unreadable line holds
    };
    // The formats whose lines read, in the order of their keys; the other lines of the section
    // stay in the file and are not shown.
    static TFormatList ReadFormats();
    // Puts these formats, in this order, at the keys the unreadable lines leave free (at most
    // Room of them), in place of the formats read before; one rewrite of the file under the
    // settings lock. Gives each format's key. Throws EIniFileException when the write fails;
    // the file then stays as it was.
    static std::vector<int> WriteFormats(const std::vector<OwnFormats::TFormat>& Formats);

    // --- Recent colours: section [RECENT], kept there only while "keeprecent" is on ---

    // The list the section holds (TRecentColors::FromLines): lines that do not read are
    // skipped and stay in the file until the next WriteRecent.
    static TRecentColors ReadRecent();
    // Rewrites the section in one write under the settings lock: keys "1".."N" newest first,
    // every other line of the section with a key gone. Throws EIniFileException when the write
    // fails; the file then stays as it was.
    static void WriteRecent(const TRecentColors& List);
    // Takes the section out, its header with its lines, in one write under the settings lock;
    // a file without it is not written. Throws as WriteRecent does.
    static void RemoveRecent();

private:
    // The text of a [VOP] key as the file holds it; the row's MissingValue when it is missing.
    static std::string ReadValue(TSettingId Id);
    // Writes the text of a [VOP] key as its row's TWrite says.
    static void WriteValue(TSettingId Id, const std::string& Text);
};
