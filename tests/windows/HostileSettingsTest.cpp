// Damaged, odd, huge, locked or unwritable settings files, met by the real program: start-up
// reads the settings, the My colours list opens and closes, a colour is saved through the
// Save colour dialog, and an entry is deleted through My colours. For every case the program
// neither crashes nor hangs, lists every entry of the file that it can read, says so when a
// write fails, and no save or delete loses an entry it did not aim at.
//
// Which entries the list must show, and what counts as an entry of the file, the test works
// out on its own from the file's bytes (TProfile below), by the rules of the system's profile
// functions as the program relies on them. The cases and their outcome: tests/hostile/README.md.
#include "settings/Settings.h"
#include "ChildProcess.h"
#include "settings/IniFile.h"
#include "FileHelpers.h"
#include "MainWindowTest.h"
#include "MyColorsForm.h"
#include "SaveColorForm.h"
#include "UserDriver.h"
#include <commctrl.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <optional>
#include <sstream>

namespace {

using namespace FileHelpers;
using namespace UserDriver;

// ---- The file as the profile functions see it ------------------------------------------

bool SameName(const std::wstring& A, const wchar_t* B) { return _wcsicmp(A.c_str(), B) == 0; }

// One row of the My colours list: the colour text, the time text and the comment, as shown.
struct TRow {
    std::string Key;
    TColor Color = 0;
    std::wstring ColorText, TimeText, Comment;
    bool operator==(const TRow& O) const {
        return ColorText == O.ColorText && TimeText == O.TimeText && Comment == O.Comment;
    }
};

// A row for a failure message; a long comment shows its start and its length.
std::ostream& operator<<(std::ostream& Out, const TRow& R) {
    Out << "[" << WideToUtf8(R.ColorText) << "|" << WideToUtf8(R.TimeText) << "|"
        << WideToUtf8(R.Comment.substr(0, 40));
    if (R.Comment.size() > 40) Out << "...(" << R.Comment.size() << " characters)";
    return Out << "]";
}

// Characters From..From+Count-1 (from 1), as far as the text reaches.
std::string Piece(const std::string& Text, size_t From, size_t Count) {
    return From > Text.size() ? std::string() : Text.substr(From - 1, Count);
}

int HexDigit(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
}

// The colour of a colour text: characters 6-7, 4-5 and 2-3 read as one hexadecimal number
// (blue, green, red); there must be at least one, and every one a hexadecimal digit.
std::optional<TColor> ColourOf(const std::string& ColorText) {
    const std::string Digits =
        Piece(ColorText, 6, 2) + Piece(ColorText, 4, 2) + Piece(ColorText, 2, 2);
    if (Digits.empty()) return std::nullopt;
    TColor Color = 0;
    for (char C : Digits) {
        if (HexDigit(C) < 0) return std::nullopt;
        Color = Color * 16 + static_cast<TColor>(HexDigit(C));
    }
    return Color;
}

std::string TrimControls(const std::string& Text) {
    size_t First = 0, Last = Text.size();
    while (First < Last && static_cast<unsigned char>(Text[First]) <= 32) ++First;
    while (Last > First && static_cast<unsigned char>(Text[Last - 1]) <= 32) --Last;
    return Text.substr(First, Last - First);
}

// A whole number with an optional sign; "$", "x" or "0x" in front mark hexadecimal.
std::optional<long long> WholeNumber(const std::string& Text) {
    size_t I = 0;
    const bool Negative = !Text.empty() && Text[0] == '-';
    if (!Text.empty() && (Text[0] == '-' || Text[0] == '+')) ++I;
    int Base = 10;
    if (I < Text.size() && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
        Base = 16;
        ++I;
    } else if (I + 1 < Text.size() && Text[I] == '0' &&
               (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
        Base = 16;
        I += 2;
    }
    if (I == Text.size()) return std::nullopt;
    long long Value = 0;
    for (; I < Text.size(); ++I) {
        const int Digit = HexDigit(Text[I]);
        if (Digit < 0 || Digit >= Base) return std::nullopt;
        Value = Value * Base + Digit;
        if (Value > (Base == 16 ? 0xFFFFFFFFll : 0x80000000ll)) return std::nullopt;
    }
    if (Base == 16)
        return static_cast<long long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(Value)));
    if (!Negative && Value > 0x7FFFFFFF) return std::nullopt;
    return Negative ? -Value : Value;
}

