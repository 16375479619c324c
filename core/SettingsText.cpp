#include "SettingsText.h"

#include "ColorText.h"
#include "TextUtil.h"

#include <cstdint>
#include <cstdio>

namespace SettingsText {

namespace {

// Characters From..From+Count-1, counted from 1, as far as the text reaches.
std::string Piece(const std::string& Text, std::size_t From, std::size_t Count) {
    return From > Text.size() ? std::string() : Text.substr(From - 1, Count);
}

}  // namespace

bool StayOnTopFromValue(const std::string& Value) { return TextUtil::Trim(Value) != "0"; }

std::string StayOnTopValue(bool On) { return On ? "1" : "0"; }

int ZoomFromValue(const std::string& Value) {
    std::int32_t Zoom = 0;
    if (!TextUtil::TryStrToInt(TextUtil::Trim(Value), Zoom) || Zoom < 1 || Zoom > 20) return 1;
    return Zoom;
}

std::string ZoomValue(int Zoom) { return std::to_string(Zoom); }

int SampleFromValue(const std::string& Value) {
    std::int32_t Side = 0;
    if (!TextUtil::TryStrToInt(TextUtil::Trim(Value), Side) || (Side != 3 && Side != 5)) return 1;
    return Side;
}

std::string SampleValue(int Side) { return std::to_string(Side); }

int AutoCopyFromValue(const std::string& Value) {
    std::int32_t Notation = 0;
    if (!TextUtil::TryStrToInt(TextUtil::Trim(Value), Notation) || Notation < 0 || Notation > 7)
        return 0;
    return Notation;
}

std::string AutoCopyValue(int Notation) { return std::to_string(Notation); }

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

std::string TimeTextFromKey(const std::string& Key) {
    return Piece(Key, 1, 2) + "/" + Piece(Key, 3, 2) + "/" + Piece(Key, 5, 4) + " " +
           Piece(Key, 9, 2) + ":" + Piece(Key, 11, 2) + ":" + Piece(Key, 13, 2);
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
