#include "ComCtrls.h"
#include <commctrl.h>

TStatusBar::TStatusBar(TWinControl* parent, int left, int top, int width, int height)
    : TWinControl(parent) {
    CreateHandle(STATUSCLASSNAMEW, L"",
                 WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                 parent->Handle(), left, top, width, height);
    int parts[1] = {-1};
    SendMessageW(FHandle, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
}

void TStatusBar::SetPanelText(const wchar_t* text) {
    SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

std::wstring TStatusBar::PanelText() const {
    auto n = LOWORD(SendMessageW(FHandle, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(FHandle, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(s.data()));
    s.resize(n);
    return s;
}
