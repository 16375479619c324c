// Colour profiles from untrusted bytes: Read never crashes or hangs, gives a reason whenever
// it refuses, and a profile it accepts builds a converter whose colours are those of a
// converter built again from the same profile.
//
// Input: a uint32 of three packed device colours to convert, then the profile's bytes.

#include "FuzzCheck.h"
#include "screen/ColorProfile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TFuzzInput Fields(Data, Size);
    const std::uint32_t Seed = Fields.U32();
    const std::string Bytes = Fields.Rest();

    ColorProfile::TProfile Profile;
    std::string Reason;
    bool LutBased = false;
    const bool Ok = ColorProfile::Read(reinterpret_cast<const unsigned char*>(Bytes.data()),
                                       Bytes.size(), Profile, Reason, &LutBased);
    FUZZ_CHECK(Ok == Reason.empty());
    FUZZ_CHECK(Ok || !LutBased || Reason.find("LUT") != std::string::npos);
    if (!Ok) return 0;

    for (ColorProfile::TSpace Target : {ColorProfile::TSpace::Srgb, ColorProfile::TSpace::P3,
                                        ColorProfile::TSpace::AdobeRgb}) {
        const ColorProfile::TConverter Converter(Profile, Target), Again(Profile, Target);
        for (TColor Device : {TColor{0}, TColor{0xFFFFFF}, Seed & 0xFFFFFF, Seed >> 8}) {
            const TColor Out = Converter.Convert(Device);
            FUZZ_CHECK(Out >> 24 == 0);
            FUZZ_CHECK(Again.Convert(Device) == Out);
        }
    }
    return 0;
}
