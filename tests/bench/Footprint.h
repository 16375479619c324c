// Memory and windows of this process, measured around many openings of one dialog. Shared by
// the program's own dialog bench and the bare Win32 copy of the same calls, so that their
// figures come out line for line in the same table. Prints; never judges.
#pragma once
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cstring>
#include <atomic>
#include <functional>
#include <thread>

namespace footprint {

struct TSample {
    double Resident = 0;   // bytes; under Wine the anonymous resident memory of the whole process
    double Committed = 0;  // private memory committed through the Windows memory functions
    double HeapUsed = 0;   // blocks in use in the Windows heaps
    double UnixHeap = 0;   // under Wine: the process's Unix-side malloc heap, resident
    double ServerHeap = 0; // under Wine: the Wine server's malloc heap, resident
    long Gdi = 0;
    long Windows = 0;      // windows created so far by this thread
};

inline BOOL CALLBACK CountChild(HWND, LPARAM lp) {
    ++*reinterpret_cast<long*>(lp);
    return TRUE;
}
inline BOOL CALLBACK CountWindow(HWND h, LPARAM lp) {
    ++*reinterpret_cast<long*>(lp);
    EnumChildWindows(h, &CountChild, lp);
    return TRUE;
}
// The windows of this thread now, children included.
inline long ThreadWindows() {
    long n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

inline long GWindowsCreated = 0;
inline const wchar_t* GDialogClass = nullptr;

inline LRESULT CALLBACK CountCreations(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) ++GWindowsCreated;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// A user pressing Esc once the dialog is up. Timer messages come only when no posted message,
// input or repaint is waiting, so the dialog has painted when it is closed.
inline void CALLBACK CloseDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND h = FindWindowW(GDialogClass, nullptr); h && IsWindowVisible(h))
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
}

// Under Wine the Unix side of a process (X11, fonts, the server link) allocates with its own
// malloc, outside every Windows heap: that is the [heap] mapping of /proc/PID/smaps. The Wine
// server opens files for its clients, so there /proc/self is the server itself; the program's
// own Unix process id comes from QUILLORA_UNIX_PID (scripts/bench.sh sets it). 0 elsewhere.
inline double HeapMappingResident(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, "Z:\\proc\\%s\\smaps", pid);
    std::FILE* f = std::fopen(path, "r");
    if (!f) return 0;
    char line[512];
    bool inHeap = false;
    double kib = 0;
    while (std::fgets(line, sizeof line, f)) {
        const char* dash = std::strchr(line, '-');
        const char* space = std::strchr(line, ' ');
        if (dash && space && dash < space) inHeap = std::strstr(line, "[heap]") != nullptr;
        unsigned long v;
        if (inHeap && std::sscanf(line, "Rss: %lu", &v) == 1) kib += v;
    }
    std::fclose(f);
    return kib * 1024.0;
}

inline TSample Take() {
    TSample s;
    PROCESS_MEMORY_COUNTERS_EX m{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    // Wine fills no private usage; its page-file usage is the anonymous resident memory.
    s.Resident = static_cast<double>(m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage);
    MEMORY_BASIC_INFORMATION mbi;
    for (auto* p = static_cast<char*>(nullptr); VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;
         p = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) s.Committed += mbi.RegionSize;
        if (static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize < p) break;  // wrapped round
    }
    HANDLE heaps[64];
    DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < n && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) s.HeapUsed += e.cbData;
        HeapUnlock(heaps[i]);
    }
    static char unixPid[16] = "";
    if (!unixPid[0] && !GetEnvironmentVariableA("QUILLORA_UNIX_PID", unixPid, sizeof unixPid))
        std::strcpy(unixPid, "none");
    s.UnixHeap = HeapMappingResident(unixPid);
    s.ServerHeap = HeapMappingResident("self");
    // Wine answers 0 for GR_GDIOBJECTS but takes a handle's table index alone.
    s.Gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    if (!s.Gdi)
        for (UINT_PTR h = 1; h < 0x10000; ++h)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(h))) ++s.Gdi;
    s.Windows = GWindowsCreated;
    return s;
}

inline void Header() {
    std::printf("%-36s %-9s %7s %9s %9s %9s %9s %9s %5s\n", "", "", "windows", "resident", "committed",
                "heap used", "Unix heap", "server", "GDI");
    std::printf("%-36s %-9s %7s %9s %9s %9s %9s %9s %5s\n", "dialog", "openings", "/open", "KiB/open",
                "KiB/open", "KiB/open", "KiB/open", "KiB/open", "+/-");
    std::fflush(stdout);
}

// One row: what one opening added, on average over the range.
inline void Print(const char* label, const char* range, double n, const TSample& a, const TSample& b) {
    auto per = [n](double x, double y) { return (y - x) / 1024.0 / n; };
    std::printf("%-36s %-9s %7.2f %9.3f %9.3f %9.3f %9.3f %9.3f %+5ld\n", label, range,
                static_cast<double>(b.Windows - a.Windows) / n, per(a.Resident, b.Resident),
                per(a.Committed, b.Committed), per(a.HeapUsed, b.HeapUsed), per(a.UnixHeap, b.UnixHeap),
                per(a.ServerHeap, b.ServerHeap), b.Gdi - a.Gdi);
    std::fflush(stdout);
}

inline void Print(const char* label, int from, int to, const TSample& a, const TSample& b) {
    char range[32];
    std::snprintf(range, sizeof range, from == to ? "%d" : "%d-%d", from, to);
    Print(label, range, to - from + 1, a, b);
}

// The first opening, the rest of a warm-up, then each count of openings after the warm-up:
// what one opening adds, on average over each range.
inline void Run(const char* label, const std::function<void()>& openOnce,
                std::initializer_list<int> counts, int warmUp = 20) {
    TSample start = Take();
    openOnce();
    TSample first = Take();
    Print(label, 1, 1, start, first);
    for (int i = 1; i < warmUp; ++i) openOnce();
    TSample base = Take();
    Print(label, 2, warmUp, first, base);
    int done = 0;
    for (int count : counts) {
        for (; done < count; ++done) openOnce();
        Print(label, warmUp + 1, warmUp + count, base, Take());
    }
}

inline std::atomic<bool> GStop{false}, GLooked{false};
inline std::thread GCloser;

// Counts the thread's windows from now on and closes each window of the dialog's class soon
// after it shows: from this thread's timer, or from a second thread that looks every 2 ms.
inline void Start(const wchar_t* dialogClass, bool fromThread) {
    GDialogClass = dialogClass;
    SetWindowsHookExW(WH_CBT, &CountCreations, nullptr, GetCurrentThreadId());
    if (!fromThread) {
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &CloseDialog);
        return;
    }
    TSample before = Take();
    GCloser = std::thread([] {
        while (!GStop) {
            CloseDialog(nullptr, 0, 0, 0);
            GLooked = true;
            Sleep(2);
        }
    });
    while (!GLooked) Sleep(1);
    Print("(closing thread started)", "-", 1, before, Take());
}

inline void Stop() {
    GStop = true;
    if (GCloser.joinable()) GCloser.join();
}

}  // namespace footprint
