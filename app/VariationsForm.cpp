#include "VariationsForm.h"
#include "LabelNames.h"
#include "Clipboard.h"
#include "notation/ColorFormats.h"
#include "notation/ColorText.h"
#include "Graphics.h"
#include "Text.h"
#include "Texts.h"
#include <algorithm>

TfrmVariations* frmVariations = nullptr;
TColor TfrmVariations::SecondColor = clWhite;

namespace {
using X = TTextId;
constexpr int kGridLeft = 100, kGridTop = 8, kButtonLeft = 360;
constexpr X kRowNames[TSwatchGrid::kRows] = {X::VariationShades, X::VariationComplement, X::VariationAnalogous,
                                             X::VariationTriad, X::VariationSplit, X::VariationSquare,
                                             X::VariationBlend};

// Appends an ASCII text to a wide one.
void AppendAscii(std::wstring& out, const char* text) {
    while (*text) out += static_cast<wchar_t>(*text++);
}
}  // namespace

// ---- TSwatchGrid ----

TCreateParams TSwatchGrid::CreateParams() const {
    return {OwnWindowClass(L"QuilloraSwatches"), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0};
}

void TSwatchGrid::SetRow(int row, const TColor* colors, int count) {
    FCounts[row] = std::clamp(count, 0, kColumns);
    std::copy(colors, colors + FCounts[row], FColors[row].begin());
    if (row == FRow) FIndex = std::min(FIndex, std::max(FCounts[row] - 1, 0));
    Invalidate();
}

void TSwatchGrid::Select(int row, int index) {
    row = std::clamp(row, 0, kRows - 1);
    index = std::clamp(index, 0, std::max(FCounts[row] - 1, 0));
    if (row == FRow && index == FIndex) return;
    FRow = row;
    FIndex = index;
    Invalidate();
    if (OnSelect) OnSelect();
}

RECT TSwatchGrid::SwatchRect(int row, int index) const {
    const int margin = Scale(kPitch - kSwatch) / 2;
    const int left = Scale(index * kPitch) + margin, top = Scale(row * kPitch) + margin;
    return {left, top, left + Scale(kSwatch), top + Scale(kSwatch)};
}

// Up and Down keep the place in the row, or take the last swatch of a shorter one.
bool TSwatchGrid::Key(WPARAM key) {
    switch (key) {
    case VK_LEFT: Select(FRow, FIndex - 1); return true;
    case VK_RIGHT: Select(FRow, FIndex + 1); return true;
    case VK_UP: Select(FRow - 1, FIndex); return true;
    case VK_DOWN: Select(FRow + 1, FIndex); return true;
    case 'C':
        if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || !OnCopy) return false;
        OnCopy();
        return true;
    }
    return false;
}

