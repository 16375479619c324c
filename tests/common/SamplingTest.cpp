// The mean over the square a pick averages. Pure code: runs in the Linux and the Windows build.
#include "screen/Sampling.h"

#include <gtest/gtest.h>

// A monitor whose top-left pixel is (0, 0): red 10x + y, green 255 - x, blue a checkerboard.
static bool PixelAt(int x, int y, TColor& color) {
    color = MakeColor(10 * x + y, 255 - x, (x + y) % 2) | 0xAB000000;  // top byte is ignored
    return x >= 0 && y >= 0;
}

TEST(Sampling, ChannelMeansRoundHalfUpOverThePixelsOnAMonitor) {
    struct TCase { int X, Y, Side; TColor Mean; };
    const TCase kCases[] = {
        {5, 5, 1, MakeColor(55, 250, 0)},  {5, 5, 3, MakeColor(55, 250, 0)},  // blue 4/9
        {4, 5, 3, MakeColor(45, 251, 1)},                                     // blue 5/9
        {5, 5, 5, MakeColor(55, 250, 0)},  {6, 5, 5, MakeColor(65, 249, 1)},  // 12/25, 13/25
        {0, 0, 3, MakeColor(6, 255, 1)},   // 4 pixels: 5.5, 254.5, 0.5 all round up
        {0, 0, 5, MakeColor(11, 254, 0)},  // 9 pixels: 99/9, 2286/9, 4/9
        {-1, 0, 3, MakeColor(1, 255, 1)},  {-2, -2, 3, 0xFFFFFFFF},  // 2 pixels; none
        {5, 5, 4, MakeColor(55, 250, 0)},  {4, 5, 0, MakeColor(45, 251, 1)},  // other sides: 1
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(MeanColor(c.X, c.Y, c.Side, PixelAt), c.Mean)
            << c.X << "," << c.Y << " side " << c.Side;
}
