// Times the vision filter and prints the figures: building each vision's tables, and turning
// a 3840 x 2160 picture of varied colours, best and median of the runs in nanoseconds a pixel.
// Not a test: it prints, it never fails.
//
//   vision_bench [RUNS]
#include "colour/VisionFilter.h"
#include "Timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const kNames[] = {"normal", "protanopia", "deuteranopia", "tritanopia",
                              "achromatopsia"};

}  // namespace

int main(int argc, char** argv) {
    const int Runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 20);
    const std::size_t Width = 3840, Height = 2160, Count = Width * Height;
    // A screen's worth of colours from a small generator, top bytes as a DIB may leave them.
    std::vector<std::uint32_t> Source(Count), Out(Count);
    std::uint32_t State = 12345;
    for (std::uint32_t& Pixel : Source) Pixel = State = State * 1664525u + 1013904223u;

    std::printf("%-14s %12s %14s %14s\n", "vision", "build (us)", "best (ns/px)",
                "median (ns/px)");
    for (int Vision = 0; Vision <= 4; ++Vision) {
        const int Builds = 200;
        const double Start = Seconds();
        for (int I = 0; I < Builds; ++I) TVisionFilter Filter(static_cast<Contrast::TVision>(Vision));
        const double Build = (Seconds() - Start) / Builds;

        const TVisionFilter Filter(static_cast<Contrast::TVision>(Vision));
        std::vector<double> Times;
        for (int Run = 0; Run < Runs; ++Run) {
            const double RunStart = Seconds();
            Filter.Apply(Source.data(), Out.data(), Count);
            Times.push_back((Seconds() - RunStart) / Count);
        }
        std::sort(Times.begin(), Times.end());
        std::printf("%-14s %12.1f %14.2f %14.2f\n", kNames[Vision], Build * 1e6, Times[0] * 1e9,
                    Times[Times.size() / 2] * 1e9);
    }
    return 0;
}
