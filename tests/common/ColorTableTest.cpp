#include "screen/ColorTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using ColorProfile::TColorTable;

// Functions linear in each channel, which trilinear interpolation must give exactly.
struct TCase {
    const char* Name;
    void (*Apply)(const std::uint16_t In[3], std::uint16_t Out[3]);
    TColor (*Expected)(int R, int G, int B);
};
const TCase kCases[] = {
    {"identity", [](const std::uint16_t In[3], std::uint16_t Out[3]) {
         Out[0] = In[0], Out[1] = In[1], Out[2] = In[2];
     }, [](int R, int G, int B) { return MakeColor(R, G, B); }},
    {"rotated and inverted", [](const std::uint16_t In[3], std::uint16_t Out[3]) {
         Out[0] = static_cast<std::uint16_t>(65535 - In[2]), Out[1] = In[0], Out[2] = In[1];
     }, [](int R, int G, int B) { return MakeColor(255 - B, R, G); }},
    {"flat grey", [](const std::uint16_t[3], std::uint16_t Out[3]) {
         Out[0] = Out[1] = Out[2] = 0x8080;
     }, [](int, int, int) { return MakeColor(128, 128, 128); }},
};

TEST(ColorTable, InterpolatesLinearFunctionsExactly) {
    for (const TCase& Case : kCases) {
        std::vector<std::uint16_t> Outputs(3 * TColorTable::kPoints);
        for (int N = 0; N < TColorTable::kPoints; ++N) {
            std::uint16_t In[3];
            TColorTable::GridPoint(N, In);
            Case.Apply(In, &Outputs[3 * N]);
        }
        const TColorTable Table(std::move(Outputs));
        for (int R = 0; R < 256; R += 3)
            for (int G = 0; G < 256; G += 5)
                for (int B = 0; B < 256; B += 7)
                    ASSERT_EQ(Table.Convert(MakeColor(R, G, B)), Case.Expected(R, G, B))
                        << Case.Name << " at " << R << "," << G << "," << B;
        EXPECT_EQ(Table.Convert(MakeColor(255, 255, 255)), Case.Expected(255, 255, 255)) << Case.Name;
        EXPECT_EQ(Table.Convert(0xFF000000u), 0xFF000000u) << Case.Name;  // a failed read passes
    }
}

}  // namespace
