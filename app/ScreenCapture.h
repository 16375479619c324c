// The screen around the last pick, as the magnifier shows it and a larger sample averages it.
#pragma once
#include "Graphics.h"
#include <array>
#include <memory>

// The colour with each channel 255 - x, when Invert.
inline TColor Inverted(TColor c, bool invert) { return invert ? (c & 0xFF000000u) | (~c & 0xFFFFFFu) : c; }

// Fills Rects with the monitors' rectangles, at most Capacity of them; gives their count.
int ScreenMonitors(RECT* rects, int capacity);

class TScreenCapture {
public:
    // A white capture of the magnifier's size; the old one goes.
    void Reset(int width, int height);
    void Release() { FBitmap.reset(); }
    const TBitmap* Bitmap() const { return FBitmap.get(); }
    // The screen point of the capture's top left pixel.
    POINT Origin() const { return FOrigin; }
    // Copies the rectangle centred on P from the screen.
    void Take(HDC screen, POINT p);
    // The sampled square around a screen point, read from the capture; pixels outside the
    // capture or on no monitor are left out. Invert: each pixel's channels are 255 - x.
    TColor Mean(int x, int y, int side, bool invert = false) const;
    // The displays changed: the monitors are read again before the next capture.
    void MonitorsChanged() { FMonitorCount = -1; }

private:
    void ReadMonitors();
    bool OnMonitor(int x, int y) const;
    std::unique_ptr<TBitmap> FBitmap;
    POINT FOrigin{};
    // The monitors' rectangles; -1: to be read before the next capture.
    std::array<RECT, 16> FMonitors{};
    int FMonitorCount = -1;
};
