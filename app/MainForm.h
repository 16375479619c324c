// TfrmMain: the main window, where the user picks, edits and copies colours. Its parts live in
// three files: MainForm.cpp (layout, start-up, colour editors, notations, menus, dialogs),
// MainFormPick.cpp (picking and the magnifier) and MainFormTray.cpp (the notification-area
// icon, hiding and showing, stay on top).
#pragma once
#include "Dialogs.h"
#include "HotKey.h"
#include "Layout.h"
#include "Menus.h"
#include <array>
#include <memory>
#include <string>

// The hot key's id, and the messages the mouse hook of a keyboard pick posts to the main window.
constexpr int kPickHotKeyId = 1;
constexpr UINT WM_PICKCLICK = WM_USER + 2;  // wParam: 1 left button (take), 0 right (cancel)
constexpr UINT WM_PICKMOVE = WM_USER + 3;
constexpr UINT WM_PICKUNHOOK = WM_USER + 4;

// The first version of the shell's notify-icon record: 88 bytes in the 32-bit program.
struct TNotifyIconData {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char szTip[64];
};
static_assert(sizeof(void*) != 4 || sizeof(TNotifyIconData) == 88, "first-version record");

constexpr UINT WM_TRAYICON = WM_USER + 1;

class TfrmMain : public TForm {
public:
    TfrmMain();

    static constexpr int kClientWidth = 249, kClientHeight = 505;
    static constexpr int kNotations = 7;  // numbered 1..7, the edits' and buttons' tags

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
    TStatusBar* StatusBar1;
    TColorDialog ColorDialog1;
    TPopupMenu mnuColor;
    TPopupMenu mnuControl;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Start-up has run to its end: until then the window procedure does nothing of its own.
    bool Ready() const { return FReady; }
    UINT TaskbarCreatedMessage() const { return FTaskbarCreated; }
    // The current colour: the swatch's brush colour.
    TColor CurrentColor() const { return shpColor->BrushColor(); }
    // What the copy button of notation 1..7 copies.
    const std::string& ColorValue(int tag) const { return FColorValues.at(static_cast<size_t>(tag)); }
    TEdit* NotationEdit(int tag) const { return FNotationEdits.at(static_cast<size_t>(tag)); }
    bool Dragging() const { return FPick == TPickMode::Drag; }
    // A drag or a keyboard pick is on.
    bool Picking() const { return FPick != TPickMode::None; }
    // A pick without a drag, from the hot key or the menu: every move picks until Enter or a
    // left click takes the colour under the cursor, or Esc or a right click puts back what
    // was shown before.
    void StartKeyPick();
    void EndKeyPick(bool take);
    // The hot key as read at start-up, and whether the system gave it to this program.
    THotKey HotKey() const { return FHotKey; }
    bool HotKeyRegistered() const { return FHotKeyRegistered; }
    // Pixels a side that a pick averages (1, 3, 5), and the notation a finished pick copies
    // (0 for none).
    int SampleSide() const { return FSampleSide; }
    int AutoCopy() const { return FAutoCopy; }
    void SetSampleSide(int side);
    void SetAutoCopy(int notation);
    const TNotifyIconData& TrayIcon() const { return FTrayIcon; }
    // Shows the program (true) or starts or completes hiding it in the notification area.
    void ShowMainWindow(bool show);
    // While muted, clicks on the notification-area icon reach nothing (the About dialog).
    void MuteTrayIcon(bool mute);
    const TBitmap* Capture() const { return FCapture.get(); }
    static constexpr const wchar_t* kHint = L"To pick color, please drag \"+\" icon.";

private:
    friend class TPickBenchmark;  // times the parts of a pick
    static const std::vector<TLayoutRow<TfrmMain>>& Layout();
    void SetupComponents();
    void BuildMenus();
    void BindEvents();
    void FormCreate();
    void DpiChanged() override;
    // The icons, cursors and magnifier pictures at the window's DPI.
    void MakeDpiImages();
    void ReadSettingsAtStartUp(const std::function<void()>& step);
    bool FSettingsFailed = false;
    void FormClose(TCloseAction& action);
    void mnuControl_ExitClick();

