// Picking a colour from the screen. Each way of picking is a session (a drag from a "+" icon, a
// keyboard pick, a click into the magnifier) driven by the main window through a TPicker, which
// owns the capture and the magnifier and tells the window what a pick found.
#pragma once
#include "colour/ColorModel.h"
#include "Commands.h"
#include "Options.h"
#include "FrozenScreen.h"
#include "settings/HotKey.h"
#include "ScreenCapture.h"
#include "TrueColor.h"
#include "ZoomView.h"
#include <array>
#include <memory>

// The hot key's id, and the messages the mouse hook of a keyboard pick posts to the window.
constexpr int kPickHotKeyId = 1;
constexpr UINT WM_PICKCLICK = WM_USER + 2;  // wParam: 1 left button (take), 0 right (cancel)
constexpr UINT WM_PICKMOVE = WM_USER + 3;
constexpr UINT WM_PICKUNHOOK = WM_USER + 4;

// What picking needs of the window it serves.
class TPickHost {
public:
    virtual HWND PickWindow() const = 0;
    virtual int Zoom() const = 0;  // 1..20
    // A pick's colour becomes the current colour; with AtPosition the status shows the point.
    virtual void ShowPick(const TPickSample& sample, bool atPosition) = 0;
    // A drag or keyboard pick is over: the status shows the hint again.
    virtual void ShowHint() = 0;
    // A pick has taken its colour (a drag released, a keyboard pick taken, a magnifier click).
    virtual void PickTaken() = 0;
    // A pick for a dialog has taken the colour it shows: it goes to Taken, and the window
    // shows again what it showed before the pick.
    virtual void PickTakenFor(const std::function<void(TColor)>& taken) = 0;
    // What the window shows, kept when a keyboard pick starts and shown again when it is
    // cancelled.
    virtual void KeepShown() = 0;
    virtual void ShowKept() = 0;
    // The screen was frozen or thawed: while a still picture is shown, the window keeps above it.
    virtual void FreezeChanged() = 0;

protected:
    ~TPickHost() = default;
};

class TPicker;

// "  Δx 12, Δy -24, 26.8 px": the position minus the mark in physical pixels (y grows
// downwards) and the straight-line distance with one decimal, into Out without allocating.
void MarkDistanceText(wchar_t* out, std::size_t size, POINT position, POINT mark);

class TPickSession {
public:
    explicit TPickSession(TPicker& picker) : FPicker(picker) {}
    virtual ~TPickSession() = default;
    TPickSession(const TPickSession&) = delete;
    TPickSession& operator=(const TPickSession&) = delete;
    virtual void Start() = 0;
    // The cursor moved: a pick there.
    virtual void Move(POINT p);
    // The picker has let the session go before these run.
    virtual void Take() = 0;
    virtual void Cancel() = 0;
    // Enter, Esc, clicks anywhere and the cursor over other programs end or move it.
    virtual bool FromKeyboard() const { return false; }

protected:
    TPicker& FPicker;
};

class TPicker {
public:
    TPicker(TPickHost& host, TImage*& zoomImage) : FHost(host), FMagnifier(zoomImage) {}
    TPickHost& Host() { return FHost; }
    TTrueColor& TrueColor() { return FTrueColor; }
    const TTrueColor& TrueColor() const { return FTrueColor; }

    // A white capture and magnifier at the magnifier's size (at start and for each DPI).
    void Reset(int width, int height);
    // The "+" icons, the magnifier's ring and the pick cursors at Size pixels (32 times the
    // window's scale), then Reset.
    void MakeDpiImages(int size, std::array<TImage*, 2> drags, TImage* zoomCursor, int width, int height);
    // No pick may touch the capture once it is gone.
    void Release();
    const TBitmap* Capture() const { return FCapture.Bitmap(); }
    // Pixels a side that a pick averages: 1, 3 or 5.
    int SampleSide() const { return FSampleSide; }
    void SetSampleSide(int side);
    // The mark M sets during a pick, in screen pixels; null when none is set.
    const POINT* Mark() const { return FMarked ? &FMark : nullptr; }
    void Redraw();

    bool Active() const { return FSession != nullptr; }
    bool Dragging() const;
    bool KeyPicking() const { return FSession && FSession->FromKeyboard(); }
    // Starts a session unless one is on or nothing can be captured.
    void Begin(std::unique_ptr<TPickSession> session);
    void Take();
    void Cancel();
    // The cursor moved: the session picks there.
    void Move();

