// Saved colours out to a palette file and in from one: the colour menu's export and import.

#include "PaletteTransfer.h"
#include "Dialogs.h"
#include "Errors.h"
#include "FileBytes.h"
#include "Forms.h"
#include "PaletteFile.h"
#include "Text.h"
#include "Texts.h"
#include "Settings.h"

#include <windows.h>

namespace {

using PaletteFile::TFormat;

// The file types in the dialogs' order.
struct TFileType {
    const wchar_t* Text;
    const wchar_t* Pattern;
    TFormat Format;
};
const TFileType kFileTypes[] = {
    {L"GIMP 调色板 (*.gpl)", L"*.gpl", TFormat::Gpl},
    {L"Adobe 色板交换 (*.ase)", L"*.ase", TFormat::Ase},
    {L"JSON (*.json)", L"*.json", TFormat::Json},
    {L"CSS (*.css)", L"*.css", TFormat::Css},
};
constexpr int kFileTypeCount = static_cast<int>(sizeof kFileTypes / sizeof kFileTypes[0]);

TFileDialog PaletteDialog(const wchar_t* title) {
    TFileDialog dialog;
    dialog.Title = title;
    for (const TFileType& type : kFileTypes) dialog.Filters.emplace_back(type.Text, type.Pattern);
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

int Tell(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), Application.Title().c_str(), flags);
}

}  // namespace

// Every saved colour in listing order. A name typed with one of the four extensions decides the
// format; any other name gets the chosen type's extension. The file is replaced only once the
// new one is complete.
void ExportSavedColors(HWND owner) {
    TFileDialog dialog = PaletteDialog(L"导出喜爱的颜色");
    dialog.DefaultExt = L"gpl";
    if (!dialog.Execute(owner, true)) return;
    std::wstring path = dialog.FileName;
    TFormat format = TFormat::Gpl;
    if (!FormatOfName(path, format)) {
        FormatOfType(dialog.FilterIndex, format);
        path += L"." + Utf8ToWide(PaletteFile::ExtensionOf(format));
        // The dialog asked about the name as typed; the name written is another one.
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
            Tell(owner, path + L" 已存在。\n要替换它吗？",
                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return;
    }
    std::vector<PaletteFile::TOutEntry> entries;
    for (const SettingsText::TColorEntry& e : TSettings::ReadColorEntries())
        entries.push_back({e.Color, AnsiToUtf8(e.Comment), e.Key});
    if (const int error = FileBytes::WriteReplacing(path, PaletteFile::Write(format, entries)))
        Tell(owner, L"无法写入文件 " + path + L"：" + InOutErrorText(error),
             MB_OK | MB_ICONERROR);
}

// Every colour of the file becomes a saved colour behind the others, or, when the file cannot
// be read as a whole, none does.
void ImportSavedColors(HWND owner) {
    TFileDialog dialog = PaletteDialog(L"导入喜爱的颜色");
    dialog.Filters.emplace_back(L"所有文件 (*.*)", L"*.*");
    if (!dialog.Execute(owner, false)) return;
    const std::wstring& path = dialog.FileName;
    const auto refuse = [&](const std::wstring& reason) {
        Tell(owner, L"无法读取文件 " + path + L"：" + reason, MB_OK | MB_ICONERROR);
    };
    std::string bytes;
    const int error = FileBytes::Read(path, PaletteFile::kMaxFileSize, bytes);
    if (error == FileBytes::kTooLarge) return refuse(L"文件大于 16 MB");
    if (error) return refuse(InOutErrorText(error));
    // The extension decides, else the type chosen, else what the bytes look like.
    TFormat format = TFormat::Gpl;
    if (!FormatOfName(path, format) && !FormatOfType(dialog.FilterIndex, format) &&
        !PaletteFile::Sniff(bytes, format))
        return refuse(L"不是可识别的调色板文件");
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
    std::wstring text = L"导入了 " + std::to_wstring(plan.Added.size()) + L" 个颜色";
    if (plan.Skipped > 0) text += L"，跳过 " + std::to_wstring(plan.Skipped) + L" 个";
    Tell(owner, text, MB_OK | MB_ICONINFORMATION);
}
