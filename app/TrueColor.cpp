#include "TrueColor.h"
#include "MonitorProfile.h"
#include <algorithm>

namespace {
constexpr ColorProfile::TSpace kTargets[] = {ColorProfile::TSpace::Srgb, ColorProfile::TSpace::P3,
                                             ColorProfile::TSpace::AdobeRgb};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
    reinterpret_cast<std::vector<HMONITOR>*>(lp)->push_back(monitor);
    return TRUE;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

void TTrueColor::SetSpace(int space) {
    FSpace = std::clamp(space, 0, 3);
    Refresh();
}

void TTrueColor::Refresh() {
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&handles));
    const bool known = FMonitors.size() == handles.size() &&
                       std::equal(handles.begin(), handles.end(), FMonitors.begin(),
                                  [](HMONITOR h, const TMonitor& m) { return h == m.Handle; });
    if (!known) {
        FMonitors.clear();
        for (HMONITOR handle : handles) {
            TMonitor& m = FMonitors.emplace_back();
            m.Handle = handle;
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(handle, &info)) m.Bounds = info.rcMonitor;
            const std::wstring path = MonitorProfilePath(handle);
            m.ProfileName = FileNameOf(path);
            std::string bytes, reason;
            ColorProfile::TProfile profile;
            m.Usable = !path.empty() && ReadProfileFile(path, bytes, reason) &&
                       ColorProfile::Read(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                          profile, reason);
            for (int i = 0; i < 3; ++i)
                m.Converters[i] = m.Usable ? ColorProfile::TConverter(profile, kTargets[i])
                                           : ColorProfile::TConverter::FromSrgb(kTargets[i]);
        }
    }
    FConditions = {};
    for (TMonitor& m : FMonitors) {
        const ScreenConditions::TConditions c = ScreenConditions::ReadConditions(m.Handle);
        m.Hdr = c.Hdr == ScreenConditions::TState::On;
        FConditions = c;  // the same for every monitor but HDR
        if (m.Hdr) FConditions.Hdr = ScreenConditions::TState::On;
    }
    FSuffix.clear();
    if (FSpace != Native) {
        const std::string name = ColorProfile::SpaceName(kTargets[FSpace - 1]);
        FSuffix = L"  " + std::wstring(name.begin(), name.end());
        FSrgb = ColorProfile::TConverter::FromSrgb(kTargets[FSpace - 1]);
    }
    FSuffix += ScreenConditions::StatusSuffix(FConditions);
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
    return m ? m->Converters[FSpace - 1].Convert(device) : FSrgb.Convert(device);
}

std::vector<std::wstring> TTrueColor::InfoLines(HWND window) const {
    std::vector<std::wstring> lines;
    const TMonitor* m = MonitorAt(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    if (!m || m->ProfileName.empty()) lines.push_back(L"配置文件：无（按 sRGB）");
    else if (!m->Usable) lines.push_back(L"配置文件：无法使用 " + m->ProfileName + L"（按 sRGB）");
    else lines.push_back(L"配置文件：" + m->ProfileName);
    ScreenConditions::TConditions c = FConditions;
    c.Hdr = m && m->Hdr ? ScreenConditions::TState::On : ScreenConditions::TState::Off;
    for (std::wstring& line : ScreenConditions::Lines(c)) lines.push_back(std::move(line));
    return lines;
}
