#include "AppWindow.h"
#include "Forms.h"

void ApplyStayOnTop(bool on) {
    SetWindowPos(Application.Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void SetTaskbarButton(bool shown) {
    HWND app = Application.Handle();
    SetWindowLongW(app, GWL_EXSTYLE, shown ? 0 : WS_EX_TOOLWINDOW);
    // Every change of the application window's extended style is followed by this message,
    // with both parameters 0.
    SendMessageW(app, WM_NCCREATE, 0, 0);
}
