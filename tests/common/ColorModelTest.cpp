// The current colour and the views that follow it. Pure code: runs in the Linux and the
// Windows build.
#include "colour/ColorModel.h"

#include <gtest/gtest.h>

#include <string>

TEST(TColorModel, EverySetReachesEveryListenerInOrderEvenWhenTheColourStays) {
    TColorModel model;
    EXPECT_EQ(model.Color(), MakeColor(255, 255, 255)) << "white before anything else";
    EXPECT_EQ(model.Source(), TColorSource::Start);
    std::string heard;
    model.Listen([&](TColor c, TColorSource) { heard += "a" + std::to_string(RedOf(c)); });
    model.Listen([&](TColor, TColorSource s) { heard += "b" + std::to_string(static_cast<int>(s)); });
    // A listener that sets the model again sees the colour it set, and so do those after it.
    model.Listen([&](TColor c, TColorSource s) {
        if (RedOf(c) == 7) model.Set(MakeColor(8, 0, 0), s);
    });
    model.Set(MakeColor(5, 0, 0), TColorSource::Pasted);
    model.Set(MakeColor(5, 0, 0), TColorSource::Picked);
    EXPECT_EQ(heard, "a5b3a5b2");
    heard.clear();
    model.Set(MakeColor(7, 0, 0), TColorSource::Typed);
    EXPECT_EQ(heard, "a7b1a8b1");
    EXPECT_EQ(model.Color(), MakeColor(8, 0, 0));
    EXPECT_EQ(model.Source(), TColorSource::Typed);
}
