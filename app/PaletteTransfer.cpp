// Saved colours out to a palette file and in from one: the colour menu's export and import.

#include "PaletteTransfer.h"
#include "Dialogs.h"
#include "util/Errors.h"
#include "util/FileBytes.h"
#include "palette/PaletteFile.h"
#include "Runtime.h"
#include "Text.h"
#include "Texts.h"
#include "settings/Settings.h"

#include <windows.h>

namespace {

using PaletteFile::TFormat;

// The file types in the dialogs' order.
struct TFileType {
    TTextId Text;
    const wchar_t* Pattern;
    TFormat Format;
};
const TFileType kFileTypes[] = {
    {TTextId::GplFiles, L"*.gpl", TFormat::Gpl},
    {TTextId::AseFiles, L"*.ase", TFormat::Ase},
    {TTextId::JsonFiles, L"*.json", TFormat::Json},
    {TTextId::CssFiles, L"*.css", TFormat::Css},
};
constexpr int kFileTypeCount = static_cast<int>(sizeof kFileTypes / sizeof kFileTypes[0]);

TFileDialog PaletteDialog(const wchar_t* title) {
    TFileDialog dialog;
    dialog.Title = title;
    for (const TFileType& type : kFileTypes) dialog.Filters.emplace_back(Text(type.Text), type.Pattern);
    return dialog;
}

// The format the file name's extension names, if any.
bool FormatOfName(const std::wstring& path, TFormat& format) {
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
    return PaletteFile::FormatFromExtension(WideToUtf8(path.substr(dot + 1)), format);
}

// The format of the type chosen in a dialog, if it is one of the four.
bool FormatOfType(int filterIndex, TFormat& format) {
    if (filterIndex < 1 || filterIndex > kFileTypeCount) return false;
    format = kFileTypes[filterIndex - 1].Format;
    return true;
}

}  // namespace

// Every saved colour in listing order. A name typed with one of the four extensions decides the
// format; any other name gets the chosen type's extension. The file is replaced only once the
// new one is complete.
void ExportSavedColors(HWND owner) {
    TFileDialog dialog = PaletteDialog(Text(TTextId::ExportCaption));
    dialog.DefaultExt = L"gpl";
    if (!dialog.Execute(owner, true)) return;
    std::wstring path = dialog.FileName;
    TFormat format = TFormat::Gpl;
    if (!FormatOfName(path, format)) {
        FormatOfType(dialog.FilterIndex, format);
        path += L"." + Utf8ToWide(PaletteFile::ExtensionOf(format));
        // The dialog asked about the name as typed; the name written is another one.
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !Notices::Ask(owner, Text(TTextId::ReplaceFile, path)))
            return;
    }
    std::vector<PaletteFile::TOutEntry> entries;
    for (const SettingsText::TColorEntry& e : TSettings::ReadColorEntries())
        entries.push_back({e.Color, AnsiToUtf8(e.Comment), e.Key});
    if (const int error = FileBytes::WriteReplacing(path, PaletteFile::Write(format, entries)))
        Notices::Error(owner, Text(TTextId::CannotWrite, path, InOutErrorText(error)));
}

// Every colour of the file becomes a saved colour behind the others, or, when the file cannot
// be read as a whole, none does.
void ImportSavedColors(HWND owner) {
    TFileDialog dialog = PaletteDialog(Text(TTextId::ImportCaption));
    dialog.Filters.emplace_back(Text(TTextId::AllFiles), L"*.*");
    if (!dialog.Execute(owner, false)) return;
    const std::wstring& path = dialog.FileName;
    const auto refuse = [&](const std::wstring& reason) {
        Notices::Error(owner, Text(TTextId::CannotRead, path, reason));
    };
    std::string bytes;
    const int error = FileBytes::Read(path, PaletteFile::kMaxFileSize, bytes);
    if (error == FileBytes::kTooLarge) return refuse(Text(TTextId::FileOver16MB));
    if (error) return refuse(InOutErrorText(error));
    // The extension decides, else the type chosen, else what the bytes look like.
    TFormat format = TFormat::Gpl;
    if (!FormatOfName(path, format) && !FormatOfType(dialog.FilterIndex, format) &&
        !PaletteFile::Sniff(bytes, format))
        return refuse(Text(TTextId::NotPalette));
    std::vector<PaletteFile::TInEntry> read;
    PaletteFile::TReadReason reason;
    if (!PaletteFile::Read(format, bytes, read, reason)) return refuse(ReadProblemText(reason));

    std::vector<PaletteFile::TIncoming> incoming;
    incoming.reserve(read.size());
    for (const PaletteFile::TInEntry& e : read) {
        // Characters the code page lacks become "?", as in a comment typed into the save dialog.
        const std::string comment = WideToAnsi(Utf8ToWide(PaletteFile::ImportComment(e.Name)));
        incoming.push_back({e.Color, SettingsText::PrepareComment(comment), e.HasSaved, e.Saved});
    }
    SYSTEMTIME st;
    GetLocalTime(&st);
    const PaletteFile::TTime now{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    PaletteFile::TImportPlan plan;
    TSettings::AddColors([&](const std::vector<SettingsText::TColorEntry>& saved) {
        plan = PaletteFile::PlanImport(saved, incoming, now);
        return plan.Added;
    });
    std::wstring text = Text(TTextId::Imported, std::to_wstring(plan.Added.size()));
    if (plan.Skipped > 0) text += Text(TTextId::Skipped, std::to_wstring(plan.Skipped));
    Notices::Information(owner, text);
}
