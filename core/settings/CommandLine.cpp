#include "CommandLine.h"

#include "../util/TextUtil.h"
#include "Choices.h"

#include <cstddef>

namespace CommandLine {
namespace {

bool Is(const std::string& Argument, const char* Name) { return TextUtil::SameText(Argument, Name); }

// The option that takes each command's own options; the others are refused with it.
bool Allowed(TCommand Command, const std::string& Option) {
    if (Is(Option, "--format") || Is(Option, "--copy"))
        return Command == TCommand::Pick || Command == TCommand::Convert;
    return Command == TCommand::Pick;  // --sample, --space, --freeze
}

#define QUILLORA_SPACE_NAME(value, ...) value,
constexpr const char* kSpaces[] = {QUILLORA_COLOR_SPACES(QUILLORA_SPACE_NAME)};
#undef QUILLORA_SPACE_NAME
#define QUILLORA_SAMPLE_SIDE(value, side, ...) side,
constexpr int kSamples[] = {QUILLORA_SAMPLES(QUILLORA_SAMPLE_SIDE)};
#undef QUILLORA_SAMPLE_SIDE

}  // namespace

TArguments Read(const std::vector<std::string>& Arguments) {
    TArguments Result;
    std::vector<std::string> Options;  // those a command must allow, checked at the end
    const auto Fail = [&Result](TProblem Problem, const std::string& Culprit) {
        Result.Problem = Problem;
        Result.Culprit = Culprit;
        return Result;
    };
    const auto SetCommand = [&Result](TCommand Command) {
        if (Result.Command != TCommand::None) return false;
        Result.Command = Command;
        return true;
    };
    for (std::size_t I = 0; I < Arguments.size(); ++I) {
        const std::string& A = Arguments[I];
        const bool HasValue = I + 1 < Arguments.size();
        if (Is(A, "--pick") || Is(A, "--help") || Is(A, "-h") || A == "/?" || Is(A, "--version")) {
            const TCommand Command = Is(A, "--pick")      ? TCommand::Pick
                                     : Is(A, "--version") ? TCommand::Version
                                                          : TCommand::Help;
            if (!SetCommand(Command)) return Fail(TProblem::TwoCommands, A);
        } else if (Is(A, "--convert")) {
            if (!HasValue) return Fail(TProblem::MissingValue, A);
            if (!SetCommand(TCommand::Convert)) return Fail(TProblem::TwoCommands, A);
            Result.Text = Arguments[++I];
        } else if (Is(A, "--format") || Is(A, "--sample") || Is(A, "--space")) {
            if (!HasValue) return Fail(TProblem::MissingValue, A);
            const std::string& Value = Arguments[++I];
            Options.push_back(A);
            if (Is(A, "--format")) {
                Result.Format = Value;
            } else if (Is(A, "--sample")) {
                Result.Sample = 0;
                for (int Side : kSamples)
                    if (Value == std::to_string(Side)) Result.Sample = Side;
                if (Result.Sample == 0) return Fail(TProblem::BadValue, A + " " + Value);
            } else {
                Result.Space = -1;
                for (int Row = 0; Row < static_cast<int>(std::size(kSpaces)); ++Row)
                    if (Is(Value, kSpaces[Row])) Result.Space = Row;
                if (Result.Space < 0) return Fail(TProblem::BadValue, A + " " + Value);
            }
        } else if (Is(A, "--freeze") || Is(A, "--copy")) {
            Options.push_back(A);
            (Is(A, "--freeze") ? Result.Freeze : Result.Copy) = true;
        } else {
            return Fail(TProblem::UnknownOption, A);
        }
    }
    if (Result.Command == TCommand::None && !Options.empty()) return Fail(TProblem::NoCommand, Options.front());
    for (const std::string& Option : Options)
        if (!Allowed(Result.Command, Option)) return Fail(TProblem::NotForCommand, Option);
    return Result;
}

}  // namespace CommandLine
