// Taking colours from the screen: the drag from a "+" icon, the capture around the cursor,
// the magnifier and its zoom list, on the real main window and a pattern window of our own.
#include "MainWindowTest.h"

namespace {
constexpr int kLeft = 400, kTop = 300, kSize = 64;

// Every pixel of the pattern differs from its neighbours.
COLORREF PatternColor(int x, int y) { return RGB(4 * x, 4 * y, 200); }

LRESULT CALLBACK PatternProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
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

class PickTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &PatternProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PickPattern";
        RegisterClassW(&wc);
        Pattern = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"PickPattern", L"", WS_POPUP | WS_VISIBLE,
                                  kLeft, kTop, kSize, kSize, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(Pattern);
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
    void MoveTo(int x, int y) {
        SetCursorPos(x, y);
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
            EXPECT_EQ(F->StatusBar1->PanelText(), status);
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
        EXPECT_EQ(F->StatusBar1->PanelText(), TfrmMain::kHint);
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
    EXPECT_EQ(F->StatusBar1->PanelText(), TfrmMain::kHint);
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
    EXPECT_EQ(F->StatusBar1->PanelText(), TfrmMain::kHint);
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

TEST(ZoomListTest, StoredZoomSelectsItsEntryAndBadValuesTheFirst) {
    InitializeApplication();
    struct Case { const char* stored; int index; };
    for (Case c : {Case{"7", 6}, Case{"20", 19}, Case{"0", 0}, Case{"21", 0}, Case{"abc", 0}}) {
        WritePrivateProfileStringA("VOP", "zoom", c.stored, TVop::GetIniFileName().c_str());
        frmMain = Application.CreateForm<TfrmMain>();
        EXPECT_EQ(frmMain->cboZoom->ItemIndex(), c.index) << c.stored;
        EXPECT_EQ(frmMain->cboZoom->Count(), 20);
        EXPECT_EQ(frmMain->cboZoom->Item(0), L"Zoom 100%");
        EXPECT_EQ(frmMain->cboZoom->Item(19), L"Zoom 2000%");
        Application.DestroyForms();
    }
    frmMain = nullptr;
    DeleteFileA(TVop::GetIniFileName().c_str());
}
}  // namespace
