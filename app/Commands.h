// The commands of the main window: every entry of the colour menu and the control menu and
// every key that runs one. Each is one row; the menus are built from the rows, and an entry's
// caption, state and check mark are worked out from its row whenever they may have changed.
#pragma once
#include "Menus.h"
#include "Texts.h"
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A command of a list (the sampled squares, the notations) is its list's first id plus its
// place in the list.
enum class TCommandId : int {
    None = 0,
    Palette, SaveColor, MyColors, Pick, CopyAs, Paste, Contrast, Export, Import, Sample, AutoCopy,
    Show, Email, Website, About, Exit, ColorSpace, Freeze, OwnLine, EditFormats, Language,
    Separator = 99,   // a line between entries
    CopyAs1 = 100,    // + 0..7: "复制为", the eight more notations
    Sample1 = 200,    // + 0..2: "取样", 1, 3 or 5 pixels a side
    AutoCopy0 = 300,  // + 0..7: "取色后复制", nothing or notation 1..7
    Copy1 = 400,      // + 0..8: Ctrl+1..9, the seven notations and the first two own formats
    ColorSpace0 = 500,  // + 0..3: "色彩空间", the monitor's own values, sRGB, P3, Adobe RGB
    SpaceInfo1 = 510,   // + 0..5: the lines that say what the profile and the screen do
    CopyOwn1 = 600,     // + 0..19: "复制为", the own formats in their order
    AutoCopyOwn1 = 700, // + 0..19: "取色后复制", the own formats in their order
    Language0 = 800,    // + 0..1: "语言 / Language", Chinese and English
};
constexpr TCommandId operator+(TCommandId first, int n) {
    return static_cast<TCommandId>(static_cast<int>(first) + n);
}

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
    TCommandId Parent = TCommandId::None;  // the submenu entry it appears under
    bool Radio = false;                  // checked with a dot
    bool Default = false;                // shown in bold
    WPARAM Key = 0;                      // with Ctrl alone, in the main window
};

class TCommandTable {
public:
    // The row stays where it is while others are added.
    TCommand& Add(TCommandId id, const wchar_t* caption, std::function<void()> run);
    TCommand& Add(TCommandId id, TTextId label, std::function<void()> run);
    const TCommand* Find(TCommandId id) const;
    bool Enabled(TCommandId id) const;
    // Runs the command if it is enabled, then brings every menu up to date.
    bool Run(TCommandId id);
    // Runs the command whose key this is; false when none has it.
    bool RunKey(WPARAM key);
    // Fills a menu with these entries, in this order; an entry that others name as their parent
    // opens a submenu of them, in the table's order.
    void Build(TPopupMenu& menu, std::initializer_list<TCommandId> entries);
    // Every built menu's captions (in the current language), states and check marks as they
    // stand now.
    void Refresh();

private:
    void Fill(TPopupMenu& menu, TCommandId id);
    std::deque<TCommand> FCommands;
    std::vector<TPopupMenu*> FMenus;
};
