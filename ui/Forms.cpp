#include "Forms.h"
#include "StdCtrls.h"
#include <commctrl.h>

TApplication Application;

namespace {
// The visible and enabled top-level windows of the thread.
BOOL CALLBACK CollectEnabledWindow(HWND h, LPARAM lp) {
    auto* list = reinterpret_cast<std::vector<HWND>*>(lp);
    if (IsWindowVisible(h) && IsWindowEnabled(h)) list->push_back(h);
    return TRUE;
}
}  // namespace

// ---- TForm ----

TForm::TForm(const wchar_t* className, int clientWidth, int clientHeight, TBorderStyle border,
             bool minimizeBox)
    : TWinControl(nullptr), FClientWidth(clientWidth), FClientHeight(clientHeight) {
    // A pop-up: the system hides it together with its minimised owner, the application window.
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (border == TBorderStyle::Dialog) {
        style |= DS_MODALFRAME;
        exStyle |= WS_EX_DLGMODALFRAME;
    } else if (minimizeBox) {
        style |= WS_MINIMIZEBOX;
    }
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    CreateHandle(OwnWindowClass(className), L"", style, exStyle, Application.Handle(), 0, 0,
                 r.right - r.left, r.bottom - r.top);
    if (border == TBorderStyle::Dialog) {
        // A dialog frame has no icon in its caption.
        SendMessageW(FHandle, WM_SETICON, ICON_SMALL, 0);
        SendMessageW(FHandle, WM_SETICON, ICON_BIG, 0);
    }
}

TForm::~TForm() {
    while (!FComponents.empty()) FComponents.pop_back();
}

TControl* TForm::Adopt(std::unique_ptr<TControl> control) {
    FComponents.push_back(std::move(control));
    return FComponents.back().get();
}

void TForm::SetDefaultButton(TButton* button) {
    DefaultButton = button;
    SendMessageW(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void TForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate();
    } catch (const std::exception& e) {
        Application.HandleException(e);
    } catch (...) {
        Application.HandleException(std::string("未知错误"));
    }
}

void TForm::SetIcon(HICON icon, HICON small) {
    FIcon = icon;
    FSmallIcon = small;
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon()));
}

