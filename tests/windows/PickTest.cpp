// Taking colours from the screen: the drag from a "+" icon, the capture around the cursor,
// the magnifier and its zoom list, on the real main window and a pattern window of our own.
#include "settings/Settings.h"
#include "Clipboard.h"
#include "ContrastForm.h"
#include "ChildProcess.h"
#include "colour/Contrast.h"
#include "GdiObjects.h"
#include "MainWindowTest.h"
#include "MonitorProfileFile.h"
#include "UserDriver.h"
#include <functional>
#include <thread>
#include <psapi.h>

namespace {
constexpr int kLeft = 400, kTop = 300, kSize = 64;

// Every pixel of the pattern differs from its neighbours.
COLORREF PatternColor(int x, int y) { return RGB(4 * x, 4 * y, 200); }
int PatternClicks = 0;  // left presses that reached the pattern window

LRESULT CALLBACK PatternProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) ++PatternClicks;
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) SetPixelV(dc, x, y, PatternColor(x, y));
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

// A black and white checkerboard of single pixels, white where x + y is even.
LRESULT CALLBACK CheckerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) SetPixelV(dc, x, y, (x + y) % 2 ? clBlack : clWhite);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

HWND MakePatternWindow(const wchar_t* name, WNDPROC proc, int left, int top) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, name, L"", WS_POPUP | WS_VISIBLE, left, top,
                             kSize, kSize, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(h);
    return h;
}

// The screen made 1024 x 768 for as long as this lives. Xvfb offers only the size it started
// with, so the mode is first added to its one output, "screen", with xrandr: Wine starts a Unix
// program as it would a Windows one, but with no process handle, so the mode is awaited instead.
class TSmallerScreen {
public:
    TSmallerScreen() {
        FOld.dmSize = sizeof FOld;
        EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &FOld);
        Shell("xrandr --newmode qsmall 63.5 1024 1072 1176 1328 768 771 775 798;"
              "xrandr --addmode screen qsmall");
        DEVMODEW mode = FOld;
        mode.dmPelsWidth = 1024;
        mode.dmPelsHeight = 768;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        for (int i = 0; i < 100 && !Smaller(); ++i) {
            ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr);
            Sleep(20);
        }
    }
    ~TSmallerScreen() {
        Restore();
        Shell("xrandr --delmode screen qsmall; xrandr --rmmode qsmall");
    }
    TSmallerScreen(const TSmallerScreen&) = delete;
    TSmallerScreen& operator=(const TSmallerScreen&) = delete;
    static bool Smaller() { return GetSystemMetrics(SM_CXSCREEN) == 1024; }
    void Restore() { ChangeDisplaySettingsExW(nullptr, &FOld, nullptr, CDS_FULLSCREEN, nullptr); }

private:
    static void Shell(const std::string& command) { TChildProcess("/bin/sh", "-c \"" + command + "\""); }
    DEVMODEW FOld{};
};

class PickTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        Pattern = MakePatternWindow(L"PickPattern", &PatternProc, kLeft, kTop);
        CreateMain();
        WaitForScreen(kLeft + kSize - 1, kTop + kSize - 1, PatternColor(kSize - 1, kSize - 1));
    }
    void TearDown() override {
        TMainWindowTest::TearDown();
        DestroyWindow(Pattern);
    }
    static void WaitForScreen(int x, int y, COLORREF c) {
        TScreenDC dc;
        for (int i = 0; i < 200 && GetPixel(dc.Get(), x, y) != c; ++i) {
            Application.ProcessMessages();
            Sleep(20);
        }
        ASSERT_EQ(GetPixel(dc.Get(), x, y), c) << "the screen did not show the pattern";
    }
    void Press(HWND panel, UINT down, WPARAM keys) {
        SendMessageW(panel, down, keys, MAKELPARAM(10, 10));
    }
    // Under Wine a move from code now and then does not take at once: a read right after it
    // still gives the old place. The cursor is moved until it reads back where it should be.
    void MoveTo(int x, int y) {
        POINT at{};
        for (int i = 0; i < 50; ++i) {
            SetCursorPos(x, y);
            GetCursorPos(&at);
            if (at.x == x && at.y == y) break;
            Sleep(10);
        }
        POINT client{x, y};
        ScreenToClient(F->Handle(), &client);
        SendMessageW(F->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    }
    void Release(UINT up = WM_LBUTTONUP) { SendMessageW(F->Handle(), up, 0, MAKELPARAM(5, 5)); }
    void SelectZoom(int n) {
        SendMessageW(F->cboZoom->Handle(), CB_SETCURSEL, static_cast<WPARAM>(n - 1), 0);
        SendMessageW(F->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(F->cboZoom->Handle()));
    }
    TColor Zoomed(int x, int y) { return F->imgZoom->Canvas().Pixel(x, y); }
    static RECT VirtualScreen() {
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    }
    static long long WorkingSet() {
        PROCESS_MEMORY_COUNTERS counters{};
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return static_cast<long long>(counters.WorkingSetSize);
    }
    // Runs the program's messages until Ready holds, for at most a second.
    static bool PumpUntil(const std::function<bool()>& ready) {
        for (int i = 0; i < 100 && !ready(); ++i) {
            Sleep(10);
            Application.ProcessMessages();
        }
        return ready();
    }
    // A click through the system's input queue, where the cursor is: a low-level mouse hook
    // sees it before any window does.
    static void ClickHere() {
        INPUT click[2]{};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
    }
    // A key pressed in the window that has the focus, with Shift or Ctrl held if asked, as the
    // program's message loop takes it.
    void Key(WPARAM key, int held = 0) {
        BYTE state[256];
        GetKeyboardState(state);
        if (held) state[held] = 0x80;
        SetKeyboardState(state);
        HWND focus = GetFocus() ? GetFocus() : F->Handle();
        PostMessageW(focus, WM_KEYDOWN, key, 0);
        Application.ProcessMessages();
        if (held) state[held] = 0;
        SetKeyboardState(state);
    }
    // What the window shows of a colour: editors, notations and status.
    std::vector<std::wstring> Shown() {
        std::vector<std::wstring> texts;
        for (TSpinEdit* c : {F->spiR, F->spiG, F->spiB, F->spiH, F->spiS, F->spiL}) texts.push_back(c->Text());
        texts.push_back(F->stbStatus->PanelText());
        for (int tag = 1; tag <= TfrmMain::kNotations; ++tag) texts.push_back(F->NotationEdit(tag)->Text());
        texts.push_back(std::to_wstring(F->CurrentColor()));
        return texts;
    }
    HWND Pattern = nullptr;
};

