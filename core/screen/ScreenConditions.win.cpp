#include "ScreenConditions.h"

#include "SystemLibrary.h"

#include <string>
#include <vector>

namespace ScreenConditions {

namespace {

enum class TRead { Missing, Odd, Value };

// A DWORD under HKCU. A missing key or value is Missing (the feature was never switched on);
// any other type or size is Odd, so the caller can say it does not know.
TRead ReadDword(const wchar_t* Key, const wchar_t* Name, DWORD& Value) {
    DWORD Type = 0;
    DWORD Size = sizeof(Value);
    const LONG Result = RegGetValueW(HKEY_CURRENT_USER, Key, Name, RRF_RT_ANY | RRF_NOEXPAND,
                                     &Type, &Value, &Size);
    if (Result == ERROR_FILE_NOT_FOUND || Result == ERROR_PATH_NOT_FOUND) return TRead::Missing;
    if (Result != ERROR_SUCCESS || Type != REG_DWORD || Size != sizeof(DWORD)) return TRead::Odd;
    return TRead::Value;
}

// A switch that is on when the value is 1: Off when missing or another number.
TState Switch(const wchar_t* Key, const wchar_t* Name) {
    DWORD Value = 0;
    switch (ReadDword(Key, Name, Value)) {
    case TRead::Missing: return TState::Off;
    case TRead::Odd: return TState::Unknown;
    case TRead::Value: break;
    }
    return Value == 1 ? TState::On : TState::Off;
}

void ReadFilter(TConditions& C) {
    const wchar_t* Key = L"Software\\Microsoft\\ColorFiltering";
    C.Filter = Switch(Key, L"Active");
    if (C.Filter != TState::On) return;
    DWORD Type = 0;
    switch (ReadDword(Key, L"FilterType", Type)) {
    case TRead::Missing: C.FilterType = -1; break;  // on, but which filter is not said
    case TRead::Odd: C.Filter = TState::Unknown; break;
    case TRead::Value: C.FilterType = static_cast<int>(Type); break;
    }
}

TState ReadMagnifierInvert() {
    const wchar_t* Key = L"Software\\Microsoft\\ScreenMagnifier";
    const TState Running = Switch(Key, L"RunningState");
    if (Running != TState::On) return Running;
    return Switch(Key, L"Invert");
}

// The state value is a few dozen bytes; anything far larger is not it.
constexpr DWORD kBlobLimit = 64 * 1024;

TRead ReadBinary(const wchar_t* Key, std::vector<unsigned char>& Bytes) {
    DWORD Size = 0;
    LONG Result = RegGetValueW(HKEY_CURRENT_USER, Key, L"Data", RRF_RT_REG_BINARY, nullptr,
                               nullptr, &Size);
    if (Result == ERROR_FILE_NOT_FOUND || Result == ERROR_PATH_NOT_FOUND) return TRead::Missing;
    if (Result != ERROR_SUCCESS || Size > kBlobLimit) return TRead::Odd;
    Bytes.assign(Size, 0);
    Result = RegGetValueW(HKEY_CURRENT_USER, Key, L"Data", RRF_RT_REG_BINARY, nullptr,
                          Bytes.empty() ? nullptr : Bytes.data(), &Size);
    if (Result != ERROR_SUCCESS) return TRead::Odd;  // changed between the two reads
    Bytes.resize(Size);
    return TRead::Value;
}

TState ReadNightLight() {
    // Current builds keep the state here; older ones in the cache key below.
    static const wchar_t* const kKeys[] = {
        L"Software\\Microsoft\\Windows\\CurrentVersion\\CloudStore\\Store\\DefaultAccount\\Current\\"
        L"default$windows.data.bluelightreduction.bluelightreductionstate\\"
        L"windows.data.bluelightreduction.bluelightreductionstate",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\CloudStore\\Store\\Cache\\DefaultAccount\\"
        L"$$windows.data.bluelightreduction.bluelightreductionstate\\Current",
    };
    for (const wchar_t* Key : kKeys) {
        std::vector<unsigned char> Bytes;
        switch (ReadBinary(Key, Bytes)) {
        case TRead::Missing: continue;
        case TRead::Odd: return TState::Unknown;
        case TRead::Value: return NightLightFromBlob(Bytes.data(), Bytes.size());
        }
    }
    return TState::Off;
}

using TGetBufferSizes = LONG(WINAPI*)(UINT32, UINT32*, UINT32*);
using TQueryConfig = LONG(WINAPI*)(UINT32, UINT32*, DISPLAYCONFIG_PATH_INFO*, UINT32*,
                                    DISPLAYCONFIG_MODE_INFO*, DISPLAYCONFIG_TOPOLOGY_ID*);
using TGetDeviceInfo = LONG(WINAPI*)(DISPLAYCONFIG_DEVICE_INFO_HEADER*);

}  // namespace

// HDR on the monitor: the display path whose source is the monitor's GDI device, and that
// path's advanced-colour state. Wide colour forced on an SDR monitor is not HDR: there the
// desktop's values are not brightened. The calls are looked up at run time so the program
// starts on Windows without them; any failure says nothing (Off).
TState ReadHdr(HMONITOR Monitor) {
    HMODULE User = GetModuleHandleW(L"user32.dll");
    if (!User || !Monitor) return TState::Off;
    auto GetBufferSizes = reinterpret_cast<TGetBufferSizes>(
        reinterpret_cast<void*>(GetProcAddress(User, "GetDisplayConfigBufferSizes")));
    auto QueryConfig = reinterpret_cast<TQueryConfig>(
        reinterpret_cast<void*>(GetProcAddress(User, "QueryDisplayConfig")));
    auto GetDeviceInfo = reinterpret_cast<TGetDeviceInfo>(
        reinterpret_cast<void*>(GetProcAddress(User, "DisplayConfigGetDeviceInfo")));
    if (!GetBufferSizes || !QueryConfig || !GetDeviceInfo) return TState::Off;

    MONITORINFOEXW Info = {};
    Info.cbSize = sizeof(Info);
    if (!GetMonitorInfoW(Monitor, &Info)) return TState::Off;

    std::vector<DISPLAYCONFIG_PATH_INFO> Paths;
    std::vector<DISPLAYCONFIG_MODE_INFO> Modes;
    LONG Result = ERROR_INSUFFICIENT_BUFFER;
    // The configuration can change between the two calls; a few tries, then give up.
    for (int Try = 0; Try < 3 && Result == ERROR_INSUFFICIENT_BUFFER; ++Try) {
        UINT32 PathCount = 0, ModeCount = 0;
        if (GetBufferSizes(QDC_ONLY_ACTIVE_PATHS, &PathCount, &ModeCount) != ERROR_SUCCESS)
            return TState::Off;
        Paths.resize(PathCount);
        Modes.resize(ModeCount);
        Result = QueryConfig(QDC_ONLY_ACTIVE_PATHS, &PathCount, Paths.data(), &ModeCount,
                             Modes.data(), nullptr);
        Paths.resize(PathCount);
    }
    if (Result != ERROR_SUCCESS) return TState::Off;

    for (const DISPLAYCONFIG_PATH_INFO& Path : Paths) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME Source = {};
        Source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        Source.header.size = sizeof(Source);
        Source.header.adapterId = Path.sourceInfo.adapterId;
        Source.header.id = Path.sourceInfo.id;
        if (GetDeviceInfo(&Source.header) != ERROR_SUCCESS) continue;
        if (_wcsicmp(Source.viewGdiDeviceName, Info.szDevice) != 0) continue;

        DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO Colour = {};
        Colour.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO;
        Colour.header.size = sizeof(Colour);
        Colour.header.adapterId = Path.targetInfo.adapterId;
        Colour.header.id = Path.targetInfo.id;
        if (GetDeviceInfo(&Colour.header) != ERROR_SUCCESS) return TState::Off;
        return Colour.advancedColorEnabled && !Colour.wideColorEnforced ? TState::On
                                                                        : TState::Off;
    }
    return TState::Off;
}

TConditions ReadConditions(HMONITOR Monitor) {
    TConditions C;
    ReadFilter(C);
    C.MagnifierInvert = ReadMagnifierInvert();
    C.NightLight = ReadNightLight();
    C.Hdr = Monitor ? ReadHdr(Monitor) : TState::Off;
    return C;
}

}  // namespace ScreenConditions
