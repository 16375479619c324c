// The GDI objects this process holds. Wine answers 0 for GetGuiResources' count; its objects
// are counted all the same by their table index, which it takes as a handle.
#pragma once
#include <windows.h>
#include <cstdint>

inline unsigned long GdiObjects(DWORD onlyType = 0) {
    unsigned long n = onlyType ? 0 : GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return n;
    for (uintptr_t i = 1; i < 0x10000; ++i) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(i));
        if (type && (!onlyType || type == onlyType)) ++n;
    }
    return n;
}
