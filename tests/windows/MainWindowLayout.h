// Where the main window's design puts every control, written out here so that a wrong figure
// in the window fails, and the check that holds a window against it at any DPI.
#pragma once
#include "MainForm.h"
#include <gtest/gtest.h>
#include <string>

namespace MainWindowLayout {
inline RECT RectInParent(const TControl& c) {
    if (!c.Handle()) return c.BoundsRect();
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// At 96 DPI: parent ("" for the form), left, top, width (0: the control sizes itself to its
// text), height, tag, and for the spin editors their range.
struct TPlaced {
    const char* name;
    const char* parent;
    int left, top, width, height, tag;
    int minValue = 0, maxValue = 0;  // a spin editor has a range, no other control has one
};

inline const TPlaced kMainWindowControls[] = {
    // name            parent     left  top width height tag min  max
    {"chkStayOnTop",   "",           8,  10,  76,  17, 0},
    {"cboZoom",        "",          91,   8, 103,  21, 0},
    {"btnMenu",        "",         198,   7,  43,  23, 0},
    {"pnlDrag2",       "",           8,  36,  38,  38, 0},
    {"imgDrag2",       "pnlDrag2",   3,   3,  32,  32, 0},
    {"pnlColor",       "",          50,  36, 149,  38, 0},
    {"shpColor",       "pnlColor",   1,   1, 147,  36, 0},
    {"pnlDrag",        "",         203,  36,  38,  38, 0},
    {"imgDrag",        "pnlDrag",    3,   3,  32,  32, 0},
    {"pnlZoom",        "",           8,  80, 233,  98, 0},
    {"imgZoom",        "pnlZoom",    1,   1, 231,  96, 0},
    {"imgZoomCursor",  "pnlZoom",  194,  56,  32,  32, 0},
    {"bvlRgbFrame",    "",           8, 184, 233,  98, 0},
    {"lblR",           "",          17, 199,  11,  13, 0},
    {"spiR",           "",          31, 194,  90,  22, 0, 0, 255},
    {"lblG",           "",          17, 227,  11,  13, 0},
    {"spiG",           "",          31, 222,  90,  22, 0, 0, 255},
    {"lblB",           "",          17, 255,  10,  13, 0},
    {"spiB",           "",          31, 250,  90,  22, 0, 0, 255},
    {"lblH",           "",         128, 199,  11,  13, 0},
    {"spiH",           "",         142, 194,  90,  22, 0, 0, 240},
    {"lblS",           "",         129, 227,  10,  13, 0},
    {"spiS",           "",         142, 222,  90,  22, 0, 0, 240},
    {"lblL",           "",         130, 255,   9,  13, 0},
    {"spiL",           "",         142, 250,  90,  22, 0, 0, 240},
    {"lblRGB",         "",           8, 294,   0,  13, 0},
    {"edtRGB",         "",          52, 290, 142,  21, 1},
    {"btnRGBCopy",     "",         198, 289,  43,  23, 1},
    {"lblDecimal",     "",           8, 321,   0,  13, 0},
    {"edtDecimal",     "",          52, 317, 142,  21, 2},
    {"btnDecimalCopy", "",         198, 316,  43,  23, 2},
    {"lblHex",         "",           8, 349,   0,  13, 0},
    {"edtHex",         "",          52, 345, 142,  21, 3},
    {"btnHexCopy",     "",         198, 344,  43,  23, 3},
    {"lblHtml",        "",           8, 376,   0,  13, 0},
    {"edtHtml",        "",          52, 372, 142,  21, 4},
    {"btnHtmlCopy",    "",         198, 371,  43,  23, 4},
    {"lblDelphi",      "",           8, 404,   0,  13, 0},
    {"edtDelphi",      "",          52, 400, 142,  21, 5},
    {"btnDelphiCopy",  "",         198, 399,  43,  23, 5},
    {"lblVB",          "",           8, 435,   0,  13, 0},
    {"edtVB",          "",          52, 427, 142,  21, 6},
    {"btnVBCopy",      "",         198, 426,  43,  23, 6},
    {"lblC",           "",           8, 459,   0,  13, 0},
    {"edtC",           "",          52, 455, 142,  21, 7},
    {"btnCCopy",       "",         198, 454,  43,  23, 7},
    {"stbStatus",     "",           0, 484, 249,  21, 0},
};

// The control stands where the row's figures times the DPI's scale put it (position and size
// each rounded to nearest), and lies inside its parent's client area.
inline void ExpectPlaced(const TForm& form, const TPlaced& row, int dpi = 96) {
    TControl* c = form.FindControl(row.name);
    ASSERT_NE(c, nullptr) << row.name;
    RECT r = RectInParent(*c);
    EXPECT_EQ(r.left, MulDiv(row.left, dpi, 96)) << row.name;
    EXPECT_EQ(r.top, MulDiv(row.top, dpi, 96)) << row.name;
    if (row.width > 0) EXPECT_EQ(r.right - r.left, MulDiv(row.width, dpi, 96)) << row.name;
    else EXPECT_GT(r.right - r.left, 0) << row.name << " sizes itself to its text";
    EXPECT_EQ(r.bottom - r.top, MulDiv(row.height, dpi, 96)) << row.name;
    EXPECT_EQ(c->Tag, row.tag) << row.name;
    EXPECT_EQ(c->Parent() == &form ? std::string() : c->Parent()->Name, row.parent) << row.name;
    auto* spin = dynamic_cast<TSpinEdit*>(c);
    EXPECT_EQ(spin != nullptr, row.maxValue > 0) << row.name << ": a spin editor has a range";
    if (spin) {
        EXPECT_EQ(spin->MinValue, row.minValue) << row.name;
        EXPECT_EQ(spin->MaxValue, row.maxValue) << row.name;
        EXPECT_FALSE(spin->EditorEnabled) << row.name;
    }
    RECT pc;
    GetClientRect(c->Parent()->Handle(), &pc);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= pc.right && r.bottom <= pc.bottom)
        << row.name << " lies inside its parent's client area";
}
}  // namespace MainWindowLayout
