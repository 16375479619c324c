#include "Texts.h"

namespace {

using PaletteFile::TReadProblem;

// A text with a number reads: text, number, afterNumber; one without has no afterNumber.
struct TProblemText {
    TReadProblem Problem;
    const wchar_t* Text;
    const wchar_t* AfterNumber;
};
const TProblemText kReadProblemTexts[] = {
    {TReadProblem::TooLarge, L"文件太大", nullptr},
    {TReadProblem::NotUtf8, L"不是 UTF-8 文本", nullptr},
    {TReadProblem::NotGpl, L"不是 GIMP 调色板", nullptr},
    {TReadProblem::LineNotColor, L"第 ", L" 行不是颜色"},
    {TReadProblem::NotAse, L"不是 ASE 色板", nullptr},
    {TReadProblem::Incomplete, L"文件不完整", nullptr},
    {TReadProblem::ColorDamaged, L"第 ", L" 个颜色已损坏"},
    {TReadProblem::ColorModelUnknown, L"第 ", L" 个颜色的色彩模式未知"},
    {TReadProblem::NotList, L"不是颜色列表", nullptr},
    {TReadProblem::ItemNotObject, L"第 ", L" 项不是 JSON 对象"},
    {TReadProblem::ItemWithoutColor, L"第 ", L" 项没有颜色"},
    {TReadProblem::ColorUnreadable, L"第 ", L" 个颜色无法识别"},
    {TReadProblem::JsonSyntax, L"JSON 格式错误（第 ", L" 行）"},
    {TReadProblem::JsonTooDeep, L"JSON 嵌套太深", nullptr},
    {TReadProblem::CssColorUnreadable, L"第 ", L" 行的颜色无法识别"},
};

}  // namespace

std::wstring ReadProblemText(const PaletteFile::TReadReason& reason) {
    for (const TProblemText& text : kReadProblemTexts) {
        if (text.Problem != reason.Problem) continue;
        if (!text.AfterNumber) return text.Text;
        return text.Text + std::to_wstring(reason.Number) + text.AfterNumber;
    }
    return std::wstring();
}
