// A still picture of every monitor, for a keyboard pick that reads from it instead of the live
// screen: hover states, tooltips, open menus and animations stay as they were at the key.
#pragma once
#include "Handle.h"
#include "RawWindow.h"
#include <cstdint>
#include <memory>

class TFrozenScreen : private TRawWindow {
public:
    // The whole virtual screen as it is now, layered windows included; whatever lies on no
    // monitor is black. Null when the picture cannot be allocated (one 32-bit pixel for each of
    // the virtual screen's pixels).
    static std::unique_ptr<TFrozenScreen> Take();
    // Bounds: the virtual screen; Monitors: the rectangles copied into it.
    static std::unique_ptr<TFrozenScreen> Take(const RECT& bounds, const RECT* monitors, int count);
    // A black picture over Bounds, to be drawn into; null when it cannot be allocated.
    static std::unique_ptr<TFrozenScreen> Blank(const RECT& bounds);
    ~TFrozenScreen() override { Destroy(); }  // the window goes before the picture it shows

    // The picture, with the screen's coordinates: (x, y) is the screen's pixel (x, y).
    HDC DC() const { return FDC.Get(); }
    // Its pixels, row by row from the top, 32 bits each with blue in the lowest byte.
    const std::uint32_t* Pixels() const { return FPixels; }
    std::uint32_t* Pixels() { return FPixels; }
    const RECT& Bounds() const { return FBounds; }
    // The part Dirty of a window that lies over the picture's bounds.
    void Paint(HDC dc, const RECT& dirty) const;
    // Shows the picture 1:1 in physical pixels in a borderless topmost window over the whole
    // virtual screen, just below Above, without taking the focus. It never rescales, on any DPI,
    // and the pick cursor stays over it.
    void Show(HWND above);
    using TRawWindow::Handle;
    // Whether the picture lies above Window, which should stay above it and live.
    bool Covers(HWND window) const;

private:
    TFrozenScreen(const RECT& bounds, TBitmapHandle bitmap, TMemoryDCHandle dc, std::uint32_t* pixels);
    LRESULT Message(UINT msg, WPARAM wp, LPARAM lp) override;
    RECT FBounds;
    TBitmapHandle FBitmap;
    TMemoryDCHandle FDC;
    std::uint32_t* FPixels;
};
