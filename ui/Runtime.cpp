#include "Runtime.h"
#include "Text.h"
#include <deque>
#include <map>

namespace {
TProductInfo GProduct;
HWND GOwner = nullptr;
std::map<int, HCURSOR> GCursors;
int GCursor = 0;
int GProcedureDepth = 0;
std::deque<std::string> GWaiting;

void Show(const std::string& message) {
    if (Runtime::OnException) {
        Runtime::OnException(message);
        return;
    }
    Notices::Error(GetActiveWindow(), Utf8ToWide(message));
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = L"";
    if (window) GetWindowTextW(window, text, 512);
    return text;
}

int Box(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) {
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}
}  // namespace

namespace Runtime {
std::function<void(const std::string&)> OnException;

void SetProduct(const TProductInfo& info) { GProduct = info; }
const TProductInfo& Product() { return GProduct; }

void SetOwnerWindow(HWND window) { GOwner = window; }
HWND OwnerWindow() { return GOwner; }

void SetCursorImage(int index, HCURSOR cursor) { GCursors[index] = cursor; }

HCURSOR CursorImage(int index) {
    if (index == crHandPoint) return LoadCursorW(nullptr, IDC_HAND);
    auto it = GCursors.find(index);
    return it == GCursors.end() ? nullptr : it->second;
}

int Cursor() { return GCursor; }

void SetCursor(int index) {
    GCursor = index;
    HCURSOR c = index ? CursorImage(index) : nullptr;
    ::SetCursor(c ? c : LoadCursorW(nullptr, IDC_ARROW));
}

void ClearCursors() {
    GCursors.clear();
    GCursor = 0;
}

TProcedureScope::TProcedureScope() { ++GProcedureDepth; }
TProcedureScope::~TProcedureScope() { --GProcedureDepth; }

void ReportException(const std::string& utf8Message) {
    if (GProcedureDepth == 0) {
        Show(utf8Message);
        return;
    }
    GWaiting.push_back(utf8Message);
    if (GWaiting.size() == 1 && !(GOwner && PostMessageW(GOwner, WM_SHOWREPORTS, 0, 0)))
        ShowWaitingReports();  // nowhere to post: better now than never
}

void ReportException(const std::exception& e) {
    ReportException(GProduct.ExceptionText ? GProduct.ExceptionText(e) : std::string(e.what()));
}

void ShowWaitingReports() {
    while (!GWaiting.empty()) {
        std::string message = std::move(GWaiting.front());
        GWaiting.pop_front();
        Show(message);
    }
}
}  // namespace Runtime

namespace Notices {
void Error(HWND owner, const std::wstring& text) { Box(owner, text, WindowText(GOwner), MB_OK | MB_ICONERROR); }

void DialogError(HWND dialog, const std::wstring& text) {
    Box(dialog, text, WindowText(dialog), MB_OK | MB_ICONERROR);
}

void Information(HWND owner, const std::wstring& text) {
    Box(owner, text, WindowText(GOwner), MB_OK | MB_ICONINFORMATION);
}

bool Ask(HWND owner, const std::wstring& question) {
    return Box(owner, question, WindowText(GOwner), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}
}  // namespace Notices
