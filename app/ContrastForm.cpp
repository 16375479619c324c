#include "ContrastForm.h"
#include "Clipboard.h"
#include "notation/ColorText.h"
#include "colour/Contrast.h"
#include "Text.h"
#include "settings/Settings.h"
#include "Texts.h"
#include "Graphics.h"

TfrmContrast* frmContrast = nullptr;
TColor TfrmContrast::LastBackground = clWhite;
int TfrmContrast::LastOpacity = 100;

namespace {
constexpr int kVerdictTop = 182, kVerdictStep = 25;  // the verdict rows, left
constexpr int kVisionTop = 8, kVisionStep = 29;      // the colour-vision rows, right
constexpr int kFavoriteHeight = 18;                  // a row of the favourites' list
constexpr int kSampleMargin = 6;
constexpr int kEyedropperIcon = 16;                  // the "+" on the eyedroppers
// The suggestions, two by two under "建议:": their labels, sides and thresholds.
struct TSuggestionRow {
    TTextId Label;
    Contrast::TSide Side;
    int Hundredths;
};
constexpr TSuggestionRow kSuggestionRows[TfrmContrast::kSuggestions] = {
    {TTextId::SuggestForegroundAa, Contrast::TSide::Foreground, 450},
    {TTextId::SuggestForegroundAaa, Contrast::TSide::Foreground, 700},
    {TTextId::SuggestBackgroundAa, Contrast::TSide::Background, 450},
    {TTextId::SuggestBackgroundAaa, Contrast::TSide::Background, 700},
};
constexpr int kSuggestionLeft = 248, kSuggestionTop = 247, kSuggestionWidth = 108, kSuggestionHeight = 38;
}  // namespace

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmContrast, member)
std::vector<TLayoutRow<TfrmContrast>> TfrmContrast::Layout() {
    return {
        // control        parent          left top width height tag tab caption
        {M(btnFore),         {},               8,   8,   96,    23,   0,   0, Text(X::Foreground)},
        {M(btnPickFore),     {},             108,   8,   23,    23,   0,   1, Text(X::PickForeground)},
        {M(pnlFore),         {},             135,   8,   28,    23,   0,  -1, nullptr},
        {M(shpFore),         M(pnlFore),       1,   1,   26,    21,   0,  -1, nullptr},
        {M(edtFore),         {},             167,   9,   69,    21,   0,   2, nullptr},
        {M(btnBack),         {},               8,  37,   96,    23,   0,   3, Text(X::Background)},
        {M(btnPickBack),     {},             108,  37,   23,    23,   0,   4, Text(X::PickBackground)},
        {M(pnlBack),         {},             135,  37,   28,    23,   0,  -1, nullptr},
        {M(shpBack),         M(pnlBack),       1,   1,   26,    21,   0,  -1, nullptr},
        {M(edtBack),         {},             167,  38,   69,    21,   0,   5, nullptr},
        {M(btnSwap),         {},               8,  66,   80,    23,   0,   6, Text(X::Swap)},
        {M(lblOpacity),      {},               8,  99,    0,     0,   0,  -1, Text(X::OpacityLabel)},
        {M(spiOpacity),      {},             150,  95,   50,    22,   0,   7, nullptr, 0, 100},
        {M(lblPercent),      {},             204,  99,    0,     0,   0,  -1, L"%"},
        {M(lblFavorites),    {},               8, 128,    0,    13,   0,  -1, Text(X::FavoritesLabel)},
        {M(cboFavorites),    {},              94, 124,  142,    22,   0,   8, nullptr},
        {M(lblRatio),        {},               8, 159,    0,    13,   0,  -1, Text(X::ContrastCaption)},
        {M(edtRatio),        {},              94, 155,  142,    21,   0,   9, nullptr},
        {M(imgSample),       {},             248, 153,  220,    70,   0,  -1, nullptr},
        {M(lblSuggestions),  {},             248, 231,    0,     0,   0,  -1, Text(X::SuggestionsLabel)},
        {M(btnCopy),         {},             248, 335,  100,    23,   0,  24, Text(X::CopyResult)},
        {M(btnClose),        {},             394, 335,   74,    23,   0,  25, Text(X::Close)},
    };
}
#undef M

