#include "MainForm.h"
#include "AboutForm.h"
#include "Links.h"
#include "MyColorsForm.h"
#include "SaveColorForm.h"
#include "SettingsText.h"
#include "StartUp.h"
#include "Clipboard.h"
#include "ColorText.h"
#include "Magnifier.h"
#include "TextUtil.h"
#include "VopClass.h"
#include <cstring>
#include <shellapi.h>

namespace {
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

// The result is not looked at: without a taskbar the icon comes with its next start.
void NotifyShell(DWORD message, TNotifyIconData& data) {
    Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&data));
}
}  // namespace

TfrmMain* frmMain = nullptr;

const std::vector<TLayoutRow>& TfrmMain::Layout() {
    using K = TKind;
    static const std::vector<TLayoutRow> rows = {
        // name            kind            parent      left top  width height tag tab caption
        {"chkStayOnTop",   K::CheckBox,    nullptr,      8,  10,   76,  17,   0,   0, L"置顶"},
        {"cboZoom",        K::ComboBox,    nullptr,     91,   8,  103,  21,   0,   1, nullptr},
        {"btnMenu",        K::SpeedButton, nullptr,    198,   7,   43,  23,   0,  -1, L"菜单"},
        {"pnlDrag2",       K::Panel,       nullptr,      8,  36,   38,  38,   0,  19, nullptr},
        {"imgDrag2",       K::Image,       "pnlDrag2",   3,   3,   32,  32,   0,  -1, nullptr},
        {"pnlColor",       K::Panel,       nullptr,     50,  36,  149,  38,   0,  18, nullptr},
        {"shpColor",       K::Shape,       "pnlColor",   1,   1,  147,  36,   0,  -1, nullptr},
        {"pnlDrag",        K::Panel,       nullptr,    203,  36,   38,  38,   0,  15, nullptr},
        {"imgDrag",        K::Image,       "pnlDrag",    3,   3,   32,  32,   0,  -1, nullptr},
        {"pnlZoom",        K::Panel,       nullptr,      8,  80,  233,  98,   0,  16, nullptr},
        {"imgZoom",        K::Image,       "pnlZoom",    1,   1,  231,  96,   0,  -1, nullptr},
        {"imgZoomCursor",  K::Image,       "pnlZoom",  194,  56,   32,  32,   0,  -1, nullptr},
        {"bvlRgbFrame",    K::Bevel,       nullptr,      8, 184,  233,  98,   0,  -1, nullptr},
        {"lblR",           K::Label,       nullptr,     17, 199,   11,  13,   0,  -1, L"R:"},
        {"spiR",           K::SpinEdit,    nullptr,     31, 194,   90,  22,   0,   2, nullptr, 0, 255},
        {"lblG",           K::Label,       nullptr,     17, 227,   11,  13,   0,  -1, L"G:"},
        {"spiG",           K::SpinEdit,    nullptr,     31, 222,   90,  22,   0,   3, nullptr, 0, 255},
        {"lblB",           K::Label,       nullptr,     17, 255,   10,  13,   0,  -1, L"B:"},
        {"spiB",           K::SpinEdit,    nullptr,     31, 250,   90,  22,   0,   4, nullptr, 0, 255},
        {"lblH",           K::Label,       nullptr,    128, 199,   11,  13,   0,  -1, L"H:"},
        {"spiH",           K::SpinEdit,    nullptr,    142, 194,   90,  22,   0,   5, nullptr, 0, 240},
        {"lblS",           K::Label,       nullptr,    129, 227,   10,  13,   0,  -1, L"S:"},
        {"spiS",           K::SpinEdit,    nullptr,    142, 222,   90,  22,   0,   6, nullptr, 0, 240},
        {"lblL",           K::Label,       nullptr,    130, 255,    9,  13,   0,  -1, L"L:"},
        {"spiL",           K::SpinEdit,    nullptr,    142, 250,   90,  22,   0,   7, nullptr, 0, 240},
        // The notation rows: label at 8 (sized to its text), edit at 52, copy button at 198;
        // the edit and the button carry the notation number as their tag.
        {"lblRGB",         K::Label,       nullptr,      8, 294,    0,  13,   0,  -1, L"RGB:"},
        {"edtRGB",         K::Edit,        nullptr,     52, 290,  142,  21,   1,   8, nullptr},
        {"btnRGBCopy",     K::SpeedButton, nullptr,    198, 289,   43,  23,   1,  -1, L"复制"},
        {"lblDecimal",     K::Label,       nullptr,      8, 321,    0,  13,   0,  -1, L"十进制:"},
        {"edtDecimal",     K::Edit,        nullptr,     52, 317,  142,  21,   2,   9, nullptr},
        {"btnDecimalCopy", K::SpeedButton, nullptr,    198, 316,   43,  23,   2,  -1, L"复制"},
        {"lblHex",         K::Label,       nullptr,      8, 349,    0,  13,   0,  -1, L"十六进制"},
        {"edtHex",         K::Edit,        nullptr,     52, 345,  142,  21,   3,  10, nullptr},
        {"btnHexCopy",     K::SpeedButton, nullptr,    198, 344,   43,  23,   3,  -1, L"复制"},
        {"lblHtml",        K::Label,       nullptr,      8, 376,    0,  13,   0,  -1, L"Html:"},
        {"edtHtml",        K::Edit,        nullptr,     52, 372,  142,  21,   4,  11, nullptr},
        {"btnHtmlCopy",    K::SpeedButton, nullptr,    198, 371,   43,  23,   4,  -1, L"复制"},
        {"lblDelphi",      K::Label,       nullptr,      8, 404,    0,  13,   0,  -1, L"Delphi"},
        {"edtDelphi",      K::Edit,        nullptr,     52, 400,  142,  21,   5,  12, nullptr},
        {"btnDelphiCopy",  K::SpeedButton, nullptr,    198, 399,   43,  23,   5,  -1, L"复制"},
        {"lblVB",          K::Label,       nullptr,      8, 435,    0,  13,   0,  -1, L"VB:"},
        {"edtVB",          K::Edit,        nullptr,     52, 427,  142,  21,   6,  13, nullptr},
        {"btnVBCopy",      K::SpeedButton, nullptr,    198, 426,   43,  23,   6,  -1, L"复制"},
        {"lblC",           K::Label,       nullptr,      8, 459,    0,  13,   0,  -1, L"C/C++:"},
        {"edtC",           K::Edit,        nullptr,     52, 455,  142,  21,   7,  14, nullptr},
        {"btnCCopy",       K::SpeedButton, nullptr,    198, 454,   43,  23,   7,  -1, L"复制"},
        {"StatusBar1",     K::StatusBar,   nullptr,      0, 484,  249,  21,   0,  17, L"关于"},
    };
    return rows;
}

