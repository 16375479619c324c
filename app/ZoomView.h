// The magnifier: the middle of a capture stretched over an image at zoom 1..20, or, with the
// grid, each pixel an exact square with lines between them.
#pragma once
#include "ExtCtrls.h"
#include "Handle.h"
#include "ScreenCapture.h"

class TMagnifier {
public:
    explicit TMagnifier(TImage*& image) : FImage(image) {}
    ~TMagnifier();
    TMagnifier(const TMagnifier&) = delete;
    TMagnifier& operator=(const TMagnifier&) = delete;
    void Clear();
    // Pixels repeat, with no smoothing. A sample larger than one pixel is outlined, in
    // inverted colours, just outside the square it averages. With the grid, from 600 %, each
    // capture pixel is a square of zoom / 100 pixels (scaled with the monitor), the capture's
    // centre pixel in the middle, with a one-pixel line at the left and top of each square,
    // each line pixel the colour under it with every channel moved by 128 (lighter on dark,
    // darker on light); the sample's squares, a single pixel's too, get an inverted frame two
    // pixels wide, from their lines inwards. Mark (a screen point; none when null) is a small
    // cross where it is in view, with a line from it to the centre. Nothing is allocated
    // unless the grid's size changed.
    void Draw(const TScreenCapture& capture, int zoom, int side, bool grid, const POINT* mark);
    static constexpr int kGridFromZoom = 6;  // 600 %
    // The screen point whose capture pixel shows at the image's (x, y), as last drawn.
    POINT ScreenPoint(const TScreenCapture& capture, int zoom, int x, int y) const;
    // The colour of the picture as shown at (x, y).
    TColor Pixel(int x, int y) const { return FImage->Canvas().Pixel(x, y); }
    // The squares' size as last drawn; 0 when the picture was stretched.
    int Cell() const { return FCell; }

private:
    // Along one axis (capture size N, image size D): the image's first coordinate of capture
    // pixel C's square or stretched area, and the capture pixel shown at image coordinate Z.
    int ToImage(int c, int n, int d, int zoom, bool vertical) const;
    int FromImage(int z, int n, int d, int zoom, bool vertical) const;
    void MakeGridMask(int width, int height, int captureWidth, int captureHeight);
    TImage*& FImage;  // the window's member, set once its layout is built
    int FCell = 0;
    // The grid's lines, a bit a pixel, made again only when the squares' or the image's size
    // changes: one blit lays them over the picture.
    TBitmapHandle FMask;
    TMemoryDCHandle FMaskDC;
    HGDIOBJ FMaskOld = nullptr;
    int FMaskCell = 0, FMaskWidth = 0, FMaskHeight = 0;
};
