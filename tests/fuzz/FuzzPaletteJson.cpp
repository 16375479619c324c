// PaletteFile::Read on JSON colour lists: the checks of FuzzPalette.h.

#include "FuzzPalette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    return FuzzPaletteRead(PaletteFile::TFormat::Json, Data, Size);
}
