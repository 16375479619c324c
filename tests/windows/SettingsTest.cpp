// The settings file and the saved colours, on real files in the prefix's application-data
// folder, through the system's profile functions.
#include "settings/IniFile.h"
#include "util/SpecialFolder.h"
#include "util/Errors.h"
#include "util/FileBytes.h"
#include "FileHelpers.h"
#include "Options.h"
#include "Text.h"
#include "settings/Settings.h"
#include "Texts.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using namespace FileHelpers;
using TLines = std::vector<std::string>;

// Found through another shell call than the one under test.
std::string AppData() {
    char Buffer[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, Buffer);
    return Buffer;
}
std::string ProgramFolder() { return AppData() + "\\Quillora"; }
std::string IniPath() { return ProgramFolder() + "\\vop.ini"; }

// A non-ASCII character that the ANSI code page holds, as ANSI and as UTF-8.
std::pair<std::string, std::string> NonAsciiCharacter() {
    const std::pair<const wchar_t*, const char*> kCandidates[] = {{L"\u00e9", "\xc3\xa9"},
                                                                  {L"\u8272", "\xe8\x89\xb2"}};
    for (const auto& [Wide, Utf8] : kCandidates) {
        char Ansi[8] = {};
        BOOL Lost = FALSE;
        const int N = WideCharToMultiByte(CP_ACP, 0, Wide, 1, Ansi, sizeof Ansi, nullptr, &Lost);
        if (N > 0 && !Lost) return {std::string(Ansi, N), Utf8};
    }
    return {};
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        Remove(IniPath());
        RemoveDirectoryA(ProgramFolder().c_str());  // only when the tests left it empty
    }
    static void WriteIni(const std::string& Text) {
        CreateDirectoryA(ProgramFolder().c_str(), nullptr);
        WriteBytes(IniPath(), Text);
    }
};

// --- Where the file lives -------------------------------------------------------------------

TEST_F(SettingsTest, FileIsVopIniInTheProgramFolderWhichTheFirstAccessCreates) {
    RemoveDirectoryA(ProgramFolder().c_str());
    ASSERT_FALSE(Exists(ProgramFolder()));
    EXPECT_EQ(TSpecialFolder::GetSpecialFolderPath(CSIDL_APPDATA), AppData());
    EXPECT_EQ(TSpecialFolder::GetSpecialFolderPath(0x7F), "") << "no such special folder";

    EXPECT_EQ(TSettings::GetIniFileName(), IniPath());
    EXPECT_TRUE(IsDirectory(ProgramFolder()));
    EXPECT_FALSE(Exists(IniPath())) << "only a write creates the file";
    EXPECT_EQ(TSettings::GetIniFileName(), IniPath()) << "an existing folder is used as it is";

    const std::pair<const char*, const char*> kResolved[] = {
        {"Sub\\..\\QuilloraT1", "QuilloraT1"}, {".\\QuilloraT2\\", "QuilloraT2"}};
    for (const auto& [Name, Folder] : kResolved) {
        const std::string Expected = AppData() + "\\" + Folder;
        EXPECT_EQ(TSpecialFolder::GetAppDataPath(Name), Expected) << Name;
        EXPECT_TRUE(IsDirectory(Expected)) << Name;
        RemoveDirectoryA(Expected.c_str());
    }
    EXPECT_FALSE(Exists(AppData() + "\\Sub"));
}

TEST_F(SettingsTest, ProgramFolderThatCannotBeCreatedRaisesInOutError) {
    const std::string AFile = AppData() + "\\QuilloraFile";
    WriteBytes(AFile, "a file, not a folder");
    struct TCase {
        std::string Name;
        int Code;  // 0: whichever code the system gives
    };
    const TCase kCases[] = {
        {"QuilloraMissing\\Child", ERROR_PATH_NOT_FOUND},  // no parents made
        {"QuilloraFile", ERROR_ALREADY_EXISTS},
        {std::string(300, 'q'), 0},  // past 260 characters: an error, not garbage
    };
    for (const TCase& c : kCases) {
        try {
            TSpecialFolder::GetAppDataPath(c.Name);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EInOutError& e) {
            EXPECT_TRUE(c.Code == 0 || e.ErrorCode() == c.Code) << c.Name << ": " << e.ErrorCode();
            EXPECT_NE(e.ErrorCode(), 0) << c.Name;
        }
    }
    EXPECT_FALSE(Exists(AppData() + "\\QuilloraMissing"));
    DeleteFileA(AFile.c_str());
}

