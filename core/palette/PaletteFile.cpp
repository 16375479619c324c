#include "PaletteFile.h"

#include "../notation/ColorFormats.h"
#include "../notation/ColorText.h"
#include "../util/TextUtil.h"
#include "../util/Utf8.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <utility>

namespace PaletteFile {

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// Count digits from Text[Pos] as a number, or -1 when one of them is no digit.
int Digits(std::string_view Text, std::size_t Pos, std::size_t Count) {
    int Value = 0;
    for (std::size_t I = Pos; I < Pos + Count; ++I) {
        if (!IsDigit(Text[I])) return -1;
        Value = Value * 10 + (Text[I] - '0');
    }
    return Value;
}

// A whole field of digits as a number, or -1 when one of them is no digit.
int Number(std::string_view Field) { return Digits(Field, 0, Field.size()); }

int DaysIn(int Year, int Month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 31;
    const bool Leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
    return Month == 2 && Leap ? 29 : kDays[Month - 1];
}

char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

// --- Writing ---

// A name on one line of a text file: control characters would break the line.
std::string OneLine(std::string_view Name) {
    std::string Line = Utf8::Repaired(Name);
    for (char& C : Line)
        if (static_cast<unsigned char>(C) < 32 || C == 127) C = ' ';
    return Line;
}

std::string ListName(const TOutEntry& Entry) {
    return Entry.Comment.empty() ? SettingsText::TimeTextFromKey(Entry.Key) : Entry.Comment;
}

std::string WriteGpl(const std::vector<TOutEntry>& Entries) {
    std::string Out = "GIMP Palette\nName: Quillora\nColumns: 0\n#\n";
    for (const TOutEntry& E : Entries) {
        char Channels[16];
        std::snprintf(Channels, sizeof Channels, "%3d %3d %3d\t", RedOf(E.Color), GreenOf(E.Color),
                      BlueOf(E.Color));
        Out += Channels + OneLine(ListName(E)) + "\n";
    }
    return Out;
}

void PutU16(std::string& Out, std::uint32_t Value) {
    Out += static_cast<char>(Value >> 8 & 0xFF);
    Out += static_cast<char>(Value & 0xFF);
}

void PutU32(std::string& Out, std::uint32_t Value) {
    PutU16(Out, Value >> 16);
    PutU16(Out, Value & 0xFFFF);
}

// The bits of the float nearest to Channel/255, found with integers: the x87 build may
// round a float division twice and land one bit off.
std::uint32_t FloatBitsOfChannel(int Channel) {
    if (Channel <= 0) return 0;
    // Channel/255 lies in [2^Exponent, 2^(Exponent+1)); 24 significant bits are kept.
    int Exponent = 0;
    while (Channel << -Exponent < 255) --Exponent;
    const std::uint64_t Scaled = static_cast<std::uint64_t>(Channel) << (23 - Exponent);
    std::uint64_t Significand = Scaled / 255;
    if (Scaled % 255 * 2 > 255) ++Significand;  // never a tie: 255 is odd
    if (Significand == std::uint64_t(1) << 24) Significand >>= 1, ++Exponent;
    return static_cast<std::uint32_t>(Exponent + 127) << 23 |
           static_cast<std::uint32_t>(Significand & 0x7FFFFF);
}

// UTF-16 code units of a name, at most Limit, never half a surrogate pair.
std::u16string Utf16Of(std::string_view Text, std::size_t Limit) {
    std::u16string Units;
    char32_t Code = 0;
    for (std::size_t Pos = 0; Pos < Text.size();) {
        const std::size_t Length = Utf8::Decode(Text, Pos, Code);
        if (Length == 0) Code = Utf8::kReplacement;
        Pos += Length == 0 ? 1 : Length;
        if (Units.size() + (Code >= 0x10000 ? 2 : 1) > Limit) break;
        if (Code >= 0x10000) {
            Units += static_cast<char16_t>(0xD800 + ((Code - 0x10000) >> 10));
            Units += static_cast<char16_t>(0xDC00 + (Code & 0x3FF));
        } else {
            Units += static_cast<char16_t>(Code);
        }
    }
    return Units;
}

// A swatch's name is the comment as it is, so an export read back matches the saved colours.
std::string WriteAse(const std::vector<TOutEntry>& Entries) {
    std::string Out = "ASEF";
    PutU16(Out, 1);
    PutU16(Out, 0);
    PutU32(Out, static_cast<std::uint32_t>(Entries.size()));
    for (const TOutEntry& E : Entries) {
        // The name's length is a u16 that counts the closing zero.
        const std::u16string Name = Utf16Of(E.Comment, 0xFFFE);
        PutU16(Out, 0x0001);
        PutU32(Out, static_cast<std::uint32_t>(2 + 2 * (Name.size() + 1) + 4 + 12 + 2));
        PutU16(Out, static_cast<std::uint32_t>(Name.size() + 1));
        for (char16_t Unit : Name) PutU16(Out, Unit);
        PutU16(Out, 0);
        Out += "RGB ";
        for (int Channel : {RedOf(E.Color), GreenOf(E.Color), BlueOf(E.Color)})
            PutU32(Out, FloatBitsOfChannel(Channel));
        PutU16(Out, 2);  // a normal colour, neither global nor spot
    }
    return Out;
}

std::string JsonText(std::string_view Text) {
    std::string Out = "\"";
    for (char C : Utf8::Repaired(Text)) {
        switch (C) {
        case '"': Out += "\\\""; break;
        case '\\': Out += "\\\\"; break;
        case '\n': Out += "\\n"; break;
        case '\t': Out += "\\t"; break;
        case '\r': Out += "\\r"; break;
        case '\b': Out += "\\b"; break;
        case '\f': Out += "\\f"; break;
        default:
            if (static_cast<unsigned char>(C) < 32) {
                char Escape[8];
                std::snprintf(Escape, sizeof Escape, "\\u%04x", static_cast<unsigned>(C));
                Out += Escape;
            } else {
                Out += C;
            }
        }
    }
    return Out + "\"";
}

std::string WriteJson(const std::vector<TOutEntry>& Entries) {
    if (Entries.empty()) return "[]\n";
    std::string Out = "[\n";
    for (std::size_t I = 0; I < Entries.size(); ++I) {
        const TOutEntry& E = Entries[I];
        TTime Saved;
        Out += I == 0 ? "" : ",\n";
        Out += "  {\"color\": \"" + ColorText::FromColor(E.Color) +
               "\", \"comment\": " + JsonText(E.Comment) + ", \"saved\": " +
               (TimeFromKey(E.Key, Saved) ? "\"" + IsoTextOf(Saved) + "\"" : "null") + "}";
    }
    return Out + "\n]\n";
}

std::string WriteCss(const std::vector<TOutEntry>& Entries) {
    std::string Out = ":root {\n";
    for (std::size_t I = 0; I < Entries.size(); ++I) {
        const TOutEntry& E = Entries[I];
        Out += "  --color-" + std::to_string(I + 1) + ": " +
               ColorFormats::MoreNotation(E.Color, ColorFormats::kLowerHex) + ";";
        if (!E.Comment.empty()) {
            std::string Comment = OneLine(E.Comment);
            for (std::size_t At = Comment.find("*/"); At != std::string::npos;
                 At = Comment.find("*/", At + 2))
                Comment.insert(At + 1, " ");
            Out += " /* " + Comment + " */";
        }
        Out += "\n";
    }
    return Out + "}\n";
}

}  // namespace