TEST_F(PickTest, DragFromEitherIconPicksThePixelUnderTheCursor) {
    for (TPanel* panel : {F->pnlDrag, F->pnlDrag2}) {
        TImage* icon = panel == F->pnlDrag ? F->imgDrag : F->imgDrag2;
        Press(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
        EXPECT_TRUE(F->Dragging());
        EXPECT_EQ(GetCapture(), F->Handle());
        EXPECT_EQ(Application.Cursor(), 1);
        EXPECT_FALSE(icon->Visible()) << "the pressed icon hides";
        EXPECT_TRUE((icon == F->imgDrag ? F->imgDrag2 : F->imgDrag)->Visible());
        struct Spot { int x, y; };
        for (Spot s : {Spot{0, 0}, Spot{63, 0}, Spot{0, 63}, Spot{63, 63}, Spot{17, 42}}) {
            MoveTo(kLeft + s.x, kTop + s.y);
            EXPECT_EQ(F->CurrentColor(), PatternColor(s.x, s.y)) << s.x << "," << s.y;
            wchar_t status[40];
            swprintf(status, 40, L"X:%d Y:%d", kLeft + s.x, kTop + s.y);
            EXPECT_EQ(F->stbStatus->PanelText(), status);
        }
        EXPECT_EQ(F->spiR->Value(), 4 * 17);
        EXPECT_EQ(F->spiG->Value(), 4 * 42);
        EXPECT_EQ(F->edtHtml->Text(), L"#44A8C8");
        Release(WM_RBUTTONUP);
        EXPECT_TRUE(F->Dragging()) << "only the left release ends a drag";
        Release();
        EXPECT_FALSE(F->Dragging());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(Application.Cursor(), 0);
        EXPECT_TRUE(F->imgDrag->Visible() && F->imgDrag2->Visible());
        EXPECT_EQ(F->stbStatus->PanelText(), TfrmMain::kHint);
        EXPECT_EQ(F->CurrentColor(), PatternColor(17, 42)) << "the last pick stays";
    }
}

TEST_F(PickTest, OtherButtonsAndAPressWithoutMoveChangeNothing) {
    Press(F->pnlDrag->Handle(), WM_RBUTTONDOWN, MK_RBUTTON);
    Press(F->pnlDrag2->Handle(), WM_MBUTTONDOWN, MK_MBUTTON);
    EXPECT_FALSE(F->Dragging());
    EXPECT_TRUE(F->imgDrag->Visible() && F->imgDrag2->Visible());
    EXPECT_EQ(Application.Cursor(), 0);

    SetCursorPos(kLeft + 5, kTop + 5);
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(F->imgDrag->Visible());
    Release();
    EXPECT_TRUE(F->imgDrag->Visible());
    EXPECT_EQ(F->CurrentColor(), clWhite) << "neither press nor release reads a pixel";
    EXPECT_EQ(F->stbStatus->PanelText(), TfrmMain::kHint);
    EXPECT_EQ(Zoomed(115, 48), clWhite);
}

TEST_F(PickTest, CaptureHoldsTheScreenAroundTheCursorAndBlackBeyondIt) {
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 20, kTop + 30);
    TBitmap& capture = const_cast<TBitmap&>(*F->Capture());
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            int cx = x - 20 + 115, cy = y - 30 + 48;
            ASSERT_EQ(capture.Canvas().Pixel(cx, cy), PatternColor(x, y)) << cx << "," << cy;
        }

    // The pattern in the screen's top left corner, the cursor on its first pixel.
    SetWindowPos(Pattern, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    WaitForScreen(kSize - 1, kSize - 1, PatternColor(kSize - 1, kSize - 1));
    MoveTo(0, 0);
    EXPECT_EQ(capture.Canvas().Pixel(115, 48), PatternColor(0, 0));
    EXPECT_EQ(capture.Canvas().Pixel(116, 49), PatternColor(1, 1));
    for (int x = 0; x < 115; x += 7) EXPECT_EQ(capture.Canvas().Pixel(x, 60), clBlack) << x;
    for (int y = 0; y < 48; y += 5) EXPECT_EQ(capture.Canvas().Pixel(130, y), clBlack) << y;
    Release();
}

