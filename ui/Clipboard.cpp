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

void Clipboard::SetText(HWND owner, const std::string& text) {
    if (!OpenWithRetry(owner)) throw std::runtime_error(Runtime::Product().ClipboardBusy);
    TOpenClipboard open;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!mem) throw std::runtime_error(Runtime::Product().OutOfMemory);
    if (void* p = GlobalLock(mem)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
    }
    // From here the clipboard owns the block, unless it refused it.
    if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
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
