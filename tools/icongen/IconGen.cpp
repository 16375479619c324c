#include "IconGen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <zlib.h>

namespace IconGen {
namespace {

// ---- palettes -------------------------------------------------------------------------------

// The 16 colours every display can show: the 4-bit palette, and the first 16 of the 8-bit one.
constexpr TRgba kVga[16] = {
    {0, 0, 0, 255},     {128, 0, 0, 255},   {0, 128, 0, 255},   {128, 128, 0, 255},
    {0, 0, 128, 255},   {128, 0, 128, 255}, {0, 128, 128, 255}, {192, 192, 192, 255},
    {128, 128, 128, 255}, {255, 0, 0, 255}, {0, 255, 0, 255},   {255, 255, 0, 255},
    {0, 0, 255, 255},   {255, 0, 255, 255}, {0, 255, 255, 255}, {255, 255, 255, 255},
};

// 8 bit: the VGA colours, a 6 x 6 x 6 colour cube and 24 greys, 256 entries in all.
std::vector<TRgba> Palette(int bitCount) {
    std::vector<TRgba> p(std::begin(kVga), std::end(kVga));
    if (bitCount == 8) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back({uint8_t(51 * r), uint8_t(51 * g), uint8_t(51 * b), 255});
        for (int i = 0; i < 24; ++i) {
            const auto v = uint8_t(8 + 10 * i);
            p.push_back({v, v, v, 255});
        }
    }
    return p;
}

uint8_t PaletteIndex(const std::vector<TRgba>& palette, TRgba c) {
    for (size_t i = 0; i < palette.size(); ++i)
        if (palette[i].R == c.R && palette[i].G == c.G && palette[i].B == c.B) return uint8_t(i);
    throw std::invalid_argument("icon colour is not in the palette");
}

// ---- writing and reading ICO ----------------------------------------------------------------

constexpr uint32_t kInfoHeaderSize = 40;   // BITMAPINFOHEADER

size_t RowBytes(int width, int bitCount) { return size_t((width * bitCount + 31) / 32) * 4; }

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The DIB part of one entry: header, palette, XOR bitmap, AND mask. Rows are stored bottom-up.
std::vector<uint8_t> EncodeImage(const TIconImage& im) {
    const int bits = im.BitCount;
    if (bits != 4 && bits != 8 && bits != 32) throw std::invalid_argument("unsupported bit count");
    if (im.Width <= 0 || im.Width > 256 || im.Height <= 0 || im.Height > 256 ||
        im.Pixels.size() != size_t(im.Width) * im.Height)
        throw std::invalid_argument("bad icon image size");
    const std::vector<TRgba> palette = bits == 32 ? std::vector<TRgba>{} : Palette(bits);
    const size_t xorRow = RowBytes(im.Width, bits), andRow = RowBytes(im.Width, 1);

    std::vector<uint8_t> out;
    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(im.Width));
    Put32(out, uint32_t(im.Height * 2));    // XOR bitmap and AND mask stacked
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0);                          // BI_RGB
    Put32(out, uint32_t((xorRow + andRow) * im.Height));
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (const TRgba& c : palette) out.insert(out.end(), {c.B, c.G, c.R, 0});

    for (int y = im.Height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(xorRow, 0);
        for (int x = 0; x < im.Width; ++x) {
            const TRgba c = im.At(x, y);
            if (c.A == 0) continue;         // black under a set mask bit leaves the screen as is
            if (bits == 32) {
                uint8_t* p = &row[size_t(x) * 4];
                p[0] = c.B, p[1] = c.G, p[2] = c.R, p[3] = c.A;
            } else {
                if (c.A != 255) throw std::invalid_argument("palette pixels are clear or opaque");
                const uint8_t index = PaletteIndex(palette, c);
                if (bits == 8) row[x] = index;
                else row[x / 2] |= uint8_t(x % 2 ? index : index << 4);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    // Where alpha is not used (masks, drag images, old displays) the icon takes the shape of
    // its pixels that are at least half opaque, without a dark halo of faint shadow.
    for (int y = im.Height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andRow, 0);
        for (int x = 0; x < im.Width; ++x)
            if (im.At(x, y).A < 128) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// ---- PNG ------------------------------------------------------------------------------------

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, uint32_t(crc32(0, &out[start], uInt(out.size() - start))));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Byte i of a row filtered by type, from the row (cur) and the one above it (up, zeros at the
// top); the left neighbour is 4 bytes back. Unfiltering adds what filtering subtracts.
uint8_t Predict(int type, const uint8_t* cur, const uint8_t* up, size_t i) {
    const int a = i >= 4 ? cur[i - 4] : 0, b = up[i], c = i >= 4 ? up[i - 4] : 0;
    switch (type) {
    case 1: return uint8_t(a);
    case 2: return uint8_t(b);
    case 3: return uint8_t((a + b) / 2);
    case 4: return uint8_t(Paeth(a, b, c));
    default: return 0;
    }
}

// Straight RGBA, 8 bits a channel. Each row takes the filter whose bytes, read as signed, sum
// to the least (the usual choice of encoders), then zlib at its strongest.
std::vector<uint8_t> EncodePng(const TIconImage& im) {
    const size_t stride = size_t(im.Width) * 4;
    std::vector<uint8_t> raw, up(stride, 0), cur(stride), best, trial(stride);
    for (int y = 0; y < im.Height; ++y) {
        for (int x = 0; x < im.Width; ++x) {
            const TRgba c = im.At(x, y);
            cur[x * 4] = c.R, cur[x * 4 + 1] = c.G, cur[x * 4 + 2] = c.B, cur[x * 4 + 3] = c.A;
        }
        long bestCost = -1;
        int bestType = 0;
        for (int type = 0; type <= 4; ++type) {
            long cost = 0;
            for (size_t i = 0; i < stride; ++i) {
                trial[i] = uint8_t(cur[i] - Predict(type, cur.data(), up.data(), i));
                cost += std::abs(int(int8_t(trial[i])));
            }
            if (bestCost < 0 || cost < bestCost) bestCost = cost, bestType = type, best = trial;
        }
        raw.push_back(uint8_t(bestType));
        raw.insert(raw.end(), best.begin(), best.end());
        up = cur;
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress an icon image");
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    PutBig32(header, uint32_t(im.Width));
    PutBig32(header, uint32_t(im.Height));
    header.insert(header.end(), {8, 6, 0, 0, 0});   // 8 bits, RGBA, deflate, adaptive, no interlace
    std::vector<uint8_t> out(std::begin(kPngSignature), std::end(kPngSignature));
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

bool IsPng(const uint8_t* p, size_t size) {
    return size >= 8 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), p);
}

uint32_t Big32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

TIconImage DecodePng(const uint8_t* p, size_t size) {
    TIconImage im;
    im.Png = true;
    std::vector<uint8_t> packed;
    bool header = false, end = false;
    for (size_t at = 8; !end;) {
        if (size - at < 12) throw std::runtime_error("PNG image is truncated");
        const uint32_t length = Big32(p + at);
        if (length > size - at - 12) throw std::runtime_error("PNG chunk overruns the image");
        const uint8_t* type = p + at + 4;
        const uint8_t* data = type + 4;
        if (Big32(data + length) != uint32_t(crc32(0, type, uInt(length + 4))))
            throw std::runtime_error("PNG chunk fails its CRC");
        if (!std::memcmp(type, "IHDR", 4)) {
            if (length != 13) throw std::runtime_error("bad PNG header");
            im.Width = int(Big32(data)), im.Height = int(Big32(data + 4));
            if (data[8] != 8 || data[9] != 6 || data[10] || data[11] || data[12])
                throw std::runtime_error("PNG image is not 8-bit RGBA without interlacing");
            header = true;
        } else if (!std::memcmp(type, "IDAT", 4)) {
            packed.insert(packed.end(), data, data + length);
        } else if (!std::memcmp(type, "IEND", 4)) {
            end = true;
        }
        at += 12 + length;
    }
    if (!header || im.Width <= 0 || im.Width > 256 || im.Height <= 0 || im.Height > 256)
        throw std::runtime_error("bad PNG image size");
    const size_t stride = size_t(im.Width) * 4;
    std::vector<uint8_t> raw((stride + 1) * im.Height);
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())) != Z_OK || rawSize != raw.size())
        throw std::runtime_error("PNG image data does not inflate to its size");
    std::vector<uint8_t> up(stride, 0);
    for (int y = 0; y < im.Height; ++y) {
        uint8_t* row = &raw[(stride + 1) * y];
        const int type = row[0];
        if (type > 4) throw std::runtime_error("unknown PNG filter");
        uint8_t* cur = row + 1;
        for (size_t i = 0; i < stride; ++i) cur[i] = uint8_t(cur[i] + Predict(type, cur, up.data(), i));
        for (int x = 0; x < im.Width; ++x)
            im.Pixels.push_back({cur[x * 4], cur[x * 4 + 1], cur[x * 4 + 2], cur[x * 4 + 3]});
        up.assign(cur, cur + stride);
    }
    return im;
}

