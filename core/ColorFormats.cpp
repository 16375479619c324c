#include "ColorFormats.h"

#include "ColorNames.h"
#include "ColorSpace.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace ColorFormats {

namespace {

// A short text built on the stack: every pick may write all eight.
class TTextBuffer {
public:
    TTextBuffer& operator<<(const char* Text) {
        while (*Text != '\0') Add(*Text++);
        return *this;
    }

    TTextBuffer& operator<<(std::int32_t Value) { return Fixed(Value, 0); }

    // Value / 10^Decimals, without trailing zeros after the point nor a bare point.
    TTextBuffer& Fixed(std::int32_t Value, int Decimals) {
        std::int32_t Unit = 1;
        for (int I = 0; I < Decimals; ++I) Unit *= 10;
        if (Value < 0) {
            Add('-');
            Value = -Value;
        }
        AddWhole(Value / Unit);
        std::int32_t Fraction = Value % Unit;
        if (Fraction != 0) Add('.');
        for (Unit /= 10; Fraction != 0; Unit /= 10) {
            Add(static_cast<char>('0' + Fraction / Unit));
            Fraction %= Unit;
        }
        return *this;
    }

    TTextBuffer& Hex(int Byte) {
        static const char kDigits[] = "0123456789abcdef";
        Add(kDigits[Byte >> 4 & 0xF]);
        Add(kDigits[Byte & 0xF]);
        return *this;
    }

    const char* Text() const { return FText; }
    int Length() const { return FLength; }

private:
    void Add(char C) {
        if (FLength < kCapacity) FText[FLength++] = C;
    }

    void AddWhole(std::int32_t Value) {
        char Digits[10];
        int Count = 0;
        do {
            Digits[Count++] = static_cast<char>('0' + Value % 10);
            Value /= 10;
        } while (Value != 0);
        while (Count > 0) Add(Digits[--Count]);
    }

    static constexpr int kCapacity = 48;
    char FText[kCapacity];
    int FLength = 0;
};

// Numerator / Denominator as a whole percent, half up. Both are small and not negative.
std::int32_t PercentOf(int Numerator, int Denominator) {
    return (200 * Numerator + Denominator) / (2 * Denominator);
}

// The hue in whole degrees 0..359, half up, from the exact fraction of the sector it lies in.
// Where two channels share the maximum, either sector gives the same hue.
std::int32_t HueOf(int R, int G, int B) {
    const int Max = std::max({R, G, B}), Delta = Max - std::min({R, G, B});
    if (Delta == 0) return 0;
    int Sixtieths;  // the hue times Delta
    if (R == Max)
        Sixtieths = 60 * (G - B) + (G < B ? 360 * Delta : 0);
    else if (G == Max)
        Sixtieths = 60 * (B - R) + 120 * Delta;
    else
        Sixtieths = 60 * (R - G) + 240 * Delta;
    const std::int32_t Hue = (2 * Sixtieths + Delta) / (2 * Delta);
    return Hue == 360 ? 0 : Hue;
}

void Write(TTextBuffer& Text, TColor Color, int Index) {
    const int R = RedOf(Color), G = GreenOf(Color), B = BlueOf(Color);
    const int Max = std::max({R, G, B}), Min = std::min({R, G, B}), Delta = Max - Min;
    switch (Index) {
    case kCssRgb:
        Text << "rgb(" << R << ", " << G << ", " << B << ")";
        break;
    case kCssHsl: {
        // Saturation is Delta over the distance of Max + Min from the nearer end of 0..510.
        const int Room = std::min(Max + Min, 510 - Max - Min);
        Text << "hsl(" << HueOf(R, G, B) << ", " << (Delta == 0 ? 0 : PercentOf(Delta, Room))
             << "%, " << PercentOf(Max + Min, 510) << "%)";
        break;
    }
    case kHsv:
        Text << "hsv(" << HueOf(R, G, B) << ", " << (Max == 0 ? 0 : PercentOf(Delta, Max))
             << "%, " << PercentOf(Max, 255) << "%)";
        break;
    case kCmyk:
        // C = (1 - R/255 - K) / (1 - K) with K = 1 - Max/255 is (Max - R) / Max.
        if (Max == 0) {
            Text << "cmyk(0%, 0%, 0%, 100%)";
            break;
        }
        Text << "cmyk(" << PercentOf(Max - R, Max) << "%, " << PercentOf(Max - G, Max) << "%, "
             << PercentOf(Max - B, Max) << "%, " << PercentOf(255 - Max, 255) << "%)";
        break;
    case kLab: {
        const ColorSpace::TLab Lab = ColorSpace::LabOf(Color);
        Text << "lab(";
        Text.Fixed(Lab.L, 2) << " ";
        Text.Fixed(Lab.A, 2) << " ";
        Text.Fixed(Lab.B, 2) << ")";
        break;
    }
    case kOklch: {
        const ColorSpace::TLch Lch = ColorSpace::OklchOf(Color);
        Text << "oklch(";
        Text.Fixed(Lch.L, 2) << "% ";
        Text.Fixed(Lch.C, 4) << " ";
        Text.Fixed(Lch.H, 2) << ")";
        break;
    }
    case kLowerHex:
        Text << "#";
        Text.Hex(R).Hex(G).Hex(B);
        break;
    case kColorName:
        Text << ColorNames::NearestName(Color);
        break;
    default:
        throw std::out_of_range("notation index " + std::to_string(Index));
    }
}

}  // namespace

int FormatMoreNotation(char* Out, std::size_t Size, TColor Color, int Index) {
    TTextBuffer Text;
    Write(Text, Color & 0xFFFFFF, Index);
    const std::size_t Length = static_cast<std::size_t>(Text.Length());
    if (Size > 0) {
        const std::size_t Copied = std::min(Length, Size - 1);
        std::memcpy(Out, Text.Text(), Copied);
        Out[Copied] = '\0';
    }
    return Text.Length();
}

std::string MoreNotation(TColor Color, int Index) {
    TTextBuffer Text;
    Write(Text, Color & 0xFFFFFF, Index);
    return std::string(Text.Text(), static_cast<std::size_t>(Text.Length()));
}

}  // namespace ColorFormats
