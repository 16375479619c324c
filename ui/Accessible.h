// The names screen readers read for our windows. The system's annotation service keeps a
// window's name where it takes one; where it does not (Wine's refuses every name), the window
// answers the screen reader's request for its client object itself, with the standard object
// of its class whose name alone is ours.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace Accessible {
// Gives the name to the annotation service for the window's client object. False when the
// service is missing or refuses it: the window then answers WM_GETOBJECT with ClientObject,
// as a window with elements or an action of its own always does.
bool Annotate(HWND window, const std::wstring& name);
// Takes the window's annotated name back, as the service asks before a window goes.
void RemoveAnnotation(HWND window);

// A push button or a link drawn on a window, without a window of its own.
struct TElement {
    long Role;           // ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_LINK
    std::wstring Name;
    RECT Bounds;         // in the window's client coordinates
    bool Enabled;
};
// What a window adds to the system's client object, asked afresh at each call.
struct TClientParts {
    std::wstring Name;        // empty: the system's
    std::wstring Action;      // the name of the default action of its elements, and of the
                              // window's own where it has one
    bool OwnAction = false;   // the window itself acts when pressed
    std::vector<TElement> Elements;
};
// The window's parts as they stand; false when the window is gone.
using TPartsOf = bool (*)(HWND window, TClientParts& parts);
// Starts the default action of the window (element 0) or of its element 1..n; false when
// there is none. The action runs later, from the window's own message loop.
using TActOn = bool (*)(HWND window, int element);

// The answer to WM_GETOBJECT: for the client object, the window's standard object with the
// parts added (the elements follow the standard children, numbered after them); 0 for any
// other object or when none could be made, which leaves the answer to the system.
LRESULT ClientObject(HWND window, WPARAM wp, LPARAM lp, TPartsOf parts, TActOn act);
}  // namespace Accessible
