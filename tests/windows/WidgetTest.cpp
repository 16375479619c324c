// The widget layer's promises that the windows rely on, checked on real controls.
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Spin.h"
#include "StartUp.h"
#include "UserDriver.h"
#include <commctrl.h>
#include <algorithm>
#include <vector>
#include <gtest/gtest.h>

namespace {
class WidgetTest : public ::testing::Test {
protected:
    // The program's description first: the form takes its font from it.
    bool Initialized = (InitializeApplication(), true);
    TForm Form{L"WidgetTestForm", 300, 200};
    void SetUp() override { Form.CreateHandle(); }
};

TEST_F(WidgetTest, SpinEditClampsAndNotifiesOnlyOnRealChanges) {
    TSpinEdit spin(&Form, 10, 10, 90, 22, 0, 255);
    spin.CreateHandle();
    std::vector<int> seen;
    spin.OnChange = [&] { seen.push_back(spin.Value()); };
    spin.SetValue(5);
    spin.SetValue(5);    // same text: no notification
    spin.SetValue(300);  // clamped to 255
    spin.SetValue(-4);   // clamped to 0
    EXPECT_EQ(seen, (std::vector<int>{5, 255, 0}));
    spin.SetValue(0);
    EXPECT_EQ(seen.size(), 3u) << "setting the value it already shows notifies nothing";
    SetWindowTextW(spin.Handle(), L"abc");
    EXPECT_EQ(spin.Value(), 0) << "a text that is not a number reads as the minimum";
    SetWindowTextW(spin.Handle(), L"");
    EXPECT_EQ(spin.Value(), 0);
}

TEST_F(WidgetTest, SpinEditStepsWithArrowsAndRefusesTyping) {
    TSpinEdit spin(&Form, 10, 10, 90, 22, 0, 240);
    spin.CreateHandle();
    int changes = 0;
    spin.OnChange = [&] { ++changes; };
    spin.SetValue(239);
    changes = 0;
    SendMessageW(spin.Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.Value(), 240);
    SendMessageW(spin.Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.Value(), 240);
    EXPECT_EQ(changes, 1) << "a step beyond the end changes nothing and notifies nothing";
    SendMessageW(spin.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(spin.Value(), 239);

    SendMessageW(spin.Handle(), WM_CHAR, L'7', 0);
    SendMessageW(spin.Handle(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(spin.Text(), L"239") << "typing is refused";

    // Paste is refused, but the Delete key edits the text.
    SendMessageW(spin.Handle(), EM_SETSEL, 0, -1);
    SendMessageW(spin.Handle(), WM_PASTE, 0, 0);
    SendMessageW(spin.Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(spin.Text(), L"239");
    SendMessageW(spin.Handle(), EM_SETSEL, 0, 1);
    SendMessageW(spin.Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(spin.Text(), L"39");
    EXPECT_EQ(spin.Value(), 39);
}

TEST_F(WidgetTest, SpinButtonStepsOnPressAndRepeatsWhileHeld) {
    TSpinEdit spin(&Form, 10, 10, 90, 22, 0, 255);
    spin.CreateHandle();
    spin.SetValue(10);
    HWND button = spin.Button().Handle();
    RECT r;
    GetClientRect(button, &r);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    EXPECT_EQ(spin.Value(), 11) << "the press itself steps once";
    SendMessageW(button, WM_TIMER, 1, 0);  // the repeat timer firing
    SendMessageW(button, WM_TIMER, 1, 0);
    EXPECT_EQ(spin.Value(), 13);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    SendMessageW(button, WM_TIMER, 1, 0);
    EXPECT_EQ(spin.Value(), 13) << "no repeat after the release";
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, r.bottom - 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, r.bottom - 2));
    EXPECT_EQ(spin.Value(), 12) << "the lower half steps down";
}

TEST_F(WidgetTest, EditNotifiesOnlyWhenItsTextChanges) {
    TEdit edit(&Form, 10, 40, 142, 21);
    edit.CreateHandle();
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText(L"#FF8000");
    edit.SetText(L"#FF8000");
    EXPECT_EQ(changes, 1);
    SendMessageW(edit.Handle(), WM_CHAR, L'x', 0);  // typed by the user
    EXPECT_EQ(changes, 2);
}

TEST_F(WidgetTest, CheckBoxRunsOnClickOnEveryChangeOfState) {
    TCheckBox box(&Form, 8, 10, 76, 17, L"置顶");
    box.CreateHandle();
    std::vector<bool> seen;
    box.OnClick = [&] { seen.push_back(box.Checked()); };
    box.SetChecked(false);  // already unchecked
    box.SetChecked(true);
    SendMessageW(Form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box.Handle()));  // a click by the user
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(WidgetTest, ComboBoxSelectionFromCodeDoesNotNotify) {
    TComboBox combo(&Form, 91, 8, 103, 21, 20);
    combo.CreateHandle();
    int clicks = 0;
    combo.OnClick = [&] { ++clicks; };
    for (int i = 1; i <= 20; ++i) combo.Add(L"Zoom " + std::to_wstring(i * 100) + L"%");
    combo.SetItemIndex(6);
    EXPECT_EQ(combo.ItemIndex(), 6);
    EXPECT_EQ(combo.Item(6), L"Zoom 700%");
    EXPECT_EQ(clicks, 0);
    RECT r;
    GetWindowRect(combo.Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, 21) << "the closed list keeps the layout's height";
}

// A list of many items fills a share at a time while the program waits for input, and at once
// when it is dropped down or gets the focus: the window it sits in opens without waiting.
TEST_F(WidgetTest, ComboBoxOfManyItemsFillsWhileIdleAndWholeWhenDroppedDownOrFocused) {
    constexpr int kItems = 30000;
    const auto text = [](int i) { return L"item " + std::to_wstring(i); };
    const std::function<void(TComboBox&)> ways[] = {
        [](TComboBox& c) { SendMessageW(c.Handle(), CB_SHOWDROPDOWN, TRUE, 0); },
        [](TComboBox& c) { SetFocus(c.Handle()); },
        [](TComboBox& c) {
            for (DWORD start = GetTickCount(); c.Count() < kItems && GetTickCount() - start < 20000;) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                Sleep(1);
            }
        },
    };
    for (const auto& way : ways) {
        TComboBox combo(&Form, 91, 8, 103, 21, 20);
        combo.CreateHandle();
        combo.SetItems(kItems, text);
        EXPECT_LT(combo.Count(), kItems) << "not all at once";
        way(combo);
        EXPECT_EQ(combo.Count(), kItems);
        EXPECT_EQ(combo.Item(kItems / 2) + combo.Item(kItems - 1), text(kItems / 2) + text(kItems - 1));
        SendMessageW(combo.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }
}

// Graphic controls get their mouse input through their parent window; a press keeps going
// to the same control until the button is released, even outside it.
TEST_F(WidgetTest, GraphicControlGetsPressAndReleaseThroughItsParent) {
    TPanel panel(&Form, 10, 10, 38, 38);
    TImage image(&panel, 3, 3, 32, 32);
    panel.CreateHandle();
    std::vector<std::string> events;
    image.OnMouseDown = [&](TMouseButton b, int x, int y) {
        events.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) +
                         "," + std::to_string(y));
    };
    image.OnMouseUp = [&](TMouseButton, int x, int y) {
        events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    panel.OnMouseUp = [&](TMouseButton, int, int) { events.push_back("panel up"); };
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(GetCapture(), panel.Handle());
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));  // on the panel's border
    EXPECT_EQ(events, (std::vector<std::string>{"down 0 2,3", "up 97,97", "panel up"}));
    EXPECT_NE(GetCapture(), panel.Handle());
}

TEST_F(WidgetTest, SpeedButtonClicksOnlyWhenReleasedOverIt) {
    TSpeedButton button(&Form, 198, 7, 43, 23, L"菜单");
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 10));
    EXPECT_TRUE(button.Pressed());
    SendMessageW(Form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(210, 12));
    EXPECT_EQ(clicks, 1);
    SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 10));
    SendMessageW(Form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 150));
    SendMessageW(Form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 150));
    EXPECT_EQ(clicks, 1) << "released elsewhere: no click";
    SendMessageW(Form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 10));
    SendMessageW(Form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(200, 10));
    EXPECT_EQ(clicks, 1) << "only the left button clicks";
}

