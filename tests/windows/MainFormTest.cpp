// The real main window, created in this process as the program creates it.
#include "settings/Settings.h"
#include "Clipboard.h"
#include "FileHelpers.h"
#include "MainWindowLayout.h"
#include "Text.h"
#include "MainWindowTest.h"
#include <atomic>
#include <functional>
#include <set>
#include <thread>
#include <tuple>

namespace {
using namespace MainWindowLayout;
using FileHelpers::ReadBytes;

class MainFormTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        CreateMain();
    }
    void TearDown() override {
        TMainWindowTest::TearDown();
        MSG msg;  // a quit posted by a close must not reach the next test
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(MainFormTest, ClientAreaIs249By505WithSingleBorderAndMinimizeBoxOnly) {
    RECT c;
    GetClientRect(F->Handle(), &c);
    EXPECT_EQ(c.right, 249);
    EXPECT_EQ(c.bottom, 505);
    LONG style = GetWindowLongW(F->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(GetWindow(F->Handle(), GW_OWNER), Application.Handle());
}

TEST_F(MainFormTest, EveryControlSitsWhereTheLayoutPutsIt) {
    for (const TPlaced& row : kMainWindowControls) ExpectPlaced(*F, row);
}

// Controls of one font description share one font object: the window holds no more fonts
// than it has descriptions (each control had a font of its own before).
TEST_F(MainFormTest, ControlsShareOneFontObjectForEachDescription) {
    std::set<HFONT> fonts;
    std::set<std::tuple<std::wstring, int, bool, bool, BYTE>> descriptions;
    std::function<void(const TWinControl&)> visit = [&](const TWinControl& parent) {
        for (TControl* c : parent.Controls()) {
            const TFontDesc& f = c->Font();
            descriptions.insert({f.Name, f.Height, f.Bold, f.Underline, f.CharSet});
            const auto font = reinterpret_cast<HFONT>(c->Handle() ? SendMessageW(c->Handle(), WM_GETFONT, 0, 0) : 0);
            if (font) fonts.insert(font);  // none: the system's font (an up-down control)
            if (auto* w = dynamic_cast<const TWinControl*>(c)) visit(*w);
        }
    };
    visit(*F);
    EXPECT_LE(fonts.size(), descriptions.size());
}

TEST_F(MainFormTest, CaptionsAndNotationTagsReadAsDesigned) {
    struct Caption { const char* name; const wchar_t* text; };
    const Caption captions[] = {
        {"chkStayOnTop", L"置顶"}, {"btnMenu", L"菜单"}, {"lblR", L"R:"}, {"lblL", L"L:"},
        {"lblDecimal", L"十进制:"}, {"lblHex", L"十六进制"}, {"lblC", L"C/C++:"},
        {"btnHtmlCopy", L"复制"}};
    for (const Caption& c : captions)
        EXPECT_EQ(F->FindControl(c.name)->Caption(), c.text) << c.name;
    const char* rows[][2] = {{"edtRGB", "btnRGBCopy"},       {"edtDecimal", "btnDecimalCopy"},
                             {"edtHex", "btnHexCopy"},       {"edtHtml", "btnHtmlCopy"},
                             {"edtDelphi", "btnDelphiCopy"}, {"edtVB", "btnVBCopy"},
                             {"edtC", "btnCCopy"}};
    for (int tag = 1; tag <= 7; ++tag) {
        EXPECT_EQ(F->FindControl(rows[tag - 1][0])->Tag, tag);
        EXPECT_EQ(F->FindControl(rows[tag - 1][1])->Tag, tag);
    }
    EXPECT_FALSE(F->imgZoomCursor->Visible());
    EXPECT_EQ(F->shpColor->PenColor(), clWhite);
    EXPECT_EQ(F->shpColor->BrushColor(), clWhite);
}

TEST_F(MainFormTest, TabWalksTheControlsInTheirOrder) {
    const char* order[] = {"chkStayOnTop", "cboZoom", "spiR", "spiG", "spiB", "spiH", "spiS",
                           "spiL", "edtRGB", "edtDecimal", "edtHex", "edtHtml", "edtDelphi",
                           "edtVB", "edtC"};
    HWND h = F->chkStayOnTop->Handle();
    for (const char* name : order) {
        EXPECT_EQ(h, F->FindControl(name)->Handle()) << "expected " << name;
        h = GetNextDlgTabItem(F->Handle(), h, FALSE);
    }
    EXPECT_EQ(h, F->chkStayOnTop->Handle()) << "Tab wraps round to the first control";
}

TEST_F(MainFormTest, EditorsAndFontsHaveTheirColours) {
    EXPECT_EQ(F->spiR->Color(), RGB(255, 0, 0));
    EXPECT_EQ(F->spiG->Color(), RGB(0, 128, 0));
    EXPECT_EQ(F->spiB->Color(), RGB(0, 0, 255));
    for (TSpinEdit* s : {F->spiR, F->spiG, F->spiB}) EXPECT_EQ(s->Font().Color, clWhite);
    EXPECT_EQ(F->spiH->Font().Color, clWindowText);
    EXPECT_EQ(F->edtRGB->Font().Color, clBlack);
    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(F->edtHex->Handle(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, L"宋体");
    EXPECT_EQ(lf.lfHeight, -13);
}

// mark: 0 a plain entry, 1 a radio entry without its dot, 2 with it
struct TMenuLine {
    const wchar_t* caption;
    bool isDefault;
    int mark;
};
void ExpectMenu(HMENU h, const std::vector<TMenuLine>& items) {
    ASSERT_EQ(GetMenuItemCount(h), static_cast<int>(items.size()));
    UINT def = GetMenuDefaultItem(h, TRUE, 0);
    for (size_t i = 0; i < items.size(); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
        mi.dwTypeData = text;
        mi.cch = 128;
        GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mi);
        if (std::wstring(items[i].caption) == L"-") EXPECT_TRUE(mi.fType & MFT_SEPARATOR) << i;
        else EXPECT_STREQ(text, items[i].caption) << i;
        EXPECT_EQ(def == i, items[i].isDefault) << i;
        EXPECT_EQ((mi.fType & MFT_RADIOCHECK) ? 1 + !!(mi.fState & MFS_CHECKED) : 0, items[i].mark) << i;
    }
}

TEST_F(MainFormTest, PopupMenusHoldTheirItemsWithDefaultsAcceleratorsAndRadioMarks) {
    F->SetAutoCopy(6);
    F->mnuColor.OnPopup();  // what opening the menu runs first
    HMENU color = F->mnuColor.Handle();
    ExpectMenu(color, {{L"调色板", false, 0}, {L"-", false, 0}, {L"保存颜色", true, 0}, {L"喜爱的颜色", false, 0},
                  {L"-", false, 0}, {L"屏幕取色(&S)\tCtrl+Alt+P", false, 0}, {L"复制为(&C)", false, 0},
                  {L"粘贴颜色(&P)", false, 0}, {L"最近的颜色(&R)", false, 0}, {L"色彩变化(&V)...", false, 0},
                  {L"对比度(&K)...", false, 0}, {L"色觉模拟(&B)", false, 0}, {L"-", false, 0},
                  {L"导出喜爱的颜色(&E)...", false, 0}, {L"导入喜爱的颜色(&I)...", false, 0}, {L"-", false, 0},
                  {L"取样(&M)", false, 0}, {L"取色后复制(&A)", false, 0}, {L"色彩空间(&G)", false, 0},
                  {L"冻结屏幕取色(&Z)", false, 0}, {L"放大镜网格(&D)", false, 0}, {L"-", false, 0},
                  {L"语言 / Language(&L)", false, 0}});
    ExpectMenu(GetSubMenu(color, 6), {{L"CSS rgb()(&R)\trgb(255, 255, 255)", false, 0},
                                 {L"CSS hsl()(&H)\thsl(0, 0%, 100%)", false, 0},
                                 {L"HSV(&V)\thsv(0, 0%, 100%)", false, 0}, {L"CMYK(&M)\tcmyk(0%, 0%, 0%, 0%)", false, 0},
                                 {L"CIE Lab(&L)\tlab(100 0 0)", false, 0}, {L"OKLCH(&O)\toklch(100% 0 0)", false, 0},
                                 {L"小写十六进制(&X)\t#ffffff", false, 0}, {L"颜色名称(&N)\twhite", false, 0},
                                 {L"-", false, 0}, {L"编辑格式(&T)...", false, 0}});
    ExpectMenu(GetSubMenu(color, 8), {{L"（无）", false, 0}, {L"-", false, 0}, {L"保留到下次启动(&K)", false, 0},
                                 {L"清除(&C)", false, 0}});
    ExpectMenu(GetSubMenu(color, 16), {{L"单个像素(&1)", false, 2}, {L"3×3 平均(&3)", false, 1}, {L"5×5 平均(&5)", false, 1}});
    ExpectMenu(GetSubMenu(color, 17), {{L"不复制(&0)", false, 1}, {L"RGB(&1)", false, 1}, {L"十进制(&2)", false, 1},
                                 {L"十六进制(&3)", false, 1}, {L"Html(&4)", false, 1}, {L"Delphi(&5)", false, 1},
                                 {L"VB(&6)", false, 2}, {L"C/C++(&7)", false, 1}});
    // Then the monitor's profile, greyed: Wine names one of its own.
    HMENU spaces = GetSubMenu(color, 18);
    wchar_t profile[128] = L"";
    GetMenuStringW(spaces, 5, profile, 128, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(profile).rfind(L"配置文件：", 0), 0u) << WideToUtf8(profile);
    EXPECT_TRUE(GetMenuState(spaces, 5, MF_BYPOSITION) & MF_GRAYED);
    ExpectMenu(spaces, {{L"显示器原始值(&N)", false, 2}, {L"sRGB(&S)", false, 1}, {L"Display P3(&P)", false, 1},
                   {L"Adobe RGB (1998)(&A)", false, 1}, {L"-", false, 0}, {profile, false, 0}});
    ExpectMenu(F->mnuControl.Handle(), {{L"显示/隐藏 主窗口(&S)", true, 0}, {L"-", false, 0}, {L"联系我们", false, 0},
                                   {L"访问主页(&V)...", false, 0}, {L"关于(&A)...", false, 0}, {L"-", false, 0},
                                   {L"退出(&E)", false, 0}});
    ExpectMenu(GetSubMenu(color, 22), {{L"中文(&C)", false, 2}, {L"English(&E)", false, 1}});
}

// A row placed After an entry comes just below it, then the rows placed after that row; a row
// the menu's list names stays where the list puts it.
TEST_F(MainFormTest, ARowPlacedAfterAnEntryFollowsIt) {
    TOptions options;
    TCommandTable table(options);
    table.Add(TCommandId::Palette, L"a", nullptr);
    table.Add(TCommandId::Exit, L"b", nullptr).After = TCommandId::Palette;
    TCommand& c = table.AddChild(TCommandId::None, L"c", nullptr);  // rows stay where they are
    c.After = TCommandId::Palette;
    table.AddChild(TCommandId::None, L"d", nullptr).After = c.Id;
    TPopupMenu menu;
    table.Build(menu, {TCommandId::Palette, TCommandId::Separator, TCommandId::Exit});
    ExpectMenu(menu.Handle(), {{L"a", false, 0}, {L"c", false, 0}, {L"d", false, 0}, {L"-", false, 0}, {L"b", false, 0}});
}

// English relabels the open window and its menus at once and is written once; Chinese
// brings every text back.
TEST_F(MainFormTest, LanguageRelabelsTheWindowAndItsMenus) {
    const std::string ini = TSettings::GetIniFileName();
    auto choose = [this](int language) { F->mnuColor.Find(F->Commands().Child(TCommandId::Language, language))->OnClick(); };
    const auto captions = [this] {
        return std::vector<std::wstring>{F->chkStayOnTop->Caption(), F->btnMenu->Caption(), F->btnHexCopy->Caption(),
                                         F->lblHex->Caption()};
    };
    const std::vector<std::wstring> chinese = captions();
    choose(1);
    EXPECT_NE(ReadBytes(ini).find("language=en"), std::string::npos);
    EXPECT_EQ(captions(), (std::vector<std::wstring>{L"On top", L"Menu", L"Copy", L"Hex:"}));
    HMENU color = F->mnuColor.Handle();
    ExpectMenu(GetSubMenu(color, 16), {{L"Single Pixel (&1)", false, 2}, {L"3×3 Average (&3)", false, 1},
                                       {L"5×5 Average (&5)", false, 1}});
    ExpectMenu(GetSubMenu(color, 22), {{L"中文(&C)", false, 1}, {L"English(&E)", false, 2}});
    ExpectMenu(F->mnuControl.Handle(), {{L"&Show/Hide Main Window", true, 0}, {L"-", false, 0}, {L"Contact Us", false, 0},
                                        {L"&Visit Home Page...", false, 0}, {L"&About...", false, 0}, {L"-", false, 0},
                                        {L"&Exit", false, 0}});
    const std::string written = ReadBytes(ini);
    choose(1);
    EXPECT_EQ(ReadBytes(ini), written) << "choosing what is chosen writes nothing";
    choose(0);
    EXPECT_EQ(captions(), chinese);
    EXPECT_NE(ReadBytes(ini).find("language=zh"), std::string::npos);
}

// The two choices are written when they change and only then; the next start reads them.
TEST_F(MainFormTest, PickChoicesAreWrittenOnlyWhenTheyChange) {
    const std::string ini = TSettings::GetIniFileName();
    const std::string atStart = ReadBytes(ini);
    F->mnuColor.Find(F->Commands().Child(TCommandId::Sample, 0))->OnClick();
    F->mnuColor.Find(F->Commands().Child(TCommandId::AutoCopy, 0))->OnClick();
    F->mnuColor.Find(F->Commands().Child(TCommandId::ColorSpace, 0))->OnClick();
    EXPECT_EQ(ReadBytes(ini), atStart) << "choosing what is chosen writes nothing";
    F->mnuColor.Find(F->Commands().Child(TCommandId::Sample, 2))->OnClick();
    F->mnuColor.Find(F->Commands().Child(TCommandId::AutoCopy, 7))->OnClick();
    F->mnuColor.Find(F->Commands().Child(TCommandId::ColorSpace, 2))->OnClick();
    EXPECT_EQ(ReadBytes(ini), atStart + "sample=5\r\nautocopy=7\r\ncolorspace=p3\r\n");
    EXPECT_TRUE(F->mnuColor.Find(F->Commands().Child(TCommandId::Sample, 2))->Checked);
    EXPECT_FALSE(F->mnuColor.Find(F->Commands().Child(TCommandId::Sample, 0))->Checked);
    Application.DestroyForms();
    CreateMain();
    EXPECT_EQ(F->SampleSide(), 5);
    EXPECT_EQ(F->AutoCopy(), 7);
    EXPECT_EQ(F->ColorSpace(), 2);
    EXPECT_TRUE(Errors.empty());
}

// A choice's table is its menu group: each row an entry with the row's text, which sets the
// row's value and writes the row's name.
TEST_F(MainFormTest, TheColorSpaceTableMakesItsMenuGroupAndItsSetting) {
    struct TRow { const char* Value; TTextId Text; };
#define QUILLORA_TEST_ROW(value, name, text, target) {value, TTextId::text},
    const std::vector<TRow> rows = {QUILLORA_COLOR_SPACES(QUILLORA_TEST_ROW)};
#undef QUILLORA_TEST_ROW
    const std::string ini = TSettings::GetIniFileName();
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i) {
        TMenuItem* entry = F->mnuColor.Find(F->Commands().Child(TCommandId::ColorSpace, i));
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->Caption, Text(rows[static_cast<size_t>(i)].Text));
        entry->OnClick();
        EXPECT_EQ(F->ColorSpace(), i);
        EXPECT_NE(ReadBytes(ini).find("colorspace=" + std::string(rows[static_cast<size_t>(i)].Value) + "\r\n"),
                  std::string::npos) << i;
    }
    EXPECT_TRUE(Errors.empty());
}

