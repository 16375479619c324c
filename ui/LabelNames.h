// Screen-reader names from the labels of a form: an edit, a spin editor, a drop-down list or a
// list shows no text that says what it is for; the label beside it does.
#pragma once
#include "Controls.h"
#include <string>

// A label's caption as a name: without its accelerator marks ("&&" stays one "&"), blanks and a
// closing colon, ASCII or full-width, trimmed.
std::wstring LabelCaptionAsName(const std::wstring& caption);

// Names each control of the tree that takes a label's name and has no name yet after its
// label: the nearest label on its row that starts left of it, else the label right above it
// with nothing windowed between. A control without such a label keeps the system's name.
void NameControlsAfterLabels(TWinControl& parent);
