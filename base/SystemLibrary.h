// A function of a system library, looked up on first use rather than imported: the library is
// loaded only when something needs it (not at start-up), and without it the program runs all
// the same. The library stays loaded for the life of the process.
#pragma once
#include <windows.h>
#include <cwchar>

template <class F>
F SystemFunction(const wchar_t* library, const char* name) {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + wcslen(library) + 2 > MAX_PATH) return nullptr;
    wcscat(path, L"\\");
    wcscat(path, library);
    HMODULE module = LoadLibraryW(path);
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
