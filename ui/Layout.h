// A window's layout as a table: one row per control, read like the window's design.
#pragma once
#include "Forms.h"
#include <vector>

enum class TKind { Label, Edit, SpinEdit, CheckBox, ComboBox, SpeedButton, Button, Panel, Image,
                   Shape, Bevel, StatusBar, ListView };

struct TLayoutRow {
    const char* Name;
    TKind Kind;
    const char* Parent;  // nullptr: the form itself
    int Left, Top, Width, Height;
    int Tag;
    int TabOrder;         // -1: none
    const wchar_t* Caption;
    int MinValue = 0, MaxValue = 0;  // spin editors
};

// Creates the controls of a table in its order (a parent's row comes before its children's)
// and hands them to the form, which owns them. Then orders the windows by TabOrder.
void BuildLayout(TForm& form, const std::vector<TLayoutRow>& rows);
