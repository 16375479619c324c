// The picture filter against Contrast::Simulate, colour by colour. The Linux build runs all
// 2^24 colours of each vision (about 6 s with the sanitizers, as core itself is optimised);
// the Windows build, 32-bit and under Wine, takes every 7th level of each channel and 255.

#include "colour/VisionFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Contrast::TVision;

#ifdef _WIN32
constexpr int kStep = 7;
#else
constexpr int kStep = 1;
#endif

// Each vision over the cube (the levels 0, kStep, ..., and 255), one plane of blue and green
// per red level, filtered in place from DIB pixels with rubbish in the top byte.
TEST(VisionFilter, EveryColourComesOutAsSimulateSeesIt) {
    std::vector<int> Levels;
    for (int Level = 0; Level < 255; Level += kStep) Levels.push_back(Level);
    Levels.push_back(255);
    std::vector<std::uint32_t> Pixels;
    for (int Vision = 0; Vision <= 4; ++Vision) {
        const TVisionFilter Filter(static_cast<TVision>(Vision));
        int Largest = 0;
        long Differing = 0;
        for (const int Red : Levels) {
            Pixels.clear();
            for (const int Green : Levels)
                for (const int Blue : Levels)
                    Pixels.push_back(0xA5000000u * (Blue & 1) | Red << 16 | Green << 8 | Blue);
            Filter.Apply(Pixels.data(), Pixels.data(), Pixels.size());
            std::size_t I = 0;
            for (const int Green : Levels)
                for (const int Blue : Levels) {
                    const TColor Seen = Contrast::Simulate(MakeColor(Red, Green, Blue),
                                                           static_cast<TVision>(Vision));
                    const std::uint32_t Expected =
                        BlueOf(Seen) | GreenOf(Seen) << 8 | RedOf(Seen) << 16;
                    // Blue, green, red, and the spare byte, which must be 0.
                    for (int Shift = 0; Shift < 32; Shift += 8) {
                        const int Difference = std::abs(static_cast<int>(Pixels[I] >> Shift & 0xFF) -
                                                        static_cast<int>(Expected >> Shift & 0xFF));
                        Largest = std::max(Largest, Difference);
                        Differing += Difference != 0;
                    }
                    ++I;
                }
        }
        EXPECT_EQ(Largest, 0) << "vision " << Vision << ": largest difference " << Largest << ", "
                              << Differing << " bytes differ";
    }
}

}  // namespace
