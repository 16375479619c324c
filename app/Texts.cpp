#include "Texts.h"
#include "ColorText.h"
#include "Errors.h"
#include "Notations.h"
#include "Text.h"

#include <winerror.h>

#include <iterator>
#include <stdexcept>
#include <utility>

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
    {X::ErrorFileNotFound, L"文件未找到", L"File not found"},
    {X::ErrorPathNotFound, L"路径未找到", L"Path not found"},
    {X::ErrorTooManyOpenFiles, L"打开的文件过多", L"Too many open files"},
    {X::ErrorAccessDenied, L"文件拒绝访问", L"Access denied"},
    {X::ErrorInvalidHandle, L"文件句柄无效", L"Invalid file handle"},
    {X::ErrorInvalidDrive, L"驱动器无效", L"Invalid drive"},
    {X::ErrorWriteProtect, L"磁盘写保护", L"The disk is write-protected"},
    {X::ErrorNotReady, L"设备未就绪", L"The device is not ready"},
    {X::ErrorSharingViolation, L"文件共享冲突", L"The file is in use by another program"},
    {X::ErrorLockViolation, L"文件锁定冲突", L"The file is locked by another program"},
    {X::ErrorDiskFull, L"磁盘已满", L"The disk is full"},
    {X::ErrorFileExists, L"文件已存在", L"The file already exists"},
    {X::ErrorInvalidName, L"文件名无效", L"Invalid file name"},
    {X::ErrorNameTooLong, L"文件名过长", L"The file name is too long"},
    {X::ErrorOther, L"I/O 错误 %1", L"I/O error %1"},
    {X::IniCannotWrite, L"无法写入到%1", L"Cannot write to %1"},
    {X::VerdictPass, L"通过", L"Pass"},
    {X::VerdictFail, L"不通过", L"Fail"},
    {X::CriterionAaNormal, L"AA 正常文字", L"AA normal text"},
    {X::CriterionAaLarge, L"AA 大号文字", L"AA large text"},
    {X::CriterionAaaNormal, L"AAA 正常文字", L"AAA normal text"},
    {X::CriterionAaaLarge, L"AAA 大号文字", L"AAA large text"},
    {X::CriterionGraphics, L"图形与界面元素", L"Graphics and UI"},
    {X::VisionNormal, L"正常", L"Normal"},
    {X::VisionProtanopia, L"红色盲", L"Protan"},
    {X::VisionDeuteranopia, L"绿色盲", L"Deutan"},
    {X::VisionTritanopia, L"蓝色盲", L"Tritan"},
    {X::VisionAchromatopsia, L"全色盲", L"Mono"},
    {X::SummaryForeground, L"前景 %1", L"Foreground %1"},
    {X::SummaryBackground, L"背景 %1", L"Background %1"},
    {X::SummaryRatio, L"对比度 %1", L"Contrast ratio %1"},
    {X::ConditionInversionUndone, L"反色滤镜已开启：取色时已还原",
     L"Inverted color filter is on: picks undo it"},
    {X::ConditionColorFilter, L"颜色滤镜已开启：取到的是滤镜后的颜色",
     L"Color filter is on: picks get the filtered color"},
    {X::ConditionMagnifierInvert, L"放大镜反色已开启：取色值可能已反色",
     L"Magnifier inversion is on: picks may be inverted"},
    {X::ConditionNightLight, L"夜间模式已开启：屏幕偏暖，取到的是原本的颜色",
     L"Night light is on: the screen looks warmer, picks get the original color"},
    {X::ConditionHdr, L"HDR 已开启：取色值可能偏亮，未做转换",
     L"HDR is on: picks may be too bright and are not converted"},
    {X::ConditionNameInversionUndone, L"反色已还原", L"Inversion undone"},
    {X::ConditionNameColorFilter, L"颜色滤镜", L"Color filter"},
    {X::ConditionNameMagnifierInvert, L"放大镜反色", L"Magnifier inverted"},
    {X::ConditionNameNightLight, L"夜间模式", L"Night light"},
    {X::ConditionNameHdr, L"HDR", L"HDR"},
    {X::ConditionsNote, L"注意：%1", L"Note: %1"},
    {X::ConditionsSeparator, L"、", L", "},
    {X::NotationLabel1, L"RGB:", L"RGB:"},
    {X::NotationLabel2, L"十进制:", L"Dec:"},
    {X::NotationLabel3, L"十六进制", L"Hex:"},
    {X::NotationLabel4, L"Html:", L"Html:"},
    {X::NotationLabel5, L"Delphi", L"Delphi"},
    {X::NotationLabel6, L"VB:", L"VB:"},
    {X::NotationLabel7, L"C/C++:", L"C/C++:"},
    {X::NotationCaption1, L"RGB(&1)", L"RGB (&1)"},
    {X::NotationCaption2, L"十进制(&2)", L"Decimal (&2)"},
    {X::NotationCaption3, L"十六进制(&3)", L"Hex (&3)"},
    {X::NotationCaption4, L"Html(&4)", L"Html (&4)"},
    {X::NotationCaption5, L"Delphi(&5)", L"Delphi (&5)"},
    {X::NotationCaption6, L"VB(&6)", L"VB (&6)"},
    {X::NotationCaption7, L"C/C++(&7)", L"C/C++ (&7)"},
    {X::CopyAsCaption1, L"CSS rgb()(&R)", L"CSS &rgb()"},
    {X::CopyAsCaption2, L"CSS hsl()(&H)", L"CSS &hsl()"},
    {X::CopyAsCaption3, L"HSV(&V)", L"HS&V"},
    {X::CopyAsCaption4, L"CMYK(&M)", L"C&MYK"},
    {X::CopyAsCaption5, L"CIE Lab(&L)", L"CIE &Lab"},
    {X::CopyAsCaption6, L"OKLCH(&O)", L"&OKLCH"},
    {X::CopyAsCaption7, L"小写十六进制(&X)", L"Lowercase He&x"},
    {X::CopyAsCaption8, L"颜色名称(&N)", L"Color &Name"},

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
    {X::CommentLabel, L"备注:", L"Note:"},
    {X::ColorColumn, L"颜色", L"Color"},
    {X::ValueColumn, L"值", L"Value"},
    {X::TimeColumn, L"时间", L"Time"},
    {X::CommentColumn, L"备注", L"Comment"},
    {X::FavoritesLabel, L"喜爱的颜色", L"Favorites"},
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
    // What goes in is not searched again.
    for (std::size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size();
         at = text.find(L'%', at)) {
        const wchar_t n = text[at + 1];
        if (n == L'1' || n == L'2') {
            const std::wstring& with = n == L'1' ? first : second;
            text.replace(at, 2, with);
            at += with.size();
        } else {
            ++at;
        }
    }
    return text;
}

