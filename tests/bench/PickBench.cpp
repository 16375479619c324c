// Times picks through the real handlers on the real main window and prints the figures:
// the whole pick and its three parts (screen read, editors and notations, magnifier), next to
// the bare screen reads that no pick can avoid (one GetPixel, one 231 x 96 copy). Also counts
// heap allocations and GDI objects made by the picks. Not a test: it prints, it never fails.
//
//   pick_bench [PICKS]
//   pick_bench 600 [PICKS]     the same at 600 %
//   pick_bench grid [PICKS]    at 600 % with the grid on and a mark set
//   pick_bench freeze [RUNS]   F in a keyboard pick: the time until the still picture is on the
//                              screen, and the working set before, during and after the pick
#include "AllocationCount.h"
#include "MainForm.h"
#include "screen/MonitorProfile.h"
#include "StartUp.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <psapi.h>
#include <vector>

class TPickBenchmark {
public:
    explicit TPickBenchmark(TfrmMain& f) : F(f) {}
    // The parts of FormMouseMove, in its order.
    void Read(HDC dc, POINT& p) {
        GetCursorPos(&p);
        Sample = {p.x, p.y, GetPixel(dc, p.x, p.y), 0};
        Sample.Color = Sample.Device;
    }
    // Picks are converted into sRGB through the monitor's profile (or as sRGB without one).
    void ConvertIntoSrgb() { F.FPicker.FTrueColor.SetSpace(TTrueColor::Srgb); }
    void Convert(POINT p) { Sample.Color = F.FPicker.FTrueColor.Convert(Sample.Device, p); }
    void Refresh() {
        F.ShowPick(Sample, true);
    }
    TTrueColor& TrueColor() { return F.FPicker.FTrueColor; }
    void Magnify(HDC dc, POINT p) {
        F.FPicker.FCapture.Take(dc, p);
        F.FPicker.Redraw();
    }
private:
    TfrmMain& F;
    TPickSample Sample;
};

namespace {
double Now() {
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

struct TFigures {
    std::vector<double> Samples;
    void Add(double us) { Samples.push_back(us); }
    double At(double q) {
        std::sort(Samples.begin(), Samples.end());
        return Samples[static_cast<size_t>(q * static_cast<double>(Samples.size() - 1))];
    }
    void Print(const char* name) {
        std::printf("%-34s median %8.1f us   p99 %8.1f us\n", name, At(0.5), At(0.99));
    }
};
}  // namespace

double WorkingSetMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1 << 20);
}

// Each run: a keyboard pick, F, a screen read (under Wine it waits until the display has
// drawn what came before it), Esc. The bare snapshot is timed on its own as well.
void FreezeFigures(int runs) {
    TFigures shown, taken;
    std::printf("virtual screen %d x %d, %d runs\n", GetSystemMetrics(SM_CXVIRTUALSCREEN),
                GetSystemMetrics(SM_CYVIRTUALSCREEN), runs);
    std::printf("%-5s %12s %12s %12s\n", "run", "before MiB", "during MiB", "after MiB");
    for (int i = 0; i < runs; ++i) {
        frmMain->StartKeyPick();
        Application.ProcessMessages();
        const double before = WorkingSetMiB();
        const double t0 = Now();
        frmMain->Picker().Key('F');
        {
            TScreenDC dc;
            GetPixel(dc.Get(), 0, 0);
        }
        shown.Add(Now() - t0);
        const double during = WorkingSetMiB();
        frmMain->Picker().Key(VK_ESCAPE);
        Application.ProcessMessages();
        std::printf("%-5d %12.1f %12.1f %12.1f\n", i + 1, before, during, WorkingSetMiB());
        const double s0 = Now();
        TFrozenScreen::Take();
        taken.Add(Now() - s0);
    }
    shown.Print("F to the picture on the screen");
    taken.Print("  the snapshot alone");
}

