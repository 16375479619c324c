#include "RawWindow.h"

#include "Runtime.h"

#include <exception>

bool TRawWindow::Create(const wchar_t* className, HCURSOR cursor, DWORD exStyle, const wchar_t* caption,
                        const RECT& bounds) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, className, &wc)) {
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.lpszClassName = className;
        if (!RegisterClassW(&wc)) return false;
    }
    // The procedure keeps the window in FWindow from its first message on.
    CreateWindowExW(exStyle, className, caption, WS_POPUP, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, nullptr, nullptr, instance, this);
    return IsOpen();
}

LRESULT TRawWindow::Message(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(FWindow.Get(), msg, wp, lp);
}

LRESULT CALLBACK TRawWindow::Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TRawWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->FWindow.Reset(window);  // messages sent while the window is made find it
    }
    auto* self = reinterpret_cast<TRawWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (msg) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self) self->FWindow.Release();
        return DefWindowProcW(window, msg, wp, lp);
    case WM_NCPAINT:  // no frame to paint, and no DC of the shared cache taken for it
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DPICHANGED:
        return 0;
    }
    if (!self) return DefWindowProcW(window, msg, wp, lp);
    Runtime::TProcedureScope scope;
    try {
        return self->Message(msg, wp, lp);
    } catch (const std::exception& e) {
        // No exception may unwind through the system's code.
        Runtime::ReportException(e);
    } catch (...) {
        Runtime::ReportException(Runtime::Product().UnknownError);
    }
    return 0;
}
