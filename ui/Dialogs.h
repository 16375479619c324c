// The system's colour dialog.
#pragma once
#include "Graphics.h"
#include <commdlg.h>
#include <array>

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