TEST_F(PickTest, MagnifierEnlargesAroundTheCursorPixelAtEachZoom) {
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 32, kTop + 32);
    Release();
    const COLORREF centre = PatternColor(32, 32);
    struct Block { int n, left, right, top, bottom; };
    for (Block b : {Block{1, 115, 115, 48, 48}, Block{3, 114, 116, 48, 50}, Block{20, 105, 125, 48, 71}}) {
        SelectZoom(b.n);
        for (int y = b.top; y <= b.bottom; ++y)
            for (int x = b.left; x <= b.right; ++x)
                ASSERT_EQ(Zoomed(x, y), centre) << "zoom " << b.n << " at " << x << "," << y;
        EXPECT_NE(Zoomed(b.left - 1, b.top), centre) << "zoom " << b.n;
        EXPECT_NE(Zoomed(b.right + 1, b.bottom), centre) << "zoom " << b.n;
        EXPECT_NE(Zoomed(b.left, b.bottom + 1), centre) << "zoom " << b.n;
        EXPECT_EQ(F->CurrentColor(), centre);
    }
    EXPECT_EQ(GetFocus(), F->spiR->Handle()) << "choosing a zoom moves the focus to the red editor";
}

TEST_F(PickTest, ZoomChangeRedrawsTheLastCaptureWithoutReadingTheScreen) {
    SelectZoom(1);
    EXPECT_EQ(Zoomed(115, 48), clWhite) << "before any drag the capture is white";
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 10, kTop + 10);
    Release();
    SetWindowPos(Pattern, nullptr, kLeft + 300, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    WaitForScreen(kLeft + 300, kTop, PatternColor(0, 0));
    SelectZoom(2);
    EXPECT_EQ(Zoomed(115, 48), PatternColor(10, 10));
    EXPECT_EQ(F->CurrentColor(), PatternColor(10, 10));
}

TEST_F(PickTest, MagnifierClickWithAnyButtonTakesTheShownPixel) {
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 32, kTop + 32);
    Release();
    SelectZoom(1);
    struct Click { UINT msg; WPARAM keys; int x, y; };
    for (Click c : {Click{WM_LBUTTONDOWN, MK_LBUTTON, 120, 50}, Click{WM_RBUTTONDOWN, MK_RBUTTON, 100, 40},
                    Click{WM_MBUTTONDOWN, MK_MBUTTON, 115, 48}}) {
        // The image sits at 1, 1 of its panel.
        SendMessageW(F->pnlZoom->Handle(), c.msg, c.keys, MAKELPARAM(c.x + 1, c.y + 1));
        SendMessageW(F->pnlZoom->Handle(), c.msg + 1, 0, MAKELPARAM(c.x + 1, c.y + 1));
        EXPECT_EQ(F->CurrentColor(), PatternColor(32 + c.x - 115, 32 + c.y - 48)) << c.msg;
        EXPECT_EQ(F->spiR->Value(), 4 * (32 + c.x - 115));
    }
}

TEST_F(PickTest, LostCaptureOrClosingEndsTheDrag) {
    Press(F->pnlDrag2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 1, kTop + 1);
    SetCapture(Pattern);  // another window takes the mouse
    EXPECT_FALSE(F->Dragging());
    EXPECT_EQ(Application.Cursor(), 0);
    EXPECT_TRUE(F->imgDrag->Visible() && F->imgDrag2->Visible());
    EXPECT_EQ(F->stbStatus->PanelText(), TfrmMain::kHint);
    ReleaseCapture();
    MoveTo(kLeft + 9, kTop + 9);
    EXPECT_EQ(F->CurrentColor(), PatternColor(1, 1)) << "no further picks";

    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    F->Close();
    EXPECT_FALSE(F->Dragging());
    EXPECT_EQ(F->Capture(), nullptr);
    MoveTo(kLeft + 2, kTop + 2);  // must not touch the released capture
    EXPECT_EQ(F->CurrentColor(), PatternColor(1, 1));
}

