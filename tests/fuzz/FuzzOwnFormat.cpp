// The own formats on any bytes, taken both as a template and as a stored value: a template is
// accepted exactly when a plain reference reader finds it usable, and then expands to the
// reference's text of #FF8000; a problem points at a character that has it; a template
// without braces expands to itself; an accepted value is a name, a tab and a usable template,
// a refused one leaves the format alone; every accepted format reads back as it was stored.

#include "FuzzCheck.h"
#include "notation/OwnFormats.h"
#include "util/Utf8.h"
#include "../common/ProfileRead.h"

#include <map>
#include <string>
#include <vector>

namespace {

using namespace OwnFormats;

const std::map<std::string, std::string> kOrange = {  // RGB(255, 128, 0)
    {"r", "255"},    {"g", "128"},    {"b", "0"},      {"R", "FF"},   {"G", "80"},   {"B", "00"},
    {"rx", "ff"},    {"gx", "80"},    {"bx", "00"},    {"h", "20"},   {"s", "240"},  {"l", "120"},
    {"rf", "1.000"}, {"gf", "0.502"}, {"bf", "0.000"}, {"hd", "30"},  {"sp", "100"}, {"lp", "50"},
    {"c", "0"},      {"m", "50"},     {"y", "100"},    {"k", "0"},    {"hex", "FF8000"},
    {"name", "darkorange"}};

// The characters of a text, a byte of no well-formed sequence being one of its own.
std::vector<std::string> Characters(const std::string& Text) {
    std::vector<std::string> Out;
    char32_t Code;
    for (std::size_t Pos = 0, Length; Pos < Text.size(); Pos += Length) {
        Length = Utf8::Decode(Text, Pos, Code);
        Length += Length == 0;
        Out.push_back(Text.substr(Pos, Length));
    }
    return Out;
}

bool IsControl(const std::string& Character) {
    const unsigned char Byte = Character[0];
    return (Byte < 0x20 && Byte != '\t') || Byte == 0x7F;
}

// The text of a template for #FF8000; false for a template that cannot be used.
bool Reference(const std::string& Template, std::string& Out) {
    const std::vector<std::string> Chars = Characters(Template);
    if (Chars.empty() || Chars.size() > kMaxTemplate) return false;
    for (const std::string& Character : Chars)
        if (IsControl(Character)) return false;
    for (std::size_t At = 0; At < Template.size();) {
        const std::size_t Brace = Template.find_first_of("{}", At);
        Out += Template.substr(At, Brace - At);
        if (Brace == std::string::npos) break;
        const bool Doubled = Template.compare(Brace, 2, std::string(2, Template[Brace])) == 0;
        const std::size_t Close = Template.find('}', Brace);
        const std::string Name =
            Close == std::string::npos ? "" : Template.substr(Brace + 1, Close - Brace - 1);
        if (Template[Brace] == '}' || Doubled) {
            Out += Template[Brace];
            At = Brace + (Doubled ? 2 : 1);
        } else if (kOrange.count(Name) == 0) {
            return false;
        } else {
            Out += kOrange.at(Name);
            At = Close + 1;
        }
    }
    return true;
}

void CheckRoundTrip(const TFormat& Format) {
    TFormat Back;
    FUZZ_CHECK(FromStoredValue(ProfileRead(StoredValue(Format)), Back));
    FUZZ_CHECK(Back.Name == Format.Name && Back.Template == Format.Template);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text = FuzzText(Data, Size);

    const TError Error = CheckTemplate(Text);
    std::string Expected;
    const bool Usable = Reference(Text, Expected);
    FUZZ_CHECK(Usable == !Error);
    if (Usable) {
        FUZZ_CHECK(Expand(Text, 0xAB0080FF) == Expected);
        CheckRoundTrip({"My format", Text});
    }
    if (Error.Position > 0) {
        const std::vector<std::string> Chars = Characters(Text);
        FUZZ_CHECK(Error.Position <= static_cast<int>(Chars.size()));
        const std::string& At = Chars[Error.Position - 1];
        FUZZ_CHECK(Error.Problem == TProblem::ControlCharacter ? IsControl(At) : At == "{");
    }

    std::string Plain;
    for (char C : Text)
        if (C != '{' && C != '}') Plain += C;
    FUZZ_CHECK(Expand(Plain, 0xAB0080FF) == Plain);

    TFormat Stored{"untouched", "untouched"};
    if (FromStoredValue(Text, Stored)) {
        FUZZ_CHECK(Stored.Name + "\t" + Stored.Template == Text && !CheckTemplate(Stored.Template));
        CheckRoundTrip(Stored);
    } else {
        FUZZ_CHECK(Stored.Name == "untouched" && Stored.Template == "untouched");
    }
    return 0;
}
