#include "MyColorsForm.h"
#include "notation/ColorText.h"
#include "settings/SettingsText.h"
#include "Text.h"
#include "Texts.h"
#include "util/TextUtil.h"
#include "settings/Settings.h"
#include <utility>

TfrmMyColors* frmMyColors = nullptr;

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmMyColors, member)
std::vector<TLayoutRow<TfrmMyColors>> TfrmMyColors::Layout() {
    return {
        // control        parent          left top width height tag tab caption
        {M(lvwColors),       {},               8,   8,  450,   278,   0,   0, nullptr},
        {M(btnOK),           {},             226, 293,   74,    23,   0,   1, Text(X::OKKey)},
        {M(btnDelete),       {},             305, 293,   74,    23,   0,   2, Text(X::DeleteKey)},
        {M(btnCancel),       {},             384, 293,   74,    23,   0,   3, Text(X::CancelKey)},
    };
}
#undef M

TfrmMyColors::TfrmMyColors()
    : TForm(L"TfrmMyColors", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(Text(X::MyColors));
    BuildLayout(*this, Layout());
    lvwColors->OwnerData = true;
    lvwColors->AddColumn(Text(X::ColorColumn), 50);
    lvwColors->AddColumn(Text(X::ValueColumn), 70);
    lvwColors->AddColumn(Text(X::TimeColumn), 125);
    lvwColors->AddColumn(Text(X::CommentColumn), 180);
    lvwColors->SetSmallImages(&ImageList1);
    lvwColors->SetAccessibleName(Text(X::MyColors));  // the list has no label; it is the whole dialog
    SetDefaultButton(btnOK);
    CancelButton = btnCancel;
    btnCancel->ModalResult = mrCancel;

    OnCreate = [this] { FormCreate(); };
    lvwColors->OnClick = [this] { EnableButtons(lvwColors->SelCount() > 0); };
    lvwColors->OnDataText = [this](int row, int column) { return RowText(row, column); };
    lvwColors->OnDataImage = [this](int row) { return Swatch(row); };
    btnOK->OnClick = [this] { btnOKClick(); };
    btnDelete->OnClick = [this] { btnDeleteClick(); };
}

void TfrmMyColors::FormCreate() {
    SelectedColor = 0;
    SizeSwatches();
    LoadColors();
    EnableButtons(lvwColors->SelCount() > 0);
}

namespace {
constexpr int kSwatchWidth = 32, kSwatchHeight = 16;  // at 96 DPI
}  // namespace

void TfrmMyColors::SizeSwatches() {
    ImageList1.SetSize(Scale(kSwatchWidth), Scale(kSwatchHeight));
    lvwColors->SetSmallImages(&ImageList1);
}

// The swatches are drawn again at the new size; the rows and the selection stay.
void TfrmMyColors::DpiChanged() {
    SizeSwatches();
    MakeSwatches();
    lvwColors->Invalidate();
}

// The whole section again, in file order; a line whose colour does not convert is left out.
void TfrmMyColors::LoadColors() { ShowColors(TSettings::ReadColorList()); }

// The list learns only how many rows there are: each row is made when it is shown.
void TfrmMyColors::ShowColors(TColorList colors) {
    FColors = std::move(colors);
    lvwColors->SetCount(static_cast<int>(FColors.Count()));
    MakeSwatches();
}

// A row's texts: an empty caption, then the colour text, the time text and the comment.
std::wstring TfrmMyColors::RowText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= FColors.Count()) return {};
    const size_t i = static_cast<size_t>(row);
    switch (column) {
    case 1: return AnsiToWide(FColors.ColorText(i));
    case 2: return AnsiToWide(FColors.TimeText(i));
    case 3: return AnsiToWide(FColors.Comment(i));
    default: return {};
    }
}

// The image list holds a swatch for each row that fits in the list, used again as the rows
// scroll: a row in view shows image (row modulo that number), which no two rows in view share,
// and a row asked for out of view (by a screen reader, say) takes the one image beyond them.
// A list that fits whole has an image for each row.
void TfrmMyColors::MakeSwatches() {
    const int rows = lvwColors->Count();
    const int inView = lvwColors->CountPerPage() + 1;  // the last one may show in part
    const int images = rows <= inView ? rows : inView + 1;
    ImageList1.SetCount(images);
    FSwatchColors.assign(static_cast<size_t>(images), std::nullopt);
}

// The image of a row's swatch, a 1-pixel black frame filled with the colour, drawn when the
// image held another colour.
int TfrmMyColors::Swatch(int row) {
    const int images = static_cast<int>(FSwatchColors.size());
    if (row < 0 || static_cast<size_t>(row) >= FColors.Count() || images == 0) return -1;
    int image = row;
    if (images != lvwColors->Count()) {
        const int inView = images - 1, top = lvwColors->TopIndex();
        image = row >= top && row < top + inView ? row % inView : inView;
    }
    const TColor color = FColors.Color(static_cast<size_t>(row));
    std::optional<TColor>& held = FSwatchColors[static_cast<size_t>(image)];
    if (held != color) {
        ImageList1.Draw(image, [&](TCanvas& canvas) {
            canvas.PenColor = clBlack;
            canvas.BrushColor = color;
            canvas.Rectangle(0, 0, ImageList1.Width(), ImageList1.Height());
        });
        held = color;
    }
    return image;
}

void TfrmMyColors::EnableButtons(bool enabled) {
    btnOK->SetEnabled(enabled);
    btnDelete->SetEnabled(enabled);
}

void TfrmMyColors::btnOKClick() {
    int row = lvwColors->Selected();
    if (row < 0) return;
    std::string text = TextUtil::Trim(WideToAnsi(lvwColors->SubItem(row, 1)));
    TColor color = 0;
    SelectedColor = ColorText::TryToColor(text, color) ? color : 0;
    ModalResult = mrOk;
}

// Removes the row's own entry by its key: the time text shown gives back only a key's first
// 14 characters, and a hand-made longer key would take another entry's line, or none.
void TfrmMyColors::btnDeleteClick() {
    int row = lvwColors->Selected();
    if (row < 0 || static_cast<size_t>(row) >= FColors.Count()) return;
    const std::string key = FColors.Key(static_cast<size_t>(row));
    if (MessageBoxA(Handle(), "Do you really want to delete it?", WideToAnsi(Application.Title()).c_str(),
                    MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    // The list is filled again from the file as the delete leaves it.
    ShowColors(TSettings::DeleteColor(key));
    // The selection keeps its row, which holds the next entry now; past the last row it goes.
    if (row < lvwColors->Count()) lvwColors->Select(row);
    else lvwColors->ClearSelection();
    EnableButtons(lvwColors->SelCount() > 0);
}