// A colour text on the clipboard becomes the current colour; any other text changes nothing
// but the status. "复制为" copies its entry's text for the current colour.
TEST_F(MainFormTest, PasteTakesAColourFromTheClipboardAndCopyAsPutsEachTextThere) {
    struct Case { const wchar_t* text; TColor color; };
    for (Case c : {Case{L"  RGB(18 52 86) ", RGB(0x12, 0x34, 0x56)}, Case{L"rgb(256, 0, 0)", RGB(0x12, 0x34, 0x56)},
                   Case{L"$000080FF", RGB(255, 128, 0)}, Case{L"红色", RGB(255, 128, 0)}}) {
        Clipboard::SetWideText(Application.Handle(), c.text);
        F->mnuColor.Find(TCommandId::Paste)->OnClick();
        EXPECT_EQ(F->CurrentColor(), c.color) << WideToUtf8(c.text);
        EXPECT_EQ(F->spiR->Value(), RedOf(c.color));
        const bool taken = c.text[0] != L'r' && c.text[0] != L'红';
        EXPECT_EQ(F->stbStatus->PanelText(), taken ? TfrmMain::kHint : L"剪贴板中没有可识别的颜色");
    }
    F->mnuColor.Find(F->Commands().Child(TCommandId::CopyAs, 7))->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "darkorange");
    F->mnuColor.Find(F->Commands().Child(TCommandId::CopyAs, 4))->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "lab(67.82 45.49 74.84)");
}

