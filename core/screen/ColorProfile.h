#pragma once

#include "../../base/Color.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Monitor colour profiles of the matrix and tone-curve kind: reading one from its bytes, and
// turning a screen colour as the monitor shows it into sRGB, Display P3 or Adobe RGB (1998).
// A profile comes from the system or a file and is untrusted: Read refuses anything it cannot
// use with a short reason and never crashes, and its work is bounded by the 4 MB size limit.
// The conversions give the same results in every build (Extended.h). Nothing here throws
// except std::bad_alloc.
namespace ColorProfile {

enum class TSpace { Srgb, P3, AdobeRgb, Count };  // Count: how many, no space

// A colour in the profile connection space: CIE XYZ relative to D50, white at Y = 1.
struct TXyz {
    double X = 0, Y = 0, Z = 0;
};

// A tone curve from encoded value 0..1 to linear light. Type 0..4 are the parametric
// functions with Params g, a, b, c, d, e, f (unused ones zero): a gamma alone, and the forms
// with an offset, a linear foot and offsets; a plain gamma and the identity come as type 0.
// Type kTable interpolates Table (at least two points, 0..65535) evenly over 0..1.
struct TToneCurve {
    static constexpr int kTable = -1;
    int Type = 0;
    double Params[7] = {1, 0, 0, 0, 0, 0, 0};
    std::vector<std::uint16_t> Table;
};

// A matrix/TRC profile as read: D50-relative primaries (rXYZ/gXYZ/bXYZ), media white (wtpt),
// chad where present, and the three tone curves.
struct TProfile {
    int Version = 0;  // the major version, 2 or 4
    TXyz Red, Green, Blue;
    bool HasWhite = false;
    TXyz White;
    bool HasChad = false;
    double Chad[3][3] = {};
    TToneCurve Curves[3];  // red, green, blue
};

// Reads an ICC profile's bytes. False, with Reason (short English text for logs and tests),
// for anything that is not a usable RGB display matrix/TRC profile (LUT-based profiles
// included: Reason says so, and LutBased is set so the caller can try the system's engine).
bool Read(const unsigned char* Data, std::size_t Size, TProfile& Out, std::string& Reason,
          bool* LutBased = nullptr);

// The largest profile Read takes.
constexpr std::size_t kMaxSize = 4 * 1024 * 1024;

// A conversion from device RGB into a space, relative colorimetric without black-point
// compensation, with every curve precomputed: Convert allocates nothing and costs well under
// a microsecond. Each channel is rounded to nearest and clamped to 0..255.
class TConverter {
public:
    TConverter();  // sRGB into sRGB (the identity)
    TConverter(const TProfile& Device, TSpace Target);
    static TConverter FromSrgb(TSpace Target);  // a monitor without a usable profile counts as sRGB
    // A colour with its top byte set (a failed screen read) comes back unchanged.
    TColor Convert(TColor Device) const;

private:
    explicit TConverter(TSpace Target);  // from sRGB

    long double FMatrix[3][3];        // device linear light to the target's linear light
    long double FLinear[3][256];      // each device channel's linear light
    const long double* FThreshold;    // the target's 256 steps: see ChannelOf
};

// The bytes of a small v2 matrix/TRC display profile of a built-in space, with the colorants
// and curves the converters use: what the system's engine is given as the target when a
// monitor's profile is one only the engine can read.
std::string WriteTarget(TSpace Target);

const char* SpaceName(TSpace Space);  // "sRGB", "P3", "Adobe RGB"

}  // namespace ColorProfile
