// The palette files saved colours go out to and come in from: writers byte for byte, readers
// on files shaped like those other programs write, refusals, and the import plan. Pure code:
// runs in the Linux and the Windows build, so the .ase floats are proven equal in both.

#include "notation/ColorParse.h"
#include "palette/PaletteFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace PaletteFile;
using namespace std::string_literals;

// Bytes from hex digits; blanks between them are for reading.
std::string Hex(std::string_view Digits) {
    std::string Bytes;
    for (std::size_t I = 0; I < Digits.size(); ++I)
        if (Digits[I] != ' ')
            Bytes += static_cast<char>(std::stoi(std::string(Digits.substr(I++, 2)), nullptr, 16));
    return Bytes;
}

struct TExpected {
    TColor Color;
    std::string Name;
};

void ExpectRead(TFormat Format, const std::string& Bytes, const std::vector<TExpected>& Expected,
                std::vector<TInEntry>* Out = nullptr) {
    std::vector<TInEntry> Entries;
    TReadReason Reason;
    ASSERT_TRUE(Read(Format, Bytes, Entries, Reason))
        << ExtensionOf(Format) << ": " << static_cast<int>(Reason.Problem) << " " << Reason.Number;
    ASSERT_EQ(Entries.size(), Expected.size()) << ExtensionOf(Format);
    for (std::size_t I = 0; I < Entries.size(); ++I)
        EXPECT_EQ(std::tie(Entries[I].Color, Entries[I].Name),
                  std::tie(Expected[I].Color, Expected[I].Name))
            << ExtensionOf(Format) << " entry " << I + 1;
    if (Out) *Out = Entries;
}

const std::string kQuoted = "暖橙 \"引号\" a\\b */ d";
const std::vector<TOutEntry> kFavourites = {
    {MakeColor(255, 128, 0), "sky, warm", "07032026140509"},
    {MakeColor(51, 102, 153), kQuoted, "12312025235959"},
    {MakeColor(0, 0, 0), "", "01012026000000"},
    {MakeColor(255, 255, 255), "🎨 纸白", "hand-edited"},  // no time in the key
};

std::string SampleFile(const char* Name) {
#ifdef QUILLORA_SOURCE_DIR
    std::ifstream In(QUILLORA_SOURCE_DIR "/tests/palettes/"s + Name, std::ios::binary);
#else
    std::ifstream In(QUILLORA_PALETTES_DIR_WIN "/"s + Name, std::ios::binary);
#endif
    return std::string(std::istreambuf_iterator<char>(In), {});
}

TEST(PaletteFile, TextWritersGiveTheseBytes) {
    EXPECT_EQ(Write(TFormat::Gpl, kFavourites),
              "GIMP Palette\nName: Quillora\nColumns: 0\n#\n255 128   0\tsky, warm\n 51 102 153\t" +
                  kQuoted + "\n  0   0   0\t01/01/2026 00:00:00\n255 255 255\t🎨 纸白\n");
    EXPECT_EQ(Write(TFormat::Json, kFavourites),
              "[\n  {\"color\": \"#FF8000\", \"comment\": \"sky, warm\", \"saved\": "
              "\"2026-07-03T14:05:09\"},\n"
              "  {\"color\": \"#336699\", \"comment\": \"暖橙 \\\"引号\\\" a\\\\b */ d\", "
              "\"saved\": \"2025-12-31T23:59:59\"},\n"
              "  {\"color\": \"#000000\", \"comment\": \"\", \"saved\": \"2026-01-01T00:00:00\"},\n"
              "  {\"color\": \"#FFFFFF\", \"comment\": \"🎨 纸白\", \"saved\": null}\n]\n");
    EXPECT_EQ(Write(TFormat::Css, kFavourites),
              ":root {\n  --color-1: #ff8000; /* sky, warm */\n  --color-2: #336699; /* 暖橙 "
              "\"引号\" a\\b * / d */\n"
              "  --color-3: #000000;\n  --color-4: #ffffff; /* 🎨 纸白 */\n}\n");
    EXPECT_EQ(Write(TFormat::Json, {{0, "\t\x01\r\n\b\f\x1f", ""}}),
              "[\n  {\"color\": \"#000000\", \"comment\": \"\\t\\u0001\\r\\n\\b\\f\\u001f\", "
              "\"saved\": null}\n]\n");
    EXPECT_EQ(Write(TFormat::Gpl, {{0, "a\tb\r\nc", ""}}).substr(41), "  0   0   0\ta b  c\n");
    EXPECT_EQ(Write(TFormat::Json, {}), "[]\n");
}

