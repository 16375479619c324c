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

    // Reasons and errors the core reports as codes

    // Windows, menus and messages
    {X::StayOnTop, L"置顶", L"On top"},
    {X::MenuButton, L"菜单", L"Menu"},
    {X::CopyButton, L"复制", L"Copy"},
    {X::StatusName, L"关于", L"About"},
    {X::HotKeyTaken, L"热键 %1 已被占用", L"Hot key %1 is in use"},
    {X::NoColorOnClipboard, L"剪贴板中没有可识别的颜色", L"No color found on the clipboard"},
    {X::Frozen, L"已冻结", L"Frozen"},
    {X::FreezeFailed, L"无法冻结屏幕", L"Cannot freeze the screen"},
    {X::Palette, L"调色板", L"Palette"},
    {X::SaveColor, L"保存颜色", L"Save Color"},
    {X::MyColors, L"喜爱的颜色", L"Favorite Colors"},
    {X::Pick, L"屏幕取色(&S)", L"Pick from &Screen"},
    {X::CopyAs, L"复制为(&C)", L"&Copy As"},
    {X::Paste, L"粘贴颜色(&P)", L"&Paste Color"},
    {X::Contrast, L"对比度(&K)...", L"Contrast Chec&k..."},
    {X::Export, L"导出喜爱的颜色(&E)...", L"&Export Favorites..."},
    {X::Import, L"导入喜爱的颜色(&I)...", L"&Import Favorites..."},
    {X::Sample, L"取样(&M)", L"Sa&mple"},
    {X::Sample1, L"单个像素(&1)", L"Single Pixel (&1)"},
    {X::Sample3, L"3×3 平均(&3)", L"3×3 Average (&3)"},
    {X::Sample5, L"5×5 平均(&5)", L"5×5 Average (&5)"},
    {X::AutoCopy, L"取色后复制(&A)", L"Copy &After Pick"},
    {X::AutoCopyNone, L"不复制(&0)", L"Don't Copy (&0)"},
    {X::ColorSpace, L"色彩空间(&G)", L"Color Space (&G)"},
    {X::SpaceNative, L"显示器原始值(&N)", L"&Native Values"},
    {X::SpaceSrgb, L"sRGB(&S)", L"&sRGB"},
    {X::SpaceP3, L"Display P3(&P)", L"Display &P3"},
    {X::SpaceAdobe, L"Adobe RGB (1998)(&A)", L"&Adobe RGB (1998)"},
    {X::ProfileNone, L"配置文件：无（按 sRGB）", L"Profile: none (read as sRGB)"},
    {X::ProfileUnusable, L"配置文件：无法使用 %1（按 sRGB）", L"Profile: %1 cannot be used (read as sRGB)"},
    {X::Profile, L"配置文件：%1", L"Profile: %1"},
    {X::Freeze, L"冻结屏幕取色(&Z)", L"Free&ze Screen for Picks"},
    {X::Language, L"语言 / Language(&L)", L"语言 / Language(&L)"},
    {X::Chinese, L"中文(&C)", L"中文(&C)"},
    {X::English, L"English(&E)", L"English(&E)"},
    {X::EditFormats, L"编辑格式(&T)...", L"Edi&t Formats..."},
    {X::ShowHide, L"显示/隐藏 主窗口(&S)", L"&Show/Hide Main Window"},
    {X::ContactUs, L"联系我们", L"Contact Us"},
    {X::VisitHomePage, L"访问主页(&V)...", L"&Visit Home Page..."},
    {X::AboutEntry, L"关于(&A)...", L"&About..."},
    {X::Exit, L"退出(&E)", L"&Exit"},
    {X::UnknownError, L"未知错误", L"Unknown error"},
    {X::ClipboardBusy, L"无法打开剪贴板", L"Cannot open the clipboard"},
    {X::OutOfMemory, L"内存不足", L"Out of memory"},
    {X::OK, L"确定", L"OK"},
    {X::Cancel, L"取消", L"Cancel"},
    {X::OKKey, L"确定(&O)", L"&OK"},
    {X::CancelKey, L"取消(&C)", L"&Cancel"},
    {X::DeleteKey, L"删除(&D)", L"&Delete"},
    {X::TimeLabel, L"时间:", L"Time:"},
    {X::ColorLabel, L"颜色:", L"Color:"},
    {X::ValueLabel, L"值:", L"Value:"},
    {X::CommentLabel, L"备注:", L"Comment:"},
    {X::ColorColumn, L"颜色", L"Color"},
    {X::ValueColumn, L"值", L"Value"},
    {X::TimeColumn, L"时间", L"Time"},
    {X::CommentColumn, L"备注", L"Comment"},
    {X::ContrastCaption, L"对比度", L"Contrast"},
    {X::Foreground, L"前景(&F)...", L"&Foreground"},
    {X::Background, L"背景(&B)...", L"&Background"},
    {X::Swap, L"交换(&W)", L"S&wap"},
    {X::CopyResult, L"复制结果(&C)", L"&Copy Result"},
    {X::Close, L"关闭", L"Close"},
    {X::SampleText, L"示例文字 Sample text", L"Sample text"},
    {X::FormatsCaption, L"自定义格式", L"Custom Formats"},
    {X::New, L"新建(&N)", L"&New"},
    {X::MoveUp, L"上移(&U)", L"&Up"},
    {X::MoveDown, L"下移(&W)", L"Do&wn"},
    {X::NameLabel, L"名称:", L"Name:"},
    {X::FormatLabel, L"格式:", L"Format:"},
    {X::PreviewLabel, L"预览:", L"Preview:"},
    {X::NameColumn, L"名称", L"Name"},
    {X::FormatColumn, L"格式", L"Format"},
    {X::FormatList, L"格式列表", L"Formats"},
    {X::ErrorName, L"错误", L"Error"},
    {X::AtCharacter, L"第 %1 个字符：%2", L"Character %1: %2"},
    {X::NameAtCharacter, L"名称第 %1 个字符：%2", L"Name, character %1: %2"},
    {X::UnknownPlaceholder, L"未知的占位符 {%1}", L"unknown placeholder {%1}"},
    {X::MissingBrace, L"缺少 }", L"missing }"},
    {X::ControlCharacter, L"不能使用控制字符", L"control characters are not allowed"},
    {X::NotStorable, L"无法保存在设置文件中", L"cannot be stored in the settings file"},
    {X::EmptyTemplate, L"格式不能为空", L"The format is empty"},
    {X::LongTemplate, L"格式最多 %1 个字符", L"A format has at most %1 characters"},
    {X::EmptyName, L"名称不能为空", L"The name is empty"},
    {X::LongName, L"名称最多 %1 个字符", L"A name has at most %1 characters"},
    {X::SameName, L"已有同名的格式", L"Another format has this name"},
    {X::FormatProblem, L"“%1”：%2", L"“%1”: %2"},
    {X::NewFormatName, L"格式 %1", L"Format %1"},
    {X::VersionLabel, L"版本", L"Version"},
    {X::CopyrightLabel, L"版权", L"Copyright"},
    {X::EmailLabel, L"电子邮件:", L"E-mail:"},
    {X::WebsiteLabel, L"网站(&W)", L"&Website"},
    {X::GplFiles, L"GIMP 调色板 (*.gpl)", L"GIMP Palette (*.gpl)"},
    {X::AseFiles, L"Adobe 色板交换 (*.ase)", L"Adobe Swatch Exchange (*.ase)"},
    {X::JsonFiles, L"JSON (*.json)", L"JSON (*.json)"},
    {X::CssFiles, L"CSS (*.css)", L"CSS (*.css)"},
    {X::AllFiles, L"所有文件 (*.*)", L"All Files (*.*)"},
    {X::ExportCaption, L"导出喜爱的颜色", L"Export Favorites"},
    {X::ImportCaption, L"导入喜爱的颜色", L"Import Favorites"},
    {X::ReplaceFile, L"%1 已存在。\n要替换它吗？", L"%1 already exists.\nDo you want to replace it?"},
    {X::CannotWrite, L"无法写入文件 %1：%2", L"Cannot write %1: %2"},
    {X::CannotRead, L"无法读取文件 %1：%2", L"Cannot read %1: %2"},
    {X::FileOver16MB, L"文件大于 16 MB", L"The file is larger than 16 MB"},
    {X::NotPalette, L"不是可识别的调色板文件", L"Not a palette file Quillora can read"},
    {X::Imported, L"导入了 %1 个颜色", L"Imported %1 colors"},
    {X::Skipped, L"，跳过 %1 个", L", skipped %1"},
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
