// Two running copies of the program share one settings file: the settings writer plays the
// other copy, through the same settings operations as the program.
#include "ChildProcess.h"
#include "FileHelpers.h"
#include "settings/SettingsText.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <thread>

namespace {

constexpr DWORD kCopyTimeoutMs = 90000;

using FileHelpers::ReadBytes;
using FileHelpers::WriteBytes;

std::string Unique(const char* What) {
    return "Local\\QuilloraTest." + std::to_string(GetCurrentProcessId()) + "." + What;
}

// What copy Tag of the settings writer saves in round Round, as "key" and "value".
std::pair<std::string, std::string> WriterEntry(int Tag, int Round) {
    char Key[32], Value[64];
    std::snprintf(Key, sizeof Key, "0101%04d%02d%02d%02d", 2100 + Tag, Round / 3600,
                  Round / 60 % 60, Round % 60);
    std::snprintf(Value, sizeof Value, "#%06Xcopy %d round %d", (Tag << 16 | Round) & 0xFFFFFF,
                  Tag, Round);
    return {Key, Value};
}

bool IsDigits(const std::string& Text, std::size_t Count) {
    if (Text.size() != Count) return false;
    for (char C : Text)
        if (C < '0' || C > '9') return false;
    return true;
}

class TwoCopiesTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(TSettings::GetIniFileName().c_str()); }
    void TearDown() override { DeleteFileA(TSettings::GetIniFileName().c_str()); }

    // Runs the settings writer to its end and gives its exit code (-1: still running after
    // the timeout, and then ended).
    static int RunWriter(const std::string& Arguments) {
        TChildProcess Writer(QUILLORA_SETTINGS_WRITER_WIN, Arguments);
        EXPECT_TRUE(Writer.Started()) << QUILLORA_SETTINGS_WRITER_WIN;
        return Writer.Wait(kCopyTimeoutMs);
    }
};

TEST_F(TwoCopiesTest, SavingAtOnceLosesNoEntryOfEitherAndEveryLineStaysWhole) {
    constexpr int kRounds = 200;
    // Entries that were there before both copies started must outlive them too.
    std::map<std::string, std::string> Expected;
    std::ostringstream Seed;
    Seed << "[VOP]\r\nontop=1\r\nzoom=5\r\n[COLORS]\r\n";
    for (int i = 0; i < 50; ++i) {
        char Key[32];
        std::snprintf(Key, sizeof Key, "010120201010%02d", i);
        Expected[Key] = "#0000" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "seed";
        Seed << Key << "=" << Expected[Key] << "\r\n";
    }
    WriteBytes(TSettings::GetIniFileName(), Seed.str());
    for (int Tag : {1, 2})
        for (int Round = 0; Round < kRounds; ++Round) Expected.insert(WriterEntry(Tag, Round));

    TNamedEvent Go(Unique("Go")), Ready1(Unique("Ready1")), Ready2(Unique("Ready2"));
    const std::string Rounds = " " + std::to_string(kRounds) + " ";
    TChildProcess Copy1(QUILLORA_SETTINGS_WRITER_WIN,
                        "save 1" + Rounds + Ready1.Name() + " " + Go.Name());
    TChildProcess Copy2(QUILLORA_SETTINGS_WRITER_WIN,
                        "save 2" + Rounds + Ready2.Name() + " " + Go.Name());
    ASSERT_TRUE(Copy1.Started() && Copy2.Started()) << QUILLORA_SETTINGS_WRITER_WIN;
    ASSERT_TRUE(Ready1.WaitSet(kCopyTimeoutMs) && Ready2.WaitSet(kCopyTimeoutMs))
        << "the copies did not get ready within " << kCopyTimeoutMs / 1000 << " s";
    Go.Set();  // both start saving at the same moment
    EXPECT_EQ(Copy1.Wait(kCopyTimeoutMs), 0) << "saves that failed in copy 1 (-1: it hung)";
    EXPECT_EQ(Copy2.Wait(kCopyTimeoutMs), 0) << "saves that failed in copy 2 (-1: it hung)";

    const std::string Bytes = ReadBytes(TSettings::GetIniFileName());
    ASSERT_TRUE(Bytes.size() >= 2 && Bytes.compare(Bytes.size() - 2, 2, "\r\n") == 0)
        << "the file ends in the middle of a line";
    std::map<std::string, std::string> Found;
    std::vector<std::string> Malformed;
    std::string Section;
    std::istringstream Lines(Bytes);
    for (std::string Line; std::getline(Lines, Line);) {
        if (Line.empty() || Line.back() != '\r') {
            Malformed.push_back(Line);
            continue;
        }
        Line.pop_back();
        const std::size_t Equals = Line.find('=');
        if (Line == "[VOP]" || Line == "[COLORS]") {
            Section = Line;
        } else if (Section == "[VOP]" && (Line == "ontop=1" || Line == "zoom=5")) {
        } else if (Section == "[COLORS]" && Equals == 14 && IsDigits(Line.substr(0, 14), 14) &&
                   Found.emplace(Line.substr(0, 14), Line.substr(15)).second) {
        } else {
            Malformed.push_back(Line);
        }
    }
    EXPECT_TRUE(Malformed.empty()) << Malformed.size() << " lines out of place or malformed, "
                                   << "the first: [" << (Malformed.empty() ? "" : Malformed[0])
                                   << "]";
    int Lost = 0, Changed = 0;
    std::string FirstLost;
    for (const auto& [Key, Value] : Expected) {
        const auto It = Found.find(Key);
        if (It == Found.end()) {
            if (Lost++ == 0) FirstLost = Key;
        } else if (It->second != Value) {
            ++Changed;
        }
    }
    EXPECT_EQ(Lost, 0) << "entries lost out of " << Expected.size() << ", the first " << FirstLost;
    EXPECT_EQ(Changed, 0) << "entries with another value";
    EXPECT_EQ(Found.size(), Expected.size());
}

