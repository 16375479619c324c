#include "Dialogs.h"
#include "SystemLibrary.h"
#include <commdlg.h>

namespace {
HWND GActiveBeforeDialog = nullptr;

UINT_PTR CALLBACK CenterHook(HWND dlg, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) {
        HMONITOR mon = MonitorFromWindow(GActiveBeforeDialog ? GActiveBeforeDialog : dlg,
                                         MONITOR_DEFAULTTOPRIMARY);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(mon, &mi);
        RECT r;
        GetWindowRect(dlg, &r);
        const RECT& w = mi.rcWork;
        int x = w.left + ((w.right - w.left) - (r.right - r.left)) / 2;
        int y = w.top + ((w.bottom - w.top) - (r.bottom - r.top)) / 3;
        SetWindowPos(dlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}
}  // namespace

bool TColorDialog::Execute(HWND owner) {
    GActiveBeforeDialog = GetActiveWindow();
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = Color;
    std::array<COLORREF, 16> custom = CustomColors;
    cc.lpCustColors = custom.data();
    cc.Flags = Flags;
    cc.lpfnHook = &CenterHook;
    // comdlg32 (and the printing libraries it brings) loads when the dialog is first opened.
    using TChooseColor = BOOL(WINAPI*)(LPCHOOSECOLORW);
    static const auto chooseColor = SystemFunction<TChooseColor>(L"comdlg32.dll", "ChooseColorW");
    bool ok = chooseColor && chooseColor(&cc) != FALSE;
    if (ok) {
        Color = cc.rgbResult;
        CustomColors = custom;
    }
    return ok;
}
