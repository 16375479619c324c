#include "MainForm.h"
#include "AboutForm.h"
#include "ContrastForm.h"
#include "Links.h"
#include "MyColorsForm.h"
#include "QuilloraVersion.h"
#include "SaveColorForm.h"
#include "SettingsText.h"
#include "AppWindow.h"
#include "Clipboard.h"
#include "ColorFormats.h"
#include "ColorParse.h"
#include "ColorText.h"
#include "Text.h"
#include "TextUtil.h"
#include "Settings.h"
#include "VopClass.h"

TfrmMain* frmMain = nullptr;

namespace {
// One notation row: a label at 8 (sized to its text), an edit at 52 and a copy button at 198,
// one pixel above the edit; the edit and the button carry the notation's number as their tag.
struct TNotationRow {
    TLayoutSlot<TfrmMain> Label, Edit, Button;
    const wchar_t* Caption;
    int LabelTop, EditTop;
};
#define M(member) LAYOUT_SLOT(TfrmMain, member)
const TNotationRow kNotationRows[TfrmMain::kNotations] = {
    // label           edit             button               caption      label top  edit top
    {M(lblRGB),          M(edtRGB),     M(btnRGBCopy),L"RGB:",  294,   290},
    {M(lblDecimal),      M(edtDecimal), M(btnDecimalCopy),L"十进制:",  321,   317},
    {M(lblHex),          M(edtHex),     M(btnHexCopy),L"十六进制",  349,   345},
    {M(lblHtml),         M(edtHtml),    M(btnHtmlCopy),L"Html:",  376,   372},
    {M(lblDelphi),       M(edtDelphi),  M(btnDelphiCopy),L"Delphi",  404,   400},
    {M(lblVB),           M(edtVB),      M(btnVBCopy),L"VB:",  435,   427},
    {M(lblC),            M(edtC),       M(btnCCopy),L"C/C++:",  459,   455},
};
}  // namespace

const std::vector<TLayoutRow<TfrmMain>>& TfrmMain::Layout() {
    static const std::vector<TLayoutRow<TfrmMain>> rows = [] {
        std::vector<TLayoutRow<TfrmMain>> r = {
            // control        parent          left top width height tag tab caption
            {M(chkStayOnTop),    {},               8,  10,   76,    17,   0,   0, L"置顶"},
            {M(cboZoom),         {},              91,   8,  103,    21,   0,   1, nullptr},
            {M(btnMenu),         {},             198,   7,   43,    23,   0,  -1, L"菜单"},
            {M(pnlDrag2),        {},               8,  36,   38,    38,   0,  19, nullptr},
            {M(imgDrag2),        M(pnlDrag2),      3,   3,   32,    32,   0,  -1, nullptr},
            {M(pnlColor),        {},              50,  36,  149,    38,   0,  18, nullptr},
            {M(shpColor),        M(pnlColor),      1,   1,  147,    36,   0,  -1, nullptr},
            {M(pnlDrag),         {},             203,  36,   38,    38,   0,  15, nullptr},
            {M(imgDrag),         M(pnlDrag),       3,   3,   32,    32,   0,  -1, nullptr},
            {M(pnlZoom),         {},               8,  80,  233,    98,   0,  16, nullptr},
            {M(imgZoom),         M(pnlZoom),       1,   1,  231,    96,   0,  -1, nullptr},
            {M(imgZoomCursor),   M(pnlZoom),     194,  56,   32,    32,   0,  -1, nullptr},
            {M(bvlRgbFrame),     {},               8, 184,  233,    98,   0,  -1, nullptr},
            {M(lblR),            {},              17, 199,   11,    13,   0,  -1, L"R:"},
            {M(spiR),            {},              31, 194,   90,    22,   0,   2, nullptr, 0, 255},
            {M(lblG),            {},              17, 227,   11,    13,   0,  -1, L"G:"},
            {M(spiG),            {},              31, 222,   90,    22,   0,   3, nullptr, 0, 255},
            {M(lblB),            {},              17, 255,   10,    13,   0,  -1, L"B:"},
            {M(spiB),            {},              31, 250,   90,    22,   0,   4, nullptr, 0, 255},
            {M(lblH),            {},             128, 199,   11,    13,   0,  -1, L"H:"},
            {M(spiH),            {},             142, 194,   90,    22,   0,   5, nullptr, 0, 240},
            {M(lblS),            {},             129, 227,   10,    13,   0,  -1, L"S:"},
            {M(spiS),            {},             142, 222,   90,    22,   0,   6, nullptr, 0, 240},
            {M(lblL),            {},             130, 255,    9,    13,   0,  -1, L"L:"},
            {M(spiL),            {},             142, 250,   90,    22,   0,   7, nullptr, 0, 240},
        };
        int tag = 1;
        for (const TNotationRow& n : kNotationRows) {
            r.push_back({n.Label, {}, 8, n.LabelTop, 0, 13, 0, -1, n.Caption});
            r.push_back({n.Edit, {}, 52, n.EditTop, 142, 21, tag, 7 + tag, nullptr});
            r.push_back({n.Button, {}, 198, n.EditTop - 1, 43, 23, tag, -1, L"复制"});
            ++tag;
        }
        r.push_back({M(StatusBar1), {}, 0, 484, 249, 21, 0, 17, L"关于"});
        return r;
    }();
    return rows;
}
#undef M

