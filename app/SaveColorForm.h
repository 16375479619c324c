// TfrmSaveColor: saves the current colour with a time stamp and a comment.
#pragma once
#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "Layout.h"

class TfrmSaveColor : public TForm {
public:
    TfrmSaveColor();
    static constexpr int kClientWidth = 311, kClientHeight = 151;

    TLabel *lblTime, *lblColor, *lblValue, *lblComment;
    TEdit *edtTime, *edtValue, *edtComment;
    TPanel* pnlColor;
    TShape* shpColor;
    TButton *btnOK, *btnCancel;

private:
    static std::vector<TLayoutRow<TfrmSaveColor>> Layout();
};

extern TfrmSaveColor* frmSaveColor;