class TReader {
public:
    explicit TReader(const std::vector<uint8_t>& bytes) : FBytes(bytes) {}
    uint32_t U8(size_t at) const { Need(at, 1); return FBytes[at]; }
    uint32_t U16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
    const uint8_t* At(size_t at) const { return FBytes.data() + at; }
    void Need(size_t at, size_t count) const {
        if (at > FBytes.size() || count > FBytes.size() - at)
            throw std::runtime_error("icon file is truncated");
    }
private:
    const std::vector<uint8_t>& FBytes;
};

TIconImage DecodeImage(const TReader& in, size_t at, size_t size) {
    in.Need(at, size);
    if (IsPng(in.At(at), size)) return DecodePng(in.At(at), size);
    const uint32_t headerSize = in.U32(at);
    TIconImage im;
    im.Width = int32_t(in.U32(at + 4));
    im.Height = int32_t(in.U32(at + 8)) / 2;
    im.BitCount = int(in.U16(at + 14));
    if (headerSize != kInfoHeaderSize || in.U32(at + 16) != 0)
        throw std::runtime_error("icon image is not an uncompressed bitmap");
    if (im.BitCount != 4 && im.BitCount != 8 && im.BitCount != 32)
        throw std::runtime_error("unsupported icon bit count");
    if (im.Width <= 0 || im.Width > 256 || im.Height <= 0 || im.Height > 256)
        throw std::runtime_error("bad icon image size");

    const uint32_t used = in.U32(at + 32);
    const size_t colours = im.BitCount == 32 ? 0 : used ? used : size_t(1) << im.BitCount;
    if (colours > 256) throw std::runtime_error("icon palette too large");
    const size_t palette = at + headerSize, xorBits = palette + 4 * colours;
    const size_t xorRow = RowBytes(im.Width, im.BitCount), andRow = RowBytes(im.Width, 1);
    const size_t andBits = xorBits + xorRow * im.Height;
    if (andBits + andRow * im.Height > at + size) throw std::runtime_error("icon image overruns its entry");

    im.Pixels.resize(size_t(im.Width) * im.Height);
    for (int y = 0; y < im.Height; ++y) {
        const size_t row = xorBits + xorRow * (im.Height - 1 - y);
        const size_t mask = andBits + andRow * (im.Height - 1 - y);
        for (int x = 0; x < im.Width; ++x) {
            TRgba& c = im.Pixels[size_t(y) * im.Width + x];
            if (im.BitCount == 32) {
                const size_t p = row + size_t(x) * 4;
                c = {uint8_t(in.U8(p + 2)), uint8_t(in.U8(p + 1)), uint8_t(in.U8(p)), uint8_t(in.U8(p + 3))};
                continue;
            }
            size_t index = in.U8(row + size_t(x) * im.BitCount / 8);
            if (im.BitCount == 4) index = x % 2 ? index & 0x0F : index >> 4;
            if (index >= colours) throw std::runtime_error("icon pixel outside its palette");
            const size_t p = palette + 4 * index;
            const bool transparent = in.U8(mask + size_t(x) / 8) & (0x80 >> (x % 8));
            c = {uint8_t(in.U8(p + 2)), uint8_t(in.U8(p + 1)), uint8_t(in.U8(p)),
                 uint8_t(transparent ? 0 : 255)};
        }
    }
    return im;
}