TfrmMain::TfrmMain() : TForm(L"TfrmMain", kClientWidth, kClientHeight) {
    SetColor(clBtnFace);
    BuildLayout(*this, Layout());
    SetupComponents();
    BindEvents();
}

void TfrmMain::SetupComponents() {
    chkStayOnTop = Find<TCheckBox>("chkStayOnTop");
    cboZoom = Find<TComboBox>("cboZoom");
    btnMenu = Find<TSpeedButton>("btnMenu");
    pnlDrag2 = Find<TPanel>("pnlDrag2");
    imgDrag2 = Find<TImage>("imgDrag2");
    pnlColor = Find<TPanel>("pnlColor");
    shpColor = Find<TShape>("shpColor");
    pnlDrag = Find<TPanel>("pnlDrag");
    imgDrag = Find<TImage>("imgDrag");
    pnlZoom = Find<TPanel>("pnlZoom");
    imgZoom = Find<TImage>("imgZoom");
    imgZoomCursor = Find<TImage>("imgZoomCursor");
    bvlRgbFrame = Find<TBevel>("bvlRgbFrame");
    lblR = Find<TLabel>("lblR");
    lblG = Find<TLabel>("lblG");
    lblB = Find<TLabel>("lblB");
    lblH = Find<TLabel>("lblH");
    lblS = Find<TLabel>("lblS");
    lblL = Find<TLabel>("lblL");
    spiR = Find<TSpinEdit>("spiR");
    spiG = Find<TSpinEdit>("spiG");
    spiB = Find<TSpinEdit>("spiB");
    spiH = Find<TSpinEdit>("spiH");
    spiS = Find<TSpinEdit>("spiS");
    spiL = Find<TSpinEdit>("spiL");
    lblRGB = Find<TLabel>("lblRGB");
    lblDecimal = Find<TLabel>("lblDecimal");
    lblHex = Find<TLabel>("lblHex");
    lblHtml = Find<TLabel>("lblHtml");
    lblDelphi = Find<TLabel>("lblDelphi");
    lblVB = Find<TLabel>("lblVB");
    lblC = Find<TLabel>("lblC");
    edtRGB = Find<TEdit>("edtRGB");
    edtDecimal = Find<TEdit>("edtDecimal");
    edtHex = Find<TEdit>("edtHex");
    edtHtml = Find<TEdit>("edtHtml");
    edtDelphi = Find<TEdit>("edtDelphi");
    edtVB = Find<TEdit>("edtVB");
    edtC = Find<TEdit>("edtC");
    btnRGBCopy = Find<TSpeedButton>("btnRGBCopy");
    btnDecimalCopy = Find<TSpeedButton>("btnDecimalCopy");
    btnHexCopy = Find<TSpeedButton>("btnHexCopy");
    btnHtmlCopy = Find<TSpeedButton>("btnHtmlCopy");
    btnDelphiCopy = Find<TSpeedButton>("btnDelphiCopy");
    btnVBCopy = Find<TSpeedButton>("btnVBCopy");
    btnCCopy = Find<TSpeedButton>("btnCCopy");
    StatusBar1 = Find<TStatusBar>("StatusBar1");
    FNotationEdits = {nullptr, edtRGB, edtDecimal, edtHex, edtHtml, edtDelphi, edtVB, edtC};

    cboZoom->SetDropDownCount(20);
    imgZoomCursor->SetVisible(false);
    // The swatch starts white: a white outline around the default white fill.
    shpColor->SetPenColor(clWhite);
    shpColor->SetBrushColor(clWhite);

    TFontDesc white = Font();
    white.Color = clWhite;
    const std::pair<TSpinEdit*, TColor> rgb[] = {{spiR, RGB(255, 0, 0)}, {spiG, RGB(0, 128, 0)},
                                                 {spiB, RGB(0, 0, 255)}};
    for (auto [spin, color] : rgb) {
        spin->SetColor(color);
        spin->SetFont(white);
    }
    TFontDesc black = Font();
    black.Color = clBlack;
    edtRGB->SetFont(black);
    TFontDesc statusFont = Font();
    statusFont.Color = clBtnText;
    StatusBar1->SetFont(statusFont);

    mnuColor.Add("mnuColor_Palette", L"调色板");
    mnuColor.Add("mnuColor_Separator0", L"-");
    mnuColor.Add("mnuColor_SaveColor", L"保存颜色", true);
    mnuColor.Add("mnuColor_MyColors", L"喜爱的颜色");

    mnuControl.Add("mnuControl_Show", L"显示/隐藏 主窗口(&S)", true);
    mnuControl.Add("mnuControl_Separator0", L"-");
    mnuControl.Add("mnuControl_Email", L"联系我们");
    mnuControl.Add("mnuControl_Website", L"访问主页(&V)...");
    mnuControl.Add("mnuControl_About", L"关于(&A)...");
    mnuControl.Add("mnuControl_Separator1", L"-");
    mnuControl.Add("mnuControl_Exit", L"退出(&E)");
}