TfrmMain::TfrmMain() : TForm(L"TfrmMain", kClientWidth, kClientHeight) {
    SetColor(clBtnFace);
    BuildLayout(*this, Layout());
    SetupComponents();
    BuildMenus();
    BindEvents();
}

void TfrmMain::SetupComponents() {
    for (int tag = 1; tag <= kNotations; ++tag)
        FNotationEdits[static_cast<size_t>(tag)] =
            static_cast<TEdit*>(kNotationRows[tag - 1].Edit.Get(*this));
    cboZoom->SetDropDownCount(20);
    cboZoom->SetAccessibleName(L"Zoom");  // its items read "Zoom 100%" ...; no label names it
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
}

void TfrmMain::BuildMenus() {
    mnuColor.Add("mnuColor_Palette", L"调色板").OnClick = [this] { mnuColor_PaletteClick(); };
    mnuColor.Add("mnuColor_Separator0", L"-");
    mnuColor.Add("mnuColor_SaveColor", L"保存颜色", true).OnClick = [this] { mnuColor_SaveColorClick(); };
    mnuColor.Add("mnuColor_MyColors", L"喜爱的颜色").OnClick = [this] { mnuColor_MyColorsClick(); };
    mnuColor.Add("mnuColor_Separator1", L"-");
    mnuColor.Add("mnuColor_Pick", L"屏幕取色(&S)").OnClick = [this] { StartKeyPick(); };
    TPopupMenu& copyAs = mnuColor.AddSubmenu("mnuColor_CopyAs", L"复制为(&C)");
    for (int i = 1; i <= ColorFormats::kMoreNotationCount; ++i)
        copyAs.Add("mnuColor_CopyAs" + std::to_string(i), L"").OnClick = [this, i] {
            Clipboard::SetText(Application.Handle(), ColorFormats::MoreNotation(CurrentColor(), i));
        };
    mnuColor.OnPopup = [this] { UpdateCopyAsMenu(); };
    mnuColor.Add("mnuColor_Paste", L"粘贴颜色(&P)").OnClick = [this] { mnuColor_PasteClick(); };
    mnuColor.Add("mnuColor_Contrast", L"对比度(&K)...").OnClick = [this] { mnuColor_ContrastClick(); };
    mnuColor.Add("mnuColor_Separator2", L"-");
    mnuColor.Add("mnuColor_Export", L"导出喜爱的颜色(&E)...").OnClick = [this] { mnuColor_ExportClick(); };
    mnuColor.Add("mnuColor_Import", L"导入喜爱的颜色(&I)...").OnClick = [this] { mnuColor_ImportClick(); };
    mnuColor.Add("mnuColor_Separator3", L"-");
    BuildPickMenus();

    mnuControl.Add("mnuControl_Show", L"显示/隐藏 主窗口(&S)", true).OnClick = [this] {
        mnuControl_ShowClick();
    };
    mnuControl.Add("mnuControl_Separator0", L"-");
    mnuControl.Add("mnuControl_Email", L"联系我们").OnClick = [] { Links::OpenMail(); };
    // The address goes to the shell, which opens it in the default browser, like the About
    // dialog's link does.
    mnuControl.Add("mnuControl_Website", L"访问主页(&V)...").OnClick = [] { Links::OpenWebSite(); };
    mnuControl.Add("mnuControl_About", L"关于(&A)...").OnClick = [this] { mnuControl_AboutClick(); };
    mnuControl.Add("mnuControl_Separator1", L"-");
    mnuControl.Add("mnuControl_Exit", L"退出(&E)").OnClick = [this] { mnuControl_ExitClick(); };
}

