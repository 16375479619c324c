#include "SpecialFolder.h"

#include "Errors.h"

#include <windows.h>
#include <shlobj.h>

namespace {

bool IsDirectory(const std::string& Path) {
    if (Path.empty()) return false;
    const DWORD Attributes = GetFileAttributesA(Path.c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Path with relative parts and "." and ".." resolved. The usual 260 characters are not a
// limit: a longer result gets a buffer of its size rather than being used half-written.
std::string FullPath(const std::string& Path) {
    std::string Buffer(MAX_PATH, '\0');
    DWORD Length = GetFullPathNameA(Path.c_str(), MAX_PATH, &Buffer[0], nullptr);
    if (Length >= MAX_PATH) {
        Buffer.assign(Length, '\0');
        Length = GetFullPathNameA(Path.c_str(), static_cast<DWORD>(Buffer.size()), &Buffer[0],
                                  nullptr);
        if (Length >= Buffer.size()) throw EInOutError(ERROR_FILENAME_EXCED_RANGE);
    }
    if (Length == 0) throw EInOutError(static_cast<int>(GetLastError()));
    Buffer.resize(Length);
    return Buffer;
}

}  // namespace

std::string TSpecialFolder::GetSpecialFolderPath(int Csidl) {
    char Buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, Buffer, Csidl, FALSE)) return std::string();
    Buffer[MAX_PATH - 1] = '\0';
    return Buffer;
}

std::string TSpecialFolder::GetAppDataPath(const std::string& Name) {
    const std::string Base = GetSpecialFolderPath(CSIDL_APPDATA);
    if (!IsDirectory(Base)) return std::string();
    std::string Path = FullPath(Base + "\\" + Name);
    if (Path.size() > 3 && Path.back() == '\\') Path.pop_back();
    if (!IsDirectory(Path) && !CreateDirectoryA(Path.c_str(), nullptr)) {
        const DWORD Error = GetLastError();
        // Another running copy may have created it in the meantime.
        if (!IsDirectory(Path)) throw EInOutError(static_cast<int>(Error));
    }
    return Path;
}
