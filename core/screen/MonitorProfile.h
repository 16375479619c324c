#pragma once

#include <windows.h>

#include "Handle.h"

#include <cstddef>
#include <string>

// Where a monitor's colour profile is, and its bytes. Defined in the Windows part of core.

// The largest profile read: monitor profiles are a few kilobytes, a few hundred with
// look-up tables.
constexpr std::size_t kProfileLimit = 4 * 1024 * 1024;

// Which profile a monitor has, as far as telling a change needs: the path, and whether the
// file is there with its size and last write time. Windows says nothing when a monitor's
// profile is replaced, so a new stamp is what tells that the profile must be read again.
struct TProfileStamp {
    std::wstring Path;  // empty: no profile
    bool Found = false;
    unsigned long long Size = 0;
    unsigned long long Written = 0;  // FILETIME, 100 ns since 1601
    bool operator==(const TProfileStamp& Other) const {
        return Path == Other.Path && Found == Other.Found && Size == Other.Size && Written == Other.Written;
    }
    bool operator!=(const TProfileStamp& Other) const { return !(*this == Other); }
};

// Looks a monitor's profile up, as often as asked. What stays while the display does (the
// monitor's device names, an information context for GDI's answer) is made once, so a look-up
// costs the two questions and the file's attributes; no file is opened.
class TMonitorProfileSource {
public:
    explicit TMonitorProfileSource(HMONITOR Monitor);
    // The path of the monitor's profile, or the empty text when it has none.
    std::wstring Path() const;
    TProfileStamp Stamp() const;

private:
    std::wstring FDeviceKey;  // the name colour management files the monitor's profiles under
    TInfoContextHandle FInfo;
};

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
