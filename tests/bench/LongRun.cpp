// A long session in one go: many picks, many openings of each dialog and of the colour menu,
// many hide/show cycles through the notification-area icon. Prints the GDI objects (fonts
// among them) and USER objects, the number of windows and the private memory before and after
// each phase, so that a leak shows as growth. Not a test: it prints figures.
//
//   long_run [PICKS] [DIALOGS] [CYCLES] [MENUS]
#include "Footprint.h"
#include "../windows/GdiObjects.h"
#include "Clipboard.h"
#include "MainForm.h"
#include "StartUp.h"
#include <psapi.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
double Report(const char* phase) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    const long windows = footprint::ThreadWindows();
    // Wine reports no private usage; the page-file usage is the same figure there.
    SIZE_T priv = m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
    std::printf("%-28s GDI %5lu (fonts %3lu)  USER %5lu  windows %4ld  private %9.1f KiB  working set %9.1f KiB\n",
                phase, GdiObjects(), GdiObjects(OBJ_FONT), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), windows,
                static_cast<double>(priv) / 1024.0, static_cast<double>(m.WorkingSetSize) / 1024.0);
    std::fflush(stdout);
    return static_cast<double>(priv) / 1024.0;
}

// Closes each dialog and menu as soon as it shows, from a second thread, as a user pressing Esc.
void CloseDialogs(std::atomic<bool>& done) {
    while (!done) {
        for (const wchar_t* cls : {L"TfrmSaveColor", L"TfrmMyColors", L"TfrmAbout"})
            if (HWND h = FindWindowW(cls, nullptr); h && IsWindowVisible(h))
                PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        // The colour menu's recent colours are opened, so that their swatches are drawn.
        if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
            PostMessageW(menu, WM_KEYDOWN, 'R', 0);
            Sleep(30);  // time for the submenu to paint
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        Sleep(2);
    }
}
}  // namespace

int main(int argc, char** argv) {
    int picks = argc > 1 ? std::atoi(argv[1]) : 100000;
    int dialogs = argc > 2 ? std::atoi(argv[2]) : 500;
    int cycles = argc > 3 ? std::atoi(argv[3]) : 200;
    int menus = argc > 4 ? std::atoi(argv[4]) : 100;
    InitializeApplication();
    frmMain = Application.CreateForm<TfrmMain>();
    TfrmMain* f = frmMain;
    f->Show();
    Application.ProcessMessages();
    Report("after start-up");

    SendMessageW(f->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    for (int i = 0; i < picks; ++i) {
        SetCursorPos(100 + i % 200, 100 + (i / 200) % 200);
        SendMessageW(f->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
        if (i % 64 == 0) Application.ProcessMessages();
    }
    SendMessageW(f->Handle(), WM_LBUTTONUP, 0, 0);
    Application.ProcessMessages();
    std::printf("%d picks\n", picks);
    Report("after the picks");

    // The closing thread and each dialog's first openings cost memory once (the thread's stack,
    // first-use caches, a heap that grows a step): the thread and the first opening get lines of
    // their own, and the growth per opening is shown for each half of the rest. A leak grows
    // both halves alike; a cost paid once shows in the first half only.
    std::atomic<bool> done{false};
    std::thread closer(CloseDialogs, std::ref(done));
    Sleep(100);
    Report("closing thread started");
    struct TEntry { TPopupMenu* menu; TCommandId item; const char* name; };
    for (TEntry c : {TEntry{&f->mnuColor, TCommandId::SaveColor, "Save colour"},
                     TEntry{&f->mnuColor, TCommandId::MyColors, "My colours"},
                     TEntry{&f->mnuControl, TCommandId::About, "About"}}) {
        const char* item = c.name;
        c.menu->Find(c.item)->OnClick();
        Application.ProcessMessages();
        std::printf("first opening of %s\n", item);
        double first = Report("after the first opening");
        int half = (dialogs + 1) / 2;
        for (int i = 1; i < half; ++i) c.menu->Find(c.item)->OnClick();
        Application.ProcessMessages();
        double middle = Report("after half the openings");
        for (int i = half; i < dialogs; ++i) c.menu->Find(c.item)->OnClick();
        Application.ProcessMessages();
        std::printf("%d openings of %s\n", dialogs, item);
        double last = Report("after the openings");
        if (dialogs > 2)
            std::printf("private growth per opening: %.3f KiB over 2-%d, %.3f KiB over %d-%d\n",
                        (middle - first) / (half - 1), half, (last - middle) / (dialogs - half), half + 1,
                        dialogs);
    }
    // Twenty recent colours, pasted (again where the clipboard was busy); what the program does
    // before the menu shows, timed.
    for (int i = 0; i < 200 && f->Recent().List().Count() < 20; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "#%06X", 0x0C0C0C * (i % 20) + 0x0F);
        Clipboard::SetText(Application.Handle(), text);
        f->mnuColor.Find(TCommandId::Paste)->OnClick();
    }
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < 20; ++i) {
        f->mnuColor.OnPopup();
        f->mnuColor.Handle();
    }
    QueryPerformanceCounter(&t1);
    std::printf("colour menu with %zu recent colours made ready: %.2f ms an opening (mean of 20)\n",
                f->Recent().List().Count(), 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / 20 / static_cast<double>(freq.QuadPart));
    for (int i = 0; i < menus; ++i) {
        f->mnuColor.Popup(200, 200);
        Application.ProcessMessages();
        if (i == 0) Report("after the first menu");
        if (i == 9) Report("after ten menus");
    }
    std::printf("%d openings of the colour menu\n", menus);
    Report("after the menu openings");
    done = true;
    closer.join();

    // Each cycle: a left click on the icon hides the program, the next one shows it again.
    for (int i = 0; i < 2 * cycles; ++i) {
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageW(f->Handle(), WM_TRAYICON, 1, m);
        Application.ProcessMessages();
    }
    std::printf("%d hide/show cycles, shown at the end: %d\n", cycles, f->Visible() ? 1 : 0);
    Report("after hiding and showing");
    Application.DestroyForms();
    return 0;
}
