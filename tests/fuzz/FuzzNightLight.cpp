// ScreenConditions::NightLightFromBlob on any bytes: the registry value is written by another
// program and may be anything.

#include "FuzzCheck.h"
#include "screen/ScreenConditions.h"

#include <vector>

using ScreenConditions::TState;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const TState State = ScreenConditions::NightLightFromBlob(Data, Size);
    FUZZ_CHECK(State == TState::On || State == TState::Off || State == TState::Unknown);

    // Decoding stops at the record's last STOP: bytes after a value that decoded change
    // nothing, and the same bytes always give the same answer.
    std::vector<unsigned char> Longer(Data, Data + Size);
    Longer.push_back(0x10);
    Longer.push_back(0x00);
    const TState Again = ScreenConditions::NightLightFromBlob(Longer.data(), Size);
    FUZZ_CHECK(Again == State);
    if (State != TState::Unknown)
        FUZZ_CHECK(ScreenConditions::NightLightFromBlob(Longer.data(), Longer.size()) == State);
    return 0;
}
