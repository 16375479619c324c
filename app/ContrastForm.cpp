#include "ContrastForm.h"
#include "Clipboard.h"
#include "notation/ColorText.h"
#include "colour/Contrast.h"
#include "Text.h"
#include "settings/Settings.h"
#include "Texts.h"

TfrmContrast* frmContrast = nullptr;
TColor TfrmContrast::LastBackground = clWhite;

namespace {
constexpr int kVerdictTop = 153, kVerdictStep = 25;  // the verdict rows, left
constexpr int kVisionTop = 8, kVisionStep = 29;      // the colour-vision rows, right
constexpr int kFavoriteHeight = 18;                  // a row of the favourites' list
constexpr int kSampleMargin = 6;
}  // namespace

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmContrast, member)
std::vector<TLayoutRow<TfrmContrast>> TfrmContrast::Layout() {
    return {
        // control        parent          left top width height tag tab caption
        {M(btnFore),         {},               8,   8,   80,    23,   0,   0, Text(X::Foreground)},
        {M(pnlFore),         {},              94,   8,   40,    23,   0,  -1, nullptr},
        {M(shpFore),         M(pnlFore),       1,   1,   38,    21,   0,  -1, nullptr},
        {M(edtFore),         {},             140,   9,   96,    21,   0,   1, nullptr},
        {M(btnBack),         {},               8,  37,   80,    23,   0,   2, Text(X::Background)},
        {M(pnlBack),         {},              94,  37,   40,    23,   0,  -1, nullptr},
        {M(shpBack),         M(pnlBack),       1,   1,   38,    21,   0,  -1, nullptr},
        {M(edtBack),         {},             140,  38,   96,    21,   0,   3, nullptr},
        {M(btnSwap),         {},               8,  66,   80,    23,   0,   4, Text(X::Swap)},
        {M(lblFavorites),    {},               8,  99,    0,    13,   0,  -1, Text(X::FavoritesLabel)},
        {M(cboFavorites),    {},              94,  95,  142,    22,   0,   5, nullptr},
        {M(lblRatio),        {},               8, 130,    0,    13,   0,  -1, Text(X::ContrastCaption)},
        {M(edtRatio),        {},              94, 126,  142,    21,   0,   6, nullptr},
        {M(imgSample),       {},             248, 153,  220,    70,   0,  -1, nullptr},
        {M(btnCopy),         {},             248, 253,  100,    23,   0,  20, Text(X::CopyResult)},
        {M(btnClose),        {},             394, 253,   74,    23,   0,  21, Text(X::Close)},
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
                                                 Row{{}, {}, 112, top, 124, 21, 0, 7 + i, nullptr});
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
                                                     Row{{}, {}, 382, top + 1, 86, 21, 0, 12 + i, nullptr});
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

    OnCreate = [this] { FormCreate(); };
    btnFore->OnClick = [this] { ChooseColor(true); };
    btnBack->OnClick = [this] { ChooseColor(false); };
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

void TfrmContrast::ShowFigures() {
    const std::pair<TShape*, TColor> swatches[] = {{shpFore, FFore}, {shpBack, FBack}};
    for (auto [shape, color] : swatches) {
        shape->SetPenColor(color);
        shape->SetBrushColor(color);
    }
    const std::wstring fore = AnsiToWide(ColorText::FromColor(FFore)), back = AnsiToWide(ColorText::FromColor(FBack));
    edtFore->SetText(fore);
    edtBack->SetText(back);
    // The swatches are read as "前景 #RRGGBB", those of a vision after its name.
    pnlFore->SetAccessibleName(Text(X::SummaryForeground, fore));
    pnlBack->SetAccessibleName(Text(X::SummaryBackground, back));
    const int ratio = Contrast::RatioHundredths(FFore, FBack);
    edtRatio->SetText(AnsiToWide(Contrast::RatioText(ratio)));
    for (int i = 0; i < kVerdicts; ++i)
        edtVerdicts[i]->SetText(VerdictText(Contrast::Passes(ratio, Contrast::kCriteria[i])));
    for (int i = 0; i < kVisions; ++i) {
        const auto vision = static_cast<Contrast::TVision>(i);
        const TColor fore = Contrast::Simulate(FFore, vision), back = Contrast::Simulate(FBack, vision);
        shpVisionFore[i]->SetPenColor(fore);
        shpVisionFore[i]->SetBrushColor(fore);
        shpVisionBack[i]->SetPenColor(back);
        shpVisionBack[i]->SetBrushColor(back);
        const std::wstring name = std::wstring(VisionName(vision)) + L" ";
        pnlVisionFore[i]->SetAccessibleName(name + Text(X::SummaryForeground, AnsiToWide(ColorText::FromColor(fore))));
        pnlVisionBack[i]->SetAccessibleName(name + Text(X::SummaryBackground, AnsiToWide(ColorText::FromColor(back))));
        edtVisionRatios[i]->SetText(AnsiToWide(Contrast::RatioText(Contrast::RatioHundredths(fore, back))));
    }
    DrawSample();
}

void TfrmContrast::DpiChanged() { DrawSample(); }

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
    SetTextColor(dc, FFore);
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

std::wstring TfrmContrast::Summary() const { return ContrastSummary(FFore, FBack); }
