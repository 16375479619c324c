// A saved colour's comment as it goes into the settings file (SettingsText::PrepareComment,
// StoredValue) and comes back out of it (ParseColorLine).
//
// Input: a little-endian uint32 colour, then the comment.

#include "notation/ColorText.h"
#include "FuzzCheck.h"
#include "settings/SettingsText.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TFuzzInput Fields(Data, Size);
    const TColor Color = Fields.U32();
    const std::string Comment = Fields.Rest();

    // Same length; no control character, DEL or ';' left; everything else as it was.
    const std::string Prepared = SettingsText::PrepareComment(Comment);
    FUZZ_CHECK(Prepared.size() == Comment.size());
    for (std::size_t I = 0; I < Comment.size(); ++I) {
        const unsigned char In = static_cast<unsigned char>(Comment[I]);
        const unsigned char Out = static_cast<unsigned char>(Prepared[I]);
        FUZZ_CHECK(Out >= 32 && Out != 127 && Out != ';');
        if (In == ';')
            FUZZ_CHECK(Out == ',');
        else if (In < 32 || In == 127)
            FUZZ_CHECK(Out == ' ');
        else
            FUZZ_CHECK(Out == In);
    }
    FUZZ_CHECK(SettingsText::PrepareComment(Prepared) == Prepared);

    // The stored value is the colour text, then the prepared comment.
    const std::string ColorText = ColorText::FromColor(Color);
    const std::string Value = SettingsText::StoredValue(ColorText, Comment);
    FUZZ_CHECK(Value == ColorText + Prepared);

    // Read back from its line, the entry has the colour and the prepared comment.
    const std::string Key = "03072026140509";
    SettingsText::TColorEntry Entry;
    FUZZ_CHECK(SettingsText::ParseColorLine(Key + "=" + Value, Entry));
    FUZZ_CHECK(Entry.Key == Key);
    FUZZ_CHECK(Entry.Color == (Color & 0xFFFFFF));
    FUZZ_CHECK(Entry.ColorText == ColorText);
    FUZZ_CHECK(Entry.Comment == Prepared);
    FUZZ_CHECK(Entry.TimeText == "03/07/2026 14:05:09");
    return 0;
}
