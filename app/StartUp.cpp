#include "StartUp.h"
#include "MainForm.h"
#include "VopClass.h"

void ApplyStayOnTop(bool on) {
    SetWindowPos(Application.Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void InitializeApplication() {
    Application.Initialize();
    HWND app = Application.Handle();
    SetWindowLongW(app, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    // Every change of the application window's extended style is followed by this message,
    // with both parameters 0.
    SendMessageW(app, WM_NCCREATE, 0, 0);
    // The window takes the new state before the setting is written.
    TVop::OnApplyStayOnTop = &ApplyStayOnTop;
    Application.SetTitle(L"");
    SetWindowTextW(app, L"Quillora");
}

int RunApplication() {
    frmMain = Application.CreateForm<TfrmMain>();
    Application.Run();
    Application.DestroyForms();
    frmMain = nullptr;
    return 0;
}
