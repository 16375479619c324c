// The command table behind the menus and keys, and a way of picking of a test's own driven
// like the program's: the real main window, no settings file.
#include "MainWindowTest.h"

namespace {
class CommandTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        CreateMain()->Show();
        Application.ProcessMessages();
    }
    bool PickGreyed() {
        F->mnuColor.OnPopup();
        return GetMenuState(F->mnuColor.Handle(), static_cast<UINT>(F->mnuColor.Find(TCommandId::Pick)->Id),
                            MF_BYCOMMAND) & MF_GRAYED;
    }
    void Key(WPARAM key) {
        PostMessageW(F->spiR->Handle(), WM_KEYDOWN, key, 0);
        Application.ProcessMessages();
    }
};

// Counts what the window asks of it.
struct TCountingPick : TPickSession {
    using TPickSession::TPickSession;
    std::string Calls;
    std::string* Ended = nullptr;  // the calls, kept when the picker lets the session go
    void Start() override { Calls += "s"; }
    void Move(POINT p) override { Calls += "m"; TPickSession::Move(p); }
    void Take() override { *Ended = Calls + "t"; }
    void Cancel() override { *Ended = Calls + "c"; }
};
}  // namespace

// "屏幕取色" cannot run over a pick already on, nor while a dialog holds the window: the entry
// is greyed, and neither the entry nor the hot key starts a pick.
TEST_F(CommandTest, ScreenPickIsGreyedAndDoesNothingWhileAPickIsOnOrTheWindowIsDisabled) {
    EXPECT_FALSE(PickGreyed());
    F->StartKeyPick();
    ASSERT_TRUE(F->Picking());
    EXPECT_TRUE(PickGreyed());
    F->EndKeyPick(false);
    EXPECT_FALSE(PickGreyed());
    EnableWindow(F->Handle(), FALSE);
    EXPECT_TRUE(PickGreyed());
    F->mnuColor.Find(TCommandId::Pick)->OnClick();
    SendMessageW(F->Handle(), WM_HOTKEY, kPickHotKeyId, 0);
    EXPECT_FALSE(F->Picking());
    EnableWindow(F->Handle(), TRUE);
    SendMessageW(F->Handle(), WM_HOTKEY, kPickHotKeyId, 0);
    EXPECT_TRUE(F->Picking()) << "the hot key runs the same command";
    F->EndKeyPick(false);
    EXPECT_TRUE(Errors.empty());
}

// A session is started once, gets the moves, keeps the keys of a keyboard pick out of its way
// (Enter and Esc end only those) and is let go before it takes.
TEST_F(CommandTest, ASessionOfItsOwnIsStartedOnceMovedAndEndedByTheWindow) {
    std::string ended;
    auto pick = std::make_unique<TCountingPick>(F->Picker());
    pick->Ended = &ended;
    const TCountingPick& session = *pick;
    F->Picker().Begin(std::move(pick));
    F->Picker().Begin(std::make_unique<TCountingPick>(F->Picker()));  // refused: one is on
    EXPECT_TRUE(F->Picking());
    EXPECT_FALSE(F->Dragging());
    SendMessageW(F->Handle(), WM_MOUSEMOVE, 0, 0);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    SendMessageW(F->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(session.Calls, "sm");
    EXPECT_TRUE(F->Picking()) << "Enter, Esc and the foreground end keyboard picks only";
    F->Picker().Take();
    EXPECT_EQ(ended, "smt");
    EXPECT_FALSE(F->Picking());
    EXPECT_EQ(F->stbStatus->PanelText().substr(0, 2), L"X:") << "the move picked through the window";
}
