// The colour a pick takes from what the screen holds: in the monitor's own values, or
// converted through the monitor's colour profile into sRGB, Display P3 or Adobe RGB; and what
// alters the screen (colour filters, the magnifier's inversion, night light, HDR).
#pragma once
#include "settings/Choices.h"
#include "screen/ColorProfile.h"
#include "screen/ColorTable.h"
#include "screen/MonitorProfile.h"
#include "screen/ScreenConditions.h"
#include <windows.h>
#include <string>
#include <vector>

class TTrueColor {
public:
#define QUILLORA_SPACE_NAME(file, name, ...) name,
    enum TSpace { QUILLORA_COLOR_SPACES(QUILLORA_SPACE_NAME) kSpaceCount };  // as the setting numbers them
#undef QUILLORA_SPACE_NAME
    int Space() const { return FSpace; }
    void SetSpace(int space);

    // When a pick starts and when the menu opens: the conditions, and each monitor's profile
    // looked up (which file, its size and time), read again only where that changed. The
    // moves of a pick read no file and no registry value.
    void Refresh();
    // The monitors and their profiles alone, as Refresh looks them up.
    void RefreshProfiles();
    void DisplayChanged() { FMonitors.clear(); }
    // How many times a monitor's profile was read and its converters built.
    int ProfileLoads() const { return FProfileLoads; }

    // An inverted colour filter is undone, pixel by pixel, before any averaging.
    bool UndoesInversion() const { return FConditions.UndoesInversion(); }
    // The colour a pick at P takes of the screen's colour there (after the filter is undone).
    TColor Convert(TColor device, POINT p) const;
    // What the status adds after the position: the space and the warnings.
    const std::wstring& StatusSuffix() const { return FSuffix; }
    // The menu's information lines for the monitor holding Window: its profile, then one line
    // per condition that holds.
    std::vector<std::wstring> InfoLines(HWND window) const;

private:
    struct TMonitor {
        explicit TMonitor(HMONITOR handle) : Handle(handle), Source(handle) {}
        HMONITOR Handle;
        RECT Bounds{};
        TMonitorProfileSource Source;
        bool Loaded = false;
        TProfileStamp Stamp;       // of the profile the converters were built from
        std::wstring ProfileName;  // the file's name; empty: no profile
        bool Usable = false;       // a profile that could be read and used
        bool Hdr = false;          // advanced colour: picks are not converted there
        ColorProfile::TConverter Converters[kSpaceCount];  // the monitor's own values: unused
        // One per target when the profile is one only the system's engine reads; these then
        // convert instead of Converters.
        std::vector<ColorProfile::TColorTable> Tables;
    };
    void Load(TMonitor& m, TProfileStamp stamp);
    const TMonitor* MonitorAt(HMONITOR monitor) const;
    const TMonitor* MonitorAt(POINT p) const;
    int FSpace = Native;
    int FProfileLoads = 0;
    std::vector<TMonitor> FMonitors;
    ScreenConditions::TConditions FConditions;
    std::wstring FSuffix;
    ColorProfile::TConverter FSrgb;  // for a point on no monitor known
};