// ---- drawing ---------------------------------------------------------------------------------

TIconImage Blank(int size, int bitCount) {
    TIconImage im;
    im.Width = im.Height = size;
    im.BitCount = bitCount;
    im.Pixels.assign(size_t(size) * size, TRgba{});
    return im;
}

void Fill(TIconImage& im, int x0, int y0, int x1, int y1, TRgba c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) im.Pixels[size_t(y) * im.Width + x] = c;
}

// The ring 7 pixels across around the hot spot (16, 16): the picked pixel shows through it.
void DrawRing(TIconImage& im, TRgba c) {
    Fill(im, 15, 13, 17, 13, c);   Fill(im, 15, 19, 17, 19, c);     // top and bottom
    Fill(im, 14, 14, 14, 14, c);   Fill(im, 18, 14, 18, 14, c);     // corners
    Fill(im, 14, 18, 14, 18, c);   Fill(im, 18, 18, 18, 18, c);
    Fill(im, 13, 15, 13, 17, c);   Fill(im, 19, 15, 19, 17, c);     // left and right
}

// ---- pixel art for the 16-colour application icon -------------------------------------------

// One character per pixel; '.' is transparent.
TRgba ArtColour(char ch) {
    static const char kKeys[] = "#mgonpts-RGYBMCW";   // in kVga order
    if (ch == '.') return {};
    const char* k = std::strchr(kKeys, ch);
    if (!k || !*k) throw std::invalid_argument("unknown pixel art character");
    return kVga[k - kKeys];
}

