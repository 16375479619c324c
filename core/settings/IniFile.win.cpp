#include "IniFile.h"

#include "../util/Errors.h"
#include "../util/FileBytes.h"
#include "Handle.h"
#include "SettingsText.h"
#include "../util/TextUtil.h"
#include "../util/Utf8.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>

namespace {

constexpr DWORD kValueBufferSize = 2048;  // a value reads back as at most 2047 characters
// The buffer for a whole section grows from the first size until the section fits; past the
// last one (a settings file of hundreds of megabytes) the listing holds what fitted.
constexpr std::size_t kSectionStartSize = 65536;
constexpr std::size_t kSectionMaxSize = std::size_t(1) << 28;

// Running copies of the program share the settings file, and the profile functions rewrite
// the whole file at every write, truncating it first, with nothing to keep other processes
// out: two copies saving at once lost most of the file's entries (360 of 450 in a test), and
// a copy reading meanwhile sees a cut file. So every access to a settings file holds one mutex
// of the user's session. A copy that holds it for longer than the timeout (hung, or stopped in
// a debugger) is not waited for: the access goes ahead unlocked rather than hang this copy. A
// copy that ended while holding it leaves it abandoned, which makes the next one its owner.
class TSettingsLock {
public:
    TSettingsLock() : FMutex(CreateMutexW(nullptr, FALSE, L"Local\\Quillora.Settings")) {
        if (!FMutex) return;
        const DWORD Result = WaitForSingleObject(FMutex.Get(), kLockTimeoutMs);
        FOwned = Result == WAIT_OBJECT_0 || Result == WAIT_ABANDONED;
    }
    ~TSettingsLock() {
        if (FOwned) ReleaseMutex(FMutex.Get());
    }
    TSettingsLock(const TSettingsLock&) = delete;
    TSettingsLock& operator=(const TSettingsLock&) = delete;

private:
    static constexpr DWORD kLockTimeoutMs = 5000;
    TKernelHandle FMutex;
    bool FOwned = false;
};

bool IsRegularFile(const std::string& Path) {
    if (Path.empty()) return false;
    const DWORD Attributes = GetFileAttributesA(Path.c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWhole(const std::string& FileName, std::string& Bytes) {
    return FileBytes::Read(AnsiToWide(FileName), (std::size_t(1) << 30) - 1, Bytes) == 0;
}

// Writes Count bytes of Data (or of zeros, when Data is null) to a new file; false as soon as
// one write falls short.
bool WriteWhole(HANDLE File, const char* Data, std::size_t Count) {
    // Made when needed: 64 KiB of zeros in the program would be 64 KiB more of the program file.
    constexpr std::size_t kChunk = 65536;
    const std::string Zeros(Data ? 0 : std::min(Count, kChunk), '\0');
    for (std::size_t Pos = 0; Pos < Count;) {
        const DWORD Chunk = static_cast<DWORD>(std::min(Count - Pos, kChunk));
        DWORD Written = 0;
        if (!WriteFile(File, Data ? Data + Pos : Zeros.data(), Chunk, &Written, nullptr) ||
            Written != Chunk)
            return false;
        Pos += Chunk;
    }
    return true;
}

bool EndsWithLineEnd(const std::string& Bytes) {
    const std::size_t N = Bytes.size();
    return N > 0 &&
           (Bytes[N - 1] == '\n' || (N > 1 && Bytes[N - 2] == '\n' && Bytes[N - 1] == '\0'));
}

// The profile functions rewrite the whole file at every write and do not look at what their
// writes return: when the disk fills up meanwhile they report success and leave the file cut
// short, and every entry past the cut is gone (a 72 KB file with room for 40 KB kept 650 of
// its 1500 entries, the last one torn). So before a write, a scratch file next to the settings
// file takes as much room as the rewrite may need and gives it back; without that room the
// write does not start. A file that comes out cut all the same (another program filled the
// disk in between) gets its old bytes back.
class TRewriteGuard {
public:
    // Extra: what the write adds to the file at most.
    TRewriteGuard(const std::string& FileName, std::size_t Extra) : FFileName(FileName) {
        FExisted = IsRegularFile(FileName);
        FHadFile = ReadWhole(FileName, FOld);
        // Lines that ended in LF or CR alone come back ended in CR LF: the rewrite grows by
        // half at most.
        FHasRoom = RoomFor(FOld.size() + FOld.size() / 2 + Extra + 4096);
    }
    bool HasRoom() const { return FHasRoom; }

    // Puts the old bytes back whatever the file holds now; a file that did not exist goes, and
    // one that could not be read is left alone.
    void Restore() const {
        if (!FExisted) {
            DeleteFileA(FFileName.c_str());
            return;
        }
        if (FHadFile) WriteOld();
    }

    // After the write: whether the file came out whole, judged by its end (the profile
    // functions end every line they write). A file cut short gets its old bytes back.
    bool Whole() const {
        std::string Now;
        if (!ReadWhole(FFileName, Now) || EndsWithLineEnd(Now) || Now.empty()) return true;
        if (FHadFile && !FOld.empty() && !EndsWithLineEnd(FOld)) return true;  // cannot tell
        if (FHadFile) WriteOld();
        return false;
    }

private:
    // Writes the old bytes over whatever the file holds now.
    void WriteOld() const {
        const TFileHandle File(CreateFileA(FFileName.c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (File) WriteWhole(File.Get(), FOld.data(), FOld.size());
    }

    bool RoomFor(std::size_t Bytes) const {
        const std::string Scratch =
            FFileName + "." + std::to_string(GetCurrentProcessId()) + ".room";
        const TFileHandle File(
            CreateFileA(Scratch.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        // Where no scratch file can be made, the write itself will tell.
        if (!File) return true;
        return WriteWhole(File.Get(), nullptr, Bytes);
    }

    std::string FFileName, FOld;
    bool FExisted = false, FHadFile = false, FHasRoom = true;
};

// True for a file the profile functions read as 8-bit text: no byte-order mark, no zero byte.
bool IsPlain8Bit(const std::string& Bytes) {
    for (const char* Mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        if (Bytes.compare(0, std::strlen(Mark), Mark) == 0) return false;
    return Bytes.find('\0') == std::string::npos;
}

// Replaces the file by one holding Bytes, written beside it first: either the whole new file
// is there afterwards or the old one is.
bool ReplaceWhole(const std::string& FileName, const std::string& Bytes) {
    return FileBytes::WriteReplacing(AnsiToWide(FileName), Bytes) == 0;
}


// The profile functions keep a file's contents cached; dropping the cache after each access
// lets the next one see what another running copy wrote meanwhile.
void FlushProfileCache(const std::string& FileName) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName.c_str());
}

// The profile functions cannot write a read-only file. Whether this works or not, the write
// goes ahead and reports its own failure.
void ClearReadOnly(const std::string& FileName) noexcept {
    if (!IsRegularFile(FileName)) return;
    const DWORD Attributes = GetFileAttributesA(FileName.c_str());
    if (Attributes == INVALID_FILE_ATTRIBUTES || !(Attributes & FILE_ATTRIBUTE_READONLY)) return;
    DWORD Kept = Attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (Kept == 0) Kept = FILE_ATTRIBUTE_NORMAL;
    SetFileAttributesA(FileName.c_str(), Kept);
}

// A value as GetPrivateProfileString gives it: without a matching pair of enclosing quotation
// marks, and cut to what its buffer holds.
std::string AsReadValue(const char* Value, std::size_t Length) {
    if (Length >= 2 && (Value[0] == '"' || Value[0] == '\'') && Value[Length - 1] == Value[0]) {
        ++Value;
        Length -= 2;
    }
    return std::string(Value, std::min<std::size_t>(Length, kValueBufferSize - 1));
}

// Whether a section's lines end with these values, as the profile functions read values back
// (blanks around keys and values and a pair of enclosing quotation marks dropped).
bool EndsWithValues(const std::vector<std::string>& Lines,
                    const std::vector<std::pair<std::string, std::string>>& Values) {
    if (Lines.size() < Values.size()) return false;
    const std::size_t First = Lines.size() - Values.size();
    for (std::size_t I = 0; I < Values.size(); ++I) {
        const std::string Value = TextUtil::Trim(Values[I].second);
        if (Lines[First + I] != TextUtil::Trim(Values[I].first) + "=" + AsReadValue(Value.data(), Value.size()))
            return false;
    }
    return true;
}

// Adds one line of a section, as the profile functions hand it out, to a block of lines as the
// program reads them: only lines with a name and a "=" are entries, as in the list of key
// names (";" starts a comment line, which some systems hand out here); the value loses a
// pair of enclosing quotation marks and is cut as a single read cuts it.
void AddReadLine(std::string& Block, const char* Line, std::size_t Length) {
    const char* Equals = static_cast<const char*>(std::memchr(Line, '=', Length));
    if (!Equals || Equals == Line || Line[0] == ';') return;
    const std::size_t NameLength = static_cast<std::size_t>(Equals - Line);
    Block.append(Line, NameLength + 1);
    Block += AsReadValue(Equals + 1, Length - NameLength - 1);
    Block += '\0';
}

// Every "key=value" line of a section through the profile functions, in file order, in one
// call. Asking for the key names and then for each value on its own opens the file and
// searches the section once per entry: with 64 000 entries that took 50 s, and it grows with
// the square of the count. A key that occurs twice shows each line's own value.
std::string ReadSectionLines(const std::string& Section, const std::string& FileName) {
    // When the lines do not fit, the call returns the buffer size minus 2 and drops the rest
    // without a word: so the buffer doubles until the answer is shorter than that.
    std::vector<char> Buffer(kSectionStartSize);
    DWORD Length = 0;
    for (;;) {
        const DWORD Size = static_cast<DWORD>(Buffer.size());
        Length = GetPrivateProfileSectionA(Section.c_str(), Buffer.data(), Size, FileName.c_str());
        if (Length + 2 < Size || Buffer.size() >= kSectionMaxSize) break;
        Buffer.resize(Buffer.size() * 2);
    }
    Length = std::min<DWORD>(Length, static_cast<DWORD>(Buffer.size()) - 1);
    Buffer[Length] = '\0';
    std::string Block;
    for (DWORD Pos = 0; Pos < Length;) {
        const char* Line = Buffer.data() + Pos;
        const std::size_t LineLength = std::strlen(Line);
        Pos += static_cast<DWORD>(LineLength) + 1;
        AddReadLine(Block, Line, LineLength);
    }
    return Block;
}

// The lines of a block, one string each.
std::vector<std::string> SplitBlock(const std::string& Block) {
    std::vector<std::string> Lines;
    for (std::size_t Pos = 0; Pos < Block.size();) {
        const std::size_t End = Block.find('\0', Pos);
        Lines.push_back(Block.substr(Pos, End - Pos));
        Pos = End + 1;
    }
    return Lines;
}

// ---- The file read in one pass, as the profile functions read it ----
//
// The profile functions turn a whole 8-bit file into UTF-16 through the ANSI code page, take it
// apart into a tree of every section and key, and turn the lines of the section asked for back:
// for 100 000 saved colours that took a third of a second and a few megabytes of small blocks
// each time. The steps below are theirs, without the tree: the same lines come out, also where
// the code page does not give a byte back as it was.

// Blanks as the profile functions drop them around lines, names and values: tab, line feed,
// vertical tab, form feed, carriage return, ^Z (an old end of file) and the space.
bool IsProfileBlank(wchar_t C) { return (C >= 0x09 && C <= 0x0D) || C == 0x1A || C == L' '; }

// One line of the file with its blanks dropped: [Start, End) of the text. Raw and Next are the
// line with its blanks and the start of the next one.
struct TProfileLine {
    std::size_t Raw, Start, End, RawEnd, Next;
};

// Calls Visit for every line with more than blanks, in order, until it returns false. A line
// ends at a CR or an LF; the CRs and LFs that follow belong to its end.
template <class TVisit>
void WalkLines(const std::wstring& Text, TVisit Visit) {
    for (std::size_t Next = 0; Next < Text.size();) {
        TProfileLine Line{Next, Next, Next, Next, Next};
        while (Line.End < Text.size() && Text[Line.End] != L'\r' && Text[Line.End] != L'\n') ++Line.End;
        Line.RawEnd = Line.Next = Line.End;
        while (Line.Next < Text.size() && (Text[Line.Next] == L'\r' || Text[Line.Next] == L'\n')) ++Line.Next;
        Next = Line.Next;
        while (Line.Start < Line.End && IsProfileBlank(Text[Line.Start])) ++Line.Start;
        while (Line.End > Line.Start && IsProfileBlank(Text[Line.End - 1])) --Line.End;
        if (Line.Start < Line.End && !Visit(Line)) return;
    }
}

// A section header: "[" and the name up to the line's last "]" (what follows is not kept),
// without blanks. False for any other line, "[" without "]" included (that is a key line).
bool SectionName(const std::wstring& Text, const TProfileLine& Line, std::size_t& First, std::size_t& Last) {
    if (Text[Line.Start] != L'[') return false;
    for (std::size_t Close = Line.End; Close > Line.Start + 1; --Close)
        if (Text[Close - 1] == L']') {
            First = Line.Start + 1;
            Last = Close - 1;
            while (First < Last && IsProfileBlank(Text[First])) ++First;
            while (Last > First && IsProfileBlank(Text[Last - 1])) --Last;
            return true;
        }
    return false;
}

// Whether a section's name is Name, in any case: 1 or 0; -1 where this reader cannot tell as
// the profile functions tell (a letter outside ASCII, whose case rules differ between systems).
int SameSectionName(const std::wstring& Text, std::size_t First, std::size_t Last, const std::wstring& Name) {
    if (Last - First != Name.size()) return 0;
    for (std::size_t I = 0; I < Name.size(); ++I) {
        const wchar_t A = Text[First + I], B = Name[I];
        if (A >= 0x80 || B >= 0x80) return -1;
        if (A != B && std::tolower(A) != std::tolower(B)) return 0;
    }
    return 1;
}

// The name and value of a key line: the name up to the first "=" and the value after it, both
// without blanks. False for a line without "=", which holds no value.
bool KeyAndValue(const std::wstring& Text, const TProfileLine& Line, std::size_t& NameEnd, std::size_t& Value) {
    const auto End = Text.begin() + static_cast<std::ptrdiff_t>(Line.End);
    const auto Equals = std::find(Text.begin() + static_cast<std::ptrdiff_t>(Line.Start), End, L'=');
    if (Equals == End) return false;
    NameEnd = static_cast<std::size_t>(Equals - Text.begin());
    Value = NameEnd + 1;
    while (NameEnd > Line.Start && IsProfileBlank(Text[NameEnd - 1])) --NameEnd;
    while (Value < Line.End && IsProfileBlank(Text[Value])) ++Value;
    return true;
}

// The file's text as the profile functions see it, when this reader reads it as they do: an
// 8-bit file (no byte-order mark, no zero byte) no larger than their largest section.
bool ProfileText(const std::string& Bytes, std::wstring& Text) {
    if (!IsPlain8Bit(Bytes) || Bytes.size() + 2 >= kSectionMaxSize) return false;
    Text = AnsiToWide(Bytes);
    return Text.size() > 0 || Bytes.empty();
}

// The lines of a block with each value cut where a single read cuts it.
std::string CutValues(const std::string& Block) {
    std::string Cut;
    for (std::size_t Pos = 0; Pos < Block.size();) {
        const std::size_t End = Block.find('\0', Pos), Value = Block.find('=', Pos) + 1;
        Cut.append(Block, Pos, std::min<std::size_t>(End - Pos, Value - Pos + kValueBufferSize - 1));
        Cut += '\0';
        Pos = End + 1;
    }
    return Cut;
}

// The lines of the first section named Section in the file's text (ProfileText), as
// ReadSectionLines reads them. False when this reader cannot tell the section as the profile
// functions tell it.
bool SectionOfText(const std::wstring& Text, const std::string& Section, std::string& Block) {
    const std::wstring Name = AnsiToWide(Section);
    std::wstring Lines;
    Lines.reserve(Text.size());
    bool Inside = false, Readable = true, Long = false;
    WalkLines(Text, [&](const TProfileLine& Line) {
        std::size_t First = 0, Last = 0, NameEnd = 0, Value = 0;
        if (SectionName(Text, Line, First, Last)) {
            if (Inside) return false;  // only the first section of that name is read
            const int Same = SameSectionName(Text, First, Last, Name);
            Readable = Same >= 0;
            Inside = Same == 1;
            return Readable;
        }
        // What AddReadLine does with a line the profile functions hand out, done here where a
        // character is one character: the line needs a name and must not start with ";", and
        // the value loses a pair of enclosing quotation marks.
        if (!Inside || !KeyAndValue(Text, Line, NameEnd, Value) || NameEnd == Line.Start || Text[Line.Start] == L';')
            return true;
        std::size_t End = Line.End;
        if (End - Value >= 2 && (Text[Value] == L'"' || Text[Value] == L'\'') && Text[End - 1] == Text[Value]) {
            ++Value;
            --End;
        }
        Long = Long || End - Value >= kValueBufferSize / 2;
        Lines.append(Text, Line.Start, NameEnd - Line.Start);
        Lines += L'=';
        Lines.append(Text, Value, End - Value);
        Lines += L'\0';
        return true;
    });
    if (!Readable) return false;
    // Back into the code page in one go, as the profile functions hand the lines out; a value
    // is cut in the code page's bytes.
    Block = WideToAnsi(Lines);
    if (Long) Block = CutValues(Block);
    return true;
}

// The same from the file's bytes. False when the file is not one that this reader reads as the
// profile functions do.
bool SectionInOnePass(const std::string& Bytes, const std::string& Section, std::string& Block) {
    std::wstring Text;
    return ProfileText(Bytes, Text) && SectionOfText(Text, Section, Block);
}

// ---- Files with a byte-order mark, rewritten as their text ----
//
// The profile functions read a file that starts with a UTF-8 or UTF-16 mark as text in that
// encoding, and rewrite it whole at every write. Taking keys out of one through them costs a
// rewrite each: 10 000 took 90 s, and the time grows with the square of the count. So such a
// file's text gets the same rewrite of our own as an 8-bit file, where it comes back byte for
// byte.

enum class TMark { Utf8, Utf16Le, Utf16Be };

// The text after the mark, in UTF-8. False for a file without a mark, and for one whose text
// does not turn into UTF-8 and back unchanged (malformed UTF-8, a lone surrogate, a cut
// character) or holds a NUL character, which ends a name or a value where the profile
// functions read it.
bool MarkedText(const std::string& Bytes, TMark& Mark, std::string& Text) {
    if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        Mark = TMark::Utf8;
        Text = Bytes.substr(3);
        return Utf8::IsValid(Text) && Text.find('\0') == std::string::npos;
    }
    if (Bytes.size() % 2 != 0 || (Bytes.compare(0, 2, "\xFF\xFE") != 0 && Bytes.compare(0, 2, "\xFE\xFF") != 0))
        return false;
    Mark = Bytes[0] == '\xFF' ? TMark::Utf16Le : TMark::Utf16Be;
    const std::size_t Low = Mark == TMark::Utf16Le ? 0 : 1;
    std::wstring Wide(Bytes.size() / 2 - 1, L'\0');
    for (std::size_t I = 0; I < Wide.size(); ++I)
        Wide[I] = static_cast<wchar_t>(static_cast<unsigned char>(Bytes[2 + 2 * I + Low]) |
                                       static_cast<unsigned char>(Bytes[3 + 2 * I - Low]) << 8);
    Text = WideToUtf8(Wide);
    return Wide.find(L'\0') == std::wstring::npos && Utf8ToWide(Text) == Wide;
}

// The file's bytes for a text of MarkedText.
std::string MarkedBytes(const std::string& Text, TMark Mark) {
    if (Mark == TMark::Utf8) return "\xEF\xBB\xBF" + Text;
    const std::wstring Wide = L'\xFEFF' + Utf8ToWide(Text);
    std::string Bytes(Wide.size() * 2, '\0');
    const std::size_t Low = Mark == TMark::Utf16Le ? 0 : 1;
    for (std::size_t I = 0; I < Wide.size(); ++I) {
        Bytes[2 * I + Low] = static_cast<char>(Wide[I] & 0xFF);
        Bytes[2 * I + 1 - Low] = static_cast<char>(Wide[I] >> 8);
    }
    return Bytes;
}

// Whether the profile functions hand out the very lines of the section that this reader finds
// in a marked file's text: then a key they gave names the same line here. Systems differ in
// which marks they honour; a file one of them reads otherwise is left to them.
bool ReadsAsTheyDo(const std::string& Text, const std::string& Section, const std::string& FileName) {
    std::string Block;
    const bool Same = SectionOfText(Utf8ToWide(Text), Section, Block) && Block == ReadSectionLines(Section, FileName);
    FlushProfileCache(FileName);
    return Same;
}

// What WithoutKeyLine did.
enum class TKeyRemoval { Removed, Missing, NotHere };

// Takes the line of Key out of the bytes of a file, the line that the profile functions delete:
// the first line of that name in the first section named Section that has one. Every other byte
// stays as it was, where the profile functions write the whole file anew. Text is the file's
// text (ProfileText) before and after. NotHere where this cannot be done as they do it: a key
// of more than digits (whose case rules differ between systems), a file this reader does not
// read, or a code page that does not give the text back as it was.
TKeyRemoval WithoutKeyLine(std::string& Bytes, std::wstring& Text, const std::string& Section, const std::string& Key) {
    if (Key.empty() || Key.find_first_not_of("0123456789") != std::string::npos) return TKeyRemoval::NotHere;
    if (!ProfileText(Bytes, Text)) return TKeyRemoval::NotHere;
    const std::wstring Name = AnsiToWide(Section), WideKey = AnsiToWide(Key);
    bool Inside = false, Readable = true, Found = false;
    std::size_t From = 0, To = 0;
    WalkLines(Text, [&](const TProfileLine& Line) {
        std::size_t First = 0, Last = 0, NameEnd = Line.End, Value = 0;
        if (SectionName(Text, Line, First, Last)) {
            const int Same = SameSectionName(Text, First, Last, Name);
            Readable = Same >= 0;
            Inside = Same == 1;
            return Readable;
        }
        // A line without "=" is a key too, its whole text the name.
        if (!Inside) return true;
        KeyAndValue(Text, Line, NameEnd, Value);
        if (Text.compare(Line.Start, NameEnd - Line.Start, WideKey) != 0) return true;
        // The line with its own line end: CR LF, LF or CR.
        From = Line.Raw;
        To = Line.RawEnd;
        if (To < Text.size()) To += Text.compare(To, 2, L"\r\n") == 0 ? 2 : 1;
        Found = true;
        return false;
    });
    if (!Readable) return TKeyRemoval::NotHere;
    if (!Found) return TKeyRemoval::Missing;
    CPINFO Info{};
    if (GetCPInfo(CP_ACP, &Info) && Info.MaxCharSize == 1) {
        Bytes.erase(From, To - From);  // one character a byte
        Text.erase(From, To - From);
        return TKeyRemoval::Removed;
    }
    if (WideToAnsi(Text) != Bytes) return TKeyRemoval::NotHere;
    Bytes = WideToAnsi(Text.erase(From, To - From));
    return TKeyRemoval::Removed;
}

std::string ReadValue(const std::string& Section, const std::string& Key,
                      const std::string& FileName, const std::string& Default) {
    char Buffer[kValueBufferSize] = {};
    GetPrivateProfileStringA(Section.c_str(), Key.c_str(), Default.c_str(), Buffer,
                             kValueBufferSize, FileName.c_str());
    Buffer[kValueBufferSize - 1] = '\0';
    return Buffer;
}

}  // namespace

std::string TIniFile::ReadIniString(const std::string& Section, const std::string& Key,
                                    const std::string& FileName, const std::string& Default) {
    return ReadIniStrings(Section, {Key}, {Default}, FileName).front();
}

std::vector<std::string> TIniFile::ReadIniStrings(const std::string& Section,
                                                  const std::vector<std::string>& Keys,
                                                  const std::vector<std::string>& Defaults,
                                                  const std::string& FileName) {
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) return Defaults;
    std::vector<std::string> Values;
    for (std::size_t I = 0; I < Keys.size(); ++I) Values.push_back(ReadValue(Section, Keys[I], FileName, Defaults[I]));
    FlushProfileCache(FileName);
    return Values;
}

namespace {
std::atomic<bool> FilesLeftAlone{false};
}  // namespace

void TIniFile::LeaveFilesAlone() { FilesLeftAlone = true; }

void TIniFile::WriteIniString(const std::string& Section, const std::string& Key,
                              const std::string& Value, const std::string& FileName) {
    if (FilesLeftAlone) return;
    TSettingsLock Lock;
    ClearReadOnly(FileName);
    const TRewriteGuard Guard(FileName, Section.size() + Key.size() + Value.size());
    const bool Written = Guard.HasRoom() &&
                         WritePrivateProfileStringA(Section.c_str(), Key.c_str(), Value.c_str(),
                                                    FileName.c_str());
    FlushProfileCache(FileName);
    if (!Written || !Guard.Whole())
        throw EIniFileException(FileName);
}

void TIniFile::WriteIniStrings(const std::string& Section,
                               const std::vector<std::pair<std::string, std::string>>& Values,
                               const std::string& FileName, const std::vector<std::string>& Removed) {
    if ((Values.empty() && Removed.empty()) || FilesLeftAlone) return;
    TSettingsLock Lock;
    ClearReadOnly(FileName);
    const auto Fail = [&] {
        throw EIniFileException(FileName);
    };
    // The profile functions rewrite the whole file for each value and for each key taken out:
    // 5000 values took 11 s, and the time grows with the square of the count. An 8-bit file,
    // or the text of a marked one, gets them in one rewrite of our own, which the profile
    // functions must then read back as written; otherwise the old bytes go back.
    std::string Old, Text;
    const bool Existed = IsRegularFile(FileName), Read = Existed && ReadWhole(FileName, Old);
    std::vector<std::string> Lines;
    for (const auto& Value : Values) Lines.push_back(Value.first + "=" + Value.second);
    const auto Rewritten = [&](const std::string& Bytes) {
        if (!ReplaceWhole(FileName, Bytes)) Fail();
        FlushProfileCache(FileName);
        if (EndsWithValues(SplitBlock(ReadSectionLines(Section, FileName)), Values)) return true;
        const bool Restored = Existed ? ReplaceWhole(FileName, Old) : DeleteFileA(FileName.c_str());
        FlushProfileCache(FileName);
        if (!Restored) Fail();
        return false;
    };
    TMark Mark{};
    if (!Existed || (Read && IsPlain8Bit(Old))) {
        if (Rewritten(SettingsText::WithLinesAdded(Old, Section, Lines, Removed))) return;
    } else if (Read && MarkedText(Old, Mark, Text) && ReadsAsTheyDo(Text, Section, FileName)) {
        // Keys and values come in the code page; the text is UTF-8.
        std::vector<std::string> TextLines, TextRemoved;
        for (const std::string& Line : Lines) TextLines.push_back(AnsiToUtf8(Line));
        for (const std::string& Key : Removed) TextRemoved.push_back(AnsiToUtf8(Key));
        if (Rewritten(MarkedBytes(SettingsText::WithLinesAdded(Text, Section, TextLines, TextRemoved), Mark))) return;
    }
    // Otherwise (a file with a NUL byte, or one the profile functions read differently) one
    // value and one removed key at a time, the old bytes put back when any write fails: each
    // a rewrite of the whole file.
    std::size_t Extra = Section.size();
    for (const auto& Value : Values) Extra += Value.first.size() + Value.second.size() + 3;
    const TRewriteGuard Guard(FileName, Extra);
    bool Written = Guard.HasRoom();
    for (std::size_t I = 0; Written && I < Removed.size(); ++I)
        Written = WritePrivateProfileStringA(Section.c_str(), Removed[I].c_str(), nullptr, FileName.c_str());
    for (std::size_t I = 0; Written && I < Values.size(); ++I)
        Written = WritePrivateProfileStringA(Section.c_str(), Values[I].first.c_str(),
                                             Values[I].second.c_str(), FileName.c_str());
    FlushProfileCache(FileName);
    if (Written && Guard.Whole()) return;
    Guard.Restore();
    FlushProfileCache(FileName);
    Fail();
}

// Rare (a setting turned off), so through the profile functions, which rewrite the file.
void TIniFile::EraseSection(const std::string& Section, const std::string& FileName) {
    if (FilesLeftAlone) return;
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) return;
    std::vector<char> Names(64 * 1024);
    const DWORD Length = GetPrivateProfileSectionNamesA(Names.data(), static_cast<DWORD>(Names.size()), FileName.c_str());
    bool Found = false;
    for (const char* Name = Names.data(); *Name && Name < Names.data() + Length; Name += std::strlen(Name) + 1)
        Found = Found || TextUtil::SameText(Name, Section);
    if (!Found) return;
    ClearReadOnly(FileName);
    const TRewriteGuard Guard(FileName, 0);
    const bool Written =
        Guard.HasRoom() && WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, FileName.c_str());
    FlushProfileCache(FileName);
    if (Written && Guard.Whole()) return;
    Guard.Restore();
    FlushProfileCache(FileName);
    throw EIniFileException(FileName);
}

void TIniFile::WithSettingsLock(const std::function<void()>& Action) {
    TSettingsLock Lock;
    Action();
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& Section,
                                                     const std::string& FileName) {
    return SplitBlock(ReadSectionBlock(Section, FileName));
}

std::string TIniFile::ReadSectionBlock(const std::string& Section, const std::string& FileName) {
    TSettingsLock Lock;
    std::string Block;
    if (ReadSectionOwnWay(Section, FileName, Block)) return Block;
    return ReadSectionProfileWay(Section, FileName);
}

bool TIniFile::ReadSectionOwnWay(const std::string& Section, const std::string& FileName, std::string& Block) {
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) {
        Block.clear();
        return true;
    }
    std::string Bytes;
    return ReadWhole(FileName, Bytes) && SectionInOnePass(Bytes, Section, Block);
}

