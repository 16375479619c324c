#include "ZoomView.h"
#include "screen/Magnifier.h"

namespace {
// The magnifier pixel that shows capture pixel C, along one axis: the source S..S+N stretched
// over 0..D; and back.
constexpr int ToZoom(int c, int s, int n, int d) { return (c - s) * d / n; }
constexpr int FromZoom(int z, int s, int n, int d) { return s + (2 * z + 1) * n / (2 * d); }
}  // namespace

void TMagnifier::Clear() {
    TCanvas& canvas = FImage->Canvas();
    canvas.PenColor = clWhite;
    canvas.BrushColor = clWhite;
    canvas.Rectangle(0, 0, FImage->Width(), FImage->Height());
}

void TMagnifier::Draw(const TScreenCapture& capture, int zoom, int side) {
    TCanvas& canvas = FImage->Canvas();
    const int w = FImage->Width(), h = FImage->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    const TBitmap& source = *capture.Bitmap();
    const TZoomSource s = ZoomSource(w, h, zoom);
    StretchBlt(canvas.Handle(), 0, 0, w, h, source.DC(), s.X, s.Y, s.Width, s.Height, SRCCOPY);
    if (side > 1) {
        const int reach = side / 2, cx = source.Width() / 2, cy = source.Height() / 2;
        const int left = ToZoom(cx - reach, s.X, s.Width, w) - 1, right = ToZoom(cx + reach + 1, s.X, s.Width, w);
        const int top = ToZoom(cy - reach, s.Y, s.Height, h) - 1, bottom = ToZoom(cy + reach + 1, s.Y, s.Height, h);
        HDC dc = canvas.Handle();
        PatBlt(dc, left, top, right - left + 1, 1, DSTINVERT);
        PatBlt(dc, left, bottom, right - left + 1, 1, DSTINVERT);
        PatBlt(dc, left, top + 1, 1, bottom - top - 1, DSTINVERT);
        PatBlt(dc, right, top + 1, 1, bottom - top - 1, DSTINVERT);
    }
    FImage->Invalidate();
}

POINT TMagnifier::ScreenPoint(const TScreenCapture& capture, int zoom, int x, int y) const {
    const int w = FImage->Width(), h = FImage->Height();
    const TZoomSource s = ZoomSource(w, h, zoom);
    return {capture.Origin().x + FromZoom(x, s.X, s.Width, w), capture.Origin().y + FromZoom(y, s.Y, s.Height, h)};
}
