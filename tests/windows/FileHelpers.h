// Files and folders as the tests set them up and look at them: whole files as bytes, and the
// attributes that matter to the settings file. Paths are Windows paths in the ANSI code page.
#pragma once
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>

namespace FileHelpers {

inline bool Exists(const std::string& Path) {
    return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool HasAttribute(const std::string& Path, DWORD Attribute) {
    const DWORD Attributes = GetFileAttributesA(Path.c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & Attribute);
}
inline bool IsDirectory(const std::string& Path) {
    return HasAttribute(Path, FILE_ATTRIBUTE_DIRECTORY);
}
inline bool IsReadOnly(const std::string& Path) {
    return HasAttribute(Path, FILE_ATTRIBUTE_READONLY);
}
inline void SetReadOnly(const std::string& Path, bool On) {
    SetFileAttributesA(Path.c_str(), On ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

// A file or an empty folder, read-only or not.
inline void Remove(const std::string& Path) {
    SetReadOnly(Path, false);
    if (!DeleteFileA(Path.c_str())) RemoveDirectoryA(Path.c_str());
}

// The whole file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// Makes or replaces the file with exactly these bytes.
inline void WriteBytes(const std::string& Path, const std::string& Bytes) {
    std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
}

}  // namespace FileHelpers
