#pragma once

#include <string>

// The shell's special folders. Class-level operations only; never instantiated. Texts are
// 8-bit in the system's ANSI code page. Defined in the Windows part of core.
class TSpecialFolder {
public:
    TSpecialFolder() = delete;

    // The path of a shell special folder (a CSIDL value), or the empty text. The folder is
    // not created.
    static std::string GetSpecialFolderPath(int Csidl);

    // The per-user application-data folder + "\" + Name as a full path without a trailing
    // backslash, created (one level) if missing; the empty text when the application-data
    // folder itself is missing. Throws EInOutError when the folder cannot be created.
    static std::string GetAppDataPath(const std::string& Name);
};
