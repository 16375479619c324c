#include "IniFile.h"
#include "HotKey.h"
#include "SettingsTable.h"
#include "SettingsText.h"
#include "Settings.h"
#include "../util/SpecialFolder.h"

#include "Text.h"

#include <windows.h>
#include <algorithm>

namespace {

const char kProductName[] = "Quillora";
const char kIniName[] = "\\vop.ini";
const char kColorsSection[] = "COLORS";
const char kFormatsSection[] = "FORMATS";
const char kRecentSection[] = "RECENT";
const char kPortableMarker[] = "\\portable";

// The folder the running program was started from, without a trailing backslash; the empty
// text when it cannot be told.
std::string ProgramFolder() {
    std::string Path(MAX_PATH, '\0');
    for (;;) {
        const DWORD Length = GetModuleFileNameA(nullptr, &Path[0], static_cast<DWORD>(Path.size()));
        if (Length == 0) return std::string();
        if (Length < Path.size()) {
            Path.resize(Length);
            break;
        }
        if (Path.size() >= 32768) return std::string();
        Path.resize(Path.size() * 2);
    }
    const std::size_t Slash = Path.find_last_of('\\');
    return Slash == std::string::npos ? std::string() : Path.substr(0, Slash);
}

// A portable copy: a regular file named "portable" stands beside the program.
bool IsPortable(const std::string& Folder) {
    if (Folder.empty()) return false;
    const DWORD Attributes = GetFileAttributesA((Folder + kPortableMarker).c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string TSettings::GetIniFileName() {
    const std::string Folder = ProgramFolder();
    if (IsPortable(Folder)) return Folder + kIniName;
    return TSpecialFolder::GetAppDataPath(kProductName) + kIniName;
}

std::string TSettings::ReadValue(TSettingId Id) {
    return TIniFile::ReadIniString(SettingsTable::kSection, SettingsTable::Row(Id).Key,
                                   GetIniFileName(), SettingsTable::MissingValue(Id));
}

void TSettings::WriteValue(TSettingId Id, const std::string& Text) {
    const SettingsTable::TSetting& Setting = SettingsTable::Row(Id);
    const std::string FileName = GetIniFileName();
    // "\n" is no value a line can hold: a missing key is written.
    if (Setting.Write == SettingsTable::UnlessSame &&
        TIniFile::ReadIniString(SettingsTable::kSection, Setting.Key, FileName, "\n") == Text)
        return;
    TIniFile::WriteIniString(SettingsTable::kSection, Setting.Key, Text, FileName);
}

int TSettings::Get(TSettingId Id) { return SettingsTable::NumberFromValue(Id, ReadValue(Id)); }

TSettings::TValues TSettings::ReadAll() {
    std::vector<std::string> Keys, Defaults;
    for (const SettingsTable::TSetting& Row : SettingsTable::kSettings) {
        Keys.push_back(Row.Key);
        Defaults.push_back(SettingsTable::MissingValue(Row.Id));
    }
    return {TIniFile::ReadIniStrings(SettingsTable::kSection, Keys, Defaults, GetIniFileName())};
}

int TSettings::TValues::Get(TSettingId Id) const {
    return SettingsTable::NumberFromValue(Id, Texts[static_cast<std::size_t>(Id)]);
}

THotKey TSettings::TValues::HotKey() const {
    return HotKeyFromValue(Texts[static_cast<std::size_t>(TSettingId::HotKey)]);
}

void TSettings::Set(TSettingId Id, int Value) {
    WriteValue(Id, SettingsTable::NumberValue(Id, Value));
}

bool TSettings::GetStayOnTop() { return Get(TSettingId::StayOnTop) != 0; }

void TSettings::SetStayOnTop(bool Value) {
    // Every start with the box on sets it again: a file that already says so is left alone
    // (no rewrite of the whole file at each start; a portable copy's stick is spared too).
    Set(TSettingId::StayOnTop, Value);
}

int TSettings::GetZoom() { return Get(TSettingId::Zoom); }

void TSettings::SetZoom(int Value) { Set(TSettingId::Zoom, Value); }

THotKey TSettings::GetHotKey() {
    // A missing key is the default hot key, an empty value none: so the read tells them apart.
    return HotKeyFromValue(ReadValue(TSettingId::HotKey));
}

void TSettings::SetHotKey(const THotKey& Value) {
    WriteValue(TSettingId::HotKey, HotKeyText(Value));
}

int TSettings::GetSample() { return Get(TSettingId::Sample); }

void TSettings::SetSample(int Value) { Set(TSettingId::Sample, Value); }

int TSettings::GetAutoCopy() { return Get(TSettingId::AutoCopy); }

void TSettings::SetAutoCopy(int Value) { Set(TSettingId::AutoCopy, Value); }

void TSettings::SaveColor(const std::string& Time, const std::string& Value,
                     const std::string& Comment) {
    TIniFile::WriteIniString(kColorsSection, SettingsText::KeyFromTimeText(Time),
                             SettingsText::StoredValue(Value, Comment), GetIniFileName());
}

std::vector<std::string> TSettings::ReadColorLines() {
    return TIniFile::ReadSectionValues(kColorsSection, GetIniFileName());
}

std::vector<SettingsText::TColorEntry> TSettings::ReadColorEntries() {
    std::vector<SettingsText::TColorEntry> Entries;
    for (const std::string& Line : ReadColorLines()) {
        SettingsText::TColorEntry Entry;
        if (SettingsText::ParseColorLine(Line, Entry)) Entries.push_back(Entry);
    }
    return Entries;
}

TColorList TSettings::ReadColorList() {
    return TColorList(TIniFile::ReadSectionBlock(kColorsSection, GetIniFileName()));
}

void TSettings::AddColors(const TColorPlan& Plan) {
    TIniFile::WithSettingsLock([&] {
        const auto Added = Plan(ReadColorEntries());
        TIniFile::WriteIniStrings(kColorsSection, Added, GetIniFileName());
    });
}

TColorList TSettings::DeleteColor(const std::string& Key) {
    return TColorList(TIniFile::DeleteIniKey(kColorsSection, Key, GetIniFileName()));
}

namespace {
// Every key of [FORMATS] from 1 to 20 whose line reads as a format (Formats), or that holds a
// line which does not (Blocked).
struct TFormatKeys {
    TSettings::TFormatList List;
    std::vector<bool> Blocked = std::vector<bool>(OwnFormats::kMaxFormats + 1, false);
};

TFormatKeys ReadFormatKeys(const std::string& FileName) {
    TFormatKeys Read;
    std::vector<OwnFormats::TFormat> ByKey(OwnFormats::kMaxFormats + 1);
    std::vector<bool> Seen(OwnFormats::kMaxFormats + 1, false);
    for (const std::string& Line : TIniFile::ReadSectionValues(kFormatsSection, FileName)) {
        const std::size_t Equals = Line.find('=');
        int Key = 0;
        // A key that occurs twice is the profile functions' first line: the later ones stay.
        if (!OwnFormats::KeyNumber(Line.substr(0, Equals), Key) || Seen[static_cast<std::size_t>(Key)]) continue;
        Seen[static_cast<std::size_t>(Key)] = true;
        if (!OwnFormats::FromStoredValue(AnsiToUtf8(Line.substr(Equals + 1)), ByKey[static_cast<std::size_t>(Key)]))
            Read.Blocked[static_cast<std::size_t>(Key)] = true;
    }
    for (int Key = 1; Key <= OwnFormats::kMaxFormats; ++Key) {
        const std::size_t K = static_cast<std::size_t>(Key);
        if (!Seen[K] || Read.Blocked[K]) continue;
        Read.List.Keys.push_back(Key);
        Read.List.Formats.push_back(std::move(ByKey[K]));
    }
    Read.List.Room = static_cast<int>(std::count(Read.Blocked.begin() + 1, Read.Blocked.end(), false));
    return Read;
}
}  // namespace

TSettings::TFormatList TSettings::ReadFormats() { return ReadFormatKeys(GetIniFileName()).List; }

std::vector<int> TSettings::WriteFormats(const std::vector<OwnFormats::TFormat>& Formats) {
    std::vector<int> Keys;
    TIniFile::WithSettingsLock([&] {
        const std::string FileName = GetIniFileName();
        const TFormatKeys Old = ReadFormatKeys(FileName);
        std::vector<std::string> Removed;
        for (int Key : Old.List.Keys) Removed.push_back(std::to_string(Key));
        std::vector<std::pair<std::string, std::string>> Values;
        for (int Key = 1; Key <= OwnFormats::kMaxFormats && Values.size() < Formats.size(); ++Key) {
            if (Old.Blocked[static_cast<std::size_t>(Key)]) continue;
            Keys.push_back(Key);
            Values.push_back({std::to_string(Key), WideToAnsi(Utf8ToWide(OwnFormats::StoredValue(Formats[Values.size()])))});
        }
        TIniFile::WriteIniStrings(kFormatsSection, Values, FileName, Removed);
    });
    return Keys;
}

TRecentColors TSettings::ReadRecent() {
    return TRecentColors::FromLines(TIniFile::ReadSectionValues(kRecentSection, GetIniFileName()));
}

void TSettings::WriteRecent(const TRecentColors& List) {
    // The old keys are read under the same lock as the write, so that a list another running
    // copy wrote meanwhile goes whole: no line of it stays beside ours, nor any hand-edited
    // line that does not read.
    TIniFile::WithSettingsLock([&] {
        const std::string FileName = GetIniFileName();
        std::vector<std::string> Removed;
        for (const std::string& Line : TIniFile::ReadSectionValues(kRecentSection, FileName))
            Removed.push_back(Line.substr(0, Line.find('=')));
        TIniFile::WriteIniStrings(kRecentSection, List.StoredValues(), FileName, Removed);
    });
}

void TSettings::RemoveRecent() { TIniFile::EraseSection(kRecentSection, GetIniFileName()); }
