#include "Text.h"
#include <windows.h>

namespace {
std::wstring ToWide(UINT codePage, const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string FromWide(UINT codePage, const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}
}  // namespace

std::wstring Utf8ToWide(const std::string& s) { return ToWide(CP_UTF8, s); }
std::string WideToUtf8(const std::wstring& w) { return FromWide(CP_UTF8, w); }
std::wstring AnsiToWide(const std::string& s) { return ToWide(CP_ACP, s); }
std::string WideToAnsi(const std::wstring& w) { return FromWide(CP_ACP, w); }

std::string AnsiToUtf8(const std::string& s) {
    std::wstring w = AnsiToWide(s);
    if (w.empty()) return s;
    std::string utf8 = WideToUtf8(w);
    return utf8.empty() ? s : utf8;
}

int WidenAscii(const char* text, wchar_t* out, int size) {
    if (size <= 0) return 0;
    int n = 0;
    for (; text[n] && n < size - 1; ++n) out[n] = static_cast<unsigned char>(text[n]);
    out[n] = L'\0';
    return n;
}
