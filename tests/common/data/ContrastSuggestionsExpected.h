// Written by ContrastSuggestionsExpected.mjs with colorjs.io 0.7.1: for each pair (colours as
// 0xRRGGBB) and opacity, the suggestion for one side and threshold: whether any lightness
// reaches it, the side's colour and the ratio it gives.
#pragma once

struct TExpectedSuggestion {
    unsigned Fore, Back;
    int Opacity;
    Contrast::TSide Side;
    int Target;
    bool Reachable;
    unsigned Color;
    int Ratio;
};

const TExpectedSuggestion kExpectedSuggestions[] = {
    {0x777777, 0xFFFFFF, 100, Contrast::TSide::Foreground, 450, true, 0x767676, 454},
    {0x777777, 0xFFFFFF, 100, Contrast::TSide::Foreground, 700, true, 0x595959, 700},
    {0x777777, 0xFFFFFF, 100, Contrast::TSide::Background, 450, true, 0x060606, 452},
    {0x777777, 0xFFFFFF, 100, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0xFF8000, 0xFFFFFF, 100, Contrast::TSide::Foreground, 450, true, 0xC45500, 451},
    {0xFF8000, 0xFFFFFF, 100, Contrast::TSide::Foreground, 700, true, 0x973D00, 703},
    {0xFF8000, 0xFFFFFF, 100, Contrast::TSide::Background, 450, true, 0x3A3A3A, 451},
    {0xFF8000, 0xFFFFFF, 100, Contrast::TSide::Background, 700, true, 0x181818, 705},
    {0x3366CC, 0x000000, 100, Contrast::TSide::Foreground, 450, true, 0x3D71D8, 455},
    {0x3366CC, 0x000000, 100, Contrast::TSide::Foreground, 700, true, 0x5C93FD, 704},
    {0x3366CC, 0x000000, 100, Contrast::TSide::Background, 450, true, 0xEBEBEB, 450},
    {0x3366CC, 0x000000, 100, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0x0000FF, 0x00FF00, 100, Contrast::TSide::Foreground, 450, true, 0x0000FF, 626},
    {0x0000FF, 0x00FF00, 100, Contrast::TSide::Foreground, 700, true, 0x0500E9, 701},
    {0x0000FF, 0x00FF00, 100, Contrast::TSide::Background, 450, true, 0x00FF00, 626},
    {0x0000FF, 0x00FF00, 100, Contrast::TSide::Background, 700, true, 0x9BFF93, 700},
    {0xE0115F, 0x808080, 100, Contrast::TSide::Foreground, 450, true, 0x39000E, 450},
    {0xE0115F, 0x808080, 100, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0xE0115F, 0x808080, 100, Contrast::TSide::Background, 450, true, 0xF9F9F9, 451},
    {0xE0115F, 0x808080, 100, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0x1A1A1A, 0xFAFAFA, 100, Contrast::TSide::Foreground, 450, true, 0x1A1A1A, 1667},
    {0x1A1A1A, 0xFAFAFA, 100, Contrast::TSide::Foreground, 700, true, 0x1A1A1A, 1667},
    {0x1A1A1A, 0xFAFAFA, 100, Contrast::TSide::Background, 450, true, 0xFAFAFA, 1667},
    {0x1A1A1A, 0xFAFAFA, 100, Contrast::TSide::Background, 700, true, 0xFAFAFA, 1667},
    {0x202020, 0x757474, 100, Contrast::TSide::Foreground, 450, true, 0x000000, 450},
    {0x202020, 0x757474, 100, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x202020, 0x757474, 100, Contrast::TSide::Background, 450, true, 0x888787, 454},
    {0x202020, 0x757474, 100, Contrast::TSide::Background, 700, true, 0xABAAAA, 703},
    {0x62727F, 0x757575, 100, Contrast::TSide::Foreground, 450, true, 0xF2FFFF, 450},
    {0x62727F, 0x757575, 100, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x62727F, 0x757575, 100, Contrast::TSide::Background, 450, true, 0xF4F4F4, 451},
    {0x62727F, 0x757575, 100, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0x2080FF, 0xFFFFFF, 60, Contrast::TSide::Foreground, 450, true, 0x001777, 450},
    {0x2080FF, 0xFFFFFF, 60, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x2080FF, 0xFFFFFF, 60, Contrast::TSide::Background, 450, false, 0x000000, 0},
    {0x2080FF, 0xFFFFFF, 60, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0xFFFFFF, 0x3366CC, 70, Contrast::TSide::Foreground, 450, false, 0x000000, 0},
    {0xFFFFFF, 0x3366CC, 70, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0xFFFFFF, 0x3366CC, 70, Contrast::TSide::Background, 450, true, 0x1E4FB3, 451},
    {0xFFFFFF, 0x3366CC, 70, Contrast::TSide::Background, 700, true, 0x002587, 700},
    {0xFDE7E8, 0xCD3442, 49, Contrast::TSide::Foreground, 450, false, 0x000000, 0},
    {0xFDE7E8, 0xCD3442, 49, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0xFDE7E8, 0xCD3442, 49, Contrast::TSide::Background, 450, false, 0x000000, 0},
    {0xFDE7E8, 0xCD3442, 49, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0x16A8DF, 0x0967C7, 100, Contrast::TSide::Foreground, 450, true, 0xBAF0FF, 450},
    {0x16A8DF, 0x0967C7, 100, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x16A8DF, 0x0967C7, 100, Contrast::TSide::Background, 450, true, 0x002D82, 453},
    {0x16A8DF, 0x0967C7, 100, Contrast::TSide::Background, 700, true, 0x000541, 701},
    {0x5FBAB8, 0xB3342C, 87, Contrast::TSide::Foreground, 450, true, 0xC0FFFF, 450},
    {0x5FBAB8, 0xB3342C, 87, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x5FBAB8, 0xB3342C, 87, Contrast::TSide::Background, 450, true, 0x680000, 451},
    {0x5FBAB8, 0xB3342C, 87, Contrast::TSide::Background, 700, true, 0x040000, 700},
    {0xD40525, 0x1CFB32, 85, Contrast::TSide::Foreground, 450, true, 0xD10023, 452},
    {0xD40525, 0x1CFB32, 85, Contrast::TSide::Foreground, 700, true, 0x8C0007, 700},
    {0xD40525, 0x1CFB32, 85, Contrast::TSide::Background, 450, true, 0xD0FFCD, 450},
    {0xD40525, 0x1CFB32, 85, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0xEBC3B8, 0xD52BB3, 57, Contrast::TSide::Foreground, 450, false, 0x000000, 0},
    {0xEBC3B8, 0xD52BB3, 57, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0xEBC3B8, 0xD52BB3, 57, Contrast::TSide::Background, 450, true, 0x14000F, 450},
    {0xEBC3B8, 0xD52BB3, 57, Contrast::TSide::Background, 700, false, 0x000000, 0},
    {0x119922, 0x552233, 0, Contrast::TSide::Foreground, 450, false, 0x000000, 0},
    {0x119922, 0x552233, 0, Contrast::TSide::Foreground, 700, false, 0x000000, 0},
    {0x119922, 0x552233, 0, Contrast::TSide::Background, 450, false, 0x000000, 0},
    {0x119922, 0x552233, 0, Contrast::TSide::Background, 700, false, 0x000000, 0},
};
