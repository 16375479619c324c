// What every window of the widget layer shares: the description of the program it belongs
// to, the application window that owns the forms, the numbered cursors, the reporting of
// exceptions that reach a window procedure, and the boxes that tell the user something.
#pragma once
#include "Graphics.h"
#include <exception>
#include <functional>
#include <string>

// What the program tells the widget layer about itself, once, at start.
struct TProductInfo {
    std::wstring Name;      // begins the names of our window classes and window properties
    std::wstring IconName;  // the program's icon in the resources
    TFontDesc Font;         // every form starts with it; its controls take it over
    // Message texts, UTF-8.
    std::string UnknownError;   // an exception without a text of its own
    std::string ClipboardBusy;  // the clipboard stays open in another program
    std::string OutOfMemory;
    std::wstring PressAction;  // what a screen reader calls pressing a button drawn on a window
    // The text (UTF-8) shown for an exception that reaches a window procedure; unset, its
    // what(). Errors that carry a code get their words here.
    std::function<std::string(const std::exception&)> ExceptionText;
};

constexpr int crHandPoint = -21;  // the system's hand cursor, for links

namespace Runtime {
void SetProduct(const TProductInfo& info);
const TProductInfo& Product();

// The hidden application window: owner of every form and menu, and the carrier of reports.
void SetOwnerWindow(HWND window);
HWND OwnerWindow();

// The numbered cursor table and the application-wide cursor (0: each control's own).
void SetCursorImage(int index, HCURSOR cursor);
HCURSOR CursorImage(int index);
int Cursor();
void SetCursor(int index);
void ClearCursors();

// Counts the window procedures of ours that are running, for one message.
class TProcedureScope {
public:
    TProcedureScope();
    ~TProcedureScope();
    TProcedureScope(const TProcedureScope&) = delete;
    TProcedureScope& operator=(const TProcedureScope&) = delete;
};

// Shows an exception's text in a message box: the application window's title as caption, an
// error icon, OK; the program goes on. Inside a window procedure the report waits in a queue
// and is shown once the procedure has returned and a message loop runs again, so that no
// modal loop runs inside a half-done handler; elsewhere it is shown at once.
void ReportException(const std::string& utf8Message);
// The same with the exception's text as TProductInfo::ExceptionText makes it.
void ReportException(const std::exception& e);
// The message, posted to the application window, that shows what waits.
constexpr UINT WM_SHOWREPORTS = WM_APP + 0x2F00;
void ShowWaitingReports();
// Takes the place of the message box when set (the tests collect the texts).
extern std::function<void(const std::string&)> OnException;
}  // namespace Runtime

// The boxes that tell the user something: an error (a refusal with its reason is one), a
// result, a question. Each is modal to the owner given and captioned with the application
// window's title, a dialog's error about itself with the dialog's caption. The exception
// reports above are errors shown this way.
namespace Notices {
void Error(HWND owner, const std::wstring& text);          // error icon, OK
void DialogError(HWND dialog, const std::wstring& text);   // the same over a dialog, its caption as title
void Information(HWND owner, const std::wstring& text);    // information icon, OK
// A question whose Yes gives something up (a file replaced): warning icon, Yes and No, No the
// default; true for Yes.
bool Ask(HWND owner, const std::wstring& question);
}  // namespace Notices
