#pragma once

// The start-up sequence up to the creation of the main window: the application object, its
// window styled as a tool window while the main window is built (no taskbar button yet), and
// the title "Quillora".
void InitializeApplication();

// Creates the main window (its creation handler runs) and runs the message loop until it
// closes.
int RunApplication();
