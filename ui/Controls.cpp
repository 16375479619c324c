#include "Controls.h"
#include "Accessible.h"
#include "Runtime.h"
#include <windowsx.h>
#include <algorithm>
#include <set>
#include <stdexcept>

namespace {
// Posted to a window whose element (wParam; 0 the window itself) a screen reader pressed.
constexpr UINT kAccessibleActionMessage = WM_APP + 0x2F01;

// The window property that leads from a window to its object.
const wchar_t* ControlProperty() {
    static const std::wstring name = Runtime::Product().Name + L".Control";
    return name.c_str();
}

TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return TMouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return TMouseButton::Middle;
    default: return TMouseButton::Left;
    }
}

std::set<std::wstring>& OwnClasses() {
    static std::set<std::wstring> registered;
    return registered;
}
}  // namespace

const wchar_t* TWinControl::OwnWindowClass(const std::wstring& name) {
    const std::wstring className = name.empty() ? Runtime::Product().Name + L"Window" : name;
    auto [it, added] = OwnClasses().insert(className);
    if (added) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &StaticProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = it->c_str();
        RegisterClassExW(&wc);
    }
    return it->c_str();
}

// ---- TControl ----

TControl::TControl(TWinControl* parent) : FParent(parent) {
    if (parent) {
        parent->FControls.push_back(this);
        FFont = parent->FFont;
        FDpi = parent->FDpi;
    } else {
        FFont = Runtime::Product().Font;
    }
}

TControl::~TControl() {
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        if (FParent->FCaptureControl == this) FParent->FCaptureControl = nullptr;
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    FBounds = {left, top, left + width, top + height};
    Invalidate();
}

void TControl::SetVisible(bool value) {
    if (FVisible == value) return;
    FVisible = value;
    if (FParent && FParent->Handle()) {
        RECT r = FBounds;
        InvalidateRect(FParent->Handle(), &r, FALSE);
    }
}

void TControl::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    Invalidate();
}

void TControl::SetCaption(const std::wstring& value) {
    if (Caption() == value) return;
    FCaption = value;
    CaptionChanged();
}

void TControl::SetColor(TColor value) {
    if (FColor == value) return;
    FColor = value;
    ColorChanged();
}

void TControl::SetFont(const TFontDesc& value) {
    if (FFont == value) return;
    FFont = value;
    FontChanged();
}

void TControl::Invalidate() {
    if (HWND h = Handle()) {
        InvalidateRect(h, nullptr, TRUE);
    } else if (FParent && FParent->Handle()) {
        RECT r = FBounds;
        InvalidateRect(FParent->Handle(), &r, FALSE);
    }
}

HFONT TControl::FontHandle() {
    if (!FFontHandle) FFontHandle = SharedFont(FFont, FDpi);
    return FFontHandle;
}

// Position and size scale each on their own, so that equal widths stay equal.
RECT TControl::BoundsAtDpi(int dpi) const {
    const int left = ScaleToDpi(FDesign.left, dpi), top = ScaleToDpi(FDesign.top, dpi);
    return {left, top, left + ScaleToDpi(FDesign.right - FDesign.left, dpi),
            top + ScaleToDpi(FDesign.bottom - FDesign.top, dpi)};
}

