#include "OwnFormatCommands.h"
#include "Clipboard.h"
#include "DialogCommands.h"
#include "Forms.h"
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

void TOwnFormatCommands::AddCopyAs() {
    using C = TCommandId;
    const auto count = [this] { return FFormats.Formats.size(); };
    FCommands.AddChild(C::CopyAs, L"-", nullptr).Visible = [count] { return count() > 0; };
    for (size_t i = 0; i < static_cast<size_t>(OwnFormats::kMaxFormats); ++i) {
        TCommand& c = FCommands.AddChild(C::CopyAs, L"", [this, i] { Copy(i, false); });
        c.Visible = [count, i] { return i < count(); };
        c.Text = [this, i] { return Caption(i); };
        FRows.push_back(c.Id);
    }
    FCommands.Add(C::Separator, L"-", nullptr).Parent = C::CopyAs;
    FCommands.Add(C::EditFormats, TTextId::EditFormats, [this] { Edit(); }).Parent = C::CopyAs;
}

void TOwnFormatCommands::AddAutoCopy() {
    const auto count = [this] { return FFormats.Formats.size(); };
    for (size_t i = 0; i < static_cast<size_t>(OwnFormats::kMaxFormats); ++i) {
        TCommand& c = FCommands.AddChild(TCommandId::AutoCopy, L"", [this, i, count] {
            if (i < count()) FOptions.Set(SettingsTable::TSettingId::AutoCopy, SettingsTable::kOwnAutoCopy + FFormats.Keys[i]);
        });
        c.Radio = true;
        c.Visible = [count, i] { return i < count(); };
        c.Text = [this, i, count] { return i < count() ? MenuText(FFormats.Formats[i].Name) : std::wstring(); };
        c.Checked = [this, i, count] { return i < count() && AutoCopy() == SettingsTable::kOwnAutoCopy + FFormats.Keys[i]; };
        FRows.push_back(c.Id);
    }
}

void TOwnFormatCommands::AddKeys() {
    for (size_t i = 0; i < CtrlKeys::kOwnFormats.size(); ++i)
        FCommands.AddChild(TCommandId::None, L"", [this, i] { Copy(i, true); }).Key = CtrlKeys::kOwnFormats[i];
}

bool TOwnFormatCommands::Owns(int command) const {
    return std::find(FRows.begin(), FRows.end(), static_cast<TCommandId>(command)) != FRows.end();
}

// The name, a tab, and the text for the current colour, as the built-in entries show it.
std::wstring TOwnFormatCommands::Caption(size_t index) const {
    if (index >= FFormats.Formats.size()) return std::wstring();
    const OwnFormats::TFormat& f = FFormats.Formats[index];
    return MenuText(f.Name) + L"\t" + MenuText(OwnFormats::Expand(f.Template, FColor()));
}

// As Unicode text, so that every character of the format survives.
void TOwnFormatCommands::Copy(size_t index, bool fresh) {
    if (fresh) Reread();
    if (index >= FFormats.Formats.size()) return;
    Clipboard::SetWideText(Application.Handle(), Utf8ToWide(OwnFormats::Expand(FFormats.Formats[index].Template, FColor())));
}

void TOwnFormatCommands::CopyAfterPick() {
    if (AutoCopy() <= SettingsTable::kOwnAutoCopy) return;
    Reread();
    const std::vector<int>& keys = FFormats.Keys;
    const auto at = std::find(keys.begin(), keys.end(), AutoCopy() - SettingsTable::kOwnAutoCopy);
    if (at != keys.end()) Copy(static_cast<size_t>(at - keys.begin()), false);
}

// A copy after picks that follows a format goes with it to its new place, and falls back to
// none when the format is deleted; the file says so.
void TOwnFormatCommands::Edit() {
    std::vector<int> oldKeys, newKeys;
    if (!EditFormatsDialog(FColor(), oldKeys, newKeys) || AutoCopy() <= SettingsTable::kOwnAutoCopy) return;
    const auto at = std::find(oldKeys.begin(), oldKeys.end(), AutoCopy() - SettingsTable::kOwnAutoCopy);
    FOptions.Set(SettingsTable::TSettingId::AutoCopy,
                 at == oldKeys.end() ? 0 : SettingsTable::kOwnAutoCopy + newKeys[static_cast<size_t>(at - oldKeys.begin())]);
}
