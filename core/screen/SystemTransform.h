#pragma once

#ifdef _WIN32

#include "ColorProfile.h"

#include <cstdint>
#include <string>
#include <vector>

// The system's colour engine, for monitor profiles that Read cannot use (look-up tables):
// the device profile's bytes into Target, relative colorimetric, over the grid of
// TColorTable. False, with Outputs untouched, when the engine is missing or refuses the
// profile. Defined in core/win.
bool SystemTable(const std::string& DeviceProfile, ColorProfile::TSpace Target,
                 std::vector<std::uint16_t>& Outputs);

#endif
