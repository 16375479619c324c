#pragma once

#include "Contrast.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A whole picture as one vision sees it: the colour Contrast::Simulate gives, pixel by pixel,
// bit for bit the same, at a few nanoseconds a pixel. Pixels are 32-bit as a DIB section holds
// them: bytes blue, green, red and one spare in memory, so blue is the lowest byte of the
// (little-endian) word and red the third, the reverse of TColor. The spare byte of a source
// pixel is ignored and is 0 in every result, as the top byte of Simulate's is.
//
// Made once for a vision (the tables take about 10 microseconds and 26 KB), then used for
// any number of pictures; Apply only reads them, so threads may share one filter.
class TVisionFilter {
public:
    explicit TVisionFilter(Contrast::TVision Vision);

    // Count pixels from Source into Out; Out may be Source itself.
    void Apply(const std::uint32_t* Source, std::uint32_t* Out, std::size_t Count) const;

private:
    // FTerms[Row][Channel][Level]: the matrix's entry times the level's linear value, in units
    // of 10^-18, for output Row (red, green, blue) and input Channel (red, green, blue). The
    // first column also carries an offset, which keeps every sum at or above zero.
    std::int64_t FTerms[3][3][256];
    // FNext[L]: the sum from which level L + 1 is nearer than L (the half-level between them,
    // scaled to a sum and raised by the offset); [255] lies beyond every sum.
    std::int64_t FNext[256];
    // FLevels[Sum >> kShift]: the level at the bucket's lower end. A bucket is narrower than
    // the gap between any two half-levels, so the sum climbs at most one level within it.
    std::vector<std::uint8_t> FLevels;
    bool FCopy, FGrey;
};
