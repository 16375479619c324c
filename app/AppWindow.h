// The hidden application window: the program's taskbar button and its place in the z-order;
// and what the widget layer knows of the program.
#pragma once
#include "Runtime.h"

// The product's name, icon, font and message texts (in the current language).
TProductInfo ProductInfo();
// The widget layer's message texts again, in the current language.
void UseProductTexts();

// Gives the program its taskbar button (true) or takes it away: the application window is
// then a tool window.
void SetTaskbarButton(bool shown);

// Puts the application window, and with it every window it owns, above all windows that
// are not topmost themselves (true), or back among them (false).
void ApplyStayOnTop(bool on);