// 1/255, 128/255 and 51/255 as the nearest floats: 3B808081, 3F008081, 3E4CCCCD.
TEST(PaletteFile, AseWriterGivesTheseBytesInEveryBuild) {
    EXPECT_EQ(
        Write(TFormat::Ase, {{MakeColor(1, 128, 51), "a", ""}, {MakeColor(255, 0, 0), "", ""}}),
        Hex("41534546 0001 0000 00000002"
            "0001 00000018 0002 0061 0000 52474220 3B808081 3F008081 3E4CCCCD 0002"
            "0001 00000016 0001 0000 52474220 3F800000 00000000 00000000 0002"));
    EXPECT_EQ(SampleFile("favourites.gpl"), Write(TFormat::Gpl, kFavourites));
    EXPECT_EQ(SampleFile("favourites.ase"), Write(TFormat::Ase, kFavourites));
}

TEST(PaletteFile, WrittenFilesReadBack) {
    const std::string Kept[] = {"sky, warm", kQuoted, "", "🎨 纸白"};
    const std::vector<std::string> kNames[] = {
        {Kept[0], Kept[1], "01/01/2026 00:00:00", Kept[3]},  // an empty comment: the time
        {Kept[0], Kept[1], Kept[2], Kept[3]},
        {Kept[0], Kept[1], Kept[2], Kept[3]},
        {Kept[0], "暖橙 \"引号\" a\\b * / d", "color-3", Kept[3]}};
    const TFormat kFormats[] = {TFormat::Gpl, TFormat::Ase, TFormat::Json, TFormat::Css};
    for (int F = 0; F < 4; ++F) {
        std::vector<TExpected> Expected;
        for (std::size_t I = 0; I < 4; ++I)
            Expected.push_back({kFavourites[I].Color, kNames[F][I]});
        std::vector<TInEntry> Entries;
        ExpectRead(kFormats[F], Write(kFormats[F], kFavourites), Expected, &Entries);
        TFormat Sniffed;
        EXPECT_TRUE(Sniff(Write(kFormats[F], kFavourites), Sniffed) && Sniffed == kFormats[F]) << F;
        for (std::size_t I = 0; kFormats[F] == TFormat::Json && I < Entries.size(); ++I)
            EXPECT_EQ(Entries[I].HasSaved ? KeyFromTime(Entries[I].Saved) : "",
                      I < 3 ? kFavourites[I].Key : "");
    }
}

