#include "Dialogs.h"
#include "SystemLibrary.h"
#include <commdlg.h>
#include <algorithm>

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

bool TFileDialog::Execute(HWND owner, bool save) {
    std::wstring filter;
    for (const auto& f : Filters) filter += f.first + L'\0' + f.second + L'\0';
    filter += L'\0';
    // Room for a long path; a name beyond it comes back as a failure, not cut.
    std::wstring name(32768, L'\0');
    FileName.copy(&name[0], std::min<size_t>(FileName.size(), name.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = &name[0];
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    using TFileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
    static const auto getSave = SystemFunction<TFileDialogFunction>(L"comdlg32.dll", "GetSaveFileNameW");
    static const auto getOpen = SystemFunction<TFileDialogFunction>(L"comdlg32.dll", "GetOpenFileNameW");
    const TFileDialogFunction run = save ? getSave : getOpen;
    if (!run || !run(&ofn)) return false;
    FileName = name.c_str();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}
