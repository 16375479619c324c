// The program's own errors carry their code and the file they concern; the app makes the
// user's words of them. Pure code: runs in the Linux and the Windows build.
#include "util/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(Errors, CarryTheirCodeOrFileAndNameItForTheLog) {
    for (const int Code : {5, 112, 12345, 0, -1}) {
        const EInOutError e(Code);
        EXPECT_EQ(e.ErrorCode(), Code);
        EXPECT_EQ(std::string(e.what()), "Windows error " + std::to_string(Code));
    }
    const EIniFileException e("C:\\Users\\x\\vop.ini");
    EXPECT_EQ(e.FileName(), "C:\\Users\\x\\vop.ini");
    EXPECT_EQ(std::string(e.what()), "cannot write to C:\\Users\\x\\vop.ini");
}

}  // namespace
