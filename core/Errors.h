#pragma once

#include <stdexcept>
#include <string>

// The program's own errors. Their what() is UTF-8: the application's default handler turns it
// into UTF-16 for the message box, so the Chinese texts show whatever the code page is.
class EQuilloraError : public std::runtime_error {
public:
    explicit EQuilloraError(const std::string& Utf8Message) : std::runtime_error(Utf8Message) {}
};

// A value could not be written to the settings file: "无法写入到<path>".
class EIniFileException : public EQuilloraError {
public:
    // FileName is the path as the profile functions got it, in the ANSI code page; the
    // message already holds it as UTF-8.
    EIniFileException(const std::string& Utf8Message, const std::string& FileName)
        : EQuilloraError(Utf8Message), FFileName(FileName) {}
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};

// A file-system call failed; carries the Windows error code.
class EInOutError : public EQuilloraError {
public:
    explicit EInOutError(int ErrorCode);
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// The text shown for a Windows error code: "文件拒绝访问" for 5, and "I/O 错误 <code>" for
// a code without a text of its own.
std::string InOutErrorText(int ErrorCode);
