// TfrmMyColors: the saved colours with their swatches; one can be chosen, any deleted.
#pragma once
#include "ComCtrls.h"
#include "StdCtrls.h"
#include "Layout.h"
#include "settings/ColorList.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TfrmMyColors : public TForm {
public:
    TfrmMyColors();
    static constexpr int kClientWidth = 466, kClientHeight = 323;

    TColor SelectedColor = 0;  // the chosen colour, read by the caller after OK

    TListView* lvwColors;
    TButton *btnOK, *btnDelete, *btnCancel;
    TImageList ImageList1{32, 16};

private:
    // The saved colours, one row each in the same order; a row's key is what Delete removes.
    TColorList FColors;
    // The colour each swatch image holds now, or none.
    std::vector<std::optional<TColor>> FSwatchColors;

    static std::vector<TLayoutRow<TfrmMyColors>> Layout();
    void FormCreate();
    void DpiChanged() override;
    // Swatches at the form's DPI; the list view takes their height for its rows.
    void SizeSwatches();
    void LoadColors();
    void ShowColors(TColorList colors);
    void MakeSwatches();
    std::wstring RowText(int row, int column) const;
    int Swatch(int row);
    void EnableButtons(bool enabled);
    void btnOKClick();
    void btnDeleteClick();
};

extern TfrmMyColors* frmMyColors;
