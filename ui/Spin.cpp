#include "Spin.h"
#include <cerrno>
#include <cwchar>

namespace {
constexpr int kButtonWidth = 15;
constexpr UINT_PTR kRepeatTimer = 1;
}  // namespace

TCreateParams TSpinButton::CreateParams() const { return {OwnWindowClass(), WS_CHILD, 0}; }

void TSpinButton::PaintWindow(HDC dc) {
    RECT r;
    GetClientRect(FHandle, &r);
    int mid = r.bottom / 2;
    RECT up{0, 0, r.right, mid}, down{0, mid, r.right, r.bottom};
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | (FPressed > 0 ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | (FPressed < 0 ? DFCS_PUSHED : 0));
}

void TSpinButton::Stop() {
    KillTimer(FHandle, kRepeatTimer);
    if (FPressed) {
        FPressed = 0;
        InvalidateRect(FHandle, nullptr, FALSE);
    }
}

LRESULT TSpinButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: {
        RECT r;
        GetClientRect(FHandle, &r);
        FPressed = static_cast<short>(HIWORD(lp)) < r.bottom / 2 ? 1 : -1;
        InvalidateRect(FHandle, nullptr, FALSE);
        SetCapture(FHandle);
        SetTimer(FHandle, kRepeatTimer, kFirstRepeatMs, nullptr);
        if (OnStep) OnStep(FPressed);
        return 0;
    }
    case WM_TIMER:
        if (wp == kRepeatTimer && FPressed) {
            SetTimer(FHandle, kRepeatTimer, kRepeatMs, nullptr);
            if (OnStep) OnStep(FPressed);
        }
        return 0;
    case WM_LBUTTONUP:
        Stop();
        if (GetCapture() == FHandle) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        Stop();
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

TSpinEdit::TSpinEdit(TWinControl* parent, int left, int top, int width, int height, int minValue,
                     int maxValue)
    : TEdit(parent, left, top, width, height, WS_CLIPCHILDREN),
      MinValue(minValue),
      MaxValue(maxValue),
      FButton(this, 0, 0, kButtonWidth, 1) {
    FButton.OnStep = [this](int direction) {
        SetFocus();
        Step(direction);
    };
    SetValue(0);
}

// The buttons fill the right end of the client area; the text stops short of them.
void TSpinEdit::HandleCreated() {
    TEdit::HandleCreated();
    PlaceButton();
}

void TSpinEdit::ChangeDpi(int dpi) {
    TEdit::ChangeDpi(dpi);
    if (FHandle) PlaceButton();
}

void TSpinEdit::PlaceButton() {
    RECT r;
    GetClientRect(FHandle, &r);
    const int width = Scale(kButtonWidth);
    FButton.SetBounds(r.right - width, 0, width, r.bottom);
    SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, width + 1));
}

int TSpinEdit::Value() const {
    wchar_t text[32];
    int n = GetWindowTextW(FHandle, text, 32);
    if (n <= 0 || n >= 31 || iswspace(text[0])) return MinValue;
    wchar_t* end = nullptr;
    errno = 0;
    long v = std::wcstol(text, &end, 10);
    if (errno != 0 || *end != L'\0' || v < INT32_MIN || v > INT32_MAX) return MinValue;
    return static_cast<int>(v);
}

void TSpinEdit::SetValue(int value) {
    if (MaxValue != MinValue) value = value < MinValue ? MinValue : value > MaxValue ? MaxValue : value;
    wchar_t text[16];
    swprintf(text, 16, L"%d", value);
    SetText(text);
}

void TSpinEdit::Step(int direction) {
    long long v = static_cast<long long>(Value()) + static_cast<long long>(direction) * Increment;
    if (v < MinValue) v = MinValue;
    if (v > MaxValue) v = MaxValue;
    SetValue(static_cast<int>(v));
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN) {
            Step(wp == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_CHAR:
        // Control characters other than Backspace and Enter (copy, select all) pass.
        if (!EditorEnabled && (wp >= 32 || wp == VK_BACK || wp == VK_RETURN)) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_PASTE: case WM_CUT:
        if (!EditorEnabled) return 0;
        break;
    case WM_GETDLGCODE:
        return TEdit::WndProc(msg, wp, lp) | DLGC_WANTARROWS;
    }
    return TEdit::WndProc(msg, wp, lp);
}
