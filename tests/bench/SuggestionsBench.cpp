// Times the contrast dialog's four suggestions of a pair (foreground and background, AA 4.5:1
// and AAA 7:1), as the dialog asks for them whenever a colour or the opacity changes, and
// prints the figures: best and median of the runs in microseconds a pair. Not a test: it
// prints, it never fails.
//
//   suggestions_bench [RUNS]
#include "colour/Contrast.h"
#include "Timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Foreground, background (both 0xRRGGBB) and opacity: near misses, long ways, saturated hues
// whose lighter steps leave sRGB, and pairs that nothing can mend. The last two are among the
// slowest of 200000 random pairs: the background's dark shades all come within 2 % of 4.5:1
// without reaching it, so each of them is mapped.
struct TPair {
    unsigned Fore, Back;
    int Opacity;
};
constexpr TPair kPairs[] = {
    {0x777777, 0xFFFFFF, 100}, {0xFF8000, 0xFFFFFF, 100}, {0xFFFF00, 0xFFFFFF, 100},
    {0x3366CC, 0x000000, 100}, {0xE0115F, 0x808080, 100}, {0x00C8FF, 0x7F7F7F, 100},
    {0x0000FF, 0x00FF00, 100}, {0x2080FF, 0x1040A0, 60},  {0xFFBB77, 0xF0F0F0, 40},
    {0x119922, 0x552233, 0},   {0xFDE7E8, 0xCD3442, 49}, {0xE5E5E5, 0x26DCF7, 50},
};

TColor Rgb(unsigned Hex) { return MakeColor(Hex >> 16 & 0xFF, Hex >> 8 & 0xFF, Hex & 0xFF); }

// The dialog's four.
void FourSuggestions(const TPair& Pair, Contrast::TSuggestion (&Out)[4]) {
    const Contrast::TSide Sides[2] = {Contrast::TSide::Foreground, Contrast::TSide::Background};
    for (int I = 0; I < 4; ++I)
        Out[I] = Contrast::Suggest(Rgb(Pair.Fore), Rgb(Pair.Back), Pair.Opacity, Sides[I / 2],
                                   I % 2 ? 700 : 450);
}

}  // namespace

int main(int argc, char** argv) {
    const int Runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 50);
    Contrast::TSuggestion First[4];
    const double Start = Seconds();
    FourSuggestions(kPairs[0], First);
    std::printf("the first pair's first time, with the tables the arithmetic builds once: %.0f us\n",
                (Seconds() - Start) * 1e6);
    std::printf("%-8s %-8s %4s  %-33s %10s %12s\n", "fore", "back", "%", "fg AA, fg AAA, bg AA, bg AAA",
                "best (us)", "median (us)");
    std::vector<double> Medians;
    for (const TPair& Pair : kPairs) {
        Contrast::TSuggestion Out[4];
        std::vector<double> Times;
        for (int Run = 0; Run < Runs; ++Run) {
            const double RunStart = Seconds();
            FourSuggestions(Pair, Out);
            Times.push_back(Seconds() - RunStart);
        }
        std::sort(Times.begin(), Times.end());
        char Found[4][9];
        for (int I = 0; I < 4; ++I) {
            const TColor C = Out[I].Color;
            if (Out[I].Reachable)
                std::snprintf(Found[I], sizeof Found[I], "%02X%02X%02X", RedOf(C), GreenOf(C), BlueOf(C));
            else
                std::snprintf(Found[I], sizeof Found[I], "none");
        }
        std::printf("%06X   %06X   %4d  %-8s %-8s %-8s %-8s %10.0f %12.0f\n", Pair.Fore, Pair.Back,
                    Pair.Opacity, Found[0], Found[1], Found[2], Found[3], Times[0] * 1e6,
                    Times[Times.size() / 2] * 1e6);
        Medians.push_back(Times[Times.size() / 2]);
    }
    std::sort(Medians.begin(), Medians.end());
    std::printf("slowest pair's median: %.0f us\n", Medians.back() * 1e6);
    return 0;
}
