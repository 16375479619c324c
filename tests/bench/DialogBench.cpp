// Opens and cancels the Save colour dialog many times through the real menu command and prints
// how much the process grows per opening (footprint.h has the columns). bare_dialog prints the
// same figures for a bare Win32 program that makes the same calls. Not a test: it prints.
//
//   dialog_bench [COUNT1] [COUNT2] [thread]   (default 500 2000; "thread": closed from a
//                                             second thread, as long_run does)
//   dialog_bench store [RUNS] [ENTRIES...]    My colours and the contrast dialog with stores of
//                                             these sizes (default 3 runs; 2 3000 20000 100000),
//                                             and one rewrite of 20 recent colours beside them
//   dialog_bench variations [RUNS]            the variations dialog from the menu choice to its
//                                             last paint (default 200 runs), and the allocations
//                                             while its selection moves
#include "AllocationCount.h"
#include "Footprint.h"
#include "ContrastForm.h"
#include "settings/IniFile.h"
#include "MainForm.h"
#include "MyColorsForm.h"
#include "settings/Settings.h"
#include "StartUp.h"
#include "VariationsForm.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace store {

// Milliseconds.
double Now() {
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e3 / static_cast<double>(freq.QuadPart);
}

double WorkingSetMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1 << 20);
}

// A store of Count entries, as an import of palettes leaves it: keys a second apart, colours
// spread over the cube, short comments. Returns the bytes of its lines.
size_t WriteStore(int count) {
    std::string text = "[VOP]\r\nontop=0\r\n[COLORS]\r\n";
    const size_t start = text.size();
    for (int i = 0; i < count; ++i) {
        const int s = i % 60, n = i / 60 % 60, h = i / 3600 % 24, d = i / 86400 % 28 + 1, m = i / 2419200 % 12 + 1;
        const unsigned c = static_cast<unsigned>(i) * 2654435761u >> 8 & 0xFFFFFF;
        char line[96];
        std::snprintf(line, sizeof line, "%02d%02d2026%02d%02d%02d=#%06X%s %d\r\n", m, d, h, n, s, c,
                      i % 3 ? "palette colour" : "sky", i);
        text += line;
    }
    const std::string name = TSettings::GetIniFileName();
    HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return text.size() - start;
}