TEST_F(WidgetTest, ImageBitmapCanvasFillsAndReadsPixels) {
    TImage image(&Form, 0, 0, 231, 96);
    TCanvas& canvas = image.Canvas();
    EXPECT_EQ(canvas.Pixel(0, 0), clWhite) << "a new picture is white";
    canvas.PenColor = clBlack;
    canvas.BrushColor = RGB(10, 20, 30);
    canvas.Rectangle(0, 0, 231, 96);
    EXPECT_EQ(canvas.Pixel(0, 0), clBlack) << "the pen draws the outline";
    EXPECT_EQ(canvas.Pixel(115, 48), RGB(10, 20, 30)) << "the brush fills the inside";
    EXPECT_EQ(image.Bitmap().Width(), 231);
    EXPECT_EQ(image.Bitmap().Height(), 96);
}

TEST_F(WidgetTest, StatusBarHasOnePanelAcrossTheBar) {
    TStatusBar bar(&Form, 0, 179, 300, 21);
    bar.CreateHandle();
    bar.SetPanelText(L"X:-5 Y:300");
    EXPECT_EQ(bar.PanelText(), L"X:-5 Y:300");
    int parts[4] = {};
    EXPECT_EQ(SendMessageW(bar.Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 1);
    EXPECT_EQ(parts[0], -1);
    RECT r;
    GetWindowRect(bar.Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, 21);
}

TEST_F(WidgetTest, ApplicationCursorTableOverridesEveryControlWhileSet) {
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    Application.SetCursorImage(1, cross);
    EXPECT_EQ(Application.CursorImage(1), cross);
    EXPECT_EQ(Application.CursorImage(7), nullptr);
    Application.SetCursor(1);
    EXPECT_EQ(GetCursor(), cross);
    Application.SetCursor(0);
    EXPECT_EQ(Application.Cursor(), 0);
    EXPECT_NE(GetCursor(), cross);
}

// The icon a message box shows: its one static control with an icon.
HICON BoxIcon(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
    return nullptr;
}

// Each kind of notice is a box over its owner with the application's title (a dialog's own
// error with the dialog's caption), the icon and buttons of its kind, and the right default.
TEST_F(WidgetTest, NoticesShowTheTitleIconAndButtonsOfTheirKind) {
    Form.SetCaption(L"Own formats");
    const HWND owner = Form.Handle();
    struct TCase {
        std::function<bool()> Show;
        const wchar_t* Title;
        const wchar_t* Icon;
        std::vector<int> Buttons;  // the default first
        int Answer;
        bool Result;
    };
    const TCase kCases[] = {
        {[&] { Notices::Error(owner, L"e"); return false; }, L"Quillora", IDI_ERROR, {IDOK}, IDOK, false},
        {[&] { Notices::DialogError(owner, L"e"); return false; }, L"Own formats", IDI_ERROR, {IDOK}, IDOK, false},
        {[&] { Notices::Information(owner, L"i"); return false; }, L"Quillora", IDI_INFORMATION, {IDOK}, IDOK, false},
        {[&] { return Notices::Ask(owner, L"q"); }, L"Quillora", IDI_WARNING, {IDNO, IDYES}, IDYES, true},
        {[&] { return Notices::Ask(owner, L"q"); }, L"Quillora", IDI_WARNING, {IDNO, IDYES}, IDNO, false},
    };
    for (const TCase& c : kCases) {
        bool result = !c.Result;
        UserDriver::WithUser([&] { result = c.Show(); }, [&] {
            HWND box = UserDriver::WaitWindow(L"#32770", 10000);
            if (!box) return;
            wchar_t title[64] = L"";
            GetWindowTextW(box, title, 64);
            EXPECT_STREQ(title, c.Title);
            EXPECT_EQ(GetWindow(box, GW_OWNER), owner) << WideToUtf8(c.Title);
            EXPECT_EQ(BoxIcon(box), LoadIconW(nullptr, c.Icon)) << WideToUtf8(c.Title);
            for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
                // -1: no such button; 1: the default one; 0: another.
                const HWND button = GetDlgItem(box, id);
                const int seen = !button ? -1 : (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                const auto at = std::find(c.Buttons.begin(), c.Buttons.end(), id);
                EXPECT_EQ(seen, at == c.Buttons.end() ? -1 : at == c.Buttons.begin())
                    << WideToUtf8(c.Title) << " button " << id;
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(c.Answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, c.Answer)));
        });
        EXPECT_EQ(result, c.Result) << WideToUtf8(c.Title) << " answered " << c.Answer;
    }
}
}  // namespace

