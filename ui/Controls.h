// The control tree: TControl (position, caption, font, mouse events), TGraphicControl (drawn by
// its parent, no window of its own) and TWinControl (a real window, standard or our own class).
//
// A windowed control is made in two steps: the object first, with every property it starts
// with, then its window (CreateHandle on the top of a tree makes the windows of the whole
// tree), so that every message, from the first, reaches the finished object's window
// procedure. The window goes before the object: DestroyHandle, then the object; an object
// that goes first takes its window with it, detached before, so no message reaches it.
#pragma once
#include "Accessible.h"
#include "Graphics.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TMouseButton { Left, Right, Middle };

class TWinControl;

class TControl {
public:
    explicit TControl(TWinControl* parent);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    std::string Name;
    int Tag = 0;
    int Cursor = 0;  // number in the application's cursor table; 0 is the default arrow

    std::function<void()> OnClick;
    std::function<void(TMouseButton, int x, int y)> OnMouseDown;
    std::function<void(TMouseButton, int x, int y)> OnMouseUp;
    std::function<void(int x, int y)> OnMouseMove;

    TWinControl* Parent() const { return FParent; }
    virtual HWND Handle() const { return nullptr; }

    // Position and size in the parent's client coordinates, in physical pixels.
    RECT BoundsRect() const { return FBounds; }
    // The position and size the control was laid out with, at 96 DPI.
    RECT DesignBounds() const { return FDesign; }
    int Left() const { return FBounds.left; }
    int Top() const { return FBounds.top; }
    int Width() const { return FBounds.right - FBounds.left; }
    int Height() const { return FBounds.bottom - FBounds.top; }
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    virtual std::wstring Caption() const { return FCaption; }
    void SetCaption(const std::wstring& value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    const TFontDesc& Font() const { return FFont; }
    void SetFont(const TFontDesc& value);

    void Invalidate();
    // The font as a GDI object at the control's DPI, made once for each change of either.
    HFONT FontHandle();

    // The DPI the control is laid out for, and a 96-DPI figure scaled to it.
    int Dpi() const { return FDpi; }
    int Scale(int value) const { return ScaleToDpi(value, FDpi); }
    // Lays the control (and a windowed control's children) out again for a DPI: its design
    // bounds scaled, its font made for the DPI.
    virtual void ChangeDpi(int dpi);

    // Mouse input, already in this control's own client coordinates.
    virtual void MouseDown(TMouseButton b, int x, int y) { if (OnMouseDown) OnMouseDown(b, x, y); }
    virtual void MouseUp(TMouseButton b, int x, int y) { if (OnMouseUp) OnMouseUp(b, x, y); }
    virtual void MouseMove(int x, int y) { if (OnMouseMove) OnMouseMove(x, y); }
    // Graphic controls draw themselves here; the DC's origin is the control's top left.
    virtual void Paint(HDC) {}

protected:
    friend class TWinControl;
    virtual void CaptionChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() {
        FFontHandle = nullptr;
        Invalidate();
    }

    // The bounds the control takes at a DPI; a form keeps its place and sizes its frame.
    virtual RECT BoundsAtDpi(int dpi) const;

    TWinControl* FParent;
    RECT FDesign{};
    RECT FBounds{};
    int FDpi = kDesignDpi;
    bool FVisible = true;
    bool FEnabled = true;
    std::wstring FCaption;
    TColor FColor = clBtnFace;
    TFontDesc FFont;
    HFONT FFontHandle = nullptr;  // shared (SharedFont): never freed here
};

class TGraphicControl : public TControl {
public:
    TGraphicControl(TWinControl* parent, int left, int top, int width, int height);
    // Not 0: screen readers find the control as an element of its parent's window, with this
    // role (ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_LINK), this name (empty: its caption), its
    // place, and a default action that runs OnClick.
    long AccessibleRole = 0;
    std::wstring AccessibleName;
};

// The window class and styles a windowed control is made with.
struct TCreateParams {
    const wchar_t* ClassName = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

class TWinControl : public TControl {
public:
    TWinControl(TWinControl* parent, int left, int top, int width, int height);
    ~TWinControl() override;

