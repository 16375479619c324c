#include "SaveColorForm.h"

TfrmSaveColor* frmSaveColor = nullptr;

const std::vector<TLayoutRow>& TfrmSaveColor::Layout() {
    using K = TKind;
    static const std::vector<TLayoutRow> rows = {
        // name          kind       parent      left top width height tag tab caption
        {"lblTime",      K::Label,  nullptr,       8, 12,    0,  13,   0,  -1, L"时间:"},
        {"edtTime",      K::Edit,   nullptr,      62,  8,  240,  21,   0,   3, nullptr},
        {"lblColor",     K::Label,  nullptr,       8, 41,    0,  13,   0,  -1, L"颜色:"},
        {"pnlColor",     K::Panel,  nullptr,      62, 37,  240,  21,   0,   5, nullptr},
        {"shpColor",     K::Shape,  "pnlColor",    1,  1,  238,  19,   0,  -1, nullptr},
        {"lblValue",     K::Label,  nullptr,       8, 68,    0,  13,   0,  -1, L"值:"},
        {"edtValue",     K::Edit,   nullptr,      62, 64,  240,  21,   0,   4, nullptr},
        {"lblComment",   K::Label,  nullptr,       8, 97,    0,  13,   0,  -1, L"备注:"},
        {"edtComment",   K::Edit,   nullptr,      62, 93,  240,  21,   0,   0, nullptr},
        {"btnOK",        K::Button, nullptr,     149,121,   74,  23,   0,   1, L"确定(&O)"},
        {"btnCancel",    K::Button, nullptr,     228,121,   74,  23,   0,   2, L"取消(&C)"},
    };
    return rows;
}

TfrmSaveColor::TfrmSaveColor()
    : TForm(L"TfrmSaveColor", kClientWidth, kClientHeight, TBorderStyle::Dialog) {
    SetColor(clBtnFace);
    SetCaption(L"保存颜色");
    BuildLayout(*this, Layout());
    lblTime = Find<TLabel>("lblTime");
    lblColor = Find<TLabel>("lblColor");
    lblValue = Find<TLabel>("lblValue");
    lblComment = Find<TLabel>("lblComment");
    edtTime = Find<TEdit>("edtTime");
    edtValue = Find<TEdit>("edtValue");
    edtComment = Find<TEdit>("edtComment");
    pnlColor = Find<TPanel>("pnlColor");
    shpColor = Find<TShape>("shpColor");
    btnOK = Find<TButton>("btnOK");
    btnCancel = Find<TButton>("btnCancel");

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
