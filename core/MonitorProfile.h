#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Where a monitor's colour profile is, and its bytes. Defined in the Windows part of core.

// The largest profile read: monitor profiles are a few kilobytes, a few hundred with
// look-up tables.
constexpr std::size_t kProfileLimit = 4 * 1024 * 1024;

// The path of the colour profile of the monitor, or the empty text when it has none.
std::wstring MonitorProfilePath(HMONITOR Monitor);

// Why a profile's bytes were not read: the monitor has none (an empty path), the file is not
// there, it is larger than kProfileLimit, or reading it failed with the Windows error code in
// Error.
enum class TProfileProblem { None, NoProfile, NotFound, TooLarge, Unreadable };
struct TProfileReason {
    TProfileProblem Problem = TProfileProblem::None;
    int Error = 0;
};

// The profile's bytes, at most kProfileLimit; false, with the reason, otherwise.
bool ReadProfileFile(const std::wstring& Path, std::string& Bytes, TProfileReason& Reason);
