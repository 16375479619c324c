#pragma once

#include "Handle.h"

#include <windows.h>

// A window of a class of its own beside the forms, for a picture over the whole screen. The
// class is registered on first use and paints through a DC of its own (CS_OWNDC: under Wine a
// DC of the shared cache that has painted a window keeps its screen-sized surface alive until
// it is used again). The object gets every message from the window's first on. The window
// paints no frame and erases no background (the picture covers it all), keeps its size on a
// change of DPI (one screen pixel a pixel), and no exception leaves a message: it goes to the
// application's report, as a form's do.
class TRawWindow {
public:
    TRawWindow(const TRawWindow&) = delete;
    TRawWindow& operator=(const TRawWindow&) = delete;

    HWND Handle() const { return FWindow.Get(); }
    bool IsOpen() const { return static_cast<bool>(FWindow); }

protected:
    TRawWindow() = default;
    virtual ~TRawWindow() = default;  // the window goes with the object

    // Makes the window (WS_POPUP, hidden) over the bounds, with the class cursor given (nullptr:
    // the window sets its own); false when the class or the window cannot be made.
    bool Create(const wchar_t* className, HCURSOR cursor, DWORD exStyle, const wchar_t* caption,
                const RECT& bounds);
    void Destroy() { FWindow.Reset(); }
    // Every message but the ones answered above; DefWindowProc unless overridden.
    virtual LRESULT Message(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    TWindowHandle FWindow;
};
