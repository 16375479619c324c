// TfrmContrast: how readable one colour is on another, by the contrast ratio and its five
// verdicts, and how the pair looks to viewers with each kind of colour blindness.
#pragma once
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Layout.h"
#include "settings/ColorList.h"
#include "StdCtrls.h"
#include <array>

class TfrmContrast : public TForm {
public:
    TfrmContrast();
    static constexpr int kClientWidth = 476, kClientHeight = 284;
    static constexpr int kVerdicts = 5, kVisions = 5;  // the criteria, the kinds of vision

    TButton *btnFore, *btnBack, *btnSwap, *btnCopy, *btnClose;
    TPanel *pnlFore, *pnlBack;
    TShape *shpFore, *shpBack;
    TEdit *edtFore, *edtBack, *edtRatio;
    TLabel *lblFavorites, *lblRatio;
    TComboBox* cboFavorites;
    std::array<TLabel*, kVerdicts> lblVerdicts{};
    std::array<TEdit*, kVerdicts> edtVerdicts{};
    std::array<TLabel*, kVisions> lblVisions{};
    std::array<TPanel*, kVisions> pnlVisionFore{}, pnlVisionBack{};
    std::array<TShape*, kVisions> shpVisionFore{}, shpVisionBack{};
    std::array<TEdit*, kVisions> edtVisionRatios{};
    TImage* imgSample;

    // The colour dialog to choose with (the main window's, so its custom colours are shared).
    TColorDialog* Palette = nullptr;
    TColor Foreground() const { return FFore; }
    TColor Background() const { return FBack; }
    void SetColors(TColor fore, TColor back);
    // The text the copy button puts on the clipboard.
    std::wstring Summary() const;

    // The background the dialog opens with: white at first, then the last one of this run.
    static TColor LastBackground;

private:
    static std::vector<TLayoutRow<TfrmContrast>> Layout();
    void FormCreate();
    void DpiChanged() override;
    void LoadFavorites();
    void DrawFavorite(HDC dc, const RECT& r, int index);
    void ChooseColor(bool foreground);
    void ShowFigures();
    void DrawSample();
    TColor FFore = clBlack, FBack = clWhite;
    TColorList FFavorites;
};

extern TfrmContrast* frmContrast;