    // One pick per mouse move; it allocates nothing, so it keeps up with the fastest mouse. A
    // single pixel is read from the screen; a larger sample is averaged from the capture.
    void PickAt(POINT p);
    POINT LastPick() const { return FLastPick; }
    // One physical pixel per arrow key, ten with Shift, kept on the screen.
    void Step(int dx, int dy);
    // A click into the magnifier at (x, y): the colour there, as a pick shows it (the profiles
    // and conditions as Begin read them).
    TPickSample ZoomSample(int x, int y);

    // A keyboard pick reads from a still picture of every monitor, shown over them, from now on
    // (before the pick starts too, so that what the foreground's change closes is in it);
    // when none can be allocated, it goes on live and the status says so.
    void Freeze();
    // Back to the live screen; also when any pick ends.
    void Thaw();
    bool Frozen() const { return FFrozen != nullptr; }
    // What the status shows after the position: frozen, or that freezing failed; empty when
    // neither.
    const wchar_t* FreezeText() const;

    // The hot key that starts a keyboard pick, registered for the window's life; a key another
    // program holds is left unregistered.
    void RegisterHotKey(const THotKey& key);
    const THotKey& HotKey() const { return FHotKey; }
    bool HotKeyRegistered() const { return FHotKeyRegistered; }
    // The messages Message takes.
    static bool Handles(UINT msg);

    // The picker's entries: "取样", "色彩空间" with the lines that say what the profile and the
    // screen do, and "冻结屏幕取色"; the first two settings take effect here.
    void AddCommands(TCommandTable& commands, TOptions& options);
    // The colour menu opens: the profile and the conditions as they are now.
    void MenuOpening();

    // The keys of a pick, before any control sees them; true when taken.
    // A key held down repeats the arrows' steps, not the other keys.
    bool Key(WPARAM key, bool repeat = false);
    // The window's messages that concern picking.
    void Message(UINT msg, WPARAM wp);

private:
    void PickFrom(HDC source, POINT p);
    friend class TPickBenchmark;  // times the parts of a pick
    TPickHost& FHost;
    TScreenCapture FCapture;
    TMagnifier FMagnifier;
    TTrueColor FTrueColor;
    std::unique_ptr<TPickSession> FSession;
    std::unique_ptr<TFrozenScreen> FFrozen;
    bool FFreezeFailed = false;
    int FSampleSide = 1;
    bool FGrid = false;
    bool FMarked = false;
    POINT FMark{};
    POINT FLastPick{};
    std::vector<std::wstring> FSpaceInfo;  // the colour space menu's information lines
    THotKey FHotKey{};
    bool FHotKeyRegistered = false;
};

// A drag from a "+" icon: the mouse is captured until the button is released.
class TDragPick : public TPickSession {
public:
    TDragPick(TPicker& picker, TImage* pressed, std::array<TImage*, 2> icons)
        : TPickSession(picker), FPressed(pressed), FIcons(icons) {}
    void Start() override;
    void Take() override;
    void Cancel() override;

private:
    void End();
    TImage* FPressed;
    std::array<TImage*, 2> FIcons;
};

// A pick without a drag, from the hot key or the menu: every move picks until Enter or a left
// click takes the colour under the cursor, or Esc or a right click puts back what was shown.
class TKeyPick : public TPickSession {
public:
    using TPickSession::TPickSession;
    // A pick for someone else (a dialog's eyedropper): the window shows again what it showed
    // before and Taken gets the colour, which goes to the recent colours and nowhere else.
    // Cancelled, when given, runs once the window shows again what it showed.
    TKeyPick(TPicker& picker, std::function<void(TColor)> taken, std::function<void()> cancelled = {})
        : TPickSession(picker), FTaken(std::move(taken)), FCancelled(std::move(cancelled)) {}
    void Start() override;
    void Take() override;
    void Cancel() override;
    bool FromKeyboard() const override { return true; }

private:
    void End();
    std::function<void(TColor)> FTaken;
    std::function<void()> FCancelled;
};

// A click into the magnifier (any button) takes the colour shown there at once.
class TMagnifierPick : public TPickSession {
public:
    TMagnifierPick(TPicker& picker, int x, int y) : TPickSession(picker), FX(x), FY(y) {}
    void Start() override;
    void Take() override;
    void Cancel() override {}

private:
    int FX, FY;
};
