#include "TextUtil.h"

namespace TextUtil {

namespace {

bool IsBlankOrControl(char C) { return static_cast<unsigned char>(C) <= 32; }

// The value of a digit in the given base, or -1.
int DigitValue(char C, int Base) {
    int Digit = -1;
    if (C >= '0' && C <= '9')
        Digit = C - '0';
    else if (C >= 'A' && C <= 'F')
        Digit = C - 'A' + 10;
    else if (C >= 'a' && C <= 'f')
        Digit = C - 'a' + 10;
    return Digit < Base ? Digit : -1;
}

}  // namespace

std::string Trim(const std::string& Text) {
    std::size_t First = 0;
    std::size_t Last = Text.size();
    while (First < Last && IsBlankOrControl(Text[First])) ++First;
    while (Last > First && IsBlankOrControl(Text[Last - 1])) --Last;
    return Text.substr(First, Last - First);
}

std::string Piece(const std::string& Text, std::size_t From, std::size_t Count) {
    return From > Text.size() ? std::string() : Text.substr(From - 1, Count);
}

std::string IntToHex(std::uint32_t Value, int Digits) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string Text;
    do {
        Text.insert(Text.begin(), kHexDigits[Value & 0xF]);
        Value >>= 4;
    } while (Value != 0);
    if (static_cast<int>(Text.size()) < Digits) Text.insert(0, Digits - Text.size(), '0');
    return Text;
}

bool TryStrToInt(const std::string& Text, std::int32_t& Value) {
    std::size_t I = 0;
    const std::size_t N = Text.size();
    bool Negative = false;
    if (I < N && (Text[I] == '+' || Text[I] == '-')) Negative = Text[I++] == '-';

    int Base = 10;
    if (I < N && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
        Base = 16;
        I += 1;
    } else if (I + 1 < N && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
        Base = 16;
        I += 2;
    }
    if (I == N) return false;

    // Decimals stop at the int32 limits; hexadecimal at 32 bits.
    const std::uint64_t Limit = Base == 16 ? 0xFFFFFFFFull
                                : Negative ? 0x80000000ull
                                           : 0x7FFFFFFFull;
    std::uint64_t Magnitude = 0;
    for (; I < N; ++I) {
        const int Digit = DigitValue(Text[I], Base);
        if (Digit < 0) return false;
        Magnitude = Magnitude * Base + static_cast<unsigned>(Digit);
        if (Magnitude > Limit) return false;
    }
    std::uint32_t Bits = static_cast<std::uint32_t>(Magnitude);
    if (Negative) Bits = 0u - Bits;
    Value = static_cast<std::int32_t>(Bits);
    return true;
}

bool SameText(const std::string& A, const std::string& B) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (A.size() != B.size()) return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (lower(A[I]) != lower(B[I])) return false;
    return true;
}

}  // namespace TextUtil
