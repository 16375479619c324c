// A small console program that looks at Quillora's windows from outside, as another program
// on the same desktop would, and prints what it finds as key=value lines.
//
//   probe wait CLASS TIMEOUT_MS   waits until a visible window of CLASS exists
//   probe info CLASS              the window's client size, position, styles, owner
//   probe closebox CLASS          the screen point at the centre of the window's close box
//   probe minbox CLASS            the same for the minimise box
//   probe gone CLASS TIMEOUT_MS   waits until no window of CLASS exists
//   probe tree CLASS              every child window: class, rectangle on screen, visibility
//   probe holdclipboard MS        opens the clipboard and keeps it open for MS milliseconds
//   probe setclipboard TEXT       puts TEXT on the clipboard from the Windows side
//   probe getclipboard            prints the text the Windows side of the clipboard holds
//   probe shortcut LNK_PATH       prints the program a shortcut (.lnk) starts
//   probe accessible CLASS       the elements of the window's client object, as a screen
//                                 reader reads them: role, name, place on the screen, action
//   probe press CLASS NAME        does the default action of the element of that name
//   probe clickpad X Y MS         shows a 100 x 100 window of colour #3C965A at X,Y for MS ms;
//                                 its title counts the button presses and releases it gets
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <oleacc.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {
HWND Find(const char* cls) { return FindWindowA(cls, nullptr); }

bool WaitFor(const char* cls, int timeoutMs, bool present) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        HWND h = Find(cls);
        bool found = h && (!present || IsWindowVisible(h));
        if (found == present) return true;
        Sleep(50);
    }
    return false;
}

int Info(HWND h) {
    RECT c, w;
    GetClientRect(h, &c);
    GetWindowRect(h, &w);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    char title[256] = "";
    GetWindowTextA(h, title, sizeof title);
    HWND owner = GetWindow(h, GW_OWNER);
    char ownerClass[256] = "";
    if (owner) GetClassNameA(owner, ownerClass, sizeof ownerClass);
    LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
    std::printf("title=%s\nclient_width=%ld\nclient_height=%ld\nclient_left=%ld\nclient_top=%ld\n"
                "window_left=%ld\nwindow_top=%ld\nwindow_width=%ld\nwindow_height=%ld\n"
                "visible=%d\ntopmost=%d\nexstyle=0x%lx\nowner_class=%s\n",
                title, c.right, c.bottom, origin.x, origin.y, w.left, w.top, w.right - w.left,
                w.bottom - w.top, IsWindowVisible(h) ? 1 : 0, (ex & WS_EX_TOPMOST) ? 1 : 0,
                static_cast<unsigned long>(ex), ownerClass);
    if (owner) {
        char ownerTitle[256] = "";
        GetWindowTextA(owner, ownerTitle, sizeof ownerTitle);
        LONG oex = GetWindowLongA(owner, GWL_EXSTYLE);
        std::printf("owner_title=%s\nowner_visible=%d\nowner_iconic=%d\nowner_exstyle=0x%lx\n"
                    "owner_topmost=%d\n",
                    ownerTitle, IsWindowVisible(owner) ? 1 : 0, IsIconic(owner) ? 1 : 0,
                    static_cast<unsigned long>(oex), (oex & WS_EX_TOPMOST) ? 1 : 0);
    }
    return 0;
}

BOOL CALLBACK PrintChild(HWND h, LPARAM) {
    char cls[64] = "", text[256] = "";
    GetClassNameA(h, cls, sizeof cls);
    // Another program's control answers WM_GETTEXT; GetWindowText would give its creation name.
    // Printed as UTF-8, whatever the code page.
    wchar_t wide[64] = L"";
    SendMessageTimeoutW(h, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    RECT r;
    GetWindowRect(h, &r);
    DWORD_PTR checked = 0;
    if (std::strcmp(cls, "Button") == 0)
        SendMessageTimeoutA(h, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
    std::printf("%s \"%s\" %ld,%ld %ldx%ld visible=%d checked=%d\n", cls, text, r.left, r.top,
                r.right - r.left, r.bottom - r.top, IsWindowVisible(h) ? 1 : 0, checked == BST_CHECKED);
    return TRUE;
}

// A caption button is wherever the window says its hit-test code is; asking beats guessing
// the frame's metrics.
int CaptionButton(HWND h, LRESULT code) {
    RECT w;
    GetWindowRect(h, &w);
    int captionBottom = w.top + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    for (int y = w.top; y < captionBottom; ++y) {
        int first = -1, last = -1;
        for (int x = w.right - 1; x >= w.left; --x) {
            LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == code) {
                if (last < 0) last = x;
                first = x;
            } else if (last >= 0) {
                break;
            }
        }
        if (last >= 0) {
            // Go down to the middle of the box's height.
            int top = y, bottom = y;
            while (bottom < captionBottom &&
                   SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM((first + last) / 2, bottom + 1)) == code)
                ++bottom;
            std::printf("x=%d\ny=%d\n", (first + last) / 2, (top + bottom) / 2);
            return 0;
        }
    }
    std::fprintf(stderr, "probe: no caption button %ld found\n", static_cast<long>(code));
    return 1;
}

// Another program's window under the cursor: whatever click reaches it is counted in its title,
// which other processes can read.
int Presses = 0, Releases = 0;

