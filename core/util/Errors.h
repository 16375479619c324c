#pragma once

#include <stdexcept>
#include <string>

// The program's own errors. They carry what went wrong as a code and its figures; the app
// makes the text the user reads of them, in the user's language. what() is a short English
// text for logs and tests, never shown in a window.
class EQuilloraError : public std::runtime_error {
public:
    explicit EQuilloraError(const std::string& What) : std::runtime_error(What) {}
};

// A value could not be written to the settings file (the app says "无法写入到<path>").
class EIniFileException : public EQuilloraError {
public:
    // FileName is the path as the profile functions got it, in the ANSI code page.
    explicit EIniFileException(const std::string& FileName)
        : EQuilloraError("cannot write to " + FileName), FFileName(FileName) {}
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};

// A file-system call failed; carries the Windows error code.
class EInOutError : public EQuilloraError {
public:
    explicit EInOutError(int ErrorCode)
        : EQuilloraError("Windows error " + std::to_string(ErrorCode)), FErrorCode(ErrorCode) {}
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};
