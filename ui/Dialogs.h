// The system's colour and file dialogs.
#pragma once
#include "Graphics.h"
#include <commdlg.h>
#include <array>
#include <string>
#include <utility>
#include <vector>

class TColorDialog {
public:
    TColor Color = clBlack;
    DWORD Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SHOWHELP |
                  CC_SOLIDCOLOR | CC_ANYCOLOR;
    // The 16 custom colours; an empty slot holds 0xFFFFFFFF. Kept from one opening to the
    // next and read back when the dialog closes with OK.
    std::array<COLORREF, 16> CustomColors;
    TColorDialog() { CustomColors.fill(0xFFFFFFFF); }
    // Runs the dialog modally, centred across the monitor of the active window with a third
    // of the free height above it. True when closed with OK.
    bool Execute(HWND owner);
};

// The system's open and save dialogs.
class TFileDialog {
public:
    std::wstring Title;
    // Each entry a text shown in the type list and its pattern, e.g. "*.gpl".
    std::vector<std::pair<std::wstring, std::wstring>> Filters;
    // 1-based, as the dialog counts; set to the type chosen when the dialog closes with OK.
    int FilterIndex = 1;
    // The extension (without a dot) the save dialog adds to a name typed without one; the
    // dialog takes that of the chosen type where the type names one.
    std::wstring DefaultExt;
    // The name shown at first; the full path chosen when the dialog closes with OK.
    std::wstring FileName;
    // Save: asks before an existing file is replaced. Open: the file must exist.
    bool Execute(HWND owner, bool save);
};
