// The texts the app makes of the core's codes, against the words the user has always read.
#include "Texts.h"
#include "util/Errors.h"
#include "FileHelpers.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

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

TEST(Texts, CoreCodesReadAsBefore) {
    using ScreenConditions::TCondition;
    using Contrast::TVision;
    const std::pair<std::wstring, const wchar_t*> kCases[] = {
        {InOutErrorText(2), L"文件未找到"},
        {InOutErrorText(3), L"路径未找到"},
        {InOutErrorText(4), L"打开的文件过多"},
        {InOutErrorText(5), L"文件拒绝访问"},
        {InOutErrorText(6), L"文件句柄无效"},
        {InOutErrorText(15), L"驱动器无效"},
        {InOutErrorText(19), L"磁盘写保护"},
        {InOutErrorText(21), L"设备未就绪"},
        {InOutErrorText(32), L"文件共享冲突"},
        {InOutErrorText(33), L"文件锁定冲突"},
        {InOutErrorText(39), L"磁盘已满"},
        {InOutErrorText(80), L"文件已存在"},
        {InOutErrorText(112), L"磁盘已满"},
        {InOutErrorText(123), L"文件名无效"},
        {InOutErrorText(183), L"文件已存在"},
        {InOutErrorText(206), L"文件名过长"},
        {InOutErrorText(12345), L"I/O 错误 12345"},
        {InOutErrorText(-1), L"I/O 错误 -1"},
        {ExceptionText(EInOutError(5)), L"文件拒绝访问"},
        {ExceptionText(EIniFileException("C:\\%1\\vop.ini")), L"无法写入到C:\\%1\\vop.ini"},
        {ExceptionText(std::runtime_error("无法打开剪贴板")), L"无法打开剪贴板"},
        {ContrastSummary(0xFFFFFF, 0x767676),
         L"前景 #FFFFFF\r\n背景 #767676\r\n对比度 4.54:1\r\nAA 正常文字 通过\r\nAA 大号文字 通过\r\n"
         L"AAA 正常文字 不通过\r\nAAA 大号文字 通过\r\n图形与界面元素 通过"},
        {VisionName(TVision::Normal), L"正常"},
        {VisionName(TVision::Protanopia), L"红色盲"},
        {VisionName(TVision::Deuteranopia), L"绿色盲"},
        {VisionName(TVision::Tritanopia), L"蓝色盲"},
        {VisionName(TVision::Achromatopsia), L"全色盲"},
        {ConditionLine(TCondition::InversionUndone), L"反色滤镜已开启：取色时已还原"},
        {ConditionLine(TCondition::ColorFilter), L"颜色滤镜已开启：取到的是滤镜后的颜色"},
        {ConditionLine(TCondition::MagnifierInvert), L"放大镜反色已开启：取色值可能已反色"},
        {ConditionLine(TCondition::NightLight), L"夜间模式已开启：屏幕偏暖，取到的是原本的颜色"},
        {ConditionLine(TCondition::Hdr), L"HDR 已开启：取色值可能偏亮，未做转换"},
        {ConditionsNote({}), L""},
        {ConditionsNote({TCondition::InversionUndone}), L"  注意：反色已还原"},
        {ConditionsNote({TCondition::ColorFilter, TCondition::MagnifierInvert, TCondition::NightLight, TCondition::Hdr}),
         L"  注意：颜色滤镜、放大镜反色、夜间模式、HDR"},
    };
    for (const auto& [text, was] : kCases) EXPECT_EQ(text, was);
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
    EXPECT_EQ(ExceptionText(EIniFileException("C:\\vop.ini")), L"Cannot write to C:\\vop.ini");
    EXPECT_EQ(ConditionsNote({ScreenConditions::TCondition::NightLight, ScreenConditions::TCondition::Hdr}),
              L"  Note: Night light, HDR");
    SetLanguage(TLanguage::Chinese);
    EXPECT_EQ(ReadProblemText({TReadProblem::LineNotColor, 3}), L"第 3 行不是颜色");
}

}  // namespace
