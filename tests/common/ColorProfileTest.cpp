// Colour profiles: reading them and converting through them. The expected conversions are
// lcms2 transicc's (data/ColorProfileExpected.py wrote them); the profiles are Debian's,
// which scripts/setup.sh installs. Runs in the Linux build and in the Windows build under
// Wine, which sees them on drive Z:.

#include "screen/ColorProfile.h"

#include "Digest.h"
#include "LutProfile.h"
#include "data/ColorProfileExpected.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using ColorProfile::TConverter;
using ColorProfile::TProfile;
using ColorProfile::TSpace;
using TBytes = std::vector<unsigned char>;

TBytes FileBytes(const std::string& Path) {
#ifdef _WIN32
    std::ifstream In("Z:" + Path, std::ios::binary);
#else
    std::ifstream In(Path, std::ios::binary);
#endif
    return TBytes(std::istreambuf_iterator<char>(In), {});
}

const int kGrid[] = {0, 64, 128, 192, 255};

TEST(ColorProfile, AgreesWithTransiccWithinOneStep) {
    for (const TExpectedConversion& Row : kExpectedConversions) {
        const std::string Where = std::string(Row.Profile) + " into " + SpaceName(Row.Target);
        const TBytes Bytes = FileBytes(Row.Profile);
        ASSERT_FALSE(Bytes.empty()) << Row.Profile << " is missing: run scripts/setup.sh";
        TProfile Profile;
        std::string Reason;
        ASSERT_TRUE(ColorProfile::Read(Bytes.data(), Bytes.size(), Profile, Reason))
            << Where << ": " << Reason;
        const TConverter Converter(Profile, Row.Target);
        // A monitor without a profile counts as sRGB: the same results as the sRGB profile's.
        // Not into Adobe RGB, whose power curve has an endless slope at black: there the 2e-4
        // by which this profile's matrix misses the sRGB primaries moves a 0 by two steps.
        const bool IsSrgb = std::string(Row.Profile).find("/sRGB.icc") != std::string::npos &&
                            Row.Target != TSpace::AdobeRgb;
        const TConverter Unprofiled = TConverter::FromSrgb(Row.Target);
        int Worst = 0, Index = 0;
        for (int R : kGrid)
            for (int G : kGrid)
                for (int B : kGrid) {
                    const long Want = std::strtol(std::string(Row.Colors + 6 * Index++, 6).c_str(),
                                                  nullptr, 16);
                    const TColor Expected = MakeColor(Want >> 16, Want >> 8 & 0xFF, Want & 0xFF);
                    for (const TConverter* Tried : {&Converter, IsSrgb ? &Unprofiled : nullptr}) {
                        if (!Tried) continue;
                        const TColor Got = Tried->Convert(MakeColor(R, G, B));
                        for (int Shift = 0; Shift < 24; Shift += 8) {
                            const int Off = std::abs(static_cast<int>(Got >> Shift & 0xFF) -
                                                     static_cast<int>(Expected >> Shift & 0xFF));
                            Worst = Off > Worst ? Off : Worst;
                            EXPECT_LE(Off, 1) << Where << (Tried == &Unprofiled ? " (no profile)" : "")
                                              << ", device " << R << "," << G << "," << B;
                        }
                    }
                }
        std::printf("[ transicc ] %-50s max difference %d\n", Where.c_str(), Worst);
    }
}

TEST(ColorProfile, SwappedRedAndGreenProfileSwapsThem) {
    const TBytes Bytes = FileBytes("/usr/share/color/icc/colord/SwappedRedAndGreen.icc");
    TProfile Profile;
    std::string Reason;
    ASSERT_TRUE(ColorProfile::Read(Bytes.data(), Bytes.size(), Profile, Reason)) << Reason;
    const TConverter Converter(Profile, TSpace::Srgb);
    for (TColor Device : {MakeColor(200, 0, 0), MakeColor(0, 90, 30), MakeColor(10, 250, 128)}) {
        const TColor Got = Converter.Convert(Device);
        EXPECT_LE(std::abs(RedOf(Got) - GreenOf(Device)), 1) << std::hex << Device << " " << Got;
        EXPECT_LE(std::abs(GreenOf(Got) - RedOf(Device)), 1) << std::hex << Device << " " << Got;
        EXPECT_LE(std::abs(BlueOf(Got) - BlueOf(Device)), 1) << std::hex << Device << " " << Got;
    }
}

