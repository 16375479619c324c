#pragma once

#include <cstddef>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

// What sits between programs and the screen and alters the colours a pick reads: colour
// filters, the magnifier's inversion, Night light and HDR. Which of them hold is worked out
// here (the app makes the menu's and the status bar's texts of it); reading the conditions is
// the Windows part's job.
namespace ScreenConditions {

enum class TState { Off, On, Unknown };

struct TConditions {
    // Colour filters: HKCU\Software\Microsoft\ColorFiltering, Active (DWORD) = 1 and
    // FilterType (DWORD): 0 greyscale, 1 inverted, 2 greyscale inverted, 3..5 colour-blindness.
    TState Filter = TState::Off;
    int FilterType = -1;
    // HKCU\Software\Microsoft\ScreenMagnifier: RunningState = 1 and Invert = 1.
    TState MagnifierInvert = TState::Off;
    // Decoded from the Night-light state value (NightLightFromBlob).
    TState NightLight = TState::Off;
    // Advanced colour on the monitor of the point.
    TState Hdr = TState::Off;

    // The inverted filter is the one the program can undo exactly: 255 - x per channel.
    bool UndoesInversion() const;
};

// Night light from the bytes of its state value. On when the state record holds field 0,
// Off when it does not, Unknown when the bytes do not decode. Reads only Data[0..Size) and
// does work in proportion to Size.
TState NightLightFromBlob(const unsigned char* Data, std::size_t Size);

// A condition that holds, for the menu's information lines and the status bar's warning.
// ROW(condition, the name of its menu line in the program's table of texts, the name of its
// short name in the status bar's warning).
#define QUILLORA_CONDITIONS(ROW)                                                    \
    ROW(InversionUndone, ConditionInversionUndone, ConditionNameInversionUndone)    \
    ROW(ColorFilter, ConditionColorFilter, ConditionNameColorFilter)                \
    ROW(MagnifierInvert, ConditionMagnifierInvert, ConditionNameMagnifierInvert)    \
    ROW(NightLight, ConditionNightLight, ConditionNameNightLight)                   \
    ROW(Hdr, ConditionHdr, ConditionNameHdr)

#define QUILLORA_CONDITION_VALUE(condition, ...) condition,
enum class TCondition { QUILLORA_CONDITIONS(QUILLORA_CONDITION_VALUE) };
#undef QUILLORA_CONDITION_VALUE

// The conditions that hold, in the order the menu and the status bar give them; Unknown is
// not holding.
std::vector<TCondition> Holding(const TConditions& C);

#ifdef _WIN32
// The conditions now, for the monitor a pick is on (no monitor: HDR is left Off). Defined in
// the Windows part of core.
TConditions ReadConditions(HMONITOR Monitor);
// Advanced colour (HDR) on one monitor: the only condition that differs between monitors.
TState ReadHdr(HMONITOR Monitor);
#endif

}  // namespace ScreenConditions
