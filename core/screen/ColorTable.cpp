#include "ColorTable.h"

#include <cstdint>
#include <utility>

namespace ColorProfile {

namespace {

constexpr int kSteps = TColorTable::kGrid - 1;

// Where an 8-bit value falls on the grid: the cell and the position in it, in 255ths.
void Locate(int Value, int& Cell, int& Fraction) {
    const int Scaled = Value * kSteps;
    Cell = Scaled / 255, Fraction = Scaled % 255;
    if (Cell == kSteps) Cell = kSteps - 1, Fraction = 255;
}

}  // namespace

void TColorTable::GridPoint(int N, std::uint16_t Rgb[3]) {
    const int Index[3] = {N / (kGrid * kGrid), N / kGrid % kGrid, N % kGrid};
    for (int C = 0; C < 3; ++C)
        Rgb[C] = static_cast<std::uint16_t>((Index[C] * 65535 + kSteps / 2) / kSteps);
}

TColorTable::TColorTable(std::vector<std::uint16_t> Outputs) {
    if (Outputs.size() == 3 * static_cast<std::size_t>(kPoints)) {
        FOutputs = std::move(Outputs);
        return;
    }
    FOutputs.resize(3 * static_cast<std::size_t>(kPoints));
    for (int N = 0; N < kPoints; ++N) GridPoint(N, &FOutputs[3 * static_cast<std::size_t>(N)]);
}

TColor TColorTable::Convert(TColor Device) const {
    if (Device >> 24) return Device;
    int Cell[3], Fraction[3];
    Locate(RedOf(Device), Cell[0], Fraction[0]);
    Locate(GreenOf(Device), Cell[1], Fraction[1]);
    Locate(BlueOf(Device), Cell[2], Fraction[2]);
    std::int64_t Sum[3] = {};
    for (int Corner = 0; Corner < 8; ++Corner) {
        std::int64_t Weight = 1;
        int N = 0;
        for (int C = 0; C < 3; ++C) {
            const bool High = Corner >> (2 - C) & 1;
            Weight *= High ? Fraction[C] : 255 - Fraction[C];
            N = N * kGrid + Cell[C] + High;
        }
        const std::uint16_t* Out = &FOutputs[3 * static_cast<std::size_t>(N)];
        for (int C = 0; C < 3; ++C) Sum[C] += Weight * Out[C];
    }
    // The weights add up to 255^3; one 8-bit step is 257 16-bit ones.
    constexpr std::int64_t kDivisor = 257LL * 255 * 255 * 255;
    int Result[3];
    for (int C = 0; C < 3; ++C) Result[C] = static_cast<int>((Sum[C] + kDivisor / 2) / kDivisor);
    return MakeColor(Result[0], Result[1], Result[2]);
}

}  // namespace ColorProfile