// Moves the application-data folder away while it lives, and works in C:\ so that the file
// at the root of the current drive lands inside the prefix.
class TAppDataMissing {
public:
    TAppDataMissing() : FBase(AppData()) {
        GetCurrentDirectoryA(MAX_PATH, FOldDirectory);
        SetCurrentDirectoryA("C:\\users");
        FMoved = MoveFileA(FBase.c_str(), (FBase + ".away").c_str());
    }
    ~TAppDataMissing() {
        Remove("C:\\vop.ini");
        if (FMoved) MoveFileA((FBase + ".away").c_str(), FBase.c_str());
        SetCurrentDirectoryA(FOldDirectory);
    }
    bool Moved() const { return FMoved; }

private:
    std::string FBase;
    char FOldDirectory[MAX_PATH] = {};
    bool FMoved = false;
};

TEST_F(SettingsTest, WithoutAppDataFolderTheFileIsAtTheRootOfTheCurrentDrive) {
    TAppDataMissing Missing;
    ASSERT_TRUE(Missing.Moved());
    EXPECT_EQ(TSettings::GetIniFileName(), "\\vop.ini");
    TSettings::SetZoom(4);
    EXPECT_EQ(TSettings::GetZoom(), 4);
    EXPECT_EQ(ReadBytes("C:\\vop.ini"), "[VOP]\r\nzoom=4\r\n");
    EXPECT_FALSE(Exists(AppData())) << "the application-data folder is never created";
}

// --- [VOP] ----------------------------------------------------------------------------------

TEST_F(SettingsTest, StayOnTopIsOffOnlyForZero) {
    EXPECT_TRUE(TSettings::GetStayOnTop()) << "no file";
    EXPECT_FALSE(Exists(IniPath())) << "reading creates nothing";
    struct TCase {
        const char* File;
        bool On;
    };
    const TCase kCases[] = {
        {"[VOP]\r\nontop=0", false},     {"[VOP]\r\nontop= 0 ", false},
        {"[VOP]\r\nontop=\"0\"", false}, {"[VOP]\r\nontop=\t0", false},
        {"[vop]\r\nONTOP=0", false},     {"[VOP]\r\nontop=00", true},
        {"[VOP]\r\nontop=false", true},  {"[VOP]\r\nontop=no", true},
        {"[VOP]\r\nontop=", true},       {"[VOP]\r\nontop=1", true},
        {"[VOP]\r\nother=0", true},      {"[X]\r\nontop=0", true},
    };
    for (const TCase& c : kCases) {
        WriteIni(std::string(c.File) + "\r\n");
        EXPECT_EQ(TSettings::GetStayOnTop(), c.On) << c.File;
    }
}

// The modifier bits and key codes the core names without the Windows header.
static_assert(kHotKeyAlt == MOD_ALT && kHotKeyCtrl == MOD_CONTROL && kHotKeyShift == MOD_SHIFT &&
              kHotKeyWin == MOD_WIN && kKeyF1 == VK_F1 && kKeyF1 + 23 == VK_F24);

// Each [VOP] number, and the hot key, read back as text.
std::string ReadVop(const std::string& Key) {
    if (Key == "hotkey") return HotKeyText(TSettings::GetHotKey());
    return std::to_string(Key == "zoom"       ? TSettings::GetZoom()
                          : Key == "sample"   ? TSettings::GetSample()
                          : Key == "autocopy" ? TSettings::GetAutoCopy()
                                              : TSettings::Get(TSettings::TSettingId::KeepRecent));
}

