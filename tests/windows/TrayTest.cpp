// The notification-area icon, hiding and showing the program, and stay on top, on the real
// main window and application window.
#include "settings/Settings.h"
#include "FileHelpers.h"
#include "MainWindowTest.h"
#include <cstring>
#include <shellapi.h>
#include <thread>

namespace {
bool ToolWindow(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }
bool Topmost(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Wine gives the topmost state of an owner to the windows it owns, not to the owner itself,
// and does not take it back from them: there only "on" can be seen, and on the owned window.
bool OnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }
bool OnTop(HWND app, HWND owned) { return Topmost(app) || (OnWine() && Topmost(owned)); }

std::string ReadSettings() {
    char buf[4096] = "";
    GetPrivateProfileSectionA("VOP", buf, sizeof buf, TSettings::GetIniFileName().c_str());
    std::string all;
    for (const char* p = buf; *p; p += std::strlen(p) + 1) all += std::string(p) + ";";
    return all;
}

class TrayTest : public TMainWindowTest {
protected:
    void Start() {
        CreateMain();
        F->Show();  // what the message loop does first
        Pump();
        App = Application.Handle();
    }
    void TearDown() override {
        TMainWindowTest::TearDown();
        ShowWindow(Application.Handle(), SW_HIDE);
    }
    static void Pump() {
        for (int i = 0; i < 5; ++i) {
            Application.ProcessMessages();
            Sleep(10);
        }
    }
    void Tray(std::initializer_list<UINT> mouse) {
        for (UINT m : mouse) SendMessageW(F->Handle(), WM_TRAYICON, 1, static_cast<LPARAM>(m));
        Pump();
    }
    void ExpectShown(const char* where) {
        EXPECT_FALSE(IsIconic(App)) << where;
        EXPECT_TRUE(IsWindowVisible(App)) << where;
        EXPECT_FALSE(ToolWindow(App)) << where << ": the taskbar button is there";
        EXPECT_TRUE(F->Visible()) << where;
        EXPECT_TRUE(IsWindowVisible(F->Handle())) << where;
    }
    void ExpectHidden(const char* where) {
        EXPECT_TRUE(IsIconic(App)) << where;
        EXPECT_FALSE(IsWindowVisible(App)) << where;
        EXPECT_TRUE(ToolWindow(App)) << where << ": no taskbar button";
        EXPECT_FALSE(F->Visible()) << where;
        EXPECT_FALSE(IsWindowVisible(F->Handle())) << where;
    }
    HWND App = nullptr;
};

TEST_F(TrayTest, IconRecordIsTheFirstVersionWithItsValues) {
    Start();
    const TNotifyIconData& r = F->TrayIcon();
    EXPECT_EQ(sizeof r, 88u);
    EXPECT_EQ(r.cbSize, 88u);
    EXPECT_EQ(r.hWnd, F->Handle());
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 1025u);
    EXPECT_EQ(r.hIcon, F->SmallIcon());
    EXPECT_NE(r.hIcon, nullptr);
    EXPECT_STREQ(r.szTip, "Quillora");
    EXPECT_EQ(reinterpret_cast<const char*>(&r.szTip) - reinterpret_cast<const char*>(&r), 24);
}

