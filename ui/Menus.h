// Popup menus.
#pragma once
#include "Graphics.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TMenuItem {
    std::string Name;
    std::wstring Caption;  // "-" makes a separator line; "&" marks the accelerator
    bool Default = false;  // shown in bold
    std::function<void()> OnClick;
    UINT Id = 0;
};

class TPopupMenu {
public:
    TPopupMenu() = default;
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem& Add(const std::string& name, const std::wstring& caption, bool isDefault = false);
    TMenuItem* Find(const std::string& name);
    HMENU Handle();
    // Shows the menu with its top left corner at a screen point and waits until it closes;
    // the chosen item's OnClick runs after that.
    void Popup(int x, int y);
    // Called by Popup for the id the menu returned; tests call it to choose an item.
    void Choose(UINT id);
    // Set while the menu is open: tests use it to close it.
    static HMENU ActiveMenu() { return FActive; }

private:
    std::vector<std::unique_ptr<TMenuItem>> FItems;
    HMENU FMenu = nullptr;
    static inline HMENU FActive = nullptr;
};
