#include "StartUp.h"
#include "AppWindow.h"
#include "MainForm.h"

void InitializeApplication() {
    Application.Initialize(ProductInfo());
    SetTaskbarButton(false);
    Application.SetTitle(L"Quillora");
}

int RunApplication() {
    frmMain = Application.CreateForm<TfrmMain>();
    Application.Run();
    Application.DestroyForms();
    frmMain = nullptr;
    return 0;
}
