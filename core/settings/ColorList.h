#pragma once

#include "SettingsText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The saved colours of the store as the lists show them, kept in one block of text: 100 000
// entries take the bytes of their lines and 12 more for each, where a TColorEntry for each took
// some 200. An entry is taken apart when it is asked for.
class TColorList {
public:
    TColorList() = default;
    // Lines: "key=value" lines, each followed by a NUL (TIniFile::ReadSectionBlock). The lines
    // whose colour does not convert are left out, as ParseColorLine leaves them out.
    explicit TColorList(std::string Lines);

    std::size_t Count() const { return FRows.size(); }
    TColor Color(std::size_t Index) const { return FRows[Index].Color; }
    std::string Key(std::size_t Index) const;
    std::string ColorText(std::size_t Index) const;
    std::string TimeText(std::size_t Index) const;
    std::string Comment(std::size_t Index) const;
    // The whole entry, as ParseColorLine gives it.
    SettingsText::TColorEntry Entry(std::size_t Index) const;

private:
    struct TRow {
        std::uint32_t Line, Value;  // where the line and its value start in the block
        TColor Color;
    };
    std::string Value(std::size_t Index) const { return FLines.c_str() + FRows[Index].Value; }
    std::string FLines;
    std::vector<TRow> FRows;
};
