// The clipboard as 8-bit text.
#pragma once
#include <windows.h>
#include <string>

namespace Clipboard {
// Replaces the clipboard's content with Text (CF_TEXT, a terminating zero added), in one
// opening of the clipboard, so that a clipboard held by another program keeps its content.
// Throws std::runtime_error with the program's text for a busy clipboard when it cannot be
// opened.
void SetText(HWND owner, const std::string& text);
// The same for a text beyond the code page (CF_UNICODETEXT; the system offers it as
// CF_TEXT too).
void SetWideText(HWND owner, const std::wstring& text);
// The CF_TEXT content, or empty when there is none or the clipboard cannot be opened.
std::string Text(HWND owner);
// The clipboard's text for reading a colour from it, 8-bit texts included; empty
// when it holds no text. Throws like SetText when the clipboard cannot be opened.
std::wstring WideText(HWND owner);
}  // namespace Clipboard
