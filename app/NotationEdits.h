// The seven notation edits of the current colour. Each edit's text, trimmed, is what its copy
// button and Ctrl key copy: a text the user typed there is copied as typed.
#pragma once
#include "Commands.h"
#include "notation/Notations.h"
#include "StdCtrls.h"
#include <array>
#include <functional>
#include <string>

class TNotationEdits {
public:
    static constexpr int kCount = Notations::kMainCount;
    using TTexts = std::array<std::wstring, kCount + 1>;  // indexed by notation number

    // Edit 1..7 in notation order; their changes are followed from now on.
    void Attach(const std::array<TEdit*, kCount>& edits);
    TEdit* Edit(int tag) const { return FEdits.at(static_cast<size_t>(tag)); }
    const std::string& Value(int tag) const { return FValues.at(static_cast<size_t>(tag)); }
    // All seven texts from one reading of the colour, without allocating. An edit that already
    // shows its text is left alone and reports no change.
    void Show(TColor c);
    TTexts Texts() const;
    void SetTexts(const TTexts& texts);
    // Notation Tag's text to the clipboard.
    void Copy(int tag) const;

    // The notations' entries: the eight more under "复制为" (each with its text for Color),
    // Ctrl+1..7, and "取色后复制"'s none and the seven.
    void AddCopyAs(TCommandTable& commands, std::function<TColor()> color) const;
    void AddKeys(TCommandTable& commands) const;
    static void AddAutoCopy(TCommandTable& commands);

private:
    void Changed(TEdit* edit);
    std::array<TEdit*, kCount + 1> FEdits{};
    std::array<std::string, kCount + 1> FValues;
};
