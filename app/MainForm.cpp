#include "MainForm.h"
#include "AppWindow.h"
#include "Clipboard.h"
#include "DialogCommands.h"
#include "LabelNames.h"
#include "notation/ColorText.h"
#include "Links.h"
#include "PaletteTransfer.h"
#include "settings/Settings.h"
#include "settings/SettingsText.h"
#include "Text.h"
#include "Texts.h"
#include "colour/VopClass.h"

TfrmMain* frmMain = nullptr;
TfrmMain::TCommandLinePick* TfrmMain::CommandLinePick = nullptr;

using X = TTextId;

namespace {
// Where the row of each notation sits, found by its label's text: a label at 8 (sized to its
// text), an edit at 52 and a copy button at 198, one pixel above the edit; the edit and the
// button carry the notation's number as their tag. The tops differ a little, as the window
// was drawn.
struct TNotationPlace {
    TTextId Label;
    TLayoutSlot<TfrmMain> LabelSlot, Edit, Button;
    int LabelTop, EditTop;
};
#define M(member) LAYOUT_SLOT(TfrmMain, member)
const TNotationPlace kNotationPlaces[] = {
    // label text         label           edit            button              label top  edit top
    {X::NotationLabel1,   M(lblRGB),      M(edtRGB),      M(btnRGBCopy),      294,       290},
    {X::NotationLabel2,   M(lblDecimal),  M(edtDecimal),  M(btnDecimalCopy),  321,       317},
    {X::NotationLabel3,   M(lblHex),      M(edtHex),      M(btnHexCopy),      349,       345},
    {X::NotationLabel4,   M(lblHtml),     M(edtHtml),     M(btnHtmlCopy),     376,       372},
    {X::NotationLabel5,   M(lblDelphi),   M(edtDelphi),   M(btnDelphiCopy),   404,       400},
    {X::NotationLabel6,   M(lblVB),       M(edtVB),       M(btnVBCopy),       435,       427},
    {X::NotationLabel7,   M(lblC),        M(edtC),        M(btnCCopy),        459,       455},
};
static_assert(std::size(kNotationPlaces) == TfrmMain::kNotations, "a place for each notation");

// The place of notation 1..7, in the order of the notation list.
const TNotationPlace& NotationPlace(int tag) {
    for (const TNotationPlace& p : kNotationPlaces)
        if (p.Label == NotationLabel(tag)) return p;
    throw std::logic_error("no place for notation " + std::to_string(tag));
}
}  // namespace