TEST_F(TrayTest, EveryRouteToMinimisingHidesTheProgramInTheNotificationArea) {
    Start();
    ExpectShown("after start-up");
    struct Route { const char* name; bool toApp; };
    for (Route route : {Route{"minimise box", false}, Route{"taskbar command", true}}) {
        SendMessageW(route.toApp ? App : F->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Pump();
        ExpectHidden(route.name);
        Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
        ExpectShown(route.name);
    }
}

TEST_F(TrayTest, HotKeyShowsTheHiddenProgramForItsPick) {
    Start();
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ExpectHidden("single click while shown");
    SendMessageW(F->Handle(), WM_HOTKEY, kPickHotKeyId, 0);
    Pump();
    ExpectShown("the hot key");
    EXPECT_TRUE(F->Picking());
    F->EndKeyPick(false);
}

TEST_F(TrayTest, LeftClicksToggleAndDoubleClicksKeepTheProgramShown) {
    Start();
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ExpectHidden("single click while shown");
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ExpectShown("single click while hidden");
    F->mnuControl.Find(TCommandId::Show)->OnClick();
    Pump();
    ExpectHidden("the menu's show/hide item");

    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ExpectShown("double click while hidden");
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ExpectHidden("double click while shown");
    Tray({WM_MBUTTONUP, WM_RBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN});
    ExpectHidden("other mouse messages are ignored");
}

TEST_F(TrayTest, RightClickOpensTheControlMenuAtTheCursor) {
    Start();
    SetCursorPos(300, 400);
    RECT menu{};
    std::thread closer([&] {
        for (int i = 0; i < 200; ++i) {
            if (HWND m = FindWindowW(L"#32768", nullptr); m && IsWindowVisible(m)) {
                GetWindowRect(m, &menu);
                PostMessageW(m, WM_KEYDOWN, VK_ESCAPE, 0);
                return;
            }
            Sleep(25);
        }
    });
    Tray({WM_RBUTTONDOWN, WM_RBUTTONUP});
    closer.join();
    EXPECT_EQ(menu.left, 300);
    EXPECT_EQ(menu.top, 400);
    ExpectShown("the menu changes nothing when dismissed");
}

TEST_F(TrayTest, TaskbarRestartAddsTheIconAgainAndMutedClicksDoNothing) {
    Start();
    auto record = F->TrayIcon();
    auto* data = reinterpret_cast<NOTIFYICONDATAA*>(&record);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, data)) << "the icon is gone";
    SendMessageW(F->Handle(), F->TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, data)) << "the icon is back";

    F->MuteTrayIcon(true);
    EXPECT_EQ(F->TrayIcon().uCallbackMessage, 0u);
    // The shell now reports clicks with message number 0.
    SendMessageW(F->Handle(), 0, 1, WM_LBUTTONUP);
    Pump();
    ExpectShown("a muted click");
    F->MuteTrayIcon(false);
    EXPECT_EQ(F->TrayIcon().uCallbackMessage, 1025u);
}

TEST_F(TrayTest, NothingOfItsOwnHappensBeforeStartUpEnds) {
    TfrmMain form;  // built, but its creation handler has not run
    ShowWindow(Application.Handle(), SW_SHOWMINNOACTIVE);
    form.Show();
    bool toolWindow = ToolWindow(Application.Handle()), topmost = Topmost(Application.Handle());
    SendMessageW(form.Handle(), WM_TRAYICON, 1, WM_LBUTTONUP);
    SendMessageW(form.Handle(), WM_WINDOWPOSCHANGED, 0, 0);
    Pump();
    EXPECT_FALSE(form.Ready());
    EXPECT_TRUE(form.Visible()) << "not hidden although the application window is iconic";
    EXPECT_EQ(ToolWindow(Application.Handle()), toolWindow);
    EXPECT_EQ(Topmost(Application.Handle()), topmost);
    ShowWindow(Application.Handle(), SW_RESTORE);
}

TEST_F(TrayTest, StayOnTopFollowsTheSettingAndOnlyTheBoxWritesIt) {
    Start();
    EXPECT_TRUE(F->chkStayOnTop->Checked()) << "no settings file: on";
    EXPECT_TRUE(OnTop(App, F->Handle()));
    EXPECT_EQ(ReadSettings(), "ontop=1;") << "the first start creates the file";

    SendMessageW(F->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(F->chkStayOnTop->Handle()));
    EXPECT_FALSE(F->chkStayOnTop->Checked());
    if (!OnWine()) {
        EXPECT_FALSE(Topmost(App));
    }
    EXPECT_EQ(ReadSettings(), "ontop=0;");
    SendMessageW(F->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(F->chkStayOnTop->Handle()));
    EXPECT_TRUE(OnTop(App, F->Handle()));
    EXPECT_EQ(ReadSettings(), "ontop=1;");

    // Moving, hiding and showing re-assert the state but never write the file.
    DeleteFileA(TSettings::GetIniFileName().c_str());
    SetWindowPos(F->Handle(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
    Tray({WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_TRUE(OnTop(App, F->Handle()));
    EXPECT_FALSE(FileHelpers::Exists(TSettings::GetIniFileName()));
}

TEST_F(TrayTest, StoredOffLeavesTheBoxClearAndTheWindowNotTopmost) {
    for (const char* stored : {"0", " 0 "}) {
        WritePrivateProfileStringA("VOP", "ontop", stored, TSettings::GetIniFileName().c_str());
        Start();
        EXPECT_FALSE(F->chkStayOnTop->Checked()) << "'" << stored << "'";
        if (!OnWine()) {
            EXPECT_FALSE(Topmost(App)) << "the first show applies the state";
        }
        EXPECT_EQ(ReadSettings(), "ontop=0;") << "start-up writes nothing";
        Application.DestroyForms();
    }
}
}  // namespace
