#include "FrozenScreen.h"
#include "Graphics.h"
#include "Runtime.h"
#include "ScreenCapture.h"
#include <array>

namespace {
constexpr wchar_t kWindowClass[] = L"QuilloraFrozenScreen";
}

std::unique_ptr<TFrozenScreen> TFrozenScreen::Take() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT bounds{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    std::array<RECT, 16> monitors;
    return Take(bounds, monitors.data(), ScreenMonitors(monitors.data(), static_cast<int>(monitors.size())));
}

// A DIB section starts black and is freed at once when it goes, unlike a bitmap the display
// driver keeps. Its DC uses the screen's coordinates.
std::unique_ptr<TFrozenScreen> TFrozenScreen::Blank(const RECT& bounds) {
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0 || height > INT32_MAX / 4 / width) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDCHandle dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !SelectObject(dc.Get(), bitmap.Get())) return nullptr;
    SetWindowOrgEx(dc.Get(), bounds.left, bounds.top, nullptr);
    return std::unique_ptr<TFrozenScreen>(
        new TFrozenScreen(bounds, std::move(bitmap), std::move(dc), static_cast<std::uint32_t*>(bits)));
}

// Each monitor gives only its own part, so the gaps between monitors of different sizes stay
// black.
std::unique_ptr<TFrozenScreen> TFrozenScreen::Take(const RECT& bounds, const RECT* monitors, int count) {
    std::unique_ptr<TFrozenScreen> picture = Blank(bounds);
    if (!picture) return nullptr;
    TScreenDC screen;
    for (int i = 0; i < count; ++i) {
        RECT part;
        if (!IntersectRect(&part, &monitors[i], &bounds)) continue;
        BitBlt(picture->DC(), part.left, part.top, part.right - part.left, part.bottom - part.top, screen.Get(),
               part.left, part.top, SRCCOPY | CAPTUREBLT);
    }
    GdiFlush();
    return picture;
}

TFrozenScreen::TFrozenScreen(const RECT& bounds, TBitmapHandle bitmap, TMemoryDCHandle dc, std::uint32_t* pixels)
    : FBounds(bounds), FBitmap(std::move(bitmap)), FDC(std::move(dc)), FPixels(pixels) {}

// Topmost at first, then moved just below the main window (topmost itself for as long as the
// picture is shown), so that the window and its magnifier stay above it and live.
void TFrozenScreen::Show(HWND above) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        // Painted only through a DC of its own, which goes with the window: under Wine a DC of
        // the shared cache that has painted a window keeps its screen-sized surface alive until
        // that DC is used again.
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = &WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered || FWindow) return;
    FWindow.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass, L"",
                                  WS_POPUP, FBounds.left, FBounds.top, FBounds.right - FBounds.left,
                                  FBounds.bottom - FBounds.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  const_cast<TFrozenScreen*>(this)));
    if (!FWindow) return;
    SetWindowPos(FWindow.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(FWindow.Get(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(FWindow.Get());
}

bool TFrozenScreen::Covers(HWND window) const {
    HWND above = FWindow.Get();
    while (above && above != window) above = GetWindow(above, GW_HWNDPREV);
    return FWindow && !above;
}

void TFrozenScreen::Paint(HDC dc, const RECT& dirty) const {
    BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, FDC.Get(),
           FBounds.left + dirty.left, FBounds.top + dirty.top, SRCCOPY);
}

LRESULT CALLBACK TFrozenScreen::WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    const auto* self = reinterpret_cast<const TFrozenScreen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (msg) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        if (self) {
            TPaintDC paint(window);
            self->Paint(paint.Get(), paint.Dirty());
            return 0;
        }
        break;
    case WM_NCPAINT:  // no frame to paint, and no DC of the shared cache taken for it
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DPICHANGED:  // the picture stays at one screen pixel a pixel
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETCURSOR:
        if (HCURSOR cursor = Runtime::CursorImage(Runtime::Cursor())) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    }
    return DefWindowProcW(window, msg, wp, lp);
}
