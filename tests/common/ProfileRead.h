#pragma once

#include <string>

// A value as the Windows profile functions give it back: the blanks (spaces and tabs) around
// it dropped, then one pair of enclosing quotation marks, double or single.
inline std::string ProfileRead(std::string Value) {
    while (!Value.empty() && (Value.back() == ' ' || Value.back() == '\t')) Value.pop_back();
    while (!Value.empty() && (Value[0] == ' ' || Value[0] == '\t')) Value.erase(0, 1);
    const bool Quoted =
        Value.size() > 1 && Value[0] == Value.back() && (Value[0] == '"' || Value[0] == '\'');
    return Quoted ? Value.substr(1, Value.size() - 2) : Value;
}