// Every build gives the very same channels: the digest was taken from the Linux build.
TEST(ColorProfile, EveryBuildConvertsAlike) {
    TDigest Digest;
    for (const char* Path : {"/usr/share/color/icc/colord/WideGamutRGB.icc",
                             "/usr/share/color/argyll/ref/DisplayP3.icm"}) {
        const TBytes Bytes = FileBytes(Path);
        TProfile Profile;
        std::string Reason;
        ASSERT_TRUE(ColorProfile::Read(Bytes.data(), Bytes.size(), Profile, Reason)) << Reason;
        for (TSpace Target : {TSpace::Srgb, TSpace::P3, TSpace::AdobeRgb}) {
            const TConverter Converter(Profile, Target);
            for (int R = 0; R <= 255; R += 5)
                for (int G = 0; G <= 255; G += 5)
                    for (int B = 0; B <= 255; B += 5)
                        Digest.Add(static_cast<int>(Converter.Convert(MakeColor(R, G, B))));
        }
    }
    EXPECT_EQ(Digest.Value, 0x5608d133afecd027ull) << "some colour converts differently in this build";
}

// --- Hostile profiles: a small valid one built here, then broken one way at a time ---

void Put32(TBytes& Bytes, std::size_t At, std::uint32_t Value) {
    for (int I = 0; I < 4; ++I) Bytes[At + I] = static_cast<unsigned char>(Value >> (24 - 8 * I));
}

// Header, then tags wtpt rXYZ gXYZ bXYZ, and rTRC gTRC bTRC sharing one curv tag with a
// gamma of 2.2. Tag table entries start at 132; the curv tag's count is at kCurveAt + 8.
constexpr std::size_t kTags = 7, kDataAt = 132 + 12 * kTags, kCurveAt = kDataAt + 4 * 20;

TBytes ValidProfile() {
    TBytes P(kCurveAt + 24, 0);
    Put32(P, 0, static_cast<std::uint32_t>(P.size()));
    P[8] = 4;
    const char* Fields[] = {"mntr", "RGB ", "XYZ "};
    for (int I = 0; I < 3; ++I) Put32(P, 12 + 4 * I, 0), std::copy(Fields[I], Fields[I] + 4, P.begin() + 12 + 4 * I);
    std::copy_n("acsp", 4, P.begin() + 36);
    Put32(P, 128, kTags);
    const char* Names[] = {"wtpt", "rXYZ", "gXYZ", "bXYZ", "rTRC", "gTRC", "bTRC"};
    const std::int32_t Xyz[4][3] = {{63190, 65536, 54061},  // D50 and the sRGB primaries
                                    {28578, 14581, 912},
                                    {25253, 46992, 6362},
                                    {9373, 3963, 46782}};
    for (std::size_t T = 0; T < kTags; ++T) {
        const std::size_t Entry = 132 + 12 * T, At = T < 4 ? kDataAt + 20 * T : kCurveAt;
        std::copy_n(Names[T], 4, P.begin() + Entry);
        Put32(P, Entry + 4, static_cast<std::uint32_t>(At));
        Put32(P, Entry + 8, T < 4 ? 20 : 24);
        if (T >= 4) continue;
        std::copy_n("XYZ ", 4, P.begin() + At);
        for (int C = 0; C < 3; ++C) Put32(P, At + 8 + 4 * C, static_cast<std::uint32_t>(Xyz[T][C]));
    }
    std::copy_n("curv", 4, P.begin() + kCurveAt);
    Put32(P, kCurveAt + 8, 1);
    P[kCurveAt + 12] = 2, P[kCurveAt + 13] = 0x33;  // 2.2 in steps of 1/256
    return P;
}

struct THostile {
    const char* Name;
    void (*Break)(TBytes&);
    const char* ReasonHas;
    bool LutBased;
};

