// A look-up-table display profile built for the tests: sRGB's curve as the input tables, a
// 2x2x2 grid holding the sRGB colorants' sums (exact, as the light adds up linearly), no
// matrix and no tone-curve tags, so only a colour engine that runs tables can use it.
#pragma once

#include "screen/ColorProfile.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace LutProfile {

inline void PutU32(std::string& Out, std::uint32_t V) {
    for (int I = 0; I < 4; ++I) Out += static_cast<char>(V >> (24 - 8 * I) & 0xFF);
}
inline void PutU16(std::string& Out, std::uint16_t V) {
    Out += static_cast<char>(V >> 8), Out += static_cast<char>(V & 0xFF);
}
inline std::uint32_t U32At(const std::string& S, std::size_t At) {
    std::uint32_t V = 0;
    for (int I = 0; I < 4; ++I) V = V << 8 | static_cast<unsigned char>(S[At + I]);
    return V;
}

// Copies the written sRGB profile's header, desc, wtpt and cprt, and puts an A2B0 in place
// of the colorants and curves.
inline std::string Srgb() {
    const std::string Matrix = ColorProfile::WriteTarget(ColorProfile::TSpace::Srgb);
    auto Tag = [&](const char* Name, double Xyz[3] = nullptr) {
        for (std::uint32_t I = 0; I < U32At(Matrix, 128); ++I) {
            const std::size_t Entry = 132 + 12 * I;
            if (Matrix.compare(Entry, 4, Name) != 0) continue;
            const std::string Data = Matrix.substr(U32At(Matrix, Entry + 4), U32At(Matrix, Entry + 8));
            for (int C = 0; Xyz && C < 3; ++C)
                Xyz[C] = static_cast<std::int32_t>(U32At(Data, 8 + 4 * C)) / 65536.0;
            return Data;
        }
        return std::string();
    };
    double Columns[3][3];
    Tag("rXYZ", Columns[0]), Tag("gXYZ", Columns[1]), Tag("bXYZ", Columns[2]);

    std::string Lut;  // lut16Type
    PutU32(Lut, 0x6D667432);  // 'mft2'
    PutU32(Lut, 0);
    Lut += '\3', Lut += '\3', Lut += '\2', Lut += '\0';
    for (int I = 0; I < 9; ++I) PutU32(Lut, I % 4 == 0 ? 0x10000 : 0);
    PutU16(Lut, 256), PutU16(Lut, 2);
    for (int C = 0; C < 3; ++C)
        for (int N = 0; N < 256; ++N) {
            const double E = N / 255.0;
            const double L = E <= 0.04045 ? E / 12.92 : std::pow((E + 0.055) / 1.055, 2.4);
            PutU16(Lut, static_cast<std::uint16_t>(std::lround(L * 65535)));
        }
    for (int N = 0; N < 8; ++N)  // red slowest; XYZ as 1.0 = 0x8000
        for (int Row = 0; Row < 3; ++Row) {
            double Sum = 0;
            for (int C = 0; C < 3; ++C)
                if (N >> (2 - C) & 1) Sum += Columns[C][Row];
            PutU16(Lut, static_cast<std::uint16_t>(std::lround(Sum * 32768)));
        }
    for (int C = 0; C < 3; ++C) PutU16(Lut, 0), PutU16(Lut, 65535);

    const std::string Tags[][2] = {
        {"desc", Tag("desc")}, {"wtpt", Tag("wtpt")}, {"A2B0", Lut}, {"cprt", Tag("cprt")}};
    std::string Out = Matrix.substr(0, 128);
    PutU32(Out, 4);
    std::string Body;
    for (const auto& T : Tags) {
        Out += T[0];
        PutU32(Out, static_cast<std::uint32_t>(132 + 12 * 4 + Body.size()));
        PutU32(Out, static_cast<std::uint32_t>(T[1].size()));
        Body += T[1];
        Body.resize((Body.size() + 3) / 4 * 4, '\0');
    }
    Out += Body;
    const std::uint32_t Size = static_cast<std::uint32_t>(Out.size());
    for (int I = 0; I < 4; ++I) Out[I] = static_cast<char>(Size >> (24 - 8 * I) & 0xFF);
    return Out;
}

}  // namespace LutProfile