TEST_F(SettingsTest, ZoomSampleAutoCopyKeepRecentAndHotKeyReadTheirRangeElseTheirDefault) {
    const std::pair<const char*, const char*> kDefaults[] = {
        {"zoom", "1"}, {"sample", "1"}, {"autocopy", "0"}, {"keeprecent", "0"}, {"hotkey", "Ctrl+Alt+P"}};
    for (const auto& [Key, Default] : kDefaults) EXPECT_EQ(ReadVop(Key), Default) << "no file";
    EXPECT_FALSE(Exists(IniPath())) << "reading creates nothing";
    WriteIni("[VOP]\r\nontop=0\r\n");
    for (const auto& [Key, Default] : kDefaults) EXPECT_EQ(ReadVop(Key), Default) << "no key";
    struct TCase {
        const char *Key, *Value, *Read;
    };
    const TCase kCases[] = {
        {"zoom", "7", "7"},        {"zoom", " 20 ", "20"},     {"zoom", "21", "1"},
        {"zoom", "0", "1"},        {"zoom", "-3", "1"},        {"zoom", "abc", "1"},
        {"zoom", "", "1"},         {"zoom", "$A", "10"},       {"zoom", "0x14", "20"},
        {"zoom", "'3'", "3"},      {"zoom", "3 4", "1"},       {"zoom", "1.5", "1"},
        {"sample", " 5 ", "5"},    {"autocopy", "'7'", "7"},   {"hotkey", "", ""},
        {"hotkey", "shift+f12", "Shift+F12"},                   {"hotkey", "P", "Ctrl+Alt+P"},
        {"keeprecent", " 1 ", "1"}, {"keeprecent", "0", "0"},  {"keeprecent", "2", "0"},
        {"keeprecent", "on", "0"},
    };
    for (const TCase& c : kCases) {
        WriteIni(std::string("[VOP]\r\n") + c.Key + "=" + c.Value + "\r\n");
        EXPECT_EQ(ReadVop(c.Key), c.Read) << c.Key << "=[" << c.Value << "]";
    }
}

TEST_F(SettingsTest, WritesCreateTheFileAndReplaceValuesInPlace) {
    TSettings::SetStayOnTop(true);
    EXPECT_EQ(ReadBytes(IniPath()), "[VOP]\r\nontop=1\r\n");
    TSettings::SetZoom(25);
    TSettings::SetStayOnTop(false);
    EXPECT_EQ(ReadBytes(IniPath()), "[VOP]\r\nontop=0\r\nzoom=25\r\n") << "no range check";
    EXPECT_EQ(TSettings::GetZoom(), 1) << "but 25 reads back as 1";
    EXPECT_FALSE(TSettings::GetStayOnTop());
    TSettings::SetHotKey({kHotKeyShift, kKeyF1 + 11});
    TSettings::SetSample(3);
    TSettings::SetAutoCopy(9);
    EXPECT_EQ(ReadBytes(IniPath()),
              "[VOP]\r\nontop=0\r\nzoom=25\r\nhotkey=Shift+F12\r\nsample=3\r\nautocopy=9\r\n");
}

TEST_F(SettingsTest, StayOnTopIsAppliedBeforeItIsWritten) {
    std::vector<std::pair<bool, bool>> Calls;  // value applied, value stored at that time
    TOptions Options;
    Options.OnApply(TSettings::TSettingId::StayOnTop,
                    [&](int Value) { Calls.emplace_back(Value != 0, TSettings::GetStayOnTop()); });
    Options.Write(TSettings::TSettingId::StayOnTop, 0);
    Options.Write(TSettings::TSettingId::StayOnTop, 1);
    EXPECT_EQ(Calls, (std::vector<std::pair<bool, bool>>{{false, true}, {true, false}}));

    Remove(IniPath());
    CreateDirectoryA(IniPath().c_str(), nullptr);  // the write is going to fail
    EXPECT_THROW(Options.Write(TSettings::TSettingId::StayOnTop, 0), EIniFileException);
    EXPECT_EQ(Calls.size(), 3u) << "the windows follow even when the write fails";
}

TEST_F(SettingsTest, ReadOnlyFileIsMadeWritableAndWritten) {
    WriteIni("[VOP]\r\nzoom=3\r\n");
    SetReadOnly(IniPath(), true);
    TSettings::SetZoom(9);
    EXPECT_FALSE(IsReadOnly(IniPath()));
    EXPECT_EQ(TSettings::GetZoom(), 9);
}

