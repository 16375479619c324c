// The settings of [VOP] the user changes from the menus, each value with one owner: read once
// at start-up, then changed only through Set, which applies the value where it works, brings
// the menus up to date and writes the file. What a value does is given by the room it belongs
// to (OnApply); a command bound to a setting reads and sets it here.
#pragma once
#include "settings/Settings.h"
#include <array>
#include <functional>

class TOptions {
public:
    using TSettingId = SettingsTable::TSettingId;

    int Get(TSettingId id) const { return FValues[Index(id)]; }
    // What a value does, at start-up and at every change.
    void OnApply(TSettingId id, std::function<void(int)> apply) { FApply[Index(id)] = std::move(apply); }
    // After every change: the menus' check marks.
    std::function<void()> OnChanged;

    // Start-up: each value read (the defaults when nothing could be read); a value other than
    // its default is applied, as every room starts with the default in place.
    void Load(const TSettings::TValues* read);
    // The user chose Value: nothing when it stands already; else it is applied, the menus
    // follow, and it is written. A failed write throws (EIniFileException) and the value stays
    // for this run.
    void Set(TSettingId id, int value);
    // The main window's own controls (the stay-on-top box, the zoom list): applied, the menus
    // follow, and written, whether or not the value stands already. The box runs this at every
    // start, which puts the windows on top and creates the file on a first start; a failing
    // write still leaves the windows as the user asked.
    void Write(TSettingId id, int value);

private:
    static size_t Index(TSettingId id) { return static_cast<size_t>(id); }
    std::array<int, SettingsTable::kSettingCount> FValues = Defaults();
    std::array<std::function<void(int)>, SettingsTable::kSettingCount> FApply;
    static std::array<int, SettingsTable::kSettingCount> Defaults();
};
