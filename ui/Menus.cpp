#include "Menus.h"
#include "Runtime.h"

TMenuItem::TMenuItem() = default;
TMenuItem::~TMenuItem() = default;

TPopupMenu::~TPopupMenu() {
    if (FMenu) DestroyMenu(FMenu);
}

TMenuItem& TPopupMenu::Add(int command, const std::wstring& caption, bool isDefault) {
    auto item = std::make_unique<TMenuItem>();
    item->Command = command;
    item->Caption = caption;
    item->Default = isDefault;
    item->Id = FNextId++;
    FItems.push_back(std::move(item));
    return *FItems.back();
}

TPopupMenu& TPopupMenu::AddSubmenu(int command, const std::wstring& caption) {
    TMenuItem& item = Add(command, caption);
    item.Submenu = std::make_unique<TPopupMenu>();
    return *item.Submenu;
}

TMenuItem* TPopupMenu::Find(int command) {
    TMenuItem* found = nullptr;
    ForEach([&](TMenuItem& i) {
        if (!found && i.Command == command) found = &i;
    });
    return found;
}

void TPopupMenu::ForEach(const std::function<void(TMenuItem&)>& visit) {
    for (auto& i : FItems) {
        visit(*i);
        if (i->Submenu) i->Submenu->ForEach(visit);
    }
}

// A submenu's handle belongs to the menu it hangs in, which destroys it with itself.
HMENU TPopupMenu::Build() const {
    HMENU menu = CreatePopupMenu();
    for (auto& i : FItems) {
        if (!i->Visible) continue;
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        mi.wID = i->Id;
        if (i->Caption == L"-") {
            mi.fType = MFT_SEPARATOR;
        } else {
            mi.fMask |= MIIM_STRING;
            mi.dwTypeData = const_cast<wchar_t*>(i->Caption.c_str());
            mi.fType = i->RadioItem ? MFT_RADIOCHECK : MFT_STRING;
            mi.fState = (i->Checked ? MFS_CHECKED : 0u) | (i->Default ? MFS_DEFAULT : 0u) |
                        (i->Enabled ? 0u : MFS_GRAYED);
        }
        if (i->DrawImage) {
            mi.fMask |= MIIM_BITMAP;
            mi.hbmpItem = HBMMENU_CALLBACK;
        }
        if (i->Submenu) {
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = i->Submenu->Build();
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
    }
    return menu;
}

HMENU TPopupMenu::Handle() {
    if (FMenu) DestroyMenu(FMenu);
    FMenu = Build();
    return FMenu;
}

void TPopupMenu::Popup(int x, int y, bool fromKeyboard) {
    HWND owner = Runtime::OwnerWindow();
    if (OnPopup) OnPopup();
    // The menu's own loop reads the key, as if the user had pressed it in the open menu.
    if (fromKeyboard) PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    FActive = Handle();
    FOpen = this;
    UINT id = static_cast<UINT>(TrackPopupMenuEx(
        FMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, owner, nullptr));
    FActive = nullptr;
    FOpen = nullptr;
    // Lets the menu close properly when it was opened for a window in the background.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (OnClose) OnClose();
    Choose(id);
}

bool TPopupMenu::Choose(UINT id) {
    for (auto& i : FItems) {
        if (i->Id == id) {
            if (i->OnClick && i->Enabled) i->OnClick();
            return true;
        }
        if (i->Submenu && i->Submenu->Choose(id)) return true;
    }
    return false;
}

TMenuItem* TPopupMenu::FindId(UINT id) {
    for (auto& i : FItems) {
        if (i->Id == id) return i.get();
        if (i->Submenu)
            if (TMenuItem* found = i->Submenu->FindId(id)) return found;
    }
    return nullptr;
}

bool TPopupMenu::MeasureImage(MEASUREITEMSTRUCT& measure) {
    const TMenuItem* item = measure.CtlType == ODT_MENU ? OpenEntry(measure.itemID) : nullptr;
    if (!item || !item->DrawImage) return false;
    // A quarter more across, so that the caption keeps its distance.
    measure.itemWidth = static_cast<UINT>(item->ImageSize + item->ImageSize / 4);
    measure.itemHeight = static_cast<UINT>(item->ImageSize);
    return true;
}

bool TPopupMenu::DrawImage(const DRAWITEMSTRUCT& draw) {
    const TMenuItem* item = draw.CtlType == ODT_MENU ? OpenEntry(draw.itemID) : nullptr;
    if (!item || !item->DrawImage) return false;
    // The square in the middle of the place the menu gives.
    const RECT& r = draw.rcItem;
    const int left = r.left + (r.right - r.left - item->ImageSize) / 2, top = r.top + (r.bottom - r.top - item->ImageSize) / 2;
    item->DrawImage(draw.hDC, RECT{left, top, left + item->ImageSize, top + item->ImageSize});
    return true;
}