TEST_F(SettingsTest, FailedWriteRaisesIniFileExceptionNamingTheFile) {
    const auto [Ansi, Utf8] = NonAsciiCharacter();
    const std::string Folder = AppData() + "\\Missing" + Ansi;
    try {
        TIniFile::WriteIniString("VOP", "zoom", "3", Folder + "\\vop.ini");
        ADD_FAILURE() << "no error for a file in a missing folder";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.FileName(), Folder + "\\vop.ini");
        EXPECT_EQ(WideToUtf8(ExceptionText(e)), "无法写入到" + AppData() + "\\Missing" + Utf8 + "\\vop.ini")
            << "the path read in the ANSI code page (" << GetACP() << ")";
    }
    EXPECT_FALSE(Exists(Folder)) << "the folder of the file is not created";

    CreateDirectoryA(ProgramFolder().c_str(), nullptr);
    CreateDirectoryA(IniPath().c_str(), nullptr);
    const std::pair<const char*, void (*)()> kWrites[] = {
        {"SetZoom", [] { TSettings::SetZoom(2); }},
        {"SaveColor", [] { TSettings::SaveColor("03/07/2026 14:05:09", "#FF8000", ""); }},
    };
    for (const auto& [Name, Write] : kWrites) {
        try {
            Write();
            ADD_FAILURE() << Name << ": no error when vop.ini is a folder";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.FileName(), IniPath()) << Name;
        }
    }
    EXPECT_EQ(TSettings::GetZoom(), 1) << "a folder is no settings file";
    EXPECT_TRUE(TSettings::ReadColorLines().empty());
}

TEST_F(SettingsTest, ValuesReadBackCutTo2047Characters) {
    const std::string Long(3000, 'x');
    CreateDirectoryA(ProgramFolder().c_str(), nullptr);
    TIniFile::WriteIniString("VOP", "long", Long, IniPath());
    EXPECT_EQ(TIniFile::ReadIniString("VOP", "long", IniPath()), Long.substr(0, 2047));
    TSettings::SaveColor("01/01/2020 00:00:00", "#000000", Long);
    EXPECT_EQ(TSettings::ReadColorLines(), TLines{"01012020000000=#000000" + Long.substr(0, 2040)});
}

// --- [COLORS] -------------------------------------------------------------------------------

TEST_F(SettingsTest, WorkedExampleRoundTrips) {
    TSettings::SaveColor("03/07/2026 14:05:09", "#FF8000", "sky; warm=yes");
    EXPECT_EQ(ReadBytes(IniPath()), "[COLORS]\r\n03072026140509=#FF8000sky, warm=yes\r\n");
    EXPECT_EQ(TSettings::ReadColorLines(), TLines{"03072026140509=#FF8000sky, warm=yes"});
    const std::vector<SettingsText::TColorEntry> Entries = TSettings::ReadColorEntries();
    ASSERT_EQ(Entries.size(), 1u);
    EXPECT_EQ(Entries[0].Key, "03072026140509");
    EXPECT_EQ(Entries[0].TimeText, "03/07/2026 14:05:09");
    EXPECT_EQ(Entries[0].ColorText, "#FF8000");
    EXPECT_EQ(Entries[0].Color, 0x000080FFu);
    EXPECT_EQ(Entries[0].Comment, "sky, warm=yes");
}

TEST_F(SettingsTest, CommentsComeBackAsTheProfileFunctionsLeaveThem) {
    const std::pair<const char*, const char*> kComments[] = {
        {"a=b=c", "a=b=c"},           {"  leading", "  leading"}, {"trailing  ", "trailing"},
        {"\"quoted\"", "\"quoted\""}, {"", ""},
        {"one\r\ntwo\nthree\r[VOP]\r\nzoom=9", "one  two three [VOP]  zoom=9"},
    };
    for (std::size_t i = 0; i < std::size(kComments); ++i)
        TSettings::SaveColor("01/01/2020 10:10:1" + std::to_string(i), "#123456", kComments[i].first);

    const std::string Bytes = ReadBytes(IniPath());
    const std::ptrdiff_t kLines = 1 + std::size(kComments);  // the section's and one each
    EXPECT_EQ(std::count(Bytes.begin(), Bytes.end(), '\n'), kLines) << Bytes;
    EXPECT_EQ(TSettings::GetZoom(), 1) << "a comment cannot plant a setting";
    const std::vector<SettingsText::TColorEntry> Entries = TSettings::ReadColorEntries();
    ASSERT_EQ(Entries.size(), std::size(kComments));
    for (std::size_t i = 0; i < std::size(kComments); ++i)
        EXPECT_EQ(Entries[i].Comment, kComments[i].second) << "[" << kComments[i].first << "]";
}

TEST_F(SettingsTest, SaveInTheSameSecondReplacesTheEarlierEntryWhereItStands) {
    TSettings::SaveColor("03/07/2026 14:05:09", "#000001", "first");
    TSettings::SaveColor("03/07/2026 14:05:10", "#000002", "second");
    TSettings::SaveColor(" 03/07/2026 14:05:09 ", "#000003", "third");
    EXPECT_EQ(TSettings::ReadColorLines(),
              (TLines{"03072026140509=#000003third", "03072026140510=#000002second"}));
}