TEST(PaletteFile, ReadsFilesOtherProgramsWrite) {
    ExpectRead(
        TFormat::Gpl,
        "\xEF\xBB\xBFGIMP Palette\r\nName: Tango\r\nColumns: 3\r\n# comment\r\n\r\n"
        "252 233  79\tButter 1\r\n  0   0   0\r\n 46\t52 54   Aluminium  6  \r\n",
        {{MakeColor(252, 233, 79), "Butter 1"}, {0, ""}, {MakeColor(46, 52, 54), "Aluminium  6"}});
    // A group around an RGB and a CMYK colour, a block of unknown type, a grey and a LAB colour.
    TColor Lab = 0;
    ASSERT_TRUE(ColorParse::ParseColor("lab(50 20 -30)", Lab));
    ExpectRead(
        TFormat::Ase,
        Hex("41534546 0001 0000 00000007 C001 00000006 0002 7EC4 0000"
            "0001 00000022 0007 004F0072 0061006E 00670065 0000 52474220 3F800000 3F008081 00000000"
            "0002 0001 00000022 0005 0043 0079 0061 006E 0000 434D594B 3F800000 00000000 00000000"
            "00000000 0002"
            "C002 00000000 0042 00000003 78797A"
            "0001 00000016 0005 0047 0072 0065 0079 0000 47726179 3F000000 0002"
            "0001 0000001C 0004 D83C DFA8 DC00 0000 4C414220 3F000000 41A00000 C1F00000 0002"),
        {{MakeColor(255, 128, 0), "Orange"}, {MakeColor(0, 255, 255), "Cyan"},
         {MakeColor(128, 128, 128), "Grey"}, {Lab, "🎨\xEF\xBF\xBD"}});
    std::vector<TInEntry> Json;
    ExpectRead(
        TFormat::Json,
        "[\n  {\"color\": \"#FF8000\", \"comment\": \"sky, \\\"warm\\\"\\n\\u00e9\\ud83c\\udfa8\", "
        "\"saved\": \"2026-07-03T14:05:09\", \"extra\": {\"deep\": [1, -2.5e-3, true, false, "
        "null]}},\n"
        "  {\"color\": \"rgb(0, 128, 255)\", \"name\": \"only a name\", \"saved\": "
        "\"2026-02-30T00:00:00\"},\n"
        "  {\"name\": \"loses\", \"comment\": \"wins\", \"color\": \"teal\", \"saved\": "
        "20260703},\n"
        "  {\"color\": \"#abc\", \"comment\": null, \"name\": \"fallback\"},\n"
        "  {\"color\": \"#000\", \"comment\": \"lone \\ud800 surrogate \\/\"}\n]",
        {{MakeColor(255, 128, 0), "sky, \"warm\"\né🎨"}, {MakeColor(0, 128, 255), "only a name"},
         {MakeColor(0, 128, 128), "wins"}, {MakeColor(0xAA, 0xBB, 0xCC), "fallback"},
         {0, "lone \xEF\xBF\xBD surrogate /"}},
        &Json);
    for (std::size_t I = 0; I < Json.size(); ++I)
        EXPECT_EQ(Json[I].HasSaved ? IsoTextOf(Json[I].Saved) : "",
                  I == 0 ? "2026-07-03T14:05:09" : "");
    ExpectRead(
        TFormat::Css,
        "/* Brand */\n:root {\n  --brand-orange: #FF8000; /* 主色 */\n  --gap: 4px;\n"
        "  --text: rgb(10, 20, 30) !important;\n  --shadow: rgba(0 0 0 / 50%);   /*  shadow */\n"
        "  color: #123456;\n}\n@media (prefers-color-scheme: dark) {\n"
        "  .card--dark:hover { --card-bg: #0008; --x: var(--text); }\n}\n",
        {{MakeColor(255, 128, 0), "主色"}, {MakeColor(10, 20, 30), "text"}, {0, "shadow"},
         {0, "card-bg"}});
}

TEST(PaletteFile, RefusesDamagedFilesWithAReason) {
    using P = TReadProblem;
    struct TCase {
        TFormat Format;
        std::string Bytes;
        TReadReason Reason;
    };
    const std::string One = "41534546 0001 0000 00000001 0001 00000018 0002 0061 0000 ";
    const std::string Two = "41534546 0001 0000 00000002 0001 00000018 0002 0061 0000 ";
    const std::string Lengthy = "41534546 0001 0000 00000001 0001 00000019 0002 0061 0000 ";
    const std::string Rgb = "52474220 3B808081 3F008081 3E4CCCCD 0002";
    const TCase kCases[] = {
        {TFormat::Gpl, "JASC-PAL\n0100\n", {P::NotGpl}},
        {TFormat::Gpl, "GIMP Palette\n1 2 3\n1 2\n", {P::LineNotColor, 3}},
        {TFormat::Gpl, "GIMP Palette\r\n\r\n1 2 256 x\r\n", {P::LineNotColor, 3}},
        {TFormat::Gpl, "GIMP Palette\n1 2 3x\n", {P::LineNotColor, 2}},
        {TFormat::Gpl, "GIMP Palette\n1 2 3 \xFF\n", {P::NotUtf8}},
        {TFormat::Ase, Hex("41534558 0001 0000 00000000"), {P::NotAse}},
        {TFormat::Ase, Hex("41534546 0001"), {P::Incomplete}},
        {TFormat::Ase, Hex(Two + Rgb), {P::Incomplete}},
        {TFormat::Ase, Hex(Lengthy + Rgb), {P::Incomplete}},
        {TFormat::Ase, Hex(One + "52474220 3B808081 7FC00000 3E4CCCCD 0002"), {P::ColorDamaged, 1}},
        {TFormat::Ase, Hex(One + "58595A20 3B808081 3F008081 3E4CCCCD 0002"),
         {P::ColorModelUnknown, 1}},
        {TFormat::Ase, Hex("41534546 0001 0000 00000001 0001 00000004 0009 0061"),
         {P::ColorDamaged, 1}},
        {TFormat::Json, "{}", {P::NotList}},
        {TFormat::Json, "[{\"color\": \"red\"}, 1]", {P::ItemNotObject, 2}},
        {TFormat::Json, "[{\"name\": \"x\"}]", {P::ItemWithoutColor, 1}},
        {TFormat::Json, "[{\"color\": \"#FF8000\"},\n {\"color\": \"nope\"}]",
         {P::ColorUnreadable, 2}},
        {TFormat::Json, "[{\"color\": 16744448}]", {P::ColorUnreadable, 1}},
        {TFormat::Json, "[\n{\"color\": \"#fff\",}]", {P::JsonSyntax, 2}},
        {TFormat::Json, "[{\"color\": \"#fff\"}] x", {P::JsonSyntax, 1}},
        {TFormat::Json, "[{'color': '#fff'}]", {P::JsonSyntax, 1}},
        {TFormat::Json, "[{\"color\": \"#fff\x01\"}]", {P::JsonSyntax, 1}},
        {TFormat::Json, "[{\"color\": \"#fff\", \"x\": 01}]", {P::JsonSyntax, 1}},
        {TFormat::Json, "[\"\\ud800\\u12\"]", {P::JsonSyntax, 1}},
        {TFormat::Json, "[" + std::string(100000, '['), {P::JsonTooDeep}},
        {TFormat::Css, ":root { --c: #12345; }", {P::CssColorUnreadable, 1}},
        {TFormat::Css, "a {}\n/* x */ --c: rgb(300, 0, 0);", {P::CssColorUnreadable, 2}},
        {TFormat::Css, "--c: #fff; /* \xC0\x80 */", {P::NotUtf8}},
        {TFormat::Css, std::string(kMaxFileSize + 1, ' '), {P::TooLarge}},
    };
    for (const TCase& c : kCases) {
        std::vector<TInEntry> Entries(1);
        TReadReason Reason;
        EXPECT_FALSE(Read(c.Format, c.Bytes, Entries, Reason)) << c.Bytes.substr(0, 60);
        EXPECT_EQ(Reason.Problem, c.Reason.Problem) << c.Bytes.substr(0, 60);
        EXPECT_EQ(Reason.Number, c.Reason.Number) << c.Bytes.substr(0, 60);
        EXPECT_TRUE(Entries.empty());
    }
}

