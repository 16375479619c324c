#include "Notations.h"
#include "../util/TextUtil.h"

#include "../colour/ColorNames.h"
#include "../colour/ColorSpace.h"
#include "NotationRead.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace Notations {

namespace {

// The main window's seven. The triple, the hex and the HTML notation read red-green-blue from
// the low three bytes; the others show the whole TColor value (blue-green-red), so a value
// with a top byte gets eight digits and a negative decimal. "%06X" is upper case, at least six
// digits, more when the value needs them.

int FormatTriple(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "%d, %d, %d", RedOf(Color), GreenOf(Color), BlueOf(Color));
}

int FormatDecimal(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "%d", static_cast<int>(static_cast<std::int32_t>(Color)));
}

int FormatHex(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "%02X%02X%02X", RedOf(Color), GreenOf(Color), BlueOf(Color));
}

int FormatHtml(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "#%02X%02X%02X", RedOf(Color), GreenOf(Color), BlueOf(Color));
}

int FormatDelphi(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "$00%06X", static_cast<unsigned>(Color));
}

int FormatVb(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "&H00%06X&", static_cast<unsigned>(Color));
}

int FormatC(char* Out, std::size_t Size, TColor Color) {
    return std::snprintf(Out, Size, "0x%06X", static_cast<unsigned>(Color));
}

// A short text built on the stack, for the eight more notations.
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

    // As snprintf does: what fits, terminated; the full length comes back.
    int CopyTo(char* Out, std::size_t Size) const {
        if (Size > 0) {
            const std::size_t Copied = std::min(static_cast<std::size_t>(FLength), Size - 1);
            std::memcpy(Out, FText, Copied);
            Out[Copied] = '\0';
        }
        return FLength;
    }

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

struct TChannels {
    int R, G, B, Max, Min;
};

TChannels ChannelsOf(TColor Color) {
    const int R = RedOf(Color), G = GreenOf(Color), B = BlueOf(Color);
    return {R, G, B, std::max({R, G, B}), std::min({R, G, B})};
}

// The eight more: what style sheets, drawing programs and print shops write; only the low
// three bytes count. HSL, HSV and CMYK come from the exact 8-bit values as whole degrees and
// percent, rounded half up; a grey has hue and saturation 0, hue 360 is written as 0, and
// black is cmyk(0%, 0%, 0%, 100%). Lab (CIE, D50) has two decimals; OKLCH has two decimals of
// a percent for L, four for C and two for the hue, which is 0 when C is. Decimals are rounded
// half up, trailing zeros and a bare point are dropped, and there is never a "-0". The name is
// the nearest CSS colour (ColorNames). Their texts of #FF8000 are in the list.

void WriteCssRgb(TTextBuffer& Text, TColor Color) {
    Text << "rgb(" << RedOf(Color) << ", " << GreenOf(Color) << ", " << BlueOf(Color) << ")";
}

void WriteCssHsl(TTextBuffer& Text, TColor Color) {
    const THslNumbers Hsl = CssHslNumbers(Color);
    Text << "hsl(" << Hsl.Hue << ", " << Hsl.Saturation << "%, " << Hsl.Lightness << "%)";
}

void WriteHsv(TTextBuffer& Text, TColor Color) {
    const TChannels C = ChannelsOf(Color);
    Text << "hsv(" << HueOf(C.R, C.G, C.B) << ", "
         << (C.Max == 0 ? 0 : PercentOf(C.Max - C.Min, C.Max)) << "%, " << PercentOf(C.Max, 255)
         << "%)";
}

void WriteCmyk(TTextBuffer& Text, TColor Color) {
    const TCmykNumbers Cmyk = CmykNumbers(Color);
    Text << "cmyk(" << Cmyk.C << "%, " << Cmyk.M << "%, " << Cmyk.Y << "%, " << Cmyk.K << "%)";
}

void WriteLab(TTextBuffer& Text, TColor Color) {
    const ColorSpace::TLab Lab = ColorSpace::LabOf(Color);
    Text << "lab(";
    Text.Fixed(Lab.L, 2) << " ";
    Text.Fixed(Lab.A, 2) << " ";
    Text.Fixed(Lab.B, 2) << ")";
}

