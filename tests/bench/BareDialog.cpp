// The system calls of one opening of the Save colour dialog, made by a bare Win32 program with
// none of the program's code: a hidden owner window and a visible main window, then per
// opening a captioned pop-up owned by the hidden window, three edits, a panel of its own class
// and two buttons, each with a window property, a subclassed procedure and its own font; the
// labels' text measured; the texts set; the other windows disabled; shown, brought to the
// front, a modal loop with IsDialogMessage until Esc; hidden and destroyed. Words on the
// command line leave calls out, to find which of them makes the process grow.
// Not a test: it prints figures.
//
//   bare_dialog COUNT1 COUNT2 [WORD...]
//     nochildren noedits nobuttons nopanel nolabels nofonts noprops nosubclass
//     noenable noforeground nopaint notexts noshow
//     toplevel   only the top-level window made and destroyed (nochildren nolabels nofonts noshow)
//     reuse      one window made once, then only the modal loop
//     thread     closed from a second thread, as long_run does
#include "Footprint.h"
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct TOptions {
    bool children = true, edits = true, buttons = true, panel = true, labels = true, fonts = true,
         props = true, subclass = true, enable = true, foreground = true, paint = true,
         texts = true, show = true, reuse = false, thread = false;
};
TOptions O;

const wchar_t kProp[] = L"Bare.Control";
const wchar_t kDialogClass[] = L"BareSaveColor";
const wchar_t kWindowClass[] = L"BareWindow";
HWND GApp = nullptr;
bool GDone = false;

struct TChild {
    HWND Handle = nullptr;
    WNDPROC OldProc = nullptr;
    HFONT Font = nullptr;
};

