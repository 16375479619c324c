#include "SettingsText.h"

#include "../notation/ColorText.h"
#include "../util/TextUtil.h"

#include <cctype>
#include <cstdio>
#include <unordered_set>

namespace SettingsText {

namespace {

using TextUtil::Piece;

// The section name of a "[name]" line, trimmed; false for any other line.
bool SectionName(const std::string& Line, std::string& Name) {
    const std::string Trimmed = TextUtil::Trim(Line);
    const std::size_t Close = Trimmed.rfind(']');
    if (Trimmed.empty() || Trimmed[0] != '[' || Close == std::string::npos) return false;
    Name = TextUtil::Trim(Trimmed.substr(1, Close - 1));
    return true;
}

// A name with its letters in lower case: two names are the same, in any case, when these are.
std::string Folded(std::string Name) {
    for (char& C : Name) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return Name;
}

bool SameName(const std::string& A, const std::string& B) {
    return A.size() == B.size() && Folded(A) == Folded(B);
}

}  // namespace

using SettingsTable::NumberFromValue;
using SettingsTable::NumberValue;
using SettingsTable::TSettingId;

bool StayOnTopFromValue(const std::string& Value) {
    return NumberFromValue(TSettingId::StayOnTop, Value) != 0;
}

std::string StayOnTopValue(bool On) { return NumberValue(TSettingId::StayOnTop, On); }

int ZoomFromValue(const std::string& Value) { return NumberFromValue(TSettingId::Zoom, Value); }

std::string ZoomValue(int Zoom) { return NumberValue(TSettingId::Zoom, Zoom); }

int SampleFromValue(const std::string& Value) {
    return NumberFromValue(TSettingId::Sample, Value);
}

std::string SampleValue(int Side) { return NumberValue(TSettingId::Sample, Side); }

int AutoCopyFromValue(const std::string& Value) {
    return NumberFromValue(TSettingId::AutoCopy, Value);
}

std::string AutoCopyValue(int Notation) { return NumberValue(TSettingId::AutoCopy, Notation); }

std::string TimeText(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    char Buffer[80];
    std::snprintf(Buffer, sizeof Buffer, "%02d/%02d/%04d %02d:%02d:%02d", Month, Day, Year, Hour,
                  Minute, Second);
    return Buffer;
}

std::string KeyFromTimeText(const std::string& Time) {
    std::string Key;
    for (char C : TextUtil::Trim(Time))
        if (C != '/' && C != ' ' && C != ':') Key += C;
    return Key;
}

TKeyFields KeyFields(const std::string& Key) {
    return {Piece(Key, 1, 2), Piece(Key, 3, 2),  Piece(Key, 5, 4),
            Piece(Key, 9, 2), Piece(Key, 11, 2), Piece(Key, 13, 2)};
}

std::string TimeTextFromKey(const std::string& Key) {
    const TKeyFields F = KeyFields(Key);
    return F.Month + "/" + F.Day + "/" + F.Year + " " + F.Hour + ":" + F.Minute + ":" + F.Second;
}

std::string PrepareComment(const std::string& Comment) {
    std::string Prepared = Comment;
    for (char& C : Prepared) {
        const unsigned char Code = static_cast<unsigned char>(C);
        if (C == ';')
            C = ',';  // many INI readers take a ';' for the start of a comment
        else if (Code < 32 || Code == 127)
            C = ' ';  // a line break would start a new line, and with it a new key
    }
    return Prepared;
}

std::string StoredValue(const std::string& ColorText, const std::string& Comment) {
    return ColorText + PrepareComment(Comment);
}

bool ParseColorLine(const std::string& Line, TColorEntry& Entry) {
    const std::size_t Equals = Line.find('=');
    const std::string Key = Line.substr(0, Equals);
    const std::string Value = Equals == std::string::npos ? std::string() : Line.substr(Equals + 1);
    TColorEntry Parsed;
    Parsed.ColorText = Piece(Value, 1, 7);
    if (!ColorText::TryToColor(Parsed.ColorText, Parsed.Color)) return false;
    Parsed.Comment = Piece(Value, 8, std::string::npos);
    Parsed.Key = Key;
    Parsed.TimeText = TimeTextFromKey(Key);
    Entry = Parsed;
    return true;
}

}  // namespace SettingsText

namespace SettingsText {

std::string WithLinesAdded(const std::string& File, const std::string& Section,
                           const std::vector<std::string>& Lines,
                           const std::vector<std::string>& Removed) {
    std::string Added;
    for (const std::string& Line : Lines) Added += Line + "\r\n";
    // Looked up, not searched: comparing each line with each key took 100 s for a section of
    // 100 000 lines that all go.
    std::unordered_set<std::string> RemovedKeys;
    for (const std::string& R : Removed) RemovedKeys.insert(Folded(TextUtil::Trim(R)));
    auto removed = [&](const std::string& Line) {
        const std::size_t Equals = Line.find('=');
        return Equals != std::string::npos && !RemovedKeys.empty() &&
               RemovedKeys.count(Folded(TextUtil::Trim(Line.substr(0, Equals)))) > 0;
    };
    // Walk the lines (ended by CR LF, LF or CR alone), copying all but the removed ones; Insert
    // ends up behind the last kept line with more than blanks in the first matching section.
    std::string Kept;
    std::size_t Insert = std::string::npos;
    bool Inside = false, Done = false;
    for (std::size_t Start = 0; Start < File.size();) {
        std::size_t End = File.find_first_of("\r\n", Start);
        if (End == std::string::npos) End = File.size();
        std::size_t Next = End;
        if (Next < File.size())
            Next += File[Next] == '\r' && Next + 1 < File.size() && File[Next + 1] == '\n' ? 2 : 1;
        const std::string Line = File.substr(Start, End - Start);
        std::string Name;
        const bool Header = !Done && SectionName(Line, Name);
        if (Header) Done = Inside;
        if (Inside && !Done && !Header && removed(Line)) {
            Start = Next;
            continue;
        }
        Kept.append(File, Start, Next - Start);
        if (Header && !Inside && !Done && SameName(Name, Section)) {
            Inside = true;
            Insert = Kept.size();
        } else if (Inside && !Done && !TextUtil::Trim(Line).empty()) {
            Insert = Kept.size();
        }
        Start = Next;
    }
    if (Insert == std::string::npos) {
        if (!Kept.empty() && Kept.back() != '\n' && Kept.back() != '\r') Kept += "\r\n";
        return Kept + "[" + Section + "]\r\n" + Added;
    }
    // A last line without its line end gets one before the new lines.
    const bool NeedsEnd = Insert > 0 && Kept[Insert - 1] != '\n' && Kept[Insert - 1] != '\r';
    return Kept.substr(0, Insert) + (NeedsEnd ? "\r\n" : "") + Added + Kept.substr(Insert);
}

}  // namespace SettingsText