TEST_F(PickTest, ArrowsStepTheCursorOnePixelOrTenWithShiftAndPick) {
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 20, kTop + 20);
    struct Step { WPARAM key; int held, x, y; };
    for (Step s : {Step{VK_RIGHT, 0, 21, 20}, Step{VK_DOWN, 0, 21, 21}, Step{VK_LEFT, VK_SHIFT, 11, 21},
                   Step{VK_UP, VK_SHIFT, 11, 11}, Step{VK_UP, 0, 11, 10}}) {
        Key(s.key, s.held);
        POINT p;
        GetCursorPos(&p);
        EXPECT_EQ(p.x, kLeft + s.x);
        EXPECT_EQ(p.y, kTop + s.y);
        EXPECT_EQ(F->CurrentColor(), PatternColor(s.x, s.y)) << s.x << "," << s.y;
        EXPECT_EQ(Zoomed(115, 48), PatternColor(s.x, s.y));
        wchar_t status[40];
        swprintf(status, 40, L"X:%d Y:%d", kLeft + s.x, kTop + s.y);
        EXPECT_EQ(F->stbStatus->PanelText(), status);
    }
    EXPECT_EQ(F->spiR->Value(), 44) << "the editors took none of the keys";
    Release();
    Key(VK_RIGHT);
    EXPECT_EQ(F->CurrentColor(), PatternColor(11, 10)) << "after the drag arrows pick nothing";
}

// The hot key's pick, ended by each of its four ways; Esc and a right click put back every
// value shown before, typed ones included; the taken colour goes to the clipboard.
TEST_F(PickTest, KeyPickTakesWithEnterOrLeftClickAndCancelsWithEscOrRightClick) {
    F->spiH->SetValue(100);  // a value the colour does not give back
    F->edtVB->SetText(L"typed");
    F->SetAutoCopy(4);
    Clipboard::SetText(Application.Handle(), "before");
    const std::vector<std::wstring> before = Shown();
    struct End { bool take; UINT msg; WPARAM key; };
    for (End e : {End{false, 0, VK_ESCAPE}, End{false, WM_PICKCLICK, 0}, End{true, 0, VK_RETURN},
                  End{true, WM_PICKCLICK, 1}}) {
        MoveTo(kLeft + 5, kTop + 6);
        const std::wstring named = F->pnlColor->AccessibleName();
        SendMessageW(F->Handle(), WM_HOTKEY, kPickHotKeyId, 0);
        EXPECT_TRUE(F->Picking());
        EXPECT_EQ(Application.Cursor(), 1);
        EXPECT_EQ(F->CurrentColor(), PatternColor(5, 6)) << "the pick starts where the cursor is";
        SetCursorPos(kLeft + 7, kTop + 8);
        for (int i = 0; i < 100 && F->CurrentColor() != PatternColor(7, 8); ++i) {
            Sleep(10);
            Application.ProcessMessages();
        }
        EXPECT_EQ(F->CurrentColor(), PatternColor(7, 8)) << "a move picks without a button";
        EXPECT_EQ(F->pnlColor->AccessibleName(), named) << "the colour panel's name stays during the pick";
        if (e.msg) SendMessageW(F->Handle(), e.msg, e.key, 0);
        else Key(e.key);
        EXPECT_FALSE(F->Picking());
        EXPECT_EQ(Application.Cursor(), 0);
        if (e.take) {
            EXPECT_EQ(F->CurrentColor(), PatternColor(7, 8));
            EXPECT_EQ(F->stbStatus->PanelText(), TfrmMain::kHint);
            EXPECT_EQ(Clipboard::Text(Application.Handle()), "#1C20C8");
            EXPECT_EQ(F->pnlColor->AccessibleName(), L"当前颜色 #1C20C8") << "and follows when it ends";
        } else {
            EXPECT_EQ(Shown(), before);
            EXPECT_EQ(F->pnlColor->AccessibleName(), named);
            EXPECT_EQ(Clipboard::Text(Application.Handle()), "before") << "a cancelled pick copies nothing";
        }
    }
}