// The file parsed as the profile functions parse it: a byte-order mark picks the encoding (the
// ANSI code page without one); a line ends at CR or LF; blanks and ^Z around a line, a key and
// a value are dropped; "[" starts a section named up to the line's last "]"; a key ends at the
// first "="; a NUL ends a name or a value. Lines before any section belong to a nameless one.
class TProfile {
public:
    struct TKey {
        std::wstring Name;
        bool HasValue = false;
        std::wstring Value;
    };
    struct TSection {
        std::wstring Name;
        bool Named = false;
        std::vector<TKey> Keys;
    };

    explicit TProfile(const std::string& Bytes) {
        const std::wstring Text = Decode(Bytes);
        FSections.push_back(TSection{});
        for (size_t Start = 0; Start < Text.size();) {
            size_t End = Text.find_first_of(L"\r\n", Start);
            if (End == std::wstring::npos) End = Text.size();
            AddLine(Trim(Text.substr(Start, End - Start)));
            Start = End + 1;
        }
    }

    const std::vector<TSection>& Sections() const { return FSections; }

    // Every key with a name, in file order, as "section|name=value" (or "section|name"
    // without "="): what a save or a delete of another key must leave exactly as it is. A
    // section with an empty name ("[]") is written back without its header, so its keys
    // count with the section before it.
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> All;
        std::wstring Label = L"(none)";
        for (const TSection& S : FSections) {
            if (!S.Name.empty()) Label = S.Name;
            for (const TKey& K : S.Keys)
                if (!K.Name.empty())
                    All.push_back(Label + L"|" + K.Name + (K.HasValue ? L"=" + K.Value : L""));
        }
        return All;
    }

    // A value as one read of its key gives it: first section of that name, first key of that
    // name in it; without enclosing quotation marks; cut to 2047 characters.
    std::string Value(const wchar_t* Section, const wchar_t* Key) const {
        for (const TSection& S : FSections) {
            if (!S.Named || !SameName(S.Name, Section)) continue;
            for (const TKey& K : S.Keys)
                if (SameName(K.Name, Key))
                    return K.HasValue ? WideToAnsi(Unquoted(K.Value)).substr(0, 2047) : "";
            return "";
        }
        return "";
    }
    bool OnTop() const { return TrimControls(Value(L"VOP", L"ontop")) != "0"; }
    int Zoom() const {
        const std::optional<long long> Zoom = WholeNumber(TrimControls(Value(L"VOP", L"zoom")));
        return Zoom && *Zoom >= 1 && *Zoom <= 20 ? static_cast<int>(*Zoom) : 1;
    }

    // The rows of the My colours list: the entries of the first [COLORS] section whose colour
    // converts, in file order.
    std::vector<TRow> Rows() const {
        std::vector<TRow> Rows;
        const auto Colors = std::find_if(FSections.begin(), FSections.end(), [](const TSection& S) {
            return S.Named && SameName(S.Name, L"COLORS");
        });
        if (Colors == FSections.end()) return Rows;
        for (const TKey& K : Colors->Keys) {
            if (K.Name.empty() || K.Name[0] == L';' || !K.HasValue) continue;
            const std::string Key = WideToAnsi(K.Name),
                              Value = WideToAnsi(Unquoted(K.Value)).substr(0, 2047);
            const std::string ColorText = Piece(Value, 1, 7);
            const std::optional<TColor> Color = ColourOf(ColorText);
            if (!Color) continue;
            const std::string Time = Piece(Key, 1, 2) + "/" + Piece(Key, 3, 2) + "/" +
                                     Piece(Key, 5, 4) + " " + Piece(Key, 9, 2) + ":" +
                                     Piece(Key, 11, 2) + ":" + Piece(Key, 13, 2);
            Rows.push_back(TRow{Key, *Color, AnsiToWide(ColorText), AnsiToWide(Time),
                                AnsiToWide(Piece(Value, 8, std::string::npos))});
        }
        return Rows;
    }

