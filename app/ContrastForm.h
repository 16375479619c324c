// TfrmContrast: how readable one colour is on another, by the contrast ratio and its five
// verdicts, and how the pair looks to viewers with each kind of colour blindness.
#pragma once
#include "colour/Contrast.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Layout.h"
#include "settings/ColorList.h"
#include "Spin.h"
#include "StdCtrls.h"
#include <array>
#include <functional>
#include <memory>

class TfrmContrast : public TForm {
public:
    TfrmContrast();
    static constexpr int kClientWidth = 476, kClientHeight = 366;
    static constexpr int kVerdicts = 5, kVisions = 5;  // the criteria, the kinds of vision
    static constexpr int kSuggestions = 4;             // foreground AA, AAA, background AA, AAA

    TButton *btnFore, *btnPickFore, *btnBack, *btnPickBack, *btnSwap, *btnCopy, *btnClose;
    TPanel *pnlFore, *pnlBack;
    TShape *shpFore, *shpBack;
    TEdit *edtFore, *edtBack, *edtRatio;
    TLabel *lblFavorites, *lblRatio, *lblOpacity, *lblPercent, *lblSuggestions;
    TSpinEdit* spiOpacity;
    TComboBox* cboFavorites;
    std::array<TButton*, kSuggestions> btnSuggestions{};
    std::array<TLabel*, kVerdicts> lblVerdicts{};
    std::array<TEdit*, kVerdicts> edtVerdicts{};
    std::array<TLabel*, kVisions> lblVisions{};
    std::array<TPanel*, kVisions> pnlVisionFore{}, pnlVisionBack{};
    std::array<TShape*, kVisions> shpVisionFore{}, shpVisionBack{};
    std::array<TEdit*, kVisions> edtVisionRatios{};
    TImage* imgSample;

    // The colour dialog to choose with (the main window's, so its custom colours are shared).
    TColorDialog* Palette = nullptr;
    // Starts a keyboard pick whose colour goes to the function given (the main window's).
    std::function<void(std::function<void(TColor)>)> PickFromScreen;
    TColor Foreground() const { return FFore; }
    TColor Background() const { return FBack; }
    void SetColors(TColor fore, TColor back);
    // The colour a suggestion offers for its side, and whether one is offered.
    Contrast::TSuggestion Suggestion(int index) const { return FSuggestions[static_cast<size_t>(index)]; }
    // The text the copy button puts on the clipboard.
    std::wstring Summary() const;

    // The background the dialog opens with: white at first, then the last one of this run; the
    // same for the foreground's opacity, 100 % at first.
    static TColor LastBackground;
    static int LastOpacity;

private:
    static std::vector<TLayoutRow<TfrmContrast>> Layout();
    void FormCreate();
    void DpiChanged() override;
    void LoadFavorites();
    void DrawFavorite(HDC dc, const RECT& r, int index);
    void ChooseColor(bool foreground);
    void PickColor(bool foreground);
    void ShowFigures();
    void ShowSuggestions();
    void DrawSuggestion(int index, HDC dc, const RECT& r, UINT state);
    void MakeDpiImages();
    void DrawSample();
    TColor FFore = clBlack, FBack = clWhite;
    std::array<Contrast::TSuggestion, kSuggestions> FSuggestions{};
    TColorList FFavorites;
    TToolTips FTips;
    // Goes with the dialog: a pick that outlasts it takes its colour nowhere.
    std::shared_ptr<TfrmContrast*> FSelf = std::make_shared<TfrmContrast*>(this);
};

extern TfrmContrast* frmContrast;
