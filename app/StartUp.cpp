#include "StartUp.h"
#include "MainForm.h"

void InitializeApplication() {
    Application.Initialize();
    HWND app = Application.Handle();
    SetWindowLongW(app, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    // Every change of the application window's extended style is followed by this message,
    // with both parameters 0.
    SendMessageW(app, WM_NCCREATE, 0, 0);
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
