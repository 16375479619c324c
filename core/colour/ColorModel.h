#pragma once

#include "../../base/Color.h"

#include <functional>
#include <utility>
#include <vector>

// Where the current colour came from.
enum class TColorSource {
    Start,   // white, before anything else
    Typed,   // the RGB or HSL editors
    Picked,  // a pick from the screen or the magnifier
    Pasted,  // the clipboard's text
    Dialog,  // the colour dialog or a saved colour
};

// What a pick reads and takes: the screen point, the colour the screen holds there (one pixel
// or the mean of the sampled square) and the colour the pick makes current. The two colours
// are the same today; keeping both lets a later step convert the one into the other.
struct TPickSample {
    int X = 0, Y = 0;
    TColor Device = 0;
    TColor Color = 0;
};

// The current colour. Every view that shows it listens and follows; nothing reads the colour
// back from a control. Each Set tells every listener, in the order they came, even when the
// colour stays the same: a view may show the same colour differently than before (the HSL
// editors after the user typed values that convert back to other numbers).
class TColorModel {
public:
    using TListener = std::function<void(TColor Color, TColorSource Source)>;

    TColor Color() const { return FColor; }
    TColorSource Source() const { return FSource; }

    void Set(TColor Color, TColorSource Source) {
        FColor = Color;
        FSource = Source;
        for (const TListener& listener : FListeners) listener(FColor, FSource);
    }
    void Listen(TListener Listener) { FListeners.push_back(std::move(Listener)); }

private:
    TColor FColor = MakeColor(255, 255, 255);
    TColorSource FSource = TColorSource::Start;
    std::vector<TListener> FListeners;
};
