// Written by VariationsExpected.mjs with colorjs.io 0.7.1: for each colour C and
// second colour D (used by the blend only), the swatches of a row, left to right, as RRGGBB.
#pragma once

struct TExpectedRow {
    TColor C, D;
    Variations::TRow Row;
    const char* Swatches;
};

const TExpectedRow kExpectedRows[] = {
    {0xFFC800, 0x000000, Variations::TRow::Shades,
     "000f16 003648 006380 0094be 00c8ff 63d4ff 91dfff b8eaff dcf5ff"},
    {0xFFC800, 0x000000, Variations::TRow::Complement,
     "00c8ff ff955e"},
    {0xFFC800, 0x000000, Variations::TRow::Analogous,
     "00d2d6 00c8ff 7bb8ff"},
    {0xFFC800, 0x000000, Variations::TRow::Triad,
     "00c8ff fa8cc9 c2bc35"},
    {0xFFC800, 0x000000, Variations::TRow::Split,
     "00c8ff ff8b94 eba82e"},
    {0xFFC800, 0x000000, Variations::TRow::Square,
     "00c8ff dc97f5 ff955e 88cc68"},
    {0xFFC800, 0xFFFFFF, Variations::TRow::Blend,
     "00c8ff 4dd0ff 70d7ff 8cdeff a5e5ff bdecff d3f2ff e9f9ff ffffff"},
    {0xFFC800, 0x5F11E0, Variations::TRow::Blend,
     "00c8ff 63b9ea 87aad6 9f9ac2 b289ae c1769a cd6087 d74573 e0115f"},
    {0x808080, 0x000000, Variations::TRow::Shades,
     "060606 1f1f1f 3d3d3d 5d5d5d 808080 989898 b1b1b1 cacaca e4e4e4"},
    {0x808080, 0x000000, Variations::TRow::Complement,
     "808080 808080"},
    {0x808080, 0x000000, Variations::TRow::Analogous,
     "808080 808080 808080"},
    {0x808080, 0x000000, Variations::TRow::Triad,
     "808080 808080 808080"},
    {0x808080, 0x000000, Variations::TRow::Split,
     "808080 808080 808080"},
    {0x808080, 0x000000, Variations::TRow::Square,
     "808080 808080 808080 808080"},
    {0x808080, 0xFFFFFF, Variations::TRow::Blend,
     "808080 8f8f8f 9e9e9e aeaeae bdbdbd cecece dedede eeeeee ffffff"},
    {0x808080, 0x5F11E0, Variations::TRow::Blend,
     "808080 90797c 9e7178 aa6874 b65f70 c1536c cc4667 d63363 e0115f"},
    {0x08050A, 0x000000, Variations::TRow::Shades,
     "000000 010001 020102 050304 0a0508 322c30 605b5e 928e90 c7c5c6"},
    {0x08050A, 0x000000, Variations::TRow::Complement,
     "0a0508 030805"},
    {0x08050A, 0x000000, Variations::TRow::Analogous,
     "08050a 0a0508 0b0506"},
    {0x08050A, 0x000000, Variations::TRow::Triad,
     "0a0508 080703 02080a"},
    {0x08050A, 0x000000, Variations::TRow::Split,
     "0a0508 050803 020808"},
    {0x08050A, 0x000000, Variations::TRow::Square,
     "0a0508 0a0603 030805 04070c"},
    {0x08050A, 0xFFFFFF, Variations::TRow::Blend,
     "0a0508 221c20 3d373b 5a5458 787476 989597 b9b7b8 dcdadb ffffff"},
    {0x08050A, 0x5F11E0, Variations::TRow::Blend,
     "0a0508 200a11 380f1b 511326 6b1530 87173c a41747 c11553 e0115f"},
};
