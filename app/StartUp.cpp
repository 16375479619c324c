#include "StartUp.h"
#include "AppWindow.h"
#include "MainForm.h"
#include "Settings.h"
#include "Text.h"
#include "Texts.h"

namespace {
// What the widget layer needs to know of the program.
TProductInfo Product() {
    TProductInfo p;
    p.Name = L"Quillora";
    p.IconName = L"MAINICON";
    p.Font.Name = L"宋体";
    p.Font.Height = -13;
    p.UnknownError = WideToUtf8(Text(TTextId::UnknownError));
    p.ClipboardBusy = WideToUtf8(Text(TTextId::ClipboardBusy));
    p.OutOfMemory = WideToUtf8(Text(TTextId::OutOfMemory));
    p.ExceptionText = [](const std::exception& e) { return WideToUtf8(ExceptionText(e)); };
    return p;
}
}  // namespace

void UseProductTexts() { Runtime::SetProduct(Product()); }

void InitializeApplication() {
    Application.Initialize(Product());
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
