// The names screen readers read for our windows. The system's annotation service keeps a
// window's name where it takes one; where it does not (Wine's refuses every name), the window
// answers the screen reader's request for its client object itself, with the standard object
// of its class whose name alone is ours.
#pragma once
#include <windows.h>
#include <string>

namespace Accessible {
// Gives the name to the annotation service for the window's client object. False when the
// service is missing or refuses it: the window then answers WM_GETOBJECT with ClientObject.
bool Annotate(HWND window, const std::wstring& name);
// Takes the window's annotated name back, as the service asks before a window goes.
void RemoveAnnotation(HWND window);
// The answer to WM_GETOBJECT: for the client object, the window's standard object under the
// name; 0 for any other object or when none could be made, which leaves the answer to the
// system.
LRESULT ClientObject(HWND window, WPARAM wp, LPARAM lp, const std::wstring& name);
}  // namespace Accessible
