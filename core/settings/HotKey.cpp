#include "HotKey.h"

#include "../util/TextUtil.h"

namespace {

struct TModifierName {
    const char* Name;
    unsigned Bit;
};

// In the order the text puts them.
const TModifierName kModifierNames[] = {
    {"Ctrl", kHotKeyCtrl}, {"Alt", kHotKeyAlt}, {"Shift", kHotKeyShift}, {"Win", kHotKeyWin}};

constexpr unsigned kFunctionKeys = 24;

char UpperCase(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

bool SameText(const std::string& A, const char* B) {
    std::size_t I = 0;
    for (; I < A.size() && B[I] != '\0'; ++I)
        if (UpperCase(A[I]) != UpperCase(B[I])) return false;
    return I == A.size() && B[I] == '\0';
}

// The bit of a modifier's name, or 0.
unsigned ModifierFromName(const std::string& Name) {
    for (const TModifierName& Modifier : kModifierNames)
        if (SameText(Name, Modifier.Name)) return Modifier.Bit;
    return 0;
}

bool IsLetterOrDigit(unsigned Key) {
    return (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9');
}

// The code of a key's name, or 0. "F1".."F24" without leading zeros.
unsigned KeyFromName(const std::string& Name) {
    if (Name.size() == 1) {
        const unsigned Key = static_cast<unsigned char>(UpperCase(Name[0]));
        return IsLetterOrDigit(Key) ? Key : 0;
    }
    if (Name.size() > 3 || UpperCase(Name[0]) != 'F' || Name[1] < '1' || Name[1] > '9') return 0;
    unsigned Number = static_cast<unsigned>(Name[1] - '0');
    if (Name.size() == 3) {
        if (Name[2] < '0' || Name[2] > '9') return 0;
        Number = Number * 10 + static_cast<unsigned>(Name[2] - '0');
    }
    return Number <= kFunctionKeys ? kKeyF1 + Number - 1 : 0;
}

// The name of a key code, or the empty text.
std::string KeyName(unsigned Key) {
    if (IsLetterOrDigit(Key)) return std::string(1, static_cast<char>(Key));
    if (Key >= kKeyF1 && Key < kKeyF1 + kFunctionKeys)
        return "F" + std::to_string(Key - kKeyF1 + 1);
    return std::string();
}

// A letter or a digit registered with no modifier, or with Shift alone, would no longer reach
// any program as typed text.
bool LeavesTypingAlone(const THotKey& HotKey) {
    return !IsLetterOrDigit(HotKey.Key) ||
           (HotKey.Modifiers & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin)) != 0;
}

}  // namespace

bool ParseHotKey(const std::string& Text, THotKey& Out) {
    std::string Compact;
    for (char C : TextUtil::Trim(Text))
        if (C != ' ' && C != '\t') Compact += C;
    if (Compact.empty()) {
        Out = THotKey();
        return true;
    }
    THotKey Parsed;
    std::size_t Start = 0;
    for (;;) {
        const std::size_t Plus = Compact.find('+', Start);
        const std::string Name = Compact.substr(Start, Plus - Start);
        if (Plus == std::string::npos) {
            Parsed.Key = KeyFromName(Name);
            break;
        }
        const unsigned Bit = ModifierFromName(Name);
        if (Bit == 0 || (Parsed.Modifiers & Bit) != 0) return false;
        Parsed.Modifiers |= Bit;
        Start = Plus + 1;
    }
    if (Parsed.Key == 0 || !LeavesTypingAlone(Parsed)) return false;
    Out = Parsed;
    return true;
}

THotKey HotKeyFromValue(const std::string& Value) {
    THotKey HotKey;
    return ParseHotKey(Value, HotKey) ? HotKey : kDefaultHotKey;
}

std::string HotKeyText(const THotKey& HotKey) {
    const std::string Key = KeyName(HotKey.Key);
    if (Key.empty() || !LeavesTypingAlone(HotKey)) return std::string();
    std::string Text;
    for (const TModifierName& Modifier : kModifierNames)
        if ((HotKey.Modifiers & Modifier.Bit) != 0) Text += std::string(Modifier.Name) + "+";
    return Text + Key;
}