namespace {

// Rows that follow an order of the core's: how many there are from First to Last, and the
// n-th of them (from 0).
constexpr int Span(TTextId first, TTextId last) { return static_cast<int>(last) - static_cast<int>(first) + 1; }

TTextId Nth(TTextId first, TTextId last, int n) {
    if (n < 0 || n >= Span(first, last)) throw std::out_of_range("text");
    return first + n;
}

// The Windows error codes that file and folder calls usually give.
const std::pair<int, TTextId> kErrorTexts[] = {
    {ERROR_FILE_NOT_FOUND, X::ErrorFileNotFound},
    {ERROR_PATH_NOT_FOUND, X::ErrorPathNotFound},
    {ERROR_TOO_MANY_OPEN_FILES, X::ErrorTooManyOpenFiles},
    {ERROR_ACCESS_DENIED, X::ErrorAccessDenied},
    {ERROR_INVALID_HANDLE, X::ErrorInvalidHandle},
    {ERROR_INVALID_DRIVE, X::ErrorInvalidDrive},
    {ERROR_WRITE_PROTECT, X::ErrorWriteProtect},
    {ERROR_NOT_READY, X::ErrorNotReady},
    {ERROR_SHARING_VIOLATION, X::ErrorSharingViolation},
    {ERROR_LOCK_VIOLATION, X::ErrorLockViolation},
    {ERROR_HANDLE_DISK_FULL, X::ErrorDiskFull},
    {ERROR_FILE_EXISTS, X::ErrorFileExists},
    {ERROR_DISK_FULL, X::ErrorDiskFull},
    {ERROR_INVALID_NAME, X::ErrorInvalidName},
    {ERROR_ALREADY_EXISTS, X::ErrorFileExists},
    {ERROR_FILENAME_EXCED_RANGE, X::ErrorNameTooLong},
};

using ScreenConditions::TCondition;
static_assert(Span(X::ReadTooLarge, X::ReadCssColorUnreadable) ==
              static_cast<int>(PaletteFile::TReadProblem::CssColorUnreadable));  // None has no text
static_assert(Span(X::NotationLabel1, X::NotationLabel7) == Notations::kMainCount &&
              Span(X::NotationCaption1, X::NotationCaption7) == Notations::kMainCount &&
              Span(X::CopyAsCaption1, X::CopyAsCaption8) == Notations::kMoreCount);
static_assert(Span(X::CriterionAaNormal, X::CriterionGraphics) == std::size(Contrast::kCriteria) &&
              Span(X::VisionNormal, X::VisionAchromatopsia) == static_cast<int>(Contrast::TVision::Achromatopsia) + 1);
static_assert(Span(X::ConditionInversionUndone, X::ConditionHdr) == static_cast<int>(TCondition::Hdr) + 1 &&
              Span(X::ConditionNameInversionUndone, X::ConditionNameHdr) == static_cast<int>(TCondition::Hdr) + 1);

}  // namespace

