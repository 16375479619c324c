#include "AboutForm.h"
#include "Texts.h"
#include "Links.h"
#include "Text.h"
#include <oleacc.h>

TfrmAbout* frmAbout = nullptr;

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmAbout, member)
std::vector<TLayoutRow<TfrmAbout>> TfrmAbout::Layout() {
    static const std::wstring email = AnsiToWide(Links::kEmail), site = AnsiToWide(Links::kWebSite);
    return {
        // control        parent          left top width height tag tab caption
        {M(shpBackground),   {},               7,   7,  282,   147,   0,  -1, nullptr},
        {M(bvlBackground),   {},               7,   7,  282,   147,   0,  -1, nullptr},
        {M(imgIcon),         {},              14,  17,   32,    32,   0,  -1, nullptr},
        {M(lblTitle),        {},              57,  25,    9,    16,   0,  -1, L"#"},
        {M(lblVersion),      {},              49,  54,   16,    13,   0,  -1, Text(X::VersionLabel)},
        {M(lblCopyright),    {},              38,  71,   16,    13,   0,  -1, Text(X::CopyrightLabel)},
        {M(lblEmail1),       {},              68, 105,   31,    13,   0,  -1, Text(X::EmailLabel)},
        {M(lblEmail2),       {},             136,  97,  102,    35,   0,  -1, email.c_str()},
        {M(lblWebsite1),     {},              67, 124,   46,    13,   0,  -1, Text(X::WebsiteLabel)},
        {M(lblWebsite2),     {},             129, 126,  119,    13,   0,  -1, site.c_str()},
        {M(btnOK),           {},             110, 163,   74,    23,   0,   0, Text(X::OK)},
    };
}
#undef M

TfrmAbout::TfrmAbout() : TForm(L"TfrmAbout", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    BuildLayout(*this, Layout());

    shpBackground->SetPenColor(clWhite);
    shpBackground->SetBrushColor(clWhite);
    TFontDesc title = Font();
    title.Height = -15;
    title.Bold = true;
    lblTitle->SetFont(title);
    TFontDesc link = Font();
    link.Color = clBlue;
    link.Underline = true;
    // Every label sizes itself to its text.
    for (TLabel* l : {lblEmail2, lblWebsite2}) {
        l->SetFont(link);
        l->Cursor = crHandPoint;
    }
    for (TLabel* l : {lblTitle, lblVersion, lblCopyright, lblEmail1, lblEmail2, lblWebsite1, lblWebsite2})
        l->SetAutoSize(true);

    SetDefaultButton(btnOK);
    CancelButton = btnOK;
    btnOK->OnClick = [this] { Close(); };
    OnShow = [this] { FormShow(); };
    lblEmail2->OnMouseDown = [this](TMouseButton b, int, int) { LinkMouseDown(lblEmail2, b); };
    lblEmail2->OnMouseUp = [this](TMouseButton b, int, int) { LinkMouseUp(lblEmail2, b, &Links::OpenMail); };
    lblWebsite2->OnMouseDown = [this](TMouseButton b, int, int) { LinkMouseDown(lblWebsite2, b); };
    lblWebsite2->OnMouseUp = [this](TMouseButton b, int, int) {
        LinkMouseUp(lblWebsite2, b, &Links::OpenWebSite);
    };
    // Links to a screen reader, opened when it presses them.
    lblEmail2->OnClick = &Links::OpenMail;
    lblWebsite2->OnClick = &Links::OpenWebSite;
    for (TLabel* l : {lblEmail2, lblWebsite2}) l->AccessibleRole = ROLE_SYSTEM_LINK;
}

// Left edge at (client width - width) div 2; the top stays as laid out.
void TfrmAbout::CenterHorizontally(TControl* c) {
    c->SetBounds((ClientWidth() - c->Width()) / 2, c->Top(), c->Width(), c->Height());
}

// The version and copyright lines take the place of their labels' captions from the layout;
// these three read the same in both languages.
void TfrmAbout::FormShow() {
    SetCaption(Text(X::AboutCaption));
    lblTitle->SetCaption(Application.Title());
    lblVersion->SetCaption(Text(X::AboutVersion, Version));
    lblCopyright->SetCaption(Text(X::AboutCopyright, Year));
    ArrangeTitle();
}

void TfrmAbout::DpiChanged() { ArrangeTitle(); }

void TfrmAbout::ArrangeTitle() {
    CenterHorizontally(lblTitle);
    const int size = Scale(32);
    imgIcon->SetIcon(TIconHandle(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), L"RES_ABOUTFORM_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR))));
    // A 10-pixel gap between the icon and the title.
    imgIcon->SetBounds(lblTitle->Left() - (imgIcon->Width() + Scale(10)), imgIcon->Top(), imgIcon->Width(),
                       imgIcon->Height());
    CenterHorizontally(lblVersion);
    CenterHorizontally(lblCopyright);
}

// Red while the left button is held after a press on the link, blue again on its release,
// which opens the link once. Other buttons do nothing.
void TfrmAbout::LinkMouseDown(TLabel* link, TMouseButton button) {
    if (button != TMouseButton::Left) return;
    TFontDesc f = link->Font();
    f.Color = clRed;
    link->SetFont(f);
}

void TfrmAbout::LinkMouseUp(TLabel* link, TMouseButton button, void (*open)()) {
    if (button != TMouseButton::Left) return;
    TFontDesc f = link->Font();
    f.Color = clBlue;
    link->SetFont(f);
    open();
}
