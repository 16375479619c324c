#include "Settings.h"
#include "IniFile.h"

#include "Errors.h"
#include "FileBytes.h"
#include "Handle.h"
#include "SettingsText.h"
#include "TextUtil.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
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

// Every "key=value" line of a section, in file order, in one call. Asking for the key names
// and then for each value on its own opens the file and searches the section once per entry:
// with 64 000 entries that took 50 s, and it grows with the square of the count. A key that
// occurs twice now shows each line's own value, not the first one's twice.
std::vector<std::string> ReadSectionLines(const std::string& Section,
                                          const std::string& FileName) {
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
    std::vector<std::string> Lines;
    for (DWORD Pos = 0; Pos < Length;) {
        const char* Line = Buffer.data() + Pos;
        const std::size_t LineLength = std::strlen(Line);
        Pos += static_cast<DWORD>(LineLength) + 1;
        const char* Equals = static_cast<const char*>(std::memchr(Line, '=', LineLength));
        // Only lines with a name and a "=" are entries, as in the list of key names; ";"
        // starts a comment line, which some systems hand out here.
        if (!Equals || Equals == Line || Line[0] == ';') continue;
        const std::size_t NameLength = static_cast<std::size_t>(Equals - Line);
        Lines.push_back(std::string(Line, NameLength + 1) +
                        AsReadValue(Equals + 1, LineLength - NameLength - 1));
    }
    return Lines;
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

void TIniFile::WriteIniString(const std::string& Section, const std::string& Key,
                              const std::string& Value, const std::string& FileName) {
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
    if (Values.empty() && Removed.empty()) return;
    TSettingsLock Lock;
    ClearReadOnly(FileName);
    const auto Fail = [&] {
        throw EIniFileException(FileName);
    };
    // The profile functions rewrite the whole file for each value: 5000 values took 11 s, and
    // the time grows with the square of the count. An 8-bit file gets them in one rewrite of
    // our own, which the profile functions must then read back as written.
    std::string Old;
    const bool Existed = IsRegularFile(FileName);
    if (!Existed || (ReadWhole(FileName, Old) && IsPlain8Bit(Old))) {
        std::vector<std::string> Lines;
        for (const auto& Value : Values) Lines.push_back(Value.first + "=" + Value.second);
        if (!ReplaceWhole(FileName, SettingsText::WithLinesAdded(Old, Section, Lines, Removed))) Fail();
        FlushProfileCache(FileName);
        if (EndsWithValues(ReadSectionLines(Section, FileName), Values)) return;
        const bool Restored = Existed ? ReplaceWhole(FileName, Old) : DeleteFileA(FileName.c_str());
        FlushProfileCache(FileName);
        if (!Restored) Fail();
    }
    // Otherwise (a Unicode file, or one the profile functions read differently) one value at a
    // time, the old bytes put back when any write fails.
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

void TIniFile::WithSettingsLock(const std::function<void()>& Action) {
    TSettingsLock Lock;
    Action();
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& Section,
                                                     const std::string& FileName) {
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) return {};
    std::vector<std::string> Lines = ReadSectionLines(Section, FileName);
    FlushProfileCache(FileName);
    return Lines;
}

void TIniFile::DeleteIniKey(const std::string& Section, const std::string& Key,
                            const std::string& FileName) {
    if (Key.empty()) return;
    TSettingsLock Lock;
    if (!IsRegularFile(FileName)) return;
    // A read-only file keeps its entries. The attribute alone does not stop every writer
    // (an administrator's process under some systems writes regardless), so it is asked here.
    if (GetFileAttributesA(FileName.c_str()) & FILE_ATTRIBUTE_READONLY) return;
    // Without room for the rewrite the entry stays, as with a read-only file.
    const TRewriteGuard Guard(FileName, 0);
    if (!Guard.HasRoom()) return;
    WritePrivateProfileStringA(Section.c_str(), Key.c_str(), nullptr, FileName.c_str());
    FlushProfileCache(FileName);
    Guard.Whole();
}
