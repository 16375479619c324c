// "最近的颜色": the colours taken most recently, newest first, in the colour menu with a swatch
// each. Every finished pick, paste, dialog's colour and choice from the list enters it; the
// list lives in memory, and in the settings file too while "保留到下次启动" is on.
#pragma once
#include "Commands.h"
#include "Options.h"
#include "settings/Settings.h"
#include <functional>

class TRecentMenu {
public:
    // Choose: an entry was chosen; its colour becomes the current colour.
    TRecentMenu(TCommandTable& commands, TOptions& options, std::function<void(TColor)> choose)
        : FCommands(commands), FOptions(options), FChoose(std::move(choose)) {}
    // The submenu's rows: the colours, "（无）", a line, "保留到下次启动" and "清除".
    void AddCommands();
    // Start-up: the kept list read, when it is kept.
    void Start();
    // A colour taken: to the top. Costs no file access unless the list is kept.
    void Add(TColor color);
    const TRecentColors& List() const { return FList; }
    // The swatches' size for the menu about to open (16 pixels at 96 DPI, scaled).
    void SetSwatchSize(int size) { FSwatchSize = size; }

private:
    bool Kept() const { return FOptions.Get(SettingsTable::TSettingId::KeepRecent) != 0; }
    void Changed();
    TCommandTable& FCommands;
    TOptions& FOptions;
    std::function<void(TColor)> FChoose;
    TRecentColors FList;
    int FSwatchSize = 16;
    bool FStarted = false;
    bool FWriteFailed = false;
};
