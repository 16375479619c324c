// The dialogs the menus open, each modal over the program's windows.
#pragma once
#include "Dialogs.h"
#include <vector>

// The standard colour dialog on Color; true, with the colour chosen in Color, on OK.
bool ChoosePaletteColor(TColorDialog& dialog, TColor& color);
// Save colour: the colour with the time it was opened and a comment, saved on OK.
void SaveColorDialog(HWND owner, TColor color);
// My colours; true, with the colour of the entry chosen in Color, on OK.
bool ChooseSavedColor(TColor& color);
// Contrast of Color on the last background (the palette picks other backgrounds).
void ShowContrast(TColorDialog& palette, TColor color);
// The variations of Color; true, with the colour chosen in Chosen, on 设为当前颜色.
bool ChooseVariation(TColorDialog& palette, TColor color, TColor& chosen);
void ShowAbout();
// The own formats, with the preview in Color; true when 确定 stored them. OldKeys and NewKeys
// give each stored format's key before and after (0 before: a new one).
bool EditFormatsDialog(TColor color, std::vector<int>& oldKeys, std::vector<int>& newKeys);
