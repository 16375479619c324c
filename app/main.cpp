#include "StartUp.h"
#include <windows.h>

#include <cstdlib>

// The program takes no command-line arguments.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitializeApplication();
    return RunApplication();
}

// std::terminate's default handler in the static C++ library writes the demangled type of the
// exception in flight to standard error, which this program has not got; its demangler alone
// is 46 KB of the program. This one ends the program as that one does, without the text.
// (Exceptions that reach a window are shown to the user long before; see TApplication.)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