TIconImage FromArt(const std::vector<const char*>& rows) {
    TIconImage im = Blank(int(rows.size()), 4);
    for (int y = 0; y < im.Height; ++y) {
        if (std::strlen(rows[y]) != size_t(im.Width)) throw std::invalid_argument("ragged pixel art");
        for (int x = 0; x < im.Width; ++x) im.Pixels[size_t(y) * im.Width + x] = ArtColour(rows[y][x]);
    }
    return im;
}

// ---- the anti-aliased About icon ------------------------------------------------------------

// Colours while painting: premultiplied, 0..1. Double precision keeps the rounded bytes the
// same whatever the compiler fuses or reorders.
struct TPaint { double R = 0, G = 0, B = 0, A = 0; };

void Over(TPaint& dst, double r, double g, double b, double a) {
    dst.R = r * a + dst.R * (1 - a);
    dst.G = g * a + dst.G * (1 - a);
    dst.B = b * a + dst.B * (1 - a);
    dst.A = a + dst.A * (1 - a);
}

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

void HueToRgb(double hue, double& r, double& g, double& b) {   // hue 0..1, full saturation
    auto channel = [hue](double n) {
        const double k = std::fmod(n + hue * 6, 6.0);
        return 1 - Clamp01(std::min(k, 4 - k));
    };
    r = channel(5), g = channel(3), b = channel(1);
}

