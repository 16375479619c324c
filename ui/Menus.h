// Popup menus, with submenus and radio entries.
#pragma once
#include "Graphics.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPopupMenu;

// An entry is known by its command: a number the program gives it, the same wherever the entry
// appears, so a handler or a test finds it without a name.
struct TMenuItem {
    TMenuItem();
    ~TMenuItem();
    int Command = 0;
    std::wstring Caption;  // "-" makes a separator line; "&" marks the accelerator; a tab
                           // puts the rest at the right (a key's text)
    bool Default = false;  // shown in bold
    bool RadioItem = false;  // checked with a dot rather than a tick
    bool Checked = false;
    bool Enabled = true;  // a disabled entry is greyed and cannot be chosen
    bool Visible = true;  // a hidden entry is left out of the menu
    // Drawn before the caption, in a square of ImageSize pixels, each time the open menu paints
    // the entry; the menu's owner window passes on the menu's requests (WM_MEASUREITEM and
    // WM_DRAWITEM) to MeasureImage and DrawImage. Where some entries of a menu have an image,
    // give the others one that draws nothing: some systems start their captions further right
    // without measuring them so.
    std::function<void(HDC dc, const RECT& square)> DrawImage;
    int ImageSize = 0;
    std::function<void()> OnClick;
    UINT Id = 0;
    std::unique_ptr<TPopupMenu> Submenu;  // set by TPopupMenu::AddSubmenu
};

class TPopupMenu {
public:
    TPopupMenu() = default;
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem& Add(int command, const std::wstring& caption, bool isDefault = false);
    // An entry that opens a menu of its own; its entries are added to the returned menu.
    TPopupMenu& AddSubmenu(int command, const std::wstring& caption);
    // The entry of a command, searching the submenus too; nullptr when none has it.
    TMenuItem* Find(int command);
    template <class TId>
    TMenuItem* Find(TId command) { return Find(static_cast<int>(command)); }
    // Every entry, submenus' entries after their own.
    void ForEach(const std::function<void(TMenuItem&)>& visit);
    // The menu as the items stand now; built anew on each call (the handle of an earlier call
    // is gone then).
    HMENU Handle();
    // Runs each time the menu is about to show: the place to bring captions up to date.
    std::function<void()> OnPopup;
    // Runs when the menu has closed, before the chosen entry's OnClick: the place to free what
    // only the open menu needed.
    std::function<void()> OnClose;
    // Shows the menu with its top left corner at a screen point and waits until it closes;
    // the chosen item's OnClick runs after that. Opened from a key, its first entry is
    // selected, so that arrows, access keys and Enter go on from there.
    void Popup(int x, int y, bool fromKeyboard = false);
    // Called by Popup for the id the menu returned: runs that item's OnClick. False when no
    // item has the id (the menu was closed without a choice).
    bool Choose(UINT id);
    // For the open menu's entries with an image; false for anything else.
    static bool MeasureImage(MEASUREITEMSTRUCT& measure);
    static bool DrawImage(const DRAWITEMSTRUCT& draw);
    // Set while the menu is open: tests use it to close it.
    static HMENU ActiveMenu() { return FActive; }

private:
    HMENU Build() const;
    TMenuItem* FindId(UINT id);
    static TMenuItem* OpenEntry(UINT id) { return FOpen ? FOpen->FindId(id) : nullptr; }
    std::vector<std::unique_ptr<TMenuItem>> FItems;
    HMENU FMenu = nullptr;
    static inline HMENU FActive = nullptr;
    static inline TPopupMenu* FOpen = nullptr;
    static inline UINT FNextId = 1;  // ids are unique across all menus, submenus included
};
