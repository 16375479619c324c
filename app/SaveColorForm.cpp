#include "SaveColorForm.h"
#include "Texts.h"
#include "LabelNames.h"

TfrmSaveColor* frmSaveColor = nullptr;

using X = TTextId;

#define M(member) LAYOUT_SLOT(TfrmSaveColor, member)
std::vector<TLayoutRow<TfrmSaveColor>> TfrmSaveColor::Layout() {
    return {
        // control        parent          left top width height tag tab caption
        {M(lblTime),         {},               8,  12,    0,    13,   0,  -1, Text(X::TimeLabel)},
        {M(edtTime),         {},              62,   8,  240,    21,   0,   3, nullptr},
        {M(lblColor),        {},               8,  41,    0,    13,   0,  -1, Text(X::ColorLabel)},
        {M(pnlColor),        {},              62,  37,  240,    21,   0,   5, nullptr},
        {M(shpColor),        M(pnlColor),      1,   1,  238,    19,   0,  -1, nullptr},
        {M(lblValue),        {},               8,  68,    0,    13,   0,  -1, Text(X::ValueLabel)},
        {M(edtValue),        {},              62,  64,  240,    21,   0,   4, nullptr},
        {M(lblComment),      {},               8,  97,    0,    13,   0,  -1, Text(X::CommentLabel)},
        {M(edtComment),      {},              62,  93,  240,    21,   0,   0, nullptr},
        {M(btnOK),           {},             149, 121,   74,    23,   0,   1, Text(X::OKKey)},
        {M(btnCancel),       {},             228, 121,   74,    23,   0,   2, Text(X::CancelKey)},
    };
}
#undef M

TfrmSaveColor::TfrmSaveColor()
    : TForm(L"TfrmSaveColor", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(Text(X::SaveColor));
    BuildLayout(*this, Layout());

    for (TEdit* e : {edtTime, edtValue}) {
        e->SetReadOnly(true);
        e->SetColor(clBtnFace);
    }
    edtComment->SetMaxLength(256);
    pnlColor->SetAccessibleName(LabelCaptionAsName(Text(X::ColorLabel)));  // the swatch beside "颜色:"
    SetDefaultButton(btnOK);
    CancelButton = btnCancel;
    btnOK->ModalResult = mrOk;
    btnCancel->ModalResult = mrCancel;
}
