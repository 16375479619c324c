// Owning and borrowed Windows handles. An owner frees its handle once, when it goes; a
// borrowed handle says in a signature that the callee must not free it (a shared icon from
// LoadIcon, a stock object, a window's own font).
#pragma once
#include <windows.h>
#include <utility>

// What a kind of handle needs: its empty value and how it is freed.
template <class H, auto Free>
struct TNullHandleTraits {
    using Type = H;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { Free(h); }
};

// Files answer INVALID_HANDLE_VALUE, not null, when they cannot be opened.
struct TFileHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

// Sole owner of a handle: movable, not copyable.
template <class Traits>
class TOwned {
public:
    using H = typename Traits::Type;
    TOwned() : FH(Traits::Empty()) {}
    explicit TOwned(H h) : FH(h) {}
    ~TOwned() { Reset(); }
    TOwned(TOwned&& o) noexcept : FH(std::exchange(o.FH, Traits::Empty())) {}
    TOwned& operator=(TOwned o) noexcept {
        std::swap(FH, o.FH);
        return *this;
    }
    TOwned(const TOwned&) = delete;
    H Get() const { return FH; }
    H Release() { return std::exchange(FH, Traits::Empty()); }
    void Reset(H h = Traits::Empty()) {
        if (FH != Traits::Empty()) Traits::Close(FH);
        FH = h;
    }
    explicit operator bool() const { return FH != Traits::Empty(); }

private:
    H FH;
};

// A handle someone else owns, for as long as the call or the owner lasts.
template <class H>
class TBorrowed {
public:
    TBorrowed() = default;
    TBorrowed(H h) : FH(h) {}  // implicit: any handle may be lent
    template <class Traits>
    TBorrowed(const TOwned<Traits>& owner) : FH(owner.Get()) {}
    H Get() const { return FH; }
    explicit operator bool() const { return FH != nullptr; }

private:
    H FH = nullptr;
};

inline BOOL DeleteGdiObject(HGDIOBJ h) { return DeleteObject(h); }
template <class H>
using TGdiHandle = TOwned<TNullHandleTraits<H, &DeleteGdiObject>>;
using TBitmapHandle = TGdiHandle<HBITMAP>;
using TFontHandle = TGdiHandle<HFONT>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TPenHandle = TGdiHandle<HPEN>;
using TIconHandle = TOwned<TNullHandleTraits<HICON, &DestroyIcon>>;
using TMemoryDCHandle = TOwned<TNullHandleTraits<HDC, &DeleteDC>>;
using TInfoContextHandle = TOwned<TNullHandleTraits<HDC, &DeleteDC>>;  // from CreateIC
using TKernelHandle = TOwned<TNullHandleTraits<HANDLE, &CloseHandle>>;
using TFileHandle = TOwned<TFileHandleTraits>;
using TWindowHandle = TOwned<TNullHandleTraits<HWND, &DestroyWindow>>;
