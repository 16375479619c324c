// The current colour and its editors and notations, on the real main window.
#include "Clipboard.h"
#include "Color.h"
#include "Text.h"
#include "MainWindowTest.h"
#include <thread>
#include <tuple>

namespace {
class ColorModelTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        CreateMain();
    }
    std::tuple<int, int, int> Rgb() const { return {F->spiR->Value(), F->spiG->Value(), F->spiB->Value()}; }
    std::tuple<int, int, int> Hsl() const { return {F->spiH->Value(), F->spiS->Value(), F->spiL->Value()}; }
    static void Key(TSpinEdit* s, WPARAM vk, int times = 1) {
        for (int i = 0; i < times; ++i) SendMessageW(s->Handle(), WM_KEYDOWN, vk, 0);
    }
    // What a user typing into an edit does to it: its text changes and it reports the change.
    static void Type(TEdit* e, const wchar_t* text) { SetWindowTextW(e->Handle(), text); }
    std::wstring Notations() const {
        std::wstring all;
        for (int tag = 1; tag <= 7; ++tag) all += F->NotationEdit(tag)->Text() + L"|";
        return all;
    }
};

TEST_F(ColorModelTest, WindowOpensOnWhiteWithItsValuesAndNotations) {
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu);
    EXPECT_EQ(Rgb(), std::make_tuple(255, 255, 255));
    EXPECT_EQ(Hsl(), std::make_tuple(0, 0, 240));
    EXPECT_EQ(Notations(), L"255, 255, 255|16777215|FFFFFF|#FFFFFF|$00FFFFFF|&H00FFFFFF&|0xFFFFFF|");
    EXPECT_EQ(F->ColorValue(4), "#FFFFFF");
}

TEST_F(ColorModelTest, RgbEditorsRebuildTheColourAndItsHsl) {
    F->spiG->SetValue(0);
    F->spiB->SetValue(1);
    EXPECT_EQ(F->CurrentColor(), 0x0100FFu);
    EXPECT_EQ(Hsl(), std::make_tuple(240, 240, 120)) << "hue 240 and hue 0 are both red";
    EXPECT_EQ(F->edtHtml->Text(), L"#FF0001");

    F->spiR->SetValue(192);
    F->spiG->SetValue(192);
    F->spiB->SetValue(192);
    EXPECT_EQ(Hsl(), std::make_tuple(0, 0, 181));
    Key(F->spiL, VK_UP);
    Key(F->spiL, VK_DOWN);
    EXPECT_EQ(F->spiL->Value(), 181);
    EXPECT_EQ(Rgb(), std::make_tuple(193, 193, 193)) << "each HSL step rebuilds the colour from H, S, L";
}

TEST_F(ColorModelTest, HslEditorsKeepTheHueOfAGrey) {
    F->spiH->SetValue(80);
    F->spiS->SetValue(240);
    F->spiL->SetValue(120);
    EXPECT_EQ(Rgb(), std::make_tuple(0, 255, 0));
    Key(F->spiS, VK_DOWN, 240);
    EXPECT_EQ(Rgb(), std::make_tuple(128, 128, 128));
    EXPECT_EQ(Hsl(), std::make_tuple(80, 0, 120)) << "converting the grey would give hue 0";
    Key(F->spiR, VK_UP);
    EXPECT_EQ(Hsl(), std::make_tuple(0, 1, 121)) << "the next RGB change recomputes all three";
}

TEST_F(ColorModelTest, OneUserStepRebuildsTheColourOnceWithoutFeedback) {
    int html = 0, hue = 0;
    auto htmlChange = F->edtHtml->OnChange;
    F->edtHtml->OnChange = [&] { ++html; htmlChange(); };
    auto hueChange = F->spiH->OnChange;
    F->spiH->OnChange = [&] { ++hue; hueChange(); };
    Key(F->spiR, VK_DOWN);
    EXPECT_EQ(Rgb(), std::make_tuple(254, 255, 255));
    EXPECT_EQ(html, 1) << "the notations are rebuilt once";
    EXPECT_EQ(F->edtHtml->Text(), L"#FEFFFF");
    EXPECT_EQ(Hsl(), std::make_tuple(120, 240, 240));
    EXPECT_EQ(hue, 1) << "the hue editor is set once and its handler turned away";

    html = 0;
    Key(F->spiR, VK_UP, 3);  // 255 after one step; the others are clamped away
    EXPECT_EQ(F->spiR->Value(), 255);
    EXPECT_EQ(html, 1) << "steps beyond the end change nothing";
}

TEST_F(ColorModelTest, EmptiedEditorCountsAsZero) {
    SendMessageW(F->spiG->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(F->spiG->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(F->spiG->Text(), L"");
    EXPECT_EQ(F->CurrentColor(), MakeColor(255, 0, 255));
    EXPECT_EQ(F->edtRGB->Text(), L"255, 0, 255");
    SendMessageW(F->spiS->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(F->spiS->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(F->CurrentColor(), MakeColor(128, 128, 128)) << "H 200, S 0, L 120 is grey";
}

TEST_F(ColorModelTest, UpButtonOfTheRedEditorStepsAndClampsThroughRealMessages) {
    F->spiR->SetValue(254);
    HWND button = F->spiR->Button().Handle();
    auto press = [&] {
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 2));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 2));
    };
    int html = 0;
    auto htmlChange = F->edtHtml->OnChange;
    F->edtHtml->OnChange = [&] { ++html; htmlChange(); };
    press();
    EXPECT_EQ(F->spiR->Value(), 255);
    EXPECT_EQ(html, 1);
    press();
    EXPECT_EQ(html, 1) << "at 255 the up button runs no handler";
}

