// Start-up of several programs, measured from outside as a user meets it: from CreateProcess
// to the painted main window (the window shown, and neither it nor any of its children with a
// region still to paint), and the process's working set at that moment. The programs run in
// turn, RUNS rounds after one round of warm-up; each one is compared with the first (the
// floor) by the median of its per-round ratios and differences, so that a slow spell of the
// machine weighs on both sides of a pair. Prints; never judges.
//
//   startup_bench RUNS LABEL EXE CLASS [ARGS] -- LABEL EXE CLASS [ARGS] -- ...
#include "Timing.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct TProgram {
    std::wstring Label, Exe, Class, Args;
    std::vector<double> Ms, MiB;
};

struct TFind {
    DWORD Pid;
    const wchar_t* Class;
    HWND Found;
};

BOOL CALLBACK FindMain(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<TFind*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t cls[128] = L"";
    GetClassNameW(h, cls, 128);
    if (pid != f->Pid || lstrcmpW(cls, f->Class) != 0 || !IsWindowVisible(h)) return TRUE;
    f->Found = h;
    return FALSE;
}

BOOL CALLBACK FindUnpainted(HWND h, LPARAM lp) {
    if (IsWindowVisible(h) && GetUpdateRect(h, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}

double Now() {
    static LARGE_INTEGER f{};
    if (!f.QuadPart) QueryPerformanceFrequency(&f);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// One start: false when the program did not paint its window within 20 s.
bool StartOnce(TProgram& p, bool keep) {
    std::wstring command = L"\"" + p.Exe + L"\"" + (p.Args.empty() ? L"" : L" " + p.Args);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", p.Exe.c_str(), GetLastError());
        return false;
    }
    WaitForInputIdle(pi.hProcess, 20000);
    TFind find{pi.dwProcessId, p.Class.c_str(), nullptr};
    double painted = 0;
    while (Now() - start < 20000) {
        find.Found = nullptr;
        EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&find));
        bool unpainted = find.Found && GetUpdateRect(find.Found, nullptr, FALSE);
        if (find.Found && !unpainted)
            EnumChildWindows(find.Found, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        if (find.Found && !unpainted) {
            painted = Now() - start;
            break;
        }
        Sleep(1);
    }
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(pi.hProcess, &m, sizeof m);
    if (find.Found) PostMessageW(find.Found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (painted <= 0) {
        std::fwprintf(stderr, L"%ls painted no %ls window within 20 s\n", p.Label.c_str(), p.Class.c_str());
        return false;
    }
    if (keep) {
        p.Ms.push_back(painted);
        p.MiB.push_back(static_cast<double>(m.WorkingSetSize) / 1048576.0);
    }
    Sleep(200);  // the closed program's last messages and the server settle
    return true;
}

std::vector<double> Pairwise(const std::vector<double>& a, const std::vector<double>& b, bool ratio) {
    std::vector<double> r;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(ratio ? a[i] / b[i] : a[i] - b[i]);
    return r;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<TProgram> programs;
    const int runs = argc > 1 ? _wtoi(argv[1]) : 15;
    for (int i = 2; i < argc;) {
        TProgram p;
        if (i + 2 >= argc) break;
        p.Label = argv[i];
        p.Exe = argv[i + 1];
        p.Class = argv[i + 2];
        for (i += 3; i < argc && lstrcmpW(argv[i], L"--") != 0; ++i) p.Args += (p.Args.empty() ? L"" : L" ") + std::wstring(argv[i]);
        ++i;
        programs.push_back(p);
    }
    if (runs < 1 || programs.size() < 2) {
        std::fwprintf(stderr, L"usage: startup_bench RUNS LABEL EXE CLASS [ARGS] -- LABEL EXE CLASS [ARGS] ...\n");
        return 2;
    }
    for (TProgram& p : programs)
        if (!StartOnce(p, false)) return 1;
    for (int r = 0; r < runs; ++r)
        for (TProgram& p : programs)
            if (!StartOnce(p, true)) return 1;

    std::wprintf(L"start-up: %d rounds after one warm-up, programs in turn; medians\n", runs);
    std::wprintf(L"%-22ls %12ls %12ls\n", L"program", L"painted ms", L"working MiB");
    for (const TProgram& p : programs)
        std::wprintf(L"%-22ls %12.1f %12.2f\n", p.Label.c_str(), Median(p.Ms), Median(p.MiB));
    const TProgram& floor = programs[0];
    std::wprintf(L"against %ls, pairwise medians:\n", floor.Label.c_str());
    for (size_t i = 1; i < programs.size(); ++i) {
        const TProgram& p = programs[i];
        std::wprintf(L"%-22ls time %.2fx (%+.1f ms)   working set %.2fx (%+.2f MiB)\n", p.Label.c_str(),
                     Median(Pairwise(p.Ms, floor.Ms, true)), Median(Pairwise(p.Ms, floor.Ms, false)),
                     Median(Pairwise(p.MiB, floor.MiB, true)), Median(Pairwise(p.MiB, floor.MiB, false)));
    }
    std::fflush(stdout);
    return 0;
}