void TSwatchGrid::Click(int x, int y) {
    SetFocus();
    for (int row = 0; row < kRows; ++row)
        for (int i = 0; i < FCounts[row]; ++i) {
            const RECT r = SwatchRect(row, i);
            if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
            const DWORD now = GetMessageTime();
            const bool twice = row == FClickRow && i == FClickIndex && now - FClickTime <= GetDoubleClickTime() &&
                               std::abs(x - FClickAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                               std::abs(y - FClickAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
            Select(row, i);
            FClickRow = twice ? -1 : row;
            FClickIndex = i;
            FClickTime = now;
            FClickAt = {x, y};
            if (twice && OnChoose) OnChoose();
            return;
        }
}

LRESULT TSwatchGrid::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (Key(wp)) return 0;
        break;
    case WM_LBUTTONDOWN:
        Click(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// Each swatch with a grey frame; around the selected one a focus rectangle, dotted, in the
// gap between the cells.
void TSwatchGrid::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    TSelectObject brush(dc, GetStockObject(DC_BRUSH));
    TSelectObject pen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, GetSysColor(COLOR_BTNSHADOW));
    for (int row = 0; row < kRows; ++row)
        for (int i = 0; i < FCounts[row]; ++i) {
            const RECT r = SwatchRect(row, i);
            SetDCBrushColor(dc, FColors[row][i]);
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
        }
    if (FCounts[FRow] == 0) return;
    RECT focus = SwatchRect(FRow, FIndex);
    const int out = std::max(Scale(kPitch - kSwatch) / 2, 1);
    InflateRect(&focus, out, out);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc, &focus);
    if (Focused()) {
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

// ---- TfrmVariations ----

#define M(member) LAYOUT_SLOT(TfrmVariations, member)
std::vector<TLayoutRow<TfrmVariations>> TfrmVariations::Layout() {
    constexpr int gridWidth = TSwatchGrid::kColumns * TSwatchGrid::kPitch;
    constexpr int gridHeight = TSwatchGrid::kRows * TSwatchGrid::kPitch;
    return {
        // control     parent  left        top  width      height      tag tab caption
        {M(grdSwatches), {}, kGridLeft, kGridTop, gridWidth, gridHeight, 0, 0, nullptr},
        {M(edtHex),      {}, kGridLeft,      212, gridWidth,         21, 0, 6, nullptr},
        {M(edtRgb),      {}, kGridLeft,      237, gridWidth,         21, 0, 7, nullptr},
        {M(edtOklch),    {}, kGridLeft,      262, gridWidth,         21, 0, 8, nullptr},
        {M(btnOther),    {}, kButtonLeft,        8,       116,         23, 0, 1, Text(X::OtherColor)},
        {M(btnCopy),     {}, kButtonLeft,       37,       116,         23, 0, 2, Text(X::CopyColor)},
        {M(btnSave),     {}, kButtonLeft,       66,       116,         23, 0, 3, Text(X::SaveColorEllipsis)},
        {M(btnUse),      {}, kButtonLeft,      231,       116,         23, 0, 4, Text(X::UseColor)},
        {M(btnClose),    {}, kButtonLeft,      260,       116,         23, 0, 5, Text(X::Close)},
    };
}
#undef M

TfrmVariations::TfrmVariations()
    : TForm(L"TfrmVariations", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(Text(X::VariationsCaption));
    BuildLayout(*this, Layout());
    using Row = TLayoutRow<TfrmVariations>;
    for (int row = 0; row < TSwatchGrid::kRows; ++row) {
        const int top = kGridTop + row * TSwatchGrid::kPitch + 7;  // its text beside the swatch's middle
        lblRows[row] = AddLayoutControl<TLabel>(*this, this, "lblRow" + std::to_string(row + 1),
                                                Row{{}, {}, 8, top, 0, 0, 0, -1, Text(kRowNames[row])});
    }
    for (TEdit* e : {edtHex, edtRgb, edtOklch}) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    // No label stands beside them: named after their notations.
    edtHex->SetAccessibleName(LabelCaptionAsName(Text(X::NotationLabel4)));
    edtRgb->SetAccessibleName(Text(X::CssRgbName));
    edtOklch->SetAccessibleName(Text(X::OklchName));
    FText.reserve(64);
    SetDefaultButton(btnUse);
    btnUse->ModalResult = mrOk;
    CancelButton = btnClose;
    btnClose->ModalResult = mrCancel;
    grdSwatches->OnSelect = [this] { ShowSelected(); };
    grdSwatches->OnChoose = [this] { btnUse->Click(); };
    grdSwatches->OnCopy = [this] { Copy(); };
    btnOther->OnClick = [this] { ChooseSecond(); };
    btnCopy->OnClick = [this] { Copy(); };
    btnSave->OnClick = [this] {
        if (OnSave) OnSave(Selected());
    };
    OnShow = [this] { grdSwatches->SetFocus(); };
}

void TfrmVariations::SetCurrent(TColor color) {
    FColor = color & 0xFFFFFF;
    ShowRows();
    grdSwatches->Select(0, Variations::kMaxSwatches / 2);
    ShowSelected();
}

void TfrmVariations::ShowRows() {
    TColor colors[Variations::kMaxSwatches];
    for (int row = 0; row < TSwatchGrid::kRows; ++row) {
        const int count = Variations::Row(static_cast<Variations::TRow>(row), FColor, SecondColor, colors);
        grdSwatches->SetRow(row, colors, count);
    }
}

// The selected colour's three texts, and the swatches' name for screen readers, such as
// "明暗 3：#5A2E1F"; the texts are written into room kept for them.
void TfrmVariations::ShowSelected() {
    const TColor c = Selected();
    char hex[16], more[40];
    ColorText::FormatNotation(hex, sizeof hex, c, 4);  // HTML: #RRGGBB
    auto show = [this](TEdit* edit, const char* text) {
        FText.clear();
        AppendAscii(FText, text);
        edit->SetText(FText.c_str());
    };
    show(edtHex, hex);
    ColorFormats::FormatMoreNotation(more, sizeof more, c, ColorFormats::kCssRgb);
    show(edtRgb, more);
    ColorFormats::FormatMoreNotation(more, sizeof more, c, ColorFormats::kOklch);
    show(edtOklch, more);
    FText.clear();
    for (const wchar_t* p = Text(X::SwatchName); *p; ++p) {
        if (p[0] == L'%' && p[1] == L'1') {
            FText += Text(kRowNames[grdSwatches->Row()]);
            FText += L' ';
            FText += static_cast<wchar_t>(L'1' + grdSwatches->Index());
            ++p;
        } else if (p[0] == L'%' && p[1] == L'2') {
            AppendAscii(FText, hex);
            ++p;
        } else {
            FText += *p;
        }
    }
    grdSwatches->SetAccessibleName(FText);
}

void TfrmVariations::ChooseSecond() {
    TColorDialog own;
    TColorDialog& dialog = Palette ? *Palette : own;
    dialog.Color = SecondColor;
    if (!dialog.Execute(Handle())) return;
    SecondColor = dialog.Color & 0xFFFFFF;
    ShowRows();
    ShowSelected();
}

void TfrmVariations::Copy() { Clipboard::SetWideText(Application.Handle(), edtHex->Text()); }