TEST_F(ColorModelTest, NotationsOfTheFailedScreenReadValueUseTheLowBytes) {
    // What the swatch holds after a failed screen read: the notations follow the table.
    F->shpColor->SetPenColor(0xFFFFFFFF);
    F->shpColor->SetBrushColor(0xFFFFFFFF);
    F->spiR->SetValue(0);
    F->spiR->SetValue(255);  // any change in an editor builds a colour without a top byte
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu);
}

TEST_F(ColorModelTest, TypedNotationIsCopiedTrimmedAndTheColourStays) {
    Type(F->edtHtml, L"  abc  ");
    EXPECT_EQ(F->ColorValue(4), "abc");
    Clipboard::SetText(Application.Handle(), "sentinel");
    F->btnHtmlCopy->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "abc");
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu);
    EXPECT_EQ(F->edtHex->Text(), L"FFFFFF");

    F->btnDecimalCopy->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "16777215") << "another row replaces it";
    Type(F->edtC, L"");
    F->btnCCopy->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "") << "an emptied edit copies an empty text";

    Key(F->spiB, VK_DOWN);  // a colour change rewrites the typed text
    EXPECT_EQ(F->edtHtml->Text(), L"#FFFFFE");
    F->btnHtmlCopy->OnClick();
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "#FFFFFE");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ColorModelTest, ClipboardHeldByAnotherProgramKeepsItsContent) {
    Clipboard::SetText(Application.Handle(), "theirs");
    // Another program opens the clipboard and keeps it open.
    std::wstring cmd = L"\"" + AnsiToWide(QUILLORA_PROBE_WIN) + L"\" holdclipboard 4000";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << QUILLORA_PROBE_WIN;
    bool held = false;
    for (int i = 0; i < 200 && !held; ++i) {
        held = GetOpenClipboardWindow() != nullptr;
        if (!held) {
            // The clipboard's owner (our application window) must answer the other program.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
            Application.ProcessMessages();
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    ASSERT_TRUE(held) << "the other program did not open the clipboard; its state " << code;
    SendMessageW(F->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 375));  // btnHtmlCopy
    SendMessageW(F->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 375));
    Application.ProcessMessages();  // the report shows once the window procedure has returned
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "无法打开剪贴板");
    const TColor before = F->CurrentColor();
    try {
        F->mnuColor.Find(TCommandId::Paste)->OnClick();
        ADD_FAILURE() << "a held clipboard is reported";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "无法打开剪贴板");
    }
    EXPECT_EQ(F->CurrentColor(), before);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(Clipboard::Text(Application.Handle()), "theirs") << "their content is not lost";
    EXPECT_TRUE(IsWindow(F->Handle()));
}

BOOL CALLBACK FindDialog(HWND h, LPARAM lp) {
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

// Finds the colour dialog, optionally sets its red, green and blue fields, and presses a
// button; returns the dialog's rectangle.
RECT DriveColorDialog(int buttonId, int r = -1, int g = -1, int b = -1) {
    RECT rect{};
    for (int i = 0; i < 400; ++i) {
        HWND dlg = nullptr;
        EnumThreadWindows(GetWindowThreadProcessId(Application.Handle(), nullptr), &FindDialog,
                          reinterpret_cast<LPARAM>(&dlg));
        if (dlg) {
            GetWindowRect(dlg, &rect);
            if (r >= 0) {
                SetDlgItemInt(dlg, 706, static_cast<UINT>(r), FALSE);
                SetDlgItemInt(dlg, 707, static_cast<UINT>(g), FALSE);
                SetDlgItemInt(dlg, 708, static_cast<UINT>(b), FALSE);
                SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(712, BN_CLICKED), 0);  // add to custom colours
            }
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, buttonId)));
            return rect;
        }
        Sleep(25);
    }
    ADD_FAILURE() << "the colour dialog did not open";
    return rect;
}

TEST_F(ColorModelTest, PaletteCancelChangesNothingAndOkTakesTheColour) {
    F->Show();
    RECT placed{};
    std::thread cancel([&] { placed = DriveColorDialog(IDCANCEL); });
    F->mnuColor.Find(TCommandId::Palette)->OnClick();
    cancel.join();
    EXPECT_EQ(F->CurrentColor(), 0xFFFFFFu);
    EXPECT_EQ(F->edtHtml->Text(), L"#FFFFFF");

    // Centred across the monitor, a third of the free height above it.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(F->Handle(), MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& w = mi.rcWork;
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    EXPECT_NEAR(placed.left, w.left + (w.right - w.left - width) / 2, 1);
    EXPECT_NEAR(placed.top, w.top + (w.bottom - w.top - height) / 3, 1);

    std::thread ok([] { DriveColorDialog(IDOK, 255, 128, 0); });
    F->mnuColor.Find(TCommandId::Palette)->OnClick();
    ok.join();
    EXPECT_EQ(F->CurrentColor(), MakeColor(255, 128, 0));
    EXPECT_EQ(Rgb(), std::make_tuple(255, 128, 0));
    EXPECT_EQ(Hsl(), std::make_tuple(20, 240, 120));
    EXPECT_EQ(F->edtDelphi->Text(), L"$000080FF");
    EXPECT_EQ(F->ColorDialog1.CustomColors[0], MakeColor(255, 128, 0))
        << "custom colours are read back and offered next time";
    EXPECT_EQ(F->ColorDialog1.CustomColors[1], 0xFFFFFFFFu) << "empty slots stay empty";
}
}  // namespace