bool FormatFromExtension(std::string_view Extension, TFormat& Format) {
    static const TFormat kFormats[] = {TFormat::Gpl, TFormat::Ase, TFormat::Json, TFormat::Css};
    std::string Lowered;
    for (char C : Extension) Lowered += Lower(C);
    for (TFormat F : kFormats)
        if (Lowered == ExtensionOf(F)) {
            Format = F;
            return true;
        }
    return false;
}

const char* ExtensionOf(TFormat Format) {
    switch (Format) {
    case TFormat::Gpl: return "gpl";
    case TFormat::Ase: return "ase";
    case TFormat::Json: return "json";
    case TFormat::Css: return "css";
    }
    return "";
}

bool Sniff(std::string_view Bytes, TFormat& Format) {
    const auto IsBlank = [](char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; };
    if (Bytes.substr(0, 4) == "ASEF") {
        Format = TFormat::Ase;
        return true;
    }
    if (Bytes.substr(0, 3) == "\xEF\xBB\xBF") Bytes.remove_prefix(3);
    std::size_t First = 0;
    while (First < Bytes.size() && IsBlank(Bytes[First])) ++First;
    const std::string_view Start = Bytes.substr(First);
    std::string_view Line = Start.substr(0, Start.find_first_of("\r\n"));
    while (!Line.empty() && IsBlank(Line.back())) Line.remove_suffix(1);
    if (Line == "GIMP Palette") {
        Format = TFormat::Gpl;
        return true;
    }
    if (!Start.empty() && Start[0] == '[') {
        Format = TFormat::Json;
        return true;
    }
    // "--name" then blanks then ":"; each run of name characters is looked at once.
    for (std::size_t At = Bytes.find("--"); At != std::string_view::npos;
         At = Bytes.find("--", At)) {
        std::size_t End = At + 2;
        while (End < Bytes.size() &&
               (Bytes[End] == '-' || Bytes[End] == '_' || IsDigit(Bytes[End]) ||
                (Lower(Bytes[End]) >= 'a' && Lower(Bytes[End]) <= 'z') ||
                static_cast<unsigned char>(Bytes[End]) >= 0x80))
            ++End;
        const bool Named = End > At + 2;
        while (End < Bytes.size() && IsBlank(Bytes[End])) ++End;
        if (Named && End < Bytes.size() && Bytes[End] == ':') {
            Format = TFormat::Css;
            return true;
        }
        At = End;
    }
    return false;
}

