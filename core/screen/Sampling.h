#pragma once

#include "../../base/Color.h"

// A pick reads one pixel, or the mean of the square centred on it: 3x3 or 5x5 as the menu
// offers them (settings/Choices.h), up to 9x9 as the capture around the cursor holds them.
constexpr int kMaxSampleSide = 9;

// An odd side from 1 to kMaxSampleSide; any other side is taken as 1.
constexpr int SampleSide(int Side) { return Side >= 1 && Side <= kMaxSampleSide && Side % 2 == 1 ? Side : 1; }

// The mean colour of the square of SampleSide(Side) pixels a side centred on (X, Y). PixelAt
// is called as bool PixelAt(int X, int Y, TColor& Color) and returns false for a pixel on no
// monitor; such pixels are left out of the mean. Each channel's mean is rounded half up. When
// no pixel of the square lies on a monitor the result is 0xFFFFFFFF, the value a failed
// screen read gives. Channels come from the low three bytes; the top byte of a read is
// ignored.
template <class TPixelAt>
TColor MeanColor(int X, int Y, int Side, TPixelAt&& PixelAt) {
    const int Reach = SampleSide(Side) / 2;
    int Count = 0, Red = 0, Green = 0, Blue = 0;
    for (int PixelY = Y - Reach; PixelY <= Y + Reach; ++PixelY)
        for (int PixelX = X - Reach; PixelX <= X + Reach; ++PixelX) {
            TColor Color = 0;
            if (!PixelAt(PixelX, PixelY, Color)) continue;
            ++Count;
            Red += RedOf(Color);
            Green += GreenOf(Color);
            Blue += BlueOf(Color);
        }
    if (Count == 0) return 0xFFFFFFFF;
    return MakeColor((Red + Count / 2) / Count, (Green + Count / 2) / Count,
                     (Blue + Count / 2) / Count);
}
