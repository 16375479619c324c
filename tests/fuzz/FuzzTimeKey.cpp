// The time of a saved colour: SettingsText::TimeText from any six ints, the key made from a
// time text (KeyFromTimeText) and the time text rebuilt from a key (TimeTextFromKey).
//
// Input: six little-endian int32 (month, day, year, hour, minute, second), then any text,
// used both as a key and as a time text.

#include "FuzzCheck.h"
#include "settings/SettingsText.h"

#include <string>

namespace {

bool IsSeparator(char C) { return C == '/' || C == ' ' || C == ':'; }

// Zero-padded to Width, the sign in front, as "%0*d" writes it.
std::string Padded(int Value, std::size_t Width) {
    const bool Negative = Value < 0;
    std::string Digits =
        std::to_string(Negative ? -static_cast<long long>(Value) : static_cast<long long>(Value));
    const std::size_t Room = Negative ? (Width > 0 ? Width - 1 : 0) : Width;
    if (Digits.size() < Room) Digits.insert(0, Room - Digits.size(), '0');
    return (Negative ? "-" : "") + Digits;
}

void CheckTimeText(int Month, int Day, int Year, int Hour, int Minute, int Second) {
    const std::string Text = SettingsText::TimeText(Year, Month, Day, Hour, Minute, Second);
    FUZZ_CHECK(Text == Padded(Month, 2) + "/" + Padded(Day, 2) + "/" + Padded(Year, 4) + " " +
                           Padded(Hour, 2) + ":" + Padded(Minute, 2) + ":" + Padded(Second, 2));

    const std::string Key = SettingsText::KeyFromTimeText(Text);
    auto Fits = [](int V, int Max) { return V >= 0 && V <= Max; };
    if (Fits(Month, 99) && Fits(Day, 99) && Fits(Year, 9999) && Fits(Hour, 99) &&
        Fits(Minute, 99) && Fits(Second, 99)) {
        // Every field at its own width: a 14-digit key that gives the text back.
        FUZZ_CHECK(Text.size() == 19);
        FUZZ_CHECK(Key.size() == 14);
        for (char C : Key) FUZZ_CHECK(IsDecimalDigit(C));
        FUZZ_CHECK(SettingsText::TimeTextFromKey(Key) == Text);
    }
}

void CheckKey(const std::string& Key) {
    const std::string Text = SettingsText::TimeTextFromKey(Key);
    const std::string First14 = Key.substr(0, 14);
    FUZZ_CHECK(Text.size() == First14.size() + 5);
    FUZZ_CHECK(Text == SettingsText::TimeTextFromKey(First14));
    // The separators stand where they belong.
    FUZZ_CHECK(Text[First14.size() >= 2 ? 2 : First14.size()] == '/');
    FUZZ_CHECK(Text[Text.size() - 1 - (First14.size() >= 14 ? 2 : First14.size() >= 13 ? 1 : 0)] == ':');

    // A key of ordinary characters survives the way through its time text.
    bool Ordinary = true;
    for (char C : First14)
        Ordinary = Ordinary && static_cast<unsigned char>(C) > 32 && !IsSeparator(C);
    if (Ordinary) FUZZ_CHECK(SettingsText::KeyFromTimeText(Text) == First14);
}

void CheckTimeTextToKey(const std::string& Time) {
    const std::string Key = SettingsText::KeyFromTimeText(Time);
    FUZZ_CHECK(Key.size() <= Time.size());
    for (char C : Key) FUZZ_CHECK(!IsSeparator(C));
    // The key is the time text in order, less its separators and its blank ends.
    std::size_t At = 0;
    for (char C : Time)
        if (At < Key.size() && C == Key[At]) ++At;
    FUZZ_CHECK(At == Key.size());
    // Blanks and line ends around a time text change nothing.
    FUZZ_CHECK(SettingsText::KeyFromTimeText("\t " + Time + "\r\n") == Key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TFuzzInput Fields(Data, Size);
    const int Month = Fields.I32(), Day = Fields.I32(), Year = Fields.I32();
    const int Hour = Fields.I32(), Minute = Fields.I32(), Second = Fields.I32();
    const std::string Text = Fields.Rest();

    CheckTimeText(Month, Day, Year, Hour, Minute, Second);
    CheckKey(Text);
    CheckTimeTextToKey(Text);

    // Fourteen digits made from the first bytes: always a key that converts both ways.
    std::string Digits;
    for (std::size_t I = 0; I < 14; ++I) Digits += static_cast<char>('0' + (I < Size ? Data[I] % 10 : 0));
    const std::string Time = SettingsText::TimeTextFromKey(Digits);
    FUZZ_CHECK(Time.size() == 19);
    FUZZ_CHECK(SettingsText::KeyFromTimeText(Time) == Digits);
    return 0;
}
