#include "IniFile.h"
#include "HotKey.h"
#include "SettingsText.h"
#include "Settings.h"

#include <windows.h>

namespace {

const char kProductName[] = "Quillora";
const char kIniName[] = "\\vop.ini";
const char kVopSection[] = "VOP";
const char kColorsSection[] = "COLORS";
const char kOnTopKey[] = "ontop";
const char kZoomKey[] = "zoom";
const char kHotKeyKey[] = "hotkey";
const char kSampleKey[] = "sample";
const char kAutoCopyKey[] = "autocopy";
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

std::function<void(bool Value)> TSettings::OnApplyStayOnTop;

std::string TSettings::GetIniFileName() {
    const std::string Folder = ProgramFolder();
    if (IsPortable(Folder)) return Folder + kIniName;
    return TIniFile::GetAppDataPath(kProductName) + kIniName;
}

bool TSettings::GetStayOnTop() {
    return SettingsText::StayOnTopFromValue(
        TIniFile::ReadIniString(kVopSection, kOnTopKey, GetIniFileName()));
}

void TSettings::SetStayOnTop(bool Value) {
    if (OnApplyStayOnTop) OnApplyStayOnTop(Value);
    const std::string Text = SettingsText::StayOnTopValue(Value);
    const std::string FileName = GetIniFileName();
    // Every start with the box on sets it again: a file that already says so is left alone
    // (no rewrite of the whole file at each start; a portable copy's stick is spared too).
    if (TIniFile::ReadIniString(kVopSection, kOnTopKey, FileName, "\n") == Text) return;
    TIniFile::WriteIniString(kVopSection, kOnTopKey, Text, FileName);
}

int TSettings::GetZoom() {
    return SettingsText::ZoomFromValue(
        TIniFile::ReadIniString(kVopSection, kZoomKey, GetIniFileName()));
}

void TSettings::SetZoom(int Value) {
    TIniFile::WriteIniString(kVopSection, kZoomKey, SettingsText::ZoomValue(Value),
                             GetIniFileName());
}

THotKey TSettings::GetHotKey() {
    // A missing key is the default hot key, an empty value none: so the read tells them apart.
    return HotKeyFromValue(TIniFile::ReadIniString(kVopSection, kHotKeyKey, GetIniFileName(),
                                                   HotKeyText(kDefaultHotKey)));
}

void TSettings::SetHotKey(const THotKey& Value) {
    TIniFile::WriteIniString(kVopSection, kHotKeyKey, HotKeyText(Value), GetIniFileName());
}

int TSettings::GetSample() {
    return SettingsText::SampleFromValue(
        TIniFile::ReadIniString(kVopSection, kSampleKey, GetIniFileName()));
}

void TSettings::SetSample(int Value) {
    TIniFile::WriteIniString(kVopSection, kSampleKey, SettingsText::SampleValue(Value),
                             GetIniFileName());
}

int TSettings::GetAutoCopy() {
    return SettingsText::AutoCopyFromValue(
        TIniFile::ReadIniString(kVopSection, kAutoCopyKey, GetIniFileName()));
}

void TSettings::SetAutoCopy(int Value) {
    TIniFile::WriteIniString(kVopSection, kAutoCopyKey, SettingsText::AutoCopyValue(Value),
                             GetIniFileName());
}

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

void TSettings::AddColors(const TColorPlan& Plan) {
    TIniFile::WithSettingsLock([&] {
        const auto Added = Plan(ReadColorEntries());
        TIniFile::WriteIniStrings(kColorsSection, Added, GetIniFileName());
    });
}

void TSettings::DeleteColor(const std::string& Key) {
    TIniFile::DeleteIniKey(kColorsSection, Key, GetIniFileName());
}
