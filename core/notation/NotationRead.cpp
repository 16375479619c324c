#include "NotationRead.h"

#include "../colour/ColorNames.h"
#include "../colour/ColorSpace.h"

#include <cstdint>

namespace NotationRead {

namespace {

using ColorSpace::TDecimal;

constexpr std::size_t kLongestText = 256;

bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

// The value of a hex digit, or -1.
int HexDigit(char C) {
    if (IsDigit(C)) return C - '0';
    C = Lower(C);
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

// Case does not matter anywhere, so the readers compare letters in lower case instead of
// copying the text: Notations::Read hands one text to every reader in turn.
bool Same(std::string_view Text, std::string_view LowerCase) {
    if (Text.size() != LowerCase.size()) return false;
    for (std::size_t I = 0; I < Text.size(); ++I)
        if (Lower(Text[I]) != LowerCase[I]) return false;
    return true;
}

bool StartsWith(std::string_view Text, std::string_view LowerCase) {
    return Same(Text.substr(0, LowerCase.size()), LowerCase);
}

// One or more digits in Base to a value of at most Limit.
bool ReadWhole(std::string_view Digits, int Base, std::uint32_t Limit, std::uint32_t& Value) {
    if (Digits.empty()) return false;
    std::uint32_t Read = 0;
    for (char C : Digits) {
        const int Digit = HexDigit(C);
        if (Digit < 0 || Digit >= Base) return false;
        Read = Read * Base + static_cast<std::uint32_t>(Digit);
        if (Read > Limit) return false;
    }
    Value = Read;
    return true;
}

bool ReadHex(std::string_view Digits, std::uint32_t& Value) {
    return ReadWhole(Digits, 16, 0xFFFFFF, Value);
}

TColor FromRgbValue(std::uint32_t Rgb) {
    return MakeColor(static_cast<int>(Rgb >> 16), static_cast<int>(Rgb >> 8 & 0xFF),
                     static_cast<int>(Rgb & 0xFF));
}

// "#RGB" or "#RRGGBB" without the "#".
bool ReadHashHex(std::string_view Digits, TColor& Color) {
    std::uint32_t Value = 0;
    if (!ReadHex(Digits, Value)) return false;
    if (Digits.size() == 6) {
        Color = FromRgbValue(Value);
        return true;
    }
    if (Digits.size() != 3) return false;
    Color = MakeColor(static_cast<int>(Value >> 8) * 17, static_cast<int>(Value >> 4 & 0xF) * 17,
                      static_cast<int>(Value & 0xF) * 17);
    return true;
}

enum class TUnit { None, Percent, Degrees };

struct TNumber {
    TDecimal Value;
    TUnit Unit = TUnit::None;
};

// [+|-] digits [. digits] [% | deg], or the digits after the point alone (".5").
bool ReadNumber(std::string_view Text, TNumber& Number) {
    constexpr std::int64_t kFull = 100000000000000000;  // one more digit reaches 10^18
    std::size_t I = 0;
    const bool Negative = !Text.empty() && Text[0] == '-';
    if (!Text.empty() && (Text[0] == '+' || Text[0] == '-')) ++I;
    TDecimal Value;
    const std::size_t WholeStart = I;
    for (; I < Text.size() && IsDigit(Text[I]); ++I) {
        if (Value.Digits >= kFull) return false;
        Value.Digits = Value.Digits * 10 + (Text[I] - '0');
    }
    const bool HasWhole = I > WholeStart;
    if (I < Text.size() && Text[I] == '.') {
        const std::size_t FractionStart = ++I;
        for (; I < Text.size() && IsDigit(Text[I]); ++I)
            if (Value.Digits < kFull && Value.Scale < 18) {
                Value.Digits = Value.Digits * 10 + (Text[I] - '0');
                ++Value.Scale;
            }
        if (I == FractionStart) return false;
    } else if (!HasWhole) {
        return false;
    }
    const std::string_view Unit = Text.substr(I);
    if (Unit == "%")
        Number.Unit = TUnit::Percent;
    else if (Same(Unit, "deg"))
        Number.Unit = TUnit::Degrees;
    else if (Unit.empty())
        Number.Unit = TUnit::None;
    else
        return false;
    if (Negative) Value.Digits = -Value.Digits;
    Number.Value = Value;
    return true;
}

std::int64_t PowerOfTen(int Exponent) {
    std::int64_t Power = 1;
    for (int I = 0; I < Exponent; ++I) Power *= 10;
    return Power;
}

// Low <= Number <= High, decided exactly on the whole part and the rest.
bool Within(TDecimal Number, std::int64_t Low, std::int64_t High) {
    const std::int64_t Unit = PowerOfTen(Number.Scale);
    const std::int64_t Whole = Number.Digits / Unit, Rest = Number.Digits % Unit;
    return (Whole > Low || (Whole == Low && Rest >= 0)) &&
           (Whole < High || (Whole == High && Rest <= 0));
}

constexpr std::int64_t kAny = 1000000000000000000;  // beyond every number ReadNumber gives

bool IsPercent(const TNumber& Number) {  // the sign is optional
    return Number.Unit != TUnit::Degrees && Within(Number.Value, 0, 100);
}

bool IsHue(const TNumber& Number) {
    return Number.Unit != TUnit::Percent && Within(Number.Value, 0, 360);
}

bool IsPlain(const TNumber& Number, std::int64_t Low, std::int64_t High) {
    return Number.Unit == TUnit::None && Within(Number.Value, Low, High);
}

// A value in 0..1 as a percentage.
TDecimal Hundredfold(TDecimal Fraction) {
    if (Fraction.Scale >= 2)
        Fraction.Scale -= 2;
    else
        Fraction.Digits *= PowerOfTen(2 - Fraction.Scale);
    return Fraction;
}

constexpr int kMostArguments = 4;

struct TArguments {
    TNumber Values[kMostArguments];
    int Count = 0;
};

// The values inside parentheses, or of a bare triple: separated by commas, or by blanks
// alone, the same all along; blanks around a comma or a "/" are free. An alpha, when
// allowed, comes last, after a comma in the comma form and after a "/" in the blank form;
// it is checked and dropped.
bool ReadArguments(std::string_view Text, int Count, bool AlphaAllowed, TArguments& Arguments) {
    std::string_view Items[kMostArguments + 1];
    char Separators[kMostArguments + 1];
    int Found = 0;
    std::size_t I = 0;
    while (I < Text.size() && IsBlank(Text[I])) ++I;
    for (;;) {
        const std::size_t Start = I;
        while (I < Text.size() && !IsBlank(Text[I]) && Text[I] != ',' && Text[I] != '/') ++I;
        if (I == Start || Found > Count) return false;
        Items[Found++] = Text.substr(Start, I - Start);
        while (I < Text.size() && IsBlank(Text[I])) ++I;
        if (I == Text.size()) break;
        char Separator = ' ';
        if (Text[I] == ',' || Text[I] == '/') {
            Separator = Text[I++];
            while (I < Text.size() && IsBlank(Text[I])) ++I;
        }
        Separators[Found - 1] = Separator;
    }
    const bool HasAlpha = Found == Count + 1;
    if (Found < Count || (HasAlpha && !AlphaAllowed)) return false;
    const char Between = Count > 1 ? Separators[0] : ' ';
    if (Between == '/') return false;
    for (int K = 1; K < Count - 1; ++K)
        if (Separators[K] != Between) return false;
    if (HasAlpha) {
        TNumber Alpha;
        if (Separators[Count - 1] != (Between == ',' ? ',' : '/')) return false;
        if (!ReadNumber(Items[Count], Alpha)) return false;
        if (!(Alpha.Unit == TUnit::Percent ? Within(Alpha.Value, 0, 100) : IsPlain(Alpha, 0, 1)))
            return false;
    }
    for (int K = 0; K < Count; ++K)
        if (!ReadNumber(Items[K], Arguments.Values[K])) return false;
    Arguments.Count = Count;
    return true;
}

// A channel of rgb(): 0..255, or a percentage.
bool ReadChannel(const TNumber& Number, int& Channel) {
    const bool Percent = Number.Unit == TUnit::Percent;
    if (Percent ? !Within(Number.Value, 0, 100) : !IsPlain(Number, 0, 255)) return false;
    Channel = ColorSpace::ChannelOf(Number.Value, Percent);
    return true;
}

// The text between the parentheses of "Name(...)", or also of "Namea(...)" where WithA.
bool CallOf(std::string_view Text, std::string_view Name, bool WithA, std::string_view& Inside) {
    const std::size_t Open = Text.find('(');
    if (Open == std::string_view::npos || Text.back() != ')') return false;
    std::string_view Called = Text.substr(0, Open);
    if (WithA && Called.size() == Name.size() + 1 && Lower(Called.back()) == 'a')
        Called.remove_suffix(1);
    if (!Same(Called, Name)) return false;
    Inside = Text.substr(Open + 1, Text.size() - Open - 2);
    return true;
}

// A form reads a text that is trimmed and not empty, and sets Color only when it reads.
using TForm = bool (*)(std::string_view Text, TColor& Color);

bool ReadRgb(std::string_view Text, TColor& Color) {
    std::string_view Inside;
    TArguments A;
    int R = 0, G = 0, B = 0;
    if (!CallOf(Text, "rgb", true, Inside) || !ReadArguments(Inside, 3, true, A) ||
        !ReadChannel(A.Values[0], R) || !ReadChannel(A.Values[1], G) ||
        !ReadChannel(A.Values[2], B))
        return false;
    Color = MakeColor(R, G, B);
    return true;
}

// hsl() (with alpha, also as hsla()) or hsv(): a hue and two percentages.
bool ReadHueCall(std::string_view Text, bool Hsl, TColor& Color) {
    std::string_view Inside;
    TArguments A;
    const TNumber* V = A.Values;
    if (!CallOf(Text, Hsl ? "hsl" : "hsv", Hsl, Inside) || !ReadArguments(Inside, 3, Hsl, A) ||
        !IsHue(V[0]) || !IsPercent(V[1]) || !IsPercent(V[2]))
        return false;
    Color = Hsl ? ColorSpace::FromHsl(V[0].Value, V[1].Value, V[2].Value)
                : ColorSpace::FromHsv(V[0].Value, V[1].Value, V[2].Value);
    return true;
}

bool ReadHsl(std::string_view Text, TColor& Color) { return ReadHueCall(Text, true, Color); }
bool ReadHsv(std::string_view Text, TColor& Color) { return ReadHueCall(Text, false, Color); }

bool ReadCmyk(std::string_view Text, TColor& Color) {
    std::string_view Inside;
    TArguments A;
    const TNumber* V = A.Values;
    if (!CallOf(Text, "cmyk", false, Inside) || !ReadArguments(Inside, 4, false, A)) return false;
    for (const TNumber& Value : A.Values)
        if (!IsPercent(Value)) return false;
    Color = ColorSpace::FromCmyk(V[0].Value, V[1].Value, V[2].Value, V[3].Value);
    return true;
}

bool ReadLab(std::string_view Text, TColor& Color) {
    std::string_view Inside;
    TArguments A;
    const TNumber* V = A.Values;
    if (!CallOf(Text, "lab", false, Inside) || !ReadArguments(Inside, 3, true, A) ||
        !IsPercent(V[0]) || !IsPlain(V[1], -kAny, kAny) || !IsPlain(V[2], -kAny, kAny))
        return false;
    Color = ColorSpace::FromLab(V[0].Value, V[1].Value, V[2].Value);
    return true;
}

bool ReadOklch(std::string_view Text, TColor& Color) {
    std::string_view Inside;
    TArguments A;
    const TNumber* V = A.Values;
    if (!CallOf(Text, "oklch", false, Inside) || !ReadArguments(Inside, 3, true, A) ||
        !IsPlain(V[1], 0, kAny) || !IsHue(V[2]))
        return false;
    TDecimal Lightness = V[0].Value;
    if (IsPlain(V[0], 0, 1))
        Lightness = Hundredfold(Lightness);
    else if (V[0].Unit != TUnit::Percent || !Within(Lightness, 0, 100))
        return false;
    Color = ColorSpace::FromOklch(Lightness, V[1].Value, V[2].Value);
    return true;
}

// "r, g, b" with whole numbers 0..255 (digits alone), as the main window writes them.
bool ReadTriple(std::string_view Text, TColor& Color) {
    TArguments A;
    if (Text.find_first_not_of("0123456789, \t\r\n") != std::string_view::npos ||
        !ReadArguments(Text, 3, false, A))
        return false;
    for (int K = 0; K < 3; ++K)
        if (!IsPlain(A.Values[K], 0, 255) || A.Values[K].Value.Scale != 0) return false;
    Color = MakeColor(static_cast<int>(A.Values[0].Value.Digits),
                      static_cast<int>(A.Values[1].Value.Digits),
                      static_cast<int>(A.Values[2].Value.Digits));
    return true;
}

// Six digits are the hex notation, so the decimal one leaves them alone.
bool ReadDecimal(std::string_view Text, TColor& Color) {
    std::uint32_t Value = 0;
    if (Text.size() == 6 || !ReadWhole(Text, 10, 0xFFFFFF, Value)) return false;
    Color = Value;  // blue-green-red, as the value is kept
    return true;
}

bool ReadBareHex(std::string_view Text, TColor& Color) {
    std::uint32_t Value = 0;
    if (Text.size() != 6 || !ReadHex(Text, Value)) return false;
    Color = FromRgbValue(Value);
    return true;
}

bool ReadHash(std::string_view Text, TColor& Color) {
    return Text[0] == '#' && ReadHashHex(Text.substr(1), Color);
}

// Hex digits after Prefix, blue-green-red as the value is kept.
bool ReadValue(std::string_view Text, std::string_view Prefix, TColor& Color) {
    std::uint32_t Value = 0;
    if (!StartsWith(Text, Prefix) || !ReadHex(Text.substr(Prefix.size()), Value)) return false;
    Color = Value;
    return true;
}

bool ReadDelphi(std::string_view Text, TColor& Color) { return ReadValue(Text, "$", Color); }
bool ReadCHex(std::string_view Text, TColor& Color) { return ReadValue(Text, "0x", Color); }

bool ReadVb(std::string_view Text, TColor& Color) {
    if (Text.size() > 2 && Text.back() == '&') Text.remove_suffix(1);  // the last "&" is optional
    return ReadValue(Text, "&h", Color);
}

// The names are kept in lower case.
bool ReadName(std::string_view Text, TColor& Color) {
    char Name[24];  // the longest name has 20 letters
    if (Text.size() > sizeof Name) return false;
    for (std::size_t I = 0; I < Text.size(); ++I) Name[I] = Lower(Text[I]);
    return ColorNames::ColorOfName(std::string_view(Name, Text.size()), Color);
}

// Trims the text and hands it to Form; Out changes only when Form reads it.
bool Pasted(std::string_view Text, TColor& Out, TForm Form) {
    std::size_t First = 0, Last = Text.size();
    while (First < Last && IsBlank(Text[First])) ++First;
    while (Last > First && IsBlank(Text[Last - 1])) --Last;
    if (First == Last || Last - First > kLongestText) return false;
    TColor Color = 0;
    if (!Form(Text.substr(First, Last - First), Color)) return false;
    Out = Color;
    return true;
}

}  // namespace

bool Triple(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadTriple); }
bool Decimal(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadDecimal); }
bool Hex(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadBareHex); }
bool HashHex(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadHash); }
bool Delphi(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadDelphi); }
bool Vb(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadVb); }
bool CHex(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadCHex); }
bool Rgb(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadRgb); }
bool Hsl(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadHsl); }
bool Hsv(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadHsv); }
bool Cmyk(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadCmyk); }
bool Lab(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadLab); }
bool Oklch(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadOklch); }
bool Name(std::string_view Text, TColor& Out) { return Pasted(Text, Out, ReadName); }

}  // namespace NotationRead
