// The program's icon in the notification area.
#pragma once
#include "Menus.h"
#include <windows.h>
#include <functional>
#include <string>

constexpr UINT WM_TRAYICON = WM_USER + 1;

// The first version of the shell's notify-icon record: 88 bytes in the 32-bit program.
struct TNotifyIconData {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char szTip[64];
};
static_assert(sizeof(void*) != 4 || sizeof(TNotifyIconData) == 88, "first-version record");

class TTrayIcon {
public:
    // The icon's clicks come to Window as WM_TRAYICON. The tip holds 63 characters; a longer
    // one is cut there.
    void Add(HWND window, HICON icon, const std::wstring& tip);
    // Again, after the taskbar was made anew (Explorer restarted).
    void AddAgain();
    void Remove();
    // While muted, clicks on the icon reach nothing.
    void Mute(bool mute);
    // Muted for as long as this lives, on every way out unmuted.
    struct TMuted {
        TTrayIcon& Icon;
        explicit TMuted(TTrayIcon& icon) : Icon(icon) { Icon.Mute(true); }
        ~TMuted() { Icon.Mute(false); }
        TMuted(const TMuted&) = delete;
        TMuted& operator=(const TMuted&) = delete;
    };
    const TNotifyIconData& Data() const { return FData; }

    // What a click on the icon asks of the window.
    enum class TAction { None, ShowOrHide, ToFront, Menu };
    // The shell reports a double click as press, release, double click, release; the second
    // release must not hide what the first one showed.
    TAction Click(LPARAM mouseMessage, bool visible);
    // Does what the click asks: ShowOrHide runs for a click that shows or hides the program;
    // the program comes to the front, and for a right click Menu opens at the cursor.
    void Clicked(LPARAM mouseMessage, bool visible, const std::function<void()>& showOrHide, TPopupMenu& menu);

private:
    TNotifyIconData FData{};
    bool FDoubleClicked = false;
};
