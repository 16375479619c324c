#include "AppWindow.h"
#include "Forms.h"
#include "Text.h"
#include "Texts.h"

TProductInfo ProductInfo() {
    TProductInfo p;
    p.Name = L"Quillora";
    p.IconName = L"MAINICON";
    p.Font.Name = L"宋体";
    p.Font.Height = -13;
    p.UnknownError = WideToUtf8(Text(TTextId::UnknownError));
    p.ClipboardBusy = WideToUtf8(Text(TTextId::ClipboardBusy));
    p.OutOfMemory = WideToUtf8(Text(TTextId::OutOfMemory));
    p.PressAction = Text(TTextId::PressAction);
    p.ExceptionText = [](const std::exception& e) { return WideToUtf8(ExceptionText(e)); };
    return p;
}

void UseProductTexts() { Runtime::SetProduct(ProductInfo()); }

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