namespace {
const wchar_t* const kSampleCaptions[] = {L"单个像素(&1)", L"3×3 平均(&3)", L"5×5 平均(&5)"};
const wchar_t* const kAutoCopyCaptions[TfrmMain::kNotations + 1] = {
    L"不复制(&0)", L"RGB(&1)", L"十进制(&2)", L"十六进制(&3)", L"Html(&4)", L"Delphi(&5)", L"VB(&6)", L"C/C++(&7)"};
}  // namespace

// Each entry shows its text for the current colour after a tab.
void TfrmMain::UpdateCopyAsMenu() {
    static const wchar_t* const captions[ColorFormats::kMoreNotationCount] = {
        L"CSS rgb()(&R)", L"CSS hsl()(&H)", L"HSV(&V)", L"CMYK(&M)", L"CIE Lab(&L)", L"OKLCH(&O)",
        L"小写十六进制(&X)", L"颜色名称(&N)"};
    for (int i = 1; i <= ColorFormats::kMoreNotationCount; ++i)
        mnuColor.Find("mnuColor_CopyAs" + std::to_string(i))->Caption =
            std::wstring(captions[i - 1]) + L"\t" + AnsiToWide(ColorFormats::MoreNotation(CurrentColor(), i));
}

// A colour in the clipboard's text becomes the current colour as a finished pick makes it;
// any other text changes nothing but the status.
void TfrmMain::mnuColor_PasteClick() {
    TColor c = 0;
    if (!ColorParse::ParseColor(WideToUtf8(Clipboard::WideText(Application.Handle())), c)) {
        StatusBar1->SetPanelText(L"剪贴板中没有可识别的颜色");
        return;
    }
    ShowColor(c);
    UpdateStatus(false);
}

// The two choices that shape every pick, as radio entries.
void TfrmMain::BuildPickMenus() {
    TPopupMenu& sample = mnuColor.AddSubmenu("mnuColor_Sample", L"取样(&M)");
    for (int i = 0; i < 3; ++i) {
        const int side = 2 * i + 1;
        TMenuItem& item = sample.Add("mnuColor_Sample" + std::to_string(side), kSampleCaptions[i]);
        item.RadioItem = true;
        item.OnClick = [this, side] { SetSampleSide(side); };
    }
    TPopupMenu& autoCopy = mnuColor.AddSubmenu("mnuColor_AutoCopy", L"取色后复制(&A)");
    for (int tag = 0; tag <= kNotations; ++tag) {
        TMenuItem& item = autoCopy.Add("mnuColor_AutoCopy" + std::to_string(tag), kAutoCopyCaptions[tag]);
        item.RadioItem = true;
        item.OnClick = [this, tag] { SetAutoCopy(tag); };
    }
    UpdatePickMenus();
}

void TfrmMain::UpdatePickMenus() {
    std::wstring pick = L"屏幕取色(&S)";
    if (FHotKeyRegistered) pick += L"\t" + AnsiToWide(HotKeyText(FHotKey));
    mnuColor.Find("mnuColor_Pick")->Caption = pick;
    for (int side = 1; side <= 5; side += 2)
        mnuColor.Find("mnuColor_Sample" + std::to_string(side))->Checked = side == FSampleSide;
    for (int tag = 0; tag <= kNotations; ++tag)
        mnuColor.Find("mnuColor_AutoCopy" + std::to_string(tag))->Checked = tag == FAutoCopy;
}