void TControl::ChangeDpi(int dpi) {
    FDpi = dpi;
    FFontHandle = nullptr;
    const RECT r = BoundsAtDpi(dpi);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TGraphicControl::TGraphicControl(TWinControl* parent, int left, int top, int width, int height)
    : TControl(parent) {
    FDesign = {left, top, left + width, top + height};
    FBounds = BoundsAtDpi(FDpi);
}

// ---- TWinControl: making and ending the window ----

TWinControl::TWinControl(TWinControl* parent, int left, int top, int width, int height)
    : TControl(parent) {
    FDesign = {left, top, left + width, top + height};
    FBounds = BoundsAtDpi(FDpi);
}

TWinControl::~TWinControl() {
    for (TControl* c : FControls) c->FParent = nullptr;
    if (FHandle) {
        // The derived parts are gone already: no message may reach them.
        HWND h = FHandle;
        Detach();
        DestroyWindow(h);
    }
}

TWinControl* TWinControl::FromHandle(HWND h) {
    return h ? static_cast<TWinControl*>(GetPropW(h, ControlProperty())) : nullptr;
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    const TCreateParams params = CreateParams();
    DWORD style = params.Style;
    const bool child = (style & WS_CHILD) != 0;
    if (child && FVisible) style |= WS_VISIBLE;
    if (!FEnabled) style |= WS_DISABLED;
    HWND parent = child ? (FParent ? FParent->Handle() : nullptr) : Runtime::OwnerWindow();
    if (child && !parent) throw std::logic_error("a child window needs its parent's window first");
    const bool own = OwnClasses().count(params.ClassName) != 0;
    // Each child has an id of its own: the dialog manager finds the default button by it.
    static INT_PTR nextId = 100;
    HMENU id = child ? reinterpret_cast<HMENU>(nextId++) : nullptr;
    HWND hw = CreateWindowExW(params.ExStyle, params.ClassName, FCaption.c_str(), style,
                              FBounds.left, FBounds.top, Width(), Height(), parent, id,
                              GetModuleHandleW(nullptr), own ? this : nullptr);
    if (!hw) throw std::runtime_error("CreateWindowEx failed for a control");
    if (!own) {
        Attach(hw);
        FOldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticProc)));
    }
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    ApplyAccessibleName();
    HandleCreated();
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
    ApplyTabOrder();
    ChildrenCreated();
}

void TWinControl::DestroyHandle() {
    if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY clears FHandle, here and in children
}

void TWinControl::Attach(HWND h) {
    FHandle = h;
    SetPropW(h, ControlProperty(), this);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TWinControl::Detach() {
    if (FAnnotated) Accessible::RemoveAnnotation(FHandle);
    FAnnotated = false;
    RemovePropW(FHandle, ControlProperty());
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    if (FOldProc) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProc));
    FOldProc = nullptr;
    FHandle = nullptr;
}

LRESULT CALLBACK TWinControl::StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE && lp) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        if (cs->lpCreateParams) static_cast<TWinControl*>(cs->lpCreateParams)->Attach(h);
    }
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    LRESULT r = 0;
    {
        Runtime::TProcedureScope scope;
        try {
            r = self->WndProc(msg, wp, lp);
        } catch (const std::exception& e) {
            // No exception may unwind through the system's code.
            Runtime::ReportException(e);
        } catch (...) {
            Runtime::ReportException(Runtime::Product().UnknownError);
        }
    }
    if (msg == WM_NCDESTROY && self->FHandle == h) self->Detach();
    return r;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    if (FOldProc) return CallWindowProcW(FOldProc, FHandle, msg, wp, lp);
    return DefWindowProcW(FHandle, msg, wp, lp);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_MOUSEMOVE:
        return MouseMessage(msg, wp, lp);
    case WM_CAPTURECHANGED:
        FCaptureControl = nullptr;
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == FHandle && SetCursorMessage(lp)) return TRUE;
        break;
    case WM_COMMAND:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp))) {
            child->Command(HIWORD(wp));
            return 0;
        }
        break;
    case WM_DRAWITEM:
        if (TWinControl* child = FromHandle(reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem))
            if (child->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_NOTIFY:
        if (TWinControl* child = FromHandle(reinterpret_cast<NMHDR*>(lp)->hwndFrom))
            return child->Notify(reinterpret_cast<NMHDR*>(lp));
        break;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLORLISTBOX:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp)))
            if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(wp)))
                return reinterpret_cast<LRESULT>(b);
        break;
    case WM_GETOBJECT:
        // An accessibility client asks. A window with elements drawn on it or an action of its
        // own gives its own object; otherwise the name goes to the annotation service now,
        // before the client reads it, and where the service takes none, the window gives its
        // own object.
        if (!HasAccessibleParts() && !FAccessibleName.empty() && !FAnnotated)
            FAnnotated = Accessible::Annotate(FHandle, FAccessibleName);
        if (HasAccessibleParts() || (!FAccessibleName.empty() && !FAnnotated))
            if (LRESULT r = Accessible::ClientObject(FHandle, wp, lp, &AccessibleParts, &AccessibleAct)) return r;
        break;
    case kAccessibleActionMessage:
        RunAccessibleAction(static_cast<int>(wp));
        return 0;
    case WM_ERASEBKGND:
        if (IsOwnClass()) return 1;
        break;
    case WM_PAINT:
        if (IsOwnClass()) {
            Paint();
            return 0;
        }
        break;
    }
    return DefaultHandler(msg, wp, lp);
}

