// TfrmMain: the main window, where the user picks, edits and copies colours. The window lays
// out its controls and wires them to the rooms that do the work: the colour model and its
// editors (ColorEditors), the notations (NotationEdits), the command table (Commands) and the
// settings chosen in the menus (Options), the own formats (OwnFormatCommands), picking and the
// magnifier (Picking), the notification-area icon (TrayIcon), the dialogs (DialogCommands).
#pragma once
#include "ColorEditors.h"
#include "Commands.h"
#include "Dialogs.h"
#include "Layout.h"
#include "RecentMenu.h"
#include "Options.h"
#include "OwnFormatCommands.h"
#include "Picking.h"
#include "settings/Settings.h"
#include "TrayIcon.h"
#include "VisionView.h"
#include <array>
#include <string>

// Posted once the window of a command-line pick is up: the pick starts.
constexpr UINT WM_COMMANDLINEPICK = WM_USER + 5;

class TfrmMain : public TForm, private TPickHost {
public:
    TfrmMain();

    static constexpr int kClientWidth = 249, kClientHeight = 505;
    static constexpr int kNotations = Notations::kMainCount;  // the edits' and buttons' tags 1..7

    // Components, owned by the form; named as in the window's design.
    TCheckBox* chkStayOnTop;
    TComboBox* cboZoom;
    TSpeedButton* btnMenu;
    TPanel *pnlDrag2, *pnlColor, *pnlDrag, *pnlZoom;
    TImage *imgDrag2, *imgDrag, *imgZoom, *imgZoomCursor;
    TShape* shpColor;
    TBevel* bvlRgbFrame;
    TLabel *lblR, *lblG, *lblB, *lblH, *lblS, *lblL;
    TSpinEdit *spiR, *spiG, *spiB, *spiH, *spiS, *spiL;
    TLabel *lblRGB, *lblDecimal, *lblHex, *lblHtml, *lblDelphi, *lblVB, *lblC;
    TEdit *edtRGB, *edtDecimal, *edtHex, *edtHtml, *edtDelphi, *edtVB, *edtC;
    TSpeedButton *btnRGBCopy, *btnDecimalCopy, *btnHexCopy, *btnHtmlCopy, *btnDelphiCopy,
        *btnVBCopy, *btnCCopy;
    TStatusBar* stbStatus;
    TColorDialog ColorDialog1;
    TPopupMenu mnuColor;
    TPopupMenu mnuControl;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Start-up has run to its end: until then the window procedure does nothing of its own.
    bool Ready() const { return FReady; }
    UINT TaskbarCreatedMessage() const { return FTaskbarCreated; }
    TColorModel& Model() { return FModel; }
    TColor CurrentColor() const { return FModel.Color(); }
    const TCommandTable& Commands() const { return FCommands; }
    // What the copy button of notation 1..7 copies: its edit's text, trimmed.
    const std::string& ColorValue(int tag) const { return FNotations.Value(tag); }
    TEdit* NotationEdit(int tag) const { return FNotations.Edit(tag); }
    bool Dragging() const { return FPicker.Dragging(); }
    // A drag or a keyboard pick is on.
    bool Picking() const { return FPicker.Active(); }
    // A keyboard pick, from the hot key or the menu; not over a pick already on, nor while a
    // dialog or a menu holds the program.
    void StartKeyPick();
    // A keyboard pick for a dialog, also while it holds the window: Taken gets the colour.
    void StartDialogPick(std::function<void(TColor)> taken);

