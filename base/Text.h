// Text between the program's three encodings: UTF-16 (window texts), the system's ANSI code
// page (what the program stores and hands to other programs) and UTF-8 (error messages).
#pragma once
#include <string>

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);
std::wstring AnsiToWide(const std::string& s);
std::string WideToAnsi(const std::wstring& s);
// A text in the ANSI code page as UTF-8; unchanged when it does not convert.
std::string AnsiToUtf8(const std::string& s);
// ASCII text widened into a buffer of the caller's, without touching the heap; cut to fit.
// Returns the number of characters written before the closing zero.
int WidenAscii(const char* text, wchar_t* out, int size);