private:
    static std::wstring Decode(const std::string& Bytes) {
        auto Starts = [&](const char* Mark) {
            return Bytes.compare(0, std::strlen(Mark), Mark) == 0;
        };
        if (Starts("\xEF\xBB\xBF")) return Utf8ToWide(Bytes.substr(3));
        if (Starts("\xFF\xFE") || Starts("\xFE\xFF")) {
            const bool Big = Bytes[0] == '\xFE';
            std::wstring Wide;
            for (size_t I = 2; I + 1 < Bytes.size(); I += 2) {
                const unsigned char A = static_cast<unsigned char>(Bytes[I]),
                                    B = static_cast<unsigned char>(Bytes[I + 1]);
                Wide += static_cast<wchar_t>(Big ? A << 8 | B : B << 8 | A);
            }
            return Wide;
        }
        return AnsiToWide(Bytes);
    }
    static bool Blank(wchar_t C) { return std::iswspace(C) || C == 0x1A; }
    static std::wstring Trim(const std::wstring& Text) {
        size_t First = 0, Last = Text.size();
        while (First < Last && Blank(Text[First])) ++First;
        while (Last > First && Blank(Text[Last - 1])) --Last;
        return Text.substr(First, Last - First);
    }
    static std::wstring UpToNul(const std::wstring& Text) {
        return Text.substr(0, Text.find(L'\0'));
    }
    static std::wstring Unquoted(const std::wstring& V) {
        return V.size() >= 2 && (V[0] == L'"' || V[0] == L'\'') && V.back() == V[0]
                   ? V.substr(1, V.size() - 2)
                   : V;
    }
    void AddLine(const std::wstring& Line) {
        if (Line.empty()) return;
        const size_t Close = Line.rfind(L']');
        if (Line[0] == L'[' && Close != std::wstring::npos) {
            FSections.push_back(TSection{UpToNul(Trim(Line.substr(1, Close - 1))), true, {}});
            return;
        }
        TKey Key;
        const size_t Equals = Line.find(L'=');
        Key.Name = UpToNul(Trim(Line.substr(0, Equals)));
        if (Equals != std::wstring::npos) {
            Key.HasValue = true;
            Key.Value = UpToNul(Trim(Line.substr(Equals + 1)));
        }
        FSections.back().Keys.push_back(Key);
    }

    std::vector<TSection> FSections;
};

// ---- The cases --------------------------------------------------------------------------

enum class TPlace {
    File,            // vop.ini holds the bytes
    ReadOnly,        // ... and is read-only
    Directory,       // vop.ini is a folder
    Locked,          // another process holds vop.ini open, sharing nothing
    ReadOnlyFolder,  // no vop.ini yet, and the program folder is read-only
};

struct TCase {
    const char* Name;
    const char* File;       // under tests/hostile; nullptr: made by Make
    std::string (*Make)();  // the big files are made at run time, not checked in
    TPlace Place = TPlace::File;
    DWORD WaitMs = 20000;  // what a dialog may take to open on a loaded machine
};

// 10 MB: a few settings and entries, then a foreign section of long lines.
std::string TenMegabytes() {
    std::string Bytes = "[VOP]\r\nontop=0\r\nzoom=12\r\n[COLORS]\r\n";
    char Line[160];
    for (int i = 0; i < 300; ++i) {
        std::snprintf(Line, sizeof Line, "0101%04d%06d=#%06Xentry %d\r\n", 2000 + i % 20, i,
                      i * 40503 & 0xFFFFFF, i);
        Bytes += Line;
    }
    Bytes += "[NOTES]\r\n";
    for (int i = 0; Bytes.size() < 10u * 1024 * 1024; ++i) {
        std::snprintf(Line, sizeof Line, "note%06d=%s\r\n", i,
                      std::string(100, static_cast<char>('a' + i % 26)).c_str());
        Bytes += Line;
    }
    return Bytes + "[COLORS]\r\n01012021000000=#010203second section, not listed\r\n";
}

// 100 000 entries, every thousandth one not a colour.
std::string HundredThousandEntries() {
    std::string Bytes = "[VOP]\r\nontop=1\r\nzoom=20\r\n[COLORS]\r\n";
    char Line[96];
    for (int i = 0; i < 100000; ++i) {
        if (i % 1000 == 999)
            std::snprintf(Line, sizeof Line, "%02d%02d%04d%06d=#XYZ%03dnot a colour\r\n",
                          1 + i % 12, 1 + i % 28, 2000 + i % 20, i, i % 1000);
        else
            std::snprintf(Line, sizeof Line, "%02d%02d%04d%06d=#%06Xentry %d\r\n", 1 + i % 12,
                          1 + i % 28, 2000 + i % 20, i, i * 2654435761u & 0xFFFFFF, i);
        Bytes += Line;
    }
    return Bytes;
}

