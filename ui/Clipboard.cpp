#include "Clipboard.h"
#include "Runtime.h"
#include <cstring>
#include <stdexcept>

namespace {
// Another program may hold the clipboard for a moment (a clipboard viewer; under Wine its
// own bridge to the X selection after each change): keep trying for half a second before
// giving up.
bool OpenWithRetry(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

class TOpenClipboard {
public:
    ~TOpenClipboard() { CloseClipboard(); }
};
}  // namespace

namespace {
// Replaces the clipboard's content with one block of Bytes in one format.
void SetData(HWND owner, UINT format, const void* bytes, size_t size) {
    if (!OpenWithRetry(owner)) throw std::runtime_error(Runtime::Product().ClipboardBusy);
    TOpenClipboard open;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!mem) throw std::runtime_error(Runtime::Product().OutOfMemory);
    if (void* p = GlobalLock(mem)) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(mem);
    }
    // From here the clipboard owns the block, unless it refused it.
    if (!SetClipboardData(format, mem)) GlobalFree(mem);
}
}  // namespace

void Clipboard::SetText(HWND owner, const std::string& text) {
    SetData(owner, CF_TEXT, text.c_str(), text.size() + 1);
}

void Clipboard::SetWideText(HWND owner, const std::wstring& text) {
    SetData(owner, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::string Clipboard::Text(HWND owner) {
    if (!OpenWithRetry(owner)) return {};
    TOpenClipboard open;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    std::string text;
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
        text.assign(p, strnlen(p, GlobalSize(data)));
        GlobalUnlock(data);
    }
    return text;
}

// The system offers an 8-bit text as Unicode too, converted from its code page.
std::wstring Clipboard::WideText(HWND owner) {
    if (!OpenWithRetry(owner)) throw std::runtime_error(Runtime::Product().ClipboardBusy);
    TOpenClipboard open;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    return text;
}