// Losing the foreground, told by the message alone or by another program's window becoming
// active, cancels a keyboard pick as Esc does, and the mouse hook goes with it: the next click
// reaches the window under the cursor.
TEST_F(PickTest, KeyPickCancelsWhenTheProgramLosesTheForeground) {
    F->spiH->SetValue(100);  // a value the colour does not give back
    const std::vector<std::wstring> before = Shown();
    TChildProcess pad(QUILLORA_PROBE_WIN, "clickpad 0 0 60000");
    HWND other = UserDriver::WaitWindow(L"ClickPad", 10000);
    ASSERT_TRUE(other);
    for (bool activate : {false, true}) {
        const char* how = activate ? "another program activated" : "WM_ACTIVATEAPP";
        MoveTo(kLeft + 5, kTop + 6);
        F->StartKeyPick();
        MoveTo(kLeft + 7, kTop + 8);
        ASSERT_EQ(F->CurrentColor(), PatternColor(7, 8)) << how;
        if (activate) SetForegroundWindow(other);
        else PostMessageW(F->Handle(), WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_TRUE(PumpUntil([&] { return !F->Picking(); })) << how;
        EXPECT_EQ(Shown(), before) << how;
        EXPECT_EQ(Application.Cursor(), 0) << how;
        const int clicks = PatternClicks;
        ClickHere();
        EXPECT_TRUE(PumpUntil([&] { return PatternClicks == clicks + 1; })) << "the hook stayed; " << how;
    }
}

// F freezes a keyboard pick: a still picture covers the virtual screen just below the main
// window, with the pick cursor over it and its size kept through a DPI change; the pick reads
// from it while the pattern is gone from the screen. It goes, with its memory, when the pick
// is taken and when the program loses the foreground. A picture too large to allocate is none.
TEST_F(PickTest, FrozenKeyPickReadsTheStillPictureUntilThePickEnds) {
    const RECT screen = VirtualScreen();
    // The first pick loads what any still picture needs (about 1.5 MB under Wine); from then
    // on each pick must give back all it took, a picture of the screen's size included.
    long long before = 0;
    for (int pick = 0; pick < 5; ++pick) {
        const bool take = pick != 3;
        MoveTo(kLeft + 5, kTop + 6);
        F->StartKeyPick();
        if (pick == 1) before = WorkingSet();
        Key('F');
        HWND still = FindWindowW(L"QuilloraFrozenScreen", nullptr);
        ASSERT_TRUE(still);
        SendMessageW(still, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&screen));
        RECT r;
        EXPECT_TRUE(GetWindowRect(still, &r) && EqualRect(&r, &screen));
        EXPECT_TRUE(PumpUntil([&] {
            HWND above = still;
            while (above && above != F->Handle()) above = GetWindow(above, GW_HWNDPREV);
            return above != nullptr;
        })) << "the main window is below the still picture";
        SendMessageW(still, WM_SETCURSOR, reinterpret_cast<WPARAM>(still), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), Application.CursorImage(1));
        ShowWindow(Pattern, SW_HIDE);
        SetCursorPos(kLeft + 7, kTop + 8);
        const std::wstring status = L"X:" + std::to_wstring(kLeft + 7) + L" Y:" + std::to_wstring(kTop + 8);
        EXPECT_TRUE(PumpUntil([&] { return F->stbStatus->PanelText() == status + L"  已冻结"; }));
        EXPECT_EQ(F->CurrentColor(), PatternColor(7, 8));
        if (take) Key(VK_RETURN);
        else PostMessageW(F->Handle(), WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_TRUE(PumpUntil([&] { return !F->Picking(); }));
        EXPECT_FALSE(IsWindow(still));
        if (take) {
            EXPECT_EQ(F->CurrentColor(), PatternColor(7, 8)) << "not taken from the still picture";
        }
        ShowWindow(Pattern, SW_SHOWNOACTIVATE);
        WaitForScreen(kLeft + kSize - 1, kTop + kSize - 1, PatternColor(kSize - 1, kSize - 1));
    }
    EXPECT_LT(WorkingSet() - before, 1 << 20) << "the still picture's memory was kept";
    const RECT huge{0, 0, 30000, 17800};  // 2 GB
    EXPECT_EQ(TFrozenScreen::Take(huge, &huge, 1), nullptr);
}

// 色觉模拟 shows a picture of the whole virtual screen as the vision sees it, in front: 1 to 5
// switch on the same picture, R takes it again, Esc closes, and the memory goes with the view
// once the line has drawn each vision's name (under Wine each new Chinese glyph reads about
// 100 KB of the font file in). Another window taking the foreground closes it as well.
TEST_F(PickTest, VisionViewShowsThePictureAsEachVisionSeesItUntilEscOrAnotherWindow) {
    const RECT screen = VirtualScreen();
    auto open = [this](int entry) {
        F->mnuColor.Find(F->Commands().Child(TCommandId::Vision, entry))->OnClick();
        return FindWindowW(L"QuilloraVisionView", nullptr);
    };
    const COLORREF seen = PatternColor(7, 8);
    HWND view = open(0);
    ASSERT_TRUE(view);
    RECT r;
    EXPECT_TRUE(GetWindowRect(view, &r) && EqualRect(&r, &screen));
    EXPECT_EQ(GetForegroundWindow(), view);
    ShowWindow(Pattern, SW_HIDE);  // from here on only the picture holds it
    WaitForScreen(kLeft + 7, kTop + 8, Contrast::Simulate(seen, Contrast::TVision::Protanopia));
    for (int key : {'5', '1', '4', '3'}) {
        SendMessageW(view, WM_KEYDOWN, key, 0);
        WaitForScreen(kLeft + 7, kTop + 8, Contrast::Simulate(seen, static_cast<Contrast::TVision>(key - '1')));
    }
    SendMessageW(view, WM_KEYDOWN, 'R', 0);
    TScreenDC dc;
    EXPECT_NE(GetPixel(dc.Get(), kLeft + 7, kTop + 8), Contrast::Simulate(seen, Contrast::TVision::Tritanopia));
    SendMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(view); }));
    ShowWindow(Pattern, SW_SHOWNOACTIVATE);
    const long long before = WorkingSet();
    view = open(3);
    ASSERT_TRUE(view);
    SetForegroundWindow(F->Handle());
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(view); })) << "the view stayed behind another window";
    EXPECT_LT(WorkingSet() - before, 1 << 20) << "the view's memory was kept";
}

