#pragma once

// The part of the capture that the magnifier stretches over its whole area at zoom n: the
// middle W/n x H/n pixels, placed so that the capture's centre pixel stays under the
// magnifier's centre. Every division truncates; all operands are positive.
struct TZoomSource {
    int X, Y, Width, Height;
};

constexpr TZoomSource ZoomSource(int W, int H, int n) {
    return {W / 2 - (W / 2) / n, H / 2 - (H / 2) / n, W / n, H / n};
}
