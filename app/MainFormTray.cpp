// The notification-area icon, hiding in it and showing again, and stay on top.
#include "MainForm.h"
#include "AppWindow.h"
#include "Text.h"
#include "Settings.h"
#include <cstring>
#include <shellapi.h>

namespace {
// The result is not looked at: without a taskbar the icon comes with its next start.
void NotifyShell(DWORD message, TNotifyIconData& data) {
    Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&data));
}
}  // namespace

// What the window procedure does for the notification area and stay on top, once start-up
// has ended.
void TfrmMain::TrayWndProc(UINT msg, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) AssertStayOnTop();
    if (msg == FTaskbarCreated) NotifyShell(NIM_ADD, FTrayIcon);
    // Minimised while counting as shown, by whatever route: finish hiding in the
    // notification area. Messages handled inside it (the foreground change sends some at
    // once) do not start it again: without a taskbar each would change the foreground anew,
    // nesting without end.
    if (IsIconic(Application.Handle()) && Visible() && !FHidingToTray) {
        TGuard guard(FHidingToTray);
        SetForegroundWindow(FindWindowA("Shell_TrayWnd", ""));
        Application.ProcessMessages();
        ShowMainWindow(false);
    }
    if (msg == WM_TRAYICON) TrayIconCallback(lp);
}

void TfrmMain::InitTrayIcon(TNotifyIconData& data) {
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = SmallIcon();  // the hand-drawn 16-pixel image, not a scaled one
    // The tip holds 63 characters; a longer caption is cut there.
    std::string tip = WideToAnsi(Caption()).substr(0, sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    NotifyShell(NIM_ADD, data);
}

void TfrmMain::MuteTrayIcon(bool mute) {
    FTrayIcon.uCallbackMessage = mute ? 0 : WM_TRAYICON;
    NotifyShell(NIM_MODIFY, FTrayIcon);
}

// Hiding takes two steps: minimise the application (the main window goes with it), and on the
// next message, seeing it iconic, hide it and drop its taskbar button.
void TfrmMain::ShowMainWindow(bool show) {
    HWND app = Application.Handle();
    if (show) {
        SetTaskbarButton(true);
        ShowWindow(app, SW_SHOW);
        Application.Restore();
        SetVisible(true);
        SetForegroundWindow(app);
    } else if (IsIconic(app)) {
        ShowWindow(app, SW_HIDE);
        SetTaskbarButton(false);
        SetVisible(false);
    } else {
        Application.Minimize();
    }
}

// The shell reports a double click as press, release, double click, release; the flag keeps
// the second release from hiding what the first one showed.
void TfrmMain::TrayIconCallback(LPARAM mouseMessage) {
    HWND app = Application.Handle();
    if (mouseMessage == WM_LBUTTONUP && !FTrayDblClicked) ShowMainWindow(!Visible());
    if (mouseMessage == WM_LBUTTONUP && FTrayDblClicked) {
        FTrayDblClicked = false;
        if (Visible()) SetForegroundWindow(app);
    }
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        FTrayDblClicked = true;
        if (Visible()) SetForegroundWindow(app);
    }
    if (mouseMessage == WM_RBUTTONUP) {
        // The menu closes on a click elsewhere only when the program is in the foreground.
        SetForegroundWindow(app);
        Application.ProcessMessages();
        POINT p;
        GetCursorPos(&p);
        mnuControl.Popup(p.x, p.y);
    }
}

void TfrmMain::mnuControl_ShowClick() { ShowMainWindow(!Visible()); }

void TfrmMain::chkStayOnTopClick() { TSettings::SetStayOnTop(chkStayOnTop->Checked()); }

// Every move, show, hide or reorder of the main window puts the application window back in
// its place; the windows it owns follow it. The guard stops the system's own z-order
// messages for the owned windows from asserting again inside the assertion.
void TfrmMain::AssertStayOnTop() {
    if (FAssertingStayOnTop) return;
    TGuard guard(FAssertingStayOnTop);
    ApplyStayOnTop(chkStayOnTop->Checked());
}

void TfrmMain::FormClose(TCloseAction&) {
    // A pick still on ends first: no pick may touch the capture once it is gone.
    if (Dragging()) {
        ReleaseCapture();
        EndDrag();
    }
    EndKeyPick(false);
    FCapture.reset();
    NotifyShell(NIM_DELETE, FTrayIcon);
}
