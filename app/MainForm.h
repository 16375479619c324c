// TfrmMain: the main window, where the user picks, edits and copies colours.
#pragma once
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Layout.h"
#include "Menus.h"
#include "Spin.h"
#include <array>
#include <memory>
#include <string>

class TfrmMain : public TForm {
public:
    TfrmMain();

    static constexpr int kClientWidth = 249, kClientHeight = 505;
    static const std::vector<TLayoutRow>& Layout();

    // Components, owned by the form; named as in the window's design.
    TCheckBox* chkStayOnTop;
    TComboBox* cboZoom;
    TSpeedButton* btnMenu;
    TPanel *pnlDrag2, *pnlColor, *pnlDrag, *pnlZoom;
    TImage *imgDrag2, *imgDrag, *imgZoom, *imgZoomCursor;
    TShape* shpColor;
    TBevel* bvlRgbFrame;
    TLabel *lblR, *lblG, *lblB, *lblH, *lblS, *lblL;
    TSpinEdit *spiR, *spiG, *spiB, *spiH, *spiS, *spiL;
    TLabel *lblRGB, *lblDecimal, *lblHex, *lblHtml, *lblDelphi, *lblVB, *lblC;
    TEdit *edtRGB, *edtDecimal, *edtHex, *edtHtml, *edtDelphi, *edtVB, *edtC;
    TSpeedButton *btnRGBCopy, *btnDecimalCopy, *btnHexCopy, *btnHtmlCopy, *btnDelphiCopy,
        *btnVBCopy, *btnCCopy;
    TStatusBar* StatusBar1;
    TColorDialog ColorDialog1;
    TPopupMenu mnuColor;
    TPopupMenu mnuControl;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Start-up has run to its end: until then the window procedure does nothing of its own.
    bool Ready() const { return FReady; }
    UINT TaskbarCreatedMessage() const { return FTaskbarCreated; }
    // The current colour: the swatch's brush colour.
    TColor CurrentColor() const { return shpColor->BrushColor(); }
    // What the copy button of notation 1..7 copies.
    const std::string& ColorValue(int tag) const { return FColorValues.at(static_cast<size_t>(tag)); }
    TEdit* NotationEdit(int tag) const { return FNotationEdits.at(static_cast<size_t>(tag)); }

private:
    void SetupComponents();
    void BindEvents();
    void FormCreate();
    void FormClose(TCloseAction& action);
    void mnuControl_ExitClick();

    void SetCurrentColor(TColor c);
    void UpdateRGB();
    void UpdateHSL();
    void UpdateColorValues();
    void ModifyRGB();
    void ModifyHSL();
    void ColorValueChange(TControl* sender);
    void CopyColor(TControl* sender);
    void btnMenuClick();
    void mnuColor_PaletteClick();

    std::array<TEdit*, 8> FNotationEdits{};  // indexed by notation number 1..7

    std::array<std::string, 8> FColorValues;  // indexed by notation number 1..7
    bool FDragging = false;
    bool FUpdatingRGB = false;
    bool FUpdatingHSL = false;
    bool FTrayDblClicked = false;
    UINT FTaskbarCreated = 0;
    bool FReady = false;
    std::unique_ptr<TBitmap> FCapture;
};

extern TfrmMain* frmMain;
