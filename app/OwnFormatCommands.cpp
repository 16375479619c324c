// The main window's side of the own formats: their entries under "复制为" and "取色后复制",
// Ctrl+8 and Ctrl+9, and the dialog that edits them.
#include "Clipboard.h"
#include "DialogCommands.h"
#include "MainForm.h"
#include "Text.h"
#include <algorithm>

namespace {
// A name or text as a menu shows it: "&" is no access key, a tab or line end no column, and a
// long text is cut.
std::wstring MenuText(const std::string& utf8) {
    constexpr size_t kLongest = 48;
    std::wstring text = Utf8ToWide(utf8), shown;
    if (text.size() > kLongest) text = text.substr(0, kLongest - 1) + L"…";
    for (wchar_t c : text) {
        if (c == L'&') shown += L'&';
        shown += c < L' ' ? L' ' : c;
    }
    return shown;
}
}  // namespace

void TfrmMain::BuildOwnFormatCommands(TCommandId parent) {
    using C = TCommandId;
    const bool copyAs = parent == C::CopyAs;
    const auto count = [this] { return FOwnFormats.Formats.size(); };
    if (copyAs) {
        TCommand& line = FCommands.Add(C::OwnLine, L"-", nullptr);
        line.Parent = parent;
        line.Visible = [count] { return count() > 0; };
    }
    for (size_t i = 0; i < static_cast<size_t>(OwnFormats::kMaxFormats); ++i) {
        const int n = static_cast<int>(i);
        TCommand& c = copyAs ? FCommands.Add(C::CopyOwn1 + n, L"", [this, i] { CopyOwnFormat(i, false); })
                             : FCommands.Add(C::AutoCopyOwn1 + n, L"", [this, i, count] {
                                   if (i < count()) SetAutoCopy(SettingsTable::kOwnAutoCopy + FOwnFormats.Keys[i]);
                               });
        c.Parent = parent;
        c.Visible = [count, i] { return i < count(); };
        if (copyAs) {
            c.Text = [this, i] { return OwnFormatCaption(i); };
        } else {
            c.Radio = true;
            c.Text = [this, i, count] { return i < count() ? MenuText(FOwnFormats.Formats[i].Name) : std::wstring(); };
            c.Checked = [this, i, count] {
                return i < count() && FAutoCopy == SettingsTable::kOwnAutoCopy + FOwnFormats.Keys[i];
            };
        }
    }
    if (copyAs) {
        FCommands.Add(C::Separator, L"-", nullptr).Parent = parent;
        FCommands.Add(C::EditFormats, TTextId::EditFormats, [this] { EditOwnFormats(); }).Parent = parent;
    }
}

// The name, a tab, and the text for the current colour, as the built-in entries show it.
std::wstring TfrmMain::OwnFormatCaption(size_t index) const {
    if (index >= FOwnFormats.Formats.size()) return std::wstring();
    const OwnFormats::TFormat& f = FOwnFormats.Formats[index];
    return MenuText(f.Name) + L"\t" + MenuText(OwnFormats::Expand(f.Template, CurrentColor()));
}

// As Unicode text, so that every character of the format survives.
void TfrmMain::CopyOwnFormat(size_t index, bool fresh) {
    if (fresh) FOwnFormats = TSettings::ReadFormats();
    if (index >= FOwnFormats.Formats.size()) return;
    Clipboard::SetWideText(Application.Handle(),
                           Utf8ToWide(OwnFormats::Expand(FOwnFormats.Formats[index].Template, CurrentColor())));
}

// A copy after picks that follows a format goes with it to its new place, and falls back to
// none when the format is deleted; the file says so.
void TfrmMain::EditOwnFormats() {
    std::vector<int> oldKeys, newKeys;
    if (!EditFormatsDialog(CurrentColor(), oldKeys, newKeys) || FAutoCopy <= SettingsTable::kOwnAutoCopy) return;
    const auto at = std::find(oldKeys.begin(), oldKeys.end(), FAutoCopy - SettingsTable::kOwnAutoCopy);
    SetAutoCopy(at == oldKeys.end() ? 0 : SettingsTable::kOwnAutoCopy + newKeys[static_cast<size_t>(at - oldKeys.begin())]);
}
