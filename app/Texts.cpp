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

// The core's codes with their texts, made from the core's own rows, each of which names its
// text: no text is found by its place.
template <class TCode, class TRow, std::size_t N>
const TRow& RowOf(const TRow (&rows)[N], TCode code) {
    for (const TRow& row : rows)
        if (row.Code == code) return row;
    throw std::out_of_range("text");
}

struct TReadProblemText { PaletteFile::TReadProblem Code; TTextId Text; };
#define READ_PROBLEM_ROW(problem, text) {PaletteFile::TReadProblem::problem, X::text},
constexpr TReadProblemText kReadProblemTexts[] = {QUILLORA_READ_PROBLEMS(READ_PROBLEM_ROW)};

struct TConditionText { ScreenConditions::TCondition Code; TTextId Line, Name; };
#define CONDITION_ROW(condition, line, name) {ScreenConditions::TCondition::condition, X::line, X::name},
constexpr TConditionText kConditionTexts[] = {QUILLORA_CONDITIONS(CONDITION_ROW)};

// In the order of Contrast::kCriteria, which the same rows make.
#define CRITERION_ROW(hundredths, text) X::text,
constexpr TTextId kCriterionTexts[] = {QUILLORA_CRITERIA(CRITERION_ROW)};

#define MAIN_NOTATION_ROW(writer, reader, label, caption, name) {X::label, X::caption},
constexpr std::pair<TTextId, TTextId> kNotationTexts[] = {QUILLORA_MAIN_NOTATIONS(MAIN_NOTATION_ROW)};
#define MORE_NOTATION_ROW(id, writer, reader, caption, example, name) X::caption,
constexpr TTextId kCopyAsTexts[] = {QUILLORA_MORE_NOTATIONS(MORE_NOTATION_ROW)};

template <class T, std::size_t N>
const T& Numbered(const T (&rows)[N], int number) {
    if (number < 1 || number > static_cast<int>(N)) throw std::out_of_range("text");
    return rows[number - 1];
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

}  // namespace

std::wstring ReadProblemText(const PaletteFile::TReadReason& reason) {
    if (reason.Problem == PaletteFile::TReadProblem::None) return std::wstring();
    return Text(RowOf(kReadProblemTexts, reason.Problem).Text, std::to_wstring(reason.Number));
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

const wchar_t* CriterionLabel(int index) { return Text(Numbered(kCriterionTexts, index + 1)); }

const wchar_t* VisionName(Contrast::TVision vision) {
    for (const TVisionEntry& entry : kVisionEntries)
        if (entry.Vision == vision) return Text(entry.Name);
    throw std::out_of_range("text");
}

std::wstring ContrastSummary(TColor foreground, TColor background, int opacity) {
    const TColor seen = Contrast::Overlay(foreground, background, opacity);
    const int ratio = Contrast::RatioHundredths(seen, background);
    std::wstring text = Text(X::SummaryForeground, AnsiToWide(ColorText::FromColor(foreground))) + L"\r\n" +
                        Text(X::SummaryBackground, AnsiToWide(ColorText::FromColor(background))) + L"\r\n";
    if (opacity < 100)
        text += Text(X::SummaryOpacity, std::to_wstring(opacity)) + L"\r\n" +
                Text(X::SummaryBlended, AnsiToWide(ColorText::FromColor(seen))) + L"\r\n";
    text += Text(X::SummaryRatio, AnsiToWide(Contrast::RatioText(ratio)));
    for (int i = 0; i < static_cast<int>(std::size(Contrast::kCriteria)); ++i)
        text += L"\r\n" + std::wstring(CriterionLabel(i)) + L" " +
                VerdictText(Contrast::Passes(ratio, Contrast::kCriteria[i]));
    return text;
}

const wchar_t* ConditionLine(TCondition condition) {
    return Text(RowOf(kConditionTexts, condition).Line);
}

std::wstring ConditionsNote(const std::vector<TCondition>& holding) {
    if (holding.empty()) return std::wstring();
    std::wstring names;
    for (TCondition condition : holding) {
        if (!names.empty()) names += Text(X::ConditionsSeparator);
        names += Text(RowOf(kConditionTexts, condition).Name);
    }
    return L"  " + Text(X::ConditionsNote, names);
}

TTextId NotationLabel(int number) { return Numbered(kNotationTexts, number).first; }
TTextId NotationCaption(int number) { return Numbered(kNotationTexts, number).second; }
TTextId CopyAsCaption(int number) { return Numbered(kCopyAsTexts, number); }

#define VISION_ENTRY(vision, name, menu, key) {Contrast::TVision::vision, X::name, X::menu, key},
const TVisionEntry kVisionEntries[Contrast::kVisionCount] = {QUILLORA_VISIONS(VISION_ENTRY)};
