#include "Forms.h"
#include "LabelNames.h"
#include "Menus.h"
#include "StdCtrls.h"
#include <commctrl.h>
#include <algorithm>

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
    : TWinControl(nullptr, 0, 0, clientWidth, clientHeight),
      FClassName(className),
      // A pop-up: the system hides it together with its minimised owner, the application window.
      FStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN),
      FExStyle(WS_EX_CONTROLPARENT),
      FDialogFrame(border == TBorderStyle::Dialog),
      FDesignClientWidth(clientWidth),
      FDesignClientHeight(clientHeight),
      FClientWidth(clientWidth),
      FClientHeight(clientHeight) {
    FVisible = false;
    if (FDialogFrame) {
        FStyle |= DS_MODALFRAME;
        FExStyle |= WS_EX_DLGMODALFRAME;
    } else if (minimizeBox) {
        FStyle |= WS_MINIMIZEBOX;
    }
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, FStyle, FALSE, FExStyle);
    FBounds = {0, 0, r.right - r.left, r.bottom - r.top};
    FDesign = FBounds;
}

// The controls go, last first. Their windows are gone by now where the form was freed as it
// should be (TFormPtr); otherwise each takes its own, detached first.
TForm::~TForm() {
    while (!FComponents.empty()) FComponents.pop_back();
}

TCreateParams TForm::CreateParams() const {
    return {OwnWindowClass(FClassName), FStyle, FExStyle};
}

void TForm::HandleCreated() {
    // A dialog frame has no icon in its caption.
    if (FDialogFrame || FIcon) ApplyIcons();
    const int dpi = Dpi::OfWindow(FHandle);
    if (dpi != FDpi) ChangeDpi(dpi);
}

void TForm::ChildrenCreated() { NameControlsAfterLabels(*this); }

// The form stays where it is; its frame is what the DPI draws around the scaled client area.
RECT TForm::BoundsAtDpi(int dpi) const {
    const RECT frame = Dpi::WindowRectForClient(ScaleToDpi(FDesignClientWidth, dpi),
                                                ScaleToDpi(FDesignClientHeight, dpi), FStyle, FExStyle, dpi);
    return {FBounds.left, FBounds.top, FBounds.left + frame.right - frame.left,
            FBounds.top + frame.bottom - frame.top};
}

void TForm::ChangeDpi(int dpi) {
    FClientWidth = ScaleToDpi(FDesignClientWidth, dpi);
    FClientHeight = ScaleToDpi(FDesignClientHeight, dpi);
    TWinControl::ChangeDpi(dpi);
}

TControl* TForm::Adopt(std::unique_ptr<TControl> control) {
    FComponents.push_back(std::move(control));
    return FComponents.back().get();
}

void TForm::SetDefaultButton(TButton* button) {
    DefaultButton = button;
    button->SetDefault(true);
}

void TForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate();
    } catch (const std::exception& e) {
        Runtime::ReportException(e);
    } catch (...) {
        Runtime::ReportException(Runtime::Product().UnknownError);
    }
}

void TForm::SetIcon(TBorrowed<HICON> icon, TBorrowed<HICON> small) {
    FIcon = icon;
    FSmallIcon = small;
    if (FHandle) ApplyIcons();
}

void TForm::ApplyIcons() {
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon()));
}

// The main form opens in the middle of the primary monitor; every other form in the middle of
// the monitor that holds the main form, so a dialog comes up where the user is working.
void TForm::CenterOnScreen() {
    RECT wr;
    GetWindowRect(FHandle, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TForm* main = Application.MainForm();
    if (main && main != this && main->Handle()) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTOPRIMARY), &mi))
            area = mi.rcMonitor;
    }
    int x = area.left + (area.right - area.left - w) / 2;
    int y = area.top + (area.bottom - area.top - h) / 2;
    // A window larger than the monitor (a high scale on a small screen) keeps its caption on
    // it, where the user can take it.
    x = std::max(x, static_cast<int>(area.left));
    y = std::max(y, static_cast<int>(area.top));
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
    case WM_DPICHANGED: {
        // The system suggests where the window goes at the new DPI: it is taken as it is.
        ChangeDpi(LOWORD(wp));
        const RECT* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(FHandle, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FBounds = *r;
        DpiChanged();
        return 0;
    }
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

void TApplication::Initialize(const TProductInfo& product) {
    if (FHandle) return;
    Runtime::SetProduct(product);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE inst = GetModuleHandleW(nullptr);
    const wchar_t* icon = product.IconName.empty() ? nullptr : product.IconName.c_str();
    FIcon = icon ? LoadIconW(inst, icon) : nullptr;
    FSmallIcon = icon ? static_cast<HICON>(LoadImageW(inst, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED))
                      : nullptr;
    const std::wstring className = product.Name + L"Application";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &AppProc;
    wc.hInstance = inst;
    wc.hIcon = FIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    RegisterClassExW(&wc);
    // Zero-sized at the screen's centre: it is never seen, only its taskbar button is.
    FHandle = CreateWindowExW(0, wc.lpszClassName, L"",
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, inst, nullptr);
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FSmallIcon));
    Runtime::SetOwnerWindow(FHandle);
}

std::wstring TApplication::Title() const {
    wchar_t buf[512];
    int n = GetWindowTextW(FHandle, buf, 512);
    return std::wstring(buf, static_cast<size_t>(n));
}

void TApplication::SetTitle(const std::wstring& title) { SetWindowTextW(FHandle, title.c_str()); }

void TApplication::DestroyForms() {
    while (!FForms.empty()) FForms.pop_back();
    OnMessage = nullptr;
    FMainForm = nullptr;
    FTerminated = false;
    Runtime::ClearCursors();
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
    // The open menu's images: popup menus are shown for this window.
    case WM_MEASUREITEM:
        if (TPopupMenu::MeasureImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (TPopupMenu::DrawImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case Runtime::WM_SHOWREPORTS:
        Runtime::ShowWaitingReports();
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
    Runtime::ShowWaitingReports();  // a report made on the way out is shown all the same
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
    if (!IsMessageHandled(msg) && !IsKeyMessageForForm(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool TApplication::IsMessageHandled(const MSG& msg) {
    if (!OnMessage) return false;
    Runtime::TProcedureScope scope;
    try {
        return OnMessage(msg);
    } catch (const std::exception& e) {
        Runtime::ReportException(e);
    } catch (...) {
        Runtime::ReportException(Runtime::Product().UnknownError);
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
