#include "StartUp.h"
#include "AppWindow.h"
#include "MainForm.h"
#include "settings/Settings.h"

void InitializeApplication() {
    Application.Initialize(ProductInfo());
    SetTaskbarButton(false);
    // The window takes the new state before the setting is written.
    TSettings::OnApplyStayOnTop = &ApplyStayOnTop;
    Application.SetTitle(L"Quillora");
}

int RunApplication() {
    frmMain = Application.CreateForm<TfrmMain>();
    Application.Run();
    Application.DestroyForms();
    frmMain = nullptr;
    return 0;
}