// Lines of 100 000 characters: values, a key, a section name, a line without "=".
std::string LongLines() {
    const std::string Long(100000, 'a');
    return "[VOP]\r\nontop=0" + std::string(100000, ' ') + "x\r\nzoom=" + std::string(100000, '0') +
           "7\r\n" + "[" + Long + "]\r\n01012020101009=#FFFFFFin a section with a long name\r\n" +
           "[COLORS]\r\n01012020101010=#FF0000" + Long + "\r\n" + std::string(100000, '1') +
           "=#00FF00long key\r\n" + Long + "\r\n01012020101012=#0000FF\"" + Long +
           "\"\r\n01012020101013=#FFFF00after the long lines";
}

void PrintTo(const TCase& Case, std::ostream* Out) { *Out << Case.Name; }

const TCase kCases[] = {
    {"Normal", "normal.ini", nullptr},
    {"BinaryGarbage", "binary-garbage.ini", nullptr},
    {"NulBytes", "nul-bytes.ini", nullptr},
    {"TenMegabytes", nullptr, &TenMegabytes, TPlace::File, 60000},
    {"HundredThousandEntries", nullptr, &HundredThousandEntries, TPlace::File, 90000},
    {"LinesOf100000Characters", nullptr, &LongLines},
    {"KeysWithoutEquals", "keys-without-equals.ini", nullptr},
    {"DuplicateColorsSections", "duplicate-colors-sections.ini", nullptr},
    {"DuplicateKeys", "duplicate-keys.ini", nullptr},
    {"DuplicateVopSections", "duplicate-vop-sections.ini", nullptr},
    {"Utf8ByteOrderMark", "bom-utf8.ini", nullptr},
    {"Utf16LittleEndian", "bom-utf16le.ini", nullptr},
    {"Utf16BigEndian", "bom-utf16be.ini", nullptr},
    {"CarriageReturnsOnly", "cr-only.ini", nullptr},
    {"LineFeedsOnly", "lf-only.ini", nullptr},
    {"MixedLineEnds", "mixed-line-ends.ini", nullptr},
    {"ColourTooShort", "colour-too-short.ini", nullptr},
    {"ColourNotHex", "colour-not-hex.ini", nullptr},
    {"LowerCase", "lower-case.ini", nullptr},
    {"QuotedValues", "quoted-values.ini", nullptr},
    {"Empty", "empty.ini", nullptr},
    {"BlankAndWhitespace", "blank-and-whitespace.ini", nullptr},
    {"NoColorsSection", "no-colors-section.ini", nullptr},
    {"VopValuesOutOfRange", "vop-values-hostile.ini", nullptr},
    {"VopValuesPadded", "vop-values-hostile-2.ini", nullptr},
    {"BrokenSectionHeaders", "broken-section-headers.ini", nullptr},
    {"OddKeys", "odd-keys.ini", nullptr},
    {"EntriesBeforeAnySection", "entries-before-any-section.ini", nullptr},
    {"CommentLines", "comment-lines.ini", nullptr},
    {"ControlCharacters", "control-characters.ini", nullptr},
    {"HighAnsiBytes", "high-ansi.ini", nullptr},
    {"EqualsAndSemicolons", "equals-and-semicolons.ini", nullptr},
    {"NoFinalLineEnd", "no-final-newline.ini", nullptr},
    {"ReadOnlyFile", "normal.ini", nullptr, TPlace::ReadOnly},
    {"ReadOnlyFileStayOnTopOff", "lf-only.ini", nullptr, TPlace::ReadOnly},
    {"FileIsADirectory", nullptr, nullptr, TPlace::Directory},
    {"LockedByAnotherProcess", "normal.ini", nullptr, TPlace::Locked},
    {"ReadOnlyProgramFolder", nullptr, nullptr, TPlace::ReadOnlyFolder},
};

// What the dialog deletes for a row: the key rebuilt from its time text.
std::string KeyOfTimeText(const std::wstring& Time) {
    std::string Key;
    for (char C : TrimControls(WideToAnsi(Time)))
        if (C != '/' && C != ' ' && C != ':') Key += C;
    return Key;
}

