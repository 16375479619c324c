#include "ZoomView.h"
#include "screen/Magnifier.h"

namespace {
// Division that rounds towards minus infinity.
constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
// D xor (P and S): where the one-bit source is set, each channel of the picture moved by the
// brush's 128.
constexpr DWORD kXorWhereSet = 0x006A01E9;
constexpr int kMarkArm = 4;  // the mark's cross: pixels each side of its centre, at 96 DPI
}  // namespace

TMagnifier::~TMagnifier() {
    if (FMaskOld) SelectObject(FMaskDC.Get(), FMaskOld);
}

void TMagnifier::Clear() {
    TCanvas& canvas = FImage->Canvas();
    canvas.PenColor = clWhite;
    canvas.BrushColor = clWhite;
    canvas.Rectangle(0, 0, FImage->Width(), FImage->Height());
}

// Stretched: the source S..S+N' (ZoomSource) over 0..D. Grid: capture pixel C's square starts
// Cell * (C - N / 2) from the middle square's edge, D / 2 - Cell / 2.
int TMagnifier::ToImage(int c, int n, int d, int zoom, bool vertical) const {
    if (FCell) return d / 2 - FCell / 2 + (c - n / 2) * FCell;
    const TZoomSource s = vertical ? ZoomSource(FImage->Width(), d, zoom) : ZoomSource(d, FImage->Height(), zoom);
    const int first = vertical ? s.Y : s.X, count = vertical ? s.Height : s.Width;
    return (c - first) * d / count;
}

int TMagnifier::FromImage(int z, int n, int d, int zoom, bool vertical) const {
    if (FCell) return n / 2 + FloorDiv(z - (d / 2 - FCell / 2), FCell);
    const TZoomSource s = vertical ? ZoomSource(FImage->Width(), d, zoom) : ZoomSource(d, FImage->Height(), zoom);
    const int first = vertical ? s.Y : s.X, count = vertical ? s.Height : s.Width;
    return first + (2 * z + 1) * count / (2 * d);
}

void TMagnifier::MakeGridMask(int width, int height, int captureWidth, int captureHeight) {
    if (FMask && FMaskCell == FCell && FMaskWidth == width && FMaskHeight == height) return;
    if (!FMaskDC) FMaskDC.Reset(CreateCompatibleDC(nullptr));
    if (FMaskOld) SelectObject(FMaskDC.Get(), FMaskOld);
    FMask.Reset(CreateBitmap(width, height, 1, 1, nullptr));
    FMaskOld = SelectObject(FMaskDC.Get(), FMask.Get());
    HDC dc = FMaskDC.Get();
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    const int x0 = ToImage(0, captureWidth, width, 0, false), y0 = ToImage(0, captureHeight, height, 0, true);
    for (int x = (x0 % FCell + FCell) % FCell; x < width; x += FCell) PatBlt(dc, x, 0, 1, height, WHITENESS);
    for (int y = (y0 % FCell + FCell) % FCell; y < height; y += FCell) PatBlt(dc, 0, y, width, 1, WHITENESS);
    FMaskCell = FCell;
    FMaskWidth = width;
    FMaskHeight = height;
}

void TMagnifier::Draw(const TScreenCapture& capture, int zoom, int side, bool grid, const POINT* mark) {
    TCanvas& canvas = FImage->Canvas();
    HDC dc = canvas.Handle();
    const int w = FImage->Width(), h = FImage->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    const TBitmap& source = *capture.Bitmap();
    const int cw = source.Width(), ch = source.Height(), cx = cw / 2, cy = ch / 2;
    FCell = grid && zoom >= kGridFromZoom ? FImage->Scale(zoom) : 0;
    if (FCell) {
        const int left = FromImage(0, cw, w, zoom, false), top = FromImage(0, ch, h, zoom, true);
        const int across = FromImage(w - 1, cw, w, zoom, false) - left + 1;
        const int down = FromImage(h - 1, ch, h, zoom, true) - top + 1;
        StretchBlt(dc, ToImage(left, cw, w, zoom, false), ToImage(top, ch, h, zoom, true), across * FCell,
                   down * FCell, source.DC(), left, top, across, down, SRCCOPY);
        MakeGridMask(w, h, cw, ch);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        const HGDIOBJ brush = SelectObject(dc, SolidBrush(RGB(128, 128, 128)));
        BitBlt(dc, 0, 0, w, h, FMaskDC.Get(), 0, 0, kXorWhereSet);
        SelectObject(dc, brush);
    } else {
        const TZoomSource s = ZoomSource(w, h, zoom);
        StretchBlt(dc, 0, 0, w, h, source.DC(), s.X, s.Y, s.Width, s.Height, SRCCOPY);
    }
    if (side > 1 || FCell) {
        const int reach = side / 2;
        int left = ToImage(cx - reach, cw, w, zoom, false), right = ToImage(cx + reach + 1, cw, w, zoom, false);
        int top = ToImage(cy - reach, ch, h, zoom, true), bottom = ToImage(cy + reach + 1, ch, h, zoom, true);
        if (FCell) {  // two pixels wide, from the lines round the sample inwards
            PatBlt(dc, left, top, right - left + 1, 2, DSTINVERT);
            PatBlt(dc, left, bottom - 1, right - left + 1, 2, DSTINVERT);
            PatBlt(dc, left, top + 2, 2, bottom - top - 3, DSTINVERT);
            PatBlt(dc, right - 1, top + 2, 2, bottom - top - 3, DSTINVERT);
        } else {  // one pixel, just outside the sample
            --left;
            --top;
            PatBlt(dc, left, top, right - left + 1, 1, DSTINVERT);
            PatBlt(dc, left, bottom, right - left + 1, 1, DSTINVERT);
            PatBlt(dc, left, top + 1, 1, bottom - top - 1, DSTINVERT);
            PatBlt(dc, right, top + 1, 1, bottom - top - 1, DSTINVERT);
        }
    }
    if (mark) {
        // Both at the middle of their pixels' squares or areas; lines in inverted colours.
        const auto middle = [&](int c, int n, int d, bool vertical) {
            return (ToImage(c, n, d, zoom, vertical) + ToImage(c + 1, n, d, zoom, vertical)) / 2;
        };
        const POINT at{middle(mark->x - capture.Origin().x, cw, w, false), middle(mark->y - capture.Origin().y, ch, h, true)};
        const POINT centre{middle(cx, cw, w, false), middle(cy, ch, h, true)};
        if (at.x >= 0 && at.y >= 0 && at.x < w && at.y < h) {
            const int arm = FImage->Scale(kMarkArm);
            const int rop = SetROP2(dc, R2_NOT);
            MoveToEx(dc, at.x - arm, at.y, nullptr);
            LineTo(dc, at.x + arm + 1, at.y);
            MoveToEx(dc, at.x, at.y - arm, nullptr);
            LineTo(dc, at.x, at.y + arm + 1);
            if (at.x != centre.x || at.y != centre.y) {
                MoveToEx(dc, at.x, at.y, nullptr);
                LineTo(dc, centre.x, centre.y);
            }
            SetROP2(dc, rop);
        }
    }
    FImage->Invalidate();
}

POINT TMagnifier::ScreenPoint(const TScreenCapture& capture, int zoom, int x, int y) const {
    const TBitmap& source = *capture.Bitmap();
    return {capture.Origin().x + FromImage(x, source.Width(), FImage->Width(), zoom, false),
            capture.Origin().y + FromImage(y, source.Height(), FImage->Height(), zoom, true)};
}
