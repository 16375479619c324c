// The commands of the main window: every entry of the colour menu and the control menu and
// every key that runs one. Each is one row; the menus are built from the rows, and an entry's
// caption, state and check mark are worked out from its row whenever they may have changed.
#pragma once
#include "Menus.h"
#include "notation/Notations.h"
#include "settings/SettingsTable.h"
#include "Texts.h"
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The entries that stand on their own have a name here; the entries of a list (the sampled
// squares, the notations, the own formats, the keys) get an id of their own from the table
// as they are added.
enum class TCommandId : int {
    None = 0,
    Palette, SaveColor, MyColors, Pick, CopyAs, Paste, Contrast, Export, Import, Sample, AutoCopy,
    Show, Email, Website, About, Exit, ColorSpace, Freeze, EditFormats, Language, Recent,
    Variations, Vision,
    Separator,  // a line between entries
    FirstOfList
};

struct TCommand {
    TCommandId Id = TCommandId::None;
    TTextId Label = TTextId::Count;  // the caption in the current language, when not Count
    std::wstring Caption;            // the caption of a row without a Label
    std::function<void()> Run;
    std::function<bool()> Enabled;       // always, when empty
    std::function<bool()> Checked;       // never, when empty
    std::function<std::wstring()> Text;  // shown after a tab when not empty (a key, a value); the
                                         // whole caption of a row without one
    std::function<bool()> Visible;       // always, when empty
    std::function<void(HDC, const RECT&)> DrawImage;  // an image before the caption, when not empty,
    std::function<int()> ImageSize;                   // in a square of this many pixels
    TCommandId Parent = TCommandId::None;  // the submenu entry it appears under
    TCommandId After = TCommandId::None;   // in a menu whose list does not name it: just below
                                           // this entry (a dialog's row places itself so)
    bool Radio = false;                  // checked with a dot
    bool Default = false;                // shown in bold
    WPARAM Key = 0;                      // with Ctrl alone, in the main window
};

// The keys with Ctrl alone in the main window, each list's in one place: Ctrl+1..7 copy the
// seven notations, Ctrl+8 and Ctrl+9 the first two own formats. The program does not compile
// while two commands share a key or a list has a row without one.
namespace CtrlKeys {
inline constexpr std::string_view kNotations = "1234567";
inline constexpr std::string_view kOwnFormats = "89";

constexpr bool AllDifferent(std::initializer_list<std::string_view> lists) {
    int n = 0;
    for (std::string_view a : lists) {
        int m = 0;
        for (std::string_view b : lists) {
            for (std::size_t i = 0; i < a.size(); ++i)
                for (std::size_t j = 0; j < b.size(); ++j)
                    if (a[i] == b[j] && (n != m || i != j)) return false;
            ++m;
        }
        ++n;
    }
    return true;
}
static_assert(AllDifferent({kNotations, kOwnFormats}), "two commands share a Ctrl key");
static_assert(kNotations.size() == Notations::kMainCount, "a notation without its Ctrl key");
}  // namespace CtrlKeys

class TOptions;

class TCommandTable {
public:
    explicit TCommandTable(TOptions& options) : FOptions(options) {}
    // The row stays where it is while others are added.
    TCommand& Add(TCommandId id, const wchar_t* caption, std::function<void()> run);
    TCommand& Add(TCommandId id, TTextId label, std::function<void()> run);
    // An entry of the submenu of Parent (None: of no menu, a key alone), with an id of its own.
    TCommand& AddChild(TCommandId parent, TTextId label, std::function<void()> run);
    TCommand& AddChild(TCommandId parent, const wchar_t* caption, std::function<void()> run);
    // A check entry that turns a Switch setting on and off; with the id None, an id of its own.
    TCommand& AddSwitch(TCommandId id, TTextId label, SettingsTable::TSettingId setting);
    // A radio entry under Parent that gives the setting this value (a Named setting's place in
    // its list, a Number's value).
    TCommand& AddChoice(TCommandId parent, TTextId label, SettingsTable::TSettingId setting, int value);
    // The n-th entry under Parent (from 0, lines counted), None when there is none.
    TCommandId Child(TCommandId parent, int n) const;
    const TCommand* Find(TCommandId id) const;
    bool Enabled(TCommandId id) const;
    // Runs the command if it is enabled, then brings every menu up to date.
    bool Run(TCommandId id);
    // Runs the command whose key this is; false when none has it.
    bool RunKey(WPARAM key);
    // Fills a menu with these entries, in this order, each followed by the rows placed After it
    // that the list does not name; an entry that others name as their parent opens a submenu of
    // them, in the table's order.
    void Build(TPopupMenu& menu, std::initializer_list<TCommandId> entries);
    // Every built menu's captions (in the current language), states and check marks as they
    // stand now.
    void Refresh();

private:
    void Fill(TPopupMenu& menu, TCommandId id);
    void FillAfter(TPopupMenu& menu, TCommandId id, std::initializer_list<TCommandId> entries);
    TOptions& FOptions;
    TCommandId FNextId = TCommandId::FirstOfList;
    std::deque<TCommand> FCommands;
    std::vector<TPopupMenu*> FMenus;
};