    // A run that only picks (Quillora.exe --pick): set before the window is made. The window
    // adds no notification-area icon and registers no hot key; the settings given (0 or -1:
    // the file's) hold for this run; the pick starts once the window shows, and its end
    // closes the program, Taken called first when it took a colour.
    struct TCommandLinePick {
        int Sample;  // pixels a side
        int Space;   // a row of the colour spaces
        bool Freeze;
        std::function<void(TColor)> Taken;
    };
    static TCommandLinePick* CommandLinePick;
    void EndKeyPick(bool take) {
        if (FPicker.KeyPicking()) take ? FPicker.Take() : FPicker.Cancel();
    }
    // The hot key as read at start-up, and whether the system gave it to this program.
    THotKey HotKey() const { return FPicker.HotKey(); }
    bool HotKeyRegistered() const { return FPicker.HotKeyRegistered(); }
    // The settings chosen in the menus: each takes effect at once and is written only when it
    // changes; a failed write is reported and the choice stays for this run.
    TOptions& Options() { return FOptions; }
    // Pixels a side that a pick averages (1, 3, 5), the notation a finished pick copies (0 for
    // none), the space picks are converted into (TTrueColor::TSpace).
    int SampleSide() const { return FPicker.SampleSide(); }
    int AutoCopy() const { return FOptions.Get(TSettings::TSettingId::AutoCopy); }
    int ColorSpace() const { return FPicker.TrueColor().Space(); }
    void SetSampleSide(int side) { FOptions.Set(TSettings::TSettingId::Sample, side); }
    void SetAutoCopy(int notation) { FOptions.Set(TSettings::TSettingId::AutoCopy, notation); }
    // Copies own format Index, read again from the file first when Fresh.
    void CopyOwnFormat(size_t index, bool fresh) { FOwnFormats.Copy(index, fresh); }
    const TOwnFormatCommands& OwnFormatMenu() const { return FOwnFormats; }
    const TRecentMenu& Recent() const { return FRecent; }
    const TNotifyIconData& TrayIcon() const { return FTrayIcon.Data(); }
    // Shows the program (true) or starts or completes hiding it in the notification area.
    void ShowMainWindow(bool show);
    void MuteTrayIcon(bool mute) { FTrayIcon.Mute(mute); }
    const TBitmap* Capture() const { return FPicker.Capture(); }
    TPicker& Picker() { return FPicker; }
    static constexpr const wchar_t* kHint = L"To pick color, please drag \"+\" icon.";

private:
    friend class TPickBenchmark;  // times the parts of a pick
    static std::vector<TLayoutRow<TfrmMain>> Layout();
    void SetupComponents();
    void BuildCommands();
    void BindEvents();
    void FormCreate();
    // The captions of the window's controls and the messages in the current language; the
    // notification area's menu and the windows opened afterwards follow it.
    void ApplyLanguage();
    // The names screen readers read for the drawn buttons and the windows without a label.
    void NameForScreenReaders();
    void NameColor();
    // The colour menu below "菜单", its first entry selected (from a key), or at the cursor.
    void OpenColorMenu(bool fromKeyboard);
    // F10 anywhere in the window; Shift+F10 and the context-menu key outside an edit.
    bool MenuKey(const MSG& msg);
    void DpiChanged() override;
    // The icons, cursors and magnifier pictures at the window's DPI; the magnifier starts white.
    void MakeDpiImages();
    void ReadSettingsAtStartUp(const std::function<void()>& step);
    void FormClose(TCloseAction& action);

    void ShowStatus(const std::wstring& text) { stbStatus->SetPanelText(text); }

    void PasteColor();
    void StartCommandLinePick();
    // A colour taken from a dialog, the clipboard or the recent colours: the current colour,
    // and the newest recent one.
    void TakeColor(TColor c, TColorSource source) {
        FModel.Set(c, source);
        FRecent.Add(c);
    }

    // What picking asks of the window.
    HWND PickWindow() const override { return Handle(); }
    int Zoom() const override;
    void ShowPick(const TPickSample& sample, bool atPosition) override;
    void ShowHint() override;
    void PickTaken() override;
    void PickTakenFor(const std::function<void(TColor)>& taken) override;
    void KeepShown() override;
    void ShowKept() override;
    void FreezeChanged() override;
    void StartDrag(TImage* pressed, TMouseButton button);
    void ZoomChanged();

    // The notification area, hiding, stay on top.
    void TrayWndProc(UINT msg, LPARAM lp);
    void FinishHiding();
    void AssertStayOnTop();

    TColorModel FModel;
    TColorEditors FEditors{FModel};
    TOptions FOptions;
    TCommandTable FCommands{FOptions};
    TOwnFormatCommands FOwnFormats{FCommands, FOptions, [this] { return CurrentColor(); }};
    TPicker FPicker{*this, imgZoom};
    TRecentMenu FRecent{FCommands, FOptions, [this](TColor c) {
        TakeColor(c, TColorSource::Dialog);
        ShowHint();
    }};
    TTrayIcon FTrayIcon;
    TVisionView FVisionView;
    TNotationEdits FNotations;
    TShownColor FBeforePick;
    bool FSettingsFailed = false;
    bool FAssertingStayOnTop = false;
    bool FHidingToTray = false;
    UINT FTaskbarCreated = 0;
    bool FReady = false;
};

extern TfrmMain* frmMain;
