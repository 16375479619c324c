#include "VisionView.h"
#include "Forms.h"
#include "Graphics.h"
#include "Runtime.h"
#include "Texts.h"
#include "colour/VisionFilter.h"
#include <array>

namespace {
constexpr wchar_t kWindowClass[] = L"QuilloraVisionView";
constexpr int kLineMargin = 8, kLinePadding = 6;  // at 96 DPI

// One filter for each vision, made when first asked for.
const TVisionFilter& Filter(Contrast::TVision vision) {
    static std::array<std::unique_ptr<TVisionFilter>, 5> filters;
    auto& filter = filters[static_cast<size_t>(vision)];
    if (!filter) filter = std::make_unique<TVisionFilter>(vision);
    return *filter;
}

bool MenuShown() {
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr;)
        if (IsWindowVisible(menu)) return true;
    return false;
}

// No menu is to be in the picture, as one fades out after its choice, nor the view itself
// when it is taken again: once they have gone, what they covered is painted again, by this
// program's windows as their messages run and by other programs on their own.
void LetTheScreenSettle() {
    for (int i = 0; i < 30 && MenuShown(); ++i) {
        Application.ProcessMessages();
        Sleep(10);
    }
    for (int i = 0; i < 3; ++i) {
        Application.ProcessMessages();
        Sleep(10);
    }
}
}  // namespace

void TVisionView::AddCommands(TCommandTable& commands, std::function<HWND()> owner) {
    commands.Add(TCommandId::Vision, TTextId::VisionView, nullptr);
    for (const TVisionEntry& entry : kVisionEntries)
        if (entry.Menu != TTextId::None)
            commands.AddChild(TCommandId::Vision, entry.Menu, [this, vision = entry.Vision, owner] { Open(vision, owner()); });
}

bool TVisionView::Open(Contrast::TVision vision, HWND owner) {
    if (IsOpen()) {
        Switch(vision);
        return true;
    }
    FOwner = owner;
    FVision = vision;
    LetTheScreenSettle();
    if (!Take()) return false;
    if (!Create(kWindowClass, LoadCursorW(nullptr, IDC_ARROW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                LineText().c_str(), FPicture->Bounds())) {
        Close();
        return false;
    }
    ShowInFront();
    return true;
}

// In front with the keys, the line at the top left of the monitor under the cursor.
void TVisionView::ShowInFront() {
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    const RECT& r = FPicture->Bounds();
    RECT monitor = r;
    if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mi)) monitor = mi.rcMonitor;
    const int margin = ScaleToDpi(kLineMargin, Dpi::OfWindow(FOwner));
    FLineAt = {monitor.left - r.left + margin, monitor.top - r.top + margin};
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

// The picture of every monitor, and a second one of its size for what the vision sees.
bool TVisionView::Take() {
    FreePictures();
    FPicture = TFrozenScreen::Take();
    if (FPicture) FShown = TFrozenScreen::Blank(FPicture->Bounds());
    if (!FShown) {
        FreePictures();
        Notices::Error(FOwner, Text(TTextId::VisionNoPicture));
        return false;
    }
    Convert();
    return true;
}

void TVisionView::FreePictures() {
    FShown.reset();
    FPicture.reset();
}

// One thread: a second one for half the picture would save about 15 ms at 3840 x 2160, but under
// Wine the first thread a process starts leaves about 1.4 MB in its working set for good.
void TVisionView::Convert() {
    const RECT& r = FPicture->Bounds();
    const size_t count = static_cast<size_t>(r.right - r.left) * static_cast<size_t>(r.bottom - r.top);
    Filter(FVision).Apply(FPicture->Pixels(), FShown->Pixels(), count);
    GdiFlush();
}

void TVisionView::Switch(Contrast::TVision vision) {
    if (!IsOpen() || vision == FVision) return;
    FVision = vision;
    Convert();
    SetWindowTextW(Handle(), LineText().c_str());
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

bool TVisionView::Retake() {
    if (!IsOpen()) return false;
    FRetaking = true;  // hiding the view takes the foreground away for a moment
    ShowWindow(Handle(), SW_HIDE);
    LetTheScreenSettle();
    FRetaking = false;
    if (!Take()) {
        Close();
        return false;
    }
    ShowInFront();
    return true;
}

void TVisionView::Close() {
    Destroy();
    FreePictures();
}

std::wstring TVisionView::LineText() const { return Text(TTextId::VisionLine, VisionName(FVision)); }

void TVisionView::Paint(HDC dc, const RECT& dirty) {
    FShown->Paint(dc, dirty);
    const int dpi = Dpi::OfWindow(FOwner), padding = ScaleToDpi(kLinePadding, dpi);
    const std::wstring line = LineText();
    TSelectObject font(dc, SharedFont(Runtime::Product().Font, dpi));
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, line.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const RECT box{FLineAt.x, FLineAt.y, FLineAt.x + text.right + 2 * padding, FLineAt.y + text.bottom + 2 * padding};
    SetDCBrushColor(dc, GetSysColor(COLOR_INFOBK));
    SetDCPenColor(dc, GetSysColor(COLOR_INFOTEXT));
    TSelectObject brush(dc, GetStockObject(DC_BRUSH));
    TSelectObject pen(dc, GetStockObject(DC_PEN));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT inner{box.left + padding, box.top + padding, box.right - padding, box.bottom - padding};
    DrawTextW(dc, line.c_str(), -1, &inner, DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TVisionView::Message(UINT msg, WPARAM wp, LPARAM lp) {
    HWND window = Handle();
    switch (msg) {
    case WM_PAINT: {
        TPaintDC paint(window);
        if (FShown) Paint(paint.Get(), paint.Dirty());
        return 0;
    }
    case WM_NCACTIVATE:
        return TRUE;
    case WM_KEYDOWN:
        for (const TVisionEntry& entry : kVisionEntries)
            if (wp == static_cast<WPARAM>(entry.Key)) Switch(entry.Vision);
        if (wp == 'R') Retake();
        else if (wp == VK_ESCAPE) PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    // Closed once the message that asks for it is done: always, or on losing the foreground when
    // it has not come back.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_CLOSE:
        PostMessageW(window, WM_APP, TRUE, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) PostMessageW(window, WM_APP, FALSE, 0);
        break;
    case WM_APP:
        if (wp || (!FRetaking && GetForegroundWindow() != window)) Close();
        return 0;
    }
    return TRawWindow::Message(msg, wp, lp);
}