// The entries a delete of Key leaves: the first key of that name in the first [COLORS]
// section that has one goes, everything else stays.
std::vector<std::wstring> WithoutKey(const TProfile& Profile, const std::string& Key) {
    std::vector<std::wstring> All;
    bool Gone = false;
    std::wstring Label = L"(none)";
    for (const TProfile::TSection& S : Profile.Sections()) {
        if (!S.Name.empty()) Label = S.Name;
        for (const TProfile::TKey& K : S.Keys) {
            if (K.Name.empty()) continue;
            if (!Gone && S.Named && SameName(S.Name, L"COLORS") &&
                _stricmp(WideToAnsi(K.Name).c_str(), Key.c_str()) == 0) {
                Gone = true;
                continue;
            }
            All.push_back(Label + L"|" + K.Name + (K.HasValue ? L"=" + K.Value : L""));
        }
    }
    return All;
}

// ---- The test ---------------------------------------------------------------------------

class HostileSettingsTest : public TMainWindowTest, public ::testing::WithParamInterface<TCase> {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        Ini = TSettings::GetIniFileName();
        Folder = Ini.substr(0, Ini.rfind('\\'));
        const TCase& C = GetParam();
        if (C.File) Original = ReadBytes(std::string(QUILLORA_HOSTILE_DIR_WIN) + "/" + C.File);
        if (C.Make) Original = C.Make();
        if (C.File && std::string(C.File) != "empty.ini") {
            ASSERT_FALSE(Original.empty()) << "cannot read " << C.File;
        }
        switch (C.Place) {
            case TPlace::File:
            case TPlace::ReadOnly:
            case TPlace::Locked:
                WriteBytes(Ini, Original);
                if (C.Place == TPlace::ReadOnly) SetReadOnly(Ini, true);
                break;
            case TPlace::Directory:
                ASSERT_TRUE(CreateDirectoryA(Ini.c_str(), nullptr));
                break;
            case TPlace::ReadOnlyFolder:
                SetReadOnly(Folder, true);
                break;
        }
        if (C.Place == TPlace::Locked) {
            TNamedEvent Ready("Local\\QuilloraTest." + std::to_string(GetCurrentProcessId()) +
                              ".Held");
            Holder = std::make_unique<TChildProcess>(
                QUILLORA_SETTINGS_WRITER_WIN, "hold \"" + Ini + "\" " + Ready.Name() + " 110000");
            ASSERT_TRUE(Holder->Started()) << QUILLORA_SETTINGS_WRITER_WIN;
            ASSERT_TRUE(Ready.WaitSet(30000))
                << "the other process did not get hold of the file within 30 s";
        }
        // Whether the program can write here at all: root under Wine, for one, writes into a
        // read-only folder all the same.
        Writable = C.Place == TPlace::File || C.Place == TPlace::ReadOnly;
        if (C.Place == TPlace::ReadOnlyFolder) {
            const std::string Probe = Folder + "\\probe.tmp";
            HANDLE H =
                CreateFileA(Probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            Writable = H != INVALID_HANDLE_VALUE;
            if (Writable) CloseHandle(H), DeleteFileA(Probe.c_str());
        }
        Readable = C.Place != TPlace::Directory && C.Place != TPlace::Locked;
    }

    void TearDown() override {
        Holder.reset();  // ends the holding process, by its handle
        SetReadOnly(Folder, false);
        SetReadOnly(Ini, false);
        RemoveDirectoryA(Ini.c_str());
        TMainWindowTest::TearDown();
        std::printf("outcome %s: %s\n", GetParam().Name, Outcome.c_str());
    }

    // The file as the program would read it now.
    TProfile CurrentFile() const {
        return TProfile(Readable && !IsDirectory(Ini) ? ReadBytes(Ini) : std::string());
    }

    // A cell's whole text (TListView::SubItem gives at most 1023 characters).
    static std::wstring ListText(TListView* List, int Row, int Column) {
        std::wstring Text(4096, L'\0');
        LVITEMW Item{};
        Item.iSubItem = Column;
        Item.pszText = &Text[0];
        Item.cchTextMax = static_cast<int>(Text.size());
        Text.resize(static_cast<size_t>(SendMessageW(List->Handle(), LVM_GETITEMTEXTW,
                                                     static_cast<WPARAM>(Row),
                                                     reinterpret_cast<LPARAM>(&Item))));
        return Text;
    }