void WriteOklch(TTextBuffer& Text, TColor Color) {
    const ColorSpace::TLch Lch = ColorSpace::OklchOf(Color);
    Text << "oklch(";
    Text.Fixed(Lch.L, 2) << "% ";
    Text.Fixed(Lch.C, 4) << " ";
    Text.Fixed(Lch.H, 2) << ")";
}

void WriteLowerHex(TTextBuffer& Text, TColor Color) {
    Text << "#";
    Text.Hex(RedOf(Color)).Hex(GreenOf(Color)).Hex(BlueOf(Color));
}

void WriteName(TTextBuffer& Text, TColor Color) {
    Text << ColorNames::NearestName(Color);
}

template <void (*Write)(TTextBuffer& Text, TColor Color)>
int Buffered(char* Out, std::size_t Size, TColor Color) {
    TTextBuffer Text;
    Write(Text, Color & 0xFFFFFF);
    return Text.CopyTo(Out, Size);
}

// The rows of the list in Notations.h: the seven in screen order, then the eight of "复制为".
#define QUILLORA_MAIN_NOTATION_ROW(writer, reader, label, caption, name) {writer, reader, name},
#define QUILLORA_MORE_NOTATION_ROW(id, writer, reader, caption, example, name) {writer, reader, name},
const TNotation kNotations[kMainCount + kMoreCount] = {
    QUILLORA_MAIN_NOTATIONS(QUILLORA_MAIN_NOTATION_ROW) QUILLORA_MORE_NOTATIONS(QUILLORA_MORE_NOTATION_ROW)};
#undef QUILLORA_MAIN_NOTATION_ROW
#undef QUILLORA_MORE_NOTATION_ROW

const TNotation& Row(int Number, int Count, int First) {
    if (Number < 1 || Number > Count) throw std::out_of_range("notation " + std::to_string(Number));
    return kNotations[First + Number - 1];
}

}  // namespace

std::string TNotation::Text(TColor Color) const {
    char Short[48];
    const int Length = Format(Short, sizeof Short, Color);
    if (Length < static_cast<int>(sizeof Short))
        return std::string(Short, static_cast<std::size_t>(Length));
    std::string Long(static_cast<std::size_t>(Length) + 1, '\0');
    Format(&Long[0], Long.size(), Color);
    Long.pop_back();
    return Long;
}

const TNotation& Main(int Number) { return Row(Number, kMainCount, 0); }
const TNotation& More(int Number) { return Row(Number, kMoreCount, kMainCount); }

const TNotation* Named(std::string_view Name) {
    for (const TNotation& Notation : kNotations)
        if (TextUtil::SameText(std::string(Name), Notation.Name)) return &Notation;
    return nullptr;
}

bool Read(std::string_view Text, TColor& Out) {
    for (const TNotation& Notation : kNotations)
        if (Notation.Read && Notation.Read(Text, Out)) return true;
    return false;
}

THslNumbers CssHslNumbers(TColor Color) {
    const TChannels C = ChannelsOf(Color);
    const int Delta = C.Max - C.Min;
    // Saturation is Delta over the distance of Max + Min from the nearer end of 0..510.
    const int Room = std::min(C.Max + C.Min, 510 - C.Max - C.Min);
    return {HueOf(C.R, C.G, C.B), Delta == 0 ? 0 : PercentOf(Delta, Room),
            PercentOf(C.Max + C.Min, 510)};
}

TCmykNumbers CmykNumbers(TColor Color) {
    const TChannels C = ChannelsOf(Color);
    if (C.Max == 0) return {0, 0, 0, 100};
    // C = (1 - R/255 - K) / (1 - K) with K = 1 - Max/255 is (Max - R) / Max.
    return {PercentOf(C.Max - C.R, C.Max), PercentOf(C.Max - C.G, C.Max),
            PercentOf(C.Max - C.B, C.Max), PercentOf(255 - C.Max, 255)};
}

}  // namespace Notations
