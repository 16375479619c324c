#include "screen/Magnifier.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Magnifier, SourceRectanglesOfTheZoomList) {
    struct Case { int n, x, y, w, h; };
    const Case cases[] = {{1, 0, 0, 231, 96},   {2, 58, 24, 115, 48},  {3, 77, 32, 77, 32},
                          {18, 109, 46, 12, 5}, {19, 109, 46, 12, 5}, {20, 110, 46, 11, 4}};
    for (const Case& c : cases) {
        TZoomSource s = ZoomSource(231, 96, c.n);
        EXPECT_EQ(std::tie(s.X, s.Y, s.Width, s.Height), std::tie(c.x, c.y, c.w, c.h)) << "n " << c.n;
    }
}

TEST(Magnifier, SourceAlwaysLiesInsideTheCaptureAndHoldsItsCentre) {
    for (int n = 1; n <= 20; ++n) {
        TZoomSource s = ZoomSource(231, 96, n);
        EXPECT_GE(s.X, 0) << n;
        EXPECT_GE(s.Y, 0) << n;
        EXPECT_LE(s.X + s.Width, 231) << n;
        EXPECT_LE(s.Y + s.Height, 96) << n;
        EXPECT_TRUE(s.X <= 115 && 115 < s.X + s.Width) << n;
        EXPECT_TRUE(s.Y <= 48 && 48 < s.Y + s.Height) << n;
    }
}
