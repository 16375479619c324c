#include "Options.h"

std::array<int, SettingsTable::kSettingCount> TOptions::Defaults() {
    std::array<int, SettingsTable::kSettingCount> values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = SettingsTable::kSettings[i].Default;
    return values;
}

void TOptions::Load(const TSettings::TValues* read) {
    for (size_t i = 0; i < FValues.size(); ++i) {
        const auto id = static_cast<TSettingId>(i);
        if (read) FValues[i] = read->Get(id);
        if (FApply[i] && FValues[i] != SettingsTable::kSettings[i].Default) FApply[i](FValues[i]);
    }
}

void TOptions::Set(TSettingId id, int value) {
    if (value != Get(id)) Write(id, value);
}

void TOptions::Write(TSettingId id, int value) {
    FValues[Index(id)] = value;
    if (FApply[Index(id)]) FApply[Index(id)](value);
    if (OnChanged) OnChanged();
    TSettings::Set(id, value);
}