    // Rows and swatches of the open My colours dialog against Expected: all of them, or for a
    // long list an even spread with the first and the last.
    static void CheckList(const std::vector<TRow>& Expected) {
        TListView* List = frmMyColors->lvwColors;
        ASSERT_EQ(List->Count(), static_cast<int>(Expected.size())) << "rows listed";
        std::vector<size_t> Checked;
        for (size_t i = 0; i < Expected.size(); i += std::max<size_t>(1, Expected.size() / 500))
            Checked.push_back(i);
        if (!Expected.empty() && Checked.back() != Expected.size() - 1)
            Checked.push_back(Expected.size() - 1);
        HDC Screen = GetDC(nullptr);
        HDC Dc = CreateCompatibleDC(Screen);
        HBITMAP Bitmap = CreateCompatibleBitmap(Screen, 32, 16);
        HGDIOBJ Old = SelectObject(Dc, Bitmap);
        int Wrong = 0;
        for (size_t i : Checked) {
            const int Row = static_cast<int>(i);
            const TRow Listed{"", 0, ListText(List, Row, 1), ListText(List, Row, 2),
                              ListText(List, Row, 3)};
            if (!(Listed == Expected[i]) && Wrong++ < 5)
                ADD_FAILURE() << "row " << i << " is " << Listed << ", expected " << Expected[i];
            ImageList_Draw(frmMyColors->ImageList1.Handle(), List->ImageIndex(Row), Dc, 0, 0,
                           ILD_NORMAL);
            const TColor Inside = GetPixel(Dc, 16, 8), Frame = GetPixel(Dc, 0, 0),
                         Corner = GetPixel(Dc, 31, 15);
            if ((Inside != Expected[i].Color || Frame != 0 || Corner != 0) && Wrong++ < 5)
                ADD_FAILURE() << "row " << i << ": swatch " << std::hex << Inside << " framed "
                              << Frame << "/" << Corner << ", expected " << Expected[i].Color
                              << " framed in black";
        }
        SelectObject(Dc, Old);
        DeleteObject(Bitmap);
        DeleteDC(Dc);
        ReleaseDC(nullptr, Screen);
        EXPECT_EQ(Wrong, 0) << "rows or swatches that differ";
    }

    void RunMenu(TCommandId Item, const std::function<void()>& User) {
        WithUser([&] { F->mnuColor.Find(Item)->OnClick(); }, User);
    }

    std::string Ini, Folder, Original, Outcome;
    bool Writable = true, Readable = true;
    std::unique_ptr<TChildProcess> Holder;
};

double Seconds(std::chrono::steady_clock::time_point Since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Since).count();
}

