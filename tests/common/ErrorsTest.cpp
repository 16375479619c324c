// The texts of the program's own errors. Pure code: runs in the Linux and the Windows build.
#include "Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(Errors, InOutErrorCarriesItsCodeAndItsText) {
    struct TCase {
        int Code;
        const char* Text;
    };
    const TCase kCases[] = {
        {5, "文件拒绝访问"},  {2, "文件未找到"},    {3, "路径未找到"},
        {112, "磁盘已满"},    {39, "磁盘已满"},     {183, "文件已存在"},
        {12345, "I/O 错误 12345"}, {0, "I/O 错误 0"}, {-1, "I/O 错误 -1"},
    };
    for (const TCase& c : kCases) {
        const EInOutError e(c.Code);
        EXPECT_STREQ(e.what(), c.Text) << c.Code;
        EXPECT_EQ(e.ErrorCode(), c.Code);
    }
}

}  // namespace