std::wstring ReadProblemText(const PaletteFile::TReadReason& reason) {
    if (reason.Problem == PaletteFile::TReadProblem::None) return std::wstring();
    return Text(Nth(X::ReadTooLarge, X::ReadCssColorUnreadable, static_cast<int>(reason.Problem) - 1),
                std::to_wstring(reason.Number));
}

std::wstring InOutErrorText(int errorCode) {
    for (const auto& [code, id] : kErrorTexts)
        if (code == errorCode) return Text(id);
    return Text(X::ErrorOther, std::to_wstring(errorCode));
}

std::wstring ExceptionText(const std::exception& e) {
    if (const auto* ini = dynamic_cast<const EIniFileException*>(&e))
        return Text(X::IniCannotWrite, AnsiToWide(ini->FileName()));
    if (const auto* io = dynamic_cast<const EInOutError*>(&e)) return InOutErrorText(io->ErrorCode());
    return Utf8ToWide(e.what());
}

const wchar_t* VerdictText(bool passed) { return Text(passed ? X::VerdictPass : X::VerdictFail); }

const wchar_t* CriterionLabel(int index) { return Text(Nth(X::CriterionAaNormal, X::CriterionGraphics, index)); }

const wchar_t* VisionName(Contrast::TVision vision) {
    return Text(Nth(X::VisionNormal, X::VisionAchromatopsia, static_cast<int>(vision)));
}

std::wstring ContrastSummary(TColor foreground, TColor background) {
    const int ratio = Contrast::RatioHundredths(foreground, background);
    std::wstring text = Text(X::SummaryForeground, AnsiToWide(ColorText::FromColor(foreground))) + L"\r\n" +
                        Text(X::SummaryBackground, AnsiToWide(ColorText::FromColor(background))) + L"\r\n" +
                        Text(X::SummaryRatio, AnsiToWide(Contrast::RatioText(ratio)));
    for (int i = 0; i < static_cast<int>(std::size(Contrast::kCriteria)); ++i)
        text += L"\r\n" + std::wstring(CriterionLabel(i)) + L" " +
                VerdictText(Contrast::Passes(ratio, Contrast::kCriteria[i]));
    return text;
}

const wchar_t* ConditionLine(TCondition condition) {
    return Text(Nth(X::ConditionInversionUndone, X::ConditionHdr, static_cast<int>(condition)));
}

std::wstring ConditionsNote(const std::vector<TCondition>& holding) {
    if (holding.empty()) return std::wstring();
    std::wstring names;
    for (TCondition condition : holding) {
        if (!names.empty()) names += Text(X::ConditionsSeparator);
        names += Text(Nth(X::ConditionNameInversionUndone, X::ConditionNameHdr, static_cast<int>(condition)));
    }
    return L"  " + Text(X::ConditionsNote, names);
}

const wchar_t* NotationLabel(int number) { return Text(Nth(X::NotationLabel1, X::NotationLabel7, number - 1)); }