std::vector<TLayoutRow<TfrmMain>> TfrmMain::Layout() {
    std::vector<TLayoutRow<TfrmMain>> r = {
        // control        parent          left top width height tag tab caption
        {M(chkStayOnTop),    {},               8,  10,   76,    17,   0,   0, Text(X::StayOnTop)},
        {M(cboZoom),         {},              91,   8,  103,    21,   0,   1, nullptr},
        {M(btnMenu),         {},             198,   7,   43,    23,   0,  -1, Text(X::MenuButton)},
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
    for (int tag = 1; tag <= kNotations; ++tag) {
        const TNotationPlace& n = NotationPlace(tag);
        r.push_back({n.LabelSlot, {}, 8, n.LabelTop, 0, 13, 0, -1, Text(n.Label)});
        r.push_back({n.Edit, {}, 52, n.EditTop, 142, 21, tag, 7 + tag, nullptr});
        r.push_back({n.Button, {}, 198, n.EditTop - 1, 43, 23, tag, -1, Text(X::CopyButton)});
    }
    r.push_back({M(stbStatus), {}, 0, 484, 249, 21, 0, 17, Text(X::StatusName)});
    return r;
}
#undef M

TfrmMain::TfrmMain() : TForm(L"TfrmMain", kClientWidth, kClientHeight) {
    SetColor(clBtnFace);
    BuildLayout(*this, Layout());
    SetupComponents();
    BuildCommands();
    BindEvents();
    NameForScreenReaders();
    // The start colour goes into the controls before their windows are made, which take their
    // texts with them: thirteen texts set afterwards cost 7 to 10 ms of start-up under Wine.
    FModel.Set(FModel.Color(), TColorSource::Start);
}

void TfrmMain::SetupComponents() {
    cboZoom->SetDropDownCount(SettingsText::kZoomMax);
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
    stbStatus->SetFont(statusFont);
}

// Every menu entry and key, one row each, the rooms adding their own; the menus in their order.
void TfrmMain::BuildCommands() {
    using C = TCommandId;
    using S = TSettings::TSettingId;
    AddDialogCommands(FCommands, {[this] { return Handle(); }, &ColorDialog1, [this] { return CurrentColor(); },
                                  [this](TColor c) { TakeColor(c, TColorSource::Dialog); },
                                  [this](std::function<void(TColor)> taken) { StartDialogPick(std::move(taken)); }});
    TCommand& pick = FCommands.Add(C::Pick, X::Pick, [this] { StartKeyPick(); });
    pick.Enabled = [this] { return !Picking() && IsWindowEnabled(Handle()); };
    pick.Text = [this] { return HotKeyRegistered() ? AnsiToWide(HotKeyText(HotKey())) : std::wstring(); };
    FCommands.Add(C::CopyAs, X::CopyAs, nullptr);
    FNotations.AddCopyAs(FCommands, [this] { return CurrentColor(); });
    FOwnFormats.AddCopyAs();
    FCommands.Add(C::Paste, X::Paste, [this] { PasteColor(); });
    FRecent.AddCommands();
    FVisionView.AddCommands(FCommands, [this] { return Handle(); });
    FCommands.Add(C::Export, X::Export, [this] { ExportSavedColors(Handle()); });
    FCommands.Add(C::Import, X::Import, [this] { ImportSavedColors(Handle()); });
    FCommands.Add(C::AutoCopy, X::AutoCopy, nullptr);
    TNotationEdits::AddAutoCopy(FCommands);
    FOwnFormats.AddAutoCopy();
    FPicker.AddCommands(FCommands, FOptions);
    FCommands.Add(C::Language, X::Language, nullptr);
#define QUILLORA_LANGUAGE_ROW(value, name, text) \
    FCommands.AddChoice(C::Language, X::text, S::Language, static_cast<int>(TLanguage::name));
    QUILLORA_LANGUAGES(QUILLORA_LANGUAGE_ROW)
#undef QUILLORA_LANGUAGE_ROW
    FOptions.OnApply(S::StayOnTop, [](int on) { ApplyStayOnTop(on != 0); });
    FOptions.OnApply(S::Language, [this](int language) {
        ::SetLanguage(static_cast<TLanguage>(language));
        ApplyLanguage();
    });
    FNotations.AddKeys(FCommands);
    FOwnFormats.AddKeys();
    FCommands.Add(C::Show, X::ShowHide, [this] { ShowMainWindow(!Visible()); }).Default = true;
    FCommands.Add(C::Email, X::ContactUs, [] { Links::OpenMail(); });
    // The address goes to the shell, which opens it in the default browser, as the About
    // dialog's link does.
    FCommands.Add(C::Website, X::VisitHomePage, [] { Links::OpenWebSite(); });
    // While the dialog is open the notification-area icon is muted.
    FCommands.Add(C::About, X::AboutEntry, [this] {
        TTrayIcon::TMuted muted(FTrayIcon);
        ShowAbout();
    });
    FCommands.Add(C::Exit, X::Exit, [this] { Close(); });
    FOptions.OnChanged = [this] { FCommands.Refresh(); };

    const C line = C::Separator;
    FCommands.Build(mnuColor, {C::Palette, line, C::SaveColor, C::MyColors, line, C::Pick, C::CopyAs, C::Paste,
                               C::Recent, C::Variations, C::Contrast, C::Vision, line, C::Export, C::Import, line,
                               C::Sample, C::AutoCopy, C::ColorSpace, C::Freeze, line, C::Language});
    // The own formats, the profile and the conditions as they are now, each time the menu opens.
    mnuColor.OnPopup = [this] {
        FOwnFormats.Reread();
        FPicker.MenuOpening();
        FRecent.SetSwatchSize(Scale(16));
        FCommands.Refresh();
    };
    FCommands.Build(mnuControl, {C::Show, line, C::Email, C::Website, C::About, line, C::Exit});
}

void TfrmMain::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    FModel.Listen([this](TColor c, TColorSource) {
        shpColor->SetPenColor(c);
        shpColor->SetBrushColor(c);
    });
    FModel.Listen([this](TColor c, TColorSource) { FEditors.Show(c); });
    FModel.Listen([this](TColor c, TColorSource) { FNotations.Show(c); });
    // Not on every move of a pick: the name follows when the pick ends.
    FModel.Listen([this](TColor, TColorSource) {
        if (!Picking()) NameColor();
    });
    FEditors.Attach({spiR, spiG, spiB, spiH, spiS, spiL});
    std::array<TEdit*, kNotations> edits{};
    for (int tag = 1; tag <= kNotations; ++tag) {
        const TNotationPlace& n = NotationPlace(tag);
        edits[tag - 1] = static_cast<TEdit*>(n.Edit.Get(*this));
        n.Button.Get(*this)->OnClick = [this, tag] { FNotations.Copy(tag); };
    }
    FNotations.Attach(edits);
    // A click opens the menu at the cursor; a screen reader's press, with the cursor elsewhere,
    // below the button.
    btnMenu->OnClick = [this] {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        const RECT button = btnMenu->BoundsRect();
        OpenColorMenu(!PtInRect(&button, p));
    };
    imgDrag->OnMouseDown = [this](TMouseButton b, int, int) { StartDrag(imgDrag, b); };
    imgDrag2->OnMouseDown = [this](TMouseButton b, int, int) { StartDrag(imgDrag2, b); };
    OnMouseMove = [this](int, int) { FPicker.Move(); };
    OnMouseUp = [this](TMouseButton b, int, int) {
        if (b == TMouseButton::Left && Dragging()) FPicker.Take();
    };
    imgZoom->OnMouseDown = [this](TMouseButton, int x, int y) {
        FPicker.Begin(std::make_unique<TMagnifierPick>(FPicker, x, y));
    };
    cboZoom->OnClick = [this] { ZoomChanged(); };
    chkStayOnTop->OnClick = [this] { FOptions.Write(TSettings::TSettingId::StayOnTop, chkStayOnTop->Checked()); };
    // The keys of a pick, and Ctrl+1..Ctrl+7 in the main window, before any control sees them.
    Application.OnMessage = [this](const MSG& msg) {
        if (MenuKey(msg)) return true;
        if (msg.message != WM_KEYDOWN) return false;
        if (FPicker.Key(msg.wParam, (msg.lParam & 0x40000000) != 0)) return true;
        const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
        return ctrlOnly && GetAncestor(msg.hwnd, GA_ROOT) == Handle() && FCommands.RunKey(msg.wParam);
    };
}