// Each run: 色觉模拟 > 红色盲 from the menu's row to the view on the screen (a screen read waits
// until the display has drawn it), then 5 (mono) to the switched picture on the screen, then
// Esc; the working set before, while shown and after.
void VisionFigures(int runs) {
    TFigures shown, switched;
    std::printf("virtual screen %d x %d, %d runs\n", GetSystemMetrics(SM_CXVIRTUALSCREEN),
                GetSystemMetrics(SM_CYVIRTUALSCREEN), runs);
    std::printf("%-5s %12s %12s %12s\n", "run", "before MiB", "during MiB", "after MiB");
    TMenuItem* protan = frmMain->mnuColor.Find(frmMain->Commands().Child(TCommandId::Vision, 0));
    auto onScreen = [] {
        TScreenDC dc;
        GetPixel(dc.Get(), 0, 0);
    };
    for (int i = 0; i < runs; ++i) {
        const double before = WorkingSetMiB();
        const double t0 = Now();
        protan->OnClick();
        onScreen();
        shown.Add(Now() - t0);
        HWND view = FindWindowW(L"QuilloraVisionView", nullptr);
        const double during = WorkingSetMiB();
        const double s0 = Now();
        SendMessageW(view, WM_KEYDOWN, '5', 0);
        onScreen();
        switched.Add(Now() - s0);
        SendMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int wait = 0; wait < 100 && IsWindow(view); ++wait) {
            Application.ProcessMessages();
            Sleep(1);
        }
        std::printf("%-5d %12.1f %12.1f %12.1f%s\n", i + 1, before, during, WorkingSetMiB(),
                    view && !IsWindow(view) ? "" : "  (the view did not open or close)");
    }
    shown.Print("menu choice to the view on the screen");
    switched.Print("a switch of vision on the screen");
}

