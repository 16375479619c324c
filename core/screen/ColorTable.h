#pragma once

#include "../../base/Color.h"

#include <cstdint>
#include <vector>

namespace ColorProfile {

// A conversion given as its results on an even grid of device colours, as the system's colour
// engine computes them once; a pick then interpolates trilinearly, in integers, so it makes no
// system call, allocates nothing and gives the same result in every build.
class TColorTable {
public:
    static constexpr int kGrid = 33;  // points per channel: the 8-bit steps 0, 7.97, ..., 255
    static constexpr int kPoints = kGrid * kGrid * kGrid;

    // Grid point N's device colour, 0..65535 per channel; red varies slowest, blue fastest.
    static void GridPoint(int N, std::uint16_t Rgb[3]);

    // Outputs holds kPoints colours in GridPoint's order, 3 values 0..65535 each. Anything
    // else gives the identity, so a wrong caller is visible rather than a crash.
    explicit TColorTable(std::vector<std::uint16_t> Outputs);

    // A colour with its top byte set (a failed screen read) comes back unchanged.
    TColor Convert(TColor Device) const;

private:
    std::vector<std::uint16_t> FOutputs;
};

}  // namespace ColorProfile
