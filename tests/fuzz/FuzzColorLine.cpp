// One "key=value" line of [COLORS] as the settings file hands it over, taken apart by
// SettingsText::ParseColorLine.

#include "notation/ColorText.h"
#include "FuzzCheck.h"
#include "settings/SettingsText.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Line = FuzzText(Data, Size);

    SettingsText::TColorEntry Entry;
    Entry.Key = "untouched";
    Entry.Color = 0xDEADBEEF;
    Entry.Comment = "untouched";
    const bool Ok = SettingsText::ParseColorLine(Line, Entry);

    const std::size_t Equals = Line.find('=');
    const std::string Value = Equals == std::string::npos ? "" : Line.substr(Equals + 1);
    TColor Color = 0;
    // Listed exactly when the value's first seven characters convert.
    FUZZ_CHECK(Ok == ColorText::TryToColor(Value.substr(0, 7), Color));
    if (!Ok) {
        FUZZ_CHECK(Entry.Key == "untouched" && Entry.Color == 0xDEADBEEF &&
                   Entry.Comment == "untouched" && Entry.ColorText.empty() &&
                   Entry.TimeText.empty());
        return 0;
    }

    // The line comes apart without a character lost or added.
    FUZZ_CHECK(Equals != std::string::npos);
    FUZZ_CHECK(Entry.Key == Line.substr(0, Equals));
    FUZZ_CHECK(Entry.Key.find('=') == std::string::npos);
    FUZZ_CHECK(Entry.ColorText.size() <= 7);
    FUZZ_CHECK(Entry.ColorText.size() == 7 || Entry.Comment.empty());
    FUZZ_CHECK(Entry.ColorText + Entry.Comment == Value);
    FUZZ_CHECK(Entry.Key + "=" + Entry.ColorText + Entry.Comment == Line);

    FUZZ_CHECK(Entry.Color == Color && Entry.Color <= 0xFFFFFF);
    FUZZ_CHECK(Entry.TimeText == SettingsText::TimeTextFromKey(Entry.Key));
    FUZZ_CHECK(Entry.TimeText.size() <= 19);

    // Saved again under its key, the entry reads back the same.
    const std::string Stored = SettingsText::StoredValue(Entry.ColorText, Entry.Comment);
    SettingsText::TColorEntry Again;
    FUZZ_CHECK(SettingsText::ParseColorLine(Entry.Key + "=" + Stored, Again));
    FUZZ_CHECK(Again.Key == Entry.Key && Again.Color == Entry.Color &&
               Again.ColorText == Entry.ColorText && Again.TimeText == Entry.TimeText &&
               Again.Comment == SettingsText::PrepareComment(Entry.Comment));
    return 0;
}
