#pragma once

// Shared by the fuzz targets: a check that stops the run with the failed condition and its
// place, so that libFuzzer saves the input as a crash, and a reader for the fixed-size fields
// at the start of an input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(Condition)                                                                 \
    do {                                                                                      \
        if (!(Condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #Condition); \
            __builtin_trap();                                                                 \
        }                                                                                     \
    } while (0)

// Reads little-endian fields from the front of an input; a field past the end reads as zero
// bytes. Rest() is whatever the fields did not take.
class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}

    std::uint32_t U32() {
        std::uint32_t Value = 0;
        for (int I = 0; I < 4; ++I) Value |= static_cast<std::uint32_t>(Byte()) << (8 * I);
        return Value;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint8_t U8() { return Byte(); }
    std::string Rest() {
        std::string Text(reinterpret_cast<const char*>(FData) + FPos, FSize - FPos);
        FPos = FSize;
        return Text;
    }

private:
    std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }

    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

inline std::string FuzzText(const std::uint8_t* Data, std::size_t Size) {
    return std::string(reinterpret_cast<const char*>(Data), Size);
}

inline bool IsHexDigit(char C) {
    return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f');
}

inline bool IsDecimalDigit(char C) { return C >= '0' && C <= '9'; }

// Digits to a number by a route of its own (strtoull on a checked, short text), to hold the
// program's parser to. False for an empty text, a bad digit or more than 32 bits.
inline bool ReferenceUnsigned(const std::string& Digits, int Base, std::uint64_t& Value) {
    if (Digits.empty()) return false;
    std::size_t First = 0;
    while (First + 1 < Digits.size() && Digits[First] == '0') ++First;
    const std::string Significant = Digits.substr(First);
    for (char C : Significant)
        if (Base == 16 ? !IsHexDigit(C) : !IsDecimalDigit(C)) return false;
    if (Significant.size() > (Base == 16 ? 8u : 10u)) return false;
    Value = std::strtoull(Significant.c_str(), nullptr, Base);
    return Value <= 0xFFFFFFFFull;
}
