// The floor for Quillora's start-up: a program with the same windows as Quillora's main window
// and nothing else. A hidden owner window, the main window (249 x 505), the same windowed
// controls at the same places (a check box, a drop-down list, thirteen edits, six spin
// buttons, four panels, a status bar), common controls 6 and the same manifest, the 宋体 font
// on every control, and a notification icon; no logic, no settings, no images. What Quillora
// takes beyond this program is its own. With the argument "bare": one empty window, no owner,
// controls, font or icon.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

const wchar_t kClass[] = L"QuilloraFloor";
const wchar_t kChildClass[] = L"QuilloraFloorChild";
NOTIFYICONDATAW GTray{};

LRESULT CALLBACK MainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        if (GTray.cbSize) Shell_NotifyIconW(NIM_DELETE, &GTray);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

struct TChild {
    const wchar_t* Class;
    DWORD Style;
    int Left, Top, Width, Height;
    const wchar_t* Text;
};

// Quillora's windowed controls at 96 DPI; graphic controls (labels, images, buttons drawn by
// their parent) have no window and are left out.
const TChild kChildren[] = {
    {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 8, 10, 76, 17, L"置顶"},
    {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 91, 8, 103, 200, nullptr},
    {kChildClass, 0, 8, 36, 38, 38, nullptr},
    {kChildClass, 0, 50, 36, 149, 38, nullptr},
    {kChildClass, 0, 203, 36, 38, 38, nullptr},
    {kChildClass, 0, 8, 80, 233, 98, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 31, 194, 90, 22, L"255"},
    {kChildClass, 0, 104, 196, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 31, 222, 90, 22, L"255"},
    {kChildClass, 0, 104, 224, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 31, 250, 90, 22, L"255"},
    {kChildClass, 0, 104, 252, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 142, 194, 90, 22, L"0"},
    {kChildClass, 0, 215, 196, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 142, 222, 90, 22, L"0"},
    {kChildClass, 0, 215, 224, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 142, 250, 90, 22, L"240"},
    {kChildClass, 0, 215, 252, 15, 18, nullptr},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 290, 142, 21, L"255, 255, 255"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 317, 142, 21, L"16777215"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 345, 142, 21, L"FFFFFF"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 372, 142, 21, L"#FFFFFF"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 400, 142, 21, L"$00FFFFFF"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 427, 142, 21, L"&H00FFFFFF&"},
    {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, 52, 455, 142, 21, L"0xFFFFFF"},
    {STATUSCLASSNAMEW, 0, 0, 484, 249, 21, L"To pick color, please drag \"+\" icon."},
};

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR args, int) {
    const bool bare = args && lstrcmpW(args, L"bare") == 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    RECT r{0, 0, 249, 505};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&r, style, FALSE, 0);
    HWND owner = nullptr;
    if (!bare) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        wc.lpfnWndProc = &DefWindowProcW;
        wc.lpszClassName = kChildClass;
        RegisterClassExW(&wc);
        owner = CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    }
    HWND main = CreateWindowExW(0, kClass, L"Quillora", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, owner, nullptr, inst, nullptr);
    if (!bare) {
        HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
        for (const TChild& c : kChildren) {
            HWND child = CreateWindowExW(c.Class[0] == L'E' ? WS_EX_CLIENTEDGE : 0, c.Class, c.Text,
                                         WS_CHILD | WS_VISIBLE | c.Style, c.Left, c.Top, c.Width,
                                         c.Height, main, nullptr, inst, nullptr);
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        GTray.cbSize = sizeof GTray;
        GTray.hWnd = main;
        GTray.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
        GTray.uCallbackMessage = WM_APP;
        GTray.hIcon = LoadIconW(inst, L"MAINICON");
        lstrcpyW(GTray.szTip, L"Quillora");
        Shell_NotifyIconW(NIM_ADD, &GTray);
    }
    ShowWindow(main, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
