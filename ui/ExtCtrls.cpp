#include "ExtCtrls.h"

TCreateParams TPanel::CreateParams() const {
    return {OwnWindowClass(), WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

void TPanel::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    RECT r;
    GetClientRect(FHandle, &r);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

void TImage::SetIcon(TIconHandle icon) {
    FIcon = std::move(icon);
    Invalidate();
}

TBitmap& TImage::Bitmap() {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>(Width(), Height());
    return *FBitmap;
}

void TImage::ChangeDpi(int dpi) {
    TGraphicControl::ChangeDpi(dpi);
    if (FBitmap && (FBitmap->Width() != Width() || FBitmap->Height() != Height())) FBitmap.reset();
}

void TImage::Paint(HDC dc) {
    if (FBitmap) BitBlt(dc, 0, 0, FBitmap->Width(), FBitmap->Height(), FBitmap->DC(), 0, 0, SRCCOPY);
    if (FIcon) DrawIconEx(dc, 0, 0, FIcon.Get(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TShape::SetPenColor(TColor c) {
    if (FPen == c) return;
    FPen = c;
    Invalidate();
}

void TShape::SetBrushColor(TColor c) {
    if (FBrush == c) return;
    FBrush = c;
    Invalidate();
}

void TShape::Paint(HDC dc) {
    TCanvas canvas(dc);
    // Colours with a top byte (a failed screen read gives 0xFFFFFFFF) paint their low bytes.
    canvas.PenColor = FPen & 0xFFFFFF;
    canvas.BrushColor = FBrush & 0xFFFFFF;
    canvas.Rectangle(0, 0, Width(), Height());
}

void TBevel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}
