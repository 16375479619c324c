// The command line's reader: every option, bad values, order, case, two commands.

#include "settings/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using CommandLine::TCommand;
using CommandLine::TProblem;

std::vector<std::string> Words(const std::string& Line) {
    std::istringstream In(Line);
    std::vector<std::string> Result;
    for (std::string Word; In >> Word;) Result.push_back(Word);
    return Result;
}

// What a reading gives, in one line: command, text, format, sample, space, freeze, copy; or
// the problem and its argument.
std::string Outcome(const CommandLine::TArguments& A) {
    if (A.Problem != TProblem::None) return "problem " + std::to_string(static_cast<int>(A.Problem)) + " " + A.Culprit;
    return std::to_string(static_cast<int>(A.Command)) + " [" + A.Text + "] " + A.Format + " " +
           std::to_string(A.Sample) + " " + std::to_string(A.Space) + " " + std::to_string(A.Freeze) +
           std::to_string(A.Copy);
}

TEST(CommandLine, ReadsEachCommandAndRefusesWhatItCannotMean) {
    const std::pair<const char*, const char*> kCases[] = {
        {"", "0 [] html 0 -1 00"},
        {"--pick", "1 [] html 0 -1 00"},
        {"--FORMAT OKLCH --Pick --sample 5 --space P3 --freeze --copy", "1 [] OKLCH 5 2 11"},
        {"--pick --space adobergb --sample 1", "1 [] html 1 3 00"},
        {"--convert #FF8000 --format name --copy", "2 [#FF8000] name 0 -1 01"},
        {"--help", "3 [] html 0 -1 00"},
        {"-H", "3 [] html 0 -1 00"},
        {"/?", "3 [] html 0 -1 00"},
        {"--version", "4 [] html 0 -1 00"},
        {"--pick --convert x", "problem 4 --convert"},
        {"--help --version", "problem 4 --version"},
        {"--pick --pick", "problem 4 --pick"},
        {"--pick --sample 4", "problem 3 --sample 4"},
        {"--pick --space cmyk", "problem 3 --space cmyk"},
        {"--pick --format", "problem 2 --format"},
        {"--convert", "problem 2 --convert"},
        {"--pick --fast", "problem 1 --fast"},
        {"pick", "problem 1 pick"},
        {"--format html", "problem 5 --format"},
        {"--convert red --freeze", "problem 6 --freeze"},
        {"--convert red --sample 3", "problem 6 --sample"},
        {"--version --copy", "problem 6 --copy"},
    };
    for (const auto& [Line, Expected] : kCases) EXPECT_EQ(Outcome(CommandLine::Read(Words(Line))), Expected) << Line;
    // A text with spaces and one that looks like an option are --convert's own.
    EXPECT_EQ(Outcome(CommandLine::Read({"--convert", "rgb(1, 2, 3)"})), "2 [rgb(1, 2, 3)] html 0 -1 00");
    EXPECT_EQ(Outcome(CommandLine::Read({"--convert", "--pick"})), "2 [--pick] html 0 -1 00");
}

}  // namespace
