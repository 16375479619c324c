// The system's colour engine through mscms, as Wine provides it.

#include "screen/SystemTransform.h"
#include "TrueColor.h"

#include "MonitorProfileFile.h"
#include "../common/LutProfile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using ColorProfile::TConverter;
using ColorProfile::TSpace;

TEST(SystemTransform, RefusedProfileLeavesOutputsAlone) {
    const std::string Refused[] = {"", std::string(200, 'x'),
                                   LutProfile::Srgb().substr(0, 300)};
    for (const std::string& Bytes : Refused) {
        std::vector<std::uint16_t> Outputs = {1, 2, 3};
        EXPECT_FALSE(SystemTable(Bytes, TSpace::Srgb, Outputs)) << Bytes.size();
        EXPECT_EQ(Outputs, (std::vector<std::uint16_t>{1, 2, 3})) << Bytes.size();
    }
}

std::string WithBrokenTable() {  // still a table profile to Read, but one the engine cannot run
    std::string Bytes = LutProfile::Srgb();
    const std::size_t At = Bytes.find("mft2");
    if (At != std::string::npos) Bytes.replace(At, 4, "zzzz");
    return Bytes;
}

// The monitor's profile as the colour-management key gives it, then a pick into P3: the
// engine's table agrees with our own conversion of sRGB within 2 (the colours stay inside P3:
// where the engine clips, a grid cell straddling the edge is no longer linear).
TEST(SystemTransform, TrueColorUsesTheEngineOrFallsBackToSrgb) {
    struct TMonitorCase {
        const char* Name;
        std::string (*Profile)();
        bool Usable;
    };
    const TMonitorCase kMonitors[] = {
        {"table profile", &LutProfile::Srgb, true},
        {"broken table profile", &WithBrokenTable, false},
    };
    const TMonitorProfileFile File(L"0quillora-table.icc");
    const TConverter Srgb = TConverter::FromSrgb(TSpace::P3);
    for (const TMonitorCase& Case : kMonitors) {
        ASSERT_TRUE(File.Write(Case.Profile()));
        TTrueColor True;
        True.SetSpace(TTrueColor::P3);
        const std::vector<std::wstring> Lines = True.InfoLines(GetDesktopWindow());
        ASSERT_FALSE(Lines.empty()) << Case.Name;
        EXPECT_NE(Lines[0].find(File.Name()), std::wstring::npos) << Case.Name;
        EXPECT_EQ(Lines[0].find(L"无法使用") == std::wstring::npos, Case.Usable) << Case.Name;
        for (const TColor Color : {MakeColor(0, 0, 0), MakeColor(200, 30, 90), MakeColor(255, 255, 255),
                                   MakeColor(12, 140, 250)}) {
            const TColor Got = True.Convert(Color, POINT{0, 0}), Want = Srgb.Convert(Color);
            if (!Case.Usable) {
                EXPECT_EQ(Got, Want) << Case.Name;
                continue;
            }
            EXPECT_LE(std::abs(RedOf(Got) - RedOf(Want)), 2) << Case.Name;
            EXPECT_LE(std::abs(GreenOf(Got) - GreenOf(Want)), 2) << Case.Name;
            EXPECT_LE(std::abs(BlueOf(Got) - BlueOf(Want)), 2) << Case.Name;
        }
    }
}

}  // namespace
