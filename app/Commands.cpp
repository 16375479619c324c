#include "Commands.h"
#include "Options.h"
#include <algorithm>

TCommand& TCommandTable::Add(TCommandId id, const wchar_t* caption, std::function<void()> run) {
    TCommand& c = FCommands.emplace_back();
    c.Id = id;
    c.Caption = caption;
    c.Run = std::move(run);
    return c;
}

TCommand& TCommandTable::Add(TCommandId id, TTextId label, std::function<void()> run) {
    TCommand& c = Add(id, Text(label), std::move(run));
    c.Label = label;
    return c;
}

TCommand& TCommandTable::AddChild(TCommandId parent, const wchar_t* caption, std::function<void()> run) {
    TCommand& c = Add(FNextId, caption, std::move(run));
    FNextId = static_cast<TCommandId>(static_cast<int>(FNextId) + 1);
    c.Parent = parent;
    return c;
}

TCommand& TCommandTable::AddChild(TCommandId parent, TTextId label, std::function<void()> run) {
    TCommand& c = AddChild(parent, Text(label), std::move(run));
    c.Label = label;
    return c;
}

TCommand& TCommandTable::AddSwitch(TCommandId id, TTextId label, SettingsTable::TSettingId setting) {
    const auto flip = [this, setting] { FOptions.Set(setting, FOptions.Get(setting) ? 0 : 1); };
    TCommand& c = id == TCommandId::None ? AddChild(TCommandId::None, label, flip) : Add(id, label, flip);
    c.Checked = [this, setting] { return FOptions.Get(setting) != 0; };
    return c;
}

TCommand& TCommandTable::AddChoice(TCommandId parent, TTextId label, SettingsTable::TSettingId setting, int value) {
    TCommand& c = AddChild(parent, label, [this, setting, value] { FOptions.Set(setting, value); });
    c.Radio = true;
    c.Checked = [this, setting, value] { return FOptions.Get(setting) == value; };
    return c;
}

TCommandId TCommandTable::Child(TCommandId parent, int n) const {
    for (const TCommand& c : FCommands)
        if (c.Parent == parent && n-- == 0) return c.Id;
    return TCommandId::None;
}

const TCommand* TCommandTable::Find(TCommandId id) const {
    auto it = std::find_if(FCommands.begin(), FCommands.end(), [id](const TCommand& c) { return c.Id == id; });
    return it == FCommands.end() ? nullptr : &*it;
}

bool TCommandTable::Enabled(TCommandId id) const {
    const TCommand* c = Find(id);
    return c && (!c->Enabled || c->Enabled());
}

bool TCommandTable::Run(TCommandId id) {
    if (!Enabled(id)) return false;
    if (const TCommand* c = Find(id); c->Run) c->Run();
    Refresh();
    return true;
}

bool TCommandTable::RunKey(WPARAM key) {
    for (const TCommand& c : FCommands)
        if (c.Key == key) return Run(c.Id);
    return false;
}

void TCommandTable::Fill(TPopupMenu& menu, TCommandId id) {
    if (id == TCommandId::Separator) {
        menu.Add(0, L"-");
        return;
    }
    const TCommand& command = *Find(id);
    const auto isChild = [id](const TCommand& c) { return c.Parent == id; };
    if (std::any_of(FCommands.begin(), FCommands.end(), isChild)) {
        TPopupMenu& submenu = menu.AddSubmenu(static_cast<int>(id), command.Caption);
        for (const TCommand& c : FCommands)
            if (isChild(c)) Fill(submenu, c.Id);
        return;
    }
    TMenuItem& item = menu.Add(static_cast<int>(id), command.Caption, command.Default);
    item.RadioItem = command.Radio;
    item.OnClick = [this, id] { Run(id); };
}

void TCommandTable::Build(TPopupMenu& menu, std::initializer_list<TCommandId> entries) {
    for (TCommandId id : entries) {
        Fill(menu, id);
        FillAfter(menu, id, entries);
    }
    menu.OnPopup = [this] { Refresh(); };
    FMenus.push_back(&menu);
    Refresh();
}

void TCommandTable::Refresh() {
    for (TPopupMenu* menu : FMenus)
        menu->ForEach([this](TMenuItem& item) {
            const TCommand* c = Find(static_cast<TCommandId>(item.Command));
            if (!c) return;  // a separator
            const std::wstring text = c->Text ? c->Text() : std::wstring();
            const std::wstring caption = c->Label != TTextId::Count ? Text(c->Label) : c->Caption;
            item.Caption = caption.empty() ? text : text.empty() ? caption : caption + L"\t" + text;
            item.Visible = !c->Visible || c->Visible();
            item.Enabled = !c->Enabled || c->Enabled();
            item.Checked = c->Checked && c->Checked();
            item.DrawImage = c->DrawImage;
            item.ImageSize = c->ImageSize ? c->ImageSize() : 0;
        });
}

void TCommandTable::FillAfter(TPopupMenu& menu, TCommandId id, std::initializer_list<TCommandId> entries) {
    if (id == TCommandId::Separator) return;
    for (const TCommand& c : FCommands)
        if (c.After == id && std::find(entries.begin(), entries.end(), c.Id) == entries.end()) {
            Fill(menu, c.Id);
            FillAfter(menu, c.Id, entries);
        }
}
