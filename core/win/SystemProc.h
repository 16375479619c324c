// A function of a system library, looked up when first needed rather than imported, so that
// the program still starts where the library or the function is missing (older Windows,
// Wine). The library stays loaded for the life of the process.
#pragma once
#include <windows.h>

#include <cwchar>

namespace SystemProc {

template <class F>
F Find(const wchar_t* Library, const char* Name) {
    wchar_t Path[MAX_PATH];
    const UINT Length = GetSystemDirectoryW(Path, MAX_PATH);
    if (Length == 0 || Length + wcslen(Library) + 2 > MAX_PATH) return nullptr;
    wcscat(Path, L"\\");
    wcscat(Path, Library);
    HMODULE Module = LoadLibraryW(Path);
    return Module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name)))
                  : nullptr;
}

}  // namespace SystemProc