    HWND Handle() const override { return FHandle; }
    static TWinControl* FromHandle(HWND h);
    // Makes the window (a child in its parent's, a top-level one owned by the application
    // window), then the windows of the children that have none yet, in the order they came,
    // and puts them in their tab order. Throws when the system makes no window.
    void CreateHandle();
    // Destroys the window and with it those of the children; the objects stay.
    void DestroyHandle();

    int TabOrder = -1;  // -1: not a tab stop
    const std::vector<TControl*>& Controls() const { return FControls; }
    TControl* FindControl(const std::string& name) const;  // searches the whole subtree
    TControl* ControlAt(int x, int y) const;                // graphic child under a client point

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;
    void ChangeDpi(int dpi) override;
    std::wstring Caption() const override;
    void SetFocus();
    bool Focused() const { return FHandle && GetFocus() == FHandle; }
    // Orders the windowed children so that Tab walks them by TabOrder.
    void ApplyTabOrder();
    // The name a screen reader reads for the control; empty leaves it to the system. The
    // object keeps it and gives it to every window made for it.
    const std::wstring& AccessibleName() const { return FAccessibleName; }
    virtual void SetAccessibleName(const std::wstring& name);
    // What the window does when a screen reader presses it (its default action); empty: the
    // system's answer.
    std::function<void()> AccessibleAction;
    // A control that shows no text of its own (an edit, a list) takes the name of the label
    // beside it.
    virtual bool TakesLabelName() const { return false; }
    // A button with a modal result hands it up to the form that runs modally.
    virtual void TakeModalResult(int result) {
        if (FParent) FParent->TakeModalResult(result);
    }

    // The window procedure of this control; overrides call the inherited one for the
    // default handling.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);

    // Registers (once) a window class of our own and returns its name; without a name, the
    // class of our plain windows, named after the program.
    static const wchar_t* OwnWindowClass(const std::wstring& name = {});

protected:
    friend class TControl;
    virtual TCreateParams CreateParams() const = 0;
    // Right after the window is made, before the children's: what the object holds and the
    // window does not know yet.
    virtual void HandleCreated() {}
    // Once the windows of the children are made too.
    virtual void ChildrenCreated() {}
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Colours of a standard child control (WM_CTLCOLOR*); nullptr leaves them to the system.
    virtual HBRUSH CtlColor(HDC dc);
    virtual void Command(WORD /*code*/) {}
    virtual LRESULT Notify(NMHDR*) { return 0; }
    // An item of an owner-drawn control (WM_DRAWITEM); false leaves it to the system.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    // Drawing of a window of our own class, into an off-screen buffer.
    virtual void PaintWindow(HDC dc);
    void CaptionChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    HBRUSH BackgroundBrush() const { return SolidBrush(FColor); }
    bool IsOwnClass() const { return FOldProc == nullptr; }

    HWND FHandle = nullptr;

private:
    static LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool SetCursorMessage(LPARAM lp);
    void Paint();
    void Attach(HWND h);
    void Detach();
    void ApplyAccessibleName();
    bool HasAccessibleParts() const;
    static bool AccessibleParts(HWND window, Accessible::TClientParts& parts);
    static bool AccessibleAct(HWND window, int element);
    void RunAccessibleAction(int element);

    WNDPROC FOldProc = nullptr;
    std::vector<TControl*> FControls;
    TControl* FCaptureControl = nullptr;    // graphic child that holds this window's capture
    std::unique_ptr<TBitmap> FPaintBuffer;  // kept between paints: the magnifier repaints often
    std::wstring FAccessibleName;
    bool FAnnotated = false;  // the system's annotation service holds the name; else WM_GETOBJECT
};

// Frees a control that owns a window: the window first, then the object.
struct TWindowDeleter {
    void operator()(TWinControl* control) const {
        if (!control) return;
        control->DestroyHandle();
        delete control;
    }
};

// No repainting of a control while it takes many changes; one repaint when the scope ends.
class TUpdateLock {
public:
    explicit TUpdateLock(TWinControl& control) : FHandle(control.Handle()) {
        SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
    }
    ~TUpdateLock() {
        SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(FHandle, nullptr, TRUE);
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;
private:
    HWND FHandle;
};
