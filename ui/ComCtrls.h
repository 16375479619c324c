// Common controls: the status bar.
#pragma once
#include "Controls.h"

// A status bar with one panel reaching across the whole bar, placed where the layout says
// rather than docked by the system.
class TStatusBar : public TWinControl {
public:
    TStatusBar(TWinControl* parent, int left, int top, int width, int height);
    void SetPanelText(const wchar_t* text);
    void SetPanelText(const std::wstring& text) { SetPanelText(text.c_str()); }
    std::wstring PanelText() const;
};