// The magnifier leaves black what lies on no monitor, and the monitors are read again after a
// display change: once the screen has its width back, the capture shows what lies beyond the
// smaller screen's edge.
TEST_F(PickTest, DisplayChangeReadsTheMonitorsAgainBeforeTheNextPick) {
    const int left = 1024 - 20;  // the pattern across the smaller screen's right edge
    SetWindowPos(Pattern, HWND_TOPMOST, left, kTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    WaitForScreen(left + kSize - 1, kTop + kSize - 1, PatternColor(kSize - 1, kSize - 1));
    TSmallerScreen screen;
    ASSERT_TRUE(TSmallerScreen::Smaller()) << "the screen did not become 1024 x 768";
    const TBitmap& capture = *F->Capture();
    for (bool smaller : {true, false}) {
        const char* when = smaller ? "on the smaller screen" : "with the width back";
        if (!smaller) {
            screen.Restore();
            WaitForScreen(left + kSize - 1, kTop + kSize - 1, PatternColor(kSize - 1, kSize - 1));
        }
        Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
        MoveTo(left + 10, kTop + 10);
        Release();
        EXPECT_EQ(GetPixel(capture.DC(), 115 - 5, 48), PatternColor(5, 10)) << when;
        EXPECT_EQ(GetPixel(capture.DC(), 115 + 30, 48), smaller ? clBlack : PatternColor(40, 10)) << when;
    }
}

// The monitor's profile is looked up when a pick starts and read again only when it changed;
// a profile replaced during a drag counts from the next pick on, so the moves read nothing.
TEST_F(PickTest, EachPickStartReadsTheMonitorProfileAgainWhenItChanged) {
    using namespace ColorProfile;
    const TMonitorProfileFile file;
    const TConverter fromSrgb = TConverter::FromSrgb(TSpace::P3);
    const std::string p3 = WriteTarget(TSpace::P3);  // into P3 it converts nothing
    struct TState {
        const char* Name;
        std::function<void()> Change;
        bool Identity;  // else the monitor counts as sRGB
        bool Read;      // its profile read again
    };
    const TState states[] = {
        {"a P3 profile", [&] { file.Write(p3); }, true, true},
        {"the same profile", [] {}, true, false},
        {"none of ours", [&] { file.Unregister(); }, false, true},
        {"a damaged file", [&] { file.Write("not a profile"); }, false, true},
        {"the P3 profile again", [&] { file.Write(p3); }, true, true},
    };
    TTrueColor& space = F->Picker().TrueColor();
    space.SetSpace(TTrueColor::P3);
    states[0].Change();
    const int monitors = GetSystemMetrics(SM_CMONITORS);
    for (size_t i = 0; i < std::size(states); ++i) {
        const TState& s = states[i];
        const int loads = space.ProfileLoads();
        Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
        for (int x : {5, 9}) {
            MoveTo(kLeft + x, kTop + 5);
            const TColor device = PatternColor(x, 5);
            EXPECT_EQ(F->CurrentColor(), s.Identity ? device : fromSrgb.Convert(device)) << s.Name << " at x " << x;
            EXPECT_EQ(space.ProfileLoads(), loads + (s.Read ? monitors : 0)) << s.Name;
            // The next state's profile, while this drag is on.
            if (x == 5 && i + 1 < std::size(states)) states[i + 1].Change();
        }
        Release();
        const std::wstring line = space.InfoLines(F->Handle())[0];
        EXPECT_EQ(line.find(L"无法使用") != std::wstring::npos, i == 3) << s.Name << ": " << WideToUtf8(line);
    }
}

// The contrast dialog's eyedroppers: the keyboard pick of the main window, whose colour goes to
// that side of the dialog and to the recent colours, while the main window shows what it
// showed before and "取色后复制" copies nothing; Esc leaves both colours.
TEST_F(PickTest, EyedroppersPickEachSideOfTheContrastDialog) {
    F->SetAutoCopy(4);
    Clipboard::SetText(Application.Handle(), "before");
    const TColor current = F->CurrentColor();
    TFormPtr<TfrmContrast> d = Application.NewForm<TfrmContrast>();
    d->PickFromScreen = [this](std::function<void(TColor)> taken) { F->StartDialogPick(std::move(taken)); };
    d->SetColors(clBlack, clWhite);
    struct TPick { TButton* Eyedropper; int X, Y; WPARAM End; TColor Fore, Back; };
    for (const TPick& p : {TPick{d->btnPickFore, 5, 6, VK_RETURN, PatternColor(5, 6), clWhite},
                           TPick{d->btnPickBack, 9, 2, VK_RETURN, PatternColor(5, 6), PatternColor(9, 2)},
                           TPick{d->btnPickFore, 20, 20, VK_ESCAPE, PatternColor(5, 6), PatternColor(9, 2)}}) {
        MoveTo(kLeft + p.X, kTop + p.Y);
        p.Eyedropper->Click();
        EXPECT_TRUE(F->Picking());
        Key(p.End);
        EXPECT_FALSE(F->Picking());
        EXPECT_EQ(std::make_pair(d->Foreground(), d->Background()), std::make_pair(p.Fore, p.Back));
        EXPECT_EQ(F->CurrentColor(), current) << "the main window's colour stays";
    }
    EXPECT_EQ(F->Recent().List().Colors(), (std::vector<TColor>{PatternColor(9, 2), PatternColor(5, 6)}));
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "before");
}