TfrmContrast::TfrmContrast() : TForm(L"TfrmContrast", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(Text(X::ContrastCaption));
    BuildLayout(*this, Layout());
    using Row = TLayoutRow<TfrmContrast>;
    for (int i = 0; i < kVerdicts; ++i) {
        const int top = kVerdictTop + kVerdictStep * i;
        const wchar_t* label = CriterionLabel(i);
        lblVerdicts[i] = AddLayoutControl<TLabel>(*this, this, "lblVerdict" + std::to_string(i + 1),
                                                  Row{{}, {}, 8, top + 4, 0, 13, 0, -1, label});
        edtVerdicts[i] = AddLayoutControl<TEdit>(*this, this, "edtVerdict" + std::to_string(i + 1),
                                                 Row{{}, {}, 112, top, 124, 21, 0, 10 + i, nullptr});
    }
    for (int i = 0; i < kSuggestions; ++i) {
        const int left = kSuggestionLeft + (i % 2) * (kSuggestionWidth + 4);
        const int top = kSuggestionTop + (i / 2) * (kSuggestionHeight + 4);
        TButton* button = AddLayoutControl<TButton>(*this, this, "btnSuggestion" + std::to_string(i + 1),
                                                    Row{{}, {}, left, top, kSuggestionWidth, kSuggestionHeight, 0, 20 + i, nullptr});
        button->OnDraw = [this, i](HDC dc, const RECT& r, UINT state) { DrawSuggestion(i, dc, r, state); };
        button->OnClick = [this, i] {
            const Contrast::TSuggestion& s = FSuggestions[static_cast<size_t>(i)];
            if (!s.Reachable) return;
            if (kSuggestionRows[i].Side == Contrast::TSide::Foreground) SetColors(s.Color, FBack);
            else SetColors(FFore, s.Color);
        };
        btnSuggestions[static_cast<size_t>(i)] = button;
    }
    for (int i = 0; i < kVisions; ++i) {
        const int top = kVisionTop + kVisionStep * i;
        const std::string n = std::to_string(i + 1);
        const wchar_t* name = VisionName(static_cast<Contrast::TVision>(i));
        lblVisions[i] = AddLayoutControl<TLabel>(*this, this, "lblVision" + n,
                                                 Row{{}, {}, 248, top + 5, 0, 13, 0, -1, name});
        pnlVisionFore[i] = AddLayoutControl<TPanel>(*this, this, "pnlVisionFore" + n, Row{{}, {}, 300, top, 36, 23, 0, -1, nullptr});
        shpVisionFore[i] = AddLayoutControl<TShape>(*this, pnlVisionFore[i], "shpVisionFore" + n, Row{{}, {}, 1, 1, 34, 21, 0, -1, nullptr});
        pnlVisionBack[i] = AddLayoutControl<TPanel>(*this, this, "pnlVisionBack" + n, Row{{}, {}, 340, top, 36, 23, 0, -1, nullptr});
        shpVisionBack[i] = AddLayoutControl<TShape>(*this, pnlVisionBack[i], "shpVisionBack" + n, Row{{}, {}, 1, 1, 34, 21, 0, -1, nullptr});
        edtVisionRatios[i] = AddLayoutControl<TEdit>(*this, this, "edtVisionRatio" + n,
                                                     Row{{}, {}, 382, top + 1, 86, 21, 0, 15 + i, nullptr});
    }
    std::vector<TEdit*> figures = {edtFore, edtBack, edtRatio};
    figures.insert(figures.end(), edtVerdicts.begin(), edtVerdicts.end());
    figures.insert(figures.end(), edtVisionRatios.begin(), edtVisionRatios.end());
    for (TEdit* e : figures) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    cboFavorites->SetOwnerDraw(kFavoriteHeight);
    cboFavorites->SetDropDownCount(12);
    CancelButton = btnClose;
    btnClose->ModalResult = mrCancel;
    edtFore->SetAccessibleName(Text(X::ForegroundName));
    edtBack->SetAccessibleName(Text(X::BackgroundName));

    spiOpacity->SetValue(LastOpacity);
    spiOpacity->OnChange = [this] {
        LastOpacity = spiOpacity->Value();
        ShowFigures();
    };
    for (TButton* pick : {btnPickFore, btnPickBack}) pick->SetAccessibleName(pick->Caption());
    MakeDpiImages();

    OnCreate = [this] { FormCreate(); };
    btnFore->OnClick = [this] { ChooseColor(true); };
    btnBack->OnClick = [this] { ChooseColor(false); };
    btnPickFore->OnClick = [this] { PickColor(true); };
    btnPickBack->OnClick = [this] { PickColor(false); };
    btnSwap->OnClick = [this] { SetColors(FBack, FFore); };
    btnCopy->OnClick = [this] { Clipboard::SetWideText(Application.Handle(), Summary()); };
    cboFavorites->OnDrawItem = [this](HDC dc, const RECT& r, int index) { DrawFavorite(dc, r, index); };
    cboFavorites->OnClick = [this] {
        const int i = cboFavorites->ItemIndex();
        if (i >= 0 && static_cast<size_t>(i) < FFavorites.Count()) SetColors(FFore, FFavorites.Color(static_cast<size_t>(i)));
    };
}

