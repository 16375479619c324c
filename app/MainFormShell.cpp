// The main window's side of picking, and its place in the shell: the notification-area icon,
// hiding and showing, stay on top, closing.
#include "MainForm.h"
#include "AppWindow.h"
#include "Guard.h"
#include "Menus.h"
#include "settings/Settings.h"
#include "Text.h"

void TfrmMain::StartKeyPick() {
    if (Picking() || !Capture() || !IsWindowEnabled(Handle()) || TPopupMenu::ActiveMenu()) return;
    if (!Visible() || IsIconic(Application.Handle())) ShowMainWindow(true);
    // Before the program comes to the front: the menus and tooltips of the one in front close
    // when it loses the foreground.
    if (FOptions.Get(TSettings::TSettingId::Freeze)) FPicker.Freeze();
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
    FPicker.Begin(std::make_unique<TKeyPick>(FPicker));
}

// A keyboard pick for a dialog's eyedropper: it runs while the dialog holds the window, and
// the dialog keeps the front and the keys.
void TfrmMain::StartDialogPick(std::function<void(TColor)> taken) {
    if (Picking() || !Capture() || TPopupMenu::ActiveMenu()) return;
    if (FOptions.Get(TSettings::TSettingId::Freeze)) FPicker.Freeze();
    FPicker.Begin(std::make_unique<TKeyPick>(FPicker, std::move(taken)));
}

// The keyboard pick of a command-line run, as the hot key's; its end, whichever, closes the
// program once what it took has been handed on.
void TfrmMain::StartCommandLinePick() {
    if (!CommandLinePick || Picking()) return;
    if (FOptions.Get(TSettings::TSettingId::Freeze)) FPicker.Freeze();
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
    const auto close = [this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); };
    FPicker.Begin(std::make_unique<TKeyPick>(
        FPicker,
        [this, close](TColor c) {
            CommandLinePick->Taken(c);
            close();
        },
        close));
    if (!Picking()) close();  // nothing to pick from
}

void TfrmMain::StartDrag(TImage* pressed, TMouseButton button) {
    if (button == TMouseButton::Left)
        FPicker.Begin(std::make_unique<TDragPick>(FPicker, pressed, std::array{imgDrag, imgDrag2}));
}

int TfrmMain::Zoom() const { return std::max(cboZoom->ItemIndex() + 1, 1); }

void TfrmMain::ZoomChanged() {
    FOptions.Write(TSettings::TSettingId::Zoom, cboZoom->ItemIndex() + 1);
    spiR->SetFocus();
    FPicker.Redraw();
}

void TfrmMain::ShowPick(const TPickSample& sample, bool atPosition) {
    if (atPosition) {
        wchar_t text[200], distance[80] = L"";
        const wchar_t* freeze = FPicker.FreezeText();
        if (const POINT* mark = FPicker.Mark()) MarkDistanceText(distance, 80, {sample.X, sample.Y}, *mark);
        swprintf(text, 200, L"X:%d Y:%d%ls%ls%ls%ls", sample.X, sample.Y, distance, *freeze ? L"  " : L"", freeze,
                 FPicker.TrueColor().StatusSuffix().c_str());
        stbStatus->SetPanelText(text);  // no string is made: a pick allocates nothing
    }
    FModel.Set(sample.Color, TColorSource::Picked);
}

// The colour panel's name follows the colour once the pick is over.
void TfrmMain::ShowHint() {
    ShowStatus(kHint + FPicker.TrueColor().StatusSuffix());
    NameColor();
}

// The still picture is topmost; the window goes above it for as long as it is shown.
void TfrmMain::FreezeChanged() { AssertStayOnTop(); }

// The colour goes to the recent colours and, as "取色后复制" says, to the clipboard.
void TfrmMain::PickTaken() {
    NameColor();
    FRecent.Add(CurrentColor());
    if (AutoCopy() >= 1 && AutoCopy() <= kNotations) FNotations.Copy(AutoCopy());
    FOwnFormats.CopyAfterPick();
}

void TfrmMain::PickTakenFor(const std::function<void(TColor)>& taken) {
    const TColor color = CurrentColor();
    ShowKept();
    FRecent.Add(color);
    taken(color);
}

void TfrmMain::KeepShown() {
    FBeforePick = {CurrentColor(), FModel.Source(), FEditors.Values(), FNotations.Texts(), stbStatus->PanelText()};
}

void TfrmMain::ShowKept() {
    FModel.Set(FBeforePick.Color, FBeforePick.Source);
    FEditors.SetValues(FBeforePick.Editors);
    FNotations.SetTexts(FBeforePick.Notations);
    ShowStatus(FBeforePick.Status);
}

// What the window procedure does for the notification area and stay on top, once start-up
// has ended.
void TfrmMain::TrayWndProc(UINT msg, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) AssertStayOnTop();
    if (msg == FTaskbarCreated) FTrayIcon.AddAgain();
    if (msg == WM_TRAYICON) FTrayIcon.Clicked(lp, Visible(), [this] { ShowMainWindow(!Visible()); }, mnuControl);
}

// Minimised while counting as shown, by whatever route: finish hiding in the notification
// area. Messages handled inside it (the foreground change sends some at once) do not start it
// again: without a taskbar each would change the foreground anew, nesting without end.
void TfrmMain::FinishHiding() {
    if (!IsIconic(Application.Handle()) || !Visible() || FHidingToTray) return;
    TGuard guard(FHidingToTray);
    SetForegroundWindow(FindWindowA("Shell_TrayWnd", ""));
    Application.ProcessMessages();
    ShowMainWindow(false);
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

// Every move, show, hide or reorder of the main window puts the application window back in
// its place; the windows it owns follow it. The guard stops the system's own z-order
// messages for the owned windows from asserting again inside the assertion.
void TfrmMain::AssertStayOnTop() {
    if (FAssertingStayOnTop) return;
    TGuard guard(FAssertingStayOnTop);
    ApplyStayOnTop(chkStayOnTop->Checked() || FPicker.Frozen());
}

// A pick still on ends first: no pick may touch the capture once it is gone.
void TfrmMain::FormClose(TCloseAction&) {
    FPicker.Release();
    FTrayIcon.Remove();
}