void TfrmMain::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    mnuControl.Find("mnuControl_Exit")->OnClick = [this] { mnuControl_ExitClick(); };
    for (TSpinEdit* s : {spiR, spiG, spiB}) s->OnChange = [this] { ModifyRGB(); };
    for (TSpinEdit* s : {spiH, spiS, spiL}) s->OnChange = [this] { ModifyHSL(); };
    for (int tag = 1; tag <= 7; ++tag) {
        TEdit* edit = FNotationEdits[static_cast<size_t>(tag)];
        edit->OnChange = [this, edit] { ColorValueChange(edit); };
    }
    for (TSpeedButton* b : {btnRGBCopy, btnDecimalCopy, btnHexCopy, btnHtmlCopy, btnDelphiCopy,
                            btnVBCopy, btnCCopy})
        b->OnClick = [this, b] { CopyColor(b); };
    btnMenu->OnClick = [this] { btnMenuClick(); };
    imgDrag->OnMouseDown = [this](TMouseButton b, int, int) { imgDragMouseDown(imgDrag, b); };
    imgDrag2->OnMouseDown = [this](TMouseButton b, int, int) { imgDragMouseDown(imgDrag2, b); };
    OnMouseMove = [this](int, int) { FormMouseMove(); };
    OnMouseUp = [this](TMouseButton b, int, int) { FormMouseUp(b); };
    imgZoom->OnMouseDown = [this](TMouseButton, int x, int y) { imgZoomMouseDown(x, y); };
    cboZoom->OnClick = [this] { cboZoomClick(); };
    chkStayOnTop->OnClick = [this] { chkStayOnTopClick(); };
    mnuControl.Find("mnuControl_Show")->OnClick = [this] { mnuControl_ShowClick(); };
    mnuColor.Find("mnuColor_Palette")->OnClick = [this] { mnuColor_PaletteClick(); };
    mnuColor.Find("mnuColor_SaveColor")->OnClick = [this] { mnuColor_SaveColorClick(); };
    mnuColor.Find("mnuColor_MyColors")->OnClick = [this] { mnuColor_MyColorsClick(); };
    mnuControl.Find("mnuControl_Email")->OnClick = [] { Links::OpenMail(); };
    // The address goes to the shell, which opens it in the default browser, like the About
    // dialog's link does.
    mnuControl.Find("mnuControl_Website")->OnClick = [] { Links::OpenWebSite(); };
    mnuControl.Find("mnuControl_About")->OnClick = [this] { mnuControl_AboutClick(); };
}

