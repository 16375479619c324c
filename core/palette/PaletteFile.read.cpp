// The readers of the palette files. Each takes the whole file and refuses all of it at the
// first damage it finds, so an import never takes half a file.

#include "PaletteFile.h"

#include "../notation/ColorParse.h"
#include "../colour/ColorSpace.h"
#include "../util/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace PaletteFile {

namespace {

using ColorSpace::TDecimal;

bool IsBlank(char C) { return C == ' ' || C == '\t'; }
bool IsSpace(char C) { return IsBlank(C) || C == '\r' || C == '\n'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

std::string_view Trimmed(std::string_view Text) {
    while (!Text.empty() && IsSpace(Text.front())) Text.remove_prefix(1);
    while (!Text.empty() && IsSpace(Text.back())) Text.remove_suffix(1);
    return Text;
}

bool StartsWith(std::string_view Text, std::string_view Start) {
    return Text.substr(0, Start.size()) == Start;
}

// The text without its byte-order mark, or false when it is no UTF-8.
bool TextOf(std::string_view& Bytes, TReadReason& Reason) {
    if (StartsWith(Bytes, "\xEF\xBB\xBF")) Bytes.remove_prefix(3);
    if (Utf8::IsValid(Bytes)) return true;
    Reason = {TReadProblem::NotUtf8};
    return false;
}

// --- GIMP palettes ---

// The next line and its end, which may be CR LF, LF or CR alone.
std::string_view NextLine(std::string_view& Text) {
    std::size_t End = 0;
    while (End < Text.size() && Text[End] != '\n' && Text[End] != '\r') ++End;
    const std::string_view Line = Text.substr(0, End);
    if (End < Text.size()) End += Text.compare(End, 2, "\r\n") == 0 ? 2 : 1;
    Text.remove_prefix(End);
    return Line;
}

// Three whole numbers 0..255 separated by blanks, then a name after a blank.
bool ReadGplColor(std::string_view Line, TInEntry& Entry) {
    int Channels[3];
    std::size_t I = 0;
    for (int& Channel : Channels) {
        while (I < Line.size() && IsBlank(Line[I])) ++I;
        const std::size_t Start = I;
        for (Channel = 0; I < Line.size() && IsDigit(Line[I]) && I - Start < 3; ++I)
            Channel = Channel * 10 + (Line[I] - '0');
        if (I == Start || Channel > 255 || (I < Line.size() && !IsBlank(Line[I]))) return false;
    }
    Entry.Color = MakeColor(Channels[0], Channels[1], Channels[2]);
    Entry.Name = std::string(Trimmed(Line.substr(I)));
    return true;
}

bool ReadGpl(std::string_view Text, std::vector<TInEntry>& Entries, TReadReason& Reason) {
    std::size_t Number = 0;
    std::string_view Line;
    do {
        Line = Trimmed(NextLine(Text));
        ++Number;
    } while (Line.empty() && !Text.empty());
    if (Line != "GIMP Palette") {
        Reason = {TReadProblem::NotGpl};
        return false;
    }
    while (!Text.empty()) {
        Line = Trimmed(NextLine(Text));
        ++Number;
        if (Line.empty() || Line[0] == '#' || StartsWith(Line, "Name:") ||
            StartsWith(Line, "Columns:"))
            continue;
        TInEntry Entry;
        if (!ReadGplColor(Line, Entry)) {
            Reason = {TReadProblem::LineNotColor, Number};
            return false;
        }
        Entries.push_back(std::move(Entry));
    }
    return true;
}

// --- Swatch exchange files: big-endian blocks ---

class TBigEndian {
public:
    explicit TBigEndian(std::string_view Bytes) : FBytes(Bytes) {}

    bool Has(std::size_t Count) const { return FBytes.size() - FPos >= Count; }
    std::size_t Left() const { return FBytes.size() - FPos; }
    std::uint32_t U16() { return Take(2); }
    std::uint32_t U32() { return Take(4); }
    std::string_view Bytes(std::size_t Count) {
        const std::string_view Taken = FBytes.substr(FPos, Count);
        FPos += Taken.size();
        return Taken;
    }

private:
    // Callers ask Has first; past the end reads as zero.
    std::uint32_t Take(int Count) {
        std::uint32_t Value = 0;
        for (int I = 0; I < Count; ++I)
            Value = Value << 8 |
                    (FPos < FBytes.size() ? static_cast<unsigned char>(FBytes[FPos++]) : 0);
        return Value;
    }

    std::string_view FBytes;
    std::size_t FPos = 0;
};

// A swatch name: UTF-16 up to its closing zero; a lone surrogate becomes U+FFFD.
std::string NameFromUtf16(TBigEndian& In, std::size_t Units) {
    std::string Name;
    bool Ended = false;
    for (std::size_t I = 0; I < Units; ++I) {
        char32_t Code = In.U16();
        Ended = Ended || Code == 0;
        if (Ended) continue;
        if (Code >= 0xD800 && Code <= 0xDBFF && I + 1 < Units) {
            TBigEndian Peek = In;
            const char32_t Low = Peek.U16();
            if (Low >= 0xDC00 && Low <= 0xDFFF) {
                In = Peek;
                ++I;
                Code = 0x10000 + ((Code - 0xD800) << 10) + (Low - 0xDC00);
            }
        }
        Utf8::Append(Name, Code >= 0xD800 && Code <= 0xDFFF ? Utf8::kReplacement : Code);
    }
    return Name;
}

// A finite float clipped to +-10^6, as a decimal with nine places, rounded half up. Integer
// arithmetic on its bits gives the same digits in every build.
TDecimal DecimalOf(float Value) {
    Value = std::clamp(Value, -1e6f, 1e6f);
    std::uint32_t Bits;
    std::memcpy(&Bits, &Value, sizeof Bits);
    int Exponent = static_cast<int>(Bits >> 23 & 0xFF);
    std::uint64_t Significand = Bits & 0x7FFFFF;
    if (Exponent != 0)
        Significand |= 0x800000;
    else
        Exponent = 1;
    // Value = Significand * 2^(Exponent - 150), and the clip keeps the shift at 3 or more.
    const int Shift = 150 - Exponent;
    if (Shift >= 63) return {0, 9};
    const std::uint64_t Half = std::uint64_t(1) << (Shift - 1);
    const auto Digits = static_cast<std::int64_t>((Significand * 1000000000 + Half) >> Shift);
    return {Bits >> 31 ? -Digits : Digits, 9};
}

// 0..1 to 0..255, rounded half up; exact, as v * 255 + 0.5 needs far fewer than 53 bits.
int ChannelOfUnit(float Value) {
    if (!(Value > 0)) return 0;
    if (Value >= 1) return 255;
    return static_cast<int>(std::floor(static_cast<double>(Value) * 255 + 0.5));
}

enum class TSwatch { Read, Damaged, UnknownModel };

TSwatch ReadSwatch(std::string_view Block, TInEntry& Entry) {
    TBigEndian In(Block);
    if (!In.Has(2)) return TSwatch::Damaged;
    const std::size_t Units = In.U16();
    if (!In.Has(2 * Units + 4)) return TSwatch::Damaged;
    Entry.Name = NameFromUtf16(In, Units);
    const std::string_view Model = In.Bytes(4);
    static const std::pair<std::string_view, int> kValueCounts[] = {
        {"RGB ", 3}, {"LAB ", 3}, {"CMYK", 4}, {"Gray", 1}};
    int Count = 0;
    for (const auto& Known : kValueCounts)
        if (Model == Known.first) Count = Known.second;
    if (Count == 0) return TSwatch::UnknownModel;
    if (!In.Has(4 * static_cast<std::size_t>(Count))) return TSwatch::Damaged;
    float V[4];
    for (int I = 0; I < Count; ++I) {
        const std::uint32_t Bits = In.U32();
        if ((Bits >> 23 & 0xFF) == 0xFF) return TSwatch::Damaged;  // infinity or NaN
        std::memcpy(&V[I], &Bits, sizeof V[I]);
    }
    const auto Percent = [](float Value) { return TDecimal{DecimalOf(Value).Digits, 7}; };
    if (Model == "RGB ")
        Entry.Color = MakeColor(ChannelOfUnit(V[0]), ChannelOfUnit(V[1]), ChannelOfUnit(V[2]));
    else if (Model == "Gray")
        Entry.Color = MakeColor(ChannelOfUnit(V[0]), ChannelOfUnit(V[0]), ChannelOfUnit(V[0]));
    else if (Model == "CMYK")
        Entry.Color =
            ColorSpace::FromCmyk(Percent(V[0]), Percent(V[1]), Percent(V[2]), Percent(V[3]));
    else
        Entry.Color = ColorSpace::FromLab(Percent(V[0]), DecimalOf(V[1]), DecimalOf(V[2]));
    return TSwatch::Read;
}

bool ReadAse(std::string_view Bytes, std::vector<TInEntry>& Entries, TReadReason& Reason) {
    TBigEndian In(Bytes);
    if (!StartsWith(Bytes, "ASEF")) {
        Reason = {TReadProblem::NotAse};
        return false;
    }
    In.Bytes(4);
    Reason = {TReadProblem::Incomplete};
    if (!In.Has(8)) return false;
    In.U32();  // the version: 1.0 in every file seen, and nothing here depends on it
    for (std::uint32_t Blocks = In.U32(); Blocks > 0; --Blocks) {
        if (!In.Has(6)) return false;
        const std::uint32_t Type = In.U16(), Length = In.U32();
        if (In.Left() < Length) return false;
        const std::string_view Block = In.Bytes(Length);
        if (Type != 0x0001) continue;  // group starts and ends, and blocks of other kinds
        TInEntry Entry;
        switch (ReadSwatch(Block, Entry)) {
        case TSwatch::Read: Entries.push_back(std::move(Entry)); break;
        case TSwatch::Damaged:
            Reason = {TReadProblem::ColorDamaged, Entries.size() + 1};
            return false;
        case TSwatch::UnknownModel:
            Reason = {TReadProblem::ColorModelUnknown, Entries.size() + 1};
            return false;
        }
    }
    return true;
}

// --- JSON: an array of objects ---

class TJson {
public:
    explicit TJson(std::string_view Text) : FText(Text) {}

    TReadReason Reason;

    // The whole text: an array of colour objects and nothing after it.
    bool ReadList(std::vector<TInEntry>& Entries) {
        SkipSpace();
        if (Peek() != '[') {
            SkipValue(0);  // a syntax error in it says more
            return Fail(TReadProblem::NotList);
        }
        ++FPos;
        SkipSpace();
        if (Peek() == ']') {
            ++FPos;
        } else {
            for (;;) {
                TInEntry Entry;
                if (!ReadEntry(Entries.size() + 1, Entry)) return false;
                Entries.push_back(std::move(Entry));
                SkipSpace();
                if (Peek() == ']') break;
                if (!Expect(',')) return false;
                SkipSpace();
            }
            ++FPos;
        }
        SkipSpace();
        return FPos == FText.size() || Fail();
    }

private:
    static constexpr int kDeepest = 64;

    char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
    void SkipSpace() {
        while (FPos < FText.size() && IsSpace(FText[FPos])) ++FPos;
    }
    // Without a problem given, a syntax error at its line; a reason set already stays.
    bool Fail(TReadProblem Problem = TReadProblem::JsonSyntax, std::size_t Number = 0) {
        if (Reason.Problem != TReadProblem::None) return false;
        if (Problem == TReadProblem::JsonSyntax)
            Number = static_cast<std::size_t>(
                std::count(FText.begin(), FText.begin() + std::min(FPos, FText.size()), '\n') + 1);
        Reason = {Problem, Number};
        return false;
    }
    bool Expect(char C) {
        if (Peek() != C) return Fail();
        ++FPos;
        return true;
    }

    bool ReadEntry(std::size_t Number, TInEntry& Entry) {
        if (Peek() != '{') {
            if (!SkipValue(1)) return false;
            return Fail(TReadProblem::ItemNotObject, Number);
        }
        ++FPos;
        bool HasColor = false, ColorRead = false, HasComment = false;
        SkipSpace();
        if (Peek() == '}') {
            ++FPos;
        } else {
            for (;;) {
                std::string Key, Text;
                SkipSpace();
                if (Peek() != '"' || !ReadString(Key)) return Fail();
                SkipSpace();
                if (!Expect(':')) return false;
                SkipSpace();
                const bool IsText = Peek() == '"';
                if (IsText ? !ReadString(Text) : !SkipValue(2)) return false;
                if (Key == "color") {
                    HasColor = true;
                    ColorRead = IsText && ColorParse::ParseColor(Text, Entry.Color);
                } else if (Key == "comment" && IsText) {
                    Entry.Name = Text;
                    HasComment = true;
                } else if (Key == "name" && IsText && !HasComment) {
                    Entry.Name = Text;
                } else if (Key == "saved") {
                    Entry.HasSaved = IsText && TimeFromIsoText(Text, Entry.Saved);
                }
                SkipSpace();
                if (Peek() == '}') break;
                if (!Expect(',')) return false;
            }
            ++FPos;
        }
        if (!HasColor) return Fail(TReadProblem::ItemWithoutColor, Number);
        if (!ColorRead) return Fail(TReadProblem::ColorUnreadable, Number);
        return true;
    }

    // Any value, at Depth arrays and objects down.
    bool SkipValue(int Depth) {
        if (Depth >= kDeepest) return Fail(TReadProblem::JsonTooDeep);
        std::string Text;
        const char C = Peek();
        if (C == '"') return ReadString(Text);
        if (C == '[' || C == '{') {
            const char Close = C == '[' ? ']' : '}';
            ++FPos;
            SkipSpace();
            if (Peek() == Close) return ++FPos, true;
            for (;;) {
                if (Close == '}') {
                    if (Peek() != '"' || !ReadString(Text)) return Fail();
                    SkipSpace();
                    if (!Expect(':')) return false;
                    SkipSpace();
                }
                if (!SkipValue(Depth + 1)) return false;
                SkipSpace();
                if (Peek() == Close) return ++FPos, true;
                if (!Expect(',')) return false;
                SkipSpace();
            }
        }
        for (const char* Word : {"true", "false", "null"})
            if (StartsWith(FText.substr(FPos), Word)) return FPos += std::strlen(Word), true;
        return ReadNumber();
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    bool ReadNumber() {
        const auto DigitRun = [&] {
            const std::size_t Start = FPos;
            while (IsDigit(Peek())) ++FPos;
            return FPos > Start;
        };
        if (Peek() == '-') ++FPos;
        if (Peek() == '0')
            ++FPos;
        else if (!DigitRun())
            return Fail();
        if (Peek() == '.' && (++FPos, !DigitRun())) return Fail();
        if (Peek() == 'e' || Peek() == 'E') {
            ++FPos;
            if (Peek() == '+' || Peek() == '-') ++FPos;
            if (!DigitRun()) return Fail();
        }
        return true;
    }

    bool ReadHex4(std::uint32_t& Unit) {
        if (FText.size() - FPos < 4) return false;
        Unit = 0;
        for (int I = 0; I < 4; ++I) {
            const char C = Lower(FText[FPos++]);
            const int Digit = IsDigit(C) ? C - '0' : C >= 'a' && C <= 'f' ? C - 'a' + 10 : -1;
            if (Digit < 0) return false;
            Unit = Unit << 4 | static_cast<std::uint32_t>(Digit);
        }
        return true;
    }

    // At the opening quote. A lone surrogate escape becomes U+FFFD.
    bool ReadString(std::string& Out) {
        ++FPos;
        for (;;) {
            if (FPos >= FText.size()) return Fail();
            const char C = FText[FPos++];
            if (C == '"') return true;
            if (static_cast<unsigned char>(C) < 32) return --FPos, Fail();
            if (C != '\\') {
                Out += C;
                continue;
            }
            if (FPos >= FText.size()) return Fail();
            const char Escape = FText[FPos++];
            const char* kShort = "\"\\/bfnrt";
            const char* kMeant = "\"\\/\b\f\n\r\t";
            if (const char* At = Escape != '\0' ? std::strchr(kShort, Escape) : nullptr) {
                Out += kMeant[At - kShort];
                continue;
            }
            std::uint32_t Unit = 0, Low = 0;
            if (Escape != 'u' || !ReadHex4(Unit)) return Fail();
            if (Unit >= 0xD800 && Unit <= 0xDBFF && FText.compare(FPos, 2, "\\u") == 0) {
                const std::size_t Back = FPos;
                FPos += 2;
                if (!ReadHex4(Low)) return Fail();
                if (Low >= 0xDC00 && Low <= 0xDFFF)
                    Unit = 0x10000 + ((Unit - 0xD800) << 10) + (Low - 0xDC00);
                else
                    FPos = Back;
            }
            Utf8::Append(Out, Unit >= 0xD800 && Unit <= 0xDFFF ? Utf8::kReplacement : Unit);
        }
    }

    std::string_view FText;
    std::size_t FPos = 0;
};

// --- Style sheets: custom properties ---

class TCss {
public:
    explicit TCss(std::string_view Text) : FText(Text) {}

    // Declarations start the text and follow "{", ";" and "}"; only those naming a custom
    // property are looked at, so a selector such as ".tab--open:hover" is none.
    bool Read(std::vector<TInEntry>& Entries, TReadReason& Reason) {
        bool AtStart = true;
        while (FPos < FText.size()) {
            if (SkipComment()) continue;
            const char C = FText[FPos];
            if (IsSpace(C)) {
                Advance(1);
            } else if (AtStart && StartsWith(FText.substr(FPos), "--")) {
                if (!ReadDeclaration(Entries, Reason)) return false;
            } else {
                AtStart = C == '{' || C == ';' || C == '}';
                if (C == '"' || C == '\'')
                    SkipString();
                else
                    Advance(1);
            }
        }
        return true;
    }

private:
    void Advance(std::size_t Count) {
        for (std::size_t End = std::min(FPos + Count, FText.size()); FPos < End; ++FPos)
            if (FText[FPos] == '\n') ++FLine;
    }

    bool SkipComment() {
        if (!StartsWith(FText.substr(FPos), "/*")) return false;
        const std::size_t End = FText.find("*/", FPos + 2);
        Advance(End == std::string_view::npos ? FText.size() : End + 2 - FPos);
        return true;
    }

    void SkipSpaceAndComments() {
        for (;;) {
            if (SkipComment()) continue;
            if (FPos >= FText.size() || !IsSpace(FText[FPos])) return;
            Advance(1);
        }
    }

    void SkipString() {
        const char Quote = FText[FPos];
        Advance(1);
        while (FPos < FText.size() && FText[FPos] != Quote && FText[FPos] != '\n')
            Advance(FText[FPos] == '\\' ? 2 : 1);
        Advance(1);
    }

    // At "--": the name, ":", the value up to ";" or "}" outside parentheses, then perhaps a
    // comment on the same line.
    bool ReadDeclaration(std::vector<TInEntry>& Entries, TReadReason& Reason) {
        const std::size_t Line = FLine, NameStart = FPos + 2;
        while (FPos < FText.size() && !IsSpace(FText[FPos]) && FText[FPos] != ':' &&
               FText[FPos] != ';' && FText[FPos] != '{' && FText[FPos] != '}')
            Advance(1);
        const std::string_view Name = FText.substr(NameStart, FPos - NameStart);
        SkipSpaceAndComments();
        if (FPos >= FText.size() || FText[FPos] != ':') return true;  // not a declaration
        Advance(1);
        std::string Value;
        int Depth = 0;
        while (FPos < FText.size()) {
            if (SkipComment()) {
                Value += ' ';
                continue;
            }
            const char C = FText[FPos];
            if (Depth == 0 && (C == ';' || C == '}' || C == '{')) break;
            Depth += C == '(' ? 1 : C == ')' && Depth > 0 ? -1 : 0;
            Value += C;
            Advance(1);
        }
        const bool Ended = FPos < FText.size() && FText[FPos] == ';';
        if (Ended) Advance(1);
        TInEntry Entry;
        switch (ColorOf(Value, Entry.Color)) {
        case TValue::Other: return true;
        case TValue::Bad: Reason = {TReadProblem::CssColorUnreadable, Line}; return false;
        case TValue::Color: break;
        }
        Entry.Name = std::string(Name);
        std::size_t After = FPos;
        while (Ended && After < FText.size() && IsBlank(FText[After])) ++After;
        if (Ended && StartsWith(FText.substr(After), "/*")) {
            const std::size_t End = std::min(FText.find("*/", After + 2), FText.size());
            const std::string_view Comment = Trimmed(FText.substr(After + 2, End - After - 2));
            if (!Comment.empty()) Entry.Name = std::string(Comment);
        }
        Entries.push_back(std::move(Entry));
        return true;
    }

    enum class TValue { Color, Bad, Other };

    // #hex (an alpha digit or two dropped) and rgb() or rgba() are colours; a value of
    // another kind, or one built with var() or calc(), is none.
    static TValue ColorOf(std::string Value, TColor& Color) {
        std::string Lowered;
        for (char C : Trimmed(Value)) Lowered += Lower(C);
        if (Lowered.size() > 10 && Lowered.compare(Lowered.size() - 10, 10, "!important") == 0)
            Lowered =
                std::string(Trimmed(std::string_view(Lowered).substr(0, Lowered.size() - 10)));
        if (Lowered.find("var(") != std::string::npos || Lowered.find("calc(") != std::string::npos)
            return TValue::Other;
        if (Lowered.empty()) return TValue::Other;
        if (Lowered[0] == '#') {
            if (Lowered.size() == 5 || Lowered.size() == 9)
                Lowered.resize(Lowered.size() == 5 ? 4 : 7);
        } else if (!StartsWith(Lowered, "rgb(") && !StartsWith(Lowered, "rgba(")) {
            return TValue::Other;
        }
        return ColorParse::ParseColor(Lowered, Color) ? TValue::Color : TValue::Bad;
    }

    std::string_view FText;
    std::size_t FPos = 0, FLine = 1;
};

}  // namespace

bool Read(TFormat Format, std::string_view Bytes, std::vector<TInEntry>& Entries,
          TReadReason& Reason) {
    Entries.clear();
    Reason = {};
    bool Read = false;
    if (Bytes.size() > kMaxFileSize) {
        Reason = {TReadProblem::TooLarge};
    } else if (Format == TFormat::Ase) {
        Read = ReadAse(Bytes, Entries, Reason);
    } else if (TextOf(Bytes, Reason)) {
        if (Format == TFormat::Gpl) {
            Read = ReadGpl(Bytes, Entries, Reason);
        } else if (Format == TFormat::Json) {
            TJson Json(Bytes);
            Read = Json.ReadList(Entries);
            Reason = Json.Reason;
        } else {
            Read = TCss(Bytes).Read(Entries, Reason);
        }
    }
    if (Read)
        Reason = {};
    else
        Entries.clear();
    return Read;
}

}  // namespace PaletteFile
