#include "SaveColorForm.h"

TfrmSaveColor* frmSaveColor = nullptr;

#define M(member) LAYOUT_SLOT(TfrmSaveColor, member)
const std::vector<TLayoutRow<TfrmSaveColor>>& TfrmSaveColor::Layout() {
    static const std::vector<TLayoutRow<TfrmSaveColor>> rows = {
        // control        parent          left top width height tag tab caption
        {M(lblTime),         {},               8,  12,    0,    13,   0,  -1, L"时间:"},
        {M(edtTime),         {},              62,   8,  240,    21,   0,   3, nullptr},
        {M(lblColor),        {},               8,  41,    0,    13,   0,  -1, L"颜色:"},
        {M(pnlColor),        {},              62,  37,  240,    21,   0,   5, nullptr},
        {M(shpColor),        M(pnlColor),      1,   1,  238,    19,   0,  -1, nullptr},
        {M(lblValue),        {},               8,  68,    0,    13,   0,  -1, L"值:"},
        {M(edtValue),        {},              62,  64,  240,    21,   0,   4, nullptr},
        {M(lblComment),      {},               8,  97,    0,    13,   0,  -1, L"备注:"},
        {M(edtComment),      {},              62,  93,  240,    21,   0,   0, nullptr},
        {M(btnOK),           {},             149, 121,   74,    23,   0,   1, L"确定(&O)"},
        {M(btnCancel),       {},             228, 121,   74,    23,   0,   2, L"取消(&C)"},
    };
    return rows;
}
#undef M

TfrmSaveColor::TfrmSaveColor()
    : TForm(L"TfrmSaveColor", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(L"保存颜色");
    BuildLayout(*this, Layout());

    for (TEdit* e : {edtTime, edtValue}) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    edtComment->SetMaxLength(256);
    SetDefaultButton(btnOK);
    CancelButton = btnCancel;
    btnOK->ModalResult = mrOk;
    btnCancel->ModalResult = mrCancel;
}