void TfrmMain::FormCreate() {
    FReady = false;
    // The path is not needed here: working it out creates the program's folder.
    ReadSettingsAtStartUp([] { TVop::GetIniFileName(); });
    SetCaption(Application.Title());
    SetIcon(Application.Icon(), Application.SmallIcon());
    FTrayDblClicked = false;
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    FDragging = false;
    FUpdatingRGB = false;
    FUpdatingHSL = false;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    auto loadIcon = [inst](const wchar_t* name) {
        return static_cast<HICON>(LoadImageW(inst, name, IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    };
    // Each image owns (and frees) its own load; the cursor table only borrows them.
    imgDrag->SetIcon(loadIcon(L"RES_MAINFORM_ADD"));
    imgDrag2->SetIcon(loadIcon(L"RES_MAINFORM_ADD"));
    imgZoomCursor->SetIcon(loadIcon(L"RES_MAINFORM_ROUND"));
    Application.SetCursorImage(1, imgDrag->Icon());
    Application.SetCursorImage(2, imgZoomCursor->Icon());
    imgZoom->Cursor = 2;
    // The box starts clear: when the setting is on, this runs its click handler, which makes
    // the program topmost and writes the setting (and so creates the file on a first start).
    bool onTop = true;
    ReadSettingsAtStartUp([&] { onTop = TVop::GetStayOnTop(); });
    ReadSettingsAtStartUp([&] { chkStayOnTop->SetChecked(onTop); });
    cboZoom->Clear();
    for (int i = 1; i <= 20; ++i) {
        wchar_t item[32];
        swprintf(item, 32, L"Zoom %d%%", i * 100);
        cboZoom->Add(item);
    }
    int zoom = 1;
    ReadSettingsAtStartUp([&] { zoom = TVop::GetZoom(); });
    cboZoom->SetItemIndex(zoom - 1);
    FCapture = std::make_unique<TBitmap>(imgZoom->Width(), imgZoom->Height());
    FCapture->Canvas().PenColor = clWhite;
    FCapture->Canvas().BrushColor = clWhite;
    FCapture->Canvas().Rectangle(0, 0, FCapture->Width(), FCapture->Height());
    imgZoom->Canvas().PenColor = clWhite;
    imgZoom->Canvas().BrushColor = clWhite;
    imgZoom->Canvas().Rectangle(0, 0, imgZoom->Width(), imgZoom->Height());
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
    UpdateStatus(false);
    InitTrayIcon(FTrayIcon);

    // The program gets its taskbar button back and comes to the front.
    HWND app = Application.Handle();
    SetWindowLongW(app, GWL_EXSTYLE, 0);
    SendMessageW(app, WM_NCCREATE, 0, 0);
    SetForegroundWindow(app);
    FReady = true;
}

// A settings folder that cannot be made or a settings file that cannot be written is
// reported once; the defaults stand in, and the rest of start-up goes on, so that the program
// works fully without its settings file.
void TfrmMain::ReadSettingsAtStartUp(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        if (!FSettingsFailed) Application.HandleException(e);
        FSettingsFailed = true;
    }
}

void TfrmMain::FormClose(TCloseAction&) {
    // A drag still on ends first: no pick may touch the capture once it is gone.
    if (FDragging) {
        ReleaseCapture();
        EndDrag();
    }
    FCapture.reset();
    NotifyShell(NIM_DELETE, FTrayIcon);
}

void TfrmMain::mnuControl_ExitClick() { Close(); }

void TfrmMain::SetCurrentColor(TColor c) {
    shpColor->SetPenColor(c);
    shpColor->SetBrushColor(c);
}

// Each set that changes an editor's text runs ModifyRGB at once, which the guard turns away:
// otherwise the first set would rebuild the colour from a new red and the old green and blue.
void TfrmMain::UpdateRGB() {
    TGuard guard(FUpdatingRGB);
    TColor c = CurrentColor();
    spiR->SetValue(RedOf(c));
    spiG->SetValue(GreenOf(c));
    spiB->SetValue(BlueOf(c));
}

void TfrmMain::UpdateHSL() {
    TGuard guard(FUpdatingHSL);
    TColor c = CurrentColor();
    int h, s, l;
    TVop::RGBToHSL(RedOf(c), GreenOf(c), BlueOf(c), h, s, l);
    spiH->SetValue(h);
    spiS->SetValue(s);
    spiL->SetValue(l);
}

// All seven texts come from one reading of the colour. An edit that already shows its text
// is left alone and reports no change.
void TfrmMain::UpdateColorValues() {
    TColor c = CurrentColor();
    for (int tag = 1; tag <= 7; ++tag) {
        char text[32];
        int n = ColorText::FormatNotation(text, sizeof text, c, tag);
        wchar_t wide[32];
        for (int i = 0; i <= n; ++i) wide[i] = static_cast<unsigned char>(text[i]);  // ASCII
        FNotationEdits[static_cast<size_t>(tag)]->SetText(wide);
    }
}

void TfrmMain::ModifyRGB() {
    if (FUpdatingRGB) return;
    int b = spiB->Value(), g = spiG->Value(), r = spiR->Value();
    SetCurrentColor(MakeColor(r, g, b));
    UpdateHSL();
    UpdateColorValues();
}

// The HSL editors keep the values the user left in them, even where converting the new colour
// back would give other numbers.
void TfrmMain::ModifyHSL() {
    if (FUpdatingHSL) return;
    int l = spiL->Value(), s = spiS->Value(), h = spiH->Value();
    int r, g, b;
    TVop::HSLToRGB(h, s, l, r, g, b);
    SetCurrentColor(MakeColor(r, g, b));
    UpdateRGB();
    UpdateColorValues();
}

void TfrmMain::ColorValueChange(TControl* sender) {
    auto* edit = static_cast<TEdit*>(sender);
    char text[64];  // a notation always fits; what the user types may not
    int n = edit->GetTextA(text, sizeof text);
    std::string value = n < static_cast<int>(sizeof text) - 1 ? std::string(text, static_cast<size_t>(n))
                                                              : WideToAnsi(edit->Text());
    FColorValues.at(static_cast<size_t>(sender->Tag)) = TextUtil::Trim(value);
}

void TfrmMain::CopyColor(TControl* sender) {
    Clipboard::SetText(Application.Handle(), FColorValues.at(static_cast<size_t>(sender->Tag)));
}

// ---- Notification area and visibility ----


void TfrmMain::InitTrayIcon(TNotifyIconData& data) {
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = SmallIcon();  // the hand-drawn 16-pixel image, not a scaled one
    // The tip holds 63 characters; a longer caption is cut there.
    std::string tip = WideToAnsi(Caption()).substr(0, sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    NotifyShell(NIM_ADD, data);
}

void TfrmMain::MuteTrayIcon(bool mute) {
    FTrayIcon.uCallbackMessage = mute ? 0 : WM_TRAYICON;
    NotifyShell(NIM_MODIFY, FTrayIcon);
}

// Hiding takes two steps: minimise the application (the main window goes with it), and on the
// next message, seeing it iconic, hide it and drop its taskbar button.
void TfrmMain::ShowMainWindow(bool show) {
    HWND app = Application.Handle();
    if (show) {
        SetWindowLongW(app, GWL_EXSTYLE, 0);
        SendMessageW(app, WM_NCCREATE, 0, 0);
        ShowWindow(app, SW_SHOW);
        Application.Restore();
        SetVisible(true);
        SetForegroundWindow(app);
    } else if (IsIconic(app)) {
        ShowWindow(app, SW_HIDE);
        SetWindowLongW(app, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
        SendMessageW(app, WM_NCCREATE, 0, 0);
        SetVisible(false);
    } else {
        Application.Minimize();
    }
}

// The shell reports a double click as press, release, double click, release; the flag keeps
// the second release from hiding what the first one showed.
void TfrmMain::TrayIconCallback(LPARAM mouseMessage) {
    HWND app = Application.Handle();
    if (mouseMessage == WM_LBUTTONUP && !FTrayDblClicked) ShowMainWindow(!Visible());
    if (mouseMessage == WM_LBUTTONUP && FTrayDblClicked) {
        FTrayDblClicked = false;
        if (Visible()) SetForegroundWindow(app);
    }
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        FTrayDblClicked = true;
        if (Visible()) SetForegroundWindow(app);
    }
    if (mouseMessage == WM_RBUTTONUP) {
        // The menu closes on a click elsewhere only when the program is in the foreground.
        SetForegroundWindow(app);
        Application.ProcessMessages();
        POINT p;
        GetCursorPos(&p);
        mnuControl.Popup(p.x, p.y);
    }
}

void TfrmMain::mnuControl_ShowClick() { ShowMainWindow(!Visible()); }

void TfrmMain::chkStayOnTopClick() { TVop::SetStayOnTop(chkStayOnTop->Checked()); }

// Every move, show, hide or reorder of the main window puts the application window back in
// its place; the windows it owns follow it. The guard stops the system's own z-order
// messages for the owned windows from asserting again inside the assertion.
void TfrmMain::AssertStayOnTop() {
    if (FAssertingStayOnTop) return;
    TGuard guard(FAssertingStayOnTop);
    ApplyStayOnTop(chkStayOnTop->Checked());
}

// ---- Picking ----

void TfrmMain::imgDragMouseDown(TImage* pressed, TMouseButton button) {
    if (button != TMouseButton::Left) return;
    // From here every mouse message, wherever the cursor is, comes to the main window.
    SetCapture(Handle());
    Application.SetCursor(1);
    FDragging = true;
    pressed->SetVisible(false);
}

// One pick per mouse move; it allocates nothing, so it keeps up with the fastest mouse.
void TfrmMain::FormMouseMove() {
    if (!FDragging || !FCapture) return;
    TScreenDC dc;
    POINT p;
    GetCursorPos(&p);
    SetCurrentColor(GetPixel(dc.Get(), p.x, p.y));
    UpdateStatus(true);
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
    CaptureScreen(dc.Get(), p);
}

void TfrmMain::FormMouseUp(TMouseButton button) {
    if (button != TMouseButton::Left) return;
    ReleaseCapture();
    EndDrag();
}

// The end of a drag, also when the capture is lost to another window or the program is
// deactivated: the "+" cursor goes, both icons come back, and no further move picks.
void TfrmMain::EndDrag() {
    Application.SetCursor(0);
    FDragging = false;
    imgDrag->SetVisible(true);
    imgDrag2->SetVisible(true);
    UpdateStatus(false);
}

void TfrmMain::UpdateStatus(bool picking) {
    if (!picking) {
        StatusBar1->SetPanelText(kHint);
        return;
    }
    POINT p;
    GetCursorPos(&p);
    wchar_t text[40];
    swprintf(text, 40, L"X:%ld Y:%ld", p.x, p.y);
    StatusBar1->SetPanelText(text);
}

// ---- Magnifier ----

// The capture's pixel (x, y) is the screen's (P.X - 115 + x, P.Y - 48 + y); what lies
// beyond the screen stays black. Only the part on the screen is copied: Wine copies nothing at
// all from a rectangle that reaches beyond the screen's top left corner while another
// program's window is there.
void TfrmMain::CaptureScreen(HDC dc, POINT p) {
    TCanvas& canvas = FCapture->Canvas();
    int w = FCapture->Width(), h = FCapture->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    RECT source{p.x - w / 2, p.y - h / 2, p.x - w / 2 + w, p.y - h / 2 + h};
    RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT visible;
    if (IntersectRect(&visible, &source, &screen)) {
        int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
        StretchBlt(FCapture->DC(), visible.left - source.left, visible.top - source.top, vw, vh, dc,
                   visible.left, visible.top, vw, vh, SRCCOPY);
    }
    DrawZoom();
}

// The middle of the capture stretched over the magnifier: the default stretching mode
// repeats pixels, with no smoothing.
void TfrmMain::DrawZoom() {
    TCanvas& canvas = imgZoom->Canvas();
    int w = imgZoom->Width(), h = imgZoom->Height();
    canvas.PenColor = clBlack;
    canvas.BrushColor = clBlack;
    canvas.Rectangle(0, 0, w, h);
    int n = cboZoom->ItemIndex() + 1;
    if (n < 1) n = 1;
    TZoomSource s = ZoomSource(w, h, n);
    StretchBlt(canvas.Handle(), 0, 0, w, h, FCapture->DC(), s.X, s.Y, s.Width, s.Height, SRCCOPY);
    imgZoom->Invalidate();
}

void TfrmMain::cboZoomClick() {
    TVop::SetZoom(cboZoom->ItemIndex() + 1);
    spiR->SetFocus();
    DrawZoom();
}

// Any button: the colour of the magnified picture as shown, not of the screen.
void TfrmMain::imgZoomMouseDown(int x, int y) {
    SetCurrentColor(imgZoom->Canvas().Pixel(x, y));
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
}

void TfrmMain::btnMenuClick() {
    POINT p;
    GetCursorPos(&p);
    mnuColor.Popup(p.x, p.y);
}

void TfrmMain::mnuColor_PaletteClick() {
    ColorDialog1.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN |
                         CC_SHOWHELP | CC_SOLIDCOLOR | CC_ANYCOLOR;
    ColorDialog1.Color = CurrentColor();
    if (!ColorDialog1.Execute(Application.Handle())) return;
    SetCurrentColor(ColorDialog1.Color);
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
}

LRESULT TfrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = TForm::WndProc(msg, wp, lp);
    if (msg == WM_CAPTURECHANGED && FDragging) EndDrag();
    // Until start-up has run to its end every message gets the default handling only.
    if (!FReady) return result;
    if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) AssertStayOnTop();
    if (msg == FTaskbarCreated) NotifyShell(NIM_ADD, FTrayIcon);
    // Minimised while counting as shown, by whatever route: finish hiding in the
    // notification area. Messages handled inside it (the foreground change sends some at
    // once) do not start it again: without a taskbar each would change the foreground anew,
    // nesting without end.
    if (IsIconic(Application.Handle()) && Visible() && !FHidingToTray) {
        TGuard guard(FHidingToTray);
        SetForegroundWindow(FindWindowA("Shell_TrayWnd", ""));
        Application.ProcessMessages();
        ShowMainWindow(false);
    }
    if (msg == WM_TRAYICON) TrayIconCallback(lp);
    return result;
}

