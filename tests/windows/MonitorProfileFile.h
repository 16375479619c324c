// A colour profile for every monitor, for as long as this lives: a file in the system's colour
// folder, named in the ICM\mntr key under a name that sorts first (Wine's GetICMProfileW gives
// the first name there, for any monitor). Only Wine reads the monitors' profiles from that key.
#pragma once
#include <windows.h>
#include <fstream>
#include <string>

class TMonitorProfileFile {
public:
    explicit TMonitorProfileFile(std::wstring name = L"0quillora-test.icc") : FName(std::move(name)) {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        FPath = std::wstring(system) + L"\\spool\\drivers\\color\\" + FName;
    }
    ~TMonitorProfileFile() {
        Unregister();
        DeleteFileW(FPath.c_str());
    }
    TMonitorProfileFile(const TMonitorProfileFile&) = delete;
    TMonitorProfileFile& operator=(const TMonitorProfileFile&) = delete;

    // The file now holds Bytes, and it is the monitors' profile.
    bool Write(const std::string& bytes) const {
        {
            std::ofstream out(FPath.c_str(), std::ios::binary | std::ios::trunc);
            out << bytes;
        }
        return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, FName.c_str(), REG_SZ, L"", sizeof(wchar_t)) ==
               ERROR_SUCCESS;
    }
    // The monitors have no profile of ours; the file stays.
    void Unregister() const { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, FName.c_str()); }
    const std::wstring& Name() const { return FName; }

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\ICM\\mntr";
    std::wstring FName, FPath;
};
