#pragma once

#include <cstddef>
#include <string>

// Whole files read and written in one go, for files the user picks (the settings file goes
// through TIniFile). Paths are UTF-16; failures come back as Windows error codes, 0 meaning
// success. Defined in the Windows part of core.
namespace FileBytes {

// The code Read gives for a file larger than its limit (ERROR_FILE_TOO_LARGE).
constexpr int kTooLarge = 223;

// The whole file into Bytes; a file larger than Limit is not read.
int Read(const std::wstring& Path, std::size_t Limit, std::string& Bytes);

// Writes Bytes to a new file beside Path and renames it over Path only once every byte is
// on disk: a failure at any point leaves Path as it was and no scratch file behind. A
// read-only file is not replaced (ERROR_ACCESS_DENIED).
int WriteReplacing(const std::wstring& Path, const std::string& Bytes);

}  // namespace FileBytes
