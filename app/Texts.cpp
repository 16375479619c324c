#include "Texts.h"

namespace {

using X = TTextId;

TLanguage GLanguage = TLanguage::Chinese;

const TTextRow kTexts[] = {
    {X::ReadTooLarge, L"文件太大", L"The file is too large"},
    {X::ReadNotUtf8, L"不是 UTF-8 文本", L"Not UTF-8 text"},
    {X::ReadNotGpl, L"不是 GIMP 调色板", L"Not a GIMP palette"},
    {X::ReadLineNotColor, L"第 %1 行不是颜色", L"Line %1 is not a color"},
    {X::ReadNotAse, L"不是 ASE 色板", L"Not an ASE swatch file"},
    {X::ReadIncomplete, L"文件不完整", L"The file is incomplete"},
    {X::ReadColorDamaged, L"第 %1 个颜色已损坏", L"Color %1 is damaged"},
    {X::ReadColorModelUnknown, L"第 %1 个颜色的色彩模式未知", L"Color %1 has an unknown color model"},
    {X::ReadNotList, L"不是颜色列表", L"Not a list of colors"},
    {X::ReadItemNotObject, L"第 %1 项不是 JSON 对象", L"Item %1 is not a JSON object"},
    {X::ReadItemWithoutColor, L"第 %1 项没有颜色", L"Item %1 has no color"},
    {X::ReadColorUnreadable, L"第 %1 个颜色无法识别", L"Color %1 cannot be read"},
    {X::ReadJsonSyntax, L"JSON 格式错误（第 %1 行）", L"JSON syntax error (line %1)"},
    {X::ReadJsonTooDeep, L"JSON 嵌套太深", L"JSON nested too deeply"},
    {X::ReadCssColorUnreadable, L"第 %1 行的颜色无法识别", L"The color on line %1 cannot be read"},
};
static_assert(sizeof kTexts / sizeof kTexts[0] == kTextCount, "one row for every text");

}  // namespace

TLanguage Language() { return GLanguage; }

void SetLanguage(TLanguage language) { GLanguage = language; }

const TTextRow* TextRows() { return kTexts; }

const wchar_t* Text(TTextId id) {
    const TTextRow& row = kTexts[static_cast<std::size_t>(id)];
    return GLanguage == TLanguage::English ? row.English : row.Chinese;
}

std::wstring Text(TTextId id, const std::wstring& first, const std::wstring& second) {
    std::wstring text = Text(id);
    for (std::size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size();
         at = text.find(L'%', at)) {
        const wchar_t n = text[at + 1];
        const std::wstring& with = n == L'1' ? first : second;
        if (n != L'1' && n != L'2') {
            ++at;
            continue;
        }
        text.replace(at, 2, with);
        at += with.size();
    }
    return text;
}

std::wstring ReadProblemText(const PaletteFile::TReadReason& reason) {
    using PaletteFile::TReadProblem;
    if (reason.Problem == TReadProblem::None) return std::wstring();
    // The problems after None are in the order of their texts.
    static_assert(static_cast<int>(TReadProblem::CssColorUnreadable) - static_cast<int>(TReadProblem::TooLarge) ==
                  static_cast<int>(X::ReadCssColorUnreadable) - static_cast<int>(X::ReadTooLarge));
    const auto id = static_cast<TTextId>(static_cast<int>(X::ReadTooLarge) + static_cast<int>(reason.Problem) -
                                         static_cast<int>(TReadProblem::TooLarge));
    return Text(id, std::to_wstring(reason.Number));
}