// The section through the profile functions alone, as the program read it before it had a
// reader of its own: one call into a buffer that grows until the section fits.
size_t ProfileRead() {
    std::vector<char> buffer(65536);
    for (;;) {
        const DWORD n = GetPrivateProfileSectionA("COLORS", buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  TSettings::GetIniFileName().c_str());
        if (n + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, TSettings::GetIniFileName().c_str());
    return static_cast<size_t>(std::count(buffer.begin(), buffer.end(), '='));
}

// What one run measures; times in milliseconds.
struct TRun {
    double Read = 0, Profile = 0, Own = 0, Open = 0, Scroll = 0, Delete = 0, Contrast = 0, Filled = 0, DropDown = 0;
    double Recent = 0;  // one TSettings::WriteRecent of 20 colours, the median of 21
    double Variations = 0;  // from the menu choice to the dialog's last paint
    long MoveAllocations = 0, Moves = 0;
    double WorkingSet = 0, Growth = 0;
    long Gdi = 0, Windows = 0, Images = 0, Rows = 0;
    const char* RowAfter = "?";  // the selection after the delete: at the same row, none, moved
    bool AtEnd = false;
};

enum class TPhase { Idle, Opening, Clicked, Deleting, ContrastOpening, VariationsOpening };

TPhase GPhase = TPhase::Idle;
TRun* GRun = nullptr;
double GStart = 0, GLastPaint = 0, GBoxGone = 0, GWorkingSetBefore = 0;
long GGdiBefore = 0, GWindowsBefore = 0, GMiddle = 0, GFavorites = 0;
HWND GBox = nullptr;
// The window procedure each window had. Kept here, not in a window property: Wine asks its
// server for a property, which at each message made filling a list of 20 000 rows take seconds.
std::map<HWND, WNDPROC> GOldProcs;

// Every window of a dialog notes when its painting ends: the dialog has painted when the last
// of them has.
LRESULT CALLBACK TimePaint(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    const WNDPROC old = GOldProcs[h];
    const LRESULT r = CallWindowProcW(old, h, msg, wp, lp);
    if (msg == WM_PAINT) GLastPaint = Now();
    if (msg == WM_NCDESTROY) GOldProcs.erase(h);
    return r;
}

bool IsMessageBox(HWND h) {
    wchar_t cls[16] = L"";
    GetClassNameW(h, cls, 16);
    return wcscmp(cls, L"#32770") == 0;
}

// Times the painting of each new window; answers Yes to the question before a delete, as a
// user does, and notes when the question has gone.
LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp) {
    const auto h = reinterpret_cast<HWND>(wp);
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
        if (!IsMessageBox(h) && !(cs->hwndParent && IsMessageBox(cs->hwndParent)))
            GOldProcs[h] = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimePaint)));
    } else if (code == HCBT_ACTIVATE && GPhase == TPhase::Deleting && IsMessageBox(h) && !GBox) {
        GBox = h;
        PostMessageW(h, WM_COMMAND, IDYES, 0);
    } else if (code == HCBT_DESTROYWND && h == GBox) {
        GBoxGone = Now();
        GLastPaint = 0;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void ClickRow(TListView* list, int row) {
    SendMessageW(list->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(list->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 60, (r.top + r.bottom) / 2);
    PostMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list->Handle(), WM_LBUTTONUP, 0, at);
}

// The steps of one run, each when the thread has nothing else to do: timer messages come only
// when no posted message, input or repaint waits, so what was asked for has painted.
void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
    TRun& run = *GRun;
    switch (GPhase) {
    case TPhase::Opening: {
        HWND dialog = FindWindowW(L"TfrmMyColors", nullptr);
        if (!dialog || !IsWindowVisible(dialog) || !frmMyColors || GLastPaint == 0) return;
        run.Open = GLastPaint - GStart;
        run.WorkingSet = WorkingSetMiB();
        run.Growth = run.WorkingSet - GWorkingSetBefore;
        run.Gdi = footprint::Take().Gdi - GGdiBefore;
        run.Windows = footprint::ThreadWindows() - GWindowsBefore;
        run.Images = frmMyColors->ImageList1.Count();
        TListView* list = frmMyColors->lvwColors;
        // To the end with the keyboard, painted at once.
        const double t = Now();
        SendMessageW(list->Handle(), WM_KEYDOWN, VK_END, 0);
        SendMessageW(list->Handle(), WM_KEYUP, VK_END, 0);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        run.Scroll = Now() - t;
        const int top = ListView_GetTopIndex(list->Handle()), page = ListView_GetCountPerPage(list->Handle());
        run.AtEnd = top + page >= list->Count();
        GMiddle = list->Count() / 2;
        ClickRow(list, static_cast<int>(GMiddle));
        GPhase = TPhase::Clicked;
        return;
    }
    case TPhase::Clicked:
        if (!frmMyColors || !IsWindowEnabled(frmMyColors->btnDelete->Handle())) return;
        GBox = nullptr;
        GBoxGone = 0;
        GPhase = TPhase::Deleting;
        PostMessageW(frmMyColors->btnDelete->Handle(), BM_CLICK, 0, 0);
        return;
    case TPhase::Deleting: {
        if (!frmMyColors || GBoxGone == 0 || GLastPaint == 0) return;
        run.Delete = GLastPaint - GBoxGone;
        run.Rows = frmMyColors->lvwColors->Count();
        const int selected = frmMyColors->lvwColors->Selected();
        run.RowAfter = selected == GMiddle ? "same" : selected < 0 ? "none" : "moved";
        GPhase = TPhase::Idle;
        PostMessageW(frmMyColors->Handle(), WM_COMMAND, IDCANCEL, 0);
        return;
    }
    case TPhase::ContrastOpening: {
        HWND dialog = FindWindowW(L"TfrmContrast", nullptr);
        if (!dialog || !IsWindowVisible(dialog) || !frmContrast || GLastPaint == 0) return;
        if (run.Contrast == 0) run.Contrast = GLastPaint - GStart;
        // A long list of favourites fills after the dialog has opened; once it holds them all,
        // it is dropped down and painted.
        if (frmContrast->cboFavorites->Count() < GFavorites) return;
        run.Filled = Now() - GStart;
        HWND combo = frmContrast->cboFavorites->Handle();
        const double t = Now();
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        if (info.hwndList) UpdateWindow(info.hwndList);
        run.DropDown = Now() - t;
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        GPhase = TPhase::Idle;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    case TPhase::VariationsOpening: {
        HWND dialog = FindWindowW(L"TfrmVariations", nullptr);
        if (!dialog || !IsWindowVisible(dialog) || !frmVariations || GLastPaint == 0) return;
        run.Variations = GLastPaint - GStart;
        // Round the rows and back, each move painted at once.
        HWND grid = frmVariations->grdSwatches->Handle();
        const WPARAM keys[] = {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP};
        const long before = GAllocations;
        for (run.Moves = 0; run.Moves < 400; ++run.Moves) {
            SendMessageW(grid, WM_KEYDOWN, keys[run.Moves / 8 % 4], 0);
            UpdateWindow(grid);
        }
        run.MoveAllocations = GAllocations - before;
        GPhase = TPhase::Idle;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    case TPhase::Idle:
        return;
    }
}

TRun MeasureVariations(TfrmMain& main) {
    TRun run;
    GRun = &run;
    GLastPaint = 0;
    GPhase = TPhase::VariationsOpening;
    GStart = Now();
    main.mnuColor.Find(TCommandId::Variations)->OnClick();
    GPhase = TPhase::Idle;
    return run;
}

void RunVariations(TfrmMain& main, int runs) {
    SetWindowsHookExW(WH_CBT, &Watch, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Step);
    main.spiR->SetValue(0x00);
    main.spiG->SetValue(0xC8);
    main.spiB->SetValue(0xFF);
    const TRun first = MeasureVariations(main);
    std::vector<double> times;
    long allocations = 0, moves = 0;
    for (int i = 0; i < runs; ++i) {
        const TRun run = MeasureVariations(main);
        times.push_back(run.Variations);
        allocations += run.MoveAllocations;
        moves += run.Moves;
    }
    std::sort(times.begin(), times.end());
    std::printf("The variations dialog of #00C8FF, from the menu choice to its last paint; ms\n");
    std::printf("first %.1f   then, %d runs: median %.1f  p99 %.1f  max %.1f\n", first.Variations, runs,
                times[times.size() / 2], times[times.size() * 99 / 100], times.back());
    std::printf("selection moves, each painted: %ld, allocations %ld (the first opening's moves: %ld)\n", moves,
                allocations, first.MoveAllocations);
    // The arithmetic alone: the seven rows of a colour, as an opening makes them.
    TColor rows[Variations::kMaxSwatches];
    const double t = Now();
    for (unsigned c = 0; c < 1000; ++c)
        for (int row = 0; row < Variations::kRowCount; ++row)
            Variations::Row(static_cast<Variations::TRow>(row), c * 16777u & 0xFFFFFF, clWhite, rows);
    std::printf("the seven rows of a colour: %.2f ms (mean of 1000 colours)\n", (Now() - t) / 1000);
}

TRun Measure(TfrmMain& main, int entries) {
    TRun run;
    GRun = &run;
    WriteStore(entries);
    // Reading the store as the dialogs read it, and the section alone both ways.
    double t = Now();
    run.Rows = static_cast<long>(TSettings::ReadColorList().Count());
    run.Read = Now() - t;
    t = Now();
    ProfileRead();
    run.Profile = Now() - t;
    std::string block;
    t = Now();
    TIniFile::ReadSectionOwnWay("COLORS", TSettings::GetIniFileName(), block);
    run.Own = Now() - t;

    GWorkingSetBefore = WorkingSetMiB();
    GGdiBefore = footprint::Take().Gdi;
    GWindowsBefore = footprint::ThreadWindows();
    GLastPaint = 0;
    GPhase = TPhase::Opening;
    GStart = Now();
    main.mnuColor.Find(TCommandId::MyColors)->OnClick();
    GPhase = TPhase::Idle;

    GFavorites = static_cast<long>(TSettings::ReadColorList().Count());
    GLastPaint = 0;
    GPhase = TPhase::ContrastOpening;
    GStart = Now();
    main.mnuColor.Find(TCommandId::Contrast)->OnClick();
    GPhase = TPhase::Idle;

    // Two lists of 20 in turn, so that each write changes every line of [RECENT].
    constexpr int kRecentWrites = 21;
    TRecentColors lists[2];
    for (TColor c = 0; c < TRecentColors::kMaxCount; ++c) {
        lists[0].Add(c);
        lists[1].Add(c << 8);
    }
    std::vector<double> writes;
    for (int i = 0; i < kRecentWrites; ++i) {
        t = Now();
        TSettings::WriteRecent(lists[i % 2]);
        writes.push_back(Now() - t);
    }
    std::sort(writes.begin(), writes.end());
    run.Recent = writes[writes.size() / 2];
    return run;
}

double Median(std::vector<TRun>& runs, double TRun::*figure) {
    std::sort(runs.begin(), runs.end(), [&](const TRun& a, const TRun& b) { return a.*figure < b.*figure; });
    return runs[runs.size() / 2].*figure;
}

void Run(TfrmMain& main, int runs, const std::vector<int>& sizes) {
    SetWindowsHookExW(WH_CBT, &Watch, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Step);
    Measure(main, 2);  // the first opening makes what every later one finds
    std::printf("My colours and the contrast dialog by the number of saved colours; times in ms, "
                "median of %d runs\n", runs);
    std::printf("%8s %7s %8s %8s %8s %8s %8s %8s %6s %6s %5s %5s %7s %7s %8s %8s %8s %7s\n", "entries", "texts", "read",
                "profile", "own", "open", "to end", "delete", "row", "GDI", "USER", "imgs", "WS", "WS +",
                "contrast", "filled", "drop", "recent");
    std::printf("%8s %7s %8s %8s %8s %8s %8s %8s %6s %6s %5s %5s %7s %7s %8s %8s %8s %7s\n", "", "MiB", "store", "section",
                "section", "", "", "", "after", "+", "+", "", "MiB", "MiB", "open", "", "down", "write");
    for (int entries : sizes) {
        std::vector<TRun> done;
        for (int i = 0; i < runs; ++i) done.push_back(Measure(main, entries));
        const TRun& last = done.back();
        const double texts = static_cast<double>(WriteStore(entries)) / (1 << 20);
        std::printf("%8d %7.2f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %6s %6ld %5ld %5ld %7.1f %7.1f %8.1f %8.1f %8.1f %7.2f%s\n",
                    entries,
                    texts, Median(done, &TRun::Read), Median(done, &TRun::Profile), Median(done, &TRun::Own),
                    Median(done, &TRun::Open),
                    Median(done, &TRun::Scroll), Median(done, &TRun::Delete), last.RowAfter, last.Gdi, last.Windows,
                    last.Images, Median(done, &TRun::WorkingSet), Median(done, &TRun::Growth),
                    Median(done, &TRun::Contrast), Median(done, &TRun::Filled), Median(done, &TRun::DropDown),
                    Median(done, &TRun::Recent),
                    last.AtEnd && last.Rows == entries - 1 ? "" : "  (not at the end, or no row deleted)");
        std::fflush(stdout);
    }
}

}  // namespace store

int main(int argc, char** argv) {
    const bool storeMode = argc > 1 && std::string(argv[1]) == "store";
    const bool variationsMode = argc > 1 && std::string(argv[1]) == "variations";
    int n1 = argc > 1 ? std::atoi(argv[1]) : 500;
    int n2 = argc > 2 ? std::atoi(argv[2]) : 2000;
    bool thread = argc > 3 && std::string(argv[3]) == "thread";
    InitializeApplication();
    frmMain = Application.CreateForm<TfrmMain>();
    frmMain->Show();
    Application.ProcessMessages();
    if (storeMode) {
        std::vector<int> sizes;
        for (int i = 3; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
        if (sizes.empty()) sizes = {2, 3000, 20000, 100000};
        store::Run(*frmMain, argc > 2 ? std::max(1, std::atoi(argv[2])) : 3, sizes);
        Application.DestroyForms();
        return 0;
    }
    if (variationsMode) {
        store::RunVariations(*frmMain, argc > 2 ? std::max(1, std::atoi(argv[2])) : 200);
        Application.DestroyForms();
        return 0;
    }
    footprint::Header();
    footprint::Start(L"TfrmSaveColor", thread);
    TMenuItem* save = frmMain->mnuColor.Find(TCommandId::SaveColor);
    footprint::Run(thread ? "Save colour, closing thread" : "Save colour", [&] { save->OnClick(); }, {n1, n2});
    footprint::Stop();
    Application.DestroyForms();
    return 0;
}
