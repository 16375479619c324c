// The magnifier: the middle of a capture stretched over an image at zoom 1..20.
#pragma once
#include "ExtCtrls.h"
#include "ScreenCapture.h"

class TMagnifier {
public:
    explicit TMagnifier(TImage*& image) : FImage(image) {}
    void Clear();
    // Pixels repeat, with no smoothing. A sample larger than one pixel is outlined, in
    // inverted colours, just outside the square it averages.
    void Draw(const TScreenCapture& capture, int zoom, int side);
    // The screen point whose capture pixel shows at the image's (x, y).
    POINT ScreenPoint(const TScreenCapture& capture, int zoom, int x, int y) const;
    // The colour of the picture as shown at (x, y).
    TColor Pixel(int x, int y) const { return FImage->Canvas().Pixel(x, y); }

private:
    TImage*& FImage;  // the window's member, set once its layout is built
};
