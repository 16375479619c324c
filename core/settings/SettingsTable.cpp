#include "SettingsTable.h"

#include "../notation/OwnFormats.h"
#include "../util/TextUtil.h"

#include <cstdint>

namespace SettingsTable {

namespace {

bool IsChoice(const TSetting& Setting, int Value) {
    if (Setting.Choices.Count == 0) return true;
    for (int I = 0; I < Setting.Choices.Count; ++I)
        if (Setting.Choices.Values[I] == Value) return true;
    return false;
}

}  // namespace

int NumberFromValue(TSettingId Id, const std::string& Value) {
    const TSetting& Setting = Row(Id);
    const std::string Trimmed = TextUtil::Trim(Value);
    std::int32_t Number = 0;
    if (Setting.Type == Switch) {
        if (Trimmed == "0") return 0;
        if (Trimmed == "1") return 1;
        return Setting.Default;
    }
    int Own = 0;
    if (Id == TSettingId::AutoCopy && Trimmed.size() > 1 && (Trimmed[0] == 'f' || Trimmed[0] == 'F') &&
        OwnFormats::KeyNumber(std::string_view(Trimmed).substr(1), Own))
        return kOwnAutoCopy + Own;
    if (Setting.Type == Named) {
        for (int I = 0; I < Setting.Names.Count; ++I)
            if (TextUtil::SameText(Trimmed, Setting.Names.Names[I])) return I;
        return Setting.Default;
    }
    if (!TextUtil::TryStrToInt(Trimmed, Number) || Number < Setting.Min || Number > Setting.Max ||
        !IsChoice(Setting, Number))
        return Setting.Default;
    return Number;
}

std::string NumberValue(TSettingId Id, int Value) {
    const TSetting& Setting = Row(Id);
    if (Setting.Type == Switch) return Value != 0 ? "1" : "0";
    if (Id == TSettingId::AutoCopy && Value > kOwnAutoCopy) return "f" + std::to_string(Value - kOwnAutoCopy);
    if (Setting.Type == Named && Value >= 0 && Value < Setting.Names.Count) return Setting.Names.Names[Value];
    return std::to_string(Value);
}

std::string MissingValue(TSettingId Id) {
    return Row(Id).Type == Shortcut ? HotKeyText(kDefaultHotKey) : std::string();
}

}  // namespace SettingsTable
