#include "ScreenCapture.h"
#include "screen/Sampling.h"

namespace {
struct TMonitorList {
    RECT* Rects;
    int Capacity, Count;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT monitor, LPARAM lp) {
    auto& list = *reinterpret_cast<TMonitorList*>(lp);
    if (list.Count < list.Capacity) list.Rects[list.Count++] = *monitor;
    return TRUE;
}

}  // namespace

int ScreenMonitors(RECT* rects, int capacity) {
    TMonitorList list{rects, capacity, 0};
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list.Count;
}

namespace {
void Fill(TBitmap& bitmap, TColor color) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.PenColor = color;
    canvas.BrushColor = color;
    canvas.Rectangle(0, 0, bitmap.Width(), bitmap.Height());
}
}  // namespace

void TScreenCapture::Reset(int width, int height) {
    FBitmap = std::make_unique<TBitmap>(width, height);
    Fill(*FBitmap, clWhite);
}

// Read at the first capture and again after each change of the displays, so a pick itself asks
// the system nothing. Beyond the 16th monitor the magnifier stays black.
void TScreenCapture::ReadMonitors() {
    FMonitorCount = ScreenMonitors(FMonitors.data(), static_cast<int>(FMonitors.size()));
}

bool TScreenCapture::OnMonitor(int x, int y) const {
    const POINT p{x, y};
    for (int i = 0; i < FMonitorCount; ++i)
        if (PtInRect(&FMonitors[static_cast<size_t>(i)], p)) return true;
    return false;
}

TColor TScreenCapture::Mean(int x, int y, int side, bool invert) const {
    const int w = FBitmap->Width(), h = FBitmap->Height();
    return MeanColor(x, y, side, [&](int px, int py, TColor& color) {
        const int cx = px - FOrigin.x, cy = py - FOrigin.y;
        if (cx < 0 || cy < 0 || cx >= w || cy >= h || !OnMonitor(px, py)) return false;
        color = Inverted(GetPixel(FBitmap->DC(), cx, cy), invert);
        return true;
    });
}

// The capture's pixel (x, y) is the screen's (P.X - W/2 + x, P.Y - H/2 + y); wherever no
// monitor is (beyond the outer edges, and in the gaps between monitors of different sizes) it
// stays black. Each monitor gives only its own part: Wine copies nothing at all from a
// rectangle that reaches beyond the screen's top left corner while another program's window
// is there.
void TScreenCapture::Take(HDC screen, POINT p) {
    const int w = FBitmap->Width(), h = FBitmap->Height();
    Fill(*FBitmap, clBlack);
    if (FMonitorCount < 0) ReadMonitors();
    FOrigin = {p.x - w / 2, p.y - h / 2};
    RECT source{FOrigin.x, FOrigin.y, FOrigin.x + w, FOrigin.y + h};
    for (int i = 0; i < FMonitorCount; ++i) {
        RECT visible;
        if (!IntersectRect(&visible, &source, &FMonitors[static_cast<size_t>(i)])) continue;
        const int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
        StretchBlt(FBitmap->DC(), visible.left - source.left, visible.top - source.top, vw, vh, screen,
                   visible.left, visible.top, vw, vh, SRCCOPY);
    }
}