double SmoothStep(double edge0, double edge1, double v) {
    const double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// The scene in unit coordinates, x to the right and y down over 0..1, so that every size is
// drawn from the same shapes. Outlines are 1/32 wide: one pixel at 32 x 32, two at 64 x 64.
constexpr double kLine = 1.0 / 32;
constexpr double kWheelX = 13.0 / 32, kWheelY = 18.0 / 32, kWheelR = 11.0 / 32;   // whole pixels at 32
constexpr double kHalfRoot2 = 0.70710678118654752;   // the dropper lies at 45 degrees

// A piece of the eyedropper along its axis: t from the tip, half width growing from W0 to W1.
struct TPart {
    double T0, T1, W0, W1;
    bool Round;                        // capsule ends instead of square ones
    bool Glass;                        // filled with liquid below kLiquid
    double R, G, B, Shine;
};

double PartDistance(const TPart& part, double t, double side) {
    const double tc = std::min(part.T1, std::max(part.T0, t));
    const double w = part.W0 + (part.W1 - part.W0) * (tc - part.T0) / (part.T1 - part.T0);
    if (part.Round) return std::hypot(t - tc, side) - w;
    return std::max(std::max(part.T0 - t, t - part.T1), std::abs(side) - w);
}

// Liquid fills the tip and the lower barrel; the glass above it is pale.
constexpr double kLiquid = 0.27;
constexpr TPart kDropper[] = {
    {0.50, 0.61, 0.068, 0.078, true, false, 0.82, 0.10, 0.12, 0.45},   // rubber bulb
    {0.13, 0.41, 0.052, 0.052, false, true, 0.88, 0.93, 0.97, 0.6},    // barrel
    {0.00, 0.13, 0.016, 0.034, false, true, 0.88, 0.93, 0.97, 0.6},    // tapered tip
    {0.40, 0.47, 0.076, 0.076, false, false, 0.62, 0.65, 0.70, 0.3},   // metal collar
};
constexpr double kLiquidR = 0.10, kLiquidG = 0.42, kLiquidB = 0.95;

TPaint AboutScene(double x, double y) {
    TPaint p;
    const double dx = x - kWheelX, dy = y - kWheelY;
    // t runs from the dropper's tip up to the bulb, side across it; written without a product
    // sum, so a fused multiply-add cannot move a sample across an edge that runs through it.
    const double t = (dx - dy) * kHalfRoot2, side = (dx + dy) * kHalfRoot2;

    // Soft shadow of wheel and dropper together, cast down and to the right.
    const double sx = dx - 0.02, sy = dy - 0.03;
    const double st = std::min(0.64, std::max(0.0, (sx - sy) * kHalfRoot2));
    const double shadow = std::min(std::hypot(sx, sy) - kWheelR,
                                   std::hypot(sx - st * kHalfRoot2, sy + st * kHalfRoot2) - 0.06);
    Over(p, 0, 0, 0, 0.35 * (1 - SmoothStep(-0.03, 0.05, shadow)));

    // The wheel: hue round the centre, saturation growing outwards from white, a dark rim.
    const double r = std::hypot(dx, dy);
    if (r <= kWheelR - kLine) {
        double hr, hg, hb;
        HueToRgb(std::atan2(-dy, dx) / 6.2831853 + 1, hr, hg, hb);
        const double s = Clamp01(1.1 * r / (kWheelR - kLine));
        Over(p, 1 - s * (1 - hr), 1 - s * (1 - hg), 1 - s * (1 - hb), 1);
    } else if (r <= kWheelR) {
        Over(p, 0.20, 0.21, 0.24, 1);
    }

    // The eyedropper: one dark outline round all pieces, then the pieces, lit from top left.
    for (const TPart& part : kDropper)
        if (PartDistance(part, t, side) <= kLine) { Over(p, 0.13, 0.14, 0.17, 1); break; }
    for (const TPart& part : kDropper) {
        if (PartDistance(part, t, side) > 0) continue;
        const bool liquid = part.Glass && t < kLiquid;
        const double u = side / std::max(part.W0, part.W1);        // -1 upper left .. 1 lower right
        const double shade = 1.05 - 0.25 * u, shine = part.Shine * std::exp(-(u + 0.45) * (u + 0.45) / 0.03);
        const double cr = liquid ? kLiquidR : part.R, cg = liquid ? kLiquidG : part.G;
        const double cb = liquid ? kLiquidB : part.B;
        Over(p, Clamp01(cr * shade + shine), Clamp01(cg * shade + shine), Clamp01(cb * shade + shine), 1);
    }
    return p;
}

TIconImage RenderAbout(int size) {
    constexpr int kSub = 8;                // 64 samples per pixel
    TIconImage im = Blank(size, 32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            TPaint sum;
            for (int j = 0; j < kSub; ++j)
                for (int i = 0; i < kSub; ++i) {
                    const TPaint s = AboutScene((x + (i + 0.5) / kSub) / size, (y + (j + 0.5) / kSub) / size);
                    sum.R += s.R, sum.G += s.G, sum.B += s.B, sum.A += s.A;
                }
            const double a = sum.A / (kSub * kSub);
            if (a < 0.5 / 255) continue;
            auto byte = [](double v) { return uint8_t(std::lround(Clamp01(v) * 255)); };
            im.Pixels[size_t(y) * size + x] = {byte(sum.R / sum.A), byte(sum.G / sum.A),
                                               byte(sum.B / sum.A), byte(a)};
        }
    return im;
}

// The application icon: an eyedropper dipped into a colour wheel, drawn pixel by pixel in
// the 16 VGA colours. The 16 px image is drawn on its own so the tray shows clean shapes.
//   # black  m maroon  g green  o olive  n navy  p purple  t teal  s silver
//   - grey   R red     G lime   Y yellow B blue  M fuchsia C aqua  W white   . transparent
const std::vector<const char*> kMain32 = {
    "................................",
    "..........................###...",
    ".........................#RRR#..",
    "........................#RRRRR#.",
    ".......................#RRWRRm#.",
    "......................#RRWRRmm#.",
    ".....................#RRWRRmm#..",
    "....................#ssRRRmm#...",
    ".........########..#ss--Rmm#....",
    ".......##GGGGYYYY###W----m#.....",
    "......#GGGGGGYYYYY#WWW---#......",
    ".....#GGGGGGGYYYY#WWWss-#.......",
    "....#GGGGGGGGYYY#WWWss##........",
    "...#GGGGGGGGGYY#BCWss##.........",
    "...#CGGGGGGGGY#BCBBs#R#.........",
    "..#CCCCGGGGGWW#CBBn#Rmm#........",
    "..#CCCCCCGWWW#CBBn#RRRm#........",
    "..#CCCCCCCWW#CBB##RRRRm#........",
    "..#CCCCCCWWW#BB#WRRRRRm#........",
    "..#CCCCCCWWWB##WWRRRRRm#........",
    "..#CCCCCCCWWWWWWRRRRRRm#........",
    "..#CCCCCCBWWWWWWMRRRRRm#........",
    "..#CCCCBBBBBWWMMMMMRRmm#........",
    "...#CBBBBBBBBMMMMMMMMm#.........",
    "...#BBBBBBBBBMMMMMMMpp#.........",
    "....#BBBBBBBBMMMMMMpp#..........",
    ".....#nnBBBBBMMMMMpp#...........",
    "......#nnnBBBMMMppp#............",
    ".......##nnnnpppp##.............",
    ".........########...............",
    "................................",
    "................................",
};

const std::vector<const char*> kMain16 = {
    ".............##.",
    "............#RR#",
    "...........#WRm#",
    "..........#RRRm#",
    "....####.#s-Rm#.",
    "..##GGYY##W--#..",
    ".#GGGGYY#Ws##...",
    ".#GGGGY#CB#.....",
    "#CCGGG#BB#R#....",
    "#CCCCWB##RR#....",
    "#CCCCWWRRRR#....",
    "#CCBBBMMMRR#....",
    ".#BBBBMMMM#.....",
    ".#BBBBMMMM#.....",
    "..##BBMM##......",
    "....####........",
};

} // namespace

