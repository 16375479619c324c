#include "Picking.h"
#include <cmath>
#include "Texts.h"
#include "Forms.h"
#include <algorithm>

namespace {
// The mouse hook of a keyboard pick and the window it serves. A low-level hook sees the clicks
// on every program's windows, so the click that ends a pick reaches no other program.
HHOOK MouseHook = nullptr;
HWND HookWindow = nullptr;
int ButtonsHeld = 0;  // presses the hook has taken whose releases have not come yet

LRESULT CALLBACK PickMouseProc(int code, WPARAM wp, LPARAM lp) {
    if (code != HC_ACTION || !HookWindow) return CallNextHookEx(nullptr, code, wp, lp);
    switch (wp) {
    case WM_MOUSEMOVE:
        PostMessageW(HookWindow, WM_PICKMOVE, 0, 0);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        ++ButtonsHeld;
        PostMessageW(HookWindow, WM_PICKCLICK, wp == WM_LBUTTONDOWN, 0);
        return 1;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (ButtonsHeld > 0 && --ButtonsHeld == 0) PostMessageW(HookWindow, WM_PICKUNHOOK, 0, 0);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void HookMouse(HWND window) {
    if (!MouseHook) {
        MouseHook = SetWindowsHookExW(WH_MOUSE_LL, &PickMouseProc, GetModuleHandleW(nullptr), 0);
        ButtonsHeld = 0;
    }
    HookWindow = window;
}

// Unless a keyboard pick is still on.
void UnhookMouse(bool keyPicking) {
    if (MouseHook && !keyPicking) {
        UnhookWindowsHookEx(MouseHook);
        MouseHook = nullptr;
    }
    if (!MouseHook) HookWindow = nullptr;
}

// Where the cursor is polled during a keyboard pick: under other programs' windows no mouse
// message comes to this program, and some systems call no low-level hook for them either.
constexpr UINT_PTR kPickTimer = 1;
constexpr UINT kPickTimerMs = 10;

POINT CursorPos() {
    POINT p;
    GetCursorPos(&p);
    return p;
}
}  // namespace

void TPickSession::Move(POINT p) { FPicker.PickAt(p); }

void TPicker::Reset(int width, int height) {
    FCapture.Reset(width, height);
    FMagnifier.Clear();
}

// Each size is drawn in the resources, so no enlargement blurs the icons; a cursor's hot spot
// is its icon's centre.
void TPicker::MakeDpiImages(int size, std::array<TImage*, 2> drags, TImage* zoomCursor, int width, int height) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    auto loadIcon = [inst, size](const wchar_t* name) {
        return TIconHandle(static_cast<HICON>(LoadImageW(inst, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    TIconHandle add = loadIcon(L"RES_MAINFORM_ADD"), round = loadIcon(L"RES_MAINFORM_ROUND");
    // The cursor table borrows the new icons before the images free the old ones.
    Application.SetCursorImage(1, add.Get());
    Application.SetCursorImage(2, round.Get());
    drags[0]->SetIcon(std::move(add));
    drags[1]->SetIcon(loadIcon(L"RES_MAINFORM_ADD"));
    zoomCursor->SetIcon(std::move(round));
    if (Application.Cursor() != 0) Application.SetCursor(Application.Cursor());
    Reset(width, height);
}

void TPicker::Release() {
    if (Dragging()) ReleaseCapture();
    if (Active()) Cancel();
    FCapture.Release();
}

void MarkDistanceText(wchar_t* out, std::size_t size, POINT position, POINT mark) {
    const long long dx = static_cast<long long>(position.x) - mark.x, dy = static_cast<long long>(position.y) - mark.y;
    swprintf(out, size, L"  \u0394x %lld, \u0394y %lld, %.1f px", dx, dy,
             std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

void TPicker::SetSampleSide(int side) {
    FSampleSide = side;
    Redraw();
}

void TPicker::Redraw() {
    if (FCapture.Bitmap()) FMagnifier.Draw(FCapture, FHost.Zoom(), FSampleSide, FGrid, Mark());
}

bool TPicker::Dragging() const { return dynamic_cast<const TDragPick*>(FSession.get()) != nullptr; }

void TPicker::Begin(std::unique_ptr<TPickSession> session) {
    if (Active()) return;
    if (!FCapture.Bitmap()) return Thaw();
    FTrueColor.Refresh();
    FSession = std::move(session);
    FSession->Start();
}

// The pick's end takes its mark away.
void TPicker::Take() {
    FMarked = false;
    if (std::unique_ptr<TPickSession> session = std::move(FSession)) session->Take();
    Thaw();
}

void TPicker::Cancel() {
    FMarked = false;
    if (std::unique_ptr<TPickSession> session = std::move(FSession)) session->Cancel();
    Thaw();
}

void TPicker::Freeze() {
    FFrozen = TFrozenScreen::Take();
    FFreezeFailed = !FFrozen;
    if (!FFrozen) return;
    FFrozen->Show(FHost.PickWindow());
    // The window is put back on top after the picture is shown, not before: Wine passes on to
    // the screen a window's move to the top, but not a move below another window.
    FHost.FreezeChanged();
}

void TPicker::Thaw() {
    FFreezeFailed = false;
    if (!FFrozen) return;
    FFrozen.reset();
    FHost.FreezeChanged();
}

const wchar_t* TPicker::FreezeText() const {
    return FFrozen ? Text(TTextId::Frozen) : FFreezeFailed ? Text(TTextId::FreezeFailed) : L"";
}

void TPicker::AddCommands(TCommandTable& commands, TOptions& options) {
    using C = TCommandId;
    using S = SettingsTable::TSettingId;
    commands.Add(C::Sample, TTextId::Sample, nullptr);
#define QUILLORA_SAMPLE_ROW(value, side, text) commands.AddChoice(C::Sample, TTextId::text, S::Sample, value);
    QUILLORA_SAMPLES(QUILLORA_SAMPLE_ROW)
#undef QUILLORA_SAMPLE_ROW
    options.OnApply(S::Sample, [this](int side) { SetSampleSide(side); });
    commands.Add(C::ColorSpace, TTextId::ColorSpace, nullptr);
#define QUILLORA_SPACE_ROW(value, name, text, target) \
    commands.AddChoice(C::ColorSpace, TTextId::text, S::ColorSpace, TTrueColor::name);
    QUILLORA_COLOR_SPACES(QUILLORA_SPACE_ROW)
#undef QUILLORA_SPACE_ROW
    options.OnApply(S::ColorSpace, [this](int space) { FTrueColor.SetSpace(space); });
    commands.Add(C::Separator, L"-", nullptr).Parent = C::ColorSpace;
    for (size_t i = 0; i < 6; ++i) {
        TCommand& c = commands.AddChild(C::ColorSpace, L"", nullptr);
        c.Enabled = [] { return false; };
        c.Text = [this, i] { return i < FSpaceInfo.size() ? FSpaceInfo[i] : std::wstring(); };
        c.Visible = [this, i] { return i < FSpaceInfo.size(); };
    }
    commands.AddSwitch(C::Freeze, TTextId::Freeze, S::Freeze);
    commands.AddSwitch(C::None, TTextId::MagnifierGrid, S::Grid).After = C::Freeze;
    options.OnApply(S::Grid, [this](int on) {
        FGrid = on != 0;
        Redraw();
    });
}

void TPicker::MenuOpening() {
    FTrueColor.Refresh();
    FSpaceInfo = FTrueColor.InfoLines(FHost.PickWindow());
}

void TPicker::Move() {
    if (FSession) FSession->Move(CursorPos());
}

void TPicker::PickAt(POINT p) {
    if (!FCapture.Bitmap()) return;
    if (FFrozen) return PickFrom(FFrozen->DC(), p);
    TScreenDC screen;
    PickFrom(screen.Get(), p);
}

// The picture has the screen's coordinates and the screen's device colours, so a frozen pick
// is converted and undone as a live one.
void TPicker::PickFrom(HDC source, POINT p) {
    FLastPick = p;
    TPickSample sample{p.x, p.y, 0, 0};
    const bool invert = FTrueColor.UndoesInversion();
    if (FSampleSide == 1) sample.Device = Inverted(GetPixel(source, p.x, p.y), invert);
    FCapture.Take(source, p);
    Redraw();
    if (FSampleSide > 1) sample.Device = FCapture.Mean(p.x, p.y, FSampleSide, invert);
    sample.Color = FTrueColor.Convert(sample.Device, p);
    FHost.ShowPick(sample, true);
}

void TPicker::Step(int dx, int dy) {
    if (GetKeyState(VK_SHIFT) < 0) {
        dx *= 10;
        dy *= 10;
    }
    POINT p = CursorPos();
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    p.x = std::clamp<LONG>(p.x + dx, left, left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    p.y = std::clamp<LONG>(p.y + dy, top, top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    SetCursorPos(p.x, p.y);
    PickAt(p);
}

// One pixel: the colour of the magnified picture as shown, not of the screen; under the grid,
// which is drawn over the picture and never read, the captured pixel's. A larger sample: the
// mean around the capture pixel shown there, as a pick there would give.
TPickSample TPicker::ZoomSample(int x, int y) {
    const bool invert = FTrueColor.UndoesInversion();
    const POINT p = FMagnifier.ScreenPoint(FCapture, FHost.Zoom(), x, y);
    TPickSample sample{p.x, p.y, 0, 0};
    sample.Device = FSampleSide > 1 || FMagnifier.Cell() ? FCapture.Mean(p.x, p.y, FSampleSide, invert)
                                                         : Inverted(FMagnifier.Pixel(x, y), invert);
    sample.Color = FTrueColor.Convert(sample.Device, p);
    return sample;
}

bool TPicker::Key(WPARAM key, bool repeat) {
    if (!Active()) return false;
    switch (key) {
    case VK_LEFT: Step(-1, 0); return true;
    case VK_RIGHT: Step(1, 0); return true;
    case VK_UP: Step(0, -1); return true;
    case VK_DOWN: Step(0, 1); return true;
    }
    if (key == 'M') {  // a mark on the pixel under the cursor, or none again
        if (repeat) return true;
        FMarked = !FMarked;
        FMark = CursorPos();
        PickAt(FMark);
        return true;
    }
    if (!KeyPicking()) return false;
    if (key == 'F') {
        if (repeat) return true;
        Frozen() ? Thaw() : Freeze();
        PickAt(CursorPos());
        return true;
    }
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    key == VK_RETURN ? Take() : Cancel();
    return true;
}

void TPicker::RegisterHotKey(const THotKey& key) {
    FHotKey = key;
    FHotKeyRegistered = key.Key != 0 && ::RegisterHotKey(FHost.PickWindow(), kPickHotKeyId,
                                                         key.Modifiers | MOD_NOREPEAT, key.Key);
}

bool TPicker::Handles(UINT msg) {
    switch (msg) {
    case WM_CAPTURECHANGED: case WM_DISPLAYCHANGE: case WM_TIMER: case WM_PICKMOVE: case WM_PICKCLICK:
    case WM_PICKUNHOOK: case WM_ACTIVATEAPP: case WM_DESTROY:
        return true;
    }
    return false;
}

// The timer and the hook's messages; the focus leaving the program cancels a keyboard pick,
// so that the hook never outlives the user's attention.
void TPicker::Message(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_CAPTURECHANGED:
        if (Dragging()) Cancel();
        break;
    case WM_DISPLAYCHANGE:
        FCapture.MonitorsChanged();
        FTrueColor.DisplayChanged();
        break;
    case WM_TIMER:
    case WM_PICKMOVE:
        if (KeyPicking() && (msg == WM_PICKMOVE || wp == kPickTimer)) {
            const POINT p = CursorPos();
            if (p.x != FLastPick.x || p.y != FLastPick.y) FSession->Move(p);
        }
        // Under Wine a loaded machine now and then restacks the picture above the main window
        // after it was shown; the window is put back on top at the next tick.
        if (FFrozen && FFrozen->Covers(FHost.PickWindow())) FHost.FreezeChanged();
        break;
    case WM_PICKCLICK:
        if (KeyPicking()) wp ? Take() : Cancel();
        break;
    case WM_PICKUNHOOK:
        UnhookMouse(KeyPicking());
        break;
    case WM_ACTIVATEAPP:
        if (!wp && KeyPicking()) Cancel();
        break;
    case WM_DESTROY:
        if (KeyPicking()) Cancel();
        ButtonsHeld = 0;
        UnhookMouse(false);
        if (FHotKeyRegistered) UnregisterHotKey(FHost.PickWindow(), kPickHotKeyId);
        FHotKeyRegistered = false;
        break;
    }
}

// From here every mouse message, wherever the cursor is, comes to the main window.
void TDragPick::Start() {
    SetCapture(FPicker.Host().PickWindow());
    Application.SetCursor(1);
    FPressed->SetVisible(false);
}

void TDragPick::Take() {
    ReleaseCapture();
    End();
    FPicker.Host().PickTaken();
}

// Also when the capture is lost to another window or the program is deactivated.
void TDragPick::Cancel() { End(); }

void TDragPick::End() {
    Application.SetCursor(0);
    for (TImage* icon : FIcons) icon->SetVisible(true);
    FPicker.Host().ShowHint();
}

void TKeyPick::Start() {
    TPickHost& host = FPicker.Host();
    host.KeepShown();
    Application.SetCursor(1);
    HookMouse(host.PickWindow());
    SetTimer(host.PickWindow(), kPickTimer, kPickTimerMs, nullptr);
    FPicker.PickAt(CursorPos());
}

void TKeyPick::Take() {
    FPicker.PickAt(CursorPos());
    End();
    FPicker.Host().ShowHint();
    if (FTaken)
        FPicker.Host().PickTakenFor(FTaken);
    else
        FPicker.Host().PickTaken();
}

void TKeyPick::Cancel() {
    End();
    FPicker.Host().ShowKept();
    if (FCancelled) FCancelled();
}

void TKeyPick::End() {
    KillTimer(FPicker.Host().PickWindow(), kPickTimer);
    Application.SetCursor(0);
    // The release of the click that ended the pick is still the hook's to take.
    if (ButtonsHeld == 0) UnhookMouse(false);
}

void TMagnifierPick::Start() { FPicker.Take(); }

void TMagnifierPick::Take() {
    FPicker.Host().ShowPick(FPicker.ZoomSample(FX, FY), false);
    FPicker.Host().PickTaken();
}
