#include "FileBytes.h"

#include "Handle.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kChunk = 1 << 20;

int LastError() {
    const DWORD Error = GetLastError();
    return Error ? static_cast<int>(Error) : ERROR_GEN_FAILURE;
}

}  // namespace

namespace FileBytes {

int Read(const std::wstring& Path, std::size_t Limit, std::string& Bytes) {
    Bytes.clear();
    const TFileHandle File(CreateFileW(Path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File) return LastError();
    LARGE_INTEGER Size{};
    if (!GetFileSizeEx(File.Get(), &Size)) return LastError();
    if (static_cast<unsigned long long>(Size.QuadPart) > Limit) return kTooLarge;
    Bytes.resize(static_cast<std::size_t>(Size.QuadPart));
    for (std::size_t Pos = 0; Pos < Bytes.size();) {
        DWORD Read = 0;
        const DWORD Want = static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - Pos, kChunk));
        if (!ReadFile(File.Get(), &Bytes[Pos], Want, &Read, nullptr)) return LastError();
        // The file shrank while it was read: what is there is all there is.
        if (Read == 0) {
            Bytes.resize(Pos);
            break;
        }
        Pos += Read;
    }
    return 0;
}

int WriteReplacing(const std::wstring& Path, const std::string& Bytes) {
    // A read-only file is one its owner wants kept; not every system refuses the rename over it.
    const DWORD Attributes = GetFileAttributesW(Path.c_str());
    if (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    const std::wstring Scratch = Path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    int Error = 0;
    {
        const TFileHandle File(CreateFileW(Scratch.c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!File) return LastError();
        for (std::size_t Pos = 0; Pos < Bytes.size() && !Error;) {
            const DWORD Want =
                static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - Pos, kChunk));
            DWORD Written = 0;
            if (!WriteFile(File.Get(), Bytes.data() + Pos, Want, &Written, nullptr))
                Error = LastError();
            else if (Written != Want)
                Error = ERROR_DISK_FULL;
            Pos += Written;
        }
        if (!Error && !FlushFileBuffers(File.Get())) Error = LastError();
    }
    if (!Error && !MoveFileExW(Scratch.c_str(), Path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Error = LastError();
    if (Error) DeleteFileW(Scratch.c_str());
    return Error;
}

}  // namespace FileBytes
