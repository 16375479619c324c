#include "MainForm.h"
#include "Clipboard.h"
#include "ColorText.h"
#include "TextUtil.h"
#include "VopClass.h"

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
    mnuColor.Find("mnuColor_Palette")->OnClick = [this] { mnuColor_PaletteClick(); };
}

void TfrmMain::FormCreate() {
    FReady = false;
    // 2. Work out the settings file path, which creates the program's folder: comes with the
    //    settings file.
    SetCaption(Application.Title());
    SetIcon(Application.Icon());
    FTrayDblClicked = false;
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    FDragging = false;
    FUpdatingRGB = false;
    FUpdatingHSL = false;
    // 8-10. The "+" and ring icons and the two application cursors: come with picking.
    // 11. The stay-on-top box from the settings: comes with stay on top.
    // 12-16. The zoom list, the capture bitmap and a white magnifier: come with the magnifier.
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
    // 18. The status hint: comes with picking.
    // 19. The notification-area icon: comes with the notification area.

    // The program gets its taskbar button back and comes to the front.
    HWND app = Application.Handle();
    SetWindowLongW(app, GWL_EXSTYLE, 0);
    SendMessageW(app, WM_NCCREATE, 0, 0);
    SetForegroundWindow(app);
    FReady = true;
}

void TfrmMain::FormClose(TCloseAction&) {
    FCapture.reset();
    // The notification-area icon is removed here once the program has one.
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
    for (int tag = 1; tag <= 7; ++tag)
        FNotationEdits[static_cast<size_t>(tag)]->SetText(AnsiToWide(ColorText::Notation(c, tag)));
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
    FColorValues.at(static_cast<size_t>(sender->Tag)) = TextUtil::Trim(WideToAnsi(edit->Text()));
}

void TfrmMain::CopyColor(TControl* sender) {
    Clipboard::SetText(Application.Handle(), FColorValues.at(static_cast<size_t>(sender->Tag)));
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
    // Until start-up has run to its end every message gets the default handling only. The
    // handling of its own (stay on top, the taskbar's return, the notification-area
    // callbacks) follows here.
    if (!FReady) return result;
    return result;
}