// A colour taken goes to the top of the recent colours: a finished pick of each kind, a paste
// and a choice from the list itself; a cancelled pick and the editors leave the list alone.
// The open menu draws one swatch per colour and keeps no drawing object.
TEST_F(PickTest, TakenColoursEnterTheRecentColoursNewestFirst) {
    const auto recent = [this] { return F->Recent().List().Colors(); };
    Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    MoveTo(kLeft + 1, kTop + 1);
    Release();
    SendMessageW(F->Handle(), WM_HOTKEY, kPickHotKeyId, 0);
    Key(VK_ESCAPE);
    F->spiR->SetValue(77);
    SendMessageW(F->pnlZoom->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(116 + 2, 49));
    SendMessageW(F->pnlZoom->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(116 + 2, 49));
    Clipboard::SetText(Application.Handle(), "#123456");
    F->mnuColor.Find(TCommandId::Paste)->OnClick();
    const std::vector<TColor> taken = {MakeColor(0x12, 0x34, 0x56), PatternColor(3, 1), PatternColor(1, 1)};
    ASSERT_EQ(recent(), taken);
    F->mnuColor.OnPopup();
    F->mnuColor.Find(F->Commands().Child(TCommandId::Recent, 2))->OnClick();
    EXPECT_EQ(F->CurrentColor(), PatternColor(1, 1));
    EXPECT_EQ(recent(), (std::vector<TColor>{taken[2], taken[0], taken[1]}));
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "#123456") << "a choice copies nothing";

    // The real menu, its recent colours opened from the keyboard and painted, then closed;
    // twice, as the system's menus make objects of their own the first time.
    const auto openRecent = [this] {
        std::thread user([] {
            HWND menu = nullptr;
            for (int i = 0; i < 200 && !(menu = FindWindowW(L"#32768", nullptr)); ++i) Sleep(10);
            for (WPARAM key : {WPARAM('R'), WPARAM(VK_ESCAPE), WPARAM(VK_ESCAPE)}) {
                PostMessageW(menu, WM_KEYDOWN, key, 0);
                Sleep(300);
            }
        });
        F->mnuColor.Popup(10, 10);
        user.join();
    };
    openRecent();
    const unsigned long gdi = GdiObjects();
    openRecent();
    HMENU colors = GetSubMenu(F->mnuColor.Handle(), 8);
    for (int i = 0; i < 4; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        GetMenuItemInfoW(colors, static_cast<UINT>(i), TRUE, &info);
        EXPECT_EQ(info.hbmpItem, i < 3 ? HBMMENU_CALLBACK : nullptr) << i;
    }
    EXPECT_EQ(GdiObjects(), gdi);
}

TEST_F(PickTest, SampleAveragesTheSquareRoundingHalfUpAndTheMagnifierOutlinesIt) {
    HWND checker = MakePatternWindow(L"PickChecker", &CheckerProc, kLeft + 200, kTop);
    // The last pixel painted, white: an unpainted window is black, and Wine may show a
    // painting's first rows long before its last.
    WaitForScreen(kLeft + 200 + kSize - 1, kTop + kSize - 1, clWhite);
    SelectZoom(1);
    struct Case { int side, x; TColor mean; };
    for (Case c : {Case{3, 10, RGB(142, 142, 142)}, Case{3, 11, RGB(113, 113, 113)},
                   Case{5, 10, RGB(133, 133, 133)}, Case{1, 11, clBlack}}) {
        F->SetSampleSide(c.side);
        Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
        MoveTo(kLeft + 200 + c.x, kTop + 10);
        Release();
        EXPECT_EQ(F->CurrentColor(), c.mean) << c.side << " at " << c.x;
        // At zoom 1 the magnifier shows the capture as it is, but for the frame just outside
        // the square, which inverts what it covers.
        const TBitmap& capture = *F->Capture();
        const int r = c.side / 2 + 1;
        struct Spot { int dx, dy; bool frame; };
        for (Spot p : {Spot{r - 1, 0, false}, Spot{1 - r, 1 - r, false}, Spot{r, 0, true}, Spot{0, -r, true},
                       Spot{-r, r, true}}) {
            const TColor shown = GetPixel(capture.DC(), 115 + p.dx, 48 + p.dy);
            EXPECT_EQ(Zoomed(115 + p.dx, 48 + p.dy), p.frame && c.side > 1 ? 0xFFFFFF ^ shown : shown)
                << "side " << c.side << " at " << p.dx << "," << p.dy;
        }
        SendMessageW(F->pnlZoom->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(118, 49));
        EXPECT_EQ(F->CurrentColor(), c.mean) << "a magnifier click two pixels right averages the same way";
    }
    DestroyWindow(checker);
}