// Each choice takes effect at once and is written only when it changes; a failed write is
// reported and the choice stays for this run.
void TfrmMain::SetSampleSide(int side) {
    if (side == FSampleSide) return;
    FSampleSide = side;
    UpdatePickMenus();
    DrawZoom();
    TSettings::SetSample(side);
}

void TfrmMain::SetAutoCopy(int notation) {
    if (notation == FAutoCopy) return;
    FAutoCopy = notation;
    UpdatePickMenus();
    TSettings::SetAutoCopy(notation);
}

void TfrmMain::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    for (TSpinEdit* s : {spiR, spiG, spiB}) s->OnChange = [this] { ModifyRGB(); };
    for (TSpinEdit* s : {spiH, spiS, spiL}) s->OnChange = [this] { ModifyHSL(); };
    for (const TNotationRow& n : kNotationRows) {
        TControl* edit = n.Edit.Get(*this);
        static_cast<TEdit*>(edit)->OnChange = [this, edit] { ColorValueChange(edit); };
        TControl* button = n.Button.Get(*this);
        button->OnClick = [this, button] { CopyColor(button); };
    }
    btnMenu->OnClick = [this] { btnMenuClick(); };
    imgDrag->OnMouseDown = [this](TMouseButton b, int, int) { imgDragMouseDown(imgDrag, b); };
    imgDrag2->OnMouseDown = [this](TMouseButton b, int, int) { imgDragMouseDown(imgDrag2, b); };
    OnMouseMove = [this](int, int) { FormMouseMove(); };
    OnMouseUp = [this](TMouseButton b, int, int) { FormMouseUp(b); };
    imgZoom->OnMouseDown = [this](TMouseButton, int x, int y) { imgZoomMouseDown(x, y); };
    cboZoom->OnClick = [this] { cboZoomClick(); };
    chkStayOnTop->OnClick = [this] { chkStayOnTopClick(); };
}

void TfrmMain::FormCreate() {
    FReady = false;
    // The path is not needed here: working it out creates the program's folder.
    ReadSettingsAtStartUp([] { TSettings::GetIniFileName(); });
    SetCaption(Application.Title());
    SetIcon(Application.Icon(), Application.SmallIcon());
    FTrayDblClicked = false;
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    FPick = TPickMode::None;
    FUpdatingRGB = false;
    FUpdatingHSL = false;
    MakeDpiImages();
    imgZoom->Cursor = 2;
    // The box starts clear: when the setting is on, this runs its click handler, which makes
    // the program topmost and writes the setting (and so creates the file on a first start).
    bool onTop = true;
    ReadSettingsAtStartUp([&] { onTop = TSettings::GetStayOnTop(); });
    ReadSettingsAtStartUp([&] { chkStayOnTop->SetChecked(onTop); });
    cboZoom->Clear();
    for (int i = 1; i <= 20; ++i) {
        wchar_t item[32];
        swprintf(item, 32, L"Zoom %d%%", i * 100);
        cboZoom->Add(item);
    }
    int zoom = 1;
    ReadSettingsAtStartUp([&] { zoom = TSettings::GetZoom(); });
    cboZoom->SetItemIndex(zoom - 1);
    ShowColor(CurrentColor());
    UpdateStatus(false);
    InitTrayIcon(FTrayIcon);
    ReadSettingsAtStartUp([&] {
        FHotKey = TSettings::GetHotKey();
        FSampleSide = TSettings::GetSample();
        FAutoCopy = TSettings::GetAutoCopy();
    });
    RegisterPickHotKey();
    UpdatePickMenus();
    if (FSampleSide > 1) DrawZoom();  // the outline of the sampled square
    if (FHotKey.Key != 0 && !FHotKeyRegistered)
        StatusBar1->SetPanelText(L"热键 " + AnsiToWide(HotKeyText(FHotKey)) + L" 已被占用");
    Application.OnMessage = [this](const MSG& msg) { return PickKey(msg); };

    // The program gets its taskbar button back and comes to the front.
    SetTaskbarButton(true);
    SetForegroundWindow(Application.Handle());
    FReady = true;
}

void TfrmMain::DpiChanged() { MakeDpiImages(); }