LRESULT CALLBACK PadProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: ++Presses; break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: ++Releases; break;
    default: return DefWindowProcA(h, msg, wp, lp);
    }
    char title[32];
    std::snprintf(title, sizeof title, "down=%d up=%d", Presses, Releases);
    SetWindowTextA(h, title);
    return 0;
}

int ClickPad(int x, int y, int ms) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PadProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0x3C, 0x96, 0x5A));
    wc.lpszClassName = "ClickPad";
    RegisterClassA(&wc);
    HWND pad = CreateWindowExA(WS_EX_TOPMOST, "ClickPad", "down=0 up=0", WS_POPUP, x, y, 100, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
    if (!pad) return 1;
    ShowWindow(pad, SW_SHOWNOACTIVATE);  // it takes the foreground only when clicked or asked
    SetTimer(nullptr, 0, static_cast<UINT>(ms), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageA(&msg);
    return 0;
}
std::string Utf8(const wchar_t* text) {
    char out[512] = "";
    WideCharToMultiByte(CP_UTF8, 0, text ? text : L"", -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// Each simple element of the window's client object (the drawn buttons), one line each:
// role=N name=... at=X,Y WxH action=...; with Press, the element of that name is pressed
// instead. The exit code says whether the object answered (and the element was found).
int Accessible(HWND h, const wchar_t* press) {
    CoInitialize(nullptr);
    IAccessible* client = nullptr;
    if (FAILED(AccessibleObjectFromWindow(h, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&client))) ||
        !client)
        return 1;
    LONG count = 0;
    client->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count > 0 ? count : 1));
    LONG got = 0;
    AccessibleChildren(client, 0, count, children.data(), &got);
    bool found = press == nullptr;
    for (LONG i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        if (child.vt != VT_I4) {
            VariantClear(&child);
            continue;
        }
        BSTR name = nullptr, action = nullptr;
        VARIANT role;
        VariantInit(&role);
        LONG x = 0, y = 0, w = 0, hgt = 0;
        client->get_accName(child, &name);
        client->get_accRole(child, &role);
        client->accLocation(&x, &y, &w, &hgt, child);
        client->get_accDefaultAction(child, &action);
        if (press && name && std::wcscmp(name, press) == 0) found = SUCCEEDED(client->accDoDefaultAction(child));
        if (!press)
            std::printf("role=%ld name=%s at=%ld,%ld %ldx%ld action=%s\n", role.vt == VT_I4 ? role.lVal : -1L,
                        Utf8(name).c_str(), x, y, w, hgt, Utf8(action).c_str());
        SysFreeString(name);
        SysFreeString(action);
    }
    client->Release();
    return found ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "getclipboard") {
        // What the Windows side of the clipboard holds, as CF_TEXT.
        for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) Sleep(20);
        HANDLE data = GetClipboardData(CF_TEXT);
        const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (text) std::fputs(text, stdout);
        if (text) GlobalUnlock(data);
        CloseClipboard();
        return text ? 0 : 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe wait|info|closebox|gone CLASS [TIMEOUT_MS]\n");
        return 2;
    }
    std::string cmd = argv[1];
    if (cmd == "holdclipboard") {
        // A window of its own, so that others can see who holds the clipboard.
        HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
        if (!OpenClipboard(owner)) return 1;
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        CloseClipboard();
        return 0;
    }
    if (cmd == "shortcut") {
        CoInitialize(nullptr);
        IShellLinkA* link = nullptr;
        IPersistFile* file = nullptr;
        char target[MAX_PATH] = "";
        wchar_t path[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH);
        bool found = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
                     SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                     SUCCEEDED(file->Load(path, STGM_READ)) &&
                     SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) && target[0];
        if (found) std::puts(target);
        if (file) file->Release();
        if (link) link->Release();
        return found ? 0 : 1;
    }
    if (cmd == "setclipboard") {
        // Through the Windows clipboard, so that Wine serves it to X clients at once and no
        // import of an X selection can land after the program's own copy.
        std::string text = argv[2];
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (!mem || !OpenClipboard(nullptr)) return 1;
        std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        EmptyClipboard();
        bool set = SetClipboardData(CF_TEXT, mem) != nullptr;
        CloseClipboard();
        return set ? 0 : 1;
    }
    if (cmd == "clickpad" && argc == 5)
        return ClickPad(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    const char* cls = argv[2];
    int timeout = argc > 3 ? std::atoi(argv[3]) : 0;
    if (cmd == "wait") return WaitFor(cls, timeout, true) ? 0 : 1;
    if (cmd == "gone") return WaitFor(cls, timeout, false) ? 0 : 1;
    HWND h = Find(cls);
    if (!h) {
        std::fprintf(stderr, "probe: no window of class %s\n", cls);
        return 1;
    }
    if (cmd == "info") return Info(h);
    if (cmd == "closebox") return CaptionButton(h, HTCLOSE);
    if (cmd == "minbox") return CaptionButton(h, HTMINBUTTON);
    if (cmd == "tree") return EnumChildWindows(h, &PrintChild, 0), 0;
    if (cmd == "accessible") return Accessible(h, nullptr);
    if (cmd == "press" && argc == 4) {
        int count = 0;
        wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);  // the name as typed
        return wide && count == 4 ? Accessible(h, wide[3]) : 2;
    }
    std::fprintf(stderr, "probe: unknown command %s\n", cmd.c_str());
    return 2;
}
