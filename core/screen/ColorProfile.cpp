// Reading matrix/TRC monitor profiles and converting through them, on the x87 extended format
// under a pinned control word (Extended.h).
//
// The logarithm and exponential below are our own, from the four operations with a fixed
// number of steps, as in ColorSpace.cpp: the C libraries' pow differs in its last bits between
// Linux and Windows, and a last bit can move a channel across a rounding edge. They are only
// used while a converter is built; Convert itself is three sums and three table searches.

#include "ColorProfile.h"

#include "../colour/Extended.h"

#include <cstring>
#include <iterator>

namespace ColorProfile {

namespace {

using Extended::TExtended;
using Extended::TExtendedPrecision;

using TMatrix = TExtended[3][3];

constexpr TExtended kLn2 = 0.6931471805599453094172321214581765680755L;
constexpr TExtended kSqrtHalf = 0.7071067811865475244008443621048490392848L;

// 1 / N!, for the exponential's series.
struct TFactorials {
    TExtended Inverse[24];
};
constexpr TFactorials MakeFactorials() {
    TFactorials F{};
    F.Inverse[0] = 1;
    for (int N = 1; N < 24; ++N) F.Inverse[N] = F.Inverse[N - 1] / N;
    return F;
}
constexpr TFactorials kFactorials = MakeFactorials();

// The natural logarithm of a positive finite X: scaled by powers of two into
// [sqrt(1/2), sqrt(2)), then 2 atanh((X - 1) / (X + 1)) by a series whose ratio is below 0.03.
TExtended Ln(TExtended X) {
    int Exponent = 0;
    while (X >= 4294967296.0L) X *= 1.0L / 4294967296.0L, Exponent += 32;
    while (X < 1.0L / 4294967296.0L) X *= 4294967296.0L, Exponent -= 32;
    while (X >= 2 * kSqrtHalf) X *= 0.5L, ++Exponent;
    while (X < kSqrtHalf) X *= 2, --Exponent;
    const TExtended S = (X - 1) / (X + 1), S2 = S * S;
    TExtended Series = 0;
    for (int K = 16; K >= 0; --K) Series = 1.0L / (2 * K + 1) + S2 * Series;
    return 2 * S * Series + Exponent * kLn2;
}

// e^Y. Past the extended range it gives 0 below and a huge finite value above, which every
// caller refuses as out of range.
TExtended Exp(TExtended Y) {
    if (!(Y < 11000)) return 1e4000L;  // NaN lands here too
    if (Y < -11000) return 0;
    int K = 0;
    Extended::Round(Y / kLn2, K);
    const TExtended R = Y - K * kLn2;  // |R| <= ln 2 / 2
    TExtended Series = 0;
    for (int N = 23; N >= 0; --N) Series = kFactorials.Inverse[N] + R * Series;
    for (; K >= 32; K -= 32) Series *= 4294967296.0L;
    for (; K <= -32; K += 32) Series *= 1.0L / 4294967296.0L;
    for (; K > 0; --K) Series *= 2;
    for (; K < 0; ++K) Series *= 0.5L;
    return Series;
}

// X^Y for Y > 0; a base at or below zero gives 0.
TExtended Power(TExtended X, TExtended Y) {
    if (!(X > 0)) return 0;
    return Exp(Y * Ln(X));
}

TExtended Determinant(const TMatrix& M) {
    return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) -
           M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
           M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
}

// False for a matrix too close to singular to invert into finite values that mean anything.
bool Invert(const TMatrix& M, TMatrix& Inverse) {
    const TExtended Det = Determinant(M);
    if (!(Det > 1e-9L || Det < -1e-9L)) return false;
    for (int I = 0; I < 3; ++I)
        for (int J = 0; J < 3; ++J) {
            const int J1 = (J + 1) % 3, J2 = (J + 2) % 3, I1 = (I + 1) % 3, I2 = (I + 2) % 3;
            Inverse[I][J] = (M[J1][I1] * M[J2][I2] - M[J1][I2] * M[J2][I1]) / Det;
        }
    return true;
}

void Multiply(const TMatrix& A, const TMatrix& B, TMatrix& Product) {
    for (int I = 0; I < 3; ++I)
        for (int J = 0; J < 3; ++J)
            Product[I][J] = A[I][0] * B[0][J] + A[I][1] * B[1][J] + A[I][2] * B[2][J];
}

// --- The built-in spaces ---

// sRGB's transfer curve, encoded 0..1 to linear.
TExtended SrgbDecode(TExtended E) {
    if (E <= 0.04045L) return E / 12.92L;
    return Power((E + 0.055L) / 1.055L, 2.4L);
}
TExtended AdobeDecode(TExtended E) { return Power(E, 563.0L / 256); }

struct TSpaceTables {
    TMatrix ToPcs;             // linear RGB to D50 XYZ
    TMatrix FromPcs;           // its inverse
    TExtended Light[256];      // each 8-bit value's linear light
    TExtended Threshold[256];  // from Threshold[N] up the nearest 8-bit value is N (N >= 1)
};

// A target space: chromaticities x, y of red, green, blue and the white, whether its curve is
// Adobe's pure power (else sRGB's), and its name. One row for each TSpace, in its order.
struct TPrimaries {
    TExtended Xy[4][2];
    bool Adobe;
    const char* Name;
};
constexpr TPrimaries kPrimaries[] = {
    {{{0.64L, 0.33L}, {0.30L, 0.60L}, {0.15L, 0.06L}, {0.3127L, 0.3290L}}, false, "sRGB"},
    {{{0.680L, 0.320L}, {0.265L, 0.690L}, {0.150L, 0.060L}, {0.3127L, 0.3290L}}, false, "P3"},
    {{{0.64L, 0.33L}, {0.21L, 0.71L}, {0.15L, 0.06L}, {0.3127L, 0.3290L}}, true, "Adobe RGB"},
};
constexpr int kTargetCount = static_cast<int>(TSpace::Count);
static_assert(std::size(kPrimaries) == kTargetCount, "one row for each TSpace");

// The connection space's white, as the profiles store it.
constexpr TExtended kD50[3] = {0.9642L, 1.0L, 0.8249L};

constexpr TMatrix kBradford = {
    {0.8951L, 0.2664L, -0.1614L},
    {-0.7502L, 1.7135L, 0.0367L},
    {0.0389L, -0.0685L, 1.0296L},
};

// A space's matrix from its primaries and white, then adapted from its white to D50 by
// Bradford's transform.
void SpaceToPcs(const TPrimaries& P, TMatrix& ToPcs) {
    TMatrix Primaries;
    for (int C = 0; C < 3; ++C) {
        const TExtended X = P.Xy[C][0], Y = P.Xy[C][1];
        Primaries[0][C] = X / Y, Primaries[1][C] = 1, Primaries[2][C] = (1 - X - Y) / Y;
    }
    const TExtended Wx = P.Xy[3][0], Wy = P.Xy[3][1];
    const TExtended White[3] = {Wx / Wy, 1, (1 - Wx - Wy) / Wy};
    TMatrix Inverse;
    Invert(Primaries, Inverse);
    TMatrix Native;  // the primaries scaled so that they add up to the white
    for (int C = 0; C < 3; ++C) {
        const TExtended S =
            Inverse[C][0] * White[0] + Inverse[C][1] * White[1] + Inverse[C][2] * White[2];
        for (int R = 0; R < 3; ++R) Native[R][C] = Primaries[R][C] * S;
    }
    TMatrix BradfordInverse, Scale = {}, Step, Adapt;
    Invert(kBradford, BradfordInverse);
    for (int I = 0; I < 3; ++I) {
        const TExtended From = kBradford[I][0] * White[0] + kBradford[I][1] * White[1] +
                               kBradford[I][2] * White[2];
        const TExtended To =
            kBradford[I][0] * kD50[0] + kBradford[I][1] * kD50[1] + kBradford[I][2] * kD50[2];
        Scale[I][I] = To / From;
    }
    Multiply(Scale, kBradford, Step);
    Multiply(BradfordInverse, Step, Adapt);
    Multiply(Adapt, Native, ToPcs);
    // Rounded to the steps a profile stores, as the reference profiles of these spaces hold
    // it: Adobe RGB's pure power has an endless slope at black, where a difference of 1e-5 in
    // the matrix moves a channel that should be 0 by two or three steps.
    for (int R = 0; R < 3; ++R)
        for (int C = 0; C < 3; ++C) {
            int Steps = 0;
            Extended::Round(ToPcs[R][C] * 65536, Steps);
            ToPcs[R][C] = Steps / 65536.0L;
        }
}

// Built on first use, which is always inside a pinned conversion.
const TSpaceTables& Space(TSpace Which) {
    static const TSpaceTables* const Tables = [] {
        static TSpaceTables Built[kTargetCount];
        for (int S = 0; S < kTargetCount; ++S) {
            TSpaceTables& T = Built[S];
            SpaceToPcs(kPrimaries[S], T.ToPcs);
            Invert(T.ToPcs, T.FromPcs);
            const auto Decode = kPrimaries[S].Adobe ? AdobeDecode : SrgbDecode;
            for (int N = 0; N < 256; ++N) {
                T.Light[N] = Decode(static_cast<TExtended>(N) / 255);
                T.Threshold[N] = N == 0 ? 0 : Decode((N - 0.5L) / 255);
            }
        }
        return Built;
    }();
    return Tables[static_cast<int>(Which)];
}

// --- Tone curves ---

// A curve's value at Encoded in 0..1. Table holds at least two points.
TExtended CurveAt(const TToneCurve& Curve, TExtended Encoded) {
    if (Curve.Type == TToneCurve::kTable) {
        const std::size_t Last = Curve.Table.size() - 1;
        const TExtended Position = Encoded * static_cast<TExtended>(Last);
        int Whole = 0;
        Extended::Round(Position, Whole);
        if (Whole > Position) --Whole;
        std::size_t I = Whole < 0 ? 0 : static_cast<std::size_t>(Whole);
        if (I >= Last) I = Last - 1;
        const TExtended Low = Curve.Table[I], High = Curve.Table[I + 1];
        return (Low + (High - Low) * (Position - static_cast<TExtended>(I))) / 65535;
    }
    const double* P = Curve.Params;
    const TExtended G = P[0], A = P[1], B = P[2], C = P[3], D = P[4], E = P[5], F = P[6];
    switch (Curve.Type) {
    case 0: return Power(Encoded, G);
    case 1: return A * Encoded + B >= 0 ? Power(A * Encoded + B, G) : 0;
    case 2: return A * Encoded + B >= 0 ? Power(A * Encoded + B, G) + C : C;
    case 3: return Encoded >= D ? Power(A * Encoded + B, G) : C * Encoded;
    default: return Encoded >= D ? Power(A * Encoded + B, G) + E : C * Encoded + F;
    }
}

// A curve sampled at the 256 8-bit values; false when it leaves the range that light can
// sensibly have, which also catches a power that overflowed.
bool Sample(const TToneCurve& Curve, TExtended Light[256]) {
    if (Curve.Type < TToneCurve::kTable || Curve.Type > 4) return false;
    if (Curve.Type == TToneCurve::kTable && Curve.Table.size() < 2) return false;
    for (int N = 0; N < 256; ++N) {
        Light[N] = CurveAt(Curve, static_cast<TExtended>(N) / 255);
        if (!(Light[N] >= -1 && Light[N] <= 2)) return false;
    }
    return true;
}

void DeviceToPcs(const TProfile& P, TMatrix& M) {
    const TXyz* Columns[3] = {&P.Red, &P.Green, &P.Blue};
    for (int C = 0; C < 3; ++C) {
        M[0][C] = Columns[C]->X, M[1][C] = Columns[C]->Y, M[2][C] = Columns[C]->Z;
    }
}

// --- Reading ---

std::uint32_t U32(const unsigned char* P) {
    return static_cast<std::uint32_t>(P[0]) << 24 | static_cast<std::uint32_t>(P[1]) << 16 |
           static_cast<std::uint32_t>(P[2]) << 8 | P[3];
}
std::uint16_t U16(const unsigned char* P) { return static_cast<std::uint16_t>(P[0] << 8 | P[1]); }
double S15Fixed16(const unsigned char* P) {
    return static_cast<std::int32_t>(U32(P)) / 65536.0;
}
std::uint32_t Signature(const char (&Text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(Text[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(Text[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(Text[2])) << 8 |
           static_cast<unsigned char>(Text[3]);
}

struct TTag {
    const unsigned char* Data = nullptr;
    std::size_t Size = 0;
};

class TReader {
public:
    TReader(const unsigned char* Data, std::size_t Size, std::string& Reason)
        : FData(Data), FSize(Size), FReason(Reason) {}

    bool Run(TProfile& Out, bool& LutBased);

private:
    bool Fail(const std::string& Why) {
        FReason = Why;
        return false;
    }
    bool Find(const char (&Name)[5], TTag& Tag) const;
    bool ReadXyz(const char (&Name)[5], TXyz& Xyz);
    bool ReadCurve(const char (&Name)[5], TToneCurve& Curve);

    const unsigned char* FData;
    std::size_t FSize;
    std::string& FReason;
    std::uint32_t FCount = 0;
};

bool TReader::Find(const char (&Name)[5], TTag& Tag) const {
    const std::uint32_t Wanted = Signature(Name);
    for (std::uint32_t I = 0; I < FCount; ++I) {
        const unsigned char* Entry = FData + 132 + 12 * static_cast<std::size_t>(I);
        if (U32(Entry) != Wanted) continue;
        Tag.Data = FData + U32(Entry + 4);
        Tag.Size = U32(Entry + 8);
        return true;
    }
    return false;
}

bool TReader::ReadXyz(const char (&Name)[5], TXyz& Xyz) {
    TTag Tag;
    if (!Find(Name, Tag)) return Fail(std::string("no ") + Name + " tag");
    if (Tag.Size < 20 || U32(Tag.Data) != Signature("XYZ "))
        return Fail(std::string(Name) + " is not an XYZ value");
    Xyz = {S15Fixed16(Tag.Data + 8), S15Fixed16(Tag.Data + 12), S15Fixed16(Tag.Data + 16)};
    return true;
}

bool TReader::ReadCurve(const char (&Name)[5], TToneCurve& Curve) {
    TTag Tag;
    if (!Find(Name, Tag)) return Fail(std::string("no ") + Name + " tag");
    if (Tag.Size < 12) return Fail(std::string(Name) + " is too short for a curve");
    const std::uint32_t Type = U32(Tag.Data);
    if (Type == Signature("curv")) {
        const std::uint32_t Count = U32(Tag.Data + 8);
        if (Count > (Tag.Size - 12) / 2)
            return Fail(std::string(Name) + " has more points than its tag holds");
        Curve = TToneCurve();
        if (Count == 1) {
            Curve.Params[0] = U16(Tag.Data + 12) / 256.0;
            if (Curve.Params[0] <= 0) return Fail(std::string(Name) + " has a gamma of 0");
        } else if (Count > 1) {
            Curve.Type = TToneCurve::kTable;
            Curve.Table.resize(Count);
            for (std::uint32_t I = 0; I < Count; ++I) Curve.Table[I] = U16(Tag.Data + 12 + 2 * I);
        }
        return true;
    }
    if (Type != Signature("para")) return Fail(std::string(Name) + " is neither curv nor para");
    static const int kParamCount[5] = {1, 3, 4, 5, 7};
    const int Function = U16(Tag.Data + 8);
    if (Function > 4) return Fail(std::string(Name) + " has an unknown function type");
    const int Count = kParamCount[Function];
    if (Tag.Size < 12 + 4 * static_cast<std::size_t>(Count))
        return Fail(std::string(Name) + " is too short for its parameters");
    Curve = TToneCurve();
    Curve.Type = Function;
    for (int I = 0; I < Count; ++I) Curve.Params[I] = S15Fixed16(Tag.Data + 12 + 4 * I);
    if (Curve.Params[0] <= 0) return Fail(std::string(Name) + " has a gamma of 0 or below");
    if (Function > 0 && Curve.Params[1] <= 0)
        return Fail(std::string(Name) + " has a slope of 0 or below");
    return true;
}

bool TReader::Run(TProfile& Out, bool& LutBased) {
    if (FSize > kMaxSize) return Fail("larger than 4 MB");
    if (FSize < 132) return Fail("too short for a profile header");
    const std::uint32_t Declared = U32(FData);
    if (Declared > FSize) return Fail("truncated: the header gives a larger size");
    if (Declared < 132) return Fail("the header gives a size below the header's own");
    FSize = Declared;  // anything after the declared end is not the profile's
    if (U32(FData + 36) != Signature("acsp")) return Fail("not a colour profile (no acsp)");
    const int Major = FData[8];
    if (Major != 2 && Major != 4) return Fail("unsupported version " + std::to_string(Major));
    if (U32(FData + 16) != Signature("RGB ")) return Fail("not an RGB profile");
    if (U32(FData + 20) != Signature("XYZ ")) return Fail("connection space is not XYZ");
    FCount = U32(FData + 128);
    if (FCount > 100) return Fail("too many tags");
    const std::size_t TableEnd = 132 + 12 * static_cast<std::size_t>(FCount);
    if (TableEnd > FSize) return Fail("tag table runs past the end");
    for (std::uint32_t I = 0; I < FCount; ++I) {
        const unsigned char* Entry = FData + 132 + 12 * static_cast<std::size_t>(I);
        const std::uint64_t Offset = U32(Entry + 4), Size = U32(Entry + 8);
        if (Offset < TableEnd) return Fail("a tag overlaps the tag table");
        if (Offset + Size > FSize) return Fail("a tag runs past the end");
        if (Size < 8) return Fail("a tag is too short for its type");
    }

    TTag Unused;
    const bool HasLut = Find("A2B0", Unused) || Find("A2B1", Unused);
    if (!Find("rXYZ", Unused) || !Find("rTRC", Unused)) {
        LutBased = HasLut;
        return Fail(HasLut ? "LUT-based profile (no matrix and curves)" : "no matrix and curves");
    }

    TProfile P;
    P.Version = Major;
    if (!ReadXyz("rXYZ", P.Red) || !ReadXyz("gXYZ", P.Green) || !ReadXyz("bXYZ", P.Blue) ||
        !ReadCurve("rTRC", P.Curves[0]) || !ReadCurve("gTRC", P.Curves[1]) ||
        !ReadCurve("bTRC", P.Curves[2]))
        return false;
    TTag Tag;
    if (Find("wtpt", Tag)) {
        if (!ReadXyz("wtpt", P.White)) return false;
        if (!(P.White.Y > 0)) return Fail("white point has no brightness");
        P.HasWhite = true;
    }
    if (Find("chad", Tag)) {
        if (Tag.Size < 44 || U32(Tag.Data) != Signature("sf32")) return Fail("chad is not a matrix");
        for (int I = 0; I < 9; ++I) P.Chad[I / 3][I % 3] = S15Fixed16(Tag.Data + 8 + 4 * I);
        P.HasChad = true;
    }

    TMatrix Device, Inverse;
    DeviceToPcs(P, Device);
    if (!Invert(Device, Inverse)) return Fail("primaries give a singular matrix");
    TExtended Light[256];
    for (int C = 0; C < 3; ++C)
        if (!Sample(P.Curves[C], Light)) return Fail("a tone curve leaves the range of light");
    Out = std::move(P);
    return true;
}

QUILLORA_OPAQUE bool ReadPinned(const unsigned char* Data, std::size_t Size, TProfile& Out,
                                std::string& Reason, bool& LutBased) {
    if (!Data) Size = 0;
    TReader Reader(Data, Size, Reason);
    return Reader.Run(Out, LutBased);
}

// --- Converting ---

using TLinear = TExtended[3][256];

void Combine(const TMatrix& DeviceToPcs, TSpace Target, TMatrix& Matrix,
             const TExtended*& Threshold) {
    const TSpaceTables& To = Space(Target);
    Multiply(To.FromPcs, DeviceToPcs, Matrix);
    Threshold = To.Threshold;
}

QUILLORA_OPAQUE void BuildFromSrgb(TSpace Target, TMatrix& Matrix, TLinear& Linear,
                                   const TExtended*& Threshold) {
    const TSpaceTables& Srgb = Space(TSpace::Srgb);
    for (int C = 0; C < 3; ++C)
        for (int N = 0; N < 256; ++N) Linear[C][N] = Srgb.Light[N];
    Combine(Srgb.ToPcs, Target, Matrix, Threshold);
}

QUILLORA_OPAQUE void BuildFromProfile(const TProfile& Device, TSpace Target, TMatrix& Matrix,
                                      TLinear& Linear, const TExtended*& Threshold) {
    TMatrix ToPcs, Unused;
    DeviceToPcs(Device, ToPcs);
    bool Usable = Invert(ToPcs, Unused);
    for (int C = 0; C < 3 && Usable; ++C) Usable = Sample(Device.Curves[C], Linear[C]);
    if (Usable)
        Combine(ToPcs, Target, Matrix, Threshold);
    else  // a profile that Read would refuse counts as sRGB, as a missing one does
        BuildFromSrgb(Target, Matrix, Linear, Threshold);
}

// The 8-bit value nearest to a linear light once encoded: the N with Threshold[N] <= Light <
// Threshold[N + 1], found in eight steps. Below black gives 0, above white 255, NaN 0.
int ChannelOf(const TExtended* Threshold, TExtended Light) {
    int N = 0;
    for (int Step = 128; Step > 0; Step /= 2)
        if (N + Step <= 255 && Light >= Threshold[N + Step]) N += Step;
    return N;
}

QUILLORA_OPAQUE TColor ConvertPinned(const TExtended (*M)[3], const TExtended (*Linear)[256],
                                     const TExtended* Threshold, TColor Device) {
    const TExtended R = Linear[0][RedOf(Device)], G = Linear[1][GreenOf(Device)],
                    B = Linear[2][BlueOf(Device)];
    int Out[3];
    for (int I = 0; I < 3; ++I) Out[I] = ChannelOf(Threshold, M[I][0] * R + M[I][1] * G + M[I][2] * B);
    return MakeColor(Out[0], Out[1], Out[2]);
}

// --- Writing ---

void PutU32(std::string& Out, std::size_t At, std::uint32_t V) {
    for (int I = 0; I < 4; ++I) Out[At + I] = static_cast<char>(V >> (24 - 8 * I) & 0xFF);
}
void AppendU32(std::string& Out, std::uint32_t V) {
    Out.resize(Out.size() + 4);
    PutU32(Out, Out.size() - 4, V);
}
void AppendU16(std::string& Out, std::uint16_t V) {
    Out += static_cast<char>(V >> 8);
    Out += static_cast<char>(V & 0xFF);
}
// A value already on the 1/65536 grid, so the conversion is exact.
void AppendS15Fixed16(std::string& Out, TExtended V) {
    int Steps = 0;
    Extended::Round(V * 65536, Steps);
    AppendU32(Out, static_cast<std::uint32_t>(Steps));
}
std::string XyzTag(TExtended X, TExtended Y, TExtended Z) {
    std::string Tag;
    AppendU32(Tag, Signature("XYZ "));
    AppendU32(Tag, 0);
    AppendS15Fixed16(Tag, X), AppendS15Fixed16(Tag, Y), AppendS15Fixed16(Tag, Z);
    return Tag;
}

QUILLORA_OPAQUE std::string WritePinned(TSpace Target) {
    const TSpaceTables& T = Space(Target);
    const char* Name = SpaceName(Target);
    const std::size_t NameLength = std::strlen(Name) + 1;

    std::string Desc;  // ASCII, then empty Unicode and ScriptCode parts
    AppendU32(Desc, Signature("desc"));
    AppendU32(Desc, 0);
    AppendU32(Desc, static_cast<std::uint32_t>(NameLength));
    Desc.append(Name, NameLength);
    AppendU32(Desc, 0), AppendU32(Desc, 0);
    Desc.append(3 + 67, '\0');
    std::string Copyright;
    AppendU32(Copyright, Signature("text"));
    AppendU32(Copyright, 0);
    Copyright.append("No copyright", 13);

    std::string Curve;
    AppendU32(Curve, Signature("curv"));
    AppendU32(Curve, 0);
    if (kPrimaries[static_cast<int>(Target)].Adobe) {
        AppendU32(Curve, 1);
        AppendU16(Curve, 563);  // 563 / 256, as AdobeDecode
    } else {
        constexpr int kPoints = 1024;
        AppendU32(Curve, kPoints);
        for (int I = 0; I < kPoints; ++I) {
            int Value = 0;
            Extended::Round(SrgbDecode(static_cast<TExtended>(I) / (kPoints - 1)) * 65535, Value);
            AppendU16(Curve, static_cast<std::uint16_t>(Value));
        }
    }

    struct TEntry {
        const char (&Name)[5];
        std::string Data;
    };
    const TEntry Tags[] = {
        {"desc", Desc},
        {"wtpt", XyzTag(kD50[0], kD50[1], kD50[2])},
        {"rXYZ", XyzTag(T.ToPcs[0][0], T.ToPcs[1][0], T.ToPcs[2][0])},
        {"gXYZ", XyzTag(T.ToPcs[0][1], T.ToPcs[1][1], T.ToPcs[2][1])},
        {"bXYZ", XyzTag(T.ToPcs[0][2], T.ToPcs[1][2], T.ToPcs[2][2])},
        {"rTRC", Curve},
        {"gTRC", Curve},
        {"bTRC", Curve},
        {"cprt", Copyright},
    };
    constexpr std::uint32_t kCount = sizeof(Tags) / sizeof(Tags[0]);

    std::string Out(128, '\0');
    PutU32(Out, 8, 0x02100000);
    PutU32(Out, 12, Signature("mntr"));
    PutU32(Out, 16, Signature("RGB "));
    PutU32(Out, 20, Signature("XYZ "));
    PutU32(Out, 36, Signature("acsp"));
    PutU32(Out, 64, 1);  // relative colorimetric
    for (int I = 0; I < 3; ++I) {
        int Steps = 0;
        Extended::Round(kD50[I] * 65536, Steps);
        PutU32(Out, 68 + 4 * I, static_cast<std::uint32_t>(Steps));
    }
    AppendU32(Out, kCount);
    std::size_t Offset = Out.size() + 12 * kCount;
    std::string Body;
    for (const TEntry& Tag : Tags) {
        AppendU32(Out, Signature(Tag.Name));
        AppendU32(Out, static_cast<std::uint32_t>(Offset + Body.size()));
        AppendU32(Out, static_cast<std::uint32_t>(Tag.Data.size()));
        Body += Tag.Data;
        Body.resize((Body.size() + 3) / 4 * 4, '\0');
    }
    Out += Body;
    PutU32(Out, 0, static_cast<std::uint32_t>(Out.size()));
    return Out;
}

}  // namespace

bool Read(const unsigned char* Data, std::size_t Size, TProfile& Out, std::string& Reason,
          bool* LutBased) {
    TExtendedPrecision Pinned;
    bool Lut = false;
    Reason.clear();
    const bool Ok = ReadPinned(Data, Size, Out, Reason, Lut);
    if (LutBased) *LutBased = Lut;
    return Ok;
}

TConverter::TConverter() : TConverter(TSpace::Srgb) {}

TConverter::TConverter(TSpace Target) {
    TExtendedPrecision Pinned;
    BuildFromSrgb(Target, FMatrix, FLinear, FThreshold);
}

TConverter::TConverter(const TProfile& Device, TSpace Target) {
    TExtendedPrecision Pinned;
    BuildFromProfile(Device, Target, FMatrix, FLinear, FThreshold);
}

TConverter TConverter::FromSrgb(TSpace Target) { return TConverter(Target); }

TColor TConverter::Convert(TColor Device) const {
    if (Device >> 24) return Device;
    TExtendedPrecision Pinned;
    return ConvertPinned(FMatrix, FLinear, FThreshold, Device);
}

std::string WriteTarget(TSpace Target) {
    TExtendedPrecision Pinned;
    return WritePinned(Target);
}

const char* SpaceName(TSpace Space) {
    const int S = static_cast<int>(Space);
    return kPrimaries[S >= 0 && S < kTargetCount ? S : 0].Name;
}

}  // namespace ColorProfile