void TfrmMain::FormCreate() {
    FReady = false;
    // [VOP] is read once, here; each later change reads the file afresh. Working the path out
    // creates the program's folder.
    bool read = false;
    TSettings::TValues settings;
    ReadSettingsAtStartUp([&] {
        settings = TSettings::ReadAll();
        read = true;
    });
    SetCaption(Application.Title());
    SetIcon(Application.Icon(), Application.SmallIcon());
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    MakeDpiImages();
    imgZoom->Cursor = 2;
    // The box starts clear: when the setting is on, this runs its click handler, which makes
    // the program topmost and writes the setting (and so creates the file on a first start).
    const bool onTop = !read || settings.Get(TSettings::TSettingId::StayOnTop) != 0;
    ReadSettingsAtStartUp([&] { chkStayOnTop->SetChecked(onTop); });
    cboZoom->Clear();
    for (int i = SettingsText::kZoomMin; i <= SettingsText::kZoomMax; ++i)
        cboZoom->Add(L"Zoom " + std::to_wstring(i * 100) + L"%");
    cboZoom->SetItemIndex(read ? settings.Get(TSettings::TSettingId::Zoom) - 1 : 0);
    ShowHint();
    // The hand-drawn 16-pixel image, not a scaled one.
    if (!CommandLinePick) FTrayIcon.Add(Handle(), SmallIcon(), Caption());
    FOptions.Load(read ? &settings : nullptr);
    if (read) ReadSettingsAtStartUp([this] { FRecent.Start(); });
    // A key another program holds is reported and everything else works.
    if (!CommandLinePick) FPicker.RegisterHotKey(read ? settings.HotKey() : THotKey{});
    if (CommandLinePick) {
        // Set for this run only: the settings file is left alone.
        using S = TSettings::TSettingId;
        if (CommandLinePick->Sample) FOptions.Set(S::Sample, CommandLinePick->Sample);
        if (CommandLinePick->Space >= 0) FOptions.Set(S::ColorSpace, CommandLinePick->Space);
        if (CommandLinePick->Freeze) FOptions.Set(S::Freeze, 1);
        PostMessageW(Handle(), WM_COMMANDLINEPICK, 0, 0);
    }
    FCommands.Refresh();
    if (HotKey().Key != 0 && !HotKeyRegistered()) ShowStatus(Text(X::HotKeyTaken, AnsiToWide(HotKeyText(HotKey()))));

    // The program gets its taskbar button back and comes to the front.
    SetTaskbarButton(true);
    SetForegroundWindow(Application.Handle());
    FReady = true;
}

