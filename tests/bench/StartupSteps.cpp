// Quillora's start-up cut into its steps, inside one process: the time each step takes and the
// working set after it, from the process's creation to the painted main window. Run it a few
// times (scripts/bench.sh startup does); the first line includes loading the program and its
// DLLs. Prints; never judges.
#include "MainForm.h"
#include "StartUp.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace {

double GLast = 0;

double MsSinceCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

void Mark(const char* step) {
    const double now = MsSinceCreation();
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    std::printf("%-34s %8.1f %8.1f %9.2f\n", step, now - GLast, now,
                static_cast<double>(m.WorkingSetSize) / 1048576.0);
    std::fflush(stdout);
    GLast = now;
}

}  // namespace

int main() {
    std::printf("%-34s %8s %8s %9s\n", "step", "ms", "total", "WS MiB");
    Mark("process created -> main");
    InitializeApplication();
    Mark("application object and window");
    TFormPtr<TfrmMain> form(new TfrmMain());
    frmMain = form.get();
    Mark("main window: objects");
    form->CreateHandle();
    Mark("main window: windows");
    form->DoCreate();
    Mark("main window: creation handler");
    form->Show();
    Mark("shown");
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Mark("painted (queue empty)");
    form.reset();
    frmMain = nullptr;
    return 0;
}