// Ctrl+1..Ctrl+7 copy as the seven buttons do; with Alt too (AltGr) they do nothing.
TEST_F(MainFormTest, CtrlAndADigitCopiesThatNotation) {
    BYTE state[256] = {};
    for (int tag = 1; tag <= TfrmMain::kNotations + 1; ++tag)
        for (bool alt : {true, false}) {
            Clipboard::SetText(Application.Handle(), "before");
            state[VK_CONTROL] = 0x80;
            state[VK_MENU] = alt ? 0x80 : 0;
            SetKeyboardState(state);
            PostMessageW(F->edtHex->Handle(), WM_KEYDOWN, '0' + tag, 0);
            Application.ProcessMessages();
            const bool copies = !alt && tag <= TfrmMain::kNotations;
            EXPECT_EQ(Clipboard::Text(Application.Handle()), copies ? F->ColorValue(tag) : "before") << tag << alt;
        }
    state[VK_CONTROL] = state[VK_MENU] = 0;
    SetKeyboardState(state);
    EXPECT_EQ(F->edtHex->Text(), L"FFFFFF") << "the edit took no key";
}

TEST(HotKeyRegistrationTest, AKeyAnotherProgramHoldsIsReportedOnceAndLeftOutOfTheMenu) {
    InitializeApplication();
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'P'));
    frmMain = Application.CreateForm<TfrmMain>();
    EXPECT_FALSE(frmMain->HotKeyRegistered());
    EXPECT_EQ(frmMain->stbStatus->PanelText(), L"热键 Ctrl+Alt+P 已被占用");
    EXPECT_EQ(frmMain->mnuColor.Find(TCommandId::Pick)->Caption, L"屏幕取色(&S)");
    Application.DestroyForms();
    UnregisterHotKey(nullptr, 7);
    frmMain = Application.CreateForm<TfrmMain>();
    EXPECT_TRUE(frmMain->HotKeyRegistered()) << "the key is free again";
    Application.DestroyForms();
    EXPECT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'P')) << "released when the window goes";
    UnregisterHotKey(nullptr, 7);
    frmMain = nullptr;
}

