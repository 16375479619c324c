// Two running copies of the program share one settings file: the settings writer plays the
// other copy, through the same settings operations as the program.
#include "ChildProcess.h"
#include "SettingsText.h"
#include "VopClass.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kCopyTimeoutMs = 90000;

class TwoCopiesTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(TVop::GetIniFileName().c_str()); }
    void TearDown() override { DeleteFileA(TVop::GetIniFileName().c_str()); }

    // Runs the settings writer to its end and gives its exit code (-1: still running after
    // the timeout, and then ended).
    static int RunWriter(const std::string& Arguments) {
        TChildProcess Writer(QUILLORA_SETTINGS_WRITER_WIN, Arguments);
        EXPECT_TRUE(Writer.Started()) << QUILLORA_SETTINGS_WRITER_WIN;
        return Writer.Wait(kCopyTimeoutMs);
    }
};

TEST_F(TwoCopiesTest, AChangeInOneCopyIsSeenByTheOthersNextRead) {
    TVop::SetZoom(3);
    TVop::SetStayOnTop(true);
    ASSERT_EQ(TVop::GetZoom(), 3);  // this copy has read the file before the other changes it
    ASSERT_TRUE(TVop::GetStayOnTop());

    ASSERT_EQ(RunWriter("zoom 7"), 0);
    EXPECT_EQ(TVop::GetZoom(), 7) << "the other copy's zoom";
    ASSERT_EQ(RunWriter("ontop 0"), 0);
    EXPECT_FALSE(TVop::GetStayOnTop()) << "the other copy's stay-on-top";

    TVop::SetZoom(12);
    EXPECT_EQ(RunWriter("getzoom"), 12) << "this copy's zoom, read by the other";
    TVop::SetStayOnTop(true);
    ASSERT_EQ(RunWriter("zoom 15"), 0);
    EXPECT_EQ(TVop::GetZoom(), 15);
    EXPECT_TRUE(TVop::GetStayOnTop()) << "the other copy's zoom left this copy's setting alone";
}

}  // namespace
