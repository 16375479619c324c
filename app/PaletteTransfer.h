// Saved colours out to a palette file and in from one: the colour menu's export and import.
#pragma once
#include <windows.h>

// Every saved colour, in listing order, to a file the user names.
void ExportSavedColors(HWND owner);
// Every colour of a file the user picks becomes a saved colour behind the others, or none does.
void ImportSavedColors(HWND owner);
