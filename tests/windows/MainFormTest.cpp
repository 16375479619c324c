// The real main window, created in this process as the program creates it.
#include "MainWindowLayout.h"
#include "MainWindowTest.h"
#include <atomic>
#include <thread>

namespace {
using namespace MainWindowLayout;

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