// The grid, from 600 %: each pixel a square of zoom / 100 pixels, the centre pixel's in the
// middle, its left and top lines the colour under them with each channel moved by 128; the
// sample's frame two pixels wide from its lines inwards; a click on a line takes the pixel.
TEST_F(PickTest, GridDrawsEachPixelAsASquareAndItsLinesAreNeverTaken) {
    F->Options().Set(TSettings::TSettingId::Grid, 1);
    struct Case { int zoom, side, dx; };
    for (Case c : {Case{6, 1, 2}, Case{20, 3, 3}, Case{20, 1, 3}}) {
        SelectZoom(c.zoom);
        F->SetSampleSide(c.side);
        Press(F->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
        MoveTo(kLeft + 30, kTop + 30);
        Release();
        const int middleLeft = 115 - c.zoom / 2, y = 48;  // the centre pixel's square
        for (int dx : {-c.dx, c.dx}) {
            const int left = middleLeft + dx * c.zoom;
            const TColor pixel = PatternColor(30 + dx, 30);
            EXPECT_EQ(Zoomed(left + c.zoom / 2, y), pixel) << "zoom " << c.zoom << ", square " << dx;
            EXPECT_EQ(Zoomed(left, y), pixel ^ 0x808080) << "zoom " << c.zoom << ", line of square " << dx;
            if (c.side > 1) continue;
            SendMessageW(F->pnlZoom->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1 + left, 1 + y));
            EXPECT_EQ(F->CurrentColor(), pixel) << "a click on the line, zoom " << c.zoom;
        }
        const int frame = middleLeft - c.side / 2 * c.zoom;
        const TColor outer = PatternColor(30 - c.side / 2, 30);
        EXPECT_EQ(Zoomed(frame, y), 0xFFFFFF ^ outer ^ 0x808080) << "the frame over the line, zoom " << c.zoom;
        EXPECT_EQ(Zoomed(frame + 1, y), 0xFFFFFF ^ outer) << "and one pixel in";
        EXPECT_EQ(Zoomed(frame + 2, y), outer) << "but no further";
    }
    F->Options().Set(TSettings::TSettingId::Grid, 0);
}

// The status's distance from a mark: the position minus the mark, y growing downwards, on
// the primary monitor and one left of it.
TEST(MarkDistanceTest, PositionMinusMarkAndTheStraightLineWithOneDecimal) {
    struct Case { POINT position, mark; const wchar_t* text; };
    for (Case c : {Case{{210, 126}, {198, 150}, L"  \u0394x 12, \u0394y -24, 26.8 px"},
                   Case{{-1900, 300}, {-1920, 324}, L"  \u0394x 20, \u0394y -24, 31.2 px"},
                   Case{{0, 0}, {0, 0}, L"  \u0394x 0, \u0394y 0, 0.0 px"},
                   Case{{-3840, -1}, {1919, 1079}, L"  \u0394x -5759, \u0394y -1080, 5859.4 px"}}) {
        wchar_t text[80];
        MarkDistanceText(text, 80, c.position, c.mark);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(ZoomListTest, StoredZoomSelectsItsEntryAndBadValuesTheFirst) {
    InitializeApplication();
    struct Case { const char* stored; int index; };
    for (Case c : {Case{"7", 6}, Case{"20", 19}, Case{"0", 0}, Case{"21", 0}, Case{"abc", 0}}) {
        WritePrivateProfileStringA("VOP", "zoom", c.stored, TSettings::GetIniFileName().c_str());
        frmMain = Application.CreateForm<TfrmMain>();
        EXPECT_EQ(frmMain->cboZoom->ItemIndex(), c.index) << c.stored;
        EXPECT_EQ(frmMain->cboZoom->Count(), 20);
        EXPECT_EQ(frmMain->cboZoom->Item(0), L"Zoom 100%");
        EXPECT_EQ(frmMain->cboZoom->Item(19), L"Zoom 2000%");
        Application.DestroyForms();
    }
    frmMain = nullptr;
    DeleteFileA(TSettings::GetIniFileName().c_str());
}
}  // namespace
