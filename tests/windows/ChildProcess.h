// A helper program started by a test, ended by the test on every way out: by its own process
// handle, never by name.
#pragma once
#include <windows.h>
#include <string>

class TChildProcess {
public:
    // Program is a Windows path; Arguments follow it on the command line as given.
    TChildProcess(const std::string& Program, const std::string& Arguments) {
        std::string Line = "\"" + Program + "\" " + Arguments;
        STARTUPINFOA Startup{};
        Startup.cb = sizeof Startup;
        FStarted = CreateProcessA(nullptr, &Line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &Startup, &FInfo);
    }
    ~TChildProcess() {
        if (!FStarted) return;
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(FInfo.hProcess, 1);
            WaitForSingleObject(FInfo.hProcess, 10000);
        }
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Started() const { return FStarted; }
    // The exit code, or -1 when the program has not ended within TimeoutMs.
    int Wait(DWORD TimeoutMs) const {
        if (!FStarted || WaitForSingleObject(FInfo.hProcess, TimeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD Code = 0;
        GetExitCodeProcess(FInfo.hProcess, &Code);
        return static_cast<int>(Code);
    }

private:
    PROCESS_INFORMATION FInfo{};
    bool FStarted = false;
};

// A named manual-reset event, made by the test before the helpers that open it start.
class TNamedEvent {
public:
    explicit TNamedEvent(const std::string& Name)
        : FName(Name), FHandle(CreateEventA(nullptr, TRUE, FALSE, Name.c_str())) {}
    ~TNamedEvent() {
        if (FHandle) CloseHandle(FHandle);
    }
    TNamedEvent(const TNamedEvent&) = delete;
    TNamedEvent& operator=(const TNamedEvent&) = delete;
    const std::string& Name() const { return FName; }
    void Set() const { SetEvent(FHandle); }
    bool WaitSet(DWORD TimeoutMs) const {
        return FHandle && WaitForSingleObject(FHandle, TimeoutMs) == WAIT_OBJECT_0;
    }

private:
    std::string FName;
    HANDLE FHandle;
};