// Reading all key names in one 16384-character buffer listed at most 1092 entries and hid
// the rest without a word.
TEST_F(SettingsTest, ListingIsNotCutAfter1092Entries) {
    std::ostringstream File;
    TLines Expected;
    File << "[VOP]\r\nontop=1\r\n[COLORS]\r\n";
    for (int i = 0; i < 3000; ++i) {
        const int n = (i * 7919) % 3000;  // keys out of sorted order: file order must hold
        char Line[40];
        std::snprintf(Line, sizeof Line, "0101%04d%06d=#%06X", 2000 + n % 100, n, n);
        File << Line << "\r\n";
        Expected.push_back(Line);
    }
    File << "[OTHER]\r\nx=#FFFFFF\r\n";
    WriteIni(File.str());

    TSettings::SaveColor("12/31/2030 23:59:59", "#ABCDEF", "last");
    Expected.push_back("12312030235959=#ABCDEFlast");
    const TLines Lines = TSettings::ReadColorLines();
    ASSERT_EQ(Lines.size(), Expected.size());
    for (std::size_t i = 0; i < Lines.size(); ++i) ASSERT_EQ(Lines[i], Expected[i]) << "line " << i;
}

// The whole section comes in one read; each line must still read as a read of its own key
// would give it, and only real entries count.
TEST_F(SettingsTest, SectionListingReadsEachLineAsItsOwnValue) {
    WriteIni("[COLORS]\r\n"
             "k1=#111111a\r\n"
             "K1=#222222b\r\n"   // the same key again: its own value, not the first one's
             "noequals\r\n"
             ";c=#333333\r\n"
             "=#444444\r\n"
             "q=\"#555555 x\"\r\n"
             "s='#666666'\r\n"
             "u=\"#777777\r\n"
             "e=\"\"\r\n"
             "one=\"\r\n"
             "mixed=\"#888888'\r\n"
             "[OTHER]\r\nz=#999999\r\n");
    const TLines Lines = TSettings::ReadColorLines();
    EXPECT_EQ(Lines, (TLines{"k1=#111111a", "K1=#222222b", "q=#555555 x", "s=#666666",
                             "u=\"#777777", "e=", "one=\"", "mixed=\"#888888'"}));
    for (std::size_t i = 2; i < Lines.size(); ++i) {
        const std::string Key = Lines[i].substr(0, Lines[i].find('='));
        EXPECT_EQ(Lines[i], Key + "=" + TIniFile::ReadIniString("COLORS", Key, IniPath()))
            << "the same as a read of the key alone";
    }
}

TEST_F(SettingsTest, LinesWhoseColourDoesNotConvertAreLeftOutAndKept) {
    WriteIni("[COLORS]\r\n01012020101010=#GG0000x\r\n01012020101011=#ff8000\r\n"
             "0101202010101299=#000001long key\r\n01012020101013=\r\n");
    EXPECT_EQ(TSettings::ReadColorLines().size(), 4u);
    const std::vector<SettingsText::TColorEntry> Entries = TSettings::ReadColorEntries();
    ASSERT_EQ(Entries.size(), 2u);
    EXPECT_EQ(Entries[0].Color, 0x000080FFu);
    EXPECT_EQ(Entries[0].ColorText, "#ff8000");
    EXPECT_EQ(Entries[0].TimeText, "01/01/2020 10:10:11");
    EXPECT_EQ(Entries[1].Key, "0101202010101299");
    EXPECT_EQ(Entries[1].TimeText, "01/01/2020 10:10:12");
    EXPECT_NE(ReadBytes(IniPath()).find("01012020101010=#GG0000x"), std::string::npos);
}

