// A run from the command line (settings/CommandLine reads the arguments): a pick whose colour
// is printed, a text converted, the usage or the version. It writes nothing to the settings
// file, shows no notification-area icon and registers no hot key.
#pragma once
#include <string>
#include <vector>

// The arguments after the program's name, UTF-8.
std::vector<std::string> CommandLineArguments();
// The exit code: 0 a colour was printed (and --help, --version), 1 a cancelled pick, 2 a bad
// command line or a text that holds no colour.
int RunCommandLine(const std::vector<std::string>& arguments);
