// The six linked spin editors of the current colour: red, green and blue 0..255, and hue,
// saturation and luminance 0..240. Typing into one group changes the colour, and the other
// group follows; the group typed into keeps the values the user left in it, even where
// converting the new colour back would give other numbers.
#pragma once
#include "colour/ColorModel.h"
#include "NotationEdits.h"
#include "Spin.h"
#include <array>
#include <string>

class TColorEditors {
public:
    explicit TColorEditors(TColorModel& model) : FModel(model) {}
    // R, G, B, H, S, L; their changes reach the model from now on.
    void Attach(const std::array<TSpinEdit*, 6>& editors);
    // The model's colour, in every group but the one being typed into.
    void Show(TColor c);
    std::array<int, 6> Values() const;
    // Puts values back as they were shown, without changing the colour.
    void SetValues(const std::array<int, 6>& values);

private:
    void ShowRGB(TColor c);
    void ShowHSL(TColor c);
    void ModifyRGB();
    void ModifyHSL();
    TColorModel& FModel;
    std::array<TSpinEdit*, 6> FEditors{};
    // Set while a group's values are written or typed: each set that changes an editor's text
    // runs its change handler at once, which the flag turns away; otherwise the first set would
    // rebuild the colour from a new red and the old green and blue.
    bool FUpdatingRGB = false;
    bool FUpdatingHSL = false;
};

// What the window shows of a colour, to be put back when a keyboard pick is cancelled: the
// editors keep values the user typed even where they differ from the swatch's colour.
struct TShownColor {
    TColor Color = clWhite;
    TColorSource Source = TColorSource::Start;
    std::array<int, 6> Editors{};
    TNotationEdits::TTexts Notations;
    std::wstring Status;
};
