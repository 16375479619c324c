// The screen conditions read back from values the test writes in HKCU (Wine draws nothing
// differently for them, but its registry answers as Windows would), and a profile file refused.
// The monitor's profile found through the prefix's colour-management key: the end-to-end test.
#include "screen/MonitorProfile.h"
#include "screen/ScreenConditions.h"
#include "Text.h"

#include "../common/NightLightSamples.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace ScreenConditions;

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

using namespace NightLightSamples;
// The older key holds the older layout: a prologue, then the state record itself.
const TBytes kOldNightOn = Cat({kOldPrologue, Slice(kOnScheduled, 19, 37)});

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
        {"night light on", {{kNightKey, L"Data", REG_BINARY, kOnManual}}, Off, -1, Off, On},
        {"night light off", {{kNightKey, L"Data", REG_BINARY, kOffManual}}, Off, -1, Off, Off},
        {"night light cut short",
         {{kNightKey, L"Data", REG_BINARY, TBytes(kOnManual.begin(), kOnManual.begin() + 30)}},
         Off, -1, Off, Unknown},
        {"older key only", {{kOldNightKey, L"Data", REG_BINARY, kOldNightOn}}, Off, -1, Off, On},
        {"current key before the older one",
         {{kNightKey, L"Data", REG_BINARY, kOffManual}, {kOldNightKey, L"Data", REG_BINARY, kOldNightOn}},
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
    struct Case { std::wstring Path; TProfileProblem Problem; };
    const Case kCases[] = {
        {L"", TProfileProblem::NoProfile},
        {ColorFolder() + L"\\no-such-profile.icc", TProfileProblem::NotFound},
        {ColorFolder() + L"\\no-such-folder\\x.icc", TProfileProblem::NotFound},
        {Large, TProfileProblem::TooLarge},
        {ColorFolder(), TProfileProblem::Unreadable},  // a folder
    };
    for (const Case& C : kCases) {
        std::string Bytes = "stale";
        TProfileReason Reason;
        const std::string Where = WideToUtf8(C.Path);
        EXPECT_FALSE(ReadProfileFile(C.Path, Bytes, Reason)) << Where;
        EXPECT_EQ(Reason.Problem, C.Problem) << Where;
        EXPECT_EQ(Reason.Error != 0, C.Problem != TProfileProblem::NoProfile) << Where << ": " << Reason.Error;
        EXPECT_TRUE(Bytes.empty()) << Where;
    }
    DeleteFileW(Large.c_str());
}

}  // namespace
