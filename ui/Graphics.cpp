#include "Graphics.h"

COLORREF ColorToRGB(TColor c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return c;
}

HFONT CreateFontFrom(const TFontDesc& f) {
    return CreateFontW(f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, FALSE, f.Underline, FALSE,
                       f.CharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, f.Name.c_str());
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
std::wstring ToWide(UINT codePage, const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string FromWide(UINT codePage, const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}
}  // namespace

std::wstring Utf8ToWide(const std::string& s) { return ToWide(CP_UTF8, s); }
std::string WideToUtf8(const std::wstring& w) { return FromWide(CP_UTF8, w); }
std::wstring AnsiToWide(const std::string& s) { return ToWide(CP_ACP, s); }
std::string WideToAnsi(const std::wstring& w) { return FromWide(CP_ACP, w); }