    // The one way a new colour reaches the window: swatch, editors and notations.
    void ShowColor(TColor c);
    void SetCurrentColor(TColor c);
    void UpdateRGB();
    void UpdateHSL();
    void UpdateColorValues();
    void ModifyRGB();
    void ModifyHSL();
    void ColorValueChange(TControl* sender);
    void CopyColor(TControl* sender);
    void CopyNotation(int tag);
    void BuildPickMenus();
    void UpdatePickMenus();
    void btnMenuClick();
    void mnuColor_PaletteClick();
    void mnuColor_SaveColorClick();
    void mnuColor_MyColorsClick();
    void mnuColor_ContrastClick();
    void mnuColor_PasteClick();
    // Saved colours to and from palette files (MainFormPalette.cpp).
    void mnuColor_ExportClick();
    void mnuColor_ImportClick();
    void UpdateCopyAsMenu();
    void mnuControl_AboutClick();

    // Picking and the magnifier (MainFormPick.cpp).
    enum class TPickMode { None, Drag, Keys };
    // What the window shows of a colour, to be put back when a keyboard pick is cancelled: the
    // editors keep values the user typed even where they differ from the swatch's colour.
    struct TShownColor {
        TColor Color = clWhite;
        std::array<int, 6> Editors{};
        std::array<std::wstring, kNotations + 1> Notations;
        std::wstring Status;
    };
    std::array<TSpinEdit*, 6> Editors() const { return {spiR, spiG, spiB, spiH, spiS, spiL}; }
    TShownColor ShownColor() const;
    void ShowAgain(const TShownColor& shown);
    void imgDragMouseDown(TImage* pressed, TMouseButton button);
    void FormMouseMove();
    void FormMouseUp(TMouseButton button);
    void EndDrag();
    void PickAt(POINT p);
    void StepCursor(int dx, int dy);
    bool PickKey(const MSG& msg);
    void PickWndProc(UINT msg, WPARAM wp);
    void ReleaseMouseHook();
    void RegisterPickHotKey();
    void CopyOnPick();
    void UpdateStatus(bool picking, POINT p = {});
    bool OnMonitor(int x, int y) const;
    TColor CaptureMean(int x, int y) const;
    void CaptureScreen(HDC dc, POINT p);
    void ReadMonitors();
    void DrawZoom();
    void cboZoomClick();
    void imgZoomMouseDown(int x, int y);

    // The notification area, visibility and stay on top (MainFormTray.cpp).
    void InitTrayIcon(TNotifyIconData& data);
    void TrayIconCallback(LPARAM mouseMessage);
    void TrayWndProc(UINT msg, LPARAM lp);
    void mnuControl_ShowClick();
    void chkStayOnTopClick();
    void AssertStayOnTop();
    bool FAssertingStayOnTop = false;
    bool FHidingToTray = false;

    std::array<TEdit*, kNotations + 1> FNotationEdits{};       // indexed by notation number
    std::array<std::string, kNotations + 1> FColorValues;      // indexed by notation number
    TPickMode FPick = TPickMode::None;
    TShownColor FBeforePick;
    POINT FLastPick{};
    THotKey FHotKey{};
    bool FHotKeyRegistered = false;
    int FSampleSide = 1;
    int FAutoCopy = 0;
    bool FUpdatingRGB = false;
    bool FUpdatingHSL = false;
    bool FTrayDblClicked = false;
    TNotifyIconData FTrayIcon{};
    UINT FTaskbarCreated = 0;
    bool FReady = false;
    std::unique_ptr<TBitmap> FCapture;
    POINT FCaptureOrigin{};  // the screen point of the capture's top left pixel
    // The monitors' rectangles for the magnifier; -1: to be read before the next pick.
    std::array<RECT, 16> FMonitors{};
    int FMonitorCount = -1;
};

extern TfrmMain* frmMain;

// Sets a guard field for one scope and clears it on every way out.
class TGuard {
public:
    explicit TGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TGuard() { FFlag = false; }
    TGuard(const TGuard&) = delete;
    TGuard& operator=(const TGuard&) = delete;
private:
    bool& FFlag;
};