// ---- public ---------------------------------------------------------------------------------

std::vector<uint8_t> EncodeIco(const std::vector<TIconImage>& images) {
    std::vector<std::vector<uint8_t>> dibs;
    for (const TIconImage& im : images) {
        if (im.Png && im.BitCount != 32) throw std::invalid_argument("PNG images are 32 bit");
        dibs.push_back(im.Png ? EncodePng(im) : EncodeImage(im));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);                          // icon, not cursor
    Put16(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const TIconImage& im = images[i];
        out.push_back(uint8_t(im.Width));   // 256 is written as 0
        out.push_back(uint8_t(im.Height));
        out.push_back(uint8_t(im.BitCount == 4 ? 16 : 0));
        out.push_back(0);
        Put16(out, 1);
        Put16(out, uint32_t(im.BitCount));
        Put32(out, uint32_t(dibs[i].size()));
        Put32(out, offset);
        offset += uint32_t(dibs[i].size());
    }
    for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

std::vector<TIconImage> DecodeIco(const std::vector<uint8_t>& bytes) {
    const TReader in(bytes);
    if (in.U16(0) != 0 || in.U16(2) != 1) throw std::runtime_error("not an icon file");
    std::vector<TIconImage> images;
    for (uint32_t i = 0, n = in.U16(4); i < n; ++i)
        images.push_back(DecodeImage(in, in.U32(6 + 16 * i + 12), in.U32(6 + 16 * i + 8)));
    return images;
}

TIconImage AddImage() {
    constexpr TRgba kBlack{0, 0, 0, 255};
    TIconImage im = Blank(32, 8);
    // The arms stop short of the ring, so nothing but the ring surrounds the picked pixel.
    Fill(im, 16, 1, 16, 12, kBlack);
    Fill(im, 16, 20, 16, 31, kBlack);
    Fill(im, 1, 16, 13, 16, kBlack);
    Fill(im, 19, 16, 31, 16, kBlack);
    DrawRing(im, kBlack);
    return im;
}

TIconImage RoundImage() {
    TIconImage im = Blank(32, 8);
    DrawRing(im, {255, 0, 0, 255});
    return im;
}

std::vector<TIconImage> MainImages() { return {FromArt(kMain32), FromArt(kMain16)}; }

// The About box shows the icon at 32 px on a screen of 96 DPI; the larger images, for scaled
// screens, go in as PNG.
std::vector<TIconImage> AboutImages() {
    std::vector<TIconImage> images{RenderAbout(64), RenderAbout(48), RenderAbout(32)};
    images[0].Png = images[1].Png = true;
    return images;
}

TIconImage ScaleNearest(const TIconImage& im, int size) {
    if (size <= 0 || size > 256) throw std::invalid_argument("bad icon image size");
    if (im.Width <= 0 || im.Height <= 0 || im.Pixels.size() != size_t(im.Width) * im.Height)
        throw std::invalid_argument("icon image has no pixels to scale");
    TIconImage out = Blank(size, im.BitCount);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            out.Pixels[size_t(y) * size + x] = im.At(x * im.Width / size, y * im.Height / size);
    return out;
}

namespace {

std::vector<uint8_t> BuildCursorIcon(const TIconImage& image) {
    std::vector<TIconImage> images{image};
    for (int size : kCursorScaledSizes) images.push_back(ScaleNearest(image, size));
    return EncodeIco(images);
}

} // namespace

std::vector<uint8_t> BuildAddIcon() { return BuildCursorIcon(AddImage()); }
std::vector<uint8_t> BuildRoundIcon() { return BuildCursorIcon(RoundImage()); }
std::vector<uint8_t> BuildMainIcon() { return EncodeIco(MainImages()); }
std::vector<uint8_t> BuildAboutIcon() { return EncodeIco(AboutImages()); }

} // namespace IconGen
