#include "MonitorProfile.h"

#include "../util/FileBytes.h"
#include "SystemLibrary.h"

#include <icm.h>

#include <vector>

namespace {

using TGetUsePerUser = BOOL(WINAPI*)(LPCWSTR, DWORD, BOOL*);
using TGetDefaultSize = BOOL(WINAPI*)(WCS_PROFILE_MANAGEMENT_SCOPE, PCWSTR, COLORPROFILETYPE,
                                      COLORPROFILESUBTYPE, DWORD, PDWORD);
using TGetDefault = BOOL(WINAPI*)(WCS_PROFILE_MANAGEMENT_SCOPE, PCWSTR, COLORPROFILETYPE,
                                  COLORPROFILESUBTYPE, DWORD, DWORD, LPWSTR);
using TGetColorDirectory = BOOL(WINAPI*)(PCWSTR, PWSTR, PDWORD);

// The monitor device class, 'mntr' (the header spells it as a multi-character constant).
constexpr DWORD kClassMonitor = 0x6D6E7472;

// The profile's file name in the system's colour folder, made a full path.
std::wstring InColorDirectory(const std::wstring& Name) {
    if (Name.find(L'\\') != std::wstring::npos) return Name;
    static const auto GetColorDirectory =
        SystemFunction<TGetColorDirectory>(L"mscms.dll", "GetColorDirectoryW");
    if (!GetColorDirectory) return std::wstring();
    wchar_t Folder[MAX_PATH] = {};
    DWORD Size = sizeof(Folder);
    if (!GetColorDirectory(nullptr, Folder, &Size)) return std::wstring();
    Folder[MAX_PATH - 1] = L'\0';
    return std::wstring(Folder) + L"\\" + Name;
}

// The default profile the colour management settings give the monitor's device key, per user
// or system-wide as the user chose. Wine answers the size call with "not implemented" and has
// the name call as a stub that ends the process, so the name is asked for only once the size
// call has succeeded.
std::wstring FromColorManagement(const wchar_t* DeviceKey) {
    static const auto GetUsePerUser =
        SystemFunction<TGetUsePerUser>(L"mscms.dll", "WcsGetUsePerUserProfiles");
    static const auto GetDefaultSize =
        SystemFunction<TGetDefaultSize>(L"mscms.dll", "WcsGetDefaultColorProfileSize");
    static const auto GetDefault =
        SystemFunction<TGetDefault>(L"mscms.dll", "WcsGetDefaultColorProfile");
    if (!GetUsePerUser || !GetDefaultSize || !GetDefault || !DeviceKey[0]) return std::wstring();

    BOOL PerUser = FALSE;
    if (!GetUsePerUser(DeviceKey, kClassMonitor, &PerUser)) return std::wstring();
    const WCS_PROFILE_MANAGEMENT_SCOPE Scope = PerUser ? WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER
                                                       : WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE;
    DWORD Bytes = 0;
    if (!GetDefaultSize(Scope, DeviceKey, CPT_ICC, CPST_NONE, 0, &Bytes)) return std::wstring();
    if (Bytes < sizeof(wchar_t) || Bytes > 64 * 1024) return std::wstring();
    std::vector<wchar_t> Name(Bytes / sizeof(wchar_t) + 1, L'\0');
    if (!GetDefault(Scope, DeviceKey, CPT_ICC, CPST_NONE, 0, Bytes, Name.data()))
        return std::wstring();
    Name.back() = L'\0';
    const std::wstring Text(Name.data());
    return Text.empty() ? Text : InColorDirectory(Text);
}

// What GDI says for the monitor: the profile of the display device.
std::wstring FromGdi(HDC Info) {
    if (!Info) return std::wstring();
    std::vector<wchar_t> Buffer(MAX_PATH, L'\0');
    DWORD Size = static_cast<DWORD>(Buffer.size());
    BOOL Found = GetICMProfileW(Info, &Size, Buffer.data());
    if (!Found && GetLastError() == ERROR_INSUFFICIENT_BUFFER && Size > Buffer.size() &&
        Size < 32768) {
        Buffer.assign(Size + 1, L'\0');
        Size = static_cast<DWORD>(Buffer.size());
        Found = GetICMProfileW(Info, &Size, Buffer.data());
    }
    if (!Found) return std::wstring();
    Buffer.back() = L'\0';
    return Buffer.data();
}

}  // namespace

TMonitorProfileSource::TMonitorProfileSource(HMONITOR Monitor) {
    MONITORINFOEXW Info = {};
    Info.cbSize = sizeof(Info);
    if (!Monitor || !GetMonitorInfoW(Monitor, &Info)) return;
    // The first display device on the adapter's output is the monitor.
    DISPLAY_DEVICEW Display = {};
    Display.cb = sizeof(Display);
    if (EnumDisplayDevicesW(Info.szDevice, 0, &Display, 0)) {
        Display.DeviceKey[ARRAYSIZE(Display.DeviceKey) - 1] = L'\0';
        FDeviceKey = Display.DeviceKey;
    }
    // Kept: under Wine making one costs more than the rest of a look-up together, and it
    // answers with the profile registered at the time of the question.
    FInfo.Reset(CreateICW(L"DISPLAY", Info.szDevice, nullptr, nullptr));
}

std::wstring TMonitorProfileSource::Path() const {
    std::wstring Path = FromColorManagement(FDeviceKey.c_str());
    return Path.empty() ? FromGdi(FInfo.Get()) : Path;
}

TProfileStamp TMonitorProfileSource::Stamp() const {
    TProfileStamp Stamp;
    Stamp.Path = Path();
    WIN32_FILE_ATTRIBUTE_DATA Data = {};
    if (Stamp.Path.empty() || !GetFileAttributesExW(Stamp.Path.c_str(), GetFileExInfoStandard, &Data))
        return Stamp;
    Stamp.Found = true;
    Stamp.Size = (static_cast<unsigned long long>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
    Stamp.Written = (static_cast<unsigned long long>(Data.ftLastWriteTime.dwHighDateTime) << 32) |
                    Data.ftLastWriteTime.dwLowDateTime;
    return Stamp;
}

bool ReadProfileFile(const std::wstring& Path, std::string& Bytes, TProfileReason& Reason) {
    Bytes.clear();
    Reason = {};
    if (Path.empty()) {
        Reason.Problem = TProfileProblem::NoProfile;
        return false;
    }
    const int Error = FileBytes::Read(Path, kProfileLimit, Bytes);
    if (Error == 0) return true;
    Bytes.clear();
    Reason.Error = Error;
    if (Error == FileBytes::kTooLarge)
        Reason.Problem = TProfileProblem::TooLarge;
    else if (Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND)
        Reason.Problem = TProfileProblem::NotFound;
    else
        Reason.Problem = TProfileProblem::Unreadable;
    return false;
}