HFONT MakeFont() {
    return CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

// Our own class: painted through an off-screen bitmap, as the program's forms and panels are.
LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (O.paint) {
            RECT rc;
            GetClientRect(h, &rc);
            HDC mem = CreateCompatibleDC(dc);
            HBITMAP bmp = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
            HGDIOBJ old = SelectObject(mem, bmp);
            HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
            FillRect(mem, &rc, face);
            DeleteObject(face);
            if (O.labels) {
                HFONT f = O.fonts ? MakeFont() : nullptr;
                HGDIOBJ oldFont = f ? SelectObject(mem, f) : nullptr;
                SetBkMode(mem, TRANSPARENT);
                RECT r{8, 12, 60, 25};
                DrawTextW(mem, L"时间:", -1, &r, DT_SINGLELINE | DT_NOCLIP);
                if (f) {
                    SelectObject(mem, oldFont);
                    DeleteObject(f);
                }
            }
            BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteObject(bmp);
            DeleteDC(mem);
        }
        EndPaint(h, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL) GDone = true;
        return 0;
    case WM_CLOSE:
        GDone = true;
        return 0;
    case WM_NCDESTROY:
        if (O.props) RemovePropW(h, kProp);
        break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

// The procedure put in front of a standard control's own.
LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* c = reinterpret_cast<TChild*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    WNDPROC old = c->OldProc;
    if (msg == WM_NCDESTROY) {
        if (O.props) RemovePropW(h, kProp);
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    return CallWindowProcW(old, h, msg, wp, lp);
}

BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
    if (IsWindowVisible(h) && IsWindowEnabled(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

void MeasureLabel(const wchar_t* text) {
    HDC dc = GetDC(nullptr);
    HFONT f = O.fonts ? MakeFont() : nullptr;
    HGDIOBJ old = f ? SelectObject(dc, f) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    if (f) {
        SelectObject(dc, old);
        DeleteObject(f);
    }
    ReleaseDC(nullptr, dc);
}

struct TDialog {
    HWND Form = nullptr;
    HFONT FormFont = nullptr;
    std::vector<TChild*> Children;

    void Create() {
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
        DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
        RECT r{0, 0, 311, 151};
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
        Form = CreateWindowExW(exStyle, kDialogClass, L"", style, 0, 0, r.right - r.left,
                               r.bottom - r.top, GApp, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (O.props) SetPropW(Form, kProp, this);
        SendMessageW(Form, WM_SETICON, ICON_SMALL, 0);
        SendMessageW(Form, WM_SETICON, ICON_BIG, 0);
        if (O.fonts) {
            FormFont = MakeFont();
            SendMessageW(Form, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont), FALSE);
        }
        SetWindowTextW(Form, L"保存颜色");
        static INT_PTR nextId = 100;
        auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD st, DWORD ex, int x, int y, int w, int hgt) {
            auto* c = new TChild;
            c->Handle = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | st, x, y, w, hgt, Form,
                                        reinterpret_cast<HMENU>(nextId++), GetModuleHandleW(nullptr), nullptr);
            if (O.props) SetPropW(c->Handle, kProp, c);
            SetWindowLongPtrW(c->Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));
            if (O.subclass && cls != kWindowClass)
                c->OldProc = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrW(c->Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
            if (O.fonts) {
                c->Font = MakeFont();
                SendMessageW(c->Handle, WM_SETFONT, reinterpret_cast<WPARAM>(c->Font), FALSE);
            }
            Children.push_back(c);
            return c->Handle;
        };
        const wchar_t* labels[] = {L"时间:", L"颜色:", L"值:", L"备注:"};
        if (O.labels)
            for (const wchar_t* l : labels) MeasureLabel(l);
        if (!O.children) return;
        HWND time = nullptr, value = nullptr, comment = nullptr, ok = nullptr, cancel = nullptr;
        DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
        if (O.edits) time = add(L"EDIT", L"", edit, WS_EX_CLIENTEDGE, 62, 8, 240, 21);
        if (O.panel) add(kWindowClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 62, 37, 240, 21);
        if (O.edits) value = add(L"EDIT", L"", edit, WS_EX_CLIENTEDGE, 62, 64, 240, 21);
        if (O.edits) comment = add(L"EDIT", L"", edit, WS_EX_CLIENTEDGE, 62, 93, 240, 21);
        if (O.buttons) ok = add(L"BUTTON", L"确定(&O)", WS_TABSTOP | BS_PUSHBUTTON, 0, 149, 121, 74, 23);
        if (O.buttons) cancel = add(L"BUTTON", L"取消(&C)", WS_TABSTOP | BS_PUSHBUTTON, 0, 228, 121, 74, 23);
        // The tab order: comment, OK, Cancel, time, value.
        HWND after = HWND_TOP;
        for (HWND w : {comment, ok, cancel, time, value})
            if (w) {
                SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                after = w;
            }
        for (HWND e : {time, value})
            if (e) SendMessageW(e, EM_SETREADONLY, TRUE, 0);
        if (comment) SendMessageW(comment, EM_LIMITTEXT, 256, 0);
        if (ok) SendMessageW(ok, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        if (O.texts) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            wchar_t text[64];
            swprintf(text, 64, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
                     now.wHour, now.wMinute, now.wSecond);
            if (time) SetWindowTextW(time, text);
            if (value) SetWindowTextW(value, L"#1E90FF");
        }
    }

    void ShowModal() {
        std::vector<HWND> disabled;
        if (O.enable) {
            EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
            for (HWND h : disabled) EnableWindow(h, FALSE);
        }
        RECT wr;
        GetWindowRect(Form, &wr);
        SetWindowPos(Form, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (wr.right - wr.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (wr.bottom - wr.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Form, SW_SHOW);
        if (O.foreground) SetForegroundWindow(Form);
        if (!IsChild(Form, GetFocus()))
            if (HWND first = GetNextDlgTabItem(Form, nullptr, FALSE)) SetFocus(first);
        GDone = false;
        MSG msg;
        while (!GDone && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && IsDialogMessageW(Form, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        for (HWND h : disabled) EnableWindow(h, TRUE);
        ShowWindow(Form, SW_HIDE);
    }

    void Destroy() {
        for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
            DestroyWindow((*it)->Handle);
            if ((*it)->Font) DeleteObject((*it)->Font);
            delete *it;
        }
        Children.clear();
        DestroyWindow(Form);
        if (FormFont) DeleteObject(FormFont);
        FormFont = nullptr;
    }
};

// Without showing there is nothing to close: the window is made and destroyed.
void OpenOnce() {
    TDialog d;
    d.Create();
    if (O.show) d.ShowModal();
    d.Destroy();
}
}  // namespace

int main(int argc, char** argv) {
    int n1 = argc > 1 ? std::atoi(argv[1]) : 500;
    int n2 = argc > 2 ? std::atoi(argv[2]) : 2000;
    std::string label = "bare";
    struct TWord { const char* Text; bool* Flag; bool Value; };
    const TWord words[] = {
        {"nochildren", &O.children, false}, {"noedits", &O.edits, false}, {"nobuttons", &O.buttons, false},
        {"nopanel", &O.panel, false}, {"nolabels", &O.labels, false}, {"nofonts", &O.fonts, false},
        {"noprops", &O.props, false}, {"nosubclass", &O.subclass, false}, {"noenable", &O.enable, false},
        {"noforeground", &O.foreground, false}, {"nopaint", &O.paint, false}, {"notexts", &O.texts, false},
        {"noshow", &O.show, false}, {"reuse", &O.reuse, true}, {"thread", &O.thread, true}};
    for (int i = 3; i < argc; ++i) {
        bool known = std::strcmp(argv[i], "toplevel") == 0;
        if (known) O.children = O.labels = O.fonts = O.show = false;
        for (const TWord& w : words)
            if (std::strcmp(argv[i], w.Text) == 0) {
                *w.Flag = w.Value;
                known = true;
            }
        if (!known) {
            std::fprintf(stderr, "bare_dialog: unknown word %s\n", argv[i]);
            return 2;
        }
        label += std::string(" ") + argv[i];
    }

    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    for (const wchar_t* name : {kDialogClass, kWindowClass, L"BareApplication", L"BareMain"}) {
        wc.lpszClassName = name;
        RegisterClassExW(&wc);
    }
    // The hidden owner of every window, and a visible main window that the dialog disables.
    GApp = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareApplication", L"Bare",
                           WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                           640, 512, 0, 0, nullptr, nullptr, inst, nullptr);
    ShowWindow(GApp, SW_SHOWNORMAL);
    HWND main = CreateWindowExW(WS_EX_CONTROLPARENT, L"BareMain", L"Bare main",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX,
                                100, 100, 255, 530, GApp, nullptr, inst, nullptr);
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

    footprint::Header();
    footprint::Start(kDialogClass, O.thread);
    if (O.reuse) {
        TDialog d;
        d.Create();
        footprint::Run(label.c_str(), [&] { d.ShowModal(); }, {n1, n2});
        d.Destroy();
    } else {
        footprint::Run(label.c_str(), &OpenOnce, {n1, n2});
    }
    footprint::Stop();
    DestroyWindow(main);
    DestroyWindow(GApp);
    return 0;
}
