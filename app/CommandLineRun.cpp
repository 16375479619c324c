#include "CommandLineRun.h"
#include "Clipboard.h"
#include "MainForm.h"
#include "notation/Notations.h"
#include "notation/OwnFormats.h"
#include "QuilloraVersion.h"
#include "settings/CommandLine.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "StartUp.h"
#include "Text.h"
#include "Texts.h"
#include <shellapi.h>

using X = TTextId;
using TRun = CommandLine::TCommand;

namespace {

// A line to standard output or error: UTF-8 without a byte-order mark to a pipe or a file, as
// Unicode to a console, the parent's console when the process was given none; nowhere when
// there is neither (started from a shortcut).
void Print(const std::wstring& line, bool error) {
    std::wstring text;
    for (wchar_t c : line + L"\n") {
        if (c == L'\n') text += L'\r';
        text += c;
    }
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_CHAR &&
        GetFileType(out) != FILE_TYPE_UNKNOWN) {
        const std::string utf8 = WideToUtf8(text);
        WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) || GetConsoleWindow();
    if (!attached) return;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return;
    WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(console);
}

// The usage, with the notations' names from their list.
std::wstring Usage() {
    std::wstring names;
    for (int n = 1; n <= Notations::kMainCount; ++n) names += AnsiToWide(Notations::Main(n).Name) + L" ";
    for (int n = 1; n <= Notations::kMoreCount; ++n) names += AnsiToWide(Notations::More(n).Name) + L" ";
    names.pop_back();
    return Text(X::CommandLineUsage, names);
}

int Refuse(const std::wstring& reason) {
    Print(reason, true);
    Print(Usage(), true);
    return 2;
}

// What each problem of the arguments is called; %1 the argument.
constexpr std::pair<CommandLine::TProblem, TTextId> kProblemTexts[] = {
    {CommandLine::TProblem::UnknownOption, X::CommandLineUnknownOption},
    {CommandLine::TProblem::MissingValue, X::CommandLineMissingValue},
    {CommandLine::TProblem::BadValue, X::CommandLineBadValue},
    {CommandLine::TProblem::TwoCommands, X::CommandLineTwoCommands},
    {CommandLine::TProblem::NoCommand, X::CommandLineNoCommand},
    {CommandLine::TProblem::NotForCommand, X::CommandLineNotForCommand},
};

std::wstring Reason(const CommandLine::TArguments& a) {
    for (const auto& [problem, text] : kProblemTexts)
        if (problem == a.Problem) return Text(text, Utf8ToWide(a.Culprit));
    return Utf8ToWide(a.Culprit);
}

// How a colour is written for NAME: a notation's writer, else the own format of that name
// (any case); false when neither has it.
bool FindWriter(const std::string& name, std::function<std::wstring(TColor)>& write) {
    if (const Notations::TNotation* notation = Notations::Named(name)) {
        write = [notation](TColor c) { return AnsiToWide(notation->Text(c)); };
        return true;
    }
    const std::wstring wide = Utf8ToWide(name);
    try {
        for (const OwnFormats::TFormat& f : TSettings::ReadFormats().Formats)
            if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, Utf8ToWide(f.Name).c_str(), -1, wide.c_str(), -1) ==
                CSTR_EQUAL) {
                write = [t = f.Template](TColor c) { return Utf8ToWide(OwnFormats::Expand(t, c)); };
                return true;
            }
    } catch (const std::exception&) {
        // A settings file that cannot be read has no own formats.
    }
    return false;
}

// Prints the text, and with --copy puts it on the clipboard as the copy buttons do (the
// application's window owns it).
int Deliver(const std::wstring& text, bool copy) {
    Print(text, false);
    if (copy) {
        try {
            Clipboard::SetWideText(Application.Handle(), text);
        } catch (const std::exception& e) {
            Print(Utf8ToWide(e.what()), true);
        }
    }
    return 0;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) arguments.push_back(WideToUtf8(words[i]));
    if (words) LocalFree(words);
    return arguments;
}

int RunCommandLine(const std::vector<std::string>& arguments) {
    TIniFile::LeaveFilesAlone();
    try {
        SetLanguage(static_cast<TLanguage>(TSettings::ReadAll().Get(TSettings::TSettingId::Language)));
    } catch (const std::exception&) {
        // The usage and the reasons in the default language.
    }
    const CommandLine::TArguments a = CommandLine::Read(arguments);
    if (a.Problem != CommandLine::TProblem::None)
        return Refuse(Reason(a));
    switch (a.Command) {
    case TRun::Help: Print(Usage(), false); return 0;
    case TRun::Version: Print(L"Quillora " QUILLORA_VERSION_WTEXT, false); return 0;
    default: break;
    }
    std::function<std::wstring(TColor)> write;
    if (!FindWriter(a.Format, write)) return Refuse(Text(X::CommandLineUnknownFormat, Utf8ToWide(a.Format)));
    if (a.Command == TRun::Convert) {
        TColor c = 0;
        if (!Notations::Read(a.Text, c)) {
            Print(Text(X::CommandLineNoColor, Utf8ToWide(a.Text)), true);
            return 2;
        }
        if (a.Copy) InitializeApplication();
        return Deliver(write(c), a.Copy);
    }
    int exitCode = 1;  // a pick that ends without a colour, or the window closed
    TfrmMain::TCommandLinePick pick{a.Sample, a.Space, a.Freeze, [&](TColor c) {
                                        exitCode = Deliver(write(c), a.Copy);
                                    }};
    TfrmMain::CommandLinePick = &pick;
    InitializeApplication();
    RunApplication();
    TfrmMain::CommandLinePick = nullptr;
    return exitCode;
}