std::string TIniFile::ReadSectionProfileWay(const std::string& Section, const std::string& FileName) {
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) return {};
    std::string Block = ReadSectionLines(Section, FileName);
    FlushProfileCache(FileName);
    return Block;
}

std::string TIniFile::DeleteIniKey(const std::string& Section, const std::string& Key,
                                   const std::string& FileName) {
    if (FilesLeftAlone) return ReadSectionBlock(Section, FileName);
    TSettingsLock Lock;
    // A read-only file keeps its entries. The attribute alone does not stop every writer
    // (an administrator's process under some systems writes regardless), so it is asked here.
    if (Key.empty() || !IsRegularFile(FileName) || (GetFileAttributesA(FileName.c_str()) & FILE_ATTRIBUTE_READONLY))
        return ReadSectionBlock(Section, FileName);
    // An 8-bit file loses the line in one rewrite of our own, written beside it first: either
    // the whole new file is there afterwards or the old one is. The profile functions read
    // the whole file into a tree and write it out again, which took half a second for 100 000
    // saved colours. The section is then taken from the text just written.
    std::string Bytes, Block;
    std::wstring Text;
    if (ReadWhole(FileName, Bytes)) {
        switch (WithoutKeyLine(Bytes, Text, Section, Key)) {
        case TKeyRemoval::Removed:
            // No cache to drop: every access through the profile functions drops theirs after
            // it, and under Wine dropping it reads the whole file into a tree first.
            if (ReplaceWhole(FileName, Bytes) && SectionOfText(Text, Section, Block)) return Block;
            return ReadSectionBlock(Section, FileName);
        case TKeyRemoval::Missing:
            if (SectionOfText(Text, Section, Block)) return Block;
            return ReadSectionBlock(Section, FileName);
        case TKeyRemoval::NotHere:
            break;
        }
    }
    // Without room for the rewrite the entry stays, as with a read-only file.
    const TRewriteGuard Guard(FileName, 0);
    if (Guard.HasRoom()) {
        WritePrivateProfileStringA(Section.c_str(), Key.c_str(), nullptr, FileName.c_str());
        FlushProfileCache(FileName);
        Guard.Whole();
    }
    return ReadSectionBlock(Section, FileName);
}