// Paints into a buffer, then copies what needs it: the magnifier and the swatch never flicker.
void TWinControl::Paint() {
    TPaintDC dc(FHandle);
    RECT rc;
    GetClientRect(FHandle, &rc);
    if (!FPaintBuffer || FPaintBuffer->Width() != rc.right || FPaintBuffer->Height() != rc.bottom)
        FPaintBuffer = std::make_unique<TBitmap>(rc.right, rc.bottom);
    HDC mem = FPaintBuffer->DC();
    PaintWindow(mem);
    const RECT& d = dc.Dirty();
    BitBlt(dc.Get(), d.left, d.top, d.right - d.left, d.bottom - d.top, mem, d.left, d.top, SRCCOPY);
}

void TWinControl::PaintWindow(HDC dc) {
    RECT rc;
    GetClientRect(FHandle, &rc);
    FillRect(dc, &rc, BackgroundBrush());
    for (TControl* c : FControls) {
        if (c->Handle() || !c->Visible()) continue;
        int saved = SaveDC(dc);
        RECT b = c->BoundsRect();
        IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
        SetViewportOrgEx(dc, b.left, b.top, nullptr);
        c->Paint(dc);
        RestoreDC(dc, saved);
    }
}

TControl* TWinControl::ControlAt(int x, int y) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Handle() || !c->Visible() || !c->Enabled()) continue;
        RECT b = c->BoundsRect();
        POINT p{x, y};
        if (PtInRect(&b, p)) return c;
    }
    return nullptr;
}

LRESULT TWinControl::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // x can be negative while the mouse is captured: never LOWORD.
    int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    TControl* target = GetCapture() == FHandle ? FCaptureControl : ControlAt(x, y);
    bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    if (target) {
        // A graphic child gets the mouse until its button is released, like a window would.
        if (down) {
            FCaptureControl = target;
            SetCapture(FHandle);
        }
        int cx = x - target->Left(), cy = y - target->Top();
        if (down) target->MouseDown(ButtonOf(msg), cx, cy);
        else if (msg == WM_MOUSEMOVE) target->MouseMove(cx, cy);
        else {
            target->MouseUp(ButtonOf(msg), cx, cy);
            bool anyDown = (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
            if (!anyDown && FCaptureControl == target && GetCapture() == FHandle) ReleaseCapture();
        }
        return 0;
    }
    if (down) MouseDown(ButtonOf(msg), x, y);
    else if (msg == WM_MOUSEMOVE) MouseMove(x, y);
    else MouseUp(ButtonOf(msg), x, y);
    if (!FHandle) return 0;
    return DefaultHandler(msg, wp, lp);
}

bool TWinControl::SetCursorMessage(LPARAM lp) {
    if (LOWORD(lp) != HTCLIENT) return false;
    int number = Runtime::Cursor();
    if (number == 0) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(FHandle, &p);
        TControl* c = ControlAt(p.x, p.y);
        number = c ? c->Cursor : Cursor;
    }
    if (number == 0) return false;
    if (HCURSOR cur = Runtime::CursorImage(number)) {
        ::SetCursor(cur);
        return true;
    }
    return false;
}

TControl* TWinControl::FindControl(const std::string& name) const {
    for (TControl* c : FControls) {
        if (c->Name == name) return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = w->FindControl(name)) return found;
    }
    return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    FBounds = {left, top, left + width, top + height};
    if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
}

