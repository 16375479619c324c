#include "OwnFormats.h"

#include "../colour/ColorNames.h"
#include "Notations.h"
#include "../util/TextUtil.h"
#include "../util/Utf8.h"
#include "../colour/VopClass.h"

#include <cstdio>
#include <utility>

namespace OwnFormats {

namespace {

// The character at Text[Pos] and its length in bytes. A byte that starts no well-formed
// sequence is a character of its own, so any bytes can be counted and copied.
std::size_t CharAt(std::string_view Text, std::size_t Pos, char32_t& Code) {
    const std::size_t Length = Utf8::Decode(Text, Pos, Code);
    if (Length != 0) return Length;
    Code = Utf8::kReplacement;
    return 1;
}

std::size_t CharCount(std::string_view Text) {
    std::size_t Count = 0;
    char32_t Code;
    for (std::size_t Pos = 0; Pos < Text.size(); Pos += CharAt(Text, Pos, Code)) ++Count;
    return Count;
}

bool IsControl(char32_t Code) { return Code < 0x20 || Code == 0x7F; }

TError Problem(TProblem What, std::size_t Position = 0, std::string_view Placeholder = {}) {
    TError Error;
    Error.Problem = What;
    Error.Position = static_cast<int>(Position);
    Error.Placeholder = std::string(Placeholder);
    return Error;
}

// What a placeholder stands for: one of the numbers of a group (the channels red, green and
// blue in four writings, two HSL and the CMYK), or a text of the whole colour.
enum class TKind { Decimal, UpperHex, LowerHex, Fraction, EditorHsl, CssHsl, Cmyk, Hex, Name };

struct TPlaceholder {
    const char* Name;
    TKind Kind;
    int Which;  // the number of its group, counted from 0
};

const TPlaceholder kPlaceholders[] = {
    {"r", TKind::Decimal, 0},    {"g", TKind::Decimal, 1},    {"b", TKind::Decimal, 2},
    {"R", TKind::UpperHex, 0},   {"G", TKind::UpperHex, 1},   {"B", TKind::UpperHex, 2},
    {"rx", TKind::LowerHex, 0},  {"gx", TKind::LowerHex, 1},  {"bx", TKind::LowerHex, 2},
    {"rf", TKind::Fraction, 0},  {"gf", TKind::Fraction, 1},  {"bf", TKind::Fraction, 2},
    {"h", TKind::EditorHsl, 0},  {"s", TKind::EditorHsl, 1},  {"l", TKind::EditorHsl, 2},
    {"hd", TKind::CssHsl, 0},    {"sp", TKind::CssHsl, 1},    {"lp", TKind::CssHsl, 2},
    {"c", TKind::Cmyk, 0},       {"m", TKind::Cmyk, 1},       {"y", TKind::Cmyk, 2},
    {"k", TKind::Cmyk, 3},       {"hex", TKind::Hex, 0},      {"name", TKind::Name, 0},
};

const TPlaceholder* FindPlaceholder(std::string_view Name) {
    for (const TPlaceholder& Placeholder : kPlaceholders)
        if (Name == Placeholder.Name) return &Placeholder;
    return nullptr;
}

void AppendValue(std::string& Out, const TPlaceholder& Placeholder, TColor Color) {
    const int Channels[3] = {RedOf(Color), GreenOf(Color), BlueOf(Color)};
    const int Channel = Channels[Placeholder.Which % 3];
    char Text[16];
    switch (Placeholder.Kind) {
    case TKind::Decimal:
        std::snprintf(Text, sizeof Text, "%d", Channel);
        break;
    case TKind::UpperHex:
        std::snprintf(Text, sizeof Text, "%02X", Channel);
        break;
    case TKind::LowerHex:
        std::snprintf(Text, sizeof Text, "%02x", Channel);
        break;
    case TKind::Fraction: {
        // Channel / 255 in thousandths, half up, in whole numbers: every build writes the same.
        const int Thousandths = (2000 * Channel + 255) / 510;
        std::snprintf(Text, sizeof Text, "%d.%03d", Thousandths / 1000, Thousandths % 1000);
        break;
    }
    case TKind::EditorHsl: {
        int Hsl[3];
        TVop::RGBToHSL(Channels[0], Channels[1], Channels[2], Hsl[0], Hsl[1], Hsl[2]);
        std::snprintf(Text, sizeof Text, "%d", Hsl[Placeholder.Which]);
        break;
    }
    case TKind::CssHsl: {
        const Notations::THslNumbers Hsl = Notations::CssHslNumbers(Color);
        const int Numbers[3] = {Hsl.Hue, Hsl.Saturation, Hsl.Lightness};
        std::snprintf(Text, sizeof Text, "%d", Numbers[Placeholder.Which]);
        break;
    }
    case TKind::Cmyk: {
        const Notations::TCmykNumbers Cmyk = Notations::CmykNumbers(Color);
        const int Numbers[4] = {Cmyk.C, Cmyk.M, Cmyk.Y, Cmyk.K};
        std::snprintf(Text, sizeof Text, "%d", Numbers[Placeholder.Which]);
        break;
    }
    case TKind::Hex:
        std::snprintf(Text, sizeof Text, "%02X%02X%02X", Channels[0], Channels[1], Channels[2]);
        break;
    case TKind::Name:
        Out += ColorNames::NearestName(Color);
        return;
    }
    Out += Text;
}

// Reads a template from the left: its text for Color goes to Out where one is given, and the
// first problem of its braces and characters comes back (its length is the caller's). What
// cannot be used is copied as written: an unknown placeholder with its braces, a "{" without
// a "}", a control character.
TError Scan(std::string_view Template, TColor Color, std::string* Out) {
    TError First;
    const auto Note = [&First](TError Error) {
        if (!First) First = std::move(Error);
    };
    const auto Copy = [Out](std::string_view Text) {
        if (Out) Out->append(Text.data(), Text.size());
    };
    // A "{" after the last "}" has none; knowing where that is keeps the scan linear.
    const std::size_t LastClose = Template.rfind('}');
    std::size_t Position = 1;  // of the character at Pos
    for (std::size_t Pos = 0; Pos < Template.size() && (Out || !First);) {
        const char Byte = Template[Pos];
        const bool Doubled = Pos + 1 < Template.size() && Template[Pos + 1] == Byte;
        if ((Byte == '{' || Byte == '}') && Doubled) {
            Copy(Template.substr(Pos, 1));
            Pos += 2, Position += 2;
        } else if (Byte == '{' && (LastClose == std::string_view::npos || LastClose < Pos)) {
            Note(Problem(TProblem::MissingBrace, Position));
            Copy("{");
            Pos += 1, Position += 1;
        } else if (Byte == '{') {
            const std::size_t Close = Template.find('}', Pos + 1);
            const std::string_view Name = Template.substr(Pos + 1, Close - Pos - 1);
            if (const TPlaceholder* Placeholder = FindPlaceholder(Name)) {
                if (Out) AppendValue(*Out, *Placeholder, Color);
            } else {
                Note(Problem(TProblem::UnknownPlaceholder, Position, Name));
                Copy(Template.substr(Pos, Close + 1 - Pos));
            }
            Position += CharCount(Name) + 2;
            Pos = Close + 1;
        } else {
            char32_t Code;
            const std::size_t Length = CharAt(Template, Pos, Code);
            if (IsControl(Code) && Code != '\t')
                Note(Problem(TProblem::ControlCharacter, Position));
            Copy(Template.substr(Pos, Length));
            Pos += Length, Position += 1;
        }
    }
    return First;
}

}  // namespace

TError CheckTemplate(std::string_view Template) {
    if (Template.empty()) return Problem(TProblem::EmptyTemplate);
    if (CharCount(Template) > kMaxTemplate) return Problem(TProblem::LongTemplate);
    return Scan(Template, 0, nullptr);
}

TError CheckName(const std::vector<TFormat>& List, std::size_t Index) {
    const std::string& Name = List.at(Index).Name;
    if (Name.empty()) return Problem(TProblem::EmptyName);
    if (CharCount(Name) > kMaxName) return Problem(TProblem::LongName);
    // The tab too: it ends the name in the stored value.
    char32_t Code;
    for (std::size_t Pos = 0, Position = 1; Pos < Name.size(); ++Position) {
        Pos += CharAt(Name, Pos, Code);
        if (IsControl(Code)) return Problem(TProblem::NameControl, Position);
    }
    for (std::size_t Other = 0; Other < List.size(); ++Other)
        if (Other != Index && TextUtil::SameText(List[Other].Name, Name))
            return Problem(TProblem::SameName);
    return {};
}

std::string Expand(std::string_view Template, TColor Color) {
    std::string Text;
    Scan(Template, Color & 0xFFFFFF, &Text);
    return Text;
}

std::string StoredValue(const TFormat& Format) {
    const std::string Value = Format.Name + '\t' + Format.Template;
    const char First = Value.front(), Last = Value.back();
    const bool Blank = First == ' ' || First == '\t' || Last == ' ' || Last == '\t';
    const bool Quoted = Value.size() > 1 && First == Last && (First == '"' || First == '\'');
    return Blank || Quoted ? '"' + Value + '"' : Value;
}

bool FromStoredValue(std::string_view Value, TFormat& Out) {
    const std::size_t Tab = Value.find('\t');
    if (Tab == std::string_view::npos) return false;
    const std::vector<TFormat> One = {
        {std::string(Value.substr(0, Tab)), std::string(Value.substr(Tab + 1))}};
    if (CheckName(One, 0) || CheckTemplate(One[0].Template)) return false;
    Out = One[0];
    return true;
}

bool KeyNumber(std::string_view Key, int& Number) {
    if (Key.empty() || Key.size() > 2 || Key[0] == '0') return false;
    int Value = 0;
    for (const char Digit : Key) {
        if (Digit < '0' || Digit > '9') return false;
        Value = Value * 10 + (Digit - '0');
    }
    if (Value > kMaxFormats) return false;
    Number = Value;
    return true;
}

}  // namespace OwnFormats
