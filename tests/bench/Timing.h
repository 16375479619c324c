// The benchmarks' clock and median.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

// Seconds on a steady clock from an arbitrary start.
inline double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The middle value, or the mean of the two middle ones; 0 for none.
inline double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    const std::size_t N = Values.size();
    return N == 0 ? 0 : N % 2 ? Values[N / 2] : (Values[N / 2 - 1] + Values[N / 2]) / 2;
}