namespace {
// A form that records the messages its own window procedure sees, and whether its member
// (a stand-in for what handlers use) was still alive when each came.
class TRecordingForm : public TForm {
public:
    explicit TRecordingForm(std::vector<UINT>& seen) : TForm(L"RecordingForm", 100, 100), FSeen(seen) {}
    ~TRecordingForm() override { FAlive = false; }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NCCREATE || msg == WM_CREATE || msg == WM_DESTROY || msg == WM_NCDESTROY)
            FSeen.push_back(FAlive ? msg : 0);
        return TForm::WndProc(msg, wp, lp);
    }
private:
    std::vector<UINT>& FSeen;
    bool FAlive = true;
};
}  // namespace

// The object is whole before its window is made and after its window is gone: every message
// from the first to the last reaches the derived procedure, and none comes after.
TEST_F(WidgetTest, WindowLivesWithinItsObjectFromFirstMessageToLast) {
    std::vector<UINT> seen;
    TFormPtr<TRecordingForm> form(new TRecordingForm(seen));
    TEdit edit(form.get(), 5, 5, 50, 21);
    EXPECT_EQ(form->Handle(), nullptr) << "no window before CreateHandle";
    form->CreateHandle();
    ASSERT_NE(edit.Handle(), nullptr) << "the children's windows come with the form's";
    HWND window = form->Handle();
    form.reset();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(edit.Handle(), nullptr) << "the child's window went with the form's";
}
