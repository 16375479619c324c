#pragma once

#include <cstdint>

// A colour as the program keeps it: 0x00BBGGRR, red in the lowest byte. The same layout as
// COLORREF, so values pass to and from GDI unchanged. The top byte is zero for every colour we
// build; a failed screen read hands us 0xFFFFFFFF, which is kept as it is. The widget layer
// also names system colours by a value with the top bit set and the colour's index below.
using TColor = std::uint32_t;

constexpr TColor MakeColor(int Red, int Green, int Blue) {
    return static_cast<TColor>(Red & 0xFF) | static_cast<TColor>(Green & 0xFF) << 8 |
           static_cast<TColor>(Blue & 0xFF) << 16;
}

constexpr int RedOf(TColor C) { return static_cast<int>(C & 0xFF); }
constexpr int GreenOf(TColor C) { return static_cast<int>(C >> 8 & 0xFF); }
constexpr int BlueOf(TColor C) { return static_cast<int>(C >> 16 & 0xFF); }