void TfrmContrast::FormCreate() {
    LoadFavorites();
    SetColors(FFore, LastBackground);
    FTips.Add(*btnPickFore, Text(X::PickForeground));
    FTips.Add(*btnPickBack, Text(X::PickBackground));
}

// The eyedroppers' "+" at the window's DPI.
void TfrmContrast::MakeDpiImages() {
    const int size = Scale(kEyedropperIcon);
    for (TButton* pick : {btnPickFore, btnPickBack})
        pick->SetIcon(TIconHandle(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"RES_MAINFORM_ADD", IMAGE_ICON, size, size, LR_DEFAULTCOLOR))));
}

// A keyboard pick of the main window's, the dialog staying where it is: its colour comes
// here, to this side, if the dialog is still open when the pick ends.
void TfrmContrast::PickColor(bool foreground) {
    if (!PickFromScreen) return;
    PickFromScreen([self = std::weak_ptr<TfrmContrast*>(FSelf), foreground](TColor c) {
        const std::shared_ptr<TfrmContrast*> dialog = self.lock();
        if (!dialog) return;
        TfrmContrast& d = **dialog;
        foreground ? d.SetColors(c, d.FBack) : d.SetColors(d.FFore, c);
    });
}

// The saved colours in listing order; a file that cannot be read leaves the list empty.
void TfrmContrast::LoadFavorites() {
    FFavorites = TSettings::ReadColorList();
    cboFavorites->SetItems(static_cast<int>(FFavorites.Count()), [this](int i) {
        return AnsiToWide(FFavorites.ColorText(static_cast<size_t>(i)) + " " + FFavorites.Comment(static_cast<size_t>(i)));
    });
}

