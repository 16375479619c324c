// TfrmMyColors: the saved colours with their swatches; one can be chosen, any deleted.
#pragma once
#include "ComCtrls.h"
#include "StdCtrls.h"
#include "Layout.h"
#include <memory>
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
    // The key of each listed row's entry, in row order: Delete removes that very line.
    std::vector<std::string> FKeys;

    static const std::vector<TLayoutRow<TfrmMyColors>>& Layout();
    void FormCreate();
    void DpiChanged() override;
    // Swatches at the form's DPI; the list view takes their height for its rows.
    void SizeSwatches();
    void LoadColors();
    void EnableButtons(bool enabled);
    void btnOKClick();
    void btnDeleteClick();
};

extern TfrmMyColors* frmMyColors;
