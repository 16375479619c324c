#include "TrueColor.h"
#include "screen/SystemTransform.h"
#include "Texts.h"
#include <algorithm>
#include <optional>

namespace {
#define QUILLORA_SPACE_TARGET(file, name, text, target) target,
constexpr std::optional<ColorProfile::TSpace> kTargets[] = {QUILLORA_COLOR_SPACES(QUILLORA_SPACE_TARGET)};
#undef QUILLORA_SPACE_TARGET

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
    reinterpret_cast<std::vector<HMONITOR>*>(lp)->push_back(monitor);
    return TRUE;
}

// Every target or none: a monitor is converted by one engine whatever the target. The
// monitor's own values get the identity, never used.
bool SystemTables(const std::string& bytes, std::vector<ColorProfile::TColorTable>& into) {
    std::vector<ColorProfile::TColorTable> tables;
    for (const std::optional<ColorProfile::TSpace>& target : kTargets) {
        std::vector<std::uint16_t> outputs;
        if (target && !SystemTable(bytes, *target, outputs)) return false;
        tables.emplace_back(std::move(outputs));
    }
    into = std::move(tables);
    return true;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

void TTrueColor::SetSpace(int space) {
    FSpace = std::clamp(space, 0, kSpaceCount - 1);
    Refresh();
}

void TTrueColor::Refresh() {
    RefreshProfiles();
    // The registry once; HDR, the one condition of a monitor's own, for each.
    FConditions = ScreenConditions::ReadConditions(nullptr);
    for (TMonitor& m : FMonitors) {
        m.Hdr = ScreenConditions::ReadHdr(m.Handle) == ScreenConditions::TState::On;
        if (m.Hdr) FConditions.Hdr = ScreenConditions::TState::On;
    }
    FSuffix.clear();
    if (FSpace != Native) {
        const std::string name = ColorProfile::SpaceName(*kTargets[FSpace]);
        FSuffix = L"  " + std::wstring(name.begin(), name.end());
        FSrgb = ColorProfile::TConverter::FromSrgb(*kTargets[FSpace]);
    }
    FSuffix += ConditionsNote(ScreenConditions::Holding(FConditions));
}

void TTrueColor::RefreshProfiles() {
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&handles));
    const bool known = FMonitors.size() == handles.size() &&
                       std::equal(handles.begin(), handles.end(), FMonitors.begin(),
                                  [](HMONITOR h, const TMonitor& m) { return h == m.Handle; });
    if (!known) {
        FMonitors.clear();
        for (HMONITOR handle : handles) {
            TMonitor& m = FMonitors.emplace_back(handle);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(handle, &info)) m.Bounds = info.rcMonitor;
        }
    }
    // No message comes when a monitor's profile is replaced: each is looked up every time.
    for (TMonitor& m : FMonitors) {
        TProfileStamp stamp = m.Source.Stamp();
        if (!m.Loaded || stamp != m.Stamp) Load(m, std::move(stamp));
    }
}

// A profile that cannot be read or used leaves the monitor counting as sRGB. A file replaced
// while it is read has another stamp by the next look-up, which reads it again.
void TTrueColor::Load(TMonitor& m, TProfileStamp stamp) {
    ++FProfileLoads;
    m.Loaded = true;
    m.Stamp = std::move(stamp);
    m.ProfileName = FileNameOf(m.Stamp.Path);
    m.Tables.clear();
    std::string bytes, reason;
    TProfileReason why;
    ColorProfile::TProfile profile;
    bool lutBased = false;
    const bool read = ReadProfileFile(m.Stamp.Path, bytes, why);
    m.Usable = read && ColorProfile::Read(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                          profile, reason, &lutBased);
    if (read && !m.Usable && lutBased) m.Usable = SystemTables(bytes, m.Tables);
    for (int i = 0; i < kSpaceCount; ++i)
        if (kTargets[i])
            m.Converters[i] = m.Usable && m.Tables.empty() ? ColorProfile::TConverter(profile, *kTargets[i])
                                                           : ColorProfile::TConverter::FromSrgb(*kTargets[i]);
}

const TTrueColor::TMonitor* TTrueColor::MonitorAt(HMONITOR monitor) const {
    for (const TMonitor& m : FMonitors)
        if (m.Handle == monitor) return &m;
    return nullptr;
}

// From the rectangles read with the profiles: asking the system for the monitor of each pick
// costs more than the conversion (under Wine a round trip to its server).
const TTrueColor::TMonitor* TTrueColor::MonitorAt(POINT p) const {
    for (const TMonitor& m : FMonitors)
        if (PtInRect(&m.Bounds, p)) return &m;
    return nullptr;
}

TColor TTrueColor::Convert(TColor device, POINT p) const {
    if (FSpace == Native) return device;
    const TMonitor* m = MonitorAt(p);
    if (m && m->Hdr) return device;
    if (!m) return FSrgb.Convert(device);
    return m->Tables.empty() ? m->Converters[FSpace].Convert(device) : m->Tables[FSpace].Convert(device);
}

std::vector<std::wstring> TTrueColor::InfoLines(HWND window) const {
    std::vector<std::wstring> lines;
    const TMonitor* m = MonitorAt(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    if (!m || m->ProfileName.empty()) lines.push_back(Text(TTextId::ProfileNone));
    else if (!m->Usable) lines.push_back(Text(TTextId::ProfileUnusable, m->ProfileName));
    else lines.push_back(Text(TTextId::Profile, m->ProfileName));
    ScreenConditions::TConditions c = FConditions;
    c.Hdr = m && m->Hdr ? ScreenConditions::TState::On : ScreenConditions::TState::Off;
    for (ScreenConditions::TCondition holds : ScreenConditions::Holding(c)) lines.push_back(ConditionLine(holds));
    return lines;
}
