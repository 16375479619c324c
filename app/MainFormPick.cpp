// Picking from the screen by dragging a "+" icon, and the magnifier around the cursor.
#include "MainForm.h"
#include "Magnifier.h"
#include "VopClass.h"

void TfrmMain::imgDragMouseDown(TImage* pressed, TMouseButton button) {
    if (button != TMouseButton::Left) return;
    // From here every mouse message, wherever the cursor is, comes to the main window.
    SetCapture(Handle());
    Application.SetCursor(1);
    FDragging = true;
    pressed->SetVisible(false);
}

// One pick per mouse move; it allocates nothing, so it keeps up with the fastest mouse.
void TfrmMain::FormMouseMove() {
    if (!FDragging || !FCapture) return;
    TScreenDC dc;
    POINT p;
    GetCursorPos(&p);
    UpdateStatus(true);
    ShowColor(GetPixel(dc.Get(), p.x, p.y));
    CaptureScreen(dc.Get(), p);
}

void TfrmMain::FormMouseUp(TMouseButton button) {
    if (button != TMouseButton::Left) return;
    ReleaseCapture();
    EndDrag();
}

// The end of a drag, also when the capture is lost to another window or the program is
// deactivated: the "+" cursor goes, both icons come back, and no further move picks.
void TfrmMain::EndDrag() {
    Application.SetCursor(0);
    FDragging = false;
    imgDrag->SetVisible(true);
    imgDrag2->SetVisible(true);
    UpdateStatus(false);
}

void TfrmMain::UpdateStatus(bool picking) {
    if (!picking) {
        StatusBar1->SetPanelText(kHint);
        return;
    }
    POINT p;
    GetCursorPos(&p);
    wchar_t text[40];
    swprintf(text, 40, L"X:%ld Y:%ld", p.x, p.y);
    StatusBar1->SetPanelText(text);
}

// ---- Magnifier ----

namespace {
struct TMonitorList {
    RECT* Rects;
    int Capacity, Count;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT monitor, LPARAM lp) {
    auto& list = *reinterpret_cast<TMonitorList*>(lp);
    if (list.Count < list.Capacity) list.Rects[list.Count++] = *monitor;
    return TRUE;
}
}  // namespace

// Read at the first pick and again after each change of the displays (WM_DISPLAYCHANGE), so
// a pick itself asks the system nothing. Beyond the 16th monitor the magnifier stays black.
void TfrmMain::ReadMonitors() {
    TMonitorList list{FMonitors.data(), static_cast<int>(FMonitors.size()), 0};
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    FMonitorCount = list.Count;
}

// The capture's pixel (x, y) is the screen's (P.X - 115 + x, P.Y - 48 + y); wherever no
// monitor is (beyond the outer edges, and in the gaps between monitors of different sizes) it
// stays black. Each monitor gives only its own part: Wine copies nothing at all from a
// rectangle that reaches beyond the screen's top left corner while another program's window
// is there.
void TfrmMain::CaptureScreen(HDC dc, POINT p) {
    TCanvas& canvas = FCapture->Canvas();
    int w = FCapture->Width(), h = FCapture->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    if (FMonitorCount < 0) ReadMonitors();
    RECT source{p.x - w / 2, p.y - h / 2, p.x - w / 2 + w, p.y - h / 2 + h};
    for (int i = 0; i < FMonitorCount; ++i) {
        RECT visible;
        if (!IntersectRect(&visible, &source, &FMonitors[i])) continue;
        int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
        StretchBlt(FCapture->DC(), visible.left - source.left, visible.top - source.top, vw, vh, dc,
                   visible.left, visible.top, vw, vh, SRCCOPY);
    }
    DrawZoom();
}

// The middle of the capture stretched over the magnifier: the default stretching mode
// repeats pixels, with no smoothing.
void TfrmMain::DrawZoom() {
    TCanvas& canvas = imgZoom->Canvas();
    int w = imgZoom->Width(), h = imgZoom->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    int n = cboZoom->ItemIndex() + 1;
    if (n < 1) n = 1;
    TZoomSource s = ZoomSource(w, h, n);
    StretchBlt(canvas.Handle(), 0, 0, w, h, FCapture->DC(), s.X, s.Y, s.Width, s.Height, SRCCOPY);
    imgZoom->Invalidate();
}

void TfrmMain::cboZoomClick() {
    TVop::SetZoom(cboZoom->ItemIndex() + 1);
    spiR->SetFocus();
    DrawZoom();
}

// Any button: the colour of the magnified picture as shown, not of the screen.
void TfrmMain::imgZoomMouseDown(int x, int y) {
    ShowColor(imgZoom->Canvas().Pixel(x, y));
}