// The window takes the font at its new DPI, then its new bounds; the children follow.
void TWinControl::ChangeDpi(int dpi) {
    FFontHandle = nullptr;
    FDpi = dpi;
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    const RECT r = BoundsAtDpi(dpi);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    FPaintBuffer.reset();
    for (TControl* c : FControls) c->ChangeDpi(dpi);
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::SetVisible(bool value) {
    FVisible = value;
    if (FHandle) ShowWindow(FHandle, value ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
    FEnabled = value;
    if (FHandle) EnableWindow(FHandle, value);
}

std::wstring TWinControl::Caption() const {
    if (!FHandle) return FCaption;
    int n = GetWindowTextLengthW(FHandle);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(FHandle, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TWinControl::CaptionChanged() {
    if (FHandle) SetWindowTextW(FHandle, FCaption.c_str());
}

void TWinControl::FontChanged() {
    FFontHandle = nullptr;
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void TWinControl::ColorChanged() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(FFont.Color));
    SetBkColor(dc, ColorToRGB(FColor));
    return BackgroundBrush();
}

void TWinControl::SetFocus() {
    if (FHandle) ::SetFocus(FHandle);
}

void TWinControl::SetAccessibleName(const std::wstring& name) {
    if (name == FAccessibleName) return;
    FAccessibleName = name;
    if (!FHandle) return;  // the window takes it when it is made
    ApplyAccessibleName();
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, FHandle, OBJID_CLIENT, CHILDID_SELF);
}

// The annotation service keeps the name where it takes it; otherwise WM_GETOBJECT answers.
// A window without a name keeps what the system gives it. A name goes to the service at the
// first WM_GETOBJECT, not when the window is made: without an accessibility client the
// program never loads the libraries (ole32, oleaut32, oleacc) nor pays for them at start-up.
// Once it is there, a new name replaces it at once.
void TWinControl::ApplyAccessibleName() {
    if (!FAnnotated) return;
    if (FAccessibleName.empty()) Accessible::RemoveAnnotation(FHandle);
    FAnnotated = !FAccessibleName.empty() && Accessible::Annotate(FHandle, FAccessibleName);
}

bool TWinControl::HasAccessibleParts() const {
    if (AccessibleAction) return true;
    for (const TControl* c : FControls)
        if (auto* g = dynamic_cast<const TGraphicControl*>(c); g && g->AccessibleRole) return true;
    return false;
}

// The graphic children with a role, visible ones only, in the order they came: the numbers
// of the elements a screen reader sees.
bool TWinControl::AccessibleParts(HWND window, Accessible::TClientParts& parts) {
    const TWinControl* w = FromHandle(window);
    if (!w) return false;
    parts.Name = w->FAccessibleName;
    parts.Action = Runtime::Product().PressAction;
    parts.OwnAction = static_cast<bool>(w->AccessibleAction);
    for (const TControl* c : w->FControls)
        if (auto* g = dynamic_cast<const TGraphicControl*>(c); g && g->AccessibleRole && g->Visible())
            parts.Elements.push_back({g->AccessibleRole, g->AccessibleName.empty() ? g->Caption() : g->AccessibleName,
                                      g->BoundsRect(), g->Enabled() && IsWindowEnabled(GetAncestor(window, GA_ROOT))});
    return true;
}

// Posted, so that the screen reader's call returns at once: an action may open a menu or a
// dialog, or start a pick, each with a message loop of its own.
bool TWinControl::AccessibleAct(HWND window, int element) {
    return FromHandle(window) && PostMessageW(window, kAccessibleActionMessage, static_cast<WPARAM>(element), 0);
}

void TWinControl::RunAccessibleAction(int element) {
    if (!IsWindowEnabled(GetAncestor(FHandle, GA_ROOT))) return;  // a dialog holds the window
    if (element == 0) {
        if (AccessibleAction && FEnabled) AccessibleAction();
        return;
    }
    for (TControl* c : FControls)
        if (auto* g = dynamic_cast<TGraphicControl*>(c); g && g->AccessibleRole && g->Visible() && --element == 0) {
            if (g->Enabled() && g->OnClick) g->OnClick();
            return;
        }
}

void TWinControl::ApplyTabOrder() {
    std::vector<TWinControl*> stops;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->TabOrder >= 0 && w->Handle())
            stops.push_back(w);
    std::stable_sort(stops.begin(), stops.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    HWND after = HWND_TOP;
    for (TWinControl* w : stops) {
        SetWindowPos(w->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = w->Handle();
    }
}
