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

namespace {

// Rows that follow an order of the core's: how many there are from First to Last, and the
// n-th of them (from 0).
constexpr int Span(TTextId first, TTextId last) { return static_cast<int>(last) - static_cast<int>(first) + 1; }

const wchar_t* Nth(TTextId first, TTextId last, int n) {
    if (n < 0 || n >= Span(first, last)) throw std::out_of_range("text");
    return Text(static_cast<TTextId>(static_cast<int>(first) + n));
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
static_assert(Span(X::NotationLabel1, X::NotationLabel7) == Notations::kMainCount &&
              Span(X::NotationCaption1, X::NotationCaption7) == Notations::kMainCount &&
              Span(X::CopyAsCaption1, X::CopyAsCaption8) == Notations::kMoreCount);
static_assert(Span(X::CriterionAaNormal, X::CriterionGraphics) == std::size(Contrast::kCriteria) &&
              Span(X::VisionNormal, X::VisionAchromatopsia) == static_cast<int>(Contrast::TVision::Achromatopsia) + 1);
static_assert(Span(X::ConditionInversionUndone, X::ConditionHdr) == static_cast<int>(TCondition::Hdr) + 1 &&
              Span(X::ConditionNameInversionUndone, X::ConditionNameHdr) == static_cast<int>(TCondition::Hdr) + 1);

}  // namespace

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

const wchar_t* CriterionLabel(int index) { return Nth(X::CriterionAaNormal, X::CriterionGraphics, index); }

const wchar_t* VisionName(Contrast::TVision vision) {
    return Nth(X::VisionNormal, X::VisionAchromatopsia, static_cast<int>(vision));
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
    return Nth(X::ConditionInversionUndone, X::ConditionHdr, static_cast<int>(condition));
}

std::wstring ConditionsNote(const std::vector<TCondition>& holding) {
    if (holding.empty()) return std::wstring();
    std::wstring names;
    for (TCondition condition : holding) {
        if (!names.empty()) names += Text(X::ConditionsSeparator);
        names += Nth(X::ConditionNameInversionUndone, X::ConditionNameHdr, static_cast<int>(condition));
    }
    return L"  " + Text(X::ConditionsNote, names);
}

const wchar_t* NotationLabel(int number) { return Nth(X::NotationLabel1, X::NotationLabel7, number - 1); }
const wchar_t* NotationCaption(int number) { return Nth(X::NotationCaption1, X::NotationCaption7, number - 1); }
const wchar_t* CopyAsCaption(int number) { return Nth(X::CopyAsCaption1, X::CopyAsCaption8, number - 1); }
