// Colours, fonts, handle owners and off-screen bitmaps of the widget layer.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <utility>

// A colour as 0x00BBGGRR (red in the lowest byte). Values with the top bit set and a system
// colour index in the low byte name a system colour and follow the user's theme.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clBlue = 0xFF0000,
                 clGreen = 0x008000;
constexpr TColor SystemColor(int index) { return 0x80000000u | static_cast<TColor>(index); }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
COLORREF ColorToRGB(TColor c);

// Sole owner of a GDI or USER handle: movable, not copyable.
template <class H, auto Free>
class TOwned {
public:
    explicit TOwned(H h = nullptr) : FH(h) {}
    ~TOwned() { Reset(); }
    TOwned(TOwned&& o) noexcept : FH(std::exchange(o.FH, nullptr)) {}
    TOwned& operator=(TOwned o) noexcept { std::swap(FH, o.FH); return *this; }
    TOwned(const TOwned&) = delete;
    H Get() const { return FH; }
    H Release() { return std::exchange(FH, nullptr); }
    void Reset(H h = nullptr) { if (FH) Free(FH); FH = h; }
    explicit operator bool() const { return FH != nullptr; }
private:
    H FH;
};
inline BOOL DeleteGdiObject(HGDIOBJ h) { return DeleteObject(h); }
using TBitmapHandle = TOwned<HBITMAP, &DeleteGdiObject>;
using TFontHandle = TOwned<HFONT, &DeleteGdiObject>;
using TBrushHandle = TOwned<HBRUSH, &DeleteGdiObject>;
using TPenHandle = TOwned<HPEN, &DeleteGdiObject>;
using TIconHandle = TOwned<HICON, &DestroyIcon>;
using TMemoryDCHandle = TOwned<HDC, &DeleteDC>;

// The device context of the whole screen (all monitors), released on every path.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, FDC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return FDC; }
private:
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

struct TFontDesc {
    std::wstring Name = L"宋体";
    int Height = -13;  // negative: character height in pixels, as the layouts give it
    bool Bold = false;
    bool Underline = false;
    TColor Color = clWindowText;
    BYTE CharSet = ANSI_CHARSET;
    bool operator==(const TFontDesc& o) const {
        return Name == o.Name && Height == o.Height && Bold == o.Bold &&
               Underline == o.Underline && Color == o.Color && CharSet == o.CharSet;
    }
};
HFONT CreateFontFrom(const TFontDesc& f);

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

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);
// Between window texts (UTF-16) and what the program stores or hands on: 8-bit text in the
// system's code page.
std::wstring AnsiToWide(const std::string& s);
std::string WideToAnsi(const std::wstring& s);
