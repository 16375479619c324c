// TfrmAbout: the About dialog with the program's title, version, copyright and contact links.
#pragma once
#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "Layout.h"
#include <string>

class TfrmAbout : public TForm {
public:
    TfrmAbout();
    static constexpr int kClientWidth = 295, kClientHeight = 194;

    std::wstring Version;  // set by the caller before showing
    std::wstring Year;

    TShape* shpBackground;
    TBevel* bvlBackground;
    TImage* imgIcon;
    TLabel *lblTitle, *lblVersion, *lblCopyright, *lblEmail1, *lblEmail2, *lblWebsite1, *lblWebsite2;
    TButton* btnOK;

private:
    static std::vector<TLayoutRow<TfrmAbout>> Layout();
    void FormShow();
    void DpiChanged() override;
    // The title, version and copyright centred, the icon beside the title.
    void ArrangeTitle();
    void CenterHorizontally(TControl* c);
    void LinkMouseDown(TLabel* link, TMouseButton button);
    void LinkMouseUp(TLabel* link, TMouseButton button, void (*open)());
};

extern TfrmAbout* frmAbout;
