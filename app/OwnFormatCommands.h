// The own formats in the menus: their entries under "复制为" and "取色后复制", Ctrl+8 and Ctrl+9,
// the dialog that edits them, and the copy after picks that follows one of them.
#pragma once
#include "Commands.h"
#include "Options.h"
#include "settings/Settings.h"
#include <functional>

class TOwnFormatCommands {
public:
    TOwnFormatCommands(TCommandTable& commands, TOptions& options, std::function<TColor()> color)
        : FCommands(commands), FOptions(options), FColor(std::move(color)) {}
    // Their rows under "复制为" (after the built-in ones), under "取色后复制", and the keys.
    void AddCopyAs();
    void AddAutoCopy();
    void AddKeys();
    // The list again from the file, as the colour menu opens.
    void Reread() { FFormats = TSettings::ReadFormats(); }
    const TSettings::TFormatList& List() const { return FFormats; }
    bool Owns(int command) const;
    // Copies format Index (read again from the file first when Fresh); beyond the list nothing.
    void Copy(size_t index, bool fresh);
    // After a pick: the format "取色后复制" names, read again from the file, if it names one.
    void CopyAfterPick();

private:
    std::wstring Caption(size_t index) const;
    void Edit();
    int AutoCopy() const { return FOptions.Get(SettingsTable::TSettingId::AutoCopy); }
    TCommandTable& FCommands;
    TOptions& FOptions;
    std::function<TColor()> FColor;
    TSettings::TFormatList FFormats;
    std::vector<TCommandId> FRows;
};
