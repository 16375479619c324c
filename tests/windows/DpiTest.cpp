// Every window at 96, 120, 144 and 192 DPI, laid out again as the system asks with
// WM_DPICHANGED: each control where its 96-DPI figures times the scale put it, every caption
// whole inside its control, images and fonts made for the DPI, and no GDI object left behind.
#include "AboutForm.h"
#include "ContrastForm.h"
#include "FormatsForm.h"
#include "MainWindowLayout.h"
#include "GdiObjects.h"
#include "MainWindowTest.h"
#include "MyColorsForm.h"
#include "SaveColorForm.h"

namespace {
using namespace MainWindowLayout;

// Sends what the system sends when the window's monitor changes its scale: the new DPI and the
// window rectangle around the scaled client area, its frame as the system draws it (here at
// the screen's DPI: Wine scales no frame by itself).
void SendDpiChanged(TForm& form, int designWidth, int designHeight, int dpi) {
    RECT now;
    GetWindowRect(form.Handle(), &now);
    RECT r = Dpi::WindowRectForClient(MulDiv(designWidth, dpi, 96), MulDiv(designHeight, dpi, 96),
                                      static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_STYLE)),
                                      static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_EXSTYLE)),
                                      Dpi::OfScreen());
    OffsetRect(&r, now.left - r.left, now.top - r.top);
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
}

int TextWidth(TControl& c, const std::wstring& text) {
    TScreenDC dc;
    TSelectObject font(dc.Get(), c.FontHandle());
    RECT r{};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right;
}

// Room a control's frame takes beside its text at 96 DPI: a push button's edges, the check
// box's box and gap, the drop-down button; 0 for controls without a caption to check.
int FrameRoom(const TControl& c) {
    if (dynamic_cast<const TCheckBox*>(&c)) return 18;
    if (dynamic_cast<const TComboBox*>(&c)) return 23;
    if (dynamic_cast<const TEdit*>(&c)) return 0;
    if (auto* b = dynamic_cast<const TButton*>(&c); b && !b->ShowsCaption()) return 0;  // an icon or its own drawing
    return dynamic_cast<const TWinControl*>(&c) || dynamic_cast<const TSpeedButton*>(&c) ? 6 : 0;
}

// Every caption fits whole: a label sized to its text is exactly as wide, a label ends before
// the control to its right, the rest leave room for their frame.
void ExpectCaptionsFit(TWinControl& parent, int dpi) {
    for (TControl* c : parent.Controls()) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) ExpectCaptionsFit(*w, dpi);
        std::vector<std::wstring> texts{c->Caption()};
        if (auto* s = dynamic_cast<TStatusBar*>(c)) texts = {s->PanelText()};
        if (auto* box = dynamic_cast<TComboBox*>(c))
            for (int i = 0; i < box->Count(); ++i) texts.push_back(box->Item(i));
        auto* label = dynamic_cast<TLabel*>(c);
        POINT beyond{c->BoundsRect().right + 1, (c->Top() + c->BoundsRect().bottom) / 2};
        TWinControl* next = TWinControl::FromHandle(ChildWindowFromPointEx(parent.Handle(), beyond, CWP_SKIPINVISIBLE));
        for (const std::wstring& text : texts) {
            const int width = TextWidth(*c, text);
            if (label && label->AutoSize) {
                EXPECT_EQ(c->Width(), width) << c->Name << " at " << dpi;
            }
            // A Chinese label sized to its text may run under the control beside it, as 十六进制
            // does on the main window; an English one may not.
            const bool wholeLabel = label && (!label->AutoSize || Language() == TLanguage::English);
            if (wholeLabel && next && next != &parent) {
                EXPECT_LE(c->Left() + width, next->Left()) << c->Name << " at " << dpi;
            } else if (!label && FrameRoom(*c)) {
                EXPECT_LE(width + MulDiv(FrameRoom(*c), dpi, 96), c->Width()) << c->Name << " at " << dpi;
            }
        }
    }
}

// Every control of a dialog at its design bounds times the scale; a label sized to its text,
// and a control the dialog places at run time, keep only their top.
void ExpectDesignScaled(const TWinControl& parent, int dpi, const TControl* placedAtRunTime = nullptr) {
    for (TControl* c : parent.Controls()) {
        const RECT d = c->DesignBounds(), r = RectInParent(*c);
        auto* label = dynamic_cast<TLabel*>(c);
        EXPECT_EQ(r.top, MulDiv(d.top, dpi, 96)) << c->Name;
        if ((label && label->AutoSize) || c == placedAtRunTime) continue;
        EXPECT_EQ(r.left, MulDiv(d.left, dpi, 96)) << c->Name;
        EXPECT_EQ(r.right - r.left, MulDiv(d.right - d.left, dpi, 96)) << c->Name;
        EXPECT_EQ(r.bottom - r.top, MulDiv(d.bottom - d.top, dpi, 96)) << c->Name;
    }
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    const TBitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(mask.Get(), sizeof bm, &bm);
    return bm.bmWidth;
}

