// Colours, fonts, device contexts, off-screen bitmaps and the screen's DPI for the widget layer.
#pragma once
#include "Color.h"
#include "Handle.h"
#include <windows.h>
#include <string>

// Every position and size the windows are laid out with is a figure at 96 DPI (100 %); a
// window multiplies it by its monitor's DPI / 96, rounded to nearest.
constexpr int kDesignDpi = 96;
inline int ScaleToDpi(int value, int dpi) { return MulDiv(value, dpi, kDesignDpi); }

namespace Dpi {
// The DPI of the monitor a window is on; a system without per-monitor DPI gives the screen's.
int OfWindow(HWND window);
// The screen's DPI as the system reports it to this program.
int OfScreen();
// The window rectangle around a client area of the given size, with the frame and caption as
// they are drawn at that DPI.
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
}  // namespace Dpi

// Values with the top bit set and a system colour index in the low byte name a system colour
// and follow the user's theme.
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clBlue = 0xFF0000,
                 clGreen = 0x008000;
constexpr TColor SystemColor(int index) { return 0x80000000u | static_cast<TColor>(index); }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
COLORREF ColorToRGB(TColor c);
// A solid brush of the colour, borrowed: a system colour's brush is the system's own, any
// other is made once and kept for the rest of the run.
HBRUSH SolidBrush(TColor c);

// The device context of a window's client area, or of the whole screen (all monitors) for a
// null window, released on every path.
class TClientDC {
public:
    explicit TClientDC(HWND window = nullptr) : FWindow(window), FDC(GetDC(window)) {}
    ~TClientDC() { ReleaseDC(FWindow, FDC); }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;
    HDC Get() const { return FDC; }
private:
    HWND FWindow;
    HDC FDC;
};
using TScreenDC = TClientDC;

// BeginPaint and EndPaint around one WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : FWindow(window) { FDC = BeginPaint(window, &FPaint); }
    ~TPaintDC() { EndPaint(FWindow, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC Get() const { return FDC; }
    const RECT& Dirty() const { return FPaint.rcPaint; }
private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// Selects a GDI object into a DC for one scope and puts the previous one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(SelectObject(dc, obj)) {}
    ~TSelectObject() { SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
private:
    HDC FDC;
    HGDIOBJ FOld;
};

// A font as the controls describe it; the application's default comes from the program.
struct TFontDesc {
    std::wstring Name;
    int Height = 0;  // negative: character height in pixels at 96 DPI, as the layouts give it
    bool Bold = false;
    bool Underline = false;
    TColor Color = clWindowText;
    BYTE CharSet = ANSI_CHARSET;
    bool operator==(const TFontDesc& o) const {
        return Name == o.Name && Height == o.Height && Bold == o.Bold &&
               Underline == o.Underline && Color == o.Color && CharSet == o.CharSet;
    }
};
// The font at a DPI: its height scales with it, so 9 points stay 9 points.
HFONT CreateFontFrom(const TFontDesc& f, int dpi = kDesignDpi);
// The same, made once for each face, height, weight, underline and character set at each DPI
// and lent to every control that asks: a window of 40 controls holds a handful of fonts. Kept
// for the rest of the run.
HFONT SharedFont(const TFontDesc& f, int dpi = kDesignDpi);

// Pen and brush colours plus the few drawing operations the windows use, on any DC.
class TCanvas {
public:
    explicit TCanvas(HDC dc = nullptr) : FDC(dc) {}
    HDC Handle() const { return FDC; }
    void SetHandle(HDC dc) { FDC = dc; }
    TColor PenColor = clBlack;
    TColor BrushColor = clWhite;
    // Outline in the pen colour, filled with the brush colour, like GDI's Rectangle.
    void Rectangle(int x1, int y1, int x2, int y2) const;
    TColor Pixel(int x, int y) const { return GetPixel(FDC, x, y); }
private:
    HDC FDC;
};

// An off-screen bitmap in the screen's pixel format with its own memory DC, made once and
// drawn into many times.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    void SetSize(int width, int height);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    HDC DC() const { return FDC.Get(); }
    HBITMAP Handle() const { return FBitmap.Get(); }
    // Takes the bitmap out of its DC, for calls that copy it (an image list); the canvas
    // draws no more after this.
    HBITMAP Unselected();
    TCanvas& Canvas() { return FCanvas; }
private:
    int FWidth = 0, FHeight = 0;
    TMemoryDCHandle FDC;
    TBitmapHandle FBitmap;
    HGDIOBJ FOldBitmap = nullptr;
    TCanvas FCanvas;
};