TEST(PaletteFile, ExtensionsAndSniffing) {
    struct TCase {
        std::string Text;
        bool Known;
        TFormat Format;
    };
    const TCase kExtensions[] = {{"gpl", true, TFormat::Gpl},   {"ASE", true, TFormat::Ase},
                                 {"Json", true, TFormat::Json}, {"css", true, TFormat::Css},
                                 {".gpl", false, {}},           {"", false, {}}};
    const TCase kSniffed[] = {
        {"ASEF\0\1"s, true, TFormat::Ase}, {"\n \r\nGIMP Palette \r\n1 2 3\n", true, TFormat::Gpl},
        {"\xEF\xBB\xBFGIMP Palette", true, TFormat::Gpl}, {"\xEF\xBB\xBF\n[{", true, TFormat::Json},
        {".x{--a-1 :#fff}", true, TFormat::Css}, {"GIMP Palettes\n", false, {}},
        {"a { color: red } /* -- : */", false, {}}, {std::string(100000, '-') + " x", false, {}}};
    for (const TCase& c : kExtensions) {
        TFormat F = TFormat::Css;
        EXPECT_EQ(FormatFromExtension(c.Text, F) && F == c.Format, c.Known) << c.Text;
        EXPECT_TRUE(!c.Known || (FormatFromExtension(ExtensionOf(F), F) && F == c.Format))
            << c.Text;
    }
    for (const TCase& c : kSniffed) {
        TFormat F = TFormat::Css;
        EXPECT_EQ(Sniff(c.Text, F) && F == c.Format, c.Known) << c.Text.substr(0, 30);
    }
}

