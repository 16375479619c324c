// Every text the program shows in one table, a Chinese and an English column; Chinese is the
// default. Texts with numbers or names hold %1 and %2 for them.
#pragma once
#include "settings/Choices.h"
#include "colour/Contrast.h"
#include "palette/PaletteFile.h"
#include "screen/ScreenConditions.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#define QUILLORA_LANGUAGE_NAME(file, name, text) name,
enum class TLanguage : std::uint8_t { QUILLORA_LANGUAGES(QUILLORA_LANGUAGE_NAME) };  // as the setting numbers them
#undef QUILLORA_LANGUAGE_NAME

TLanguage Language();
// Windows made afterwards take the new texts; open ones relabel themselves.
void SetLanguage(TLanguage language);

// One id for each line of Texts.def, in its order; Texts.cpp makes the rows from the same lines.
enum class TTextId : std::uint16_t {
#define TEXT_ROW(id, chinese, english) id,
#include "Texts.def"
#undef TEXT_ROW
    Count,
    None = Count  // where a row of the core's has no text
};

struct TTextRow {
    TTextId Id;
    const wchar_t* Chinese;
    const wchar_t* English;
};

// The rows in the order of TTextId, for the checks and the list of pairs.
const TTextRow* TextRows();
constexpr std::size_t kTextCount = static_cast<std::size_t>(TTextId::Count);

// The text in the current language.
const wchar_t* Text(TTextId id);
// The same with %1 and %2 replaced.
std::wstring Text(TTextId id, const std::wstring& first, const std::wstring& second = {});

// Why a palette file was refused, e.g. "第 3 行不是颜色"; empty for TReadProblem::None.
std::wstring ReadProblemText(const PaletteFile::TReadReason& reason);

// A Windows error code of a file call, e.g. "文件拒绝访问" for 5; "I/O 错误 <code>" for a code
// without a text of its own.
std::wstring InOutErrorText(int errorCode);
// What the user reads for an exception: the program's own errors in words, any other its
// what().
std::wstring ExceptionText(const std::exception& e);

// The contrast dialog's words: a verdict, a criterion (in Contrast::kCriteria's order), a
// kind of vision.
const wchar_t* VerdictText(bool passed);
const wchar_t* CriterionLabel(int index);
const wchar_t* VisionName(Contrast::TVision vision);
// What the dialog's copy button puts on the clipboard, lines joined by CRLF:
//   前景 #FFFFFF
//   背景 #767676
//   对比度 4.54:1
//   AA 正常文字 通过
// and one such line for each of the other four criteria. Below 100 % opacity, the opacity and
// the foreground laid over the background follow the background ("前景不透明度：60%",
// "叠加后的颜色：#RRGGBB"), and the ratio and verdicts are those of that colour.
std::wstring ContrastSummary(TColor foreground, TColor background, int opacity = 100);

// A screen condition's line in the colour-space menu.
const wchar_t* ConditionLine(ScreenConditions::TCondition condition);
// The status bar's ending while conditions hold ("  注意：" and their short names joined by
// "、"); the empty text when none holds.
std::wstring ConditionsNote(const std::vector<ScreenConditions::TCondition>& holding);

// A notation's texts, by its number (Notations::Main 1..7, Notations::More 1..8), from the
// rows of the notation list: its label on the main window and its caption in "取色后复制", and
// the caption of one of "复制为". Throw std::out_of_range for any other number.
TTextId NotationLabel(int number);
TTextId NotationCaption(int number);
TTextId CopyAsCaption(int number);

// The kinds of vision: the name, the colour-blindness view's menu entry (TTextId::None for
// normal vision, which has none) and the key that shows it in the view.
struct TVisionEntry {
    Contrast::TVision Vision;
    TTextId Name, Menu;
    wchar_t Key;
};
extern const TVisionEntry kVisionEntries[Contrast::kVisionCount];
