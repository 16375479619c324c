#include "Menus.h"
#include "Runtime.h"

TPopupMenu::~TPopupMenu() {
    if (FMenu) DestroyMenu(FMenu);
}

TMenuItem& TPopupMenu::Add(const std::string& name, const std::wstring& caption, bool isDefault) {
    auto item = std::make_unique<TMenuItem>();
    item->Name = name;
    item->Caption = caption;
    item->Default = isDefault;
    item->Id = static_cast<UINT>(FItems.size()) + 1;
    FItems.push_back(std::move(item));
    if (FMenu) {
        DestroyMenu(FMenu);
        FMenu = nullptr;
    }
    return *FItems.back();
}

TMenuItem* TPopupMenu::Find(const std::string& name) {
    for (auto& i : FItems)
        if (i->Name == name) return i.get();
    return nullptr;
}

HMENU TPopupMenu::Handle() {
    if (!FMenu) {
        FMenu = CreatePopupMenu();
        for (auto& i : FItems) {
            if (i->Caption == L"-") AppendMenuW(FMenu, MF_SEPARATOR, i->Id, nullptr);
            else AppendMenuW(FMenu, MF_STRING, i->Id, i->Caption.c_str());
            if (i->Default) SetMenuDefaultItem(FMenu, i->Id, FALSE);
        }
    }
    return FMenu;
}

void TPopupMenu::Popup(int x, int y) {
    HWND owner = Runtime::OwnerWindow();
    FActive = Handle();
    UINT id = static_cast<UINT>(TrackPopupMenuEx(
        FMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, owner, nullptr));
    FActive = nullptr;
    // Lets the menu close properly when it was opened for a window in the background.
    PostMessageW(owner, WM_NULL, 0, 0);
    Choose(id);
}

void TPopupMenu::Choose(UINT id) {
    for (auto& i : FItems)
        if (i->Id == id && i->OnClick) {
            i->OnClick();
            return;
        }
}
