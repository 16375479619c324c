#pragma once

// The HSL conversion of the colour editors, in the 0..240 scale of the standard colour
// dialog. Never instantiated.
class TVop {
public:
    TVop() = delete;

    // RGB channels 0..255 to hue, saturation and luminance 0..240 (hue 0 and 240 are both
    // red). Never throws; an arithmetic fault ends the conversion with the outputs as far as
    // they were written (all three are zeroed first).
    static void RGBToHSL(int R, int G, int B, int& H, int& S, int& L);

    // Hue, saturation and luminance to RGB 0..255. Any input outside 0..240 gives black.
    static void HSLToRGB(int H, int S, int L, int& R, int& G, int& B);
};
