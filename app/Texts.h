// Every text the program shows in one table, a Chinese and an English column; Chinese is the
// default. Texts with numbers or names hold %1 and %2 for them.
#pragma once
#include "PaletteFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

enum class TLanguage : std::uint8_t { Chinese, English };

TLanguage Language();
// Windows made afterwards take the new texts; open ones relabel themselves.
void SetLanguage(TLanguage language);

enum class TTextId : std::uint16_t {
    // Palette files
    ReadTooLarge,
    ReadNotUtf8,
    ReadNotGpl,
    ReadLineNotColor,
    ReadNotAse,
    ReadIncomplete,
    ReadColorDamaged,
    ReadColorModelUnknown,
    ReadNotList,
    ReadItemNotObject,
    ReadItemWithoutColor,
    ReadColorUnreadable,
    ReadJsonSyntax,
    ReadJsonTooDeep,
    ReadCssColorUnreadable,

    // Reasons and errors the core reports as codes

    // Windows, menus and messages
    StayOnTop,
    MenuButton,
    CopyButton,
    StatusName,
    HotKeyTaken,
    NoColorOnClipboard,
    Frozen,
    FreezeFailed,
    Palette,
    SaveColor,
    MyColors,
    Pick,
    CopyAs,
    Paste,
    Contrast,
    Export,
    Import,
    Sample,
    Sample1,
    Sample3,
    Sample5,
    AutoCopy,
    AutoCopyNone,
    ColorSpace,
    SpaceNative,
    SpaceSrgb,
    SpaceP3,
    SpaceAdobe,
    ProfileNone,
    ProfileUnusable,
    Profile,
    Freeze,
    Language,
    Chinese,
    English,
    EditFormats,
    ShowHide,
    ContactUs,
    VisitHomePage,
    AboutEntry,
    Exit,
    UnknownError,
    ClipboardBusy,
    OutOfMemory,
    OK,
    Cancel,
    OKKey,
    CancelKey,
    DeleteKey,
    TimeLabel,
    ColorLabel,
    ValueLabel,
    CommentLabel,
    ColorColumn,
    ValueColumn,
    TimeColumn,
    CommentColumn,
    ContrastCaption,
    Foreground,
    Background,
    Swap,
    CopyResult,
    Close,
    SampleText,
    FormatsCaption,
    New,
    MoveUp,
    MoveDown,
    NameLabel,
    FormatLabel,
    PreviewLabel,
    NameColumn,
    FormatColumn,
    FormatList,
    ErrorName,
    AtCharacter,
    NameAtCharacter,
    UnknownPlaceholder,
    MissingBrace,
    ControlCharacter,
    NotStorable,
    EmptyTemplate,
    LongTemplate,
    EmptyName,
    LongName,
    SameName,
    FormatProblem,
    NewFormatName,
    VersionLabel,
    CopyrightLabel,
    EmailLabel,
    WebsiteLabel,
    GplFiles,
    AseFiles,
    JsonFiles,
    CssFiles,
    AllFiles,
    ExportCaption,
    ImportCaption,
    ReplaceFile,
    CannotWrite,
    CannotRead,
    FileOver16MB,
    NotPalette,
    Imported,
    Skipped,

    Count
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
