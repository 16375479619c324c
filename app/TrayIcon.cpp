#include "TrayIcon.h"
#include "Forms.h"
#include "Text.h"
#include <cstring>
#include <shellapi.h>

namespace {
// The result is not looked at: without a taskbar the icon comes with its next start.
void NotifyShell(DWORD message, TNotifyIconData& data) {
    Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&data));
}
}  // namespace

void TTrayIcon::Add(HWND window, HICON icon, const std::wstring& tip) {
    FData.cbSize = sizeof FData;
    FData.hWnd = window;
    FData.uID = 1;
    FData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FData.uCallbackMessage = WM_TRAYICON;
    FData.hIcon = icon;
    const std::string text = WideToAnsi(tip).substr(0, sizeof FData.szTip - 1);
    std::memcpy(FData.szTip, text.c_str(), text.size() + 1);
    NotifyShell(NIM_ADD, FData);
}

void TTrayIcon::AddAgain() { NotifyShell(NIM_ADD, FData); }

void TTrayIcon::Remove() { NotifyShell(NIM_DELETE, FData); }

void TTrayIcon::Mute(bool mute) {
    FData.uCallbackMessage = mute ? 0 : WM_TRAYICON;
    NotifyShell(NIM_MODIFY, FData);
}

TTrayIcon::TAction TTrayIcon::Click(LPARAM mouseMessage, bool visible) {
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        if (!FDoubleClicked) return TAction::ShowOrHide;
        FDoubleClicked = false;
        return visible ? TAction::ToFront : TAction::None;
    case WM_LBUTTONDBLCLK:
        FDoubleClicked = true;
        return visible ? TAction::ToFront : TAction::None;
    case WM_RBUTTONUP:
        return TAction::Menu;
    }
    return TAction::None;
}

void TTrayIcon::Clicked(LPARAM mouseMessage, bool visible, const std::function<void()>& showOrHide, TPopupMenu& menu) {
    HWND app = Application.Handle();
    switch (Click(mouseMessage, visible)) {
    case TAction::ShowOrHide:
        showOrHide();
        break;
    case TAction::ToFront:
        SetForegroundWindow(app);
        break;
    case TAction::Menu: {
        // The menu closes on a click elsewhere only when the program is in the foreground.
        SetForegroundWindow(app);
        Application.ProcessMessages();
        POINT p;
        GetCursorPos(&p);
        menu.Popup(p.x, p.y);
        break;
    }
    case TAction::None:
        break;
    }
}
