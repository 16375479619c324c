// The system's colour engine through mscms, as Wine provides it.

#include "ColorTable.h"
#include "SystemTransform.h"

#include "../common/LutProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using ColorProfile::TConverter;
using ColorProfile::TSpace;

struct TCase {
    const char* Name;
    std::string (*Device)();
    TSpace Target;
    TSpace Shown;  // the built-in space the device profile describes
};
const TCase kCases[] = {
    {"table profile into P3", &LutProfile::Srgb, TSpace::P3, TSpace::Srgb},
    {"table profile into Adobe RGB", &LutProfile::Srgb, TSpace::AdobeRgb, TSpace::Srgb},
    {"sRGB matrix profile into P3", [] { return ColorProfile::WriteTarget(TSpace::Srgb); },
     TSpace::P3, TSpace::Srgb},
};
// Every case stays inside the target's gamut: where the engine clips, a grid cell straddling
// the edge is no longer linear, and the table misses by a few steps there (3 seen from P3 into
// sRGB). Our own converters handle matrix profiles; the table is for those nothing else reads.

// Our own converter from the space the profile describes, read from its written profile.
TConverter Ours(TSpace Shown, TSpace Target) {
    const std::string Bytes = ColorProfile::WriteTarget(Shown);
    ColorProfile::TProfile Profile;
    std::string Reason;
    EXPECT_TRUE(ColorProfile::Read(reinterpret_cast<const unsigned char*>(Bytes.data()),
                                   Bytes.size(), Profile, Reason));
    return TConverter(Profile, Target);
}

TEST(SystemTransform, AgreesWithOurConverterWithinTwoSteps) {
    for (const TCase& Case : kCases) {
        std::vector<std::uint16_t> Outputs;
        ASSERT_TRUE(SystemTable(Case.Device(), Case.Target, Outputs)) << Case.Name;
        const ColorProfile::TColorTable Table(std::move(Outputs));
        const TConverter Expected = Ours(Case.Shown, Case.Target);
        for (int R = 0; R < 256; R += 17)
            for (int G = 0; G < 256; G += 17)
                for (int B = 0; B < 256; B += 17) {
                    const TColor Got = Table.Convert(MakeColor(R, G, B));
                    const TColor Want = Expected.Convert(MakeColor(R, G, B));
                    const int Worst = std::max({std::abs(RedOf(Got) - RedOf(Want)),
                                                std::abs(GreenOf(Got) - GreenOf(Want)),
                                                std::abs(BlueOf(Got) - BlueOf(Want))});
                    ASSERT_LE(Worst, 2) << Case.Name << " at " << R << "," << G << "," << B
                                        << ": " << std::hex << Got << " for " << Want;
                }
    }
}

TEST(SystemTransform, RefusedProfileLeavesOutputsAlone) {
    const std::string Refused[] = {"", std::string(200, 'x'),
                                   LutProfile::Srgb().substr(0, 300)};
    for (const std::string& Bytes : Refused) {
        std::vector<std::uint16_t> Outputs = {1, 2, 3};
        EXPECT_FALSE(SystemTable(Bytes, TSpace::Srgb, Outputs)) << Bytes.size();
        EXPECT_EQ(Outputs, (std::vector<std::uint16_t>{1, 2, 3})) << Bytes.size();
    }
}

}  // namespace
