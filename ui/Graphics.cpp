#include "Graphics.h"

#include <map>
#include <tuple>

COLORREF ColorToRGB(TColor c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return c;
}

HBRUSH SolidBrush(TColor c) {
    if (c & 0x80000000u) return GetSysColorBrush(static_cast<int>(c & 0xFF));
    static std::map<COLORREF, TBrushHandle> made;
    TBrushHandle& brush = made[c];
    if (!brush) brush.Reset(CreateSolidBrush(c));
    return brush.Get();
}

HFONT CreateFontFrom(const TFontDesc& f, int dpi) {
    return CreateFontW(ScaleToDpi(f.Height, dpi), 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, FALSE, f.Underline, FALSE,
                       f.CharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, f.Name.c_str());
}

HFONT SharedFont(const TFontDesc& f, int dpi) {
    using TKey = std::tuple<std::wstring, int, bool, bool, BYTE>;
    static std::map<TKey, TFontHandle> made;
    TFontHandle& font = made[TKey{f.Name, ScaleToDpi(f.Height, dpi), f.Bold, f.Underline, f.CharSet}];
    if (!font) font.Reset(CreateFontFrom(f, dpi));
    return font.Get();
}

// The DC's own pen and brush take any colour: drawing creates no GDI objects.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) const {
    TSelectObject p(FDC, GetStockObject(DC_PEN)), b(FDC, GetStockObject(DC_BRUSH));
    SetDCPenColor(FDC, ColorToRGB(PenColor));
    SetDCBrushColor(FDC, ColorToRGB(BrushColor));
    ::Rectangle(FDC, x1, y1, x2, y2);
}

void TBitmap::SetSize(int width, int height) {
    if (FDC && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
    TScreenDC screen;
    FDC.Reset(CreateCompatibleDC(screen.Get()));
    FBitmap.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    FOldBitmap = SelectObject(FDC.Get(), FBitmap.Get());
    FWidth = width;
    FHeight = height;
    FCanvas.SetHandle(FDC.Get());
    // A new bitmap is white, as the windows expect before anything is drawn into it.
    RECT r{0, 0, width, height};
    FillRect(FDC.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

HBITMAP TBitmap::Unselected() {
    if (FDC && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
    FOldBitmap = nullptr;
    return FBitmap.Get();
}

TBitmap::~TBitmap() {
    if (FDC && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
}

namespace {
// Found at run time: the program also runs on systems older than per-monitor DPI.
template <class F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}
}  // namespace

int Dpi::OfScreen() {
    TScreenDC dc;
    return GetDeviceCaps(dc.Get(), LOGPIXELSX);
}

int Dpi::OfWindow(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<TGetDpiForWindow>("GetDpiForWindow");
    const UINT dpi = getDpi && window ? getDpi(window) : 0;
    return dpi ? static_cast<int>(dpi) : OfScreen();
}

RECT Dpi::WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    using TAdjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<TAdjust>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return r;
}
