#include "MyColorsForm.h"
#include "ColorText.h"
#include "SettingsText.h"
#include "Text.h"
#include "TextUtil.h"
#include "Settings.h"
#include <algorithm>

TfrmMyColors* frmMyColors = nullptr;

#define M(member) LAYOUT_SLOT(TfrmMyColors, member)
const std::vector<TLayoutRow<TfrmMyColors>>& TfrmMyColors::Layout() {
    static const std::vector<TLayoutRow<TfrmMyColors>> rows = {
        // control        parent          left top width height tag tab caption
        {M(lvwColors),       {},               8,   8,  450,   278,   0,   0, nullptr},
        {M(btnOK),           {},             226, 293,   74,    23,   0,   1, L"确定(&O)"},
        {M(btnDelete),       {},             305, 293,   74,    23,   0,   2, L"删除(&D)"},
        {M(btnCancel),       {},             384, 293,   74,    23,   0,   3, L"取消(&C)"},
    };
    return rows;
}
#undef M

TfrmMyColors::TfrmMyColors()
    : TForm(L"TfrmMyColors", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(L"喜爱的颜色");
    BuildLayout(*this, Layout());
    lvwColors->AddColumn(L"颜色", 50);
    lvwColors->AddColumn(L"值", 70);
    lvwColors->AddColumn(L"时间", 125);
    lvwColors->AddColumn(L"备注", 180);
    lvwColors->SetSmallImages(&ImageList1);
    lvwColors->SetAccessibleName(L"喜爱的颜色");  // the list has no label; it is the whole dialog
    SetDefaultButton(btnOK);
    CancelButton = btnCancel;
    btnCancel->ModalResult = mrCancel;

    OnCreate = [this] { FormCreate(); };
    lvwColors->OnClick = [this] { EnableButtons(lvwColors->SelCount() > 0); };
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
// Swatches go to the image list side by side in one bitmap, a batch at a time. The list grows
// its storage by a few images at each addition and copies what it holds, so one swatch per
// call grows with the square of the count; batches that double (up to a cap that keeps the
// bitmap a few tens of megabytes) keep it in proportion.
constexpr size_t kFirstSwatchBatch = 1024;
constexpr size_t kMaxSwatchBatch = 16384;
constexpr int kSwatchWidth = 32, kSwatchHeight = 16;  // at 96 DPI
}  // namespace

void TfrmMyColors::SizeSwatches() {
    ImageList1.SetSize(Scale(kSwatchWidth), Scale(kSwatchHeight));
    lvwColors->SetSmallImages(&ImageList1);
}

// The swatches are drawn again at the new size; the selection stays.
void TfrmMyColors::DpiChanged() {
    const int selected = lvwColors->Selected();
    SizeSwatches();
    LoadColors();
    if (selected >= 0 && selected < lvwColors->Count()) lvwColors->Select(selected);
}

// The whole section again, in file order; a line whose colour does not convert is left out.
void TfrmMyColors::LoadColors() {
    std::vector<SettingsText::TColorEntry> entries = TSettings::ReadColorEntries();
    // No repainting while the list fills: a repaint after every new row grows with the square
    // of the count too.
    TUpdateLock quiet(*lvwColors);
    lvwColors->Clear();
    ImageList1.Clear();
    FKeys.clear();
    for (size_t first = 0, batch = kFirstSwatchBatch; first < entries.size();
         first += batch, batch = std::min(batch * 2, kMaxSwatchBatch)) {
        const size_t count = std::min(batch, entries.size() - first);
        // Each swatch a 1-pixel black frame filled with the colour.
        const int width = ImageList1.Width(), height = ImageList1.Height();
        TBitmap swatches(static_cast<int>(count) * width, height);
        swatches.Canvas().PenColor = clBlack;
        for (size_t i = 0; i < count; ++i) {
            const int left = static_cast<int>(i) * width;
            swatches.Canvas().BrushColor = entries[first + i].Color;
            swatches.Canvas().Rectangle(left, 0, left + width, height);
        }
        // The images of one batch follow one another from the index the list returns.
        const int image = ImageList1.Add(swatches.Unselected());
        for (size_t i = 0; i < count; ++i) {
            const SettingsText::TColorEntry& e = entries[first + i];
            lvwColors->AddItem(image < 0 ? -1 : image + static_cast<int>(i),
                               {AnsiToWide(e.ColorText), AnsiToWide(e.TimeText), AnsiToWide(e.Comment)});
            FKeys.push_back(e.Key);
        }
    }
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
    if (row < 0 || static_cast<size_t>(row) >= FKeys.size()) return;
    const std::string key = FKeys[static_cast<size_t>(row)];
    if (MessageBoxA(Handle(), "Do you really want to delete it?", WideToAnsi(Application.Title()).c_str(),
                    MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    TSettings::DeleteColor(key);
    LoadColors();
    EnableButtons(lvwColors->SelCount() > 0);
}
