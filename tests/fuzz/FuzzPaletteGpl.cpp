// PaletteFile::Read on GIMP palettes: the checks of FuzzPalette.h.

#include "FuzzPalette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    return FuzzPaletteRead(PaletteFile::TFormat::Gpl, Data, Size);
}
