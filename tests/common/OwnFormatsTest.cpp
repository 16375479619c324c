// The user's own copy formats: the texts templates give, the problems they and their names
// can have, and how a format survives the settings file.

#include "notation/OwnFormats.h"
#include "ProfileRead.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace OwnFormats;
using P = TProblem;

// Each template with its texts of RGB(200, 50, 100) and of RGB(255, 0, 13) with a top byte.
TEST(OwnFormats, TemplatesGiveTheirTextForAnyColour) {
    struct TCase { const char *Template, *Rose, *Red; };
    const TCase kCases[] = {
        {"{r}, {g}, {b}", "200, 50, 100", "255, 0, 13"},
        {"#{R}{G}{B} 0x{rx}{gx}{bx}", "#C83264 0xc83264", "#FF000D 0xff000d"},
        {"({rf} {gf} {bf})", "(0.784 0.196 0.392)", "(1.000 0.000 0.051)"},
        {"{h} {s} {l} hsl({hd}, {sp}%, {lp}%)", "227 144 118 hsl(340, 60%, 49%)",
         "238 240 120 hsl(357, 100%, 50%)"},
        {"{c} {m} {y} {k} {hex} {name}", "0 75 50 22 C83264 crimson", "0 100 95 0 FF000D red"},
        {"{{r}} }} } {{{g}}}", "{r} } } {50}", "{r} } } {0}"},
        {"颜色«{r}»\t✓", "颜色«200»\t✓", "颜色«255»\t✓"},
        {"a{bad}{r}\x01{ {b", "a{bad}200\x01{ {b", "a{bad}255\x01{ {b"},  // kept as written
    };
    for (const TCase& c : kCases) {
        EXPECT_EQ(Expand(c.Template, 0x6432C8), c.Rose) << c.Template;
        EXPECT_EQ(Expand(c.Template, 0xAB0D00FF), c.Red) << c.Template;
    }
}

// The first problem of a name beside "Web Hex", else of the template; a stray byte is one
// character. A stored value is refused for each but SameName, which only a list can have.
TEST(OwnFormats, ProblemsOfNamesAndTemplatesComeFirstFromTheStart) {
    const auto e = [](int n) { std::string s; while (n-- > 0) s += "é"; return s; };
    struct TCase { std::string Name, Template; TProblem Problem; int At; std::string Inside = ""; };
    const TCase kCases[] = {
        {"n", "", P::EmptyTemplate, 0},            {"n", e(201), P::LongTemplate, 0},
        {"n", "{}", P::UnknownPlaceholder, 1},     {"n", "é{R }{", P::UnknownPlaceholder, 2, "R "},
        {"n", "{a{r}\x01", P::UnknownPlaceholder, 1, "a{r"},
        {"n", "}}}{{{r", P::MissingBrace, 6},      {"n", "\xC3{r", P::MissingBrace, 2},
        {"n", "é\x1f{x}", P::ControlCharacter, 2}, {"n", "{r}\x7f", P::ControlCharacter, 4},
        {"", "x", P::EmptyName, 0},                {e(41), "x", P::LongName, 0},
        {"\tx", "x", P::NameControl, 1},           {"é\x7f", "x", P::NameControl, 2},
        {"web HEX", "x", P::SameName, 0},          {"Wéb hex", "\t{{ }", P::None, 0},
        {e(40), e(200), P::None, 0},
    };
    for (const TCase& c : kCases) {
        const std::vector<TFormat> list = {{c.Name, c.Template}, {"Web Hex", "{hex}"}};
        const TError error = CheckName(list, 0) ? CheckName(list, 0) : CheckTemplate(c.Template);
        EXPECT_EQ(std::tie(error.Problem, error.Position, error.Placeholder),
                  std::tie(c.Problem, c.At, c.Inside)) << c.Name << "|" << c.Template;
        TFormat out{"old", "old"};
        const bool usable = c.Problem == P::None || c.Problem == P::SameName;
        EXPECT_EQ(FromStoredValue(c.Name + "\t" + c.Template, out), usable) << c.Template;
        EXPECT_EQ(out.Name, usable ? c.Name : "old") << c.Name;
    }
}

TEST(OwnFormats, AFormatReadsBackAsStored) {
    const TFormat kFormats[] = {{" lead", "trail "}, {"\"q", "q\""}, {"'q", "\t{r}'"},
                                {"n", "\t"},         {"\"a", "b'"},  {"Web", "#{hex}"}};
    for (const TFormat& format : kFormats) {
        TFormat back;
        EXPECT_TRUE(FromStoredValue(ProfileRead(StoredValue(format)), back)) << StoredValue(format);
        EXPECT_EQ(back.Name + "|" + back.Template, format.Name + "|" + format.Template);
    }
    EXPECT_EQ(StoredValue({"\"a", "b'"}), "\"a\tb'");  // quoted only where needed
    TFormat out;
    EXPECT_FALSE(FromStoredValue("no tab", out));
}

TEST(OwnFormats, KeysAreOneToTwentyAsWritten) {
    int number = -7;
    for (const char* key : {"", "0", "21", "01", "+1", "-1", " 1", "1 ", "100", "2a", "１"})
        EXPECT_FALSE(KeyNumber(key, number) || number != -7) << key;
    for (const char* key : {"1", "9", "10", "20"})
        EXPECT_TRUE(KeyNumber(key, number) && number == std::stoi(key)) << key;
}

}  // namespace
