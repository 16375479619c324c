#pragma once

#include <cstdint>

// FNV-1a over a run of outputs: a test compares it with a constant to pin every build
// (compiler, flags, Linux or Windows) to the very same results.
struct TDigest {
    std::uint64_t Value = 14695981039346656037ull;
    void Add(int x) {
        for (int i = 0; i < 4; ++i) {
            Value ^= static_cast<std::uint32_t>(x) >> (8 * i) & 0xFF;
            Value *= 1099511628211ull;
        }
    }
};