// ---- Dialogs ----

// The time stamp is taken when the dialog opens; whatever the saving raises becomes "ERROR!".
void TfrmMain::mnuColor_SaveColorClick() {
    auto dialog = Application.NewForm<TfrmSaveColor>();
    frmSaveColor = dialog.get();
    TColor c = CurrentColor();
    SYSTEMTIME now;
    GetLocalTime(&now);
    dialog->edtTime->SetText(AnsiToWide(
        SettingsText::TimeText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond)));
    dialog->shpColor->SetPenColor(c);
    dialog->shpColor->SetBrushColor(c);
    dialog->edtValue->SetText(AnsiToWide(ColorText::FromColor(c)));
    if (dialog->ShowModal() == mrOk) {
        std::string title = WideToAnsi(Application.Title());
        const char* message = "SUCCESS!";
        UINT icon = MB_ICONINFORMATION;
        try {
            TVop::SaveColor(WideToAnsi(dialog->edtTime->Text()), WideToAnsi(dialog->edtValue->Text()),
                            WideToAnsi(dialog->edtComment->Text()));
        } catch (...) {
            message = "ERROR!";
            icon = MB_ICONERROR;
        }
        MessageBoxA(Handle(), message, title.c_str(), MB_OK | icon);
    }
    frmSaveColor = nullptr;
}

void TfrmMain::mnuColor_MyColorsClick() {
    auto dialog = Application.NewForm<TfrmMyColors>();
    frmMyColors = dialog.get();
    if (dialog->ShowModal() == mrOk) {
        SetCurrentColor(dialog->SelectedColor);
        UpdateRGB();
        UpdateHSL();
        UpdateColorValues();
    }
    frmMyColors = nullptr;
}

// While the dialog is open the notification-area icon is muted, on every way out unmuted.
void TfrmMain::mnuControl_AboutClick() {
    struct TMuted {
        TfrmMain& Form;
        explicit TMuted(TfrmMain& f) : Form(f) { Form.MuteTrayIcon(true); }
        ~TMuted() { Form.MuteTrayIcon(false); }
    } muted(*this);
    auto dialog = Application.NewForm<TfrmAbout>();
    frmAbout = dialog.get();
    dialog->Version = L"6.20";
    dialog->Year = L"2008";
    dialog->ShowModal();
    frmAbout = nullptr;
}