TEST_P(HostileSettingsTest, StartUpListSaveAndDeleteLoseNothing) {
    const TCase& C = GetParam();
    const auto Start = std::chrono::steady_clock::now();
    const TProfile Before = CurrentFile();
    std::ostringstream Out;

    // Start-up reads stay-on-top and the zoom; with stay-on-top on it writes it back at once.
    CreateMain()->Show();
    EXPECT_TRUE(F->Ready()) << "start-up ran every step";
    EXPECT_EQ(F->chkStayOnTop->Checked(), Before.OnTop());
    EXPECT_EQ(F->cboZoom->ItemIndex(), Before.Zoom() - 1);
    const bool StartUpWrites = Before.OnTop();
    if (StartUpWrites && !Writable) {
        ASSERT_EQ(Errors.size(), 1u) << "the failed write at start-up is reported, once";
        EXPECT_EQ(Errors[0].rfind("无法写入到", 0), 0u) << Errors[0];
    } else {
        EXPECT_TRUE(Errors.empty()) << Errors.front();
    }
    const TProfile AfterStart = CurrentFile();
    auto WithoutOnTop = [](const TProfile& P) {
        std::vector<std::wstring> All = P.Entries();
        All.erase(std::remove_if(All.begin(), All.end(),
                                 [](const std::wstring& E) {
                                     return _wcsnicmp(E.c_str(), L"VOP|ontop", 9) == 0 &&
                                            (E.size() == 9 || E[9] == L'=');
                                 }),
                  All.end());
        return All;
    };
    EXPECT_EQ(WithoutOnTop(AfterStart), WithoutOnTop(Before))
        << "start-up changed no entry but stay-on-top";
    if (StartUpWrites && Writable) {
        EXPECT_TRUE(AfterStart.OnTop()) << "stay-on-top written back";
    }
    Out << "start-up: ontop " << F->chkStayOnTop->Checked() << ", zoom "
        << F->cboZoom->ItemIndex() + 1 << (Errors.empty() ? "" : ", message " + Errors[0]) << "; ";
    const double StartUpSeconds = Seconds(Start);

    // The list shows every entry of the file whose colour converts, and closes.
    std::vector<TRow> Rows = AfterStart.Rows();
    {
        std::vector<SettingsText::TColorEntry> Read = TSettings::ReadColorEntries();
        ASSERT_EQ(Read.size(), Rows.size()) << "entries read";
        for (size_t i = 0; i < Rows.size(); ++i)
            ASSERT_EQ(Read[i].Key + "=" + Read[i].ColorText + Read[i].Comment,
                      Rows[i].Key + "=" + WideToAnsi(Rows[i].ColorText) + WideToAnsi(Rows[i].Comment))
                << "entry " << i;
    }
    RunMenu(TCommandId::MyColors, [&] {
        if (!WaitWindow(L"TfrmMyColors", C.WaitMs)) return;
        CheckList(Rows);
        PostKey(frmMyColors->lvwColors->Handle(), VK_ESCAPE);
    });
    Out << "listed " << Rows.size() << "; ";

    // A save adds its one entry and touches no other; a failed one says so and changes nothing.
    F->spiR->SetValue(0x12);
    F->spiG->SetValue(0x34);
    F->spiB->SetValue(0x56);
    const std::string BytesBeforeSave = Readable && !IsDirectory(Ini) ? ReadBytes(Ini) : "";
    std::wstring Box, Time;
    RunMenu(TCommandId::SaveColor, [&] {
        if (!WaitWindow(L"TfrmSaveColor", C.WaitMs)) return;
        Time = frmSaveColor->edtTime->Text();
        SetWindowTextW(frmSaveColor->edtComment->Handle(), L"saved over a hostile file");
        PostMessageW(frmSaveColor->btnOK->Handle(), BM_CLICK, 0, 0);
        Box = Answer(IDOK, C.WaitMs);
    });
    EXPECT_EQ(Box, Writable ? L"SUCCESS!" : L"ERROR!");
    EXPECT_EQ(Errors.size(), StartUpWrites && !Writable ? 1u : 0u)
        << "a save reports through its own box only";
    const std::string Saved = KeyOfTimeText(Time);
    const TProfile AfterSave = CurrentFile();
    if (Writable) {
        std::vector<std::wstring> Others = AfterSave.Entries();
        const std::wstring SavedEntry =
            L"COLORS|" + AnsiToWide(Saved) + L"=#123456saved over a hostile file";
        const auto Found = std::find_if(Others.begin(), Others.end(), [&](const std::wstring& E) {
            return _wcsicmp(E.c_str(), SavedEntry.c_str()) == 0;
        });
        ASSERT_NE(Found, Others.end()) << "the saved entry is in the file";
        Others.erase(Found);
        EXPECT_EQ(Others, AfterStart.Entries()) << "the save changed no other entry";
    } else if (Readable) {
        EXPECT_EQ(ReadBytes(Ini), BytesBeforeSave) << "a failed save leaves the file as it was";
    }
    Out << "save " << WideToUtf8(Box) << "; ";

    // A delete through the list takes exactly its one entry, preferably one that was there
    // before the save.
    Rows = AfterSave.Rows();
    auto Target = std::find_if(Rows.begin(), Rows.end(), [&](const TRow& R) {
        return R.Key == KeyOfTimeText(R.TimeText) && R.Key != Saved;
    });
    if (Target == Rows.end())
        Target =
            std::find_if(Rows.begin(), Rows.end(), [&](const TRow& R) { return R.Key == Saved; });
    if (Target == Rows.end() || !Writable) {
        Out << "nothing to delete";
    } else {
        const int Row = static_cast<int>(Target - Rows.begin());
        const std::vector<std::wstring> Left = WithoutKey(AfterSave, Target->Key);
        ASSERT_EQ(Left.size() + 1, AfterSave.Entries().size()) << "the row's key is in the file";
        int CountAfter = -1;
        RunMenu(TCommandId::MyColors, [&] {
            if (!WaitWindow(L"TfrmMyColors", C.WaitMs)) return;
            TListView* List = frmMyColors->lvwColors;
            CheckList(Rows);
            SendMessageW(List->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(Row), FALSE);
            RECT R{};
            R.left = LVIR_BOUNDS;
            SendMessageW(List->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Row),
                         reinterpret_cast<LPARAM>(&R));
            Click(List->Handle(), R.left + 60, (R.top + R.bottom) / 2);
            HWND Delete = frmMyColors->btnDelete->Handle();
            if (!WaitUntil([&] { return IsWindowEnabled(Delete) != FALSE; }, C.WaitMs)) {
                ADD_FAILURE() << "a click on row " << Row << " did not enable Delete";
                return;
            }
            EXPECT_EQ(List->Selected(), Row);
            PostMessageW(Delete, BM_CLICK, 0, 0);
            EXPECT_EQ(Answer(IDYES, C.WaitMs), L"Do you really want to delete it?");
            // The list is filled again; the selection keeps its row, where there still is one.
            if (!WaitUntil([&] { return List->Count() != static_cast<int>(Rows.size()); }, C.WaitMs))
                ADD_FAILURE() << "the list did not reload after the delete";
            CountAfter = List->Count();
            EXPECT_EQ(List->Selected(), Row < CountAfter ? Row : -1);
            EXPECT_EQ(IsWindowEnabled(Delete) != FALSE, Row < CountAfter);
            PostKey(List->Handle(), VK_ESCAPE);
        });
        const TProfile AfterDelete = CurrentFile();
        EXPECT_EQ(AfterDelete.Entries(), Left) << "the delete took its one entry and nothing else";
        EXPECT_EQ(CountAfter, static_cast<int>(AfterDelete.Rows().size()))
            << "rows after the delete";
        Out << "deleted 1 of " << Rows.size();
    }
    EXPECT_TRUE(Errors.size() <= 1u) << "no message but the start-up one";

    // The other process lets go: the file is as it was, byte for byte.
    if (C.Place == TPlace::Locked) {
        Holder.reset();
        EXPECT_EQ(ReadBytes(Ini), Original) << "the locked file lost nothing";
    }
    char Figures[96];
    std::snprintf(Figures, sizeof Figures, " (%.1f s, start-up %.1f s)", Seconds(Start),
                  StartUpSeconds);
    Outcome = Out.str() + Figures;
}

