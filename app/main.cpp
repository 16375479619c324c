#include "StartUp.h"
#include <windows.h>

// The program takes no command-line arguments.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitializeApplication();
    return RunApplication();
}
