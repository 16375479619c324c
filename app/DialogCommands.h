// The dialogs the menus open, each modal over the program's windows, and the colour menu's
// entries that open them.
#pragma once
#include "Commands.h"
#include "Dialogs.h"
#include <functional>
#include <vector>

// What the dialogs' entries need of the main window.
struct TDialogHost {
    std::function<HWND()> Owner;
    TColorDialog* Palette;                 // the standard colour dialog, which keeps its colours
    std::function<TColor()> Color;         // the current colour
    std::function<void(TColor)> Take;      // a colour chosen in a dialog becomes the current one
    // A keyboard pick from the screen whose colour goes to the function given (an eyedropper's).
    std::function<void(std::function<void(TColor)>)> Pick;
};

// 调色板, 保存颜色, 我的颜色, 变体 and 对比度, each a row of the command table. A new dialog's
// entry is one more row here, its place in the colour menu given by After.
void AddDialogCommands(TCommandTable& commands, const TDialogHost& host);

// The own formats, with the preview in Color; true when 确定 stored them. OldKeys and NewKeys
// give each stored format's key before and after (0 before: a new one).
bool EditFormatsDialog(TColor color, std::vector<int>& oldKeys, std::vector<int>& newKeys);
void ShowAbout();
