// What Quillora.exe is asked to do by its arguments:
//
//   Quillora.exe --pick [--format NAME] [--sample 1|3|5] [--space native|srgb|p3|adobergb] [--freeze] [--copy]
//   Quillora.exe --convert TEXT [--format NAME] [--copy]
//   Quillora.exe --help | -h | /?
//   Quillora.exe --version
//
// Options are read in any order and any case. NAME is a notation's command-line name
// (Notations::Named) or, when none has it, the name of one of the user's own formats, which
// the caller looks up. Without arguments: the program as it always starts.
#pragma once

#include <string>
#include <vector>

namespace CommandLine {

enum class TCommand { None, Pick, Convert, Help, Version };

// What makes a command line bad; Culprit names the argument.
enum class TProblem {
    None,
    UnknownOption,    // not one of ours
    MissingValue,     // --format, --sample, --space or --convert at the end
    BadValue,         // --sample 4, --space cmyk
    TwoCommands,      // --pick --convert x, --help --version
    NoCommand,        // --format html alone
    NotForCommand,    // --freeze with --convert, --copy with --help
};

struct TArguments {
    TCommand Command = TCommand::None;
    std::string Text;             // --convert's
    std::string Format = "html";  // as given
    int Sample = 0;               // 1, 3 or 5; 0: as the settings say
    int Space = -1;               // a row of QUILLORA_COLOR_SPACES; -1: as the settings say
    bool Freeze = false, Copy = false;
    TProblem Problem = TProblem::None;
    std::string Culprit;
};

// The arguments after the program's name, UTF-8.
TArguments Read(const std::vector<std::string>& Arguments);

}  // namespace CommandLine
