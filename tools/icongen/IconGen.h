// Builds the program's .ico resources in memory and reads .ico files back, without Windows.
// Images are written the classic way (BITMAPINFOHEADER with doubled height, XOR bitmap, 1-bit
// AND mask), which LoadImage reads without a decoder; a 32-bit image marked Png goes in as a
// PNG file instead, as icons may hold since Windows Vista: a tenth of the bytes, decoded when
// loaded, so only for images that no start-up loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace IconGen {

struct TRgba {
    uint8_t R = 0, G = 0, B = 0, A = 0;   // straight (not premultiplied) alpha
    bool operator==(const TRgba& o) const { return R == o.R && G == o.G && B == o.B && A == o.A; }
};

// One image of an icon. Pixels run row by row from the top left. In 4- and 8-bit images A is
// 0 (mask set) or 255; in 32-bit images it is the stored alpha.
struct TIconImage {
    int Width = 0, Height = 0;
    int BitCount = 32;                    // 4 (VGA palette), 8 (256-colour palette) or 32 (BGRA)
    bool Png = false;                     // stored as PNG (32 bit only)
    std::vector<TRgba> Pixels;

    TRgba At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Throws std::invalid_argument when a 4- or 8-bit image holds a colour its palette lacks.
std::vector<uint8_t> EncodeIco(const std::vector<TIconImage>& images);
// Throws std::runtime_error on anything but images of 4, 8 or 32 bits per pixel and PNG images
// of 8-bit RGBA, without interlacing.
std::vector<TIconImage> DecodeIco(const std::vector<uint8_t>& bytes);

// The images, for tests and for the file builders below.
TIconImage AddImage();                    // 32 x 32, 8 bit: the black "+" picker with its ring
TIconImage RoundImage();                  // 32 x 32, 8 bit: the red ring of the magnifier cursor
std::vector<TIconImage> MainImages();     // 32 x 32 and 16 x 16, 4 bit
std::vector<TIconImage> AboutImages();    // 64 and 48 px as PNG, 32 px; 32 bit with alpha

// The "+" picker and the ring on scaled screens: their 32 px at 96 DPI become these sizes at
// 120, 144, 168, 192, 240 and 288 DPI (32 * DPI / 96, rounded to nearest).
constexpr int kCursorScaledSizes[] = {40, 48, 56, 64, 80, 96};

// Pixel art at another size, without blending: pixel (x, y) of the result is pixel
// (x * Width / size, y * Height / size) of the source, with the same bit depth and alpha.
// Throws std::invalid_argument for a size outside 1..256 or a source without pixels.
TIconImage ScaleNearest(const TIconImage& im, int size);

// The two cursor icons hold their 32 px image first, then ScaleNearest of it at each of
// kCursorScaledSizes, so LoadImage finds the exact size on every scaled screen.
std::vector<uint8_t> BuildAddIcon();
std::vector<uint8_t> BuildRoundIcon();
std::vector<uint8_t> BuildMainIcon();
std::vector<uint8_t> BuildAboutIcon();

} // namespace IconGen
