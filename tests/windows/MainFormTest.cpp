// The real main window, created in this process as the program creates it.
#include "MainWindowTest.h"
#include <atomic>
#include <thread>

namespace {
RECT RectInParent(const TControl& c) {
    if (!c.Handle()) return c.BoundsRect();
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Where the main window's design puts every control, at 96 DPI: parent ("" for the form),
// left, top, width (0: the control sizes itself to its text), height, tag, and for the spin
// editors their range. Written out here so that a wrong figure in the window fails.
struct TPlaced {
    const char* name;
    const char* parent;
    int left, top, width, height, tag;
    int minValue = 0, maxValue = 0;  // a spin editor has a range, no other control has one
};
const TPlaced kMainWindowControls[] = {
    // name            parent     left  top width height tag min  max
    {"chkStayOnTop",   "",           8,  10,  76,  17, 0},
    {"cboZoom",        "",          91,   8, 103,  21, 0},
    {"btnMenu",        "",         198,   7,  43,  23, 0},
    {"pnlDrag2",       "",           8,  36,  38,  38, 0},
    {"imgDrag2",       "pnlDrag2",   3,   3,  32,  32, 0},
    {"pnlColor",       "",          50,  36, 149,  38, 0},
    {"shpColor",       "pnlColor",   1,   1, 147,  36, 0},
    {"pnlDrag",        "",         203,  36,  38,  38, 0},
    {"imgDrag",        "pnlDrag",    3,   3,  32,  32, 0},
    {"pnlZoom",        "",           8,  80, 233,  98, 0},
    {"imgZoom",        "pnlZoom",    1,   1, 231,  96, 0},
    {"imgZoomCursor",  "pnlZoom",  194,  56,  32,  32, 0},
    {"bvlRgbFrame",    "",           8, 184, 233,  98, 0},
    {"lblR",           "",          17, 199,  11,  13, 0},
    {"spiR",           "",          31, 194,  90,  22, 0, 0, 255},
    {"lblG",           "",          17, 227,  11,  13, 0},
    {"spiG",           "",          31, 222,  90,  22, 0, 0, 255},
    {"lblB",           "",          17, 255,  10,  13, 0},
    {"spiB",           "",          31, 250,  90,  22, 0, 0, 255},
    {"lblH",           "",         128, 199,  11,  13, 0},
    {"spiH",           "",         142, 194,  90,  22, 0, 0, 240},
    {"lblS",           "",         129, 227,  10,  13, 0},
    {"spiS",           "",         142, 222,  90,  22, 0, 0, 240},
    {"lblL",           "",         130, 255,   9,  13, 0},
    {"spiL",           "",         142, 250,  90,  22, 0, 0, 240},
    {"lblRGB",         "",           8, 294,   0,  13, 0},
    {"edtRGB",         "",          52, 290, 142,  21, 1},
    {"btnRGBCopy",     "",         198, 289,  43,  23, 1},
    {"lblDecimal",     "",           8, 321,   0,  13, 0},
    {"edtDecimal",     "",          52, 317, 142,  21, 2},
    {"btnDecimalCopy", "",         198, 316,  43,  23, 2},
    {"lblHex",         "",           8, 349,   0,  13, 0},
    {"edtHex",         "",          52, 345, 142,  21, 3},
    {"btnHexCopy",     "",         198, 344,  43,  23, 3},
    {"lblHtml",        "",           8, 376,   0,  13, 0},
    {"edtHtml",        "",          52, 372, 142,  21, 4},
    {"btnHtmlCopy",    "",         198, 371,  43,  23, 4},
    {"lblDelphi",      "",           8, 404,   0,  13, 0},
    {"edtDelphi",      "",          52, 400, 142,  21, 5},
    {"btnDelphiCopy",  "",         198, 399,  43,  23, 5},
    {"lblVB",          "",           8, 435,   0,  13, 0},
    {"edtVB",          "",          52, 427, 142,  21, 6},
    {"btnVBCopy",      "",         198, 426,  43,  23, 6},
    {"lblC",           "",           8, 459,   0,  13, 0},
    {"edtC",           "",          52, 455, 142,  21, 7},
    {"btnCCopy",       "",         198, 454,  43,  23, 7},
    {"StatusBar1",     "",           0, 484, 249,  21, 0},
};

// The control stands where the row says, and lies inside its parent's client area.
void ExpectPlaced(const TForm& form, const TPlaced& row) {
    TControl* c = form.FindControl(row.name);
    ASSERT_NE(c, nullptr) << row.name;
    RECT r = RectInParent(*c);
    EXPECT_EQ(r.left, row.left) << row.name;
    EXPECT_EQ(r.top, row.top) << row.name;
    if (row.width > 0) EXPECT_EQ(r.right - r.left, row.width) << row.name;
    else EXPECT_GT(r.right - r.left, 0) << row.name << " sizes itself to its text";
    EXPECT_EQ(r.bottom - r.top, row.height) << row.name;
    EXPECT_EQ(c->Tag, row.tag) << row.name;
    EXPECT_EQ(c->Parent() == &form ? std::string() : c->Parent()->Name, row.parent) << row.name;
    auto* spin = dynamic_cast<TSpinEdit*>(c);
    EXPECT_EQ(spin != nullptr, row.maxValue > 0) << row.name << ": a spin editor has a range";
    if (spin) {
        EXPECT_EQ(spin->MinValue, row.minValue) << row.name;
        EXPECT_EQ(spin->MaxValue, row.maxValue) << row.name;
        EXPECT_FALSE(spin->EditorEnabled) << row.name;
    }
    RECT pc;
    GetClientRect(c->Parent()->Handle(), &pc);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= pc.right && r.bottom <= pc.bottom)
        << row.name << " lies inside its parent's client area";
}

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

TEST_F(MainFormTest, PopupMenusHoldTheirItemsWithDefaultsAndAccelerators) {
    struct Item { const wchar_t* caption; bool isDefault; };
    auto check = [](TPopupMenu& menu, const std::vector<Item>& items) {
        HMENU h = menu.Handle();
        ASSERT_EQ(GetMenuItemCount(h), static_cast<int>(items.size()));
        UINT def = GetMenuDefaultItem(h, TRUE, 0);
        for (size_t i = 0; i < items.size(); ++i) {
            wchar_t text[128] = L"";
            MENUITEMINFOW mi{};
            mi.cbSize = sizeof mi;
            mi.fMask = MIIM_FTYPE | MIIM_STRING;
            mi.dwTypeData = text;
            mi.cch = 128;
            GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mi);
            if (std::wstring(items[i].caption) == L"-") EXPECT_TRUE(mi.fType & MFT_SEPARATOR) << i;
            else EXPECT_STREQ(text, items[i].caption) << i;
            EXPECT_EQ(def == i, items[i].isDefault) << i;
        }
    };
    check(F->mnuColor, {{L"调色板", false}, {L"-", false}, {L"保存颜色", true}, {L"喜爱的颜色", false}});
    check(F->mnuControl, {{L"显示/隐藏 主窗口(&S)", true}, {L"-", false}, {L"联系我们", false},
                             {L"访问主页(&V)...", false}, {L"关于(&A)...", false}, {L"-", false},
                             {L"退出(&E)", false}});
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
    EXPECT_EQ(F->StatusBar1->PanelText(), TfrmMain::kHint) << "the hint replaces the design's text";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFormTest, ExitItemAndCloseBoxBothEndTheProgram) {
    F->mnuControl.Find("mnuControl_Exit")->OnClick();
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