bool operator==(const TTime& A, const TTime& B) {
    return A.Year == B.Year && A.Month == B.Month && A.Day == B.Day && A.Hour == B.Hour &&
           A.Minute == B.Minute && A.Second == B.Second;
}

bool IsValidTime(const TTime& T) {
    return T.Year >= 1 && T.Year <= 9999 && T.Month >= 1 && T.Month <= 12 && T.Day >= 1 &&
           T.Day <= DaysIn(T.Year, T.Month) && T.Hour >= 0 && T.Hour <= 23 && T.Minute >= 0 &&
           T.Minute <= 59 && T.Second >= 0 && T.Second <= 59;
}

bool TimeFromKey(std::string_view Key, TTime& Time) {
    if (Key.size() != SettingsText::kKeyLength) return false;
    const SettingsText::TKeyFields F = SettingsText::KeyFields(std::string(Key));
    const TTime T{Number(F.Year), Number(F.Month),  Number(F.Day),
                  Number(F.Hour), Number(F.Minute), Number(F.Second)};
    if (!IsValidTime(T)) return false;  // a non-digit gave -1
    Time = T;
    return true;
}

std::string KeyFromTime(const TTime& T) {
    return SettingsText::KeyFromTimeText(
        SettingsText::TimeText(T.Year, T.Month, T.Day, T.Hour, T.Minute, T.Second));
}

std::string IsoTextOf(const TTime& T) {
    char Text[80];
    std::snprintf(Text, sizeof Text, "%04d-%02d-%02dT%02d:%02d:%02d", T.Year, T.Month, T.Day,
                  T.Hour, T.Minute, T.Second);
    return Text;
}

