#include "Texts.h"
#include "notation/ColorText.h"
#include "util/Errors.h"
#include "notation/Notations.h"
#include "Text.h"

#include <winerror.h>

#include <iterator>
#include <stdexcept>
#include <utility>

namespace {

using X = TTextId;

TLanguage GLanguage = TLanguage::Chinese;

const TTextRow kTexts[] = {
#define TEXT_ROW(id, chinese, english) {X::id, chinese, english},
#include "Texts.def"
#undef TEXT_ROW
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
              // "复制为"'s captions run up to the first text of the windows.
              Span(X::CopyAsCaption1, X::StayOnTop) - 1 == Notations::kMoreCount);
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
