// The colour arithmetic of the CSS notations, on the x87 extended format under a pinned
// control word (Extended.h).
//
// The power, root, arc tangent, sine and cosine below are our own, built from the four
// operations and fsqrt with a fixed number of steps: the C libraries' versions differ in
// their last bits between Linux and Windows, and a last bit is enough to move a rounding.
// With them every result is the same bit pattern in every build. Their error is a few units
// of the 64-bit significand: some ten thousand times below the distance between any colour's
// exact Lab or OKLCH value and the nearest rounding edge of its text.

#include "ColorSpace.h"
#include "ColorSpaceUnrounded.h"

#include "Extended.h"

namespace ColorSpace {

namespace {

using Extended::Larger;
using Extended::Smaller;
using Extended::SquareRoot;
using Extended::TExtended;
using Extended::TExtendedPrecision;

using TMatrix = TExtended[3][3];
using TVector = TExtended[3];

// Linear-light sRGB to CIE XYZ under D50, each row divided by the D50 white's own value so
// that white comes out as 1, 1, 1: the sRGB matrix (from its primaries and the D65 white)
// followed by Bradford's adaptation from D65 to D50, multiplied out in exact fractions.
constexpr TMatrix kLinearToLab = {
    {4.522116582424808130802e-1L, 3.994122539429339992225e-1L, 1.483760878145855473886e-1L},
    {2.224931771105652655951e-1L, 7.168870130944824600330e-1L, 6.061980979495236500167e-2L},
    {1.687534092138685177429e-2L, 1.176594142561208465962e-1L, 8.654652448224924635066e-1L},
};
// Its exact inverse.
constexpr TMatrix kLabToLinear = {
    {3.022233652294478614676L, -1.617385998018042628966L, -4.048476542764368606624e-1L},
    {-9.438482461515549957547e-1L, 1.916254377395988788701L, 2.759386875556636841110e-2L},
    {6.938627393942093821003e-2L, -2.289767598151820556290e-1L, 1.159590485875760925502L},
};
// Linear-light sRGB to the cone responses of OKLab: the sRGB matrix to CIE XYZ under D65,
// then the cone matrix, multiplied out in exact fractions; and its exact inverse.
constexpr TMatrix kLinearToLms = {
    {4.122214694707630003353e-1L, 5.363325372617348134090e-1L, 5.144599326750220184843e-2L},
    {2.119034958178252292503e-1L, 6.806995506452343274785e-1L, 1.073969535369405480432e-1L},
    {8.830245919005642497219e-2L, 2.817188391361214835598e-1L, 6.299787016738221279726e-1L},
};
constexpr TMatrix kLmsToLinear = {
    {4.076741636075958219950L, -3.307711539258062416482L, 2.309699031821044710892e-1L},
    {-1.268437973285031960610L, 2.609757349287689026714L, -3.413193760026573072959e-1L},
    {-4.196076138675480061721e-3L, -7.034186179359363210921e-1L, 1.707614694074611812582L},
};
// The cube roots of the cone responses to OKLab L, a and b; and its exact inverse.
constexpr TMatrix kLmsToOklab = {
    {0.2104542683093140L, 0.7936177747023054L, -0.0040720430116193L},
    {1.9779985324311684L, -2.4285922420485799L, 0.4505937096174110L},
    {0.0259040424655478L, 0.7827717124575296L, -0.8086757549230774L},
};
constexpr TMatrix kOklabToLms = {
    {1.000000000000000098169L, 3.963377773761749589432e-1L, 2.158037573099136033243e-1L},
    {9.999999999999998472193e-1L, -1.055613458156585499031e-1L, -6.385417282581333322190e-2L},
    {9.999999999999998552579e-1L, -8.948417752981182079076e-2L, -1.291485548019409346038L},
};

constexpr TExtended kLabEpsilon = 216.0L / 24389;  // (6/29)^3, where Lab's cube root starts
constexpr TExtended kLabKappa = 24389.0L / 27;     // (29/3)^3, the slope of the straight part
constexpr TExtended kDegreesPerRadian = 57.29577951308232087679815481410517033L;

// Half up counts a value this little below the half (in units of the last digit kept) as
// the half. A conversion from decimal text often lands exactly on a half (30 % of 255 is
// 76.5), which the extended format may carry as 76.4999999999999999998. The margin is a
// thousand times the arithmetic's error, and no colour's exact Lab or OKLCH value comes
// within seventy times the margin of a half; a typed value that close below one counts as it.
constexpr TExtended kHalfSlack = 1e-11L;

// The factors of three series, worked out by the compiler: atan(t) / t is the sum of
// (-1)^K t^2K / (2K + 1); the sine and cosine run as nested products
// 1 - x^2 / ((2K)(2K + 1)) (...) and 1 - x^2 / ((2K - 1)(2K)) (...).
struct TSeries {
    TExtended ArcTangent[16], Sine[12], Cosine[12];
};

constexpr TSeries MakeSeries() {
    TSeries Series{};
    for (int K = 0; K < 16; ++K) Series.ArcTangent[K] = (K % 2 == 0 ? 1 : -1) / (2.0L * K + 1);
    for (int K = 1; K < 12; ++K) {
        Series.Sine[K] = 1 / (2.0L * K * (2 * K + 1));
        Series.Cosine[K] = 1 / (2.0L * K * (2 * K - 1));
    }
    return Series;
}

constexpr TSeries kSeries = MakeSeries();

constexpr TExtended kPowersOfTen[19] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L,
};

TExtended ValueOf(TDecimal Number) {
    const int Scale = Number.Scale < 0 ? 0 : Number.Scale > 18 ? 18 : Number.Scale;
    return static_cast<TExtended>(Number.Digits) / kPowersOfTen[Scale];
}

TExtended Clipped(TExtended X, TExtended Low, TExtended High) {
    return X > High ? High : X >= Low ? X : Low;  // NaN gives Low
}

// The whole number at or below X, for X well inside the int range.
int Floor(TExtended X) {
    int Nearest = 0;
    Extended::Round(X, Nearest);
    return Nearest > X ? Nearest - 1 : Nearest;
}

// Rounded half up, clipped to Low..High.
int Rounded(TExtended X, int Low, int High) {
    return Floor(Clipped(X, Low, High) + (0.5L + kHalfSlack));
}

void Apply(const TMatrix& M, const TVector& In, TVector& Out) {
    for (int I = 0; I < 3; ++I) Out[I] = M[I][0] * In[0] + M[I][1] * In[1] + M[I][2] * In[2];
}

// Scales a positive finite X by powers of 8 into [1/8, 1), where its cube root lies in
// [1/2, 1); gives back the factor that scales the root back.
TExtended ScaledForCubeRoot(TExtended& X) {
    TExtended Scale = 1;
    while (X >= 1) X *= 0.125L, Scale *= 2;
    while (X < 0.125L) X *= 8, Scale *= 0.5L;
    return Scale;
}

// One of Halley's steps towards the cube root of X from Y: it triples the correct digits.
TExtended HalleyStep(TExtended Y, TExtended X) {
    const TExtended Cube = Y * Y * Y;
    return Y * (Cube + 2 * X) / (2 * Cube + X);
}

// The cube root of X > 0 from the chord between the ends of [1/8, 1): three steps. Only the
// tables need it; the conversions start from the tables' knots.
TExtended CubeRootFromChord(TExtended X) {
    const TExtended Scale = ScaledForCubeRoot(X);
    TExtended Y = 0.5L + (X - 0.125L) * (4.0L / 7);
    for (int I = 0; I < 3; ++I) Y = HalleyStep(Y, X);
    return Y * Scale;
}

// The fifth root of X in (0, 1]: scaled by powers of 32 into [1/32, 1], eight Newton steps
// from the chord. Only the tables of the transfer curve need it.
TExtended FifthRoot(TExtended X) {
    TExtended Scale = 1;
    while (X < 1.0L / 32) X *= 32, Scale *= 0.5L;
    TExtended Y = 0.5L + (X - 1.0L / 32) * (16.0L / 31);
    for (int I = 0; I < 8; ++I) {
        const TExtended Square = Y * Y;
        Y = (4 * Y + X / (Square * Square)) / 5;
    }
    return Y * Scale;
}

// The arc tangent of T in [0, 1], in radians, with the angle halved twice
// (atan t = 2 atan(t / (1 + sqrt(1 + t^2)))) so that a ratio below 0.2 is left for the series.
// Only the tables need it.
TExtended ArcTangentByHalving(TExtended T) {
    for (int I = 0; I < 2; ++I) T = T / (1 + SquareRoot(1 + T * T));
    const TExtended T2 = T * T;
    TExtended Series = 0;  // atan(T) / T
    for (int K = 15; K >= 0; --K) Series = kSeries.ArcTangent[K] + T2 * Series;
    return 4 * T * Series;
}

// sRGB's transfer curve: an encoded value 0..1 to linear light. The power 2.4 is the square
// times the square of the fifth root.
TExtended Decode(TExtended Encoded) {
    if (Encoded <= 0.04045L) return Encoded / 12.92L;
    const TExtended X = (Encoded + 0.055L) / 1.055L;
    const TExtended Fifth = FifthRoot(X);
    return X * X * (Fifth * Fifth);
}

constexpr int kBuckets = 4096;

struct TTables {
    TExtended Light[256];      // the linear light of each 8-bit value
    TExtended Threshold[256];  // from Threshold[N] up the nearest 8-bit value is N (N >= 1)
    unsigned char Guess[kBuckets + 1];  // the nearest 8-bit value at light Bucket / kBuckets
    TExtended InverseCubeRootKnot[65];  // 1 / the cube root of K / 64 (K >= 8)
    TExtended ArcTangentKnot[33];       // atan(K / 32)
};

// Built on first use, which is always inside a pinned conversion.
const TTables& Tables() {
    static const TTables Tables = [] {
        TTables Built{};
        for (int N = 0; N < 256; ++N) {
            Built.Light[N] = Decode(static_cast<TExtended>(N) / 255);
            Built.Threshold[N] = Decode((N - 0.5L) / 255);
        }
        int N = 0;
        for (int Bucket = 0; Bucket <= kBuckets; ++Bucket) {
            while (N < 255 && static_cast<TExtended>(Bucket) / kBuckets >= Built.Threshold[N + 1])
                ++N;
            Built.Guess[Bucket] = static_cast<unsigned char>(N);
        }
        for (int K = 8; K <= 64; ++K)
            Built.InverseCubeRootKnot[K] = 1 / CubeRootFromChord(static_cast<TExtended>(K) / 64);
        for (int K = 0; K <= 32; ++K)
            Built.ArcTangentKnot[K] = ArcTangentByHalving(static_cast<TExtended>(K) / 32);
        return Built;
    }();
    return Tables;
}

// The cube roots of three finite values, 0 for those <= 0, as X / cbrt(X)^2 from the inverse
// cube root. Between the knots at steps of 1/64 a straight line is within 1e-3 of that, and
// three Newton steps, R (4 - X R^3) / 3, reach the last bit without a division. The three
// run side by side, so the multiplications overlap.
void CubeRoots(const TVector& X, TVector& Root) {
    const TExtended* Knot = Tables().InverseCubeRootKnot;
    TVector Reduced, Scale, R;
    for (int I = 0; I < 3; ++I) {
        if (!(X[I] > 0)) {
            Reduced[I] = 0.125L, Scale[I] = 0, R[I] = 2;
            continue;
        }
        Reduced[I] = X[I];
        Scale[I] = ScaledForCubeRoot(Reduced[I]);
        const TExtended Position = Reduced[I] * 64;
        const int K = Floor(Position);
        R[I] = Knot[K] + (Position - K) * (Knot[K + 1] - Knot[K]);
    }
    for (int Step = 0; Step < 3; ++Step)
        for (int I = 0; I < 3; ++I) R[I] = R[I] * (4 - Reduced[I] * (R[I] * R[I] * R[I])) * (1.0L / 3);
    for (int I = 0; I < 3; ++I) Root[I] = Reduced[I] * (R[I] * R[I]) * Scale[I];
}

// The 8-bit value nearest to a linear light once encoded: the N with Threshold[N] <= Light <
// Threshold[N + 1], which is the same as encoding and rounding, without a power. A table
// gives a start at most a step or two away. Light below black gives 0, above white 255.
int ChannelOfLight(TExtended Light) {
    const TTables& Table = Tables();
    int N = Table.Guess[Floor(Clipped(Light, 0, 1) * kBuckets)];
    while (N < 255 && Light >= Table.Threshold[N + 1]) ++N;
    while (N > 0 && !(Light >= Table.Threshold[N])) --N;
    return N;
}

TColor ColorOfLight(const TVector& Linear) {
    return MakeColor(ChannelOfLight(Linear[0]), ChannelOfLight(Linear[1]),
                     ChannelOfLight(Linear[2]));
}

void LinearOf(TColor Color, TVector& Linear) {
    const TExtended* Light = Tables().Light;
    Linear[0] = Light[RedOf(Color)];
    Linear[1] = Light[GreenOf(Color)];
    Linear[2] = Light[BlueOf(Color)];
}

// An encoded value 0..1 to 8 bits, half up.
int Channel8(TExtended Encoded) { return Rounded(Encoded * 255, 0, 255); }

// The angle of the point (X, Y) in degrees, from 0 up to 360. The octant comes from
// comparisons; the arc tangent of the remaining ratio T in 0..1 is that of the nearest knot
// K / 32 plus the arc tangent of (T - K/32) / (1 + T K/32), below 1/64, by a short series.
TExtended AngleDegrees(TExtended Y, TExtended X) {
    const TExtended Across = X < 0 ? -X : X, Up = Y < 0 ? -Y : Y;
    if (Across == 0 && Up == 0) return 0;
    const TExtended T = Up > Across ? Across / Up : Up / Across;
    const int K = Floor(T * 32 + 0.5L);
    const TExtended Knot = static_cast<TExtended>(K) / 32;
    const TExtended U = (T - Knot) / (1 + T * Knot);
    const TExtended U2 = U * U;
    TExtended Series = 0;  // atan(U) / U
    for (int J = 6; J >= 0; --J) Series = kSeries.ArcTangent[J] + U2 * Series;
    TExtended Angle = (Tables().ArcTangentKnot[K] + U * Series) * kDegreesPerRadian;
    if (Up > Across) Angle = 90 - Angle;
    if (X < 0) Angle = 180 - Angle;
    if (Y < 0) Angle = 360 - Angle;
    return Angle;
}

// The sine and cosine of an angle of 0..360 degrees: whole quarter turns come off exactly,
// an angle above 45 degrees is taken from the other end of its quarter, and the series run on
// at most 45 degrees.
void SineCosine(TExtended Degrees, TExtended& Sine, TExtended& Cosine) {
    Degrees = Clipped(Degrees, 0, 360);
    int Quarter = 0;
    while (Degrees >= 90) Degrees -= 90, ++Quarter;
    const bool FromTop = Degrees > 45;
    const TExtended X = (FromTop ? 90 - Degrees : Degrees) / kDegreesPerRadian;
    const TExtended X2 = X * X;
    TExtended S = 1, C = 1;
    for (int K = 11; K >= 1; --K) {
        S = 1 - X2 * kSeries.Sine[K] * S;
        C = 1 - X2 * kSeries.Cosine[K] * C;
    }
    TExtended Sin = X * S, Cos = C;
    if (FromTop) {
        const TExtended Swap = Sin;
        Sin = Cos, Cos = Swap;
    }
    for (; Quarter % 4 != 0; --Quarter) {  // a quarter turn on: (sin, cos) -> (cos, -sin)
        const TExtended Turned = Cos;
        Cos = -Sin, Sin = Turned;
    }
    Sine = Sin, Cosine = Cos;
}

void OklabOfLinear(const TVector& Linear, TVector& Lab) {
    TVector Lms, Roots;
    Apply(kLinearToLms, Linear, Lms);
    CubeRoots(Lms, Roots);
    Apply(kLmsToOklab, Roots, Lab);
}

void LinearOfOklab(const TVector& Lab, TVector& Linear) {
    TVector Roots, Lms;
    Apply(kOklabToLms, Lab, Roots);
    for (int I = 0; I < 3; ++I) Lms[I] = Roots[I] * Roots[I] * Roots[I];
    Apply(kLmsToLinear, Lms, Linear);
}

void Oklab(TColor Color, TVector& Lab) {
    TVector Linear;
    LinearOf(Color, Linear);
    OklabOfLinear(Linear, Lab);
}

QUILLORA_OPAQUE TLab ComputeLab(TColor Color) {
    TVector Linear, Xyz, F;
    LinearOf(Color, Linear);
    Apply(kLinearToLab, Linear, Xyz);
    CubeRoots(Xyz, F);
    for (int I = 0; I < 3; ++I)
        if (!(Xyz[I] > kLabEpsilon)) F[I] = (kLabKappa * Xyz[I] + 16) / 116;
    const int Limit = 1000000;
    return {Rounded(11600 * F[1] - 1600, 0, Limit), Rounded(50000 * (F[0] - F[1]), -Limit, Limit),
            Rounded(20000 * (F[1] - F[2]), -Limit, Limit)};
}

QUILLORA_OPAQUE TLch ComputeOklch(TColor Color) {
    TVector Lab;
    Oklab(Color, Lab);
    const TExtended Chroma = SquareRoot(Lab[1] * Lab[1] + Lab[2] * Lab[2]);
    TLch Lch = {Rounded(Lab[0] * 10000, 0, 1000000), Rounded(Chroma * 10000, 0, 1000000), 0};
    if (Lch.C != 0) Lch.H = Rounded(AngleDegrees(Lab[2], Lab[1]) * 100, 0, 36000) % 36000;
    return Lch;
}

QUILLORA_OPAQUE TOklabUnits ComputeOklabUnits(TColor Color) {
    TVector Lab;
    Oklab(Color, Lab);
    const TExtended Unit = 1073741824.0L;  // 2^30
    const int Limit = 2000000000;
    return {Rounded(Lab[0] * Unit, -Limit, Limit), Rounded(Lab[1] * Unit, -Limit, Limit),
            Rounded(Lab[2] * Unit, -Limit, Limit)};
}

QUILLORA_OPAQUE int ComputeChannel(TDecimal Value, bool Percent) {
    if (!Percent && Value.Scale == 0 && Value.Digits >= 0 && Value.Digits <= 255)
        return static_cast<int>(Value.Digits);
    const TExtended X = ValueOf(Value);
    return Rounded(Percent ? X * 255 / 100 : X, 0, 255);
}

QUILLORA_OPAQUE TColor ComputeHsl(TDecimal H, TDecimal S, TDecimal L) {
    const TExtended Hue = Clipped(ValueOf(H), 0, 360);
    const TExtended Light = Clipped(ValueOf(L), 0, 100) / 100;
    const TExtended Spread = Clipped(ValueOf(S), 0, 100) / 100 * Smaller(Light, 1 - Light);
    const int Offsets[3] = {0, 8, 4};
    int Channels[3];
    for (int I = 0; I < 3; ++I) {
        TExtended K = Offsets[I] + Hue / 30;
        while (K >= 12) K -= 12;
        const TExtended Ramp = Larger(-1.0L, Smaller(Smaller(K - 3, 9 - K), 1.0L));
        Channels[I] = Channel8(Light - Spread * Ramp);
    }
    return MakeColor(Channels[0], Channels[1], Channels[2]);
}

QUILLORA_OPAQUE TColor ComputeHsv(TDecimal H, TDecimal S, TDecimal V) {
    const TExtended Hue = Clipped(ValueOf(H), 0, 360);
    const TExtended Value = Clipped(ValueOf(V), 0, 100) / 100;
    const TExtended Spread = Value * (Clipped(ValueOf(S), 0, 100) / 100);
    const int Offsets[3] = {5, 3, 1};
    int Channels[3];
    for (int I = 0; I < 3; ++I) {
        TExtended K = Offsets[I] + Hue / 60;
        while (K >= 6) K -= 6;
        const TExtended Ramp = Larger(0.0L, Smaller(Smaller(K, 4 - K), 1.0L));
        Channels[I] = Channel8(Value - Spread * Ramp);
    }
    return MakeColor(Channels[0], Channels[1], Channels[2]);
}

QUILLORA_OPAQUE TColor ComputeCmyk(TDecimal C, TDecimal M, TDecimal Y, TDecimal K) {
    const TExtended White = 1 - Clipped(ValueOf(K), 0, 100) / 100;
    const TDecimal Inks[3] = {C, M, Y};
    int Channels[3];
    for (int I = 0; I < 3; ++I)
        Channels[I] = Channel8((1 - Clipped(ValueOf(Inks[I]), 0, 100) / 100) * White);
    return MakeColor(Channels[0], Channels[1], Channels[2]);
}

// Lab's cube law backwards, with its straight part near black.
TExtended LabInverse(TExtended F) {
    const TExtended Cube = F * F * F;
    return Cube > kLabEpsilon ? Cube : (116 * F - 16) / kLabKappa;
}

QUILLORA_OPAQUE TColor ComputeFromLab(TDecimal L, TDecimal A, TDecimal B) {
    const TExtended Lightness = Clipped(ValueOf(L), 0, 100);
    const TExtended Fy = (Lightness + 16) / 116;
    const TVector Xyz = {LabInverse(Fy + ValueOf(A) / 500),
                         Lightness > 8 ? Fy * Fy * Fy : Lightness / kLabKappa,
                         LabInverse(Fy - ValueOf(B) / 200)};
    TVector Linear;
    Apply(kLabToLinear, Xyz, Linear);
    return ColorOfLight(Linear);
}

// A decimal in units of its Decimals-th digit after the point; false when it has more
// digits than that (beyond trailing zeros), is negative or does not fit.
bool UnitsOf(TDecimal Number, int Decimals, std::int32_t& Units) {
    while (Number.Scale > Decimals && Number.Digits % 10 == 0) Number.Digits /= 10, --Number.Scale;
    if (Number.Scale > Decimals || Number.Digits < 0) return false;
    for (; Number.Scale < Decimals; ++Number.Scale) {
        if (Number.Digits > 100000000) return false;
        Number.Digits *= 10;
    }
    if (Number.Digits > 100000000) return false;
    Units = static_cast<std::int32_t>(Number.Digits);
    return true;
}

bool operator==(const TLch& A, const TLch& B) { return A.L == B.L && A.C == B.C && A.H == B.H; }

// Nearest channel by channel, as for Lab, can miss: OKLCH's two decimals of lightness and
// hue and four of chroma are coarser than 8 bits in places (bright colours with one channel
// near 0). So a text as the program writes it gives the colour next to the nearest (one step
// at most per channel) that writes exactly this text, when the nearest does not.
QUILLORA_OPAQUE TColor ComputeFromOklch(TDecimal L, TDecimal C, TDecimal H) {
    const TExtended Chroma = Larger(ValueOf(C), 0.0L);
    TExtended Sine, Cosine;
    SineCosine(ValueOf(H), Sine, Cosine);
    const TVector Lab = {Clipped(ValueOf(L), 0, 100) / 100, Chroma * Cosine, Chroma * Sine};
    TVector Linear;
    LinearOfOklab(Lab, Linear);
    const TColor Nearest = ColorOfLight(Linear);

    TLch Written;
    if (!UnitsOf(L, 2, Written.L) || !UnitsOf(C, 4, Written.C) || !UnitsOf(H, 2, Written.H))
        return Nearest;
    if (Written.C == 0 || Written.H == 36000) Written.H = 0;
    if (ComputeOklch(Nearest) == Written) return Nearest;
    const int R = RedOf(Nearest), G = GreenOf(Nearest), B = BlueOf(Nearest);
    for (int Red = R - 1; Red <= R + 1; ++Red)
        for (int Green = G - 1; Green <= G + 1; ++Green)
            for (int Blue = B - 1; Blue <= B + 1; ++Blue) {
                const bool Inside = ((Red | Green | Blue) & ~0xFF) == 0;
                const TColor Next = MakeColor(Red, Green, Blue);
                if (Inside && Next != Nearest && ComputeOklch(Next) == Written) return Next;
            }
    return Nearest;
}

}  // namespace