TEST_F(SettingsTest, DeleteRemovesOneLineAndReportsNothing) {
    EXPECT_TRUE(TSettings::ReadColorLines().empty()) << "no file";
    TSettings::DeleteColor("03072026140509");
    EXPECT_FALSE(Exists(IniPath())) << "deleting from a missing file creates none";

    TSettings::SaveColor("03/07/2026 14:05:09", "#000001", "a");
    TSettings::SaveColor("03/07/2026 14:05:10", "#000002", "b");
    TSettings::SaveColor("03/07/2026 14:05:11", "#000003", "c");
    TSettings::DeleteColor("03072026140510");
    EXPECT_EQ(TSettings::ReadColorLines(),
              (TLines{"03072026140509=#000001a", "03072026140511=#000003c"}));

    const std::string Before = ReadBytes(IniPath());
    TSettings::DeleteColor("99999999999999");
    TSettings::DeleteColor("");
    EXPECT_EQ(ReadBytes(IniPath()), Before) << "unknown or empty keys change nothing";

    SetReadOnly(IniPath(), true);
    TSettings::DeleteColor("03072026140509");
    EXPECT_TRUE(IsReadOnly(IniPath())) << "deleting leaves a read-only file alone";
    EXPECT_EQ(ReadBytes(IniPath()), Before) << "so the entry stays";
}

TEST_F(SettingsTest, AddColorsWritesEveryLineBehindTheOthersOrNone) {
    WriteIni("[COLORS]\r\n01012020101010=#FF8000a\r\n[VOP]\r\nzoom=3\r\n");
    size_t Seen = 0;
    TSettings::AddColors([&](const std::vector<SettingsText::TColorEntry>& Saved) {
        Seen = Saved.size();
        return std::vector<std::pair<std::string, std::string>>{{"02022020101010", "#00FF00b"},
                                                                {"01012019101010", "#0000FF"}};
    });
    EXPECT_EQ(Seen, 1u);
    EXPECT_EQ(TSettings::ReadColorLines(), (TLines{"01012020101010=#FF8000a", "02022020101010=#00FF00b",
                                              "01012019101010=#0000FF"}));
    EXPECT_EQ(TSettings::GetZoom(), 3);

    // A plan that fails, and a file another program holds against writing: nothing changes.
    const std::string Before = ReadBytes(IniPath());
    const auto OneLine = [](const std::vector<SettingsText::TColorEntry>&) {
        return std::vector<std::pair<std::string, std::string>>{{"03032020101010", "#123456"}};
    };
    EXPECT_THROW(TSettings::AddColors([](const std::vector<SettingsText::TColorEntry>&)
                                     -> std::vector<std::pair<std::string, std::string>> {
                     throw EInOutError(5);
                 }),
                 EInOutError);
    {
        const HANDLE Held = CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(Held, INVALID_HANDLE_VALUE);
        EXPECT_THROW(TSettings::AddColors(OneLine), EIniFileException);
        CloseHandle(Held);
    }
    EXPECT_EQ(ReadBytes(IniPath()), Before);
}

// --- [RECENT] -------------------------------------------------------------------------------

TEST_F(SettingsTest, RecentColoursRewriteTheirSectionAloneInOneWrite) {
    const std::string Vop = "[VOP]\r\nzoom=3\r\nkeeprecent=1\r\n";
    const std::string Colors = "[COLORS]\r\n01012020101010=#FF8000a\r\n";
    TSettings::RemoveRecent();
    EXPECT_FALSE(Exists(IniPath())) << "nothing to remove, nothing written";
    WriteIni(Vop + Colors);
    TSettings::RemoveRecent();
    EXPECT_EQ(ReadBytes(IniPath()), Vop + Colors) << "no section is added";

    // Twenty colours over a section with a line that does not read and one at another key.
    WriteIni(Vop + "[RECENT]\r\n1=#GG0000\r\n25=#00FF00\r\n" + Colors);
    EXPECT_TRUE(TSettings::ReadRecent().Colors().empty());
    TRecentColors List;
    for (int i = 20; i >= 1; --i) List.Add(MakeColor(i, 0x80, 0xAB));
    TSettings::WriteRecent(List);
    const TLines Lines = TIniFile::ReadSectionValues("RECENT", IniPath());
    ASSERT_EQ(Lines.size(), 20u);
    EXPECT_EQ(Lines.front() + " " + Lines.back(), "1=#0180AB 20=#1480AB") << "newest first, upper case";
    EXPECT_EQ(TSettings::ReadRecent().Colors(), List.Colors());
    EXPECT_EQ(TSettings::Get(TSettings::TSettingId::KeepRecent), 1);
    EXPECT_EQ(TSettings::GetZoom(), 3);
    EXPECT_EQ(TSettings::ReadColorLines(), TLines{"01012020101010=#FF8000a"});

    // A shorter list leaves none of the old keys; a failed write leaves the file as it was.
    List.Clear();
    List.Add(0x00563412);
    TSettings::WriteRecent(List);
    const std::string Shorter = Vop + "[RECENT]\r\n1=#123456\r\n" + Colors;
    EXPECT_EQ(ReadBytes(IniPath()), Shorter);
    {
        const HANDLE Held = CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(Held, INVALID_HANDLE_VALUE);
        EXPECT_THROW(TSettings::WriteRecent(TRecentColors()), EIniFileException);
        EXPECT_THROW(TSettings::RemoveRecent(), EIniFileException);
        CloseHandle(Held);
    }
    EXPECT_EQ(ReadBytes(IniPath()), Shorter);

    TSettings::RemoveRecent();
    EXPECT_EQ(ReadBytes(IniPath()), Vop + Colors) << "the section goes whole";
    EXPECT_TRUE(TSettings::ReadRecent().Colors().empty());
}

