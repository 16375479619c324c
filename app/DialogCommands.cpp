#include "DialogCommands.h"
#include "AboutForm.h"
#include "notation/ColorText.h"
#include "ContrastForm.h"
#include "FormatsForm.h"
#include "util/Errors.h"
#include "MyColorsForm.h"
#include "QuilloraVersion.h"
#include "SaveColorForm.h"
#include "settings/Settings.h"
#include "settings/SettingsText.h"
#include "Text.h"
#include "VariationsForm.h"

namespace {

// The standard colour dialog on Color; true, with the colour chosen in Color, on OK.
bool ChoosePaletteColor(TColorDialog& dialog, TColor& color) {
    dialog.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SHOWHELP | CC_SOLIDCOLOR |
                   CC_ANYCOLOR;
    dialog.Color = color;
    if (!dialog.Execute(Application.Handle())) return false;
    color = dialog.Color;
    return true;
}

// Save colour: the colour with the time it was opened and a comment, saved on OK. The time
// stamp is taken when the dialog opens. A write the settings file refuses is
// reported as "ERROR!"; anything else goes to the error handler.
void SaveColorDialog(HWND owner, TColor color) {
    auto dialog = Application.NewForm<TfrmSaveColor>();
    frmSaveColor = dialog.get();
    SYSTEMTIME now;
    GetLocalTime(&now);
    dialog->edtTime->SetText(AnsiToWide(
        SettingsText::TimeText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond)));
    dialog->shpColor->SetPenColor(color);
    dialog->shpColor->SetBrushColor(color);
    dialog->edtValue->SetText(AnsiToWide(ColorText::FromColor(color)));
    if (dialog->ShowModal() == mrOk) {
        const char* message = "SUCCESS!";
        UINT icon = MB_ICONINFORMATION;
        try {
            TSettings::SaveColor(WideToAnsi(dialog->edtTime->Text()), WideToAnsi(dialog->edtValue->Text()),
                                 WideToAnsi(dialog->edtComment->Text()));
        } catch (const EQuilloraError&) {
            message = "ERROR!";
            icon = MB_ICONERROR;
        }
        MessageBoxA(owner, message, WideToAnsi(Application.Title()).c_str(), MB_OK | icon);
    }
    frmSaveColor = nullptr;
}

// My colours; true, with the colour of the entry chosen in Color, on OK.
bool ChooseSavedColor(TColor& color) {
    auto dialog = Application.NewForm<TfrmMyColors>();
    frmMyColors = dialog.get();
    const bool chosen = dialog->ShowModal() == mrOk;
    if (chosen) color = dialog->SelectedColor;
    frmMyColors = nullptr;
    return chosen;
}

// Contrast of the current colour on the last background (the palette and the eyedroppers pick
// others).
void ShowContrast(const TDialogHost& host) {
    auto dialog = Application.NewForm<TfrmContrast>();
    frmContrast = dialog.get();
    dialog->Palette = host.Palette;
    dialog->PickFromScreen = host.Pick;
    dialog->SetColors(host.Color(), TfrmContrast::LastBackground);
    dialog->ShowModal();
    frmContrast = nullptr;
}

// The variations of Color; true, with the colour chosen in Chosen, on 设为当前颜色.
bool ChooseVariation(TColorDialog& palette, TColor color, TColor& chosen) {
    auto dialog = Application.NewForm<TfrmVariations>();
    frmVariations = dialog.get();
    dialog->Palette = &palette;
    dialog->OnSave = [form = dialog.get()](TColor c) { SaveColorDialog(form->Handle(), c); };
    dialog->SetCurrent(color);
    const bool accepted = dialog->ShowModal() == mrOk;
    if (accepted) chosen = dialog->Selected();
    frmVariations = nullptr;
    return accepted;
}

}  // namespace

void AddDialogCommands(TCommandTable& commands, const TDialogHost& host) {
    using C = TCommandId;
    commands.Add(C::Palette, TTextId::Palette, [host] {
        TColor c = host.Color();
        if (ChoosePaletteColor(*host.Palette, c)) host.Take(c);
    });
    commands.Add(C::SaveColor, TTextId::SaveColor, [host] { SaveColorDialog(host.Owner(), host.Color()); }).Default =
        true;
    commands.Add(C::MyColors, TTextId::MyColors, [host] {
        TColor c = host.Color();
        if (ChooseSavedColor(c)) host.Take(c);
    });
    commands.Add(C::Variations, TTextId::Variations, [host] {
        TColor c;
        if (ChooseVariation(*host.Palette, host.Color(), c)) host.Take(c);
    });
    commands.Add(C::Contrast, TTextId::Contrast, [host] { ShowContrast(host); });
}

bool EditFormatsDialog(TColor color, std::vector<int>& oldKeys, std::vector<int>& newKeys) {
    const TSettings::TFormatList stored = TSettings::ReadFormats();
    auto dialog = Application.NewForm<TfrmFormats>();
    frmFormats = dialog.get();
    dialog->SetFormats(stored.Formats, stored.Keys, stored.Room);
    dialog->PreviewColor = color;
    const bool accepted = dialog->ShowModal() == mrOk;
    oldKeys = dialog->OldKeys;
    newKeys = dialog->NewKeys;
    frmFormats = nullptr;
    return accepted;
}

void ShowAbout() {
    auto dialog = Application.NewForm<TfrmAbout>();
    frmAbout = dialog.get();
    dialog->Version = QUILLORA_VERSION_WTEXT;
    dialog->Year = L"2008";
    dialog->ShowModal();
    frmAbout = nullptr;
}