// The other copy rewrites the whole file at each save; a read in between must still find the
// settings, not a cut file and with it the defaults (which start-up would then write back).
TEST_F(TwoCopiesTest, ReadingWhileTheOtherCopySavesSeesTheWholeFile) {
    std::ostringstream Seed;
    Seed << "[COLORS]\r\n";
    for (int i = 0; i < 3000; ++i)  // a file that takes a while to write
        Seed << "0101" << 2000 + i % 100 << "1010" << 10 + i % 50 << "=#123456 padding\r\n";
    Seed << "[VOP]\r\nontop=0\r\nzoom=7\r\n";
    WriteBytes(TSettings::GetIniFileName(), Seed.str());

    TNamedEvent Go(Unique("Go")), Ready(Unique("Ready"));
    TChildProcess Copy(QUILLORA_SETTINGS_WRITER_WIN,
                       "save 1 200 " + Ready.Name() + " " + Go.Name());
    ASSERT_TRUE(Copy.Started()) << QUILLORA_SETTINGS_WRITER_WIN;
    ASSERT_TRUE(Ready.WaitSet(kCopyTimeoutMs)) << "the other copy did not get ready";
    Go.Set();
    int Reads = 0, Wrong = 0;
    const DWORD Start = GetTickCount();
    while (Copy.Wait(0) == -1 && GetTickCount() - Start < kCopyTimeoutMs) {
        ++Reads;
        if (TSettings::GetZoom() != 7 || TSettings::GetStayOnTop()) ++Wrong;
    }
    EXPECT_EQ(Copy.Wait(0), 0) << "the other copy's saves";
    EXPECT_GT(Reads, 0);
    EXPECT_EQ(Wrong, 0) << "reads out of " << Reads << " that saw the defaults instead";
}

// The lock that keeps the copies apart must not hang a copy when another keeps it: a holder
// that hangs is waited for a few seconds, one that ended while holding it not at all.
TEST_F(TwoCopiesTest, ACopyThatKeepsTheLockHangsNoOther) {
    for (const bool Ends : {false, true}) {
        // Kept open here, so that the lock outlives a holder that ends with it.
        HANDLE Keep = CreateMutexW(nullptr, FALSE, L"Local\\Quillora.Settings");
        TNamedEvent Taken(Unique(Ends ? "TakenEnds" : "TakenHangs"));
        TNamedEvent Release(Unique(Ends ? "ReleaseEnds" : "ReleaseHangs"));
        std::thread Holder([&] {
            HANDLE Lock = CreateMutexW(nullptr, FALSE, L"Local\\Quillora.Settings");
            WaitForSingleObject(Lock, INFINITE);
            Taken.Set();
            if (!Ends) {
                Release.WaitSet(kCopyTimeoutMs);
                ReleaseMutex(Lock);
            }
            CloseHandle(Lock);  // a thread that ends owning the lock leaves it abandoned
        });
        ASSERT_TRUE(Taken.WaitSet(kCopyTimeoutMs));
        if (Ends) Holder.join();
        const DWORD Start = GetTickCount();
        TSettings::SetZoom(Ends ? 8 : 9);
        const DWORD Took = GetTickCount() - Start;
        Release.Set();
        if (!Ends) Holder.join();
        EXPECT_EQ(TSettings::GetZoom(), Ends ? 8 : 9) << "written all the same";
        if (Ends)
            EXPECT_LT(Took, 2000u) << "an abandoned lock is taken over at once";
        else
            EXPECT_GE(Took, 4500u) << "the write waited for the other copy first";
        EXPECT_LT(Took, 30000u) << "and went ahead after the timeout";
        bool FreeAgain = false;
        std::thread Other([&] {
            FreeAgain = WaitForSingleObject(Keep, 0) == WAIT_OBJECT_0;
            if (FreeAgain) ReleaseMutex(Keep);
        });
        Other.join();
        EXPECT_TRUE(FreeAgain) << "this copy let go of the lock";
        CloseHandle(Keep);
    }
}

TEST_F(TwoCopiesTest, AChangeInOneCopyIsSeenByTheOthersNextRead) {
    TSettings::SetZoom(3);
    TSettings::SetStayOnTop(true);
    ASSERT_EQ(TSettings::GetZoom(), 3);  // this copy has read the file before the other changes it
    ASSERT_TRUE(TSettings::GetStayOnTop());

    ASSERT_EQ(RunWriter("zoom 7"), 0);
    EXPECT_EQ(TSettings::GetZoom(), 7) << "the other copy's zoom";
    ASSERT_EQ(RunWriter("ontop 0"), 0);
    EXPECT_FALSE(TSettings::GetStayOnTop()) << "the other copy's stay-on-top";

    TSettings::SetZoom(12);
    EXPECT_EQ(RunWriter("getzoom"), 12) << "this copy's zoom, read by the other";
    TSettings::SetStayOnTop(true);
    ASSERT_EQ(RunWriter("zoom 15"), 0);
    EXPECT_EQ(TSettings::GetZoom(), 15);
    EXPECT_TRUE(TSettings::GetStayOnTop()) << "the other copy's zoom left this copy's setting alone";
}

}  // namespace
