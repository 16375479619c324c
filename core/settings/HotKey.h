#pragma once

#include <string>

// The system-wide key that starts a pick, and its text in the settings file: modifiers joined
// by "+", then one key, as in "Ctrl+Alt+P" or "Shift+F12".

// Modifier bits and key codes with the values RegisterHotKey takes, so a THotKey passes to it
// unchanged; the core keeps its own names for them because it includes no Windows header.
constexpr unsigned kHotKeyAlt = 0x1;
constexpr unsigned kHotKeyCtrl = 0x2;
constexpr unsigned kHotKeyShift = 0x4;
constexpr unsigned kHotKeyWin = 0x8;
constexpr unsigned kKeyF1 = 0x70;  // F1..F24 are 0x70..0x87; letters and digits are their
                                   // upper-case character codes

struct THotKey {
    unsigned Modifiers = 0;  // kHotKeyAlt | kHotKeyCtrl | kHotKeyShift | kHotKeyWin
    unsigned Key = 0;        // 'A'..'Z', '0'..'9' or kKeyF1..kKeyF1 + 23; 0 for no hot key
};

constexpr bool operator==(const THotKey& A, const THotKey& B) {
    return A.Modifiers == B.Modifiers && A.Key == B.Key;
}
constexpr bool operator!=(const THotKey& A, const THotKey& B) { return !(A == B); }

constexpr THotKey kDefaultHotKey = {kHotKeyCtrl | kHotKeyAlt, 'P'};

// Reads "Ctrl", "Alt", "Shift", "Win" (each at most once, in any order) joined by "+", then
// the key "A".."Z", "0".."9" or "F1".."F24", which comes last. Case does not matter; spaces
// and tabs anywhere, and control characters at either end, are ignored. A letter or digit
// needs Ctrl, Alt or Win with it: alone or with Shift alone it would take that character
// away from typing in every program. The empty text gives Key 0 (no hot key). False for
// anything else, leaving Out alone.
bool ParseHotKey(const std::string& Text, THotKey& Out);

// The [VOP] "hotkey" value: what ParseHotKey reads, kDefaultHotKey when it reads nothing.
THotKey HotKeyFromValue(const std::string& Value);

// The text in the order Ctrl+Alt+Shift+Win+Key, which ParseHotKey reads back as the same
// hot key. Empty for Key 0 and for any hot key ParseHotKey would not give; modifier bits
// other than the four are left out.
std::string HotKeyText(const THotKey& HotKey);