const THostile kHostile[] = {
    {"truncated header", [](TBytes& P) { P.resize(100); }, "too short", false},
    {"size field beyond the file", [](TBytes& P) { P.pop_back(); }, "truncated", false},
    {"no acsp", [](TBytes& P) { P[36] = 'x'; }, "acsp", false},
    {"not RGB", [](TBytes& P) { std::copy_n("CMYK", 4, P.begin() + 16); }, "RGB", false},
    {"tag offset past the end", [](TBytes& P) { Put32(P, 132 + 12 + 4, 0x7FFFFFF0); }, "past the end", false},
    {"tag size wraps past the end", [](TBytes& P) { Put32(P, 132 + 12 + 8, 0xFFFFFFF0); }, "past the end", false},
    {"huge tag count", [](TBytes& P) { Put32(P, 128, 0x10000000); }, "too many tags", false},
    {"tag inside the tag table", [](TBytes& P) { Put32(P, 132 + 4, 140); }, "overlaps", false},
    {"curv table longer than its tag", [](TBytes& P) { Put32(P, kCurveAt + 8, 4000); }, "more points", false},
    {"gamma of zero", [](TBytes& P) { P[kCurveAt + 12] = P[kCurveAt + 13] = 0; }, "gamma", false},
    {"primaries all zero (singular)", [](TBytes& P) {
         for (std::size_t At = kDataAt + 20; At < kCurveAt; At += 20)
             for (std::size_t I = 8; I < 20; ++I) P[At + I] = 0;
     }, "singular", false},
    {"power that overflows", [](TBytes& P) {  // (32767 x)^32767
         std::copy_n("para", 4, P.begin() + kCurveAt);
         Put32(P, kCurveAt + 8, 1 << 16);
         Put32(P, kCurveAt + 12, 0x7FFFFFFF), Put32(P, kCurveAt + 16, 0x7FFFFFFF);
     }, "range", false},
    {"matrix replaced by a LUT", [](TBytes& P) {
         std::copy_n("A2B0", 4, P.begin() + 132 + 12);
     }, "LUT", true},
    {"over 4 MB", [](TBytes& P) {
         P.resize(ColorProfile::kMaxSize + 1);
         Put32(P, 0, static_cast<std::uint32_t>(P.size()));
     }, "4 MB", false},
};

TEST(ColorProfile, ValidBaseProfileReads) {
    const TBytes P = ValidProfile();
    TProfile Profile;
    std::string Reason;
    ASSERT_TRUE(ColorProfile::Read(P.data(), P.size(), Profile, Reason)) << Reason;
    // A 2.2 gamma with the sRGB primaries: mid grey lands near sRGB's 128, not on it.
    const TColor Grey = TConverter(Profile, TSpace::Srgb).Convert(MakeColor(128, 128, 128));
    EXPECT_NEAR(RedOf(Grey), 128, 2);
    EXPECT_EQ(RedOf(Grey), GreenOf(Grey));
}

TEST(ColorProfile, HostileProfilesAreRefusedWithAReason) {
    for (const THostile& Case : kHostile) {
        TBytes P = ValidProfile();
        Case.Break(P);
        TProfile Profile;
        std::string Reason;
        bool LutBased = !Case.LutBased;
        EXPECT_FALSE(ColorProfile::Read(P.data(), P.size(), Profile, Reason, &LutBased)) << Case.Name;
        EXPECT_NE(Reason.find(Case.ReasonHas), std::string::npos) << Case.Name << ": " << Reason;
        EXPECT_EQ(LutBased, Case.LutBased) << Case.Name;
    }
}

// The profile written for each target reads back and converts into its own space unchanged.
TEST(ColorProfile, WrittenTargetIsItsOwnIdentity) {
    for (const TSpace Space : {TSpace::Srgb, TSpace::P3, TSpace::AdobeRgb}) {
        const std::string Bytes = ColorProfile::WriteTarget(Space);
        TProfile Profile;
        std::string Reason;
        ASSERT_TRUE(ColorProfile::Read(reinterpret_cast<const unsigned char*>(Bytes.data()),
                                       Bytes.size(), Profile, Reason))
            << SpaceName(Space) << ": " << Reason;
        EXPECT_EQ(Bytes.size() % 4, 0u);
        const TConverter Converter(Profile, Space);
        for (int R = 0; R < 256; R += 15)
            for (int G = 0; G < 256; G += 15)
                for (int B = 0; B < 256; B += 15) {
                    const TColor Out = Converter.Convert(MakeColor(R, G, B));
                    ASSERT_LE(std::abs(RedOf(Out) - R), 1) << SpaceName(Space) << " " << R;
                    ASSERT_LE(std::abs(GreenOf(Out) - G), 1) << SpaceName(Space) << " " << G;
                    ASSERT_LE(std::abs(BlueOf(Out) - B), 1) << SpaceName(Space) << " " << B;
                }
    }
}

// Only the system's engine reads a table profile: Read refuses it and says why.
TEST(ColorProfile, TableProfileIsRefusedAsLutBased) {
    const std::string Bytes = LutProfile::Srgb();
    TProfile Profile;
    std::string Reason;
    bool LutBased = false;
    EXPECT_FALSE(ColorProfile::Read(reinterpret_cast<const unsigned char*>(Bytes.data()),
                                    Bytes.size(), Profile, Reason, &LutBased));
    EXPECT_TRUE(LutBased) << Reason;
}

}  // namespace