// A form taken through another scale first, then to the DPI, so that it shows it comes back
// from one exactly: its client area scaled and every caption whole; a dialog's controls at
// their design bounds times the scale.
template <class Form>
void ExpectRescaled(Form& form, int dpi, const TControl* placedAtRunTime = nullptr) {
    SendDpiChanged(form, Form::kClientWidth, Form::kClientHeight, 168);
    SendDpiChanged(form, Form::kClientWidth, Form::kClientHeight, dpi);
    RECT c;
    GetClientRect(form.Handle(), &c);
    EXPECT_EQ(c.right, MulDiv(Form::kClientWidth, dpi, 96));
    EXPECT_EQ(c.bottom, MulDiv(Form::kClientHeight, dpi, 96));
    ExpectCaptionsFit(form, dpi);
    if (!std::is_same_v<Form, TfrmMain>) ExpectDesignScaled(form, dpi, placedAtRunTime);
}

// Each scale in both languages: the windows are made in the language they are shown in.
class DpiTest : public TMainWindowTest, public ::testing::WithParamInterface<std::tuple<int, TLanguage>> {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        SetLanguage(std::get<1>(GetParam()));
        CreateMain();
    }
    int Dpi() const { return std::get<0>(GetParam()); }
};

TEST_P(DpiTest, MainWindowScalesEveryControlFontImageAndTheMagnifier) {
    const int dpi = Dpi();
    ExpectRescaled(*F, dpi);
    for (const TPlaced& row : kMainWindowControls) ExpectPlaced(*F, row, dpi);

    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(F->edtHex->Handle(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, MulDiv(-13, dpi, 96)) << "9 points stay 9 points";
    for (TImage* image : {F->imgDrag, F->imgDrag2, F->imgZoomCursor})
        EXPECT_EQ(IconWidth(image->Icon()), MulDiv(32, dpi, 96)) << image->Name;
    EXPECT_EQ(Application.CursorImage(1), F->imgDrag->Icon());
    EXPECT_EQ(Application.CursorImage(2), F->imgZoomCursor->Icon());
    EXPECT_EQ(F->Capture()->Width(), MulDiv(231, dpi, 96)) << "347 x 144 at 144 DPI";
    EXPECT_EQ(F->Capture()->Height(), MulDiv(96, dpi, 96));
}

TEST_P(DpiTest, DialogsScaleTheirLayoutSwatchesAndColumns) {
    const int dpi = Dpi();
    ExpectRescaled(*Application.NewForm<TfrmSaveColor>(), dpi);
    ExpectRescaled(*Application.NewForm<TfrmContrast>(), dpi);
    ExpectRescaled(*Application.NewForm<TfrmFormats>(), dpi);
    auto colors = Application.NewForm<TfrmMyColors>();
    ExpectRescaled(*colors, dpi);
    EXPECT_EQ(colors->ImageList1.Width(), MulDiv(32, dpi, 96));
    EXPECT_EQ(colors->ImageList1.Height(), MulDiv(16, dpi, 96));
    const int columns[] = {50, 70, 125, 180};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(colors->lvwColors->ColumnWidth(i), MulDiv(columns[i], dpi, 96));

    auto about = Application.NewForm<TfrmAbout>();
    about->Version = L"6.20";
    about->Show();
    ExpectRescaled(*about, dpi, about->imgIcon);
    for (TLabel* l : {about->lblTitle, about->lblVersion, about->lblCopyright})
        EXPECT_EQ(l->Left(), (about->ClientWidth() - l->Width()) / 2) << l->Name;
    EXPECT_EQ(about->imgIcon->Left(), about->lblTitle->Left() - MulDiv(42, dpi, 96));
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiTest,
                         ::testing::Combine(::testing::Values(96, 120, 144, 192),
                                            ::testing::Values(TLanguage::Chinese, TLanguage::English)),
                         [](const auto& param) {
                             return std::to_string(std::get<0>(param.param)) +
                                    (std::get<1>(param.param) == TLanguage::English ? "_en" : "_zh");
                         });

TEST_F(TMainWindowTest, HundredChangesOfDpiLeaveNoGdiObjectBehind) {
    CreateMain()->Show();
    auto gdi = [] { return GdiObjects(); };
    auto change = [this](int dpi) { SendDpiChanged(*F, TfrmMain::kClientWidth, TfrmMain::kClientHeight, dpi); };
    change(144);
    change(96);
    const DWORD before = gdi();
    for (int i = 0; i < 50; ++i) {
        change(144);
        change(96);
    }
    const DWORD after = gdi();
    std::printf("GDI objects over 100 changes of DPI: %lu before, %lu after\n", before, after);
    EXPECT_EQ(after, before);
}
}  // namespace
