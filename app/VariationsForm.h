// TfrmVariations: the shades, hue turns and blend of one colour, as rows of swatches to choose
// from, copy or save.
#pragma once
#include "Dialogs.h"
#include "Layout.h"
#include "StdCtrls.h"
#include "colour/Variations.h"
#include <array>
#include <functional>

// The rows of swatches, one selected. Arrows move the selection, a click selects, a double
// click chooses; the screen reader's name is the selected swatch's row, place and colour.
class TSwatchGrid : public TWinControl {
public:
    using TWinControl::TWinControl;
    static constexpr int kRows = Variations::kRowCount, kColumns = Variations::kMaxSwatches;
    static constexpr int kSwatch = 24, kPitch = 28;  // a swatch and a cell, at 96 DPI

    std::function<void()> OnSelect;  // the selection moved, or its colour changed
    std::function<void()> OnChoose;  // a double click on a swatch
    std::function<void()> OnCopy;    // Ctrl+C

    // The colours of a row, left to right.
    void SetRow(int row, const TColor* colors, int count);
    void Select(int row, int index);
    int Row() const { return FRow; }
    int Index() const { return FIndex; }
    TColor Selected() const { return FColors[FRow][FIndex]; }
    // The swatch's rectangle in client pixels.
    RECT SwatchRect(int row, int index) const;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    TCreateParams CreateParams() const override;
    void PaintWindow(HDC dc) override;

private:
    bool Key(WPARAM key);
    void Click(int x, int y);
    std::array<std::array<TColor, kColumns>, kRows> FColors{};
    std::array<int, kRows> FCounts{};
    int FRow = 0, FIndex = 0;
    // The last click, for a double click on the same swatch.
    DWORD FClickTime = 0;
    POINT FClickAt{};
    int FClickRow = -1, FClickIndex = -1;
};

class TfrmVariations : public TForm {
public:
    TfrmVariations();
    static constexpr int kClientWidth = 484, kClientHeight = 291;

    std::array<TLabel*, TSwatchGrid::kRows> lblRows{};
    TSwatchGrid* grdSwatches;
    TEdit *edtHex, *edtRgb, *edtOklch;
    TButton *btnOther, *btnCopy, *btnSave, *btnUse, *btnClose;

    // 保存颜色: Save colour for the selected colour, over this dialog.
    std::function<void(TColor)> OnSave;
    // The colour dialog for the second colour (the main window's, to share its custom colours).
    TColorDialog* Palette = nullptr;
    // Shows the rows of Color, the shades' middle selected.
    void SetCurrent(TColor color);
    TColor Selected() const { return grdSwatches->Selected(); }
    // The colour the blend runs to: white at first, then the last one of this run.
    static TColor SecondColor;

private:
    static std::vector<TLayoutRow<TfrmVariations>> Layout();
    void ShowRows();
    void ShowSelected();
    void ChooseSecond();
    void Copy();
    TColor FColor = 0;
    std::wstring FText;  // room kept for the selected colour's texts and name, so that moving
                         // the selection allocates nothing
};

extern TfrmVariations* frmVariations;