// The "+" and ring icons come at 32 pixels times the DPI's scale, each size drawn in the
// resources, so no enlargement blurs them; a cursor's hot spot is its icon's centre. The
// magnifier starts white at its new size.
void TfrmMain::MakeDpiImages() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    const int size = Scale(32);
    auto loadIcon = [inst, size](const wchar_t* name) {
        return TIconHandle(static_cast<HICON>(LoadImageW(inst, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    TIconHandle add = loadIcon(L"RES_MAINFORM_ADD"), round = loadIcon(L"RES_MAINFORM_ROUND");
    // The cursor table borrows the new icons before the images free the old ones.
    Application.SetCursorImage(1, add.Get());
    Application.SetCursorImage(2, round.Get());
    imgDrag->SetIcon(std::move(add));
    imgDrag2->SetIcon(loadIcon(L"RES_MAINFORM_ADD"));
    imgZoomCursor->SetIcon(std::move(round));
    if (Application.Cursor() != 0) Application.SetCursor(Application.Cursor());
    FCapture = std::make_unique<TBitmap>(imgZoom->Width(), imgZoom->Height());
    FCapture->Canvas().PenColor = clWhite;
    FCapture->Canvas().BrushColor = clWhite;
    FCapture->Canvas().Rectangle(0, 0, FCapture->Width(), FCapture->Height());
    imgZoom->Canvas().PenColor = clWhite;
    imgZoom->Canvas().BrushColor = clWhite;
    imgZoom->Canvas().Rectangle(0, 0, imgZoom->Width(), imgZoom->Height());
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

void TfrmMain::mnuControl_ExitClick() { Close(); }

void TfrmMain::ShowColor(TColor c) {
    SetCurrentColor(c);
    UpdateRGB();
    UpdateHSL();
    UpdateColorValues();
}

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
    for (int tag = 1; tag <= kNotations; ++tag) {
        char text[32];
        ColorText::FormatNotation(text, sizeof text, c, tag);
        wchar_t wide[32];
        WidenAscii(text, wide, 32);
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

void TfrmMain::CopyColor(TControl* sender) { CopyNotation(sender->Tag); }

void TfrmMain::CopyNotation(int tag) {
    Clipboard::SetText(Application.Handle(), FColorValues.at(static_cast<size_t>(tag)));
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
    ShowColor(ColorDialog1.Color);
}

LRESULT TfrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = TForm::WndProc(msg, wp, lp);
    if (msg == WM_CAPTURECHANGED && Dragging()) EndDrag();
    if (msg == WM_DISPLAYCHANGE) FMonitorCount = -1;
    if (msg == WM_DESTROY) Application.OnMessage = nullptr;
    if (FReady || msg == WM_DESTROY) PickWndProc(msg, wp);
    if (msg == WM_DISPLAYCHANGE) FMonitorCount = -1;
    // Until start-up has run to its end every message gets the default handling only.
    if (FReady) TrayWndProc(msg, lp);
    return result;
}

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
            TSettings::SaveColor(WideToAnsi(dialog->edtTime->Text()), WideToAnsi(dialog->edtValue->Text()),
                            WideToAnsi(dialog->edtComment->Text()));
        } catch (...) {
            message = "ERROR!";
            icon = MB_ICONERROR;
        }
        MessageBoxA(Handle(), message, title.c_str(), MB_OK | icon);
    }
    frmSaveColor = nullptr;
}

void TfrmMain::mnuColor_ContrastClick() {
    auto dialog = Application.NewForm<TfrmContrast>();
    frmContrast = dialog.get();
    dialog->Palette = &ColorDialog1;
    dialog->SetColors(CurrentColor(), TfrmContrast::LastBackground);
    dialog->ShowModal();
    frmContrast = nullptr;
}

void TfrmMain::mnuColor_MyColorsClick() {
    auto dialog = Application.NewForm<TfrmMyColors>();
    frmMyColors = dialog.get();
    if (dialog->ShowModal() == mrOk) ShowColor(dialog->SelectedColor);
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
    dialog->Version = QUILLORA_VERSION_WTEXT;
    dialog->Year = L"2008";
    dialog->ShowModal();
    frmAbout = nullptr;
}
