// The hot key's text as the settings file holds it. Pure code: runs in the Linux and the
// Windows build.
#include "settings/HotKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(HotKey, TextsReadAsTheirCanonicalFormNoneOrTheDefault) {
    const std::pair<std::string, const char*> kCases[] = {  // nullptr: unreadable, the default
        {"alt+ctrl+p", "Ctrl+Alt+P"}, {" Win + shift +\tF12\r\n", "Shift+Win+F12"},
        {"C t r l+A", "Ctrl+A"},      {"Ctrl+Alt+Shift+Win+9", "Ctrl+Alt+Shift+Win+9"},
        {"F24", "F24"},           {"", ""},              {" \t\r\n", ""},
        {"P", nullptr},           {"Shift+7", nullptr},  // would swallow typed text
        {"Ctrl+Ctrl+P", nullptr}, {"Ctrl+Alt", nullptr}, {"P+Ctrl", nullptr}, {"Ctrl+P+Q", nullptr},
        {"Ctrl++P", nullptr},     {"Ctrl+", nullptr},    {"Ctrl+F0", nullptr}, {"Ctrl-P", nullptr},
        {"Ctrl+F01", nullptr},    {"Ctrl+F25", nullptr}, {"Ctrl+PP", nullptr},
        {"Control+P", nullptr},   {"Ctrl+\0P"s, nullptr}, {"Alt+\xC4", nullptr},
    };
    for (const auto& [text, canonical] : kCases) {
        THotKey key{99, 99};
        EXPECT_EQ(ParseHotKey(text, key), canonical != nullptr) << "[" << text << "]";
        EXPECT_EQ(HotKeyText(key), canonical ? canonical : "") << "[" << text << "]";
        EXPECT_TRUE(canonical || key == (THotKey{99, 99})) << "[" << text << "] changed the key";
        EXPECT_EQ(HotKeyFromValue(text), canonical ? key : kDefaultHotKey) << "[" << text << "]";
    }
    EXPECT_EQ(HotKeyFromValue("Shift+Win+F12"), (THotKey{0xC, 0x7B}));  // the system's codes
}

// Every hot key the text can hold reads back from its text; every other prints as empty.
TEST(HotKey, PrintedTextReadsBackAsTheSameKey) {
    for (unsigned key = 0; key < 0x100; ++key)
        for (unsigned modifiers = 0; modifiers < 16; ++modifiers) {
            const bool typed = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
            const bool valid =
                (key >= 0x70 && key <= 0x87) || (typed && (modifiers & ~kHotKeyShift));
            const THotKey hotKey{modifiers, key};
            THotKey read;
            const std::string text = HotKeyText(hotKey);
            EXPECT_EQ(text.empty(), !valid) << modifiers << "+" << key << ": " << text;
            EXPECT_TRUE(!valid || (ParseHotKey(text, read) && read == hotKey)) << text;
        }
}

}  // namespace