TEST(PaletteFile, TimesAreCheckedAndCarried) {
    const std::pair<const char*, bool> kKeys[] = {
        {"02292024120000", true},  {"02292023120000", false},  {"02292000000000", true},
        {"02291900000000", false}, {"12312025235960", false},  {"01010001000000", true},
        {"00012026000000", false}, {"1231202523595", false},   {"0101202600000a", false},
        {"+1012026000000", false}, {"123120252359590", false}, {"04312026000000", false}};
    for (const auto& [Key, Valid] : kKeys) {
        TTime T, Back;
        EXPECT_EQ(TimeFromKey(Key, T), Valid) << Key;
        EXPECT_TRUE(!Valid ||
                    (KeyFromTime(T) == Key && TimeFromIsoText(IsoTextOf(T), Back) && Back == T));
    }
    TTime T;
    for (const char* Iso : {"2026-07-03 14:05:09", "2026-7-03T14:05:09", "2026-07-03T14:05:09Z",
                            "2026-07-03T24:00:00"})
        EXPECT_FALSE(TimeFromIsoText(Iso, T)) << Iso;
    const TTime kSteps[][2] = {
        {{2026, 7, 3, 14, 5, 9}, {2026, 7, 3, 14, 5, 10}},
        {{2026, 7, 3, 14, 59, 59}, {2026, 7, 3, 15, 0, 0}},
        {{2024, 2, 28, 23, 59, 59}, {2024, 2, 29, 0, 0, 0}},
        {{2023, 2, 28, 23, 59, 59}, {2023, 3, 1, 0, 0, 0}},
        {{2026, 12, 31, 23, 59, 59}, {2027, 1, 1, 0, 0, 0}},
        {{9999, 12, 31, 23, 59, 59}, {9999, 12, 31, 23, 59, 59}}};
    for (const auto& Step : kSteps) EXPECT_EQ(IsoTextOf(NextSecond(Step[0])), IsoTextOf(Step[1]));
}

TEST(PaletteFile, ImportCommentFitsTheCommentBox) {
    const std::string kA255(255, 'a');
    const std::pair<std::string, std::string> kCases[] = {
        {"a;b", "a,b"},
        {"x\ty\x7F\xC2\x85z\r\n", "x y  z  "},  // C0, DEL, C1
        {"\xFFok\xED\xA0\x80", "\xEF\xBF\xBDok\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {kA255 + "ab", kA255 + "a"},
        {kA255 + "🎨", kA255},  // a pair would need units 256 and 257
        {kA255 + "中文", kA255 + "中"}};
    for (const auto& c : kCases)
        EXPECT_EQ(ImportComment(c.first), c.second) << c.first.substr(0, 20);
}

TEST(PaletteFile, PlanImportSkipsKnownColoursAndFindsFreeSeconds) {
    const TColor Orange = MakeColor(255, 128, 0), Green = MakeColor(0, 255, 0);
    std::vector<SettingsText::TColorEntry> Existing(2);
    Existing[0].Key = "07032026140509", Existing[0].Color = Orange, Existing[0].Comment = " sky ";
    Existing[1].Key = "07032026140510", Existing[1].Color = 0;
    const TTime Now{2026, 7, 3, 14, 5, 9}, NewYear{2026, 1, 1, 0, 0, 0}, Bad{2026, 13, 1, 0, 0, 0};
    // Two skipped; a time taken just before; two equal colours of the file both added.
    const TImportPlan Plan = PlanImport(
        Existing,
        {{Orange, "sky", false, {}}, {Orange, "sky, warm", true, NewYear}, {0, "  ", false, {}},
         {MakeColor(0, 0, 255), "blue", true, NewYear}, {Green, "green", false, {}},
         {Green, "green", false, {}}, {Green, "a;b", true, Bad}},
        Now);
    const std::vector<std::pair<std::string, std::string>> kAdded = {
        {"01012026000000", "#FF8000sky, warm"}, {"07032026140511", "#0000FFblue"},
        {"07032026140512", "#00FF00green"}, {"07032026140513", "#00FF00green"},
        {"07032026140514", "#00FF00a,b"}};
    EXPECT_EQ(Plan.Added, kAdded);
    EXPECT_EQ(Plan.Skipped, 2);
    // Carried into the next year; and the last second there is can be given once only.
    Existing[0].Key = "12312026235959";
    const TImportPlan Carried =
        PlanImport(Existing, {{Green, "", false, {}}}, {2026, 12, 31, 23, 59, 59});
    ASSERT_EQ(Carried.Added.size(), 1u);
    EXPECT_EQ(Carried.Added[0].first, "01012027000000");
    const TImportPlan Last = PlanImport({}, {{Green, "1", false, {}}, {Green, "2", false, {}}},
                                        {9999, 12, 31, 23, 59, 59});
    ASSERT_EQ(Last.Added.size(), 1u);
    EXPECT_EQ(std::tie(Last.Added[0].first, Last.Skipped), std::make_tuple("12319999235959"s, 1));
}

}  // namespace
