// The texts the app makes of the core's codes, against the words the user has always read.
#include "Texts.h"
#include "FileHelpers.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using PaletteFile::TReadProblem;

TEST(Texts, ReadProblemsReadAsBefore) {
    struct TCase {
        TReadProblem Problem;
        std::size_t Number;
        const wchar_t* Text;
    };
    const TCase kCases[] = {
        {TReadProblem::None, 0, L""},
        {TReadProblem::TooLarge, 0, L"文件太大"},
        {TReadProblem::NotUtf8, 0, L"不是 UTF-8 文本"},
        {TReadProblem::NotGpl, 0, L"不是 GIMP 调色板"},
        {TReadProblem::LineNotColor, 3, L"第 3 行不是颜色"},
        {TReadProblem::NotAse, 0, L"不是 ASE 色板"},
        {TReadProblem::Incomplete, 0, L"文件不完整"},
        {TReadProblem::ColorDamaged, 1, L"第 1 个颜色已损坏"},
        {TReadProblem::ColorModelUnknown, 12, L"第 12 个颜色的色彩模式未知"},
        {TReadProblem::NotList, 0, L"不是颜色列表"},
        {TReadProblem::ItemNotObject, 2, L"第 2 项不是 JSON 对象"},
        {TReadProblem::ItemWithoutColor, 1, L"第 1 项没有颜色"},
        {TReadProblem::ColorUnreadable, 40, L"第 40 个颜色无法识别"},
        {TReadProblem::JsonSyntax, 1000000, L"JSON 格式错误（第 1000000 行）"},
        {TReadProblem::JsonTooDeep, 0, L"JSON 嵌套太深"},
        {TReadProblem::CssColorUnreadable, 2, L"第 2 行的颜色无法识别"},
    };
    for (const TCase& c : kCases)
        EXPECT_EQ(ReadProblemText({c.Problem, c.Number}), c.Text) << static_cast<int>(c.Problem);
}

// Every row is where its id says, and has both texts.
TEST(Texts, TableHasEveryTextInBothLanguages) {
    for (std::size_t i = 0; i < kTextCount; ++i) {
        const TTextRow& row = TextRows()[i];
        EXPECT_EQ(static_cast<std::size_t>(row.Id), i);
        EXPECT_TRUE(row.Chinese && *row.Chinese && row.English && *row.English) << i;
    }
}

// docs/texts.md lists every pair, in the table's order: its table is this one, row for row.
TEST(Texts, ListOfPairsIsTheTable) {
    const auto cell = [](const wchar_t* text) {
        std::string s;
        for (char c : WideToUtf8(text))
            s += c == '\n' ? std::string("<br>") : c == '|' ? std::string("\\|") : std::string(1, c);
        return s;
    };
    std::string rows;
    for (std::size_t i = 0; i < kTextCount; ++i)
        rows += "| " + cell(TextRows()[i].Chinese) + " | " + cell(TextRows()[i].English) + " |\n";
    std::istringstream doc(FileHelpers::ReadBytes(QUILLORA_TEXTS_DOC_WIN));
    std::string listed;
    for (std::string line; std::getline(doc, line);)
        if (line.rfind("| ", 0) == 0 && line != "| Chinese | English |") listed += line + "\n";
    EXPECT_EQ(listed, rows) << "docs/texts.md's table should read:\n" << rows;
}

TEST(Texts, NumbersGoIntoEitherLanguage) {
    SetLanguage(TLanguage::English);
    EXPECT_EQ(ReadProblemText({TReadProblem::JsonSyntax, 7}), L"JSON syntax error (line 7)");
    EXPECT_EQ(Text(TTextId::ReadLineNotColor, L"100%2"), L"Line 100%2 is not a color");
    SetLanguage(TLanguage::Chinese);
    EXPECT_EQ(ReadProblemText({TReadProblem::LineNotColor, 3}), L"第 3 行不是颜色");
}

}  // namespace
