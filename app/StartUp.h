#pragma once

// The start-up sequence up to the creation of the main window: the application object, its
// window styled as a tool window while the main window is built (no taskbar button yet), and
// the title "Quillora".
void InitializeApplication();

// Puts the application window, and with it every window it owns, above all windows that
// are not topmost themselves (true), or back among them (false).
void ApplyStayOnTop(bool on);

// Creates the main window (its creation handler runs) and runs the message loop until it
// closes.
int RunApplication();
