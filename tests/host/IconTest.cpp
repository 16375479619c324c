// The icon resources: the files in app/res are what the generator builds, and they hold what
// the program relies on (the cursor shapes around the hot spot, the sizes LoadImage picks).
#include "IconGen.h"
#include "SourceFile.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

using namespace IconGen;

namespace {

std::vector<uint8_t> ReadResource(const std::string& name) {
    const std::string bytes = ReadSourceFile("app/res/" + name);
    return {bytes.begin(), bytes.end()};
}

struct TImageKind {
    int Size, BitCount;
    bool Png = false;
};

struct TFile {
    const char* Name;
    std::vector<uint8_t> (*Build)();
    std::vector<TImageKind> Images;   // in file order
};

// The 32 px picker and ring, and the sizes they take at 120, 144, 168, 192, 240 and 288 DPI:
// bitmaps all, as one of them loads at every start-up.
const std::vector<TImageKind> kCursorImages = {{32, 8}, {40, 8}, {48, 8}, {56, 8},
                                               {64, 8}, {80, 8}, {96, 8}};

const TFile kFiles[] = {
    {"MAINICON.ico", BuildMainIcon, {{32, 4}, {16, 4}}},
    {"RES_MAINFORM_ADD.ico", BuildAddIcon, kCursorImages},
    {"RES_MAINFORM_ROUND.ico", BuildRoundIcon, kCursorImages},
    {"RES_ABOUTFORM_ICON.ico", BuildAboutIcon, {{64, 32, true}, {48, 32, true}, {32, 32}}},
};

std::set<std::pair<int, int>> Opaque(const TIconImage& im) {
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < im.Height; ++y)
        for (int x = 0; x < im.Width; ++x)
            if (im.At(x, y).A != 0) points.insert({x, y});
    return points;
}

// The "+" picker as drawn: 'o' is the ring round the hot spot (16, 16), the only part of the
// magnifier cursor; '#' the rest of the "+".
const char* const kCrosshair[32] = {
    "................................",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "...............ooo..............",
    "..............o...o.............",
    ".............o.....o............",
    ".############o.....o############",
    ".............o.....o............",
    "..............o...o.............",
    "...............ooo..............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
    "................#...............",
};

std::set<std::pair<int, int>> Drawn(const char* marks) {
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (std::string(marks).find(kCrosshair[y][x]) != std::string::npos) points.insert({x, y});
    return points;
}

} // namespace

TEST(IconFiles, CheckedInFilesAreWhatTheGeneratorBuilds) {
    for (const TFile& f : kFiles) {
        const std::vector<uint8_t> onDisk = ReadResource(f.Name);
        const std::vector<uint8_t> built = f.Build();
        EXPECT_EQ(onDisk.size(), built.size()) << f.Name << ": run icongen app/res";
        EXPECT_TRUE(onDisk == built) << f.Name << ": run icongen app/res";
    }
}

TEST(IconFiles, ImageSizesAndDepths) {
    for (const TFile& f : kFiles) {
        const std::vector<TIconImage> images = DecodeIco(ReadResource(f.Name));
        ASSERT_EQ(images.size(), f.Images.size()) << f.Name;
        for (size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i].Width, f.Images[i].Size) << f.Name << " image " << i;
            EXPECT_EQ(images[i].Height, f.Images[i].Size) << f.Name << " image " << i;
            EXPECT_EQ(images[i].BitCount, f.Images[i].BitCount) << f.Name << " image " << i;
            EXPECT_EQ(images[i].Png, f.Images[i].Png) << f.Name << " image " << i;
        }
    }
}

TEST(IconFiles, CursorIconsHoldExactlyTheirPixels) {
    const struct { const char* Name; const char* Marks; size_t Count; TRgba Colour; } kCases[] = {
        {"RES_MAINFORM_ADD.ico", "#o", 64, {0, 0, 0, 255}},
        {"RES_MAINFORM_ROUND.ico", "o", 16, {255, 0, 0, 255}},
    };
    for (const auto& c : kCases) {
        const std::vector<TIconImage> images = DecodeIco(ReadResource(c.Name));
        ASSERT_FALSE(images.empty()) << c.Name;
        const TIconImage& im = images[0];             // the 32 px image comes first
        const auto opaque = Opaque(im);
        EXPECT_EQ(opaque.size(), c.Count) << c.Name;
        EXPECT_EQ(opaque, Drawn(c.Marks)) << c.Name;
        for (const auto& [x, y] : opaque)
            EXPECT_EQ(im.At(x, y), c.Colour) << c.Name << " at " << x << "," << y;
        EXPECT_EQ(im.At(16, 16).A, 0) << c.Name << ": the picked pixel must show through the ring";
    }
}

// Scaled screens get the same pixel art, each pixel grown to a block: nothing blended, no
// pixel lost, the mask following the transparency. Widths of 40, 56 and 80 pad their mask rows.
TEST(IconFiles, CursorIconsGrowAsPixelArt) {
    for (const char* name : {"RES_MAINFORM_ADD.ico", "RES_MAINFORM_ROUND.ico"}) {
        const std::vector<uint8_t> bytes = ReadResource(name);
        const std::vector<TIconImage> images = DecodeIco(bytes);   // sizes: ImageSizesAndDepths
        EXPECT_TRUE(EncodeIco(images) == bytes) << name << ": decoding and encoding again changes the file";
        for (size_t i = 1; i < images.size(); ++i) {
            const TIconImage& im = images[i];
            int wrong = 0;
            for (int y = 0; y < im.Height; ++y)
                for (int x = 0; x < im.Width; ++x)
                    wrong += !(im.At(x, y) == images[0].At(x * 32 / im.Width, y * 32 / im.Height));
            EXPECT_EQ(wrong, 0) << name << " at " << im.Width << " px";
        }
    }
}

