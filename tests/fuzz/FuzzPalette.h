#pragma once

// Shared by the palette readers' targets (FuzzPalette*.cpp): PaletteFile::Read on any bytes
// never crashes; a refusal leaves no entry and gives a reason; every name is UTF-8; and what
// was read, written again and read back, gives the same colours, and for .ase and .json the
// same names (and for .json the same times). The written file is also known by its first
// bytes.

#include "FuzzCheck.h"
#include "palette/PaletteFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Well-formed UTF-8, by a route of its own: shortest forms, no surrogates, at most U+10FFFF.
inline bool FuzzIsUtf8(const std::string& Text) {
    for (std::size_t I = 0; I < Text.size();) {
        const unsigned Lead = static_cast<unsigned char>(Text[I]);
        const std::size_t Length = Lead < 0x80       ? 1
                                   : Lead >> 5 == 6  ? 2
                                   : Lead >> 4 == 14 ? 3
                                   : Lead >> 3 == 30 ? 4
                                                     : 0;
        if (Length == 0 || I + Length > Text.size()) return false;
        std::uint32_t Code = Length == 1 ? Lead : Lead & (0x7F >> Length);
        for (std::size_t K = 1; K < Length; ++K) {
            const unsigned Next = static_cast<unsigned char>(Text[I + K]);
            if (Next >> 6 != 2) return false;
            Code = Code << 6 | (Next & 0x3F);
        }
        static const std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (Code < kLeast[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
            return false;
        I += Length;
    }
    return true;
}

inline int FuzzPaletteRead(PaletteFile::TFormat Format, const std::uint8_t* Data,
                           std::size_t Size) {
    using namespace PaletteFile;
    std::vector<TInEntry> Entries(1);
    TReadReason Reason{TReadProblem::NotList, 7};  // left over
    if (!Read(Format, FuzzText(Data, Size), Entries, Reason)) {
        FUZZ_CHECK(Entries.empty() && Reason.Problem != TReadProblem::None);
        return 0;
    }
    FUZZ_CHECK(Reason.Problem == TReadProblem::None && Reason.Number == 0);
    std::vector<TOutEntry> Out;
    for (const TInEntry& E : Entries) {
        FUZZ_CHECK(FuzzIsUtf8(E.Name) && FuzzIsUtf8(ImportComment(E.Name)));
        FUZZ_CHECK(E.Color <= 0xFFFFFF && (!E.HasSaved || IsValidTime(E.Saved)));
        Out.push_back({E.Color, E.Name, E.HasSaved ? KeyFromTime(E.Saved) : std::string()});
    }
    const std::string Written = Write(Format, Out);
    TFormat Sniffed;
    if (!Out.empty()) FUZZ_CHECK(Sniff(Written, Sniffed) && Sniffed == Format);
    std::vector<TInEntry> Back;
    FUZZ_CHECK(Read(Format, Written, Back, Reason) && Back.size() == Entries.size());
    const bool SameNames = Format == TFormat::Ase || Format == TFormat::Json;
    for (std::size_t I = 0; I < Back.size(); ++I) {
        FUZZ_CHECK(Back[I].Color == Entries[I].Color);
        if (SameNames) FUZZ_CHECK(Back[I].Name == Entries[I].Name);
        if (Format == TFormat::Json)
            FUZZ_CHECK(Back[I].HasSaved == Entries[I].HasSaved &&
                       (!Back[I].HasSaved || Back[I].Saved == Entries[I].Saved));
    }
    return 0;
}