TEST_F(MainFormTest, StartUpSetsTitleIconTaskbarButtonAndReadiness) {
    EXPECT_EQ(Application.Title(), L"Quillora");
    EXPECT_EQ(F->Caption(), L"Quillora");
    EXPECT_NE(Application.Icon(), nullptr) << "MAINICON is in the resources";
    EXPECT_EQ(F->Icon(), Application.Icon());
    // The system adds WS_EX_WINDOWEDGE to every captioned window by itself; stay on top is
    // on without a settings file.
    EXPECT_EQ(GetWindowLongW(Application.Handle(), GWL_EXSTYLE) & ~(WS_EX_WINDOWEDGE | WS_EX_TOPMOST), 0)
        << "the application window gets its taskbar button back at the end of start-up";
    EXPECT_EQ(F->TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_TRUE(F->Ready());
    EXPECT_EQ(F->stbStatus->PanelText(), TfrmMain::kHint) << "the hint replaces the design's text";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFormTest, ExitItemAndCloseBoxBothEndTheProgram) {
    F->mnuControl.Find(TCommandId::Exit)->OnClick();
    EXPECT_TRUE(Application.Terminated());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop is told to end";

    Application.DestroyForms();
    CreateMain();
    ASSERT_FALSE(Application.Terminated());
    SendMessageW(F->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // close box, system menu, Alt+F4
    EXPECT_TRUE(Application.Terminated());
}

TEST(ApplicationTest, StartUpStylesTheApplicationWindowAsHiddenToolWindow) {
    InitializeApplication();
    HWND app = Application.Handle();
    EXPECT_EQ(GetWindowLongW(app, GWL_EXSTYLE) & ~(WS_EX_WINDOWEDGE | WS_EX_TOPMOST), WS_EX_TOOLWINDOW)
        << "no taskbar button while the main window is being built";
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(Application.Title(), L"Quillora");
    EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
}

// The default handler shows an exception's text in a message box with the title as caption
// and an error icon, and the program goes on. A handler's exception is shown once its window
// procedure has returned, never from a modal loop inside it.
TEST(ApplicationTest, UncaughtExceptionShowsErrorBoxAndProgramGoesOn) {
    InitializeApplication();
    Application.OnException = nullptr;
    std::wstring seenText;
    std::atomic<bool> found{false};
    std::thread closer([&] {
        for (int i = 0; i < 200; ++i) {
            HWND box = FindWindowW(L"#32770", L"Quillora");
            if (box) {
                wchar_t text[256] = L"";
                // The message text is the static control with id 0xFFFF.
                GetDlgItemTextW(box, 0xFFFF, text, 256);
                seenText = text;
                found = true;
                EXPECT_NE(GetDlgItem(box, IDOK), nullptr) << "an OK button";
                EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    });
    TForm form(L"TestForm", 100, 100);
    form.CreateHandle();
    form.OnMouseDown = [](TMouseButton, int, int) { throw std::runtime_error("无法写入到C:\\x"); };
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(found) << "no message box inside the window procedure";
    Application.ProcessMessages();
    closer.join();
    EXPECT_TRUE(found) << "a message box captioned Quillora";
    EXPECT_EQ(seenText, L"无法写入到C:\\x");
    EXPECT_TRUE(IsWindow(form.Handle())) << "the window lives on";
}
}  // namespace