TLab LabOf(TColor Color) {
    TExtendedPrecision Pinned;
    return ComputeLab(Color);
}

TLch OklchOf(TColor Color) {
    TExtendedPrecision Pinned;
    return ComputeOklch(Color);
}

TOklabUnits OklabUnitsOf(TColor Color) {
    TExtendedPrecision Pinned;
    return ComputeOklabUnits(Color);
}

int ChannelOf(TDecimal Value, bool Percent) {
    TExtendedPrecision Pinned;
    return ComputeChannel(Value, Percent);
}

TColor FromHsl(TDecimal Hue, TDecimal Saturation, TDecimal Lightness) {
    TExtendedPrecision Pinned;
    return ComputeHsl(Hue, Saturation, Lightness);
}

TColor FromHsv(TDecimal Hue, TDecimal Saturation, TDecimal Value) {
    TExtendedPrecision Pinned;
    return ComputeHsv(Hue, Saturation, Value);
}

TColor FromCmyk(TDecimal Cyan, TDecimal Magenta, TDecimal Yellow, TDecimal Black) {
    TExtendedPrecision Pinned;
    return ComputeCmyk(Cyan, Magenta, Yellow, Black);
}

TColor FromLab(TDecimal L, TDecimal A, TDecimal B) {
    TExtendedPrecision Pinned;
    return ComputeFromLab(L, A, B);
}

TColor FromOklch(TDecimal L, TDecimal C, TDecimal H) {
    TExtendedPrecision Pinned;
    return ComputeFromOklch(L, C, H);
}

namespace Unrounded {

void OklabOf(TColor Color, TVector& Lab) { Oklab(Color, Lab); }
void OklabOfLinear(const TVector& Linear, TVector& Lab) { ColorSpace::OklabOfLinear(Linear, Lab); }
void LinearOfOklab(const TVector& Lab, TVector& Linear) { ColorSpace::LinearOfOklab(Lab, Linear); }
TColor ColorOfLinear(const TVector& Linear) { return ColorOfLight(Linear); }
TExtended HueDegrees(TExtended A, TExtended B) { return AngleDegrees(B, A); }
void SineCosine(TExtended Degrees, TExtended& Sine, TExtended& Cosine) {
    ColorSpace::SineCosine(Degrees, Sine, Cosine);
}

}  // namespace Unrounded

}  // namespace ColorSpace
