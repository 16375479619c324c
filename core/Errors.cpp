#include "Errors.h"

namespace {

struct TErrorText {
    int Code;
    const char* Text;
};

// The Windows error codes that file and folder calls usually give.
const TErrorText kErrorTexts[] = {
    {2, "文件未找到"},          // ERROR_FILE_NOT_FOUND
    {3, "路径未找到"},          // ERROR_PATH_NOT_FOUND
    {4, "打开的文件过多"},      // ERROR_TOO_MANY_OPEN_FILES
    {5, "文件拒绝访问"},        // ERROR_ACCESS_DENIED
    {6, "文件句柄无效"},        // ERROR_INVALID_HANDLE
    {15, "驱动器无效"},         // ERROR_INVALID_DRIVE
    {19, "磁盘写保护"},         // ERROR_WRITE_PROTECT
    {21, "设备未就绪"},         // ERROR_NOT_READY
    {32, "文件共享冲突"},       // ERROR_SHARING_VIOLATION
    {33, "文件锁定冲突"},       // ERROR_LOCK_VIOLATION
    {39, "磁盘已满"},           // ERROR_HANDLE_DISK_FULL
    {80, "文件已存在"},         // ERROR_FILE_EXISTS
    {112, "磁盘已满"},          // ERROR_DISK_FULL
    {123, "文件名无效"},        // ERROR_INVALID_NAME
    {183, "文件已存在"},        // ERROR_ALREADY_EXISTS
    {206, "文件名过长"},        // ERROR_FILENAME_EXCED_RANGE
};

}  // namespace

std::string InOutErrorText(int ErrorCode) {
    for (const TErrorText& Entry : kErrorTexts)
        if (Entry.Code == ErrorCode) return Entry.Text;
    return "I/O 错误 " + std::to_string(ErrorCode);
}

EInOutError::EInOutError(int ErrorCode)
    : EQuilloraError(InOutErrorText(ErrorCode)), FErrorCode(ErrorCode) {}
