// A user at the real windows: while the program runs a menu command (and with it a modal
// dialog) on the test's thread, a second thread finds the windows and works their controls.
// Every wait is bounded and says what it waited for when it gives up; whatever the user leaves
// open is closed afterwards, so a failed step fails the test instead of hanging it.
#pragma once
#include "Text.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace UserDriver {

// Waits up to TimeoutMs for Ready to hold, checking every 10 ms.
inline bool WaitUntil(const std::function<bool()>& Ready, DWORD TimeoutMs) {
    const DWORD Start = GetTickCount();
    for (;;) {
        if (Ready()) return true;
        if (GetTickCount() - Start >= TimeoutMs) return false;
        Sleep(10);
    }
}

// A visible top-level window of this class (and title, if given), or null after a failure.
inline HWND WaitWindow(const wchar_t* Class, DWORD TimeoutMs, const wchar_t* Title = nullptr) {
    HWND Found = nullptr;
    if (WaitUntil([&] { return (Found = FindWindowW(Class, Title)) && IsWindowVisible(Found); },
                  TimeoutMs))
        return Found;
    ADD_FAILURE() << "no window of class " << WideToUtf8(Class) << " within " << TimeoutMs << " ms";
    return nullptr;
}

// Waits for the program's message box, gives its text and answers it with Button.
inline std::wstring Answer(int Button, DWORD TimeoutMs) {
    HWND Box = WaitWindow(L"#32770", TimeoutMs, L"Quillora");
    if (!Box) return L"(no message box)";
    wchar_t Text[256] = L"";
    GetDlgItemTextW(Box, 0xFFFF, Text, 256);
    PostMessageW(Box, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Box, Button)));
    if (!WaitUntil([&] { return !IsWindow(Box); }, TimeoutMs))
        ADD_FAILURE() << "the message box did not close";
    return Text;
}

// The window with the keyboard focus in the thread of Window.
inline HWND FocusOf(HWND Window) {
    GUITHREADINFO Gui{};
    Gui.cbSize = sizeof Gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &Gui);
    return Gui.hwndFocus;
}

inline void PostKey(HWND Window, WPARAM Key) {
    PostMessageW(Window, WM_KEYDOWN, Key, 0);
    PostMessageW(Window, WM_KEYUP, Key, 0);
}

inline void Click(HWND Window, int X, int Y) {
    PostMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageW(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
}

// Ends whatever the program still shows: its dialogs by their close box, a message box by
// "No" (a Yes/No question has no Cancel) or, for a box with OK only, by OK.
inline void CloseLeftovers() {
    for (const wchar_t* Class : {L"TfrmSaveColor", L"TfrmMyColors", L"TfrmAbout", L"TfrmFormats"})
        if (HWND Dialog = FindWindowW(Class, nullptr)) PostMessageW(Dialog, WM_CLOSE, 0, 0);
    if (HWND Box = FindWindowW(L"#32770", L"Quillora"))
        PostMessageW(Box, WM_COMMAND, GetDlgItem(Box, IDNO) ? IDNO : IDOK, 0);
}

// Runs Command (a menu item's handler, which shows a modal dialog) on this thread while User
// works the dialog on another. When User is done, anything left open is closed until the
// command returns.
inline void WithUser(const std::function<void()>& Command, const std::function<void()>& User) {
    constexpr DWORD kSweepMs = 60000;
    std::atomic<bool> Returned{false};
    std::thread Thread([&] {
        User();
        const DWORD Start = GetTickCount();
        while (!Returned && GetTickCount() - Start < kSweepMs) {
            CloseLeftovers();
            Sleep(50);
        }
    });
    Command();
    Returned = true;
    Thread.join();
}

}  // namespace UserDriver