bool TimeFromIsoText(std::string_view Text, TTime& Time) {
    if (Text.size() != 19 || Text[4] != '-' || Text[7] != '-' || Text[10] != 'T' ||
        Text[13] != ':' || Text[16] != ':')
        return false;
    const TTime T{Digits(Text, 0, 4),  Digits(Text, 5, 2),  Digits(Text, 8, 2),
                  Digits(Text, 11, 2), Digits(Text, 14, 2), Digits(Text, 17, 2)};
    if (!IsValidTime(T)) return false;
    Time = T;
    return true;
}

TTime NextSecond(TTime T) {
    if (T == TTime{9999, 12, 31, 23, 59, 59}) return T;
    if (++T.Second < 60) return T;
    T.Second = 0;
    if (++T.Minute < 60) return T;
    T.Minute = 0;
    if (++T.Hour < 24) return T;
    T.Hour = 0;
    if (++T.Day <= DaysIn(T.Year, T.Month)) return T;
    T.Day = 1;
    if (++T.Month <= 12) return T;
    T.Month = 1;
    ++T.Year;
    return T;
}

std::string Write(TFormat Format, const std::vector<TOutEntry>& Entries) {
    switch (Format) {
    case TFormat::Gpl: return WriteGpl(Entries);
    case TFormat::Ase: return WriteAse(Entries);
    case TFormat::Json: return WriteJson(Entries);
    case TFormat::Css: return WriteCss(Entries);
    }
    return std::string();
}

std::string ImportComment(std::string_view Name) {
    constexpr std::size_t kMostUnits = 256;  // what the save dialog's comment box holds
    std::string Comment;
    std::size_t Units = 0;
    char32_t Code = 0;
    for (std::size_t Pos = 0; Pos < Name.size();) {
        const std::size_t Length = Utf8::Decode(Name, Pos, Code);
        if (Length == 0) Code = Utf8::kReplacement;
        Pos += Length == 0 ? 1 : Length;
        Units += Code >= 0x10000 ? 2 : 1;
        if (Units > kMostUnits) break;
        if (Code < 32 || (Code >= 127 && Code <= 159))
            Code = ' ';
        else if (Code == ';')
            Code = ',';  // as every stored comment: INI readers take ';' for a comment
        Utf8::Append(Comment, Code);
    }
    return Comment;
}

TImportPlan PlanImport(const std::vector<SettingsText::TColorEntry>& Existing,
                       const std::vector<TIncoming>& Incoming, const TTime& Now) {
    std::set<std::pair<TColor, std::string>> Saved;
    std::set<std::string> Taken;
    for (const SettingsText::TColorEntry& E : Existing) {
        Saved.emplace(E.Color, TextUtil::Trim(E.Comment));
        Taken.insert(E.Key);
    }
    TImportPlan Plan;
    TTime Next = Now;  // where the search for a free second goes on
    for (const TIncoming& In : Incoming) {
        if (Saved.count({In.Color, TextUtil::Trim(In.Comment)}) != 0) {
            ++Plan.Skipped;
            continue;
        }
        std::string Key;
        if (In.HasSaved && IsValidTime(In.Saved)) Key = KeyFromTime(In.Saved);
        if (Key.empty() || Taken.count(Key) != 0) {
            Key = KeyFromTime(Next);
            for (TTime Later = NextSecond(Next); Taken.count(Key) != 0; Later = NextSecond(Next)) {
                if (Later == Next) break;  // the last second of year 9999
                Next = Later;
                Key = KeyFromTime(Next);
            }
            if (Taken.count(Key) != 0) {  // no second left to give it
                ++Plan.Skipped;
                continue;
            }
            Next = NextSecond(Next);
        }
        Taken.insert(Key);
        Plan.Added.emplace_back(
            Key, SettingsText::StoredValue(ColorText::FromColor(In.Color), In.Comment));
    }
    return Plan;
}

}  // namespace PaletteFile