TEST(IconFiles, ApplicationIconHasShapeOnTransparentGround) {
    for (const TIconImage& im : DecodeIco(ReadResource("MAINICON.ico"))) {
        const size_t opaque = Opaque(im).size(), all = im.Pixels.size();
        EXPECT_GT(opaque, all / 4) << im.Width << " px";
        EXPECT_LT(opaque, all) << im.Width << " px";
        EXPECT_EQ(im.At(0, 0).A, 0) << im.Width << " px";
    }
}

TEST(IconFiles, AboutIconHasSmoothEdges) {
    for (const TIconImage& im : DecodeIco(ReadResource("RES_ABOUTFORM_ICON.ico"))) {
        int partial = 0, solid = 0;
        for (const TRgba& c : im.Pixels) {
            partial += c.A > 0 && c.A < 255;
            solid += c.A == 255;
        }
        EXPECT_GT(partial, im.Width) << im.Width << " px";
        EXPECT_GT(solid, im.Width * im.Height / 4) << im.Width << " px";
        EXPECT_EQ(im.At(0, im.Height - 1).A, 0) << im.Width << " px";
    }
}

// A 5 x 3 image: odd width, so rows need padding and 4-bit pixels end in half a byte.
TIconImage Sample(int bitCount) {
    TIconImage im;
    im.Width = 5, im.Height = 3, im.BitCount = bitCount;
    const TRgba colours[] = {{255, 0, 0, 255}, {0, 0, 0, 0}, {0, 128, 128, 255}, {255, 255, 255, 255}};
    for (int i = 0; i < 15; ++i) im.Pixels.push_back(colours[i * 7 % 4]);
    if (bitCount == 32) im.Pixels[4] = {10, 20, 30, 128};
    return im;
}

TEST(IcoCodec, RoundTripsEveryDepthAndPng) {
    for (int bits : {4, 8, 32, 0}) {
        TIconImage image = Sample(bits ? bits : 32);
        image.Png = bits == 0;
        const std::vector<TIconImage> decoded = DecodeIco(EncodeIco({image, image}));
        ASSERT_EQ(decoded.size(), 2u) << bits;
        EXPECT_EQ(decoded[1].BitCount, image.BitCount);
        EXPECT_EQ(decoded[1].Png, image.Png);
        EXPECT_TRUE(decoded[1].Pixels == image.Pixels) << bits << " bit";
    }
    // The About icon's gradients take every filter a row can have.
    const std::vector<TIconImage> about = AboutImages();
    EXPECT_TRUE(DecodeIco(EncodeIco(about))[0].Pixels == about[0].Pixels);
}

TEST(IcoCodec, WritesClassicBottomUpLayout) {
    const std::vector<uint8_t> b = EncodeIco({Sample(4)});
    auto u32 = [&b](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | b[at + i];
        return v;
    };
    const size_t dib = 6 + 16, xorBits = dib + 40 + 16 * 4, andBits = xorBits + 4 * 3;
    ASSERT_EQ(b.size(), andBits + 4 * 3);                 // every row padded to 4 bytes
    EXPECT_EQ(b[6 + 2], 16) << "colour count of a 4-bit entry";
    EXPECT_EQ(u32(6 + 8), b.size() - dib);
    EXPECT_EQ(u32(dib + 8), 6u) << "height covers XOR bitmap and AND mask";
    // The bottom row (teal, transparent, red, white, teal) comes first, high nibble first.
    EXPECT_EQ(b[xorBits], 0x60);
    EXPECT_EQ(b[xorBits + 1], 0x9F);
    EXPECT_EQ(b[xorBits + 2], 0x60);
    EXPECT_EQ(b[andBits], 0x40) << "mask bit of the transparent second pixel";
}

TEST(IcoCodec, RejectsWhatItCannotRepresent) {
    TIconImage offPalette = Sample(4);
    offPalette.Pixels[0] = {1, 2, 3, 255};
    EXPECT_THROW(EncodeIco({offPalette}), std::invalid_argument);
    EXPECT_THROW(ScaleNearest(Sample(8), 0), std::invalid_argument);
    EXPECT_THROW(ScaleNearest(Sample(8), 257), std::invalid_argument);
    EXPECT_THROW(ScaleNearest(TIconImage{}, 40), std::invalid_argument);

    const std::vector<uint8_t> good = EncodeIco({Sample(8)});
    EXPECT_THROW(DecodeIco(std::vector<uint8_t>(good.begin(), good.end() - 1)), std::runtime_error);
    TIconImage pngImage = Sample(32);
    pngImage.Png = true;
    const std::vector<uint8_t> png = EncodeIco({pngImage});
    for (size_t cut : {1, 20, 40})                         // in the last, first and data chunks
        EXPECT_THROW(DecodeIco(std::vector<uint8_t>(png.begin(), png.end() - cut)), std::runtime_error) << cut;
    std::vector<uint8_t> flipped = png;
    flipped[6 + 16 + 8 + 8 + 8] ^= 1;                     // IHDR's bit depth: fails the CRC
    EXPECT_THROW(DecodeIco(flipped), std::runtime_error);
}
