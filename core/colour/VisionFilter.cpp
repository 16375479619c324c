// The pixel path of the simulated visions, on the integers of Contrast: a row's sum is the
// very sum Simulate forms, added up from three tables instead of multiplied out, and its level
// comes from one bucket and one exact comparison instead of a bisection. No floating point,
// no division and no branch per pixel.

#include "VisionFilter.h"

#include <algorithm>
#include <limits>

namespace {

// 2^48 units of 10^-18 are 0.000281 of full light; the closest half-levels, on the straight
// part of the sRGB curve near black, lie 0.000304 apart.
constexpr int kShift = 48;
constexpr std::int64_t kMillion = 1000000;

}  // namespace

TVisionFilter::TVisionFilter(Contrast::TVision Vision)
    : FCopy(Vision != Contrast::TVision::Protanopia && Vision != Contrast::TVision::Deuteranopia &&
            Vision != Contrast::TVision::Tritanopia &&
            Vision != Contrast::TVision::Achromatopsia),
      FGrey(Vision == Contrast::TVision::Achromatopsia) {
    std::int64_t Matrix[3][3];
    Contrast::VisionMatrix(Vision, Matrix);
    const std::int64_t One = Contrast::LinearOf(510);

    // The offset lifts the most negative sum any row can reach, all negative inputs at full
    // light, to zero; the buckets reach up to the largest.
    std::int64_t Offset = 0, Top = 0;
    for (const auto& Row : Matrix) {
        std::int64_t Below = 0, Above = 0;
        for (const std::int64_t Entry : Row) (Entry < 0 ? Below : Above) += Entry * One;
        Offset = std::max(Offset, -Below);
        Top = std::max(Top, Above);
    }
    for (int Row = 0; Row < 3; ++Row)
        for (int Channel = 0; Channel < 3; ++Channel)
            for (int Level = 0; Level < 256; ++Level)
                FTerms[Row][Channel][Level] = Matrix[Row][Channel] * Contrast::LinearOf(2 * Level) +
                                              (Channel == 0 ? Offset : 0);

    for (int Level = 0; Level < 255; ++Level)
        FNext[Level] = kMillion * Contrast::LinearOf(2 * Level + 1) + Offset;
    FNext[255] = std::numeric_limits<std::int64_t>::max();

    FLevels.resize(static_cast<std::size_t>((Top + Offset) >> kShift) + 1);
    int Level = 0;
    for (std::size_t Bucket = 0; Bucket < FLevels.size(); ++Bucket) {
        const std::int64_t Low = static_cast<std::int64_t>(Bucket) << kShift;
        while (FNext[Level] <= Low) ++Level;
        FLevels[Bucket] = static_cast<std::uint8_t>(Level);
    }
}

void TVisionFilter::Apply(const std::uint32_t* Source, std::uint32_t* Out,
                          std::size_t Count) const {
    if (FCopy) {
        for (std::size_t I = 0; I < Count; ++I) Out[I] = Source[I] & 0xFFFFFF;
        return;
    }
    const std::uint8_t* Levels = FLevels.data();
    const auto LevelOf = [this, Levels](std::int64_t Sum) {
        const std::size_t Low = Levels[Sum >> kShift];
        return static_cast<std::uint32_t>(Low + (Sum >= FNext[Low]));
    };
    // A pixel's bytes are read one by one, blue, green, red in memory order as the DIB has
    // them: fewer instructions than taking the word apart.
    if (FGrey)
        for (std::size_t I = 0; I < Count; ++I) {
            const auto* Bytes = reinterpret_cast<const unsigned char*>(Source + I);
            Out[I] = 0x010101 * LevelOf(FTerms[0][0][Bytes[2]] + FTerms[0][1][Bytes[1]] +
                                        FTerms[0][2][Bytes[0]]);
        }
    else
        for (std::size_t I = 0; I < Count; ++I) {
            const auto* Bytes = reinterpret_cast<const unsigned char*>(Source + I);
            const std::size_t Red = Bytes[2], Green = Bytes[1], Blue = Bytes[0];
            const auto Row = [&](int R) {
                return LevelOf(FTerms[R][0][Red] + FTerms[R][1][Green] + FTerms[R][2][Blue]);
            };
            Out[I] = Row(0) << 16 | Row(1) << 8 | Row(2);
        }
}