// A file with a byte-order mark keeps its encoding and every byte outside [RECENT], whose
// 100 000 lines that do not read go in one rewrite (one rewrite of the file for each key took
// 90 s for 10 000 of them).
TEST_F(SettingsTest, RecentColoursRewriteMarkedFilesInTheirEncoding) {
    std::string Junk[2];
    for (int i = 0; i < 100000; ++i) Junk[i % 2] += "junk" + std::to_string(i) + "=#000000\r\n";
    const std::string Vop = "[VOP]\r\nkeeprecent=1\r\n",
                      Colors = "[COLORS]\r\n01012020101010=#FF8000 \xe8\x89\xb2 \xc3\xa9\r\n";
    // The text, in UTF-8, as a file with this mark.
    const auto Encoded = [](const std::string& Text, const std::string& Mark) {
        std::string Bytes = Mark;
        if (Mark.size() == 3) return Bytes + Text;
        for (wchar_t C : Utf8ToWide(Text)) {
            const char Low = static_cast<char>(C & 0xFF), High = static_cast<char>(C >> 8);
            Bytes += Mark[0] == '\xFF' ? std::string{Low, High} : std::string{High, Low};
        }
        return Bytes;
    };
    const std::pair<const char*, std::string> kMarks[] = {
        {"UTF-8", "\xEF\xBB\xBF"}, {"UTF-16 LE", "\xFF\xFE"}, {"UTF-16 BE", "\xFE\xFF"}};
    for (const auto& [Name, Mark] : kMarks) {
        WriteIni(Encoded(Vop + "[RECENT]\r\n" + Junk[0] + "1=#0000FF\r\n" + Junk[1] + Colors, Mark));
        TRecentColors List = TSettings::ReadRecent();
        List.Add(0x00563412);
        TSettings::WriteRecent(List);
        EXPECT_EQ(ReadBytes(IniPath()), Encoded(Vop + "[RECENT]\r\n1=#123456\r\n2=#0000FF\r\n" + Colors, Mark))
            << Name;
    }
}

TEST_F(SettingsTest, ChosenFilesAreReplacedWholeOrNotAtAll) {
    const std::wstring Folder = Utf8ToWide(AppData()) + L"\\Quillora";
    const std::wstring Path = Folder + L"\\out.gpl";
    CreateDirectoryW(Folder.c_str(), nullptr);
    EXPECT_EQ(FileBytes::WriteReplacing(Path, "old"), 0);
    EXPECT_EQ(FileBytes::WriteReplacing(Path, "new bytes"), 0);
    std::string Bytes;
    EXPECT_EQ(FileBytes::Read(Path, 9, Bytes), 0);
    EXPECT_EQ(Bytes, "new bytes");
    EXPECT_EQ(FileBytes::Read(Path, 8, Bytes), FileBytes::kTooLarge);

    SetFileAttributesW(Path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(FileBytes::WriteReplacing(Path, "lost"), 0) << "a read-only file is not replaced";
    EXPECT_NE(FileBytes::WriteReplacing(Folder + L"\\missing\\out.gpl", "x"), 0);
    EXPECT_EQ(FileBytes::Read(Path, 100, Bytes), 0);
    EXPECT_EQ(Bytes, "new bytes");
    WIN32_FIND_DATAW Found;
    const HANDLE Search = FindFirstFileW((Folder + L"\\*.tmp").c_str(), &Found);
    EXPECT_EQ(Search, INVALID_HANDLE_VALUE) << "no scratch file is left behind";
    if (Search != INVALID_HANDLE_VALUE) FindClose(Search);
    SetFileAttributesW(Path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Path.c_str());
}

}  // namespace