// The lines of a block, each its own string, for a failure message that shows them.
std::vector<std::string> BlockLines(const std::string& Block) {
    std::vector<std::string> Lines;
    for (size_t Pos = 0; Pos < Block.size();) {
        const size_t End = std::min(Block.find('\0', Pos), Block.size());
        Lines.push_back(Block.substr(Pos, End - Pos));
        Pos = End + 1;
    }
    return Lines;
}

// The program reads a section in one pass over the file where it can, and gets what the
// profile functions get, line for line; it leaves a file with a byte-order mark or a NUL byte
// to them.
TEST(SectionReader, OwnReaderGivesWhatTheProfileFunctionsGiveForEveryFile) {
    const std::string Ini = TSettings::GetIniFileName() + ".reader.ini";
    for (const TCase& C : kCases) {
        if (!C.File && !C.Make) continue;
        const std::string Bytes = C.File ? ReadBytes(std::string(QUILLORA_HOSTILE_DIR_WIN) + "/" + C.File) : C.Make();
        WriteBytes(Ini, Bytes);
        const bool Plain = Bytes.find('\0') == std::string::npos && Bytes.rfind("\xEF\xBB\xBF", 0) != 0 &&
                           Bytes.rfind("\xFF\xFE", 0) != 0 && Bytes.rfind("\xFE\xFF", 0) != 0;
        for (const char* Section : {"COLORS", "colors", " COLORS ", "VOP", "FORMATS", "NOTES"}) {
            std::string Block = "untouched";
            const bool Own = TIniFile::ReadSectionOwnWay(Section, Ini, Block);
            EXPECT_EQ(Own, Plain) << C.Name << " [" << Section << "]";
            if (Own)
                EXPECT_EQ(BlockLines(Block), BlockLines(TIniFile::ReadSectionProfileWay(Section, Ini)))
                    << C.Name << " [" << Section << "]";
            else
                EXPECT_EQ(Block, "untouched") << C.Name << " [" << Section << "]";
        }
    }
    DeleteFileA(Ini.c_str());
}

INSTANTIATE_TEST_SUITE_P(Hostile, HostileSettingsTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TCase>& Info) {
                             return std::string(Info.param.Name);
                         });

}  // namespace
