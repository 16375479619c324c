// TfrmFormats: the user's own copy formats, each a name and a template, made, changed, ordered
// and deleted; 确定 stores them all at once and only when every one is usable.
#pragma once
#include "ComCtrls.h"
#include "Layout.h"
#include "notation/OwnFormats.h"
#include "StdCtrls.h"
#include <vector>

class TfrmFormats : public TForm {
public:
    TfrmFormats();
    static constexpr int kClientWidth = 420, kClientHeight = 301;

    // Before showing: the formats as stored (Keys of each, and how many keys are free to
    // use) and the colour the preview shows.
    void SetFormats(const std::vector<OwnFormats::TFormat>& formats, const std::vector<int>& keys, int room);
    TColor PreviewColor = 0;
    // After 确定: the stored key each format had when the dialog opened (0 for a new one) and
    // the key it has now, in the list's order.
    std::vector<int> OldKeys, NewKeys;

    TListView* lvwFormats;
    TLabel *lblName, *lblTemplate, *lblPreview;
    TEdit *edtName, *edtTemplate, *edtPreview, *edtError;
    TButton *btnNew, *btnDelete, *btnUp, *btnDown, *btnOK, *btnCancel;

    // The first problem of the list, as the error line shows it; empty when there is none.
    std::wstring ErrorText() const;

private:
    static std::vector<TLayoutRow<TfrmFormats>> Layout();
    void FillList(int selected);
    void ShowSelected();
    void EditChanged();
    void Refresh();
    void Move(int by);
    void btnNewClick();
    void btnOKClick();
    std::vector<OwnFormats::TFormat> FFormats;
    int FRoom = OwnFormats::kMaxFormats;
    bool FShowing = false;  // the edits are being filled from the list, not typed into
};

extern TfrmFormats* frmFormats;