// What a pick's start spends: the monitors' profiles looked up as they were, and with the
// file's time moved on, which reads the profile again; then the rest of the start (the
// conditions in the registry, HDR of each monitor) for comparison.
void ProfileFigures(TTrueColor& trueColor, int runs) {
    const TMonitorProfileSource source(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    const std::wstring path = source.Path();
    std::printf("monitor profile: %ls\n", path.empty() ? L"(none)" : path.c_str());
    auto timed = [&](TFigures& figures, auto step) {
        const double t0 = Now();
        step();
        figures.Add(Now() - t0);
    };
    TFigures unchanged, changed, start;
    trueColor.Refresh();
    for (int i = 0; i < runs; ++i) {
        timed(unchanged, [&] { trueColor.RefreshProfiles(); });
        timed(start, [&] { trueColor.Refresh(); });
    }
    const int loads = trueColor.ProfileLoads();
    for (int i = 0; i < runs; ++i) {
        {
            TFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
            FILETIME written;
            GetSystemTimeAsFileTime(&written);
            written.dwLowDateTime += static_cast<DWORD>(i);  // never the time before
            if (file) SetFileTime(file.Get(), nullptr, nullptr, &written);
        }
        timed(changed, [&] { trueColor.RefreshProfiles(); });
    }
    unchanged.Print("profile look-up at pick start");
    changed.Print("  the profile changed, read again");
    std::printf("profiles read while changed        %8d of %d\n", trueColor.ProfileLoads() - loads, runs);
    start.Print("whole pick start (with HDR, filters)");
}

int main(int argc, char** argv) {
    InitializeApplication();
    frmMain = Application.CreateForm<TfrmMain>();
    frmMain->Show();
    Application.ProcessMessages();
    if (argc > 1 && std::string(argv[1]) == "vision") {
        VisionFigures(argc > 2 ? std::atoi(argv[2]) : 10);
        Application.DestroyForms();
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "freeze") {
        FreezeFigures(argc > 2 ? std::atoi(argv[2]) : 10);
        Application.DestroyForms();
        return 0;
    }
    const bool grid = argc > 1 && std::string(argv[1]) == "grid";
    const bool at600 = grid || (argc > 1 && std::string(argv[1]) == "600");
    int picks = argc > 1 + at600 ? std::atoi(argv[1 + at600]) : 2000;
    TPickBenchmark parts(*frmMain);
    parts.ConvertIntoSrgb();
    TBitmap bare(231, 96);
    frmMain->Options().Set(TSettings::TSettingId::Grid, grid);
    if (at600) {
        SendMessageW(frmMain->cboZoom->Handle(), CB_SETCURSEL, 5, 0);
        SendMessageW(frmMain->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(frmMain->cboZoom->Handle()));
    }

    // A drag is on; the cursor walks a small square so that colours keep changing.
    SendMessageW(frmMain->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    if (grid) {
        SetCursorPos(210, 210);
        frmMain->Picker().Key('M');  // a mark in the middle of the walk, in view of every pick
    }
    // Moving the cursor from code makes the next cursor read wait for the display; a real
    // mouse move does not, so that wait is taken here, outside the timing.
    auto place = [](int i) {
        SetCursorPos(200 + i % 37, 200 + (i / 37) % 29);
        POINT settled;
        GetCursorPos(&settled);
    };
    for (int i = 0; i < 50; ++i) {  // warm up: first paints, caches
        place(i);
        SendMessageW(frmMain->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
        Application.ProcessMessages();
    }

    TFigures whole, read, convert, refresh, magnify, bareReads, sync, screenDC;
    long allocations = 0;
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // Even rounds pick through the window's message, odd rounds run the same steps one by
    // one with a clock between them; both at a new place, so that every text really changes.
    for (int i = 0; i < 2 * picks; ++i) {
        place(i);
        {
            // Under Wine the first screen read after a repaint waits until the display has
            // drawn it; that wait belongs to the repaint and is shown on its own.
            TScreenDC dc;
            double s0 = Now();
            GetPixel(dc.Get(), 0, 0);
            sync.Add(Now() - s0);
        }
        if (i % 2 == 0) {
            long a = GAllocations;
            double t0 = Now();
            SendMessageW(frmMain->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
            double t1 = Now();
            allocations += GAllocations - a;
            whole.Add(t1 - t0);
        } else {
            double d0 = Now();
            TScreenDC dc;
            POINT p;
            double s0 = Now();
            parts.Read(dc.Get(), p);
            double c0 = Now();
            parts.Convert(p);
            double s1 = Now();
            convert.Add(s1 - c0);
            parts.Refresh();
            double s2 = Now();
            parts.Magnify(dc.Get(), p);
            double s3 = Now();
            screenDC.Add(s0 - d0);
            read.Add(s1 - s0);
            refresh.Add(s2 - s1);
            magnify.Add(s3 - s2);

            double b0 = Now();
            volatile COLORREF c = GetPixel(dc.Get(), p.x, p.y);
            (void)c;
            StretchBlt(bare.DC(), 0, 0, 231, 96, dc.Get(), p.x - 115, p.y - 48, 231, 96, SRCCOPY);
            bareReads.Add(Now() - b0);
        }
        Application.ProcessMessages();  // the repaints a pick asks for
    }
    DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    SendMessageW(frmMain->Handle(), WM_LBUTTONUP, 0, 0);

    std::printf("%d picks through the real handlers\n", picks);
    whole.Print("whole pick (WM_MOUSEMOVE)");
    read.Print("  screen read (cursor, GetPixel)");
    convert.Print("  conversion into sRGB");
    screenDC.Print("  screen DC taken");
    refresh.Print("  editors, notations, status");
    magnify.Print("  capture and magnifier");
    bareReads.Print("bare reads (GetPixel + 231x96 copy)");
    sync.Print("display catching up after a repaint");
    std::printf("whole pick / bare reads (median)    %8.2f\n", whole.At(0.5) / bareReads.At(0.5));
    std::printf("heap allocations per pick           %8.3f\n", static_cast<double>(allocations) / picks);
    std::printf("GDI objects before/after            %lu / %lu\n", gdiBefore, gdiAfter);
    std::printf("USER objects before/after           %lu / %lu\n", userBefore, userAfter);
    ProfileFigures(parts.TrueColor(), std::max(picks / 10, 20));
    Application.DestroyForms();
    return 0;
}
