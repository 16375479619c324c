// Every operator new of the benchmark's process, counted: included by one file of each
// benchmark program, which replaces the global operator new and delete with it.
#pragma once
#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> GAllocations{0};

void* operator new(std::size_t n) {
    ++GAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