void TfrmMain::DpiChanged() { MakeDpiImages(); }

// The status keeps what it shows (its caption is the panel's text) until the next status.
void TfrmMain::ApplyLanguage() {
    const std::wstring status = stbStatus->PanelText();
    RelabelLayout(*this, Layout());
    ShowStatus(status);
    UseProductTexts();
    NameForScreenReaders();
    FCommands.Refresh();
}

// The copy buttons name their notation by its label: "复制 Html". The two "+" icons start a
// keyboard pick when pressed, as "屏幕取色" does.
void TfrmMain::NameForScreenReaders() {
    for (int tag = 1; tag <= kNotations; ++tag) {
        const TNotationPlace& n = NotationPlace(tag);
        static_cast<TSpeedButton*>(n.Button.Get(*this))->AccessibleName =
            std::wstring(Text(X::CopyButton)) + L" " + LabelCaptionAsName(Text(n.Label));
    }
    for (TPanel* drag : {pnlDrag, pnlDrag2}) {
        drag->SetAccessibleName(Text(X::DragToPick));
        drag->AccessibleAction = [this] { FCommands.Run(TCommandId::Pick); };
    }
    pnlZoom->SetAccessibleName(Text(X::MagnifierName));
    NameColor();
}

void TfrmMain::NameColor() {
    pnlColor->SetAccessibleName(
        Text(X::CurrentColorName, AnsiToWide(ColorText::FromColor(CurrentColor()))));
}

void TfrmMain::OpenColorMenu(bool fromKeyboard) {
    POINT p{btnMenu->Left(), btnMenu->Top() + btnMenu->Height()};
    if (fromKeyboard)
        ClientToScreen(Handle(), &p);
    else
        GetCursorPos(&p);
    mnuColor.Popup(p.x, p.y, fromKeyboard);
}

bool TfrmMain::MenuKey(const MSG& msg) {
    const bool f10 = msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F10;
    const bool apps = msg.message == WM_KEYDOWN && msg.wParam == VK_APPS;
    if (!(f10 || apps) || GetAncestor(msg.hwnd, GA_ROOT) != Handle() || Picking() || !IsWindowEnabled(Handle()))
        return false;
    wchar_t className[16] = L"";
    GetClassNameW(msg.hwnd, className, 16);
    const bool inEdit = _wcsicmp(className, L"Edit") == 0;
    if ((apps || GetKeyState(VK_SHIFT) < 0) && inEdit) return false;  // the edit's own menu
    OpenColorMenu(true);
    return true;
}

void TfrmMain::MakeDpiImages() {
    FPicker.MakeDpiImages(Scale(32), {imgDrag, imgDrag2}, imgZoomCursor, imgZoom->Width(), imgZoom->Height());
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

// Each message goes to one place: the end of the window, the hot key's command, picking, or
// the notification area and stay on top; then, minimised while counting as shown, the window
// finishes hiding. Until start-up has run to its end only the end, the capture and display
// changes have more than the default handling.
LRESULT TfrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT result = TForm::WndProc(msg, wp, lp);
    if (msg == WM_DESTROY) {
        Application.OnMessage = nullptr;
        FPicker.Message(msg, wp);
    } else if (TPicker::Handles(msg)) {
        if (FReady || msg == WM_CAPTURECHANGED || msg == WM_DISPLAYCHANGE) FPicker.Message(msg, wp);
    } else if (!FReady) {
        return result;
    } else if (msg == WM_HOTKEY) {
        if (wp == kPickHotKeyId) FCommands.Run(TCommandId::Pick);
    } else if (msg == WM_COMMANDLINEPICK) {
        StartCommandLinePick();
    } else {
        TrayWndProc(msg, lp);
    }
    if (FReady) FinishHiding();
    return result;
}

// A colour in the clipboard's text becomes the current colour as a finished pick makes it;
// any other text changes nothing but the status.
void TfrmMain::PasteColor() {
    TColor c = 0;
    if (!Notations::Read(WideToUtf8(Clipboard::WideText(Application.Handle())), c))
        return ShowStatus(Text(X::NoColorOnClipboard));
    TakeColor(c, TColorSource::Pasted);
    ShowHint();
}

