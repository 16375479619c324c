// The screen conditions read back from values the test writes in HKCU (Wine draws nothing
// differently for them, but its registry answers as Windows would), and a profile file refused.
// The monitor's profile found through the prefix's colour-management key: the end-to-end test.
#include "MonitorProfile.h"
#include "ScreenConditions.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace ScreenConditions;
using TBytes = std::vector<unsigned char>;

const wchar_t* const kFilterKey = L"Software\\Microsoft\\ColorFiltering";
const wchar_t* const kMagnifierKey = L"Software\\Microsoft\\ScreenMagnifier";
const wchar_t* const kNightKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CloudStore\\Store\\DefaultAccount\\Current\\"
    L"default$windows.data.bluelightreduction.bluelightreductionstate\\"
    L"windows.data.bluelightreduction.bluelightreductionstate";
const wchar_t* const kOldNightKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CloudStore\\Store\\Cache\\DefaultAccount\\"
    L"$$windows.data.bluelightreduction.bluelightreductionstate\\Current";
const wchar_t* const kNightRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\CloudStore";

// State values: an outer record wrapping the state record in a byte list, and the older
// layout (16-byte prologue, then the state record). The state record holds field 0 only while
// Night light is on.
const TBytes kNightOn = {
    0x43, 0x42, 0x01, 0x00, 0x0a, 0x02, 0x01, 0x00, 0x2a, 0x06, 0x95, 0xc1, 0xb2, 0xed, 0x05,
    0x2a, 0x2b, 0x0e, 0x15, 0x43, 0x42, 0x01, 0x00, 0x10, 0x00, 0xd0, 0x0a, 0x02, 0xc6, 0x14,
    0xf7, 0xc7, 0x9f, 0xe5, 0x80, 0xee, 0xe1, 0xea, 0x01, 0x00, 0x00, 0x00, 0x00};
const TBytes kNightOff = {
    0x43, 0x42, 0x01, 0x00, 0x0a, 0x02, 0x01, 0x00, 0x2a, 0x06, 0xbb, 0xb0, 0xb9, 0xfb, 0x05,
    0x2a, 0x2b, 0x0e, 0x13, 0x43, 0x42, 0x01, 0x00, 0xd0, 0x0a, 0x02, 0xc6, 0x14, 0xe3, 0xff,
    0xb4, 0xbd, 0xd9, 0xef, 0xa4, 0xeb, 0x01, 0x00, 0x00, 0x00, 0x00};
const TBytes kOldNightOn = {0x02, 0x00, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                            0x01, 0x00, 0x00, 0x00, 0x00, 0x43, 0x42, 0x01, 0x00, 0x10, 0x00,
                            0xc6, 0x14, 0x8b, 0xba, 0xbb, 0xed, 0x8c, 0xa6, 0xd7, 0xea, 0x01, 0x00};

TBytes Dword(DWORD V) { return {BYTE(V), BYTE(V >> 8), BYTE(V >> 16), BYTE(V >> 24)}; }
TBytes Wide(const wchar_t* Text) {
    const auto* P = reinterpret_cast<const unsigned char*>(Text);
    return TBytes(P, P + (wcslen(Text) + 1) * sizeof(wchar_t));
}

struct TWrite { const wchar_t* Key; const wchar_t* Name; DWORD Type; TBytes Data; };

// Removes every key the rows write, before and after each row.
void Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kFilterKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kMagnifierKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kNightRoot);
}

const char* Name(TState S) { return S == TState::On ? "On" : S == TState::Off ? "Off" : "Unknown"; }

TEST(ScreenConditionsRegistry, ReadsWhatTheValuesSay) {
    const TState On = TState::On, Off = TState::Off, Unknown = TState::Unknown;
    struct Case {
        const char* What; std::vector<TWrite> Writes;
        TState Filter; int FilterType; TState Magnifier, Night;
    };
    const Case kCases[] = {
        {"nothing written", {}, Off, -1, Off, Off},
        {"inverted filter",
         {{kFilterKey, L"Active", REG_DWORD, Dword(1)}, {kFilterKey, L"FilterType", REG_DWORD, Dword(1)}},
         On, 1, Off, Off},
        {"filter on, type never chosen", {{kFilterKey, L"Active", REG_DWORD, Dword(1)}}, On, -1, Off, Off},
        {"Active as text", {{kFilterKey, L"Active", REG_SZ, Wide(L"1")}}, Unknown, -1, Off, Off},
        {"magnifier running, inverted",
         {{kMagnifierKey, L"RunningState", REG_DWORD, Dword(1)}, {kMagnifierKey, L"Invert", REG_DWORD, Dword(1)}},
         Off, -1, On, Off},
        {"night light on", {{kNightKey, L"Data", REG_BINARY, kNightOn}}, Off, -1, Off, On},
        {"night light off", {{kNightKey, L"Data", REG_BINARY, kNightOff}}, Off, -1, Off, Off},
        {"night light cut short",
         {{kNightKey, L"Data", REG_BINARY, TBytes(kNightOn.begin(), kNightOn.begin() + 30)}},
         Off, -1, Off, Unknown},
        {"older key only", {{kOldNightKey, L"Data", REG_BINARY, kOldNightOn}}, Off, -1, Off, On},
        {"current key before the older one",
         {{kNightKey, L"Data", REG_BINARY, kNightOff}, {kOldNightKey, L"Data", REG_BINARY, kOldNightOn}},
         Off, -1, Off, Off},
    };
    const HMONITOR Monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    for (const Case& C : kCases) {
        Clear();
        for (const TWrite& W : C.Writes)
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, W.Key, W.Name, W.Type, W.Data.data(),
                                      static_cast<DWORD>(W.Data.size())),
                      ERROR_SUCCESS)
                << C.What;
        const TConditions Read = ReadConditions(Monitor);
        EXPECT_STREQ(Name(Read.Filter), Name(C.Filter)) << C.What;
        if (Read.Filter == TState::On) {
            EXPECT_EQ(Read.FilterType, C.FilterType) << C.What;
        }
        EXPECT_STREQ(Name(Read.MagnifierInvert), Name(C.Magnifier)) << C.What;
        EXPECT_STREQ(Name(Read.NightLight), Name(C.Night)) << C.What;
        // Wine has no advanced-colour information: the failure says nothing.
        EXPECT_STREQ(Name(Read.Hdr), "Off") << C.What;
    }
    Clear();
}

std::wstring ColorFolder() {
    wchar_t System[MAX_PATH] = {};
    GetSystemDirectoryW(System, MAX_PATH);
    return std::wstring(System) + L"\\spool\\drivers\\color";
}

TEST(MonitorProfile, ReadRefusesWhatIsNotAProfileFile) {
    wchar_t Temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, Temp);
    const std::wstring Large = std::wstring(Temp) + L"quillora-large.icc";
    {
        std::ofstream Out(Large.c_str(), std::ios::binary);
        Out << std::string(kProfileLimit + 1, 'x');
    }
    struct Case { std::wstring Path; const char* Reason; };
    const Case kCases[] = {
        {L"", "显示器没有颜色配置文件"},
        {ColorFolder() + L"\\no-such-profile.icc", "找不到颜色配置文件"},
        {Large, "颜色配置文件超过 4 MB"},
    };
    for (const Case& C : kCases) {
        std::string Bytes = "stale", Reason;
        EXPECT_FALSE(ReadProfileFile(C.Path, Bytes, Reason)) << C.Reason;
        EXPECT_EQ(Reason, C.Reason);
        EXPECT_TRUE(Bytes.empty()) << C.Reason;
    }
    DeleteFileW(Large.c_str());
}

}  // namespace
