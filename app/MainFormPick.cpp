// Picking from the screen, by dragging a "+" icon or from the keyboard (the hot key), and the
// magnifier around the cursor.
#include "MainForm.h"
#include "Magnifier.h"
#include "Sampling.h"
#include "Settings.h"
#include <algorithm>

namespace {
// The mouse hook of a keyboard pick and the form it serves. A low-level hook sees the clicks
// on every program's windows, so the click that ends a pick reaches no other program.
HHOOK MouseHook = nullptr;
TfrmMain* HookForm = nullptr;
int ButtonsHeld = 0;  // presses the hook has taken whose releases have not come yet

LRESULT CALLBACK PickMouseProc(int code, WPARAM wp, LPARAM lp) {
    if (code != HC_ACTION || !HookForm) return CallNextHookEx(nullptr, code, wp, lp);
    HWND form = HookForm->Handle();
    switch (wp) {
    case WM_MOUSEMOVE:
        PostMessageW(form, WM_PICKMOVE, 0, 0);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ++ButtonsHeld;
        PostMessageW(form, WM_PICKCLICK, wp == WM_LBUTTONDOWN, 0);
        return 1;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (ButtonsHeld > 0 && --ButtonsHeld == 0) PostMessageW(form, WM_PICKUNHOOK, 0, 0);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Where the cursor is polled during a keyboard pick: under other programs' windows no mouse
// message comes to this program, and some systems call no low-level hook for them either.
constexpr UINT_PTR kPickTimer = 1;
constexpr UINT kPickTimerMs = 10;
}  // namespace

void TfrmMain::imgDragMouseDown(TImage* pressed, TMouseButton button) {
    if (button != TMouseButton::Left || Picking()) return;
    // From here every mouse message, wherever the cursor is, comes to the main window.
    SetCapture(Handle());
    Application.SetCursor(1);
    FPick = TPickMode::Drag;
    pressed->SetVisible(false);
}

void TfrmMain::FormMouseMove() {
    if (!Picking()) return;
    POINT p;
    GetCursorPos(&p);
    PickAt(p);
}

// One pick per mouse move; it allocates nothing, so it keeps up with the fastest mouse. A
// single pixel is read from the screen; a larger sample is averaged from the capture.
void TfrmMain::PickAt(POINT p) {
    if (!FCapture) return;
    FLastPick = p;
    TScreenDC dc;
    UpdateStatus(true, p);
    if (FSampleSide == 1) {
        ShowColor(GetPixel(dc.Get(), p.x, p.y));
        CaptureScreen(dc.Get(), p);
    } else {
        CaptureScreen(dc.Get(), p);
        ShowColor(CaptureMean(p.x, p.y));
    }
}

void TfrmMain::FormMouseUp(TMouseButton button) {
    if (button != TMouseButton::Left || !Dragging()) return;
    ReleaseCapture();
    EndDrag();
    CopyOnPick();
}

// The end of a drag, also when the capture is lost to another window or the program is
// deactivated: the "+" cursor goes, both icons come back, and no further move picks.
void TfrmMain::EndDrag() {
    Application.SetCursor(0);
    FPick = TPickMode::None;
    imgDrag->SetVisible(true);
    imgDrag2->SetVisible(true);
    UpdateStatus(false);
}

// One physical pixel per arrow key, ten with Shift, kept on the screen.
void TfrmMain::StepCursor(int dx, int dy) {
    if (GetKeyState(VK_SHIFT) < 0) {
        dx *= 10;
        dy *= 10;
    }
    POINT p;
    GetCursorPos(&p);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    p.x = std::clamp<LONG>(p.x + dx, left, left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    p.y = std::clamp<LONG>(p.y + dy, top, top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    SetCursorPos(p.x, p.y);
    PickAt(p);
}

void TfrmMain::StartKeyPick() {
    // Not over a pick already on, nor while a dialog or a menu holds the program.
    if (Picking() || !FCapture || !IsWindowEnabled(Handle()) || TPopupMenu::ActiveMenu()) return;
    if (!Visible() || IsIconic(Application.Handle())) ShowMainWindow(true);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
    FBeforePick = ShownColor();
    FPick = TPickMode::Keys;
    Application.SetCursor(1);
    if (!MouseHook) {
        MouseHook = SetWindowsHookExW(WH_MOUSE_LL, &PickMouseProc, GetModuleHandleW(nullptr), 0);
        ButtonsHeld = 0;
    }
    HookForm = this;
    SetTimer(Handle(), kPickTimer, kPickTimerMs, nullptr);
    POINT p;
    GetCursorPos(&p);
    PickAt(p);
}

void TfrmMain::EndKeyPick(bool take) {
    if (FPick != TPickMode::Keys) return;
    if (take) {
        POINT p;
        GetCursorPos(&p);
        PickAt(p);
    }
    FPick = TPickMode::None;
    KillTimer(Handle(), kPickTimer);
    Application.SetCursor(0);
    // The release of the click that ended the pick is still the hook's to take.
    if (ButtonsHeld == 0) ReleaseMouseHook();
    if (!take) {
        ShowAgain(FBeforePick);
        return;
    }
    UpdateStatus(false);
    CopyOnPick();
}

void TfrmMain::ReleaseMouseHook() {
    if (MouseHook && FPick != TPickMode::Keys) {
        UnhookWindowsHookEx(MouseHook);
        MouseHook = nullptr;
    }
    if (!MouseHook) HookForm = nullptr;
}

// The keys of a pick, and Ctrl+1..Ctrl+7 in the main window, before any control sees them.
bool TfrmMain::PickKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    const WPARAM key = msg.wParam;
    if (Picking()) {
        switch (key) {
        case VK_LEFT: StepCursor(-1, 0); return true;
        case VK_RIGHT: StepCursor(1, 0); return true;
        case VK_UP: StepCursor(0, -1); return true;
        case VK_DOWN: StepCursor(0, 1); return true;
        }
        if (FPick == TPickMode::Keys && (key == VK_RETURN || key == VK_ESCAPE)) {
            EndKeyPick(key == VK_RETURN);
            return true;
        }
    }
    const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (ctrlOnly && key >= '1' && key < '1' + kNotations && GetAncestor(msg.hwnd, GA_ROOT) == Handle()) {
        CopyNotation(static_cast<int>(key - '0'));
        return true;
    }
    return false;
}

// The hot key, the timer and the hook's messages; the focus leaving the program cancels a
// keyboard pick, so that the hook never outlives the user's attention.
void TfrmMain::PickWndProc(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_HOTKEY:
        if (wp == kPickHotKeyId) StartKeyPick();
        break;
    case WM_TIMER:
    case WM_PICKMOVE:
        if (FPick == TPickMode::Keys && (msg == WM_PICKMOVE || wp == kPickTimer)) {
            POINT p;
            GetCursorPos(&p);
            if (p.x != FLastPick.x || p.y != FLastPick.y) PickAt(p);
        }
        break;
    case WM_PICKCLICK:
        EndKeyPick(wp != 0);
        break;
    case WM_PICKUNHOOK:
        ReleaseMouseHook();
        break;
    case WM_ACTIVATEAPP:
        if (!wp) EndKeyPick(false);
        break;
    case WM_DESTROY:
        EndKeyPick(false);
        ButtonsHeld = 0;
        ReleaseMouseHook();
        if (FHotKeyRegistered) UnregisterHotKey(Handle(), kPickHotKeyId);
        FHotKeyRegistered = false;
        break;
    }
}

// Registered once, at start-up; a key another program holds is reported in the status bar
// and everything else works.
void TfrmMain::RegisterPickHotKey() {
    FHotKeyRegistered = FHotKey.Key != 0 &&
                        RegisterHotKey(Handle(), kPickHotKeyId, FHotKey.Modifiers | MOD_NOREPEAT, FHotKey.Key);
}

void TfrmMain::CopyOnPick() {
    if (FAutoCopy >= 1 && FAutoCopy <= kNotations) CopyNotation(FAutoCopy);
}

TfrmMain::TShownColor TfrmMain::ShownColor() const {
    TShownColor shown;
    shown.Color = CurrentColor();
    const auto editors = Editors();
    for (size_t i = 0; i < shown.Editors.size(); ++i) shown.Editors[i] = editors[i]->Value();
    for (int tag = 1; tag <= kNotations; ++tag)
        shown.Notations[static_cast<size_t>(tag)] = FNotationEdits[static_cast<size_t>(tag)]->Text();
    shown.Status = StatusBar1->PanelText();
    return shown;
}

void TfrmMain::ShowAgain(const TShownColor& shown) {
    SetCurrentColor(shown.Color);
    {
        TGuard rgb(FUpdatingRGB), hsl(FUpdatingHSL);
        const auto editors = Editors();
        for (size_t i = 0; i < shown.Editors.size(); ++i) editors[i]->SetValue(shown.Editors[i]);
    }
    for (int tag = 1; tag <= kNotations; ++tag)
        FNotationEdits[static_cast<size_t>(tag)]->SetText(shown.Notations[static_cast<size_t>(tag)]);
    StatusBar1->SetPanelText(shown.Status);
}

void TfrmMain::UpdateStatus(bool picking, POINT p) {
    if (!picking) {
        StatusBar1->SetPanelText(kHint);
        return;
    }
    wchar_t text[40];
    swprintf(text, 40, L"X:%ld Y:%ld", p.x, p.y);
    StatusBar1->SetPanelText(text);
}

// ---- Magnifier ----

namespace {
struct TMonitorList {
    RECT* Rects;
    int Capacity, Count;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT monitor, LPARAM lp) {
    auto& list = *reinterpret_cast<TMonitorList*>(lp);
    if (list.Count < list.Capacity) list.Rects[list.Count++] = *monitor;
    return TRUE;
}
}  // namespace

// Read at the first pick and again after each change of the displays (WM_DISPLAYCHANGE), so
// a pick itself asks the system nothing. Beyond the 16th monitor the magnifier stays black.
void TfrmMain::ReadMonitors() {
    TMonitorList list{FMonitors.data(), static_cast<int>(FMonitors.size()), 0};
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    FMonitorCount = list.Count;
}

bool TfrmMain::OnMonitor(int x, int y) const {
    const POINT p{x, y};
    for (int i = 0; i < FMonitorCount; ++i)
        if (PtInRect(&FMonitors[static_cast<size_t>(i)], p)) return true;
    return false;
}

// The sampled square around a screen point, read from the capture; pixels outside the capture
// or on no monitor are left out.
TColor TfrmMain::CaptureMean(int x, int y) const {
    const int w = FCapture->Width(), h = FCapture->Height();
    return MeanColor(x, y, FSampleSide, [&](int px, int py, TColor& color) {
        const int cx = px - FCaptureOrigin.x, cy = py - FCaptureOrigin.y;
        if (cx < 0 || cy < 0 || cx >= w || cy >= h || !OnMonitor(px, py)) return false;
        color = GetPixel(FCapture->DC(), cx, cy);
        return true;
    });
}

// The capture's pixel (x, y) is the screen's (P.X - 115 + x, P.Y - 48 + y); wherever no
// monitor is (beyond the outer edges, and in the gaps between monitors of different sizes) it
// stays black. Each monitor gives only its own part: Wine copies nothing at all from a
// rectangle that reaches beyond the screen's top left corner while another program's window
// is there.
void TfrmMain::CaptureScreen(HDC dc, POINT p) {
    TCanvas& canvas = FCapture->Canvas();
    int w = FCapture->Width(), h = FCapture->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    if (FMonitorCount < 0) ReadMonitors();
    FCaptureOrigin = {p.x - w / 2, p.y - h / 2};
    RECT source{FCaptureOrigin.x, FCaptureOrigin.y, FCaptureOrigin.x + w, FCaptureOrigin.y + h};
    for (int i = 0; i < FMonitorCount; ++i) {
        RECT visible;
        if (!IntersectRect(&visible, &source, &FMonitors[static_cast<size_t>(i)])) continue;
        int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
        StretchBlt(FCapture->DC(), visible.left - source.left, visible.top - source.top, vw, vh, dc,
                   visible.left, visible.top, vw, vh, SRCCOPY);
    }
    DrawZoom();
}

namespace {
// The magnifier pixel that shows capture pixel C, along one axis: the source S..S+N stretched
// over 0..D.
constexpr int ToZoom(int c, int s, int n, int d) { return (c - s) * d / n; }
constexpr int FromZoom(int z, int s, int n, int d) { return s + (2 * z + 1) * n / (2 * d); }
}  // namespace

// The middle of the capture stretched over the magnifier: the default stretching mode
// repeats pixels, with no smoothing. A sample larger than one pixel is outlined, in inverted
// colours, just outside the square it averages.
void TfrmMain::DrawZoom() {
    TCanvas& canvas = imgZoom->Canvas();
    int w = imgZoom->Width(), h = imgZoom->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    int n = cboZoom->ItemIndex() + 1;
    if (n < 1) n = 1;
    TZoomSource s = ZoomSource(w, h, n);
    StretchBlt(canvas.Handle(), 0, 0, w, h, FCapture->DC(), s.X, s.Y, s.Width, s.Height, SRCCOPY);
    if (FSampleSide > 1) {
        const int reach = FSampleSide / 2, cx = FCapture->Width() / 2, cy = FCapture->Height() / 2;
        const int left = ToZoom(cx - reach, s.X, s.Width, w) - 1, right = ToZoom(cx + reach + 1, s.X, s.Width, w);
        const int top = ToZoom(cy - reach, s.Y, s.Height, h) - 1, bottom = ToZoom(cy + reach + 1, s.Y, s.Height, h);
        HDC dc = canvas.Handle();
        PatBlt(dc, left, top, right - left + 1, 1, DSTINVERT);
        PatBlt(dc, left, bottom, right - left + 1, 1, DSTINVERT);
        PatBlt(dc, left, top + 1, 1, bottom - top - 1, DSTINVERT);
        PatBlt(dc, right, top + 1, 1, bottom - top - 1, DSTINVERT);
    }
    imgZoom->Invalidate();
}

void TfrmMain::cboZoomClick() {
    TSettings::SetZoom(cboZoom->ItemIndex() + 1);
    spiR->SetFocus();
    DrawZoom();
}

// Any button. One pixel: the colour of the magnified picture as shown, not of the screen. A
// larger sample: the mean around the capture pixel shown there, as a pick there would give.
void TfrmMain::imgZoomMouseDown(int x, int y) {
    if (FSampleSide == 1 || !FCapture) {
        ShowColor(imgZoom->Canvas().Pixel(x, y));
    } else {
        int n = std::max(cboZoom->ItemIndex() + 1, 1);
        const int w = imgZoom->Width(), h = imgZoom->Height();
        TZoomSource s = ZoomSource(w, h, n);
        ShowColor(CaptureMean(FCaptureOrigin.x + FromZoom(x, s.X, s.Width, w),
                              FCaptureOrigin.y + FromZoom(y, s.Y, s.Height, h)));
    }
    CopyOnPick();
}