void TForm::CenterOnScreen() {
    RECT wr;
    GetWindowRect(FHandle, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(FHandle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
    if (!FShownOnce) {
        FShownOnce = true;
        CenterOnScreen();
    }
    if (OnShow) OnShow();
    // The application window carries the taskbar button: it is shown with the main form.
    if (this == Application.MainForm() && !IsWindowVisible(Application.Handle()))
        ShowWindow(Application.Handle(), SW_SHOWNORMAL);
    FVisible = true;
    ShowWindow(FHandle, SW_SHOW);
    SetForegroundWindow(FHandle);
    // The control first in the tab order has the focus when the form opens.
    if (!IsChild(FHandle, GetFocus()))
        if (HWND first = GetNextDlgTabItem(FHandle, nullptr, FALSE)) ::SetFocus(first);
}

void TForm::Hide() {
    FVisible = false;
    ShowWindow(FHandle, SW_HIDE);
}

void TForm::Close() {
    if (FModal) {
        ModalResult = mrCancel;
        return;
    }
    TCloseAction action = TCloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == TCloseAction::None) return;
    if (this == Application.MainForm()) Application.Terminate();
    else Hide();
}

int TForm::ShowModal() {
    // Every other window of the program is disabled while the dialog runs.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND h : disabled) EnableWindow(h, FALSE);
    FModal = true;
    ModalResult = mrNone;
    Show();
    while (!Application.Terminated()) {
        if (!Application.HandleMessage(true)) {
            PostQuitMessage(0);  // let the outer loop see it too
            break;
        }
        if (ModalResult != mrNone) {
            TCloseAction action = TCloseAction::Hide;
            if (OnClose) OnClose(action);
            if (action != TCloseAction::None) break;
            ModalResult = mrNone;
        }
    }
    // Enable the owners before hiding, so that activation goes back to them.
    for (HWND h : disabled) EnableWindow(h, TRUE);
    Hide();
    FModal = false;
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return ModalResult;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        // Minimising the main form minimises the application window, its owner; the form
        // disappears with it.
        if ((wp & 0xFFF0) == SC_MINIMIZE && this == Application.MainForm()) {
            Application.Minimize();
            return 0;
        }
        break;
    case DM_GETDEFID:
        if (DefaultButton && DefaultButton->Handle())
            return MAKELONG(GetDlgCtrlID(DefaultButton->Handle()), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        if (lp == 0 || !FromHandle(reinterpret_cast<HWND>(lp))) {
            // Enter and Esc, as the dialog manager reports them.
            TButton* b = LOWORD(wp) == IDCANCEL ? CancelButton
                         : LOWORD(wp) == IDOK   ? DefaultButton
                                                : nullptr;
            if (b && b->Enabled()) b->Click();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(FHandle, f)) FLastFocus = f;
        } else if (FLastFocus && IsWindow(FLastFocus) && IsChild(FHandle, FLastFocus)) {
            ::SetFocus(FLastFocus);
            return 0;
        }
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TApplication ----

TApplication::~TApplication() { DestroyForms(); }

void TApplication::Initialize() {
    if (FHandle) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE inst = GetModuleHandleW(nullptr);
    FIcon = LoadIconW(inst, L"MAINICON");
    FSmallIcon = static_cast<HICON>(LoadImageW(inst, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &AppProc;
    wc.hInstance = inst;
    wc.hIcon = FIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"QuilloraApplication";
    RegisterClassExW(&wc);
    // Zero-sized at the screen's centre: it is never seen, only its taskbar button is.
    FHandle = CreateWindowExW(0, wc.lpszClassName, L"",
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, inst, nullptr);
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FSmallIcon));
}

std::wstring TApplication::Title() const {
    wchar_t buf[512];
    int n = GetWindowTextW(FHandle, buf, 512);
    return std::wstring(buf, static_cast<size_t>(n));
}

void TApplication::SetTitle(const std::wstring& title) { SetWindowTextW(FHandle, title.c_str()); }

void TApplication::DestroyForms() {
    while (!FForms.empty()) FForms.pop_back();
    FMainForm = nullptr;
    FTerminated = false;
    FCursor = 0;
    FCursors.clear();
}

LRESULT CALLBACK TApplication::AppProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        // The program sends this with both parameters 0 after each change of the extended
        // style; there is no creation data to hand on then.
        if (lp == 0) return TRUE;
        break;
    case WM_SYSCOMMAND:
        switch (wp & 0xFFF0) {
        case SC_MINIMIZE: Application.Minimize(); return 0;
        case SC_RESTORE: Application.Restore(); return 0;
        case SC_CLOSE:
            if (Application.FMainForm) Application.FMainForm->Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (Application.FMainForm) Application.FMainForm->Close();
        return 0;
    case WM_SETFOCUS:
        // The taskbar button activates this window; hand the focus on to the form in use.
        if (HWND last = GetLastActivePopup(h); last != h && IsWindowEnabled(last)) {
            SetActiveWindow(last);
            return 0;
        }
        break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

void TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    while (!FTerminated && HandleMessage(true)) {
    }
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

bool TApplication::HandleMessage(bool wait) {
    MSG msg;
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            FTerminated = true;
            return false;
        }
    } else {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            return false;
        }
    }
    if (!IsKeyMessageForForm(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool TApplication::IsKeyMessageForForm(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!dynamic_cast<TForm*>(TWinControl::FromHandle(root))) return false;
    // Tab, Enter and Esc work in every form as they do in a dialog box.
    return IsDialogMessageW(root, &msg) != FALSE;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the loop that owns it.
            break;
        }
        HandleMessage(false);
    }
}

// The forms go with their minimised owner and come back with it. Windows does that by
// itself; Wine does not, so the program hides and shows them (a second hiding changes
// nothing). A form hidden this way still counts as visible.
void TApplication::Minimize() {
    ShowWindow(FHandle, SW_MINIMIZE);
    std::vector<HWND> owned;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&owned));
    for (HWND h : owned)
        if (GetWindow(h, GW_OWNER) == FHandle && dynamic_cast<TForm*>(TWinControl::FromHandle(h))) {
            FHiddenWithOwner.push_back(h);
            ShowWindow(h, SW_HIDE);
        }
}

void TApplication::Restore() {
    if (!IsIconic(FHandle)) return;
    ShowWindow(FHandle, SW_RESTORE);
    for (HWND h : std::exchange(FHiddenWithOwner, {}))
        if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(h)); form && form->Visible())
            ShowWindow(h, SW_SHOWNA);
}

void TApplication::SetCursorImage(int index, HCURSOR cursor) { FCursors[index] = cursor; }

HCURSOR TApplication::CursorImage(int index) const {
    if (index == crHandPoint) return LoadCursorW(nullptr, IDC_HAND);
    auto it = FCursors.find(index);
    return it == FCursors.end() ? nullptr : it->second;
}

void TApplication::SetCursor(int index) {
    FCursor = index;
    HCURSOR c = index ? CursorImage(index) : nullptr;
    ::SetCursor(c ? c : LoadCursorW(nullptr, IDC_ARROW));
}

void TApplication::HandleException(const std::exception& e) { HandleException(std::string(e.what())); }

void TApplication::HandleException(const std::string& message) {
    if (OnException) {
        OnException(message);
        return;
    }
    MessageBoxW(GetActiveWindow(), Utf8ToWide(message).c_str(), Title().c_str(),
                MB_OK | MB_ICONERROR);
}