// A swatch with a black frame, then the comment (the colour text when there is none).
void TfrmContrast::DrawFavorite(HDC dc, const RECT& r, int index) {
    if (index < 0 || static_cast<size_t>(index) >= FFavorites.Count()) return;
    const SettingsText::TColorEntry e = FFavorites.Entry(static_cast<size_t>(index));
    const int pad = Scale(2), swatch = Scale(24);
    {
        TSelectObject pen(dc, GetStockObject(BLACK_PEN));
        TSelectObject brush(dc, SolidBrush(e.Color));
        Rectangle(dc, r.left + pad, r.top + pad, r.left + pad + swatch, r.bottom - pad);
    }
    RECT text = r;
    text.left += 2 * pad + swatch + pad;
    const std::wstring caption = AnsiToWide(e.Comment.empty() ? e.ColorText : e.Comment);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TfrmContrast::ChooseColor(bool foreground) {
    TColorDialog own;
    TColorDialog& dialog = Palette ? *Palette : own;
    dialog.Color = foreground ? FFore : FBack;
    if (!dialog.Execute(Handle())) return;
    if (foreground) SetColors(dialog.Color, FBack);
    else SetColors(FFore, dialog.Color);
}

void TfrmContrast::SetColors(TColor fore, TColor back) {
    FFore = fore & 0xFFFFFF;
    FBack = back & 0xFFFFFF;
    LastBackground = FBack;
    ShowFigures();
}

// The colour judged is the foreground laid over the background at the opacity set.
void TfrmContrast::ShowFigures() {
    const TColor seen = Contrast::Overlay(FFore, FBack, spiOpacity->Value());
    const std::pair<TShape*, TColor> swatches[] = {{shpFore, FFore}, {shpBack, FBack}};
    for (auto [shape, color] : swatches) {
        shape->SetPenColor(color);
        shape->SetBrushColor(color);
    }
    const std::wstring foreText = AnsiToWide(ColorText::FromColor(FFore));
    const std::wstring backText = AnsiToWide(ColorText::FromColor(FBack));
    edtFore->SetText(foreText);
    edtBack->SetText(backText);
    // The swatches are read as "前景 #RRGGBB", those of a vision after its name.
    pnlFore->SetAccessibleName(Text(X::SummaryForeground, foreText));
    pnlBack->SetAccessibleName(Text(X::SummaryBackground, backText));
    const int ratio = Contrast::RatioHundredths(seen, FBack);
    edtRatio->SetText(AnsiToWide(Contrast::RatioText(ratio)));
    for (int i = 0; i < kVerdicts; ++i)
        edtVerdicts[i]->SetText(VerdictText(Contrast::Passes(ratio, Contrast::kCriteria[i])));
    for (int i = 0; i < kVisions; ++i) {
        const auto vision = static_cast<Contrast::TVision>(i);
        const TColor fore = Contrast::Simulate(seen, vision), back = Contrast::Simulate(FBack, vision);
        shpVisionFore[i]->SetPenColor(fore);
        shpVisionFore[i]->SetBrushColor(fore);
        shpVisionBack[i]->SetPenColor(back);
        shpVisionBack[i]->SetBrushColor(back);
        const std::wstring name = std::wstring(VisionName(vision)) + L" ";
        pnlVisionFore[i]->SetAccessibleName(name + Text(X::SummaryForeground, AnsiToWide(ColorText::FromColor(fore))));
        pnlVisionBack[i]->SetAccessibleName(name + Text(X::SummaryBackground, AnsiToWide(ColorText::FromColor(back))));
        edtVisionRatios[i]->SetText(AnsiToWide(Contrast::RatioText(Contrast::RatioHundredths(fore, back))));
    }
    ShowSuggestions();
    DrawSample();
}

// Each suggestion is named as it is drawn, "前景 AA：#RRGGBB 4.52:1" or "前景 AAA：无法达到";
// one that no lightness reaches is greyed and stays where a screen reader finds it.
void TfrmContrast::ShowSuggestions() {
    const int opacity = spiOpacity->Value();
    for (int i = 0; i < kSuggestions; ++i) {
        const TSuggestionRow& row = kSuggestionRows[i];
        const Contrast::TSuggestion s = Contrast::Suggest(FFore, FBack, opacity, row.Side, row.Hundredths);
        FSuggestions[static_cast<size_t>(i)] = s;
        TButton* button = btnSuggestions[static_cast<size_t>(i)];
        const std::wstring value = s.Reachable ? AnsiToWide(ColorText::FromColor(s.Color) + " " +
                                                            Contrast::RatioText(s.RatioHundredths))
                                               : std::wstring(Text(X::NotReachable));
        button->SetCaption(Text(X::SwatchName, Text(row.Label), value));
        button->SetEnabled(s.Reachable);
        button->Invalidate();
    }
}

// The swatch in its colour with its label and value in black or white, whichever reads
// better on it; a sunken edge while pressed, the focus rectangle when it has the focus.
void TfrmContrast::DrawSuggestion(int index, HDC dc, const RECT& r, UINT state) {
    const Contrast::TSuggestion& s = FSuggestions[static_cast<size_t>(index)];
    const TColor fill = s.Reachable ? s.Color : ColorToRGB(clBtnFace);
    FillRect(dc, &r, SolidBrush(fill));
    RECT edge = r;
    DrawEdge(dc, &edge, (state & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    SetBkMode(dc, TRANSPARENT);
    const bool white = Contrast::RatioHundredths(fill, clWhite) > Contrast::RatioHundredths(fill, clBlack);
    SetTextColor(dc, !s.Reachable ? GetSysColor(COLOR_GRAYTEXT) : white ? RGB(255, 255, 255) : RGB(0, 0, 0));
    TSelectObject font(dc, FontHandle());
    const std::wstring value = s.Reachable ? AnsiToWide(ColorText::FromColor(s.Color) + " " +
                                                        Contrast::RatioText(s.RatioHundredths))
                                           : std::wstring(Text(X::NotReachable));
    RECT top = r, bottom = r;
    const int middle = (r.top + r.bottom) / 2;
    top.bottom = middle;
    bottom.top = middle;
    DrawTextW(dc, Text(kSuggestionRows[index].Label), -1, &top, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, value.c_str(), -1, &bottom, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (state & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -Scale(3), -Scale(3));
        DrawFocusRect(dc, &focus);
    }
}

void TfrmContrast::DpiChanged() {
    MakeDpiImages();
    DrawSample();
}

// The sample text in the foreground on the background: at the program's size, then at 14
// points bold.
void TfrmContrast::DrawSample() {
    TCanvas& canvas = imgSample->Canvas();
    const int w = imgSample->Width(), h = imgSample->Height();
    canvas.PenColor = FBack;
    canvas.BrushColor = FBack;
    canvas.Rectangle(0, 0, w, h);
    HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Contrast::Overlay(FFore, FBack, spiOpacity->Value()));
    TFontDesc big = Font();
    big.Height = -MulDiv(14, kDesignDpi, 72);
    big.Bold = true;
    const HFONT normalFont = SharedFont(Font(), Dpi()), bigFont = SharedFont(big, Dpi());
    const wchar_t* text = Text(X::SampleText);
    RECT line{Scale(kSampleMargin), Scale(kSampleMargin), w, h};
    {
        TSelectObject font(dc, normalFont);
        line.top += DrawTextW(dc, text, -1, &line, DT_SINGLELINE | DT_NOPREFIX) + Scale(kSampleMargin);
    }
    TSelectObject font(dc, bigFont);
    DrawTextW(dc, text, -1, &line, DT_SINGLELINE | DT_NOPREFIX);
    imgSample->Invalidate();
}

std::wstring TfrmContrast::Summary() const { return ContrastSummary(FFore, FBack, spiOpacity->Value()); }
