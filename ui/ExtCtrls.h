// Panels, images, shapes and bevels.
#pragma once
#include "Controls.h"
#include <memory>

// A container window with a lowered one-pixel outer bevel.
class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
protected:
    TCreateParams CreateParams() const override;
    void PaintWindow(HDC dc) override;
};

// Shows an icon (with its transparency) or an off-screen bitmap, unscaled at its top left.
class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void SetIcon(TIconHandle icon);
    HICON Icon() const { return FIcon.Get(); }
    // The picture as a bitmap of the image's size, made on first use; draw through its
    // canvas and call Invalidate to show the result.
    TBitmap& Bitmap();
    TCanvas& Canvas() { return Bitmap().Canvas(); }
    void Paint(HDC dc) override;
    // A picture of another size is made again, white, on its next use.
    void ChangeDpi(int dpi) override;
private:
    TIconHandle FIcon;
    std::unique_ptr<TBitmap> FBitmap;
};

// A rectangle drawn with a one-pixel pen outline and a brush fill.
class TShape : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TColor PenColor() const { return FPen; }
    TColor BrushColor() const { return FBrush; }
    void SetPenColor(TColor c);
    void SetBrushColor(TColor c);
    void Paint(HDC dc) override;
private:
    TColor FPen = clBlack;
    TColor FBrush = clWhite;
};

// An etched frame around an area.
class TBevel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(HDC dc) override;
};
