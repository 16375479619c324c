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
    if (IsOpen() || !Create(kWindowClass, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"", FBounds))
        return;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Handle(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(Handle());
}

bool TFrozenScreen::Covers(HWND window) const {
    HWND above = Handle();
    while (above && above != window) above = GetWindow(above, GW_HWNDPREV);
    return IsOpen() && !above;
}

void TFrozenScreen::Paint(HDC dc, const RECT& dirty) const {
    BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, FDC.Get(),
           FBounds.left + dirty.left, FBounds.top + dirty.top, SRCCOPY);
}

LRESULT TFrozenScreen::Message(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        TPaintDC paint(Handle());
        Paint(paint.Get(), paint.Dirty());
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETCURSOR:
        if (HCURSOR cursor = Runtime::CursorImage(Runtime::Cursor())) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    }
    return TRawWindow::Message(msg, wp, lp);
}
