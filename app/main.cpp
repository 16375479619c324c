#include "CommandLineRun.h"
#include "StartUp.h"
#include <windows.h>

#include <cstdlib>

// Without arguments the program as it always starts; with them, a run of the command line's.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::string> arguments = CommandLineArguments();
    if (!arguments.empty()) return RunCommandLine(arguments);
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
